#pragma once

#include "app/Job/DestructiveOperation.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QtGlobal>

// One drive's progress in a drive wipe, from the job's reports: how far it is (the passes, then
// the reading back), how fast it writes and how long is left, in words for the drive's row.
// The job reports the passes as one stretch (done and total over all passes) and the reading
// back as another; the meter joins them so that the bar only moves forward.
class DriveWipeMeter {
    Q_DECLARE_TR_FUNCTIONS(DriveWipeMeter)

public:
    // READSBACK: the run reads the last pass back after writing (the drive wipe's default).
    explicit DriveWipeMeter(bool readsBack = true) : m_readsBack(readsBack) {}

    // Takes REPORT, made at MSECS on a steady clock.
    void add(const DestructiveOperation::Progress& report, qint64 msecs);

    bool started() const { return m_started; }
    // From 0 to 1 over the passes and the reading back (which weighs as much as one pass).
    double fraction() const;
    // Bytes a second over the last seconds of the stage under way; 0 while not known.
    qint64 bytesPerSecond() const;
    // Seconds until the end, the reading back included; -1 while not known.
    qint64 secondsLeft() const;
    // "Pass 2 of 4 · 120.00 MB of 512.00 MB · 85.00 MB/s · 8 s left".
    QString text() const;

    // "45 s", "3 min 05 s", "2 h 10 min".
    static QString durationText(qint64 seconds);

private:
    struct Sample {
        qint64 msecs;
        qint64 done;
    };
    qint64 perPass() const;

    bool m_readsBack;
    bool m_started = false;
    DestructiveOperation::Progress m_last;
    qint64 m_writeTotal = 0; // the bytes of all passes, once known
    QList<Sample> m_samples; // of the stage under way, the last few seconds
};
