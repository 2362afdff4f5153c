#include "cli/AppsCommand.h"

#include "app/Comm/CommUti.h"
#include "cli/AppsRemoveFormatter.h"
#include "cli/CliBundle.h"
#include "cli/CliOperationRunner.h"
#include "cli/CliOptionParser.h"
#include "cli/CliOutput.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

const char* const kUsage = QT_TRANSLATE_NOOP(
    "CliUsage",
    "usage: korvane apps [--tab apps|widgets|plugins] [--json]\n"
    "       korvane apps related NAME|PATH [--json]\n"
    "       korvane apps remove NAME|PATH... [--keep-related] [--erase-securely] [--yes]\n"
    "Lists what can be uninstalled, shows the files that belong to an application (its\n"
    "settings, caches, logs, data and downloads), and removes applications the way they were\n"
    "installed (apt, flatpak, snap, or their files) together with those files.\n"
    "  --tab T          apps (default), widgets or plugins\n"
    "  --json           JSON output\n"
    "  --keep-related   remove the application only, not its files\n"
    "  --erase-securely overwrite the related files before removing them\n"
    "  --yes            do not ask before removing\n"
    "  --folders FILE   another folder list than the bundle's UninstallerFolders.plist\n"
    "  --home DIR       look in DIR instead of the home of the user the program works for\n"
    "  --bundle D       the KorvaneLoader.app bundle (or KORVANE_BUNDLE)\n"
    "Files in the download folder are listed but not removed (they are as often the user's\n"
    "own as installers): remove those yourself.\n"
    "Interrupted (SIGINT, SIGTERM or SIGHUP), a removal finishes the package removals under\n"
    "way (a package manager stopped halfway leaves the system's package database broken),\n"
    "removes no further file, says what was removed and exits with 128 + the signal's number.\n");

QString kindText(const AMAppItem& item) {
    switch (item.package.manager) {
    case PackageRef::Manager::Dpkg:
        return QStringLiteral("deb:") + item.package.name;
    case PackageRef::Manager::Flatpak:
        return QStringLiteral("flatpak:") + item.package.name;
    case PackageRef::Manager::Snap:
        return QStringLiteral("snap:") + item.package.name;
    case PackageRef::Manager::None:
        break;
    }
    switch (item.kind) {
    case AMAppItem::Kind::AppImage:
        return QStringLiteral("appimage");
    case AMAppItem::Kind::Bundle:
        return QStringLiteral("bundle");
    case AMAppItem::Kind::Widget:
        return QStringLiteral("widget");
    case AMAppItem::Kind::Plugin:
        return QStringLiteral("plugin");
    default:
        return QStringLiteral("files");
    }
}

QJsonObject toJson(const AMAppItem& item) {
    return {{QStringLiteral("name"), item.name},
            {QStringLiteral("id"), item.bundleID},
            {QStringLiteral("version"), item.bundleVersion},
            {QStringLiteral("installedBy"), kindText(item)},
            {QStringLiteral("path"), item.path},
            {QStringLiteral("size"), item.size},
            {QStringLiteral("bytes"), qint64(item.sizeBytes)},
            {QStringLiteral("kept"), item.keptReason}};
}

void printErr(const QString& text) {
    CliOutput::error(QStringLiteral("apps"), text);
}

// The catalogue entry named NAME (its name or id, any case) or at PATH.
AMAppItemPtr find(const QList<AMAppItemPtr>& apps, const QString& wanted) {
    const QString path =
        QFileInfo(wanted).isAbsolute() ? QFileInfo(wanted).absoluteFilePath() : QString();
    for (const AMAppItemPtr& app : apps)
        if ((!path.isEmpty() && app->path == path) ||
            app->name.compare(wanted, Qt::CaseInsensitive) == 0 ||
            app->bundleID.compare(wanted, Qt::CaseInsensitive) == 0)
            return app;
    return nullptr;
}

} // namespace

int AppsCommand::remove(const AppCatalog& catalog, const QList<AMAppItemPtr>& apps,
                        const QStringList& wanted, const RemoveOptions& options) {
    QList<QList<AMAppItemPtr>> groups;
    QStringList labels;
    QList<AMAppItemPtr> keptDownloads;
    for (const QString& name : wanted) {
        const AMAppItemPtr app = find(apps, name);
        if (!app) {
            printErr(AppsCommand::tr("no application '%1' (see korvane apps)").arg(name));
            return 2;
        }
        QList<AMAppItemPtr> group;
        for (const AMAppItemPtr& item :
             options.keepRelated ? QList<AMAppItemPtr>{app} : catalog.relatedFiles(app)) {
            if (item->startsUnselected)
                keptDownloads << item;
            else
                group << item;
        }
        groups << group;
        labels << QStringLiteral("%1 (%2)").arg(app->name, kindText(*app));
    }
    UninstallOperation operation(groups, catalog.folders(), options.operation);
    const AppsRemoveFormatter formatter(operation, groups, labels, keptDownloads);
    CliOperationRunner::Flags flags;
    flags.yes = options.yes;
    // A package removal under way is finished: a package manager stopped halfway leaves the
    // system's package database broken.
    //: "not removing without confirmation": German needs the participle ("entfernt").
    return CliOperationRunner({tr("removing"), tr("remove"), tr("Nothing was removed."),
                               tr("Cancelling: finishing the removal under way...")},
                              flags, formatter)
        .run(operation);
}

int AppsCommand::run(const QStringList& args) {
    CliOptionParser parser(QStringLiteral("apps"));
    parser.flag({QStringLiteral("json")})
        .flag({QStringLiteral("keep-related")})
        .flag({QStringLiteral("erase-securely")})
        .flag({QStringLiteral("y"), QStringLiteral("yes")})
        .valued({QStringLiteral("tab")}, QStringLiteral("T"))
        .valued({QStringLiteral("bundle")}, QStringLiteral("DIR"))
        .valued({QStringLiteral("folders")}, QStringLiteral("FILE"))
        .valued({QStringLiteral("home")}, QStringLiteral("DIR"));
    if (const std::optional<int> end = parser.parseOrEnd(args, kUsage))
        return *end;
    const QString tab = parser.isSet(QStringLiteral("tab")) ? parser.value(QStringLiteral("tab"))
                                                            : QStringLiteral("apps");
    const QString bundle = parser.value(QStringLiteral("bundle"));
    const QString foldersFile = parser.value(QStringLiteral("folders"));
    const QString home = parser.value(QStringLiteral("home"));
    const bool json = parser.isSet(QStringLiteral("json"));
    const bool keepRelated = parser.isSet(QStringLiteral("keep-related"));
    QStringList operands = parser.positional();
    QString verb;
    if (!operands.isEmpty() && (operands.first() == QLatin1String("related") ||
                                operands.first() == QLatin1String("remove")))
        verb = operands.takeFirst();
    const int tabIndex = tab == QLatin1String("apps")      ? AppCatalog::Applications
                         : tab == QLatin1String("widgets") ? AppCatalog::Widgets
                         : tab == QLatin1String("plugins") ? AppCatalog::Plugins
                                                           : -1;
    if (tabIndex < 0 || (verb.isEmpty() && !operands.isEmpty()) ||
        (!verb.isEmpty() && operands.isEmpty()) ||
        (verb == QLatin1String("related") && operands.size() != 1)) {
        std::fputs(CliOutput::usage(kUsage).constData(), stderr);
        return 2;
    }
    if (!home.isEmpty() && !(QFileInfo(home).isAbsolute() && QFileInfo(home).isDir())) {
        printErr(tr("--home needs an existing folder given by its full path"));
        return 2;
    }
    QString error;
    if (!CliBundle::use(bundle, &error)) {
        printErr(error);
        return 1;
    }
    UninstallFolders folders = UninstallFolders::load(foldersFile, home);
    if (!folders.isValid()) {
        printErr(tr("the folder list cannot be read"));
        return 1;
    }
    const AppCatalog catalog(folders);
    const QList<AMAppItemPtr> items = catalog.scan(verb.isEmpty() ? tabIndex : 0);
    if (verb == QLatin1String("remove")) {
        RemoveOptions options;
        options.keepRelated = keepRelated;
        options.yes = parser.isSet(QStringLiteral("yes"));
        options.operation.eraseSecurely = parser.isSet(QStringLiteral("erase-securely"));
        return remove(catalog, items, operands, options);
    }
    QList<AMAppItemPtr> shown = items;
    if (verb == QLatin1String("related")) {
        const AMAppItemPtr app = find(items, operands.first());
        if (!app) {
            printErr(tr("no application '%1' (see korvane apps)").arg(operands.first()));
            return 2;
        }
        shown = catalog.relatedFiles(app);
    }
    if (json) {
        QJsonArray array;
        for (const AMAppItemPtr& item : shown) {
            // The catalogue leaves sizes to be measured when shown: the list measures each
            // application (a package's installed size) here.
            if (verb.isEmpty() && !item->bIsGetSize) {
                item->sizeBytes = AppCatalog::sizeBytesOf(*item);
                item->size = CommUti::convertVolSpace(item->sizeBytes);
                item->bIsGetSize = true;
            }
            QJsonObject object = toJson(*item);
            if (verb == QLatin1String("related"))
                object.insert(QStringLiteral("selected"), !item->startsUnselected);
            array.append(object);
        }
        std::fputs(QJsonDocument(array).toJson(QJsonDocument::Indented).constData(), stdout);
        return 0;
    }
    for (const AMAppItemPtr& item : shown) {
        if (verb.isEmpty())
            std::printf("%s%s\n",
                        qPrintable(QStringLiteral("%1\t%2\t%3\t%4\t%5")
                                       .arg(item->name, item->bundleID, item->bundleVersion,
                                            kindText(*item), item->path)),
                        item->keptReason.isEmpty()
                            ? ""
                            : qPrintable(QLatin1Char('\t') + tr("kept: %1").arg(item->keptReason)));
        else
            std::printf(
                "%s\t%s%s\n", qPrintable(item->path), qPrintable(item->size),
                item->startsUnselected
                    ? qPrintable(QLatin1Char('\t') + tr("(download: not removed by default)"))
                    : "");
    }
    if (verb.isEmpty())
        std::fprintf(stderr, "%s\n",
                     CliOutput::local(tr("%n item(s)", nullptr, int(shown.size()))).constData());
    return 0;
}
