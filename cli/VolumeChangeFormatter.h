#pragma once

#include "app/Main/WipeDisk/VolumeObj.h"
#include "cli/CliReportFormatter.h"
#include <QCoreApplication>

// The lines of `korvane format`, `rename`, `mount`, `unmount` and `eject`: a format says what it
// destroys before the question; each verb's result is the volume tool's sentence, on standard
// output when it worked, as an error line when not.
class VolumeChangeFormatter : public CliReportFormatter {
    Q_DECLARE_TR_FUNCTIONS(VolumeChangeFormatter)

public:
    // FORMAT and NAME: the file system and name a format makes.
    VolumeChangeFormatter(const QString& verb, const VolumeObj& volume, QString format,
                          QString name);

    void describe(const Plan& plan) const override;
    QString question(const Plan& plan) const override;
    void printReport(const Report& report) const override;

private:
    const VolumeObj& m_volume;
    QString m_format;
    QString m_name;
};
