#include "HiddenAreas.h"

#include "ToolOutput.h"

namespace diskutil {

std::vector<HiddenAreas::Area> HiddenAreas::of(const std::string& device) {
    std::vector<Area> areas;
    std::string said;
    unsigned long long visible = 0, native = 0;
    // " max sectors   = 1000/2000, HPA is enabled"
    const std::size_t label = ToolOutput::run({"hdparm", "-N", device}, said) == 0
                                  ? said.find("max sectors")
                                  : std::string::npos;
    if (label != std::string::npos && ToolOutput::numberAfter(said, "=", visible, label) &&
        ToolOutput::numberAfter(said, "/", native, label) && native > visible)
        areas.push_back({"host protected area", native - visible});
    unsigned long long real = 0;
    if (native > 0 && ToolOutput::run({"hdparm", "--dco-identify", device}, said) == 0 &&
        ToolOutput::numberAfter(said, "Real max sectors:", real) && real > native)
        areas.push_back({"device configuration overlay", real - native});
    return areas;
}

std::string HiddenAreas::line(const std::string& device, const Area& area, bool sanitize) {
    return "hidden " + device + " " + area.what + ": " + std::to_string(area.sectors) +
           " sectors past the visible end (" +
           (sanitize ? "the sanitize covers them" : "an overwrite does not reach them") + ")";
}

} // namespace diskutil
