#pragma once

#include <QCoreApplication>
#include <QStringList>

// korvane update-check: asks the version file whether a newer version is out.
class UpdateCommand {
    Q_DECLARE_TR_FUNCTIONS(UpdateCommand)

public:
    static int run(const QStringList& args, const QString& currentVersion);
};
