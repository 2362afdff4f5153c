#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The folders the uninstaller looks in, read from the data file "UninstallerFolders.plist" in
// the main program's resources, so they change without code. Each kind has the folders of the
// user the program works for (its home from the account database, never root's when it runs
// for someone else), then the machine-wide ones.
class UninstallFolders {
public:
    enum class Domain { User, Local };

    // Reads PLISTPATH (empty: the bundle's data file) for the user whose home is HOME and whose
    // download folder is DOWNLOADS (empty: from HOME's XDG user dirs).
    static UninstallFolders load(const QString& plistPath = QString(),
                                 const QString& home = QString(),
                                 const QString& downloads = QString());

    // The folders of KIND ("Applications", "Preferences", ...) in DOMAIN, placeholders expanded.
    QStringList folders(const QString& kind, Domain domain) const;
    // User folders, then local ones.
    QStringList folders(const QString& kind) const;
    const QStringList& pluginSuffixes() const { return m_pluginSuffixes; }
    const QStringList& systemPrefixes() const { return m_systemPrefixes; }
    const QString& home() const { return m_home; }
    // False when the data file could not be read (every list is then empty).
    bool isValid() const { return m_valid; }

    // The user's download folder: XDG_DOWNLOAD_DIR of HOME/.config/user-dirs.dirs, else
    // HOME/Downloads.
    static QString downloadFolder(const QString& home);

private:
    QHash<QString, QStringList> m_user, m_local;
    QStringList m_pluginSuffixes, m_systemPrefixes;
    QString m_home;
    bool m_valid = false;
};
