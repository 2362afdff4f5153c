#include "cli/HistoryCommand.h"

#include "app/Certificate/CertificateExport.h"
#include "app/Certificate/CertificateKey.h"
#include "app/Certificate/ErasureCertificate.h"
#include "app/Certificate/PrivateFile.h"
#include "app/Job/DeleteHistoryOperation.h"
#include "app/SetEraserLevel/HistoryReport.h"
#include "app/inter/DoDataBase.h"
#include "app/inter/HistoryLocation.h"
#include "app/inter/HistoryStatusText.h"
#include "cli/CliBundle.h"
#include "cli/CliOperationRunner.h"
#include "cli/CliOptionParser.h"
#include "cli/CliOutput.h"
#include "cli/CliPrompt.h"
#include "cli/HistoryDeleteFormatter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <memory>

namespace {

const char* const kUsage = QT_TRANSLATE_NOOP(
    "CliUsage",
    "usage: korvane history [--bundle DIR]            list the entries, newest first\n"
    "       korvane history show KEY                  the lines of one entry\n"
    "       korvane history export KEY FILE           write one entry as an HTML report\n"
    "                                                 (FILE - writes to standard output;\n"
    "                                                 an existing FILE only with --force)\n"
    "       korvane history certificate KEY [--json|--html|--pdf] [FILE] [--force]\n"
    "                                                 the entry's signed erasure certificate\n"
    "                                                 (JSON unless FILE's extension or an\n"
    "                                                 option says otherwise; no FILE or -:\n"
    "                                                 standard output; written readable by\n"
    "                                                 you only; an existing FILE only with\n"
    "                                                 --force)\n"
    "       korvane history delete KEY [--yes]        remove one entry\n"
    "       korvane history clear [--yes]             remove every entry\n"
    "                                                 (both ask first; without --yes, only\n"
    "                                                 on a terminal)\n"
    "       korvane history repair [--yes]            keep a damaged history aside (renamed\n"
    "                                                 DataBase.db.damaged-DATE, same folder)\n"
    "                                                 and start a new, empty one; asks first\n"
    "                                                 (without --yes, only on a terminal)\n"
    "KEY is an entry's time as listed, e.g. \"2024-03-05 14-07-09\" (quote the blank).\n"
    "  --bundle D  the KorvaneLoader.app bundle (or KORVANE_BUNDLE)\n"
    "Exit status: 0 done; 1 failed or refused, also when the history cannot be read (locked\n"
    "by another program, damaged, or missing: the message names the file); 2 usage error.\n"
    "A locked history is waited for 3 seconds (KORVANE_HISTORY_WAIT_MS sets milliseconds).\n");

void printErr(const QString& text) {
    CliOutput::error(QStringLiteral("history"), text);
}

void printOut(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stdout);
}

bool useBundle(const QString& option) {
    QString error;
    if (!CliBundle::use(option, &error)) {
        printErr(error);
        return false;
    }
    return true;
}

int itemCount(const HistoryRecords& records) {
    int count = 0;
    for (const HistoryRecord& record : records)
        count += record.isHeader() ? 0 : 1;
    return count;
}

// The history could not be used: says why, with the file, and what to do. Exit status 1.
int historyError(const HistoryStatus& status, const QString& what) {
    printErr(QStringLiteral("%1: %2").arg(what, HistoryStatusText::reason(status)));
    HistoryDeleteFormatter::explainStatus(status);
    return 1;
}

int unreadable(const HistoryStatus& status) {
    return historyError(status, HistoryCommand::tr("the erasure history cannot be read"));
}

// An unknown key is an error: a typo must not look like a deleted or empty entry.
bool knownKey(const HistoryData& history, const QString& key) {
    if (history.contains(key))
        return true;
    printErr(HistoryCommand::tr("no history entry \"%1\" (see `korvane history`)").arg(key));
    return false;
}

} // namespace

HistoryCommand::Options HistoryCommand::parse(const QStringList& args) {
    Options options;
    CliOptionParser parser(QStringLiteral("history"));
    parser.flag({QStringLiteral("y"), QStringLiteral("yes")})
        .flag({QStringLiteral("force")})
        .flag({QStringLiteral("json")})
        .flag({QStringLiteral("html")})
        .flag({QStringLiteral("pdf")})
        .valued({QStringLiteral("bundle")}, QStringLiteral("DIR"));
    if (!parser.parse(args)) {
        options.error = parser.error();
        return options;
    }
    options.help = parser.helpAsked();
    options.yes = parser.isSet(QStringLiteral("yes"));
    options.force = parser.isSet(QStringLiteral("force"));
    options.bundle = parser.value(QStringLiteral("bundle"));
    for (const char* form : {"json", "html", "pdf"})
        if (parser.isSet(QLatin1String(form))) {
            if (!options.form.isEmpty())
                options.error = tr("give one of --json, --html and --pdf");
            options.form = QLatin1String(form);
        }
    QStringList words = parser.positional();
    options.verb = words.isEmpty() ? QStringLiteral("list") : words.takeFirst();
    options.values = words;
    static const QMap<QString, int> operands = {
        {QStringLiteral("list"), 0},   {QStringLiteral("show"), 1},  {QStringLiteral("export"), 2},
        {QStringLiteral("delete"), 1}, {QStringLiteral("clear"), 0}, {QStringLiteral("repair"), 0}};
    if (!options.error.isEmpty())
        return options;
    if (options.verb == QLatin1String("certificate")) {
        if (options.values.isEmpty() || options.values.size() > 2)
            options.error = tr("certificate takes KEY and an optional FILE");
        return options;
    }
    if (!options.form.isEmpty())
        options.error = tr("--%1 is for the certificate verb").arg(options.form);
    else if (!operands.contains(options.verb))
        options.error = tr("unknown verb %1").arg(options.verb);
    else if (options.values.size() != operands.value(options.verb))
        options.error =
            tr("%1 takes %n operand(s)", nullptr, operands.value(options.verb)).arg(options.verb);
    return options;
}

int HistoryCommand::run(const QStringList& args) {
    const Options options = parse(args);
    if (options.help) {
        std::fputs(CliOutput::usage(kUsage).constData(), stdout);
        return 0;
    }
    if (!options.error.isEmpty()) {
        printErr(options.error);
        std::fputs(CliOutput::usage(kUsage).constData(), stderr);
        return 2;
    }
    if (!useBundle(options.bundle))
        return 1;
    DoDataBase history(&HistoryLocation::resolve);
    if (options.verb == QLatin1String("show"))
        return show(history, options.values[0]);
    if (options.verb == QLatin1String("export"))
        return exportEntry(history, options.values[0], options.values[1], options.force);
    if (options.verb == QLatin1String("certificate"))
        return certificate(history, options.values[0], options.values.value(1, QStringLiteral("-")),
                           options.form, options.force);
    if (options.verb == QLatin1String("delete"))
        return deleteEntries(history, options.values, options.yes);
    if (options.verb == QLatin1String("clear"))
        return deleteEntries(history, {}, options.yes);
    if (options.verb == QLatin1String("repair"))
        return repair(history, options.yes);
    return list(history);
}

int HistoryCommand::list(DoDataBase& history) {
    DoDataBase::HistoryTypes types;
    const HistoryResult<HistoryData> read = history.readAll(&types);
    if (!read.ok())
        return unreadable(read.status);
    const HistoryData& all = read.value;
    // Only a history that was read, and holds nothing, is empty.
    if (all.isEmpty()) {
        printOut(tr("No erasure history.") + QLatin1Char('\n'));
        return 0;
    }
    for (auto entry = all.constEnd(); entry != all.constBegin();) {
        --entry;
        const int items = itemCount(entry.value());
        QString firstLine;
        for (const HistoryRecord& record : entry.value())
            if (!record.isHeader() && firstLine.isEmpty())
                firstLine = record.items;
        QStringList modules;
        for (const QString& kind : types.value(entry.key()))
            modules << moduleName(kind, firstLine);
        printOut(QStringLiteral("%1  %2  %3\n")
                     .arg(entry.key(), modules.join(QStringLiteral(", ")).leftJustified(16),
                          tr("%n item(s)", nullptr, items)));
    }
    return 0;
}

int HistoryCommand::show(DoDataBase& history, const QString& key) {
    const HistoryResult<HistoryData> read = history.readAll();
    if (!read.ok())
        return unreadable(read.status);
    const HistoryData& all = read.value;
    if (!knownKey(all, key))
        return 1;
    // Tab-separated, one line per record, so scripts can cut the columns.
    for (const HistoryRecord& record : all.value(key))
        printOut(record.items + QLatin1Char('\t') + record.erasureStandard + QLatin1Char('\t') +
                 record.result + QLatin1Char('\n'));
    return 0;
}

QString HistoryCommand::moduleName(const QString& kind, const QString& firstLine) {
    if (kind == DoDataBase::kTypeWipeFile)
        return tr("Erase Files");
    if (kind == DoDataBase::kTypeWipeVolume) {
        // The stored first line is English whatever the language.
        if (firstLine.startsWith(QLatin1String("Erase Hard Drive:")))
            return tr("Erase Hard Drive");
        return tr("Erase Free Space");
    }
    return kind;
}

int HistoryCommand::exportEntry(DoDataBase& history, const QString& key, const QString& file,
                                bool force) {
    DoDataBase::HistoryTypes types;
    const HistoryResult<HistoryData> read = history.readAll(&types);
    if (!read.ok())
        return unreadable(read.status);
    const HistoryData& all = read.value;
    if (!knownKey(all, key))
        return 1;
    if (file != QLatin1String("-") && !force &&
        (QFileInfo(file).exists() || QFileInfo(file).isSymLink())) {
        printErr(tr("%1 exists; not replaced (add --force to replace it)").arg(file));
        return 1;
    }
    // The facts of the erasure go with its lines; an entry without them says so.
    const HistoryResult<QByteArray> facts = history.readFacts(key);
    if (!facts.ok())
        return unreadable(facts.status);
    const QJsonObject certificate = ErasureCertificate::build(key, types.value(key), all.value(key),
                                                              ErasureFacts::fromBytes(facts.value));
    if (file == QLatin1String("-")) {
        const QByteArray page = HistoryReport::html(key, all.value(key), certificate).toUtf8();
        return std::fwrite(page.constData(), 1, page.size(), stdout) == size_t(page.size()) ? 0 : 1;
    }
    QString error;
    if (!HistoryReport::write(file, key, all.value(key), &error, certificate)) {
        printErr(tr("cannot write %1: %2").arg(file, error));
        return 1;
    }
    return 0;
}

int HistoryCommand::certificate(DoDataBase& history, const QString& key, const QString& file,
                                const QString& formName, bool force) {
    using Form = CertificateExport::Form;
    Form form = Form::Json;
    if (formName == QLatin1String("html"))
        form = Form::Html;
    else if (formName == QLatin1String("pdf"))
        form = Form::Pdf;
    else if (formName.isEmpty() && file != QLatin1String("-"))
        form = CertificateExport::formForPath(file).value_or(Form::Json);
    // Checked before the certificate is made: a refused file costs no signature.
    if (file != QLatin1String("-") && !force &&
        (QFileInfo(file).exists() || QFileInfo(file).isSymLink())) {
        printErr(tr("%1 exists; not replaced (add --force to replace it)").arg(file));
        return 1;
    }
    const ErasureCertificate::Loaded loaded =
        ErasureCertificate::forEntry(history, key, CertificateKey(CertificateKey::defaultFolder()));
    if (!loaded.status.ok())
        return unreadable(loaded.status);
    if (!loaded.error.isEmpty()) {
        printErr(loaded.error);
        return 1;
    }
    const QByteArray bytes = CertificateExport::render(loaded.document, form);
    if (file == QLatin1String("-"))
        return std::fwrite(bytes.constData(), 1, bytes.size(), stdout) == size_t(bytes.size()) ? 0
                                                                                               : 1;
    QString error;
    if (!PrivateFile::write(file, bytes, force, &error)) {
        printErr(tr("cannot write %1: %2").arg(file, error));
        return 1;
    }
    return 0;
}

// Deletes KEYS, or every entry when there are none, through the one runner: the entries are
// read first, an unknown key refuses the whole, and the deletion asks before it is done.
int HistoryCommand::deleteEntries(DoDataBase& history, const QStringList& keys, bool yes) {
    DeleteHistoryOperation operation(history, keys);
    const HistoryDeleteFormatter formatter(history);
    CliOperationRunner::Flags flags;
    flags.yes = yes;
    //: "not deleting without confirmation": German needs the participle ("gelöscht").
    return CliOperationRunner({tr("deleting"), tr("delete"), tr("Nothing was deleted."), QString()},
                              flags, formatter)
        .run(operation);
}

int HistoryCommand::repair(DoDataBase& history, bool yes) {
    const HistoryStatus status = history.check();
    switch (status.code) {
    case HistoryStatus::Code::Ok:
        printOut(
            tr("The erasure history at %1 is not damaged; nothing to repair.").arg(status.path) +
            QLatin1Char('\n'));
        return 0;
    case HistoryStatus::Code::Locked:
        // In use is not damaged: whatever holds it may be writing an entry right now.
        printErr(tr("not repaired: %1; a locked history is in use, not damaged")
                     .arg(HistoryStatusText::reason(status)));
        printErr(tr("try again once the other program has finished with it"));
        return 1;
    case HistoryStatus::Code::Damaged:
        break;
    default:
        printErr(tr("not repaired: %1").arg(HistoryStatusText::reason(status)));
        return 1;
    }
    const QString kept = history.keptPathForRepair();
    printErr(HistoryStatusText::reason(status));
    if (!yes) {
        if (!CliPrompt::inputIsTerminal()) {
            //: "not repairing without confirmation": German needs the participle ("repariert").
            CliPrompt::sayNoTerminal(QStringLiteral("history"), tr("repairing"), tr("repair"));
            return 1;
        }
        std::fprintf(stderr, "%s\n",
                     CliOutput::local(tr("Repairing keeps the damaged file, untouched, at\n  %1\n"
                                         "(with its journal files, if any) and starts a new, "
                                         "empty history at\n  %2")
                                          .arg(kept, status.path))
                         .constData());
        if (!CliPrompt::askYes(tr("Repair the erasure history?"))) {
            std::fprintf(stderr, "%s\n", CliOutput::local(tr("Nothing was changed.")).constData());
            return 1;
        }
    }
    const HistoryRepair repaired = history.repair(kept);
    if (!repaired.keptAt.isEmpty() && !repaired.status.ok()) {
        printErr(tr("the damaged history was kept at %1").arg(repaired.keptAt));
        return historyError(repaired.status, tr("the new history"));
    }
    if (!repaired.status.ok())
        return historyError(repaired.status, tr("not repaired"));
    if (!repaired.repaired()) {
        printOut(tr("The erasure history at %1 is not damaged any more; nothing to repair.")
                     .arg(repaired.status.path) +
                 QLatin1Char('\n'));
        return 0;
    }
    printOut(tr("The damaged history was kept at %1\nA new, empty history was made at %2")
                 .arg(repaired.keptAt, repaired.status.path) +
             QLatin1Char('\n'));
    return 0;
}
