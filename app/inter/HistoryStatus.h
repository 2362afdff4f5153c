#pragma once

#include <QString>
#include <QStringList>

// What became of one operation on the erasure history (DoDataBase): done, or why not. A history
// that cannot be read is never the same thing as an empty one.
struct HistoryStatus {
    enum class Code {
        Ok,         // done
        Locked,     // another program held the database longer than the busy timeout
        Damaged,    // not a database, truncated, failing the quick check, or missing its tables
        CannotOpen, // no file at the path, not a regular file, or no permission to open it
        Failed,     // any other error: read-only file, disk full, input/output error
    };

    Code code = Code::Ok;
    QString path;   // the database the operation used
    QString detail; // SQLite's (or the system's) own message; empty when Ok

    static HistoryStatus success(const QString& path) { return {Code::Ok, path, {}}; }

    bool ok() const { return code == Code::Ok; }
    bool locked() const { return code == Code::Locked; }
    bool damaged() const { return code == Code::Damaged; }

    // "PATH is locked by another program", "PATH is damaged (file is not a database)", … — the
    // reason an operation did not happen, to follow "The erasure history cannot be read: ".
    QString reason() const {
        QString text;
        switch (code) {
        case Code::Ok:
            return QStringLiteral("%1 is readable").arg(path);
        case Code::Locked:
            text = QStringLiteral("%1 is locked by another program");
            break;
        case Code::Damaged:
            text = QStringLiteral("%1 is damaged");
            break;
        case Code::CannotOpen:
            text = QStringLiteral("%1 cannot be opened");
            break;
        case Code::Failed:
            text = QStringLiteral("%1 could not be used");
            break;
        }
        text = text.arg(path.isEmpty() ? QStringLiteral("the history database") : path);
        if (!detail.isEmpty())
            text += QStringLiteral(" (%1)").arg(detail);
        return text;
    }

    // A short English name of CODE for logs and tests: "ok", "locked", "damaged", ….
    QString codeName() const {
        switch (code) {
        case Code::Ok:
            return QStringLiteral("ok");
        case Code::Locked:
            return QStringLiteral("locked");
        case Code::Damaged:
            return QStringLiteral("damaged");
        case Code::CannotOpen:
            return QStringLiteral("cannot open");
        case Code::Failed:
            return QStringLiteral("failed");
        }
        return {};
    }
};

// A value read from the history with the status of the read. VALUE is empty unless the status
// is Ok: callers must look at STATUS before they take an empty value for an empty history.
template <typename T> struct HistoryResult {
    HistoryStatus status;
    T value{};

    bool ok() const { return status.ok(); }
};

// What `repair` did. STATUS is Ok when a damaged history was put aside and a new, empty one
// made (KEPTAT then names the kept file), or when there was nothing to repair (KEPTAT empty).
struct HistoryRepair {
    HistoryStatus status;
    QString keptAt;        // where the damaged database now is
    QStringList keptFiles; // every file moved: the database and its -journal, -wal, -shm
    bool repaired() const { return status.ok() && !keptAt.isEmpty(); }
};
