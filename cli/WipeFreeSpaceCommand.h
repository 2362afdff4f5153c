#pragma once

#include <QStringList>

// `korvane wipe-free-space MOUNTPOINT [--level N] [--yes] [--bundle DIR]`: the free-space wipe
// of one volume, through the same job as the window.
class WipeFreeSpaceCommand {
public:
    static int run(const QStringList& args);
};
