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

// Erases FILE alone in the window as a user who agrees would: the end view's name and the
// warnings it showed.
struct EndView {
    QString name;
    QString warning;
};
EndView eraseAloneAndReadTheEnd(const QString& file) {
    FileEraserViewController module(nullptr);
    module.show();
    module.addPaths({file});
    EXPECT_EQ(module.valueArr().size(), 1);
    EndView end;
    Answerer answerer({{"MakeSureFileEraserViewControoler", "eraseButton", {}},
                       {"FileEraserSuccessViewController", "okButton", {}},
                       {"FileEraserFailViewController", "okButton", {}}});
    answerer.inspect = [&](QWidget* view) {
        for (QLabel* label : view->findChildren<QLabel*>(QStringLiteral("warningText")))
            end.warning += label->text();
    };
    eraseNow(module);
    end.name = answerer.answered().value(1);
    return end;
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
        // The window of the erasure itself; the one before it shows the entries found.
        if (FileEraserProgressViewController* progress = module.progressView();
            progress && module.isErasing()) {
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
    // What the cancel left untouched stays listed, so that it can be erased again.
    QStringList listed;
    for (const FileObjPtr& item : module.valueArr())
        listed << item->url;
    EXPECT_EQ(listed, files.mid(2));
    EXPECT_TRUE(module.showsList());
    const QString notReached = QStringLiteral("Not erased: cancelled before it was reached");
    EXPECT_EQ(resultsByPath(onlyEntry()), (QMap<QString, QString>{{files[0], "Erased"},
                                                                  {files[1], "Erased"},
                                                                  {files[2], notReached},
                                                                  {files[3], notReached},
                                                                  {files[4], notReached}}));
    EXPECT_EQ(bundle.settingValue("WipeFileHistory"), QStringLiteral("1"));
}

// Cancel inside a folder while one of its files is being overwritten: that file is finished and
// removed, the result counts the folder's files, and the folder, still holding what was not
// reached, stays in the list with the file chosen after it; only the erased file leaves.
TEST(FileEraserErasureTest, CancelInsideAFolderCountsItsFilesAndKeepsWhatIsLeft) {
    TempBundle bundle;
    const QString w = bundle.work();
    const QString first = writeFile(w + "/a-first.txt", 10);
    const QString folder = w + "/b-folder";
    for (const char* name : {"/1.txt", "/2-toolstops.txt", "/3.txt", "/4.txt"})
        writeFile(folder + name, 10);
    const QString last = writeFile(w + "/c-last.txt", 10);
    OwnerSpy owner;
    FileEraserViewController module(&owner);
    module.resize(784, 600);
    module.show();
    module.addPaths({first, folder, last});

    QString message;
    Answerer answerer(
        {{"MakeSureFileEraserViewControoler", "eraseButton", {}},
         {"FileEraserProgressViewController", "cancelButton",
          // The tool has reached the file it is overwriting when it is cancelled.
          [&](QWidget*) { return QFileInfo::exists(bundle.resources() + "/srm.pid"); }},
         {"FileEraserFailViewController", "okButton", {}},
         {"FileEraserSuccessViewController", "okButton", {}}});
    answerer.inspect = [&](QWidget* view) {
        if (auto* fail = qobject_cast<FileEraserFailViewController*>(view))
            message = fail->message()->text();
    };
    eraseNow(module);

    EXPECT_EQ(answerer.answered(),
              (QStringList{"MakeSureFileEraserViewControoler", "FileEraserProgressViewController",
                           "FileEraserFailViewController"}));
    EXPECT_FALSE(exists(first));
    EXPECT_FALSE(exists(folder + "/2-toolstops.txt"));
    EXPECT_TRUE(exists(last));
    // Six files in all: a-first, those of the folder erased before the stop, the stopped one,
    // the rest of the folder and c-last not reached.
    int erasedInFolder = 0;
    for (const char* name : {"/1.txt", "/3.txt", "/4.txt"})
        erasedInFolder += exists(folder + name) ? 0 : 1;
    EXPECT_EQ(message,
              QStringLiteral("Cancelled: %1 erased, 1 stopped after pass 1 of 3 "
                             "(removed), %2 not reached.")
                  .arg(erasedInFolder == 0 ? QStringLiteral("1 file")
                                           : QStringLiteral("%1 files").arg(1 + erasedInFolder))
                  .arg(4 - erasedInFolder));
    QStringList listed;
    for (const FileObjPtr& item : module.valueArr())
        listed << item->url;
    EXPECT_EQ(listed, (QStringList{folder, last}));
    const QMap<QString, QString> results = resultsByPath(onlyEntry());
    EXPECT_EQ(results.value(first), QStringLiteral("Erased"));
    EXPECT_EQ(results.value(folder),
              QStringLiteral("Cancelled: %1 erased, 1 stopped after pass 1 of 3 (removed), %2 "
                             "not reached")
                  .arg(erasedInFolder == 1 ? QStringLiteral("1 file")
                                           : QStringLiteral("%1 files").arg(erasedInFolder))
                  .arg(3 - erasedInFolder));
    EXPECT_EQ(results.value(last), QStringLiteral("Not erased: cancelled before it was reached"));
}

// An item refused when the plan is made (here: gone since it was listed) is named in the
// confirmation and left out; the rest is erased, and what is gone leaves the list.
TEST(FileEraserErasureTest, RefusedItemsAreNamedLeftOutAndTheRestErased) {
    TempBundle bundle;
    const QString stays = writeFile(bundle.work() + "/erase-me.txt", 10);
    const QString vanishes = writeFile(bundle.work() + "/vanishes.txt", 10);
    FileEraserViewController module(nullptr);
    module.show();
    module.addPaths({stays, vanishes});
    ASSERT_EQ(module.valueArr().size(), 2);
    ASSERT_TRUE(QFile::remove(vanishes));

    QString warning;
    Answerer answerer({{"MakeSureFileEraserViewControoler", "eraseButton", {}},
                       {"FileEraserSuccessViewController", "okButton", {}},
                       {"FileEraserFailViewController", "okButton", {}}});
    answerer.inspect = [&](QWidget* view) {
        if (view->objectName() == QLatin1String("MakeSureFileEraserViewControoler"))
            for (QLabel* label : view->findChildren<QLabel*>(QStringLiteral("warningText")))
                warning += label->text();
    };
    eraseNow(module);

    EXPECT_TRUE(warning.contains(QLatin1String("Left out")) && warning.contains(vanishes))
        << warning.toStdString();
    EXPECT_EQ(answerer.answered().value(1), QStringLiteral("FileEraserSuccessViewController"));
    EXPECT_FALSE(exists(stays));
    EXPECT_TRUE(module.valueArr().isEmpty());
    EXPECT_EQ(resultsByPath(onlyEntry()), (QMap<QString, QString>{{stays, "Erased"}}));
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
    const auto [view, warning] = eraseAloneAndReadTheEnd(file);
    EXPECT_EQ(view, QStringLiteral("FileEraserSuccessViewController"));
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
    const auto [view, warning] = eraseAloneAndReadTheEnd(file);
    EXPECT_EQ(view, QStringLiteral("FileEraserSuccessViewController"));
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_TRUE(warning.contains(QStringLiteral("could not be recorded in the history: ") +
                                 history + QStringLiteral(" is damaged")))
        << warning.toStdString();
    QFile kept(history);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), damaged);
}
