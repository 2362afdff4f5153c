#pragma once

#include <QStringList>

// `korvane wipe-drive DEVICE [--level N] [--verify last|all|sample:PERCENT|none] [--yes]`:
// every byte of a whole drive or one partition overwritten and read back, through the drive
// wipe operation.
class DriveWipeCommand {
public:
    static int run(const QStringList& args);
};
