#include "app/inter/HistorySchema.h"

#include <cerrno>
#include <cstring>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace HistorySchema {

const char* createStatements() {
    // Indexes on the key: reading or deleting one entry must not scan every line of the history.
    return "BEGIN;"
           "CREATE TABLE TimeBase (Time TEXT, Type TEXT);"
           "CREATE TABLE BaseTable (Itmes TEXT, ErasureAlgorithm TEXT, Result TEXT, Time TEXT);"
           "CREATE INDEX TimeBaseTime ON TimeBase (Time);"
           "CREATE INDEX BaseTableTime ON BaseTable (Time);"
           "CREATE TABLE ErasureFacts (Time TEXT PRIMARY KEY, Facts TEXT NOT NULL);"
           "PRAGMA user_version = 1;"
           "COMMIT;";
}

const char* migrationTo(int version) {
    // Version 1: the facts of each erasure (its certificate's content) beside its lines. Entries
    // written before have no row there; their certificates say what was not recorded.
    if (version == 1)
        return "CREATE TABLE IF NOT EXISTS ErasureFacts (Time TEXT PRIMARY KEY, Facts TEXT NOT "
               "NULL);"
               "PRAGMA user_version = 1;";
    return nullptr;
}

namespace {

std::string folderOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool fillTables(const std::string& path, std::string& error) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        error = "open " + path + ": " + (db ? sqlite3_errmsg(db) : "out of memory");
        sqlite3_close(db);
        return false;
    }
    char* message = nullptr;
    const bool ok = sqlite3_exec(db, createStatements(), nullptr, nullptr, &message) == SQLITE_OK;
    if (!ok)
        error = "create tables in " + path + ": " + (message ? message : "unknown error");
    sqlite3_free(message);
    if (sqlite3_close(db) != SQLITE_OK && ok) {
        error = "close " + path;
        return false;
    }
    return ok;
}

} // namespace

bool createDatabase(const std::string& path, unsigned mode, std::string& error) {
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0) {
        error = path + " already exists";
        return false;
    }
    std::string temp = folderOf(path) + "/.DataBase.db.XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        error = "create temporary file in " + folderOf(path) + ": " + std::strerror(errno);
        return false;
    }
    fchmod(fd, mode);
    close(fd);
    bool ok = fillTables(temp, error);
    // link() never replaces: if another process made the file meanwhile, theirs stays.
    if (ok && link(temp.c_str(), path.c_str()) != 0) {
        error = "link " + temp + " to " + path + ": " + std::strerror(errno);
        ok = false;
    }
    unlink(temp.c_str());
    // SQLite may leave a rollback journal beside the temporary file on a failed run.
    unlink((temp + "-journal").c_str());
    return ok;
}

} // namespace HistorySchema
