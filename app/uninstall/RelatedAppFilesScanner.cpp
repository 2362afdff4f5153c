#include "app/uninstall/RelatedAppFilesScanner.h"

#include "app/Comm/CommUti.h"
#include "app/Comm/FileTreeSize.h"
#include "app/Main/WipeDisk/DiskUtil.h"
#include "app/uninstall/DesktopEntry.h"
#include "app/uninstall/UninstallFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int kShortestPattern = 3;

bool isSystemId(const QString& id, const UninstallFolders& folders) {
    if (id.isEmpty())
        return false;
    for (const QString& prefix : folders.systemPrefixes())
        if (id.startsWith(prefix))
            return true;
    return false;
}

// "Obsidian-1.5.3.AppImage" → "Obsidian": the name before a version.
QString appImageName(const QString& fileName) {
    QString base = fileName;
    base.chop(QStringLiteral(".AppImage").size());
    for (qsizetype i = 1; i + 1 < base.size(); ++i)
        if ((base[i] == QLatin1Char('-') || base[i] == QLatin1Char('_')) &&
            (base[i + 1].isDigit() || base[i + 1] == QLatin1Char('v')))
            return base.left(i);
    return base;
}

void fillFromBundle(AMAppItem& item, const QString& path) {
    QFile plist(path + QStringLiteral("/Contents/Info.plist"));
    if (!plist.open(QIODevice::ReadOnly) || plist.size() > (4 << 20))
        return;
    const QVariantMap info = DiskUtil::parsePlist(plist.readAll()).toMap();
    item.bundleID = info.value(QStringLiteral("CFBundleIdentifier")).toString();
    item.bundleVersion = info.value(QStringLiteral("CFBundleShortVersionString")).toString();
    QString name = info.value(QStringLiteral("CFBundleName")).toString();
    if (name.isEmpty())
        name = info.value(QStringLiteral("CFBundleExecutable")).toString();
    item.searchName = name;
    item.executable = info.value(QStringLiteral("CFBundleExecutable")).toString();
    const QString display = info.value(QStringLiteral("CFBundleDisplayName")).toString();
    item.name = !display.isEmpty() ? display : !name.isEmpty() ? name : item.name;
}

} // namespace

bool RelatedAppFilesScanner::matches(const QString& name, const QString& pattern) {
    if (pattern.size() < kShortestPattern || name.size() < pattern.size())
        return false;
    if (name.left(pattern.size()).compare(pattern, Qt::CaseInsensitive) != 0)
        return false;
    return name.size() == pattern.size() || !name[pattern.size()].isLetterOrNumber();
}

bool RelatedAppFilesScanner::isListed(const QList<AMAppItemPtr>& result, const QString& path) {
    const QString cleaned = QDir::cleanPath(path);
    for (const AMAppItemPtr& item : result) {
        const QString listed = QDir::cleanPath(item->path);
        if (cleaned == listed || cleaned.startsWith(listed + QLatin1Char('/')))
            return true;
    }
    return false;
}

AMAppItemPtr RelatedAppFilesScanner::getAppItemWithFilePath(const QString& path, bool /*appFlag*/,
                                                            const UninstallFolders& folders) {
    auto item = std::make_shared<AMAppItem>();
    item->path = path;
    const QFileInfo info(path);
    item->name = info.fileName();
    if (path.endsWith(QLatin1String(".desktop")) && info.isFile()) {
        DesktopEntry entry;
        if (DesktopEntry::read(path, entry)) {
            item->kind = AMAppItem::Kind::DesktopEntry;
            item->name = entry.localizedName.isEmpty() ? item->name : entry.localizedName;
            item->searchName = entry.name;
            item->bundleID = info.fileName().chopped(8); // the file's name without ".desktop"
            item->executable = entry.program();
            item->image = entry.icon;
            item->bundleVersion = entry.appImageVersion;
        }
    } else if (path.endsWith(QLatin1String(".AppImage")) && info.isFile()) {
        item->kind = AMAppItem::Kind::AppImage;
        item->name = appImageName(info.fileName());
        item->searchName = item->name;
        item->bundleID = item->name.toLower();
        item->executable = path;
    } else if (info.isDir() && QFileInfo(path + QStringLiteral("/Contents/Info.plist")).isFile()) {
        item->kind = AMAppItem::Kind::Bundle;
        if (item->name.endsWith(QLatin1String(".app")))
            item->name.chop(4);
        fillFromBundle(*item, path);
    }
    item->isSystemApp = isSystemId(item->bundleID, folders);
    item->isSystemAppStr = item->isSystemApp ? QStringLiteral("YES") : QStringLiteral("NO");
    const QFileInfo own(path);
    item->date = own.birthTime().isValid() ? own.birthTime() : own.metadataChangeTime();
    return item;
}

AMAppItemPtr RelatedAppFilesScanner::constructItem(const QString& path, bool appFlag,
                                                   const UninstallFolders& folders) {
    AMAppItemPtr item = getAppItemWithFilePath(path, appFlag, folders);
    item->size = QStringLiteral("0KB");
    return item;
}

AMAppItemPtr RelatedAppFilesScanner::aConstructItem(const QString& path, bool appFlag,
                                                    const UninstallFolders& folders) {
    AMAppItemPtr item = getAppItemWithFilePath(path, appFlag, folders);
    item->sizeBytes = FileTreeSize::of(QFile::encodeName(path));
    item->size = CommUti::convertVolSpace(item->sizeBytes);
    item->bIsGetSize = true;
    return item;
}

QString RelatedAppFilesScanner::getFileSizeItem(const QString& path) {
    return CommUti::convertVolSpace(FileTreeSize::of(QFile::encodeName(path)));
}

void RelatedAppFilesScanner::AddPathIfExists(QList<AMAppItemPtr>& result, const QString& folder,
                                             const QString& pattern,
                                             const UninstallFolders& folders) {
    QString spaceless = pattern;
    spaceless.remove(QLatin1Char(' '));
    const QStringList entries = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QString& entry : entries) {
        if (!matches(entry, pattern) && !matches(entry, spaceless))
            continue;
        // The name and the id often match the same entry, and two kinds may share a folder: a
        // path is listed (and its size counted) once, and nothing inside a listed folder again.
        const QString path = folder + QLatin1Char('/') + entry;
        if (isListed(result, path))
            continue;
        AMAppItemPtr item = aConstructItem(path, false, folders);
        item->kind = AMAppItem::Kind::RelatedFile;
        result.append(item);
    }
}

void RelatedAppFilesScanner::searchKind(QList<AMAppItemPtr>& result, const QString& kind,
                                        const QString& n, const QString& i,
                                        const UninstallFolders& folders) {
    for (const QString& folder : folders.folders(kind)) {
        AddPathIfExists(result, folder, n, folders);
        AddPathIfExists(result, folder, i, folders);
    }
}

void RelatedAppFilesScanner::GetPreferencePaths(QList<AMAppItemPtr>& result, const QString& n,
                                                const QString& i, const UninstallFolders& f) {
    searchKind(result, QStringLiteral("Preferences"), n, i, f);
}

void RelatedAppFilesScanner::GetCachePaths(QList<AMAppItemPtr>& result, const QString& n,
                                           const QString& i, const UninstallFolders& f) {
    searchKind(result, QStringLiteral("Caches"), n, i, f);
}

void RelatedAppFilesScanner::GetLogPaths(QList<AMAppItemPtr>& result, const QString& n,
                                         const QString& i, const UninstallFolders& f) {
    searchKind(result, QStringLiteral("Logs"), n, i, f);
}

void RelatedAppFilesScanner::GetSavedStatePaths(QList<AMAppItemPtr>& result, const QString& n,
                                                const QString& i, const UninstallFolders& f) {
    searchKind(result, QStringLiteral("SavedState"), n, i, f);
}

void RelatedAppFilesScanner::GetAppSupportPaths(QList<AMAppItemPtr>& result, const QString& n,
                                                const QString& i, const UninstallFolders& f) {
    searchKind(result, QStringLiteral("AppSupport"), n, i, f);
}

void RelatedAppFilesScanner::GetDownloadPaths(QList<AMAppItemPtr>& result, const QString& n,
                                              const QString& i, const UninstallFolders& f) {
    const qsizetype first = result.size();
    searchKind(result, QStringLiteral("Downloads"), n, i, f);
    for (qsizetype k = first; k < result.size(); ++k)
        result[k]->startsUnselected = true;
}

QList<AMAppItemPtr>
RelatedAppFilesScanner::relatedFilesToApplicationAtPath(const AMAppItemPtr& app,
                                                        const UninstallFolders& folders) {
    QList<AMAppItemPtr> result;
    AMAppItemPtr first = app->copy();
    first->sizeBytes = FileTreeSize::of(QFile::encodeName(app->path));
    first->size = CommUti::convertVolSpace(first->sizeBytes);
    first->bIsGetSize = true;
    result.append(first);
    const QString n = app->searchName;
    const QString i = app->bundleID;
    if (n.isEmpty() || i.trimmed().isEmpty())
        return result;
    GetPreferencePaths(result, n, i, folders);
    GetCachePaths(result, n, i, folders);
    GetLogPaths(result, n, i, folders);
    GetSavedStatePaths(result, n, i, folders);
    GetAppSupportPaths(result, n, i, folders);
    GetDownloadPaths(result, n, i, folders);
    return result;
}
