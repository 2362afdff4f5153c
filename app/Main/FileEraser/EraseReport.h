#pragma once

#include "app/Main/FileEraser/ErasePathCheck.h"
#include "app/Main/FileEraser/FileObj.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

// What an erasure did, for the front end to show: one line per chosen item, with its outcome,
// the standard it really got and, for an item not erased, what inside it failed and why.
class EraseReport {
    Q_DECLARE_TR_FUNCTIONS(EraseReport)

public:
    enum class Outcome {
        Erased,     // everything in it was overwritten and removed, and its path is gone
        Failed,     // something in it could not be erased (or it was refused)
        Stopped,    // a cancel ended the run inside it: part of it is gone, nothing failed
        NotReached, // a cancel ended the run before anything in it was begun: untouched
    };

    // What happened to the files (every entry that is not a folder) of an item or a run.
    struct FileCounts {
        int erased = 0;
        int failed = 0;
        int stopped = 0;    // passes cut short by the cancel; removed
        int notReached = 0; // untouched
        // For the stopped file: how many passes ran, of how many planned.
        int stoppedAfterPass = 0;
        int stoppedPassesPlanned = 0;

        int total() const { return erased + failed + stopped + notReached; }
        void add(const FileCounts& other);
    };

    struct Problem {
        QString path; // display form
        EraseItemResult::Reason reason;
        QString toolMessage;
    };

    struct Line {
        FileObjPtr item; // the chosen item; its failStr is the line's result text
        Outcome outcome = Outcome::Failed;
        bool copyOnWrite = false;
        bool namesInJournal = false; // erased, but names may remain in the file-system journal
        int level = 0; // the standard it really got (pass count); 0 when nothing was erased
        ErasePathCheck::Result refusal; // set when the item was refused at the start
        bool refused = false;
        bool stillPresent = true; // its path is still there after the run
        FileCounts files;
        QList<Problem> problems;
    };

    QList<Line> lines;
    bool cancelled = false;
    bool historyRecorded = false;

    int erasedCount() const;
    int failedCount() const; // the items not erased, whatever the reason
    // The files of every item together.
    FileCounts fileCounts() const;
    bool allErased() const { return failedCount() == 0 && !cancelled; }
    bool anyCopyOnWrite() const;
    // The mount points of the copy-on-write volumes that held erased items, each once, in order.
    QStringList copyOnWriteVolumes() const;
    // The mount point of the volume that held LINE's item (found from its folder: the item is
    // gone).
    static QString volumeOf(const Line& line);
    // The erased items whose names may remain in a file-system journal (display paths).
    QStringList namesInJournal() const;

    // "Erased", "Failed", or for an erased item on a copy-on-write volume, or whose names may
    // remain in the journal, the same warning the history keeps. An item a cancel left partly
    // done or untouched says so, with its file counts; this is the text the history keeps.
    static QString resultText(const Line& line);
    // "Cancelled: 7,612 files erased, 1 stopped after pass 1 of 3 (removed), 42,387 not
    // reached." in the user's language and number format, for the windows' end views.
    static QString cancelledCountsText(const FileCounts& files);
    // One sentence for a problem ("its data is still reachable through another name"), in
    // English: the text records (certificate facts) keep.
    static QString reasonText(const Problem& problem);
    // The same sentence in the user's language, for the windows and the command line.
    static QString shownReasonText(const Problem& problem);
    // "PATH: reason" for the problems of the items not erased, at most LIMIT of them (then a count
    // of the rest), in the user's language.
    QStringList problemLines(int limit = 20) const;

    static inline const QString kCopyOnWriteResult =
        QStringLiteral("Erased; earlier copies may remain on this copy-on-write volume");
    // The warning shown before erasing on such a volume.
    static QString copyOnWriteWarning(const QStringList& paths);

    static constexpr const char* kJournalCaveatSource =
        QT_TRANSLATE_NOOP("EraseReport", "names may remain in the file system journal");
    // Stored in the history: English.
    static inline const QString kJournalCaveat = QString::fromLatin1(kJournalCaveatSource);
    // kJournalCaveat in the user's language.
    static QString journalCaveat() { return tr(kJournalCaveatSource); }
    static inline const QString kJournalResult = QStringLiteral("Erased; ") + kJournalCaveat;
    // What the end of an erasure says when names may remain in a journal (in the user's
    // language, as copyOnWriteWarning()).
    static QString journalNote(const QStringList& paths);
};
