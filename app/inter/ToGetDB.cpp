#include "app/inter/ToGetDB.h"

#include "platform/Logger.h"

#include <sqlite3.h>

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

// Prepares, binds, steps to the end and finalizes STATEMENT. FIRSTCOLUMN, when given, gets the
// first row's first column. SQLITE_OK or the failing step's code.
int run(sqlite3* db, const BrowserStatements::Statement& statement, qint64* firstColumn = nullptr) {
    sqlite3_stmt* st = nullptr;
    const QByteArray sql = statement.sql.toUtf8();
    int rc = sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr);
    if (rc != SQLITE_OK)
        return rc;
    for (int i = 0; i < statement.values.size(); ++i) {
        const QByteArray value = statement.values[i].toUtf8();
        sqlite3_bind_text(st, i + 1, value.constData(), int(value.size()), SQLITE_TRANSIENT);
    }
    bool first = true;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        if (first && firstColumn)
            *firstColumn = sqlite3_column_int64(st, 0);
        first = false;
    }
    sqlite3_finalize(st);
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

int exec(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

QString lockedOr(int rc, sqlite3* db) {
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
        return QStringLiteral("the database is locked (is the browser still running?)");
    return message(db);
}

} // namespace

ToGetDB* ToGetDB::returnToGetDB() {
    static ToGetDB shared; // never released
    return &shared;
}

sqlite3* ToGetDB::open(const QString& path, bool write, QString* error) const {
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

ToGetDB::Outcome ToGetDB::count(const QString& path,
                                const BrowserStatements::Statement& statement) const {
    Outcome outcome;
    sqlite3* db = open(path, false, &outcome.error);
    if (!db)
        return outcome;
    const int rc = run(db, statement, &outcome.count);
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

ToGetDB::Outcome ToGetDB::clean(const QString& path,
                                const BrowserStatements::Kind& statements) const {
    Outcome outcome;
    sqlite3* db = open(path, true, &outcome.error);
    if (!db)
        return outcome;
    auto fail = [&](const QString& why) {
        outcome.error = why;
        exec(db, "rollback");
        sqlite3_close(db);
        return outcome;
    };
    // Rows deleted are overwritten with zeros, not only unlinked from the tree.
    exec(db, "pragma secure_delete = on");
    int rc = exec(db, "begin immediate");
    if (rc != SQLITE_OK)
        return fail(lockedOr(rc, db));
    for (int i = 0; i < statements.deletes.size(); ++i) {
        const BrowserStatements::Statement& statement = statements.deletes[i];
        if (!statement.optionalTable.isEmpty() && !tableExists(db, statement.optionalTable))
            continue;
        rc = run(db, statement);
        if (rc != SQLITE_OK) {
            const QString why = lockedOr(rc, db);
            Logger::log(
                QString::fromLatin1(i == 0 ? "delete time error: %1" : "delete base error: %1")
                    .arg(QStringLiteral("%1: %2: %3").arg(path, statement.sql, why)));
            return fail(QStringLiteral("\"%1\" failed: %2").arg(statement.sql, why));
        }
    }
    rc = exec(db, "commit");
    if (rc != SQLITE_OK)
        return fail(lockedOr(rc, db));
    // The rebuild leaves no free page holding what was removed; the statements have already
    // overwritten it, so a failed rebuild is logged, not fatal.
    if (exec(db, "vacuum") != SQLITE_OK)
        Logger::log(QStringLiteral("vacuum %1 failed: %2").arg(path, message(db)));
    // Fold the write-ahead log into the file and truncate it; a busy checkpoint leaves the old
    // pages in the file, so it fails the clean.
    qint64 busy = 0;
    rc = run(db, {QStringLiteral("pragma wal_checkpoint(truncate)"), {}}, &busy);
    if (rc != SQLITE_OK || busy != 0) {
        outcome.error = QStringLiteral("the write-ahead log could not be folded in: %1")
                            .arg(rc != SQLITE_OK ? lockedOr(rc, db) : QStringLiteral("busy"));
        sqlite3_close(db);
        return outcome;
    }
    rc = run(db, statements.count, &outcome.count);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        outcome.error = QStringLiteral("cannot be counted after removal");
    else if (outcome.count != 0)
        outcome.error = QStringLiteral("%1 entries remain").arg(outcome.count);
    else
        outcome.ok = true;
    return outcome;
}

ToGetDB::Outcome ToGetDB::countKind(const QString& browser, const QString& kind,
                                    const QString& path) const {
    const BrowserStatements::Kind* statements = BrowserStatements::find(browser, kind);
    if (!statements)
        return {false, 0, QStringLiteral("not kept in a database")};
    return count(path, statements->count);
}

ToGetDB::Outcome ToGetDB::cleanKind(const QString& browser, const QString& kind,
                                    const QString& path) const {
    const BrowserStatements::Kind* statements = BrowserStatements::find(browser, kind);
    if (!statements)
        return {false, 0, QStringLiteral("not kept in a database")};
    return clean(path, *statements);
}
