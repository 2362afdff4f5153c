#pragma once

#include <QStringList>

// korvane disks | format | rename | mount | unmount | eject: the disk tools on the command line.
class DisksCommand {
public:
    // VERB is the command word ("disks", "format", ...); ARGS what follows it.
    static int run(const QString& verb, const QStringList& args);
};
