#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace diskutil {

// The parts of an ATA drive that lie past the end the computer sees, as hdparm reports them: a
// host protected area (`hdparm -N`: "max sectors = VISIBLE/NATIVE, HPA is enabled") and a
// device configuration overlay (`hdparm --dco-identify`: "Real max sectors: N" beyond the
// native maximum). An overwrite from the computer cannot reach them; a firmware sanitize
// covers the whole media, them included. Drives and tools that cannot say report nothing.
class HiddenAreas {
public:
    struct Area {
        std::string what; // "host protected area", "device configuration overlay"
        std::uint64_t sectors = 0;
    };

    static std::vector<Area> of(const std::string& device);
    // The line the wipe and sanitize-info print for AREA: "hidden DEVICE host protected area:
    // N sectors past the visible end (...)", the parenthesis saying what the method does to it.
    static std::string line(const std::string& device, const Area& area, bool sanitize);
};

} // namespace diskutil
