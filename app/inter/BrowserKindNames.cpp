#include "app/inter/BrowserKindNames.h"

QString BrowserKindNames::shown(const QString& kind) {
    static const struct {
        const char* key;
        const char* text;
    } names[] = {
        {"Browsing History", QT_TR_NOOP("Browsing History")},
        {"Download History", QT_TR_NOOP("Download History")},
        {"Downloads History", QT_TR_NOOP("Download History")},
        {"Cookies", QT_TR_NOOP("Cookies")},
        {"Save Password", QT_TR_NOOP("Saved Passwords")},
        {"Form Values", QT_TR_NOOP("Form Values")},
        {"Session", QT_TR_NOOP("Session")},
        {"Caches", QT_TR_NOOP("Caches")},
    };
    for (const auto& name : names)
        if (kind == QLatin1String(name.key))
            return tr(name.text);
    return kind;
}
