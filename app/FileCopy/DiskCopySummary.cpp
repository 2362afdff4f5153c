#include "app/FileCopy/DiskCopySummary.h"

#include <QCoreApplication>

namespace {

// "1 partial file", "3 partial files", in the user's language.
QString partialFiles(qsizetype n) {
    return DiskCopySummary::tr("%n partial file(s)", nullptr, int(n));
}

} // namespace

QString DiskCopySummary::counts(const DiskCopyJob::Report& report, const SizeText& size) {
    QStringList parts;
    if (report.copied.isEmpty())
        parts << tr("nothing copied");
    else
        parts << (report.verified ? tr("%1 copied and verified (%2)") : tr("%1 copied (%2)"))
                     .arg(report.copied.size())
                     .arg(size(report.copiedBytes));
    if (report.notCopied > 0)
        parts << tr("%1 not copied (%2)").arg(report.notCopied).arg(size(report.notCopiedBytes));
    parts << tr("%1 skipped").arg(report.skipped.size())
          << tr("%1 failed").arg(report.failed.size());
    QString text = parts.join(QStringLiteral(", ")) + QLatin1Char('.');
    if (report.cancelled)
        return tr("Cancelled: %1").arg(text);
    text[0] = text[0].toUpper();
    return text;
}

QString DiskCopySummary::cleanUp(const DiskCopyJob::Report& report, const SizeText& size) {
    QStringList sentences;
    if (!report.partialsLeft.isEmpty())
        sentences << tr("%1 of this copy could not be removed: %2.")
                         .arg(partialFiles(report.partialsLeft.size()),
                              report.partialsLeft.first());
    else if (report.cancelled || !report.failed.isEmpty())
        sentences << tr("No partial file was left.");
    if (!report.foldersRemoved.isEmpty())
        sentences << tr("Removed %1 that this copy had made and left empty.")
                         .arg(tr("%n folder(s)", nullptr, int(report.foldersRemoved.size())));
    const CopyLeftoverSweep::Result& found = report.leftovers;
    if (!found.removed.isEmpty())
        sentences << tr("Removed %1 (%2) that a stopped copy had left.")
                         .arg(partialFiles(found.removed.size()), size(found.removedBytes));
    if (!found.failed.isEmpty())
        sentences << tr("%1 that a stopped copy had left could not be removed: %2: %3.")
                         .arg(partialFiles(found.failed.size()), found.failed.first().path,
                              found.failed.first().reason);
    if (!found.inUse.isEmpty())
        sentences << tr("%1 of another copy still running were left to it.")
                         .arg(partialFiles(found.inUse.size()));
    return sentences.join(QLatin1Char(' '));
}
