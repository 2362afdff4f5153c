// The uninstaller's three tabs, walked on a fixture tree (no package tool reachable).
#include "UninstallFixture.h"

#include "app/Job/UninstallOperation.h"
#include "app/uninstall/AppCatalog.h"

#include "tests/utils/QStringPrinter.h"
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QStringList namesOf(const QList<AMAppItemPtr>& items) {
    QStringList out;
    for (const AMAppItemPtr& item : items)
        out << item->name;
    return out;
}

PackageLookup noPackages() {
    PackageLookup::Tools tools;
    tools.dpkgQuery = tools.flatpak = tools.snap = QStringLiteral("/nonexistent/tool");
    return PackageLookup(tools);
}

TEST(AppCatalogTest, ApplicationsAreTheVisibleEntriesAppImagesAndBundlesOnceEach) {
    UninstallFixture fx;
    const QString user = fx.home() + "/.local/share/applications";
    const QString local = fx.system() + "/usr/share/applications";
    UninstallFixture::desktopEntry(local + "/coffee.desktop", "Coffee Timer");
    UninstallFixture::desktopEntry(user + "/coffee.desktop", "My Coffee"); // shadows the machine's
    UninstallFixture::desktopEntry(local + "/hidden.desktop", "Hidden", "Hidden=true");
    UninstallFixture::desktopEntry(local + "/quiet.desktop", "Quiet", "NoDisplay=true");
    UninstallFixture::desktopEntry(local + "/org.gnome.Maps.desktop", "Maps");
    UninstallFixture::desktopEntry(local + "/kde4/okular.desktop", "Okular");
    UninstallFixture::write(local + "/link.desktop",
                            "[Desktop Entry]\nType=Link\nName=Site\nURL=http://x\n");
    // An AppImage and the entry that starts it are one application.
    const QString image =
        UninstallFixture::write(fx.home() + "/Applications/Obsidian-1.5.3.AppImage");
    UninstallFixture::desktopEntry(user + "/obsidian.desktop", "Obsidian",
                                   "X-AppImage-Version=1.5.3");
    QFile entry(user + "/obsidian.desktop");
    ASSERT_TRUE(entry.open(QIODevice::Append));
    entry.write(QStringLiteral("Exec=%1\n").arg(image).toUtf8());
    entry.close();
    UninstallFixture::write(fx.home() + "/Applications/Other-2.0.AppImage");
    UninstallFixture::write(fx.home() + "/Applications/Tools/Tool.app/Contents/Info.plist",
                            "<plist><dict><key>CFBundleName</key><string>Tool</string></dict>"
                            "</plist>");
    UninstallFixture::write(fx.home() + "/Applications/Big.APP/Contents/Info.plist",
                            "<plist><dict/></plist>"); // upper case: not a bundle, walked into
    // A link loop must not keep the walk going.
    ASSERT_TRUE(QFile::link(fx.home() + "/Applications", fx.home() + "/Applications/loop"));

    AppCatalog catalog(fx.folders(), noPackages());
    const QList<AMAppItemPtr> apps = catalog.scan(AppCatalog::Applications);
    QStringList names = namesOf(apps);
    names.sort();
    EXPECT_EQ(names, (QStringList{"My Coffee", "Obsidian", "Okular", "Other", "Tool"}));
    for (const AMAppItemPtr& app : apps) {
        if (app->name == QLatin1String("Okular"))
            EXPECT_EQ(app->bundleID, QStringLiteral("kde4-okular"));
        if (app->name == QLatin1String("Obsidian")) {
            EXPECT_EQ(app->kind, AMAppItem::Kind::DesktopEntry);
            EXPECT_EQ(app->ownFiles, QStringList{image});
            EXPECT_EQ(app->bundleVersion, QStringLiteral("1.5.3"));
        }
        EXPECT_EQ(app->size, QStringLiteral("0KB")) << "sizes are measured when shown";
    }
}

TEST(AppCatalogTest, WidgetsAndPluginsAreListedWithoutTheSystemFilter) {
    UninstallFixture fx;
    UninstallFixture::write(
        fx.home() + "/.local/share/gnome-shell/extensions/clock@example.org/metadata.json",
        R"({"uuid": "clock@example.org", "name": "Big Clock", "version": 7})");
    UninstallFixture::write(fx.system() + "/usr/share/plasma/plasmoids/org.gnome.weather/"
                                          "metadata.json",
                            R"({"KPlugin": {"Id": "org.gnome.weather", "Name": "Weather",
                                "Version": "1.2"}})");
    UninstallFixture::write(fx.home() + "/.local/share/gnome-shell/extensions/junk/readme");
    UninstallFixture::write(fx.system() + "/usr/lib/gstreamer-1.0/sub/libgstfoo.so");
    UninstallFixture::write(fx.home() + "/.mozilla/plugins/readme.txt");

    AppCatalog catalog(fx.folders(), noPackages());
    const QList<AMAppItemPtr> widgets = catalog.scan(AppCatalog::Widgets);
    EXPECT_EQ(namesOf(widgets), (QStringList{"Big Clock", "Weather"}));
    EXPECT_EQ(widgets[0]->bundleVersion, QStringLiteral("7"));
    EXPECT_EQ(widgets[1]->bundleID, QStringLiteral("org.gnome.weather"));
    EXPECT_EQ(namesOf(catalog.scan(AppCatalog::Plugins)), QStringList{"libgstfoo.so"});
}

// A plug-in file that a package installed (GStreamer's, GTK's modules): listed as kept with the
// reason, sized as its own file rather than its whole package, and refused by the removal plan.
TEST(AppCatalogTest, APackagedPlugInIsKeptWithTheReasonAndSizedAsItsOwnFile) {
    UninstallFixture fx;
    const QString plugin = UninstallFixture::write(
        fx.system() + "/usr/lib/gstreamer-1.0/libgstpacked.so", QByteArray(15000, 'p'));
    const QString own = UninstallFixture::write(fx.home() + "/.mozilla/plugins/mine.so", "m");
    // A stand-in dpkg-query: the plug-in belongs to a package of 10 MB.
    const QString tool = UninstallFixture::write(
        fx.system() + "/tools/dpkg-query",
        ("#!/bin/sh\ncase \"$1\" in\n"
         "-S) echo 'gstreamer1.0-plugins-good:amd64: " +
         plugin.toUtf8() +
         "' ;;\n"
         "-W) case \"$*\" in *Installed-Size*) echo 10380 ;;\n"
         "    *) printf 'gstreamer1.0-plugins-good\\t1.22\\t\\toptional\\n' ;; esac ;;\n"
         "esac\n"));
    QFile::setPermissions(tool, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    PackageLookup::Tools tools;
    tools.dpkgQuery = tool;
    tools.flatpak = tools.snap = QStringLiteral("/nonexistent/tool");
    AppCatalog catalog(fx.folders(), PackageLookup(tools));

    const QList<AMAppItemPtr> plugins = catalog.scan(AppCatalog::Plugins);
    ASSERT_EQ(plugins.size(), 2);
    for (const AMAppItemPtr& item : plugins) {
        if (item->path == plugin) {
            EXPECT_EQ(item->package.name, QStringLiteral("gstreamer1.0-plugins-good"));
            EXPECT_TRUE(item->keptReason.contains("gstreamer1.0-plugins-good"));
            EXPECT_EQ(AppCatalog::sizeBytesOf(*item), 15000u) << "not the package's 10 MB";
        } else {
            EXPECT_EQ(item->path, own);
            EXPECT_TRUE(item->keptReason.isEmpty());
        }
    }

    UninstallOperation::Options options;
    options.simulate = [](const PackageRef&) {
        PackageRemoval::Plan allowed;
        allowed.allowed = true;
        return allowed;
    };
    QList<QList<AMAppItemPtr>> groups;
    for (const AMAppItemPtr& item : plugins)
        groups << QList<AMAppItemPtr>{item};
    UninstallOperation operation(groups, fx.folders(), options);
    const DestructiveOperation::Plan plan = operation.plan({}, {});
    EXPECT_EQ(plan.items, QStringList{own});
    ASSERT_EQ(plan.refusals.size(), 1);
    EXPECT_EQ(plan.refusals.first().reason, DestructiveOperation::Refusal::NotAllowed);
}

} // namespace
