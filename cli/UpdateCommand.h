#pragma once

#include <QStringList>

// korvane update-check: asks the version file whether a newer version is out.
class UpdateCommand {
public:
    static int run(const QStringList& args, const QString& currentVersion);
};
