#pragma once

#include "FirmwareEraser.h"

namespace diskutil {

// ATA through hdparm. `hdparm -I DEV` lists the SANITIZE feature set and its CRYPTO_SCRAMBLE_EXT,
// BLOCK_ERASE_EXT and OVERWRITE_EXT commands, and under Security whether the drive is frozen
// (the firmware of most computers freezes drives at start-up; a frozen drive refuses erase
// commands until it has been without power). A sanitize starts in the background and is
// followed with `hdparm --sanitize-status` (SD2 in process with its progress of 65535, "Last
// Sanitize Operation Completed Without Error" when done).
//
// The older SECURITY ERASE UNIT (`hdparm --security-erase`) is never used: it needs a password
// set on the drive first, and a drive that loses power or a command that fails between the two
// leaves the drive locked with that password.
class AtaSanitizer : public FirmwareEraser {
public:
    Offers probe(const std::string& device) const override;
    Status start(const std::string& device, const FirmwareErase& erase) const override;
    Status poll(const std::string& device) const override;

    // What to tell the user of a frozen drive.
    static std::string unfreezeAdvice(const std::string& device);
};

} // namespace diskutil
