#pragma once

#include "app/uninstall/PackageRef.h"

#include <QHash>
#include <QString>
#include <QStringList>

// Finds the package that installed a desktop entry file: a Flatpak or snap export by where it
// lies, anything else by asking dpkg. The package tools run without administrator rights; a
// tool that is missing or fails means the file's package is not known (Manager::None).
class PackageLookup {
public:
    struct Tools {
        QString dpkgQuery = QStringLiteral("dpkg-query");
        QString flatpak = QStringLiteral("flatpak");
        QString snap = QStringLiteral("snap");
        // Where the system Flatpak installation and snapd export desktop entries. A user's
        // Flatpak exports are recognised in any HOME/.local/share/flatpak/exports/share/
        // applications folder; the installation is the one in that HOME.
        QString flatpakSystemExports =
            QStringLiteral("/var/lib/flatpak/exports/share/applications");
        QString snapExports = QStringLiteral("/var/lib/snapd/desktop/applications");
        int timeoutMs = 30000; // per tool run
    };

    // (No "= {}" default: GCC 12 cannot take one for a nested type with member initialisers.)
    PackageLookup() : PackageLookup(Tools()) {}
    explicit PackageLookup(Tools tools);

    // The package that installed DESKTOPFILE; Manager::None when no package manager did.
    PackageRef ownerOf(const QString& desktopFile) const;
    // The same for many files at once, keyed by the paths as given (every one is present). Each
    // tool runs once for the whole list, not once per file.
    QHash<QString, PackageRef> ownersOf(const QStringList& desktopFiles) const;

private:
    Tools m_tools;
};
