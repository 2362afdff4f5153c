#pragma once

#include <QStringList>

// `korvane wipe-drive DEVICE... [--level N] [--verify last|all|sample:PERCENT|none] [--yes]`:
// every byte of whole drives or partitions overwritten and read back, all at once, through the
// drive wipe operation.
class DriveWipeCommand {
public:
    static int run(const QStringList& args);
};
