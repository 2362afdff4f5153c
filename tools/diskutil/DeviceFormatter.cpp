#include "DeviceFormatter.h"

#include "Article.h"
#include "DeviceTools.h"
#include "PartitionTableWriter.h"
#include "StopRequest.h"
#include "SystemVolumes.h"
#include "VolumeFormatter.h"
#include "VolumeLabelRules.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace diskutil {
namespace {

// The devices built on kernel device NAME (device-mapper, md, bcache): its sysfs holders.
std::string holdersOf(const std::string& name) {
    std::string held;
    if (DIR* dir = ::opendir(("/sys/class/block/" + name + "/holders").c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            if (entry->d_name[0] != '.') {
                held += (held.empty() ? "" : ", ") + std::string(entry->d_name);
            }
        }
        ::closedir(dir);
    }
    return held;
}

std::string mountedAt(const std::vector<MountEntry>& mounts) {
    std::string at;
    for (const MountEntry& m : mounts) {
        at += (at.empty() ? "" : ", ") + m.target;
    }
    return at;
}

} // namespace

std::string DeviceFormatter::whyInUse(const std::string& device, const DiskContents& contents,
                                      const MountTable& mounts) {
    std::vector<std::pair<std::string, std::string>> parts{{device, contents.kernelName}};
    for (const DiskContents::Partition& p : contents.partitions) {
        if (!p.deviceNode.empty()) {
            parts.emplace_back(p.deviceNode, p.deviceNode.substr(p.deviceNode.rfind('/') + 1));
        }
    }
    for (const auto& [node, name] : parts) {
        if (const std::vector<MountEntry> m = mounts.mountsOf(node); !m.empty()) {
            return node + " is mounted at " + mountedAt(m) + "; unmount it first";
        }
        if (const std::string held = holdersOf(name); !held.empty()) {
            return node + " is in use by " + held + "; stop that first";
        }
    }
    // What the kernel itself holds exclusively (a mount the table above does not show, an
    // active swap area, a RAID member) cannot be opened exclusively.
    const int fd = ::open(device.c_str(), O_RDONLY | O_EXCL | O_CLOEXEC);
    if (fd < 0) {
        return errno == EBUSY ? device + " is in use (mounted, swapped on or held by a driver); "
                                         "unmount it first"
                              : device + " cannot be opened";
    }
    ::close(fd);
    return {};
}

int DeviceFormatter::fail(const std::string& message) {
    err_ << "diskutil: " << message << std::endl;
    return 1;
}

int DeviceFormatter::run(const Request& request) {
    std::string type, version;
    if (!VolumeFormatter::typeOfFormat(request.format, type, version)) {
        return fail("unknown format \"" + request.format + "\"");
    }
    if (const std::string why = VolumeLabelRules::whyInvalid(type, request.label); !why.empty()) {
        return fail("refused: " + why);
    }
    const std::string label = VolumeLabelRules::normalised(type, request.label);
    const std::string table = request.table == "mbr" ? "dos" : request.table;
    if (!table.empty() && table != "gpt" && table != "dos") {
        return fail("unknown partition table \"" + request.table + "\" (gpt or dos)");
    }
    const std::string& given = request.device;
    // From here on the kernel's own node for it, never the path given.
    const std::string device = DiskContents::kernelNode(given);
    if (device.empty()) {
        return fail(given + " is not a block device");
    }
    const DiskContents contents = DiskContents::read(device);
    const MountTable mounts = MountTable::read();
    if (const std::string why = SystemVolumes(mounts, {}).whyNeeded(device); !why.empty()) {
        return fail("refused: " + why);
    }
    if (!request.expectedIdentity.empty() && contents.identity() != request.expectedIdentity) {
        return fail("refused: " + device + " no longer holds what was listed (it holds " +
                    contents.describe() + ")");
    }
    if (const std::string why = whyInUse(device, contents, mounts); !why.empty()) {
        return fail("refused: " + why);
    }
    if (!table.empty() && (contents.partition || !contents.mayHoldPartitions)) {
        return fail("refused: " + device + " cannot hold a partition table" +
                    (contents.partition ? " (it is a partition; give its whole disk)" : ""));
    }
    // A whole disk gets a table unless it holds a file system directly and none was asked for.
    const bool makeTable = !contents.partition && contents.mayHoldPartitions &&
                           (!table.empty() || !contents.tableType.empty() ||
                            !contents.partitions.empty() || contents.type.empty());
    if (StopRequest::requested()) {
        return StopRequest::reportStopped(device, "as it was", err_);
    }
    std::string target = device;
    if (makeTable) {
        const std::string kind = table.empty() ? "gpt" : table;
        target = PartitionTableWriter(err_).write(device, kind, type);
        if (target.empty()) {
            return 1;
        }
        out_ << "made " << kind << " table on " << device << std::endl;
        if (StopRequest::requested()) {
            return StopRequest::reportStopped(
                device, "with a new " + kind + " table and one empty partition, " + target, err_);
        }
    }
    const std::vector<std::string> mkfs =
        VolumeFormatter::mkfsCommand(type, version, label, target);
    if (mkfs.empty() || !DeviceTools::haveTool(mkfs[0])) {
        return fail("cannot make " + Article::before(type) + " file system here");
    }
    if (const int status = DeviceTools::runTool(mkfs, err_); status != 0) {
        return fail(mkfs[0] + " failed on " + target + " (status " + std::to_string(status) + ")");
    }
    // Only what the device now holds counts as made.
    const DeviceTools::Identity made = DeviceTools::probe(target);
    if (made.type != type) {
        return fail(mkfs[0] + " ended, but " + target + " holds no " + type + " file system");
    }
    out_ << "made " << type << " '" << made.label << "' on " << target << std::endl;
    return 0;
}

} // namespace diskutil
