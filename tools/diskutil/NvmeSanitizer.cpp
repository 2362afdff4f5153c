#include "NvmeSanitizer.h"

#include "ToolOutput.h"

namespace diskutil {

namespace {

FirmwareErase nvme(FirmwareErase::Action action) {
    return {FirmwareErase::Family::Nvme, action};
}

} // namespace

FirmwareEraser::Offers NvmeSanitizer::probe(const std::string& device) const {
    Offers offers;
    std::string json;
    if (ToolOutput::run({"nvme", "id-ctrl", device, "-o", "json"}, json) != 0 ||
        json.find("\"sanicap\"") == std::string::npos)
        return offers;
    const unsigned long long sanicap = ToolOutput::jsonNumber(json, "sanicap");
    const unsigned long long oacs = ToolOutput::jsonNumber(json, "oacs");
    const unsigned long long fna = ToolOutput::jsonNumber(json, "fna");
    if (sanicap & 1)
        offers.erases.push_back(nvme(FirmwareErase::Action::CryptoErase));
    if (sanicap & 2)
        offers.erases.push_back(nvme(FirmwareErase::Action::BlockErase));
    if (sanicap & 4)
        offers.erases.push_back(nvme(FirmwareErase::Action::Overwrite));
    if (oacs & 2) {
        if (fna & 4)
            offers.erases.push_back(nvme(FirmwareErase::Action::FormatCrypto));
        offers.erases.push_back(nvme(FirmwareErase::Action::FormatErase));
    }
    if (sanicap & 7)
        offers.notes.push_back("an NVMe sanitize erases every namespace of the controller, "
                               "not only " +
                               device);
    return offers;
}

FirmwareEraser::Status NvmeSanitizer::start(const std::string& device,
                                            const FirmwareErase& erase) const {
    std::vector<std::string> argv;
    switch (erase.action) {
    case FirmwareErase::Action::CryptoErase:
        argv = {"nvme", "sanitize", device, "--sanact=4"};
        break;
    case FirmwareErase::Action::BlockErase:
        argv = {"nvme", "sanitize", device, "--sanact=2"};
        break;
    case FirmwareErase::Action::Overwrite:
        // One pass of the pattern 0, so that every block must read back as zeros.
        argv = {"nvme", "sanitize", device, "--sanact=3", "--owpass=1", "--ovrpat=0"};
        break;
    case FirmwareErase::Action::FormatCrypto:
        argv = {"nvme", "format", device, "--ses=2", "--force"};
        break;
    case FirmwareErase::Action::FormatErase:
        argv = {"nvme", "format", device, "--ses=1", "--force"};
        break;
    case FirmwareErase::Action::SecureDiscard:
        return {Status::State::Unsupported, 0, 65536, "not an NVMe command"};
    }
    std::string said;
    if (ToolOutput::run(argv, said) != 0)
        return {Status::State::Failed, 0, 65536,
                argv[1] + " failed: " + ToolOutput::lastLine(said)};
    // A format returns when it is done; a sanitize has only begun.
    const bool format = erase.action == FirmwareErase::Action::FormatCrypto ||
                        erase.action == FirmwareErase::Action::FormatErase;
    return {format ? Status::State::Completed : Status::State::Running, 0, 65536, {}};
}

FirmwareEraser::Status NvmeSanitizer::poll(const std::string& device) const {
    std::string json;
    if (ToolOutput::run({"nvme", "sanitize-log", device, "-o", "json"}, json) != 0)
        return {Status::State::Failed, 0, 65536,
                "sanitize-log failed: " + ToolOutput::lastLine(json)};
    // SSTAT's status is printed as "(N) words"; its key has varied between versions.
    const std::size_t sstat = json.find("\"sstat\"");
    const std::size_t open = sstat == std::string::npos ? sstat : json.find("\"(", sstat);
    if (open == std::string::npos || open + 2 >= json.size())
        return {Status::State::Failed, 0, 65536, "the sanitize log has no status"};
    const int status = json[open + 2] - '0';
    Status result;
    result.done = ToolOutput::jsonNumber(json, "sprog");
    switch (status) {
    case 2:
        result.state = Status::State::Running;
        break;
    case 1:
    case 4:
        result.state = Status::State::Completed;
        result.done = result.total;
        break;
    case 3:
        result.state = Status::State::Failed;
        result.message = "the drive reports that the sanitize failed";
        break;
    default:
        result.state = Status::State::Failed;
        result.message = "the drive reports no sanitize (status " + std::to_string(status) + ")";
        break;
    }
    return result;
}

} // namespace diskutil
