#include "cli/CopyCommand.h"

#include "app/FileCopy/DiskCopyJob.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

namespace {

const char* const kUsage =
    "usage: korvane copy SOURCE... DESTINATION [--verify] [--existing skip|replace|keep-both]\n"
    "Copies files and folders into the folder DESTINATION: links as links, times and\n"
    "permissions kept where the destination can hold them. A file appears under its name only\n"
    "once it is whole; Ctrl-C leaves no partial file. The free space is checked first.\n"
    "  --verify     read every copy back from the device and compare it with the original\n"
    "  --existing   what to do with a file that is already there (asked on a terminal,\n"
    "               else skipped)\n";

std::atomic_bool g_cancel{false};

void stop(int) {
    g_cancel = true;
}

QString sizeText(double bytes) {
    const char* units[] = {"B", "KB", "MB", "GB", "TB"};
    int unit = 0;
    while (bytes >= 1000 && unit < 4) {
        bytes /= 1000;
        ++unit;
    }
    return QStringLiteral("%1 %2").arg(bytes, 0, 'f', unit == 0 ? 0 : 2).arg(units[unit]);
}

} // namespace

int CopyCommand::run(const QStringList& args) {
    DiskCopyJob::Options options;
    options.verify = false;
    bool existingGiven = false;
    QStringList paths;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--verify")) {
            options.verify = true;
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
            return 0;
        } else if (arg.startsWith(QLatin1String("--"))) {
            std::fprintf(stderr, "korvane copy: unknown option '%s'\n%s", qPrintable(arg), kUsage);
            return 2;
        } else {
            paths << arg;
        }
    }
    if (paths.size() < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const QString destination = paths.takeLast();
    if (!existingGiven && !::isatty(STDIN_FILENO))
        options.existing = DiskCopyJob::Existing::Skip;

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
    std::signal(SIGINT, stop);
    std::signal(SIGTERM, stop);
    const DiskCopyJob::Report report = job.run(g_cancel);
    if (terminal)
        std::fputs("\n", stderr);
    if (!report.refusal.isEmpty()) {
        std::fprintf(stderr, "korvane copy: %s; nothing was copied\n",
                     report.refusal.toLocal8Bit().constData());
        return 1;
    }
    for (const DiskCopyJob::Failure& failure : report.failed)
        std::fprintf(stderr, "Failed %s: %s\n", failure.path.toLocal8Bit().constData(),
                     failure.reason.toLocal8Bit().constData());
    std::printf(
        "%lld copied (%s)%s, %lld skipped, %lld failed%s\n",
        static_cast<long long>(report.copied.size()), qPrintable(sizeText(report.copiedBytes)),
        options.verify ? ", verified" : "", static_cast<long long>(report.skipped.size()),
        static_cast<long long>(report.failed.size()), report.cancelled ? "; cancelled" : "");
    return report.ok() ? 0 : 1;
}
