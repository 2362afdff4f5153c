#include "cli/EraseCommand.h"

#include "app/Job/EraseFilesOperation.h"
#include "app/Main/FileEraser/SrmTool.h"
#include "app/SetEraserLevel/EraserStandard.h"
#include "app/inter/DoDataBase.h"
#include "cli/CliBundle.h"
#include "cli/CliInterrupt.h"
#include "cli/CliOperationRunner.h"
#include "cli/CliOptionParser.h"
#include "cli/CliOutput.h"

#include <QFile>
#include <cstdio>

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

QByteArray shown(const QString& text) {
    return CliOutput::local(CliOutput::printable(text));
}

const char* eraseOutcomeWord(EraseReport::Outcome outcome) {
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

// The erasure's own lines: one per chosen path, the reasons and caveats below it, read from the
// erasure job's report that the operation keeps.
class EraseFormatter : public CliReportFormatter {
public:
    explicit EraseFormatter(const EraseFilesOperation& operation)
        : CliReportFormatter(QStringLiteral("erase")), m_operation(operation) {}

    void listItems(const Plan&) const override {
        std::fputs("About to erase:\n", stderr);
        for (const FileObjPtr& item : m_operation.chosen())
            std::fprintf(stderr, "  %s%s\n", shown(item->url).constData(),
                         item->isDir ? "/ (and everything inside)" : "");
    }
    QString question(const Plan&) const override {
        return QStringLiteral("This cannot be undone. Erase?");
    }

    void printReport(const Report& report) const override {
        const EraseReport& erased = m_operation.eraseReport();
        for (const EraseReport::Line& line : erased.lines) {
            const bool done = line.outcome == EraseReport::Outcome::Erased;
            std::printf("%s %s\n", eraseOutcomeWord(line.outcome),
                        shown(line.item->url).constData());
            // A folder the cancel left partly done says what of it went.
            if (line.item->isDir &&
                (line.outcome == EraseReport::Outcome::Stopped ||
                 (line.outcome == EraseReport::Outcome::Failed && line.files.notReached > 0)))
                std::printf("  %s\n", fileCounts(line.files).toUtf8().constData());
            if (done && line.copyOnWrite)
                std::printf("  earlier copies may remain on this copy-on-write volume; wipe its "
                            "free space too: korvane wipe-free-space '%s'\n",
                            shown(EraseReport::volumeOf(line)).constData());
            else if (done && line.namesInJournal)
                std::printf("  %s (emptying it needs administrator rights)\n",
                            CliOutput::local(EraseReport::kJournalCaveat).constData());
            for (const EraseReport::Problem& p : line.problems)
                std::printf("  %s: %s\n", shown(p.path).constData(),
                            shown(EraseReport::reasonText(p)).constData());
        }
        std::fflush(stdout);
        // An erasure the history does not hold is not done as far as an audit goes.
        if (report.historyDue && !report.historyRecorded)
            CliOutput::error(verb(),
                             QStringLiteral("the erasure could not be recorded in the history: %1")
                                 .arg(DoDataBase::returnDoDataBase()->lastStatus().reason()));
    }

    QString interruptedText(const Report&) const override {
        const EraseReport& erased = m_operation.eraseReport();
        return QStringLiteral("%1; %2 of %3 paths erased, what is left of the others is listed "
                              "above.")
            .arg(fileCounts(erased.fileCounts()))
            .arg(erased.erasedCount())
            .arg(erased.lines.size());
    }

private:
    const EraseFilesOperation& m_operation;
};

} // namespace

EraseCommand::Options EraseCommand::parse(const QStringList& args) {
    QList<QByteArray> raw;
    for (const QString& arg : args)
        raw.append(QFile::encodeName(arg));
    return parse(raw);
}

// Options are read as text; the paths keep the bytes they were given as (CliOptionParser).
EraseCommand::Options EraseCommand::parse(const QList<QByteArray>& args) {
    Options options;
    CliOptionParser parser(QStringLiteral("erase"));
    parser.flag({QStringLiteral("y"), QStringLiteral("yes")})
        .flag({QStringLiteral("force")})
        .valued({QStringLiteral("level")}, QStringLiteral("N"))
        .valued({QStringLiteral("bundle")}, QStringLiteral("DIR"));
    if (!parser.parse(args)) {
        options.error = parser.error();
        return options;
    }
    options.help = parser.helpAsked();
    options.yes = parser.isSet(QStringLiteral("yes"));
    options.force = parser.isSet(QStringLiteral("force"));
    options.bundle = parser.value(QStringLiteral("bundle"));
    options.paths = parser.rawPositional();
    if (parser.isSet(QStringLiteral("level"))) {
        const QString value = parser.value(QStringLiteral("level"));
        const std::optional<int> level = EraserStandard::parseLevel(value);
        if (!level) {
            options.error = EraserStandard::unknownLevelText(value);
            return options;
        }
        options.level = *level;
    }
    if (options.paths.isEmpty() && !options.help)
        options.error = QStringLiteral("no path given");
    return options;
}

int EraseCommand::run(const QList<QByteArray>& args) {
    const QString verb = QStringLiteral("erase");
    const Options options = parse(args);
    if (options.help) {
        std::fputs(kUsage, stdout);
        std::fputs(CliInterrupt::kHelp, stdout);
        return 0;
    }
    if (!options.error.isEmpty()) {
        CliOutput::error(verb, options.error);
        std::fputs(kUsage, stderr);
        return 2;
    }
    QString error;
    if (!CliBundle::use(options.bundle, &error)) {
        CliOutput::error(verb, error);
        return 1;
    }
    QString problem;
    if (SrmTool::locate(&problem).isEmpty()) {
        CliOutput::error(verb, problem + QStringLiteral("; nothing was erased"));
        return 1;
    }

    EraseJob::Options jobOptions;
    jobOptions.level = options.level;
    EraseFilesOperation operation(options.paths, jobOptions);
    const EraseFormatter formatter(operation);
    CliOperationRunner::Flags flags;
    flags.yes = options.yes;
    flags.optIn = QStringLiteral("--force");
    if (options.force)
        flags.given.give(DestructiveOperation::Consent::ProtectedFolder)
            .give(DestructiveOperation::Consent::HomeFolder)
            .give(DestructiveOperation::Consent::HoldsHomes);
    CliOperationRunner runner(
        {QStringLiteral("erasing"), QStringLiteral("erase"), QStringLiteral("Nothing was erased."),
         QStringLiteral("Cancelling: finishing the pass under way, then removing that file...")},
        flags, formatter);
    return runner.run(operation);
}
