#include "cli/WipeCommand.h"
#include "app/inter/DoDataBase.h"

#include "app/Main/WipeDisk/DiskUtil.h"
#include "app/Main/WipeDisk/FreeSpaceWipeJob.h"
#include "app/Main/WipeDisk/WholeVolumeWipeJob.h"
#include "app/SetEraserLevel/EraserStandard.h"
#include "cli/CliBundle.h"
#include "cli/CliInterrupt.h"
#include "platform/FileSystemInfo.h"

#include <QCoreApplication>
#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

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

const char* g_verb = "wipe-free-space";

void printErr(const QString& text) {
    std::fprintf(stderr, "korvane %s: %s\n", g_verb, text.toLocal8Bit().constData());
}

} // namespace

int WipeCommand::run(const QStringList& args, Mode mode) {
    const bool whole = mode == Mode::WholeVolume;
    g_verb = whole ? "wipe-volume" : "wipe-free-space";
    const char* const kUsage = whole ? kWholeVolumeUsage : kFreeSpaceUsage;
    CliInterrupt::lineBufferedOutput();
    QString target, bundle;
    int level = 0;
    bool yes = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            std::fputs(kUsage, stdout);
            std::fputs(CliInterrupt::kHelp, stdout);
            return 0;
        }
        if (arg == QLatin1String("--yes")) {
            yes = true;
        } else if (arg == QLatin1String("--bundle") && i + 1 < args.size()) {
            bundle = args[++i];
        } else if (arg == QLatin1String("--level") && i + 1 < args.size()) {
            const std::optional<int> parsed = EraserStandard::parseLevel(args[++i]);
            if (!parsed) {
                printErr(EraserStandard::unknownLevelText(args[i]));
                return 2;
            }
            level = *parsed;
        } else if (!arg.startsWith(QLatin1String("--")) && target.isEmpty()) {
            target = arg;
        } else {
            printErr(QStringLiteral("unknown argument '%1'").arg(arg));
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (target.isEmpty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    QString error;
    if (!CliBundle::use(bundle, &error)) {
        printErr(error);
        return 1;
    }
    const QVariantMap info = DiskUtil::getDisjInfo(target);
    if (info.isEmpty()) {
        printErr(QStringLiteral("%1 is not a mounted volume (see `korvane volumes`)").arg(target));
        return 1;
    }
    const VolumeObj volume = VolumeObj::fromDictionary(info);
    if (!whole && FileSystemInfo::isNtfsType(volume.volumeType)) {
        printErr(FreeSpaceWipeJob::kNtfs.arg(volume.volumeName));
        return 1;
    }
    if (whole && WholeVolumeWipeJob::isStartupVolume(volume)) {
        printErr(WholeVolumeWipeJob::kStartupVolume);
        return 1;
    }

    const int passes = FreeSpaceWipeJob::passesFor(level, QString());
    if (whole)
        std::fprintf(stderr,
                     "Erasing everything on %s (%s, %s, %s) with %s (%d %s): it is formatted "
                     "anew, then its free space is overwritten.\n",
                     volume.volumeName.toLocal8Bit().constData(),
                     volume.volumePath.toLocal8Bit().constData(),
                     volume.volumeMountPoint.toLocal8Bit().constData(),
                     volume.volumeTotalSize.toLocal8Bit().constData(),
                     EraserStandard::nameForLevel(passes).toLocal8Bit().constData(), passes,
                     passes > 1 ? "passes" : "pass");
    else
        std::fprintf(stderr, "Erasing the free space of %s (%s, %s free) with %s (%d %s).\n",
                     volume.volumeName.toLocal8Bit().constData(),
                     volume.volumeMountPoint.toLocal8Bit().constData(),
                     volume.volumeFreeSize.toLocal8Bit().constData(),
                     EraserStandard::nameForLevel(passes).toLocal8Bit().constData(), passes,
                     passes > 1 ? "passes" : "pass");
    if (!yes) {
        if (!::isatty(STDIN_FILENO)) {
            printErr(QStringLiteral("not wiping without confirmation: standard input is not a "
                                    "terminal; add --yes to wipe anyway"));
            return 1;
        }
        std::fprintf(stderr, whole ? "Every file on it will be lost. Continue? [y/N] "
                                   : "The volume will be full for a while. Continue? [y/N] ");
        std::string answer;
        if (!std::getline(std::cin, answer) || (answer != "y" && answer != "yes")) {
            std::fprintf(stderr, "Nothing was done.\n");
            return 1;
        }
    }

    FreeSpaceWipeJob freeJob(volume, FreeSpaceWipeJob::Options{level, true, false, QString()});
    WholeVolumeWipeJob wholeJob(volume, WholeVolumeWipeJob::Options{level, true, QString()});
    QObject* job = whole ? static_cast<QObject*>(&wholeJob) : &freeJob;
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    auto onProgress = [terminal](const QString& text, double) {
        std::fprintf(stderr, terminal ? "\r%s\033[K" : "%s\n", text.toLocal8Bit().constData());
        std::fflush(stderr);
    };
    auto onEnd = [] { QCoreApplication::exit(0); };
    if (whole) {
        QObject::connect(&wholeJob, &WholeVolumeWipeJob::progress, job, onProgress);
        QObject::connect(&wholeJob, &WholeVolumeWipeJob::finished, job, onEnd);
    } else {
        QObject::connect(&freeJob, &FreeSpaceWipeJob::progress, job, onProgress);
        QObject::connect(&freeJob, &FreeSpaceWipeJob::finished, job, onEnd);
    }
    // The job stops at its next step (a format under way is let finish) and removes its files.
    CliInterrupt::install([&, whole](int) {
        if (whole)
            wholeJob.cancel();
        else
            freeJob.cancel();
    });
    if (whole)
        wholeJob.start();
    else
        freeJob.start();
    QCoreApplication::exec();
    if (terminal)
        std::fputs("\n", stderr);

    const FreeSpaceWipeJob::Report& report = whole ? wholeJob.report() : freeJob.report();
    const QString name = whole ? wholeJob.volume().volumeName : volume.volumeName;
    if (report.ok)
        std::printf("%s %s: %s\n", whole ? "Erased" : "Erased the free space of",
                    name.toLocal8Bit().constData(), report.successText.toLocal8Bit().constData());
    else
        std::printf("Failed %s: %s\n", name.toLocal8Bit().constData(),
                    report.reason.toLocal8Bit().constData());
    for (const QString& note : report.notes)
        std::printf("  %s\n", note.toLocal8Bit().constData());
    std::fflush(stdout);
    const bool unrecorded = report.historyFailed;
    if (unrecorded)
        std::fprintf(
            stderr, "korvane: the wipe could not be recorded in the history: %s\n",
            DoDataBase::returnDoDataBase()->lastStatus().reason().toLocal8Bit().constData());
    // A signal that came when the wipe had ended anyway changed nothing.
    if (report.cancelled && CliInterrupt::interrupted()) {
        const char* what =
            report.volumeEmptied
                ? "the volume was formatted anew (emptied); its free space was not overwritten."
            : whole
                ? "the volume was not wiped (see above)."
                : "the wipe's files are removed; the free space was not overwritten to the end.";
        std::fprintf(stderr, "Interrupted by %s: %s\n", CliInterrupt::signalName(), what);
        return CliInterrupt::exitStatus();
    }
    return report.ok && !unrecorded ? 0 : 1;
}
