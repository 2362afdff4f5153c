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
        std::fprintf(stderr, "%s\n",
                     CliOutput::local(tr("Formatting %1 as %2 named \"%3\".")
                                          .arg(plan.items.value(0, m_volume.volumePath), fs,
                                               DiskTool::nameAsStored(fs, m_name)))
                         .constData());
        for (const DestructiveOperation::ConsentNeeded& consent : plan.consents)
            std::fprintf(stderr, "%s\n", consent.detail.toLocal8Bit().constData());
        return;
    }
    //: %1 device, %2 size, %3 file system, %4 name, %5 mount point, %6 size used, %7 the new
    //: file system, %8 its name.
    std::fprintf(stderr, "%s\n",
                 CliOutput::local(
                     tr("Formatting %1 (%2, %3 named \"%4\", mounted at %5, %6 used) as %7 named "
                        "\"%8\".\nEverything on it is lost.")
                         .arg(m_volume.volumePath, m_volume.volumeTotalSize, m_volume.diskType,
                              m_volume.volumeName, m_volume.volumeMountPoint,
                              VolumeObj::byteToSizeWithByte(m_volume.volumeTotalSizeNum -
                                                            m_volume.volumeFreeSizeNum),
                              fs, DiskTool::nameAsStored(fs, m_name)))
                     .constData());
}

QString VolumeChangeFormatter::question(const Plan&) const {
    return tr("Format it?");
}

void VolumeChangeFormatter::printReport(const Report& report) const {
    for (const DestructiveOperation::Item& item : report.items) {
        if (item.outcome == DestructiveOperation::Outcome::Done)
            std::printf("%s\n", item.detail.toLocal8Bit().constData());
        else if (!item.detail.isEmpty())
            CliOutput::error(verb(), item.detail);
    }
}
