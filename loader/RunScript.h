#pragma once

#include <QString>
#include <QStringList>

// Starts the main program with administrator rights and the loader's marker argument, without
// waiting for it (see PrivilegedLauncher for how).
class RunScript {
public:
    // The one argument the main program receives from the loader.
    static inline const QString kLoaderArgument =
        QStringLiteral("en") + QStringLiteral("*loaderflag*");

    // Names the locale to the main program: pkexec clears LANG and LC_*, so the window would
    // otherwise come up in English.
    static inline const QString kLocaleOption = QStringLiteral("--locale");

    // The user's locale name from the environment (LC_ALL, LC_MESSAGES, LANG: the first set),
    // empty when none is set or it is not a plain locale name.
    static QString userLocale();

    // The arguments the main program receives: the marker, then "--locale NAME" when NAME is a
    // plain locale name.
    static QStringList mainArguments(const QString& localeName);

    // 0 when the start was handed over, otherwise a non-zero status. A cancelled or refused
    // authentication happens after the loader has gone and shows nothing.
    static int RunTool(const QString& path);
};
