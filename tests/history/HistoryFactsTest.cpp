#include "HistoryTestSupport.h"

#include "app/inter/DoDataBase.h"
#include "app/inter/HistorySchema.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

using historytest::at;
using historytest::item;
using historytest::TempHistory;

namespace {

// A history as the first version of the program made it: the two tables, user_version 0, and
// one entry.
void makeFirstVersionDatabase(const QString& path) {
    QFile::remove(path);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "CREATE TABLE TimeBase (Time TEXT, Type TEXT);"
                           "CREATE TABLE BaseTable (Itmes TEXT, ErasureAlgorithm TEXT, Result "
                           "TEXT, Time TEXT);"
                           "INSERT INTO TimeBase VALUES ('2023-01-02 03-04-05', 'WipeFile');"
                           "INSERT INTO BaseTable VALUES ('Items', 'Erasure Standard', 'Result', "
                           "'2023-01-02 03-04-05');"
                           "INSERT INTO BaseTable VALUES ('/old/file', 'DoD 5220.22-M ECE', "
                           "'Erased', '2023-01-02 03-04-05');",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
}

int query(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    sqlite3_stmt* statement = nullptr;
    int value = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        value = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return value;
}

} // namespace

TEST(HistoryFacts, AFirstVersionHistoryStaysReadableAndIsMigratedByTheNextWrite) {
    TempHistory temp;
    makeFirstVersionDatabase(temp.database());
    DoDataBase history([&temp] { return temp.database(); });

    // Read as it is: the old entry, no facts, nothing changed in the file.
    const auto read = history.readAll();
    ASSERT_TRUE(read.ok()) << read.status.reason().toStdString();
    EXPECT_EQ(read.value.value(QStringLiteral("2023-01-02 03-04-05")).size(), 2);
    const auto none = history.readFacts(QStringLiteral("2023-01-02 03-04-05"));
    EXPECT_TRUE(none.ok());
    EXPECT_TRUE(none.value.isEmpty());
    EXPECT_EQ(query(temp.database(), "PRAGMA user_version"), 0);

    history.setClock([] { return at(QStringLiteral("2024-05-06 07-08-09")); });
    ASSERT_TRUE(history.recordFiles({item("/new", "Erased")}, 3, R"({"format":1,"id":"x"})").ok());
    EXPECT_EQ(query(temp.database(), "PRAGMA user_version"), HistorySchema::kVersion);
    EXPECT_EQ(history.lastRecordedKey(), QStringLiteral("2024-05-06 07-08-09"));
    EXPECT_EQ(history.readFacts(QStringLiteral("2024-05-06 07-08-09")).value,
              QByteArray(R"({"format":1,"id":"x"})"));
    EXPECT_TRUE(history.readFacts(QStringLiteral("2023-01-02 03-04-05")).value.isEmpty());
    EXPECT_EQ(history.readAll().value.size(), 2);

    // An entry's facts go with it.
    ASSERT_TRUE(history.deleteEntries({QStringLiteral("2024-05-06 07-08-09")}).ok());
    EXPECT_EQ(query(temp.database(), "select count(*) from ErasureFacts"), 0);
    // And an old history's entry is deleted as before, facts table or not.
    ASSERT_EQ(history.deleteEntries({QStringLiteral("2023-01-02 03-04-05")}).value, 1);
}

TEST(HistoryFacts, ANewHistoryHasTheCurrentSchemaAndTwoRunsOfOneSecondKeepTheirOwnFacts) {
    TempHistory temp;
    EXPECT_EQ(query(temp.database(), "PRAGMA user_version"), HistorySchema::kVersion);
    DoDataBase history([&temp] { return temp.database(); });
    history.setClock([] { return at(QStringLiteral("2024-05-06 07-08-09")); });
    ASSERT_TRUE(history.recordVolume("A", "Erased", true, 1, "first").ok());
    ASSERT_TRUE(history.recordVolume("B", "Erased", true, 1, "second").ok());
    EXPECT_EQ(history.lastRecordedKey(), QStringLiteral("2024-05-06 07-08-09 (2)"));
    EXPECT_EQ(history.readFacts(QStringLiteral("2024-05-06 07-08-09")).value, "first");
    EXPECT_EQ(history.readFacts(QStringLiteral("2024-05-06 07-08-09 (2)")).value, "second");
    // Without facts nothing is kept for the entry.
    ASSERT_TRUE(history.recordVolume("C", "Erased", true, 1).ok());
    EXPECT_EQ(query(temp.database(), "select count(*) from ErasureFacts"), 2);
}

// The rows of the history say how much each entry erased: the files' known bytes, a volume's or
// drive's size; nothing for an entry whose facts give none or cannot be read.
TEST(HistoryFacts, EachEntrysSizeComesFromItsFacts) {
    TempHistory temp;
    DoDataBase history([&temp] { return temp.database(); });
    int second = 0;
    history.setClock([&second] {
        return at(QStringLiteral("2025-01-01 00-00-%1").arg(++second, 2, 10, QLatin1Char('0')));
    });
    ASSERT_TRUE(history
                    .recordFiles({item("/a", "Erased"), item("/b", "Erased"), item("/c", "Failed")},
                                 1,
                                 R"({"kind":"files","files":[{"path":"/a","bytes":1000},)"
                                 R"({"path":"/b","bytes":2500},{"path":"/c","bytes":-1}]})")
                    .ok());
    ASSERT_TRUE(history
                    .recordVolume(QStringLiteral("USB"), QStringLiteral("Erased"), false, 1,
                                  R"({"kind":"volume","sizeBytes":8000000000})")
                    .ok());
    ASSERT_TRUE(history
                    .recordVolume(QStringLiteral("USB"), QStringLiteral("Erased"), true, 1,
                                  R"({"kind":"freeSpace","sizeBytes":8000000000})")
                    .ok());
    ASSERT_TRUE(history.recordFiles({item("/d", "Erased")}, 1, "{not json").ok());

    const auto sizes = history.readSizes();
    ASSERT_TRUE(sizes.ok()) << sizes.status.reason().toStdString();
    EXPECT_EQ(sizes.value.value(QStringLiteral("2025-01-01 00-00-01"), -2), 3500);
    EXPECT_EQ(sizes.value.value(QStringLiteral("2025-01-01 00-00-02"), -2), 8000000000);
    EXPECT_FALSE(sizes.value.contains(QStringLiteral("2025-01-01 00-00-03")));
    EXPECT_FALSE(sizes.value.contains(QStringLiteral("2025-01-01 00-00-04")));
}
