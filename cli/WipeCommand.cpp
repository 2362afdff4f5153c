#include "cli/WipeCommand.h"

#include "app/Job/WipeFreeSpaceOperation.h"
#include "app/Job/WipeVolumeOperation.h"
#include "app/Main/WipeDisk/DiskUtil.h"
#include "app/SetEraserLevel/EraserStandard.h"
#include "cli/CliBundle.h"
#include "cli/CliInterrupt.h"
#include "cli/CliOperationRunner.h"
#include "cli/CliOptionParser.h"
#include "cli/CliOutput.h"
#include "cli/WipeReportFormatter.h"

#include <cstdio>

namespace {

const char* const kFreeSpaceUsage = QT_TRANSLATE_NOOP(
    "CliUsage",
    "usage: korvane wipe-free-space MOUNTPOINT [--level 1|2|3|7|35] [--yes] [--bundle DIR]\n"
    "Overwrites the free space of the volume mounted at MOUNTPOINT (or named by its device or\n"
    "volume name): it is filled with throw-away files, once per pass, and they are deleted.\n"
    "Files on the volume are not touched. The fill files go in a work folder of the wipe's own\n"
    "at the volume's root (.Korvane, or .Korvane-2... when that name is taken by something else,\n"
    "which is left as it is). A second wipe of the same volume is refused while one runs.\n"
    "Stopped, the wipe removes its files; the free space is then not overwritten to the end.\n"
    "  --level N   passes, by the erasure standard's number (default: the stored level)\n"
    "  --yes       do not ask for confirmation\n"
    "  --bundle D  the KorvaneLoader.app bundle (or KORVANE_BUNDLE)\n"
    "Exit status: 0 when the wipe ended well, 1 when it failed or was refused, 2 for bad usage.\n");

const char* const kWholeVolumeUsage = QT_TRANSLATE_NOOP(
    "CliUsage",
    "usage: korvane wipe-volume DEVICE|MOUNTPOINT [--level 1|2|3|7|35] [--yes] [--bundle DIR]\n"
    "Erases everything on the volume: it is formatted anew (same type and name; NTFS becomes\n"
    "MS-DOS FAT32 \"NEW\"), and its whole free space is then overwritten, once per pass.\n"
    "The start-up volume and the volumes the system needs are refused. Stopped once the volume\n"
    "is formatted, it says so: the volume is then empty, but its free space not overwritten.\n"
    "  --level N   passes, by the erasure standard's number (default: the stored level)\n"
    "  --yes       do not ask for confirmation\n"
    "  --bundle D  the KorvaneLoader.app bundle (or KORVANE_BUNDLE)\n"
    "Exit status: 0 when the wipe ended well, 1 when it failed or was refused, 2 for bad usage.\n");

} // namespace

int WipeCommand::run(const QStringList& args, Mode mode) {
    const bool whole = mode == Mode::WholeVolume;
    const QString verb = whole ? QStringLiteral("wipe-volume") : QStringLiteral("wipe-free-space");
    const char* const usage = whole ? kWholeVolumeUsage : kFreeSpaceUsage;
    CliOptionParser parser(verb);
    parser.flag({QStringLiteral("y"), QStringLiteral("yes")})
        .valued({QStringLiteral("level")}, QStringLiteral("N"))
        .valued({QStringLiteral("bundle")}, QStringLiteral("DIR"));
    if (const std::optional<int> end = parser.parseOrEnd(args, usage, CliInterrupt::kHelp))
        return *end;
    int level = 0;
    if (parser.isSet(QStringLiteral("level"))) {
        const QString value = parser.value(QStringLiteral("level"));
        const std::optional<int> parsed = EraserStandard::parseLevel(value);
        if (!parsed)
            return parser.usageError(EraserStandard::unknownLevelText(value), "");
        level = *parsed;
    }
    const QStringList operands = parser.positional();
    if (operands.size() != 1 || operands.first().isEmpty())
        return parser.usageError(operands.size() > 1 ? tr("one volume at a time") : QString(),
                                 usage);
    const QString target = operands.first();

    QString error;
    if (!CliBundle::use(parser.value(QStringLiteral("bundle")), &error)) {
        CliOutput::error(verb, error);
        return 1;
    }
    const QVariantMap info = DiskUtil::getDisjInfo(target);
    if (info.isEmpty()) {
        CliOutput::error(verb,
                         tr("%1 is not a mounted volume (see `korvane volumes`)").arg(target));
        return 1;
    }
    const VolumeObj volume = VolumeObj::fromDictionary(info);

    CliOperationRunner::Flags flags;
    flags.yes = parser.isSet(QStringLiteral("yes"));
    //: "not wiping without confirmation": German needs the participle ("gelöscht").
    const CliOperationRunner::Words words{tr("wiping"), tr("wipe"), tr("Nothing was done."),
                                          QString()};
    if (whole) {
        // Naming the volume to wipe-volume is asking for it to be unmounted and formatted.
        flags.given.give(DestructiveOperation::Consent::UnmountVolumes);
        WipeVolumeOperation operation(volume, WholeVolumeWipeJob::Options{level, true, QString()});
        const WipeReportFormatter formatter(verb, volume, true, operation.wipeReport(),
                                            &operation.volumeAfter());
        return CliOperationRunner(words, flags, formatter).run(operation);
    }
    WipeFreeSpaceOperation operation(volume,
                                     FreeSpaceWipeJob::Options{level, true, false, QString()});
    const WipeReportFormatter formatter(verb, volume, false, operation.wipeReport(), nullptr);
    return CliOperationRunner(words, flags, formatter).run(operation);
}
