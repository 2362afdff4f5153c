#pragma once

#include "app/Certificate/ErasureFacts.h"

#include <QDateTime>
#include <QString>

// The certificate facts of one drive's wipe, from what the drive wipe knows when it records it:
// the device, the standard's passes, when it began, whether it was gone on with, and its report
// line's detail. The detail names the method when the wipe chose one ("Purge (NVMe sanitize,
// crypto erase)", "Clear (3 pass overwrite)") and what was read back ("N of M bytes read back
// and found as written"); without a method named, the wipe was an overwrite: a Clear.
class DriveErasureFacts {
public:
    struct Run {
        QString device;
        int passes = 0;
        QDateTime started; // invalid when not known
        bool done = false;
        bool stopped = false;
        bool resumed = false;
        QString detail; // the report line's detail: the method, what was read back, or why not
        // What the device held before the wipe (read once the wipe has run, it holds nothing).
        QString fileSystem;
        QString label;
    };

    static ErasureFacts make(const Run& run);
    // The method, technique and verification named in DETAIL, into FACTS.
    static void readDetail(ErasureFacts& facts, const QString& detail, int passes);
};
