#include "app/Job/VolumeChangeOperation.h"

#include "app/RepairDisk/DiskTool.h"

VolumeChangeOperation::VolumeChangeOperation(Kind kind, VolumeObj volume, QString format,
                                             QString name, QString table)
    : m_kind(kind), m_volume(std::move(volume)), m_format(std::move(format)),
      m_name(std::move(name)), m_table(std::move(table)) {}

void VolumeChangeOperation::planFormat(Plan& plan) {
    const QString device = m_volume.volumePath;
    const QString table =
        m_table.toLower() == QLatin1String("mbr") ? QStringLiteral("dos") : m_table.toLower();
    if (!table.isEmpty() && table != QLatin1String("gpt") && table != QLatin1String("dos"))
        plan.refusals.append({m_table, Refusal::BadInput,
                              tr("unknown partition table \"%1\" (use gpt or dos)").arg(m_table)});
    m_table = table;
    // Looked up afresh: what is mounted and what the device holds now is what counts.
    QString problem;
    const QList<DiskObj> disks = DiskTool::listDisks(&problem);
    m_target = FormatTarget::find(disks, device, !m_table.isEmpty());
    const QString shown = m_target.kind == FormatTarget::Kind::None ? device : m_target.shown();
    if (const QString why = DiskTool::whyNeeded(device); !why.isEmpty())
        plan.refusals.append({shown, Refusal::SystemVolume, why});
    switch (m_target.kind) {
    case FormatTarget::Kind::None:
        plan.refusals.append(
            {shown, disks.isEmpty() ? Refusal::Failed : Refusal::Missing,
             disks.isEmpty() && !problem.isEmpty()
                 ? problem
                 : tr("%1 is no disk, partition or volume here (korvane disks lists "
                      "them)")
                       .arg(device)});
        break;
    case FormatTarget::Kind::MountedVolume:
    case FormatTarget::Kind::UnmountedVolume:
        if (!m_table.isEmpty())
            plan.refusals.append(
                {shown, Refusal::BadInput,
                 m_target.kind == FormatTarget::Kind::MountedVolume
                     ? tr("%1 is mounted at %2; unmount it first to give its disk a "
                          "new partition table")
                           .arg(device, m_target.volume.volumeMountPoint)
                     : tr("%1 is a partition: a partition table goes on its whole "
                          "disk, %2")
                           .arg(device, m_target.disk.deviceNode)});
        break;
    case FormatTarget::Kind::WholeDisk:
        if (const QStringList mounted = m_target.mounted(); !mounted.isEmpty())
            plan.refusals.append({shown, Refusal::Busy,
                                  tr("%1 has mounted volumes (%2); unmount them first (korvane "
                                     "unmount DEVICE)")
                                      .arg(device, mounted.join(QStringLiteral(", ")))});
        break;
    }
    const QString format = DiskTool::formatNamed(m_format);
    if (format.isEmpty())
        plan.refusals.append({m_format, Refusal::BadInput,
                              tr("unknown format \"%1\" (use %2)")
                                  .arg(m_format, DiskTool::formats().join(QStringLiteral(", ")))});
    else if (const QString why = DiskTool::whyNameInvalid(format, m_name); !why.isEmpty())
        plan.refusals.append({m_name, Refusal::BadInput, why});
    else
        m_format = format;
    if (!plan.refusals.isEmpty())
        return;
    plan.items << shown;
    plan.bytes = quint64(qMax<qint64>(0, m_target.bytes()));
    QString lost;
    switch (m_target.kind) {
    case FormatTarget::Kind::WholeDisk:
        lost =
            (m_target.blank() ? tr("%1 is blank: it holds no partition table and no file "
                                   "system.")
                                    .arg(device)
                              : tr("Everything on %1 is lost: %2.").arg(device, m_target.lost())) +
            tr(" It gets a new %1 partition table with one partition holding the "
               "new file system.")
                .arg(m_table.isEmpty() ? QStringLiteral("gpt") : m_table);
        break;
    case FormatTarget::Kind::UnmountedVolume:
        lost =
            tr("Everything on %1 is lost; nothing else on its disk changes.").arg(m_target.lost());
        break;
    default:
        lost = tr("Everything on %1 is lost.").arg(shown);
        break;
    }
    plan.consents.append({Consent::Irreversible, shown, lost});
}

DestructiveOperation::Plan VolumeChangeOperation::plan(const StopToken&, const ProgressSink&) {
    Plan plan;
    plan.kind = m_kind;
    const QString device = m_volume.volumePath;
    const QString shown = m_volume.volumeName.isEmpty()
                              ? device
                              : QStringLiteral("%1 (%2)").arg(m_volume.volumeName, device);
    if (device.isEmpty()) {
        plan.refusals.append({shown, Refusal::Missing, tr("no such volume")});
        return plan;
    }
    if (m_kind == Kind::Format) {
        planFormat(plan);
        return plan;
    }
    if (m_kind == Kind::Unmount || m_kind == Kind::Eject) {
        if (const QString why = DiskTool::whyNeeded(device); !why.isEmpty())
            plan.refusals.append({shown, Refusal::SystemVolume, why});
    }
    if (m_kind == Kind::Rename) {
        const QString type =
            m_volume.volumeType.isEmpty() ? m_volume.diskType : m_volume.volumeType;
        if (const QString why = DiskTool::whyVolumeNameInvalid(type, m_name); !why.isEmpty())
            plan.refusals.append({m_name, Refusal::BadInput, why});
    }
    if (!plan.refusals.isEmpty())
        return plan;
    plan.items << shown;
    return plan;
}

DestructiveOperation::Report VolumeChangeOperation::run(const Plan& plan, const Consents& consents,
                                                        const StopToken& stop,
                                                        const ProgressSink&) {
    if (auto early =
            refuseToBegin(plan, consents, stop, ConsentRule::Every, tr("Nothing was changed.")))
        return *early;
    const QString device = m_volume.volumePath;
    DiskTool::Result result;
    switch (m_kind) {
    case Kind::Format:
        // A mounted volume is made anew where it is mounted; anything else by the device.
        result = m_target.kind == FormatTarget::Kind::MountedVolume
                     ? DiskTool::eraseVolume(m_target.volume, m_format, m_name)
                     : DiskTool::formatDevice(
                           device, m_format, m_name,
                           m_target.kind == FormatTarget::Kind::WholeDisk ? m_table : QString(),
                           m_target.identity());
        break;
    case Kind::Rename:
        result = DiskTool::rename(device, m_name);
        break;
    case Kind::Mount:
        result = DiskTool::mount(device);
        break;
    case Kind::Unmount:
        result = DiskTool::unmount(device);
        break;
    case Kind::Eject:
        result = DiskTool::eject(device);
        break;
    default:
        result.message = tr("not a change of a volume");
        break;
    }
    Report report;
    report.kind = m_kind;
    if (!result.ok)
        report.failure = result.message;
    report.items.append({plan.items.value(0), result.ok ? Outcome::Done : Outcome::Failed,
                         result.message, plan.bytes});
    return report;
}
