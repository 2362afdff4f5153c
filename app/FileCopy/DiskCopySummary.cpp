#include "app/FileCopy/DiskCopySummary.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("DiskCopySummary", text);
}

// "1 partial file", "3 partial files": NOUN gets an s when N is not one.
QString count(qsizetype n, const char* noun) {
    return QStringLiteral("%1 %2%3").arg(n).arg(tr(noun)).arg(n == 1 ? QString() : tr("s"));
}

} // namespace

QString DiskCopySummary::counts(const DiskCopyJob::Report& report, const SizeText& size) {
    QStringList parts;
    if (report.copied.isEmpty())
        parts << tr("nothing copied");
    else
        parts << tr("%1 copied%2 (%3)")
                     .arg(report.copied.size())
                     .arg(report.verified ? tr(" and verified") : QString())
                     .arg(size(report.copiedBytes));
    if (report.notCopied > 0)
        parts << tr("%1 not copied (%2)").arg(report.notCopied).arg(size(report.notCopiedBytes));
    parts << tr("%1 skipped").arg(report.skipped.size())
          << tr("%1 failed").arg(report.failed.size());
    QString text = parts.join(QStringLiteral(", ")) + QLatin1Char('.');
    if (report.cancelled)
        return tr("Cancelled: ") + text;
    text[0] = text[0].toUpper();
    return text;
}

QString DiskCopySummary::cleanUp(const DiskCopyJob::Report& report, const SizeText& size) {
    QStringList sentences;
    if (!report.partialsLeft.isEmpty())
        sentences << tr("%1 of this copy could not be removed: %2.")
                         .arg(count(report.partialsLeft.size(), "partial file"),
                              report.partialsLeft.first());
    else if (report.cancelled || !report.failed.isEmpty())
        sentences << tr("No partial file was left.");
    if (!report.foldersRemoved.isEmpty())
        sentences << tr("Removed %1 that this copy had made and left empty.")
                         .arg(count(report.foldersRemoved.size(), "folder"));
    const CopyLeftoverSweep::Result& found = report.leftovers;
    if (!found.removed.isEmpty())
        sentences << tr("Removed %1 (%2) that a stopped copy had left.")
                         .arg(count(found.removed.size(), "partial file"),
                              size(found.removedBytes));
    if (!found.failed.isEmpty())
        sentences << tr("%1 that a stopped copy had left could not be removed: %2: %3.")
                         .arg(count(found.failed.size(), "partial file"), found.failed.first().path,
                              found.failed.first().reason);
    if (!found.inUse.isEmpty())
        sentences << tr("%1 of another copy still running were left to it.")
                         .arg(count(found.inUse.size(), "partial file"));
    return sentences.join(QLatin1Char(' '));
}
