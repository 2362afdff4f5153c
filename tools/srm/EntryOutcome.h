#pragma once

#include <cstddef>

namespace srm {

// How the erasure of one entry ended. The words are those of the batch mode's result lines.
enum class EntryStatus {
    Erased,    // overwritten (when it had data) and removed
    Failed,    // left in place, or only partly done; the reason says which
    Skipped,   // a mount point: left standing, nothing on it touched
    Cancelled, // a stop was requested before its first pass: untouched, left in place
    Stopped,   // a stop was requested during its passes: the pass under way was finished, the
               // rest skipped, and it was removed (passesDone of passesPlanned ran)
    Missing,   // not there (any more): nothing to erase
};

enum class EntryReason {
    None,
    HardLinked,    // other names still reach its data
    MountPoint,    // something is mounted on it (another file system or a bind mount)
    SpecialFile,   // a device, fifo or socket named directly
    NotEmpty,      // a folder that still holds something
    Changed,       // replaced, or a folder on its way replaced or mounted on, during the run
    BlocksSkipped, // the device refused some blocks: not overwritten completely
    Cancelled,
    Error, // a system call failed; the message names it with errno's text
};

struct EntryOutcome {
    EntryStatus status = EntryStatus::Erased;
    EntryReason reason = EntryReason::None;
    // For a file whose passes were cut short by a stop request (Stopped, or Failed when it could
    // not be removed afterwards): how many passes ran, of how many planned. 0 of 0 otherwise.
    std::size_t passesDone = 0;
    std::size_t passesPlanned = 0;

    static EntryOutcome erased() { return {}; }
    static EntryOutcome failed(EntryReason why) { return {EntryStatus::Failed, why}; }
    bool ok() const { return status == EntryStatus::Erased || status == EntryStatus::Missing; }
    // A stop request ended the work at this entry: nothing after it is begun.
    bool endsRun() const {
        return status == EntryStatus::Cancelled || status == EntryStatus::Stopped ||
               passesPlanned > passesDone;
    }

    static const char* statusWord(EntryStatus status);
    static const char* reasonWord(EntryReason reason);
};

inline const char* EntryOutcome::statusWord(EntryStatus status) {
    switch (status) {
    case EntryStatus::Erased:
        return "erased";
    case EntryStatus::Failed:
        return "failed";
    case EntryStatus::Skipped:
        return "skipped";
    case EntryStatus::Cancelled:
        return "cancelled";
    case EntryStatus::Stopped:
        return "stopped";
    case EntryStatus::Missing:
        return "missing";
    }
    return "failed";
}

inline const char* EntryOutcome::reasonWord(EntryReason reason) {
    switch (reason) {
    case EntryReason::None:
        return "-";
    case EntryReason::HardLinked:
        return "hardlink";
    case EntryReason::MountPoint:
        return "mount";
    case EntryReason::SpecialFile:
        return "special";
    case EntryReason::NotEmpty:
        return "notempty";
    case EntryReason::Changed:
        return "changed";
    case EntryReason::BlocksSkipped:
        return "blocks";
    case EntryReason::Cancelled:
        return "cancelled";
    case EntryReason::Error:
        return "error";
    }
    return "error";
}

} // namespace srm
