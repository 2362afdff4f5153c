#pragma once

#include <string>

namespace diskutil {

// Whether a block device is in use although the mount table may not say so. A FUSE driver
// started by another program can mount a device under a source such as "fusefat" or
// "/dev/fuse", so the table does not name the device; mounting it again or writing its label
// would then put two drivers on one device. Seen here: a kernel mount or another claim (an
// exclusive open fails), or a process other than this one holding the device open.
class DeviceUse {
public:
    explicit DeviceUse(std::string proc = "/proc") : proc_(std::move(proc)) {}

    // Empty when nothing is seen using DEVICE; otherwise what uses it, for a message.
    std::string whoUses(const std::string& device) const;

private:
    // "process PID (NAME)" for the first other process holding the device numbered RDEV open.
    std::string holderOf(unsigned long rdev) const;

    std::string proc_;
};

} // namespace diskutil
