#pragma once

#include <QCoreApplication>
#include <QStringList>

// `korvane wipe-free-space MOUNTPOINT` and `korvane wipe-volume DEVICE|MOUNTPOINT`, each with
// [--level N] [--yes] [--bundle DIR]: the volume wipes, through the same jobs as the window.
class WipeCommand {
    Q_DECLARE_TR_FUNCTIONS(WipeCommand)

public:
    enum class Mode { FreeSpace, WholeVolume };
    static int run(const QStringList& args, Mode mode);
};
