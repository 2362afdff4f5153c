#include "app/Main/WipeDisk/VolumeErasureFacts.h"

#include "app/Certificate/DriveHealth.h"
#include "app/SetEraserLevel/EraserStandard.h"

void VolumeErasureFacts::complete(ErasureFacts& facts, const VolumeObj& volume, int passes,
                                  const FreeSpaceWipeJob::Report& report, bool wholeVolume,
                                  const QString& outcome) {
    facts.describeDevice(volume.volumePath, volume.volumeType, volume.volumeName);
    facts.health = DriveHealth::read(volume.volumePath);
    facts.method = QStringLiteral("Clear");
    facts.passes = passes > 0 ? passes : -1;
    facts.standard = passes > 0 ? EraserStandard::nameForLevel(passes) : QString();
    const QString fill =
        QStringLiteral("free space filled %1 time(s) (%2) with throw-away files, flushed to the "
                       "device and deleted")
            .arg(passes)
            .arg(facts.standard);
    facts.technique = wholeVolume ? QStringLiteral("volume made anew with the same file system "
                                                   "(diskutil), then its %1")
                                        .arg(fill)
                                  : fill.at(0).toUpper() + fill.mid(1);
    if (!report.notes.isEmpty())
        facts.technique += QStringLiteral("; ") + report.notes.join(QLatin1Char(' '));
    facts.verificationMethod = QStringLiteral("none: the data written is flushed to the device, "
                                              "not read back");
    facts.verificationCoverage = QStringLiteral("0 bytes read back");
    facts.verificationResult = QStringLiteral("not verified");
    if (!report.reason.isEmpty())
        facts.errors << report.reason;
    // A wipe that fails is not tried again on its own.
    facts.retries = 0;
    facts.finish(outcome);
}
