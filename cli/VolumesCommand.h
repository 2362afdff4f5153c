#pragma once

#include <QCoreApplication>
#include <QStringList>

// `korvane volumes [--json] [--bundle DIR]`: the volumes the wipes can be run on, as the volume
// modules list them.
class VolumesCommand {
    Q_DECLARE_TR_FUNCTIONS(VolumesCommand)

public:
    static int run(const QStringList& args);
};
