#include "DiskCatalog.h"

#include "DiskContents.h"
#include "SysfsText.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <limits.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace diskutil {
namespace {

std::vector<std::string> entriesOf(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        }
        ::closedir(dir);
    }
    // sdb2 before sdb10.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    return names;
}

// The drive's serial number: virtio and NVMe name it in sysfs, SCSI and SATA drives in their
// unit serial number page (0x80: four header bytes, then the number).
std::string serialOf(const std::string& folder) {
    for (const char* file : {"/serial", "/device/serial"}) {
        if (std::string serial = SysfsText::firstLine(folder + file); !serial.empty()) {
            return serial.substr(serial.find_first_not_of(' '));
        }
    }
    std::ifstream page(folder + "/device/vpd_pg80", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(page)), std::istreambuf_iterator<char>());
    if (bytes.size() <= 4) {
        return {};
    }
    std::string serial = bytes.substr(4);
    serial.erase(0, serial.find_first_not_of(' '));
    while (!serial.empty() && (serial.back() == ' ' || serial.back() == '\0')) {
        serial.pop_back();
    }
    return serial;
}

unsigned numberIn(const std::string& path, unsigned fallback) {
    const unsigned long value = std::strtoul(SysfsText::firstLine(path).c_str(), nullptr, 10);
    return value > 0 ? unsigned(value) : fallback;
}

} // namespace

DiskCatalog::DiskCatalog(const MountTable& mounts, std::string sysfs)
    : mounts_(mounts), sysfs_(std::move(sysfs)) {}

std::string DiskCatalog::wholeDiskOf(const std::string& device, const std::string& sysfs) {
    struct stat st {};
    if (::stat(device.c_str(), &st) != 0 || !S_ISBLK(st.st_mode)) {
        return {};
    }
    char resolved[PATH_MAX];
    const std::string link = sysfs + "/dev/block/" + std::to_string(major(st.st_rdev)) + ":" +
                             std::to_string(minor(st.st_rdev));
    if (::realpath(link.c_str(), resolved) == nullptr) {
        return {};
    }
    std::string own = resolved;
    if (::access((own + "/partition").c_str(), F_OK) == 0) {
        own = own.substr(0, own.rfind('/'));
    }
    return own.substr(own.rfind('/') + 1);
}

VolumeFacts DiskCatalog::volumeOf(const std::string& device) const {
    // The mount of the whole file system, the shortest mount point; none when not mounted.
    MountEntry main;
    for (const MountEntry& m : mounts_.mountsOf(device)) {
        if (m.root == "/" && (main.target.empty() || m.target.size() < main.target.size())) {
            main = m;
        }
    }
    return VolumeFacts::probe(device, main, sysfs_);
}

std::vector<DiskCatalog::Disk> DiskCatalog::all() const {
    std::vector<Disk> disks;
    for (const std::string& name : entriesOf(sysfs_ + "/block")) {
        const std::string folder = sysfs_ + "/block/" + name;
        Disk disk;
        disk.name = name;
        disk.deviceNode = "/dev/" + name;
        disk.size =
            std::strtoull(SysfsText::firstLine(folder + "/size").c_str(), nullptr, 10) * 512;
        if (disk.size == 0 || name.compare(0, 3, "ram") == 0 || name.compare(0, 4, "zram") == 0) {
            continue;
        }
        disk.model = SysfsText::firstLine(folder + "/device/model");
        if (disk.model.empty() && name.compare(0, 4, "loop") == 0) {
            disk.model = SysfsText::firstLine(folder + "/loop/backing_file");
        }
        for (const std::string& part : entriesOf(folder)) {
            if (::access((folder + "/" + part + "/partition").c_str(), F_OK) == 0) {
                disk.volumes.push_back(volumeOf("/dev/" + part));
            }
        }
        // A file system on the whole disk: found on the device, or in the mount table where
        // the device cannot be read.
        const VolumeFacts whole = volumeOf(disk.deviceNode);
        if (disk.volumes.empty() && !whole.type.empty()) {
            disk.volumes.push_back(whole);
        }
        const DiskContents contents = DiskContents::read(disk.deviceNode, sysfs_);
        disk.partitionTable = contents.tableType;
        disk.contentIdentity = contents.identity();
        disk.contents = contents.describe();
        disk.serial = serialOf(folder);
        disk.solidState = SysfsText::firstLine(folder + "/queue/rotational") == "0";
        disk.logicalBlockSize = numberIn(folder + "/queue/logical_block_size", 512);
        disk.physicalBlockSize = numberIn(folder + "/queue/physical_block_size", 512);
        disk.busProtocol = whole.busProtocol;
        disk.removable = whole.ejectable;
        disks.push_back(disk);
    }
    return disks;
}

} // namespace diskutil
