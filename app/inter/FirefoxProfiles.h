#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The profiles a Firefox profiles folder lists: every [Profile*] Path of profiles.ini, and the
// profile each install uses ([Install*] Default= in profiles.ini and installs.ini), which since
// the dedicated profiles is "*.default-release" while an unused legacy "*.default" often keeps
// Default=1. Paths are as written: relative ones are below the profiles folder, absolute ones
// (IsRelative=0, "firefox -CreateProfile 'name /some/folder'") anywhere; the caller decides
// which it may follow.
class FirefoxProfiles {
public:
    // The profile folders (a relative path joined to the profiles folder; all cleaned), install
    // defaults first, then the listed profiles, each once.
    static QStringList read(const QString& profilesFolder);

    // The sections of an ini text: name -> (key -> value), keys as written.
    static QList<std::pair<QString, QList<std::pair<QString, QString>>>>
    parseIni(const QByteArray& text);
};
