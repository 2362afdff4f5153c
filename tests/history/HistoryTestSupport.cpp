#include "HistoryTestSupport.h"

#include "app/Comm/UserDefaults.h"
#include "app/inter/DoDataBase.h"
#include "app/inter/HistoryLocation.h"
#include "app/inter/HistorySchema.h"
#include "platform/BundleLocator.h"
#include "tests/core/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSettings>
#include <gtest/gtest.h>
#include <poll.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

namespace historytest {

void makeDatabase(const QString& path) {
    std::string error;
    ASSERT_TRUE(HistorySchema::createDatabase(QFile::encodeName(path).toStdString(), 0600, error))
        << error;
}

TempHistory::TempHistory() {
    m_bundle = testsupport::makeBundle(m_dir.path());
    BundleLocator::setOuterBundlePath(m_bundle);
    m_database = BundleLocator::mainResourcesPath() + QStringLiteral("/DataBase.db");
    makeDatabase(m_database);
    // Keep the level the writers read away from the real user defaults; a copy never goes to
    // the real /var/lib either.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path() + "/config");
    HistoryLocation::setWritableCopyPath(m_dir.path() + "/copy/DataBase.db");
    UserDefaults::mainProgram().setEraserTimes(1);
}

TempHistory::~TempHistory() {
    BundleLocator::setOuterBundlePath(QString());
    HistoryLocation::setWritableCopyPath(QString());
}

int TempHistory::rowCount(const QString& table) const {
    sqlite3* db = nullptr;
    int count = -1;
    if (sqlite3_open_v2(QFile::encodeName(m_database).constData(), &db, SQLITE_OPEN_READONLY,
                        nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        const QByteArray sql = "select count(*) from " + table.toUtf8();
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            count = sqlite3_column_int(statement, 0);
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return count;
}

ExclusiveLock::ExclusiveLock(const QString& database, int holdMs) {
    int ready[2];
    int release[2];
    if (::pipe(ready) != 0 || ::pipe(release) != 0) {
        ADD_FAILURE() << "pipe";
        return;
    }
    const QByteArray path = QFile::encodeName(database);
    const pid_t pid = ::fork();
    if (pid == 0) {
        // The child: a connection of its own, as another program would hold it. Only
        // async-signal-safe calls and SQLite's own until _exit: no Qt, no test framework.
        ::close(ready[0]);
        ::close(release[1]);
        sqlite3* db = nullptr;
        char answer = 'n';
        if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
            sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK)
            answer = 'y';
        (void)!::write(ready[1], &answer, 1);
        pollfd wait{release[0], POLLIN, 0};
        while (::poll(&wait, 1, holdMs > 0 ? holdMs : -1) < 0) {
        }
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    if (pid < 0) {
        ::close(ready[0]);
        ::close(release[1]);
        ADD_FAILURE() << "fork";
        return;
    }
    m_pid = pid;
    m_release = release[1];
    char answer = 'n';
    m_locked = ::read(ready[0], &answer, 1) == 1 && answer == 'y';
    ::close(ready[0]);
}

ExclusiveLock::~ExclusiveLock() {
    release();
}

void ExclusiveLock::release() {
    if (m_release >= 0) {
        ::close(m_release);
        m_release = -1;
    }
    if (m_pid > 0) {
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
    }
}

QString damageName(Damage damage) {
    switch (damage) {
    case Damage::Truncated:
        return QStringLiteral("truncated");
    case Damage::RandomBytes:
        return QStringLiteral("random bytes");
    case Damage::Empty:
        return QStringLiteral("empty file");
    case Damage::ForeignDb:
        return QStringLiteral("another database");
    case Damage::Scribbled:
        return QStringLiteral("scribbled pages");
    }
    return {};
}

namespace {

QByteArray randomBytes(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(QRandomGenerator::global()->bounded(256));
    return bytes;
}

// A history of 300 entries: some dozens of pages.
void makeLongHistory(const QString& path) {
    makeDatabase(path);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    QByteArray sql = "BEGIN;";
    for (int i = 0; i < 300; ++i) {
        const QByteArray key = QStringLiteral("2024-01-01 00-%1-%2")
                                   .arg(i / 60, 2, 10, QLatin1Char('0'))
                                   .arg(i % 60, 2, 10, QLatin1Char('0'))
                                   .toUtf8();
        sql += "INSERT INTO TimeBase VALUES ('" + key + "', 'WipeFile');";
        sql += "INSERT INTO BaseTable VALUES ('Items','Erasure Standard','Result','" + key + "');";
        sql += "INSERT INTO BaseTable VALUES ('/home/u/a long enough path/" +
               QByteArray::number(i) + ".txt','HMG Infosec Standard 5','Erased','" + key + "');";
    }
    sql += "COMMIT;";
    ASSERT_EQ(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

} // namespace

void damageDatabase(const QString& path, Damage damage) {
    QFile::remove(path);
    switch (damage) {
    case Damage::Truncated: {
        makeLongHistory(path);
        const qint64 size = QFileInfo(path).size();
        ASSERT_GT(size, 8 * 4096);
        ASSERT_TRUE(QFile::resize(path, size / 2));
        break;
    }
    case Damage::RandomBytes:
        testsupport::writeFile(path, randomBytes(8192));
        break;
    case Damage::Empty:
        testsupport::writeFile(path, QByteArray());
        break;
    case Damage::ForeignDb: {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db,
                               "CREATE TABLE Notes (Text TEXT); INSERT INTO Notes VALUES ('x');",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
        break;
    }
    case Damage::Scribbled: {
        makeLongHistory(path);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        const qint64 size = file.size();
        // Page 1 (header and schema) stays: SQLite opens the file and finds the tables, and
        // the pages they point at are garbage.
        ASSERT_TRUE(file.seek(4096));
        ASSERT_EQ(file.write(randomBytes(size - 4096)), size - 4096);
        break;
    }
    }
}

QStringList filesIn(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    names.sort();
    return names;
}

FileObjPtr item(const QString& path, const QString& result) {
    auto object = std::make_shared<FileObj>();
    object->url = path;
    object->name = path.section(QLatin1Char('/'), -1);
    object->failStr = result;
    return object;
}

QDateTime at(const QString& key) {
    return QDateTime::fromString(key, DoDataBase::kKeyPattern);
}

void ensureApplication() {
    if (QApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "history_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

} // namespace historytest
