#pragma once

#include "app/Main/FileEraser/FileObj.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace historytest {

// A temporary bundle holding a new, empty history database and its own user defaults, set as
// the bundle the programs' code finds. Restores the lookup on destruction.
class TempHistory {
public:
    TempHistory();
    ~TempHistory();
    QString root() const { return m_dir.path(); }
    QString bundle() const { return m_bundle; }
    QString database() const { return m_database; }
    // Rows of TABLE, read directly rather than through the code under test.
    int rowCount(const QString& table) const;

private:
    QTemporaryDir m_dir;
    QString m_bundle;
    QString m_database;
};

// Makes an empty history database at PATH.
void makeDatabase(const QString& path);

// Another process holding DATABASE with BEGIN EXCLUSIVE: a child forked with a connection of its
// own, as another program would. The lock is taken when the constructor returns (locked() tells
// whether BEGIN EXCLUSIVE succeeded) and held until release() or destruction — or, when
// HOLDMS > 0, until that many milliseconds have passed.
class ExclusiveLock {
public:
    explicit ExclusiveLock(const QString& database, int holdMs = 0);
    ~ExclusiveLock();
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;
    bool locked() const { return m_locked; }
    // Ends the child's transaction and waits for it to exit.
    void release();

private:
    int m_pid = -1;
    int m_release = -1;
    bool m_locked = false;
};

// The ways a history database is found damaged.
enum class Damage {
    Truncated,   // a history of many entries cut to half its length
    RandomBytes, // 8 KiB of random bytes
    Empty,       // a file of 0 bytes
    ForeignDb,   // a sound SQLite database without the history's tables
    Scribbled,   // a history whose pages past the first were overwritten with random bytes
};
QString damageName(Damage damage);
inline const Damage kAllDamages[] = {Damage::Truncated, Damage::RandomBytes, Damage::Empty,
                                     Damage::ForeignDb, Damage::Scribbled};
// Replaces the database at PATH with one damaged so (PATH need not exist).
void damageDatabase(const QString& path, Damage damage);
// The names in FOLDER, sorted.
QStringList filesIn(const QString& folder);
FileObjPtr item(const QString& path, const QString& result);
QDateTime at(const QString& key);
// Makes sure a QApplication exists (widget tests share one).
void ensureApplication();

} // namespace historytest
