#include "app/Main/FileEraser/FileErasureFacts.h"

#include "app/SetEraserLevel/EraserStandard.h"

#include <QHash>

void FileErasureFacts::complete(ErasureFacts& facts, const EraseReport& report, int level,
                                const QList<FileObjPtr>& work) {
    QHash<QByteArray, qint64> bytesUnder;
    for (const FileObjPtr& entry : work)
        if (entry && !entry->isDir)
            bytesUnder[entry->anchorPath()] += entry->size;
    int erased = 0;
    int gone = 0;
    int onSolidState = 0;
    for (const EraseReport::Line& line : report.lines) {
        if (!line.item)
            continue;
        // A folder's size is what was planned under it; one added on its own is not known.
        qint64 bytes =
            line.item->isDir ? bytesUnder.value(line.item->nativePath(), -1) : line.item->size;
        facts.files.append({line.item->url, bytes, line.item->failStr});
        erased += line.outcome == EraseReport::Outcome::Erased ? 1 : 0;
        gone += line.stillPresent ? 0 : 1;
        onSolidState += line.item->isSSD ? 1 : 0;
        for (const EraseReport::Problem& problem : line.problems)
            facts.errors << QStringLiteral("%1: %2").arg(problem.path,
                                                         EraseReport::reasonText(problem));
    }
    const int items = int(facts.files.size());
    facts.method = QStringLiteral("Clear");
    facts.standard = EraserStandard::nameForLevel(level);
    facts.passes = level;
    facts.technique = QStringLiteral("each file overwritten in place %1 time(s) by the %2 "
                                     "pattern with srm, renamed and removed")
                          .arg(level)
                          .arg(facts.standard);
    if (onSolidState > 0)
        facts.technique += QStringLiteral("; %1 item(s) on solid-state storage overwritten once")
                               .arg(onSolidState);
    facts.verificationMethod = QStringLiteral("each item's path looked up after the erasure; an "
                                              "item is erased only when srm ended well and the "
                                              "path is gone");
    facts.verificationCoverage = QStringLiteral("%1 of %1 items").arg(items);
    facts.verificationResult = QStringLiteral("%1 of %2 items gone").arg(gone).arg(items);
    // The erasure makes no second attempt at anything that failed.
    facts.retries = 0;
    QString outcome;
    if (report.cancelled)
        outcome = QStringLiteral("Cancelled: %1 of %2 items erased").arg(erased).arg(items);
    else if (erased == items)
        outcome = QStringLiteral("Erased");
    else
        outcome = QStringLiteral("Failed: %1 of %2 items erased").arg(erased).arg(items);
    facts.finish(outcome);
}
