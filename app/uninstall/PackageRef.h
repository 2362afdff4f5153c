#pragma once

#include <QString>

// The package that installed an application, where a package manager did.
struct PackageRef {
    enum class Manager { None, Dpkg, Flatpak, Snap };
    Manager manager = Manager::None;
    QString name;           // the Debian package, the Flatpak application id, the snap's name
    bool systemWide = true; // Flatpak: the system installation (false: the user's)
    QString version;        // as the package manager reports it
    QString priority;       // Debian: "required", "important", "standard", "optional", ...
    bool essential = false; // Debian: "Essential: yes"

    bool isPackaged() const { return manager != Manager::None; }
    // A package the system cannot do without: Essential, or of required priority.
    bool isSystemPackage() const { return essential || priority == QLatin1String("required"); }
};
