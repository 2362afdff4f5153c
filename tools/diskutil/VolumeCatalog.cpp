#include "VolumeCatalog.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace diskutil {
namespace {

bool blockDevice(const std::string& path, dev_t& number) {
    struct stat st {};
    if (path.empty() || path[0] != '/' || ::stat(path.c_str(), &st) != 0 || !S_ISBLK(st.st_mode)) {
        return false;
    }
    number = st.st_rdev;
    return true;
}

} // namespace

VolumeCatalog::VolumeCatalog(const MountTable& mounts, std::string sysfs)
    : mounts_(mounts), sysfs_(std::move(sysfs)) {
    std::vector<dev_t> seen;
    for (const MountEntry& entry : mounts_.entries()) {
        dev_t number = 0;
        if (!blockDevice(entry.source, number)) {
            continue;
        }
        bool known = false;
        for (dev_t other : seen) {
            known = known || other == number;
        }
        if (!known) {
            seen.push_back(number);
            devices_.push_back(entry.source);
        }
    }
}

const MountEntry* VolumeCatalog::mainMountOf(const std::string& device) const {
    const MountEntry* best = nullptr;
    for (const MountEntry& entry : mounts_.entries()) {
        if (entry.source != device) {
            continue;
        }
        const bool whole = entry.root == "/";
        const bool bestWhole = best != nullptr && best->root == "/";
        if (best == nullptr || (whole && !bestWhole) ||
            (whole == bestWhole && entry.target.size() < best->target.size())) {
            best = &entry;
        }
    }
    return best;
}

std::vector<VolumeFacts> VolumeCatalog::all() const {
    std::vector<VolumeFacts> volumes;
    for (const std::string& device : devices_) {
        if (const MountEntry* mount = mainMountOf(device)) {
            volumes.push_back(VolumeFacts::probe(device, *mount, sysfs_));
        }
    }
    return volumes;
}

std::optional<VolumeFacts> VolumeCatalog::find(const std::string& name) const {
    if (name.empty()) {
        return std::nullopt;
    }
    dev_t wanted = 0;
    std::string candidate = name[0] == '/' ? name : "/dev/" + name;
    if (blockDevice(candidate, wanted)) {
        for (const std::string& device : devices_) {
            dev_t number = 0;
            if (blockDevice(device, number) && number == wanted) {
                return VolumeFacts::probe(device, *mainMountOf(device), sysfs_);
            }
        }
        return std::nullopt; // a device, but not mounted
    }
    char resolved[PATH_MAX];
    const std::string real = ::realpath(name.c_str(), resolved) != nullptr ? resolved : name;
    for (const std::string& device : devices_) {
        for (const MountEntry& mount : mounts_.mountsOf(device)) {
            if (mount.target == real) {
                return VolumeFacts::probe(device, *mainMountOf(device), sysfs_);
            }
        }
    }
    for (const VolumeFacts& volume : all()) {
        if (volume.volumeName == name || (!volume.label.empty() && volume.label == name)) {
            return volume;
        }
    }
    return std::nullopt;
}

} // namespace diskutil
