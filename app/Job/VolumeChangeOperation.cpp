#include "app/Job/VolumeChangeOperation.h"

#include "app/RepairDisk/DiskTool.h"

VolumeChangeOperation::VolumeChangeOperation(Kind kind, VolumeObj volume, QString format,
                                             QString name)
    : m_kind(kind), m_volume(std::move(volume)), m_format(std::move(format)),
      m_name(std::move(name)) {}

DestructiveOperation::Plan VolumeChangeOperation::plan(const StopToken&, const ProgressSink&) {
    Plan plan;
    plan.kind = m_kind;
    const QString device = m_volume.volumePath;
    const QString shown = m_volume.volumeName.isEmpty()
                              ? device
                              : QStringLiteral("%1 (%2)").arg(m_volume.volumeName, device);
    if (device.isEmpty()) {
        plan.refusals.append({shown, Refusal::Missing, QStringLiteral("no such volume")});
        return plan;
    }
    if (m_kind == Kind::Format || m_kind == Kind::Unmount || m_kind == Kind::Eject) {
        if (const QString why = DiskTool::whyNeeded(device); !why.isEmpty())
            plan.refusals.append({shown, Refusal::SystemVolume, why});
    }
    if (m_kind == Kind::Format) {
        // The new file system is mounted where the old one was: there must be such a place.
        if (m_volume.volumeMountPoint.isEmpty())
            plan.refusals.append({shown, Refusal::Missing,
                                  QStringLiteral("%1 is not mounted; mount it first (korvane "
                                                 "mount %1)")
                                      .arg(device)});
        const QString format = DiskTool::formatNamed(m_format);
        if (format.isEmpty())
            plan.refusals.append(
                {m_format, Refusal::BadInput,
                 QStringLiteral("unknown format \"%1\" (use %2)")
                     .arg(m_format, DiskTool::formats().join(QStringLiteral(", ")))});
        else if (const QString why = DiskTool::whyNameInvalid(format, m_name); !why.isEmpty())
            plan.refusals.append({m_name, Refusal::BadInput, why});
        else
            m_format = format;
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
    if (m_kind == Kind::Format) {
        plan.bytes = quint64(qMax<qint64>(0, m_volume.volumeTotalSizeNum));
        plan.consents.append(
            {Consent::Irreversible, shown, QStringLiteral("Everything on %1 is lost.").arg(shown)});
    }
    return plan;
}

DestructiveOperation::Report VolumeChangeOperation::run(const Plan& plan, const Consents& consents,
                                                        const StopToken& stop,
                                                        const ProgressSink&) {
    if (auto early = refuseToBegin(plan, consents, stop, ConsentRule::Every,
                                   QStringLiteral("Nothing was changed.")))
        return *early;
    const QString device = m_volume.volumePath;
    DiskTool::Result result;
    switch (m_kind) {
    case Kind::Format:
        result = DiskTool::eraseVolume(m_volume, m_format, m_name);
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
        result.message = QStringLiteral("not a change of a volume");
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
