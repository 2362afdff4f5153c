#include "DiskContents.h"

#include "SysfsText.h"

#include <algorithm>
#include <blkid/blkid.h>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <limits.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace diskutil {
namespace {

// The sysfs folder of the block device DEVICE; empty when DEVICE is none. Found by the device
// number, never by the name given, which the caller does not vouch for.
std::string sysfsFolderOf(const std::string& device, const std::string& sysfs) {
    struct stat st {};
    if (::stat(device.c_str(), &st) != 0 || !S_ISBLK(st.st_mode)) {
        return {};
    }
    char resolved[PATH_MAX];
    const std::string link = sysfs + "/dev/block/" + std::to_string(major(st.st_rdev)) + ":" +
                             std::to_string(minor(st.st_rdev));
    return ::realpath(link.c_str(), resolved) != nullptr ? std::string(resolved) : std::string();
}

// The kernel's partitions of the whole disk in FOLDER: number and kernel name.
std::vector<std::pair<unsigned, std::string>> kernelPartitions(const std::string& folder) {
    std::vector<std::pair<unsigned, std::string>> found;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            const std::string number = SysfsText::firstLine(folder + "/" + name + "/partition");
            if (name[0] != '.' && !number.empty()) {
                found.emplace_back(unsigned(std::strtoul(number.c_str(), nullptr, 10)), name);
            }
        }
        ::closedir(dir);
    }
    return found;
}

void takeValue(blkid_probe pr, const char* name, std::string& into) {
    const char* value = nullptr;
    if (blkid_probe_lookup_value(pr, name, &value, nullptr) == 0) {
        into = value;
    }
}

// The file system (type and label) on PR's device or region.
void probeFileSystem(blkid_probe pr, std::string& type, std::string& label, std::string* uuid) {
    blkid_probe_enable_superblocks(pr, 1);
    blkid_probe_set_superblocks_flags(pr,
                                      BLKID_SUBLKS_TYPE | BLKID_SUBLKS_LABEL | BLKID_SUBLKS_UUID);
    if (blkid_do_safeprobe(pr) == 0) {
        takeValue(pr, "TYPE", type);
        takeValue(pr, "LABEL", label);
        if (uuid != nullptr) {
            takeValue(pr, "UUID", *uuid);
        }
    }
}

} // namespace

std::string DiskContents::kernelNode(const std::string& device, const std::string& sysfs) {
    const std::string folder =
        device.empty() || device[0] != '/' ? std::string() : sysfsFolderOf(device, sysfs);
    if (folder.empty()) {
        return {};
    }
    const std::string node = "/dev/" + folder.substr(folder.rfind('/') + 1);
    struct stat asGiven {
    }, own{};
    if (::stat(device.c_str(), &asGiven) != 0 || ::lstat(node.c_str(), &own) != 0 ||
        !S_ISBLK(own.st_mode) || own.st_rdev != asGiven.st_rdev) {
        return {};
    }
    return node;
}

DiskContents DiskContents::read(const std::string& device, const std::string& sysfs) {
    DiskContents contents;
    const std::string folder = sysfsFolderOf(device, sysfs);
    if (folder.empty()) {
        return contents;
    }
    contents.kernelName = folder.substr(folder.rfind('/') + 1);
    contents.partition = ::access((folder + "/partition").c_str(), F_OK) == 0;
    if (!contents.partition) {
        // ext_range 1: the kernel gives this device no partitions (device-mapper, md).
        const std::string range = SysfsText::firstLine(folder + "/ext_range");
        contents.mayHoldPartitions = range.empty() || std::strtoul(range.c_str(), nullptr, 10) > 1;
    }

    const int fd = ::open(device.c_str(), O_RDONLY | O_CLOEXEC);
    blkid_probe pr = fd >= 0 ? blkid_new_probe() : nullptr;
    if (pr != nullptr && blkid_probe_set_device(pr, fd, 0, 0) == 0) {
        probeFileSystem(pr, contents.type, contents.label, &contents.uuid);
        blkid_probe_enable_superblocks(pr, 0);
        blkid_probe_enable_partitions(pr, 1);
        blkid_reset_probe(pr);
        // A partition's own first sector can look like a table (a FAT boot sector); only a
        // whole disk's table counts.
        if (!contents.partition && blkid_do_safeprobe(pr) == 0) {
            takeValue(pr, "PTTYPE", contents.tableType);
            takeValue(pr, "PTUUID", contents.tableUuid);
        }
        // Each partition of the table, its file system read where the partition lies.
        blkid_partlist list = contents.partition || contents.tableType.empty()
                                  ? nullptr
                                  : blkid_probe_get_partitions(pr);
        const int count = list != nullptr ? blkid_partlist_numof_partitions(list) : 0;
        for (int i = 0; i < count; ++i) {
            blkid_partition part = blkid_partlist_get_partition(list, i);
            Partition entry;
            entry.number = unsigned(blkid_partition_get_partno(part));
            if (blkid_probe region = blkid_new_probe()) {
                if (blkid_probe_set_device(region, fd, blkid_partition_get_start(part) * 512,
                                           blkid_partition_get_size(part) * 512) == 0) {
                    probeFileSystem(region, entry.type, entry.label, nullptr);
                }
                blkid_free_probe(region);
            }
            contents.partitions.push_back(entry);
        }
    }
    if (pr != nullptr) {
        blkid_free_probe(pr);
    }
    if (fd >= 0) {
        ::close(fd);
    }
    if (contents.partition) {
        return contents;
    }
    // The kernel's nodes for them, and the partitions it has that the table no longer lists.
    for (const auto& [number, name] : kernelPartitions(folder)) {
        auto known =
            std::find_if(contents.partitions.begin(), contents.partitions.end(),
                         [number = number](const Partition& p) { return p.number == number; });
        if (known == contents.partitions.end()) {
            Partition entry;
            entry.number = number;
            if (blkid_probe node = blkid_new_probe_from_filename(("/dev/" + name).c_str())) {
                probeFileSystem(node, entry.type, entry.label, nullptr);
                blkid_free_probe(node);
            }
            known = contents.partitions.insert(contents.partitions.end(), entry);
        }
        known->deviceNode = "/dev/" + name;
    }
    std::sort(contents.partitions.begin(), contents.partitions.end(),
              [](const Partition& a, const Partition& b) { return a.number < b.number; });
    return contents;
}

std::string DiskContents::partitionNode(const std::string& device, unsigned number,
                                        const std::string& sysfs) {
    const std::string folder = sysfsFolderOf(device, sysfs);
    if (folder.empty()) {
        return {};
    }
    for (const auto& [n, name] : kernelPartitions(folder)) {
        if (n == number) {
            return "/dev/" + name;
        }
    }
    return {};
}

std::string DiskContents::identity() const {
    if (!tableUuid.empty()) {
        return tableUuid;
    }
    if (!uuid.empty()) {
        return uuid;
    }
    return "none";
}

std::string DiskContents::describe() const {
    auto fileSystem = [](const std::string& fsType, const std::string& fsLabel) {
        return fsType.empty() ? std::string("no file system")
                              : fsType + (fsLabel.empty() ? "" : ", '" + fsLabel + "'");
    };
    if (!partitions.empty()) {
        std::string text = partitions.size() == 1 ? "partition " : "partitions ";
        for (std::size_t i = 0; i < partitions.size(); ++i) {
            const Partition& p = partitions[i];
            text += (i == 0 ? "" : ", ") +
                    (p.deviceNode.empty() ? "number " + std::to_string(p.number) + " of the table"
                                          : p.deviceNode.substr(p.deviceNode.rfind('/') + 1)) +
                    " (" + fileSystem(p.type, p.label) + ")";
        }
        return text;
    }
    if (!tableType.empty()) {
        return "an empty " + tableType + " partition table";
    }
    if (!type.empty()) {
        return "a file system (" + fileSystem(type, label) + ")";
    }
    return "nothing";
}

} // namespace diskutil
