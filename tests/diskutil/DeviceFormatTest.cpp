// Formatting what is not mounted, on loop disks: a blank disk gets a partition table with one
// partition and the file system; an unmounted partition is formatted and nothing else on its
// disk changes; a disk with anything mounted, a disk that changed since it was listed and the
// system's disk are refused with their bytes untouched. Through `korvane format` (the core's
// plan and consent) and the volume tool itself (its own guards).
#include "DiskCatalog.h"
#include "LoopDisk.h"
#include "LoopImage.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using testsupport::LoopDisk;
using testsupport::LoopImage;

std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

int korvane(const std::vector<std::string>& args, std::string* output) {
    std::vector<std::string> argv{KORVANE_PROGRAM, "format"};
    argv.insert(argv.end(), args.begin(), args.end());
    argv.push_back("--yes");
    return LoopImage::run(argv, output);
}

int diskutil(const std::vector<std::string>& args, std::string* output) {
    std::vector<std::string> argv{DISKUTIL_PROGRAM, "formatDevice"};
    argv.insert(argv.end(), args.begin(), args.end());
    return LoopImage::run(argv, output);
}

std::string blkid(const std::string& tag, const std::string& device) {
    std::string out;
    LoopImage::run({"blkid", "-p", "-s", tag, "-o", "value", device}, &out);
    return trimmed(out);
}

// sfdisk's dump of DISK's table: "label: gpt", then one line per partition.
std::string table(const std::string& disk) {
    std::string out;
    LoopImage::run({"sfdisk", "--dump", disk}, &out);
    return out;
}

std::size_t partitionLines(const std::string& dump) {
    std::size_t lines = 0;
    for (std::size_t at = dump.find(" : start="); at != std::string::npos;
         at = dump.find(" : start=", at + 1)) {
        ++lines;
    }
    return lines;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

#define SKIP_WITHOUT_LOOP_DISKS()                                                                  \
    if (const std::string why = LoopDisk::unavailableReason(); !why.empty()) {                     \
        GTEST_SKIP() << why;                                                                       \
    }

TEST(DeviceFormat, ABlankDiskGetsATableWithOnePartitionAndANewTableWhenFormattedAgain) {
    SKIP_WITHOUT_LOOP_DISKS();
    LoopDisk disk(64u << 20);
    std::string out;
    ASSERT_EQ(korvane({disk.device(), "ext4", "Data 1"}, &out), 0) << out;
    EXPECT_TRUE(contains(out, "is blank")) << out;
    const std::string part = disk.partitionNode(1);
    ASSERT_FALSE(part.empty()) << out;
    EXPECT_TRUE(
        contains(out, "Made gpt table on " + disk.device() + "; made ext4 'Data 1' on " + part))
        << out;
    const std::string dump = table(disk.device());
    EXPECT_TRUE(contains(dump, "label: gpt")) << dump;
    EXPECT_EQ(partitionLines(dump), 1u) << dump;
    EXPECT_GE(disk.sizeOf(part), (64u << 20) - (2u << 20)) << "the partition fills the disk";
    EXPECT_EQ(blkid("TYPE", part), "ext4");
    EXPECT_EQ(blkid("LABEL", part), "Data 1");
    EXPECT_EQ(blkid("TYPE", disk.device()), "") << "no old signature left on the whole disk";
    const std::string mounted = disk.mount(part);
    EXPECT_EQ(::access((mounted + "/lost+found").c_str(), F_OK), 0);
    ASSERT_EQ(::umount(mounted.c_str()), 0);

    // Formatted again with an MBR: the consent names the partition that is lost.
    ASSERT_EQ(korvane({disk.device(), "fat32", "usb", "--table", "dos"}, &out), 0) << out;
    EXPECT_TRUE(contains(out, "Everything on " + disk.device() + " is lost: partition " +
                                  part.substr(5) + " (ext4, 'Data 1')"))
        << out;
    const std::string dos = table(disk.device());
    EXPECT_TRUE(contains(dos, "label: dos")) << dos;
    EXPECT_TRUE(contains(dos, "type=c")) << "a FAT32 partition type: " << dos;
    EXPECT_EQ(partitionLines(dos), 1u) << dos;
    EXPECT_EQ(blkid("TYPE", disk.partitionNode(1)), "vfat");
    EXPECT_EQ(blkid("LABEL", disk.partitionNode(1)), "USB");
}

TEST(DeviceFormat, AnUnmountedPartitionIsFormattedAndTheRestOfItsDiskKeepsItsBytes) {
    SKIP_WITHOUT_LOOP_DISKS();
    LoopDisk disk(64u << 20);
    disk.partition("label: gpt\\n,24M,L\\n,,L\\n");
    const std::string first = disk.partitionNode(1), second = disk.partitionNode(2);
    ASSERT_EQ(LoopImage::run({"mkfs.ext4", "-q", "-L", "OLD", first}), 0);
    // Marker bytes all over the second partition: anything written there would show.
    const std::string marker = "KORVANE-KEEP-ME ";
    std::string fill;
    for (const std::uint64_t size = disk.sizeOf(second); fill.size() < size;) {
        fill += marker;
    }
    {
        std::ofstream raw(second, std::ios::binary);
        raw.write(fill.data(), std::streamsize(disk.sizeOf(second)));
    }
    const std::string before = disk.bytes();

    std::string out;
    ASSERT_EQ(korvane({first, "exfat", "Neu"}, &out), 0) << out;
    EXPECT_TRUE(contains(out, "Everything on " + first + " (ext4, 'OLD') is lost")) << out;
    EXPECT_TRUE(contains(out, "Made exfat 'Neu' on " + first)) << out;
    EXPECT_EQ(blkid("TYPE", first), "exfat");
    EXPECT_EQ(blkid("LABEL", first), "Neu");

    const std::string after = disk.bytes();
    ASSERT_EQ(after.size(), before.size());
    const std::uint64_t start = disk.offsetOf(first), end = start + disk.sizeOf(first);
    EXPECT_TRUE(after.compare(0, start, before, 0, start) == 0) << "the table changed";
    EXPECT_TRUE(after.compare(end, std::string::npos, before, end, std::string::npos) == 0)
        << "bytes outside " << first << " changed";
    EXPECT_NE(after.compare(start, end - start, before, start, end - start), 0);
}

TEST(DeviceFormat, MountedDisksChangedDisksAndTheSystemDiskAreRefusedUntouched) {
    SKIP_WITHOUT_LOOP_DISKS();
    LoopDisk disk(64u << 20);
    disk.partition("label: gpt\\n,24M,L\\n,,L\\n");
    const std::string first = disk.partitionNode(1), second = disk.partitionNode(2);
    ASSERT_EQ(LoopImage::run({"mkfs.ext4", "-q", "-L", "ONE", first}), 0);
    ASSERT_EQ(LoopImage::run({"mkfs.ext4", "-q", "-L", "TWO", second}), 0);
    const std::string mounted = disk.mount(second, true);
    const std::string before = disk.bytes();

    std::string out;
    EXPECT_EQ(korvane({disk.device(), "ext4", "X"}, &out), 1);
    EXPECT_TRUE(contains(out, second + " at " + mounted) && contains(out, "unmount")) << out;
    // The volume tool refuses on its own too: the disk, the mounted partition itself, and a
    // partition given a table.
    EXPECT_EQ(diskutil({"ext4", "X", disk.device()}, &out), 1);
    EXPECT_TRUE(contains(out, second + " is mounted at " + mounted)) << out;
    EXPECT_EQ(diskutil({"ext4", "X", second}, &out), 1);
    EXPECT_TRUE(contains(out, "is mounted")) << out;
    EXPECT_EQ(diskutil({"ext4", "X", first, "--table", "gpt"}, &out), 1);
    EXPECT_TRUE(contains(out, "cannot hold a partition table")) << out;
    EXPECT_TRUE(disk.bytes() == before) << "a refused format wrote to the disk";

    // Unmounted, but no longer what was listed (listed blank: it now holds a table).
    ASSERT_EQ(::umount(mounted.c_str()), 0);
    const std::string unmounted = disk.bytes();
    EXPECT_EQ(diskutil({"ext4", "X", disk.device(), "--uuid", "none"}, &out), 1);
    EXPECT_TRUE(contains(out, "no longer holds what was listed")) << out;
    EXPECT_TRUE(disk.bytes() == unmounted) << "a refused format wrote to the disk";

    // The system's disk, whole and through korvane.
    std::string root;
    LoopImage::run({"findmnt", "-n", "-o", "SOURCE", "/"}, &root);
    const std::string whole = diskutil::DiskCatalog::wholeDiskOf(trimmed(root));
    if (whole.empty()) {
        GTEST_SKIP() << "/ is on no block device here";
    }
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"ext4", "X", "/dev/" + whole},
          std::vector<std::string>{"ext4", "X", "/dev/" + whole, "--table", "dos"}}) {
        EXPECT_EQ(diskutil(args, &out), 1);
        EXPECT_TRUE(contains(out, "the running system needs")) << out;
    }
    EXPECT_EQ(korvane({"/dev/" + whole, "ext4", "X"}, &out), 1);
    EXPECT_TRUE(contains(out, "the running system needs")) << out;
}

} // namespace
