#include "cli/HistoryDeleteFormatter.h"

#include "app/inter/DoDataBase.h"
#include "cli/CliOutput.h"

#include <cstdio>

namespace {

void printErr(const QString& text) {
    CliOutput::error(QStringLiteral("history"), text);
}

void printOut(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stdout);
}

} // namespace

HistoryDeleteFormatter::HistoryDeleteFormatter(DoDataBase& history)
    : CliReportFormatter(QStringLiteral("history")), m_history(history) {}

QString HistoryDeleteFormatter::question(const Plan& plan) const {
    if (plan.kind == DestructiveOperation::Kind::ClearHistory)
        return tr("Delete all %n history entries? This cannot be undone.", nullptr,
                  int(plan.items.size()));
    return tr("Delete the history entry \"%1\"? This cannot be undone.")
        .arg(plan.items.join(QStringLiteral("\", \"")));
}

void HistoryDeleteFormatter::explainRefusals(const Plan&) const {
    explainStatus(m_history.lastStatus());
}

int HistoryDeleteFormatter::nothingToDo(const Plan&) const {
    printOut(tr("No erasure history.") + QLatin1Char('\n'));
    return 0;
}

void HistoryDeleteFormatter::printReport(const Report& report) const {
    for (const DestructiveOperation::Item& item : report.items)
        if (item.outcome == DestructiveOperation::Outcome::Done)
            printOut(tr("Deleted %1").arg(item.subject) + QLatin1Char('\n'));
    std::fflush(stdout);
    if (!report.failure.isEmpty()) {
        printErr(tr("nothing deleted: %1").arg(report.failure));
        explainStatus(m_history.lastStatus());
    }
}

void HistoryDeleteFormatter::explainStatus(const HistoryStatus& status) {
    if (status.damaged())
        printErr(tr("`korvane history repair` keeps the damaged file aside and starts a new, empty "
                    "history"));
    else if (status.locked())
        printErr(tr("try again once the other program has finished with it"));
}
