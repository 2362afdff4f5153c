#include "EngineTestSupport.h"

#include "app/Comm/UserDefaults.h"
#include "app/Main/FileEraser/DoRemoveObj.h"
#include "app/Main/FileEraser/FileObjBuilder.h"
#include "app/Main/FileEraser/RemoveFileAndFolder.h"
#include "platform/BundleLocator.h"
#include "tests/support/RealToolBundle.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace enginetest;

namespace {

class RemoveFileAndFolderTest : public ::testing::Test {
protected:
    FakeBundle bundle;
    QTemporaryDir work;
    Recorder recorder;

    QString path(const QString& name) const { return work.path() + QLatin1Char('/') + name; }

    // A file with content, built as the module builds items.
    FileObjPtr file(const QString& name, const QByteArray& data = "secret data") {
        writeFile(path(name), data);
        return FileObjBuilder(kNoMediumCheck).addFileToArr(path(name));
    }
    FileObjPtr folder(const QString& name) {
        QDir().mkpath(path(name));
        return FileObjBuilder(kNoMediumCheck).addFileToArr(path(name));
    }
    bool exists(const QString& name) const { return QFileInfo::exists(path(name)); }

    void run(RemoveFileAndFolder& task, const QList<FileObjPtr>& items) {
        task.setDelegate(&recorder);
        task.benginToTraskWithArr(items);
        ASSERT_TRUE(waitForEnd(recorder));
        EXPECT_EQ(recorder.ends, 1) << "the end must be reported exactly once";
    }
};

TEST_F(RemoveFileAndFolderTest, ProgressIsEightyForOneItemAndAStepPerItemOtherwise) {
    {
        RemoveFileAndFolder task;
        run(task, {file("one")});
        ASSERT_EQ(recorder.progress.size(), 1);
        EXPECT_FLOAT_EQ(recorder.progress[0].value, 80.0f);
        EXPECT_EQ(recorder.progress[0].index, 0);
        EXPECT_EQ(recorder.progress[0].path, path("one"));
        EXPECT_EQ(recorder.processed.at(0)->failStr, QStringLiteral("Success"));
    }
    recorder = Recorder();
    RemoveFileAndFolder task;
    run(task, {file("a"), file("b"), file("c"), file("d")});
    ASSERT_EQ(recorder.progress.size(), 4);
    const float expected[] = {0, 25, 50, 75};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(recorder.progress[i].value, expected[i]);
        EXPECT_EQ(recorder.progress[i].index, i);
    }
    EXPECT_EQ(recorder.processed.size(), 4);
    EXPECT_EQ(recorder.fails, 0);
    EXPECT_EQ(bundle.srmRuns().size(), 5); // one, then a to d
}

TEST_F(RemoveFileAndFolderTest, OptionWordFollowsTheStoredLevelAndSolidStateGetsOnePass) {
    const QString program = QStringLiteral("KorvaneEngineTest");
    const struct {
        int stored;
        const char* option;
    } rows[] = {{1, "-fsvrz"}, {2, "-fsvrz"}, {3, "-fEvrz"},  {7, "-fmvrz"},
                {35, "-fvrz"}, {0, "-fsvrz"}, {-5, "-fsvrz"}, {12, "-fsvrz"}};
    QStringList expected;
    for (const auto& row : rows) {
        UserDefaults(program).setEraserTimes(row.stored);
        RemoveFileAndFolder task(program);
        EXPECT_GE(task.getEraserTimes(), 1);
        recorder = Recorder();
        const QString name = QStringLiteral("level%1").arg(row.stored);
        run(task, {file(name)});
        expected << QStringLiteral("%1 %2").arg(QLatin1String(row.option), path(name));
    }
    // An item on a solid-state device is always erased with a single pass.
    UserDefaults(program).setEraserTimes(35);
    RemoveFileAndFolder task(program);
    FileObjPtr ssd = file("ssd");
    ssd->isSSD = true;
    recorder = Recorder();
    run(task, {ssd});
    expected << QStringLiteral("-fsvrz %1").arg(path("ssd"));
    EXPECT_EQ(bundle.srmRuns(), expected);

    // Another program's defaults are not read: the loader's copy keeps its own level.
    UserDefaults(QStringLiteral("KorvaneEngineTestOther")).setEraserTimes(7);
    EXPECT_EQ(RemoveFileAndFolder(QStringLiteral("KorvaneEngineTestOther")).getEraserTimes(), 7);
    EXPECT_EQ(RemoveFileAndFolder(program).getEraserTimes(), 35);
}

// Every item goes to the one tool process, in list order; a folder that still holds something
// by its turn fails with the tool's reason and keeps what it holds.
TEST_F(RemoveFileAndFolderTest, EveryItemGoesToOneToolInListOrder) {
    FileObjPtr empty = file("empty", QByteArray());
    FileObjPtr emptyFolder = folder("hollow");
    FileObjPtr full = folder("full");
    writeFile(path("full/kept"), "x"); // not in the list, so the folder still has content
    RemoveFileAndFolder task;
    run(task, {empty, emptyFolder, full});
    EXPECT_EQ(bundle.srmRuns(), (QStringList{"-fsvrz " + path("empty"), "-fsvrz " + path("hollow"),
                                             "-fsvrz " + path("full")}));
    EXPECT_EQ(empty->failStr, QStringLiteral("Success"));
    EXPECT_EQ(emptyFolder->failStr, QStringLiteral("Success"));
    EXPECT_FALSE(exists("empty"));
    EXPECT_FALSE(exists("hollow"));
    EXPECT_EQ(full->failStr, QStringLiteral("Fail"));
    EXPECT_EQ(full->result.reason, EraseItemResult::Reason::NotEmpty);
    EXPECT_FALSE(full->result.toolMessage.isEmpty());
    EXPECT_TRUE(exists("full/kept"));
    EXPECT_EQ(recorder.fails, 1);
    EXPECT_EQ(empty->eraserLevel, 1);
}

TEST_F(RemoveFileAndFolderTest, EmptyFileThatCannotBeRemovedFailsAndIsReported) {
    FileObjPtr empty = file("locked/empty", QByteArray());
    if (!setImmutable(path("locked"), true))
        GTEST_SKIP() << "the file system of the temporary folder has no immutable flag";
    RemoveFileAndFolder task;
    run(task, {empty});
    setImmutable(path("locked"), false);
    EXPECT_EQ(empty->failStr, QStringLiteral("Fail"));
    EXPECT_TRUE(exists("locked/empty"));
    EXPECT_EQ(recorder.fails, 1) << "a file left behind must reach the failure view";
}

TEST_F(RemoveFileAndFolderTest, ToolFailureOrAPathLeftBehindIsAFailure) {
    FileObjPtr fails = file("toolfails");
    FileObjPtr keeps = file("toolkeeps");
    FileObjPtr fine = file("fine");
    FileObjPtr vanished = file("vanished");
    QFile::remove(path("vanished")); // recorded with content, gone before its turn
    RemoveFileAndFolder task;
    run(task, {fails, keeps, fine, vanished});
    EXPECT_EQ(fails->failStr, QStringLiteral("Fail"));
    EXPECT_EQ(fails->result.toolMessage, QStringLiteral("fake failure")) << "the tool's reason";
    EXPECT_EQ(keeps->failStr, QStringLiteral("Fail")) << "the tool said erased; the path is there";
    EXPECT_EQ(fine->failStr, QStringLiteral("Success"));
    EXPECT_EQ(vanished->failStr, QStringLiteral("Success"));
    EXPECT_EQ(recorder.fails, 2);
    EXPECT_EQ(recorder.processed.size(), 4);
    EXPECT_EQ(bundle.srmRuns().size(), 4);
}

// Below a chosen folder too: the folder stays (it still holds the file), so each path the tool
// answered for is looked at. Where the folder went, everything below it went with it.
TEST_F(RemoveFileAndFolderTest, APathLeftBelowAChosenFolderIsAFailure) {
    FileObjBuilder builder(kNoMediumCheck);
    writeFile(path("stays/sub/toolkeeps"), "x");
    writeFile(path("stays/sub/fine"), "x");
    writeFile(path("goes/sub/fine"), "x");
    const QList<FileObjPtr> items = builder.buildWorkList(
        {builder.addFileToArr(path("stays")), builder.addFileToArr(path("goes"))});
    RemoveFileAndFolder task;
    run(task, items);
    QHash<QString, FileObjPtr> byPath;
    for (const FileObjPtr& item : items)
        byPath.insert(item->url, item);
    ASSERT_EQ(byPath.size(), 7);
    const FileObjPtr kept = byPath.value(path("stays/sub/toolkeeps"));
    EXPECT_EQ(kept->result.outcome, EraseItemResult::Outcome::Failed);
    EXPECT_EQ(kept->result.toolMessage, QStringLiteral("it is still there after the erasure"));
    EXPECT_EQ(byPath.value(path("stays/sub/fine"))->result.outcome,
              EraseItemResult::Outcome::Erased);
    EXPECT_EQ(byPath.value(path("stays"))->result.reason, EraseItemResult::Reason::NotEmpty);
    for (const QString& gone : {"goes", "goes/sub", "goes/sub/fine"})
        EXPECT_EQ(byPath.value(path(gone))->failStr, QStringLiteral("Success"))
            << gone.toStdString();
    EXPECT_FALSE(exists("goes"));
    EXPECT_EQ(recorder.fails, 3) << "the kept file and the two folders that hold it";
}

TEST_F(RemoveFileAndFolderTest, MissingToolFailsEveryFileAndTheRunStillEnds) {
    QFile::remove(bundle.srmPath());
    FileObjPtr a = file("a");
    FileObjPtr b = file("b");
    RemoveFileAndFolder task;
    run(task, {a, b});
    EXPECT_EQ(a->failStr, QStringLiteral("Fail"));
    EXPECT_EQ(b->failStr, QStringLiteral("Fail"));
    EXPECT_EQ(a->result.reason, EraseItemResult::Reason::ToolMissing);
    EXPECT_TRUE(exists("a"));
    EXPECT_EQ(recorder.fails, 2);
}

// A tool that dies half-way: what it did not answer for is failed, not left pending.
TEST_F(RemoveFileAndFolderTest, ToolThatStopsEarlyFailsTheRest) {
    FileObjPtr a = file("a");
    FileObjPtr crash = file("toolcrash");
    FileObjPtr c = file("c");
    RemoveFileAndFolder task;
    run(task, {a, crash, c});
    EXPECT_EQ(a->failStr, QStringLiteral("Success"));
    for (const FileObjPtr& item : {crash, c}) {
        EXPECT_EQ(item->failStr, QStringLiteral("Fail"));
        EXPECT_EQ(item->result.reason, EraseItemResult::Reason::ToolStopped);
    }
    EXPECT_EQ(recorder.processed.size(), 3);
}

TEST_F(RemoveFileAndFolderTest, ToolThatCannotStartFailsTheItem) {
    // Present and executable but not startable: an interpreter that does not exist.
    writeFile(bundle.srmPath(), "#!/nonexistent/interpreter\n");
    FileObjPtr a = file("a");
    RemoveFileAndFolder task;
    run(task, {a});
    EXPECT_EQ(a->failStr, QStringLiteral("Fail"));
    EXPECT_TRUE(exists("a"));
}

TEST_F(RemoveFileAndFolderTest, CancelDuringTheThirdOfFiveStopsItsTool) {
    QList<FileObjPtr> items = {file("1"), file("2"), file("3-toolsleeps"), file("4"), file("5")};
    RemoveFileAndFolder task;
    qint64 pid = 0;
    recorder.onProgress = [&](int index) {
        if (index != 2)
            return;
        QMetaObject::invokeMethod(
            &task,
            [&] {
                pid = bundle.sleeperPid(); // the tool of item three is running now
                task.isCancel();
            },
            Qt::QueuedConnection);
    };
    QElapsedTimer clock;
    clock.start();
    run(task, items);
    EXPECT_LT(clock.elapsed(), 15000) << "the running tool must be stopped, not waited for";
    ASSERT_EQ(recorder.processed.size(), 3);
    EXPECT_EQ(recorder.processed[2], items[2]);
    EXPECT_EQ(items[2]->failStr, QStringLiteral("Fail")); // still on disk
    EXPECT_EQ(items[2]->result.outcome, EraseItemResult::Outcome::Cancelled);
    EXPECT_TRUE(exists("3-toolsleeps"));
    for (int i : {3, 4}) {
        EXPECT_TRUE(items[i]->failStr.isEmpty());
        EXPECT_TRUE(exists(items[i]->name));
    }
    ASSERT_GT(pid, 0);
    EXPECT_NE(::kill(pid_t(pid), 0), 0) << "the tool process is still alive";
    EXPECT_EQ(bundle.srmRuns().size(), 3);
}

TEST_F(RemoveFileAndFolderTest, AnotherProcessEndingDoesNotAdvanceTheRun) {
    FileObjPtr slow = file("toolpause");
    FileObjPtr next = file("next");
    RemoveFileAndFolder task;
    task.setDelegate(&recorder);
    task.benginToTraskWithArr({slow, next});
    spin(200);
    QProcess other;
    other.start(QStringLiteral("/bin/true"));
    ASSERT_TRUE(other.waitForFinished(5000));
    spin(300);
    EXPECT_EQ(task.idx(), 0);
    EXPECT_EQ(recorder.progress.size(), 1);
    EXPECT_EQ(recorder.ends, 0);
    ASSERT_TRUE(waitForEnd(recorder));
    EXPECT_EQ(recorder.ends, 1);
    EXPECT_EQ(slow->failStr, QStringLiteral("Success"));
    EXPECT_EQ(next->failStr, QStringLiteral("Success"));
}

TEST_F(RemoveFileAndFolderTest, ImmutableFileHasItsFlagClearedBeforeTheTool) {
    QTemporaryDir realRoot;
    const QString real = makeRealToolBundle(realRoot.path());
    if (real.isEmpty())
        GTEST_SKIP() << "the srm tool is not built into the bundle";
    BundleLocator::setOuterBundlePath(real);
    FileObjPtr pinned = file("pinned");
    if (!setImmutable(path("pinned"), true))
        GTEST_SKIP() << "the file system of the temporary folder has no immutable flag";
    if (::geteuid() != 0) {
        setImmutable(path("pinned"), false);
        GTEST_SKIP() << "clearing the immutable flag needs root";
    }
    RemoveFileAndFolder task;
    run(task, {pinned});
    if (exists("pinned"))
        setImmutable(path("pinned"), false);
    EXPECT_EQ(pinned->failStr, QStringLiteral("Success"));
    EXPECT_FALSE(exists("pinned"));
    BundleLocator::setOuterBundlePath(bundle.outer());
}

TEST_F(RemoveFileAndFolderTest, LinkToAFolderOutsideTheSelectionIsRemovedAsALink) {
    QTemporaryDir realRoot;
    const QString real = makeRealToolBundle(realRoot.path());
    if (real.isEmpty())
        GTEST_SKIP() << "the srm tool is not built into the bundle";
    BundleLocator::setOuterBundlePath(real);
    QTemporaryDir outside;
    writeFile(outside.path() + QStringLiteral("/precious/keep.txt"), "keep me");
    QDir().mkpath(path("chosen"));
    writeFile(path("chosen/own"), "mine");
    ASSERT_TRUE(QFile::link(outside.path() + QStringLiteral("/precious"), path("chosen/link")));
    ASSERT_TRUE(QFile::link(outside.path() + QStringLiteral("/precious/keep.txt"),
                            path("chosen/filelink")));
    FileObjBuilder builder(kNoMediumCheck);
    const QList<FileObjPtr> work = builder.buildWorkList({builder.addFileToArr(path("chosen"))});
    // A top-level link to a folder as well.
    ASSERT_TRUE(QFile::link(outside.path() + QStringLiteral("/precious"), path("toplink")));
    QList<FileObjPtr> all = work;
    all += builder.buildWorkList({builder.addFileToArr(path("toplink"))});
    RemoveFileAndFolder task;
    run(task, all);
    EXPECT_EQ(recorder.fails, 0);
    for (const FileObjPtr& item : all)
        EXPECT_EQ(item->failStr, QStringLiteral("Success")) << item->url.toStdString();
    EXPECT_FALSE(exists("chosen"));
    EXPECT_FALSE(QFileInfo(path("toplink")).isSymLink());
    EXPECT_EQ(QFile(outside.path() + QStringLiteral("/precious/keep.txt")).size(), 7);
    QFile kept(outside.path() + QStringLiteral("/precious/keep.txt"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("keep me"));
    BundleLocator::setOuterBundlePath(bundle.outer());
}

TEST_F(RemoveFileAndFolderTest, LongRunOfEmptyFilesDoesNotDeepenTheStack) {
    QTemporaryDir realRoot;
    const QString real = makeRealToolBundle(realRoot.path());
    if (real.isEmpty())
        GTEST_SKIP() << "the srm tool is not built into the bundle";
    BundleLocator::setOuterBundlePath(real);
    QDir().mkpath(path("many"));
    for (int i = 0; i < 3000; ++i) {
        QFile f(path(QStringLiteral("many/e%1").arg(i)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    FileObjBuilder builder(kNoMediumCheck);
    const QList<FileObjPtr> work = builder.buildWorkList({builder.addFileToArr(path("many"))});
    ASSERT_EQ(work.size(), 3001);
    // Run on a thread with a small stack: a call depth growing with the items overflows it.
    bool ended = false;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        RemoveFileAndFolder task;
        task.setDelegate(&recorder);
        task.benginToTraskWithArr(work);
        ended = waitForEnd(recorder, 120000);
    }));
    thread->setStackSize(256 * 1024);
    thread->start();
    ASSERT_TRUE(thread->wait(180000));
    ASSERT_TRUE(ended);
    EXPECT_EQ(recorder.processed.size(), 3001);
    EXPECT_EQ(recorder.fails, 0);
    EXPECT_FALSE(exists("many"));
    EXPECT_EQ(recorder.progress.size(), 3001);
    EXPECT_FLOAT_EQ(recorder.progress.last().value, 99.0f);
    BundleLocator::setOuterBundlePath(bundle.outer());
}

TEST_F(RemoveFileAndFolderTest, RestartWithANewListForgetsTheOldOne) {
    RemoveFileAndFolder task;
    run(task, {file("first")});
    recorder = Recorder();
    run(task, {file("second"), file("third")});
    EXPECT_EQ(recorder.processed.size(), 2);
    EXPECT_EQ(task.deleteErrorArr().size(), 2);
}

TEST(DoRemoveObjTest, ErasesEveryPathWithOnePassAndIgnoresOtherProcesses) {
    FakeBundle bundle;
    QTemporaryDir work;
    const QStringList paths = {work.path() + QStringLiteral("/toolpause"),
                               work.path() + QStringLiteral("/b")};
    for (const QString& p : paths)
        writeFile(p, "data");
    struct End : DoRemoveObjDelegate {
        int ends = 0;
        void removeObjEnd() override { ++ends; }
    } end;
    DoRemoveObj task(paths);
    task.setDelegate(&end);
    spin(200);
    QProcess other;
    other.start(QStringLiteral("/bin/true"));
    ASSERT_TRUE(other.waitForFinished(5000));
    spin(200);
    EXPECT_EQ(task.idx(), 0);
    for (int i = 0; i < 200 && end.ends == 0; ++i)
        spin(50);
    spin(100);
    EXPECT_EQ(end.ends, 1);
    EXPECT_EQ(bundle.srmRuns(), (QStringList{QStringLiteral("-fsvrz ") + paths[0],
                                             QStringLiteral("-fsvrz ") + paths[1]}));
    EXPECT_FALSE(QFileInfo::exists(paths[0]));
    EXPECT_FALSE(QFileInfo::exists(paths[1]));
}

} // namespace
