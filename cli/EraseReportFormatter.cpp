#include "cli/EraseReportFormatter.h"

#include "app/inter/DoDataBase.h"
#include "app/inter/HistoryStatusText.h"
#include "cli/CliOutput.h"

#include <cstdio>

namespace {

QByteArray shown(const QString& text) {
    return CliOutput::local(CliOutput::printable(text));
}

QString eraseOutcomeWord(EraseReport::Outcome outcome) {
    switch (outcome) {
    case EraseReport::Outcome::Erased:
        return EraseReportFormatter::tr("Erased");
    case EraseReport::Outcome::Stopped:
        return EraseReportFormatter::tr("Stopped");
    case EraseReport::Outcome::NotReached:
        return EraseReportFormatter::tr("Not reached");
    case EraseReport::Outcome::Failed:
        break;
    }
    return EraseReportFormatter::tr("Failed");
}

// "12 files erased, 1 stopped after pass 1 of 3 (removed), 40 not reached": plain integers,
// so that a script can read them.
QString fileCounts(const EraseReport::FileCounts& files) {
    QStringList parts{EraseReportFormatter::tr("%n file(s) erased", nullptr, files.erased)};
    if (files.failed > 0)
        parts << EraseReportFormatter::tr("%1 failed").arg(files.failed);
    if (files.stopped > 0)
        parts << EraseReportFormatter::tr("%1 stopped after pass %2 of %3 (removed)")
                     .arg(files.stopped)
                     .arg(files.stoppedAfterPass)
                     .arg(files.stoppedPassesPlanned);
    parts << EraseReportFormatter::tr("%1 not reached").arg(files.notReached);
    return parts.join(QStringLiteral(", "));
}

} // namespace

EraseReportFormatter::EraseReportFormatter(const EraseFilesOperation& operation)
    : CliReportFormatter(QStringLiteral("erase")), m_operation(operation) {}

void EraseReportFormatter::listItems(const Plan&) const {
    std::fprintf(stderr, "%s\n", CliOutput::local(tr("About to erase:")).constData());
    for (const FileObjPtr& item : m_operation.chosen())
        std::fprintf(stderr, "  %s%s\n", shown(item->url).constData(),
                     item->isDir ? CliOutput::local(tr("/ (and everything inside)")).constData()
                                 : "");
}

QString EraseReportFormatter::question(const Plan&) const {
    return tr("This cannot be undone. Erase?");
}

void EraseReportFormatter::printReport(const Report& report) const {
    const EraseReport& erased = m_operation.eraseReport();
    for (const EraseReport::Line& line : erased.lines) {
        const bool done = line.outcome == EraseReport::Outcome::Erased;
        std::printf("%s %s\n", CliOutput::local(eraseOutcomeWord(line.outcome)).constData(),
                    shown(line.item->url).constData());
        // A folder the cancel left partly done says what of it went.
        if (line.item->isDir &&
            (line.outcome == EraseReport::Outcome::Stopped ||
             (line.outcome == EraseReport::Outcome::Failed && line.files.notReached > 0)))
            std::printf("  %s\n", CliOutput::local(fileCounts(line.files)).constData());
        if (done && line.copyOnWrite)
            std::printf("  %s\n", CliOutput::local(
                                      tr("earlier copies may remain on this copy-on-write "
                                         "volume; wipe its free space too: korvane "
                                         "wipe-free-space '%1'")
                                          .arg(CliOutput::printable(EraseReport::volumeOf(line))))
                                      .constData());
        else if (done && line.namesInJournal)
            std::printf("  %s\n", CliOutput::local(tr("%1 (emptying it needs administrator rights)")
                                                       .arg(EraseReport::journalCaveat()))
                                      .constData());
        for (const EraseReport::Problem& p : line.problems)
            std::printf("  %s: %s\n", shown(p.path).constData(),
                        shown(EraseReport::reasonText(p)).constData());
    }
    std::fflush(stdout);
    // An erasure the history does not hold is not done as far as an audit goes.
    if (report.historyDue && !report.historyRecorded)
        CliOutput::error(verb(), tr("the erasure could not be recorded in the history: %1")
                                     .arg(HistoryStatusText::reason(
                                         DoDataBase::returnDoDataBase()->lastStatus())));
}

QString EraseReportFormatter::interruptedText(const Report&) const {
    const EraseReport& erased = m_operation.eraseReport();
    //: %1 counts the files, %2 how many of the paths were erased.
    return tr("%1; %2 of %n path(s) erased, what is left of the others is listed above.", nullptr,
              int(erased.lines.size()))
        .arg(fileCounts(erased.fileCounts()))
        .arg(erased.erasedCount());
}
