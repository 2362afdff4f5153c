#pragma once

#include "MountTable.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace diskutil {

// Makes a new, empty file system on a mounted volume's device and mounts it again where it was:
// reformat keeps the file system's type and label, eraseVolume makes the one asked for. The
// device is checked first (not needed by the system, still the one the caller listed, nothing of
// it mounted once unmounted), and the file-system tools run as child processes with argument
// vectors, never through a shell. mkfs leaves old inode tables and journals as they were on some
// file systems; ext2/3/4 are made with both written out in full, so nothing of the old file
// system stays outside what the free-space wipe then overwrites.
class VolumeFormatter {
public:
    struct Request {
        std::string device;
        std::string format;       // eraseVolume: "MS-DOS FAT32", "ExFAT", "ext4", ...; reformat: ""
        std::string label;        // eraseVolume: the new name
        std::string expectedUuid; // the identity the caller listed; empty: not checked
        std::uint64_t expectedSize = 0;
    };

    VolumeFormatter(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    // 0 on success; otherwise 1 with the reason on ERR.
    int reformat(const Request& request);
    int eraseVolume(const Request& request);

    // The mkfs command for file-system TYPE (blkid's name, VERSION "FAT32" and the like) with
    // LABEL on DEVICE; empty when this type cannot be made here.
    static std::vector<std::string> mkfsCommand(const std::string& type, const std::string& version,
                                                const std::string& label,
                                                const std::string& device);
    // blkid's type and version for an eraseVolume format name; false when unknown.
    static bool typeOfFormat(const std::string& format, std::string& type, std::string& version);

private:
    int run(const Request& request, std::string type, std::string version, std::string label);
    int fail(const std::string& message);

    std::ostream& out_;
    std::ostream& err_;
};

} // namespace diskutil
