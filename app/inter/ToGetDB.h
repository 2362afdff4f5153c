#pragma once

#include "app/inter/BrowserStatements.h"

#include <QString>

struct sqlite3;

// The browsers' own SQLite databases: counting the rows of a data kind and removing them,
// through the SQLite C API with every value bound. Each operation opens its own connection
// (never creating a missing file, never following a final link), and closes it before it
// returns.
//
// A removal is one transaction: either every statement of the kind ran, or nothing changed and
// the outcome says why (the file cannot be opened, it is locked by a running browser, a
// statement failed). Deleted rows are overwritten (secure_delete), the file is rebuilt
// (VACUUM) and its write-ahead log folded in and truncated, so what was removed does not stay
// readable in the file's free pages or its -wal/-journal.
class ToGetDB {
public:
    struct Outcome {
        bool ok = false;
        qint64 count = 0; // rows counted; after a removal, the rows the count still finds
        QString error;    // why it failed, for the user
    };

    static ToGetDB* returnToGetDB();

    // How long an operation waits for a lock held by another connection (the browser ending).
    void setBusyTimeoutMs(int ms) { m_busyTimeoutMs = ms; }
    int busyTimeoutMs() const { return m_busyTimeoutMs; }

    // Runs the count statement of KIND of BROWSER on the database at PATH.
    Outcome countKind(const QString& browser, const QString& kind, const QString& path) const;
    // Runs its delete statements, then its count again: ok only when it finds nothing.
    Outcome cleanKind(const QString& browser, const QString& kind, const QString& path) const;

    Outcome count(const QString& path, const BrowserStatements::Statement& statement) const;
    Outcome clean(const QString& path, const BrowserStatements::Kind& statements) const;

private:
    sqlite3* open(const QString& path, bool write, QString* error) const;

    int m_busyTimeoutMs = 5000;
};
