#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Browser profiles with the browsers' own schemas in a throw-away home: the tables every
// statement of the cleaner names, and one table it must never touch (meta) in each file.
// URLs are "https://<tag>-<n>.example/" so their bytes can be looked for after a clean.
class BrowserFixture {
public:
    BrowserFixture();
    ~BrowserFixture();
    QString home() const { return m_dir.path() + QStringLiteral("/home/ann"); }
    QString applications() const { return m_dir.path() + QStringLiteral("/applications"); }
    // Points the program at a throw-away bundle holding the real srm tool, so that the cleaner
    // erases files as it does for users; false when the tool has not been built.
    bool useRealEraser() const;

    // A Chromium-family profile: History (ROWS pages, each visited twice, searched once,
    // downloaded every tenth), Cookies (or Network/Cookies), Login Data, session files, the
    // site storage "Session Storage" (not a session), and a cache folder.
    static void chromiumProfile(const QString& profile, const QString& tag, int rows,
                                bool networkCookies = false);
    // A Firefox profile: places.sqlite (WAL, ROWS visited pages, one bookmarked, every tenth a
    // download), cookies.sqlite, logins.json, key4.db, session files.
    static void firefoxProfile(const QString& profile, const QString& tag, int rows);
    // profiles.ini and installs.ini listing PROFILES (relative), the install using INSTALLED.
    static void firefoxIni(const QString& folder, const QStringList& profiles,
                           const QString& installed);
    void desktopEntry(const QString& id, const QString& name) const;

    static QString write(const QString& path, const QByteArray& content = "data");
    // A new database at PATH with the tables a real browser makes: SCHEMA names a file of
    // tests/internet/schemas ("chromium-156/History"), taken from a profile the browser made;
    // the page size and journal mode are the browser's too.
    static void realSchema(const QString& path, const QString& schema);
    // Runs SQL (several statements) on the database at PATH, creating it.
    static void sql(const QString& path, const QByteArray& statements);
    // The first column of the first row of QUERY on PATH.
    static qint64 scalar(const QString& path, const QByteArray& query);
    static QString integrity(const QString& path);
    // Whether TEXT occurs in the bytes of PATH or its -wal / -journal.
    static bool bytesContain(const QString& path, const QByteArray& text);

private:
    QTemporaryDir m_dir;
    mutable bool m_bundleSet = false;
};
