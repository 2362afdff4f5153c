#include "cli/WipeCommand.h"

#include "app/Job/WipeFreeSpaceOperation.h"
#include "app/Job/WipeVolumeOperation.h"
#include "app/Main/WipeDisk/DiskUtil.h"
#include "app/SetEraserLevel/EraserStandard.h"
#include "app/inter/DoDataBase.h"
#include "cli/CliBundle.h"
#include "cli/CliInterrupt.h"
#include "cli/CliOperationRunner.h"
#include "cli/CliOptionParser.h"
#include "cli/CliOutput.h"

#include <cstdio>

namespace {

const char* const kFreeSpaceUsage =
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
    "Exit status: 0 when the wipe ended well, 1 when it failed or was refused, 2 for bad usage.\n";

const char* const kWholeVolumeUsage =
    "usage: korvane wipe-volume DEVICE|MOUNTPOINT [--level 1|2|3|7|35] [--yes] [--bundle DIR]\n"
    "Erases everything on the volume: it is formatted anew (same type and name; NTFS becomes\n"
    "MS-DOS FAT32 \"NEW\"), and its whole free space is then overwritten, once per pass.\n"
    "The start-up volume and the volumes the system needs are refused. Stopped once the volume\n"
    "is formatted, it says so: the volume is then empty, but its free space not overwritten.\n"
    "  --level N   passes, by the erasure standard's number (default: the stored level)\n"
    "  --yes       do not ask for confirmation\n"
    "  --bundle D  the KorvaneLoader.app bundle (or KORVANE_BUNDLE)\n"
    "Exit status: 0 when the wipe ended well, 1 when it failed or was refused, 2 for bad usage.\n";

QByteArray local(const QString& text) {
    return CliOutput::local(text);
}

// The wipes' own lines: what is wiped and how before the question, one result line naming the
// volume after it, and what a stop left.
class WipeFormatter : public CliReportFormatter {
public:
    WipeFormatter(const QString& verb, const VolumeObj& volume, bool whole,
                  const FreeSpaceWipeJob::Report& wipe, const VolumeObj* after)
        : CliReportFormatter(verb), m_volume(volume), m_whole(whole), m_wipe(wipe), m_after(after) {
    }

    void describe(const Plan& plan) const override {
        const int passes = plan.level;
        if (m_whole)
            std::fprintf(stderr,
                         "Erasing everything on %s (%s, %s, %s) with %s (%d %s): it is formatted "
                         "anew, then its free space is overwritten.\n",
                         local(m_volume.volumeName).constData(),
                         local(m_volume.volumePath).constData(),
                         local(m_volume.volumeMountPoint).constData(),
                         local(m_volume.volumeTotalSize).constData(),
                         local(plan.standard).constData(), passes, passes > 1 ? "passes" : "pass");
        else
            std::fprintf(stderr, "Erasing the free space of %s (%s, %s free) with %s (%d %s).\n",
                         local(m_volume.volumeName).constData(),
                         local(m_volume.volumeMountPoint).constData(),
                         local(m_volume.volumeFreeSize).constData(),
                         local(plan.standard).constData(), passes, passes > 1 ? "passes" : "pass");
    }
    QString question(const Plan&) const override {
        return m_whole ? QStringLiteral("Every file on it will be lost. Continue?")
                       : QStringLiteral("The volume will be full for a while. Continue?");
    }

    void printReport(const Report& report) const override {
        const QString name = m_whole && m_after ? m_after->volumeName : m_volume.volumeName;
        if (m_wipe.ok)
            std::printf("%s %s: %s\n", m_whole ? "Erased" : "Erased the free space of",
                        local(name).constData(), local(m_wipe.successText).constData());
        else
            std::printf("Failed %s: %s\n", local(name).constData(),
                        local(m_wipe.reason).constData());
        for (const QString& note : m_wipe.notes)
            std::printf("  %s\n", local(note).constData());
        std::fflush(stdout);
        if (report.historyDue && !report.historyRecorded && m_wipe.historyFailed)
            CliOutput::error(verb(),
                             QStringLiteral("the wipe could not be recorded in the history: %1")
                                 .arg(DoDataBase::returnDoDataBase()->lastStatus().reason()));
    }

    QString interruptedText(const Report&) const override {
        if (m_wipe.volumeEmptied)
            return QStringLiteral(
                "the volume was formatted anew (emptied); its free space was not overwritten.");
        if (m_whole)
            return QStringLiteral("the volume was not wiped (see above).");
        return QStringLiteral(
            "the wipe's files are removed; the free space was not overwritten to the end.");
    }

private:
    const VolumeObj& m_volume;
    bool m_whole;
    const FreeSpaceWipeJob::Report& m_wipe;
    const VolumeObj* m_after;
};

} // namespace

int WipeCommand::run(const QStringList& args, Mode mode) {
    const bool whole = mode == Mode::WholeVolume;
    const QString verb = whole ? QStringLiteral("wipe-volume") : QStringLiteral("wipe-free-space");
    const char* const usage = whole ? kWholeVolumeUsage : kFreeSpaceUsage;
    CliOptionParser parser(verb);
    parser.flag({QStringLiteral("y"), QStringLiteral("yes")})
        .valued({QStringLiteral("level")}, QStringLiteral("N"))
        .valued({QStringLiteral("bundle")}, QStringLiteral("DIR"));
    if (!parser.parse(args))
        return parser.usageError(usage);
    if (parser.helpAsked()) {
        std::fputs(usage, stdout);
        std::fputs(CliInterrupt::kHelp, stdout);
        return 0;
    }
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
        return parser.usageError(
            operands.size() > 1 ? QStringLiteral("one volume at a time") : QString(), usage);
    const QString target = operands.first();

    QString error;
    if (!CliBundle::use(parser.value(QStringLiteral("bundle")), &error)) {
        CliOutput::error(verb, error);
        return 1;
    }
    const QVariantMap info = DiskUtil::getDisjInfo(target);
    if (info.isEmpty()) {
        CliOutput::error(
            verb, QStringLiteral("%1 is not a mounted volume (see `korvane volumes`)").arg(target));
        return 1;
    }
    const VolumeObj volume = VolumeObj::fromDictionary(info);

    CliOperationRunner::Flags flags;
    flags.yes = parser.isSet(QStringLiteral("yes"));
    const CliOperationRunner::Words words{QStringLiteral("wiping"), QStringLiteral("wipe"),
                                          QStringLiteral("Nothing was done."), QString()};
    if (whole) {
        // Naming the volume to wipe-volume is asking for it to be unmounted and formatted.
        flags.given.give(DestructiveOperation::Consent::UnmountVolumes);
        WipeVolumeOperation operation(volume, WholeVolumeWipeJob::Options{level, true, QString()});
        const WipeFormatter formatter(verb, volume, true, operation.wipeReport(),
                                      &operation.volumeAfter());
        return CliOperationRunner(words, flags, formatter).run(operation);
    }
    WipeFreeSpaceOperation operation(volume,
                                     FreeSpaceWipeJob::Options{level, true, false, QString()});
    const WipeFormatter formatter(verb, volume, false, operation.wipeReport(), nullptr);
    return CliOperationRunner(words, flags, formatter).run(operation);
}
