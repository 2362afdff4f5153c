#include "HistoryTestSupport.h"

#include "app/Comm/UserDefaults.h"
#include "app/inter/DoDataBase.h"
#include "tests/core/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

using historytest::at;
using historytest::item;
using historytest::TempHistory;

namespace {

const HistoryRecord kHeader{QStringLiteral("Items"), QStringLiteral("Erasure Standard"),
                            QStringLiteral("Result")};

class HistoryDatabaseTest : public ::testing::Test {
protected:
    void stampAt(const QString& key) {
        history.setClock([time = at(key)] { return time; });
    }

    TempHistory temp;
    DoDataBase history{[this] { return temp.database(); }};
};

TEST_F(HistoryDatabaseTest, RecordsBothKindsWithHeaderLinesStandardsAndOrder) {
    UserDefaults::mainProgram().setEraserTimes(7);
    stampAt(QStringLiteral("2024-03-05 14-07-09"));
    history.writePlistForHistoryWithArr({item("/home/u/b.txt", "Erased"), nullptr,
                                         item("/home/u/a.txt", "Failed"),
                                         item("/home/u/dir", "Erased")});
    UserDefaults::mainProgram().setEraserTimes(35);
    stampAt(QStringLiteral("2024-03-05 14-08-00"));
    history.writeWipeVolumesOrFree(QStringLiteral("USB STICK"), QStringLiteral("Erased"), true);
    UserDefaults::mainProgram().setEraserTimes(4); // not a level: the default standard's name
    stampAt(QStringLiteral("2024-03-06 09-00-00"));
    history.writeWipeVolumesOrFree(QStringLiteral("Data"), QStringLiteral("Failed"), false);
    // An erasure run at an explicit level names that level's standard.
    stampAt(QStringLiteral("2024-03-06 10-00-00"));
    history.writePlistForHistoryWithArr({item("/cli", "Erased")}, 3);
    EXPECT_EQ(history.getAllData().value("2024-03-06 10-00-00").value(1).erasureStandard,
              "U.S. Army AR380-19");
    history.deleteDataWithKey(QStringLiteral("2024-03-06 10-00-00"));
    // An empty list records nothing, not even a time row.
    history.writePlistForHistoryWithArr({});
    history.writePlistForHistoryWithArr({nullptr});

    const HistoryData all = history.getAllData();
    ASSERT_EQ(all.keys(),
              (QStringList{"2024-03-05 14-07-09", "2024-03-05 14-08-00", "2024-03-06 09-00-00"}));
    const QString dod = QStringLiteral("DoD 5220.22-M ECE");
    EXPECT_EQ(all.value("2024-03-05 14-07-09"), (HistoryRecords{kHeader,
                                                                {"/home/u/b.txt", dod, "Erased"},
                                                                {"/home/u/a.txt", dod, "Failed"},
                                                                {"/home/u/dir", dod, "Erased"}}));
    EXPECT_EQ(
        all.value("2024-03-05 14-08-00"),
        (HistoryRecords{kHeader,
                        {"Erase Free Space:USB STICK", "Peter Gutmann's algorithm 35", "Erased"}}));
    EXPECT_EQ(
        all.value("2024-03-06 09-00-00"),
        (HistoryRecords{kHeader, {"Erase Hard Drive:Data", "HMG Infosec Standard 5", "Failed"}}));
    EXPECT_EQ(temp.rowCount("TimeBase"), 3);
    EXPECT_EQ(temp.rowCount("BaseTable"), 4 + 2 + 2);

    const QMap<QString, QStringList> types = history.getTypes();
    EXPECT_EQ(types.value("2024-03-05 14-07-09"), QStringList{"WipeFile"});
    EXPECT_EQ(types.value("2024-03-06 09-00-00"), QStringList{"WipeVolume"});
}

TEST_F(HistoryDatabaseTest, TwoErasuresInOneSecondFormOneEntryAndAreDeletedTogether) {
    stampAt(QStringLiteral("2024-05-01 12-00-00"));
    history.writePlistForHistoryWithArr({item("/a", "Erased"), item("/b", "Erased")});
    history.writeWipeVolumesOrFree(QStringLiteral("Vol"), QStringLiteral("Failed"), true);
    stampAt(QStringLiteral("2024-05-01 12-00-01"));
    history.writePlistForHistoryWithArr({item("/c", "Erased")});

    const HistoryData all = history.getAllData();
    ASSERT_EQ(all.size(), 2);
    const QString standard = QStringLiteral("HMG Infosec Standard 5");
    EXPECT_EQ(all.value("2024-05-01 12-00-00"),
              (HistoryRecords{kHeader,
                              {"/a", standard, "Erased"},
                              {"/b", standard, "Erased"},
                              kHeader,
                              {"Erase Free Space:Vol", standard, "Failed"}}));
    EXPECT_EQ(history.getTypes().value("2024-05-01 12-00-00"),
              (QStringList{"WipeFile", "WipeVolume"}));

    history.deleteDataWithKey(QStringLiteral("2024-05-01 12-00-00"));
    EXPECT_EQ(history.getAllData().keys(), QStringList{"2024-05-01 12-00-01"});
    EXPECT_EQ(temp.rowCount("TimeBase"), 1);
    EXPECT_EQ(temp.rowCount("BaseTable"), 2);
}

TEST_F(HistoryDatabaseTest, DeletesOneEntryOrAllOfThem) {
    const QStringList keys = {"2024-01-01 00-00-01", "2024-01-01 00-00-02", "2024-01-01 00-00-03"};
    for (const QString& key : keys) {
        stampAt(key);
        history.writePlistForHistoryWithArr({item("/x/" + key, "Erased")});
    }
    history.deleteDataWithKey(keys[1]);
    history.deleteDataWithKey(QStringLiteral("2030-01-01 00-00-00")); // unknown: nothing changes
    EXPECT_EQ(history.getAllData().keys(), (QStringList{keys[0], keys[2]}));
    EXPECT_EQ(history.getAllData().value(keys[2]).last().items, "/x/" + keys[2]);

    for (const QString& key : history.getAllData().keys())
        history.deleteDataWithKey(key);
    EXPECT_TRUE(history.getAllData().isEmpty());
    EXPECT_EQ(temp.rowCount("TimeBase"), 0);
    EXPECT_EQ(temp.rowCount("BaseTable"), 0);
}

TEST_F(HistoryDatabaseTest, KeysCarryTheCalendarYearAtTheTurnOfTheYear) {
    // 30 December 2024 lies in ISO week 1 of 2025, 1 January 2021 in week 53 of 2020: a
    // week-based year would stamp and sort both wrongly.
    EXPECT_EQ(DoDataBase::keyForTime(QDateTime(QDate(2024, 12, 30), QTime(23, 59, 58))),
              "2024-12-30 23-59-58");
    EXPECT_EQ(DoDataBase::keyForTime(QDateTime(QDate(2021, 1, 1), QTime(0, 0, 5))),
              "2021-01-01 00-00-05");

    history.setClock([] { return QDateTime(QDate(2024, 12, 30), QTime(10, 0, 0)); });
    history.writePlistForHistoryWithArr({item("/old", "Erased")});
    history.setClock([] { return QDateTime(QDate(2025, 1, 2), QTime(8, 0, 0)); });
    history.writePlistForHistoryWithArr({item("/new", "Erased")});
    EXPECT_EQ(history.getAllData().keys(),
              (QStringList{"2024-12-30 10-00-00", "2025-01-02 08-00-00"}));
}

TEST_F(HistoryDatabaseTest, QuotesInPathsAndKeysAreDataNotStatements) {
    stampAt(QStringLiteral("2024-02-02 02-02-02"));
    history.writePlistForHistoryWithArr({item("/home/u/it's.txt", "Erased"),
                                         item("/tmp/x'); DELETE FROM TimeBase; --", "Erased"),
                                         item("/tmp/日本語 \"q\"", "Failed")});
    history.writeWipeVolumesOrFree(QStringLiteral("Bob's disk"), QStringLiteral("Erased"), false);
    stampAt(QStringLiteral("2024-02-02 02-02-03"));
    history.writePlistForHistoryWithArr({item("/other", "Erased")});

    const HistoryData all = history.getAllData();
    ASSERT_EQ(all.size(), 2);
    const HistoryRecords lines = all.value("2024-02-02 02-02-02");
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[1].items, "/home/u/it's.txt");
    EXPECT_EQ(lines[2].items, "/tmp/x'); DELETE FROM TimeBase; --");
    EXPECT_EQ(lines[3].items, "/tmp/日本語 \"q\"");
    EXPECT_EQ(lines[5].items, "Erase Hard Drive:Bob's disk");

    // A key that would widen a pasted WHERE clause matches nothing.
    history.deleteDataWithKey(QStringLiteral("x' OR '1'='1"));
    EXPECT_EQ(history.getAllData().size(), 2);

    // A stored key holding a quote is read and deleted like any other.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(temp.database()).constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(
                  db,
                  "INSERT INTO TimeBase VALUES ('a''b', 'WipeFile');"
                  "INSERT INTO BaseTable VALUES ('Items','Erasure Standard','Result','a''b');"
                  "INSERT INTO BaseTable VALUES ('/q','HMG Infosec Standard 5','Erased','a''b');",
                  nullptr, nullptr, nullptr),
              SQLITE_OK);
    EXPECT_EQ(history.getValueWith(db, QStringLiteral("a'b")).size(), 2);
    sqlite3_close(db);
    history.deleteDataWithKey(QStringLiteral("a'b"));
    EXPECT_EQ(history.getAllData().keys(),
              (QStringList{"2024-02-02 02-02-02", "2024-02-02 02-02-03"}));
}

// The whole history is read in one pass; it must equal reading each entry on its own, also for
// a time row whose lines were never written and lines whose time row is missing (both left by a
// failed write).
TEST_F(HistoryDatabaseTest, WholeHistoryMatchesReadingEachEntry) {
    for (const QString& key : {"2024-08-01 00-00-02", "2024-08-01 00-00-01", "2024-08-01 00-00-03",
                               "2024-08-01 00-00-01"}) {
        stampAt(key);
        history.writePlistForHistoryWithArr({item("/a/" + key, "Erased"), item("/b", "Failed")});
    }
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(temp.database()).constData(), &db), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(db,
                     "INSERT INTO TimeBase VALUES ('2024-08-02 00-00-00', 'WipeVolume');"
                     "INSERT INTO BaseTable VALUES ('/orphan','x','Erased','2024-07-01 00-00-00');",
                     nullptr, nullptr, nullptr),
        SQLITE_OK);
    const HistoryData all = history.getAllData();
    EXPECT_EQ(all.keys(), (QStringList{"2024-08-01 00-00-01", "2024-08-01 00-00-02",
                                       "2024-08-01 00-00-03", "2024-08-02 00-00-00"}));
    for (auto entry = all.begin(); entry != all.end(); ++entry)
        EXPECT_EQ(entry.value(), history.getValueWith(db, entry.key()))
            << entry.key().toStdString();
    EXPECT_TRUE(all.value("2024-08-02 00-00-00").isEmpty());
    EXPECT_EQ(all.value("2024-08-01 00-00-01").size(), 6);
    sqlite3_close(db);
}

TEST(HistoryUnopenableTest, MissingDirectoryOrGarbageReadsEmptyAndRecordsNothing) {
    QTemporaryDir dir;
    const QString missing = dir.filePath("missing/DataBase.db");
    const QString folder = dir.filePath("DataBase.db");
    QDir().mkpath(folder);
    const QString garbage = dir.filePath("garbage.db");
    QByteArray junk(4096, '\0');
    for (int i = 0; i < junk.size(); ++i)
        junk[i] = char((i * 131 + 7) & 0xff);
    testsupport::writeFile(garbage, junk);

    for (const QString& path : {missing, folder, garbage, QString()}) {
        SCOPED_TRACE(path.toStdString());
        DoDataBase history([path] { return path; });
        history.writePlistForHistoryWithArr({item("/a", "Erased")});
        history.writeWipeVolumesOrFree(QStringLiteral("V"), QStringLiteral("Erased"), true);
        history.deleteDataWithKey(QStringLiteral("2024-01-01 00-00-00"));
        EXPECT_TRUE(history.getAllData().isEmpty());
        EXPECT_TRUE(history.getTypes().isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(missing)) << "a missing database must not be created";
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(testsupport::readFile(garbage), junk);
}

} // namespace
