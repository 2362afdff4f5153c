#pragma once

#include "app/Certificate/ErasureFacts.h"
#include "app/Main/WipeDisk/FreeSpaceWipeJob.h"
#include "app/Main/WipeDisk/VolumeObj.h"

#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QStringList>

class EraseJob;

// The whole-volume wipe, as one job for every front end: the volume is made new (diskutil
// reformat: the same type and label; an NTFS volume becomes MS-DOS FAT32 "NEW"), whatever the
// fresh file system holds is erased, and then its free space is wiped with the passes of the
// free-space wipe, which ends and records the job ("Erase Hard Drive:NAME"). The start-up volume
// is never wiped. A reformat that fails, or a volume that still holds its old files after it,
// ends the job as failed. A job that ends, cancelled or failed, after the reformat says (and
// records) that the volume was emptied but its free space was not overwritten.
class WholeVolumeWipeJob : public QObject {
    Q_OBJECT
public:
    struct Options {
        int level = 0;
        bool recordHistory = true;
        QString programName;
    };

    static inline const QString kStartupVolume =
        QStringLiteral("The start-up volume cannot be erased while the system runs from it.");
    static inline const QString kStoppedAfterFormat = QStringLiteral(
        "The wipe was stopped after the volume was formatted anew: everything that was on it is "
        "gone and it is empty now, but its free space was not overwritten (or only in part), so "
        "earlier data may still be read from the device. Erase its free space to finish.");
    static inline const QString kFailedAfterFormat =
        QStringLiteral("The volume was formatted anew and is empty now, but its free space was not "
                       "overwritten: %1");
    // The history's result for a job that ended after the reformat without finishing.
    static inline const QString kEmptiedResult =
        QStringLiteral("Failed; formatted (emptied), free space not overwritten");

    WholeVolumeWipeJob(VolumeObj volume, Options options, QObject* parent = nullptr);
    ~WholeVolumeWipeJob() override;

    void start();
    // Stops at the next step; a reformat under way is let finish (a half-made file system
    // would be worse), the erasure and the passes stop at once.
    void cancel();
    bool isRunning() const { return m_running; }
    int passes() const;
    // The free-space pass being written, from 1; 0 while formatting.
    int passUnderWay() const { return m_freeSpace ? m_freeSpace->passUnderWay() : 0; }

    // The outcome, once finished() was emitted (the free-space wipe's report, or the failure
    // before it).
    const FreeSpaceWipeJob::Report& report() const { return m_report; }
    const VolumeObj& volume() const { return m_volume; }
    static bool isStartupVolume(const VolumeObj& volume);

signals:
    void progress(const QString& text, double percent);
    // The volume was unmounted and mounted again ("Mounting disk"): lists should be rebuilt.
    void volumesChanged();
    void finished();

private:
    void reformatEnded(int exitCode, QProcess::ExitStatus status);
    void eraseContents();
    void wipeFreeSpace();
    void fail(const QString& reason);
    void record(const QString& result);
    void end();

    // Where the bar stands once the volume is formatted, and where the passes begin.
    static constexpr double kFormatted = 4;
    static constexpr double kPassesStart = 5;

    VolumeObj m_volume;
    Options m_options;
    QStringList m_oldEntries; // top-level names before the reformat
    QPointer<QProcess> m_reformat;
    QByteArray m_reformatOutput;
    EraseJob* m_erase = nullptr;
    FreeSpaceWipeJob* m_freeSpace = nullptr;
    FreeSpaceWipeJob::Report m_report;
    ErasureFacts m_facts; // the certificate's facts, begun when the wipe starts
    bool m_running = false;
    bool m_cancel = false;
    bool m_formatted = false; // the reformat ended well: the volume's old content is gone
};
