#pragma once

#include <QString>
#include <QStringList>

// `korvane erase [--level 1|2|3|7|35] [--yes] [--bundle DIR] PATH...`: erases files and folders
// with the same engine as the window. Folders are expanded as the file-eraser module does; each
// path given is reported "Erased" when it is gone and everything in it was erased, else "Failed".
class EraseCommand {
public:
    struct Options {
        int level = 0; // 0: the main program's stored level
        bool yes = false;
        bool help = false;
        QString bundle;
        QStringList paths;
        QString error; // set when the arguments cannot be used
    };

    // ARGS are the words after "erase".
    static Options parse(const QStringList& args);
    // Runs the command; the exit status: 0 when every path was erased, 1 when anything failed
    // or was refused, 2 for bad usage.
    static int run(const QStringList& args);

    // True for a path that names the root folder ("/", "//", "/tmp/..", …).
    static bool isRootFolder(const QString& path);
};
