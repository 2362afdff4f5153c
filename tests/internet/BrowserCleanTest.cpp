#include "BrowserFixture.h"

#include "app/inter/BrowserCleaner.h"
#include "app/inter/BrowserScanner.h"
#include "app/inter/ToGetDB.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {

const QString kSource = QStringLiteral(KORVANE_SOURCE_DIR);

BrowserScanner scannerFor(const BrowserFixture& fx, ToGetDB* db = nullptr) {
    BrowserScanner::Options options;
    options.history = EraserHistory::load(kSource + "/app/Resources/EraserHistory.plist");
    options.userName = QStringLiteral("ann");
    options.home = fx.home();
    options.uid = ::getuid();
    options.applicationFolders = {fx.applications()};
    options.database = db;
    return BrowserScanner(options);
}

BrowerObjPtr child(const BrowerObjPtr& browser, const QString& kind) {
    for (const BrowerObjPtr& k : browser->chrArr)
        if (k->name == kind)
            return k;
    ADD_FAILURE() << "no kind " << kind.toStdString() << " in " << browser->name.toStdString();
    return std::make_shared<BrowerObj>();
}

BrowerObjPtr browserNamed(const QList<BrowerObjPtr>& browsers, const QString& name) {
    for (const BrowerObjPtr& b : browsers)
        if (b->name == name)
            return b;
    return nullptr;
}

} // namespace

// Every layout the data file names, scanned and cleaned: counts right before, nothing left
// after, in the tables or in the files' bytes, and nothing else touched.
TEST(BrowserClean, EveryLayoutCountedThenCleanedWithoutTrace) {
    BrowserFixture fx;
    ASSERT_TRUE(fx.useRealEraser()) << "the srm tool is not built";
    const QString h = fx.home();
    const QString chrome = h + "/.config/google-chrome";
    BrowserFixture::chromiumProfile(chrome + "/Default", "chromed", 50);
    BrowserFixture::chromiumProfile(chrome + "/Profile 1", "chromep", 20, true);
    BrowserFixture::write(chrome + "/GrShaderCache/data_1", QByteArray(1000, 's'));
    BrowserFixture::write(h + "/.cache/google-chrome/Default/Cache/Cache_Data/index", "c");
    const QString chromium = h + "/snap/chromium/common/chromium";
    BrowserFixture::chromiumProfile(chromium + "/Default", "chromium", 30);
    const QString opera = h + "/.config/opera"; // the user-data folder is the profile
    BrowserFixture::chromiumProfile(opera, "opera", 10);
    const QString fox = h + "/.var/app/org.mozilla.firefox/.mozilla/firefox";
    BrowserFixture::firefoxProfile(fox + "/abcd1234.default", "fxold", 5);
    BrowserFixture::firefoxProfile(fox + "/efgh5678.default-release", "fx", 40);
    BrowserFixture::firefoxIni(fox, {"abcd1234.default", "efgh5678.default-release"},
                               "efgh5678.default-release");
    BrowserFixture::write(fox + "/zzzz9999.unlisted/places.sqlite", "not listed: not read");
    BrowserFixture::write(h + "/.var/app/org.mozilla.firefox/cache/mozilla/firefox/"
                              "efgh5678.default-release/cache2/entries/E1",
                          QByteArray(2000, 'e'));
    fx.desktopEntry("google-chrome", "Google Chrome");
    fx.desktopEntry("org.mozilla.firefox", "Firefox Web Browser");

    const QList<BrowerObjPtr> browsers = scannerFor(fx).scan();
    QStringList names;
    for (const BrowerObjPtr& b : browsers)
        names << b->name;
    EXPECT_EQ(names, QStringList({"Google Chrome", "Chromium", "Opera", "Firefox"}));
    const BrowerObjPtr c = browserNamed(browsers, "Google Chrome");
    const BrowerObjPtr cr = browserNamed(browsers, "Chromium");
    const BrowerObjPtr o = browserNamed(browsers, "Opera");
    const BrowerObjPtr f = browserNamed(browsers, "Firefox");
    ASSERT_TRUE(c && cr && o && f);
    EXPECT_TRUE(c->foundByApplication);
    EXPECT_FALSE(cr->foundByApplication); // its data alone
    EXPECT_EQ(c->profiles.size(), 2);
    EXPECT_EQ(f->profiles.size(), 2);
    EXPECT_EQ(child(c, "Browsing History")->totalCount(), 70);
    EXPECT_EQ(child(c, "Browsing History")->size, "70 Items");
    // The window shows the count in the user's words; the JSON keeps the form above.
    EXPECT_EQ(child(c, "Browsing History")->shownSize(), "70 items");
    EXPECT_EQ(child(c, "Download History")->totalCount(), 7);
    EXPECT_EQ(child(c, "Cookies")->totalCount(), 6); // Cookies and Network/Cookies
    EXPECT_EQ(child(c, "Save Password")->totalCount(), 4);
    EXPECT_EQ(child(c, "Session")->targets.size(), 4); // Sessions/, Current Session, x2
    EXPECT_EQ(child(c, "Caches")->targets.size(), 4);  // cache, 2 GPUCache, GrShaderCache once
    EXPECT_EQ(child(cr, "Browsing History")->totalCount(), 30);
    EXPECT_EQ(child(o, "Save Password")->totalCount(), 2); // logins, not search terms
    EXPECT_EQ(child(f, "Browsing History")->totalCount(), 45);
    EXPECT_EQ(child(f, "Download History")->totalCount(), 4);
    EXPECT_EQ(child(f, "Caches")->totalBytes(), 2000u);
    EXPECT_EQ(child(f, "Save Password")->targets.size(), 4); // logins.json, key4.db, twice
    for (const BrowerObjPtr& b : browsers)
        for (const BrowerObjPtr& k : b->chrArr)
            EXPECT_TRUE(k->problems().isEmpty()) << k->problems().join("; ").toStdString();
    const QString chromeHistory = chrome + "/Default/History";
    const QString places = fox + "/efgh5678.default-release/places.sqlite";
    ASSERT_TRUE(BrowserFixture::bytesContain(chromeHistory, "chromed-7.example"));
    ASSERT_TRUE(BrowserFixture::bytesContain(places, "fx-7.example"));

    // Saved passwords are chosen only on purpose; everything else is chosen from the start.
    for (const BrowerObjPtr& b : browsers)
        for (const BrowerObjPtr& k : b->chrArr) {
            EXPECT_EQ(k->isSelect, k->name != "Save Password") << k->name.toStdString();
            k->isSelect = true;
        }
    const BrowserCleaner::Summary summary = BrowserCleaner(::getuid()).clean(browsers);
    EXPECT_TRUE(summary.allCleaned()) << summary.problems.join("\n").toStdString();
    for (const BrowerObjPtr& b : browsers) {
        EXPECT_EQ(b->totalCount(), 0) << b->name.toStdString();
        EXPECT_EQ(b->totalBytes(), 0u) << b->name.toStdString();
        for (const BrowerObjPtr& k : b->chrArr) {
            EXPECT_FALSE(k->isSelect);
            EXPECT_TRUE(k->size == "0 Item" || k->size == "0 byte") << k->size.toStdString();
            EXPECT_TRUE(k->shownSize() == "0 items" || k->shownSize() == "0 bytes")
                << k->shownSize().toStdString();
        }
    }
    const QStringList historyFiles{chromeHistory, chrome + "/Profile 1/History",
                                   chromium + "/Default/History", opera + "/History"};
    for (const QString& file : historyFiles) {
        SCOPED_TRACE(file.toStdString());
        for (const char* table : {"urls", "visits", "visit_source", "keyword_search_terms",
                                  "downloads", "downloads_url_chains", "downloads_slices"})
            EXPECT_EQ(BrowserFixture::scalar(file, QByteArray("select count(*) from ") + table), 0)
                << table;
        EXPECT_EQ(BrowserFixture::scalar(file, "select count(*) from meta"), 3);
        EXPECT_EQ(BrowserFixture::integrity(file), "ok");
    }
    for (const QByteArray url : {"chromed-7.example", "chromed-42.example", "term https"})
        EXPECT_FALSE(BrowserFixture::bytesContain(chromeHistory, url)) << url.constData();
    const QString logins = chrome + "/Default/Login Data";
    EXPECT_EQ(BrowserFixture::scalar(logins, "select count(*) from insecure_credentials"), 0);
    EXPECT_EQ(BrowserFixture::scalar(logins, "select count(*) from password_notes"), 0);
    EXPECT_EQ(BrowserFixture::scalar(logins, "select count(*) from sync_entities_metadata"), 1);
    EXPECT_EQ(BrowserFixture::integrity(logins), "ok");
    EXPECT_EQ(
        BrowserFixture::scalar(chrome + "/Profile 1/Network/Cookies", "select count(*) from meta"),
        2);
    // Sessions are the session files; the site storage and the settings stay.
    EXPECT_FALSE(QFileInfo::exists(chrome + "/Default/Sessions/Tabs_13300000000000000"));
    EXPECT_FALSE(QFileInfo::exists(chrome + "/Default/Current Session"));
    EXPECT_TRUE(QFileInfo::exists(chrome + "/Default/Session Storage/000003.log"));
    EXPECT_TRUE(QFileInfo::exists(chrome + "/Default/Preferences"));
    EXPECT_FALSE(QFileInfo::exists(chrome + "/GrShaderCache"));
    EXPECT_FALSE(QFileInfo::exists(h + "/.cache/google-chrome/Default"));
    // Firefox: the bookmarked page stays, with no trace of its visits.
    EXPECT_EQ(BrowserFixture::scalar(places, "select count(*) from moz_historyvisits"), 0);
    EXPECT_EQ(BrowserFixture::scalar(places, "select count(*) from moz_places"), 1);
    EXPECT_EQ(BrowserFixture::scalar(places, "select visit_count + coalesce(last_visit_date, 0)"
                                             " from moz_places"),
              0);
    EXPECT_EQ(BrowserFixture::scalar(places, "select count(*) from moz_annos"), 1)
        << "only the download annotations go";
    EXPECT_EQ(BrowserFixture::scalar(places, "select count(*) from moz_inputhistory"), 0);
    EXPECT_EQ(BrowserFixture::scalar(places, "select count(*) from moz_bookmarks"), 7);
    EXPECT_EQ(BrowserFixture::scalar(places, "select count(*) from moz_keywords"), 1);
    EXPECT_EQ(BrowserFixture::scalar(places, "select count(*) from moz_anno_attributes"), 3);
    EXPECT_EQ(BrowserFixture::integrity(places), "ok");
    EXPECT_FALSE(BrowserFixture::bytesContain(places, "fx-7.example"));
    EXPECT_FALSE(BrowserFixture::bytesContain(places, "Downloads/f3"));
    const QString foxCookies = fox + "/efgh5678.default-release/cookies.sqlite";
    EXPECT_EQ(BrowserFixture::scalar(foxCookies, "select count(*) from moz_cookies"), 0);
    EXPECT_FALSE(BrowserFixture::bytesContain(foxCookies, "secret"));
    for (const char* gone :
         {"logins.json", "key4.db", "sessionstore.jsonlz4", "sessionstore-backups"})
        EXPECT_FALSE(QFileInfo::exists(fox + "/efgh5678.default-release/" + gone)) << gone;
    EXPECT_TRUE(QFileInfo::exists(fox + "/efgh5678.default-release/prefs.js"));
    EXPECT_TRUE(QFileInfo::exists(fox + "/zzzz9999.unlisted/places.sqlite"));
}

// A database that cannot be cleaned keeps its count and says why; the others go on.
TEST(BrowserClean, DatabaseNotCleanedIsReportedWithItsReason) {
    BrowserFixture fx;
    const QString chrome = fx.home() + "/.config/google-chrome";
    BrowserFixture::chromiumProfile(chrome + "/Default", "locked", 12);
    BrowserFixture::chromiumProfile(chrome + "/Profile 1", "broken", 8);
    BrowserFixture::chromiumProfile(chrome + "/Profile 2", "fine", 5);
    BrowserFixture::sql(chrome + "/Profile 1/History", "drop table visits");
    ToGetDB db;
    db.setBusyTimeoutMs(200);
    QList<BrowerObjPtr> browsers = scannerFor(fx, &db).scan();
    ASSERT_EQ(browsers.size(), 1);
    const BrowerObjPtr history = child(browsers[0], "Browsing History");
    ASSERT_EQ(history->totalCount(), 25);
    BrowserFixture::write(chrome + "/Profile 2/Login Data", "garbage, not a database");
    for (const BrowerObjPtr& k : browsers[0]->chrArr)
        k->isSelect = k == history || k->name == "Save Password";

    sqlite3* holder = nullptr; // what a running browser does to its History
    ASSERT_EQ(sqlite3_open((chrome + "/Default/History").toUtf8().constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "begin exclusive", nullptr, nullptr, nullptr), SQLITE_OK);
    BrowserCleaner cleaner(::getuid(), &db);
    const BrowserCleaner::Summary summary = cleaner.clean(browsers);
    EXPECT_FALSE(summary.allCleaned());
    EXPECT_EQ(summary.failedKinds, 2);
    const QString problems = summary.problems.join("\n");
    EXPECT_TRUE(problems.contains("Default/History: the database is locked"))
        << problems.toStdString();
    EXPECT_TRUE(problems.contains("no such table: visits")) << problems.toStdString();
    EXPECT_TRUE(problems.contains("Profile 2/Login Data: is not a database"))
        << problems.toStdString();
    EXPECT_EQ(history->totalCount(), 20); // Profile 2's five went, the rest stays
    EXPECT_EQ(history->size, "20 Items");
    EXPECT_TRUE(history->isSelect);
    // All or nothing per file: the failed statement's file kept its rows.
    EXPECT_EQ(BrowserFixture::scalar(chrome + "/Profile 1/History", "select count(*) from urls"),
              8);

    sqlite3_exec(holder, "rollback", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    EXPECT_TRUE(cleaner.cleanKind(*history) == false); // Profile 1 still cannot be
    EXPECT_EQ(history->totalCount(), 8);
    EXPECT_EQ(BrowserFixture::scalar(chrome + "/Default/History", "select count(*) from urls"), 0);
}

// Each kind takes what it promises wherever the browser keeps it: the encrypted session copies,
// the URL tables beside History (ukm_db in the user-data folder, Favicons, Top Sites), the
// download records outside History, form entries, and Firefox's visit metadata, form history,
// favicons and its SQLite password store. Nothing of it is left in the files' bytes.
TEST(BrowserClean, KindsReachEveryPlaceTheBrowserKeepsThem) {
    BrowserFixture fx;
    ASSERT_TRUE(fx.useRealEraser());
    const QString data = fx.home() + "/.config/chromium";
    const QString p = data + "/Default";
    BrowserFixture::chromiumProfile(p, "cr", 5);
    BrowserFixture::write(p + "/Sessions_Encrypted/Session_13400000000000000",
                          "SNSS\x05 sessenc-secret");
    BrowserFixture::write(p + "/DownloadMetadata", "\x0a https://dlmeta-secret.example/f.zip");
    BrowserFixture::write(p + "/shared_proto_db/000003.log", "21_download https://proto-secret/");
    BrowserFixture::write(p + "/Visited Links", QByteArray(1024, 'v'));
    BrowserFixture::write(p + "/Bookmarks", "{\"roots\":{}}");
    const QString ukm = data + "/segmentation_platform/ukm_db";
    BrowserFixture::realSchema(ukm, "chromium-156/ukm_db");
    BrowserFixture::sql(ukm,
                        "insert into urls values(1, 'https://ukm-secret.example/', 1, 1,"
                        " 'title', 'p'); insert into metrics values(1, 1, 1, 1, 1, 'e', 'm', 1)");
    BrowserFixture::realSchema(p + "/Favicons", "chromium-156/Favicons");
    BrowserFixture::sql(
        p + "/Favicons",
        "insert into icon_mapping(page_url, icon_id) values('https://fav-secret/', 1)");
    BrowserFixture::realSchema(p + "/Top Sites", "chromium-156/Top Sites");
    BrowserFixture::sql(p + "/Top Sites",
                        "insert into top_sites values('https://top-secret/', 1, 'top')");
    BrowserFixture::realSchema(p + "/Web Data", "chromium-156/Web Data");
    BrowserFixture::sql(p + "/Web Data",
                        "insert into autofill(name, value, value_lower) values('email',"
                        " 'form-secret@example', 'form-secret@example')");

    const QString fox = fx.home() + "/.config/mozilla/firefox";
    const QString f = fox + "/m.default-release";
    BrowserFixture::firefoxProfile(f, "fx", 5);
    BrowserFixture::firefoxIni(fox, {"m.default-release"}, "m.default-release");
    BrowserFixture::sql(f + "/places.sqlite",
                        "CREATE TABLE moz_places_metadata (id INTEGER PRIMARY KEY, place_id INTEGER"
                        " NOT NULL, referrer_place_id INTEGER, created_at INTEGER NOT NULL DEFAULT"
                        " 0, updated_at INTEGER NOT NULL DEFAULT 0, total_view_time INTEGER NOT"
                        " NULL DEFAULT 0, typing_time INTEGER NOT NULL DEFAULT 0, key_presses"
                        " INTEGER NOT NULL DEFAULT 0, scrolling_time INTEGER NOT NULL DEFAULT 0,"
                        " scrolling_distance INTEGER NOT NULL DEFAULT 0, document_type INTEGER NOT"
                        " NULL DEFAULT 0, search_query_id INTEGER);"
                        "insert into moz_places_metadata(place_id, total_view_time)"
                        " values(1, 5000), (2, 7000);");
    BrowserFixture::realSchema(f + "/formhistory.sqlite", "firefox-esr-153/formhistory.sqlite");
    BrowserFixture::sql(
        f + "/formhistory.sqlite",
        "insert into moz_formhistory(fieldname, value) values('q', 'typed-secret')");
    BrowserFixture::realSchema(f + "/favicons.sqlite", "firefox-esr-153/favicons.sqlite");
    BrowserFixture::sql(f + "/favicons.sqlite",
                        "insert into moz_pages_w_icons(page_url, page_url_hash)"
                        " values('https://fxfav-secret/', 1)");
    BrowserFixture::realSchema(f + "/logins.db", "firefox-esr-153/logins.db");

    QList<BrowerObjPtr> browsers = scannerFor(fx).scan();
    ASSERT_EQ(browsers.size(), 2);
    EXPECT_EQ(child(browserNamed(browsers, "Chromium"), "Form Values")->size, "1 Item");
    EXPECT_EQ(child(browserNamed(browsers, "Firefox"), "Form Values")->size, "1 Item");
    for (const BrowerObjPtr& b : browsers)
        for (const BrowerObjPtr& k : b->chrArr)
            k->isSelect = k->name != "Save Password" && k->name != "Cookies";
    const BrowserCleaner::Summary summary = BrowserCleaner(::getuid()).clean(browsers);
    ASSERT_TRUE(summary.allCleaned()) << summary.problems.join("\n").toStdString();

    for (const char* gone : {"/Sessions_Encrypted", "/Sessions", "/DownloadMetadata",
                             "/shared_proto_db", "/Visited Links"})
        EXPECT_FALSE(QFileInfo::exists(p + gone)) << gone;
    EXPECT_TRUE(QFileInfo::exists(p + "/Bookmarks"));
    EXPECT_EQ(BrowserFixture::scalar(ukm, "select count(*) from urls"), 0);
    EXPECT_EQ(BrowserFixture::scalar(ukm, "select count(*) from metrics"), 0);
    for (const auto& [file, marker] :
         QList<std::pair<QString, QByteArray>>{{ukm, "ukm-secret"},
                                               {p + "/Favicons", "fav-secret"},
                                               {p + "/Top Sites", "top-secret"},
                                               {p + "/Web Data", "form-secret"},
                                               {f + "/formhistory.sqlite", "typed-secret"},
                                               {f + "/favicons.sqlite", "fxfav-secret"}})
        EXPECT_FALSE(BrowserFixture::bytesContain(file, marker)) << marker.constData();
    EXPECT_EQ(
        BrowserFixture::scalar(f + "/places.sqlite", "select count(*) from moz_places_metadata"),
        0);
    // Cookies and passwords were not chosen: they are as they were.
    EXPECT_EQ(BrowserFixture::scalar(p + "/Cookies", "select count(*) from cookies"), 3);
    EXPECT_EQ(BrowserFixture::scalar(p + "/Login Data", "select count(*) from logins"), 2);
    EXPECT_TRUE(QFileInfo::exists(f + "/logins.json"));

    // Firefox's passwords are its files and its SQLite store: the store is emptied, not removed.
    BrowserFixture::sql(f + "/logins.db",
                        "insert into loginsL(origin, timeCreated, timePasswordChanged, guid,"
                        " secFields) values('https://pw-secret', 1, 1, '{g}', 'encrypted')");
    browsers = scannerFor(fx).scan();
    const BrowerObjPtr passwords = child(browserNamed(browsers, "Firefox"), "Save Password");
    EXPECT_TRUE(BrowserCleaner(::getuid()).cleanKind(*passwords))
        << passwords->problems().join("\n").toStdString();
    EXPECT_FALSE(QFileInfo::exists(f + "/logins.json"));
    EXPECT_EQ(BrowserFixture::scalar(f + "/logins.db", "select count(*) from loginsL"), 0);
    EXPECT_FALSE(BrowserFixture::bytesContain(f + "/logins.db", "pw-secret"));
}

// A stop asked for during a clean (korvane's answer to a signal) lets the browser under way
// finish and begins no other: those are named, untouched, and the clean is not called whole.
TEST(BrowserClean, AStopFinishesTheBrowserUnderWayAndBeginsNoOther) {
    BrowserFixture fx;
    const QString h = fx.home();
    BrowserFixture::chromiumProfile(h + "/.config/google-chrome/Default", "first", 10);
    BrowserFixture::chromiumProfile(h + "/.config/chromium/Default", "second", 10);
    QList<BrowerObjPtr> browsers = scannerFor(fx).scan();
    ASSERT_EQ(browsers.size(), 2);
    for (const BrowerObjPtr& browser : browsers)
        for (const BrowerObjPtr& kind : browser->chrArr)
            kind->isSelect = kind->name == "Browsing History" || kind->name == "Caches";
    std::atomic_bool stop{false};
    QStringList erased;
    BrowserCleaner cleaner(::getuid(), nullptr, [&](const QStringList& paths) {
        stop = true; // the signal comes while the first browser's files are erased
        for (const QString& path : paths)
            QDir(path).removeRecursively() || QFile::remove(path);
        erased << paths;
        return BrowserFileEraser::Result{};
    });
    cleaner.setStopRequest(&stop);
    const BrowserCleaner::Summary summary = cleaner.clean(browsers);
    EXPECT_FALSE(summary.allCleaned());
    EXPECT_EQ(summary.notReached, QStringList{browsers[1]->name});
    EXPECT_EQ(summary.cleanedKinds, 2) << "the first browser's kinds were finished";
    const QString first = browsers[0]->name == "Google Chrome" ? "google-chrome" : "chromium";
    const QString second = first == "chromium" ? "google-chrome" : "chromium";
    EXPECT_EQ(BrowserFixture::scalar(h + "/.config/" + first + "/Default/History",
                                     "select count(*) from urls"),
              0);
    EXPECT_EQ(BrowserFixture::scalar(h + "/.config/" + second + "/Default/History",
                                     "select count(*) from urls"),
              10);
    for (const QString& path : erased)
        EXPECT_FALSE(path.contains("/" + second + "/")) << path.toStdString();
}
