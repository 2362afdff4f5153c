// `korvane apps remove` on the command line's runner, with stand-in package tools: the batch
// rule for a refused package, the question, what goes and what stays, and the lines said.
#include "UninstallFixture.h"

#include "cli/AppsCommand.h"
#include "cli/CliPrompt.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

PackageLookup noPackages() {
    PackageLookup::Tools tools;
    tools.dpkgQuery = tools.flatpak = tools.snap = QStringLiteral("/nonexistent/tool");
    return PackageLookup(tools);
}

// A packaged GIMP and a user's own Foo, each with a cache; Foo has an installer among the
// downloads.
class AppsRemoveCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        gimpEntry = UninstallFixture::desktopEntry(
            fx.system() + "/usr/share/applications/gimp.desktop", "GIMP");
        gimpCache = UninstallFixture::write(fx.home() + "/.cache/gimp/blob", "g");
        fooEntry = UninstallFixture::desktopEntry(
            fx.home() + "/.local/share/applications/foo.desktop", "Foo");
        fooCache = UninstallFixture::write(fx.home() + "/.cache/foo/blob", "f");
        download = UninstallFixture::write(fx.home() + "/Downloads/foo-setup.deb");
        apps = catalog.scan(AppCatalog::Applications);
        for (const AMAppItemPtr& app : apps)
            if (app->name == QLatin1String("GIMP")) {
                app->package.manager = PackageRef::Manager::Dpkg;
                app->package.name = QStringLiteral("gimp");
            }
        options.operation.packages = [this](const PackageRef& package, QString&) {
            removedPackages << package.name;
            return true;
        };
        CliPrompt::setInputIsTerminal(0);
    }
    void TearDown() override { CliPrompt::setInputIsTerminal(-1); }

    int remove(const QStringList& wanted) {
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        const int status = AppsCommand::remove(catalog, apps, wanted, options);
        out = QString::fromStdString(::testing::internal::GetCapturedStdout());
        err = QString::fromStdString(::testing::internal::GetCapturedStderr());
        return status;
    }
    static bool exists(const QString& path) { return QFileInfo::exists(path); }

    UninstallFixture fx;
    AppCatalog catalog{fx.folders(), noPackages()};
    QList<AMAppItemPtr> apps;
    QString gimpEntry, gimpCache, fooEntry, fooCache, download;
    AppsCommand::RemoveOptions options;
    QStringList removedPackages;
    QString out, err;
};

// The package manager refuses GIMP: the whole run is refused, Foo included, and the package
// tools are never asked to remove anything.
TEST_F(AppsRemoveCommandTest, ARefusedPackageRefusesTheWholeRun) {
    options.yes = true;
    options.operation.simulate = [](const PackageRef& package) {
        PackageRemoval::Plan plan;
        plan.refusal = QStringLiteral("removing %1 would also remove libgimp").arg(package.name);
        return plan;
    };
    EXPECT_EQ(remove({"GIMP", "Foo"}), 1);
    EXPECT_TRUE(out.contains("GIMP (deb:gimp)\n  refused: removing gimp would also remove libgimp"))
        << out.toStdString();
    EXPECT_TRUE(err.contains("korvane apps: removing gimp would also remove libgimp\n"))
        << err.toStdString();
    EXPECT_TRUE(err.contains("Nothing was removed.")) << err.toStdString();
    EXPECT_TRUE(removedPackages.isEmpty());
    for (const QString& path : {gimpEntry, gimpCache, fooEntry, fooCache, download})
        EXPECT_TRUE(exists(path)) << path.toStdString();
}

// Allowed, nothing goes without --yes where no terminal can ask; with it the package goes
// through the package tools, the files with it, and the download stays (listed as kept).
TEST_F(AppsRemoveCommandTest, AnAllowedRunNeedsTheYesAndLeavesTheDownloads) {
    options.operation.simulate = [](const PackageRef& package) {
        PackageRemoval::Plan plan;
        plan.allowed = true;
        plan.packages = QStringList{package.name, QStringLiteral("gimp-data")};
        return plan;
    };
    EXPECT_EQ(remove({"GIMP", "Foo"}), 1);
    EXPECT_TRUE(err.contains("not removing without confirmation")) << err.toStdString();
    EXPECT_TRUE(removedPackages.isEmpty());
    EXPECT_TRUE(exists(gimpCache) && exists(fooCache) && exists(fooEntry));

    options.yes = true;
    EXPECT_EQ(remove({"GIMP", "Foo"}), 0) << out.toStdString() << err.toStdString();
    EXPECT_EQ(removedPackages, QStringList{"gimp"});
    EXPECT_TRUE(out.contains("  packages removed: gimp, gimp-data\n")) << out.toStdString();
    EXPECT_TRUE(out.contains("  kept (in the download folder): " + download)) << out.toStdString();
    EXPECT_TRUE(out.contains("has successfully removed")) << out.toStdString();
    EXPECT_FALSE(exists(gimpCache) || exists(fooCache) || exists(fooEntry));
    EXPECT_TRUE(exists(download));

    EXPECT_EQ(remove({"Netscape"}), 2);
    EXPECT_TRUE(err.contains("no application 'Netscape'")) << err.toStdString();
}

// A user's own application whose entry starts a program by its full path: the program in the
// home goes with it; one outside the home stays, and neither the plan nor the end message calls
// the application wholly removed.
TEST_F(AppsRemoveCommandTest, AProgramTheEntryStartsGoesFromTheHomeAndIsNamedWhenItStays) {
    const QString program = UninstallFixture::write(fx.home() + "/Apps/mynotes", "#!/bin/sh\n");
    const QString notesEntry =
        UninstallFixture::desktopEntry(fx.home() + "/.local/share/applications/mynotes.desktop",
                                       "My Notes", "Exec=" + program + " %f");
    const QString outside = UninstallFixture::write(fx.system() + "/opt/sketch/sketch");
    const QString sketchEntry =
        UninstallFixture::desktopEntry(fx.home() + "/.local/share/applications/sketch.desktop",
                                       "Sketch", "Exec=\"" + outside + "\"");
    apps = catalog.scan(AppCatalog::Applications);
    options.yes = true;

    EXPECT_EQ(remove({"My Notes"}), 0) << out.toStdString() << err.toStdString();
    EXPECT_FALSE(exists(notesEntry));
    EXPECT_FALSE(exists(program)) << "the program in ~/Apps stayed";
    EXPECT_TRUE(out.contains("has successfully removed")) << out.toStdString();

    EXPECT_EQ(remove({"Sketch"}), 0) << out.toStdString() << err.toStdString();
    EXPECT_FALSE(exists(sketchEntry));
    EXPECT_TRUE(exists(outside)) << "nothing outside the home goes without a package manager";
    EXPECT_TRUE(err.contains(outside + " stays")) << "said before: " << err.toStdString();
    EXPECT_FALSE(out.contains("has successfully removed")) << out.toStdString();
    EXPECT_TRUE(out.contains(outside + " stayed")) << "said after: " << out.toStdString();
}

} // namespace
