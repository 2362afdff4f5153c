// diskutil: what the volume modules ask of the disks. Read verbs print XML property lists;
// the verbs that change a volume refuse every device the running system needs.
#include "DeviceFormatter.h"
#include "DeviceWipe.h"
#include "DiskCatalog.h"
#include "MountTable.h"
#include "PlistWriter.h"
#include "SanitizeCapabilities.h"
#include "StopRequest.h"
#include "SystemVolumes.h"
#include "VolumeCatalog.h"
#include "VolumeChanger.h"
#include "VolumeFormatter.h"
#include "platform/ParentDeathSignal.h"

#include <cstdlib>
#include <sys/stat.h>

#include <iostream>
#include <string>
#include <vector>

namespace {

int usage() {
    std::cerr
        << "usage: diskutil info -plist NAME\n"
           "       diskutil list -plist\n"
           "       diskutil disks -plist\n"
           "       diskutil check DEVICE\n"
           "       diskutil reformat DEVICE [--uuid UUID] [--size BYTES]\n"
           "       diskutil eraseVolume FORMAT NAME DEVICE [--uuid UUID] [--size BYTES]\n"
           "       diskutil formatDevice FORMAT NAME DEVICE [--table gpt|dos] [--uuid ID]\n"
           "       diskutil rename DEVICE NAME\n"
           "       diskutil mount DEVICE | unmount DEVICE | eject DEVICE\n"
           "       diskutil wipe DEVICE --level 1|2|3|7|35 [--verify last|all|sample:P|none]\n"
           "                     [--method overwrite|sanitize|auto]\n"
           "                     [--passes LIST --key HEX --from PASS:OFFSET]\n"
           "       diskutil sanitize-info DEVICE\n"
           "formatDevice: an unmounted partition, or a whole disk (a new partition table with one\n"
           "partition); ID is what the device held when listed (table id, UUID or none).\n"
           "NAME is a device node, a kernel name (sdb1), a mount point or a volume name.\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        return usage();
    }
    const std::string& verb = args[0];
    // A read verb simply ends when its caller is gone (SIGTERM as it comes).
    ParentDeathSignal::armForThisProcess();
    const diskutil::MountTable mounts = diskutil::MountTable::read();
    if (verb == "list" && args.size() == 2 && args[1] == "-plist") {
        std::cout << diskutil::PlistWriter::volumes(diskutil::VolumeCatalog(mounts).all());
        return 0;
    }
    if (verb == "disks" && args.size() == 2 && args[1] == "-plist") {
        std::cout << diskutil::PlistWriter::disks(diskutil::DiskCatalog(mounts).all());
        return 0;
    }
    // The verbs that change a volume stop between their steps instead.
    diskutil::StopRequest::install();
    diskutil::VolumeChanger changer(std::cout, std::cerr);
    if (verb == "rename" && args.size() == 3) {
        return changer.rename(args[1], args[2]);
    }
    if (verb == "mount" && args.size() == 2) {
        return changer.mount(args[1]);
    }
    if (verb == "unmount" && args.size() == 2) {
        return changer.unmount(args[1]);
    }
    if (verb == "eject" && args.size() == 2) {
        return changer.eject(args[1]);
    }
    if (verb == "info" && args.size() == 3 && args[1] == "-plist") {
        const auto volume = diskutil::VolumeCatalog(mounts).find(args[2]);
        if (!volume) {
            std::cerr << "diskutil: " << args[2] << ": not a mounted volume\n";
            return 1;
        }
        std::cout << diskutil::PlistWriter::volume(*volume);
        return 0;
    }
    if (verb == "sanitize-info" && args.size() == 2) {
        // Reading only, but as root: ask the drive tools about block devices only.
        struct stat st {};
        if (args[1].rfind("/dev/", 0) != 0 || ::stat(args[1].c_str(), &st) != 0 ||
            !S_ISBLK(st.st_mode)) {
            std::cerr << "diskutil: " << args[1] << ": not a drive or partition\n";
            return 1;
        }
        diskutil::SanitizeCapabilities::probe(args[1]).print(std::cout);
        return 0;
    }
    if (verb == "check" && args.size() == 2) {
        const std::string why = diskutil::SystemVolumes(mounts, {}).whyNeeded(args[1]);
        if (!why.empty()) {
            std::cerr << "diskutil: refused: " << why << "\n";
            return 1;
        }
        std::cout << args[1] << " may be changed\n";
        return 0;
    }
    if (verb == "wipe" && args.size() >= 4 && args.size() % 2 == 0) {
        diskutil::DeviceWipe::Request request;
        request.device = args[1];
        for (std::size_t i = 2; i + 1 < args.size(); i += 2) {
            if (args[i] == "--level") {
                request.level = std::atoi(args[i + 1].c_str());
            } else if (args[i] == "--verify") {
                request.verify = args[i + 1];
            } else if (args[i] == "--method") {
                request.method = args[i + 1];
            } else if (args[i] == "--passes") {
                request.passes = args[i + 1];
            } else if (args[i] == "--key") {
                request.key = args[i + 1];
            } else if (args[i] == "--from") {
                request.from = args[i + 1];
            } else {
                return usage();
            }
        }
        return diskutil::DeviceWipe(mounts, std::cout, std::cerr).run(request);
    }
    if (verb == "formatDevice" && args.size() >= 4 && args.size() % 2 == 0) {
        diskutil::DeviceFormatter::Request request;
        request.format = args[1];
        request.label = args[2];
        request.device = args[3];
        for (std::size_t i = 4; i + 1 < args.size(); i += 2) {
            if (args[i] == "--table") {
                request.table = args[i + 1];
            } else if (args[i] == "--uuid") {
                request.expectedIdentity = args[i + 1];
            } else {
                return usage();
            }
        }
        return diskutil::DeviceFormatter(std::cout, std::cerr).run(request);
    }
    if (verb == "reformat" || verb == "eraseVolume") {
        const std::size_t fixed = verb == "reformat" ? 2 : 4;
        if (args.size() < fixed || (args.size() - fixed) % 2 != 0) {
            return usage();
        }
        diskutil::VolumeFormatter::Request request;
        request.device = args[fixed - 1];
        if (verb == "eraseVolume") {
            request.format = args[1];
            request.label = args[2];
        }
        for (std::size_t i = fixed; i + 1 < args.size(); i += 2) {
            if (args[i] == "--uuid") {
                request.expectedUuid = args[i + 1];
            } else if (args[i] == "--size") {
                request.expectedSize = std::strtoull(args[i + 1].c_str(), nullptr, 10);
            } else {
                return usage();
            }
        }
        diskutil::VolumeFormatter formatter(std::cout, std::cerr);
        return verb == "reformat" ? formatter.reformat(request) : formatter.eraseVolume(request);
    }
    return usage();
}
