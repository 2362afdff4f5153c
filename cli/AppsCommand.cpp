#include "cli/AppsCommand.h"

#include "app/uninstall/AppCatalog.h"
#include "app/uninstall/AsMDeleteExecutor.h"
#include "app/uninstall/PackageRemoval.h"
#include "app/uninstall/RelatedAppFilesScanner.h"
#include "cli/CliBundle.h"
#include "cli/CliInterrupt.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <unistd.h>

namespace {

const char* const kUsage =
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
    "removes no further file, says what was removed and exits with 128 + the signal's number.\n";

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
            {QStringLiteral("size"), item.size}};
}

void printErr(const QString& text) {
    std::fprintf(stderr, "korvane apps: %s\n", text.toLocal8Bit().constData());
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

bool confirmed() {
    if (!::isatty(STDIN_FILENO)) {
        printErr(QStringLiteral("not removing without --yes when the input is not a terminal"));
        return false;
    }
    std::fputs("Remove these? [y/N] ", stdout);
    std::fflush(stdout);
    char answer[16] = {};
    return std::fgets(answer, sizeof answer, stdin) != nullptr &&
           (answer[0] == 'y' || answer[0] == 'Y');
}

int removeApps(const AppCatalog& catalog, const QList<AMAppItemPtr>& apps,
               const QStringList& wanted, bool keepRelated, bool eraseSecurely, bool yes) {
    QList<AMAppItemPtr> items;
    QList<AMAppItemPtr> skippedDownloads;
    bool refused = false;
    PackageRemoval packages{PackageRemoval::Tools()};
    for (const QString& name : wanted) {
        const AMAppItemPtr app = find(apps, name);
        if (!app) {
            printErr(QStringLiteral("no application '%1' (see korvane apps)").arg(name));
            return 2;
        }
        std::printf("%s\n", qPrintable(QStringLiteral("%1 (%2)").arg(app->name, kindText(*app))));
        if (app->package.isPackaged()) {
            const PackageRemoval::Plan plan = packages.simulate(app->package);
            if (!plan.allowed) {
                std::printf("  refused: %s\n", plan.refusal.toLocal8Bit().constData());
                refused = true;
                continue;
            }
            std::printf("  packages removed: %s\n",
                        plan.packages.join(QStringLiteral(", ")).toLocal8Bit().constData());
        }
        const QList<AMAppItemPtr> group =
            keepRelated ? QList<AMAppItemPtr>{app} : catalog.relatedFiles(app);
        for (const AMAppItemPtr& item : group) {
            if (item->startsUnselected) {
                skippedDownloads << item;
                continue;
            }
            std::printf("  %s  %s\n", item->path.toLocal8Bit().constData(),
                        item->size.toLocal8Bit().constData());
            items << item;
        }
    }
    for (const AMAppItemPtr& item : skippedDownloads)
        std::printf("  kept (in the download folder): %s\n", item->path.toLocal8Bit().constData());
    if (refused || items.isEmpty())
        return 1;
    if (!yes && !confirmed()) {
        std::puts("Nothing was removed.");
        return 1;
    }
    struct Progress : AsMDeleteExecutorDelegate {
        int done = 0, total = 0;
        void report(const AMAppItemPtr& item, const char* what) {
            ++done;
            std::fprintf(stderr, "%3d%% %s %s\n", done * 100 / total, what,
                         item->path.toLocal8Bit().constData());
        }
        void deleteRelatedFile(const AMAppItemPtr& item) override { report(item, "removed"); }
        void deleteRelatedFileFail(const AMAppItemPtr& item, const QString&) override {
            report(item, "failed");
        }
    } progress;
    progress.total = int(items.size());
    AsMDeleteExecutor executor(catalog.folders());
    executor.setDelegate(&progress);
    executor.setEraseSecurely(eraseSecurely);
    static std::atomic_bool stop{false};
    CliInterrupt::lineBufferedOutput();
    CliInterrupt::install({}, &stop);
    executor.setStopRequest(&stop);
    const UninstallReport report = executor.executeDelete(items);
    std::printf("%s\n", report.message().toLocal8Bit().constData());
    if (CliInterrupt::interrupted()) {
        std::fprintf(stderr,
                     "Interrupted by %s: %lld of %lld items removed (what was under way was "
                     "finished); the others were not removed\n",
                     CliInterrupt::signalName(), qlonglong(report.removed.size()),
                     qlonglong(items.size()));
        return CliInterrupt::exitStatus();
    }
    return report.allRemoved() ? 0 : 1;
}

} // namespace

int AppsCommand::run(const QStringList& args) {
    QString tab = QStringLiteral("apps"), bundle, foldersFile, home, verb;
    bool json = false, keepRelated = false, eraseSecurely = false, yes = false;
    QStringList operands;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--json"))
            json = true;
        else if (arg == QLatin1String("--keep-related"))
            keepRelated = true;
        else if (arg == QLatin1String("--erase-securely"))
            eraseSecurely = true;
        else if (arg == QLatin1String("--yes"))
            yes = true;
        else if (arg == QLatin1String("--tab") && i + 1 < args.size())
            tab = args[++i];
        else if (arg == QLatin1String("--bundle") && i + 1 < args.size())
            bundle = args[++i];
        else if (arg == QLatin1String("--folders") && i + 1 < args.size())
            foldersFile = args[++i];
        else if (arg == QLatin1String("--home") && i + 1 < args.size())
            home = args[++i];
        else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg.startsWith(QLatin1String("--"))) {
            std::fprintf(stderr, "korvane apps: unknown option '%s'\n%s", qPrintable(arg), kUsage);
            return 2;
        } else if (verb.isEmpty() && operands.isEmpty() &&
                   (arg == QLatin1String("related") || arg == QLatin1String("remove")))
            verb = arg;
        else
            operands << arg;
    }
    const int tabIndex = tab == QLatin1String("apps")      ? AppCatalog::Applications
                         : tab == QLatin1String("widgets") ? AppCatalog::Widgets
                         : tab == QLatin1String("plugins") ? AppCatalog::Plugins
                                                           : -1;
    if (tabIndex < 0 || (verb.isEmpty() && !operands.isEmpty()) ||
        (!verb.isEmpty() && operands.isEmpty()) ||
        (verb == QLatin1String("related") && operands.size() != 1)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!home.isEmpty() && !(QFileInfo(home).isAbsolute() && QFileInfo(home).isDir())) {
        printErr(QStringLiteral("--home needs an existing folder given by its full path"));
        return 2;
    }
    QString error;
    if (!CliBundle::use(bundle, &error)) {
        printErr(error);
        return 1;
    }
    UninstallFolders folders = UninstallFolders::load(foldersFile, home);
    if (!folders.isValid()) {
        printErr(QStringLiteral("the folder list cannot be read"));
        return 1;
    }
    const AppCatalog catalog(folders);
    const QList<AMAppItemPtr> items = catalog.scan(verb.isEmpty() ? tabIndex : 0);
    if (verb == QLatin1String("remove"))
        return removeApps(catalog, items, operands, keepRelated, eraseSecurely, yes);
    QList<AMAppItemPtr> shown = items;
    if (verb == QLatin1String("related")) {
        const AMAppItemPtr app = find(items, operands.first());
        if (!app) {
            printErr(
                QStringLiteral("no application '%1' (see korvane apps)").arg(operands.first()));
            return 2;
        }
        shown = catalog.relatedFiles(app);
    }
    if (json) {
        QJsonArray array;
        for (const AMAppItemPtr& item : shown) {
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
            std::printf("%s\n", qPrintable(QStringLiteral("%1\t%2\t%3\t%4\t%5")
                                               .arg(item->name, item->bundleID, item->bundleVersion,
                                                    kindText(*item), item->path)));
        else
            std::printf("%s\t%s%s\n", qPrintable(item->path), qPrintable(item->size),
                        item->startsUnselected ? "\t(download: not removed by default)" : "");
    }
    if (verb.isEmpty())
        std::fprintf(stderr, "%lld items\n", static_cast<long long>(shown.size()));
    return 0;
}
