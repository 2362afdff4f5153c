#pragma once

#include "app/Job/DestructiveOperation.h"
#include "app/Job/OperationLoop.h"
#include "app/Main/WipeDisk/FreeSpaceWipeJob.h"
#include <QCoreApplication>

// The free-space wipe of one volume behind the operation contract (FreeSpaceWipeJob does the
// work). The plan refuses an unknown level, an NTFS volume, a read-only volume and one the user
// may not write; the job checks all of that again, and the lock against a second wipe, when it
// starts.
class WipeFreeSpaceOperation : public DestructiveOperation {
    Q_DECLARE_TR_FUNCTIONS(WipeFreeSpaceOperation)

public:
    WipeFreeSpaceOperation(VolumeObj volume, FreeSpaceWipeJob::Options options);

    Kind kind() const override { return Kind::WipeFreeSpace; }
    Plan plan(const StopToken& stop, const ProgressSink& progress) override;
    Report run(const Plan& plan, const Consents& consents, const StopToken& stop,
               const ProgressSink& progress) override;

    // The job's own report of the last run.
    const FreeSpaceWipeJob::Report& wipeReport() const { return m_wipeReport; }

    // Refusals every volume wipe shares: the level, and a volume that cannot be written.
    static QList<Refused> volumeRefusals(const VolumeObj& volume, int level, int passes,
                                         bool refuseNtfs);
    // Runs a wipe JOB (this one's or the whole-volume wipe's) to its end on this thread's event
    // loop, its percent passed on as typed progress; below PREPARING percent the job is still
    // making the volume ready.
    template <typename Job>
    static void runToEnd(Job& job, const StopToken& stop, const ProgressSink& progress,
                         double preparing = 0) {
        OperationLoop loop(stop, [&job] { job.cancel(); });
        QObject::connect(&job, &Job::progress, [&](const QString& text, double percent) {
            if (progress)
                progress({percent < preparing ? Stage::Preparing : Stage::Overwriting,
                          qint64(percent * 100), 10000, job.passUnderWay(), job.passes(), text});
        });
        QObject::connect(&job, &Job::finished, [&loop] { loop.quit(); });
        job.start();
        loop.exec();
    }
    // Turns a wipe job's end into the contract's report.
    static Report reportOf(Kind kind, const VolumeObj& volume, int passes, bool recordHistory,
                           const FreeSpaceWipeJob::Report& wipe);

private:
    VolumeObj m_volume;
    FreeSpaceWipeJob::Options m_options;
    FreeSpaceWipeJob::Report m_wipeReport;
};
