#pragma once

#include <ostream>
#include <string>

namespace diskutil {

// The verbs of the disk tool that change a volume without erasing it: a new name, mount,
// unmount, and eject of a removable disk. Each refuses a device the running system needs, and
// says plainly why a busy volume stays as it is. Each returns 0 on success, otherwise 1 with the
// reason on ERR. Each takes a device node or the mount point of one; a device that something
// uses without the mount table naming it (DeviceUse) is neither mounted nor named.
class VolumeChanger {
public:
    VolumeChanger(std::ostream& out, std::ostream& err, std::string sysfs = "/sys")
        : out_(out), err_(err), sysfs_(std::move(sysfs)) {}

    // Names the file system on DEVICE NAME (upper case on FAT). FAT, exFAT and NTFS volumes are
    // unmounted for it and mounted again where they were; the others are named in place.
    int rename(const std::string& device, const std::string& name);
    // Mounts DEVICE at /media/NAME (its label, else its kernel name); prints the mount point.
    int mount(const std::string& device);
    // Unmounts every mount of DEVICE, deepest first.
    int unmount(const std::string& device);
    // Unmounts every volume of the removable disk that holds DEVICE, then lets go of the disk:
    // a loop device is detached, any other disk is powered off through udisks where present,
    // else ejected with eject(1).
    int eject(const std::string& device);

private:
    int fail(const std::string& message);
    // The device mounted at GIVEN when that is a mount point of a block device; else GIVEN.
    static std::string deviceOf(const std::string& given);
    // Empty when DEVICE is a block device the system does not need; otherwise why not.
    std::string whyRefused(const std::string& device);

    std::ostream& out_;
    std::ostream& err_;
    std::string sysfs_;
};

} // namespace diskutil
