// Erase Hard Drive's drive wipe as a user drives it: the drive list with a loop disk and its
// partitions, the question that names what is refused or must be agreed to, a wipe run to its
// end with each drive's result, and Stop. Every drive here is a loop device over an image in a
// folder of the test's own.
#include "ModuleUiTestSupport.h"

#include "LoopImage.h"
#include "app/Comm/UserDefaults.h"
#include "app/Main/WipeDisk/DriveListView.h"
#include "app/Main/WipeDisk/DrivePlanPreview.h"
#include "app/Main/WipeDisk/MakeSureWipeDriveViewController.h"
#include "app/Main/WipeDisk/WipeDiskViewController.h"
#include "app/Main/WipeDisk/WipeDriveProViewController.h"
#include "app/inter/DoDataBase.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace moduletest;
using testsupport::LoopImage;

namespace {

std::string firstLine(std::string text) {
    return text.substr(0, text.find('\n'));
}

// A GPT disk image of SIZE on a loop device: partition 1 (24 MiB) ext4 named DATA, partition 2
// the rest without a file system, holding a mark. Let go however the test ends.
class PartitionedLoop {
public:
    explicit PartitionedLoop(const std::string& size) {
        char folder[] = "/tmp/korvane-page-drive.XXXXXX";
        if (::mkdtemp(folder) == nullptr)
            return;
        m_folder = folder;
        m_image = m_folder + "/disk.img";
        m_mountPoint = m_folder + "/mnt";
        std::string device;
        if (LoopImage::run({"truncate", "-s", size, m_image}) != 0 ||
            LoopImage::run(
                {"sh", "-c", "printf 'label: gpt\\n,24M\\n,\\n' | sfdisk -q '" + m_image + "'"}) !=
                0 ||
            LoopImage::run({"losetup", "-f", "--show", "-P", m_image}, &device) != 0)
            return;
        m_device = firstLine(device);
        LoopImage::run({"partx", "-a", m_device}); // where the kernel did not scan them itself
        QFile second(QString::fromStdString(part(2)));
        m_ready = LoopImage::run({"mkfs.ext4", "-q", "-L", "DATA", part(1)}) == 0 &&
                  second.open(QIODevice::WriteOnly) && second.write(kMark) == kMark.size();
        second.close();
        LoopImage::run({"sync"});
    }
    ~PartitionedLoop() {
        LoopImage::run({"umount", m_mountPoint});
        if (!m_device.empty())
            LoopImage::run({"losetup", "-d", m_device});
        if (!m_folder.empty())
            LoopImage::run({"rm", "-rf", m_folder});
    }
    bool ready() const { return m_ready; }
    QString device() const { return QString::fromStdString(m_device); }
    std::string part(int n) const { return m_device + "p" + std::to_string(n); }
    bool mountFirst() const {
        return LoopImage::run({"mkdir", "-p", m_mountPoint}) == 0 &&
               LoopImage::run({"mount", part(1), m_mountPoint}) == 0;
    }
    // The mark's copies in the image.
    qsizetype marks() const {
        QFile image(QString::fromStdString(m_image));
        return image.open(QIODevice::ReadOnly) ? image.readAll().count(kMark) : -1;
    }

    static inline const QByteArray kMark = "MARK-OF-THE-PAGE-DRIVE-TEST";

private:
    std::string m_folder, m_image, m_mountPoint, m_device;
    bool m_ready = false;
};

std::string whyNoLoopDisks() {
    if (::geteuid() != 0)
        return "needs root for loop devices";
    for (const char* tool : {"losetup", "sfdisk", "partx", "mkfs.ext4"})
        if (LoopImage::run({"sh", "-c", std::string("command -v ") + tool + " >/dev/null"}) != 0)
            return std::string("needs ") + tool;
    return {};
}

// The Erase Hard Drive page, shown, once its drive list holds DEVICE.
class DrivePage {
public:
    explicit DrivePage(const QString& device)
        : page(nullptr, WipeDiskViewController::kWholeVolume) {
        page.resize(784, 600);
        page.show();
        QTest::qWaitFor([&] { return page.driveList()->itemFor(device) != nullptr; }, 30000);
    }
    // Ticks DEVICE's row as a user does, by clicking it. (The row is looked up now: a mount
    // anywhere on the machine lists the drives anew.)
    void click(const QString& device) {
        QTreeWidget* tree = page.driveList();
        QTreeWidgetItem* row = page.driveList()->itemFor(device);
        ASSERT_NE(row, nullptr) << device.toStdString();
        tree->scrollToItem(row);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(row).center());
    }
    WipeDiskViewController page;
};

// The texts of the named labels in VIEW.
QStringList textsIn(QWidget* view, const QString& name) {
    QStringList texts;
    for (const QLabel* label : view->findChildren<QLabel*>(name))
        texts << label->text();
    return texts;
}

// What the progress view showed while it was up: its rows, and each row's last text.
struct ProgressWatch {
    ProgressWatch() {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* window = qobject_cast<AttachedWindow*>(top);
                    window && window->isVisible())
                    if (auto* view = qobject_cast<WipeDriveProViewController*>(window->view())) {
                        rows = view->rowCount();
                        texts = textsIn(view, QStringLiteral("driveText"));
                        if (onUpdate)
                            onUpdate(view);
                    }
        });
        timer.start();
    }
    QTimer timer;
    int rows = 0;
    QStringList texts;
    std::function<void(WipeDriveProViewController*)> onUpdate;
};

// Ticks every consent of the confirmation, noting whether Erase was offered before.
Answerer::Rule agreeToAll(bool* eraseEnabledBefore) {
    return {QStringLiteral("MakeSureWipeDriveViewController"), QStringLiteral("eraseButton"),
            [eraseEnabledBefore](QWidget* view) {
                auto* question = static_cast<MakeSureWipeDriveViewController*>(view);
                *eraseEnabledBefore = question->eraseButton()->isEnabled();
                for (QCheckBox* box : question->consentBoxes())
                    box->setChecked(true);
                return true;
            }};
}

TEST(WipeDriveModuleTest, TheDriveListShowsADiskWithItsPartitionsAndTheStandardWhenShown) {
    if (const std::string why = whyNoLoopDisks(); !why.empty())
        GTEST_SKIP() << why;
    TempBundle bundle(TempBundle::Tool::Real);
    moduletest::PrivateUserDefaults defaults(3);
    PartitionedLoop disk("64M");
    ASSERT_TRUE(disk.ready());
    DrivePage drive(disk.device());
    WipeDiskViewController& page = drive.page;
    EXPECT_EQ(page.subtitleLabel()->text(), QStringLiteral("Standard: U.S. Army AR380-19"));

    QTreeWidgetItem* top = page.driveList()->itemFor(disk.device());
    ASSERT_NE(top, nullptr) << "the loop disk is not listed";
    EXPECT_EQ(top->text(1), QStringLiteral("67.11 MB"));
    QFile rotational(QStringLiteral("/sys/class/block/%1/queue/rotational")
                         .arg(disk.device().section(QLatin1Char('/'), -1)));
    ASSERT_TRUE(rotational.open(QIODevice::ReadOnly));
    EXPECT_EQ(top->text(2), rotational.readAll().trimmed() == "0" ? QStringLiteral("Solid state")
                                                                  : QStringLiteral("Rotating"));
    EXPECT_EQ(top->text(3), QStringLiteral("Disk Image"));
    ASSERT_EQ(top->childCount(), 2);
    const QString first = QString::fromStdString(disk.part(1));
    const QString second = QString::fromStdString(disk.part(2));
    EXPECT_EQ(top->child(0)->text(0), QStringLiteral("%1  “DATA”").arg(first));
    EXPECT_EQ(top->child(0)->text(2), QStringLiteral("ext4"));
    EXPECT_EQ(top->child(0)->text(3), QStringLiteral("not mounted"));
    EXPECT_EQ(top->child(1)->text(0), second);
    EXPECT_EQ(top->child(1)->text(2), QStringLiteral("no file system"));

    // The disk chosen: the method the plan gives; then one of its partitions instead.
    EXPECT_FALSE(page.eraseButton()->isEnabled());
    QSignalSpy previewed(page.drivePreview(), &DrivePlanPreview::shown);
    drive.click(disk.device());
    EXPECT_EQ(page.driveList()->chosenDevices(), QStringList{disk.device()});
    EXPECT_TRUE(page.eraseButton()->isEnabled());
    EXPECT_EQ(page.selectionLabel()->text(),
              QStringLiteral("You have selected: %1").arg(disk.device()));
    ASSERT_TRUE(previewed.wait(30000));
    // Level 3 writes its three passes and one of zeros: four, as the progress will count them.
    EXPECT_TRUE(page.drivePreview()->methodLabel()->text().contains(
        QStringLiteral("%1: Clear (4 pass overwrite").arg(disk.device())))
        << page.drivePreview()->methodLabel()->text().toStdString();
    drive.click(second);
    drive.click(first);
    EXPECT_EQ(page.driveList()->chosenDevices(), (QStringList{first, second}))
        << "a partition unticks its disk; two partitions may go together: "
        << page.driveList()->chosenDevices().join(' ').toStdString();
    drive.click(disk.device());
    EXPECT_EQ(page.driveList()->chosenDevices(), QStringList{disk.device()});

    // The standard changed elsewhere shows when the page is shown again.
    UserDefaults::mainProgram().setEraserTimes(7);
    page.hide();
    page.show();
    EXPECT_EQ(page.subtitleLabel()->text(), QStringLiteral("Standard: DoD 5220.22-M ECE"));
}

// A disk one of whose partitions is mounted: the question names that partition (refused, or a
// consent to unmount it), and without a yes nothing is written.
TEST(WipeDriveModuleTest, ADiskWithAMountedPartitionIsNamedInTheQuestionAndNothingStarts) {
    if (const std::string why = whyNoLoopDisks(); !why.empty())
        GTEST_SKIP() << why;
    TempBundle bundle(TempBundle::Tool::Real);
    moduletest::PrivateUserDefaults defaults(1);
    PartitionedLoop disk("64M");
    ASSERT_TRUE(disk.ready());
    ASSERT_TRUE(disk.mountFirst());
    DrivePage drive(disk.device());
    ASSERT_TRUE(drive.page.driveList()->setChosen(disk.device(), true));
    QStringList lines;
    bool eraseOffered = false;
    Answerer answerer(
        {{QStringLiteral("MakeSureWipeDriveViewController"), QStringLiteral("closeButton"), {}},
         {QStringLiteral("MakeSureWipeDriveViewController"), QStringLiteral("cancelButton"), {}}});
    answerer.inspect = [&](QWidget* view) {
        lines << textsIn(view, QStringLiteral("warningText"))
              << textsIn(view, QStringLiteral("consentText"));
        auto* erase = static_cast<MakeSureWipeDriveViewController*>(view)->eraseButton();
        eraseOffered = erase && erase->isEnabled();
    };
    ProgressWatch progress;
    drive.page.eraseButton()->click();
    ASSERT_TRUE(answerer.waitFor(1, 30000));
    QTest::qWait(300);
    const QString first = QString::fromStdString(disk.part(1));
    EXPECT_TRUE(std::any_of(lines.cbegin(), lines.cend(),
                            [&](const QString& line) { return line.contains(first); }))
        << "the mounted partition is not named: " << lines.join(" | ").toStdString();
    EXPECT_FALSE(eraseOffered) << "Erase offered before anything was agreed to";
    EXPECT_EQ(progress.rows, 0) << "a wipe started";
    EXPECT_FALSE(drive.page.isBegin());
    EXPECT_EQ(disk.marks(), 1) << "something was written";
}

// A confirmed wipe of a small drive runs to its end: one row in the progress, then the drive's
// result in the job's words; every byte goes, and the history has the entry.
TEST(WipeDriveModuleTest, AConfirmedWipeRunsToItsEndAndShowsTheDrivesResult) {
    if (const std::string why = whyNoLoopDisks(); !why.empty())
        GTEST_SKIP() << why;
    TempBundle bundle(TempBundle::Tool::Real);
    moduletest::PrivateUserDefaults defaults(1);
    PartitionedLoop disk("64M");
    ASSERT_TRUE(disk.ready());
    ASSERT_EQ(disk.marks(), 1);
    DrivePage drive(disk.device());
    ASSERT_TRUE(drive.page.driveList()->setChosen(disk.device(), true));
    bool eraseEnabledBefore = true;
    QStringList results;
    Answerer answerer(
        {agreeToAll(&eraseEnabledBefore),
         {QStringLiteral("WipeDriveEndViewController"), QStringLiteral("okButton"), {}}});
    answerer.inspect = [&](QWidget* view) {
        results << textsIn(view, QStringLiteral("driveResultTitle"))
                << textsIn(view, QStringLiteral("driveResultText"));
    };
    ProgressWatch progress;
    QSignalSpy finished(&drive.page, &WipeDiskViewController::wipeFinished);
    drive.page.eraseButton()->click();
    ASSERT_TRUE(finished.wait(120000));
    EXPECT_EQ(answerer.answered(), (QStringList{QStringLiteral("MakeSureWipeDriveViewController"),
                                                QStringLiteral("WipeDriveEndViewController")}));
    EXPECT_FALSE(eraseEnabledBefore) << "Erase offered before the consent was ticked";
    EXPECT_EQ(progress.rows, 1);
    EXPECT_EQ(results, (QStringList{QStringLiteral("%1: Erased").arg(disk.device()),
                                    QStringLiteral("Clear (2 pass overwrite); 67108864 of "
                                                   "67108864 bytes read back and found as "
                                                   "written")}));
    EXPECT_EQ(disk.marks(), 0);
    const HistoryData history = DoDataBase::returnDoDataBase()->getAllData();
    ASSERT_FALSE(history.isEmpty());
    EXPECT_EQ(history.first().last().result, QStringLiteral("Erased"));
    EXPECT_TRUE(drive.page.driveList()->chosenDevices().isEmpty());
}

// Stop ends a long wipe within a second of being pressed, and the end says the drive was
// stopped part-way.
TEST(WipeDriveModuleTest, StopEndsTheWipeWithinASecondAndTheEndSaysSo) {
    if (const std::string why = whyNoLoopDisks(); !why.empty())
        GTEST_SKIP() << why;
    TempBundle bundle(TempBundle::Tool::Real);
    moduletest::PrivateUserDefaults defaults(35);
    PartitionedLoop disk("1G");
    ASSERT_TRUE(disk.ready());
    DrivePage drive(disk.device());
    ASSERT_TRUE(drive.page.driveList()->setChosen(disk.device(), true));
    bool eraseEnabledBefore = true;
    QStringList results;
    QElapsedTimer sinceStop;
    qint64 stoppedAfterMs = -1;
    Answerer answerer(
        {agreeToAll(&eraseEnabledBefore),
         {QStringLiteral("WipeDriveEndViewController"), QStringLiteral("okButton"), {}}});
    answerer.inspect = [&](QWidget* view) {
        if (sinceStop.isValid() && stoppedAfterMs < 0)
            stoppedAfterMs = sinceStop.elapsed();
        results << textsIn(view, QStringLiteral("driveResultTitle"));
    };
    ProgressWatch progress;
    progress.onUpdate = [&](WipeDriveProViewController* view) {
        // Stopped once the drive is being written.
        if (!sinceStop.isValid() &&
            view->textOf(0)->text().startsWith(QStringLiteral("Pass 1 of"))) {
            sinceStop.start();
            view->stopButton()->click();
        }
    };
    QSignalSpy finished(&drive.page, &WipeDiskViewController::wipeFinished);
    drive.page.eraseButton()->click();
    ASSERT_TRUE(finished.wait(120000));
    ASSERT_TRUE(sinceStop.isValid()) << "the wipe ended before it could be stopped";
    EXPECT_GE(stoppedAfterMs, 0);
    EXPECT_LT(stoppedAfterMs, 1000) << "the end came " << stoppedAfterMs << " ms after Stop";
    EXPECT_EQ(results, QStringList{QStringLiteral("%1: Stopped").arg(disk.device())});
}

} // namespace
