#pragma once

#include "MountTable.h"

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace diskutil {

// Takes volumes off their mount points so that their devices are free. A FUSE driver (fusefat,
// exfat-fuse) still writes to its device for a moment after its mount is gone: it flushes and
// closes on its own time. Whatever comes next (a new file system, a new name, an unplug) waits
// until no process has the device open, or it would race those last writes.
class VolumeUnmounter {
public:
    // Unmounts MOUNTS, deepest first, and waits until their devices are closed. The reason of
    // the first that stays; empty when all are gone. A mount point in /media (where mount()
    // makes them) goes with its mount when REMOVEMEDIAFOLDERS and it is left empty.
    static std::string unmountAll(const std::vector<MountEntry>& mounts,
                                  bool removeMediaFolders = false);
    // Waits up to LIMIT until no other process has DEVICE open. Empty when none has; otherwise
    // which processes still have it.
    static std::string waitUntilClosed(const std::string& device,
                                       std::chrono::milliseconds limit = std::chrono::seconds(20));
    // The processes other than this one that have the block device RDEV open, as
    // "name (pid N)". Processes whose descriptors cannot be read are not seen.
    static std::vector<std::string> holders(dev_t rdev);
};

} // namespace diskutil
