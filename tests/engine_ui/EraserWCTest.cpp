#include "EngineTestSupport.h"

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
    ASSERT_GT(bundle.sleeperPid(), 0);
    window.cancelButton->click();
    ASSERT_TRUE(waitForResult(window, 15000));
    EXPECT_FALSE(window.succeeded());
    EXPECT_TRUE(window.resultText->text().contains(QStringLiteral("cancelled")));
    EXPECT_TRUE(QFileInfo::exists(path));
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
