#pragma once

#include <QString>
#include <QStringList>

// The profiles a Firefox profiles folder lists: every [Profile*] Path of profiles.ini, and the
// profile each install uses ([Install*] Default= in profiles.ini and installs.ini), which since
// the dedicated profiles is "*.default-release" while an unused legacy "*.default" often keeps
// Default=1. Relative paths are below the profiles folder; a path that leaves HOME is dropped,
// since the program may run as root and the files are the user's to write.
class FirefoxProfiles {
public:
    struct Found {
        QStringList paths;      // existing profile folders, each once, install defaults first
        QString installDefault; // the first install's profile, empty when none is named
    };
    static Found read(const QString& profilesFolder, const QString& home);

    // The sections of an ini text: name -> (key -> value), keys as written.
    static QList<std::pair<QString, QList<std::pair<QString, QString>>>>
    parseIni(const QByteArray& text);
};
