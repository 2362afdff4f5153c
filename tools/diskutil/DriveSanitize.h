#pragma once

#include "FirmwareEraser.h"

#include <cstdint>
#include <ostream>
#include <string>

namespace diskutil {

// Runs one firmware erase on a whole drive and proves it with a verifying read (SampleCheck):
// says "method Purge (...)", marks the sampled blocks (or only reads them where the erase is
// merely tried), starts the erase, follows it as "progress sanitize 1 1 DONE TOTAL" lines,
// reads the samples back as "progress verify 1 1 DONE TOTAL", then says "checked COVERAGE"
// and "wiped DEVICE BYTES passes 1 verified BYTES". A sampled block left unchanged fails the
// wipe with its offset.
class DriveSanitize {
public:
    enum class Outcome { Done, Failed, Stopped, Unsupported };

    DriveSanitize(std::ostream& out, std::ostream& err, unsigned pollMilliseconds = 500)
        : out_(out), err_(err), pollMilliseconds_(pollMilliseconds) {}

    // Unsupported: the device refused the erase before anything was written (a secure discard
    // it does not take); the caller may overwrite instead. The reason is on ERR otherwise.
    Outcome run(const std::string& device, std::uint64_t deviceBytes, const FirmwareErase& erase,
                const FirmwareEraser& eraser, std::string& why) const;

private:
    std::ostream& out_;
    std::ostream& err_;
    unsigned pollMilliseconds_;
};

} // namespace diskutil
