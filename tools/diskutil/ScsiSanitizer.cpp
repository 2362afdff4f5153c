#include "ScsiSanitizer.h"

#include "ToolOutput.h"

#include <cstdlib>

namespace diskutil {

namespace {

bool supported(const std::string& device, const char* serviceAction) {
    std::string said;
    return ToolOutput::run({"sg_opcodes", std::string("--opcode=0x48,") + serviceAction, device},
                           said) == 0 &&
           said.find("Command is supported") != std::string::npos;
}

} // namespace

FirmwareEraser::Offers ScsiSanitizer::probe(const std::string& device) const {
    Offers offers;
    const std::pair<const char*, FirmwareErase::Action> actions[] = {
        {"0x3", FirmwareErase::Action::CryptoErase},
        {"0x2", FirmwareErase::Action::BlockErase},
        {"0x1", FirmwareErase::Action::Overwrite}};
    for (const auto& [serviceAction, action] : actions)
        if (supported(device, serviceAction))
            offers.erases.push_back({FirmwareErase::Family::Scsi, action});
    return offers;
}

FirmwareEraser::Status ScsiSanitizer::start(const std::string& device,
                                            const FirmwareErase& erase) const {
    std::vector<std::string> argv{"sg_sanitize", "--quick", "--early"};
    switch (erase.action) {
    case FirmwareErase::Action::CryptoErase:
        argv.push_back("--crypto");
        break;
    case FirmwareErase::Action::BlockErase:
        argv.push_back("--block");
        break;
    case FirmwareErase::Action::Overwrite:
        // One pass of zeros, so that every block must read back as zeros.
        argv.insert(argv.end(), {"--overwrite", "--zero", "--count=1"});
        break;
    default:
        return {Status::State::Unsupported, 0, 65536, "not a SCSI sanitize"};
    }
    argv.push_back(device);
    std::string said;
    if (ToolOutput::run(argv, said) != 0)
        return {Status::State::Failed, 0, 65536,
                "sg_sanitize failed: " + ToolOutput::lastLine(said)};
    return {Status::State::Running, 0, 65536, {}};
}

FirmwareEraser::Status ScsiSanitizer::poll(const std::string& device) const {
    std::string said;
    if (ToolOutput::run({"sg_requests", "--progress", device}, said) != 0)
        return {Status::State::Failed, 0, 65536,
                "sg_requests failed: " + ToolOutput::lastLine(said)};
    const std::string label = "Progress indication:";
    const std::size_t at = said.find(label);
    if (at == std::string::npos)
        return {Status::State::Completed, 65536, 65536, {}};
    const double percent = std::strtod(said.c_str() + at + label.size(), nullptr);
    return {Status::State::Running, std::uint64_t(percent * 65536 / 100), 65536, {}};
}

} // namespace diskutil
