#include "app/Job/WipeFreeSpaceOperation.h"

#include "app/SetEraserLevel/EraserStandard.h"
#include "platform/FileSystemInfo.h"

#include <QFile>
#include <sys/statvfs.h>
#include <unistd.h>

WipeFreeSpaceOperation::WipeFreeSpaceOperation(VolumeObj volume, FreeSpaceWipeJob::Options options)
    : m_volume(std::move(volume)), m_options(std::move(options)) {}

QList<DestructiveOperation::Refused> WipeFreeSpaceOperation::volumeRefusals(const VolumeObj& volume,
                                                                            int level, int passes,
                                                                            bool refuseNtfs) {
    QList<Refused> refusals;
    const QString name = volume.volumeName.isEmpty() ? volume.volumePath : volume.volumeName;
    if (passes == 0)
        refusals.append({name, Refusal::UnknownLevel, FreeSpaceWipeJob::kUnknownLevel.arg(level)});
    if (volume.volumeMountPoint.isEmpty()) {
        refusals.append({name, Refusal::Missing, tr("%1 is not mounted.").arg(name)});
        return refusals;
    }
    if (refuseNtfs &&
        (FileSystemInfo::isNtfsType(volume.volumeType) ||
         FileSystemInfo::isNtfsType(FileSystemInfo::forPath(volume.volumeMountPoint).type)))
        refusals.append({name, Refusal::Unsupported, FreeSpaceWipeJob::kNtfs.arg(name)});
    const QByteArray mountPoint = QFile::encodeName(volume.volumeMountPoint);
    struct statvfs vfs {};
    if (::statvfs(mountPoint.constData(), &vfs) != 0)
        refusals.append(
            {name, Refusal::Missing,
             tr("%1 cannot be read: %2")
                 .arg(volume.volumeMountPoint, QString::fromLocal8Bit(strerror(errno)))});
    else if (vfs.f_flag & ST_RDONLY)
        refusals.append({name, Refusal::ReadOnly, FreeSpaceWipeJob::kReadOnly});
    else if (::access(mountPoint.constData(), W_OK | X_OK) != 0)
        refusals.append({name, Refusal::NoPermission, FreeSpaceWipeJob::kNoPermission});
    return refusals;
}

DestructiveOperation::Plan WipeFreeSpaceOperation::plan(const StopToken&, const ProgressSink&) {
    Plan plan;
    plan.kind = Kind::WipeFreeSpace;
    const int passes = FreeSpaceWipeJob::passesFor(m_options.level, m_options.programName);
    plan.level = passes;
    plan.standard = passes > 0 ? EraserStandard::nameForLevel(passes) : QString();
    plan.refusals = volumeRefusals(m_volume, m_options.level, passes, !m_options.wholeVolume);
    if (!plan.refusals.isEmpty())
        return plan;
    plan.items << (m_volume.volumeName.isEmpty() ? m_volume.volumePath : m_volume.volumeName);
    plan.bytes = quint64(qMax<qint64>(0, m_volume.volumeFreeSizeNum)) * quint64(passes);
    if (m_volume.solidState)
        plan.notes.append(
            {Warning::SolidState, tr("%1 is solid-state storage: overwriting cannot reach "
                                     "the blocks the drive keeps aside.")
                                      .arg(plan.items.first())});
    plan.consents.append({Consent::Irreversible, plan.items.first(), QString()});
    return plan;
}

DestructiveOperation::Report
WipeFreeSpaceOperation::reportOf(Kind kind, const VolumeObj& volume, int passes, bool recordHistory,
                                 const FreeSpaceWipeJob::Report& wipe) {
    Report report;
    report.kind = kind;
    report.level = wipe.passes > 0 ? wipe.passes : passes;
    report.standard = report.level > 0 ? EraserStandard::nameForLevel(report.level) : QString();
    report.cancelled = wipe.cancelled;
    report.failure = wipe.ok || wipe.cancelled ? QString() : wipe.reason;
    report.historyDue = recordHistory;
    report.historyRecorded = wipe.historyRecorded;
    report.notes = wipe.notes;
    Item item;
    item.subject = volume.volumeName.isEmpty() ? volume.volumePath : volume.volumeName;
    item.outcome = wipe.ok ? Outcome::Done : (wipe.cancelled ? Outcome::Stopped : Outcome::Failed);
    // Done: what was overwritten (data, metadata, folder slots), for the record.
    item.detail = wipe.ok ? wipe.reachedText() : wipe.reason;
    if (wipe.ok)
        item.bytes = quint64(qMax<qint64>(0, volume.volumeFreeSizeNum));
    item.reason =
        wipe.reason == FreeSpaceWipeJob::kAnotherWipe ? Reason::InUse : reasonFor(item.outcome);
    report.items.append(item);
    return report;
}

DestructiveOperation::Report WipeFreeSpaceOperation::run(const Plan& plan, const Consents& consents,
                                                         const StopToken& stop,
                                                         const ProgressSink& progress) {
    m_wipeReport = FreeSpaceWipeJob::Report();
    if (auto early = refuseToBegin(plan, consents, stop, ConsentRule::Every,
                                   tr("The free space cannot be wiped.")))
        return *early;
    FreeSpaceWipeJob job(m_volume, m_options);
    runToEnd(job, stop, progress);
    m_wipeReport = job.report();
    return reportOf(Kind::WipeFreeSpace, m_volume, job.passes(), m_options.recordHistory,
                    m_wipeReport);
}
