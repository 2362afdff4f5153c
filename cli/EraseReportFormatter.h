#pragma once

#include "app/Job/EraseFilesOperation.h"
#include "cli/CliReportFormatter.h"
#include <QCoreApplication>

// The lines of `korvane erase`: one per chosen path ("Erased", "Failed", "Stopped", "Not
// reached"), the reasons and caveats below it, read from the erasure job's report that the
// operation keeps; the question lists the paths, and a stop counts the files.
class EraseReportFormatter : public CliReportFormatter {
    Q_DECLARE_TR_FUNCTIONS(EraseReportFormatter)

public:
    explicit EraseReportFormatter(const EraseFilesOperation& operation);

    void listItems(const Plan& plan) const override;
    QString question(const Plan& plan) const override;
    void printReport(const Report& report) const override;
    QString interruptedText(const Report& report) const override;

private:
    const EraseFilesOperation& m_operation;
};
