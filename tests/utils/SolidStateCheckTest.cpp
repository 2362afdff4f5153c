#include "platform/SolidStateCheck.h"
#include "FakeSysfs.h"
#include "LoopMount.h"
#include "QStringPrinter.h"
#include "TestSupport.h"
#include "platform/Logger.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace testsupport;

namespace {

dev_t deviceOf(const QString& path) {
    struct stat st {};
    EXPECT_EQ(lstat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
    return st.st_dev;
}

class SolidStateCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sysDir.isValid() && work.isValid());
        file = work.filePath(QStringLiteral("item.bin"));
        writeFile(file, "data");
        Logger::setEchoToStderr(true);
        testing::internal::CaptureStderr();
    }
    void TearDown() override {
        if (!logTaken)
            testing::internal::GetCapturedStderr();
        Logger::setEchoToStderr(false);
    }
    std::string log() {
        logTaken = true;
        return testing::internal::GetCapturedStderr();
    }
    bool check(const QString& path) const {
        return SolidStateCheck(sysDir.path()).isSolidState(path);
    }

    QTemporaryDir sysDir;
    QTemporaryDir work;
    FakeSysfs sys{sysDir.path()};
    QString file;
    bool logTaken = false;
};

TEST_F(SolidStateCheckTest, PartitionsAnswerForTheirDisk) {
    const QString ssd = sys.addDisk(QStringLiteral("nvme0n1"), false);
    sys.mapDevice(deviceOf(file), sys.addPartition(ssd, QStringLiteral("nvme0n1p2")));
    EXPECT_TRUE(check(file));
    EXPECT_TRUE(check(work.path()));

    const QString hdd = sys.addDisk(QStringLiteral("sda"), true);
    sys.mapDevice(deviceOf(file), sys.addPartition(hdd, QStringLiteral("sda1")));
    EXPECT_FALSE(check(file));
    sys.mapDevice(deviceOf(file), hdd); // a file system on the whole disk
    EXPECT_FALSE(check(file));
}

TEST_F(SolidStateCheckTest, MappedDevicesAreSolidOnlyWhenEverySlaveIs) {
    const QString ssdA = sys.addDisk(QStringLiteral("sda"), false);
    const QString ssdB = sys.addDisk(QStringLiteral("sdb"), false);
    const QString hdd = sys.addDisk(QStringLiteral("sdc"), true);
    const QString mirror = sys.addDiskWithoutQueue(QStringLiteral("md0"));
    sys.addSlave(mirror, sys.addPartition(ssdA, QStringLiteral("sda1")));
    sys.addSlave(mirror, ssdB);
    const QString crypt = sys.addDisk(QStringLiteral("dm-0"), false); // dm reports 0 regardless
    sys.addSlave(crypt, mirror);
    sys.mapDevice(deviceOf(file), crypt);
    EXPECT_TRUE(check(file));

    // One rotating member: part of the data sits on a disk that needs every pass.
    sys.addSlave(mirror, sys.addPartition(hdd, QStringLiteral("sdc1")));
    EXPECT_FALSE(check(file));
}

TEST_F(SolidStateCheckTest, LoopDevicesAnswerForTheDiskUnderTheirBackingFile) {
    const QString elsewhere = QStringLiteral("/dev"); // any path on another file system
    if (deviceOf(elsewhere) == deviceOf(file))
        GTEST_SKIP() << "the temporary folder and /dev share a device";
    const QString image = work.filePath(QStringLiteral("disk.img"));
    writeFile(image, QByteArray(4096, '\0'));
    const QString loop = sys.addDisk(QStringLiteral("loop3"), true); // loop's own flag is not used
    sys.setBackingFile(loop, image);
    sys.mapDevice(deviceOf(elsewhere), loop);
    sys.mapDevice(deviceOf(image), sys.addDisk(QStringLiteral("nvme0n1"), false));
    EXPECT_TRUE(check(elsewhere));

    // A backing file deleted after attaching is named with a mark; the device is still found
    // when the file is there again under that name.
    sys.setBackingFile(loop, image + QStringLiteral(" (deleted)"));
    EXPECT_TRUE(check(elsewhere));

    sys.setBackingFile(loop, work.filePath(QStringLiteral("gone.img")));
    EXPECT_FALSE(check(elsewhere));
    EXPECT_NE(log().find("Error while getting parent service entry"), std::string::npos);
}

TEST_F(SolidStateCheckTest, UnknownDeviceIsNotSolidAndSaysWhy) {
    EXPECT_FALSE(check(file));
    EXPECT_FALSE(check(work.filePath(QStringLiteral("absent"))));
    const std::string text = log();
    EXPECT_NE(text.find("Could not find io classes of disk: " + file.toStdString()),
              std::string::npos)
        << text;
}

TEST_F(SolidStateCheckTest, UnreadableMediumIsNotSolid) {
    sys.mapDevice(deviceOf(file), sys.addDiskWithoutQueue(QStringLiteral("vdz")));
    EXPECT_FALSE(check(file));
    EXPECT_NE(log().find("Can't iterate services"), std::string::npos);
}

TEST_F(SolidStateCheckTest, CyclesInTheDeviceTreeEnd) {
    const QString first = sys.addDisk(QStringLiteral("dm-1"), false);
    const QString second = sys.addDisk(QStringLiteral("dm-2"), false);
    sys.addSlave(first, second);
    sys.addSlave(second, first);
    sys.mapDevice(deviceOf(file), first);
    EXPECT_FALSE(check(file));
    EXPECT_NE(log().find("Error while getting parent service entry"), std::string::npos);
}

// A file system with an anonymous device number (btrfs, FUSE) is traced through the block device
// the mount table names as its source.
TEST_F(SolidStateCheckTest, AnonymousDevicesAreTracedThroughTheMountSource) {
    QString blockNode;
    for (const QString& name : QDir(QStringLiteral("/dev")).entryList(QDir::System)) {
        struct stat st {};
        const QString path = QStringLiteral("/dev/") + name;
        if (stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISBLK(st.st_mode)) {
            blockNode = path;
            break;
        }
    }
    if (blockNode.isEmpty())
        GTEST_SKIP() << "no block device node in /dev";
    struct stat node {};
    ASSERT_EQ(stat(QFile::encodeName(blockNode).constData(), &node), 0);
    const dev_t anonymous = deviceOf(file);
    const QString mountInfo = work.filePath(QStringLiteral("mountinfo"));
    writeFile(mountInfo, QStringLiteral("1 0 254:0 / / rw - ext4 /dev/vda rw\n"
                                        "90 1 %1:%2 / %3 rw - btrfs %4 rw\n")
                             .arg(major(anonymous))
                             .arg(minor(anonymous))
                             .arg(work.path(), blockNode)
                             .toUtf8());
    sys.mapDevice(node.st_rdev, sys.addDisk(QStringLiteral("sdq"), false));
    const SolidStateCheck checker(sysDir.path(), mountInfo);
    EXPECT_EQ(checker.blockDeviceOf(file), node.st_rdev);
    EXPECT_TRUE(checker.isSolidState(file));
}

TEST(SolidStateCheckRealTest, LoopMountAnswersLikeTheDiskUnderItsImage) {
    const QString reason =
        LoopMount::unavailableReason({QStringLiteral("mkfs.ext4"), QStringLiteral("losetup")});
    if (!reason.isEmpty())
        GTEST_SKIP() << reason.toStdString();
    QTemporaryDir dir;
    LoopMount mount(dir.path(), 8 * 1024 * 1024);
    ASSERT_TRUE(
        mount.format(QStringLiteral("mkfs.ext4"), {QStringLiteral("-q")}) && mount.attachLoop() &&
        mount.mount(QStringLiteral("mount"), {QStringLiteral("%dev"), QStringLiteral("%mnt")}))
        << mount.error().toStdString();
    const QString inside = mount.mountPoint() + QStringLiteral("/file");
    writeFile(inside, "x");

    const SolidStateCheck checker;
    struct stat loop {};
    ASSERT_EQ(stat(QFile::encodeName(mount.loopDevice()).constData(), &loop), 0);
    EXPECT_EQ(checker.blockDeviceOf(inside), loop.st_rdev);
    EXPECT_TRUE(checker.deviceFolder(loop.st_rdev).endsWith(mount.loopDevice().mid(5)));
    // The loop device answers for the storage its image lives on.
    EXPECT_EQ(checker.isSolidState(inside), checker.isSolidState(mount.image()));
}

} // namespace
