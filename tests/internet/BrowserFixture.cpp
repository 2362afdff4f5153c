#include "BrowserFixture.h"

#include "platform/BundleLocator.h"
#include "tests/support/RealToolBundle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

const char* const kChromiumHistory = R"(
CREATE TABLE meta(key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);
CREATE TABLE urls(id INTEGER PRIMARY KEY AUTOINCREMENT,url LONGVARCHAR,title LONGVARCHAR,
  visit_count INTEGER DEFAULT 0 NOT NULL,typed_count INTEGER DEFAULT 0 NOT NULL,
  last_visit_time INTEGER NOT NULL,hidden INTEGER DEFAULT 0 NOT NULL);
CREATE INDEX urls_url_index ON urls (url);
CREATE TABLE keyword_search_terms (keyword_id INTEGER NOT NULL,url_id INTEGER NOT NULL,
  term LONGVARCHAR NOT NULL,normalized_term LONGVARCHAR NOT NULL);
CREATE INDEX keyword_search_terms_index1 ON keyword_search_terms (keyword_id, normalized_term);
CREATE INDEX keyword_search_terms_index2 ON keyword_search_terms (url_id);
CREATE INDEX keyword_search_terms_index3 ON keyword_search_terms (term);
CREATE TABLE visits(id INTEGER PRIMARY KEY AUTOINCREMENT,url INTEGER NOT NULL,
  visit_time INTEGER NOT NULL,from_visit INTEGER,external_referrer_url TEXT,
  transition INTEGER DEFAULT 0 NOT NULL,segment_id INTEGER,
  visit_duration INTEGER DEFAULT 0 NOT NULL,
  incremented_omnibox_typed_score BOOLEAN DEFAULT FALSE NOT NULL,opener_visit INTEGER,
  originator_cache_guid TEXT,originator_visit_id INTEGER,originator_from_visit INTEGER,
  originator_opener_visit INTEGER,is_known_to_sync BOOLEAN DEFAULT FALSE NOT NULL,
  consider_for_ntp_most_visited BOOLEAN DEFAULT FALSE NOT NULL,
  visited_link_id INTEGER DEFAULT 0 NOT NULL,app_id TEXT);
CREATE INDEX visits_url_index ON visits (url);
CREATE INDEX visits_time_index ON visits (visit_time);
CREATE TABLE visit_source(id INTEGER PRIMARY KEY,source INTEGER NOT NULL);
CREATE TABLE downloads (id INTEGER PRIMARY KEY,guid VARCHAR NOT NULL,
  current_path LONGVARCHAR NOT NULL,target_path LONGVARCHAR NOT NULL,
  start_time INTEGER NOT NULL,received_bytes INTEGER NOT NULL,total_bytes INTEGER NOT NULL,
  state INTEGER NOT NULL,danger_type INTEGER NOT NULL,interrupt_reason INTEGER NOT NULL,
  hash BLOB NOT NULL,end_time INTEGER NOT NULL,opened INTEGER NOT NULL,
  last_access_time INTEGER NOT NULL,transient INTEGER NOT NULL,referrer VARCHAR NOT NULL,
  site_url VARCHAR NOT NULL,embedder_download_data VARCHAR NOT NULL,
  tab_url VARCHAR NOT NULL,tab_referrer_url VARCHAR NOT NULL,http_method VARCHAR NOT NULL,
  by_ext_id VARCHAR NOT NULL,by_ext_name VARCHAR NOT NULL,by_web_app_id VARCHAR NOT NULL,
  etag VARCHAR NOT NULL,last_modified VARCHAR NOT NULL,mime_type VARCHAR(255) NOT NULL,
  original_mime_type VARCHAR(255) NOT NULL);
CREATE TABLE downloads_url_chains (id INTEGER NOT NULL,chain_index INTEGER NOT NULL,
  url LONGVARCHAR NOT NULL, PRIMARY KEY (id, chain_index) );
CREATE TABLE downloads_slices (download_id INTEGER NOT NULL,offset INTEGER NOT NULL,
  received_bytes INTEGER NOT NULL,finished INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (download_id, offset) );
INSERT INTO meta VALUES('version','70'),('last_compatible_version','16'),('mmap_status','-1');
)";

const char* const kChromiumCookies = R"(
CREATE TABLE meta(key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);
CREATE TABLE cookies(creation_utc INTEGER NOT NULL,host_key TEXT NOT NULL,
  top_frame_site_key TEXT NOT NULL,name TEXT NOT NULL,value TEXT NOT NULL,
  encrypted_value BLOB NOT NULL,path TEXT NOT NULL,expires_utc INTEGER NOT NULL,
  is_secure INTEGER NOT NULL,is_httponly INTEGER NOT NULL,last_access_utc INTEGER NOT NULL,
  has_expires INTEGER NOT NULL,is_persistent INTEGER NOT NULL,priority INTEGER NOT NULL,
  samesite INTEGER NOT NULL,source_scheme INTEGER NOT NULL,source_port INTEGER NOT NULL,
  last_update_utc INTEGER NOT NULL,source_type INTEGER NOT NULL,
  has_cross_site_ancestor INTEGER NOT NULL);
CREATE UNIQUE INDEX cookies_unique_index ON cookies(host_key, top_frame_site_key,
  has_cross_site_ancestor, name, path, source_scheme, source_port);
INSERT INTO meta VALUES('version','24'),('last_compatible_version','24');
)";

const char* const kChromiumLogins = R"(
PRAGMA page_size=2048;
CREATE TABLE meta(key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);
CREATE TABLE logins (origin_url VARCHAR NOT NULL, action_url VARCHAR,
  username_element VARCHAR, username_value VARCHAR, password_element VARCHAR,
  password_value BLOB, submit_element VARCHAR, signon_realm VARCHAR NOT NULL,
  date_created INTEGER NOT NULL, blacklisted_by_user INTEGER NOT NULL,
  scheme INTEGER NOT NULL, password_type INTEGER, times_used INTEGER, form_data BLOB,
  display_name VARCHAR, icon_url VARCHAR, federation_url VARCHAR, skip_zero_click INTEGER,
  generation_upload_status INTEGER, possible_username_pairs BLOB,
  id INTEGER PRIMARY KEY AUTOINCREMENT, date_last_used INTEGER NOT NULL DEFAULT 0,
  moving_blocked_for BLOB, date_password_modified INTEGER NOT NULL DEFAULT 0,
  sender_email VARCHAR, sender_name VARCHAR, date_received INTEGER,
  sharing_notification_displayed INTEGER NOT NULL DEFAULT 0, keychain_identifier BLOB,
  sender_profile_image_url VARCHAR, date_last_filled INTEGER NOT NULL DEFAULT 0,
  actor_login_approved INTEGER NOT NULL DEFAULT 0,
  UNIQUE (origin_url, username_element, username_value, password_element, signon_realm));
CREATE INDEX logins_signon ON logins (signon_realm);
CREATE TABLE insecure_credentials (parent_id INTEGER REFERENCES logins ON UPDATE CASCADE
  ON DELETE CASCADE DEFERRABLE INITIALLY DEFERRED, insecurity_type INTEGER NOT NULL,
  create_time INTEGER NOT NULL, is_muted INTEGER NOT NULL DEFAULT 0,
  trigger_notification_from_backend INTEGER NOT NULL DEFAULT 0,
  UNIQUE (parent_id, insecurity_type));
CREATE TABLE password_notes (id INTEGER PRIMARY KEY AUTOINCREMENT NOT NULL,
  parent_id INTEGER NOT NULL REFERENCES logins ON UPDATE CASCADE ON DELETE CASCADE
  DEFERRABLE INITIALLY DEFERRED, key VARCHAR NOT NULL, value BLOB,
  date_created INTEGER NOT NULL, confidential INTEGER, UNIQUE (parent_id, key));
CREATE TABLE sync_entities_metadata (storage_key INTEGER PRIMARY KEY AUTOINCREMENT,
  metadata VARCHAR NOT NULL);
CREATE TABLE sync_model_metadata (id INTEGER PRIMARY KEY AUTOINCREMENT, model_metadata
  VARCHAR NOT NULL);
INSERT INTO meta VALUES('version','43'),('last_compatible_version','40');
)";

const char* const kFirefoxPlaces = R"(
PRAGMA page_size=32768;
PRAGMA journal_mode=WAL;
CREATE TABLE moz_origins ( id INTEGER PRIMARY KEY, prefix TEXT NOT NULL, host TEXT NOT NULL,
  frecency INTEGER NOT NULL, recalc_frecency INTEGER NOT NULL DEFAULT 0,
  alt_frecency INTEGER, recalc_alt_frecency INTEGER NOT NULL DEFAULT 0,
  UNIQUE (prefix, host) );
CREATE TABLE moz_places (   id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR,
  rev_host LONGVARCHAR, visit_count INTEGER DEFAULT 0, hidden INTEGER DEFAULT 0 NOT NULL,
  typed INTEGER DEFAULT 0 NOT NULL, frecency INTEGER DEFAULT -1 NOT NULL,
  last_visit_date INTEGER , guid TEXT, foreign_count INTEGER DEFAULT 0 NOT NULL,
  url_hash INTEGER DEFAULT 0 NOT NULL , description TEXT, preview_image_url TEXT,
  site_name TEXT, origin_id INTEGER REFERENCES moz_origins(id),
  recalc_frecency INTEGER NOT NULL DEFAULT 0, alt_frecency INTEGER,
  recalc_alt_frecency INTEGER NOT NULL DEFAULT 0);
CREATE INDEX moz_places_url_hashindex ON moz_places (url_hash);
CREATE TABLE moz_places_extra ( place_id INTEGER PRIMARY KEY NOT NULL, sync_json TEXT,
  FOREIGN KEY (place_id) REFERENCES moz_places(id) ON DELETE CASCADE );
CREATE TABLE moz_historyvisits (  id INTEGER PRIMARY KEY, from_visit INTEGER,
  place_id INTEGER, visit_date INTEGER, visit_type INTEGER, session INTEGER,
  source INTEGER DEFAULT 0 NOT NULL, triggeringPlaceId INTEGER);
CREATE INDEX moz_historyvisits_placedateindex ON moz_historyvisits (place_id, visit_date);
CREATE TABLE moz_historyvisits_extra ( visit_id INTEGER PRIMARY KEY NOT NULL, sync_json TEXT,
  FOREIGN KEY (visit_id) REFERENCES moz_historyvisits(id) ON DELETE CASCADE );
CREATE TABLE moz_inputhistory (  place_id INTEGER NOT NULL, input LONGVARCHAR NOT NULL,
  use_count INTEGER, PRIMARY KEY (place_id, input));
CREATE TABLE moz_bookmarks (  id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL,
  parent INTEGER, position INTEGER, title LONGVARCHAR, keyword_id INTEGER, folder_type TEXT,
  dateAdded INTEGER, lastModified INTEGER, guid TEXT,
  syncStatus INTEGER NOT NULL DEFAULT 0, syncChangeCounter INTEGER NOT NULL DEFAULT 1);
CREATE TABLE moz_bookmarks_deleted (  guid TEXT PRIMARY KEY, dateRemoved INTEGER NOT NULL DEFAULT 0);
CREATE TABLE moz_keywords (  id INTEGER PRIMARY KEY AUTOINCREMENT, keyword TEXT UNIQUE,
  place_id INTEGER, post_data TEXT);
CREATE TABLE moz_anno_attributes (  id INTEGER PRIMARY KEY, name VARCHAR(32) UNIQUE NOT NULL);
CREATE TABLE moz_annos (  id INTEGER PRIMARY KEY, place_id INTEGER NOT NULL,
  anno_attribute_id INTEGER, content LONGVARCHAR, flags INTEGER DEFAULT 0,
  expiration INTEGER DEFAULT 0, type INTEGER DEFAULT 0, dateAdded INTEGER DEFAULT 0,
  lastModified INTEGER DEFAULT 0);
CREATE TABLE moz_items_annos (  id INTEGER PRIMARY KEY, item_id INTEGER NOT NULL,
  anno_attribute_id INTEGER, content LONGVARCHAR, flags INTEGER DEFAULT 0,
  expiration INTEGER DEFAULT 0, type INTEGER DEFAULT 0, dateAdded INTEGER DEFAULT 0,
  lastModified INTEGER DEFAULT 0);
CREATE TABLE moz_meta (key TEXT PRIMARY KEY, value NOT NULL) WITHOUT ROWID;
PRAGMA user_version=82;
INSERT INTO moz_meta VALUES('origin_frecency_count', 3);
INSERT INTO moz_origins VALUES(1, 'https://', 'example', 100, 0, NULL, 0);
INSERT INTO moz_anno_attributes VALUES(1,'downloads/destinationFileURI'),
  (2,'downloads/metaData'),(3,'URIProperties/characterSet');
INSERT INTO moz_bookmarks(id, type, parent, position, title, guid) VALUES
  (1,2,0,0,'','root________'),(2,2,1,0,'menu','menu________'),
  (3,2,1,1,'toolbar','toolbar_____'),(4,2,1,2,'tags','tags________'),
  (5,2,1,3,'unfiled','unfiled_____'),(6,2,1,4,'mobile','mobile______');
)";

const char* const kFirefoxCookies = R"(
PRAGMA journal_mode=WAL;
CREATE TABLE moz_cookies (id INTEGER PRIMARY KEY, originAttributes TEXT NOT NULL DEFAULT '',
  name TEXT, value TEXT, host TEXT, path TEXT, expiry INTEGER, lastAccessed INTEGER,
  creationTime INTEGER, isSecure INTEGER, isHttpOnly INTEGER,
  inBrowserElement INTEGER DEFAULT 0, sameSite INTEGER DEFAULT 0, schemeMap INTEGER DEFAULT 0,
  isPartitionedAttributeSet INTEGER DEFAULT 0, updateTime INTEGER,
  CONSTRAINT moz_uniqueid UNIQUE (name, host, path, originAttributes));
INSERT INTO moz_cookies(name, value, host, path) VALUES('sid', 'secret', '.example', '/');
PRAGMA user_version=17;
)";

sqlite3* openDb(const QString& path) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK) << path.toStdString();
    return db;
}

void check(sqlite3* db, int rc, const char* what) {
    ASSERT_TRUE(rc == SQLITE_OK || rc == SQLITE_DONE) << what << ": " << sqlite3_errmsg(db);
}

// Runs INSERT SQL with ?1 = i for i in [0, ROWS), ?2 = the page's URL, in one transaction.
void insertRows(sqlite3* db, int rows, const QString& tag, const char* sql) {
    sqlite3_stmt* st = nullptr;
    check(db, sqlite3_prepare_v2(db, sql, -1, &st, nullptr), sql);
    for (int i = 0; i < rows; ++i) {
        const QByteArray url = QStringLiteral("https://%1-%2.example/").arg(tag).arg(i).toUtf8();
        sqlite3_bind_int64(st, 1, i + 1);
        sqlite3_bind_text(st, 2, url.constData(), int(url.size()), SQLITE_TRANSIENT);
        check(db, sqlite3_step(st), sql);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
}

} // namespace

BrowserFixture::BrowserFixture() {
    QDir().mkpath(home());
    QDir().mkpath(applications());
}

bool BrowserFixture::useRealEraser() const {
    const QString outer = makeRealToolBundle(m_dir.path() + QStringLiteral("/bundle"));
    if (outer.isEmpty())
        return false;
    BundleLocator::setOuterBundlePath(outer);
    m_bundleSet = true;
    return true;
}

BrowserFixture::~BrowserFixture() {
    if (m_bundleSet)
        BundleLocator::setOuterBundlePath(QString());
}

QString BrowserFixture::write(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(content);
    return path;
}

void BrowserFixture::sql(const QString& path, const QByteArray& statements) {
    QDir().mkpath(QFileInfo(path).path());
    sqlite3* db = openDb(path);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, statements.constData(), nullptr, nullptr, &error), SQLITE_OK)
        << (error ? error : "") << " in " << path.toStdString();
    sqlite3_free(error);
    sqlite3_close(db);
}

void BrowserFixture::realSchema(const QString& path, const QString& schema) {
    const QString name = QStringLiteral(KORVANE_SOURCE_DIR "/tests/internet/schemas/") + schema +
                         QStringLiteral(".sql");
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    const QByteArray text = file.readAll();
    QByteArray pragmas;
    const QRegularExpression pragma(QStringLiteral("^-- PRAGMA (page_size|journal_mode) = (\\w+)$"),
                                    QRegularExpression::MultilineOption);
    for (auto it = pragma.globalMatch(QString::fromUtf8(text)); it.hasNext();) {
        const auto m = it.next();
        pragmas += QStringLiteral("PRAGMA %1 = %2;\n").arg(m.captured(1), m.captured(2)).toUtf8();
    }
    sql(path, pragmas + text);
}

qint64 BrowserFixture::scalar(const QString& path, const QByteArray& query) {
    sqlite3* db = openDb(path);
    sqlite3_stmt* st = nullptr;
    qint64 value = -1;
    if (sqlite3_prepare_v2(db, query.constData(), -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        value = sqlite3_column_int64(st, 0);
    else
        ADD_FAILURE() << query.constData() << ": " << sqlite3_errmsg(db);
    sqlite3_finalize(st);
    sqlite3_close(db);
    return value;
}

QString BrowserFixture::integrity(const QString& path) {
    sqlite3* db = openDb(path);
    sqlite3_stmt* st = nullptr;
    QString result;
    if (sqlite3_prepare_v2(db, "pragma integrity_check", -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return result;
}

bool BrowserFixture::bytesContain(const QString& path, const QByteArray& text) {
    for (const QString& file :
         {path, path + QStringLiteral("-wal"), path + QStringLiteral("-journal")}) {
        QFile f(file);
        if (f.open(QIODevice::ReadOnly) && f.readAll().contains(text))
            return true;
    }
    return false;
}

void BrowserFixture::chromiumProfile(const QString& profile, const QString& tag, int rows,
                                     bool networkCookies) {
    const QString history = profile + QStringLiteral("/History");
    sql(history, kChromiumHistory);
    sqlite3* db = openDb(history);
    sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
    insertRows(db, rows, tag,
               "insert into urls(id, url, title, visit_count, last_visit_time)"
               " values(?1, ?2, 'page', 2, 13300000000000000)");
    insertRows(db, rows, tag,
               "insert into visits(url, visit_time) values(?1, 13300000000000000 + ?1)");
    insertRows(db, rows, tag,
               "insert into visits(url, visit_time) values(?1, 13300000000000001 + ?1)");
    insertRows(db, rows, tag, "insert into visit_source values(?1, 0)");
    insertRows(db, rows, tag,
               "insert into keyword_search_terms values(2, ?1, 'term ' || ?2, 'term ' || ?2)");
    insertRows(db, rows / 10, tag,
               "insert into downloads values(?1, 'guid' || ?1, '/home/ann/Downloads/f' || ?1,"
               " '/home/ann/Downloads/f' || ?1, 1, 10, 10, 1, 0, 0, x'00', 2, 0, 3, 0, ?2, ?2,"
               " '', ?2, '', 'GET', '', '', '', '', '', 'text/html', 'text/html')");
    insertRows(db, rows / 10, tag, "insert into downloads_url_chains values(?1, 0, ?2 || 'dl')");
    insertRows(db, rows / 10, tag, "insert into downloads_slices values(?1, 0, 10, 1)");
    sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
    sqlite3_close(db);

    const QString cookies = profile + (networkCookies ? QStringLiteral("/Network/Cookies")
                                                      : QStringLiteral("/Cookies"));
    sql(cookies, kChromiumCookies);
    db = openDb(cookies);
    insertRows(db, 3, tag,
               "insert into cookies values(?1, ?2, '', 'sid', '', x'763130', '/', 0, 1, 1, 0,"
               " 0, 1, 1, 0, 2, 443, 0, 0, 0)");
    sqlite3_close(db);

    const QString logins = profile + QStringLiteral("/Login Data");
    sql(logins, kChromiumLogins);
    db = openDb(logins);
    insertRows(db, 2, tag,
               "insert into logins(origin_url, username_value, password_value, signon_realm,"
               " date_created, blacklisted_by_user, scheme) values(?2, 'ann', x'763130', ?2, 1,"
               " 0, 0)");
    insertRows(db, 2, tag, "insert into insecure_credentials values(?1, 0, 1, 0, 0)");
    insertRows(db, 1, tag,
               "insert into password_notes(parent_id, key, value, date_created)"
               " values(?1, 'note', 'n', 1)");
    insertRows(db, 1, tag, "insert into sync_entities_metadata(metadata) values(?2)");
    sqlite3_close(db);

    write(profile + QStringLiteral("/Sessions/Session_13300000000000000"), "SNSS\x03");
    write(profile + QStringLiteral("/Sessions/Tabs_13300000000000000"), "SNSS\x03");
    write(profile + QStringLiteral("/Current Session"), "SNSS\x03");
    write(profile + QStringLiteral("/Session Storage/000003.log"), "site storage");
    write(profile + QStringLiteral("/GPUCache/data_0"), QByteArray(4096, 'g'));
    write(profile + QStringLiteral("/Preferences"), "{}");
}

void BrowserFixture::firefoxProfile(const QString& profile, const QString& tag, int rows) {
    const QString places = profile + QStringLiteral("/places.sqlite");
    sql(places, kFirefoxPlaces);
    sqlite3* db = openDb(places);
    sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
    insertRows(db, rows, tag,
               "insert into moz_places(id, url, title, rev_host, visit_count, last_visit_date,"
               " guid, origin_id) values(?1, ?2, 'page', 'elpmaxe.', 1, 1700000000000000, 'g' ||"
               " ?1, 1)");
    insertRows(db, rows, tag,
               "insert into moz_historyvisits(place_id, visit_date, visit_type)"
               " values(?1, 1700000000000000 + ?1, case when ?1 % 10 = 0 then 7 else 1 end)");
    insertRows(db, rows / 10, tag,
               "insert into moz_annos(place_id, anno_attribute_id, content)"
               " values(?1 * 10, 1, 'file:///home/ann/Downloads/f' || ?1)");
    insertRows(db, rows / 10, tag,
               "insert into moz_annos(place_id, anno_attribute_id, content)"
               " values(?1 * 10, 2, '{\"state\":1}')");
    insertRows(db, 1, tag, "insert into moz_inputhistory values(?1, 'inp', 1)");
    insertRows(db, 1, tag, "insert into moz_places_extra values(?1, '{}')");
    insertRows(db, 1, tag, "insert into moz_historyvisits_extra values(?1, '{}')");
    // Page 1 is bookmarked (and has a keyword): the bookmark outlives the history.
    sqlite3_exec(db,
                 "insert into moz_bookmarks(type, fk, parent, position, title, guid)"
                 " values(1, 1, 3, 0, 'kept', 'bookmark0001');"
                 "insert into moz_keywords(keyword, place_id) values('kw', 1);"
                 "update moz_places set foreign_count = 2 where id = 1;"
                 // A page annotation that is no download.
                 "insert into moz_annos(place_id, anno_attribute_id, content)"
                 " values(1, 3, 'UTF-8');",
                 nullptr, nullptr, nullptr);
    sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    sql(profile + QStringLiteral("/cookies.sqlite"), kFirefoxCookies);
    write(profile + QStringLiteral("/logins.json"), "{\"logins\":[]}");
    write(profile + QStringLiteral("/key4.db"), "keys");
    write(profile + QStringLiteral("/sessionstore.jsonlz4"), QByteArray("mozLz40\0", 8));
    write(profile + QStringLiteral("/sessionstore-backups/recovery.jsonlz4"),
          QByteArray("mozLz40\0", 8));
    write(profile + QStringLiteral("/prefs.js"), "// prefs");
}

void BrowserFixture::firefoxIni(const QString& folder, const QStringList& profiles,
                                const QString& installed) {
    QByteArray ini;
    for (int i = 0; i < profiles.size(); ++i)
        ini += QStringLiteral("[Profile%1]\nName=p%1\nIsRelative=1\nPath=%2\n%3\n")
                   .arg(i)
                   .arg(profiles[i], i == 0 ? QStringLiteral("Default=1\n") : QString())
                   .toUtf8();
    const QByteArray install =
        "[Install4F96D1932A9F858E]\nDefault=" + installed.toUtf8() + "\nLocked=1\n\n";
    write(folder + QStringLiteral("/profiles.ini"),
          install + ini + "[General]\nStartWithLastProfile=1\nVersion=2\n");
    write(folder + QStringLiteral("/installs.ini"), install);
}

void BrowserFixture::desktopEntry(const QString& id, const QString& name) const {
    write(applications() + QLatin1Char('/') + id + QStringLiteral(".desktop"),
          QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2 %U\nIcon=%2\n")
              .arg(name, id)
              .toUtf8());
}
