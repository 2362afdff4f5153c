// The volume modules as a user drives them: the list, the one-choice selection, the
// confirmation, the wipe of a loop-mounted image and the end view, and the notices instead of a
// wipe where one must not run.
#include "ModuleUiTestSupport.h"

#include "LoopImage.h"
#include "app/Main/WipeDisk/FreeSpaceWipeJob.h"
#include "app/Main/WipeDisk/FreeSpaceWipeLock.h"
#include "app/Main/WipeDisk/WipeDiskViewController.h"
#include "app/inter/DoDataBase.h"
#include "app/ui/ImageButton.h"
#include "tests/core/TestSupport.h"

#include <QApplication>
#include <QDebug>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace moduletest;
using testsupport::LoopImage;

namespace {

bool waitFor(QSignalSpy& spy, int ms = 60000) {
    return !spy.isEmpty() || spy.wait(ms);
}

int rowOf(const WipeDiskViewController& module, const QString& mountPoint) {
    for (int i = 0; i < module.allVolumeArr().size(); ++i)
        if (module.allVolumeArr()[i].volumeMountPoint == mountPoint)
            return i;
    return -1;
}

// Clicks the row of the volume at MOUNTPOINT. Other tests mount and unmount volumes meanwhile,
// and every such change empties the list and scans again: the row is clicked once a scan has
// listed it, and again after a rescan that cleared the choice. False when a scan lists others.
bool choose(WipeDiskViewController& module, const QString& mountPoint) {
    QSignalSpy shown(&module, &WipeDiskViewController::volumesShown);
    for (int attempt = 0; attempt < 30; ++attempt) {
        const int row = rowOf(module, mountPoint);
        if (row < 0 && !module.allVolumeArr().isEmpty())
            return false; // a whole scan without it
        if (row >= 0 && row < module.table()->rowCount()) {
            QTest::mouseClick(
                module.table()->viewport(), Qt::LeftButton, {},
                module.table()->visualItemRect(module.table()->item(row, 1)).center());
            if (module.eraseButton()->isEnabled())
                return true;
        }
        shown.wait(2000);
    }
    return false;
}

// The volume tool lists IMAGE alone (named NAME), so that no other volume of this machine can
// ever be chosen in these tests; formatting goes to the real tool, which only ever gets the
// image's device from the jobs.
void listOnly(const TempBundle& bundle, const LoopImage& image, const QString& name) {
    std::string device, uuid;
    LoopImage::run({"findmnt", "-no", "SOURCE", image.mountPoint()}, &device);
    device = device.substr(0, device.find('\n'));
    const QString tool = bundle.resources() + QStringLiteral("/diskutil");
    QFile::rename(tool, tool + QStringLiteral(".real"));
    testsupport::writeFile(
        tool,
        QStringLiteral(
            "#!/bin/sh\ncase \"$1\" in reformat|eraseVolume|check) exec \"$0.real\" \"$@\" ;; "
            "esac\n"
            "[ \"$1 $2\" = \"list -plist\" ] || [ \"$1 $2\" = \"info -plist\" ] || exit 1\n"
            "free=$(($(stat -f -c '%a*%S' '%1')))\nuuid=$(blkid -p -s UUID -o value '%2')\n"
            "dict=\"<dict><key>VolumeName</key><string>%3</string><key>DeviceNode</key>"
            "<string>%2</string><key>MountPoint</key><string>%1</string><key>"
            "FilesystemName</key><string>ext4</string><key>Ejectable</key><true/><key>VolumeUUID"
            "</key><string>$uuid</string><key>TotalSize</key><integer>"
            "50000000</integer><key>FreeSpace</key><integer>$free</integer></dict>\"\n"
            "if [ \"$1\" = list ]; then echo \"<plist><array>$dict</array></plist>\"; else "
            "echo \"<plist>$dict</plist>\"; fi\n")
            .arg(QString::fromStdString(image.mountPoint()), QString::fromStdString(device), name)
            .toUtf8());
    ::chmod(QFile::encodeName(tool).constData(), 0755);
}

TEST(WipeDiskModuleTest, FreeSpaceOfTheChosenVolumeIsWipedAndRecorded) {
    const std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4);
    if (!why.empty())
        GTEST_SKIP() << why;
    TempBundle bundle(TempBundle::Tool::Real);
    LoopImage image(LoopImage::FileSystem::Ext4, 48u << 20);
    image.mount();
    const QString root = QString::fromStdString(image.mountPoint());
    {
        const int fd =
            ::open((image.mountPoint() + "/deleted.bin").c_str(), O_WRONLY | O_CREAT, 0600);
        const std::string data(4u << 20, 'Z');
        ASSERT_EQ(::write(fd, data.data(), data.size()), ssize_t(data.size()));
        ::fsync(fd);
        ::close(fd);
        ::unlink((image.mountPoint() + "/deleted.bin").c_str());
    }

    listOnly(bundle, image, "PROOFVOL");

    OwnerSpy owner;
    WipeDiskViewController module(&owner, WipeDiskViewController::kFreeSpace);
    module.resize(784, 600);
    module.show();
    QSignalSpy shown(&module, &WipeDiskViewController::volumesShown);
    ASSERT_TRUE(waitFor(shown));
    EXPECT_FALSE(module.eraseButton()->isEnabled()) << "nothing chosen yet";
    ASSERT_TRUE(choose(module, root)) << "the image is listed";
    EXPECT_EQ(module.selectionLabel()->text(), QStringLiteral("You have selected: PROOFVOL"));

    Answerer answerer({{"MakeSureWipeFreeSpaceViewController", "continueButton", {}},
                       {"WipeSuccessViewController", "okButton", {}},
                       {"WipeFailViewController", "okButton", {}}});
    QSignalSpy finished(&module, &WipeDiskViewController::wipeFinished);
    module.eraseButton()->click();
    ASSERT_TRUE(waitFor(finished, 120000));
    EXPECT_EQ(answerer.answered(),
              (QStringList{"MakeSureWipeFreeSpaceViewController", "WipeSuccessViewController"}));
    EXPECT_EQ(owner.calls, (QList<bool>{false, true})) << "no module switch while it runs";
    const HistoryData history = DoDataBase::returnDoDataBase()->getAllData();
    ASSERT_FALSE(history.isEmpty());
    EXPECT_EQ(history.first().last().items, QStringLiteral("Erase Free Space:PROOFVOL"));
    EXPECT_EQ(history.first().last().result, QStringLiteral("Erased"));
    image.unmount();
    EXPECT_EQ(image.count(std::string(4096, 'Z')), 0u);
}

// The whole volume: confirmed, formatted anew (the old file gone, the name kept) and its free
// space wiped, recorded as "Erase Hard Drive".
TEST(WipeDiskModuleTest, TheChosenVolumeIsErasedWholeAndRecorded) {
    const std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4);
    if (!why.empty())
        GTEST_SKIP() << why;
    TempBundle bundle(TempBundle::Tool::Real);
    LoopImage image(LoopImage::FileSystem::Ext4, 48u << 20);
    image.mount();
    const QString root = QString::fromStdString(image.mountPoint());
    writeFile(root + QStringLiteral("/old-file.txt"), 300000);
    ::sync();
    listOnly(bundle, image, QStringLiteral("WHOLEVOL"));

    WipeDiskViewController module(nullptr, WipeDiskViewController::kWholeVolume);
    module.resize(784, 600);
    module.show();
    QSignalSpy shown(&module, &WipeDiskViewController::volumesShown);
    ASSERT_TRUE(waitFor(shown));
    ASSERT_TRUE(choose(module, root)) << "the image is listed";
    Answerer answerer({{"MakeSureWipeDiskViewController", "continueButton", {}},
                       {"WipeSuccessViewController", "okButton", {}},
                       {"WipeFailViewController", "okButton", {}}});
    QString failure;
    answerer.inspect = [&failure](QWidget* view) {
        if (QLabel* text = view->findChild<QLabel*>(QStringLiteral("messageText")))
            failure = text->text();
    };
    QSignalSpy finished(&module, &WipeDiskViewController::wipeFinished);
    module.eraseButton()->click();
    // The bar, from formatting through the passes, only ever moves forward. Its window opens
    // once the plan is in and the question answered.
    QList<int> bar;
    QTest::qWaitFor([&] {
        for (QWidget* window : QApplication::topLevelWidgets())
            for (QProgressBar* progress : window->findChildren<QProgressBar*>())
                if (progress->isVisible()) {
                    QObject::connect(progress, &QProgressBar::valueChanged,
                                     [&bar](int value) { bar << value; });
                    return true;
                }
        return false;
    });
    ASSERT_TRUE(waitFor(finished, 120000));
    EXPECT_EQ(answerer.answered(),
              (QStringList{"MakeSureWipeDiskViewController", "WipeSuccessViewController"}))
        << failure.toStdString();
    ASSERT_FALSE(bar.isEmpty());
    EXPECT_TRUE(std::is_sorted(bar.begin(), bar.end())) << QDebug::toString(bar).toStdString();
    EXPECT_FALSE(exists(root + QStringLiteral("/old-file.txt")));
    const HistoryData history = DoDataBase::returnDoDataBase()->getAllData();
    ASSERT_FALSE(history.isEmpty());
    EXPECT_EQ(history.first().last().items, QStringLiteral("Erase Hard Drive:WHOLEVOL"));
    EXPECT_EQ(history.first().last().result, QStringLiteral("Erased"));
}

// A wipe that cannot run says why in the end view: another wipe of the volume, or a read-only
// volume, each with its own text (both used to read "occupied or read-only").
TEST(WipeDiskModuleTest, ARefusedWipeSaysWhyInTheEndView) {
    const std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4);
    if (!why.empty())
        GTEST_SKIP() << why;
    TempBundle bundle(TempBundle::Tool::Real);
    LoopImage image(LoopImage::FileSystem::Ext4, 16u << 20);
    image.mount();
    const QString root = QString::fromStdString(image.mountPoint());
    listOnly(bundle, image, QStringLiteral("BUSYVOL"));
    WipeDiskViewController module(nullptr, WipeDiskViewController::kFreeSpace);
    module.show();
    QSignalSpy shown(&module, &WipeDiskViewController::volumesShown);
    ASSERT_TRUE(waitFor(shown));

    auto endText = [&] {
        QString text;
        Answerer answerer({{"MakeSureWipeFreeSpaceViewController", "continueButton", {}},
                           {"WipeSuccessViewController", "okButton", {}},
                           {"WipeFailViewController", "okButton", {}}});
        answerer.inspect = [&text](QWidget* view) {
            if (QLabel* label = view->findChild<QLabel*>(QStringLiteral("messageText")))
                text = label->text();
        };
        if (!choose(module, root))
            return QStringLiteral("(the image is not listed)");
        QSignalSpy finished(&module, &WipeDiskViewController::wipeFinished);
        module.eraseButton()->click();
        waitFor(finished, 120000);
        return text;
    };
    {
        FreeSpaceWipeLock running; // as another wipe of the volume holds it
        ASSERT_EQ(running.acquire(root), FreeSpaceWipeLock::Outcome::Held);
        EXPECT_EQ(endText(), FreeSpaceWipeJob::kAnotherWipe);
    }
    ASSERT_EQ(LoopImage::run({"mount", "-o", "remount,ro", image.mountPoint()}), 0);
    EXPECT_EQ(endText(), FreeSpaceWipeJob::kReadOnly);
    LoopImage::run({"mount", "-o", "remount,rw", image.mountPoint()});
}

// The file eraser's offer after an erasure on a copy-on-write volume lands here: the volume at
// that mount point is chosen in free-space mode and its wipe is asked for.
TEST(WipeDiskModuleTest, AFreeSpaceWipeAskedForByMountPointChoosesThatVolumeAndConfirms) {
    const std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4);
    if (!why.empty())
        GTEST_SKIP() << why;
    TempBundle bundle(TempBundle::Tool::Real);
    LoopImage image(LoopImage::FileSystem::Ext4, 16u << 20);
    image.mount();
    listOnly(bundle, image, QStringLiteral("ASKEDVOL"));
    WipeDiskViewController module(nullptr, WipeDiskViewController::kWholeVolume);
    module.show();
    QSignalSpy shown(&module, &WipeDiskViewController::volumesShown);
    ASSERT_TRUE(waitFor(shown));
    shown.clear();
    Answerer answerer({{"MakeSureWipeFreeSpaceViewController", "cancelButton", {}},
                       {"MakeSureWipeDiskViewController", "cancelButton", {}}});
    module.eraseFreeSpaceOf(QString::fromStdString(image.mountPoint()));
    ASSERT_TRUE(waitFor(shown));
    // The confirmation opens from the event loop: a fixed short wait missed it on a busy machine.
    QTest::qWaitFor([&] { return !answerer.answered().isEmpty(); }, 5000);
    EXPECT_EQ(answerer.answered(), QStringList{"MakeSureWipeFreeSpaceViewController"});
    EXPECT_EQ(module.selectEraserType(), WipeDiskViewController::kFreeSpace);
    EXPECT_EQ(module.selectionLabel()->text(), QStringLiteral("You have selected: ASKEDVOL"));
    EXPECT_FALSE(module.isBegin()) << "cancelled at the confirmation";
}

TEST(WipeDiskModuleTest, TheStartUpVolumeGetsTheNoticeInsteadOfAWholeVolumeWipe) {
    TempBundle bundle(TempBundle::Tool::Real);
    WipeDiskViewController module(nullptr, WipeDiskViewController::kWholeVolume);
    module.show();
    QSignalSpy shown(&module, &WipeDiskViewController::volumesShown);
    ASSERT_TRUE(waitFor(shown));
    if (!choose(module, QStringLiteral("/")))
        GTEST_SKIP() << "the root file system is not on a block device here";
    Answerer answerer({{"SystemEraserViewController", "okButton", {}},
                       {"MakeSureWipeDiskViewController", "cancelButton", {}}});
    module.eraseButton()->click();
    // The notice follows the plan, which is made off the UI thread.
    QTest::qWaitFor([&] { return !answerer.answered().isEmpty(); }, 5000);
    EXPECT_EQ(answerer.answered(), QStringList{"SystemEraserViewController"});
    EXPECT_FALSE(module.isBegin());
}

} // namespace
