#pragma once

#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

namespace diskutil {

// What a block device holds, read from the device itself and from sysfs: a partition table
// with its partitions, a file system, or nothing. A partition the table lists but the kernel
// has no node for (a kernel without that table's parser, a loop device without partition scan)
// is still listed, its file system read at its offset: whatever would be lost is named.
class DiskContents {
public:
    struct Partition {
        unsigned number = 0;
        std::string deviceNode; // "/dev/loop3p1"; empty when the kernel has no node for it
        std::string type;       // its file system as blkid reads it; empty when none
        std::string label;
    };

    std::string kernelName;        // "loop3", "sdb1"
    bool partition = false;        // a partition of a disk, not a whole disk
    bool mayHoldPartitions = true; // a whole disk the kernel lets hold partitions
    std::string tableType;         // "gpt", "dos"; empty when none
    std::string tableUuid;
    std::string type, label, uuid; // a file system on the device itself
    std::vector<Partition> partitions;

    // Reads DEVICE (a block device node). An empty kernelName when DEVICE is no block device.
    static DiskContents read(const std::string& device, const std::string& sysfs = "/sys");
    // The kernel's own node ("/dev/sdb1") for the block device at DEVICE, which may be a link or a
    // node made elsewhere; empty when DEVICE is no block device. A tool handed the kernel's node
    // writes where the check looked, whatever a link the caller controls points at later.
    static std::string kernelNode(const std::string& device, const std::string& sysfs = "/sys");
    // The node of partition NUMBER of whole disk DEVICE as the kernel has it now; empty when
    // the kernel has no such partition.
    static std::string partitionNode(const std::string& device, unsigned number,
                                     const std::string& sysfs = "/sys");

    // What the device holds, as one identity: the table's id, else the file system's UUID,
    // else "none". A caller passes it back to make sure the device is still what it listed.
    std::string identity() const;
    bool blank() const { return tableType.empty() && type.empty() && partitions.empty(); }
    // What a new file system or table would destroy, for the user: "partitions loop3p1 (ext4,
    // 'DATA'), loop3p2 (no file system)", "an ext4 file system 'DATA'", "nothing".
    std::string describe() const;
};

} // namespace diskutil
