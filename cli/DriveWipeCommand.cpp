#include "cli/DriveWipeCommand.h"

#include "app/Job/WipeDriveOperation.h"
#include "app/SetEraserLevel/EraserStandard.h"
#include "cli/CliBundle.h"
#include "cli/CliInterrupt.h"
#include "cli/CliOperationRunner.h"
#include "cli/CliOptionParser.h"
#include "cli/CliOutput.h"
#include "cli/CliReportFormatter.h"

namespace {

const char* const kUsage = QT_TRANSLATE_NOOP(
    "CliUsage",
    "usage: korvane wipe-drive DEVICE... [--level 1|2|3|7|35] [--verify last|all|sample:P|none]\n"
    "                          [--method overwrite|sanitize|auto] [--unmount] [--resume]\n"
    "                          [--yes] [--bundle DIR]\n"
    "Overwrites every byte of each whole drive or partition (a device node, see `korvane\n"
    "disks`) with the passes of the erasure standard, then reads back what the last pass wrote:\n"
    "the partition table, every partition and what lies between them are gone. Several drives\n"
    "are wiped at once; one failing does not stop the others. The drives the system needs are\n"
    "refused. A wipe that was interrupted (stopped, killed, a power loss) can go on from where\n"
    "it was with --resume.\n"
    "  --level N     passes, by the erasure standard's number (default: the stored level)\n"
    "  --verify V    read back: the whole last pass (last, the default), every pass (all),\n"
    "                PERCENT of the last pass spread over the drive (sample:PERCENT), or none\n"
    "  --method M    how: overwrite (a Clear: the passes of the erasure standard), sanitize\n"
    "                (a Purge: the drive's own firmware erase, NVMe, ATA or SCSI sanitize, NVMe\n"
    "                format or secure discard; refused when the drive offers none or is frozen)\n"
    "                or auto (the default: sanitize for a solid-state drive that offers it,\n"
    "                crypto erase first; overwrite otherwise). A sanitize is checked by reading\n"
    "                back blocks spread over the drive: each must have changed.\n"
    "  --unmount     unmount the volumes mounted on the drives (they are named first)\n"
    "  --resume      go on with each drive's interrupted wipe, with its level and reading back\n"
    "  --yes         do not ask for confirmation\n"
    "  --bundle D    the KorvaneLoader.app bundle (or KORVANE_BUNDLE)\n"
    "Overwriting a solid-state drive cannot reach the blocks it keeps aside, nor can it reach\n"
    "an area hidden past a drive's visible end (host protected area, configuration overlay);\n"
    "a firmware sanitize reaches both. The plan says which applies to each drive.\n"
    "Exit status: 0 when the drive was overwritten and read back as asked, 1 when it failed or\n"
    "was refused, 2 for bad usage.\n");

} // namespace

int DriveWipeCommand::run(const QStringList& args) {
    const QString verb = QStringLiteral("wipe-drive");
    CliOptionParser parser(verb);
    parser.flag({QStringLiteral("y"), QStringLiteral("yes")})
        .flag({QStringLiteral("unmount")})
        .flag({QStringLiteral("resume")})
        .valued({QStringLiteral("level")}, QStringLiteral("N"))
        .valued({QStringLiteral("verify")}, QStringLiteral("V"))
        .valued({QStringLiteral("method")}, QStringLiteral("M"))
        .valued({QStringLiteral("bundle")}, QStringLiteral("DIR"));
    if (const std::optional<int> end = parser.parseOrEnd(args, kUsage, CliInterrupt::kHelp))
        return *end;
    WipeDriveOperation::Options options;
    if (parser.isSet(QStringLiteral("level"))) {
        const QString value = parser.value(QStringLiteral("level"));
        const std::optional<int> level = EraserStandard::parseLevel(value);
        if (!level)
            return parser.usageError(EraserStandard::unknownLevelText(value), "");
        options.level = *level;
    }
    if (parser.isSet(QStringLiteral("verify"))) {
        options.verify = parser.value(QStringLiteral("verify"));
        if (!WipeDriveOperation::knownVerify(options.verify))
            return parser.usageError(tr("--verify takes last, all, sample:PERCENT or none"), "");
    }
    if (parser.isSet(QStringLiteral("method"))) {
        options.method = parser.value(QStringLiteral("method"));
        if (!WipeDriveOperation::knownMethod(options.method))
            return parser.usageError(tr("--method takes overwrite, sanitize or auto"), "");
    }
    options.resume = parser.isSet(QStringLiteral("resume"));
    if (options.resume &&
        (parser.isSet(QStringLiteral("level")) || parser.isSet(QStringLiteral("verify")) ||
         parser.isSet(QStringLiteral("method"))))
        return parser.usageError(
            tr("--resume goes on with the overwrite, level and reading back the wipe began with; "
               "leave out --level, --verify and --method"),
            "");
    const QStringList operands = parser.positional();
    if (operands.isEmpty() || operands.contains(QString()))
        return parser.usageError(kUsage);
    QString error;
    if (!CliBundle::use(parser.value(QStringLiteral("bundle")), &error)) {
        CliOutput::error(verb, error);
        return 1;
    }
    CliOperationRunner::Flags flags;
    flags.yes = parser.isSet(QStringLiteral("yes"));
    flags.optIn = QStringLiteral("--unmount");
    flags.optInDoes = tr("unmount it and wipe the drive");
    if (parser.isSet(QStringLiteral("unmount")))
        flags.given.give(DestructiveOperation::Consent::UnmountVolumes);
    //: "not wiping without confirmation": German needs the participle ("gelöscht").
    const CliOperationRunner::Words words{tr("wiping"), tr("wipe"), tr("Nothing was written."),
                                          tr("Stopping after the chunk under way…")};
    WipeDriveOperation operation(operands, options);
    const CliReportFormatter formatter(verb);
    return CliOperationRunner(words, flags, formatter).run(operation);
}
