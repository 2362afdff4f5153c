#pragma once

#include "app/Job/DestructiveOperation.h"
#include "app/Main/WipeDisk/WholeVolumeWipeJob.h"
#include <QCoreApplication>

// The whole-volume wipe behind the operation contract (WholeVolumeWipeJob does the work). The
// plan refuses the volumes the running system needs (the volume tool's rule) and an unknown
// level, and asks for the consent to unmount and format the volume by name.
class WipeVolumeOperation : public DestructiveOperation {
    Q_DECLARE_TR_FUNCTIONS(WipeVolumeOperation)

public:
    WipeVolumeOperation(VolumeObj volume, WholeVolumeWipeJob::Options options);

    Kind kind() const override { return Kind::WipeVolume; }
    Plan plan(const StopToken& stop, const ProgressSink& progress) override;
    Report run(const Plan& plan, const Consents& consents, const StopToken& stop,
               const ProgressSink& progress) override;

    const FreeSpaceWipeJob::Report& wipeReport() const { return m_wipeReport; }
    // The volume as the last run left it (an NTFS volume is FAT32 "NEW" afterwards).
    const VolumeObj& volumeAfter() const { return m_volumeAfter; }

private:
    VolumeObj m_volume;
    WholeVolumeWipeJob::Options m_options;
    FreeSpaceWipeJob::Report m_wipeReport;
    VolumeObj m_volumeAfter;
};
