#pragma once

#include "app/uninstall/PackageRef.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <memory>

// One row of the uninstaller: an application, a widget, a plug-in or a file that belongs to an
// application. Lists and selections share the very items, so they travel as AMAppItemPtr and
// are compared by identity. Only RelatedAppFilesScanner makes them.
class AMAppItem {
public:
    enum class Kind {
        DesktopEntry, // an application's desktop entry (installed by a package manager or not)
        AppImage,     // a self-contained AppImage file
        Bundle,       // a folder bundle with Contents/Info.plist
        Widget,
        Plugin,
        RelatedFile, // a file or folder in one of the per-application folders
    };

    QString image;    // icon name (of the icon theme) or icon file path; empty: by type
    QString name;     // display name
    QString path;     // full path: the desktop entry, the AppImage, the bundle, the file
    QString bundleID; // desktop-file id or CFBundleIdentifier; empty for other items
    bool isSystemApp = false;
    QString bundleVersion; // the package's version, X-AppImage-Version or the bundle's
    QDateTime date;        // when the item at path was made (its birth time, or change time)
    bool bIsSelected = false;
    QString isSystemAppStr; // "YES" or "NO"
    QString size;           // size text, "0KB" until measured: shown, never added up
    quint64 sizeBytes = 0;  // the same in bytes: what totals and sorting use
    bool bIsGetSize = false;

    Kind kind = Kind::RelatedFile;
    QString searchName;   // the name related files are looked for by (untranslated)
    QString executable;   // the program Exec starts, as written there
    PackageRef package;   // how it was installed, when by a package manager
    QStringList ownFiles; // further files of the application itself (an AppImage's entry)
    // Files of the application itself that its removal leaves: a program outside the user's
    // home that no package manager installed. Said before and after, never called removed.
    QStringList keptFiles;
    // Why the item is listed but never removed (a plug-in that is part of a package).
    QString keptReason;
    // A related file of the Downloads folder: the user's own as often as an installer, so it
    // starts unselected.
    bool startsUnselected = false;

    AMAppItem() : date(QDateTime::currentDateTime()) {}
    // A copy carries everything but the three flags, which start false.
    std::shared_ptr<AMAppItem> copy() const;
};

using AMAppItemPtr = std::shared_ptr<AMAppItem>;
