#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

// `korvane erase [--level 1|2|3|7|35] [--yes] [--force] [--bundle DIR] PATH...`: erases files
// and folders through the erasure operation the window runs. Every path is checked before
// anything is erased; each is reported "Erased" when it is gone and everything in it was
// erased, else "Failed" with the reasons below it. After a signal a path the run had not begun
// on reads "Not reached", one it left partly done "Stopped", and the files are counted.
class EraseCommand {
    Q_DECLARE_TR_FUNCTIONS(EraseCommand)

public:
    struct Options {
        int level = 0; // 0: the main program's stored level
        bool yes = false;
        bool force = false; // erase home and system folders and mount points too
        bool help = false;
        QString bundle;
        QList<QByteArray> paths; // exactly as given, whatever their encoding
        QString error;           // set when the arguments cannot be used
    };

    // ARGS are the words after "erase".
    static Options parse(const QList<QByteArray>& args);
    static Options parse(const QStringList& args);
    // Runs the command; the exit status: 0 when every path was erased, 1 when anything failed
    // or was refused, 2 for bad usage, 128 + the signal's number when a signal stopped it
    // (CliInterrupt).
    static int run(const QList<QByteArray>& args);
};
