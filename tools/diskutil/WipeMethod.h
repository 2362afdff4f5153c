#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace diskutil {

// How the wipe verb erases a drive: "overwrite" (the passes of an erasure standard, a Clear),
// "sanitize" (the firmware's own erase, a Purge; refused when the drive offers none) or "auto"
// (the firmware's erase for a solid-state whole drive that offers one, else the overwrite).
// Says the method and the hidden areas before anything is written, and runs a firmware erase
// itself; an overwrite is left to the caller.
class WipeMethod {
public:
    WipeMethod(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    static bool known(const std::string& method);
    // The wipe's exit status when the method decided the end (a refusal, a firmware erase done
    // or failed); none when DEVICE is to be overwritten with PASSES passes (the "method Clear"
    // line is said).
    std::optional<int> eraseOrRefuse(const std::string& device, const std::string& method,
                                     std::size_t passes) const;

private:
    std::ostream& out_;
    std::ostream& err_;
};

} // namespace diskutil
