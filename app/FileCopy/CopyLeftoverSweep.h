#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Finds and removes the partial files that copies stopped without cleaning up (killed, or a
// machine that went down) left in a destination. Only files CopyPartialMark recognises as ours
// go: a file that is merely named like one stays and is named, and so does a partial file of a
// copy that is still running (CopyRunClaim). The walk never follows a link and never enters
// another mount.
class CopyLeftoverSweep {
public:
    enum class Depth {
        FolderOnly, // the folder's own entries
        WholeTree,  // everything below it
    };
    struct Removed {
        QString path;
        quint64 bytes = 0;
    };
    struct Problem {
        QString path;
        QString reason;
    };
    struct Result {
        QList<Removed> removed;
        quint64 removedBytes = 0;
        QStringList unmarked;  // named like partial files, but not ours: left alone
        QStringList inUse;     // partial files of copies still running: left to them
        QList<Problem> failed; // ours, but they could not be removed
    };

    // Sweeps FOLDER (followed if it is a link: it is the folder the caller names) to DEPTH and
    // adds what it found to RESULT. False when FOLDER could not be opened (PROBLEM says why).
    static bool sweep(const QString& folder, Depth depth, Result& result,
                      QString* problem = nullptr);
    // The same for entry NAME of the open folder PARENTFD, at path PATH, and everything below
    // it; a link or a file there is not entered.
    static void sweepTree(int parentFd, const QString& name, const QString& path, Result& result);
};
