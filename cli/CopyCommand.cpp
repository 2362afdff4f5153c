#include "cli/CopyCommand.h"

#include "app/FileCopy/CopyLeftoverSweep.h"
#include "app/FileCopy/DiskCopyJob.h"
#include "app/Job/CopyFilesOperation.h"
#include "cli/CliInterrupt.h"
#include "cli/CliOperationRunner.h"
#include "cli/CliOptionParser.h"
#include "cli/CliOutput.h"
#include "cli/CliPrompt.h"
#include "cli/CopyReportFormatter.h"

#include <cstdio>

namespace {

const char* const kUsage =
    "usage: korvane copy SOURCE... DESTINATION [--verify] [--existing skip|replace|keep-both]\n"
    "                    [--yes]\n"
    "       korvane copy --clean DESTINATION\n"
    "Copies files and folders into the folder DESTINATION: links as links, times and\n"
    "permissions kept where the destination can hold them. A file appears under its name only\n"
    "once it is whole; Ctrl-C leaves no partial file, and removes the folders the copy made\n"
    "that are still empty. Partial files a killed copy left where this one writes are removed\n"
    "first; then the free space is checked.\n"
    "  --verify     read every copy back from the device and compare it with the original\n"
    "  --existing   what to do with a file that is already there (asked on a terminal,\n"
    "               else skipped); replace asks first\n"
    "  --yes        do not ask before replacing\n"
    "  --clean      remove every partial file that stopped copies left anywhere under\n"
    "               DESTINATION, and say which; files merely named like them stay\n"
    "Exit status: 0 when everything was copied (and verified), 1 when anything failed or was\n"
    "refused, 2 for bad usage.\n";

QByteArray local(const QString& text) {
    return CliOutput::local(text);
}

QString sizeText(quint64 bytes) {
    return CopyReportFormatter::sizeText(bytes);
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
    CliOptionParser parser(QStringLiteral("copy"));
    parser.flag({QStringLiteral("verify")})
        .flag({QStringLiteral("clean")})
        .flag({QStringLiteral("y"), QStringLiteral("yes")})
        .valued({QStringLiteral("existing")}, QStringLiteral("WHAT"));
    if (const std::optional<int> end = parser.parseOrEnd(args, kUsage, CliInterrupt::kHelp))
        return *end;
    DiskCopyJob::Options options;
    options.verify = parser.isSet(QStringLiteral("verify"));
    const bool existingGiven = parser.isSet(QStringLiteral("existing"));
    if (existingGiven) {
        const QString value = parser.value(QStringLiteral("existing"));
        if (value == QLatin1String("skip"))
            options.existing = DiskCopyJob::Existing::Skip;
        else if (value == QLatin1String("replace"))
            options.existing = DiskCopyJob::Existing::Replace;
        else if (value == QLatin1String("keep-both"))
            options.existing = DiskCopyJob::Existing::KeepBoth;
        else
            return parser.usageError(QStringLiteral("--existing takes skip, replace or keep-both"),
                                     "");
    }
    QStringList paths = parser.positional();
    if (parser.isSet(QStringLiteral("clean"))) {
        if (paths.size() != 1 || paths[0].isEmpty() || existingGiven || options.verify)
            return parser.usageError(QStringLiteral("--clean takes one destination folder alone"),
                                     kUsage);
        return clean(paths[0]);
    }
    if (paths.size() < 2)
        return parser.usageError(QString(), kUsage);
    const QString destination = paths.takeLast();
    // Asked file by file on a terminal; without one, and without --existing, kept as it was.
    if (!existingGiven && !CliPrompt::inputIsTerminal())
        options.existing = DiskCopyJob::Existing::Skip;

    CopyFilesOperation operation(paths, destination, options);
    operation.setAskExisting([](const QString& path) {
        const QString answer = CliPrompt::askLine(
            QStringLiteral("\n%1 exists: skip, replace or keep both? [s/r/k] ").arg(path));
        return answer == QLatin1String("r")   ? DiskCopyJob::Existing::Replace
               : answer == QLatin1String("k") ? DiskCopyJob::Existing::KeepBoth
                                              : DiskCopyJob::Existing::Skip;
    });
    const CopyReportFormatter formatter(operation);
    CliOperationRunner::Flags flags;
    flags.yes = parser.isSet(QStringLiteral("yes"));
    // Stopped, the job removes its partial files and the empty folders it made.
    return CliOperationRunner({QStringLiteral("replacing"), QStringLiteral("replace"),
                               QStringLiteral("Nothing was copied."), QString()},
                              flags, formatter)
        .run(operation);
}
