#include "cli/AppsCommand.h"
#include "cli/BrowsersCommand.h"
#include "cli/CertificateCommand.h"
#include "cli/CliBundle.h"
#include "cli/CliOutput.h"
#include "cli/CopyCommand.h"
#include "cli/DisksCommand.h"
#include "cli/DriveWipeCommand.h"
#include "cli/DuplicatesCommand.h"
#include "cli/EraseCommand.h"
#include "cli/HistoryCommand.h"
#include "cli/SettingsCommand.h"
#include "cli/UpdateCommand.h"
#include "cli/VolumesCommand.h"
#include "cli/WipeCommand.h"
#include "platform/BundleLocator.h"
#include "platform/Logger.h"
#include "platform/Translations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <memory>
#include <string_view>

namespace {
const char* const kUsage = QT_TRANSLATE_NOOP(
    "CliUsage",
    "usage: korvane COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  erase PATH...   overwrite and remove files and folders\n"
    "  history         list, show, export, delete or repair erasure history;\n"
    "                  the signed certificate of an entry\n"
    "  certificate     verify certificates; show or import the signing key\n"
    "  settings        the organisation, operator and validator certificates name\n"
    "  volumes         list the mounted volumes\n"
    "  wipe-free-space MOUNTPOINT  overwrite the free space of a volume\n"
    "  wipe-volume DEVICE  erase everything on a volume\n"
    "  wipe-drive DEVICE...  overwrite every byte of drives or partitions, read back\n"
    "  apps            list, inspect and remove applications\n"
    "  disks           list the disks and their volumes\n"
    "  format DEVICE FS NAME  make a new, empty file system on a volume, partition or disk\n"
    "  rename DEVICE NAME     name a volume\n"
    "  mount, unmount, eject DEVICE\n"
    "  copy SOURCE... DESTINATION  copy files and folders, checked\n"
    "  update-check    ask whether a newer version is out\n"
    "  browsers        list and remove browser history, cookies, caches\n"
    "  duplicates DIR  find (and delete) duplicate files under a folder\n"
    "  --version       print the version and exit\n"
    "\n"
    "'korvane COMMAND --help' describes each command.\n");
}

// korvane: the command-line front end over the same core as the window.
int main(int argc, char** argv) {
    Logger::open("korvane");
    // A PDF is laid out with Qt's text engine, which needs a GUI application; the offscreen
    // platform gives one without a display. Every other command stays a plain core program.
    bool printing = false;
    for (int i = 1; i < argc; ++i)
        printing = printing || std::string_view(argv[i]) == "--pdf" ||
                   std::string_view(argv[i]).ends_with(".pdf");
    std::unique_ptr<QCoreApplication> application;
    if (printing && argc > 1 && std::string_view(argv[1]) == "history") {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QStringList args = QCoreApplication::arguments().mid(1);
    // The tables are in the program's own bundle, found before any verb locates the bundle it
    // works with (--bundle or KORVANE_BUNDLE may name another one, without tables).
    QString tables;
    for (const QString& bundle : {CliBundle::bundleNextTo(BundleLocator::runningExecutablePath()),
                                  CliBundle::bundleFor(args)})
        if (tables.isEmpty() && !bundle.isEmpty() &&
            QFileInfo::exists(Translations::folderIn(bundle)))
            tables = Translations::folderIn(bundle);
    Translations::install({}, tables);
    const QString command = args.isEmpty() ? QString() : args.takeFirst();
    if (command.isEmpty() || command == QLatin1String("--help") || command == QLatin1String("-h")) {
        std::fputs(CliOutput::usage(kUsage).constData(), command.isEmpty() ? stderr : stdout);
        return command.isEmpty() ? 2 : 0;
    }
    if (command == QLatin1String("--version")) {
        std::printf("korvane (Korvane Data Eraser) %s\n", KORVANE_VERSION);
        return 0;
    }
    if (command == QLatin1String("erase")) {
        // The paths exactly as given: a name that is not UTF-8 must reach the erasure unchanged.
        QList<QByteArray> raw;
        for (int i = 2; i < argc; ++i)
            raw.append(QByteArray(argv[i]));
        return EraseCommand::run(raw);
    }
    if (command == QLatin1String("apps"))
        return AppsCommand::run(args);
    for (const char* verb : {"disks", "format", "rename", "mount", "unmount", "eject"})
        if (command == QLatin1String(verb))
            return DisksCommand::run(command, args);
    if (command == QLatin1String("copy"))
        return CopyCommand::run(args);
    if (command == QLatin1String("update-check"))
        return UpdateCommand::run(args, QStringLiteral(KORVANE_VERSION));
    if (command == QLatin1String("browsers"))
        return BrowsersCommand::run(args);
    if (command == QLatin1String("duplicates"))
        return DuplicatesCommand::run(args);
    if (command == QLatin1String("history"))
        return HistoryCommand::run(args);
    if (command == QLatin1String("certificate"))
        return CertificateCommand::run(args);
    if (command == QLatin1String("settings"))
        return SettingsCommand::run(args);
    if (command == QLatin1String("volumes"))
        return VolumesCommand::run(args);
    if (command == QLatin1String("wipe-free-space"))
        return WipeCommand::run(args, WipeCommand::Mode::FreeSpace);
    if (command == QLatin1String("wipe-drive"))
        return DriveWipeCommand::run(args);
    if (command == QLatin1String("wipe-volume"))
        return WipeCommand::run(args, WipeCommand::Mode::WholeVolume);
    std::fprintf(stderr, "korvane: %s\n%s",
                 CliOutput::local(QCoreApplication::translate("CliUsage", "unknown command '%1'")
                                      .arg(CliOutput::printable(command)))
                     .constData(),
                 CliOutput::usage(kUsage).constData());
    return 2;
}
