#pragma once

#include "DiskContents.h"
#include "MountTable.h"

#include <ostream>
#include <string>

namespace diskutil {

// Makes a new file system on a device nothing has mounted. An unmounted partition gets the file
// system and nothing else on its disk changes. A whole disk gets a new partition table (GPT
// unless DOS is asked for) with one partition filling it, and the file system on that
// partition; a whole disk that holds a file system directly and no table keeps that layout
// unless a table is asked for. Refused: a device the running system needs (and any disk holding
// one), anything of the device that is mounted or held by another driver (device-mapper, md,
// swap), and a device that no longer holds what the caller listed. Mounted volumes are
// VolumeFormatter's: they are put back where they were.
class DeviceFormatter {
public:
    struct Request {
        std::string device;
        std::string format; // as eraseVolume takes it: "MS-DOS FAT32", "ExFAT", "ext4", ...
        std::string label;
        std::string table;            // "gpt", "dos" (or "mbr"); empty: GPT where one is made
        std::string expectedIdentity; // DiskContents::identity() as listed; empty: not checked
    };

    DeviceFormatter(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    // 0 when the file system was made; otherwise 1 with the reason on ERR. OUT says what was
    // made, one line a step ("made gpt table on /dev/loop3", "made ext4 'DATA' on ...").
    int run(const Request& request);

    // Empty when nothing of DEVICE (holding CONTENTS) is mounted, swapped on or held by another
    // driver; otherwise why, saying what to unmount.
    static std::string whyInUse(const std::string& device, const DiskContents& contents,
                                const MountTable& mounts);

private:
    int fail(const std::string& message);

    std::ostream& out_;
    std::ostream& err_;
};

} // namespace diskutil
