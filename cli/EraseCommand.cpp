#include "cli/EraseCommand.h"

#include "app/Main/FileEraser/EraseJob.h"
#include "app/Main/FileEraser/ErasePathCheck.h"
#include "app/Main/FileEraser/SrmTool.h"
#include "app/SetEraserLevel/EraserStandard.h"
#include "app/inter/DoDataBase.h"
#include "cli/CliBundle.h"
#include "cli/CliInterrupt.h"
#include "cli/CliPrompt.h"
#include "cli/EraseProgressPrinter.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

namespace {

const char* const kUsage =
    "usage: korvane erase [--level 1|2|3|7|35] [--yes] [--force] [--bundle DIR] PATH...\n"
    "Overwrites and removes each PATH; folders with everything inside them.\n"
    "  --level N   erasure standard by its number of passes (default: the stored level)\n"
    "  --yes       do not ask for confirmation\n"
    "  --force     also erase a home folder, a folder the system needs or a mount point\n"
    "  --bundle D  the KorvaneLoader.app bundle holding the srm tool (or KORVANE_BUNDLE)\n"
    "Symbolic links are removed as links; what they point to is left alone. Mounts inside a\n"
    "folder (bind mounts too) are never entered. A file with other hard links is left whole.\n"
    "Overwriting cannot reach copies the file system or the device keeps elsewhere\n"
    "(copy-on-write volumes, journals, snapshots, remapped sectors of solid-state disks).\n"
    "Exit status: 0 when every path was erased and recorded in the history, 1 when anything\n"
    "failed or was refused, or the erasure could not be recorded (history locked or damaged),\n"
    "2 for bad usage.\n";

void printErr(const QString& text) {
    std::fprintf(stderr, "korvane erase: %s\n", text.toLocal8Bit().constData());
}

QString passes(int level) {
    return level == 1 ? QStringLiteral("1 pass") : QStringLiteral("%1 passes").arg(level);
}

// The word a result line starts with.
const char* outcomeWord(EraseReport::Outcome outcome) {
    switch (outcome) {
    case EraseReport::Outcome::Erased:
        return "Erased";
    case EraseReport::Outcome::Stopped:
        return "Stopped";
    case EraseReport::Outcome::NotReached:
        return "Not reached";
    case EraseReport::Outcome::Failed:
        break;
    }
    return "Failed";
}

// "12 files erased, 1 stopped after pass 1 of 3 (removed), 40 not reached": plain integers,
// so that a script can read them.
QString fileCounts(const EraseReport::FileCounts& files) {
    QStringList parts{files.erased == 1 ? QStringLiteral("1 file erased")
                                        : QStringLiteral("%1 files erased").arg(files.erased)};
    if (files.failed > 0)
        parts << QStringLiteral("%1 failed").arg(files.failed);
    if (files.stopped > 0)
        parts << QStringLiteral("%1 stopped after pass %2 of %3 (removed)")
                     .arg(files.stopped)
                     .arg(files.stoppedAfterPass)
                     .arg(files.stoppedPassesPlanned);
    parts << QStringLiteral("%1 not reached").arg(files.notReached);
    return parts.join(QStringLiteral(", "));
}

} // namespace

QString EraseCommand::printable(const QString& path) {
    QString out;
    out.reserve(path.size());
    for (const QChar c : path) {
        if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c.category() == QChar::Other_Control)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

EraseCommand::Options EraseCommand::parse(const QStringList& args) {
    QList<QByteArray> raw;
    for (const QString& arg : args)
        raw.append(QFile::encodeName(arg));
    return parse(raw);
}

EraseCommand::Options EraseCommand::parse(const QList<QByteArray>& args) {
    Options options;
    bool onlyPaths = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QByteArray& arg = args.at(i);
        // An empty argument is a path (the check refuses it), never an option.
        if (onlyPaths || !arg.startsWith('-') || arg == "-") {
            options.paths.append(arg);
        } else if (arg == "--") {
            onlyPaths = true;
        } else if (arg == "--yes" || arg == "-y") {
            options.yes = true;
        } else if (arg == "--force") {
            options.force = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--level" || arg == "--bundle") {
            if (i + 1 >= args.size()) {
                options.error = QStringLiteral("%1 needs a value").arg(QString::fromUtf8(arg));
                return options;
            }
            const QByteArray value = args.at(++i);
            if (arg == "--bundle") {
                options.bundle = QFile::decodeName(value);
                continue;
            }
            const std::optional<int> level = EraserStandard::parseLevel(QString::fromUtf8(value));
            if (!level) {
                options.error = EraserStandard::unknownLevelText(QString::fromUtf8(value));
                return options;
            }
            options.level = *level;
        } else {
            options.error = QStringLiteral("unknown option '%1'").arg(QString::fromUtf8(arg));
            return options;
        }
    }
    if (options.paths.isEmpty() && !options.help)
        options.error = QStringLiteral("no path given");
    return options;
}

int EraseCommand::run(const QList<QByteArray>& args) {
    const Options options = parse(args);
    CliInterrupt::lineBufferedOutput();
    if (options.help) {
        std::fputs(kUsage, stdout);
        std::fputs(CliInterrupt::kHelp, stdout);
        return 0;
    }
    if (!options.error.isEmpty()) {
        printErr(options.error);
        std::fputs(kUsage, stderr);
        return 2;
    }
    QString error;
    if (!CliBundle::use(options.bundle, &error)) {
        printErr(error);
        return 1;
    }
    QString problem;
    if (SrmTool::locate(&problem).isEmpty()) {
        printErr(problem + QStringLiteral("; nothing was erased"));
        return 1;
    }

    EraseJob::Options jobOptions;
    jobOptions.level = options.level;
    jobOptions.consented = options.force;
    EraseJob job(jobOptions);

    // Every path is checked before anything is erased; one refusal erases nothing.
    ErasePathCheck check;
    QList<FileObjPtr> chosen;
    QStringList copyOnWrite;
    QStringList consented;
    bool refused = false;
    for (const QByteArray& path : options.paths) {
        const ErasePathCheck::Result result = check.check(path);
        if (result.verdict == ErasePathCheck::Verdict::Refuse ||
            (result.verdict == ErasePathCheck::Verdict::NeedsConsent && !options.force)) {
            QString text = ErasePathCheck::message(result);
            if (result.verdict == ErasePathCheck::Verdict::NeedsConsent)
                text += QStringLiteral("; add --force to erase it anyway");
            printErr(printable(text));
            refused = true;
            continue;
        }
        if (result.verdict == ErasePathCheck::Verdict::NeedsConsent)
            consented << printable(ErasePathCheck::message(result));
        bool listed = false;
        for (const FileObjPtr& item : chosen)
            listed = listed || item->nativeUrl == result.absolute;
        if (listed)
            continue;
        if (FileObjPtr item = job.builder().addFileToArr(result.absolute)) {
            chosen.append(item);
            if (item->onCopyOnWrite)
                copyOnWrite << printable(item->url);
        }
    }
    if (refused) {
        std::fprintf(stderr, "Nothing was erased.\n");
        return 1;
    }

    // Said every time, so a level stored in the window never surprises.
    const int level = job.level();
    std::fprintf(stderr, "Erasing with %s (%s)",
                 EraserStandard::nameForLevel(level).toUtf8().constData(),
                 passes(level).toUtf8().constData());
    bool anySolid = false;
    for (const FileObjPtr& item : chosen)
        anySolid = anySolid || item->isSSD;
    if (anySolid && level > 1)
        std::fputs("; files on solid-state storage get 1 pass", stderr);
    std::fputs(".\n", stderr);
    for (const QString& line : consented)
        std::fprintf(stderr, "Warning: %s.\n", line.toLocal8Bit().constData());
    if (!copyOnWrite.isEmpty())
        std::fprintf(stderr, "Warning: %s\n",
                     EraseReport::copyOnWriteWarning(copyOnWrite).toLocal8Bit().constData());

    if (!options.yes) {
        if (!::isatty(STDIN_FILENO)) {
            printErr(QStringLiteral("not erasing without confirmation: standard input is not a "
                                    "terminal; add --yes to erase anyway"));
            return 1;
        }
        std::fprintf(stderr, "About to erase:\n");
        for (const FileObjPtr& item : chosen)
            std::fprintf(stderr, "  %s%s\n", printable(item->url).toLocal8Bit().constData(),
                         item->isDir ? "/ (and everything inside)" : "");
        if (!CliPrompt::askYes("This cannot be undone. Erase?")) {
            std::fprintf(stderr, "Nothing was erased.\n");
            return 1;
        }
    }

    EraseProgressPrinter printer(::isatty(STDERR_FILENO) == 1);
    job.setListener(&printer);
    // Ctrl-C and termination cancel the run (the running overwrite is stopped) instead of
    // killing the program half-way.
    CliInterrupt::install([&job, &printer](int) {
        if (!job.isRunning())
            return;
        printer.cancelled();
        job.cancel();
    });
    printer.onEnd([] { QCoreApplication::exit(0); });
    job.start(chosen);
    QCoreApplication::exec();

    const EraseReport& report = job.report();
    for (const EraseReport::Line& line : report.lines) {
        const bool erased = line.outcome == EraseReport::Outcome::Erased;
        std::printf("%s %s\n", outcomeWord(line.outcome),
                    printable(line.item->url).toLocal8Bit().constData());
        // A folder the cancel left partly done says what of it went.
        if (line.item->isDir &&
            (line.outcome == EraseReport::Outcome::Stopped ||
             (line.outcome == EraseReport::Outcome::Failed && line.files.notReached > 0)))
            std::printf("  %s\n", fileCounts(line.files).toUtf8().constData());
        if (erased && line.copyOnWrite) {
            const QString mountPoint = EraseReport::volumeOf(line);
            std::printf("  earlier copies may remain on this copy-on-write volume; wipe its free "
                        "space too: korvane wipe-free-space '%s'\n",
                        printable(mountPoint).toLocal8Bit().constData());
        } else if (erased && line.namesInJournal)
            std::printf("  %s (emptying it needs administrator rights)\n",
                        EraseReport::kJournalCaveat.toLocal8Bit().constData());
        for (const EraseReport::Problem& p : line.problems)
            std::printf("  %s: %s\n", printable(p.path).toLocal8Bit().constData(),
                        printable(EraseReport::reasonText(p)).toLocal8Bit().constData());
    }
    std::fflush(stdout);
    // An erasure the history does not hold is not done as far as an audit goes.
    const bool unrecorded = !report.historyRecorded && !report.lines.isEmpty();
    if (unrecorded)
        printErr(QStringLiteral("the erasure could not be recorded in the history: %1")
                     .arg(DoDataBase::returnDoDataBase()->lastStatus().reason()));
    // A signal that came when the erasure had ended anyway changed nothing.
    if (report.cancelled && CliInterrupt::interrupted()) {
        std::fprintf(stderr,
                     "Interrupted by %s: %s; %d of %lld paths erased, what is left of the others "
                     "is listed above.\n",
                     CliInterrupt::signalName(),
                     fileCounts(report.fileCounts()).toUtf8().constData(), report.erasedCount(),
                     qlonglong(report.lines.size()));
        return CliInterrupt::exitStatus();
    }
    return report.allErased() && !unrecorded ? 0 : 1;
}
