#include "VolumeFormatter.h"

#include "Article.h"

#include "DeviceTools.h"
#include "DiskContents.h"
#include "StopRequest.h"
#include "SystemVolumes.h"
#include "VolumeLabelRules.h"
#include "VolumeUnmounter.h"

#include <algorithm>
#include <blkid/blkid.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace diskutil {
namespace {

// The reserved-blocks share of an ext2/3/4 file system as tune2fs reports it ("5.00");
// empty when it cannot be read.
std::string reservedPercent(const std::string& device, std::ostream& err) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        return {};
    }
    const pid_t self = ::getpid();
    const pid_t child = ::fork();
    if (child == 0) {
        if (!DeviceTools::prepareChild(self)) {
            ::_exit(127);
        }
        ::dup2(pipeFds[1], STDOUT_FILENO);
        const int devNull = ::open("/dev/null", O_RDWR);
        ::dup2(devNull, STDERR_FILENO);
        ::execlp("tune2fs", "tune2fs", "-l", device.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    std::string out;
    char buf[4096];
    ssize_t n;
    while (child > 0 && (n = ::read(pipeFds[0], buf, sizeof buf)) > 0) {
        out.append(buf, std::size_t(n));
    }
    ::close(pipeFds[0]);
    int status = 0;
    while (child > 0 && ::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    auto number = [&](const char* key) -> double {
        const std::size_t at = out.find(key);
        return at == std::string::npos ? -1 : std::atof(out.c_str() + at + std::strlen(key));
    };
    const double blocks = number("Block count:"), reserved = number("Reserved block count:");
    if (blocks <= 0 || reserved < 0) {
        err << "diskutil: the reserve of " << device << " could not be read; mkfs's default is used"
            << std::endl;
        return {};
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", 100.0 * reserved / blocks);
    return text;
}

} // namespace

bool VolumeFormatter::typeOfFormat(const std::string& format, std::string& type,
                                   std::string& version) {
    version.clear();
    if (format == "MS-DOS FAT32" || format == "MS-DOS FAT16" || format == "MS-DOS FAT12") {
        type = "vfat";
        version = format.substr(7);
        return true;
    }
    if (format == "MS-DOS" || format == "FAT32") {
        type = "vfat";
        version = "FAT32";
        return true;
    }
    for (const char* known :
         {"ExFAT", "exfat", "ext2", "ext3", "ext4", "btrfs", "xfs", "NTFS", "ntfs"}) {
        if (format == known) {
            type = format == "ExFAT" ? "exfat" : format == "NTFS" ? "ntfs" : format;
            return true;
        }
    }
    return false;
}

std::vector<std::string> VolumeFormatter::mkfsCommand(const std::string& type,
                                                      const std::string& version,
                                                      const std::string& label,
                                                      const std::string& device) {
    if (type == "ext2" || type == "ext3" || type == "ext4") {
        std::vector<std::string> cmd{"mkfs." + type, "-F", "-q", "-E",
                                     "lazy_itable_init=0,lazy_journal_init=0"};
        if (!label.empty()) {
            cmd.insert(cmd.end(), {"-L", label});
        }
        cmd.push_back(device);
        return cmd;
    }
    if (type == "vfat") {
        std::vector<std::string> cmd{"mkfs.vfat"};
        if (version == "FAT32" || version == "FAT16" || version == "FAT12") {
            cmd.insert(cmd.end(), {"-F", version.substr(3)});
        }
        if (!label.empty()) {
            std::string upper = label;
            std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
            cmd.insert(cmd.end(), {"-n", upper.substr(0, 11)});
        }
        cmd.push_back(device);
        return cmd;
    }
    if (type == "exfat") {
        std::vector<std::string> cmd{"mkfs.exfat"};
        if (!label.empty()) {
            cmd.insert(cmd.end(), {"-L", label.substr(0, 15)});
        }
        cmd.push_back(device);
        return cmd;
    }
    if (type == "btrfs" || type == "xfs") {
        std::vector<std::string> cmd{"mkfs." + type, "-f"};
        if (!label.empty()) {
            cmd.insert(cmd.end(), {"-L", label});
        }
        cmd.push_back(device);
        return cmd;
    }
    if (type == "ntfs") {
        std::vector<std::string> cmd{"mkfs.ntfs", "-Q", "-F"};
        if (!label.empty()) {
            cmd.insert(cmd.end(), {"-L", label});
        }
        cmd.push_back(device);
        return cmd;
    }
    return {};
}

int VolumeFormatter::fail(const std::string& message) {
    err_ << "diskutil: " << message << std::endl;
    return 1;
}

int VolumeFormatter::reformat(const Request& request) {
    const DeviceTools::Identity id = DeviceTools::probe(DiskContents::kernelNode(request.device));
    return run(request, id.type, id.version, id.label);
}

int VolumeFormatter::eraseVolume(const Request& request) {
    std::string type, version;
    if (!typeOfFormat(request.format, type, version)) {
        return fail("unknown format \"" + request.format + "\"");
    }
    // A name the file system cannot hold is refused, not cut short.
    if (const std::string why = VolumeLabelRules::whyInvalid(type, request.label); !why.empty()) {
        return fail("refused: " + why);
    }
    return run(request, type, version, VolumeLabelRules::normalised(type, request.label));
}

int VolumeFormatter::run(const Request& request, std::string type, std::string version,
                         std::string label) {
    // From here on the kernel's own node for it, never the path given: mkfs opens the device by
    // name, and a link the caller controls could point elsewhere by then.
    const std::string device = DiskContents::kernelNode(request.device);
    if (device.empty()) {
        return fail(request.device + " is not a block device");
    }
    MountTable mounts = MountTable::read();
    if (const std::string why = SystemVolumes(mounts, {}).whyNeeded(device); !why.empty()) {
        return fail("refused: " + why);
    }
    const DeviceTools::Identity id = DeviceTools::probe(device);
    if (!request.expectedUuid.empty() && id.uuid != request.expectedUuid) {
        return fail("refused: " + device +
                    " is no longer the volume that was listed (its UUID "
                    "changed)");
    }
    if (request.expectedSize != 0 && DeviceTools::deviceSize(device) != request.expectedSize) {
        return fail("refused: " + device +
                    " is no longer the volume that was listed (its size "
                    "changed)");
    }
    std::vector<std::string> mkfs = mkfsCommand(type, version, label, device);
    // ext2/3/4: the same share of blocks in reserve for the administrator as before.
    if (request.format.empty() && (type == "ext2" || type == "ext3" || type == "ext4")) {
        if (const std::string percent = reservedPercent(device, err_); !percent.empty()) {
            mkfs.insert(mkfs.end() - 1, {"-m", percent});
        }
    }
    if (mkfs.empty()) {
        return fail("cannot make " + Article::before(type.empty() ? std::string("new") : type) +
                    " file system on " + device);
    }
    // A loop device set up by "mount -o loop" disappears when it is unmounted.
    const std::string name = device.substr(device.rfind('/') + 1);
    std::ifstream autoclear("/sys/block/" + name + "/loop/autoclear");
    std::string flag;
    if (std::getline(autoclear, flag) && flag == "1") {
        return fail("refused: " + device +
                    " is a loop device that goes away when unmounted; set "
                    "it up with losetup first");
    }
    std::vector<MountEntry> mounted = mounts.mountsOf(device);
    if (mounted.empty()) {
        return fail(device + " is not mounted; only mounted volumes are erased here");
    }
    // The whole file system's mount is where it comes back.
    std::string target = mounted.front().target, options = mounted.front().options;
    for (const MountEntry& m : mounted) {
        if (m.root == "/") {
            target = m.target;
            options = m.options;
            break;
        }
    }
    // From here on each step is taken only while somebody waits for the outcome; a stop lets
    // the step under way end and says what the volume was left as.
    if (StopRequest::requested()) {
        return StopRequest::reportStopped(
            device, "as it was: not formatted, still mounted at " + target, err_);
    }
    if (const std::string why = VolumeUnmounter::unmountAll(mounted); !why.empty()) {
        // Nothing was written: a volume whose mounts are all gone goes back where it was.
        if (!StopRequest::requested() && MountTable::read().mountsOf(device).empty()) {
            DeviceTools::runTool(DeviceTools::mountCommand(id.type, device, target,
                                                           DeviceTools::ownershipOptions(options)),
                                 err_);
        }
        return fail(why);
    }
    // Looked at again right before writing: nothing of it may be mounted now.
    if (!MountTable::read().mountsOf(device).empty()) {
        return fail("refused: " + device + " is still mounted");
    }
    if (StopRequest::requested()) {
        return StopRequest::reportStopped(
            device, "unmounted from " + target + ", not formatted: its old file system is whole",
            err_);
    }
    out_ << "Formatting " << device << " as " << type << std::endl;
    const int made = DeviceTools::runTool(mkfs, err_);
    if (StopRequest::requested()) {
        return StopRequest::reportStopped(
            device,
            made == 0 ? "formatted as " + type + ", not mounted (it was mounted at " + target + ")"
                      : "unmounted from " + target + " after " + mkfs[0] + " ended with status " +
                            std::to_string(made) + "; its file system may be incomplete",
            err_);
    }
    if (made != 0) {
        return fail(mkfs[0] + " failed on " + device + " (status " + std::to_string(made) + ")");
    }
    ::mkdir(target.c_str(), 0755);
    out_ << "Mounting disk" << std::endl;
    if (const int status = DeviceTools::runTool(
            DeviceTools::mountCommand(type, device, target, DeviceTools::ownershipOptions(options)),
            err_);
        status != 0) {
        return fail("the new file system on " + device + " could not be mounted at " + target);
    }
    out_ << "Finished erase on " << device << std::endl;
    return 0;
}

} // namespace diskutil
