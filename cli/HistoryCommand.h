#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class DoDataBase;

// `korvane history [show KEY | export KEY FILE | certificate KEY [--json|--html|--pdf] [FILE] |
// delete KEY [--yes] | clear [--yes] | repair [--yes]]
// [--bundle DIR]`: the erasure history the window shows, from the command line. Without a verb it
// lists the entries newest first: key, kind and number of items. A history that cannot be read
// (locked by another program, damaged, missing) is an error with its path, never shown as empty.
class HistoryCommand {
    Q_DECLARE_TR_FUNCTIONS(HistoryCommand)

public:
    struct Options {
        QString verb;       // "list", "show", "export", "delete", "clear" or "repair"
        QStringList values; // the verb's operands (KEY, FILE)
        QString bundle;
        bool yes = false;
        bool force = false; // export, certificate: replace an existing file
        QString form;       // certificate: "json", "html", "pdf" or empty (by FILE's name)
        bool help = false;
        QString error; // set when the arguments cannot be used
    };

    // ARGS are the words after "history".
    static Options parse(const QStringList& args);
    // Exit status: 0 done; 1 failed or refused (the history locked, damaged or not there; unknown
    // key, unwritable file, no answer); 2 usage.
    static int run(const QStringList& args);

    // The module an entry of KIND came from, as the window names it ("Erase Files"); a volume
    // wipe is told apart by its line ("Erase Free Space:…" or "Erase Hard Drive:…").
    static QString moduleName(const QString& kind, const QString& firstLine);

private:
    static int list(DoDataBase& history);
    static int show(DoDataBase& history, const QString& key);
    static int exportEntry(DoDataBase& history, const QString& key, const QString& file,
                           bool force);
    static int certificate(DoDataBase& history, const QString& key, const QString& file,
                           const QString& form, bool force);
    static int deleteEntries(DoDataBase& history, const QStringList& keys, bool yes);
    static int repair(DoDataBase& history, bool yes);
};
