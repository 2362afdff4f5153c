#pragma once

#include <string>

namespace diskutil {

// One erase a drive's firmware can do on itself: which command family carries it and what it
// does. A firmware erase reaches what an overwrite cannot (blocks the drive keeps aside,
// remapped sectors, a host protected area), so it counts as a Purge where the firmware offers
// it; an overwrite from the host is a Clear.
struct FirmwareErase {
    enum class Family { Nvme, Ata, Scsi, Discard };
    enum class Action {
        CryptoErase,   // the media key is replaced: what was written cannot be read any more
        BlockErase,    // every block is erased by the flash or the heads
        Overwrite,     // the firmware writes a pattern (zeros here) over all of the media
        FormatCrypto,  // NVMe format with secure erase setting 2 (crypto)
        FormatErase,   // NVMe format with secure erase setting 1 (user data erase)
        SecureDiscard, // the block layer's secure discard of every block
    };
    // What the sampled blocks must read as afterwards.
    enum class Expect { Changed, Zeros };

    Family family = Family::Nvme;
    Action action = Action::CryptoErase;

    // A stable name ("nvme-sanitize-crypto"), the words for it ("NVMe sanitize, crypto erase")
    // and the line the wipe prints ("Purge (NVMe sanitize, crypto erase)").
    std::string id() const;
    std::string label() const;
    std::string methodText() const { return "Purge (" + label() + ")"; }
    Expect expect() const { return action == Action::Overwrite ? Expect::Zeros : Expect::Changed; }
    // Lower is preferred: crypto erase, block erase, overwrite sanitize, NVMe format (crypto,
    // then user data), secure discard; then NVMe, ATA, SCSI.
    int rank() const { return int(action) * 4 + int(family); }
};

} // namespace diskutil
