#include "cli/WipeReportFormatter.h"

#include "app/inter/DoDataBase.h"
#include "app/inter/HistoryStatusText.h"
#include "cli/CliOutput.h"

#include <cstdio>

namespace {

QByteArray local(const QString& text) {
    return CliOutput::local(text);
}

} // namespace

WipeReportFormatter::WipeReportFormatter(const QString& verb, const VolumeObj& volume, bool whole,
                                         const FreeSpaceWipeJob::Report& wipe,
                                         const VolumeObj* after)
    : CliReportFormatter(verb), m_volume(volume), m_whole(whole), m_wipe(wipe), m_after(after) {}

void WipeReportFormatter::describe(const Plan& plan) const {
    const int passes = plan.level;
    if (m_whole)
        //: %1 name, %2 device, %3 mount point, %4 size, %5 standard, %6 "7 passes".
        std::fprintf(
            stderr, "%s\n",
            local(tr("Erasing everything on %1 (%2, %3, %4) with %5 (%6): it is "
                     "formatted anew, then its free space is overwritten.")
                      .arg(m_volume.volumeName, m_volume.volumePath, m_volume.volumeMountPoint,
                           m_volume.volumeTotalSize, plan.standard, CliOutput::passes(passes)))
                .constData());
    else
        //: %1 name, %2 mount point, %3 free size, %4 standard, %5 "7 passes".
        std::fprintf(
            stderr, "%s\n",
            local(tr("Erasing the free space of %1 (%2, %3 free) with %4 (%5).")
                      .arg(m_volume.volumeName, m_volume.volumeMountPoint, m_volume.volumeFreeSize,
                           plan.standard, CliOutput::passes(passes)))
                .constData());
}

QString WipeReportFormatter::question(const Plan&) const {
    return m_whole ? tr("Every file on it will be lost. Continue?")
                   : tr("The volume will be full for a while. Continue?");
}

void WipeReportFormatter::printReport(const Report& report) const {
    const QString name = m_whole && m_after ? m_after->volumeName : m_volume.volumeName;
    if (m_wipe.ok)
        std::printf("%s\n",
                    local((m_whole ? tr("Erased %1: %2") : tr("Erased the free space of %1: %2"))
                              .arg(name, m_wipe.successText))
                        .constData());
    else
        std::printf("%s\n", local(tr("Failed %1: %2").arg(name, m_wipe.reason)).constData());
    for (const QString& note : m_wipe.notes)
        std::printf("  %s\n", local(note).constData());
    std::fflush(stdout);
    if (report.historyDue && !report.historyRecorded && m_wipe.historyFailed)
        CliOutput::error(verb(), tr("the wipe could not be recorded in the history: %1")
                                     .arg(HistoryStatusText::reason(
                                         DoDataBase::returnDoDataBase()->lastStatus())));
}

QString WipeReportFormatter::interruptedText(const Report&) const {
    if (m_wipe.volumeEmptied)
        return tr("the volume was formatted anew (emptied); its free space was not overwritten.");
    if (m_whole)
        return tr("the volume was not wiped (see above).");
    return tr("the wipe's files are removed; the free space was not overwritten to the end.");
}
