// Proof on raw bytes that the internet cleaner leaves nothing it removed on the device. A
// Chromium and a Firefox profile (a few hundred pages each, downloads, logins, our own cookies,
// session files, cache files) are copied into two ext4 images and every marker is found in
// both. The cleaner cleans every kind of both browsers on the first image; the second gets the
// plain deletion a cleaner that does not overwrite would do (SQL DELETE without secure_delete,
// files unlinked). Afterwards no removed marker may be left anywhere in the first image, while
// the second still holds them: the same search sees what such a cleaner leaves behind.
#include "LoopImage.h"

#include "app/inter/BrowserCleaner.h"
#include "app/inter/BrowserScanner.h"
#include "tests/internet/BrowserFixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iomanip>
#include <iostream>
#include <iterator>
#include <sqlite3.h>
#include <sstream>
#include <unistd.h>

using testsupport::LoopImage;

namespace {

// Pages per browser: enough that each history file spans dozens of pages and Chromium's
// downloads (one page in ten) fill more than one page of their own near the file's end.
constexpr int kRows = 500;
constexpr int kCookies = 40;
constexpr std::uint64_t kImageSize = 96u << 20;
const QString kChromiumTag = QStringLiteral("kvchrq");
const QString kFirefoxTag = QStringLiteral("kvfoxq");
const QString kFirefoxProfile = QStringLiteral("x7k2.default-release");

// Needles of one kind of data; each occurs nowhere but where the profiles put it.
struct MarkerClass {
    std::string name;
    std::vector<std::string> needles;
};

// The classes the clean removes, then what it must leave.
enum { kUrls, kCookieClass, kSessions, kCaches, kKept, kClassCount };

// What one image holds: per class, the occurrences of all its needles and the needles found.
struct Tally {
    std::vector<std::size_t> total;
    std::vector<std::vector<std::string>> found;
    std::vector<std::vector<std::string>> missing;
};

Tally tally(const LoopImage& image, const std::vector<MarkerClass>& classes) {
    std::vector<std::vector<std::string>> groups;
    for (const MarkerClass& c : classes)
        for (const std::string& needle : c.needles)
            groups.push_back({needle});
    const std::vector<std::size_t> counts = image.countGroups(groups);
    Tally t;
    std::size_t at = 0;
    for (const MarkerClass& c : classes) {
        t.total.push_back(0);
        t.found.emplace_back();
        t.missing.emplace_back();
        for (const std::string& needle : c.needles) {
            const std::size_t n = counts[at++];
            t.total.back() += n;
            (n > 0 ? t.found.back() : t.missing.back()).push_back(needle);
        }
    }
    return t;
}

std::string firstOf(const std::vector<std::string>& list, std::size_t most = 5) {
    std::string text;
    for (std::size_t i = 0; i < list.size() && i < most; ++i)
        text += (i ? ", " : "") + list[i];
    if (list.size() > most)
        text += ", ... (" + std::to_string(list.size()) + " in all)";
    return text;
}

// Where NEEDLE lies in the image: byte offsets with their file-system block (for debugfs's
// icheck), the first few only.
std::string whereIn(const LoopImage& image, const std::string& needle) {
    std::ifstream file(image.imagePath(), std::ios::binary);
    const std::string data{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    // The ext4 superblock lies at 1024; its block size is 1024 << s_log_block_size (offset 24).
    std::uint32_t logSize = 0;
    if (data.size() > 1024 + 28)
        std::memcpy(&logSize, data.data() + 1024 + 24, sizeof logSize);
    const std::size_t blockSize = std::size_t(1024) << logSize;
    std::ostringstream out;
    int shown = 0;
    for (std::size_t at = data.find(needle); at != std::string::npos && shown < 5;
         at = data.find(needle, at + 1), ++shown)
        out << (shown ? ", " : "") << "offset " << at << " (block " << at / blockSize << ")";
    return out.str();
}

QByteArray marked(const QByteArray& head, const QByteArray& marker, int bytes) {
    QByteArray data = head;
    while (data.size() < bytes)
        data += marker + '\n';
    return data;
}

QString padded(int i) {
    return QString::number(i).rightJustified(3, QLatin1Char('0'));
}

QString chromiumProfileIn(const QString& home) {
    return home + QStringLiteral("/.config/chromium/Default");
}

QString firefoxProfileIn(const QString& home) {
    return home + QStringLiteral("/.mozilla/firefox/") + kFirefoxProfile;
}

// The profiles of the user "ann" below HOME: Chromium's Default profile with its cache folder,
// a Firefox profile named by profiles.ini and installs.ini with its cache folder, each with our
// own cookies, session files and cache files added. Returns what was put where.
std::vector<MarkerClass> stageProfiles(const QString& home) {
    const QString chromium = chromiumProfileIn(home);
    const QString firefox = firefoxProfileIn(home);
    BrowserFixture::chromiumProfile(chromium, kChromiumTag, kRows);
    BrowserFixture::firefoxProfile(firefox, kFirefoxTag, kRows);
    BrowserFixture::firefoxIni(QFileInfo(firefox).path(), {kFirefoxProfile}, kFirefoxProfile);

    std::vector<MarkerClass> classes(kClassCount);
    classes[kUrls].name = "urls";
    classes[kCookieClass].name = "cookies";
    classes[kSessions].name = "sessions";
    classes[kCaches].name = "caches";
    classes[kKept].name = "kept";
    // Page 0 of each is left out: Chromium's also names a sync record of Login Data, which is
    // no password and stays; Firefox's is bookmarked, so the page stays with its bookmark.
    for (int i = 1; i < kRows; ++i)
        for (const QString& tag : {kChromiumTag, kFirefoxTag})
            classes[kUrls].needles.push_back(
                QStringLiteral("%1-%2.example/").arg(tag).arg(i).toStdString());
    classes[kKept].needles.push_back(
        QStringLiteral("%1-0.example/").arg(kFirefoxTag).toStdString());

    QByteArray chromiumCookies = "begin;";
    QByteArray firefoxCookies = "begin;";
    for (int i = 0; i < kCookies; ++i) {
        const QString n = padded(i);
        chromiumCookies +=
            QStringLiteral("insert into cookies values(%1, '.kvchrsite.example', '', "
                           "'kvcookiechr%2', 'kvvaluechr%2', x'', '/', 0, 1, 1, 0, 0, 1, 1, "
                           "0, 2, 443, 0, 0, 0);")
                .arg(1000 + i)
                .arg(n)
                .toUtf8();
        firefoxCookies += QStringLiteral("insert into moz_cookies(name, value, host, path, expiry)"
                                         " values('kvcookiefox%1', 'kvvaluefox%1',"
                                         " '.kvfoxsite.example', '/', 0);")
                              .arg(n)
                              .toUtf8();
        for (const char* prefix : {"kvcookiechr", "kvvaluechr", "kvcookiefox", "kvvaluefox"})
            classes[kCookieClass].needles.push_back(prefix + n.toStdString());
    }
    BrowserFixture::sql(chromium + QStringLiteral("/Cookies"), chromiumCookies + "commit;");
    BrowserFixture::sql(firefox + QStringLiteral("/cookies.sqlite"), firefoxCookies + "commit;");

    // Session files name the open tabs; a few blocks each, the tab on every line.
    const QByteArray chromiumTab = "https://kvsessionchr.example/tab";
    const QByteArray firefoxTab = "https://kvsessionfox.example/tab";
    for (const char* name : {"/Sessions/Session_13300000000000000",
                             "/Sessions/Tabs_13300000000000000", "/Current Session"})
        BrowserFixture::write(chromium + QLatin1String(name),
                              marked(QByteArray("SNSS\x03\0\0\0", 8), chromiumTab, 9000));
    for (const char* name : {"/sessionstore.jsonlz4", "/sessionstore-backups/recovery.jsonlz4",
                             "/sessionstore-backups/recovery.baklz4"})
        BrowserFixture::write(firefox + QLatin1String(name),
                              marked(QByteArray("mozLz40\0", 8), firefoxTab, 9000));
    classes[kSessions].needles = {"kvsessionchr.example", "kvsessionfox.example"};

    // Cache entries, large and small (a small file still has a whole block of its own).
    const QString chromiumCache =
        home + QStringLiteral("/.cache/chromium/Default/Cache/Cache_Data");
    const QString firefoxCache =
        home + QStringLiteral("/.cache/mozilla/firefox/") + kFirefoxProfile + "/cache2/entries";
    BrowserFixture::write(chromiumCache + "/f_000001", marked({}, "kvcachechr", 20000));
    BrowserFixture::write(chromiumCache + "/data_0", "kvcachechr small entry");
    BrowserFixture::write(firefoxCache + "/0A1B2C3D4E5F", marked({}, "kvcachefox", 20000));
    BrowserFixture::write(firefoxCache + "/F5E4D3C2B1A0", "kvcachefox small entry");
    classes[kCaches].needles = {"kvcachechr", "kvcachefox"};

    // The settings are no browsing data: they stay.
    BrowserFixture::write(chromium + "/Preferences", "{\"kvkeepchr\": true}");
    BrowserFixture::write(firefox + "/prefs.js", "user_pref(\"kvkeepfox\", true);\n");
    classes[kKept].needles.push_back("kvkeepchr");
    classes[kKept].needles.push_back("kvkeepfox");
    return classes;
}

// Copies the staged home into the freshly made IMAGE, and reads it back once unmounted, so
// that everything is on the device before anything is removed. Leaves the image mounted.
Tally fill(LoopImage& image, const QString& staged, const std::vector<MarkerClass>& classes) {
    image.mount();
    const std::filesystem::path home = image.mountPoint() + "/home/ann";
    std::filesystem::create_directories(home);
    std::filesystem::copy(staged.toStdString(), home, std::filesystem::copy_options::recursive);
    image.unmount();
    Tally before = tally(image, classes);
    image.mount();
    return before;
}

QString homeIn(const LoopImage& image) {
    return QString::fromStdString(image.mountPoint()) + QStringLiteral("/home/ann");
}

// Statements run as any SQLite user runs them: default journal, no secure_delete.
void plainDelete(const QString& path, const QByteArray& statements) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr),
              SQLITE_OK)
        << path.toStdString();
    char* error = nullptr;
    const QByteArray sql = "pragma secure_delete = off;" + statements;
    EXPECT_EQ(sqlite3_exec(db, sql.constData(), nullptr, nullptr, &error), SQLITE_OK)
        << (error ? error : "") << " in " << path.toStdString();
    sqlite3_free(error);
    sqlite3_close(db);
}

// What a cleaner that removes without overwriting does: the same rows deleted, the same files
// unlinked.
void plainClean(const QString& home) {
    const QString chromium = chromiumProfileIn(home);
    const QString firefox = firefoxProfileIn(home);
    plainDelete(chromium + "/History",
                "delete from urls; delete from visits; delete from visit_source;"
                "delete from keyword_search_terms; delete from downloads;"
                "delete from downloads_url_chains; delete from downloads_slices;");
    plainDelete(chromium + "/Cookies", "delete from cookies;");
    plainDelete(
        chromium + "/Login Data",
        "delete from logins; delete from insecure_credentials; delete from password_notes;");
    plainDelete(firefox + "/places.sqlite",
                "delete from moz_historyvisits; delete from moz_historyvisits_extra;"
                "delete from moz_annos where anno_attribute_id in (1, 2);"
                "delete from moz_inputhistory; delete from moz_places where foreign_count = 0;"
                "delete from moz_places_extra where place_id not in (select id from moz_places);");
    plainDelete(firefox + "/cookies.sqlite", "delete from moz_cookies;");
    for (const QString& folder :
         {chromium + "/Sessions", chromium + "/GPUCache", home + "/.cache/chromium/Default",
          firefox + "/sessionstore-backups", home + "/.cache/mozilla/firefox/" + kFirefoxProfile})
        EXPECT_TRUE(QDir(folder).removeRecursively()) << folder.toStdString();
    for (const QString& file : {chromium + "/Current Session", firefox + "/sessionstore.jsonlz4",
                                firefox + "/logins.json", firefox + "/key4.db"})
        EXPECT_TRUE(QFile::remove(file)) << file.toStdString();

    // The rows are gone as far as SQLite can tell: only their bytes stay.
    EXPECT_EQ(BrowserFixture::scalar(chromium + "/History", "select count(*) from urls"), 0);
    EXPECT_EQ(BrowserFixture::scalar(chromium + "/Cookies", "select count(*) from cookies"), 0);
    EXPECT_EQ(BrowserFixture::scalar(firefox + "/places.sqlite", "select count(*) from moz_places"),
              1);
    EXPECT_EQ(
        BrowserFixture::scalar(firefox + "/cookies.sqlite", "select count(*) from moz_cookies"), 0);
}

// Scans the home as the cleaner's window does, chooses every kind of every browser (saved
// passwords too) and cleans. MILLISECONDS gets how long the clean took.
BrowserCleaner::Summary cleanEverything(const QString& home, qint64* milliseconds) {
    BrowserScanner::Options options;
    options.history = EraserHistory::load(
        QStringLiteral(KORVANE_SOURCE_DIR "/app/Resources/EraserHistory.plist"));
    options.userName = QStringLiteral("ann");
    options.home = home;
    options.uid = ::getuid();
    const QList<BrowerObjPtr> browsers = BrowserScanner(options).scan();
    QStringList names;
    for (const BrowerObjPtr& browser : browsers) {
        names << browser->name;
        for (const BrowerObjPtr& kind : browser->chrArr) {
            EXPECT_TRUE(kind->problems().isEmpty())
                << browser->name.toStdString() << ", " << kind->name.toStdString() << ": "
                << kind->problems().join("; ").toStdString();
            kind->isSelect = true;
        }
    }
    EXPECT_EQ(names, QStringList({"Chromium", "Firefox"}));
    QElapsedTimer timer;
    timer.start();
    const BrowserCleaner::Summary summary = BrowserCleaner(::getuid()).clean(browsers);
    *milliseconds = timer.elapsed();
    return summary;
}

} // namespace

TEST(BrowserImageProof, CleanLeavesNoRemovedByteWherePlainDeletionLeavesThem) {
    if (const std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4);
        !why.empty())
        GTEST_SKIP() << "ext4 images: " << why;
    BrowserFixture fx;
    ASSERT_TRUE(fx.useRealEraser()) << "the srm tool is not built";
    // Built outside the images, so that neither holds copies SQLite made and deleted while the
    // profiles were written: those are for a free-space wipe, not the cleaner.
    const std::vector<MarkerClass> classes = stageProfiles(fx.home());
    ASSERT_FALSE(::testing::Test::HasFailure());

    LoopImage cleanedImage(LoopImage::FileSystem::Ext4, kImageSize);
    LoopImage plainImage(LoopImage::FileSystem::Ext4, kImageSize);
    const Tally before = fill(cleanedImage, fx.home(), classes);
    const Tally plainBefore = fill(plainImage, fx.home(), classes);
    for (int c = 0; c < kClassCount; ++c) {
        ASSERT_TRUE(before.missing[c].empty())
            << classes[c].name << " not on the device: " << firstOf(before.missing[c]);
        ASSERT_TRUE(plainBefore.missing[c].empty())
            << classes[c].name << " not on the device: " << firstOf(plainBefore.missing[c]);
    }

    qint64 cleanMs = 0;
    const BrowserCleaner::Summary summary = cleanEverything(homeIn(cleanedImage), &cleanMs);
    EXPECT_TRUE(summary.allCleaned()) << summary.problems.join("\n").toStdString();
    plainClean(homeIn(plainImage));
    cleanedImage.unmount();
    plainImage.unmount();
    const Tally after = tally(cleanedImage, classes);
    const Tally plain = tally(plainImage, classes);

    std::cout << "[ raw      ] class      before  cleaner  plain deletion" << std::endl;
    for (int c = 0; c < kClassCount; ++c) {
        std::cout << "[ raw      ] " << std::left << std::setw(10) << classes[c].name << std::right
                  << std::setw(7) << before.total[c] << std::setw(9) << after.total[c]
                  << std::setw(16) << plain.total[c] << "   (needles left " << after.found[c].size()
                  << " / " << plain.found[c].size() << " of " << classes[c].needles.size() << ")"
                  << std::endl;
        RecordProperty("before_" + classes[c].name, int(before.total[c]));
        RecordProperty("cleaner_" + classes[c].name, int(after.total[c]));
        RecordProperty("plain_" + classes[c].name, int(plain.total[c]));
    }
    std::cout << "[ timing   ] the clean took " << cleanMs << " ms" << std::endl;
    RecordProperty("clean_ms", int(cleanMs));

    for (int c = 0; c < kClassCount; ++c) {
        if (c == kKept) {
            // Proof that the clean did not get there by destroying the profiles.
            EXPECT_TRUE(after.missing[c].empty())
                << "kept data lost by the clean: " << firstOf(after.missing[c]);
            continue;
        }
        std::string where;
        for (std::size_t i = 0; i < after.found[c].size() && i < 3; ++i)
            where += "\n  " + after.found[c][i] + ": " + whereIn(cleanedImage, after.found[c][i]);
        EXPECT_EQ(after.total[c], 0u)
            << classes[c].name << " left on the device by the clean: " << firstOf(after.found[c])
            << where;
        EXPECT_GT(plain.total[c], 0u)
            << classes[c].name << ": the plain deletion left nothing the search finds";
    }

    // Read back through the file system only now, so the raw bytes are the clean's alone.
    cleanedImage.mount();
    const QString chromium = chromiumProfileIn(homeIn(cleanedImage));
    const QString firefox = firefoxProfileIn(homeIn(cleanedImage));
    const QString places = firefox + "/places.sqlite";
    EXPECT_EQ(BrowserFixture::scalar(places, "select count(*) from moz_places where url = "
                                             "'https://" +
                                                 kFirefoxTag.toUtf8() + "-0.example/'"),
              1);
    EXPECT_EQ(BrowserFixture::scalar(places, "select count(*) from moz_bookmarks where guid = "
                                             "'bookmark0001'"),
              1);
    EXPECT_EQ(BrowserFixture::scalar(places, "select count(*) from moz_historyvisits"), 0);
    for (const QString& db :
         {places, chromium + "/History", chromium + "/Cookies", firefox + "/cookies.sqlite"})
        EXPECT_EQ(BrowserFixture::integrity(db), "ok") << db.toStdString();
    EXPECT_TRUE(QFileInfo::exists(chromium + "/Preferences"));
    EXPECT_TRUE(QFileInfo::exists(firefox + "/prefs.js"));
    EXPECT_TRUE(QFileInfo::exists(QFileInfo(firefox).path() + "/profiles.ini"));
    EXPECT_FALSE(QFileInfo::exists(chromium + "/Sessions"));
    EXPECT_FALSE(QFileInfo::exists(firefox + "/sessionstore-backups"));
}
