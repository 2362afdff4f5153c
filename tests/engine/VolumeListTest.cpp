// The volume list as the volume modules build it from what the volume tool prints: a fake tool
// prints a fixed list, the real one describes a mounted image.
#include "EngineTestSupport.h"

#include "app/Main/WipeDisk/DiskUtil.h"
#include "app/Main/WipeDisk/VolumeList.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace enginetest;

namespace {

QByteArray volume(const QByteArray& name, const QByteArray& device, qint64 total, qint64 free,
                  const QByteArray& type = "ext4", const QByteArray& extra = {}) {
    QByteArray dict = "<dict>";
    if (!name.isNull())
        dict += "<key>VolumeName</key><string>" + name + "</string>";
    dict += "<key>DeviceNode</key><string>" + device + "</string>" +
            "<key>MountPoint</key><string>/media/" + device.mid(5) + "</string>" +
            "<key>FilesystemName</key><string>" + type + "</string>" +
            "<key>TotalSize</key><integer>" + QByteArray::number(total) + "</integer>" +
            "<key>FreeSpace</key><integer>" + QByteArray::number(free) + "</integer>" +
            "<key>Ejectable</key><true/><key>BusProtocol</key><string>USB</string>" + extra +
            "</dict>";
    return dict;
}

TEST(VolumeListTest, LeavesOutEfiNamelessAndRepeatedVolumesAndShowsSizeTexts) {
    FakeBundle bundle;
    const QByteArray plist =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><array>" +
        volume("Photos &amp; Films", "/dev/sdb1", 999, 1000) +
        volume("EFI", "/dev/sda1", 1000, 999) + volume(QByteArray(), "/dev/sdc1", 5, 5) +
        volume("Photos &amp; Films", "/dev/sdb1", 999, 1000) +
        volume("Photos &amp; Films", "/dev/sdd1", 999999999999, 1000000000000) +
        volume("Mac", "/dev/sde1", 2000, 0, "APFS",
               "<key>APFSContainerFree</key><integer>123456</integer>") +
        "</array></plist>";
    const QString tool =
        bundle.srmPath().replace(QStringLiteral("/srm"), QStringLiteral("/diskutil"));
    writeFile(tool + QStringLiteral(".plist"), plist);
    writeFile(tool, "#!/bin/sh\n[ \"$1 $2\" = \"list -plist\" ] || exit 1\ncat \"$0.plist\"\n");
    QFile::setPermissions(tool, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                    QFileDevice::ExeOther);

    const QList<VolumeObj> volumes = VolumeList::getallVolumes();
    ASSERT_EQ(volumes.size(), 3);
    EXPECT_EQ(volumes[0].volumeName, QStringLiteral("Photos & Films"));
    EXPECT_EQ(volumes[0].volumePath, QStringLiteral("/dev/sdb1"));
    EXPECT_EQ(volumes[0].volRootDir, QStringLiteral("/dev/sdb1"));
    EXPECT_EQ(volumes[0].volumeTotalSize, QStringLiteral("999 byte"));
    EXPECT_EQ(volumes[0].volumeFreeSize, QStringLiteral("1.00 KB"));
    EXPECT_TRUE(volumes[0].bCanEject);
    EXPECT_EQ(volumes[1].volumePath, QStringLiteral("/dev/sdd1")) << "same name, other device";
    EXPECT_EQ(volumes[1].volumeTotalSize, QStringLiteral("1000.00 GB"));
    EXPECT_EQ(volumes[1].volumeFreeSize, QStringLiteral("1.00 TB"));
    EXPECT_EQ(volumes[2].volumeFreeSizeNum, 123456) << "APFS reporting 0 free: its container's";
}

TEST(VolumeListTest, ReadsWhatTheRealToolSaysOfTheSystemVolume) {
    const QString built =
        QStringLiteral(KORVANE_BUNDLE_DIR "/Contents/MacOS/Korvane Data "
                                          "Eraser.app/Contents/Resources/diskutil");
    if (!QFile::exists(built))
        GTEST_SKIP() << "diskutil is not built";
    FakeBundle bundle;
    const QString tool =
        bundle.srmPath().replace(QStringLiteral("/srm"), QStringLiteral("/diskutil"));
    ASSERT_TRUE(QFile::copy(built, tool));
    QProcess findmnt;
    findmnt.start(QStringLiteral("findmnt"),
                  {QStringLiteral("-no"), QStringLiteral("SOURCE"), QStringLiteral("/")});
    findmnt.waitForFinished();
    if (!findmnt.readAllStandardOutput().startsWith("/dev/"))
        GTEST_SKIP() << "the root file system is not on a block device here";
    const QVariantMap root = DiskUtil::getDisjInfo(QStringLiteral("/"));
    ASSERT_FALSE(root.isEmpty());
    EXPECT_EQ(root.value(QStringLiteral("MountPoint")).toString(), QStringLiteral("/"));
    EXPECT_GT(root.value(QStringLiteral("TotalSize")).toLongLong(), 0);
    EXPECT_TRUE(DiskUtil::getDisjInfo(QStringLiteral("no volume has this name")).isEmpty());
    bool listed = false;
    for (const VolumeObj& v : VolumeList::getallVolumes())
        listed = listed || v.volumeMountPoint == QLatin1String("/");
    EXPECT_TRUE(listed);
}

} // namespace
