#pragma once

#include <QString>

// Where the history database lives. The bundle's own "DataBase.db" when the running process can
// write it (the main program runs as root, so an install under /opt works as shipped); otherwise a
// writable copy, seeded from the shipped file on first use:
//   root:       /var/lib/korvane-data-eraser/DataBase.db (never taken from the environment)
//   other user: $XDG_DATA_HOME/korvane-data-eraser/DataBase.db (~/.local/share by default)
// So the window and `sudo korvane` share one history, while `korvane` run by a user who cannot
// write the installed file keeps that user's own history.
class HistoryLocation {
public:
    static inline const QString kFileName = QStringLiteral("DataBase.db");

    // The path to use now; looked up afresh on every call. May name a file that does not exist
    // (no bundle, a bundle without its database, or no copy could be made): DoDataBase then
    // reports that it cannot be opened, and records nothing. An existing file is used whatever it
    // holds: a damaged one is reported as damaged, never replaced here (see DoDataBase::repair).
    static QString resolve();

    // The shipped file in the main bundle's Resources (empty when no bundle was found).
    static QString shippedPath();
    // The place of the writable copy for the running process.
    static QString writableCopyPath();
    // Replaces the writable copy's place (tests); empty restores the default.
    static void setWritableCopyPath(const QString& path);

    // True when PATH exists, is a regular file this process may read and write, and its folder
    // takes new files (SQLite keeps its rollback journal beside the database).
    static bool isUsableInPlace(const QString& path);
    // Makes COPY when it is missing: a copy of SHIPPED when that can be read, else a new empty
    // database with the same tables. Never replaces an existing file. False when COPY is still
    // missing afterwards.
    static bool ensureCopy(const QString& shipped, const QString& copy);
};
