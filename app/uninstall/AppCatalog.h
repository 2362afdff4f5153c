#pragma once

#include "app/uninstall/AMAppItem.h"
#include "app/uninstall/PackageLookup.h"
#include "app/uninstall/UninstallFolders.h"

#include <QList>
#include <QSet>
#include <QString>

// What the uninstaller lists, in three tabs: applications, widgets and plug-ins, found by
// walking the folders of each tab (UninstallFolders). The walks never follow a link into a
// folder, so a link loop cannot keep them going, and never walk into an item they found.
//
// Applications are the desktop entries a user sees (not Hidden, not NoDisplay, of type
// Application), AppImage files and folder bundles (NAME.app with Contents/Info.plist); a desktop
// id found again in a later folder is the same application, shadowed by the first (as the
// desktop itself treats it). The package that installed each desktop entry is looked up once
// for all, and gives its version; system applications (an identifier among the system
// prefixes, or a package the system needs) are left out of the applications tab.
class AppCatalog {
public:
    enum Tab { Applications = 0, Widgets = 1, Plugins = 2 };

    explicit AppCatalog(UninstallFolders folders,
                        PackageLookup lookup = PackageLookup(PackageLookup::Tools()));

    const UninstallFolders& folders() const { return m_folders; }
    // The folders walked for TAB, in order.
    QStringList searchPaths(int tab) const;

    // Walks every folder of TAB and returns what it found, in walk order (for applications
    // without system ones, with their packages looked up).
    QList<AMAppItemPtr> scan(int tab) const;

    // The walks of one folder; each appends to OUT.
    void applicationsInPath(const QString& folder, QList<AMAppItemPtr>& out) const;
    void widgetsInPath(const QString& folder, QList<AMAppItemPtr>& out) const;
    void pluginsInPath(const QString& folder, QList<AMAppItemPtr>& out) const;

    // What belongs to APP (RelatedAppFilesScanner), less what another package installed: a
    // machine-wide match that a package other than APP's own owns is that package's, not APP's.
    QList<AMAppItemPtr> relatedFiles(const AMAppItemPtr& app) const;

    // The size text of ITEM: a Debian package's installed size, else what its files take.
    static QString sizeOf(const AMAppItem& item);
    static quint64 sizeBytesOf(const AMAppItem& item);

    // Fills in the packages that installed ITEMS (AppImages and bundles come from none), and
    // marks the ones the system needs.
    void lookUpPackages(const QList<AMAppItemPtr>& items) const;
    // The file an Exec= program names, searched on a fixed path; empty when there is none.
    static QString programFile(const QString& program);

private:
    void useProgramPackages(const QList<AMAppItemPtr>& items) const;
    void walkApplications(const QString& folder, const QString& idPrefix, QSet<QString>& seen,
                          QList<AMAppItemPtr>& out) const;

    UninstallFolders m_folders;
    PackageLookup m_lookup;
};
