#pragma once

#include <QString>

// How the erasure of one item ended, as a type: the outcome, why, and the erasure tool's own
// words for it. Front ends turn it into text (EraseReport); nothing here is shown as it is.
struct EraseItemResult {
    enum class Outcome {
        Pending,   // not processed (yet)
        Erased,    // overwritten where it had data, and removed
        Failed,    // left in place or only partly done
        Skipped,   // a mount point: left standing, nothing on it touched
        Cancelled, // the erasure was cancelled before this item was begun: untouched
        Stopped,   // cancelled during its passes: the pass under way was finished, the rest
                   // skipped, and it was removed (passesDone of passesPlanned ran)
    };
    enum class Reason {
        None,
        HardLinked,    // its data is still reachable through another name
        MountPoint,    // another file system or a bind mount
        SpecialFile,   // a device, fifo or socket named directly
        NotEmpty,      // a folder that still holds what could not be erased
        Changed,       // replaced, or its way replaced, while the erasure ran
        BlocksSkipped, // the device refused to write some blocks
        ToolError,     // a system call failed in the tool (its message says which)
        ToolMissing,   // the erasure tool cannot be used
        ToolStopped,   // the erasure tool ended before reaching this item
        Cancelled,
    };

    Outcome outcome = Outcome::Pending;
    Reason reason = Reason::None;
    QString toolMessage; // the tool's first message about the item, without the path
    // Erased, but its name may remain in a file-system journal that the tool could not empty
    // (it needs administrator rights for that).
    bool namesInJournal = false;
    // For an item whose passes a cancel cut short: how many ran, of how many planned.
    int passesDone = 0;
    int passesPlanned = 0;

    bool erased() const { return outcome == Outcome::Erased; }
};
