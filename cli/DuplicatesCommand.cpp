#include "cli/DuplicatesCommand.h"

#include "app/Comm/LocalTimeText.h"
#include "app/Comm/SizeText.h"
#include "app/Job/DeleteDuplicatesOperation.h"
#include "app/duplicat/Duplicate/DuplicateGroup.h"
#include "app/duplicat/Duplicate/duplicateFind.h"
#include "app/duplicat/DuplicateDeleteJob.h"
#include "app/duplicat/DuplicatePick.h"
#include "cli/CliBundle.h"
#include "cli/CliInterrupt.h"
#include "cli/CliOperationRunner.h"
#include "cli/CliOptionParser.h"
#include "cli/CliOutput.h"
#include "cli/DuplicatesDeleteFormatter.h"

#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

const char* const kUsage = QT_TRANSLATE_NOOP(
    "CliUsage",
    "usage: korvane duplicates DIR [--hidden] [--system] [--json] [--threads N]\n"
    "       korvane duplicates DIR --delete keep-newest|keep-oldest [--method M] [--yes]\n"
    "Finds files (and application bundles, folders named *.app) of identical content under DIR:\n"
    "same size, same CRC-64 of the first 1024 bytes and of the whole content. Groups are listed\n"
    "in the search's order, each with its size and the space its extra copies take.\n"
    "  --hidden        search hidden files and folders too\n"
    "  --system        search the system folders too when DIR is /\n"
    "  --json          JSON output\n"
    "  --threads N     threads reading files (default: the number of cores)\n"
    "  --delete RULE   delete all copies but the newest (keep-newest) or the oldest (keep-oldest)\n"
    "                  of each group; every copy is compared byte for byte with the kept one "
    "first\n"
    "  --method M      trash (default: the Trash of the user the program works for), remove, or\n"
    "                  erase (overwrite securely with the stored erasure level)\n"
    "  --yes           do not ask before deleting\n"
    "  --bundle D      the KorvaneLoader.app bundle (or KORVANE_BUNDLE), for --method erase\n"
    "Other names of one file (hard links) and copy-on-write copies sharing all their data are\n"
    "marked as such: removing them frees nothing, and they are never deleted against each other.\n"
    "Pseudo file systems (proc, sysfs...) are never entered.\n"
    "With --delete each copy's line (Removed PATH, or Kept PATH: why) is printed when the run\n"
    "ends, a stopped run included. Exit status: 0 when every planned copy went, 1 when any\n"
    "stayed, 2 for bad usage.\n");

void printErr(const QString& text) {
    CliOutput::error(QStringLiteral("duplicates"), text);
}

QString show(const QString& path) {
    return CliOutput::printable(path);
}

QString storageNote(const DuplicateGroup& group, const fileAttrbItem& f) {
    if (f.sharesWith < 0)
        return {};
    const QString other = show(group.files[f.sharesWith]->filePathName);
    switch (f.storage) {
    case fileAttrbItem::Storage::HardLink:
        return DuplicatesCommand::tr("hard link of %1").arg(other);
    case fileAttrbItem::Storage::Reflink:
        return DuplicatesCommand::tr("shares all its data with %1").arg(other);
    case fileAttrbItem::Storage::SameFile:
        return DuplicatesCommand::tr("the same file as %1").arg(other);
    case fileAttrbItem::Storage::Own:
        break;
    }
    return {};
}

QString storageName(fileAttrbItem::Storage storage) {
    switch (storage) {
    case fileAttrbItem::Storage::HardLink:
        return QStringLiteral("hardlink");
    case fileAttrbItem::Storage::Reflink:
        return QStringLiteral("reflink");
    case fileAttrbItem::Storage::SameFile:
        return QStringLiteral("samefile");
    case fileAttrbItem::Storage::Own:
        break;
    }
    return QStringLiteral("own");
}

void appendf(std::string& out, const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (n > 0)
        out.append(line, std::min<std::size_t>(std::size_t(n), sizeof line - 1));
}

// A path as printed: plain ASCII goes out as it is, anything else through the escaping of
// control characters.
std::string shownPath(const fileAttrbItem& f) {
    const QByteArray& raw = f.nativePath;
    const bool plain =
        std::all_of(raw.cbegin(), raw.cend(), [](char c) { return c >= 0x20 && c < 0x7f; });
    if (plain)
        return raw.toStdString();
    return show(f.filePathName).toLocal8Bit().toStdString();
}

} // namespace

int DuplicatesCommand::run(const QStringList& args) {
    CliOptionParser parser(QStringLiteral("duplicates"));
    parser.flag({QStringLiteral("hidden")})
        .flag({QStringLiteral("system")})
        .flag({QStringLiteral("json")})
        .flag({QStringLiteral("y"), QStringLiteral("yes")})
        .valued({QStringLiteral("threads")}, QStringLiteral("N"))
        .valued({QStringLiteral("delete")}, QStringLiteral("RULE"))
        .valued({QStringLiteral("method")}, QStringLiteral("M"))
        .valued({QStringLiteral("bundle")}, QStringLiteral("DIR"));
    if (const std::optional<int> end = parser.parseOrEnd(args, kUsage, CliInterrupt::kHelp))
        return *end;
    const bool hidden = parser.isSet(QStringLiteral("hidden"));
    const bool system = parser.isSet(QStringLiteral("system"));
    const bool json = parser.isSet(QStringLiteral("json"));
    const bool yes = parser.isSet(QStringLiteral("yes"));
    const QString bundle = parser.value(QStringLiteral("bundle"));
    const QString rule = parser.value(QStringLiteral("delete"));
    int threads = 0;
    if (parser.isSet(QStringLiteral("threads"))) {
        threads = parser.value(QStringLiteral("threads")).toInt();
        if (threads <= 0)
            return parser.usageError(tr("--threads takes a number above 0"), kUsage);
    }
    if (parser.isSet(QStringLiteral("delete")) && rule != QLatin1String("keep-newest") &&
        rule != QLatin1String("keep-oldest"))
        return parser.usageError(tr("--delete takes keep-newest or keep-oldest"), kUsage);
    DuplicateDeleteJob::Method method = DuplicateDeleteJob::Method::Trash;
    if (parser.isSet(QStringLiteral("method"))) {
        const auto named =
            DuplicateDeleteJob::methodFromName(parser.value(QStringLiteral("method")));
        if (!named)
            return parser.usageError(tr("--method takes trash, remove or erase"), kUsage);
        method = *named;
    }
    const QStringList operands = parser.positional();
    if (operands.size() != 1 || operands.first().isEmpty())
        return parser.usageError(QString(), kUsage);
    const QString root = operands.first();
    const QFileInfo info(root);
    if (!info.isDir()) {
        printErr(tr("%1 is not a folder").arg(show(root)));
        return 1;
    }
    if (!rule.isEmpty() && method == DuplicateDeleteJob::Method::Erase) {
        QString error;
        if (!CliBundle::use(bundle, &error)) {
            printErr(error);
            return 1;
        }
    }

    // The search and its results are left to the end of the process, which takes the memory
    // back at once: freeing the records of a large result one by one took longer than listing
    // them.
    struct Found {
        duplicateFind finder;
        QList<fileAttrbItemPtr> flat;
        QList<DuplicateGroup> groups;
        QList<QList<AppAttrbItemPtr>> bundles;
    };
    Found& found = *new Found;
    duplicateFind& finder = found.finder;
    finder.setSearchOption(hidden, system);
    finder.setThreadCount(threads);
    finder.searchDuplicateFileAtPath(info.absoluteFilePath(), 0);
    finder.getAllDuplicateFile(&found.flat);
    found.groups = DuplicateGroup::split(found.flat);
    const QList<DuplicateGroup>& groups = found.groups;
    finder.getAllAppDuplicateDir(&found.bundles);
    const QList<QList<AppAttrbItemPtr>>& bundles = found.bundles;

    std::uint64_t wasted = 0;
    qsizetype files = 0;
    for (const DuplicateGroup& g : groups) {
        wasted += g.wastedBytes();
        files += g.files.size();
    }
    std::uint64_t bundleWaste = 0;
    for (const QList<AppAttrbItemPtr>& g : bundles)
        bundleWaste += std::uint64_t(g.size() - 1) * g.first()->DirectorySize;

    if (rule.isEmpty() && json) {
        LocalTimeText iso("%Y-%m-%dT%H:%M:%S", 1);
        QJsonArray jg;
        for (const DuplicateGroup& g : groups) {
            QJsonArray jf;
            for (const fileAttrbItemPtr& f : g.files) {
                QJsonObject o{{"path", f->filePathName},
                              {"modified", QString::fromLatin1(iso.of(f->mtimeSec))},
                              {"storage", storageName(f->storage)}};
                if (f->sharesWith >= 0)
                    o.insert("sharesWith", g.files[f->sharesWith]->filePathName);
                jf.append(o);
            }
            jg.append(QJsonObject{
                {"size", qint64(g.fileSize)}, {"wasted", qint64(g.wastedBytes())}, {"files", jf}});
        }
        QJsonArray jb;
        for (const QList<AppAttrbItemPtr>& g : bundles) {
            QJsonArray paths;
            for (const AppAttrbItemPtr& b : g)
                paths.append(b->DirectoryPathName);
            jb.append(QJsonObject{{"size", qint64(g.first()->DirectorySize)},
                                  {"files", qint64(g.first()->AllFileInDirectory.size())},
                                  {"bundles", paths}});
        }
        const QJsonObject out{{"root", info.absoluteFilePath()},
                              {"candidates", qint64(finder.candidateCount())},
                              {"groups", jg},
                              {"bundleGroups", jb},
                              {"duplicateFiles", qint64(files)},
                              {"wastedBytes", qint64(wasted)},
                              {"bundleWastedBytes", qint64(bundleWaste)}};
        std::fputs(QJsonDocument(out).toJson(QJsonDocument::Indented).constData(), stdout);
        return 0;
    }

    if (rule.isEmpty()) {
        LocalTimeText minutes("%Y-%m-%d %H:%M", 60);
        std::string out;
        for (const DuplicateGroup& g : groups) {
            out.clear();
            //: %1 the size, %2 the exact count of bytes, %3 the space the copies take.
            out += CliOutput::local(
                       tr("%n copies of %1 (%2 bytes), %3 wasted:", nullptr, int(g.files.size()))
                           .arg(SizeText::shownWithTerabytes(qint64(g.fileSize)))
                           .arg(qulonglong(g.fileSize))
                           .arg(SizeText::shownWithTerabytes(qint64(g.wastedBytes()))))
                       .toStdString();
            out += '\n';
            for (const fileAttrbItemPtr& f : g.files) {
                out += "  ";
                out += minutes.of(f->mtimeSec);
                out += "  ";
                out += shownPath(*f);
                if (f->sharesWith >= 0)
                    out += ("  (" + storageNote(g, *f) + ")").toLocal8Bit().constData();
                out += '\n';
            }
            std::fwrite(out.data(), 1, out.size(), stdout);
        }
        for (const QList<AppAttrbItemPtr>& g : bundles) {
            std::printf("%s\n",
                        CliOutput::local(tr("%n identical bundle(s) of %1:", nullptr, int(g.size()))
                                             .arg(SizeText::shownWithTerabytes(
                                                 qint64(g.first()->DirectorySize))))
                            .constData());
            for (const AppAttrbItemPtr& b : g)
                std::printf("  %s\n", show(b->DirectoryPathName).toLocal8Bit().constData());
        }
        // Each count in a sentence part of its own, so that each gets its plural form.
        const QStringList parts{tr("%n group(s)", nullptr, int(groups.size())),
                                tr("%n file(s), %1 wasted", nullptr, int(files))
                                    .arg(SizeText::shownWithTerabytes(qint64(wasted))),
                                tr("%n bundle group(s), %1 wasted", nullptr, int(bundles.size()))
                                    .arg(SizeText::shownWithTerabytes(qint64(bundleWaste))),
                                tr("(%n file(s) compared)", nullptr, int(finder.candidateCount()))};
        //: Joins the counts: "2 groups, 5 files, 1.00 KB wasted; 0 bundle groups, ... (9 files
        //: compared)".
        std::printf("%s\n", CliOutput::local(
                                tr("%1, %2; %3 %4").arg(parts[0], parts[1], parts[2], parts[3]))
                                .constData());
        return 0;
    }

    // Deletion: files only (bundles are listed, never deleted from here).
    QList<DuplicatePick::Marks> marks;
    for (const DuplicateGroup& g : groups)
        marks << (rule == QLatin1String("keep-newest") ? DuplicatePick::keepNewest(g)
                                                       : DuplicatePick::keepOldest(g));
    QHash<QString, QString> keptAgainst;
    for (const DuplicateDeleteJob::Planned& p : DuplicateDeleteJob::plan(groups, marks))
        keptAgainst.insert(p.file->filePathName, p.reference->filePathName);
    DuplicateDeleteJob::Options options;
    options.method = method;
    DeleteDuplicatesOperation operation(groups, marks, options);
    const DuplicatesDeleteFormatter formatter(method, std::move(keptAgainst));
    CliOperationRunner::Flags flags;
    flags.yes = yes;
    // A signal stops the run before the next copy; the one under way is finished.
    //: "not deleting without confirmation": German needs the participle ("gelöscht").
    return CliOperationRunner({tr("deleting"), tr("delete"), tr("Nothing was deleted."),
                               tr("Cancelling: finishing the copy under way...")},
                              flags, formatter)
        .run(operation);
}
