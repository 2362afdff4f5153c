#pragma once

#include "MountTable.h"

#include <ostream>
#include <string>

namespace diskutil {

// The wipe verb: refuses a device the running system needs or one with anything mounted on it,
// builds the passes of the erasure standard of the level asked for (the passes srm runs for the
// same level), overwrites the whole device with them (DeviceWiper), reads back what was asked
// and says how it went. OUT gets, before the work, the method ("method Clear (N pass
// overwrite)" or a firmware erase's Purge, see WipeMethod) and the areas hidden past the drive's
// visible end ("hidden ..."); for an overwrite "plan KEY PASSES" (what a resumed wipe needs to
// make the same passes); then "progress STEP PASS PASSES DONE TOTAL" lines, "checkpoint PASS
// OFFSET" lines once everything before that place is on the device, and at the end "wiped
// DEVICE BYTES passes N verified BYTES".
class DeviceWipe {
public:
    struct Request {
        std::string device;
        int level = 0;
        std::string verify = "last"; // last, all, sample:PERCENT or none
        std::string method = "auto"; // overwrite, sanitize or auto (see WipeMethod)
        // To go on with an interrupted wipe: the passes it ran ("random,f6f6f6,…", the order
        // of the level's passes it printed), its key (64 hex digits) and where it had come to
        // ("PASS:OFFSET", from a checkpoint line). Empty: a wipe from the start.
        std::string passes;
        std::string key;
        std::string from;
    };

    DeviceWipe(const MountTable& mounts, std::ostream& out, std::ostream& err)
        : mounts_(mounts), out_(out), err_(err) {}

    // The exit status: 0 wiped and verified as asked, 1 refused or failed, 2 bad request.
    int run(const Request& request) const;

private:
    const MountTable& mounts_;
    std::ostream& out_;
    std::ostream& err_;
};

} // namespace diskutil
