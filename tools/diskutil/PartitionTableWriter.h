#pragma once

#include <ostream>
#include <string>

namespace diskutil {

// Gives a whole disk a new partition table with one partition filling it (sfdisk, aligned to
// 1 MiB), then makes the kernel see that partition and waits for its device node. The kernel
// reads a new table on its own only where it has that table's parser and the device allows it
// (a loop device only with partition scan on), so it is told about the partition as well
// (partx), which works either way.
class PartitionTableWriter {
public:
    explicit PartitionTableWriter(std::ostream& err) : err_(err) {}

    // Writes a TABLE ("gpt" or "dos") table on DISK whose one partition is typed for file
    // system FSTYPE (blkid's name). The partition's node; empty, with the reason on ERR, when
    // the table could not be written or the partition did not appear.
    std::string write(const std::string& disk, const std::string& table, const std::string& fsType);

    // sfdisk's script for that table: Windows and macOS see FAT, exFAT and NTFS only in a
    // partition typed as theirs ("basic data", 0x0c, 0x07), the others get the Linux type.
    static std::string sfdiskScript(const std::string& table, const std::string& fsType);

private:
    void enableLoopPartitionScan(const std::string& disk);

    std::ostream& err_;
};

} // namespace diskutil
