#include "app/uninstall/AppCatalog.h"

#include "app/Comm/CommUti.h"
#include "app/Comm/FileTreeSize.h"
#include "app/uninstall/DesktopEntry.h"
#include "app/uninstall/RelatedAppFilesScanner.h"
#include "platform/ChildProcessTie.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

QFileInfoList entriesOf(const QString& folder) {
    return QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

bool isRealFolder(const QFileInfo& info) {
    return info.isDir() && !info.isSymLink();
}

QJsonObject jsonFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > (1 << 20))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

} // namespace

AppCatalog::AppCatalog(UninstallFolders folders, PackageLookup lookup)
    : m_folders(std::move(folders)), m_lookup(std::move(lookup)) {}

QStringList AppCatalog::searchPaths(int tab) const {
    switch (tab) {
    case Applications:
        return m_folders.folders(QStringLiteral("Applications"));
    case Widgets:
        return m_folders.folders(QStringLiteral("Widgets"));
    case Plugins:
        return m_folders.folders(QStringLiteral("Plugins"));
    }
    return {};
}

QList<AMAppItemPtr> AppCatalog::scan(int tab) const {
    QList<AMAppItemPtr> found;
    if (tab == Applications) {
        QSet<QString> seen;
        for (const QString& folder : searchPaths(tab))
            walkApplications(folder, QString(), seen, found);
        lookUpPackages(found);
        // An AppImage that a desktop entry starts is that entry's application, listed once.
        QSet<QString> started;
        for (const AMAppItemPtr& item : found)
            started.unite(QSet<QString>(item->ownFiles.begin(), item->ownFiles.end()));
        QList<AMAppItemPtr> shown;
        for (const AMAppItemPtr& item : found)
            if (!item->isSystemApp &&
                !(item->kind == AMAppItem::Kind::AppImage && started.contains(item->path)))
                shown.append(item);
        return shown;
    }
    for (const QString& folder : searchPaths(tab)) {
        if (tab == Widgets)
            widgetsInPath(folder, found);
        else
            pluginsInPath(folder, found);
    }
    // A widget or plug-in a package installed is removed through that package, never by
    // deleting a file the package manager keeps. A plug-in is one file of a larger package
    // (GStreamer's, GTK's modules) that other software needs: it is shown as kept, with why.
    lookUpPackages(found);
    for (const AMAppItemPtr& item : found)
        if (item->kind == AMAppItem::Kind::Plugin && item->package.isPackaged())
            item->keptReason =
                QStringLiteral("Part of the package %1, which other software may need: it goes "
                               "only with that package, never on its own.")
                    .arg(item->package.name);
    return found;
}

void AppCatalog::applicationsInPath(const QString& folder, QList<AMAppItemPtr>& out) const {
    QSet<QString> seen;
    walkApplications(folder, QString(), seen, out);
}

void AppCatalog::walkApplications(const QString& folder, const QString& idPrefix,
                                  QSet<QString>& seen, QList<AMAppItemPtr>& out) const {
    for (const QFileInfo& info : entriesOf(folder)) {
        const QString name = info.fileName();
        const QString path = info.filePath();
        if (name.endsWith(QLatin1String(".desktop")) && info.isFile()) {
            // A desktop entry in a subfolder has the subfolder in its id: kde4/foo → kde4-foo.
            const QString id = idPrefix + name.chopped(8);
            DesktopEntry entry;
            if (seen.contains(id) || !DesktopEntry::read(path, entry))
                continue;
            seen.insert(id); // hidden or not, it shadows the same id further on
            if (!entry.isApplication())
                continue;
            AMAppItemPtr item = RelatedAppFilesScanner::constructItem(path, true, m_folders);
            item->bundleID = id;
            out.append(item);
        } else if (name.endsWith(QLatin1String(".AppImage")) && info.isFile()) {
            out.append(RelatedAppFilesScanner::constructItem(path, true, m_folders));
        } else if (name.endsWith(QLatin1String(".app")) && isRealFolder(info) &&
                   QFileInfo(path + QStringLiteral("/Contents/Info.plist")).isFile()) {
            out.append(RelatedAppFilesScanner::constructItem(path, true, m_folders));
        } else if (isRealFolder(info)) {
            walkApplications(path, idPrefix + name + QLatin1Char('-'), seen, out);
        }
    }
}

void AppCatalog::widgetsInPath(const QString& folder, QList<AMAppItemPtr>& out) const {
    // Each folder in there is one widget: a shell extension (metadata.json with uuid, name,
    // version) or a plasmoid (metadata.json with KPlugin, or metadata.desktop).
    for (const QFileInfo& info : entriesOf(folder)) {
        if (!isRealFolder(info))
            continue;
        const QString path = info.filePath();
        AMAppItemPtr item = RelatedAppFilesScanner::constructItem(path, false, m_folders);
        item->kind = AMAppItem::Kind::Widget;
        const QJsonObject meta = jsonFile(path + QStringLiteral("/metadata.json"));
        const QJsonObject plugin = meta.value(QStringLiteral("KPlugin")).toObject();
        if (!plugin.isEmpty()) {
            item->name = plugin.value(QStringLiteral("Name")).toString(item->name);
            item->bundleID = plugin.value(QStringLiteral("Id")).toString(info.fileName());
            item->bundleVersion = plugin.value(QStringLiteral("Version")).toString();
        } else if (!meta.isEmpty()) {
            item->name = meta.value(QStringLiteral("name")).toString(item->name);
            item->bundleID = meta.value(QStringLiteral("uuid")).toString(info.fileName());
            const QJsonValue version = meta.value(QStringLiteral("version"));
            item->bundleVersion =
                version.isDouble() ? QString::number(version.toInt()) : version.toString();
        } else {
            DesktopEntry entry;
            if (!DesktopEntry::read(path + QStringLiteral("/metadata.desktop"), entry))
                continue; // not a widget
            item->name = entry.localizedName.isEmpty() ? item->name : entry.localizedName;
            item->bundleID = info.fileName();
        }
        item->searchName = item->name;
        out.append(item);
    }
}

void AppCatalog::pluginsInPath(const QString& folder, QList<AMAppItemPtr>& out) const {
    for (const QFileInfo& info : entriesOf(folder)) {
        const QString name = info.fileName();
        bool plugin = false;
        for (const QString& suffix : m_folders.pluginSuffixes())
            plugin = plugin || (name.endsWith(suffix) && name.size() > suffix.size());
        if (plugin && (info.isFile() || info.isDir())) {
            AMAppItemPtr item =
                RelatedAppFilesScanner::constructItem(info.filePath(), false, m_folders);
            item->kind = AMAppItem::Kind::Plugin;
            item->searchName = info.completeBaseName();
            out.append(item);
        } else if (isRealFolder(info)) {
            pluginsInPath(info.filePath(), out);
        }
    }
}

// The file PROGRAM (an Exec= program) names: as written when absolute, else the first match on
// a fixed search path (the environment's PATH is not trusted when running as root).
QString AppCatalog::programFile(const QString& program) {
    if (program.isEmpty())
        return {};
    if (program.contains(QLatin1Char('/')))
        return QFileInfo(program).isAbsolute() ? QDir::cleanPath(program) : QString();
    for (const char* folder : {"/usr/local/sbin", "/usr/local/bin", "/usr/sbin", "/usr/bin",
                               "/sbin", "/bin", "/usr/games", "/usr/local/games"}) {
        const QString candidate = QLatin1String(folder) + QLatin1Char('/') + program;
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

// A shared "-common" or "-data" package holds the entry of an application whose program comes
// in another package (an editor's entry beside its builds for the terminal and for GTK): the
// removable application is the package of the program, found by asking dpkg for the program's
// file, /etc/alternatives links followed.
void AppCatalog::useProgramPackages(const QList<AMAppItemPtr>& items) const {
    QHash<QString, QList<AMAppItemPtr>> byProgram;
    for (const AMAppItemPtr& item : items) {
        const QString name = item->package.name;
        if (item->package.manager != PackageRef::Manager::Dpkg ||
            !(name.endsWith(QLatin1String("-common")) || name.endsWith(QLatin1String("-data"))))
            continue;
        const QString program = programFile(item->executable);
        if (!program.isEmpty())
            byProgram[program] << item;
    }
    if (byProgram.isEmpty())
        return;
    const QHash<QString, PackageRef> owners = m_lookup.ownersOf(byProgram.keys());
    for (auto it = byProgram.cbegin(); it != byProgram.cend(); ++it) {
        const PackageRef owner = owners.value(it.key());
        if (owner.manager != PackageRef::Manager::Dpkg)
            continue;
        for (const AMAppItemPtr& item : it.value()) {
            if (owner.name == item->package.name)
                continue;
            item->package = owner;
            if (!owner.version.isEmpty())
                item->bundleVersion = owner.version;
            item->isSystemApp = owner.isSystemPackage();
            item->isSystemAppStr = item->isSystemApp ? QStringLiteral("YES") : QStringLiteral("NO");
        }
    }
}

void AppCatalog::lookUpPackages(const QList<AMAppItemPtr>& items) const {
    QStringList entries;
    for (const AMAppItemPtr& item : items)
        if (item->kind != AMAppItem::Kind::AppImage && item->kind != AMAppItem::Kind::Bundle)
            entries << item->path;
    if (entries.isEmpty())
        return;
    const QHash<QString, PackageRef> owners = m_lookup.ownersOf(entries);
    for (const AMAppItemPtr& item : items) {
        const auto it = owners.constFind(item->path);
        if (it == owners.constEnd() || !it->isPackaged()) {
            // An entry no package installed that starts a program given by its full path (an
            // AppImage, a program in ~/Apps): in the user's home the program is the
            // application's own file, removed with it; elsewhere it stays, and is said to.
            const QFileInfo program(item->executable);
            if (item->kind == AMAppItem::Kind::DesktopEntry && program.isAbsolute() &&
                program.isFile()) {
                const QString file = QDir::cleanPath(item->executable);
                const QString home = m_folders.home();
                if (!home.isEmpty() && file.startsWith(home + QLatin1Char('/')))
                    item->ownFiles = QStringList{file};
                else
                    item->keptFiles = QStringList{file};
            }
            continue;
        }
        item->package = *it;
        if (!it->version.isEmpty())
            item->bundleVersion = it->version;
        if (it->isSystemPackage()) {
            item->isSystemApp = true;
            item->isSystemAppStr = QStringLiteral("YES");
        }
    }
    useProgramPackages(items);
}

QList<AMAppItemPtr> AppCatalog::relatedFiles(const AMAppItemPtr& app) const {
    QList<AMAppItemPtr> found =
        RelatedAppFilesScanner::relatedFilesToApplicationAtPath(app, m_folders);
    // A package's installed size, not its desktop entry's.
    found.first()->sizeBytes = sizeBytesOf(*app);
    found.first()->size = CommUti::convertVolSpace(found.first()->sizeBytes);
    QStringList machineWide;
    const QString home = m_folders.home() + QLatin1Char('/');
    for (qsizetype i = 1; i < found.size(); ++i)
        if (m_folders.home().isEmpty() || !found[i]->path.startsWith(home))
            machineWide << found[i]->path;
    if (machineWide.isEmpty())
        return found;
    const QHash<QString, PackageRef> owners = m_lookup.ownersOf(machineWide);
    QList<AMAppItemPtr> kept{found.first()};
    for (qsizetype i = 1; i < found.size(); ++i) {
        const auto it = owners.constFind(found[i]->path);
        if (it != owners.constEnd() && it->isPackaged() &&
            !(app->package.isPackaged() && it->name == app->package.name))
            continue;
        kept << found[i];
    }
    return kept;
}

QString AppCatalog::sizeOf(const AMAppItem& item) {
    return CommUti::convertVolSpace(sizeBytesOf(item));
}

quint64 AppCatalog::sizeBytesOf(const AMAppItem& item) {
    // A plug-in is its own file, not the whole package that brought it.
    if (item.package.manager == PackageRef::Manager::Dpkg && item.kind != AMAppItem::Kind::Plugin) {
        QProcess query;
        ChildProcessTie::tieToThisProcess(query);
        query.start(QStringLiteral("dpkg-query"),
                    {QStringLiteral("-W"), QStringLiteral("-f=${Installed-Size}"),
                     QStringLiteral("--"), item.package.name});
        if (query.waitForFinished(10000) && query.exitCode() == 0) {
            bool ok = false;
            const quint64 kib = query.readAllStandardOutput().trimmed().toULongLong(&ok);
            if (ok)
                return kib * 1024;
        }
    }
    quint64 bytes = FileTreeSize::of(QFile::encodeName(item.path));
    for (const QString& own : item.ownFiles)
        bytes += FileTreeSize::of(QFile::encodeName(own));
    return bytes;
}
