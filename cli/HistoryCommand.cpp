#include "cli/HistoryCommand.h"

#include "app/SetEraserLevel/HistoryReport.h"
#include "app/inter/DoDataBase.h"
#include "app/inter/HistoryLocation.h"
#include "cli/CliBundle.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

namespace {

const char* const kUsage =
    "usage: korvane history [--bundle DIR]            list the entries, newest first\n"
    "       korvane history show KEY                  the lines of one entry\n"
    "       korvane history export KEY FILE           write one entry as an HTML report\n"
    "                                                 (FILE - writes to standard output;\n"
    "                                                 an existing FILE only with --force)\n"
    "       korvane history delete KEY                remove one entry\n"
    "       korvane history clear [--yes]             remove every entry\n"
    "KEY is an entry's time as listed, e.g. \"2024-03-05 14-07-09\" (quote the blank).\n"
    "  --bundle D  the KorvaneLoader.app bundle (or KORVANE_BUNDLE)\n";

void printErr(const QString& text) {
    std::fprintf(stderr, "korvane history: %s\n", text.toLocal8Bit().constData());
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

// An unknown key is an error: a typo must not look like a deleted or empty entry.
bool knownKey(const HistoryData& history, const QString& key) {
    if (history.contains(key))
        return true;
    printErr(QStringLiteral("no history entry \"%1\" (see `korvane history`)").arg(key));
    return false;
}

} // namespace

HistoryCommand::Options HistoryCommand::parse(const QStringList& args) {
    Options options;
    QStringList words;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.help = true;
        } else if (arg == QLatin1String("--yes") || arg == QLatin1String("-y")) {
            options.yes = true;
        } else if (arg == QLatin1String("--force")) {
            options.force = true;
        } else if (arg == QLatin1String("--bundle")) {
            if (++i >= args.size()) {
                options.error = QStringLiteral("--bundle needs a folder");
                return options;
            }
            options.bundle = args[i];
        } else if (arg == QLatin1String("--")) {
            words += args.mid(i + 1);
            break;
        } else if (arg.startsWith(QLatin1String("--"))) {
            options.error = QStringLiteral("unknown option %1").arg(arg);
            return options;
        } else {
            words << arg;
        }
    }
    options.verb = words.isEmpty() ? QStringLiteral("list") : words.takeFirst();
    options.values = words;
    static const QMap<QString, int> operands = {{QStringLiteral("list"), 0},
                                                {QStringLiteral("show"), 1},
                                                {QStringLiteral("export"), 2},
                                                {QStringLiteral("delete"), 1},
                                                {QStringLiteral("clear"), 0}};
    if (!operands.contains(options.verb))
        options.error = QStringLiteral("unknown verb %1").arg(options.verb);
    else if (options.values.size() != operands.value(options.verb))
        options.error = QStringLiteral("%1 takes %2 operand(s)")
                            .arg(options.verb)
                            .arg(operands.value(options.verb));
    return options;
}

int HistoryCommand::run(const QStringList& args) {
    const Options options = parse(args);
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (!options.error.isEmpty()) {
        printErr(options.error);
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!useBundle(options.bundle))
        return 1;
    DoDataBase history(&HistoryLocation::resolve);
    const QString database = history.getDataBase();
    if (!QFileInfo(database).isFile()) {
        printErr(QStringLiteral("no history database at %1").arg(database));
        return 1;
    }
    if (options.verb == QLatin1String("show"))
        return show(history, options.values[0]);
    if (options.verb == QLatin1String("export"))
        return exportEntry(history, options.values[0], options.values[1], options.force);
    if (options.verb == QLatin1String("delete"))
        return deleteEntry(history, options.values[0]);
    if (options.verb == QLatin1String("clear"))
        return clear(history, options.yes);
    return list(history);
}

int HistoryCommand::list(DoDataBase& history) {
    const HistoryData all = history.getAllData();
    const QMap<QString, QStringList> types = history.getTypes();
    if (all.isEmpty()) {
        printOut(QStringLiteral("No erasure history.\n"));
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
        printOut(QStringLiteral("%1  %2  %3 item%4\n")
                     .arg(entry.key(), modules.join(QStringLiteral(", ")).leftJustified(16))
                     .arg(items)
                     .arg(items == 1 ? QString() : QStringLiteral("s")));
    }
    return 0;
}

int HistoryCommand::show(DoDataBase& history, const QString& key) {
    const HistoryData all = history.getAllData();
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
        return QStringLiteral("Erase Files");
    if (kind == DoDataBase::kTypeWipeVolume) {
        if (firstLine.startsWith(QLatin1String("Erase Hard Drive:")))
            return QStringLiteral("Erase Hard Drive");
        return QStringLiteral("Erase Free Space");
    }
    return kind;
}

int HistoryCommand::exportEntry(DoDataBase& history, const QString& key, const QString& file,
                                bool force) {
    const HistoryData all = history.getAllData();
    if (!knownKey(all, key))
        return 1;
    if (file != QLatin1String("-") && !force &&
        (QFileInfo(file).exists() || QFileInfo(file).isSymLink())) {
        printErr(QStringLiteral("%1 exists; not replaced (add --force to replace it)").arg(file));
        return 1;
    }
    if (file == QLatin1String("-")) {
        const QByteArray page = HistoryReport::html(key, all.value(key)).toUtf8();
        return std::fwrite(page.constData(), 1, page.size(), stdout) == size_t(page.size()) ? 0 : 1;
    }
    QString error;
    if (!HistoryReport::write(file, key, all.value(key), &error)) {
        printErr(QStringLiteral("cannot write %1: %2").arg(file, error));
        return 1;
    }
    return 0;
}

int HistoryCommand::deleteEntry(DoDataBase& history, const QString& key) {
    if (!knownKey(history.getAllData(), key))
        return 1;
    history.deleteDataWithKey(key);
    // The service only logs a failed delete; check, so a read-only history is not reported as
    // emptied.
    if (history.getAllData().contains(key)) {
        printErr(QStringLiteral("could not delete \"%1\" from %2").arg(key, history.getDataBase()));
        return 1;
    }
    return 0;
}

int HistoryCommand::clear(DoDataBase& history, bool yes) {
    const QStringList keys = history.getAllData().keys();
    if (keys.isEmpty()) {
        printOut(QStringLiteral("No erasure history.\n"));
        return 0;
    }
    if (!yes) {
        std::fprintf(stderr, "Delete all %d history entries? This cannot be undone. [y/N] ",
                     int(keys.size()));
        std::fflush(stderr);
        std::string answer;
        if (!std::getline(std::cin, answer)) {
            std::fputc('\n', stderr);
            printErr(QStringLiteral("no answer on standard input; nothing deleted (use --yes)"));
            return 1;
        }
        if (answer != "y" && answer != "Y" && answer != "yes" && answer != "YES") {
            printErr(QStringLiteral("nothing deleted"));
            return 1;
        }
    }
    for (const QString& key : keys)
        history.deleteDataWithKey(key);
    const qsizetype left = history.getAllData().size();
    if (left != 0) {
        printErr(QStringLiteral("%1 entries could not be deleted from %2")
                     .arg(left)
                     .arg(history.getDataBase()));
        return 1;
    }
    return 0;
}
