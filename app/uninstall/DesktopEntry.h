#pragma once

#include <QString>

// The [Desktop Entry] group of a desktop entry file, as far as the uninstaller needs it.
class DesktopEntry {
public:
    QString type;          // "Application", "Link", ...
    QString name;          // Name, untranslated
    QString localizedName; // Name[LANG] for the user's language, else Name
    QString exec;          // Exec as written
    QString icon;
    QString appImageVersion; // X-AppImage-Version
    bool hidden = false;     // Hidden=true: deleted, as far as the desktop is concerned
    bool noDisplay = false;

    // Reads PATH; false when it cannot be read or has no [Desktop Entry] group. LANGUAGE is the
    // locale's name as in LANG ("de_DE.UTF-8"); empty for the environment's.
    static bool read(const QString& path, DesktopEntry& entry, const QString& language = {});

    // An application the user can see and remove.
    bool isApplication() const {
        return type == QLatin1String("Application") && !hidden && !noDisplay;
    }
    // The program Exec starts: its first word, quotes removed, without field codes.
    QString program() const;
};
