#include "cli/WipeReportFormatter.h"

#include "app/inter/DoDataBase.h"
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
        std::fprintf(stderr,
                     "Erasing everything on %s (%s, %s, %s) with %s (%d %s): it is formatted "
                     "anew, then its free space is overwritten.\n",
                     local(m_volume.volumeName).constData(), local(m_volume.volumePath).constData(),
                     local(m_volume.volumeMountPoint).constData(),
                     local(m_volume.volumeTotalSize).constData(), local(plan.standard).constData(),
                     passes, passes > 1 ? "passes" : "pass");
    else
        std::fprintf(stderr, "Erasing the free space of %s (%s, %s free) with %s (%d %s).\n",
                     local(m_volume.volumeName).constData(),
                     local(m_volume.volumeMountPoint).constData(),
                     local(m_volume.volumeFreeSize).constData(), local(plan.standard).constData(),
                     passes, passes > 1 ? "passes" : "pass");
}

QString WipeReportFormatter::question(const Plan&) const {
    return m_whole ? QStringLiteral("Every file on it will be lost. Continue?")
                   : QStringLiteral("The volume will be full for a while. Continue?");
}

void WipeReportFormatter::printReport(const Report& report) const {
    const QString name = m_whole && m_after ? m_after->volumeName : m_volume.volumeName;
    if (m_wipe.ok)
        std::printf("%s %s: %s\n", m_whole ? "Erased" : "Erased the free space of",
                    local(name).constData(), local(m_wipe.successText).constData());
    else
        std::printf("Failed %s: %s\n", local(name).constData(), local(m_wipe.reason).constData());
    for (const QString& note : m_wipe.notes)
        std::printf("  %s\n", local(note).constData());
    std::fflush(stdout);
    if (report.historyDue && !report.historyRecorded && m_wipe.historyFailed)
        CliOutput::error(verb(), QStringLiteral("the wipe could not be recorded in the history: %1")
                                     .arg(DoDataBase::returnDoDataBase()->lastStatus().reason()));
}

QString WipeReportFormatter::interruptedText(const Report&) const {
    if (m_wipe.volumeEmptied)
        return QStringLiteral(
            "the volume was formatted anew (emptied); its free space was not overwritten.");
    if (m_whole)
        return QStringLiteral("the volume was not wiped (see above).");
    return QStringLiteral(
        "the wipe's files are removed; the free space was not overwritten to the end.");
}
