#include "app/Job/DriveErasureFacts.h"

#include "app/Certificate/DriveHealth.h"
#include "app/SetEraserLevel/EraserStandard.h"

#include <QRegularExpression>

void DriveErasureFacts::readDetail(ErasureFacts& facts, const QString& detail, int passes) {
    static const QRegularExpression method(QStringLiteral("\\b(Clear|Purge) \\(([^)]*)\\)"));
    static const QRegularExpression readBack(
        QStringLiteral("(\\d+) of (\\d+) bytes read back and found as written"));
    if (const auto named = method.match(detail); named.hasMatch()) {
        facts.method = named.captured(1);
        facts.technique = named.captured(2);
        // An overwrite names its passes; the standard they come from says which.
        if (facts.method == QLatin1String("Clear"))
            facts.technique += QStringLiteral(": the passes of %1, then zeros")
                                   .arg(EraserStandard::nameForLevel(passes));
    } else {
        facts.method = QStringLiteral("Clear");
        facts.technique = QStringLiteral("every byte of the device overwritten %1 time(s) by the "
                                         "%2 pattern")
                              .arg(passes)
                              .arg(EraserStandard::nameForLevel(passes));
    }
    if (const auto checked = readBack.match(detail); checked.hasMatch()) {
        facts.verificationMethod = QStringLiteral("read back and compared with what was written");
        facts.verificationCoverage =
            QStringLiteral("%1 of %2 bytes").arg(checked.captured(1), checked.captured(2));
        facts.verificationResult = QStringLiteral("found as written");
    } else if (detail.contains(QLatin1String("not read back"))) {
        facts.verificationMethod = QStringLiteral("none: not read back");
        facts.verificationCoverage = QStringLiteral("0 bytes read back");
        facts.verificationResult = QStringLiteral("not verified");
    }
}

ErasureFacts DriveErasureFacts::make(const Run& run) {
    ErasureFacts facts = ErasureFacts::begin(ErasureFacts::kDrive);
    if (run.started.isValid())
        facts.started = run.started.toUTC();
    else
        facts.started = QDateTime();
    facts.describeDevice(run.device, run.fileSystem, run.label);
    facts.health = DriveHealth::read(run.device);
    facts.passes = run.passes;
    facts.standard = EraserStandard::nameForLevel(run.passes);
    readDetail(facts, run.detail, run.passes);
    if (!run.done && !run.detail.isEmpty())
        facts.errors << run.detail;
    // Going on with an interrupted wipe is its one retry.
    facts.retries = run.resumed ? 1 : 0;
    facts.finish(run.done ? QStringLiteral("Erased")
                          : (run.stopped ? QStringLiteral("Stopped") : QStringLiteral("Failed")));
    return facts;
}
