#include "ModuleUiTestSupport.h"

#include "app/Main/FileEraser/FileEraserFailViewController.h"
#include "app/Main/FileEraser/FileEraserListView.h"
#include "app/Main/FileEraser/FileEraserProgressViewController.h"
#include "app/Main/FileEraser/FileEraserViewController.h"
#include "app/SetEraserLevel/HistoryViewController.h"
#include "app/inter/DoDataBase.h"
#include "app/ui/ImageButton.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace moduletest;

namespace {

// The one history entry written so far, header line first.
HistoryRecords onlyEntry() {
    const HistoryData history = DoDataBase::returnDoDataBase()->getAllData();
    EXPECT_EQ(history.size(), 1);
    return history.isEmpty() ? HistoryRecords{} : history.first();
}

QMap<QString, QString> resultsByPath(const HistoryRecords& records) {
    QMap<QString, QString> results;
    for (const HistoryRecord& record : records)
        if (!record.isHeader())
            results.insert(record.items, record.result);
    return results;
}

// Presses Erase Now and waits until the result window was closed.
void eraseNow(FileEraserViewController& module) {
    QSignalSpy finished(&module, &FileEraserViewController::erasureFinished);
    module.listView()->eraseButton()->click();
    if (finished.isEmpty())
        ASSERT_TRUE(finished.wait(30000)) << "the erasure did not finish";
}

} // namespace

TEST(FileEraserErasureTest, ErasesSelectedTreeKeepsUnselectedAndRecordsHistory) {
    TempBundle bundle;
    const QString w = bundle.work();
    const QString tree = w + "/tree";
    writeFile(tree + "/x.txt", 4000);
    writeFile(tree + "/sub/y.bin", 70000);
    writeFile(tree + "/sub/empty.txt", 0);
    QDir().mkpath(tree + "/sub/nothing");
    const QString single = writeFile(w + "/single.doc", 1200);
    const QString keep1 = writeFile(w + "/keep1.txt", 100);
    const QString keep2 = writeFile(w + "/keep2.txt", 100);

    OwnerSpy owner;
    FileEraserViewController module(&owner);
    module.resize(784, 600);
    module.show();
    module.addPaths({tree, keep1, single, keep2});
    ASSERT_EQ(module.valueArr().size(), 4);
    module.valueArr().at(1)->isSelect = false;
    module.valueArr().at(3)->isSelect = false;

    // Watch the progress window as it is closed by the end of the run.
    QStringList countsSeen;
    int lowestBar = 100;
    Answerer answerer({{"MakeSureFileEraserViewControoler", "eraseButton", {}},
                       {"FileEraserSuccessViewController", "okButton", {}},
                       {"FileEraserFailViewController", "okButton", {}}});
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (FileEraserProgressViewController* progress = module.progressView()) {
            countsSeen.append(progress->countLabel()->text());
            lowestBar = qMin(lowestBar, progress->progressBar()->value());
        }
    });
    watch.start();
    eraseNow(module);

    EXPECT_EQ(answerer.answered(),
              (QStringList{"MakeSureFileEraserViewControoler", "FileEraserSuccessViewController"}));
    EXPECT_FALSE(exists(tree));
    EXPECT_FALSE(exists(single));
    EXPECT_TRUE(exists(keep1));
    EXPECT_TRUE(exists(keep2));
    EXPECT_EQ(owner.calls, (QList<bool>{false, true}));
    EXPECT_GE(lowestBar, 2);
    // Seven work items: the tree's five entries, the tree itself and the single file.
    static const QRegularExpression count(QStringLiteral("^[1-7] of 7 items$"));
    ASSERT_FALSE(countsSeen.isEmpty());
    for (const QString& text : countsSeen)
        EXPECT_TRUE(count.match(text).hasMatch()) << text.toStdString();

    // The unselected items stay listed; the erased ones are in the history as "Erased".
    ASSERT_EQ(module.valueArr().size(), 2);
    EXPECT_EQ(module.valueArr().at(0)->url, keep1);
    EXPECT_EQ(module.valueArr().at(1)->url, keep2);
    EXPECT_TRUE(module.showsList());
    const HistoryRecords entry = onlyEntry();
    ASSERT_EQ(entry.size(), 3);
    EXPECT_TRUE(entry.first().isHeader());
    EXPECT_EQ(resultsByPath(entry), (QMap<QString, QString>{{tree, "Erased"}, {single, "Erased"}}));
    EXPECT_EQ(entry.at(1).erasureStandard, QStringLiteral("HMG Infosec Standard 5"));

    // Unseen history lights the button; opening the history clears it.
    EXPECT_EQ(bundle.settingValue("WipeFileHistory"), QStringLiteral("1"));
    EXPECT_EQ(module.historyButton()->imageName(), QStringLiteral("ic_history"));
    module.historyButton()->click();
    EXPECT_EQ(bundle.settingValue("WipeFileHistory"), QStringLiteral("0"));
    EXPECT_EQ(module.historyButton()->imageName(), QStringLiteral("ic_nohistory"));
    ASSERT_NE(module.historyView(), nullptr);
    EXPECT_EQ(module.historyView()->sortedKeys().size(), 1);
}

TEST(FileEraserErasureTest, CancelInTheMiddleStopsAndReportsWhatIsLeft) {
    TempBundle bundle;
    const QString w = bundle.work();
    const QStringList files{writeFile(w + "/1.txt", 10), writeFile(w + "/2.txt", 10),
                            writeFile(w + "/3-slow.txt", 10), writeFile(w + "/4.txt", 10),
                            writeFile(w + "/5.txt", 10)};
    OwnerSpy owner;
    FileEraserViewController module(&owner);
    module.resize(784, 600);
    module.show();
    module.addPaths(files);

    bool noticeShown = false;
    Answerer answerer(
        {{"MakeSureFileEraserViewControoler", "eraseButton", {}},
         // Cancel once the third item (whose tool keeps running) is under way.
         {"FileEraserProgressViewController", "cancelButton",
          [](QWidget* view) {
              return static_cast<FileEraserProgressViewController*>(view)->countLabel()->text() ==
                     QStringLiteral("3 of 5 items");
          }},
         {"FileEraserFailViewController", "okButton", {}},
         {"FileEraserSuccessViewController", "okButton", {}}});
    answerer.inspect = [&](QWidget* view) {
        if (auto* fail = qobject_cast<FileEraserFailViewController*>(view))
            noticeShown = fail->cancelNotice()->isVisibleTo(fail);
    };
    QElapsedTimer clock;
    clock.start();
    eraseNow(module);

    EXPECT_LT(clock.elapsed(), 20000) << "cancelling must not wait for the running tool";
    EXPECT_EQ(answerer.answered(),
              (QStringList{"MakeSureFileEraserViewControoler", "FileEraserProgressViewController",
                           "FileEraserFailViewController"}));
    EXPECT_TRUE(noticeShown);
    EXPECT_FALSE(exists(files[0]));
    EXPECT_FALSE(exists(files[1]));
    for (int i = 2; i < 5; ++i)
        EXPECT_TRUE(exists(files[i])) << files[i].toStdString();
    EXPECT_EQ(owner.calls, (QList<bool>{false, true}));
    EXPECT_TRUE(module.valueArr().isEmpty());
    EXPECT_FALSE(module.showsList());
    EXPECT_EQ(resultsByPath(onlyEntry()), (QMap<QString, QString>{{files[0], "Erased"},
                                                                  {files[1], "Erased"},
                                                                  {files[2], "Failed"},
                                                                  {files[3], "Failed"},
                                                                  {files[4], "Failed"}}));
    EXPECT_EQ(bundle.settingValue("WipeFileHistory"), QStringLiteral("1"));
}

TEST(FileEraserErasureTest, DecliningTheConfirmationErasesNothing) {
    TempBundle bundle;
    const QString file = writeFile(bundle.work() + "/stay.txt", 10);
    OwnerSpy owner;
    FileEraserViewController module(&owner);
    module.show();
    module.addPaths({file});
    Answerer answerer({{"MakeSureFileEraserViewControoler", "cancelButton", {}}});
    module.listView()->eraseButton()->click();
    EXPECT_EQ(answerer.answered(), QStringList{"MakeSureFileEraserViewControoler"});
    EXPECT_TRUE(exists(file));
    EXPECT_EQ(module.valueArr().size(), 1);
    EXPECT_TRUE(owner.calls.isEmpty());
    EXPECT_TRUE(DoDataBase::returnDoDataBase()->getAllData().isEmpty());
}

TEST(FileEraserErasureTest, ThousandsOfTinyFilesKeepTheWindowAnswering) {
    TempBundle bundle;
    const QString tree = bundle.work() + "/many";
    QDir().mkpath(tree);
    for (int i = 0; i < 3000; ++i)
        writeFile(tree + QStringLiteral("/f%1").arg(i), i % 100 == 0 ? 10 : 0);
    FileEraserViewController module(nullptr);
    module.show();
    module.addPaths({tree});

    // A timer of the main thread keeps firing while the files go.
    int ticksWhileErasing = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] { ticksWhileErasing += module.isErasing(); });
    ticker.start();
    Answerer answerer({{"MakeSureFileEraserViewControoler", "eraseButton", {}},
                       {"FileEraserSuccessViewController", "okButton", {}},
                       {"FileEraserFailViewController", "okButton", {}}});
    eraseNow(module);

    EXPECT_EQ(answerer.answered().value(1), QStringLiteral("FileEraserSuccessViewController"));
    EXPECT_FALSE(exists(tree));
    EXPECT_GT(ticksWhileErasing, 3);
}

namespace {

TEST(FileEraserErasureTest, MissingToolIsReportedBeforeAnythingStarts) {
    TempBundle bundle;
    ASSERT_TRUE(QFile::remove(bundle.resources() + "/srm"));
    const QString file = writeFile(bundle.work() + "/stay.txt", 10);
    OwnerSpy owner;
    FileEraserViewController module(&owner);
    module.show();
    module.addPaths({file});
    bool alerted = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(top);
                box && box->objectName() == QLatin1String("toolMissingAlert") && box->isVisible()) {
                alerted = true;
                box->accept();
            }
    });
    closer.start(20);
    Answerer answerer({{"MakeSureFileEraserViewControoler", "cancelButton", {}}});
    module.listView()->eraseButton()->click();
    EXPECT_TRUE(alerted);
    EXPECT_TRUE(answerer.answered().isEmpty()) << "no confirmation without a tool";
    EXPECT_TRUE(exists(file));
    EXPECT_TRUE(owner.calls.isEmpty());
}

} // namespace

// Names the tool could not take out of a journal: the success view says so, and so does the
// history's result of that item.
TEST(FileEraserErasureTest, SuccessViewSaysWhenNamesMayRemainInTheJournal) {
    TempBundle bundle;
    const QString file = writeFile(bundle.work() + "/tooljournal.txt", 300);
    FileEraserViewController module(nullptr);
    module.show();
    module.addPaths({file});
    ASSERT_EQ(module.valueArr().size(), 1);
    QString warning;
    Answerer answerer({{"MakeSureFileEraserViewControoler", "eraseButton", {}},
                       {"FileEraserSuccessViewController", "okButton", {}},
                       {"FileEraserFailViewController", "okButton", {}}});
    answerer.inspect = [&](QWidget* view) {
        for (QLabel* label : view->findChildren<QLabel*>(QStringLiteral("warningText")))
            warning += label->text();
    };
    eraseNow(module);
    EXPECT_EQ(answerer.answered().value(1), QStringLiteral("FileEraserSuccessViewController"));
    EXPECT_TRUE(warning.contains(QLatin1String("may remain in the file system journal")))
        << warning.toStdString();
    EXPECT_EQ(resultsByPath(onlyEntry()).value(file), EraseReport::kJournalResult);
}

// Erased, but the damaged history could not take the entry: the success view says so and why,
// and the damaged file is not written into.
TEST(FileEraserErasureTest, SuccessViewSaysWhenTheHistoryCouldNotRecordIt) {
    TempBundle bundle;
    const QString history = bundle.resources() + QStringLiteral("/DataBase.db");
    const QByteArray damaged(4096, '\x5a');
    {
        QFile file(history);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(damaged), damaged.size());
    }
    const QString file = writeFile(bundle.work() + "/unrecorded.txt", 300);
    FileEraserViewController module(nullptr);
    module.show();
    module.addPaths({file});
    QString warning;
    Answerer answerer({{"MakeSureFileEraserViewControoler", "eraseButton", {}},
                       {"FileEraserSuccessViewController", "okButton", {}},
                       {"FileEraserFailViewController", "okButton", {}}});
    answerer.inspect = [&](QWidget* view) {
        for (QLabel* label : view->findChildren<QLabel*>(QStringLiteral("warningText")))
            warning += label->text();
    };
    eraseNow(module);
    EXPECT_EQ(answerer.answered().value(1), QStringLiteral("FileEraserSuccessViewController"));
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_TRUE(warning.contains(QStringLiteral("could not be recorded in the history: ") +
                                 history + QStringLiteral(" is damaged")))
        << warning.toStdString();
    QFile kept(history);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), damaged);
}
