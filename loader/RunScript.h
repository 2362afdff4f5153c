#pragma once

#include <QString>

// Starts the main program with administrator rights and the loader's marker argument, without
// waiting for it (see PrivilegedLauncher for how).
class RunScript {
public:
    // The one argument the main program receives from the loader.
    static inline const QString kLoaderArgument =
        QStringLiteral("en") + QStringLiteral("*loaderflag*");

    // 0 when the start was handed over, otherwise a non-zero status. A cancelled or refused
    // authentication happens after the loader has gone and shows nothing.
    static int RunTool(const QString& path);
};
