#include "PartitionTableWriter.h"

#include "DeviceTools.h"
#include "DiskContents.h"

#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <linux/loop.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

namespace diskutil {
namespace {

constexpr unsigned kLoopMajor = 7;

bool windowsType(const std::string& fsType) {
    return fsType == "vfat" || fsType == "exfat" || fsType == "ntfs";
}

} // namespace

std::string PartitionTableWriter::sfdiskScript(const std::string& table,
                                               const std::string& fsType) {
    std::string type;
    if (table == "gpt") {
        type = windowsType(fsType) ? "EBD0A0A2-B9E5-4433-87C0-68B6B72699C7"
                                   : "0FC63DAF-8483-4772-8E79-3D69D8477DE4";
    } else {
        type = fsType == "vfat" ? "c" : windowsType(fsType) ? "7" : "83";
    }
    return "label: " + table + "\n,," + type + "\n";
}

void PartitionTableWriter::enableLoopPartitionScan(const std::string& disk) {
    struct stat st {};
    if (::stat(disk.c_str(), &st) != 0 || major(st.st_rdev) != kLoopMajor) {
        return;
    }
    const int fd = ::open(disk.c_str(), O_RDONLY | O_CLOEXEC);
    loop_info64 info{};
    if (fd >= 0 && ::ioctl(fd, LOOP_GET_STATUS64, &info) == 0 &&
        (info.lo_flags & LO_FLAGS_PARTSCAN) == 0) {
        // The kernel then makes nodes for the loop device's partitions, as losetup -P does.
        info.lo_flags |= LO_FLAGS_PARTSCAN;
        if (::ioctl(fd, LOOP_SET_STATUS64, &info) != 0) {
            err_ << "diskutil: partition scan could not be turned on for " << disk << ": "
                 << std::strerror(errno) << std::endl;
        }
    }
    if (fd >= 0) {
        ::close(fd);
    }
}

std::string PartitionTableWriter::write(const std::string& disk, const std::string& table,
                                        const std::string& fsType) {
    enableLoopPartitionScan(disk);
    // The old signatures go too (a file system on the whole disk would otherwise still be
    // found next to the table), and whatever the new partition's first blocks held.
    const int status = DeviceTools::runTool(
        {"sfdisk", "--quiet", "--wipe", "always", "--wipe-partitions", "always", disk}, err_,
        sfdiskScript(table, fsType));
    if (status != 0) {
        err_ << "diskutil: sfdisk could not write a " << table << " partition table on " << disk
             << " (status " << status << ")" << std::endl;
        return {};
    }
    // sfdisk asked the kernel to read the table again; partx also adds what a kernel without
    // the parser did not find, and removes the old partitions it still had.
    if (DeviceTools::haveTool("partx")) {
        DeviceTools::runTool({"partx", "--update", disk}, err_);
    }
    if (DeviceTools::haveTool("udevadm")) {
        DeviceTools::runTool({"udevadm", "settle", "--timeout=10"}, err_);
    }
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
        const std::string node = DiskContents::partitionNode(disk, 1);
        struct stat st {};
        if (!node.empty() && ::stat(node.c_str(), &st) == 0 && S_ISBLK(st.st_mode)) {
            return node;
        }
        if (std::chrono::steady_clock::now() > until) {
            err_ << "diskutil: the new partition of " << disk
                 << " did not appear; the disk holds the new table, but no file system was made"
                 << std::endl;
            return {};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

} // namespace diskutil
