#pragma once

#include "app/Job/DeleteDuplicatesOperation.h"
#include "cli/CliReportFormatter.h"

#include <QCoreApplication>
#include <QHash>

// The lines of `korvane duplicates --delete`: on a terminal, before the question, each copy
// with the copy it is kept against; after the run one line per copy ("Removed PATH", or "Kept
// PATH: why") and the counts with the space freed; a stop counts what was removed, kept and
// not reached.
class DuplicatesDeleteFormatter : public CliReportFormatter {
    Q_DECLARE_TR_FUNCTIONS(DuplicatesDeleteFormatter)

public:
    // KEPTAGAINST: for each planned copy's path, the copy it is compared with.
    DuplicatesDeleteFormatter(DuplicateDeleteJob::Method method,
                              QHash<QString, QString> keptAgainst);

    void listItems(const Plan& plan) const override;
    QString question(const Plan& plan) const override;
    int nothingToDo(const Plan& plan) const override;
    void printReport(const Report& report) const override;
    QString interruptedText(const Report& report) const override;

private:
    QString how() const;

    DuplicateDeleteJob::Method m_method;
    QHash<QString, QString> m_keptAgainst;
};
