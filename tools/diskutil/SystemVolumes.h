#pragma once

#include "MountTable.h"

#include <set>
#include <string>
#include <sys/types.h>
#include <vector>

namespace diskutil {

// The block devices the running system needs, which no verb of this tool may unmount, format
// or overwrite: those holding /, /boot, /boot/efi, /usr, /var or /home, an active swap area,
// this program's own files, or the backing file of a loop device; the devices under them
// (device-mapper, md and loop stacks); and a whole disk that holds any of them.
class SystemVolumes {
public:
    // OWNFILES: paths of this program's files (its own executable is always counted).
    SystemVolumes(const MountTable& mounts, std::vector<std::string> ownFiles,
                  std::string sysfs = "/sys", std::string swaps = "/proc/swaps");

    // Empty when DEVICE (a device node) may be changed; otherwise why not.
    std::string whyNeeded(const std::string& device) const;

private:
    void need(dev_t device, const std::string& why);
    void needHolderOf(const std::string& path, const std::string& why);
    std::string folderOf(dev_t device) const;

    const MountTable& mounts_;
    std::string sysfs_;
    std::vector<std::pair<dev_t, std::string>> needed_;
};

} // namespace diskutil
