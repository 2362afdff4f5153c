#pragma once

#include "app/Job/CopyFilesOperation.h"
#include "cli/CliReportFormatter.h"
#include <QCoreApplication>

// The lines of `korvane copy`, from the copy job's report the operation keeps: the counts and
// what the clean-up of earlier copies removed on standard output, what failed or was left on
// standard error.
class CopyReportFormatter : public CliReportFormatter {
    Q_DECLARE_TR_FUNCTIONS(CopyReportFormatter)

public:
    explicit CopyReportFormatter(const CopyFilesOperation& operation);

    QString question(const Plan& plan) const override;
    void printReport(const Report& report) const override;
    QString interruptedText(const Report& report) const override;

    // "1.50 MB": decimal units, as the copy's lines give sizes.
    static QString sizeText(quint64 bytes);

private:
    const CopyFilesOperation& m_operation;
};
