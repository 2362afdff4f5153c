#pragma once

#include <QCoreApplication>
#include <QStringList>

// korvane disks | format | rename | mount | unmount | eject: the disk tools on the command line.
class DisksCommand {
    Q_DECLARE_TR_FUNCTIONS(DisksCommand)

public:
    // VERB is the command word ("disks", "format", ...); ARGS what follows it.
    static int run(const QString& verb, const QStringList& args);
};
