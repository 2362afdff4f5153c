#include "cli/EraseCommand.h"

#include "app/Comm/PublicUtilities.h"
#include "app/Comm/UserDefaults.h"
#include "app/Main/FileEraser/EraseFileOps.h"
#include "app/Main/FileEraser/FileObjBuilder.h"
#include "app/Main/FileEraser/RemoveFileAndFolder.h"
#include "app/Main/FileEraser/SrmTool.h"
#include "app/SetEraserLevel/EraserStandard.h"
#include "app/inter/DoDataBase.h"
#include "cli/CliBundle.h"
#include "cli/EraseProgressPrinter.h"
#include "platform/BundleLocator.h"
#include "platform/FileSystemInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

const char* const kUsage =
    "usage: korvane erase [--level 1|2|3|7|35] [--yes] [--bundle DIR] PATH...\n"
    "Overwrites and removes each PATH; folders with everything inside them.\n"
    "  --level N   erasure standard by its number of passes (default: the stored level)\n"
    "  --yes       do not ask for confirmation\n"
    "  --bundle D  the KorvaneLoader.app bundle holding the srm tool (or KORVANE_BUNDLE)\n"
    "Symbolic links are removed as links; what they point to is left alone.\n"
    "Overwriting cannot reach copies the file system or the device keeps elsewhere\n"
    "(journals, snapshots, remapped sectors of solid-state disks).\n";

void printErr(const QString& text) {
    std::fprintf(stderr, "korvane erase: %s\n", text.toLocal8Bit().constData());
}

// Ctrl-C and termination cancel the run (the running tool is stopped) instead of killing the
// program half-way; the signal handler only writes to a pipe the event loop watches.
int g_signalPipe[2] = {-1, -1};
void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &byte, 1);
}

bool setUpBundle(const EraseCommand::Options& options) {
    QString error;
    if (!CliBundle::use(options.bundle, &error)) {
        printErr(error);
        return false;
    }
    return true;
}

bool confirm(const QList<FileObjPtr>& items, int level) {
    std::fprintf(stderr, "About to erase with %s (%d pass%s):\n",
                 EraserStandard::nameForLevel(level).toUtf8().constData(), level,
                 level == 1 ? "" : "es");
    for (const FileObjPtr& item : items)
        std::fprintf(stderr, "  %s%s\n", item->url.toLocal8Bit().constData(),
                     item->isDir && !item->isSymbolicLink ? "/ (and everything inside)" : "");
    std::fprintf(stderr, "This cannot be undone. Erase? [y/N] ");
    std::fflush(stderr);
    std::string answer;
    if (!std::getline(std::cin, answer))
        return false;
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "YES";
}

} // namespace

EraseCommand::Options EraseCommand::parse(const QStringList& args) {
    Options options;
    bool onlyPaths = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (onlyPaths || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            options.paths.append(arg);
        } else if (arg == QLatin1String("--")) {
            onlyPaths = true;
        } else if (arg == QLatin1String("--yes") || arg == QLatin1String("-y")) {
            options.yes = true;
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.help = true;
        } else if (arg == QLatin1String("--level") || arg == QLatin1String("--bundle")) {
            if (i + 1 >= args.size()) {
                options.error = QStringLiteral("%1 needs a value").arg(arg);
                return options;
            }
            const QString value = args.at(++i);
            if (arg == QLatin1String("--bundle")) {
                options.bundle = value;
                continue;
            }
            bool ok = false;
            const int level = value.toInt(&ok);
            bool known = false;
            for (const EraserStandard& standard : EraserStandard::all())
                known = known || (ok && standard.level == level);
            if (!known) {
                options.error =
                    QStringLiteral("unknown level '%1' (use 1, 2, 3, 7 or 35)").arg(value);
                return options;
            }
            options.level = level;
        } else {
            options.error = QStringLiteral("unknown option '%1'").arg(arg);
            return options;
        }
    }
    if (options.paths.isEmpty() && !options.help)
        options.error = QStringLiteral("no path given");
    return options;
}

bool EraseCommand::isRootFolder(const QString& path) {
    return QDir::cleanPath(QDir::current().absoluteFilePath(path)) == QLatin1String("/");
}

int EraseCommand::run(const QStringList& args) {
    const Options options = parse(args);
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (!options.error.isEmpty()) {
        printErr(options.error);
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!setUpBundle(options))
        return 1;

    QString problem;
    if (SrmTool::locate(&problem).isEmpty()) {
        printErr(problem + QStringLiteral("; nothing was erased"));
        return 1;
    }

    // Every path is checked before anything is erased.
    FileObjBuilder builder; // items on solid-state storage get a single pass
    QList<FileObjPtr> chosen;
    QStringList seen;
    for (const QString& path : options.paths) {
        const QString absolute = QDir::cleanPath(QDir::current().absoluteFilePath(path));
        if (isRootFolder(path)) {
            printErr(QStringLiteral("refusing to erase the root folder \"/\""));
            return 1;
        }
        if (!EraseFileOps::pathExists(absolute)) {
            printErr(QStringLiteral("%1: no such file or folder").arg(path));
            return 1;
        }
        const QString type = FileSystemInfo::forPath(absolute).type;
        if (FileSystemInfo::isNtfsOrLifsType(type)) {
            printErr(QStringLiteral("%1 is on an %2 volume; files are not erased on NTFS volumes")
                         .arg(path, type));
            return 1;
        }
        if (seen.contains(absolute))
            continue;
        seen.append(absolute);
        chosen.append(builder.addFileToArr(absolute));
    }

    RemoveFileAndFolder task;
    const int level = options.level > 0 ? options.level : task.getEraserTimes();
    task.setEraserTimes(level);
    if (!options.yes) {
        if (!::isatty(STDIN_FILENO)) {
            printErr(QStringLiteral("not erasing without confirmation: standard input is not a "
                                    "terminal; add --yes to erase anyway"));
            return 1;
        }
        if (!confirm(chosen, level)) {
            std::fprintf(stderr, "Nothing was erased.\n");
            return 1;
        }
    }

    // Each path's own stretch of the work list, so that its result covers everything in it.
    QList<FileObjPtr> work;
    QList<QList<FileObjPtr>> perPath;
    for (const FileObjPtr& item : chosen) {
        perPath.append(builder.buildWorkList({item}));
        work += perPath.last();
    }
    EraseProgressPrinter printer(::isatty(STDERR_FILENO) == 1, work.size());
    task.setDelegate(&printer);

    if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) == 0) {
        auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read,
                                             QCoreApplication::instance());
        QObject::connect(notifier, &QSocketNotifier::activated, notifier, [&task, &printer] {
            char drain[16];
            while (::read(g_signalPipe[0], drain, sizeof drain) > 0) {
            }
            printer.cancelled();
            task.isCancel();
        });
        std::signal(SIGINT, onSignal);
        std::signal(SIGTERM, onSignal);
        std::signal(SIGHUP, onSignal);
    }

    printer.onEnd([] { QCoreApplication::exit(0); });
    task.benginToTraskWithArr(work);
    QCoreApplication::exec();

    // Erased: the path is gone and nothing in it failed. A file whose name went but whose data
    // was left (another hard link still reaches it), or a cancelled run, is a failure.
    bool allErased = true;
    QList<FileObjPtr> outcome;
    for (qsizetype i = 0; i < chosen.size(); ++i) {
        bool erased = !EraseFileOps::pathExists(chosen[i]->url);
        for (const FileObjPtr& item : perPath[i])
            erased = erased && item->failStr == QLatin1String("Success");
        allErased = allErased && erased;
        std::printf("%s %s\n", erased ? "Erased" : "Failed",
                    chosen[i]->url.toLocal8Bit().constData());
        auto line = std::make_shared<FileObj>(*chosen[i]);
        line->failStr = erased ? QStringLiteral("Erased") : QStringLiteral("Failed");
        outcome.append(line);
    }
    std::fflush(stdout);

    // One history entry per run, as the window records it, and the unseen-history flag.
    DoDataBase::returnDoDataBase()->writePlistForHistoryWithArr(outcome, level);
    PublicUtilities::writeUpDataHistoryStr(QStringLiteral("WipeFileHistory"), QStringLiteral("1"));
    return allErased ? 0 : 1;
}
