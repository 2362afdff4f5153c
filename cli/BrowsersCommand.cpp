#include "cli/BrowsersCommand.h"

#include "app/Job/CleanBrowsersOperation.h"
#include "app/inter/BrowserScanner.h"
#include "app/inter/CookieKeepList.h"
#include "app/uninstall/UninstallFolders.h"
#include "cli/BrowsersCleanFormatter.h"
#include "cli/CliBundle.h"
#include "cli/CliInterrupt.h"
#include "cli/CliOperationRunner.h"
#include "cli/CliOptionParser.h"
#include "cli/CliOutput.h"
#include "platform/UserAccount.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

const char* const kUsage = QT_TRANSLATE_NOOP(
    "CliUsage",
    "usage: korvane browsers [--json]\n"
    "       korvane browsers clean [KIND...] [--browser NAME]... [--keep-cookies DOMAIN...]\n"
    "                              [--close] [--yes]\n"
    "Lists the web browsers found (Google Chrome, Chromium, Opera, Brave, Vivaldi, Microsoft\n"
    "Edge, Firefox, LibreWolf; native, snap and flatpak installs, every profile) with what each\n"
    "kind of their data holds, and removes the kinds chosen.\n"
    "KIND: history, downloads, cookies, passwords, forms, session, caches (or the names\n"
    "shown), or all. Without a KIND every kind but the saved passwords is removed; passwords\n"
    "go only when named (passwords, or all).\n"
    "  --browser NAME   only this browser (repeatable)\n"
    "  --keep-cookies DOMAIN...  keep the cookies of these sites and their subdomains, besides\n"
    "                   the sites kept in the settings (KeepCookieDomains)\n"
    "  --close          end a running browser first (/bin/kill), once the removal is agreed,\n"
    "                   then wait for it\n"
    "  --yes            do not ask before removing\n"
    "  --json           JSON output\n"
    "  --user NAME      the user whose browsers they are (default: the user the program\n"
    "                   works for)\n"
    "  --home DIR       look in DIR instead of that user's home\n"
    "  --data FILE      another browser data list than the bundle's EraserHistory.plist\n"
    "  --bundle D       the KorvaneLoader.app bundle (or KORVANE_BUNDLE)\n"
    "A browser that is running, or a browser folder that is a link (not followed), refuses the\n"
    "whole run: close the browser or give --close; name the other browsers with --browser.\n"
    "Removed rows are overwritten in the databases, their journals and logs, and removed files\n"
    "are erased; what the browser deleted on its own earlier is reached only by a free-space\n"
    "wipe.\n"
    "Exit status: 0 when everything chosen was removed, 1 when something was not (it is named),\n"
    "2 on a usage error. Interrupted (SIGINT, SIGTERM or SIGHUP), it finishes the browser under\n"
    "way, names those it did not begin, and exits with 128 + the signal's number.\n");

const QList<std::pair<const char*, const char*>> kAliases = {{"history", "Browsing History"},
                                                             {"downloads", "Download History"},
                                                             {"cookies", "Cookies"},
                                                             {"passwords", "Save Password"},
                                                             {"forms", "Form Values"},
                                                             {"session", "Session"},
                                                             {"caches", "Caches"}};

const QString kAll = QStringLiteral("all");

void printErr(const QString& text) {
    CliOutput::error(QStringLiteral("browsers"), text);
}

QString kindName(const QString& word) {
    if (word.compare(kAll, Qt::CaseInsensitive) == 0)
        return kAll;
    for (const auto& [alias, name] : kAliases)
        if (word.compare(QLatin1String(alias), Qt::CaseInsensitive) == 0 ||
            word.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return QLatin1String(name);
    return {};
}

bool sameKind(const QString& kind, const QString& wanted) {
    // Safari's name for its download list.
    return wanted == kAll || kind == wanted ||
           (wanted == QLatin1String("Download History") &&
            kind == QLatin1String("Downloads History"));
}

QJsonObject toJson(const BrowerObj& browser) {
    QJsonArray profiles, kinds;
    for (const BrowserProfile& p : browser.profiles)
        profiles.append(
            QJsonObject{{QStringLiteral("layout"), p.layout}, {QStringLiteral("path"), p.path}});
    for (const BrowerObjPtr& kind : browser.chrArr) {
        QJsonArray targets;
        for (const BrowerObj::Target& t : kind->targets) {
            const bool db = t.rule.database;
            QJsonObject target{{QStringLiteral("path"), t.path},
                               {QStringLiteral("profile"), t.profile},
                               {QStringLiteral("storage"),
                                db ? QStringLiteral("database") : QStringLiteral("files")}};
            if (!t.known)
                target.insert(QStringLiteral("unknown"), true);
            else if (db)
                target.insert(QStringLiteral("count"), t.count);
            else
                target.insert(QStringLiteral("bytes"), qint64(t.bytes));
            if (!t.problem.isEmpty())
                target.insert(QStringLiteral("problem"), t.problem);
            targets.append(target);
        }
        const bool db = kind->storage == BrowerObj::Storage::Database;
        QJsonObject k{
            {QStringLiteral("name"), kind->name},
            {QStringLiteral("storage"), db ? QStringLiteral("database") : QStringLiteral("files")},
            {QStringLiteral("size"), kind->size},
            {QStringLiteral("targets"), targets}};
        // An unreadable part makes the total unknown: no number is given then.
        if (!kind->unknown())
            k.insert(db ? QStringLiteral("count") : QStringLiteral("bytes"),
                     db ? kind->totalCount() : qint64(kind->totalBytes()));
        kinds.append(k);
    }
    return {{QStringLiteral("name"), browser.name},
            {QStringLiteral("foundBy"),
             browser.foundByApplication ? QStringLiteral("application") : QStringLiteral("data")},
            {QStringLiteral("profiles"), profiles},
            {QStringLiteral("refused"), QJsonArray::fromStringList(browser.refusals)},
            {QStringLiteral("kinds"), kinds}};
}

void printText(const BrowerObj& browser) {
    const auto out = [](const QString& text) {
        std::printf("%s\n", CliOutput::local(text).constData());
    };
    out(browser.foundByApplication
            ? browser.name
            : BrowsersCommand::tr("%1  (found by its data)").arg(browser.name));
    for (const BrowserProfile& p : browser.profiles)
        out(BrowsersCommand::tr("  profile  %1: %2").arg(p.layout, p.path));
    for (const QString& refusal : browser.refusals)
        out(BrowsersCommand::tr("  not followed: %1").arg(refusal));
    for (const BrowerObjPtr& kind : browser.chrArr) {
        out(QStringLiteral("  %1 %2").arg(kind->name, -18).arg(kind->size));
        for (const QString& problem : kind->problems())
            out(BrowsersCommand::tr("    not read: %1").arg(problem));
    }
}

} // namespace

int BrowsersCommand::run(const QStringList& args) {
    CliOptionParser parser(QStringLiteral("browsers"));
    parser.flag({QStringLiteral("json")})
        .flag({QStringLiteral("y"), QStringLiteral("yes")})
        .flag({QStringLiteral("close")})
        .valued({QStringLiteral("browser")}, QStringLiteral("NAME"))
        .valued({QStringLiteral("keep-cookies")}, QStringLiteral("DOMAIN"))
        .valued({QStringLiteral("bundle")}, QStringLiteral("DIR"))
        .valued({QStringLiteral("home")}, QStringLiteral("DIR"))
        .valued({QStringLiteral("user")}, QStringLiteral("NAME"))
        .valued({QStringLiteral("data")}, QStringLiteral("FILE"));
    if (const std::optional<int> end = parser.parseOrEnd(args, kUsage))
        return *end;
    const QString bundle = parser.value(QStringLiteral("bundle"));
    const QString home = parser.value(QStringLiteral("home"));
    const QString userName = parser.value(QStringLiteral("user"));
    const QString dataFile = parser.value(QStringLiteral("data"));
    const bool json = parser.isSet(QStringLiteral("json"));
    const bool yes = parser.isSet(QStringLiteral("yes"));
    const bool close = parser.isSet(QStringLiteral("close"));
    const QStringList browsersWanted = parser.values(QStringLiteral("browser"));
    QStringList keepTyped;
    for (const QString& value : parser.values(QStringLiteral("keep-cookies")))
        keepTyped << value.split(QLatin1Char(','), Qt::SkipEmptyParts);
    // "clean", then kind words; with --keep-cookies, the words that name no kind are more of
    // its domains ("--keep-cookies a.org b.org").
    QString verb;
    QStringList kindsWanted;
    QStringList words = parser.positional();
    if (!words.isEmpty() && words.first() == QLatin1String("clean"))
        verb = words.takeFirst();
    for (const QString& word : words) {
        if (!verb.isEmpty() && !kindName(word).isEmpty())
            kindsWanted << kindName(word);
        else if (!verb.isEmpty() && !keepTyped.isEmpty())
            keepTyped << word.split(QLatin1Char(','), Qt::SkipEmptyParts);
        else
            return parser.usageError(tr("unknown kind or word '%1'").arg(word), kUsage);
    }
    QStringList invalid;
    const CookieKeepList keepHere = CookieKeepList::from(keepTyped, &invalid);
    if (!invalid.isEmpty()) {
        printErr(tr("not a site to keep cookies of: %1").arg(invalid.join(", ")));
        return 2;
    }
    // The name goes into paths: only an account the account database knows.
    const std::optional<UserAccount> user =
        userName.isEmpty() ? UserAccount::invokingUser() : UserAccount::byName(userName.toUtf8());
    if (!user) {
        printErr(userName.isEmpty() ? tr("cannot tell which user this is for")
                                    : tr("no user account '%1'").arg(userName));
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
    BrowserScanner::Options options;
    options.history = EraserHistory::load(dataFile);
    if (!options.history.isValid()) {
        printErr(tr("the browser data list cannot be read"));
        return 1;
    }
    options.userName = user->name;
    options.home = home.isEmpty() ? user->home : QFileInfo(home).absoluteFilePath();
    options.uid = user->uid;
    options.applicationFolders =
        UninstallFolders::load(QString(), options.home).folders(QStringLiteral("Applications"));
    options.keptCookies = CookieKeepList::stored().merged(keepHere);
    const BrowserScanner scanner(options);
    QList<BrowerObjPtr> browsers = scanner.scan();
    for (const QString& wanted : browsersWanted) {
        bool known = false;
        for (const BrowerObjPtr& b : browsers)
            known = known || b->name.compare(wanted, Qt::CaseInsensitive) == 0;
        if (!known) {
            printErr(tr("no browser '%1' found (see korvane browsers)").arg(wanted));
            return 2;
        }
    }
    if (verb.isEmpty()) {
        if (json) {
            QJsonArray array;
            for (const BrowerObjPtr& b : browsers)
                array.append(toJson(*b));
            std::fputs(QJsonDocument(array).toJson(QJsonDocument::Indented).constData(), stdout);
        } else {
            for (const BrowerObjPtr& b : browsers)
                printText(*b);
            std::fprintf(
                stderr, "%s\n",
                CliOutput::local(tr("%n browser(s)", nullptr, int(browsers.size()))).constData());
        }
        return 0;
    }

    // What is chosen: the browsers named (else all), the kinds named (else all but passwords).
    bool passwordsLeft = false;
    for (const BrowerObjPtr& b : browsers) {
        b->isSelect = browsersWanted.isEmpty();
        for (const QString& wanted : browsersWanted)
            b->isSelect = b->isSelect || b->name.compare(wanted, Qt::CaseInsensitive) == 0;
        if (!b->isSelect)
            continue;
        for (const BrowerObjPtr& k : b->chrArr) {
            bool named = false;
            for (const QString& w : kindsWanted)
                named = named || sameKind(k->name, w);
            const bool byDefault =
                kindsWanted.isEmpty() && k->name != QLatin1String("Save Password");
            k->isSelect = !k->targets.isEmpty() && (named || byDefault);
            passwordsLeft =
                passwordsLeft || (kindsWanted.isEmpty() && !k->isSelect && !k->targets.isEmpty());
        }
    }
    CleanBrowsersOperation operation(browsers, user->uid, options.keptCookies);
    const BrowsersCleanFormatter formatter(operation, browsers, passwordsLeft,
                                           options.keptCookies.domains());
    CliOperationRunner::Flags flags;
    flags.yes = yes;
    // A running browser is closed only with --close, and only once the removal is agreed.
    flags.optIn = QStringLiteral("--close");
    flags.optInDoes = tr("have it closed first");
    if (close)
        flags.given.give(DestructiveOperation::Consent::RunningBrowser);
    //: "not removing without confirmation": German needs the participle ("entfernt").
    return CliOperationRunner({tr("removing"), tr("remove"), tr("Nothing was removed."),
                               tr("Cancelling: finishing the browser under way...")},
                              flags, formatter)
        .run(operation);
}
