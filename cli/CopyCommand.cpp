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

const char* const kUsage = QT_TRANSLATE_NOOP(
    "CliUsage",
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
    "refused, 2 for bad usage.\n");

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
    const auto out = [](std::FILE* stream, const QString& text) {
        std::fprintf(stream, "%s\n", local(text).constData());
    };
    for (const CopyLeftoverSweep::Removed& removed : found.removed)
        out(stdout, CopyCommand::tr("Removed %1 (%2)").arg(removed.path, sizeText(removed.bytes)));
    for (const QString& path : found.unmarked)
        out(stdout,
            CopyCommand::tr("Left %1: named like a partial file, but not marked as a copy's")
                .arg(path));
    for (const QString& path : found.inUse)
        out(stdout, CopyCommand::tr("Left %1: a copy still running is writing it").arg(path));
    for (const CopyLeftoverSweep::Problem& failed : found.failed)
        out(stderr, CopyCommand::tr("Failed %1: %2").arg(failed.path, failed.reason));
    if (found.removed.isEmpty())
        out(stdout, CopyCommand::tr("No partial file of a stopped copy was found under %1")
                        .arg(destination));
    else
        //: %1 is the size, %2 the folder.
        out(stdout, CopyCommand::tr("Removed %n partial file(s) (%1) that stopped copies had left "
                                    "under %2",
                                    nullptr, int(found.removed.size()))
                        .arg(sizeText(found.removedBytes), destination));
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
            return parser.usageError(tr("--existing takes skip, replace or keep-both"), "");
    }
    QStringList paths = parser.positional();
    if (parser.isSet(QStringLiteral("clean"))) {
        if (paths.size() != 1 || paths[0].isEmpty() || existingGiven || options.verify)
            return parser.usageError(tr("--clean takes one destination folder alone"), kUsage);
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
        //: The letters in brackets are the answers (the same as the next message's).
        const QString answer = CliPrompt::askLine(
            QLatin1Char('\n') + tr("%1 exists: skip, replace or keep both? [s/r/k]").arg(path) +
            QLatin1Char(' '));
        // The English letters always count; the language's own too.
        //: The letters for replace and keep both, in that order, as in the question.
        const QString letters = tr("rk");
        const QString typed = answer.trimmed().toLower();
        const DiskCopyJob::Existing choice =
            typed == QLatin1String("r") || (!typed.isEmpty() && typed == letters.left(1))
                ? DiskCopyJob::Existing::Replace
            : typed == QLatin1String("k") || (!typed.isEmpty() && typed == letters.mid(1, 1))
                ? DiskCopyJob::Existing::KeepBoth
                : DiskCopyJob::Existing::Skip;
        std::fprintf(stderr, "%s\n",
                     local(choice == DiskCopyJob::Existing::Replace ? tr("Answer taken as replace.")
                           : choice == DiskCopyJob::Existing::KeepBoth
                               ? tr("Answer taken as keep both.")
                               : tr("Answer taken as skip."))
                         .constData());
        return choice;
    });
    const CopyReportFormatter formatter(operation);
    CliOperationRunner::Flags flags;
    flags.yes = parser.isSet(QStringLiteral("yes"));
    // Stopped, the job removes its partial files and the empty folders it made.
    //: "not replacing without confirmation": German needs the participle ("ersetzt").
    return CliOperationRunner(
               {tr("replacing"), tr("replace"), tr("Nothing was copied."), QString()}, flags,
               formatter)
        .run(operation);
}
