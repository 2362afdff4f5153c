#pragma once

#include <string>

// The tables of the history database, in their column order (all values text; the first
// column of BaseTable is spelled "Itmes" as the stored files have it): TimeBase (Time, Type),
// BaseTable (Itmes, ErasureAlgorithm, Result, Time) and, from version 1, ErasureFacts (Time,
// Facts: the JSON facts of the entry's erasure, see docs/certificate.md). Plain C++ and SQLite
// only, so that the build-time tool that makes the shipped DataBase.db compiles it on its own.
namespace HistorySchema {

// Creates a new database at PATH holding both tables and their indexes. Refuses (false, with a
// message in ERROR) when PATH already exists: an existing history is never replaced. The file is
// made under a temporary name in the same folder and linked into place, so a reader never sees a
// half-made database. MODE is the new file's permission bits.
bool createDatabase(const std::string& path, unsigned mode, std::string& error);

// The version of the schema createStatements() makes, kept in the database's user_version.
// Version 0 is the first: TimeBase and BaseTable only.
constexpr int kVersion = 1;

// The statements that create the tables and indexes, run in one transaction.
const char* createStatements();

// The statements that bring a database of VERSION - 1 to VERSION, to run inside the caller's
// write transaction; nullptr for a version there is no step to. Each step only adds: a database
// of an older version stays readable as it is, by old and new programs alike.
const char* migrationTo(int version);

} // namespace HistorySchema
