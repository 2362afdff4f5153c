#include "cli/CliReportFormatter.h"

#include "cli/CliOutput.h"

#include <cstdio>

using Outcome = DestructiveOperation::Outcome;

void CliReportFormatter::describe(const Plan& plan) const {
    if (plan.level > 0)
        std::fprintf(
            stderr, "%s\n",
            CliOutput::local(
                tr("Erasing with %1 (%2).").arg(plan.standard, CliOutput::passes(plan.level)))
                .constData());
}

void CliReportFormatter::listItems(const Plan&) const {}

QString CliReportFormatter::question(const Plan&) const {
    return tr("This cannot be undone. Continue?");
}

void CliReportFormatter::explainRefusals(const Plan&) const {}

int CliReportFormatter::nothingToDo(const Plan&) const {
    std::fprintf(stderr, "%s\n", CliOutput::local(tr("Nothing to do.")).constData());
    return 0;
}

QString CliReportFormatter::outcomeWord(Outcome outcome) {
    switch (outcome) {
    case Outcome::Done:
        return tr("Done");
    case Outcome::Refused:
        return tr("Refused");
    case Outcome::Stopped:
        return tr("Stopped");
    case Outcome::NotReached:
        return tr("Not reached");
    case Outcome::Skipped:
        return tr("Skipped");
    case Outcome::Failed:
        break;
    }
    return tr("Failed");
}

void CliReportFormatter::printReport(const Report& report) const {
    bool failureSaid = false;
    for (const DestructiveOperation::Item& item : report.items) {
        const QString subject = CliOutput::printable(item.subject);
        if (item.detail.isEmpty())
            std::printf("%s %s\n", CliOutput::local(outcomeWord(item.outcome)).constData(),
                        CliOutput::local(subject).constData());
        else
            std::printf("%s %s: %s\n", CliOutput::local(outcomeWord(item.outcome)).constData(),
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
    //: %1 is how many were done.
    return tr("%1 of %n done; the others were not", nullptr, int(report.items.size()))
        .arg(report.count(Outcome::Done));
}
