#pragma once

#include "app/Main/FileEraser/FileObj.h"
#include "app/inter/HistoryRecord.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

struct sqlite3;

// The erasure history: one entry per finished erasure in the SQLite database "DataBase.db".
// TimeBase holds one row per entry (key, kind); BaseTable the entry's lines (item, standard,
// result, key), a header line first. Every operation opens its own connection and closes it
// before returning; callers run on the main thread. Nothing is reported to the user: failures
// are logged and the history is best effort, it never stops an erasure.
class DoDataBase {
public:
    using PathProvider = std::function<QString()>;
    using Clock = std::function<QDateTime()>;

    static inline const QString kKeyPattern = QStringLiteral("yyyy-MM-dd HH-mm-ss");
    static inline const QString kTypeWipeFile = QStringLiteral("WipeFile");
    static inline const QString kTypeWipeVolume = QStringLiteral("WipeVolume");

    // The shared instance, made on first use and never released. Its database is the one
    // HistoryLocation::resolve() names at the time of each operation.
    static DoDataBase* returnDoDataBase();

    // An instance over the database PATHPROVIDER names (tests, `korvane --database`).
    explicit DoDataBase(PathProvider pathProvider);

    // Path of the database the next operation uses.
    QString getDataBase() const;

    // Records one file-erasure entry, in one transaction: each item's path (`url`), the
    // standard it got (`eraserLevel`, else the stored level) and its result text (`failStr`).
    // An empty list records nothing. False when nothing was recorded.
    bool writePlistForHistoryWithArr(const QList<FileObjPtr>& items);
    // The same for an erasure run at LEVEL rather than the stored one (`korvane erase --level`):
    // items without a level of their own are named with LEVEL's standard.
    bool writePlistForHistoryWithArr(const QList<FileObjPtr>& items, int level);
    // Records one volume-wipe entry with the line "Erase Free Space:NAME" (ISFREE) or
    // "Erase Hard Drive:NAME" and RESULT ("Erased" or "Failed").
    void writeWipeVolumesOrFree(const QString& name, const QString& result, bool isFree);

    // The whole history; empty when the database cannot be opened or holds no entries.
    HistoryData getAllData();
    // The lines of entry KEY on the open connection DB, in the order they were written.
    HistoryRecords getValueWith(sqlite3* db, const QString& key);
    // Removes entry KEY and all its lines.
    void deleteDataWithKey(const QString& key);

    // The kinds recorded under each key ("WipeFile", "WipeVolume"), each kind once, in the
    // order written; two erasures of the same second may give a key both kinds.
    QMap<QString, QStringList> getTypes();

    // The key for the local time TIME: calendar year, never the week-based one.
    static QString keyForTime(const QDateTime& time);
    // Replaces the clock that stamps new entries (tests); an empty clock restores the real one.
    void setClock(Clock clock);

private:
    QString currentKey() const;
    bool writeEntry(const QString& type, const QStringList& standards, const QStringList& items,
                    const QStringList& results);
    static QString storedStandardName();

    PathProvider m_pathProvider;
    Clock m_clock;
};
