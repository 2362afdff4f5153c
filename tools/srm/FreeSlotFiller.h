#pragma once

#include <string>

namespace srm {

class NameScrubber;
class Reporter;

// Overwrites, in a folder and every folder below it on the same mount, the free directory slots
// where FAT and exFAT keep the names of entries removed before (NameScrubber::fillFreeSlots).
// Nothing is removed and no link is followed. Used by the free-space wipe, which overwrites the
// removed files' data but not their names, while its fill files hold the volume full.
class FreeSlotFiller {
public:
    FreeSlotFiller(NameScrubber& scrubber, Reporter& reporter)
        : scrubber_(scrubber), reporter_(reporter) {}

    // False when PATH could not be walked whole, when names may remain in some folder (the
    // driver does not tell a folder's size, or an entry could not be made), or the run was
    // stopped; Reporter said why, and named each such folder ("PATH: " + kNotOverwritten).
    // VOLUMEFULL: the caller has filled the volume's data space
    // (NameScrubber::fillFreeSlotsOfFullVolume); refused when one more byte still fits.
    bool run(const std::string& path, bool volumeFull = false);

    static constexpr const char* kNotOverwritten = "free slots not overwritten";

private:
    NameScrubber& scrubber_;
    Reporter& reporter_;
};

} // namespace srm
