#pragma once

#include "FirmwareEraser.h"
#include "HiddenAreas.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace diskutil {

// What a drive's firmware offers to erase itself, asked of every drive tool there is (NVMe,
// ATA, SCSI, then secure discard: a tool that does not know the device says so and offers
// nothing), its hidden areas, and which way a wipe goes for a method asked for. Reading only:
// nothing here writes to the device.
class SanitizeCapabilities {
public:
    struct Choice {
        enum class Kind { Overwrite, Sanitize, Refused };
        Kind kind = Kind::Overwrite;
        FirmwareErase erase;                    // for Sanitize
        const FirmwareEraser* eraser = nullptr; // which carries it
        std::string why;                        // for Refused
    };

    static SanitizeCapabilities probe(const std::string& device);

    // METHOD: "overwrite", "sanitize" or "auto" (a solid-state whole drive whose firmware
    // offers an erase gets the preferred one; everything else is overwritten).
    Choice choose(const std::string& method) const;
    // The erases that can run now, preferred first (a frozen family's left out).
    std::vector<FirmwareErase> usable() const;
    const std::vector<HiddenAreas::Area>& hidden() const { return hidden_; }
    // The sanitize-info verb's lines ("offer ID LABEL", "choice auto ...", "hidden ...").
    void print(std::ostream& out) const;

private:
    const FirmwareEraser* eraserOf(const FirmwareErase& erase) const;

    struct Family {
        std::unique_ptr<FirmwareEraser> eraser;
        FirmwareEraser::Offers offers;
    };

    std::string device_;
    bool rotational_ = true;
    bool wholeDrive_ = false;
    std::vector<Family> families_;
    std::vector<HiddenAreas::Area> hidden_;
};

} // namespace diskutil
