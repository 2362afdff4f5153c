#include "app/inter/ToGetDB.h"

#include "platform/Logger.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString message(sqlite3* db) {
    return QString::fromUtf8(sqlite3_errmsg(db));
}

bool tableExists(sqlite3* db, const QString& table) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "select 1 from sqlite_master where type = 'table' and name = ?1", -1,
                           &st, nullptr) != SQLITE_OK)
        return false;
    const QByteArray name = table.toUtf8();
    sqlite3_bind_text(st, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
    const bool found = sqlite3_step(st) == SQLITE_ROW;
    sqlite3_finalize(st);
    return found;
}

// Prepares, steps to the end and finalizes SQL. FIRSTCOLUMN, when given, gets the first row's
// first column as a number, FIRSTTEXT as text. SQLITE_OK or the failing step's code.
int run(sqlite3* db, const QString& sql, qint64* firstColumn = nullptr,
        QByteArray* firstText = nullptr) {
    sqlite3_stmt* st = nullptr;
    const QByteArray text = sql.toUtf8();
    int rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &st, nullptr);
    if (rc != SQLITE_OK)
        return rc;
    bool first = true;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        if (first && firstColumn)
            *firstColumn = sqlite3_column_int64(st, 0);
        if (first && firstText)
            *firstText = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        first = false;
    }
    sqlite3_finalize(st);
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

int exec(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

// The journal mode the pragma leaves, lower case ("wal", "delete", "persist", ...).
QByteArray journalMode(sqlite3* db, const char* pragma) {
    QByteArray mode;
    if (run(db, QString::fromLatin1(pragma), nullptr, &mode) != SQLITE_OK)
        return {};
    return mode.toLower();
}

QString lockedOr(int rc, sqlite3* db) {
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
        return QStringLiteral("the database is locked (is the browser still running?)");
    return message(db);
}

// kept_cookie(host): whether the keep-list keeps the cookies of HOST.
void keptCookie(sqlite3_context* context, int, sqlite3_value** argv) {
    const auto* kept = static_cast<const CookieKeepList*>(sqlite3_user_data(context));
    const unsigned char* host = sqlite3_value_text(argv[0]);
    sqlite3_result_int(context,
                       kept && host &&
                           kept->keeps(QString::fromUtf8(reinterpret_cast<const char*>(host))));
}

uid_t ownerOf(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_uid : uid_t(-1);
}

} // namespace

ToGetDB* ToGetDB::returnToGetDB() {
    static ToGetDB shared; // never released
    return &shared;
}

bool ToGetDB::overwriteInPlace(const QString& path, uid_t owner, QString* why) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        *why = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    struct stat st {};
    bool ok =
        ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink == 1 && st.st_uid == owner;
    if (!ok)
        *why = QStringLiteral("not a plain file of the database's owner");
    const qint64 block = st.st_blksize > 0 ? st.st_blksize : 4096;
    const qint64 length = (qint64(st.st_size) + block - 1) / block * block;
    const QByteArray zeros(64 * 1024, '\0');
    for (qint64 at = 0; ok && at < length;) {
        const ssize_t n =
            ::pwrite(fd, zeros.constData(), size_t(qMin<qint64>(zeros.size(), length - at)), at);
        if (n <= 0) {
            *why = QString::fromLocal8Bit(std::strerror(errno));
            ok = false;
        } else {
            at += n;
        }
    }
    if (ok && ::fdatasync(fd) != 0) {
        *why = QString::fromLocal8Bit(std::strerror(errno));
        ok = false;
    }
    ::close(fd);
    return ok;
}

sqlite3* ToGetDB::open(const QString& path, bool write, const CookieKeepList* kept,
                       QString* error) const {
    sqlite3* db = nullptr;
    const int flags = (write ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) |
                      SQLITE_OPEN_NOFOLLOW | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        *error = QStringLiteral("cannot be opened: %1").arg(db ? message(db) : QString());
        Logger::log(QStringLiteral("open browser database %1 failed: %2").arg(path, *error));
        sqlite3_close(db);
        return nullptr;
    }
    // The file belongs to the user and may hold anything: its schema is not trusted to call
    // functions, and triggers or views in it do not run as part of our statements.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    sqlite3_busy_timeout(db, m_busyTimeoutMs);
    sqlite3_create_function_v2(
        db, "kept_cookie", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_DIRECTONLY,
        const_cast<CookieKeepList*>(kept), keptCookie, nullptr, nullptr, nullptr);
    if (write) {
        // The clean holds the file alone from its first read to the end, so nobody opens its
        // journal or log while they are overwritten; statement journals stay in memory.
        exec(db, "pragma locking_mode = exclusive");
        exec(db, "pragma temp_store = memory");
        int persist = 1; // the log is overwritten before it goes, not deleted on close
        sqlite3_file_control(db, "main", SQLITE_FCNTL_PERSIST_WAL, &persist);
    }
    // Opening is lazy: reading the schema tells a file that is no database, or a locked one.
    const int check = exec(db, "select count(*) from sqlite_master");
    if (check != SQLITE_OK) {
        *error = check == SQLITE_NOTADB ? QStringLiteral("is not a database") : lockedOr(check, db);
        Logger::log(QStringLiteral("read browser database %1 failed: %2").arg(path, *error));
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

ToGetDB::Outcome ToGetDB::count(const QString& path, const EraserHistory::Statement& statement,
                                const CookieKeepList& kept) const {
    Outcome outcome;
    sqlite3* db = open(path, false, &kept, &outcome.error);
    outcome.fileUnreadable = !db;
    if (!db)
        return outcome;
    const bool skip = statement.sql.isEmpty() || (!statement.optionalTable.isEmpty() &&
                                                  !tableExists(db, statement.optionalTable));
    const int rc = skip ? SQLITE_OK : run(db, statement.sql, &outcome.count);
    if (rc == SQLITE_OK)
        outcome.ok = true;
    else {
        outcome.error = lockedOr(rc, db);
        outcome.count = 0;
        Logger::log(QStringLiteral("count in %1 failed: %2").arg(path, outcome.error));
    }
    sqlite3_close(db);
    return outcome;
}

ToGetDB::Outcome ToGetDB::clean(const QString& path, const EraserHistory::Location& location,
                                const CookieKeepList& kept) const {
    Outcome outcome;
    sqlite3* db = open(path, true, &kept, &outcome.error);
    outcome.fileUnreadable = !db;
    if (!db)
        return outcome;
    const uid_t owner = ownerOf(path);
    const QString journal = path + QStringLiteral("-journal");
    const QString log = path + QStringLiteral("-wal");
    // Overwrites FILE (a journal or log of this database) and removes it, while this connection
    // holds the database alone.
    auto scrub = [&](const QString& file) {
        struct stat st {};
        if (::lstat(QFile::encodeName(file).constData(), &st) != 0)
            return true;
        QString why;
        if (!overwriteInPlace(file, owner, &why)) {
            outcome.error = QStringLiteral("%1 could not be overwritten: %2").arg(file, why);
            Logger::log(QStringLiteral("overwrite %1 failed: %2").arg(file, why));
            return false;
        }
        return true;
    };
    auto finish = [&] {
        sqlite3_close(db);
        return outcome;
    };

    // Rows deleted are overwritten with zeros, not only unlinked from the tree.
    exec(db, "pragma secure_delete = on");
    const QByteArray original = journalMode(db, "pragma journal_mode");
    const bool wal = original == "wal";
    if (wal) {
        // Leaving the log folds it into the file; the log stays (persistent) until overwritten.
        if (journalMode(db, "pragma journal_mode = delete") != "delete") {
            outcome.error = lockedOr(sqlite3_errcode(db), db);
            return finish();
        }
        if (!scrub(log))
            return finish();
        ::unlink(QFile::encodeName(log).constData());
    }
    if (journalMode(db, "pragma journal_mode = persist") != "persist") {
        outcome.error =
            QStringLiteral("the journal cannot be kept for overwriting: %1").arg(message(db));
        return finish();
    }
    int rc = exec(db, "begin immediate");
    bool removed = rc == SQLITE_OK;
    if (!removed)
        outcome.error = lockedOr(rc, db);
    for (int i = 0; removed && i < location.deletes.size(); ++i) {
        const EraserHistory::Statement& statement = location.deletes[i];
        if (!statement.optionalTable.isEmpty() && !tableExists(db, statement.optionalTable))
            continue;
        rc = run(db, statement.sql);
        if (rc != SQLITE_OK) {
            const QString why = lockedOr(rc, db);
            Logger::log(
                QString::fromLatin1(i == 0 ? "delete time error: %1" : "delete base error: %1")
                    .arg(QStringLiteral("%1: %2: %3").arg(path, statement.sql, why)));
            outcome.error = QStringLiteral("\"%1\" failed: %2").arg(statement.sql, why);
            removed = false;
        }
    }
    if (removed && (rc = exec(db, "commit")) != SQLITE_OK) {
        outcome.error = lockedOr(rc, db);
        removed = false;
    }
    if (!removed)
        exec(db, "rollback");
    // No VACUUM: it would move the rows that stay to the front of the file and give the old
    // pages back to the file system by truncating it, so rows another kind removes later would
    // be left, whole, in free blocks. secure_delete has already zeroed what was removed, in
    // place.
    if (removed) {
        qint64 left = 0;
        for (const EraserHistory::Statement* s : {&location.count, &location.check}) {
            if (s->sql.isEmpty() ||
                (!s->optionalTable.isEmpty() && !tableExists(db, s->optionalTable)))
                continue;
            qint64 n = 0;
            if (run(db, s->sql, &n) != SQLITE_OK) {
                outcome.error = QStringLiteral("cannot be counted after removal");
                removed = false;
            }
            left += n;
        }
        outcome.count = left;
        if (removed && left != 0) {
            outcome.error = QStringLiteral("%1 entries remain").arg(left);
            removed = false;
        }
    }
    // The journal holds every page the transactions changed, as it was: overwritten while the
    // file is still held, then deleted by SQLite itself.
    const bool scrubbed = scrub(journal);
    journalMode(db, "pragma journal_mode = delete");
    if (wal) {
        int persist = 0;
        sqlite3_file_control(db, "main", SQLITE_FCNTL_PERSIST_WAL, &persist);
        if (journalMode(db, "pragma journal_mode = wal") != "wal")
            Logger::log(
                QStringLiteral("%1 could not be put back in WAL mode: %2").arg(path, message(db)));
    }
    outcome.ok = removed && scrubbed;
    return finish();
}
