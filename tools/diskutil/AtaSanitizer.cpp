#include "AtaSanitizer.h"

#include "ToolOutput.h"

#include <sstream>

namespace diskutil {

namespace {

FirmwareErase ata(FirmwareErase::Action action) {
    return {FirmwareErase::Family::Ata, action};
}

std::string trimmed(const std::string& line) {
    const std::size_t first = line.find_first_not_of(" \t");
    const std::size_t last = line.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : line.substr(first, last - first + 1);
}

// "Security:" lists "frozen" alone when the drive is frozen, "not<TAB>frozen" when it is not.
bool frozen(const std::string& identify) {
    const std::size_t security = identify.find("Security:");
    if (security == std::string::npos)
        return false;
    std::istringstream lines(identify.substr(security));
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        if (!line.empty() && line[0] != ' ' && line[0] != '\t')
            break; // the next section
        if (trimmed(line) == "frozen")
            return true;
    }
    return false;
}

} // namespace

std::string AtaSanitizer::unfreezeAdvice(const std::string& device) {
    return device +
           " is frozen: the computer's firmware locked its erase commands at start-up. To "
           "unfreeze it, suspend the computer and wake it again, or unplug the drive's power "
           "(or data) cable and plug it back in while the computer runs; the drive then comes "
           "back not frozen. Then wipe again.";
}

FirmwareEraser::Offers AtaSanitizer::probe(const std::string& device) const {
    Offers offers;
    std::string identify;
    if (ToolOutput::run({"hdparm", "-I", device}, identify) != 0 ||
        identify.find("SANITIZE feature set") == std::string::npos)
        return offers;
    if (identify.find("CRYPTO_SCRAMBLE_EXT command") != std::string::npos)
        offers.erases.push_back(ata(FirmwareErase::Action::CryptoErase));
    if (identify.find("BLOCK_ERASE_EXT command") != std::string::npos)
        offers.erases.push_back(ata(FirmwareErase::Action::BlockErase));
    if (identify.find("OVERWRITE_EXT command") != std::string::npos)
        offers.erases.push_back(ata(FirmwareErase::Action::Overwrite));
    if (!offers.erases.empty() && frozen(identify))
        offers.blocked = unfreezeAdvice(device);
    return offers;
}

FirmwareEraser::Status AtaSanitizer::start(const std::string& device,
                                           const FirmwareErase& erase) const {
    std::vector<std::string> argv{"hdparm", "--yes-i-know-what-i-am-doing"};
    switch (erase.action) {
    case FirmwareErase::Action::CryptoErase:
        argv.push_back("--sanitize-crypto-scramble");
        break;
    case FirmwareErase::Action::BlockErase:
        argv.push_back("--sanitize-block-erase");
        break;
    case FirmwareErase::Action::Overwrite:
        // One pass of zeros, so that every block must read back as zeros.
        argv.insert(argv.end(),
                    {"--sanitize-overwrite-passes", "1", "--sanitize-overwrite", "hex:00000000"});
        break;
    default:
        return {Status::State::Unsupported, 0, 65536, "not an ATA sanitize"};
    }
    argv.push_back(device);
    std::string said;
    if (ToolOutput::run(argv, said) != 0)
        return {Status::State::Failed, 0, 65536, "hdparm failed: " + ToolOutput::lastLine(said)};
    return {Status::State::Running, 0, 65536, {}};
}

FirmwareEraser::Status AtaSanitizer::poll(const std::string& device) const {
    std::string said;
    const int exit = ToolOutput::run({"hdparm", "--sanitize-status", device}, said);
    Status status;
    if (said.find("SD2") != std::string::npos) {
        status.state = Status::State::Running;
        unsigned long long progress = 0;
        if (ToolOutput::numberAfter(said, "Progress:", progress))
            status.done = progress;
        return status;
    }
    if (exit == 0 && said.find("Completed Without Error") != std::string::npos &&
        said.find("SD3") == std::string::npos) {
        status.state = Status::State::Completed;
        status.done = status.total;
        return status;
    }
    status.state = Status::State::Failed;
    status.message =
        said.find("SD1") != std::string::npos
            ? unfreezeAdvice(device)
            : "the drive reports that the sanitize failed: " + ToolOutput::lastLine(said);
    return status;
}

} // namespace diskutil
