#include "cli/VolumeChangeFormatter.h"

#include "app/RepairDisk/DiskTool.h"
#include "cli/CliOutput.h"

#include <cstdio>

VolumeChangeFormatter::VolumeChangeFormatter(const QString& verb, const VolumeObj& volume,
                                             QString format, QString name)
    : CliReportFormatter(verb), m_volume(volume), m_format(std::move(format)),
      m_name(std::move(name)) {}

void VolumeChangeFormatter::describe(const Plan& plan) const {
    if (verb() != QLatin1String("format"))
        return;
    const QString fs = DiskTool::formatNamed(m_format);
    // A disk or a volume that is not mounted: the plan's consent names what is lost.
    if (m_volume.volumeMountPoint.isEmpty()) {
        std::fprintf(stderr, "Formatting %s as %s named \"%s\".\n",
                     qPrintable(plan.items.value(0, m_volume.volumePath)), qPrintable(fs),
                     DiskTool::nameAsStored(fs, m_name).toLocal8Bit().constData());
        for (const DestructiveOperation::ConsentNeeded& consent : plan.consents)
            std::fprintf(stderr, "%s\n", consent.detail.toLocal8Bit().constData());
        return;
    }
    std::fprintf(stderr,
                 "Formatting %s (%s, %s named \"%s\", mounted at %s, %s used) as %s named \"%s\".\n"
                 "Everything on it is lost.\n",
                 qPrintable(m_volume.volumePath), qPrintable(m_volume.volumeTotalSize),
                 qPrintable(m_volume.diskType), m_volume.volumeName.toLocal8Bit().constData(),
                 m_volume.volumeMountPoint.toLocal8Bit().constData(),
                 qPrintable(VolumeObj::byteToSizeWithByte(m_volume.volumeTotalSizeNum -
                                                          m_volume.volumeFreeSizeNum)),
                 qPrintable(fs), DiskTool::nameAsStored(fs, m_name).toLocal8Bit().constData());
}

QString VolumeChangeFormatter::question(const Plan&) const {
    return QStringLiteral("Format it?");
}

void VolumeChangeFormatter::printReport(const Report& report) const {
    for (const DestructiveOperation::Item& item : report.items) {
        if (item.outcome == DestructiveOperation::Outcome::Done)
            std::printf("%s\n", item.detail.toLocal8Bit().constData());
        else if (!item.detail.isEmpty())
            CliOutput::error(verb(), item.detail);
    }
}
