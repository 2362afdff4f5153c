// Removal of an application's items: only what lies where it may, links as links, packages
// through their manager, administrator rights only where plain removal fails, and an honest end.
#include "UninstallFixture.h"

#include "app/Comm/CommUti.h"
#include "app/Job/UninstallOperation.h"
#include "app/duplicat/EuAuthorization.h"
#include "app/uninstall/AsMDeleteExecutor.h"
#include "app/uninstall/RelatedAppFilesScanner.h"
#include "platform/walk/SafeTreeRemover.h"

#include "tests/utils/QStringPrinter.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool exists(const QString& path) {
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

AMAppItemPtr related(const QString& path, const UninstallFixture& fx) {
    AMAppItemPtr item = RelatedAppFilesScanner::aConstructItem(path, false, fx.folders());
    item->kind = AMAppItem::Kind::RelatedFile;
    return item;
}

struct Recorder : AsMDeleteExecutorDelegate {
    QStringList events;
    void deleteRelatedFile(const AMAppItemPtr& item) override { events << "ok " + item->name; }
    void deleteRelatedFileFail(const AMAppItemPtr& item, const QString&) override {
        events << "fail " + item->name;
    }
};

TEST(RemovalTest, RemovesTheSelectionOnlyWhereItMayAndSaysWhatStayed) {
    UninstallFixture fx;
    const QString h = fx.home();
    const QString outside = UninstallFixture::write(fx.system() + "/keep/target/data", "keep");
    const QString cache = UninstallFixture::write(h + "/.cache/foo/blob", QByteArray(2000000, 'b'));
    ASSERT_TRUE(QFile::link(fx.system() + "/keep/target", h + "/.cache/foo/link"));
    const QString entry =
        UninstallFixture::desktopEntry(h + "/.local/share/applications/foo.desktop", "Foo");
    const QString stray = UninstallFixture::write(h + "/Documents/foo-notes.txt");

    AMAppItemPtr app = RelatedAppFilesScanner::aConstructItem(entry, true, fx.folders());
    const quint64 entryBytes = quint64(QFileInfo(entry).size());
    QList<AMAppItemPtr> items{app, related(QFileInfo(cache).path(), fx), related(stray, fx),
                              related(QFileInfo(cache).path(), fx)};
    AsMDeleteExecutor executor(fx.folders(), [](const PackageRef&, QString& error) {
        error = QStringLiteral("no package here");
        return false;
    });
    Recorder recorder;
    executor.setDelegate(&recorder);
    const UninstallReport report = executor.executeDelete(items);

    EXPECT_FALSE(exists(entry));
    EXPECT_FALSE(exists(QFileInfo(cache).path()));
    EXPECT_TRUE(exists(stray)) << "not in a folder of application files: never removed";
    EXPECT_TRUE(exists(outside)) << "the link went as a link";
    EXPECT_EQ(recorder.events, (QStringList{"ok Foo", "ok foo", "fail foo-notes.txt", "ok foo"}))
        << "the folder listed twice is removed once and counted once";
    ASSERT_EQ(report.failed.size(), 1);
    // Counted in bytes, not read back from the rounded size text ("0.05 KB" for 55 bytes).
    EXPECT_EQ(report.freedBytes, 2000000u + entryBytes);
    EXPECT_FALSE(
        report.message().startsWith(QLatin1String("Korvane Data Eraser has successfully")));
    EXPECT_TRUE(report.message().startsWith(QLatin1String("1 of 4 items could not be removed: ")))
        << report.message().toStdString();
    EXPECT_TRUE(report.message().contains(stray));
}

TEST(RemovalTest, APackagedApplicationGoesThroughItsPackageManagerAndItsFailureIsKept) {
    UninstallFixture fx;
    const QString entry = UninstallFixture::desktopEntry(
        fx.system() + "/usr/share/applications/gimp.desktop", "GIMP");
    AMAppItemPtr app = RelatedAppFilesScanner::constructItem(entry, true, fx.folders());
    app->package.manager = PackageRef::Manager::Dpkg;
    app->package.name = QStringLiteral("gimp");
    QStringList asked;
    AsMDeleteExecutor executor(fx.folders(), [&](const PackageRef& p, QString& error) {
        asked << p.name;
        error = QStringLiteral("E: dpkg was interrupted");
        return false;
    });
    const UninstallReport report = executor.executeDelete({app});
    EXPECT_EQ(asked, QStringList{"gimp"});
    EXPECT_TRUE(exists(entry)) << "the package's files are the package manager's to remove";
    ASSERT_EQ(report.failed.size(), 1);
    EXPECT_EQ(report.failed[0].reason, QStringLiteral("E: dpkg was interrupted"));

    const UninstallReport none;
    EXPECT_EQ(UninstallReport().message(),
              QStringLiteral("Korvane Data Eraser has successfully removed the selected "
                             "application(s) and all associated files. Free up 0.00 MB disk "
                             "space."));
    UninstallReport freed;
    freed.freedBytes = 12345678;
    EXPECT_TRUE(freed.message().contains(QLatin1String("Free up 12.35 MB")));
}

// A stop asked for while a package is removed (korvane's answer to a signal): the package
// removal ends as it would, and no related file is removed after it; each says why it stayed.
TEST(RemovalTest, AStopDuringThePackagesLetsThemFinishAndRemovesNoFile) {
    UninstallFixture fx;
    const QString entry = UninstallFixture::desktopEntry(
        fx.system() + "/usr/share/applications/gimp.desktop", "GIMP");
    const QString cache = UninstallFixture::write(fx.home() + "/.cache/gimp/blob", "cached");
    AMAppItemPtr app = RelatedAppFilesScanner::constructItem(entry, true, fx.folders());
    app->package.manager = PackageRef::Manager::Dpkg;
    app->package.name = QStringLiteral("gimp");
    std::atomic_bool stop{false};
    AsMDeleteExecutor executor(fx.folders(), [&](const PackageRef&, QString&) {
        stop = true;
        return true;
    });
    executor.setStopRequest(&stop);
    const UninstallReport report =
        executor.executeDelete({app, related(QFileInfo(cache).path(), fx)});
    EXPECT_EQ(report.removed, QList<AMAppItemPtr>{app});
    ASSERT_EQ(report.failed.size(), 1);
    EXPECT_EQ(report.failed[0].reason, AsMDeleteExecutor::kNotReached);
    EXPECT_TRUE(exists(cache));
}

TEST(RemovalTest, SafeRemovalRefusesBadPathsAndLeavesMountsAlone) {
    for (const char* bad : {"", "/", "relative/path", "/tmp/.", "/tmp/..", "//"})
        EXPECT_FALSE(safewalk::SafeTreeRemover::remove(bad).removed) << bad;
    EXPECT_TRUE(safewalk::SafeTreeRemover::remove("/nonexistent/korvane-test").removed)
        << "already gone";
}

// Not root: what plain removal cannot take goes to the privileged tool, whose exit status and
// the path's absence both decide.
TEST(RemovalTest, ThePrivilegedFallbackCountsOnlyWhenTheToolEndedWellAndThePathIsGone) {
    if (::geteuid() != 0 || QProcess::execute("chattr", {"--help"}) < 0)
        GTEST_SKIP() << "needs root and chattr to make a file plain removal cannot take";
    UninstallFixture fx;
    const QString file = UninstallFixture::write(fx.home() + "/.cache/stuck");
    if (QProcess::execute("chattr", {"+i", file}) != 0)
        GTEST_SKIP() << "this file system has no immutable flag";
    const QString log = fx.home() + "/pkexec.log";
    const QString pkexec = UninstallFixture::write(
        fx.home() + "/pkexec",
        QStringLiteral("#!/bin/sh\necho \"$@\" >> '%1'\n[ -e '%1.lift' ] && chattr -i \"$5\"\n"
                       "exec \"$@\"\n")
            .arg(log)
            .toUtf8());
    ::chmod(QFile::encodeName(pkexec).constData(), 0755);
    EuAuthorization* auth = EuAuthorization::shareEuAuthorization();
    auth->setOptions({false, pkexec, 30000});

    QString why;
    EXPECT_FALSE(auth->synFastRemovePath(file, &why)) << "the tool failed too";
    EXPECT_TRUE(exists(file));
    EXPECT_FALSE(why.isEmpty());
    UninstallFixture::write(log + ".lift");
    EXPECT_TRUE(auth->synFastRemovePath(file, &why)) << why.toStdString();
    EXPECT_FALSE(exists(file));
    QFile calls(log);
    ASSERT_TRUE(calls.open(QIODevice::ReadOnly));
    EXPECT_EQ(
        calls.readAll(),
        QStringLiteral("/bin/rm -rf --one-file-system -- %1\n").arg(file).repeated(2).toUtf8());
    calls.close();

    // Several items plain removal cannot take: one privileged run (one password) for them all.
    const QString second = UninstallFixture::write(fx.home() + "/.cache/stuck-too");
    const QString third = UninstallFixture::write(fx.home() + "/.config/stuck-as-well");
    ASSERT_EQ(QProcess::execute("chattr", {"+i", second, third}), 0);
    UninstallFixture::write(pkexec, QStringLiteral("#!/bin/sh\necho \"$@\" > '%1'\n"
                                                   "(shift 4; chattr -i \"$@\")\nexec \"$@\"\n")
                                        .arg(log)
                                        .toUtf8());
    auth->setOptions({false, pkexec, 30000});
    AsMDeleteExecutor executor(fx.folders());
    const UninstallReport report =
        executor.executeDelete({related(second, fx), related(third, fx)});
    EXPECT_TRUE(report.allRemoved());
    EXPECT_FALSE(exists(second) || exists(third));
    EXPECT_EQ(auth->privilegedRuns(), 1);
    ASSERT_TRUE(calls.open(QIODevice::ReadOnly));
    EXPECT_EQ(
        calls.readAll(),
        QStringLiteral("/bin/rm -rf --one-file-system -- %1 %2\n").arg(second, third).toUtf8());
    auth->setOptions(PrivilegedCommand::systemOptions());
}

} // namespace

// Through the operation: a packaged application the package manager refuses is refused with
// its whole group at the plan (nothing asked of the package tools, nothing removed); the other
// group goes, and the report names the refusal, so it is not ok.
TEST(RemovalTest, TheOperationRefusesAGroupWhosePackageMayNotGoAndRemovesTheOthers) {
    UninstallFixture fx;
    const QString gimpEntry = UninstallFixture::desktopEntry(
        fx.system() + "/usr/share/applications/gimp.desktop", "GIMP");
    const QString gimpCache = UninstallFixture::write(fx.home() + "/.cache/gimp/blob", "g");
    const QString fooEntry =
        UninstallFixture::desktopEntry(fx.home() + "/.local/share/applications/foo.desktop", "Foo");
    const QString fooCache = UninstallFixture::write(fx.home() + "/.cache/foo/blob", "f");
    AMAppItemPtr gimp = RelatedAppFilesScanner::constructItem(gimpEntry, true, fx.folders());
    gimp->package.manager = PackageRef::Manager::Dpkg;
    gimp->package.name = QStringLiteral("gimp");
    AMAppItemPtr foo = RelatedAppFilesScanner::aConstructItem(fooEntry, true, fx.folders());

    QStringList removedPackages;
    UninstallOperation::Options options;
    options.simulate = [](const PackageRef& package) {
        PackageRemoval::Plan plan;
        plan.refusal = QStringLiteral("removing %1 would also remove libgimp").arg(package.name);
        return plan;
    };
    options.packages = [&](const PackageRef& package, QString&) {
        removedPackages << package.name;
        return true;
    };
    using Op = DestructiveOperation;
    UninstallOperation op({{gimp, related(QFileInfo(gimpCache).path(), fx)},
                           {foo, related(QFileInfo(fooCache).path(), fx)}},
                          fx.folders(), options);
    const Op::Plan plan = op.plan({}, {});
    ASSERT_EQ(plan.refusals.size(), 1);
    EXPECT_EQ(plan.refusals.first().reason, Op::Refusal::NotAllowed);
    EXPECT_EQ(plan.items, (QStringList{fooEntry, QFileInfo(fooCache).path()}));
    EXPECT_TRUE(exists(fooEntry) && exists(fooCache));

    EXPECT_FALSE(op.run(plan, Op::Consents(), {}, {}).ok()); // not confirmed
    EXPECT_TRUE(exists(fooEntry) && exists(fooCache));
    const Op::Report report = op.run(plan, Op::Consents::all(), {}, {});
    EXPECT_EQ(report.count(Op::Outcome::Done), 2);
    EXPECT_EQ(report.count(Op::Outcome::Refused), 1);
    EXPECT_FALSE(report.ok());
    EXPECT_FALSE(exists(fooEntry) || exists(fooCache));
    EXPECT_TRUE(exists(gimpEntry) && exists(gimpCache));
    EXPECT_TRUE(removedPackages.isEmpty());
}
