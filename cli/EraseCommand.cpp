#include "cli/EraseCommand.h"

#include "app/Job/EraseFilesOperation.h"
#include "app/Main/FileEraser/SrmTool.h"
#include "app/SetEraserLevel/EraserStandard.h"
#include "cli/CliBundle.h"
#include "cli/CliInterrupt.h"
#include "cli/CliOperationRunner.h"
#include "cli/CliOptionParser.h"
#include "cli/CliOutput.h"
#include "cli/EraseReportFormatter.h"

#include <QFile>
#include <cstdio>

namespace {

const char* const kUsage = QT_TRANSLATE_NOOP(
    "CliUsage",
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
    "2 for bad usage.\n");

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
        options.error = tr("no path given");
    return options;
}

int EraseCommand::run(const QList<QByteArray>& args) {
    const QString verb = QStringLiteral("erase");
    const Options options = parse(args);
    if (options.help) {
        std::fputs(CliOutput::usage(kUsage).constData(), stdout);
        std::fputs(CliOutput::usage(CliInterrupt::kHelp).constData(), stdout);
        return 0;
    }
    if (!options.error.isEmpty()) {
        CliOutput::error(verb, options.error);
        std::fputs(CliOutput::usage(kUsage).constData(), stderr);
        return 2;
    }
    QString error;
    if (!CliBundle::use(options.bundle, &error)) {
        CliOutput::error(verb, error);
        return 1;
    }
    QString problem;
    if (SrmTool::locate(&problem).isEmpty()) {
        CliOutput::error(verb, tr("%1; nothing was erased").arg(problem));
        return 1;
    }

    EraseJob::Options jobOptions;
    jobOptions.level = options.level;
    EraseFilesOperation operation(options.paths, jobOptions);
    const EraseReportFormatter formatter(operation);
    CliOperationRunner::Flags flags;
    flags.yes = options.yes;
    flags.optIn = QStringLiteral("--force");
    if (options.force)
        flags.given.give(DestructiveOperation::Consent::ProtectedFolder)
            .give(DestructiveOperation::Consent::HomeFolder)
            .give(DestructiveOperation::Consent::HoldsHomes);
    CliOperationRunner runner(
        //: "not erasing without confirmation": German needs the participle ("gelöscht").
        {tr("erasing"), tr("erase"), tr("Nothing was erased."),
         tr("Cancelling: finishing the pass under way, then removing that file...")},
        flags, formatter);
    return runner.run(operation);
}
