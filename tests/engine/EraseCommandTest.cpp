#include "EngineTestSupport.h"

#include "app/Comm/SettingsStore.h"
#include "app/Main/FileEraser/SrmTool.h"
#include "app/inter/DoDataBase.h"
#include "app/inter/HistorySchema.h"
#include "cli/CliBundle.h"
#include "cli/CliOutput.h"
#include "cli/CliProgressPrinter.h"
#include "cli/EraseCommand.h"
#include "platform/BundleLocator.h"
#include "tests/support/RealToolBundle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace enginetest;

namespace {

const QString kKorvane = QStringLiteral(KORVANE_BUILD_DIR "/bin/korvane");

struct Result {
    int code = -1;
    QString out;
    QString err;
};

Result korvane(const QStringList& args, const QString& bundle, const QByteArray& input = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("KORVANE_BUNDLE"));
    if (!bundle.isEmpty())
        env.insert(QStringLiteral("KORVANE_BUNDLE"), bundle);
    process.setProcessEnvironment(env);
    process.start(kKorvane, QStringList{QStringLiteral("erase")} + args);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

TEST(EraseCommandTest, ParsesOptionsAndRejectsBadOnes) {
    auto ok = EraseCommand::parse({QStringLiteral("--level"), QStringLiteral("35"),
                                   QStringLiteral("--yes"), QStringLiteral("a"),
                                   QStringLiteral("--"), QStringLiteral("--odd-name")});
    EXPECT_TRUE(ok.error.isEmpty());
    EXPECT_EQ(ok.level, 35);
    EXPECT_TRUE(ok.yes);
    EXPECT_EQ(ok.paths, (QList<QByteArray>{"a", "--odd-name"}));
    for (const QStringList& bad :
         {QStringList{QStringLiteral("--level"), QStringLiteral("4"), QStringLiteral("a")},
          QStringList{QStringLiteral("--level")}, QStringList{QStringLiteral("--forced"), {"a"}},
          QStringList{QStringLiteral("--yes")}})
        EXPECT_FALSE(EraseCommand::parse(bad).error.isEmpty()) << bad.join(' ').toStdString();
    // An empty argument is a path to refuse, not a missing one.
    EXPECT_EQ(EraseCommand::parse(QStringList{QString()}).paths, QList<QByteArray>{QByteArray()});
    EXPECT_TRUE(EraseCommand::parse({QStringLiteral("--force"), {"a"}}).force);
    EXPECT_EQ(CliOutput::printable(QStringLiteral("a\nb")), QStringLiteral("a\\nb"));
}

TEST(EraseCommandTest, FindsTheBundleBesideTheBuildOrInstallFolder) {
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + QStringLiteral("/build/bin"));
    QDir().mkpath(dir.path() + QStringLiteral("/build/bundle/KorvaneLoader.app"));
    QDir().mkpath(dir.path() + QStringLiteral("/prefix/bin"));
    QDir().mkpath(dir.path() + QStringLiteral("/prefix/KorvaneLoader.app"));
    EXPECT_EQ(CliBundle::bundleNextTo(dir.path() + QStringLiteral("/build/bin/korvane")),
              dir.path() + QStringLiteral("/build/bundle/KorvaneLoader.app"));
    EXPECT_EQ(CliBundle::bundleNextTo(dir.path() + QStringLiteral("/prefix/bin/korvane")),
              dir.path() + QStringLiteral("/prefix/KorvaneLoader.app"));
    EXPECT_TRUE(CliBundle::bundleNextTo(dir.path() + QStringLiteral("/korvane")).isEmpty());
}

TEST(EraseCommandTest, ProgressPathIsCutFromTheLeft) {
    EXPECT_EQ(CliProgressPrinter::elideLeft(QStringLiteral("/a/b/c/file"), 8),
              QStringLiteral(".../file"));
    EXPECT_EQ(CliProgressPrinter::elideLeft(QStringLiteral("/short"), 20),
              QStringLiteral("/short"));
}

TEST(EraseCommandTest, ErasesAndReportsEachPathWithTheFakeTool) {
    FakeBundle bundle;
    bundle.addHistoryDatabase();
    QTemporaryDir work;
    const QString tree = work.path() + QStringLiteral("/tree");
    writeFile(tree + QStringLiteral("/sub/data"), "secret");
    writeFile(tree + QStringLiteral("/empty"), "");
    const QString stuck = work.path() + QStringLiteral("/toolfails.bin");
    writeFile(stuck, "kept");

    Result r = korvane(
        {QStringLiteral("--level"), QStringLiteral("7"), QStringLiteral("--yes"), tree, stuck},
        bundle.outer());
    EXPECT_EQ(r.code, 1) << r.err.toStdString();
    // The standard is said before anything starts; progress ends at 100%.
    EXPECT_TRUE(r.err.contains(QStringLiteral("Erasing with DoD 5220.22-M ECE (7 passes)")))
        << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("100% done"))) << r.err.toStdString();
    // Each failed path is followed by the tool's reason.
    EXPECT_EQ(r.out, QStringLiteral("Erased %1\nFailed %2\n  %2: fake failure\n").arg(tree, stuck));
    EXPECT_FALSE(QFileInfo::exists(tree));
    EXPECT_TRUE(QFileInfo::exists(stuck));
    const QStringList runs = bundle.srmRuns();
    EXPECT_EQ(runs.size(), 5) << runs.join('\n').toStdString(); // sub/data, sub, empty, tree, stuck
    for (const QString& run : runs)
        EXPECT_TRUE(run.startsWith(QStringLiteral("-fmvrz "))) << run.toStdString();
    EXPECT_EQ(runs.last(), QStringLiteral("-fmvrz ") + stuck);
    EXPECT_LT(runs.indexOf(QStringLiteral("-fmvrz ") + tree + QStringLiteral("/sub/data")),
              runs.indexOf(QStringLiteral("-fmvrz ") + tree + QStringLiteral("/sub")));

    // The tool said erased but the file is still there: not erased.
    const QString kept = work.path() + QStringLiteral("/toolkeeps");
    writeFile(kept, "x");
    r = korvane({QStringLiteral("--yes"), kept}, bundle.outer());
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("Failed ") + kept + QLatin1Char('\n')))
        << r.out.toStdString();

    writeFile(tree + QStringLiteral("/again"), "x");
    r = korvane({QStringLiteral("--yes"), tree}, bundle.outer());
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Erased ") + tree + QLatin1Char('\n'));
}

// A signal during an erasure stops the run after the file under way; every path is then
// reported for what it is (erased, stopped, not reached) with the files counted, the run ends
// with 128 + the signal, and the progress stops where it was: it used to end at "100% done"
// with status 1.
TEST(EraseCommandTest, ASignalStopsTheRunWithoutClaimingItDone) {
    for (const int signal : {SIGINT, SIGTERM}) {
        FakeBundle bundle;
        QTemporaryDir work;
        const QString first = work.path() + QStringLiteral("/a-first.txt");
        const QString stopped = work.path() + QStringLiteral("/b-toolsleeps.txt");
        const QString after = work.path() + QStringLiteral("/c-after.txt");
        const QString folder = work.path() + QStringLiteral("/d-folder");
        for (const QString& path : {first, stopped, after, folder + QStringLiteral("/one"),
                                    folder + QStringLiteral("/two")})
            writeFile(path, "data");
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KORVANE_BUNDLE"), bundle.outer());
        process.setProcessEnvironment(env);
        process.setStandardInputFile(QProcess::nullDevice());
        process.start(kKorvane, {QStringLiteral("erase"), QStringLiteral("--yes"), first, stopped,
                                 after, folder});
        ASSERT_GT(bundle.sleeperPid(), 0) << "the tool reached the file that sleeps";
        ::kill(pid_t(process.processId()), signal);
        ASSERT_TRUE(process.waitForFinished(60000));
        const QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
        const QString err = QString::fromLocal8Bit(process.readAllStandardError());
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 128 + signal) << err.toStdString();
        EXPECT_FALSE(err.contains(QStringLiteral("100%"))) << err.toStdString();
        // The sleeping file was untouched when the stop came: not reached, as the rest.
        EXPECT_TRUE(err.contains(QStringLiteral("Interrupted by %1: 1 file erased, 4 not reached; "
                                                "1 of 4 paths erased")
                                     .arg(signal == SIGINT ? "SIGINT" : "SIGTERM")))
            << err.toStdString();
        EXPECT_EQ(out, QStringLiteral("Erased %1\nNot reached %2\nNot reached %3\nNot reached "
                                      "%4\n")
                           .arg(first, stopped, after, folder))
            << out.toStdString();
        EXPECT_FALSE(QFileInfo::exists(first));
        for (const QString& path : {stopped, after, folder + QStringLiteral("/two")})
            EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();
    }
}

TEST(EraseCommandTest, RefusesRootMissingPathsAndUnconfirmedRuns) {
    FakeBundle bundle;
    QTemporaryDir work;
    const QString file = work.path() + QStringLiteral("/f");
    writeFile(file, "x");

    Result r = korvane({QStringLiteral("--yes"), file, QStringLiteral("/")}, bundle.outer());
    EXPECT_NE(r.code, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("root folder"))) << r.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(file)) << "nothing is erased when one path is refused";

    r = korvane({QStringLiteral("--yes"), file, work.path() + QStringLiteral("/nope")},
                bundle.outer());
    EXPECT_NE(r.code, 0);
    EXPECT_TRUE(QFileInfo::exists(file));

    // No terminal to ask on: refused without --yes, whatever arrives on standard input.
    r = korvane({file}, bundle.outer(), "y\n");
    EXPECT_NE(r.code, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("--yes"))) << r.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_TRUE(bundle.srmRuns().isEmpty());
}

TEST(EraseCommandTest, RootRefusesAToolOthersCouldReplace) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only a root program refuses such a tool";
    FakeBundle bundle;
    QTemporaryDir work;
    const QString file = work.path() + QStringLiteral("/f");
    writeFile(file, "x");
    EXPECT_TRUE(SrmTool::isTrusted(bundle.srmPath()));
    QFile::setPermissions(bundle.srmPath(),
                          QFile::permissions(bundle.srmPath()) | QFileDevice::WriteOther);
    QString why;
    EXPECT_FALSE(SrmTool::isTrusted(bundle.srmPath(), &why));
    const Result r = korvane({QStringLiteral("--yes"), file}, bundle.outer());
    EXPECT_NE(r.code, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("owned by root"))) << r.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_TRUE(bundle.srmRuns().isEmpty());
}

TEST(EraseCommandTest, RealToolInTheBuiltBundleErasesATree) {
    QTemporaryDir bundleRoot;
    const QString bundle = makeRealToolBundle(bundleRoot.path());
    if (bundle.isEmpty())
        GTEST_SKIP() << "the srm tool is not built into the bundle";
    QTemporaryDir work;
    const QString tree = work.path() + QStringLiteral("/tree");
    writeFile(tree + QStringLiteral("/a/b/data"), QByteArray(100000, 'M'));
    writeFile(tree + QStringLiteral("/empty"), "");
    QTemporaryDir outside;
    writeFile(outside.path() + QStringLiteral("/keep"), "keep");
    ASSERT_TRUE(QFile::link(outside.path(), tree + QStringLiteral("/link")));
    Result r = korvane({QStringLiteral("--yes"), tree}, bundle);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Erased ") + tree + QLatin1Char('\n'));
    EXPECT_FALSE(QFileInfo::exists(tree));
    EXPECT_TRUE(QFileInfo::exists(outside.path() + QStringLiteral("/keep")));
    r = korvane({QStringLiteral("--yes"), QStringLiteral("/")}, bundle);
    EXPECT_NE(r.code, 0);
}

} // namespace

namespace {

TEST(EraseCommandTest, RecordsOneHistoryEntryAndRaisesTheUnseenFlag) {
    FakeBundle bundle;
    const QString resources =
        bundle.outer() + QStringLiteral("/Contents/MacOS/Korvane Data Eraser.app/Contents/"
                                        "Resources/");
    bundle.addHistoryDatabase();
    ASSERT_TRUE(QFile::copy(QStringLiteral(KORVANE_SOURCE_DIR "/app/Resources/NexwipeBase.plist"),
                            resources + QStringLiteral("NexwipeBase.plist")));
    QFile::setPermissions(resources + QStringLiteral("NexwipeBase.plist"),
                          QFile::ReadOwner | QFile::WriteOwner);

    QTemporaryDir work;
    const QString gone = work.path() + QStringLiteral("/gone.txt");
    const QString stuck = work.path() + QStringLiteral("/toolfails.txt");
    writeFile(gone, "a");
    writeFile(stuck, "b");
    const Result r = korvane(
        {QStringLiteral("--level"), QStringLiteral("3"), QStringLiteral("--yes"), gone, stuck},
        bundle.outer());
    EXPECT_EQ(r.code, 1) << r.err.toStdString();

    BundleLocator::setOuterBundlePath(bundle.outer());
    const HistoryData history = DoDataBase::returnDoDataBase()->getAllData();
    ASSERT_EQ(history.size(), 1);
    const HistoryRecords& lines = history.first();
    ASSERT_EQ(lines.size(), 3); // header line, then the two paths in order
    EXPECT_EQ(lines[0].items, QStringLiteral("Items"));
    EXPECT_EQ(lines[1].items, gone);
    EXPECT_EQ(lines[1].result, QStringLiteral("Erased"));
    EXPECT_EQ(lines[1].erasureStandard, QStringLiteral("U.S. Army AR380-19"));
    EXPECT_EQ(lines[2].items, stuck);
    EXPECT_EQ(lines[2].result, QStringLiteral("Failed"));
    EXPECT_EQ(SettingsStore::mainStore().value(QStringLiteral("WipeFileHistory")),
              QStringLiteral("1"));
    BundleLocator::setOuterBundlePath({});
}

} // namespace

// An erasure the history could not hold (the database is damaged) is not reported as a success:
// the files are erased, the reason is named, and the exit status says it.
TEST(EraseCommandTest, AnErasureTheHistoryCannotHoldFailsTheRun) {
    FakeBundle bundle;
    const QString resources = QFileInfo(bundle.srmPath()).path();
    writeFile(resources + QStringLiteral("/DataBase.db"), QByteArray(4096, 'x'));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KORVANE_SOURCE_DIR "/app/Resources/NexwipeBase.plist"),
                            resources + QStringLiteral("/NexwipeBase.plist")));
    QFile::setPermissions(resources + QStringLiteral("/NexwipeBase.plist"),
                          QFile::ReadOwner | QFile::WriteOwner);
    QTemporaryDir work;
    const QString gone = work.path() + QStringLiteral("/gone.txt");
    writeFile(gone, "a");
    const Result r = korvane({QStringLiteral("--yes"), gone}, bundle.outer());
    EXPECT_EQ(r.code, 1) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(gone));
    EXPECT_TRUE(r.err.contains(QStringLiteral("could not be recorded in the history")) &&
                r.err.contains(QStringLiteral("is damaged")))
        << r.err.toStdString();
}
