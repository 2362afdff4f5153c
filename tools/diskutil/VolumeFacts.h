#pragma once

#include "MountTable.h"

#include <cstdint>
#include <string>

namespace diskutil {

// What is known of one mounted block-device volume: the keys the volume modules read.
struct VolumeFacts {
    std::string volumeName;     // the label; "EFI" for an EFI system partition; else the mount
                                // point's last component ("System" for "/")
    std::string deviceNode;     // "/dev/sdb1"
    std::string mountPoint;     // "/media/usb"
    std::string filesystemName; // "MS-DOS FAT32", "ExFAT", "NTFS", "ext4", "btrfs", ...
    std::string type;           // the probed type ("vfat", "exfat", "ntfs", "ext4", ...)
    std::string label;
    std::string uuid;
    std::uint64_t totalSize = 0;
    std::uint64_t freeSpace = 0; // what an unprivileged writer can still use
    std::string busProtocol;     // "USB", "SATA", "NVMe", "Virtio", "SCSI", "Disk Image", ...
    bool ejectable = false;
    std::string parentWholeDisk; // kernel name of the whole disk ("sdb"), the device's own for one
    bool solidState = false;

    // Probes DEVICE (a device node) mounted as MOUNT. SYSFS is the sysfs root.
    static VolumeFacts probe(const std::string& device, const MountEntry& mount,
                             const std::string& sysfs = "/sys");

    // The file-system name shown for TYPE (with the probe's VERSION, "FAT32" and the like).
    static std::string filesystemNameOf(const std::string& type, const std::string& version);
};

} // namespace diskutil
