// The disk copy window's end of a copy cancelled while it asked about a file in the way: it says
// it was cancelled and what was not copied, never "0 copied ... verified", and the folder the
// copy made is gone while the one that was there stays.
#include "app/FileCopy/DiskCopyViewController.h"
#include "app/ui/AttachedWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

TEST(DiskCopyViewTest, ACopyCancelledAtAQuestionEndsHonestlyAndLeavesNoFolderItMade) {
    QTemporaryDir from, to;
    writeFile(from.path() + "/a-sub/a.txt", QByteArray(1000, 'a'));
    writeFile(from.path() + "/b.txt", "new b");
    const QString copied = to.path() + "/" + QFileInfo(from.path()).fileName();
    writeFile(copied + "/b.txt", "old b");

    DiskCopyViewController view;
    view.show();
    view.scanSource(from.path());
    view.setDestination(to.path());
    // a-sub/a.txt is written (not yet checked) when the copy asks about b.txt; the user cancels
    // the copy and answers "skip".
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* window = qobject_cast<AttachedWindow*>(top);
            if (!window || !window->isVisible() ||
                window->view()->objectName() != QLatin1String("CopyExistingView"))
                continue;
            answer.stop();
            view.cancelCopy();
            window->view()->findChild<QAbstractButton*>("skipButton")->click();
            return;
        }
    });
    answer.start();
    QSignalSpy finished(&view, &DiskCopyViewController::copyFinished);
    view.startCopy();
    ASSERT_TRUE(finished.wait(30000));

    const QString text = view.reportText()->text();
    EXPECT_TRUE(text.startsWith("Cancelled: nothing copied, 1 not copied (")) << text.toStdString();
    EXPECT_TRUE(text.contains("1 skipped, 0 failed.")) << text.toStdString();
    EXPECT_FALSE(text.contains("verified")) << text.toStdString();
    EXPECT_TRUE(text.contains("No partial file was left.")) << text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(copied + "/a-sub"));
    EXPECT_TRUE(QFileInfo::exists(copied + "/b.txt"));
    QDirIterator hidden(copied, QDir::Files | QDir::Hidden);
    while (hidden.hasNext())
        EXPECT_FALSE(hidden.next().contains(".kvcopy-")) << hidden.filePath().toStdString();
}

// Several files in the way: one answer ticked for all of them is the only question, and
// Escape or Cancel Copy at the question ends the copy instead of asking about the next file.
class ConflictingCopy {
public:
    static constexpr int kFiles = 6;
    ConflictingCopy() {
        copied = to.path() + "/" + QFileInfo(from.path()).fileName();
        for (int i = 0; i < kFiles; ++i) {
            writeFile(from.path() + QStringLiteral("/f%1.txt").arg(i), "new");
            writeFile(copied + QStringLiteral("/f%1.txt").arg(i), "old");
        }
        view.show();
        view.scanSource(from.path());
        view.setDestination(to.path());
    }
    // Copies, answering each question with ANSWER; the number of questions asked.
    int run(const std::function<void(AttachedWindow*)>& answer) {
        int asked = 0;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                auto* window = qobject_cast<AttachedWindow*>(top);
                if (!window || !window->isVisible() ||
                    window->view()->objectName() != QLatin1String("CopyExistingView") ||
                    window->view()->property("answered").toBool())
                    continue;
                window->view()->setProperty("answered", true);
                ++asked;
                answer(window);
                return;
            }
        });
        poll.start();
        QSignalSpy finished(&view, &DiskCopyViewController::copyFinished);
        view.startCopy();
        EXPECT_TRUE(finished.wait(30000)) << "the copy did not end";
        return asked;
    }
    int filesHolding(const QByteArray& content) const {
        int n = 0;
        for (int i = 0; i < kFiles; ++i) {
            QFile file(copied + QStringLiteral("/f%1.txt").arg(i));
            n += file.open(QIODevice::ReadOnly) && file.readAll() == content;
        }
        return n;
    }

    QTemporaryDir from, to;
    QString copied;
    DiskCopyViewController view;
};

TEST(DiskCopyViewTest, FilesInTheWayAreAskedAboutOnceForAllOrEndTheCopy) {
    {
        ConflictingCopy copy;
        const int asked = copy.run([](AttachedWindow* window) {
            window->view()->findChild<QCheckBox*>("applyToAllBox")->setChecked(true);
            window->view()->findChild<QAbstractButton*>("replaceButton")->click();
        });
        EXPECT_EQ(asked, 1) << "one answer for all";
        EXPECT_EQ(copy.filesHolding("new"), ConflictingCopy::kFiles);
    }
    {
        // Without the tick, every file is its own question.
        ConflictingCopy copy;
        const int asked = copy.run([](AttachedWindow* window) {
            window->view()->findChild<QAbstractButton*>("skipButton")->click();
        });
        EXPECT_EQ(asked, ConflictingCopy::kFiles) << copy.view.reportText()->text().toStdString();
        EXPECT_EQ(copy.filesHolding("old"), ConflictingCopy::kFiles);
    }
    for (const bool escape : {true, false}) {
        ConflictingCopy copy;
        const int asked = copy.run([escape](AttachedWindow* window) {
            if (escape)
                QTest::keyClick(window, Qt::Key_Escape);
            else
                window->view()->findChild<QAbstractButton*>("cancelCopyButton")->click();
        });
        EXPECT_EQ(asked, 1) << (escape ? "Escape" : "Cancel Copy") << " ends the copy";
        EXPECT_EQ(copy.filesHolding("old"), ConflictingCopy::kFiles) << "nothing replaced";
        const QString text = copy.view.reportText()->text();
        EXPECT_TRUE(text.startsWith("Cancelled")) << text.toStdString();
    }
}

} // namespace

// Offscreen, with settings and standard folders of its own, so that no real ones are touched.
int main(int argc, char** argv) {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", config.filePath(QStringLiteral("data")).toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
