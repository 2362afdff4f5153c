// Where the cleaner may reach: every path below a profile's own folders, profiles named by an
// absolute path cleaned in place and never removed, links followed only inside the home, and
// whatever is found but not the cleaner's to touch reported and counted as not cleaned.
#include "BrowserFixture.h"

#include "app/inter/BrowserCleaner.h"
#include "app/inter/BrowserScanner.h"
#include "app/inter/ToGetDB.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {

const QString kPlist = QStringLiteral(KORVANE_SOURCE_DIR "/app/Resources/EraserHistory.plist");

QList<BrowerObjPtr> scan(const BrowserFixture& fx, ToGetDB* db = nullptr,
                         const CookieKeepList& kept = {}) {
    BrowserScanner::Options options;
    options.history = EraserHistory::load(kPlist);
    options.userName = QStringLiteral("ann");
    options.home = fx.home();
    options.uid = ::getuid();
    options.database = db;
    options.keptCookies = kept;
    return BrowserScanner(options).scan();
}

BrowerObjPtr named(const QList<BrowerObjPtr>& list, const QString& name) {
    for (const BrowerObjPtr& b : list)
        if (b->name == name)
            return b;
    return nullptr;
}

BrowerObjPtr kindOf(const BrowerObjPtr& browser, const QString& kind) {
    for (const BrowerObjPtr& k : browser->chrArr)
        if (k->name == kind)
            return k;
    return nullptr;
}

void selectAll(const QList<BrowerObjPtr>& browsers) {
    for (const BrowerObjPtr& b : browsers)
        for (const BrowerObjPtr& k : b->chrArr)
            k->isSelect = true;
}

QStringList profilePaths(const BrowerObjPtr& browser) {
    QStringList out;
    for (const BrowserProfile& p : browser->profiles)
        out << p.path;
    return out;
}

// Every file below FOLDER with its bytes, by path relative to FOLDER.
QMap<QString, QByteArray> snapshot(const QString& folder) {
    QMap<QString, QByteArray> out;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        out.insert(QDir(folder).relativeFilePath(path), f.readAll());
    }
    return out;
}

void link(const QString& target, const QString& at) {
    QDir().mkpath(QFileInfo(at).path());
    ASSERT_EQ(::symlink(target.toUtf8().constData(), at.toUtf8().constData()), 0)
        << at.toStdString();
}

struct CommandRun {
    int exitCode = -1;
    QByteArray out;
};

CommandRun korvane(const QString& home, const QStringList& args) {
    QProcess p;
    const QString user = QString::fromLocal8Bit(::getpwuid(::getuid())->pw_name);
    p.start(QStringLiteral(KORVANE_BUILD_DIR "/bin/korvane"),
            QStringList{"browsers"} + args +
                QStringList{"--home", home, "--user", user, "--bundle",
                            QStringLiteral(KORVANE_BUNDLE_DIR)});
    p.closeWriteChannel();
    p.waitForFinished(120000);
    return {p.exitCode(), p.readAllStandardOutput() + p.readAllStandardError()};
}

} // namespace

// A profile named by an absolute path (IsRelative=0, as "firefox -CreateProfile 'work
// /home/u/ffwork'" writes it) in each layout: cleaned in place by every kind, its other files
// kept byte for byte, its cache the one it keeps in itself; and the folders the profile's path
// relative to the profiles folder would point at below the cache folder are never touched.
TEST(BrowserPaths, AbsoluteFirefoxProfileCleanedInPlaceInEveryLayout) {
    const QList<std::pair<QString, QString>> layouts{
        {".mozilla/firefox", ".cache/mozilla/firefox"},
        {".config/mozilla/firefox", ".cache/mozilla/firefox"},
        {"snap/firefox/common/.mozilla/firefox", "snap/firefox/common/.cache/mozilla/firefox"},
        {".var/app/org.mozilla.firefox/.mozilla/firefox",
         ".var/app/org.mozilla.firefox/cache/mozilla/firefox"}};
    for (const auto& [rootName, cacheName] : layouts) {
        SCOPED_TRACE(rootName.toStdString());
        BrowserFixture fx;
        ASSERT_TRUE(fx.useRealEraser());
        const QString h = fx.home();
        const QString root = h + "/" + rootName;
        const QString cache = h + "/" + cacheName;
        const QString work = h + "/ffwork";
        BrowserFixture::firefoxProfile(work, "abs", 20);
        BrowserFixture::write(work + "/cache2/entries/E1", QByteArray(3000, 'c'));
        BrowserFixture::write(work + "/startupCache/scriptCache.bin", "s");
        BrowserFixture::write(work + "/extensions.json", "{\"addons\":[]}");
        BrowserFixture::write(work + "/storage/default/site/ls/data.sqlite", "kept");
        const QString rel = root + "/Profiles/rel.default-release";
        BrowserFixture::firefoxProfile(rel, "rel", 10);
        BrowserFixture::write(cache + "/Profiles/rel.default-release/cache2/entries/E2", "c");
        BrowserFixture::write(cache + "/Profiles/rel.default-release/safebrowsing/list", "k");
        BrowserFixture::write(root + "/profiles.ini",
                              ("[Install4F96D1932A9F858E]\nDefault=Profiles/rel.default-release\n"
                               "Locked=1\n\n[Profile0]\nName=work\nIsRelative=0\nPath=" +
                               work +
                               "\nDefault=1\n\n[Profile1]\nName=default-release\n"
                               "IsRelative=1\nPath=Profiles/rel.default-release\n\n"
                               "[General]\nStartWithLastProfile=1\nVersion=2\n")
                                  .toUtf8());
        // Where the profile's path relative to the profiles folder leads below the cache
        // folder: the profile itself in the XDG layout, another folder in the others.
        const QString misread = QDir::cleanPath(cache + "/" + QDir(root).relativeFilePath(work));
        if (misread != work)
            BrowserFixture::write(misread + "/important.txt", "not the browser's");
        const QMap<QString, QByteArray> before = snapshot(work);

        const QList<BrowerObjPtr> browsers = scan(fx);
        const BrowerObjPtr fox = named(browsers, "Firefox");
        ASSERT_TRUE(fox);
        EXPECT_EQ(profilePaths(fox), QStringList({rel, work}));
        EXPECT_TRUE(fox->refusals.isEmpty()) << fox->refusals.join("; ").toStdString();
        EXPECT_EQ(kindOf(fox, "Browsing History")->totalCount(), 30);
        selectAll(browsers);
        const BrowserCleaner::Summary summary = BrowserCleaner(::getuid()).clean(browsers);
        EXPECT_TRUE(summary.allCleaned()) << summary.problems.join("\n").toStdString();

        ASSERT_TRUE(QFileInfo(work).isDir());
        for (const QString& db : {work + "/places.sqlite", rel + "/places.sqlite"}) {
            EXPECT_EQ(BrowserFixture::scalar(db, "select count(*) from moz_historyvisits"), 0);
            EXPECT_EQ(BrowserFixture::scalar(db, "select count(*) from moz_bookmarks"), 7);
        }
        EXPECT_EQ(
            BrowserFixture::scalar(work + "/cookies.sqlite", "select count(*) from moz_cookies"),
            0);
        const QMap<QString, QByteArray> after = snapshot(work);
        for (auto it = before.begin(); it != before.end(); ++it) {
            const QString& file = it.key();
            const bool erased = file.startsWith("cache2/") || file.startsWith("startupCache/") ||
                                file.startsWith("sessionstore") || file == "logins.json" ||
                                file == "key4.db";
            const bool database = file == "places.sqlite" || file == "cookies.sqlite";
            if (erased)
                EXPECT_FALSE(after.contains(file)) << file.toStdString();
            else if (database)
                EXPECT_TRUE(after.contains(file)) << file.toStdString();
            else
                EXPECT_EQ(after.value(file), it.value()) << file.toStdString();
        }
        EXPECT_FALSE(QFileInfo::exists(cache + "/Profiles/rel.default-release/cache2"));
        EXPECT_TRUE(QFileInfo::exists(cache + "/Profiles/rel.default-release/safebrowsing/list"));
        if (misread != work)
            EXPECT_TRUE(QFileInfo::exists(misread + "/important.txt"));
    }
}

// A data folder or profile that is a link to a folder in the home is followed once and cleaned
// there; a link that leaves the home is not followed, is reported, and fails the run, in the
// core and in the command's exit status.
TEST(BrowserPaths, LinksFollowedInsideTheHomeRefusedAndReportedOutside) {
    BrowserFixture fx;
    ASSERT_TRUE(fx.useRealEraser());
    const QString h = fx.home();
    BrowserFixture::chromiumProfile(h + "/data/chromium-real/Default", "linkedcr", 8);
    link("../data/chromium-real", h + "/.config/chromium");
    BrowserFixture::chromiumProfile(h + "/profiles/p2", "p2", 4);
    link(h + "/profiles/p2", h + "/data/chromium-real/Profile 2");
    BrowserFixture::firefoxProfile(h + "/fxdata/linked", "fxlinked", 6);
    BrowserFixture::firefoxIni(h + "/.mozilla/firefox", {"linked.default"}, "linked.default");
    link(h + "/fxdata/linked", h + "/.mozilla/firefox/linked.default");
    QTemporaryDir outside;
    BrowserFixture::chromiumProfile(outside.path() + "/gc/Default", "outside", 5);
    link(outside.path() + "/gc", h + "/.config/google-chrome");
    const QString outsideCache =
        BrowserFixture::write(outside.path() + "/cache/Default/Cache/data_0", "cache");
    link(outside.path() + "/cache", h + "/.cache/chromium");

    QList<BrowerObjPtr> browsers = scan(fx);
    const BrowerObjPtr chromium = named(browsers, "Chromium");
    const BrowerObjPtr chrome = named(browsers, "Google Chrome");
    const BrowerObjPtr fox = named(browsers, "Firefox");
    ASSERT_TRUE(chromium && chrome && fox);
    EXPECT_EQ(profilePaths(chromium),
              QStringList({h + "/data/chromium-real/Default", h + "/profiles/p2"}));
    EXPECT_EQ(kindOf(chromium, "Browsing History")->totalCount(), 12);
    EXPECT_EQ(profilePaths(fox), QStringList({h + "/fxdata/linked"}));
    EXPECT_TRUE(chrome->profiles.isEmpty());
    EXPECT_EQ(kindOf(chrome, "Browsing History")->size, "unknown") << "not followed, not empty";
    ASSERT_EQ(chrome->refusals.size(), 1);
    EXPECT_TRUE(chrome->refusals[0].startsWith("~/.config/google-chrome is a link to " +
                                               outside.path() + "/gc, outside the home"))
        << chrome->refusals[0].toStdString();
    EXPECT_EQ(chromium->refusals.size(), 1) << "its cache folder leaves the home";

    selectAll(browsers);
    const BrowserCleaner::Summary summary = BrowserCleaner(::getuid()).clean(browsers);
    EXPECT_FALSE(summary.allCleaned());
    EXPECT_EQ(summary.refused.size(), 2) << summary.refused.join("\n").toStdString();
    EXPECT_EQ(summary.failedKinds, 0) << summary.problems.join("\n").toStdString();
    for (const QString& history :
         {h + "/data/chromium-real/Default/History", h + "/profiles/p2/History"})
        EXPECT_EQ(BrowserFixture::scalar(history, "select count(*) from urls"), 0);
    EXPECT_EQ(BrowserFixture::scalar(h + "/fxdata/linked/places.sqlite",
                                     "select count(*) from moz_historyvisits"),
              0);
    EXPECT_EQ(
        BrowserFixture::scalar(outside.path() + "/gc/Default/History", "select count(*) from urls"),
        5);
    EXPECT_TRUE(QFileInfo::exists(outsideCache));
    for (const QString& l : {h + "/.config/chromium", h + "/data/chromium-real/Profile 2",
                             h + "/.mozilla/firefox/linked.default", h + "/.cache/chromium"})
        EXPECT_TRUE(QFileInfo(l).isSymLink()) << l.toStdString();

    const CommandRun run = korvane(h, {"clean", "history", "--yes"});
    EXPECT_EQ(run.exitCode, 1) << run.out.constData();
    EXPECT_TRUE(run.out.contains("not followed: Google Chrome: ~/.config/google-chrome is a link"))
        << run.out.constData();
}

// Another user's database in the profile (left by one run of the browser under sudo) is named
// with the reason and left alone, and the run says it failed.
TEST(BrowserPaths, AnotherUsersDatabaseReportedAndLeftAlone) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a file to another user needs root";
    BrowserFixture fx;
    ASSERT_TRUE(fx.useRealEraser());
    const QString profile = fx.home() + "/.config/chromium/Default";
    BrowserFixture::chromiumProfile(profile, "sudo", 7);
    ASSERT_EQ(::chown((profile + "/Cookies").toUtf8().constData(), 4242, 4242), 0);

    QList<BrowerObjPtr> browsers = scan(fx);
    ASSERT_EQ(browsers.size(), 1);
    const BrowerObjPtr cookies = kindOf(browsers[0], "Cookies");
    EXPECT_EQ(cookies->size, BrowerObj::kUnknown);
    EXPECT_TRUE(cookies->problems().join("").contains("belongs to another user (uid 4242)"))
        << cookies->problems().join("; ").toStdString();
    const BrowserCleaner::Summary summary = BrowserCleaner(::getuid()).clean(browsers);
    EXPECT_FALSE(summary.allCleaned());
    EXPECT_EQ(summary.failedKinds, 1);
    EXPECT_EQ(BrowserFixture::scalar(profile + "/Cookies", "select count(*) from cookies"), 3);
    EXPECT_EQ(BrowserFixture::scalar(profile + "/History", "select count(*) from urls"), 0);

    const CommandRun run = korvane(fx.home(), {"clean", "cookies", "--yes"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.contains("Cookies: belongs to another user (uid 4242)"))
        << run.out.constData();
}

// A database that cannot be read is "unknown", with the reason, never "0 Item".
TEST(BrowserPaths, LockedDatabaseIsUnknownNotEmpty) {
    BrowserFixture fx;
    const QString profile = fx.home() + "/.config/chromium/Default";
    BrowserFixture::chromiumProfile(profile, "locked", 9);
    sqlite3* holder = nullptr; // what a running browser's exclusive lock does
    ASSERT_EQ(sqlite3_open((profile + "/History").toUtf8().constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "begin exclusive", nullptr, nullptr, nullptr), SQLITE_OK);
    ToGetDB db;
    db.setBusyTimeoutMs(100);
    const QList<BrowerObjPtr> browsers = scan(fx, &db);
    sqlite3_exec(holder, "rollback", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    ASSERT_EQ(browsers.size(), 1);
    for (const char* kind : {"Browsing History", "Download History"}) {
        const BrowerObjPtr k = kindOf(browsers[0], kind);
        EXPECT_TRUE(k->unknown()) << kind;
        EXPECT_EQ(k->size, "unknown") << kind;
        EXPECT_TRUE(k->problems().join("").contains("the database is locked")) << kind;
    }
    EXPECT_EQ(kindOf(browsers[0], "Cookies")->size, "3 Items");
}

// The sites the user keeps stay signed in: their cookies (with subdomains) are neither counted
// nor removed, in both families; every other cookie goes.
TEST(BrowserPaths, KeptSitesKeepTheirCookies) {
    EXPECT_EQ(CookieKeepList::normalize(" https://Bank.Example:443/login "), "bank.example");
    EXPECT_EQ(CookieKeepList::normalize(".mail.example."), "mail.example");
    QStringList invalid;
    const CookieKeepList kept =
        CookieKeepList::from({"bank.example", "not a site!", "*.x", "bank.example"}, &invalid);
    EXPECT_EQ(kept.domains(), QStringList({"bank.example"}));
    EXPECT_EQ(invalid, QStringList({"not a site!", "*.x"}));

    BrowserFixture fx;
    ASSERT_TRUE(fx.useRealEraser());
    const QString chromium = fx.home() + "/.config/chromium/Default";
    BrowserFixture::chromiumProfile(chromium, "keep", 2);
    const QString fox = fx.home() + "/.mozilla/firefox";
    BrowserFixture::firefoxProfile(fox + "/k.default-release", "keep", 2);
    BrowserFixture::firefoxIni(fox, {"k.default-release"}, "k.default-release");
    const QStringList hosts{".bank.example", "www.bank.example", "bank.example", "notbank.example",
                            ".tracker.example"};
    for (int i = 0; i < hosts.size(); ++i) {
        BrowserFixture::sql(chromium + "/Cookies",
                            QStringLiteral("insert into cookies values(%1, '%2', '', 'c%1', '',"
                                           " x'763130', '/', 0, 1, 1, 0, 0, 1, 1, 0, 2, 443, 0, 0,"
                                           " 0)")
                                .arg(i + 10)
                                .arg(hosts[i])
                                .toUtf8());
        BrowserFixture::sql(fox + "/k.default-release/cookies.sqlite",
                            QStringLiteral("insert into moz_cookies(name, value, host, path)"
                                           " values('c%1', 'v', '%2', '/')")
                                .arg(i)
                                .arg(hosts[i])
                                .toUtf8());
    }
    QList<BrowerObjPtr> browsers = scan(fx, nullptr, kept);
    // Chromium: its 3 fixture cookies and 2 of ours go; Firefox: its fixture cookie and 2 of ours.
    EXPECT_EQ(kindOf(named(browsers, "Chromium"), "Cookies")->totalCount(), 5);
    EXPECT_EQ(kindOf(named(browsers, "Firefox"), "Cookies")->totalCount(), 3);
    BrowserCleaner cleaner(::getuid());
    cleaner.setKeptCookies(kept);
    EXPECT_TRUE(cleaner.clean(browsers).allCleaned());
    EXPECT_EQ(
        BrowserFixture::scalar(chromium + "/Cookies",
                               "select count(*) from cookies where host_key like '%bank.example'"
                               " and host_key not like '%notbank%'"),
        3);
    EXPECT_EQ(BrowserFixture::scalar(chromium + "/Cookies", "select count(*) from cookies"), 3);
    EXPECT_EQ(BrowserFixture::scalar(fox + "/k.default-release/cookies.sqlite",
                                     "select count(*) from moz_cookies"),
              3);
    EXPECT_FALSE(BrowserFixture::bytesContain(chromium + "/Cookies", "tracker.example"));
}
