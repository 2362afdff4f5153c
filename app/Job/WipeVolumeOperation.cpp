#include "app/Job/WipeVolumeOperation.h"

#include "app/Job/WipeFreeSpaceOperation.h"
#include "app/RepairDisk/DiskTool.h"
#include "app/SetEraserLevel/EraserStandard.h"

WipeVolumeOperation::WipeVolumeOperation(VolumeObj volume, WholeVolumeWipeJob::Options options)
    : m_volume(std::move(volume)), m_options(std::move(options)) {}

DestructiveOperation::Plan WipeVolumeOperation::plan(const StopToken&, const ProgressSink&) {
    Plan plan;
    plan.kind = Kind::WipeVolume;
    const int passes = FreeSpaceWipeJob::passesFor(m_options.level, m_options.programName);
    plan.level = passes;
    plan.standard = passes > 0 ? EraserStandard::nameForLevel(passes) : QString();
    const QString name = m_volume.volumeName.isEmpty() ? m_volume.volumePath : m_volume.volumeName;
    if (WholeVolumeWipeJob::isStartupVolume(m_volume)) {
        plan.refusals.append({name, Refusal::SystemVolume, WholeVolumeWipeJob::kStartupVolume});
    } else if (const QString why = DiskTool::whyNeeded(m_volume.volumePath); !why.isEmpty()) {
        plan.refusals.append({name, Refusal::SystemVolume, why});
    }
    // NTFS is wiped here: the volume is formatted anew first.
    plan.refusals +=
        WipeFreeSpaceOperation::volumeRefusals(m_volume, m_options.level, passes, false);
    if (!plan.refusals.isEmpty())
        return plan;
    plan.items << name;
    plan.bytes = quint64(qMax<qint64>(0, m_volume.volumeTotalSizeNum));
    plan.consents.append(
        {Consent::UnmountVolumes, name,
         tr("%1 (%2, mounted at %3) is unmounted, formatted anew and mounted again.")
             .arg(name, m_volume.volumePath, m_volume.volumeMountPoint)});
    plan.consents.append({Consent::Irreversible, name, QString()});
    if (m_volume.solidState)
        plan.notes.append(
            {Warning::SolidState, tr("%1 is solid-state storage: overwriting cannot reach "
                                     "the blocks the drive keeps aside.")
                                      .arg(name)});
    return plan;
}

DestructiveOperation::Report WipeVolumeOperation::run(const Plan& plan, const Consents& consents,
                                                      const StopToken& stop,
                                                      const ProgressSink& progress) {
    m_wipeReport = FreeSpaceWipeJob::Report();
    m_volumeAfter = m_volume;
    if (auto early = refuseToBegin(plan, consents, stop, ConsentRule::Every,
                                   tr("The volume cannot be wiped.")))
        return *early;
    WholeVolumeWipeJob job(m_volume, m_options);
    // Below 5% the volume is being formatted anew.
    WipeFreeSpaceOperation::runToEnd(job, stop, progress, 5);
    m_wipeReport = job.report();
    m_volumeAfter = job.volume();
    return WipeFreeSpaceOperation::reportOf(Kind::WipeVolume, m_volume, job.passes(),
                                            m_options.recordHistory, m_wipeReport);
}
