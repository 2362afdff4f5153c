#include "SystemVolumes.h"

#include <dirent.h>
#include <fstream>
#include <limits.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace diskutil {
namespace {

const char* const kSystemFolders[] = {"/", "/boot", "/boot/efi", "/usr", "/var", "/home"};

bool deviceNumber(const std::string& node, dev_t& number) {
    struct stat st {};
    if (::stat(node.c_str(), &st) != 0 || !S_ISBLK(st.st_mode)) {
        return false;
    }
    number = st.st_rdev;
    return true;
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            if (entry->d_name[0] != '.') {
                names.emplace_back(entry->d_name);
            }
        }
        ::closedir(dir);
    }
    return names;
}

bool readDevice(const std::string& file, dev_t& number) {
    std::ifstream in(file);
    unsigned int maj = 0, min = 0;
    char colon = 0;
    if (!(in >> maj >> colon >> min) || colon != ':') {
        return false;
    }
    number = makedev(maj, min);
    return true;
}

} // namespace

SystemVolumes::SystemVolumes(const MountTable& mounts, std::vector<std::string> ownFiles,
                             std::string sysfs, std::string swaps)
    : mounts_(mounts), sysfs_(std::move(sysfs)) {
    for (const char* folder : kSystemFolders) {
        needHolderOf(folder, std::string("it holds ") + folder);
    }
    char self[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n > 0) {
        ownFiles.emplace_back(self, std::size_t(n));
    }
    for (const std::string& file : ownFiles) {
        needHolderOf(file, "it holds this program's files");
    }
    // Active swap: partitions by their device, swap files by the volume that holds them.
    std::ifstream swapList(swaps);
    std::string line;
    std::getline(swapList, line); // the heading
    while (std::getline(swapList, line)) {
        std::istringstream fields(line);
        std::string path, kind;
        if (!(fields >> path >> kind)) {
            continue;
        }
        dev_t device = 0;
        if (kind == "partition" && deviceNumber(path, device)) {
            need(device, "it is an active swap area");
        } else {
            needHolderOf(path, "it holds an active swap file");
        }
    }
    // Loop devices: the volumes holding their backing files.
    for (const std::string& name : namesIn(sysfs_ + "/block")) {
        if (name.compare(0, 4, "loop") != 0) {
            continue;
        }
        std::ifstream backing(sysfs_ + "/block/" + name + "/loop/backing_file");
        std::string file;
        if (std::getline(backing, file) && !file.empty()) {
            needHolderOf(file, "it holds the image behind /dev/" + name);
        }
    }
}

std::string SystemVolumes::folderOf(dev_t device) const {
    char resolved[PATH_MAX];
    const std::string link = sysfs_ + "/dev/block/" + std::to_string(major(device)) + ":" +
                             std::to_string(minor(device));
    return ::realpath(link.c_str(), resolved) != nullptr ? std::string(resolved) : std::string();
}

void SystemVolumes::need(dev_t device, const std::string& why) {
    for (const auto& [known, reason] : needed_) {
        if (known == device) {
            return;
        }
    }
    needed_.emplace_back(device, why);
    const std::string folder = folderOf(device);
    if (folder.empty()) {
        return;
    }
    // What it is built on is needed as much: the disks under a device-mapper or md device, the
    // device under a loop device's file, and the whole disk of a partition.
    for (const std::string& slave : namesIn(folder + "/slaves")) {
        dev_t under = 0;
        if (readDevice(folder + "/slaves/" + slave + "/dev", under)) {
            need(under, why);
        }
    }
    if (::access((folder + "/partition").c_str(), F_OK) == 0) {
        dev_t whole = 0;
        if (readDevice(folder.substr(0, folder.rfind('/')) + "/dev", whole)) {
            need(whole, why + " (a partition of this disk)");
        }
    }
}

void SystemVolumes::needHolderOf(const std::string& path, const std::string& why) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return;
    }
    dev_t device = 0;
    // Most file systems carry their device's number; btrfs and some others an anonymous one,
    // so the mount's source tells.
    if (major(st.st_dev) != 0) {
        need(st.st_dev, why);
    }
    char resolved[PATH_MAX];
    const std::string real = ::realpath(path.c_str(), resolved) != nullptr ? resolved : path;
    if (const MountEntry* mount = mounts_.holding(real);
        mount != nullptr && deviceNumber(mount->source, device)) {
        need(device, why);
    }
}

std::string SystemVolumes::whyNeeded(const std::string& device) const {
    dev_t number = 0;
    if (!deviceNumber(device, number)) {
        return device + " is not a block device";
    }
    for (const auto& [known, reason] : needed_) {
        if (known == number) {
            return "the running system needs " + device + ": " + reason;
        }
    }
    return {};
}

} // namespace diskutil
