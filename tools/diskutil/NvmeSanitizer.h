#pragma once

#include "FirmwareEraser.h"

namespace diskutil {

// NVMe through nvme-cli. What the controller offers comes from `nvme id-ctrl DEV -o json`:
// SANICAP bit 0 crypto erase, bit 1 block erase, bit 2 overwrite; OACS bit 1 says Format NVM is
// there, FNA bit 2 that it can erase cryptographically. A sanitize (`nvme sanitize DEV
// --sanact=4|2|3`) runs in the background and is followed in `nvme sanitize-log DEV -o json`
// (SPROG of 65536, SSTAT status 1 or 4 completed, 2 in progress, 3 failed). Where the controller
// has no sanitize, `nvme format DEV --ses=2|1` erases the namespace and returns when done.
class NvmeSanitizer : public FirmwareEraser {
public:
    Offers probe(const std::string& device) const override;
    Status start(const std::string& device, const FirmwareErase& erase) const override;
    Status poll(const std::string& device) const override;
};

} // namespace diskutil
