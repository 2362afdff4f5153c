#pragma once

#include <QStringList>

// `korvane volumes [--json] [--bundle DIR]`: the volumes the wipes can be run on, as the volume
// modules list them.
class VolumesCommand {
public:
    static int run(const QStringList& args);
};
