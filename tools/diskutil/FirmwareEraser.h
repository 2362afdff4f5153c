#pragma once

#include "FirmwareErase.h"

#include <cstdint>
#include <string>
#include <vector>

namespace diskutil {

// One family of firmware erase commands as an external tool carries them (nvme, hdparm,
// sg_sanitize, blkdiscard): what the drive offers, starting one, and asking how far it got.
// Every answer comes from the tool; a missing tool offers nothing.
class FirmwareEraser {
public:
    struct Offers {
        std::vector<FirmwareErase> erases;
        // Why the erases this family would offer cannot run now (a frozen drive), with what
        // the user can do about it; empty when nothing stands in the way.
        std::string blocked;
        std::vector<std::string> notes; // what the user should know about them
    };
    struct Status {
        enum class State { Running, Completed, Failed, Unsupported };
        State state = State::Failed;
        std::uint64_t done = 0; // progress, of TOTAL
        std::uint64_t total = 65536;
        std::string message; // why it failed, in the tool's or our words
    };

    virtual ~FirmwareEraser() = default;
    virtual Offers probe(const std::string& device) const = 0;
    // Starts ERASE (one this family offered). Running: poll until it ends; Completed: done.
    virtual Status start(const std::string& device, const FirmwareErase& erase) const = 0;
    virtual Status poll(const std::string& device) const = 0;
};

} // namespace diskutil
