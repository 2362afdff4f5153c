#pragma once

#include "app/Main/FileEraser/FileObj.h"
#include "app/inter/HistoryRecord.h"
#include "app/inter/HistoryStatus.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>
#include <mutex>

struct sqlite3;

// The erasure history: one entry per finished erasure in the SQLite database "DataBase.db".
// TimeBase holds one row per entry (key, kind); BaseTable the entry's lines (item, standard,
// result, key), a header line first; ErasureFacts the facts of the erasure (key, JSON) for its
// certificate. A write brings an older database to the current schema version first. Every
// operation opens its own connection and closes it before returning.
//
// Every operation says what happened (HistoryStatus): done; the database LOCKED by another
// program beyond the busy timeout; DAMAGED (not a database, truncated, failing SQLite's quick
// check, or missing its tables); or it CANNOT be OPENED. A history that cannot be read is never
// returned as an empty one, and nothing here ever replaces or re-creates a damaged database:
// only repair() does, when the user asked for it, and it keeps the damaged file aside.
class DoDataBase {
public:
    using PathProvider = std::function<QString()>;
    using Clock = std::function<QDateTime()>;
    // Each key's kinds ("WipeFile", "WipeVolume"), each kind once, in the order written.
    using HistoryTypes = QMap<QString, QStringList>;

    static inline const QString kKeyPattern = QStringLiteral("yyyy-MM-dd HH-mm-ss");
    static inline const QString kTypeWipeFile = QStringLiteral("WipeFile");
    static inline const QString kTypeWipeVolume = QStringLiteral("WipeVolume");
    // Files erased by the uninstaller ("erase securely") and by the duplicate finder: filed
    // under the module that erased them, not under the file eraser.
    static inline const QString kTypeUninstall = QStringLiteral("Uninstall");
    static inline const QString kTypeDuplicates = QStringLiteral("Duplicates");
    // How long an operation waits for another program's lock before it reports Locked.
    static constexpr int kDefaultBusyTimeoutMs = 3000;
    // An environment variable that, when it holds a number of milliseconds (0 and more),
    // replaces that default for every instance made afterwards (scripts, tests of `korvane`).
    static inline const char* const kBusyTimeoutVariable = "KORVANE_HISTORY_WAIT_MS";
    // A damaged database is kept aside as "DataBase.db.damaged-" followed by this (local time).
    static inline const QString kKeptSuffixPattern = QStringLiteral("yyyy-MM-dd-HHmmss");

    // The shared instance, made on first use and never released. Its database is the one
    // HistoryLocation::resolve() names at the time of each operation.
    static DoDataBase* returnDoDataBase();

    // An instance over the database PATHPROVIDER names (tests, `korvane --database`).
    explicit DoDataBase(PathProvider pathProvider);

    // Path of the database the next operation uses.
    QString getDataBase() const;

    // The busy timeout of the next operations, in milliseconds (0: do not wait).
    void setBusyTimeout(int milliseconds);
    int busyTimeout() const;
    // kDefaultBusyTimeoutMs, or the value of kBusyTimeoutVariable when that is set and valid.
    static int defaultBusyTimeout();

    // ---- Typed operations ----

    // Opens the database and checks it (tables present, quick check passes) without changing it.
    HistoryStatus check();
    // The whole history (see HistoryData), and each key's kinds into TYPES when given, read in
    // one transaction. The value is empty unless the status is Ok.
    HistoryResult<HistoryData> readAll(HistoryTypes* types = nullptr);
    HistoryResult<HistoryTypes> readTypes();
    // Records one file-erasure entry, in one transaction: each item's path (`url`), the
    // standard it got (`eraserLevel`, else LEVEL's, else the stored level's) and its result text
    // (`failStr`). A list without items records nothing and is Ok.
    HistoryStatus recordFiles(const QList<FileObjPtr>& items);
    HistoryStatus recordFiles(const QList<FileObjPtr>& items, int level);
    // FACTS: the erasure's facts as JSON (ErasureFacts), kept with the entry for its
    // certificate; nothing is kept when empty. TYPE: the module that erased them.
    HistoryStatus recordFiles(const QList<FileObjPtr>& items, int level, const QByteArray& facts,
                              const QString& type = kTypeWipeFile);
    // Records one volume-wipe entry with the line "Erase Free Space:NAME" (ISFREE) or
    // "Erase Hard Drive:NAME" and RESULT ("Erased" or "Failed").
    // LEVEL: the standard that ran (0: the stored one). FACTS as for recordFiles().
    HistoryStatus recordVolume(const QString& name, const QString& result, bool isFree,
                               int level = 0, const QByteArray& facts = QByteArray());
    // The facts recorded with entry KEY; empty (and Ok) when none were (an entry written before
    // they were kept, or by a program that did not give them).
    HistoryResult<QByteArray> readFacts(const QString& key);
    // How many bytes each entry with facts erased: the files' known bytes, or the volume's or
    // drive's size. An entry whose facts say no size (a free-space wipe, older entries) is left
    // out, as is one whose facts are not valid JSON.
    HistoryResult<QHash<QString, qint64>> readSizes();
    // The key of the last entry this instance recorded (empty before the first).
    QString lastRecordedKey() const;
    // Removes the entries KEYS and all their lines, in one transaction. The value is how many
    // of KEYS were entries (an unknown key is no error here; callers tell the user).
    HistoryResult<int> deleteEntries(const QStringList& keys);

    // Where repair() would keep the damaged database now: "PATH.damaged-yyyy-MM-dd-HHmmss" in
    // the database's folder (stamped by the clock), with "-2", "-3", … added when that name, or
    // the name of one of its journals, is taken.
    QString keptPathForRepair() const;
    // Repairs a DAMAGED history: renames the database to KEPTAT (keptPathForRepair() when
    // empty), never replacing a file, moves its -journal, -wal and -shm along to KEPTAT-journal,
    // …, and makes a new, empty history at the database's path with the old file's permission
    // bits (and owner, when run as root). Refuses — changing nothing — a history that is locked,
    // cannot be opened, or is not damaged (status Ok with no KEPTAT: nothing to repair). If a step
    // fails, the files moved are moved back. Call it only with the user's consent.
    HistoryRepair repair(const QString& keptAt = QString());

    // The status of the last operation of this instance, whatever it was (for callers of the
    // bool and void forms below that want to say why).
    HistoryStatus lastStatus() const;

    // ---- Earlier forms, kept for their callers ----

    // recordFiles(); false when nothing was recorded (also for a list without items).
    bool writePlistForHistoryWithArr(const QList<FileObjPtr>& items);
    bool writePlistForHistoryWithArr(const QList<FileObjPtr>& items, int level);
    // recordVolume(); false when nothing was recorded.
    bool writeWipeVolumesOrFree(const QString& name, const QString& result, bool isFree,
                                int level = 0);
    // readAll().value: EMPTY ALSO WHEN THE HISTORY CANNOT BE READ (the failure is logged and in
    // lastStatus()). Anything shown to the user must use readAll().
    HistoryData getAllData();
    // readTypes().value, likewise.
    HistoryTypes getTypes();
    // The lines of entry KEY on the open connection DB, in the order they were written.
    HistoryRecords getValueWith(sqlite3* db, const QString& key);
    // deleteEntries({KEY}).
    HistoryResult<int> deleteDataWithKey(const QString& key);

    // The key for the local time TIME: calendar year, never the week-based one.
    static QString keyForTime(const QDateTime& time);
    // Replaces the clock that stamps new entries and kept files (tests); an empty clock
    // restores the real one.
    void setClock(Clock clock);

private:
    QDateTime now() const;
    HistoryStatus writeEntry(const QString& type, const QStringList& standards,
                             const QStringList& items, const QStringList& results,
                             const QByteArray& facts);
    HistoryStatus remember(const HistoryStatus& status, const char* operation);
    static QString storedStandardName();

    PathProvider m_pathProvider;
    Clock m_clock;
    int m_busyTimeoutMs;
    mutable std::mutex m_lastMutex;
    HistoryStatus m_last;
    QString m_lastKey;
};
