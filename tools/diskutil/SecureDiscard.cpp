#include "SecureDiscard.h"

#include "DeviceTools.h"
#include "ToolOutput.h"

#include <fstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace diskutil {

namespace {

// queue/discard_max_bytes of DEVICE's disk, found by its device number (never by its name).
unsigned long long discardMaxBytes(const std::string& device) {
    struct stat st {};
    if (::stat(device.c_str(), &st) != 0 || !S_ISBLK(st.st_mode))
        return 0;
    const std::string folder = "/sys/dev/block/" + std::to_string(major(st.st_rdev)) + ":" +
                               std::to_string(minor(st.st_rdev));
    unsigned long long bytes = 0;
    std::ifstream(folder + "/queue/discard_max_bytes") >> bytes;
    return bytes;
}

} // namespace

FirmwareEraser::Offers SecureDiscard::probe(const std::string& device) const {
    Offers offers;
    if (DeviceTools::haveTool("blkdiscard") && discardMaxBytes(device) > 0) {
        offers.erases.push_back(
            {FirmwareErase::Family::Discard, FirmwareErase::Action::SecureDiscard});
        offers.notes.push_back("a secure discard is tried: the device may refuse it");
    }
    return offers;
}

FirmwareEraser::Status SecureDiscard::start(const std::string& device,
                                            const FirmwareErase& erase) const {
    if (erase.action != FirmwareErase::Action::SecureDiscard)
        return {Status::State::Unsupported, 0, 65536, "not a discard"};
    // --force: blkdiscard would refuse a device with a signature; the wipe has checked the
    // device itself (nothing mounted, not needed by the system).
    std::string said;
    if (ToolOutput::run({"blkdiscard", "--secure", "--force", device}, said) == 0)
        return {Status::State::Completed, 65536, 65536, {}};
    const bool unsupported = said.find("not supported") != std::string::npos;
    std::string line = said;
    while (!line.empty() && line.back() == '\n')
        line.pop_back();
    return {unsupported ? Status::State::Unsupported : Status::State::Failed, 0, 65536,
            unsupported ? device + " does not take a secure discard" : "blkdiscard: " + line};
}

FirmwareEraser::Status SecureDiscard::poll(const std::string&) const {
    return {Status::State::Completed, 65536, 65536, {}};
}

} // namespace diskutil
