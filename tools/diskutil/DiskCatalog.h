#pragma once

#include "MountTable.h"
#include "VolumeFacts.h"

#include <cstdint>
#include <string>
#include <vector>

namespace diskutil {

// Every disk of the machine with its volumes, mounted or not: each whole disk (sysfs's
// /sys/block) with its partitions, or with itself as its one volume when it holds a file system
// without a partition table (a loop image). Disks of no size (a loop device not set up) and RAM
// disks are left out.
class DiskCatalog {
public:
    struct Disk {
        std::string name;       // the kernel's name, "sdb"
        std::string deviceNode; // "/dev/sdb"
        std::uint64_t size = 0;
        std::string model;
        std::string busProtocol;
        bool removable = false;
        std::string serial;              // as the drive reports it; empty where the kernel has none
        bool solidState = false;         // the kernel says it does not turn
        unsigned logicalBlockSize = 512; // the unit it is addressed in
        unsigned physicalBlockSize = 512; // the unit it writes in
        std::vector<VolumeFacts> volumes;
        std::string partitionTable;  // "gpt", "dos"; empty when none
        std::string contentIdentity; // DiskContents::identity(): what formatDevice checks
        std::string contents;        // DiskContents::describe(): what a new table destroys
    };

    explicit DiskCatalog(const MountTable& mounts, std::string sysfs = "/sys");
    std::vector<Disk> all() const;

    // The kernel name of the whole disk that holds DEVICE (a device node); empty when DEVICE is
    // no block device.
    static std::string wholeDiskOf(const std::string& device, const std::string& sysfs = "/sys");

private:
    VolumeFacts volumeOf(const std::string& device) const;

    const MountTable& mounts_;
    std::string sysfs_;
};

} // namespace diskutil
