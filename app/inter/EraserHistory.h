#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Where each browser keeps its data: the data file "EraserHistory.plist" of the main program's
// resources, read into rules. Locations are kept as written there; BrowserLocator expands them
// for one user.
class EraserHistory {
public:
    // One install layout of a browser (native, snap, flatpak, ...).
    struct Layout {
        QString name;
        QString userData;     // user-data folder (Chromium) or profiles folder (Firefox)
        QString cache;        // its cache folder
        QStringList profiles; // empty: the browser's
    };
    struct Kind {
        QString name;
        QStringList locations;
    };
    struct Browser {
        QString name;         // "Google Chrome", "Chromium", "Opera", "Firefox", "Safari"
        QString family;       // "Chromium", "Firefox", "WebKit"
        QStringList appNames; // what a desktop entry's name contains when it is this browser
        QList<Layout> layouts;
        QStringList profiles; // profile folder patterns, or "profiles.ini"
        QList<Kind> kinds;    // in the file's order
    };

    // Reads PLISTPATH (empty: the bundle's data file). Invalid when it cannot be read.
    static EraserHistory load(const QString& plistPath = QString());

    bool isValid() const { return m_valid; }
    const QList<Browser>& browsers() const { return m_browsers; }
    const Browser* browser(const QString& name) const;

    // PATTERN with "~%@" made the home HOME and any other "%@" the user NAME. Callers pass a
    // name the account database knows (UserAccount); a name that could not be a path component
    // gives an empty result.
    static QString expandUser(const QString& pattern, const QString& name, const QString& home);

private:
    QList<Browser> m_browsers;
    bool m_valid = false;
};
