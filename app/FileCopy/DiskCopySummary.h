#pragma once

#include "app/FileCopy/DiskCopyJob.h"

#include <QCoreApplication>
#include <QString>
#include <functional>

// The end of a copy in words, the same in the window and at the command line: what was copied
// (and verified), what was not, what was skipped and failed, whether it was cancelled, and what
// was cleaned up. Sizes are written the front end's own way.
class DiskCopySummary {
    Q_DECLARE_TR_FUNCTIONS(DiskCopySummary)

public:
    using SizeText = std::function<QString(quint64 bytes)>;

    // One sentence of counts, e.g. "3 copied and verified (2.10 MB), 0 skipped, 0 failed." or
    // "Cancelled: nothing copied, 12 not copied (162.88 MB), 0 skipped, 0 failed."
    static QString counts(const DiskCopyJob::Report& report, const SizeText& size);
    // What became of partial files and folders: this run's, and those of stopped copies it
    // removed. Empty when there is nothing to say.
    static QString cleanUp(const DiskCopyJob::Report& report, const SizeText& size);
};
