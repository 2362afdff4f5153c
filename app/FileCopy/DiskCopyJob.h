#pragma once

#include "app/FileCopy/CopyLeftoverSweep.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <atomic>
#include <functional>

// Copies chosen files and folders into a destination folder: folders with what they hold, links
// as links, times and permissions kept where the destination's file system can hold them (and
// owners when run as root). Nothing is written under a final name before all of it is written:
// each file is made under a hidden partial name and renamed when complete, so a cancelled or
// failed copy leaves no partial file where a whole one is expected. Partial files carry the
// run's mark (CopyPartialMark): the job removes its own when it is cancelled or a file fails,
// and before counting the free space it removes those a stopped copy left where it is about to
// write. A cancelled copy also removes the folders it made that are still empty. With
// verification, every
// copy is flushed to the device, dropped from memory and read back from the device, and its
// CRC-64 compared with that of the bytes read from the source; a copy that differs is removed
// and named as failed. An existing file is never overwritten without the caller's say.
class DiskCopyJob {
public:
    enum class Existing { Ask, Skip, Replace, KeepBoth };
    struct Options {
        bool verify = true;
        Existing existing = Existing::Ask;
    };
    struct Progress {
        quint64 doneBytes = 0;  // copied, plus read back when verifying
        quint64 totalBytes = 0; // the same for the whole selection
        QString currentFile;
        double bytesPerSecond = 0;
        qint64 secondsLeft = -1; // -1 while not known
    };
    struct Failure {
        QString path; // the source
        QString reason;
    };
    struct Report {
        QString refusal;    // set when nothing was copied because the copy could not start
        QStringList copied; // destination paths of the files and links under their final names
        QStringList skipped;
        QList<Failure> failed;
        quint64 copiedBytes = 0; // the bytes of the files in COPIED
        bool verified = false;   // each file in COPIED was read back and matched its source
        bool cancelled = false;
        // Files and links of the selection that are neither copied, skipped nor failed: not
        // reached before a cancel, or inside a folder that could not be made.
        qsizetype notCopied = 0;
        quint64 notCopiedBytes = 0;
        QStringList partialsLeft;            // partial files of this run that could not be removed
        QStringList foldersRemoved;          // folders this run made and removed again, left empty
        CopyLeftoverSweep::Result leftovers; // what stopped copies had left, found before
        bool ok() const {
            return refusal.isEmpty() && failed.isEmpty() && !cancelled && partialsLeft.isEmpty();
        }
    };
    // Asked for an existing DESTINATION: Skip, Replace or KeepBoth (Ask counts as Skip).
    using AskExisting = std::function<Existing(const QString& destination)>;
    using ProgressSink = std::function<void(const Progress& progress)>;

    // (Two constructors: GCC 12 takes no "= {}" default for a nested type with initialisers.)
    DiskCopyJob(QStringList sources, QString destination)
        : DiskCopyJob(std::move(sources), std::move(destination), Options()) {}
    DiskCopyJob(QStringList sources, QString destination, Options options);

    void setAskExisting(AskExisting ask) { m_ask = std::move(ask); }
    void setProgressSink(ProgressSink sink) { m_progress = std::move(sink); }

    // Copies on the calling thread; CANCEL stops it between two chunks.
    Report run(const std::atomic_bool& cancel);

    // Bytes of regular files under PATHS (links not followed). FILES gets the number of entries
    // that are not folders: the files, links and others a copy would make or fail.
    static quint64 bytesUnder(const QStringList& paths, qsizetype* files = nullptr);
    // "name (2).ext" and so on: the first name in FOLDER that is free.
    static QString freeNameLike(const QString& path, const QStringList& taken = {});

private:
    QStringList m_sources;
    QString m_destination;
    Options m_options;
    AskExisting m_ask;
    ProgressSink m_progress;
};
