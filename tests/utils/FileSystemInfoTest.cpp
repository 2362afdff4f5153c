#include "platform/FileSystemInfo.h"
#include "FakeSysfs.h"
#include "LoopMount.h"
#include "QStringPrinter.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace testsupport;

namespace {

TEST(FileSystemInfoTypeTest, NtfsAndLifsTests) {
    EXPECT_TRUE(FileSystemInfo::isNtfsType(QStringLiteral("ntfs")));
    EXPECT_TRUE(FileSystemInfo::isNtfsType(QStringLiteral("ntfs3")));
    EXPECT_TRUE(FileSystemInfo::isNtfsType(QStringLiteral("NTFS")));
    EXPECT_TRUE(FileSystemInfo::isNtfsType(QStringLiteral("fuse.ntfs-3g")));
    EXPECT_FALSE(FileSystemInfo::isNtfsType(QStringLiteral("Ntfs"))); // two exact spellings only
    EXPECT_FALSE(FileSystemInfo::isNtfsType(QStringLiteral("lifs")));
    EXPECT_FALSE(FileSystemInfo::isNtfsType(QString()));
    EXPECT_TRUE(FileSystemInfo::isNtfsOrLifsType(QStringLiteral("lifs")));
    EXPECT_TRUE(FileSystemInfo::isNtfsOrLifsType(QStringLiteral("LiFS")));
    EXPECT_TRUE(FileSystemInfo::isNtfsOrLifsType(QStringLiteral("ntfs")));
    EXPECT_FALSE(FileSystemInfo::isNtfsOrLifsType(QStringLiteral("Ntfs")));
    EXPECT_FALSE(FileSystemInfo::isNtfsOrLifsType(QStringLiteral("exfat")));
}

// The mount table is given as text, so the choice of entry can be checked without mounting.
class FileSystemInfoTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid() && sysDir.isValid());
        base = QDir(dir.path()).canonicalPath();
        QDir().mkpath(base + QStringLiteral("/vol/sub"));
        QDir().mkpath(base + QStringLiteral("/volume2"));
        writeFile(base + QStringLiteral("/vol/sub/file"), "x");
        sources.mountInfoFile = base + QStringLiteral("/mountinfo");
        sources.sysfsRoot = sysDir.path();
    }
    void setTable(const QString& lines) {
        QString text = QStringLiteral("1 0 254:0 / / rw,relatime - ext4 /dev/vda rw\n") + lines;
        writeFile(sources.mountInfoFile, text.replace(QStringLiteral("%1"), base).toUtf8());
    }
    FileSystemInfo query(const QString& relative) const {
        return FileSystemInfo::forPath(base + relative, sources);
    }

    QTemporaryDir dir;
    QTemporaryDir sysDir;
    QString base;
    FileSystemInfo::Sources sources;
};

TEST_F(FileSystemInfoTableTest, LongestMountPointAndLatestMountWin) {
    setTable(QStringLiteral("40 1 0:50 / %1/volume2 rw - xfs /dev/fake2 rw\n"
                            "41 1 0:51 / %1/vol rw - tmpfs first rw\n"
                            "42 1 0:52 / %1/vol rw - ext2 second rw\n"));
    FileSystemInfo info = query(QStringLiteral("/vol/sub/file"));
    ASSERT_TRUE(info.success);
    EXPECT_EQ(info.mountPoint, base + QStringLiteral("/vol"));
    EXPECT_EQ(info.type, QStringLiteral("ext2")); // mounted over the tmpfs
    EXPECT_EQ(info.source, QStringLiteral("second"));
    EXPECT_FALSE(info.unmountable); // not a block device
    // "/vol" is a prefix of "/volume2" as text, not as a path.
    setTable(QStringLiteral("40 1 0:50 / %1/volume2 rw - xfs /dev/fake2 rw\n"));
    info = query(QStringLiteral("/vol/sub"));
    EXPECT_EQ(info.mountPoint, QStringLiteral("/"));
    EXPECT_EQ(info.type, QStringLiteral("ext4"));
}

TEST_F(FileSystemInfoTableTest, MountPointsWithBlanksAreUnescaped) {
    QDir().mkpath(base + QStringLiteral("/my disk"));
    setTable(QStringLiteral("40 1 0:50 / %1/my\\040disk rw - btrfs none rw\n"));
    const FileSystemInfo info = query(QStringLiteral("/my disk"));
    EXPECT_EQ(info.mountPoint, base + QStringLiteral("/my disk"));
    EXPECT_EQ(info.type, QStringLiteral("btrfs"));
}

TEST_F(FileSystemInfoTableTest, BlockDeviceMountsAreUnmountableAndReportRemovableMedia) {
    struct stat node {};
    const QString device = QStringLiteral("/dev/loop0");
    if (stat(QFile::encodeName(device).constData(), &node) != 0 || !S_ISBLK(node.st_mode))
        GTEST_SKIP() << "needs the block device node /dev/loop0";
    FakeSysfs sys(sysDir.path());
    const QString stick = sys.addDisk(QStringLiteral("sdx"), true, true);
    sys.mapDevice(node.st_rdev, sys.addPartition(stick, QStringLiteral("sdx1")));
    setTable(QStringLiteral("40 1 0:50 / %1/vol rw - ext4 /dev/loop0 rw\n"));
    FileSystemInfo info = query(QStringLiteral("/vol/sub/file"));
    EXPECT_TRUE(info.unmountable);
    EXPECT_TRUE(info.removable); // the flag of the disk, not of the partition
    EXPECT_TRUE(info.writable);

    sys.addDisk(QStringLiteral("sdx"), true, false);
    info = query(QStringLiteral("/vol/sub/file"));
    EXPECT_FALSE(info.removable);

    // The root file system is never offered for unmounting, whatever its source.
    setTable(QStringLiteral("40 1 0:50 / / rw - ext4 /dev/loop0 rw\n"));
    EXPECT_FALSE(query(QStringLiteral("/vol")).unmountable);
}

TEST_F(FileSystemInfoTableTest, ReadOnlyMountIsNotWritable) {
    setTable(QStringLiteral("40 1 0:50 / %1/vol ro,relatime - ext4 /dev/fake rw\n"));
    const FileSystemInfo info = query(QStringLiteral("/vol/sub/file"));
    ASSERT_TRUE(info.success);
    EXPECT_FALSE(info.writable);
}

TEST_F(FileSystemInfoTableTest, FuseMountsReadTheTypeFromTheDevice) {
    // An image file stands in for the device; libblkid reads signatures from files too.
    const QString image = base + QStringLiteral("/fat.img");
    QFile file(image);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(40 * 1024 * 1024));
    file.close();
    if (QStandardPaths::findExecutable(QStringLiteral("mkfs.vfat"),
                                       {QStringLiteral("/sbin"), QStringLiteral("/usr/sbin")})
            .isEmpty())
        GTEST_SKIP() << "mkfs.vfat is not installed";
    QString output;
    ASSERT_TRUE(LoopMount::run(QStringLiteral("mkfs.vfat"),
                               {QStringLiteral("-F"), QStringLiteral("32"), image}, &output))
        << output.toStdString();
    setTable(QStringLiteral("40 1 0:50 / %1/vol rw - fuseblk %1/fat.img rw\n"));
    FileSystemInfo info = query(QStringLiteral("/vol/sub/file"));
    EXPECT_EQ(info.type, QStringLiteral("vfat"));
    EXPECT_EQ(info.description, QStringLiteral("FAT32 (vfat)"));
    // A driver mounting an image file directly may call itself plain "fuse" (ntfs-3g does).
    setTable(QStringLiteral("40 1 0:50 / %1/vol rw - fuse %1/fat.img rw\n"));
    EXPECT_EQ(query(QStringLiteral("/vol")).type, QStringLiteral("vfat"));

    // A driver that does not name its device: its subtype tells the type.
    setTable(QStringLiteral("40 1 0:50 / %1/vol rw - fuse.fusefat fusefat rw\n"));
    EXPECT_EQ(query(QStringLiteral("/vol")).type, QStringLiteral("vfat"));
    setTable(QStringLiteral("40 1 0:50 / %1/vol rw - fuse.sshfs me@host: rw\n"));
    EXPECT_EQ(query(QStringLiteral("/vol")).type, QStringLiteral("fuse.sshfs"));

    // A FIFO named as the source is never opened (it would block).
    ASSERT_EQ(mkfifo(QFile::encodeName(base + QStringLiteral("/pipe")).constData(), 0600), 0);
    setTable(QStringLiteral("40 1 0:50 / %1/vol rw - fuseblk %1/pipe rw\n"));
    EXPECT_EQ(query(QStringLiteral("/vol")).type, QStringLiteral("fuseblk"));
}

TEST_F(FileSystemInfoTableTest, SymbolicLinksCountWhereTheyAre) {
    setTable(QStringLiteral("40 1 0:50 / %1/vol rw - xfs /dev/fake rw\n"));
    ASSERT_TRUE(
        QFile::link(base + QStringLiteral("/vol/sub/file"), base + QStringLiteral("/link")));
    EXPECT_EQ(query(QStringLiteral("/link")).type, QStringLiteral("ext4"));
    ASSERT_TRUE(QFile::link(base, base + QStringLiteral("/vol/back")));
    EXPECT_EQ(query(QStringLiteral("/vol/back")).type, QStringLiteral("xfs"));
}

TEST_F(FileSystemInfoTableTest, MissingPathFails) {
    setTable(QString());
    const FileSystemInfo info = query(QStringLiteral("/absent"));
    EXPECT_FALSE(info.success);
    EXPECT_TRUE(info.type.isEmpty());
    EXPECT_TRUE(info.description.isEmpty());
    EXPECT_FALSE(FileSystemInfo::forPath(QString()).success);
}

// Real mounts of the kinds the program meets: the kernel's own file systems and FUSE ones.
class FileSystemInfoMountTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QTemporaryDir dir;
};

TEST_F(FileSystemInfoMountTest, Ext4OnALoopDevice) {
    const QString reason = LoopMount::unavailableReason({QStringLiteral("mkfs.ext4")});
    if (!reason.isEmpty())
        GTEST_SKIP() << reason.toStdString();
    LoopMount mount(dir.path(), 8 * 1024 * 1024);
    ASSERT_TRUE(
        mount.format(QStringLiteral("mkfs.ext4"), {QStringLiteral("-q")}) && mount.attachLoop() &&
        mount.mount(QStringLiteral("mount"), {QStringLiteral("%dev"), QStringLiteral("%mnt")}))
        << mount.error().toStdString();
    writeFile(mount.mountPoint() + QStringLiteral("/f"), "x");
    const FileSystemInfo info = FileSystemInfo::forPath(mount.mountPoint() + QStringLiteral("/f"));
    ASSERT_TRUE(info.success);
    EXPECT_EQ(info.type, QStringLiteral("ext4"));
    EXPECT_EQ(info.description, QStringLiteral("ext4"));
    EXPECT_EQ(info.mountPoint, mount.mountPoint());
    EXPECT_EQ(info.source, mount.loopDevice());
    EXPECT_TRUE(info.writable);
    EXPECT_TRUE(info.unmountable);
    EXPECT_FALSE(info.removable);

    ASSERT_TRUE(
        LoopMount::run(QStringLiteral("mount"),
                       {QStringLiteral("-o"), QStringLiteral("remount,ro"), mount.mountPoint()}));
    EXPECT_FALSE(FileSystemInfo::forPath(mount.mountPoint()).writable);
}

TEST_F(FileSystemInfoMountTest, NtfsThroughNtfs3gReadsNtfs) {
    const QString reason =
        LoopMount::unavailableReason({QStringLiteral("mkfs.ntfs"), QStringLiteral("ntfs-3g")});
    if (!reason.isEmpty())
        GTEST_SKIP() << reason.toStdString();
    if (!QFile::exists(QStringLiteral("/dev/fuse")))
        GTEST_SKIP() << "no /dev/fuse";
    LoopMount mount(dir.path(), 16 * 1024 * 1024);
    ASSERT_TRUE(
        mount.format(QStringLiteral("mkfs.ntfs"),
                     {QStringLiteral("-F"), QStringLiteral("-f"), QStringLiteral("-q")}) &&
        mount.attachLoop() &&
        mount.mount(QStringLiteral("ntfs-3g"), {QStringLiteral("%dev"), QStringLiteral("%mnt")}))
        << mount.error().toStdString();
    const FileSystemInfo info = FileSystemInfo::forPath(mount.mountPoint());
    ASSERT_TRUE(info.success);
    EXPECT_EQ(info.type, QStringLiteral("ntfs")); // the table says "fuseblk"
    EXPECT_TRUE(FileSystemInfo::isNtfsType(info.type));
    EXPECT_EQ(info.description, QStringLiteral("NTFS (ntfs)"));
    EXPECT_TRUE(info.unmountable);
}

TEST_F(FileSystemInfoMountTest, ExfatThroughFuseReadsExfat) {
    const QString reason = LoopMount::unavailableReason(
        {QStringLiteral("mkfs.exfat"), QStringLiteral("mount.exfat-fuse")});
    if (!reason.isEmpty())
        GTEST_SKIP() << reason.toStdString();
    if (!QFile::exists(QStringLiteral("/dev/fuse")))
        GTEST_SKIP() << "no /dev/fuse";
    LoopMount mount(dir.path(), 16 * 1024 * 1024);
    ASSERT_TRUE(mount.format(QStringLiteral("mkfs.exfat"), {}) && mount.attachLoop() &&
                mount.mount(QStringLiteral("mount.exfat-fuse"),
                            {QStringLiteral("%dev"), QStringLiteral("%mnt")}))
        << mount.error().toStdString();
    const FileSystemInfo info = FileSystemInfo::forPath(mount.mountPoint());
    ASSERT_TRUE(info.success);
    EXPECT_EQ(info.type, QStringLiteral("exfat"));
    EXPECT_FALSE(FileSystemInfo::isNtfsOrLifsType(info.type));
}

TEST_F(FileSystemInfoMountTest, FatThroughFusefatReadsVfat) {
    const QString reason =
        LoopMount::unavailableReason({QStringLiteral("mkfs.vfat"), QStringLiteral("fusefat")});
    if (!reason.isEmpty())
        GTEST_SKIP() << reason.toStdString();
    if (!QFile::exists(QStringLiteral("/dev/fuse")))
        GTEST_SKIP() << "no /dev/fuse";
    LoopMount mount(dir.path(), 40 * 1024 * 1024);
    ASSERT_TRUE(
        mount.format(QStringLiteral("mkfs.vfat"), {QStringLiteral("-F"), QStringLiteral("32")}) &&
        mount.attachLoop() &&
        mount.mount(QStringLiteral("fusefat"), {QStringLiteral("-o"), QStringLiteral("rw+"),
                                                QStringLiteral("%dev"), QStringLiteral("%mnt")}))
        << mount.error().toStdString();
    const FileSystemInfo info = FileSystemInfo::forPath(mount.mountPoint());
    ASSERT_TRUE(info.success);
    EXPECT_EQ(info.type, QStringLiteral("vfat"));
    EXPECT_FALSE(FileSystemInfo::isNtfsOrLifsType(info.type));
}

} // namespace
