#pragma once

#include "app/inter/CookieKeepList.h"
#include "app/inter/EraserHistory.h"

#include <QString>

struct sqlite3;

// The browsers' own SQLite databases: counting the rows of a data kind and removing them,
// through the SQLite C API with every value bound. Each operation opens its own connection
// (never creating a missing file, never following a link), and closes it before it returns.
//
// A removal is one transaction: either every statement of the kind ran, or nothing changed and
// the outcome says why (the file cannot be opened, it is locked by a running browser, a
// statement failed). It leaves no removed row readable on the device either: the connection
// holds the file alone for the whole clean; deleted rows are overwritten in place
// (secure_delete; the file is never rebuilt or shrunk, which would free blocks still holding the
// rows that stay); the rollback journal is kept (PERSIST) rather than deleted, and the
// journal and write-ahead log, which hold the rows as they were, are overwritten in place before
// they are removed, so their blocks go back to the file system holding zeros.
class ToGetDB {
public:
    struct Outcome {
        bool ok = false;
        qint64 count = 0; // rows counted; after a removal, the rows the count still finds
        QString error;    // why it failed, for the user
        bool fileUnreadable = false; // the file itself could not be opened or read (locked)
    };

    static ToGetDB* returnToGetDB();

    // How long an operation waits for a lock held by another connection (the browser ending).
    void setBusyTimeoutMs(int ms) { m_busyTimeoutMs = ms; }
    int busyTimeoutMs() const { return m_busyTimeoutMs; }

    // Runs STATEMENT (one number) on the database at PATH; without a statement, only reads the
    // schema (whether the file can be read). KEPT answers kept_cookie(host).
    Outcome count(const QString& path, const EraserHistory::Statement& statement,
                  const CookieKeepList& kept = {}) const;
    // Runs LOCATION's delete statements, then its Count and Check: ok only when they find
    // nothing.
    Outcome clean(const QString& path, const EraserHistory::Location& location,
                  const CookieKeepList& kept = {}) const;

    // Overwrites the regular file PATH in place with zeros, to its last block, and flushes it;
    // false (with WHY) when it is not a plain file of OWNER or cannot be written.
    static bool overwriteInPlace(const QString& path, uid_t owner, QString* why);

private:
    sqlite3* open(const QString& path, bool write, const CookieKeepList* kept,
                  QString* error) const;

    int m_busyTimeoutMs = 5000;
};
