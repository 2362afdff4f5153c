#pragma once

#include <string>

// The two tables of the history database, in their column order (all values text; the first
// column of BaseTable is spelled "Itmes" as the stored files have it). Plain C++ and SQLite only,
// so that the build-time tool that makes the shipped DataBase.db compiles it on its own.
namespace HistorySchema {

// Creates a new database at PATH holding both tables and their indexes. Refuses (false, with a
// message in ERROR) when PATH already exists: an existing history is never replaced. The file is
// made under a temporary name in the same folder and linked into place, so a reader never sees a
// half-made database. MODE is the new file's permission bits.
bool createDatabase(const std::string& path, unsigned mode, std::string& error);

// The statements that create the tables and indexes, run in one transaction.
const char* createStatements();

} // namespace HistorySchema
