#include "cli/CopyReportFormatter.h"

#include "app/FileCopy/DiskCopySummary.h"
#include "cli/CliOutput.h"

#include <QLocale>
#include <cstdio>

namespace {

QByteArray local(const QString& text) {
    return CliOutput::local(text);
}

} // namespace

CopyReportFormatter::CopyReportFormatter(const CopyFilesOperation& operation)
    : CliReportFormatter(QStringLiteral("copy")), m_operation(operation) {}

QString CopyReportFormatter::sizeText(quint64 bytes) {
    double value = double(bytes);
    const char* units[] = {"B", "KB", "MB", "GB", "TB"};
    int unit = 0;
    while (value >= 1000 && unit < 4) {
        value /= 1000;
        ++unit;
    }
    return QStringLiteral("%1 %2").arg(QLocale().toString(value, 'f', unit == 0 ? 0 : 2),
                                       QLatin1String(units[unit]));
}

QString CopyReportFormatter::question(const Plan&) const {
    return tr("Replace them? This cannot be undone.");
}

void CopyReportFormatter::printReport(const Report&) const {
    const DiskCopyJob::Report& report = m_operation.copyReport();
    const QString cleanedUp = DiskCopySummary::cleanUp(report, &sizeText);
    if (!report.refusal.isEmpty()) {
        std::fprintf(stderr, "korvane copy: %s\n",
                     local(tr("%1; nothing was copied").arg(report.refusal)).constData());
        if (!cleanedUp.isEmpty())
            std::fprintf(stderr, "%s\n", local(cleanedUp).constData());
        return;
    }
    for (const DiskCopyJob::Failure& failure : report.failed)
        std::fprintf(stderr, "%s\n",
                     local(tr("Failed %1: %2").arg(failure.path, failure.reason)).constData());
    std::printf("%s\n", local(DiskCopySummary::counts(report, &sizeText)).constData());
    if (!cleanedUp.isEmpty())
        std::printf("%s\n", local(cleanedUp).constData());
    for (const QString& path : report.partialsLeft)
        std::fprintf(
            stderr, "%s\n",
            local(tr("Left %1: this partial file could not be removed").arg(path)).constData());
}

QString CopyReportFormatter::interruptedText(const Report&) const {
    return tr("the files counted above as copied are whole; the others were not copied");
}
