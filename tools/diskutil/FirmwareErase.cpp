#include "FirmwareErase.h"

namespace diskutil {

std::string FirmwareErase::id() const {
    switch (action) {
    case Action::FormatCrypto:
        return "nvme-format-crypto";
    case Action::FormatErase:
        return "nvme-format-erase";
    case Action::SecureDiscard:
        return "secure-discard";
    default:
        break;
    }
    const char* family_ = family == Family::Nvme ? "nvme" : family == Family::Ata ? "ata" : "scsi";
    const char* action_ = action == Action::CryptoErase  ? "crypto"
                          : action == Action::BlockErase ? "block"
                                                         : "overwrite";
    return std::string(family_) + "-sanitize-" + action_;
}

std::string FirmwareErase::label() const {
    switch (action) {
    case Action::FormatCrypto:
        return "NVMe format, crypto erase";
    case Action::FormatErase:
        return "NVMe format, user data erase";
    case Action::SecureDiscard:
        return "secure discard";
    default:
        break;
    }
    const char* family_ = family == Family::Nvme ? "NVMe" : family == Family::Ata ? "ATA" : "SCSI";
    const char* action_ = action == Action::CryptoErase  ? "crypto erase"
                          : action == Action::BlockErase ? "block erase"
                                                         : "overwrite";
    return std::string(family_) + " sanitize, " + action_;
}

} // namespace diskutil
