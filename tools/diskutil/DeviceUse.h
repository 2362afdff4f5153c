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

    // Empty when nothing is seen using DEVICE for a second; otherwise what uses it, for a
    // message.
    std::string whoUses(const std::string& device) const;

private:
    // What uses DEVICE at this moment.
    std::string useNow(const std::string& device) const;
    // "process PID (NAME)" for the first other process holding the device numbered RDEV open.
    std::string holderOf(unsigned long rdev) const;

    std::string proc_;
};

} // namespace diskutil
