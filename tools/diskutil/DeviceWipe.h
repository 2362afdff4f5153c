#pragma once

#include "MountTable.h"

#include <ostream>
#include <string>

namespace diskutil {

// The wipe verb: refuses a device the running system needs or one with anything mounted on it,
// builds the passes of the erasure standard of the level asked for (the passes srm runs for the
// same level), overwrites the whole device with them (DeviceWiper), reads back what was asked
// and says how it went. Progress goes to OUT as "progress STEP PASS PASSES DONE TOTAL" lines,
// the end as "wiped DEVICE BYTES passes N verified BYTES". Before the work it says the method
// ("method Clear (N pass overwrite)" or a firmware erase's Purge, see WipeMethod) and the areas
// hidden past the drive's visible end ("hidden ...").
class DeviceWipe {
public:
    struct Request {
        std::string device;
        int level = 0;
        std::string verify = "last"; // last, all, sample:PERCENT or none
        std::string method = "auto"; // overwrite, sanitize or auto (see WipeMethod)
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
