#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// Erases the cleaner's files and folders the way every erasure of the program does (the erasure
// job: overwritten with the stored standard, then removed; folders expanded without following
// links or entering mounts), rather than unlinking them, so their content is not left in the
// blocks the file system frees. Blocks the calling thread until the job has ended; runs a local
// event loop for the tool process, so it may be called from a worker thread.
class BrowserFileEraser {
public:
    struct Result {
        QHash<QString, QString> problems; // path -> why it was not erased; absent: erased
        bool copyOnWrite = false;         // some lay on a copy-on-write volume
        bool solidState = false;          // some lay on solid-state storage
        int level = 0;                    // passes the job overwrote with
    };
    static Result erase(const QStringList& paths);
};
