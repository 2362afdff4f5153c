#pragma once

#include "MountTable.h"
#include "VolumeFacts.h"

#include <optional>
#include <string>
#include <vector>

namespace diskutil {

// The mounted block-device volumes: one per device, at the mount of its whole file system.
class VolumeCatalog {
public:
    explicit VolumeCatalog(const MountTable& mounts, std::string sysfs = "/sys");

    std::vector<VolumeFacts> all() const;

    // The volume NAME stands for: a device node, a kernel name ("sdb1"), a mount point, or a
    // volume name or label (the first volume of that name). None when NAME is no mounted volume.
    std::optional<VolumeFacts> find(const std::string& name) const;

private:
    // The mount that stands for device DEVICE: its whole file system, the shortest mount point.
    const MountEntry* mainMountOf(const std::string& device) const;

    const MountTable& mounts_;
    std::string sysfs_;
    std::vector<std::string> devices_; // in mount-table order, each once
};

} // namespace diskutil
