#pragma once

#include <QCoreApplication>
#include <QStringList>

// korvane copy: copies files and folders into a folder, each file under its final name only
// once it is whole (and, with --verify, read back from the device and checked).
class CopyCommand {
    Q_DECLARE_TR_FUNCTIONS(CopyCommand)

public:
    static int run(const QStringList& args);
};
