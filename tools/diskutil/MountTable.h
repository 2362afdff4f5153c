#pragma once

#include <string>
#include <vector>

namespace diskutil {

// One mounted file system, as the mount table lists it.
struct MountEntry {
    std::string source;  // what was mounted: a device node for block-device file systems
    std::string target;  // the mount point
    std::string type;    // the kernel's file-system type ("ext4", "vfat", "fuseblk", ...)
    std::string options; // the mount's and the file system's options
    std::string root;    // the folder of the file system mounted there ("/" for all of it)
};

// The mount table of this process (/proc/self/mountinfo through libmount), or of FILE.
class MountTable {
public:
    static MountTable read(const std::string& file = std::string());

    const std::vector<MountEntry>& entries() const { return entries_; }

    // The mounts whose source is the block device DEVICE (a device node), in table order.
    std::vector<MountEntry> mountsOf(const std::string& device) const;
    // The mount that holds PATH: the one with the longest mount point that is PATH or a folder
    // above it (the latest such mount wins, as in the kernel). Null when none.
    const MountEntry* holding(const std::string& path) const;

private:
    std::vector<MountEntry> entries_;
};

} // namespace diskutil
