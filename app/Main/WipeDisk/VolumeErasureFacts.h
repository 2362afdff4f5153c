#pragma once

#include "app/Certificate/ErasureFacts.h"
#include "app/Main/WipeDisk/FreeSpaceWipeJob.h"
#include "app/Main/WipeDisk/VolumeObj.h"

// The certificate facts of a free-space or whole-volume wipe: the volume as it was when the wipe
// began (device, file system, name) with its drive's facts and health, the passes that ran, the
// steps taken besides (journal, trim) and the outcome. Neither wipe reads back what it wrote,
// and the facts say so.
class VolumeErasureFacts {
public:
    // FACTS: begun when the wipe began. WHOLEVOLUME: the volume was formatted first.
    static void complete(ErasureFacts& facts, const VolumeObj& volume, int passes,
                         const FreeSpaceWipeJob::Report& report, bool wholeVolume,
                         const QString& outcome);
};
