#include "app/inter/DoDataBase.h"

#include "app/Comm/UserDefaults.h"
#include "app/SetEraserLevel/EraserStandard.h"
#include "app/inter/HistoryLocation.h"
#include "app/inter/HistorySchema.h"
#include "platform/Logger.h"

#include <QFile>
#include <QFileInfo>
#include <QPair>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <initializer_list>
#include <mutex>
#include <shared_mutex>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Code = HistoryStatus::Code;

const char* const kInsertTime = "INSERT INTO TimeBase (Time,Type) VALUES (?,?);";
const char* const kInsertLine =
    "INSERT INTO BaseTable (Itmes, ErasureAlgorithm,Result,Time) VALUES (?,?,?,?);";
// Keys are bound, never written into the statement text: a key is data, whatever it holds.
const char* const kSelectKeys = "select Time from TimeBase order by Time desc";
const char* const kDeleteTime = "delete from TimeBase where Time=?";
const char* const kDeleteLines = "delete from BaseTable where Time=?";
// Lines come back in the order they were written (rowid order).
const char* const kSelectLines = "select * from BaseTable where Time=? order by rowid";
// The lines of every entry that has a time row, in the order they were written: one pass over
// the table instead of one query per entry.
const char* const kSelectAllLines = "select Time, Itmes, ErasureAlgorithm, Result from BaseTable "
                                    "where Time in (select Time from TimeBase) order by rowid";
const char* const kSelectTypes = "select Time, Type from TimeBase order by rowid";
const char* const kInsertFacts = "INSERT OR REPLACE INTO ErasureFacts (Time, Facts) VALUES (?,?);";
const char* const kSelectFacts = "select Facts from ErasureFacts where Time=?";
const char* const kSelectSizes = "select Time, case json_extract(Facts, '$.kind')"
                                 " when 'files' then (select sum(json_extract(value, '$.bytes')) "
                                 "from json_each(Facts, '$.files')"
                                 "                    where json_extract(value, '$.bytes') >= 0)"
                                 " when 'volume' then json_extract(Facts, '$.sizeBytes')"
                                 " when 'drive' then json_extract(Facts, '$.sizeBytes') end"
                                 " from ErasureFacts where json_valid(Facts)";
const char* const kDeleteFacts = "delete from ErasureFacts where Time=?";
// The columns every statement above uses; preparing these proves the schema is there.
const char* const kSchemaProbes[] = {
    "select Time, Type from TimeBase limit 0",
    "select Itmes, ErasureAlgorithm, Result, Time from BaseTable limit 0",
};
// The files SQLite may keep beside a database; they belong to it and move with it.
const char* const kCompanions[] = {"-journal", "-wal", "-shm"};

Code codeFor(int rc) {
    switch (rc & 0xff) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
        return Code::Ok;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Code::Locked;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return Code::Damaged;
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return Code::CannotOpen;
    default:
        return Code::Failed;
    }
}

QString columnText(sqlite3_stmt* statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(statement, column)) : QString();
}

void bindTexts(sqlite3_stmt* statement, std::initializer_list<QString> values) {
    int index = 1;
    for (const QString& value : values) {
        const QByteArray utf8 = value.toUtf8();
        sqlite3_bind_text(statement, index++, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
}

QString errnoText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Held shared by every open Session for its whole life, and exclusively by the look at the raw
// file below. Closing any descriptor of a file drops every POSIX lock this process holds on it,
// SQLite's included: the file is only opened behind SQLite's back while no connection of this
// process to a history is open.
std::shared_mutex g_connections;

// SQLite's lock bytes (os_unix.c): a reader read-locks the SHARED range, a committing writer
// write-locks it.
constexpr off_t kSharedFirst = 0x40000000 + 2;
constexpr off_t kSharedSize = 510;

quint32 bigEndian(const unsigned char* bytes, int count) {
    quint32 value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 8 | bytes[i];
    return value;
}

// Damage the file's own bytes show, decided without SQLite: SQLite, once it has a file open,
// discards a rollback journal or WAL file it cannot use, and those belong with the damaged file
// when it is kept aside. Looked at only under a read lock on SQLite's SHARED range, taken as an
// open-file-description lock: no other program is committing meanwhile, so a file that is being
// written is never taken for a truncated one. When the lock cannot be had (another program is
// writing), or nothing is certain, it answers Ok and SQLite decides (and waits).
HistoryStatus inspectFile(const QString& path) {
    const auto ok = HistoryStatus::success(path);
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        return {error == ENOENT || error == EACCES || error == EPERM ? Code::CannotOpen
                                                                     : Code::Failed,
                path, errnoText(error)};
    }
    struct flock lock {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = kSharedFirst;
    lock.l_len = kSharedSize;
    if (::fcntl(fd, F_OFD_SETLK, &lock) != 0) {
        ::close(fd);
        return ok;
    }
    HistoryStatus result = ok;
    struct stat st {};
    unsigned char header[100];
    if (::fstat(fd, &st) != 0) {
        // Nothing certain.
    } else if (st.st_size == 0) {
        // SQLite would take it for a new, empty database and find no tables in it.
        result = {Code::Damaged, path, QStringLiteral("the file is empty: 0 bytes")};
    } else if (::pread(fd, header, sizeof header, 0) != ssize_t(sizeof header) ||
               std::memcmp(header, "SQLite format 3", 16) != 0) {
        result = {Code::Damaged, path, QStringLiteral("file is not a database")};
    } else if (header[18] == 1 && header[19] == 1 &&
               !QFileInfo::exists(path + QLatin1String("-journal"))) {
        // A rollback-journal database without a journal: its page count is valid when the
        // "version valid for" number equals the change counter, and the file must hold that
        // many pages.
        quint32 pageSize = bigEndian(header + 16, 2);
        if (pageSize == 1)
            pageSize = 65536;
        const quint32 pages = bigEndian(header + 28, 4);
        const bool countValid =
            pages != 0 && bigEndian(header + 24, 4) == bigEndian(header + 92, 4);
        const qint64 needed = qint64(pages) * pageSize;
        if (countValid && pageSize >= 512 && st.st_size < needed)
            result = {Code::Damaged, path,
                      QStringLiteral("the file is truncated: %1 of %2 bytes")
                          .arg(qint64(st.st_size))
                          .arg(needed)};
    }
    lock.l_type = F_UNLCK;
    ::fcntl(fd, F_OFD_SETLK, &lock);
    ::close(fd);
    return result;
}

// One connection to the history database, in one transaction that is rolled back unless it was
// committed. Every failure becomes a HistoryStatus naming the database and SQLite's message.
class Session {
public:
    Session(QString path, int busyTimeoutMs)
        : m_path(std::move(path)), m_busyTimeoutMs(busyTimeoutMs) {}
    ~Session() {
        if (m_inTransaction)
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(m_db);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    sqlite3* db() const { return m_db; }

    // Opens the database (never creating it), starts a transaction — IMMEDIATE for a write,
    // so the write lock is taken (or waited for) before anything is read — and checks the file.
    HistoryStatus begin(bool write) {
        if (m_path.isEmpty())
            return status(Code::CannotOpen, QStringLiteral("no history database was found"));
        const QFileInfo info(m_path);
        if (!info.exists())
            return status(Code::CannotOpen, QStringLiteral("no such file"));
        if (!info.isFile())
            return status(Code::CannotOpen, QStringLiteral("not a regular file"));
        {
            std::unique_lock<std::shared_mutex> alone(g_connections, std::try_to_lock);
            if (alone.owns_lock()) {
                const HistoryStatus inspected = inspectFile(m_path);
                if (!inspected.ok())
                    return inspected;
            }
        }
        m_connections = std::shared_lock<std::shared_mutex>(g_connections);
        const int rc = sqlite3_open_v2(QFile::encodeName(m_path).constData(), &m_db,
                                       SQLITE_OPEN_READWRITE, nullptr);
        if (rc != SQLITE_OK)
            return failure(rc, "open");
        // The window and `korvane` may use the file at the same moment: wait a while, then say
        // that it is locked.
        sqlite3_busy_timeout(m_db, m_busyTimeoutMs);
        if (const int begun =
                sqlite3_exec(m_db, write ? "BEGIN IMMEDIATE" : "BEGIN", nullptr, nullptr, nullptr);
            begun != SQLITE_OK)
            return failure(begun, "begin");
        m_inTransaction = true;
        return verify();
    }

    // Commits; a failed commit is rolled back by the destructor.
    HistoryStatus commit() {
        const int rc = sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            return failure(rc, "commit");
        m_inTransaction = false;
        return HistoryStatus::success(m_path);
    }

    // The status for SQLite result RC of the step named WHAT, with the connection's message.
    HistoryStatus failure(int rc, const char* what) const {
        const QString message = QString::fromUtf8(m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc));
        Logger::log(QStringLiteral("history database %1: %2: %3")
                        .arg(m_path, QLatin1String(what), message));
        return status(codeFor(rc), message);
    }

    HistoryStatus status(Code code, const QString& detail) const {
        return {code, m_path, code == Code::Ok ? QString() : detail};
    }

    // True when the database has the table NAME (an older one may lack the newer tables).
    bool hasTable(const char* name) const {
        sqlite3_stmt* statement = nullptr;
        bool found = false;
        if (sqlite3_prepare_v2(m_db, "select 1 from sqlite_master where type='table' and name=?",
                               -1, &statement, nullptr) == SQLITE_OK) {
            sqlite3_bind_text(statement, 1, name, -1, SQLITE_STATIC);
            found = sqlite3_step(statement) == SQLITE_ROW;
        }
        sqlite3_finalize(statement);
        return found;
    }

    // Brings the schema to HistorySchema::kVersion inside the open write transaction, one
    // version at a time; committed with the entry that needed it.
    HistoryStatus migrate() {
        sqlite3_stmt* statement = nullptr;
        int version = 0;
        if (sqlite3_prepare_v2(m_db, "PRAGMA user_version", -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            version = sqlite3_column_int(statement, 0);
        sqlite3_finalize(statement);
        for (int next = version + 1; next <= HistorySchema::kVersion; ++next) {
            const char* step = HistorySchema::migrationTo(next);
            if (!step)
                continue;
            if (const int rc = sqlite3_exec(m_db, step, nullptr, nullptr, nullptr); rc != SQLITE_OK)
                return failure(rc, "migrate");
            Logger::log(QStringLiteral("history database %1: schema now at version %2")
                            .arg(m_path)
                            .arg(next));
        }
        return HistoryStatus::success(m_path);
    }

private:
    // Damage shows as SQLITE_NOTADB or SQLITE_CORRUPT on the first read, as rows from the quick
    // check, or — for a file SQLite takes for an empty database (0 bytes, or a database that is
    // not ours) — as missing tables. The quick check reads every page, so a truncated file is
    // found even where the statements of this operation would not go.
    HistoryStatus verify() {
        sqlite3_stmt* check = nullptr;
        int rc = sqlite3_prepare_v2(m_db, "PRAGMA quick_check(3)", -1, &check, nullptr);
        if (rc != SQLITE_OK) {
            sqlite3_finalize(check);
            return failure(rc, "quick check");
        }
        QStringList problems;
        while ((rc = sqlite3_step(check)) == SQLITE_ROW) {
            const QString row = columnText(check, 0);
            if (row != QLatin1String("ok"))
                problems << row;
        }
        sqlite3_finalize(check);
        if (rc != SQLITE_DONE)
            return failure(rc, "quick check");
        if (!problems.isEmpty()) {
            return status(
                Code::Damaged,
                QStringLiteral("quick check: %1").arg(problems.join(QStringLiteral("; "))));
        }
        for (const char* probe : kSchemaProbes) {
            sqlite3_stmt* statement = nullptr;
            rc = sqlite3_prepare_v2(m_db, probe, -1, &statement, nullptr);
            sqlite3_finalize(statement);
            if (rc == SQLITE_OK)
                continue;
            HistoryStatus result = failure(rc, "schema");
            // "no such table", "no such column": a database, but not a history.
            if ((rc & 0xff) == SQLITE_ERROR) {
                result.code = Code::Damaged;
                result.detail =
                    QStringLiteral("the history tables are missing: %1").arg(result.detail);
            }
            return result;
        }
        return HistoryStatus::success(m_path);
    }

    std::shared_lock<std::shared_mutex> m_connections;
    QString m_path;
    int m_busyTimeoutMs;
    sqlite3* m_db = nullptr;
    bool m_inTransaction = false;
};

// Steps STATEMENT to its end; false (with the status in OUT) when it stopped on an error.
template <typename Row>
bool eachRow(Session& session, const char* sql, Row row, HistoryStatus& out,
             std::initializer_list<QString> values = {}) {
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(session.db(), sql, -1, &statement, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(statement);
        out = session.failure(rc, "prepare");
        return false;
    }
    bindTexts(statement, values);
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
        row(statement);
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE) {
        out = session.failure(rc, "read");
        return false;
    }
    return true;
}

// Renames FROM to TO, never replacing TO.
bool moveNoReplace(const QString& from, const QString& to, QString* error) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return true;
    int saved = errno;
    // Some file systems do not know RENAME_NOREPLACE: a hard link never replaces either.
    if (saved == EINVAL || saved == ENOSYS || saved == ENOTSUP) {
        if (::link(source.constData(), target.constData()) == 0) {
            if (::unlink(source.constData()) == 0)
                return true;
            saved = errno;
            ::unlink(target.constData());
        } else {
            saved = errno;
        }
    }
    *error = QStringLiteral("cannot rename %1 to %2: %3").arg(from, to, errnoText(saved));
    return false;
}

bool existsOrLink(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

} // namespace

DoDataBase* DoDataBase::returnDoDataBase() {
    static DoDataBase* const shared = new DoDataBase(&HistoryLocation::resolve);
    return shared;
}

DoDataBase::DoDataBase(PathProvider pathProvider)
    : m_pathProvider(std::move(pathProvider)), m_busyTimeoutMs(defaultBusyTimeout()) {}

QString DoDataBase::getDataBase() const {
    return m_pathProvider ? m_pathProvider() : QString();
}

int DoDataBase::defaultBusyTimeout() {
    bool ok = false;
    const int fromEnvironment = qEnvironmentVariableIntValue(kBusyTimeoutVariable, &ok);
    return ok && fromEnvironment >= 0 ? fromEnvironment : kDefaultBusyTimeoutMs;
}

void DoDataBase::setBusyTimeout(int milliseconds) {
    m_busyTimeoutMs = milliseconds < 0 ? 0 : milliseconds;
}

int DoDataBase::busyTimeout() const {
    return m_busyTimeoutMs;
}

QString DoDataBase::keyForTime(const QDateTime& time) {
    // "yyyy" is the calendar year; a week-based year would stamp 30 December 2024 as 2025.
    return time.toString(kKeyPattern);
}

void DoDataBase::setClock(Clock clock) {
    m_clock = std::move(clock);
}

QDateTime DoDataBase::now() const {
    return m_clock ? m_clock() : QDateTime::currentDateTime();
}

QString DoDataBase::storedStandardName() {
    return EraserStandard::nameForLevel(UserDefaults::mainProgram().eraserTimes());
}

HistoryStatus DoDataBase::remember(const HistoryStatus& status, const char* operation) {
    if (!status.ok())
        Logger::log(QStringLiteral("history %1: %2: %3")
                        .arg(QLatin1String(operation), status.codeName(), status.reason()));
    std::lock_guard<std::mutex> lock(m_lastMutex);
    m_last = status;
    return status;
}

HistoryStatus DoDataBase::lastStatus() const {
    std::lock_guard<std::mutex> lock(m_lastMutex);
    return m_last;
}

HistoryStatus DoDataBase::check() {
    Session session(getDataBase(), m_busyTimeoutMs);
    return remember(session.begin(false), "check");
}

HistoryStatus DoDataBase::recordFiles(const QList<FileObjPtr>& items) {
    return recordFiles(items, UserDefaults::mainProgram().eraserTimes());
}

HistoryStatus DoDataBase::recordFiles(const QList<FileObjPtr>& items, int level) {
    return recordFiles(items, level, QByteArray());
}

HistoryStatus DoDataBase::recordFiles(const QList<FileObjPtr>& items, int level,
                                      const QByteArray& facts, const QString& type) {
    QStringList paths;
    QStringList standards;
    QStringList results;
    for (const FileObjPtr& item : items) {
        if (!item)
            continue;
        paths << item->url;
        // Each line names the standard the item really got: one pass on solid state.
        standards << EraserStandard::nameForLevel(item->eraserLevel > 0 ? item->eraserLevel
                                                                        : level);
        results << item->failStr;
    }
    if (paths.isEmpty())
        return remember(HistoryStatus::success(getDataBase()), "write");
    return writeEntry(type, standards, paths, results, facts);
}

HistoryStatus DoDataBase::recordVolume(const QString& name, const QString& result, bool isFree,
                                       int level, const QByteArray& facts) {
    const QString line =
        (isFree ? QStringLiteral("Erase Free Space:%1") : QStringLiteral("Erase Hard Drive:%1"))
            .arg(name);
    return writeEntry(kTypeWipeVolume,
                      {level > 0 ? EraserStandard::nameForLevel(level) : storedStandardName()},
                      {line}, {result}, facts);
}

bool DoDataBase::writePlistForHistoryWithArr(const QList<FileObjPtr>& items) {
    return writePlistForHistoryWithArr(items, UserDefaults::mainProgram().eraserTimes());
}

bool DoDataBase::writePlistForHistoryWithArr(const QList<FileObjPtr>& items, int level) {
    const bool anything = std::any_of(items.cbegin(), items.cend(),
                                      [](const FileObjPtr& item) { return bool(item); });
    return recordFiles(items, level).ok() && anything;
}

bool DoDataBase::writeWipeVolumesOrFree(const QString& name, const QString& result, bool isFree,
                                        int level) {
    return recordVolume(name, result, isFree, level).ok();
}

// One entry in one transaction: its time row, the header line and every item line go in
// together or not at all, and the line statement is prepared once for all of them. The
// transaction starts IMMEDIATE and the file is checked before anything is written: a damaged
// database is reported, never written into, and its tables are never created anew.
HistoryStatus DoDataBase::writeEntry(const QString& type, const QStringList& standards,
                                     const QStringList& items, const QStringList& results,
                                     const QByteArray& facts) {
    Session session(getDataBase(), m_busyTimeoutMs);
    HistoryStatus status = session.begin(true);
    if (status.ok())
        status = session.migrate();
    if (!status.ok())
        return remember(status, "write");
    // Each run is an entry of its own, deleted on its own: a second run in the same second gets
    // "TIME (2)", which sorts right after the first. Looked up inside the write transaction.
    const QString stamp = keyForTime(now());
    QString key = stamp;
    {
        sqlite3_stmt* taken = nullptr;
        if (sqlite3_prepare_v2(session.db(), "SELECT 1 FROM TimeBase WHERE Time = ? LIMIT 1;", -1,
                               &taken, nullptr) == SQLITE_OK)
            for (int n = 2;; ++n) {
                sqlite3_reset(taken);
                bindTexts(taken, {key});
                if (sqlite3_step(taken) != SQLITE_ROW)
                    break;
                key = QStringLiteral("%1 (%2)").arg(stamp).arg(n);
            }
        sqlite3_finalize(taken);
    }
    sqlite3_stmt* time = nullptr;
    sqlite3_stmt* line = nullptr;
    const auto run = [&](sqlite3_stmt* statement, std::initializer_list<QString> values) {
        sqlite3_reset(statement);
        bindTexts(statement, values);
        const int rc = sqlite3_step(statement);
        if (rc != SQLITE_DONE)
            status = session.failure(rc, "insert");
        return rc == SQLITE_DONE;
    };
    int rc = sqlite3_prepare_v2(session.db(), kInsertTime, -1, &time, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_prepare_v2(session.db(), kInsertLine, -1, &line, nullptr);
    bool ok = rc == SQLITE_OK;
    if (!ok)
        status = session.failure(rc, "prepare");
    ok = ok && run(time, {key, type});
    ok = ok && run(line, {HistoryRecord::kHeaderItems, HistoryRecord::kHeaderStandard,
                          HistoryRecord::kHeaderResult, key});
    for (qsizetype i = 0; ok && i < items.size(); ++i)
        ok = run(line, {items[i], standards.value(i, standards.value(0)), results.value(i), key});
    sqlite3_finalize(time);
    sqlite3_finalize(line);
    if (ok && !facts.isEmpty()) {
        sqlite3_stmt* insert = nullptr;
        rc = sqlite3_prepare_v2(session.db(), kInsertFacts, -1, &insert, nullptr);
        ok = rc == SQLITE_OK;
        if (!ok)
            status = session.failure(rc, "prepare");
        ok = ok && run(insert, {key, QString::fromUtf8(facts)});
        sqlite3_finalize(insert);
    }
    if (ok)
        status = session.commit();
    if (ok && status.ok()) {
        std::lock_guard<std::mutex> lock(m_lastMutex);
        m_lastKey = key;
    }
    return remember(status, "write");
}

HistoryRecords DoDataBase::getValueWith(sqlite3* db, const QString& key) {
    HistoryRecords records;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, kSelectLines, -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return records;
    }
    bindTexts(statement, {key});
    while (sqlite3_step(statement) == SQLITE_ROW)
        records.append(
            {columnText(statement, 0), columnText(statement, 1), columnText(statement, 2)});
    sqlite3_finalize(statement);
    return records;
}

HistoryResult<HistoryData> DoDataBase::readAll(HistoryTypes* types) {
    if (types)
        types->clear();
    Session session(getDataBase(), m_busyTimeoutMs);
    HistoryStatus status = session.begin(false);
    if (!status.ok())
        return {remember(status, "read"), {}};
    HistoryData history;
    // Two erasures of the same second share a key: it is one entry, listed once.
    bool ok = eachRow(
        session, kSelectKeys,
        [&](sqlite3_stmt* row) { history.insert(columnText(row, 0), HistoryRecords()); }, status);
    auto entry = history.end();
    ok = ok &&
         (history.isEmpty() ||
          eachRow(
              session, kSelectAllLines,
              [&](sqlite3_stmt* row) {
                  const QString key = columnText(row, 0);
                  // Lines of one entry mostly follow each other: look the key up only
                  // when it changes.
                  if (entry == history.end() || entry.key() != key)
                      entry = history.find(key);
                  if (entry != history.end())
                      entry->append({columnText(row, 1), columnText(row, 2), columnText(row, 3)});
              },
              status));
    HistoryTypes kinds;
    ok = ok && (!types || eachRow(
                              session, kSelectTypes,
                              [&](sqlite3_stmt* row) {
                                  QStringList& list = kinds[columnText(row, 0)];
                                  const QString type = columnText(row, 1);
                                  if (!list.contains(type))
                                      list << type;
                              },
                              status));
    if (ok)
        status = session.commit();
    if (!status.ok())
        return {remember(status, "read"), {}};
    if (types)
        *types = std::move(kinds);
    return {remember(status, "read"), std::move(history)};
}

HistoryResult<QByteArray> DoDataBase::readFacts(const QString& key) {
    Session session(getDataBase(), m_busyTimeoutMs);
    HistoryStatus status = session.begin(false);
    if (!status.ok())
        return {remember(status, "read"), {}};
    QByteArray facts;
    // A history from before the facts were kept has no table for them: nothing was recorded.
    const bool ok =
        !session.hasTable("ErasureFacts") ||
        eachRow(session, kSelectFacts,
                [&](sqlite3_stmt* row) { facts = columnText(row, 0).toUtf8(); }, status, {key});
    if (ok)
        status = session.commit();
    if (!status.ok())
        return {remember(status, "read"), {}};
    return {remember(status, "read"), facts};
}

HistoryResult<QHash<QString, qint64>> DoDataBase::readSizes() {
    Session session(getDataBase(), m_busyTimeoutMs);
    HistoryStatus status = session.begin(false);
    if (!status.ok())
        return {remember(status, "read"), {}};
    QHash<QString, qint64> sizes;
    const bool ok = !session.hasTable("ErasureFacts") ||
                    eachRow(session, kSelectSizes,
                            [&](sqlite3_stmt* row) {
                                if (sqlite3_column_type(row, 1) != SQLITE_NULL &&
                                    sqlite3_column_int64(row, 1) >= 0)
                                    sizes.insert(columnText(row, 0), sqlite3_column_int64(row, 1));
                            },
                            status, {});
    if (ok)
        status = session.commit();
    if (!status.ok())
        return {remember(status, "read"), {}};
    return {remember(status, "read"), sizes};
}

QString DoDataBase::lastRecordedKey() const {
    std::lock_guard<std::mutex> lock(m_lastMutex);
    return m_lastKey;
}

HistoryResult<DoDataBase::HistoryTypes> DoDataBase::readTypes() {
    HistoryTypes types;
    HistoryResult<HistoryData> read = readAll(&types);
    if (!read.ok())
        return {read.status, {}};
    return {read.status, std::move(types)};
}

HistoryData DoDataBase::getAllData() {
    return readAll().value;
}

DoDataBase::HistoryTypes DoDataBase::getTypes() {
    return readTypes().value;
}

HistoryResult<int> DoDataBase::deleteEntries(const QStringList& keys) {
    Session session(getDataBase(), m_busyTimeoutMs);
    HistoryStatus status = session.begin(true);
    if (!status.ok())
        return {remember(status, "delete"), 0};
    sqlite3_stmt* time = nullptr;
    sqlite3_stmt* lines = nullptr;
    sqlite3_stmt* facts = nullptr;
    int rc = sqlite3_prepare_v2(session.db(), kDeleteTime, -1, &time, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_prepare_v2(session.db(), kDeleteLines, -1, &lines, nullptr);
    // An entry's facts go with it; an older history has none to delete.
    if (rc == SQLITE_OK && session.hasTable("ErasureFacts"))
        rc = sqlite3_prepare_v2(session.db(), kDeleteFacts, -1, &facts, nullptr);
    bool ok = rc == SQLITE_OK;
    if (!ok)
        status = session.failure(rc, "prepare");
    int removed = 0;
    for (qsizetype i = 0; ok && i < keys.size(); ++i) {
        for (sqlite3_stmt* statement : {time, lines, facts}) {
            if (!statement)
                continue;
            sqlite3_reset(statement);
            bindTexts(statement, {keys[i]});
            rc = sqlite3_step(statement);
            if (rc != SQLITE_DONE) {
                status = session.failure(rc, "delete");
                ok = false;
                break;
            }
            if (statement == time && sqlite3_changes(session.db()) > 0)
                ++removed;
        }
    }
    sqlite3_finalize(time);
    sqlite3_finalize(lines);
    sqlite3_finalize(facts);
    if (ok)
        status = session.commit();
    remember(status, "delete");
    return {status, status.ok() ? removed : 0};
}

HistoryResult<int> DoDataBase::deleteDataWithKey(const QString& key) {
    return deleteEntries({key});
}

QString DoDataBase::keptPathForRepair() const {
    const QString base =
        getDataBase() + QStringLiteral(".damaged-") + now().toString(kKeptSuffixPattern);
    for (int n = 1;; ++n) {
        const QString candidate = n == 1 ? base : base + QStringLiteral("-%1").arg(n);
        bool taken = existsOrLink(candidate);
        for (const char* companion : kCompanions)
            taken = taken || existsOrLink(candidate + QLatin1String(companion));
        if (!taken)
            return candidate;
    }
}

HistoryRepair DoDataBase::repair(const QString& keptAt) {
    HistoryRepair result;
    result.status = check();
    // Only a damaged history is put aside: a locked one is in use by another program and fine,
    // one that cannot be opened is not there to be kept.
    if (!result.status.damaged())
        return result;
    const QString path = result.status.path;
    const QString kept = keptAt.isEmpty() ? keptPathForRepair() : keptAt;
    const auto fail = [&](const QString& detail) {
        result.status = {Code::Failed, path, detail};
        result.keptAt.clear();
        result.keptFiles.clear();
        remember(result.status, "repair");
        return result;
    };

    struct stat original {};
    if (::lstat(QFile::encodeName(path).constData(), &original) != 0)
        return fail(QStringLiteral("cannot read %1: %2").arg(path, errnoText(errno)));

    // Everything moved, to move back if a later step fails.
    QList<QPair<QString, QString>> moved;
    const auto moveBack = [&] {
        for (auto it = moved.crbegin(); it != moved.crend(); ++it) {
            QString error;
            if (!moveNoReplace(it->second, it->first, &error))
                Logger::log(QStringLiteral("history repair: %1").arg(error));
        }
    };
    QString error;
    if (!moveNoReplace(path, kept, &error))
        return fail(error);
    moved.append({path, kept});
    // A journal left beside the path would be played into the new database: it goes with the
    // damaged one, under the name SQLite gives its journals.
    for (const char* companion : kCompanions) {
        const QString from = path + QLatin1String(companion);
        if (!existsOrLink(from))
            continue;
        if (!moveNoReplace(from, kept + QLatin1String(companion), &error)) {
            moveBack();
            return fail(error);
        }
        moved.append({from, kept + QLatin1String(companion)});
    }

    std::string made;
    if (!HistorySchema::createDatabase(QFile::encodeName(path).toStdString(),
                                       original.st_mode & 0777, made)) {
        moveBack();
        return fail(
            QStringLiteral("cannot make a new history: %1").arg(QString::fromStdString(made)));
    }
    // The window runs as root on a user's file: the new history stays that user's.
    if (::geteuid() == 0 && (original.st_uid != 0 || original.st_gid != 0) &&
        ::lchown(QFile::encodeName(path).constData(), original.st_uid, original.st_gid) != 0)
        Logger::log(QStringLiteral("history repair: cannot give %1 to its owner: %2")
                        .arg(path, errnoText(errno)));

    result.keptAt = kept;
    for (const auto& move : std::as_const(moved))
        result.keptFiles << move.second;
    result.status = check();
    Logger::log(QStringLiteral("history repair: damaged %1 kept as %2; new history: %3")
                    .arg(path, kept, result.status.codeName()));
    remember(result.status, "repair");
    return result;
}
