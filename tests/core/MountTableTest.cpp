#include "platform/MountTable.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A saved mountinfo: escaped mount points come back as named, and an option is an option, not
// a word that happens to be in the line (the folder named "compress me" holds no compression).
TEST(MountTableTest, ReadsEscapedMountPointsAndTellsOptionsFromNames) {
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/mountinfo");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("21 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
              "30 21 8:2 / /mnt/compress\\040me rw,noatime shared:5 - ext4 /dev/sdb1 rw\n"
              "31 21 8:3 / /mnt/vault rw,relatime shared:6 - btrfs /dev/sdc1 "
              "rw,compress=zstd:3,space_cache=v2\n"
              "32 21 0:5 / /proc rw,nosuid - proc proc rw\n"
              "33 21 8:4 / /mnt/vault ro,relatime shared:7 - ext4 /dev/sdd1 ro\n");
    out.close();

    const QList<MountTable::Entry> table = MountTable::read(file);
    ASSERT_EQ(table.size(), 5);
    const MountTable::Entry* named = MountTable::at(table, QStringLiteral("/mnt/compress me"));
    ASSERT_NE(named, nullptr);
    EXPECT_EQ(named->id, 30u);
    EXPECT_EQ(named->source, QStringLiteral("/dev/sdb1"));
    EXPECT_FALSE(named->hasOption("compress"));
    EXPECT_TRUE(named->hasOption("noatime"));

    EXPECT_TRUE(table[2].hasOption("compress"));
    EXPECT_FALSE(table[2].hasOption("compress-force"));
    EXPECT_EQ(table[3].type, QByteArray("proc"));
    // Mounted over: the last mount at a point is the one in force.
    const MountTable::Entry* vault = MountTable::at(table, QStringLiteral("/mnt/vault"));
    ASSERT_NE(vault, nullptr);
    EXPECT_EQ(vault->id, 33u);
    EXPECT_TRUE(vault->hasOption("ro"));
    EXPECT_EQ(MountTable::at(table, QStringLiteral("/mnt")), nullptr);

    EXPECT_TRUE(MountTable::read(dir.path() + QStringLiteral("/missing")).isEmpty());
    EXPECT_FALSE(MountTable::read().isEmpty()) << "this process's own table";
}

} // namespace
