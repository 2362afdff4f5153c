#pragma once

#include "app/Main/WipeDisk/FreeSpaceWipeJob.h"
#include "app/Main/WipeDisk/VolumeObj.h"
#include "cli/CliReportFormatter.h"
#include <QCoreApplication>

// The lines of `korvane wipe-free-space` and `wipe-volume`: what is wiped and how before the
// question, one result line naming the volume (as the run left it) after it, and what a stop
// left. WIPE is the wipe job's report the operation keeps; AFTER, for the whole-volume wipe,
// the volume as the run left it.
class WipeReportFormatter : public CliReportFormatter {
    Q_DECLARE_TR_FUNCTIONS(WipeReportFormatter)

public:
    WipeReportFormatter(const QString& verb, const VolumeObj& volume, bool whole,
                        const FreeSpaceWipeJob::Report& wipe, const VolumeObj* after);

    void describe(const Plan& plan) const override;
    QString question(const Plan& plan) const override;
    void printReport(const Report& report) const override;
    QString interruptedText(const Report& report) const override;

private:
    const VolumeObj& m_volume;
    bool m_whole;
    const FreeSpaceWipeJob::Report& m_wipe;
    const VolumeObj* m_after;
};
