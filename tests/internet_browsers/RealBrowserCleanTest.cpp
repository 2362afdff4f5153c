// The internet cleaner against profiles the installed browsers make themselves: Chromium and
// Firefox ESR visit pages of a loopback site that sets cookies, `korvane browsers clean all --yes`
// (the real program with the bundle's srm) removes what they kept, and each browser must start on
// the cleaned profile again. A browser that is not installed is skipped; nothing is installed here.
#include "LoopbackSite.h"
#include "ProgramRun.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace {

constexpr int kBrowserTimeoutMs = 120000;

using ProfileBytes::holding;
using ProfileBytes::integrity;
using ProfileBytes::read;
using ProfileBytes::value;

void note(const QString& text) {
    std::printf("[   info   ] %s\n", qPrintable(text));
}

bool writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray quoted(const QString& text) {
    return "'" + text.toUtf8().replace("'", "''") + "'";
}

class RealBrowserClean : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(m_site.listen());
        QDir().mkpath(home());
        QDir().mkpath(scratch());
    }

    // Holds nothing but what the browser writes.
    QString home() const { return m_dir.path() + QStringLiteral("/home"); }
    // The browsers' temporary files, screenshots and files handed to them: not in the home.
    QString scratch() const { return m_dir.path() + QStringLiteral("/scratch"); }

    // Nothing of the test's own environment (no display, no XDG folders): the browser keeps its
    // data where it does for a user whose home is home().
    QProcessEnvironment browserEnvironment() const {
        QProcessEnvironment env;
        env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH", "/usr/bin:/bin"));
        env.insert(QStringLiteral("HOME"), home());
        env.insert(QStringLiteral("TMPDIR"), scratch());
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        return env;
    }

    ProgramRun korvane(const QStringList& args) const {
        const QString user = QString::fromLocal8Bit(::getpwuid(::getuid())->pw_name);
        return ProgramRun::run(
            QStringLiteral(KORVANE_BUILD_DIR "/bin/korvane"),
            QStringList{QStringLiteral("browsers")} + args +
                QStringList{QStringLiteral("--home"), home(), QStringLiteral("--user"), user,
                            QStringLiteral("--bundle"), QStringLiteral(KORVANE_BUNDLE_DIR)},
            QProcessEnvironment::systemEnvironment(), scratch(), 120000);
    }

    // The listing's entry for BROWSER (by name), empty when it is not listed.
    QJsonObject listed(const QString& browser) const {
        const ProgramRun run = korvane({QStringLiteral("--json")});
        EXPECT_TRUE(run.clean()) << run.describe();
        for (const QJsonValue& b : QJsonDocument::fromJson(run.out).array())
            if (b.toObject()[QStringLiteral("name")].toString() == browser)
                return b.toObject();
        ADD_FAILURE() << browser.toStdString() << " not listed:\n" << run.out.constData();
        return {};
    }

    static bool listsProfile(const QJsonObject& browser, const QString& profile) {
        for (const QJsonValue& p : browser[QStringLiteral("profiles")].toArray())
            if (p.toObject()[QStringLiteral("path")].toString() == profile)
                return true;
        return false;
    }

    static qint64 listedCount(const QJsonObject& browser, const QString& kind) {
        for (const QJsonValue& k : browser[QStringLiteral("kinds")].toArray())
            if (k.toObject()[QStringLiteral("name")].toString() == kind)
                return k.toObject()[QStringLiteral("count")].toInteger(-1);
        return -1;
    }

    // What must be gone from every file after the clean: the pages' paths and titles (the
    // bookmarked page aside) and the cookie.
    QList<QByteArray> goneMarkers() const {
        return {m_site.token() + "-gone", m_site.cookieName(), m_site.cookieValue()};
    }

    // The pages and the cookie are in some file before the clean, so that finding them in none
    // afterwards means something.
    void expectMarkersFound() const {
        for (const QByteArray& marker : {m_site.token() + "-gone", m_site.cookieName()})
            EXPECT_FALSE(holding(home(), {marker}).isEmpty())
                << marker.constData() << " is in no file before the clean";
    }

    void expectNoMarkersLeft() const {
        EXPECT_EQ(holding(home(), goneMarkers()).join(QLatin1Char('\n')).toStdString(), "")
            << "files of the cleaned home that still hold a page or the cookie";
    }

    QTemporaryDir m_dir;
    LoopbackSite m_site;
};

// ---------------------------------------------------------------------------------------------
// Chromium

class ChromiumClean : public RealBrowserClean {
protected:
    QString userData() const { return home() + QStringLiteral("/.config/chromium"); }
    QString profile() const { return userData() + QStringLiteral("/Default"); }

    // One page shown headless, then a normal exit (History and Cookies are written by then).
    // Chromium run by root refuses to start without --no-sandbox; the basic password store
    // avoids waiting for a keyring; the rest keeps it from reaching anything but the site.
    ProgramRun visit(const QString& chromium, const QByteArray& page) const {
        return ProgramRun::run(
            chromium,
            {QStringLiteral("--headless=new"), QStringLiteral("--no-sandbox"),
             QStringLiteral("--disable-gpu"), QStringLiteral("--disable-quic"),
             QStringLiteral("--no-first-run"), QStringLiteral("--disable-background-networking"),
             QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
             QStringLiteral("--password-store=basic"),
             QStringLiteral("--user-data-dir=") + userData(), QStringLiteral("--dump-dom"),
             m_site.url(page)},
            browserEnvironment(), scratch(), kBrowserTimeoutMs);
    }

    // A bookmark bar holding the page at URL, as Chromium keeps it (the checksum, which Chromium
    // does not require, left out).
    static QByteArray bookmarks(const QString& url) {
        const QByteArray folder = R"("date_added": "13441300000000000", "date_modified": "0",
                                     "type": "folder", )";
        return R"({ "roots": {
  "bookmark_bar": { "children": [ { "date_added": "13441300000000000",
      "guid": "6d6c7a1e-0f59-4b8e-9d43-2f3c1a8b5e01", "id": "4", "name": "Kept page",
      "type": "url", "url": ")" +
               url.toUtf8() + R"(" } ], )" + folder +
               R"("guid": "0bc5d13f-2cba-5d74-951f-3f233fe6c908", "id": "1",
      "name": "Bookmarks bar" },
  "other": { "children": [], )" +
               folder + R"("guid": "82b081ec-3dd3-529c-8475-ab6c344590dd", "id": "2",
      "name": "Other bookmarks" },
  "synced": { "children": [], )" +
               folder + R"("guid": "4cf2e351-0e85-532b-bb37-df045d8f8d0f", "id": "3",
      "name": "Mobile bookmarks" } },
  "version": 1 }
)";
    }
};

// History and cookies go from the databases and from every file; bookmarks and settings stay
// as they were; Chromium starts on the cleaned profile, shows a page and records it.
TEST_F(ChromiumClean, ForgetsVisitsAndCookiesKeepsSettingsAndStartsAgain) {
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty())
        GTEST_SKIP() << "Chromium is not installed (Debian package chromium): its real profile "
                        "is not tried here";
    ASSERT_TRUE(writeFile(profile() + QStringLiteral("/Bookmarks"), bookmarks(m_site.url("kept"))));

    for (const QByteArray page : {"gone-1", "gone-2", "kept", "gone-3"}) {
        const ProgramRun run = visit(chromium, page);
        ASSERT_TRUE(run.clean()) << page.constData() << ": " << run.describe();
        ASSERT_TRUE(run.out.contains(m_site.title(page))) << "page not shown:\n" << run.describe();
        note(QStringLiteral("Chromium visited %1 in %2 s")
                 .arg(QString::fromLatin1(page))
                 .arg(run.seconds, 0, 'f', 1));
    }
    const QString history = profile() + QStringLiteral("/History");
    const QString cookies = profile() + QStringLiteral("/Cookies");
    const QByteArray ourCookie = "select count(*) from cookies where name = " +
                                 quoted(QString::fromLatin1(m_site.cookieName()));
    const QByteArray ourUrls = "select count(*) from urls where url like " +
                               quoted(QStringLiteral("%") + m_site.token() + QStringLiteral("%"));
    ASSERT_EQ(value(history, ourUrls), 4);
    ASSERT_GE(value(cookies, ourCookie), 1);
    const qint64 urls = value(history, "select count(*) from urls");
    const qint64 visits = value(history, "select count(*) from visits");
    const qint64 cookieRows = value(cookies, "select count(*) from cookies");
    ASSERT_GE(visits, 4);
    const QStringList before = holding(home(), goneMarkers());
    expectMarkersFound();
    note(QStringLiteral("before the clean: urls %1, visits %2, cookies %3; %4 files hold the "
                        "pages or the cookie:\n    %5")
             .arg(urls)
             .arg(visits)
             .arg(cookieRows)
             .arg(before.size())
             .arg(before.join(QStringLiteral("\n    "))));

    const QJsonObject listing = listed(QStringLiteral("Chromium"));
    EXPECT_TRUE(listsProfile(listing, profile())) << QJsonDocument(listing).toJson().constData();
    EXPECT_EQ(listedCount(listing, QStringLiteral("Browsing History")), urls);
    EXPECT_EQ(listedCount(listing, QStringLiteral("Cookies")), cookieRows);

    const QStringList kept{profile() + QStringLiteral("/Bookmarks"),
                           profile() + QStringLiteral("/Preferences"),
                           userData() + QStringLiteral("/Local State")};
    QList<QByteArray> keptBytes;
    for (const QString& file : kept) {
        keptBytes << read(file);
        ASSERT_FALSE(keptBytes.last().isEmpty()) << file.toStdString();
    }

    const ProgramRun clean =
        korvane({QStringLiteral("clean"), QStringLiteral("all"), QStringLiteral("--yes")});
    ASSERT_TRUE(clean.clean()) << clean.describe();
    note(QStringLiteral("korvane browsers clean all --yes: %1 s").arg(clean.seconds, 0, 'f', 1));

    EXPECT_EQ(value(history, "select count(*) from urls"), 0);
    EXPECT_EQ(value(history, "select count(*) from visits"), 0);
    EXPECT_EQ(value(cookies, "select count(*) from cookies"), 0);
    EXPECT_EQ(integrity(history), QStringLiteral("ok"));
    EXPECT_EQ(integrity(cookies), QStringLiteral("ok"));
    expectNoMarkersLeft();
    for (int i = 0; i < kept.size(); ++i)
        EXPECT_TRUE(read(kept[i]) == keptBytes[i]) << kept[i].toStdString() << " was changed";
    note(QStringLiteral("after the clean: urls %1, visits %2, cookies %3")
             .arg(value(history, "select count(*) from urls"))
             .arg(value(history, "select count(*) from visits"))
             .arg(value(cookies, "select count(*) from cookies")));

    const ProgramRun again = visit(chromium, "again");
    EXPECT_TRUE(again.clean()) << "Chromium on the cleaned profile: " << again.describe();
    EXPECT_TRUE(again.out.contains(m_site.title("again"))) << again.describe();
    EXPECT_GT(m_site.hits("again"), 0);
    // The cleaned databases take new rows.
    EXPECT_EQ(
        value(history, "select count(*) from urls where url = " + quoted(m_site.url("again"))), 1);
    EXPECT_GE(value(cookies, ourCookie), 1);
    EXPECT_EQ(integrity(history), QStringLiteral("ok"));
    EXPECT_TRUE(read(kept[0]).contains(m_site.url("kept").toUtf8())) << "the bookmark is gone";
    note(QStringLiteral("Chromium started again on the cleaned profile: %1 in %2 s")
             .arg(again.clean() ? QStringLiteral("clean exit") : QStringLiteral("FAILED"))
             .arg(again.seconds, 0, 'f', 1));
}

// ---------------------------------------------------------------------------------------------
// Firefox ESR

class FirefoxClean : public RealBrowserClean {
protected:
    // One page shown headless and saved as a picture, then a normal exit.
    ProgramRun visit(const QString& firefox, const QByteArray& page) const {
        return ProgramRun::run(firefox,
                               {QStringLiteral("--headless"), QStringLiteral("--screenshot"),
                                picture(page), m_site.url(page)},
                               browserEnvironment(), scratch(), kBrowserTimeoutMs);
    }
    QString picture(const QByteArray& page) const {
        return scratch() + QStringLiteral("/shot-%1.png").arg(QString::fromLatin1(page));
    }
    // The page was fetched and a picture of it saved.
    bool shown(const QByteArray& page) const {
        return m_site.hits(page) > 0 && read(picture(page)).startsWith("\x89PNG");
    }

    // The profile Firefox made for itself in the home (the one with history), under either of
    // its profiles folders.
    QString profile() const {
        QStringList found;
        for (const QString& root : {home() + QStringLiteral("/.mozilla/firefox"),
                                    home() + QStringLiteral("/.config/mozilla/firefox")}) {
            QDirIterator it(root, {QStringLiteral("places.sqlite")}, QDir::Files,
                            QDirIterator::Subdirectories);
            while (it.hasNext())
                found << QFileInfo(it.next()).path();
        }
        EXPECT_EQ(found.size(), 1) << found.join(QLatin1Char(' ')).toStdString();
        return found.value(0);
    }

    QByteArray bookmarkQuery() const {
        return "select count(*) from moz_bookmarks b join moz_places p on p.id = b.fk "
               "where b.type = 1 and p.url = " +
               quoted(m_site.url("kept"));
    }
};

// History and cookies go from the databases and from every file, a bookmark of a visited page
// stays; Firefox starts on the cleaned profile, shows a page and records it.
TEST_F(FirefoxClean, ForgetsVisitsAndCookiesKeepsBookmarkAndStartsAgain) {
    const QString firefox = QStandardPaths::findExecutable(QStringLiteral("firefox-esr"));
    if (firefox.isEmpty())
        GTEST_SKIP() << "Firefox ESR is not installed (Debian package firefox-esr): its real "
                        "profile is not tried here";
    // The first start makes the default profile.
    ProgramRun run = visit(firefox, "gone-1");
    ASSERT_TRUE(run.clean()) << run.describe();
    ASSERT_TRUE(shown("gone-1")) << run.describe();
    note(QStringLiteral("Firefox made its profile and visited gone-1 in %1 s")
             .arg(run.seconds, 0, 'f', 1));
    const QString dir = profile();
    ASSERT_FALSE(dir.isEmpty());
    const QString places = dir + QStringLiteral("/places.sqlite");
    const QString cookies = dir + QStringLiteral("/cookies.sqlite");

    // The bookmark is made by Firefox: it imports bookmarks.html at its next start when user.js
    // asks for it. user.js goes again at once, or every start would import it anew and hide a
    // bookmark the clean lost.
    const QByteArray bookmarksHtml =
        "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<META HTTP-EQUIV=\"Content-Type\" "
        "CONTENT=\"text/html; charset=UTF-8\">\n<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n"
        "<DL><p>\n<DT><H3 PERSONAL_TOOLBAR_FOLDER=\"true\">Toolbar</H3>\n<DL><p>\n"
        "<DT><A HREF=\"" +
        m_site.url("kept").toUtf8() + "\">Kept page</A>\n</DL><p>\n</DL><p>\n";
    ASSERT_TRUE(writeFile(scratch() + QStringLiteral("/bookmarks.html"), bookmarksHtml));
    ASSERT_TRUE(writeFile(dir + QStringLiteral("/user.js"),
                          "user_pref(\"browser.places.importBookmarksHTML\", true);\n"
                          "user_pref(\"browser.bookmarks.file\", \"" +
                              scratch().toUtf8() + "/bookmarks.html\");\n"));
    for (const QByteArray page : {"gone-2", "kept", "gone-3"}) {
        run = visit(firefox, page);
        ASSERT_TRUE(run.clean()) << page.constData() << ": " << run.describe();
        ASSERT_TRUE(shown(page)) << page.constData() << ": " << run.describe();
        QFile::remove(dir + QStringLiteral("/user.js"));
        note(QStringLiteral("Firefox visited %1 in %2 s")
                 .arg(QString::fromLatin1(page))
                 .arg(run.seconds, 0, 'f', 1));
    }
    ASSERT_EQ(value(places, bookmarkQuery()), 1) << "Firefox did not import the bookmark";
    const QByteArray ourVisits =
        "select count(*) from moz_historyvisits v join moz_places p on p.id = v.place_id "
        "where p.url like " +
        quoted(QStringLiteral("%") + m_site.token() + QStringLiteral("%"));
    const QByteArray ourCookie = "select count(*) from moz_cookies where name = " +
                                 quoted(QString::fromLatin1(m_site.cookieName()));
    ASSERT_EQ(value(places, ourVisits), 4);
    ASSERT_GE(value(cookies, ourCookie), 1);
    const qint64 visits = value(places, "select count(*) from moz_historyvisits");
    const qint64 cookieRows = value(cookies, "select count(*) from moz_cookies");
    const QStringList before = holding(home(), goneMarkers());
    expectMarkersFound();
    note(QStringLiteral("before the clean: moz_historyvisits %1, moz_cookies %2, bookmark %3; %4 "
                        "files hold the pages or the cookie:\n    %5")
             .arg(visits)
             .arg(cookieRows)
             .arg(value(places, bookmarkQuery()))
             .arg(before.size())
             .arg(before.join(QStringLiteral("\n    "))));

    const QJsonObject listing = listed(QStringLiteral("Firefox"));
    EXPECT_TRUE(listsProfile(listing, dir)) << QJsonDocument(listing).toJson().constData();
    EXPECT_EQ(listedCount(listing, QStringLiteral("Browsing History")), visits);
    EXPECT_EQ(listedCount(listing, QStringLiteral("Cookies")), cookieRows);

    const ProgramRun clean =
        korvane({QStringLiteral("clean"), QStringLiteral("all"), QStringLiteral("--yes")});
    ASSERT_TRUE(clean.clean()) << clean.describe();
    note(QStringLiteral("korvane browsers clean all --yes: %1 s").arg(clean.seconds, 0, 'f', 1));

    EXPECT_EQ(value(places, "select count(*) from moz_historyvisits"), 0);
    EXPECT_EQ(value(cookies, "select count(*) from moz_cookies"), 0);
    EXPECT_EQ(value(places, bookmarkQuery()), 1) << "the bookmark went with the history";
    EXPECT_EQ(integrity(places), QStringLiteral("ok"));
    EXPECT_EQ(integrity(cookies), QStringLiteral("ok"));
    expectNoMarkersLeft();
    note(QStringLiteral("after the clean: moz_historyvisits %1, moz_cookies %2, bookmark %3")
             .arg(value(places, "select count(*) from moz_historyvisits"))
             .arg(value(cookies, "select count(*) from moz_cookies"))
             .arg(value(places, bookmarkQuery())));

    const ProgramRun again = visit(firefox, "again");
    EXPECT_TRUE(again.clean()) << "Firefox on the cleaned profile: " << again.describe();
    EXPECT_TRUE(shown("again")) << again.describe();
    // Firefox sets a database it finds damaged aside as *.corrupt and starts a new one.
    EXPECT_EQ(
        QDir(dir).entryList({QStringLiteral("*.corrupt")}, QDir::Files).join(' ').toStdString(),
        "");
    EXPECT_EQ(value(places, bookmarkQuery()), 1) << "the bookmark is gone after the start";
    // The cleaned databases take new rows.
    EXPECT_EQ(value(places, "select count(*) from moz_historyvisits v join moz_places p on "
                            "p.id = v.place_id where p.url = " +
                                quoted(m_site.url("again"))),
              1);
    EXPECT_GE(value(cookies, ourCookie), 1);
    EXPECT_EQ(integrity(places), QStringLiteral("ok"));
    note(QStringLiteral("Firefox started again on the cleaned profile: %1 in %2 s")
             .arg(again.clean() ? QStringLiteral("clean exit") : QStringLiteral("FAILED"))
             .arg(again.seconds, 0, 'f', 1));
}

} // namespace
