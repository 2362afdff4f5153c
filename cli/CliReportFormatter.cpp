#include "cli/CliReportFormatter.h"

#include "cli/CliOutput.h"

#include <cstdio>

using Outcome = DestructiveOperation::Outcome;

void CliReportFormatter::describe(const Plan& plan) const {
    if (plan.level > 0)
        std::fprintf(stderr, "Erasing with %s (%s).\n", CliOutput::local(plan.standard).constData(),
                     CliOutput::local(CliOutput::passes(plan.level)).constData());
}

void CliReportFormatter::listItems(const Plan&) const {}

QString CliReportFormatter::question(const Plan&) const {
    return QStringLiteral("This cannot be undone. Continue?");
}

void CliReportFormatter::explainRefusals(const Plan&) const {}

int CliReportFormatter::nothingToDo(const Plan&) const {
    std::fputs("Nothing to do.\n", stderr);
    return 0;
}

const char* CliReportFormatter::outcomeWord(Outcome outcome) {
    switch (outcome) {
    case Outcome::Done:
        return "Done";
    case Outcome::Refused:
        return "Refused";
    case Outcome::Stopped:
        return "Stopped";
    case Outcome::NotReached:
        return "Not reached";
    case Outcome::Skipped:
        return "Skipped";
    case Outcome::Failed:
        break;
    }
    return "Failed";
}

void CliReportFormatter::printReport(const Report& report) const {
    bool failureSaid = false;
    for (const DestructiveOperation::Item& item : report.items) {
        const QString subject = CliOutput::printable(item.subject);
        if (item.detail.isEmpty())
            std::printf("%s %s\n", outcomeWord(item.outcome),
                        CliOutput::local(subject).constData());
        else
            std::printf("%s %s: %s\n", outcomeWord(item.outcome),
                        CliOutput::local(subject).constData(),
                        CliOutput::local(CliOutput::printable(item.detail)).constData());
        failureSaid = failureSaid || item.detail == report.failure;
    }
    for (const QString& note : report.notes)
        std::printf("  %s\n", CliOutput::local(note).constData());
    std::fflush(stdout);
    if (!report.failure.isEmpty() && !failureSaid)
        CliOutput::error(m_verb, report.failure);
}

QString CliReportFormatter::interruptedText(const Report& report) const {
    return QStringLiteral("%1 of %2 done; the others were not")
        .arg(report.count(Outcome::Done))
        .arg(report.items.size());
}
