#include "VolumeFacts.h"

#include "SysfsText.h"

#include <blkid/blkid.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace diskutil {
namespace {

// The partition type of EFI system partitions on GPT disks, and its MBR type.
const char kEfiGuid[] = "c12a7328-f81f-11d2-ba4b-00a0c93ec93b";
const char kEfiMbrType[] = "0xef";

std::string realPath(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : std::string();
}

struct Probe {
    std::string type, version, label, uuid, partType;
};

// Read from the device itself where this process may; otherwise from udev's database.
Probe probeDevice(const std::string& device, dev_t rdev) {
    Probe probe;
    if (blkid_probe pr = blkid_new_probe_from_filename(device.c_str())) {
        blkid_probe_enable_superblocks(pr, 1);
        blkid_probe_set_superblocks_flags(pr, BLKID_SUBLKS_TYPE | BLKID_SUBLKS_LABEL |
                                                  BLKID_SUBLKS_UUID | BLKID_SUBLKS_VERSION);
        blkid_probe_enable_partitions(pr, 1);
        blkid_probe_set_partitions_flags(pr, BLKID_PARTS_ENTRY_DETAILS);
        if (blkid_do_safeprobe(pr) == 0) {
            const char* value = nullptr;
            auto take = [&](const char* name, std::string& into) {
                if (blkid_probe_lookup_value(pr, name, &value, nullptr) == 0) {
                    into = value;
                }
            };
            take("TYPE", probe.type);
            take("VERSION", probe.version);
            take("LABEL", probe.label);
            if (probe.label.empty()) {
                // FAT keeps the label twice; the boot sector's copy when the root entry is gone.
                take("LABEL_FATBOOT", probe.label);
            }
            take("UUID", probe.uuid);
            take("PART_ENTRY_TYPE", probe.partType);
        }
        blkid_free_probe(pr);
        if (!probe.type.empty()) {
            return probe;
        }
    }
    std::ifstream udev("/run/udev/data/b" + std::to_string(major(rdev)) + ":" +
                       std::to_string(minor(rdev)));
    for (std::string line; std::getline(udev, line);) {
        auto take = [&](const char* key, std::string& into) {
            const std::string prefix = std::string("E:") + key + "=";
            if (line.compare(0, prefix.size(), prefix) == 0) {
                into = line.substr(prefix.size());
            }
        };
        take("ID_FS_TYPE", probe.type);
        take("ID_FS_VERSION", probe.version);
        take("ID_FS_LABEL", probe.label);
        take("ID_FS_UUID", probe.uuid);
        take("ID_PART_ENTRY_TYPE", probe.partType);
    }
    return probe;
}

// The sysfs folder of the block device RDEV, and that of its whole disk.
void deviceFolders(const std::string& sysfs, dev_t rdev, std::string& own, std::string& whole) {
    own = realPath(sysfs + "/dev/block/" + std::to_string(major(rdev)) + ":" +
                   std::to_string(minor(rdev)));
    whole = own;
    if (!own.empty() && ::access((own + "/partition").c_str(), F_OK) == 0) {
        whole = own.substr(0, own.rfind('/'));
    }
}

std::string busOf(const std::string& wholeFolder) {
    const std::string name = wholeFolder.substr(wholeFolder.rfind('/') + 1);
    if (name.compare(0, 4, "loop") == 0) {
        return "Disk Image";
    }
    const std::string device = realPath(wholeFolder + "/device");
    if (device.find("/usb") != std::string::npos) {
        return "USB";
    }
    if (name.compare(0, 4, "nvme") == 0) {
        return "NVMe";
    }
    if (name.compare(0, 6, "mmcblk") == 0) {
        return "Secure Digital";
    }
    if (name.compare(0, 2, "vd") == 0 || device.find("/virtio") != std::string::npos) {
        return "Virtio";
    }
    if (device.find("/ata") != std::string::npos) {
        return "SATA";
    }
    if (name.compare(0, 2, "sd") == 0) {
        return "SCSI";
    }
    return name.compare(0, 3, "dm-") == 0 ? "Device Mapper" : "Unknown";
}

} // namespace

std::string VolumeFacts::filesystemNameOf(const std::string& type, const std::string& version) {
    if (type == "vfat" || type == "msdos") {
        return "MS-DOS " + (version.empty() ? std::string("FAT") : version);
    }
    if (type == "exfat") {
        return "ExFAT";
    }
    if (type == "ntfs" || type == "ntfs3") {
        return "NTFS";
    }
    return type;
}

VolumeFacts VolumeFacts::probe(const std::string& device, const MountEntry& mount,
                               const std::string& sysfs) {
    VolumeFacts facts;
    facts.deviceNode = device;
    facts.mountPoint = mount.target;
    struct stat st {};
    const bool block = ::stat(device.c_str(), &st) == 0 && S_ISBLK(st.st_mode);
    const Probe probe = block ? probeDevice(device, st.st_rdev) : Probe{};
    // The kernel's type where it names the file system; a FUSE mount reads as what the device
    // holds, so an ntfs-3g mount is NTFS.
    facts.type = mount.type;
    if (mount.type == "fuseblk" || mount.type == "fuse" || mount.type.compare(0, 5, "fuse.") == 0 ||
        facts.type.empty()) {
        facts.type = probe.type.empty() ? mount.type : probe.type;
    }
    facts.filesystemName =
        filesystemNameOf(facts.type, probe.type == facts.type ? probe.version : std::string());
    facts.label = probe.label;
    facts.uuid = probe.uuid;
    const bool efi = probe.partType == kEfiGuid || probe.partType == kEfiMbrType;
    if (efi) {
        facts.volumeName = "EFI";
    } else if (!probe.label.empty()) {
        facts.volumeName = probe.label;
    } else if (mount.target == "/") {
        facts.volumeName = "System";
    } else {
        facts.volumeName = mount.target.substr(mount.target.rfind('/') + 1);
    }
    struct statvfs vfs {};
    if (::statvfs(mount.target.c_str(), &vfs) == 0) {
        facts.totalSize = std::uint64_t(vfs.f_blocks) * vfs.f_frsize;
        facts.freeSpace = std::uint64_t(vfs.f_bavail) * vfs.f_frsize;
    }
    if (block) {
        std::string own, whole;
        deviceFolders(sysfs, st.st_rdev, own, whole);
        // A driver that reports no blocks (the FUSE FAT driver on FAT32): the device's size
        // in 512-byte sectors, as sysfs has it.
        if (facts.totalSize == 0 && !own.empty()) {
            facts.totalSize =
                std::strtoull(SysfsText::firstLine(own + "/size").c_str(), nullptr, 10) * 512;
        }
        if (!whole.empty()) {
            facts.parentWholeDisk = whole.substr(whole.rfind('/') + 1);
            facts.busProtocol = busOf(whole);
            facts.ejectable =
                SysfsText::firstLine(whole + "/removable") == "1" || facts.busProtocol == "USB";
            facts.solidState = SysfsText::firstLine(whole + "/queue/rotational") == "0";
        }
    }
    return facts;
}

} // namespace diskutil
