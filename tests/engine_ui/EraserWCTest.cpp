#include "EngineTestSupport.h"

#include "app/Main/FileEraser/ErasePathCheck.h"
#include "loader/Eraser/EraserWC.h"
#include "loader/Eraser/NTFSFileAlert.h"
#include "loader/Eraser/ServiceEraser.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <gtest/gtest.h>

using namespace enginetest;

namespace {

// Presses the OK button of the first visible top-level window of type T, once it appears.
template <typename T> void pressOkWhenShown(bool* seen) {
    QTimer* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, seen] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* window = qobject_cast<T*>(w);
            if (!window || !window->isVisible())
                continue;
            // The erasure window asks first: the user says yes.
            if (auto* erase =
                    window->template findChild<QPushButton*>(QStringLiteral("confirmEraseButton"));
                erase && erase->isVisible()) {
                erase->click();
                continue;
            }
            auto* ok = window->template findChild<QPushButton*>(QStringLiteral("okButton"));
            if (ok && ok->isVisible()) {
                *seen = true;
                ok->click();
                poll->deleteLater();
                return;
            }
        }
    });
    poll->start(50);
}

// The window looks through the path off the UI thread first, then asks.
bool waitForQuestion(const EraserWC& window, int ms = 20000) {
    for (int waited = 0; waited < ms && window.isPlanning(); waited += 20)
        spin(20);
    return window.asksFirst();
}

// The question the window asks before anything is erased: answered yes.
void sayYes(EraserWC& window) {
    ASSERT_TRUE(waitForQuestion(window)) << "the window erased without asking";
    window.confirmEraseButton->click();
}

bool waitForResult(const EraserWC& window, int ms = 20000) {
    for (int waited = 0; waited < ms && window.pages->currentIndex() == 0; waited += 50)
        spin(50);
    return window.pages->currentIndex() == 1;
}

TEST(EraserWCTest, ErasesTheFolderAndReportsSuccess) {
    FakeBundle bundle;
    QTemporaryDir work;
    writeFile(work.path() + QStringLiteral("/chosen/a"), "data");
    writeFile(work.path() + QStringLiteral("/chosen/sub/b"), "more");
    EraserWC window(nullptr, QString(), kNoMediumCheck);
    window.show();
    window.eumeFileWithPath(work.path() + QStringLiteral("/chosen"));
    ASSERT_NO_FATAL_FAILURE(sayYes(window));
    ASSERT_TRUE(waitForResult(window));
    EXPECT_TRUE(window.succeeded());
    EXPECT_FALSE(QFileInfo::exists(work.path() + QStringLiteral("/chosen")));
    EXPECT_EQ(bundle.srmRuns().size(), 4) << "every entry goes to the tool, folders too";
    EXPECT_TRUE(window.countLabel->text().endsWith(QStringLiteral("of 4 items")));
    window.okButton->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST(EraserWCTest, ToolFailureShowsTheFailureView) {
    FakeBundle bundle;
    QTemporaryDir work;
    const QString path = work.path() + QStringLiteral("/toolfails");
    writeFile(path, "data");
    EraserWC window(nullptr, QString(), kNoMediumCheck);
    window.eumeFileWithPath(path);
    ASSERT_NO_FATAL_FAILURE(sayYes(window));
    ASSERT_TRUE(waitForResult(window));
    EXPECT_FALSE(window.succeeded());
    EXPECT_EQ(window.resultTitle->text(), QStringLiteral("Erasure failed"));
    EXPECT_TRUE(QFileInfo::exists(path));
}

TEST(EraserWCTest, CancelStopsTheToolAndSaysSo) {
    FakeBundle bundle;
    QTemporaryDir work;
    const QString path = work.path() + QStringLiteral("/toolsleeps");
    writeFile(path, "data");
    EraserWC window(nullptr, QString(), kNoMediumCheck);
    window.eumeFileWithPath(path);
    ASSERT_NO_FATAL_FAILURE(sayYes(window));
    ASSERT_GT(bundle.sleeperPid(), 0);
    window.cancelButton->click();
    ASSERT_TRUE(waitForResult(window, 15000));
    EXPECT_FALSE(window.succeeded());
    EXPECT_TRUE(window.resultText->text().contains(QStringLiteral("cancelled")));
    // What the cancel left, counted as the main window counts it.
    EXPECT_TRUE(window.resultText->text().contains(QStringLiteral("0 files erased, 1 not reached")))
        << window.resultText->text().toStdString();
    EXPECT_TRUE(QFileInfo::exists(path));
}

// Cancel while the path is looked through: no question, nothing erased, and the window says so.
TEST(EraserWCTest, CancelWhilePreparingErasesNothing) {
    FakeBundle bundle;
    QTemporaryDir work;
    const QString chosen = work.path() + QStringLiteral("/chosen");
    writeFile(chosen + QStringLiteral("/a"), "data");
    writeFile(chosen + QStringLiteral("/sub/b"), "more");
    EraserWC window(nullptr, QString(), kNoMediumCheck);
    window.eumeFileWithPath(chosen);
    ASSERT_TRUE(window.isPlanning());
    window.cancelButton->click();
    ASSERT_TRUE(waitForResult(window));
    EXPECT_FALSE(window.succeeded());
    EXPECT_TRUE(window.resultText->text().contains(QStringLiteral("Nothing was erased")))
        << window.resultText->text().toStdString();
    EXPECT_TRUE(QFileInfo::exists(chosen + QStringLiteral("/sub/b")));
    EXPECT_TRUE(bundle.srmRuns().isEmpty());
}

// From a file manager's menu one misclick away: the window names the path and the standard and
// waits; Cancel erases nothing. Another account's home (and a folder holding homes) is asked
// about a second time, naming whose it is.
TEST(EraserWCTest, AsksFirstAndTwiceForAnotherAccountsHome) {
    FakeBundle bundle;
    QTemporaryDir work;
    const QString chosen = work.path() + QStringLiteral("/chosen.txt");
    writeFile(chosen, "data");
    const QString bobHome = work.path() + QStringLiteral("/users/bob");
    writeFile(bobHome + QStringLiteral("/notes"), "bob's");
    writeFile(work.path() + QStringLiteral("/passwd"),
              QStringLiteral("bob:x:4242:4242::%1:/bin/sh\n").arg(bobHome).toUtf8());
    ErasePathCheck::setAccountFile(work.path() + QStringLiteral("/passwd"));
    struct Restore {
        ~Restore() { ErasePathCheck::setAccountFile(QString()); }
    } restore;

    {
        EraserWC window(nullptr, QString(), kNoMediumCheck);
        window.eumeFileWithPath(chosen);
        ASSERT_TRUE(waitForQuestion(window));
        EXPECT_TRUE(window.confirmText->text().contains(chosen));
        EXPECT_TRUE(window.confirmText->text().contains(QStringLiteral("HMG Infosec Standard 5")))
            << window.confirmText->text().toStdString();
        spin(300);
        EXPECT_TRUE(bundle.srmRuns().isEmpty()) << "nothing runs while the question is open";
        window.confirmCancelButton->click();
        EXPECT_EQ(window.pages->currentIndex(), 1);
        EXPECT_TRUE(QFileInfo::exists(chosen));
    }
    for (const QString& path : {bobHome, work.path() + QStringLiteral("/users")}) {
        EraserWC window(nullptr, QString(), kNoMediumCheck);
        window.eumeFileWithPath(path);
        ASSERT_TRUE(waitForQuestion(window));
        window.confirmEraseButton->click();
        ASSERT_TRUE(window.asksFirst()) << "one yes is not enough for " << path.toStdString();
        EXPECT_TRUE(window.confirmText->text().contains(QStringLiteral("bob")))
            << window.confirmText->text().toStdString();
        window.confirmCancelButton->click();
        EXPECT_TRUE(QFileInfo::exists(bobHome + QStringLiteral("/notes")));
    }
    EraserWC window(nullptr, QString(), kNoMediumCheck);
    window.eumeFileWithPath(bobHome);
    ASSERT_TRUE(waitForQuestion(window));
    window.confirmEraseButton->click();
    window.confirmEraseButton->click();
    ASSERT_TRUE(waitForResult(window));
    EXPECT_TRUE(window.succeeded()) << window.resultText->text().toStdString();
    EXPECT_FALSE(QFileInfo::exists(bobHome));
}

TEST(ServiceEraserTest, NtfsVolumeShowsOnlyTheNotice) {
    FakeBundle bundle;
    QTemporaryDir work;
    const QString path = work.path() + QStringLiteral("/on-ntfs");
    writeFile(path, "data");
    bool noticeSeen = false;
    pressOkWhenShown<NTFSFileAlert>(&noticeSeen);
    const int status = runServiceEraserWindow(path, [](const QString&) {
        ServiceEraserVolume volume;
        volume.success = true;
        volume.type = QStringLiteral("ntfs");
        return volume;
    });
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(noticeSeen);
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_TRUE(bundle.srmRuns().isEmpty());
}

TEST(ServiceEraserTest, OtherVolumeErasesInTheWindowUntilOk) {
    FakeBundle bundle;
    QTemporaryDir work;
    const QString path = work.path() + QStringLiteral("/file");
    writeFile(path, "data");
    bool resultSeen = false;
    pressOkWhenShown<EraserWC>(&resultSeen);
    EXPECT_EQ(runServiceEraserWindow(path), 0);
    EXPECT_TRUE(resultSeen);
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(bundle.srmRuns(), QStringList{QStringLiteral("-fsvrz ") + path});
}

} // namespace
