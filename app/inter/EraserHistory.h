#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Where each browser keeps its data and how each kind of it is removed: the data file
// "EraserHistory.plist" of the main program's resources, read into rules. Locations are kept as
// written there; BrowserLocator expands them for one user.
//
// A location is a path below one of the folders a profile names ($PROFILE, $USERDATA, $CACHE,
// $PROFILECACHE) and a relative rest without "." or ".." components, so that no rule can name
// anything outside that browser's own folders. A database location also carries the SQL that
// counts and removes its rows.
class EraserHistory {
public:
    struct Statement {
        QString sql;
        // A table that may be missing in an older file: the statement is skipped when it is.
        // Empty: the statement must run (a missing table is a failure).
        QString optionalTable;
    };
    struct Location {
        QString path;          // "$PROFILE/History"
        bool database = false; // rows removed by statements; else the files are erased
        Statement count;       // database: the entries shown (empty: none shown)
        Statement check;       // database: entries that must be gone, not shown (may be empty)
        QList<Statement> deletes;
    };
    // One install layout of a browser (native, snap, flatpak, ...).
    struct Layout {
        QString name;
        QString userData;     // user-data folder (Chromium) or profiles folder (Firefox)
        QString cache;        // its cache folder
        QStringList profiles; // empty: the browser's
    };
    struct Kind {
        QString name;
        QList<Location> locations;
    };
    struct Browser {
        QString name;         // "Google Chrome", "Chromium", "Opera", "Firefox", "Safari", ...
        QString family;       // "Chromium", "Firefox", "WebKit"
        QStringList appNames; // what a desktop entry's name contains when it is this browser
        QList<Layout> layouts;
        QStringList profiles; // profile folder patterns, or "profiles.ini"
        QList<Kind> kinds;    // the family's unless the browser has its own, in display order
    };

    // The placeholders a location may start with.
    static inline const QStringList kRoots = {
        QStringLiteral("$PROFILECACHE"), QStringLiteral("$PROFILE"), QStringLiteral("$USERDATA"),
        QStringLiteral("$CACHE")};

    // Reads PLISTPATH (empty: the bundle's data file). Invalid when it cannot be read.
    static EraserHistory load(const QString& plistPath = QString());

    bool isValid() const { return m_valid; }
    const QList<Browser>& browsers() const { return m_browsers; }
    const Browser* browser(const QString& name) const;
    // Locations the file holds that break the rules above; they are left out of the kinds.
    const QStringList& rejected() const { return m_rejected; }

    // PATTERN with "~%@" made the home HOME and any other "%@" the user NAME. Callers pass a
    // name the account database knows (UserAccount); a name that could not be a path component
    // gives an empty result.
    static QString expandUser(const QString& pattern, const QString& name, const QString& home);

    // Splits LOCATION into its root placeholder and the components below it; false when it
    // does not start with a placeholder or a component is empty, "." or "..".
    static bool splitLocation(const QString& location, QString* root, QStringList* rest);

private:
    QList<Browser> m_browsers;
    QStringList m_rejected;
    bool m_valid = false;
};
