#include "cli/CopyCommand.h"

#include "app/FileCopy/CopyLeftoverSweep.h"
#include "app/FileCopy/DiskCopyJob.h"
#include "app/FileCopy/DiskCopySummary.h"
#include "cli/CliInterrupt.h"

#include <atomic>
#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

namespace {

const char* const kUsage =
    "usage: korvane copy SOURCE... DESTINATION [--verify] [--existing skip|replace|keep-both]\n"
    "       korvane copy --clean DESTINATION\n"
    "Copies files and folders into the folder DESTINATION: links as links, times and\n"
    "permissions kept where the destination can hold them. A file appears under its name only\n"
    "once it is whole; Ctrl-C leaves no partial file, and removes the folders the copy made\n"
    "that are still empty. Partial files a killed copy left where this one writes are removed\n"
    "first; then the free space is checked.\n"
    "  --verify     read every copy back from the device and compare it with the original\n"
    "  --existing   what to do with a file that is already there (asked on a terminal,\n"
    "               else skipped)\n"
    "  --clean      remove every partial file that stopped copies left anywhere under\n"
    "               DESTINATION, and say which; files merely named like them stay\n"
    "Exit status: 0 when everything was copied (and verified), 1 when anything failed or was\n"
    "refused, 2 for bad usage.\n";

std::atomic_bool g_cancel{false};

QString sizeText(double bytes) {
    const char* units[] = {"B", "KB", "MB", "GB", "TB"};
    int unit = 0;
    while (bytes >= 1000 && unit < 4) {
        bytes /= 1000;
        ++unit;
    }
    return QStringLiteral("%1 %2").arg(bytes, 0, 'f', unit == 0 ? 0 : 2).arg(units[unit]);
}

QByteArray local(const QString& text) {
    return text.toLocal8Bit();
}

// korvane copy --clean DESTINATION
int clean(const QString& destination) {
    CopyLeftoverSweep::Result found;
    QString problem;
    if (!CopyLeftoverSweep::sweep(destination, CopyLeftoverSweep::Depth::WholeTree, found,
                                  &problem)) {
        std::fprintf(stderr, "korvane copy: %s: %s\n", local(destination).constData(),
                     local(problem).constData());
        return 1;
    }
    for (const CopyLeftoverSweep::Removed& removed : found.removed)
        std::printf("Removed %s (%s)\n", local(removed.path).constData(),
                    qPrintable(sizeText(removed.bytes)));
    for (const QString& path : found.unmarked)
        std::printf("Left %s: named like a partial file, but not marked as a copy's\n",
                    local(path).constData());
    for (const QString& path : found.inUse)
        std::printf("Left %s: a copy still running is writing it\n", local(path).constData());
    for (const CopyLeftoverSweep::Problem& failed : found.failed)
        std::fprintf(stderr, "Failed %s: %s\n", local(failed.path).constData(),
                     local(failed.reason).constData());
    if (found.removed.isEmpty())
        std::printf("No partial file of a stopped copy was found under %s\n",
                    local(destination).constData());
    else
        std::printf("Removed %lld partial files (%s) that stopped copies had left under %s\n",
                    static_cast<long long>(found.removed.size()),
                    qPrintable(sizeText(found.removedBytes)), local(destination).constData());
    return found.failed.isEmpty() ? 0 : 1;
}

} // namespace

int CopyCommand::run(const QStringList& args) {
    DiskCopyJob::Options options;
    options.verify = false;
    bool existingGiven = false, cleaning = false;
    QStringList paths;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--verify")) {
            options.verify = true;
        } else if (arg == QLatin1String("--clean")) {
            cleaning = true;
        } else if (arg == QLatin1String("--existing") && i + 1 < args.size()) {
            const QString value = args[++i];
            existingGiven = true;
            if (value == QLatin1String("skip"))
                options.existing = DiskCopyJob::Existing::Skip;
            else if (value == QLatin1String("replace"))
                options.existing = DiskCopyJob::Existing::Replace;
            else if (value == QLatin1String("keep-both"))
                options.existing = DiskCopyJob::Existing::KeepBoth;
            else {
                std::fprintf(stderr, "korvane copy: --existing takes skip, replace or keep-both\n");
                return 2;
            }
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            std::fputs(kUsage, stdout);
            std::fputs(CliInterrupt::kHelp, stdout);
            return 0;
        } else if (arg.startsWith(QLatin1String("--"))) {
            std::fprintf(stderr, "korvane copy: unknown option '%s'\n%s", qPrintable(arg), kUsage);
            return 2;
        } else {
            paths << arg;
        }
    }
    if (cleaning) {
        if (paths.size() != 1 || paths[0].isEmpty() || existingGiven || options.verify) {
            std::fprintf(stderr, "korvane copy: --clean takes one destination folder alone\n%s",
                         kUsage);
            return 2;
        }
        return clean(paths[0]);
    }
    if (paths.size() < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const QString destination = paths.takeLast();
    if (!existingGiven && !::isatty(STDIN_FILENO))
        options.existing = DiskCopyJob::Existing::Skip;

    CliInterrupt::lineBufferedOutput();
    DiskCopyJob job(paths, destination, options);
    job.setAskExisting([](const QString& path) {
        std::fprintf(stderr, "\n%s exists: skip, replace or keep both? [s/r/k] ",
                     path.toLocal8Bit().constData());
        std::string answer;
        std::getline(std::cin, answer);
        return answer == "r"   ? DiskCopyJob::Existing::Replace
               : answer == "k" ? DiskCopyJob::Existing::KeepBoth
                               : DiskCopyJob::Existing::Skip;
    });
    const bool terminal = ::isatty(STDERR_FILENO);
    job.setProgressSink([terminal](const DiskCopyJob::Progress& p) {
        if (!terminal)
            return;
        const int percent = p.totalBytes ? int(100 * p.doneBytes / p.totalBytes) : 100;
        std::fprintf(stderr, "\r%3d%%  %s of %s  %s/s  %s left  ", percent,
                     qPrintable(sizeText(p.doneBytes)), qPrintable(sizeText(p.totalBytes)),
                     qPrintable(sizeText(p.bytesPerSecond)),
                     p.secondsLeft < 0 ? "?"
                                       : qPrintable(QStringLiteral("%1 s").arg(p.secondsLeft)));
    });
    // Stopped this way, the job removes its partial files and the empty folders it made.
    CliInterrupt::install({}, &g_cancel);
    const DiskCopyJob::Report report = job.run(g_cancel);
    if (terminal)
        std::fputs("\n", stderr);
    const auto size = [](quint64 bytes) { return sizeText(double(bytes)); };
    const QString cleanedUp = DiskCopySummary::cleanUp(report, size);
    if (!report.refusal.isEmpty()) {
        std::fprintf(stderr, "korvane copy: %s; nothing was copied\n",
                     local(report.refusal).constData());
        if (!cleanedUp.isEmpty())
            std::fprintf(stderr, "%s\n", local(cleanedUp).constData());
        return 1;
    }
    for (const DiskCopyJob::Failure& failure : report.failed)
        std::fprintf(stderr, "Failed %s: %s\n", local(failure.path).constData(),
                     local(failure.reason).constData());
    std::printf("%s\n", local(DiskCopySummary::counts(report, size)).constData());
    if (!cleanedUp.isEmpty())
        std::printf("%s\n", local(cleanedUp).constData());
    for (const QString& path : report.partialsLeft)
        std::fprintf(stderr, "Left %s: this partial file could not be removed\n",
                     local(path).constData());
    if (report.cancelled && CliInterrupt::interrupted()) {
        std::fprintf(stderr,
                     "Interrupted by %s: the files counted above as copied are whole; the others "
                     "were not copied\n",
                     CliInterrupt::signalName());
        return CliInterrupt::exitStatus();
    }
    return report.ok() ? 0 : 1;
}
