#include "app/inter/DoDataBase.h"

#include "app/Comm/UserDefaults.h"
#include "app/SetEraserLevel/EraserStandard.h"
#include "app/inter/HistoryLocation.h"
#include "platform/Logger.h"

#include <QFile>
#include <initializer_list>
#include <sqlite3.h>

namespace {

const char* const kInsertTime = "INSERT INTO TimeBase (Time,Type) VALUES (?,?);";
const char* const kInsertLine =
    "INSERT INTO BaseTable (Itmes, ErasureAlgorithm,Result,Time) VALUES (?,?,?,?);";
// Keys are bound, never written into the statement text: a key is data, whatever it holds.
// Lines come back in the order they were written (rowid order).
const char* const kSelectKeys = "select * from TimeBase order by Time desc";
const char* const kSelectLines = "select * from BaseTable where Time=? order by rowid";
const char* const kDeleteTime = "delete from TimeBase where Time=?";
const char* const kDeleteLines = "delete from BaseTable where Time=?";
// The lines of every entry that has a time row, in the order they were written: one pass over
// the table instead of one query per entry.
const char* const kSelectAllLines = "select Time, Itmes, ErasureAlgorithm, Result from BaseTable "
                                    "where Time in (select Time from TimeBase) order by rowid";
const char* const kSelectTypes = "select Time, Type from TimeBase order by rowid";

// A connection to an existing database; a missing file is not created (it would hold no tables).
sqlite3* openDatabase(const QString& path) {
    sqlite3* db = nullptr;
    const int rc =
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK || path.isEmpty()) {
        Logger::log(QStringLiteral("打开数据库失败！"));
        Logger::log(QStringLiteral("history database %1: open: %2")
                        .arg(path, QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory")));
        sqlite3_close(db);
        return nullptr;
    }
    // The window and `korvane` may touch the file at the same moment; wait briefly, not fail.
    sqlite3_busy_timeout(db, 3000);
    return db;
}

QString errorText(sqlite3* db) {
    return QString::fromUtf8(sqlite3_errmsg(db));
}

QString columnText(sqlite3_stmt* statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(statement, column)) : QString();
}

// Prepares SQL, binds VALUES as UTF-8 text and steps once. Any failure is logged with
// LOGFORMAT ("… %1"); false then.
bool runWrite(sqlite3* db, const char* sql, std::initializer_list<QString> values,
              const QString& logFormat) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) {
        Logger::log(logFormat.arg(errorText(db)));
        sqlite3_finalize(statement);
        return false;
    }
    int index = 1;
    for (const QString& value : values) {
        const QByteArray utf8 = value.toUtf8();
        sqlite3_bind_text(statement, index++, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    const bool done = sqlite3_step(statement) == SQLITE_DONE;
    if (!done)
        Logger::log(logFormat.arg(errorText(db)));
    sqlite3_finalize(statement);
    return done;
}

} // namespace

DoDataBase* DoDataBase::returnDoDataBase() {
    static DoDataBase* const shared = new DoDataBase(&HistoryLocation::resolve);
    return shared;
}

DoDataBase::DoDataBase(PathProvider pathProvider) : m_pathProvider(std::move(pathProvider)) {}

QString DoDataBase::getDataBase() const {
    return m_pathProvider ? m_pathProvider() : QString();
}

QString DoDataBase::keyForTime(const QDateTime& time) {
    // "yyyy" is the calendar year; a week-based year would stamp 30 December 2024 as 2025.
    return time.toString(kKeyPattern);
}

void DoDataBase::setClock(Clock clock) {
    m_clock = std::move(clock);
}

QString DoDataBase::currentKey() const {
    return keyForTime(m_clock ? m_clock() : QDateTime::currentDateTime());
}

QString DoDataBase::storedStandardName() {
    return EraserStandard::nameForLevel(UserDefaults::mainProgram().eraserTimes());
}

bool DoDataBase::writePlistForHistoryWithArr(const QList<FileObjPtr>& items) {
    return writePlistForHistoryWithArr(items, UserDefaults::mainProgram().eraserTimes());
}

bool DoDataBase::writePlistForHistoryWithArr(const QList<FileObjPtr>& items, int level) {
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
        return false;
    return writeEntry(kTypeWipeFile, standards, paths, results);
}

void DoDataBase::writeWipeVolumesOrFree(const QString& name, const QString& result, bool isFree) {
    const QString line =
        (isFree ? QStringLiteral("Erase Free Space:%1") : QStringLiteral("Erase Hard Drive:%1"))
            .arg(name);
    writeEntry(kTypeWipeVolume, {storedStandardName()}, {line}, {result});
}

// One entry in one transaction: its time row, the header line and every item line go in
// together or not at all, and the line statement is prepared once for all of them.
bool DoDataBase::writeEntry(const QString& type, const QStringList& standards,
                            const QStringList& items, const QStringList& results) {
    const QString key = currentKey();
    sqlite3* db = openDatabase(getDataBase());
    if (!db)
        return false;
    bool ok = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
    if (!ok)
        Logger::log(QStringLiteral("history write: begin: %1").arg(errorText(db)));
    ok = ok && runWrite(db, kInsertTime, {key, type}, QStringLiteral("update time : %1"));
    sqlite3_stmt* line = nullptr;
    if (ok && sqlite3_prepare_v2(db, kInsertLine, -1, &line, nullptr) != SQLITE_OK) {
        Logger::log(QStringLiteral("update base: %1").arg(errorText(db)));
        ok = false;
    }
    const auto insert = [&](std::initializer_list<QString> values, const QString& logFormat) {
        sqlite3_reset(line);
        int index = 1;
        for (const QString& value : values) {
            const QByteArray utf8 = value.toUtf8();
            sqlite3_bind_text(line, index++, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
        if (sqlite3_step(line) == SQLITE_DONE)
            return true;
        Logger::log(logFormat.arg(errorText(db)));
        return false;
    };
    ok = ok && insert({HistoryRecord::kHeaderItems, HistoryRecord::kHeaderStandard,
                       HistoryRecord::kHeaderResult, key},
                      QStringLiteral("update base: %1"));
    for (qsizetype i = 0; ok && i < items.size(); ++i)
        ok = insert({items[i], standards.value(i, standards.value(0)), results.value(i), key},
                    QStringLiteral("更新数据库表FIELDS出错: %1"));
    sqlite3_finalize(line);
    if (ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        Logger::log(QStringLiteral("history write: commit: %1").arg(errorText(db)));
        ok = false;
    }
    if (!ok)
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return ok;
}

HistoryRecords DoDataBase::getValueWith(sqlite3* db, const QString& key) {
    HistoryRecords records;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, kSelectLines, -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return records;
    }
    const QByteArray utf8 = key.toUtf8();
    sqlite3_bind_text(statement, 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    while (sqlite3_step(statement) == SQLITE_ROW)
        records.append(
            {columnText(statement, 0), columnText(statement, 1), columnText(statement, 2)});
    sqlite3_finalize(statement);
    return records;
}

HistoryData DoDataBase::getAllData() {
    HistoryData history;
    sqlite3* db = openDatabase(getDataBase());
    if (!db)
        return history;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, kSelectKeys, -1, &statement, nullptr) == SQLITE_OK) {
        // Two erasures of the same second share a key: it is one entry, listed once.
        while (sqlite3_step(statement) == SQLITE_ROW)
            history.insert(columnText(statement, 0), HistoryRecords());
    } else {
        Logger::log(QStringLiteral("history read: %1").arg(errorText(db)));
    }
    sqlite3_finalize(statement);
    statement = nullptr;
    if (!history.isEmpty() &&
        sqlite3_prepare_v2(db, kSelectAllLines, -1, &statement, nullptr) == SQLITE_OK) {
        auto entry = history.end();
        while (sqlite3_step(statement) == SQLITE_ROW) {
            const QString key = columnText(statement, 0);
            // Lines of one entry mostly follow each other: look the key up only when it changes.
            if (entry == history.end() || entry.key() != key)
                entry = history.find(key);
            if (entry != history.end())
                entry->append(
                    {columnText(statement, 1), columnText(statement, 2), columnText(statement, 3)});
        }
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return history;
}

QMap<QString, QStringList> DoDataBase::getTypes() {
    QMap<QString, QStringList> types;
    sqlite3* db = openDatabase(getDataBase());
    if (!db)
        return types;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, kSelectTypes, -1, &statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(statement) == SQLITE_ROW) {
            QStringList& kinds = types[columnText(statement, 0)];
            const QString type = columnText(statement, 1);
            if (!kinds.contains(type))
                kinds << type;
        }
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return types;
}

void DoDataBase::deleteDataWithKey(const QString& key) {
    sqlite3* db = openDatabase(getDataBase());
    if (!db)
        return;
    runWrite(db, kDeleteTime, {key}, QStringLiteral("delete time error: %1"));
    runWrite(db, kDeleteLines, {key}, QStringLiteral("delete base error: %1"));
    sqlite3_close(db);
}
