#pragma once

#include "app/inter/HistoryStatus.h"
#include "cli/CliReportFormatter.h"
#include <QCoreApplication>

class DoDataBase;

// The lines of `korvane history delete` and `clear`: the question names what goes, a history
// that cannot be used says what to do about it, and each entry deleted is named.
class HistoryDeleteFormatter : public CliReportFormatter {
    Q_DECLARE_TR_FUNCTIONS(HistoryDeleteFormatter)

public:
    explicit HistoryDeleteFormatter(DoDataBase& history);

    QString question(const Plan& plan) const override;
    void explainRefusals(const Plan& plan) const override;
    int nothingToDo(const Plan& plan) const override;
    void printReport(const Report& report) const override;

    // What to do about a history that cannot be used (damaged: repair; locked: wait).
    static void explainStatus(const HistoryStatus& status);

private:
    DoDataBase& m_history;
};
