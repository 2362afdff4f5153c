#pragma once

#include "app/uninstall/AMAppItem.h"

#include <QList>
#include <QString>

class UninstallFolders;

// Makes the uninstaller's items, and finds what belongs to an application on disk: the
// application itself, then every file and folder in the per-application folders (settings,
// caches, logs, saved state, data, downloads) whose name starts with the application's name or
// its identifier. It only reads; it never changes anything.
//
// A name matches a pattern when, ignoring case, it equals the pattern or continues after it with
// a character that is neither a letter nor a digit ("gimp" finds "gimp-2.10" and "GIMP", not
// "gimpel"); the pattern is tried as given and without its spaces, and a pattern shorter than
// three characters finds nothing. Matches are not de-duplicated: a folder listed for two kinds,
// or an entry matching both the name and the identifier, gives two items.
class RelatedAppFilesScanner {
public:
    RelatedAppFilesScanner() = delete;

    // A new item for PATH: a desktop entry, an AppImage, a folder bundle or any other file.
    // FOLDERS gives the identifier prefixes of system applications.
    static AMAppItemPtr getAppItemWithFilePath(const QString& path, bool appFlag,
                                               const UninstallFolders& folders);
    // As above, size "0KB" (measured later).
    static AMAppItemPtr constructItem(const QString& path, bool appFlag,
                                      const UninstallFolders& folders);
    // As above, with the measured size.
    static AMAppItemPtr aConstructItem(const QString& path, bool appFlag,
                                       const UninstallFolders& folders);
    // The size text of PATH ("0.00 KB" when nothing can be measured); links are not followed.
    static QString getFileSizeItem(const QString& path);

    // APP first (measured), then its related files in the folders' order: user folders before
    // machine-wide ones, and for each folder the matches of the name, then of the identifier.
    static QList<AMAppItemPtr> relatedFilesToApplicationAtPath(const AMAppItemPtr& app,
                                                               const UninstallFolders& folders);

    // Whether the entry NAME matches PATTERN (see above).
    static bool matches(const QString& name, const QString& pattern);
    // PATH is already in RESULT, or inside a folder listed there.
    static bool isListed(const QList<AMAppItemPtr>& result, const QString& path);

    // The search steps, each appending to RESULT for the name N and the identifier I.
    static void GetPreferencePaths(QList<AMAppItemPtr>& result, const QString& n, const QString& i,
                                   const UninstallFolders& folders);
    static void GetCachePaths(QList<AMAppItemPtr>& result, const QString& n, const QString& i,
                              const UninstallFolders& folders);
    static void GetLogPaths(QList<AMAppItemPtr>& result, const QString& n, const QString& i,
                            const UninstallFolders& folders);
    static void GetSavedStatePaths(QList<AMAppItemPtr>& result, const QString& n, const QString& i,
                                   const UninstallFolders& folders);
    static void GetAppSupportPaths(QList<AMAppItemPtr>& result, const QString& n, const QString& i,
                                   const UninstallFolders& folders);
    static void GetDownloadPaths(QList<AMAppItemPtr>& result, const QString& n, const QString& i,
                                 const UninstallFolders& folders);
    // Appends the entries of FOLDER that match PATTERN.
    static void AddPathIfExists(QList<AMAppItemPtr>& result, const QString& folder,
                                const QString& pattern, const UninstallFolders& folders);

private:
    static void searchKind(QList<AMAppItemPtr>& result, const QString& kind, const QString& n,
                           const QString& i, const UninstallFolders& folders);
};
