#include "EngineTestSupport.h"

#include "app/Comm/UserDefaults.h"
#include "app/Job/EraseFilesOperation.h"
#include "app/Main/FileEraser/EraseJob.h"
#include "app/Main/FileEraser/ErasePathCheck.h"
#include "app/inter/DoDataBase.h"
#include "app/inter/HistoryLocation.h"
#include "platform/BundleLocator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace enginetest;

namespace {

using Verdict = ErasePathCheck::Verdict;
using Reason = ErasePathCheck::Reason;

// Listens to a job and keeps its end.
struct JobEnd : EraseJobListener {
    QList<float> progress;
    int ends = 0;
    void eraseProgress(float percent, const QString&, int, int) override { progress << percent; }
    void eraseFinished(const EraseReport&) override { ++ends; }
};

bool runJob(EraseJob& job, const QList<FileObjPtr>& chosen, JobEnd& end) {
    job.setListener(&end);
    job.start(chosen);
    for (int waited = 0; waited < 30000 && end.ends == 0; waited += 20)
        spin(20);
    return end.ends == 1;
}

EraseJob::Options quietOptions(int level = 0) {
    EraseJob::Options options;
    options.level = level;
    options.solidState = {};
    options.copyOnWrite = {};
    options.protectedPaths = ErasePathCheck::Protected{};
    return options;
}

TEST(ErasePathCheckTest, RefusesWhatNamesNothingOrMoreThanWasMeant) {
    QTemporaryDir dir;
    writeFile(dir.path() + QStringLiteral("/x/f"), "x");
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path() + QStringLiteral("/x")));
    ErasePathCheck check(ErasePathCheck::Protected{});
    const struct {
        QByteArray path;
        Reason reason;
    } refused[] = {
        {"", Reason::Empty},
        {".", Reason::DotOrDotDot},
        {"..", Reason::DotOrDotDot},
        {"x/..", Reason::DotOrDotDot},
        {"f/.", Reason::DotOrDotDot},
        {"f/..", Reason::DotOrDotDot},
        {"./", Reason::DotOrDotDot},
        {"/", Reason::RootFolder},
        {"//", Reason::RootFolder},
        {"/./", Reason::DotOrDotDot},
        {"/tmp/..", Reason::DotOrDotDot},
        {"gone", Reason::Missing},
    };
    for (const auto& c : refused) {
        const ErasePathCheck::Result r = check.check(c.path);
        EXPECT_EQ(r.verdict, Verdict::Refuse) << c.path.constData();
        EXPECT_EQ(r.reason, c.reason) << c.path.constData();
        EXPECT_FALSE(ErasePathCheck::message(r).isEmpty());
    }
    // Relative paths are made absolute once; "./" and doubled slashes change nothing.
    const ErasePathCheck::Result f = check.check(QByteArray(".//f"));
    QDir::setCurrent(cwd);
    EXPECT_TRUE(f.accepted());
    EXPECT_EQ(f.absolute, QFile::encodeName(dir.path() + QStringLiteral("/x/f")));
}

TEST(ErasePathCheckTest, ProgramFilesAreRefusedAndSystemFoldersNeedConsent) {
    QTemporaryDir dir;
    const QString bundle = dir.path() + QStringLiteral("/app/KorvaneLoader.app");
    writeFile(bundle + QStringLiteral("/Contents/Resources/srm"), "tool");
    writeFile(dir.path() + QStringLiteral("/history/DataBase.db"), "db");
    writeFile(dir.path() + QStringLiteral("/home/me/notes"), "mine");
    ErasePathCheck::Protected p;
    p.bundle = QFile::encodeName(bundle);
    p.programFiles = {QFile::encodeName(dir.path() + QStringLiteral("/history/DataBase.db"))};
    p.homes = {QFile::encodeName(dir.path() + QStringLiteral("/home/me"))};
    ErasePathCheck check(p);
    for (const QString& path :
         {bundle, bundle + QStringLiteral("/Contents/Resources/srm"),
          dir.path() + QStringLiteral("/app"), dir.path(), dir.path() + QStringLiteral("/history")})
        EXPECT_EQ(check.check(path).reason, Reason::ProgramFiles) << path.toStdString();
    // A link to the bundle is only a link: erasing it removes the link.
    ASSERT_TRUE(QFile::link(bundle, dir.path() + QStringLiteral("/link")));
    EXPECT_TRUE(check.check(dir.path() + QStringLiteral("/link")).accepted());

    EXPECT_EQ(check.check(dir.path() + QStringLiteral("/home/me")).reason, Reason::HomeFolder);
    EXPECT_TRUE(check.check(dir.path() + QStringLiteral("/home/me/notes")).accepted());
    ErasePathCheck plain(ErasePathCheck::Protected{});
    for (const char* system : {"/usr", "/usr/bin", "/etc", "/var", "/var/lib", "/boot", "/home",
                               "/tmp", "/var/tmp", "/opt"})
        if (QFileInfo::exists(QString::fromLatin1(system))) {
            EXPECT_EQ(plain.check(QByteArray(system)).reason, Reason::SystemFolder) << system;
        }
    EXPECT_EQ(plain.check(QByteArray("/tmp/../usr/bin")).reason, Reason::SystemFolder)
        << "the folders are resolved before they are judged";
    EXPECT_EQ(check.check(QByteArray("/tmp")).reason, Reason::ProgramFiles)
        << "the program's own files weigh first: here the history lies below it";
}

TEST(ErasePathCheckTest, AMountPointNeedsConsent) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting needs root";
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + QStringLiteral("/mnt"));
    QDir().mkpath(dir.path() + QStringLiteral("/src"));
    const QByteArray mnt = QFile::encodeName(dir.path() + QStringLiteral("/mnt"));
    if (::mount(QFile::encodeName(dir.path() + QStringLiteral("/src")).constData(), mnt.constData(),
                nullptr, MS_BIND, nullptr) != 0)
        GTEST_SKIP() << "cannot bind-mount here";
    const ErasePathCheck::Result r = ErasePathCheck(ErasePathCheck::Protected{}).check(mnt);
    ::umount(mnt.constData());
    EXPECT_EQ(r.verdict, Verdict::NeedsConsent);
    EXPECT_EQ(r.reason, Reason::MountPoint);
}

class EraseJobTest : public ::testing::Test {
protected:
    void SetUp() override {
        bundle.addHistoryDatabase();
        HistoryLocation::setWritableCopyPath(work.path() + QStringLiteral("/copy/DataBase.db"));
    }
    void TearDown() override { HistoryLocation::setWritableCopyPath(QString()); }
    QString path(const QString& name) const { return work.path() + QLatin1Char('/') + name; }

    FakeBundle bundle;
    QTemporaryDir work;
};

// The one rule: a chosen item is erased only when everything in it was; each history line
// names the standard the item really got and the entry is written once, whole.
TEST_F(EraseJobTest, JudgesEachChosenItemByEverythingInItAndRecordsItOnce) {
    writeFile(path("tree/ok"), "x");
    writeFile(path("tree/sub/toolfails"), "y");
    writeFile(path("Thing.app/Contents/bin"), "z");
    EraseJob::Options options = quietOptions(7);
    options.solidState = [](const QString&) { return true; };
    EraseJob job(options);
    const QList<FileObjPtr> chosen{job.builder().addFileToArr(path("tree")),
                                   job.builder().addFileToArr(path("Thing.app"))};
    JobEnd end;
    ASSERT_TRUE(runJob(job, chosen, end));
    EXPECT_FLOAT_EQ(end.progress.last(), 100.0f) << "the run ends at 100%";

    const EraseReport& report = job.report();
    ASSERT_EQ(report.lines.size(), 2);
    EXPECT_EQ(report.lines[0].outcome, EraseReport::Outcome::Failed);
    ASSERT_EQ(report.lines[0].problems.size(), 1) << "the folders left above it say nothing new";
    EXPECT_EQ(report.lines[0].problems[0].path, path("tree/sub/toolfails"));
    EXPECT_EQ(report.lines[0].problems[0].toolMessage, QStringLiteral("fake failure"));
    EXPECT_TRUE(QFileInfo::exists(path("tree/sub/toolfails")));
    EXPECT_FALSE(QFileInfo::exists(path("tree/ok")));
    EXPECT_EQ(report.lines[1].outcome, EraseReport::Outcome::Erased);
    // Solid-state storage gets one pass whatever the level; a folder named like a bundle has
    // its files overwritten.
    EXPECT_TRUE(bundle.srmRuns().contains("-fsvrz " + path("Thing.app/Contents/bin")));

    const HistoryData history = DoDataBase::returnDoDataBase()->getAllData();
    ASSERT_EQ(history.size(), 1);
    const HistoryRecords lines = history.first();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1].result, QStringLiteral("Failed"));
    EXPECT_EQ(lines[2].items, path("Thing.app"));
    EXPECT_EQ(lines[2].result, QStringLiteral("Erased"));
    for (int i : {1, 2})
        EXPECT_EQ(lines[i].erasureStandard, QStringLiteral("HMG Infosec Standard 5"))
            << "the history names the one pass really given, not the stored 7";
    EXPECT_TRUE(report.historyRecorded);
}

// An erased item whose name the tool could not take out of the file-system journal is not
// called plainly erased: the report, its result text and the history say that names may remain.
TEST_F(EraseJobTest, NamesLeftInTheJournalAreSaidInTheResultAndTheHistory) {
    writeFile(path("tree/plain"), "x");
    writeFile(path("tree/sub/tooljournal"), "y");
    writeFile(path("other"), "z");
    EraseJob job(quietOptions());
    const QList<FileObjPtr> chosen{job.builder().addFileToArr(path("tree")),
                                   job.builder().addFileToArr(path("other"))};
    JobEnd end;
    ASSERT_TRUE(runJob(job, chosen, end));

    const EraseReport& report = job.report();
    ASSERT_EQ(report.lines.size(), 2);
    EXPECT_EQ(report.lines[0].outcome, EraseReport::Outcome::Erased);
    EXPECT_TRUE(report.lines[0].namesInJournal) << "a note inside a folder reaches the folder";
    EXPECT_EQ(EraseReport::resultText(report.lines[0]),
              QStringLiteral("Erased; names may remain in the file system journal"));
    EXPECT_FALSE(report.lines[1].namesInJournal);
    EXPECT_EQ(EraseReport::resultText(report.lines[1]), QStringLiteral("Erased"));
    EXPECT_EQ(report.namesInJournal(), QStringList{path("tree")});

    const HistoryData history = DoDataBase::returnDoDataBase()->getAllData();
    ASSERT_EQ(history.size(), 1);
    EXPECT_EQ(history.first()[1].result, EraseReport::kJournalResult);
    EXPECT_EQ(history.first()[2].result, QStringLiteral("Erased"));
}

TEST_F(EraseJobTest, HomeAndSystemFoldersAreErasedOnlyWithConsent) {
    writeFile(path("home/me/notes"), "x");
    for (bool consented : {false, true}) {
        EraseJob::Options options = quietOptions();
        options.consented = consented;
        options.protectedPaths->homes = {QFile::encodeName(path("home/me"))};
        EraseJob job(options);
        JobEnd end;
        ASSERT_TRUE(runJob(job, {job.builder().addFileToArr(path("home/me"))}, end));
        ASSERT_EQ(job.report().lines.size(), 1);
        EXPECT_EQ(job.report().lines[0].refused, !consented);
        EXPECT_EQ(QFileInfo::exists(path("home/me/notes")), !consented);
        EXPECT_EQ(bundle.srmRuns().isEmpty(), !consented) << "nothing reached the tool";
    }
}

// A cancel while a file of a folder is being overwritten: that file is finished and removed
// (the tool says "stopped"), the rest is untouched. The folder is not "Erased": its line, the
// history and the counts say what of it went; a chosen file never begun is "not reached".
TEST_F(EraseJobTest, CancelledRunCountsErasedStoppedAndNotReachedFiles) {
    for (const char* name : {"t/1", "t/2", "t/3-toolstops", "t/4", "t/sub/5"})
        writeFile(path(name), name);
    writeFile(path("later"), "l");
    EraseJob job(quietOptions(3));
    JobEnd end;
    job.setListener(&end);
    job.start({job.builder().addFileToArr(path("t")), job.builder().addFileToArr(path("later"))});
    for (int i = 0; i < 500 && bundle.sleeperPid() <= 0; ++i)
        spin(20);
    ASSERT_GT(bundle.sleeperPid(), 0) << "the tool never reached the file that stops";
    job.cancel();
    for (int waited = 0; waited < 20000 && end.ends == 0; waited += 20)
        spin(20);
    ASSERT_EQ(end.ends, 1);

    const EraseReport& report = job.report();
    EXPECT_TRUE(report.cancelled);
    ASSERT_EQ(report.lines.size(), 2);
    const EraseReport::Line& folder = report.lines[0];
    EXPECT_EQ(folder.outcome, EraseReport::Outcome::Stopped);
    EXPECT_TRUE(folder.stillPresent);
    int goneBeforeTheStop = 0;
    for (const char* name : {"t/1", "t/2", "t/4", "t/sub/5"})
        goneBeforeTheStop += QFileInfo::exists(path(name)) ? 0 : 1;
    EXPECT_EQ(folder.files.erased, goneBeforeTheStop);
    EXPECT_EQ(folder.files.stopped, 1);
    EXPECT_EQ(folder.files.failed, 0);
    EXPECT_EQ(folder.files.total(), 5) << "every file of the folder is counted once";
    EXPECT_EQ(folder.files.stoppedAfterPass, 1);
    EXPECT_EQ(folder.files.stoppedPassesPlanned, 3);
    EXPECT_FALSE(QFileInfo::exists(path("t/3-toolstops")));
    const QString folderText =
        QStringLiteral("Cancelled: %1 files erased, 1 stopped after pass 1 of 3 (removed), %2 "
                       "not reached")
            .arg(folder.files.erased)
            .arg(folder.files.notReached);
    EXPECT_EQ(folder.item->failStr, folderText);

    const EraseReport::Line& later = report.lines[1];
    EXPECT_EQ(later.outcome, EraseReport::Outcome::NotReached);
    EXPECT_EQ(later.files.notReached, 1);
    EXPECT_TRUE(QFileInfo::exists(path("later")));
    EXPECT_EQ(report.fileCounts().total(), 6);
    EXPECT_EQ(report.fileCounts().notReached, folder.files.notReached + 1);

    // The history keeps the same words, one line per chosen item.
    ASSERT_TRUE(report.historyRecorded);
    const HistoryData history = DoDataBase::returnDoDataBase()->getAllData();
    ASSERT_EQ(history.size(), 1);
    QMap<QString, QString> results;
    for (const HistoryRecord& record : history.first())
        if (!record.isHeader())
            results.insert(record.items, record.result);
    EXPECT_EQ(results, (QMap<QString, QString>{
                           {path("t"), folderText},
                           {path("later"), "Not erased: cancelled before it was reached"}}));
}

// What the plan could not read inside a chosen folder is that folder's failure, with why, when
// the erasure runs from the plan (the window and `korvane erase` do) as when it expands itself.
TEST_F(EraseJobTest, AFolderThePlanCouldNotReadFailsWithWhyThroughTheOperation) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every folder: no folder can be made unreadable";
    writeFile(path("tree/open.txt"), "x");
    writeFile(path("tree/locked/inside.txt"), "y");
    ASSERT_TRUE(QFile::setPermissions(path("tree/locked"), QFileDevice::Permissions()));
    struct Unlock {
        QString folder;
        ~Unlock() {
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
        }
    } unlock{path("tree/locked")};

    EraseFilesOperation operation(QList<QByteArray>{QFile::encodeName(path("tree"))},
                                  quietOptions());
    const DestructiveOperation::StopToken stop;
    const DestructiveOperation::Plan plan = operation.plan(stop, {});
    ASSERT_TRUE(plan.runnable());
    const DestructiveOperation::Report report =
        operation.run(plan, DestructiveOperation::Consents::all(), stop, {});
    ASSERT_EQ(report.items.size(), 1);
    EXPECT_EQ(report.items.first().outcome, DestructiveOperation::Outcome::Failed);
    // The lines the windows show for what was not erased.
    const QString problems = operation.eraseReport().problemLines().join(QLatin1Char('\n'));
    EXPECT_TRUE(problems.contains(path("tree/locked")) &&
                problems.contains(QLatin1String("Permission denied")))
        << problems.toStdString();
    EXPECT_TRUE(QFileInfo::exists(path("tree/locked")));
}

} // namespace
