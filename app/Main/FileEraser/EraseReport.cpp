#include "app/Main/FileEraser/EraseReport.h"

#include <QCoreApplication>
#include <QLocale>

#include "platform/FileSystemInfo.h"

#include <QFileInfo>

int EraseReport::erasedCount() const {
    int n = 0;
    for (const Line& line : lines)
        n += line.outcome == Outcome::Erased ? 1 : 0;
    return n;
}

int EraseReport::failedCount() const {
    return int(lines.size()) - erasedCount();
}

void EraseReport::FileCounts::add(const FileCounts& other) {
    erased += other.erased;
    failed += other.failed;
    stopped += other.stopped;
    notReached += other.notReached;
    if (other.stopped > 0) {
        stoppedAfterPass = other.stoppedAfterPass;
        stoppedPassesPlanned = other.stoppedPassesPlanned;
    }
}

EraseReport::FileCounts EraseReport::fileCounts() const {
    FileCounts counts;
    for (const Line& line : lines)
        counts.add(line.files);
    return counts;
}

bool EraseReport::anyCopyOnWrite() const {
    for (const Line& line : lines)
        if (line.copyOnWrite)
            return true;
    return false;
}

QStringList EraseReport::namesInJournal() const {
    QStringList paths;
    for (const Line& line : lines)
        if (line.outcome == Outcome::Erased && line.namesInJournal)
            paths << line.item->url;
    return paths;
}

QString EraseReport::resultText(const Line& line) {
    const FileCounts& files = line.files;
    const QString stopped = QStringLiteral("stopped after pass %1 of %2 (removed)")
                                .arg(files.stoppedAfterPass)
                                .arg(files.stoppedPassesPlanned);
    if (line.outcome == Outcome::NotReached)
        return QStringLiteral("Not erased: cancelled before it was reached");
    if (line.outcome == Outcome::Stopped && !line.item->isDir)
        return QStringLiteral("Cancelled: ") + stopped;
    if (line.outcome == Outcome::Stopped || (line.outcome == Outcome::Failed && files.notReached)) {
        // A folder the cancel left partly done: never "Erased", and what is left, counted.
        QStringList parts{files.erased == 1 ? QStringLiteral("1 file erased")
                                            : QStringLiteral("%1 files erased").arg(files.erased)};
        if (files.failed > 0)
            parts << QStringLiteral("%1 failed").arg(files.failed);
        if (files.stopped > 0)
            parts << QStringLiteral("%1 %2").arg(files.stopped).arg(stopped);
        parts << QStringLiteral("%1 not reached").arg(files.notReached);
        return (line.outcome == Outcome::Failed ? QStringLiteral("Failed, cancelled: ")
                                                : QStringLiteral("Cancelled: ")) +
               parts.join(QStringLiteral(", "));
    }
    if (line.outcome == Outcome::Failed)
        return QStringLiteral("Failed");
    if (line.copyOnWrite)
        return kCopyOnWriteResult;
    return line.namesInJournal ? kJournalResult : QStringLiteral("Erased");
}

namespace {

// The English sentence of PROBLEM when it has one of its own (not the tool's message).
const char* reasonSource(const EraseReport::Problem& problem) {
    using Reason = EraseItemResult::Reason;
    switch (problem.reason) {
    case Reason::HardLinked:
        return QT_TRANSLATE_NOOP("EraseReport", "its data is still reachable through another name");
    case Reason::MountPoint:
        return QT_TRANSLATE_NOOP("EraseReport", "a volume is mounted there; it was left standing "
                                                "and nothing on it was touched");
    case Reason::Cancelled:
        return problem.toolMessage.isEmpty()
                   ? QT_TRANSLATE_NOOP("EraseReport",
                                       "the erasure was cancelled before it was done")
                   : nullptr;
    case Reason::NotEmpty:
        return problem.toolMessage.isEmpty()
                   ? QT_TRANSLATE_NOOP("EraseReport", "some of its contents are left")
                   : nullptr;
    default:
        break;
    }
    return problem.toolMessage.isEmpty() ? QT_TRANSLATE_NOOP("EraseReport", "not erased") : nullptr;
}

} // namespace

QString EraseReport::reasonText(const Problem& problem) {
    const char* source = reasonSource(problem);
    return source ? QString::fromLatin1(source) : problem.toolMessage;
}

// The tool's own message is shown as the tool wrote it.
QString EraseReport::shownReasonText(const Problem& problem) {
    const char* source = reasonSource(problem);
    return source ? tr(source) : problem.toolMessage;
}

QStringList EraseReport::problemLines(int limit) const {
    QStringList out;
    int total = 0;
    for (const Line& line : lines) {
        if (line.outcome == Outcome::Erased)
            continue;
        for (const Problem& problem : line.problems) {
            if (total++ < limit)
                out << QStringLiteral("%1: %2").arg(problem.path, shownReasonText(problem));
        }
    }
    if (total > limit)
        out << tr("… and %1 more").arg(QLocale().toString(total - limit));
    return out;
}

QStringList EraseReport::copyOnWriteVolumes() const {
    QStringList volumes;
    for (const Line& line : lines)
        if (line.outcome == Outcome::Erased && line.copyOnWrite)
            if (const QString volume = volumeOf(line);
                !volume.isEmpty() && !volumes.contains(volume))
                volumes << volume;
    return volumes;
}

QString EraseReport::volumeOf(const Line& line) {
    return FileSystemInfo::forPath(QFileInfo(line.item->url).absolutePath()).mountPoint;
}

QString EraseReport::journalNote(const QStringList& paths) {
    return tr("The names of %1 may remain in the file system journal: emptying it needs "
              "administrator rights. Erase as administrator to remove them as well.")
        .arg(paths.join(QStringLiteral(", ")));
}

QString EraseReport::copyOnWriteWarning(const QStringList& paths) {
    //: %1 names the paths; the count chooses "is" or "are".
    return tr("%1 is on a copy-on-write volume. Overwriting a file there cannot reach the copies "
              "the file system keeps of it: wipe the free space of the volume as well (Erase Free "
              "Space) to remove them.",
              nullptr, int(paths.size()))
        .arg(paths.join(QStringLiteral(", ")));
}

QString EraseReport::cancelledCountsText(const FileCounts& files) {
    const QLocale locale;
    QStringList parts;
    // %Ln: the count in the locale's digit grouping.
    parts << tr("%Ln file(s) erased", nullptr, files.erased);
    if (files.failed > 0)
        parts << tr("%1 failed").arg(locale.toString(files.failed));
    if (files.stopped > 0)
        parts << tr("%1 stopped after pass %2 of %3 (removed)")
                     .arg(locale.toString(files.stopped))
                     .arg(files.stoppedAfterPass)
                     .arg(files.stoppedPassesPlanned);
    parts << tr("%1 not reached").arg(locale.toString(files.notReached));
    return tr("Cancelled: %1.").arg(parts.join(tr(", ")));
}
