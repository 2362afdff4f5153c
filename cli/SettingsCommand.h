#pragma once

#include <QCoreApplication>
#include <QStringList>

// `korvane settings [FIELD [VALUE]]`: the names a certificate gives (organisation, operator,
// validator, location), shared with the window. Without FIELD it lists them all; with FIELD it
// prints one; with VALUE it stores it ("" clears it).
class SettingsCommand {
    Q_DECLARE_TR_FUNCTIONS(SettingsCommand)

public:
    static int run(const QStringList& args);
};
