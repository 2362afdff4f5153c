#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <atomic>
#include <functional>

// Copies chosen files and folders into a destination folder: folders with what they hold, links
// as links, times and permissions kept where the destination's file system can hold them (and
// owners when run as root). Nothing is written under a final name before all of it is written:
// each file is made under a hidden temporary name and renamed when complete, so a cancelled or
// failed copy leaves no partial file where a whole one is expected. With verification, every
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
        QStringList copied; // destination paths of the files written (and verified)
        QStringList skipped;
        QList<Failure> failed;
        quint64 copiedBytes = 0;
        bool cancelled = false;
        bool ok() const { return refusal.isEmpty() && failed.isEmpty() && !cancelled; }
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

    // Bytes of regular files under PATHS (links not followed).
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
