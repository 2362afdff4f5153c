#include "WipeMethod.h"

#include "DeviceTools.h"
#include "DriveSanitize.h"
#include "SanitizeCapabilities.h"

namespace diskutil {

bool WipeMethod::known(const std::string& method) {
    return method == "overwrite" || method == "sanitize" || method == "auto";
}

std::optional<int> WipeMethod::eraseOrRefuse(const std::string& device, const std::string& method,
                                             std::size_t passes) const {
    const SanitizeCapabilities caps = SanitizeCapabilities::probe(device);
    const SanitizeCapabilities::Choice choice = caps.choose(method);
    if (choice.kind == SanitizeCapabilities::Choice::Kind::Refused) {
        err_ << "diskutil: refused: " << choice.why << std::endl;
        return 1;
    }
    const bool sanitize = choice.kind == SanitizeCapabilities::Choice::Kind::Sanitize;
    for (const HiddenAreas::Area& area : caps.hidden())
        out_ << HiddenAreas::line(device, area, sanitize) << std::endl;
    if (sanitize) {
        std::string why;
        switch (
            DriveSanitize(out_, err_)
                .run(device, DeviceTools::deviceSize(device), choice.erase, *choice.eraser, why)) {
        case DriveSanitize::Outcome::Done:
            return 0;
        case DriveSanitize::Outcome::Stopped:
            return 1;
        case DriveSanitize::Outcome::Failed:
            err_ << "diskutil: " << why << std::endl;
            return 1;
        case DriveSanitize::Outcome::Unsupported:
            if (method != "auto") {
                err_ << "diskutil: refused: " << why << ": nothing was written" << std::endl;
                return 1;
            }
            // Nothing was written: the overwrite follows, and says so.
            out_ << "note " << why << "; overwriting instead" << std::endl;
            for (const HiddenAreas::Area& area : caps.hidden())
                out_ << HiddenAreas::line(device, area, false) << std::endl;
            break;
        }
    }
    out_ << "method Clear (" << passes << " pass overwrite)" << std::endl;
    return std::nullopt;
}

} // namespace diskutil
