#pragma once

#include <QCoreApplication>
#include <QString>

// What the window calls a kind of browser data. The kinds' names are keys of the rule file and
// of the history ("Save Password"), so they stay as they are there; the user reads these.
class BrowserKindNames {
    Q_DECLARE_TR_FUNCTIONS(BrowserKindNames)

public:
    // The shown name of KIND in the user's language; an unknown kind is shown as it is named.
    static QString shown(const QString& kind);
};
