#pragma once

#include <QCoreApplication>
#include <QStringList>

// `korvane wipe-drive DEVICE... [--level N] [--verify last|all|sample:PERCENT|none] [--yes]`:
// every byte of whole drives or partitions overwritten and read back, all at once, through the
// drive wipe operation.
class DriveWipeCommand {
    Q_DECLARE_TR_FUNCTIONS(DriveWipeCommand)

public:
    static int run(const QStringList& args);
};
