#pragma once

#include "app/Certificate/ErasureFacts.h"
#include "app/Main/WipeDisk/VolumeObj.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QThread>
#include <atomic>

// The free-space wipe of one volume, as one job for every front end: PASSES times the volume's
// free space is filled with throw-away files (FreeSpaceFiller) in the work folder at its mount
// point and they are deleted again. While the last pass holds the volume full, the free folder
// slots of FAT and exFAT and the free metadata blocks of btrfs are overwritten, where those keep
// names and small files of deleted files. Then the names of deleted files that the ext4 journal
// keeps are zeroed (as root) and solid-state storage that takes discards is trimmed. The work runs
// on a thread of its own at low I/O priority; progress and the end arrive as signals on the thread
// that made the job. The end is recorded in the history.
//
// The wipe holds its volume's FreeSpaceWipeLock from start to end: a second wipe of the volume
// is refused (kAnotherWipe), as are a read-only volume (kReadOnly) and a user who may not write
// there (kNoPermission). Its fill files go in a WipeWorkFolder of its own; a folder of that name
// that is not ours is left as it is.
class FreeSpaceWipeJob : public QObject {
    Q_OBJECT
public:
    struct Options {
        int level = 0; // passes; 0: the stored erasure level
        bool recordHistory = true;
        bool wholeVolume = false; // the last step of the whole-volume wipe
        QString programName;      // whose stored level; empty: the main program's
    };

    struct Report {
        bool ok = false;
        bool cancelled = false;
        QString reason; // empty on success; the failure's text otherwise
        int passes = 0;
        QString successText;
        QStringList notes;  // what the user should know besides (trim, solid state, journal)
        QString workFolder; // the name of the folder at the volume's root that held the fill
        bool historyRecorded = false;
        // A history entry was due but the database did not take it (locked, damaged, …).
        bool historyFailed = false;
        // The whole-volume wipe formatted the volume: what it held is gone, whatever else the
        // report says.
        bool volumeEmptied = false;

        // What the wipe overwrote. The free data blocks on every file system; besides them, the
        // free metadata blocks where the file system keeps small files and names there (btrfs),
        // and the free folder slots where it keeps removed names (FAT, exFAT).
        enum class Reach {
            NotKept,       // this file system keeps nothing of deleted files there
            Overwritten,   // all of it
            Partly,        // some folders could not be reached (foldersNotReached)
            NotOverwritten // it could not be done (the notes say why)
        };
        bool dataOverwritten = false;
        Reach metadata = Reach::NotKept;
        Reach folderSlots = Reach::NotKept;
        QStringList foldersNotReached; // paths of the folders whose free slots stayed as they were
        quint64 metadataEntries = 0;   // throw-away entries the metadata fill made
        qint64 metadataMilliseconds = 0; // the metadata fill with its removal
        qint64 folderSlotsMilliseconds = 0;

        // "Overwritten: the free data blocks, the free metadata blocks." and what was not.
        QString reachedText() const;
    };

    // Why a wipe did not start: each cause its own text.
    static inline const QString kAnotherWipe =
        QStringLiteral("Another wipe of this volume is running. Wait until it has ended, then "
                       "try again.");
    static inline const QString kReadOnly =
        QStringLiteral("The volume is read-only: its free space cannot be written. Mount it "
                       "with write access to try again.");
    static inline const QString kNoPermission =
        QStringLiteral("You don't have the permission to write on this volume. Run the wipe "
                       "with administrator rights to try again.");
    static inline const QString kNtfs =
        QStringLiteral("%1 is an NTFS volume: its free space is not erased here.");
    static inline const QString kUnknownLevel =
        QStringLiteral("There is no erasure standard of level %1: use 1, 2, 3, 7 or 35.");
    static inline const QString kCannotStart =
        QStringLiteral("The wipe could not start on this volume: %1");
    static inline const QString kCancelled =
        QStringLiteral("The operation was canceled by the user.");
    static inline const QString kFreeSpaceDone =
        QStringLiteral("The deleted/lost data on the hard drive has been successfully erased.");
    static inline const QString kWholeVolumeDone =
        QStringLiteral("All the data on the selected hard drive has been successfully erased.");

    FreeSpaceWipeJob(VolumeObj volume, Options options, QObject* parent = nullptr);
    ~FreeSpaceWipeJob() override;

    void start();
    // Stops within one write; the work folder is removed and the wipe ends as cancelled.
    void cancel();
    bool isRunning() const { return m_running; }
    int passes() const { return m_passes; }
    // The pass being written, from 1 (0 before the first); read from any thread.
    int passUnderWay() const { return m_pass; }
    const Report& report() const { return m_report; }
    const VolumeObj& volume() const { return m_volume; }

    // The passes for LEVEL, or for PROGRAMNAME's stored level when LEVEL is 0.
    static int passesFor(int level, const QString& programName);
    // "Erased 12.50% in 1 of 3 passes".
    static QString progressText(double percent, int pass, int passes);
    // The folders srm --free-slots named as not reached in its OUTPUT.
    static QList<QString> foldersNamedIn(const QString& srmOutput);

signals:
    void progress(const QString& text, double percent);
    void finished();

private:
    void work();
    // What the last pass does while its fill holds the volume full.
    void whileFull(int workFolderFd);
    // Overwrites the free folder slots where FAT and exFAT keep removed names (srm --free-slots
    // --volume-full).
    void overwriteFreeSlots();
    bool keepsNamesInFolderSlots() const;
    // Overwrites the free metadata blocks where btrfs keeps small files and names.
    void overwriteFreeMetadata(int workFolderFd);
    void finish();

    VolumeObj m_volume;
    Options m_options;
    int m_passes = 1;
    ErasureFacts m_facts; // the certificate's facts, begun when the wipe starts
    Report m_report;
    std::atomic_bool m_cancel{false};
    std::atomic_int m_pass{0};
    bool m_running = false;
    QThread* m_thread = nullptr;
};
