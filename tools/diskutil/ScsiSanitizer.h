#pragma once

#include "FirmwareEraser.h"

namespace diskutil {

// SCSI and SAS through sg3_utils. `sg_opcodes --opcode=0x48,SA DEV` says whether the drive
// takes SANITIZE with service action 3 (crypto erase), 2 (block erase) or 1 (overwrite).
// `sg_sanitize --quick --early` starts it (no 15-second pause, returns once begun) and
// `sg_requests --progress DEV` prints "Progress indication: P% done" while it runs and nothing
// once it has ended.
class ScsiSanitizer : public FirmwareEraser {
public:
    Offers probe(const std::string& device) const override;
    Status start(const std::string& device, const FirmwareErase& erase) const override;
    Status poll(const std::string& device) const override;
};

} // namespace diskutil
