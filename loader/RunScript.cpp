#include "loader/RunScript.h"

#include "platform/PrivilegedLauncher.h"
#include "platform/Translations.h"

#include <cstdlib>

QString RunScript::userLocale() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value == nullptr || *value == '\0')
            continue;
        const QString name = QString::fromUtf8(value);
        return Translations::isLocaleName(name) ? name : QString();
    }
    return {};
}

QStringList RunScript::mainArguments(const QString& localeName) {
    QStringList arguments{kLoaderArgument};
    if (Translations::isLocaleName(localeName))
        arguments << kLocaleOption << localeName;
    return arguments;
}

int RunScript::RunTool(const QString& path) {
    return PrivilegedLauncher::launch(path, mainArguments(userLocale()),
                                      PrivilegedLauncher::systemOptions());
}
