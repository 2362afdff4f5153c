#include "VolumeChanger.h"

#include "DeviceTools.h"
#include "DeviceUse.h"
#include "DiskCatalog.h"
#include "MountTable.h"
#include "StopRequest.h"
#include "SystemVolumes.h"
#include "VolumeLabelRules.h"
#include "VolumeUnmounter.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <linux/loop.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace diskutil {
namespace {

// The mount of the whole file system among MOUNTS (the shortest mount point).
const MountEntry* mainMount(const std::vector<MountEntry>& mounts) {
    const MountEntry* main = nullptr;
    for (const MountEntry& m : mounts) {
        if (m.root == "/" && (main == nullptr || m.target.size() < main->target.size())) {
            main = &m;
        }
    }
    return main != nullptr ? main : (mounts.empty() ? nullptr : &mounts.front());
}

// A folder name made of NAME: no "/", not "." or "..", not empty.
std::string folderName(const std::string& name, const std::string& fallback) {
    std::string folder;
    for (const char c : name) {
        folder += c == '/' || static_cast<unsigned char>(c) < 0x20 ? '_' : c;
    }
    return folder.empty() || folder == "." || folder == ".." ? fallback : folder;
}

bool isEmptyFolder(const std::string& path) {
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr) {
        return false;
    }
    int entries = 0;
    while (const dirent* entry = ::readdir(dir)) {
        entries += std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0;
    }
    ::closedir(dir);
    return entries == 0;
}

} // namespace

int VolumeChanger::fail(const std::string& message) {
    err_ << "diskutil: " << message << std::endl;
    return 1;
}

std::string VolumeChanger::deviceOf(const std::string& given) {
    struct stat st {};
    if (given.empty() || given[0] != '/' || ::stat(given.c_str(), &st) != 0 ||
        S_ISBLK(st.st_mode) || !S_ISDIR(st.st_mode)) {
        return given;
    }
    char* real = ::realpath(given.c_str(), nullptr);
    if (real == nullptr) {
        return given;
    }
    const std::string folder(real);
    std::free(real);
    // The latest mount at the folder is the one seen there.
    const MountTable table = MountTable::read();
    const MountEntry* top = nullptr;
    for (const MountEntry& entry : table.entries()) {
        if (entry.target == folder) {
            top = &entry;
        }
    }
    struct stat source {};
    if (top != nullptr && !top->source.empty() && top->source[0] == '/' &&
        ::stat(top->source.c_str(), &source) == 0 && S_ISBLK(source.st_mode)) {
        return top->source;
    }
    return given;
}

std::string VolumeChanger::whyRefused(const std::string& device) {
    struct stat st {};
    if (device.empty() || device[0] != '/' || ::stat(device.c_str(), &st) != 0 ||
        !S_ISBLK(st.st_mode)) {
        return device + " is neither a block device nor the mount point of one";
    }
    const MountTable mounts = MountTable::read();
    if (const std::string why = SystemVolumes(mounts, {}, sysfs_).whyNeeded(device); !why.empty()) {
        return "refused: " + why;
    }
    return {};
}

int VolumeChanger::rename(const std::string& given, const std::string& name) {
    const std::string device = deviceOf(given);
    if (const std::string why = whyRefused(device); !why.empty()) {
        return fail(why);
    }
    const DeviceTools::Identity id = DeviceTools::probe(device);
    if (id.type.empty()) {
        return fail(device + " holds no file system that can be named");
    }
    if (const std::string why = VolumeLabelRules::whyInvalid(id.type, name); !why.empty()) {
        return fail("refused: " + why);
    }
    const std::string label = VolumeLabelRules::normalised(id.type, name);
    const std::vector<MountEntry> mounts = MountTable::read().mountsOf(device);
    // Mounted where the table does not say (a FUSE driver of another program): no label is
    // written under a live driver.
    if (mounts.empty()) {
        if (const std::string use = DeviceUse().whoUses(device); !use.empty()) {
            return fail("refused: " + device + " is " + use + "; not renamed");
        }
    }
    const MountEntry* main = mainMount(mounts);
    std::vector<std::string> command;
    bool offline = false;
    if (id.type == "ext2" || id.type == "ext3" || id.type == "ext4") {
        command = {"e2label", device, label};
    } else if (id.type == "btrfs") {
        command = {"btrfs", "filesystem", "label", main ? main->target : device, label};
    } else if (id.type == "xfs") {
        command = main ? std::vector<std::string>{"xfs_io", "-c", "label -s " + label, main->target}
                       : std::vector<std::string>{"xfs_admin", "-L", label, device};
    } else if (id.type == "vfat") {
        command = {"fatlabel", device, label};
        offline = true;
    } else if (id.type == "exfat") {
        command = {"exfatlabel", device, label};
        offline = true;
    } else if (id.type == "ntfs") {
        command = {"ntfslabel", device, label};
        offline = true;
    } else {
        return fail("volumes of type " + id.type + " cannot be named here");
    }
    if (!DeviceTools::haveTool(command[0])) {
        return fail(command[0] + " is not installed; it names " + id.type + " volumes");
    }
    // These drivers keep the name in memory and would write the old one back.
    MountEntry again;
    if (offline && main != nullptr) {
        again = *main;
        std::string why = VolumeUnmounter::unmountAll(mounts);
        // Another driver of the device, one the table does not name, would keep the old name.
        if (const std::string use = DeviceUse().whoUses(device); why.empty() && !use.empty()) {
            why = "refused: " + device + " is still " + use + "; not renamed";
        }
        if (!why.empty()) {
            if (!StopRequest::requested() && MountTable::read().mountsOf(device).empty()) {
                DeviceTools::runTool(
                    DeviceTools::mountCommand(id.type, device, again.target,
                                              DeviceTools::ownershipOptions(again.options)),
                    err_);
            }
            return fail(why);
        }
    }
    // As for a format: a stop lets the step under way end and takes no further one.
    const std::string unmounted =
        again.target.empty() ? "" : ", unmounted from " + again.target + " and not mounted again";
    if (StopRequest::requested()) {
        return StopRequest::reportStopped(device, "not renamed" + unmounted, err_);
    }
    const int status = DeviceTools::runTool(command, err_);
    if (StopRequest::requested()) {
        return StopRequest::reportStopped(device,
                                          (status == 0 ? "renamed to " + label
                                                       : "not renamed (" + command[0] +
                                                             " ended with status " +
                                                             std::to_string(status) + ")") +
                                              unmounted,
                                          err_);
    }
    if (!again.target.empty() &&
        DeviceTools::runTool(
            DeviceTools::mountCommand(id.type, device, again.target,
                                      DeviceTools::ownershipOptions(again.options)),
            err_) != 0) {
        return fail("the volume on " + device + " could not be mounted again at " + again.target);
    }
    if (status != 0) {
        return fail(command[0] + " failed on " + device + " (status " + std::to_string(status) +
                    ")");
    }
    // The name as the device now holds it.
    if (DeviceTools::probe(device).label != label) {
        return fail("the name of " + device + " did not change");
    }
    out_ << "Renamed " << device << " to " << label << std::endl;
    return 0;
}

int VolumeChanger::mount(const std::string& given) {
    const std::string device = deviceOf(given);
    if (const std::string why = whyRefused(device); !why.empty()) {
        return fail(why);
    }
    if (const std::vector<MountEntry> mounts = MountTable::read().mountsOf(device);
        !mounts.empty()) {
        return fail(device + " is already mounted at " + mainMount(mounts)->target);
    }
    // A second driver on a device that one already serves would corrupt it.
    if (const std::string use = DeviceUse().whoUses(device); !use.empty()) {
        return fail(device + " is " + use + "; it is not mounted a second time");
    }
    const DeviceTools::Identity id = DeviceTools::probe(device);
    if (id.type.empty() || id.type == "swap" || id.type == "LVM2_member" ||
        id.type == "crypto_LUKS") {
        return fail(device + " holds no file system that can be mounted");
    }
    const std::string kernelName = device.substr(device.rfind('/') + 1);
    const std::string base = "/media/" + folderName(id.label, kernelName);
    ::mkdir("/media", 0755);
    std::string target = base;
    for (int n = 1; n < 100; ++n) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0) {
            if (::mkdir(target.c_str(), 0755) == 0) {
                break;
            }
        } else if (S_ISDIR(st.st_mode) && isEmptyFolder(target)) {
            const MountTable now = MountTable::read();
            const MountEntry* holder = now.holding(target);
            if (holder == nullptr || holder->target != target) {
                break; // an empty folder that is no mount point
            }
        }
        target = base + " " + std::to_string(n);
    }
    if (DeviceTools::runTool(DeviceTools::mountCommand(id.type, device, target, ""), err_) != 0) {
        ::rmdir(target.c_str());
        return fail(device + " could not be mounted at " + target);
    }
    out_ << target << std::endl;
    return 0;
}

int VolumeChanger::unmount(const std::string& given) {
    const std::string device = deviceOf(given);
    if (const std::string why = whyRefused(device); !why.empty()) {
        return fail(why);
    }
    const std::vector<MountEntry> mounts = MountTable::read().mountsOf(device);
    if (mounts.empty()) {
        return fail(device + " is not mounted");
    }
    if (const std::string why = VolumeUnmounter::unmountAll(mounts, true); !why.empty()) {
        return fail(why);
    }
    out_ << "Unmounted " << device << std::endl;
    return 0;
}

int VolumeChanger::eject(const std::string& given) {
    const std::string device = deviceOf(given);
    if (const std::string why = whyRefused(device); !why.empty()) {
        return fail(why);
    }
    const std::string disk = DiskCatalog::wholeDiskOf(device, sysfs_);
    const std::string diskNode = "/dev/" + disk;
    if (disk.empty()) {
        return fail(device + " is not a disk");
    }
    if (const std::string why = whyRefused(diskNode); !why.empty()) {
        return fail(why);
    }
    std::ifstream removableFile(sysfs_ + "/block/" + disk + "/removable");
    std::string removable;
    std::getline(removableFile, removable);
    const bool loop = disk.compare(0, 4, "loop") == 0;
    const MountTable table = MountTable::read();
    bool usb = false;
    for (const DiskCatalog::Disk& d : DiskCatalog(table, sysfs_).all()) {
        usb = usb || (d.name == disk && d.busProtocol == "USB");
    }
    if (!loop && removable != "1" && !usb) {
        return fail(diskNode + " is not a removable disk");
    }
    // Every volume of the disk: its partitions and the disk itself.
    std::vector<MountEntry> mounts;
    for (const MountEntry& m : table.entries()) {
        if (!m.source.empty() && m.source[0] == '/' &&
            DiskCatalog::wholeDiskOf(m.source, sysfs_) == disk) {
            mounts.push_back(m);
        }
    }
    if (const std::string why = VolumeUnmounter::unmountAll(mounts, true); !why.empty()) {
        return fail(why);
    }
    ::sync();
    if (loop) {
        const int fd = ::open(diskNode.c_str(), O_RDONLY | O_CLOEXEC);
        const bool detached = fd >= 0 && ::ioctl(fd, LOOP_CLR_FD, 0) == 0;
        const int error = errno;
        if (fd >= 0) {
            ::close(fd);
        }
        if (!detached) {
            return fail("cannot detach " + diskNode + ": " + std::strerror(error));
        }
    } else if (DeviceTools::haveTool("udisksctl")) {
        if (DeviceTools::runTool({"udisksctl", "power-off", "-b", diskNode}, err_) != 0) {
            return fail(diskNode + " could not be powered off");
        }
    } else if (DeviceTools::haveTool("eject")) {
        if (DeviceTools::runTool({"eject", diskNode}, err_) != 0) {
            return fail(diskNode + " could not be ejected");
        }
    } else {
        return fail("neither udisksctl nor eject is installed; the volumes of " + diskNode +
                    " are unmounted and it may be unplugged");
    }
    out_ << "Ejected " << diskNode << std::endl;
    return 0;
}

} // namespace diskutil
