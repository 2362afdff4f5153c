#include "HistoryTestSupport.h"

#include "app/Comm/UserDefaults.h"
#include "app/inter/DoDataBase.h"
#include "tests/core/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

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

// Two runs in one second are two entries: each is listed and deleted on its own, in order.
TEST_F(HistoryDatabaseTest, TwoRunsInOneSecondAreTwoEntriesDeletedApart) {
    stampAt(QStringLiteral("2024-05-01 12-00-00"));
    history.writePlistForHistoryWithArr({item("/a", "Erased"), item("/b", "Erased")});
    history.writeWipeVolumesOrFree(QStringLiteral("Vol"), QStringLiteral("Failed"), true);
    history.writePlistForHistoryWithArr({item("/z", "Failed")});
    stampAt(QStringLiteral("2024-05-01 12-00-01"));
    history.writePlistForHistoryWithArr({item("/c", "Erased")});

    const HistoryData all = history.getAllData();
    EXPECT_EQ(all.keys(), (QStringList{"2024-05-01 12-00-00", "2024-05-01 12-00-00 (2)",
                                       "2024-05-01 12-00-00 (3)", "2024-05-01 12-00-01"}));
    const QString standard = QStringLiteral("HMG Infosec Standard 5");
    EXPECT_EQ(all.value("2024-05-01 12-00-00"),
              (HistoryRecords{kHeader, {"/a", standard, "Erased"}, {"/b", standard, "Erased"}}));
    EXPECT_EQ(all.value("2024-05-01 12-00-00 (2)"),
              (HistoryRecords{kHeader, {"Erase Free Space:Vol", standard, "Failed"}}));
    EXPECT_EQ(history.getTypes().value("2024-05-01 12-00-00 (2)"), QStringList{"WipeVolume"});

    history.deleteDataWithKey(QStringLiteral("2024-05-01 12-00-00"));
    EXPECT_EQ(
        history.getAllData().keys(),
        (QStringList{"2024-05-01 12-00-00 (2)", "2024-05-01 12-00-00 (3)", "2024-05-01 12-00-01"}));
    EXPECT_EQ(temp.rowCount("TimeBase"), 3);
    EXPECT_EQ(temp.rowCount("BaseTable"), 6);
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
    ASSERT_EQ(all.size(), 3);
    const HistoryRecords lines = all.value("2024-02-02 02-02-02");
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[1].items, "/home/u/it's.txt");
    EXPECT_EQ(lines[2].items, "/tmp/x'); DELETE FROM TimeBase; --");
    EXPECT_EQ(lines[3].items, "/tmp/日本語 \"q\"");
    EXPECT_EQ(all.value("2024-02-02 02-02-02 (2)").value(1).items, "Erase Hard Drive:Bob's disk");

    // A key that would widen a pasted WHERE clause matches nothing.
    history.deleteDataWithKey(QStringLiteral("x' OR '1'='1"));
    EXPECT_EQ(history.getAllData().size(), 3);

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
    EXPECT_EQ(
        history.getAllData().keys(),
        (QStringList{"2024-02-02 02-02-02", "2024-02-02 02-02-02 (2)", "2024-02-02 02-02-03"}));
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
    EXPECT_EQ(all.keys(),
              (QStringList{"2024-08-01 00-00-01", "2024-08-01 00-00-01 (2)", "2024-08-01 00-00-02",
                           "2024-08-01 00-00-03", "2024-08-02 00-00-00"}));
    for (auto entry = all.begin(); entry != all.end(); ++entry)
        EXPECT_EQ(entry.value(), history.getValueWith(db, entry.key()))
            << entry.key().toStdString();
    EXPECT_TRUE(all.value("2024-08-02 00-00-00").isEmpty());
    EXPECT_EQ(all.value("2024-08-01 00-00-01").size(), 3);
    sqlite3_close(db);
}

TEST(HistoryUnopenableTest, MissingFileOrFolderCannotBeOpenedAndIsNeverCreated) {
    QTemporaryDir dir;
    const QString missing = dir.filePath("missing/DataBase.db");
    const QString folder = dir.filePath("DataBase.db");
    QDir().mkpath(folder);

    for (const QString& path : {missing, folder, QString()}) {
        SCOPED_TRACE(path.toStdString());
        DoDataBase history([path] { return path; });
        EXPECT_EQ(history.recordFiles({item("/a", "Erased")}).code,
                  HistoryStatus::Code::CannotOpen);
        EXPECT_FALSE(history.writePlistForHistoryWithArr({item("/a", "Erased")}));
        EXPECT_FALSE(
            history.writeWipeVolumesOrFree(QStringLiteral("V"), QStringLiteral("Erased"), true));
        EXPECT_EQ(history.deleteDataWithKey(QStringLiteral("2024-01-01 00-00-00")).status.code,
                  HistoryStatus::Code::CannotOpen);
        const HistoryResult<HistoryData> read = history.readAll();
        EXPECT_EQ(read.status.code, HistoryStatus::Code::CannotOpen);
        EXPECT_EQ(read.status.path, path);
        EXPECT_FALSE(read.status.detail.isEmpty());
        // The earlier form still answers empty, and says why in lastStatus().
        EXPECT_TRUE(history.getAllData().isEmpty());
        EXPECT_EQ(history.lastStatus().code, HistoryStatus::Code::CannotOpen);
        // Nothing to keep aside: repair refuses.
        const HistoryRepair repaired = history.repair();
        EXPECT_EQ(repaired.status.code, HistoryStatus::Code::CannotOpen);
        EXPECT_TRUE(repaired.keptAt.isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(missing)) << "a missing database must not be created";
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

// A database held by another process (BEGIN EXCLUSIVE in a forked child) is waited for, for the
// busy timeout, then reported locked — never as an empty history, never "repaired".
TEST_F(HistoryDatabaseTest, LockedByAnotherProcessIsWaitedForThenReportedLocked) {
    stampAt(QStringLiteral("2024-09-01 10-00-00"));
    ASSERT_TRUE(history.recordFiles({item("/a", "Erased")}).ok());
    const QByteArray before = testsupport::readFile(temp.database());
    const QStringList filesBefore = historytest::filesIn(QFileInfo(temp.database()).path());

    historytest::ExclusiveLock lock(temp.database());
    ASSERT_TRUE(lock.locked());
    history.setBusyTimeout(300);
    QElapsedTimer waited;
    waited.start();
    const HistoryResult<HistoryData> read = history.readAll();
    EXPECT_GE(waited.elapsed(), 250) << "the busy timeout is waited for";
    EXPECT_LT(waited.elapsed(), 2500);
    EXPECT_EQ(read.status.code, HistoryStatus::Code::Locked);
    EXPECT_EQ(read.status.path, temp.database());
    EXPECT_FALSE(read.status.detail.isEmpty());
    EXPECT_TRUE(read.status.reason().contains(temp.database() + " is locked by another program"))
        << read.status.reason().toStdString();
    EXPECT_TRUE(read.value.isEmpty());

    EXPECT_EQ(history.check().code, HistoryStatus::Code::Locked);
    EXPECT_EQ(history.readTypes().status.code, HistoryStatus::Code::Locked);
    stampAt(QStringLiteral("2024-09-01 11-00-00"));
    EXPECT_EQ(history.recordFiles({item("/b", "Erased")}).code, HistoryStatus::Code::Locked);
    EXPECT_FALSE(history.writePlistForHistoryWithArr({item("/b", "Erased")}));
    EXPECT_EQ(history.lastStatus().code, HistoryStatus::Code::Locked);
    EXPECT_EQ(history.recordVolume("V", "Erased", true).code, HistoryStatus::Code::Locked);
    const HistoryResult<int> removed = history.deleteEntries({"2024-09-01 10-00-00"});
    EXPECT_EQ(removed.status.code, HistoryStatus::Code::Locked);
    EXPECT_EQ(removed.value, 0);

    // A locked history is in use, not damaged: repair refuses and moves nothing.
    const HistoryRepair repaired = history.repair();
    EXPECT_EQ(repaired.status.code, HistoryStatus::Code::Locked);
    EXPECT_TRUE(repaired.keptAt.isEmpty());
    EXPECT_FALSE(repaired.repaired());

    lock.release();
    EXPECT_EQ(testsupport::readFile(temp.database()), before);
    EXPECT_EQ(historytest::filesIn(QFileInfo(temp.database()).path()), filesBefore);
    const HistoryResult<HistoryData> after = history.readAll();
    ASSERT_TRUE(after.ok()) << after.status.reason().toStdString();
    EXPECT_EQ(after.value.keys(), QStringList{"2024-09-01 10-00-00"});
}

// A lock released within the busy timeout is simply waited for.
TEST_F(HistoryDatabaseTest, LockReleasedWithinTheBusyTimeoutIsWaitedFor) {
    stampAt(QStringLiteral("2024-09-02 10-00-00"));
    ASSERT_TRUE(history.recordFiles({item("/a", "Erased")}).ok());
    history.setBusyTimeout(5000);
    {
        historytest::ExclusiveLock lock(temp.database(), 300);
        ASSERT_TRUE(lock.locked());
        const HistoryResult<HistoryData> read = history.readAll();
        ASSERT_TRUE(read.ok()) << read.status.reason().toStdString();
        EXPECT_EQ(read.value.size(), 1);
    }
    {
        historytest::ExclusiveLock lock(temp.database(), 300);
        ASSERT_TRUE(lock.locked());
        stampAt(QStringLiteral("2024-09-02 10-00-01"));
        EXPECT_TRUE(history.recordFiles({item("/b", "Erased")}).ok());
    }
    EXPECT_EQ(temp.rowCount("TimeBase"), 2);
}

TEST(HistoryBusyTimeoutTest, DefaultsToAFewSecondsAndIsSettable) {
    qunsetenv(DoDataBase::kBusyTimeoutVariable);
    EXPECT_EQ(DoDataBase::defaultBusyTimeout(), DoDataBase::kDefaultBusyTimeoutMs);
    EXPECT_GE(DoDataBase::kDefaultBusyTimeoutMs, 2000);
    qputenv(DoDataBase::kBusyTimeoutVariable, "250");
    EXPECT_EQ(DoDataBase::defaultBusyTimeout(), 250);
    DoDataBase history([] { return QString(); });
    EXPECT_EQ(history.busyTimeout(), 250);
    history.setBusyTimeout(10);
    EXPECT_EQ(history.busyTimeout(), 10);
    qputenv(DoDataBase::kBusyTimeoutVariable, "soon");
    EXPECT_EQ(DoDataBase::defaultBusyTimeout(), DoDataBase::kDefaultBusyTimeoutMs);
    qunsetenv(DoDataBase::kBusyTimeoutVariable);
}

class HistoryDamageTest : public ::testing::TestWithParam<historytest::Damage> {
protected:
    TempHistory temp;
    DoDataBase history{[this] { return temp.database(); }};
};

// Every kind of damage is reported as damage, with the path, by every operation — never as an
// empty history — and no write changes a byte of the file or makes its tables anew.
TEST_P(HistoryDamageTest, IsReportedDamagedAndNeverWrittenInto) {
    historytest::damageDatabase(temp.database(), GetParam());
    const QByteArray damaged = testsupport::readFile(temp.database());
    const QStringList files = historytest::filesIn(QFileInfo(temp.database()).path());

    const HistoryResult<HistoryData> read = history.readAll();
    EXPECT_EQ(read.status.code, HistoryStatus::Code::Damaged) << read.status.reason().toStdString();
    EXPECT_EQ(read.status.path, temp.database());
    EXPECT_FALSE(read.status.detail.isEmpty());
    EXPECT_TRUE(read.status.reason().startsWith(temp.database() + " is damaged ("))
        << read.status.reason().toStdString();
    EXPECT_TRUE(read.value.isEmpty());
    const QMap<historytest::Damage, QString> said = {
        {historytest::Damage::Truncated, "the file is truncated: "},
        {historytest::Damage::RandomBytes, "file is not a database"},
        {historytest::Damage::Empty, "the file is empty: 0 bytes"},
        {historytest::Damage::ForeignDb, "the history tables are missing: no such table"},
        {historytest::Damage::Scribbled, ""}};
    EXPECT_TRUE(read.status.detail.contains(said.value(GetParam())))
        << read.status.detail.toStdString();
    EXPECT_EQ(history.check().code, HistoryStatus::Code::Damaged);
    EXPECT_EQ(history.readTypes().status.code, HistoryStatus::Code::Damaged);

    history.setClock([] { return at("2024-10-01 10-00-00"); });
    EXPECT_EQ(history.recordFiles({item("/a", "Erased")}).code, HistoryStatus::Code::Damaged);
    EXPECT_FALSE(history.writePlistForHistoryWithArr({item("/a", "Erased")}));
    EXPECT_EQ(history.recordVolume("V", "Erased", false).code, HistoryStatus::Code::Damaged);
    EXPECT_FALSE(history.writeWipeVolumesOrFree("V", "Erased", false));
    const HistoryResult<int> removed = history.deleteEntries({"2024-01-01 00-00-01"});
    EXPECT_EQ(removed.status.code, HistoryStatus::Code::Damaged);
    EXPECT_EQ(history.lastStatus().code, HistoryStatus::Code::Damaged);

    EXPECT_EQ(testsupport::readFile(temp.database()), damaged) << "written into a damaged file";
    EXPECT_EQ(historytest::filesIn(QFileInfo(temp.database()).path()), files);
}

// Repair keeps the damaged file aside byte for byte, under a dated name in the same folder, its
// journal along with it, and makes a new history that works. A second repair in the same second
// never overwrites the first kept file.
TEST_P(HistoryDamageTest, RepairKeepsTheDamagedFileAsideAndMakesANewHistory) {
    historytest::damageDatabase(temp.database(), GetParam());
    ASSERT_TRUE(QFile::setPermissions(temp.database(), QFile::ReadOwner | QFile::WriteOwner));
    // Files SQLite keeps beside a database. SQLite, once it reads the file, discards a rollback
    // journal or WAL file it cannot use (and plays back one it can), as any program reading it
    // would. Whatever is still there once the history was found damaged goes along with it.
    for (const char* companion : {"-journal", "-wal", "-shm"})
        testsupport::writeFile(temp.database() + companion,
                               QByteArray("not really a ") + (companion + 1));
    ASSERT_EQ(history.check().code, HistoryStatus::Code::Damaged);
    const QByteArray damaged = testsupport::readFile(temp.database());
    QMap<QString, QByteArray> companions;
    for (const char* companion : {"-journal", "-wal", "-shm"})
        if (QFileInfo::exists(temp.database() + companion))
            companions.insert(companion, testsupport::readFile(temp.database() + companion));
    // A file whose own bytes show the damage (no header, no bytes) is never opened by SQLite:
    // everything beside it is still there.
    if (GetParam() == historytest::Damage::RandomBytes ||
        GetParam() == historytest::Damage::Empty) {
        EXPECT_EQ(companions.keys(), (QStringList{"-journal", "-shm", "-wal"}));
    }
    const QString folder = QFileInfo(temp.database()).path();
    const QStringList filesBefore = historytest::filesIn(folder);
    history.setClock([] { return at("2026-12-10 02-15-00"); });

    const QString expected = temp.database() + ".damaged-2026-12-10-021500";
    EXPECT_EQ(history.keptPathForRepair(), expected);
    const HistoryRepair repaired = history.repair();
    ASSERT_TRUE(repaired.repaired()) << repaired.status.reason().toStdString();
    EXPECT_EQ(repaired.keptAt, expected);
    QStringList keptFiles{expected};
    for (const QString& companion : companions.keys())
        keptFiles << expected + companion;
    keptFiles.sort();
    QStringList reported = repaired.keptFiles;
    reported.sort();
    EXPECT_EQ(reported, keptFiles);
    EXPECT_EQ(testsupport::readFile(expected), damaged) << "kept byte for byte";
    for (auto companion = companions.cbegin(); companion != companions.cend(); ++companion) {
        EXPECT_EQ(testsupport::readFile(expected + companion.key()), companion.value());
        EXPECT_FALSE(QFileInfo::exists(temp.database() + companion.key()));
    }
    struct stat made {};
    ASSERT_EQ(::stat(QFile::encodeName(temp.database()).constData(), &made), 0);
    EXPECT_EQ(made.st_mode & 0777, 0600u) << "the new history keeps the old one's permissions";

    // The new history is readable, empty, and records.
    const HistoryResult<HistoryData> empty = history.readAll();
    ASSERT_TRUE(empty.ok()) << empty.status.reason().toStdString();
    EXPECT_TRUE(empty.value.isEmpty());
    EXPECT_TRUE(history.recordFiles({item("/after", "Erased")}).ok());
    EXPECT_EQ(history.readAll().value.keys(), QStringList{"2026-12-10 02-15-00"});

    // Not damaged now: nothing to repair, nothing moved.
    const HistoryRepair again = history.repair();
    EXPECT_TRUE(again.status.ok());
    EXPECT_FALSE(again.repaired());
    QStringList expectedFiles;
    for (const QString& name : filesBefore)
        expectedFiles << (name.startsWith("DataBase.db")
                              ? QString(name).replace("DataBase.db",
                                                      "DataBase.db.damaged-2026-12-10-021500")
                              : name);
    expectedFiles << "DataBase.db";
    expectedFiles.sort();
    EXPECT_EQ(historytest::filesIn(folder), expectedFiles);

    // Damaged again in the same second: a second name, the first kept file untouched.
    historytest::damageDatabase(temp.database(), GetParam());
    const QByteArray second = testsupport::readFile(temp.database());
    const HistoryRepair secondRepair = history.repair();
    ASSERT_TRUE(secondRepair.repaired()) << secondRepair.status.reason().toStdString();
    EXPECT_EQ(secondRepair.keptAt, expected + "-2");
    EXPECT_EQ(testsupport::readFile(expected), damaged);
    EXPECT_EQ(testsupport::readFile(expected + "-2"), second);
    EXPECT_TRUE(history.readAll().ok());
}

INSTANTIATE_TEST_SUITE_P(EveryDamage, HistoryDamageTest,
                         ::testing::ValuesIn(historytest::kAllDamages),
                         [](const ::testing::TestParamInfo<historytest::Damage>& info) {
                             QString name = historytest::damageName(info.param);
                             name.remove(QLatin1Char(' '));
                             return name.toStdString();
                         });

// A damaged file that another process holds is locked first: not repaired either.
TEST(HistoryRepairTest, RefusesADamagedHistoryThatIsLocked) {
    TempHistory temp;
    historytest::damageDatabase(temp.database(), historytest::Damage::Empty);
    DoDataBase history([&] { return temp.database(); });
    history.setBusyTimeout(200);
    historytest::ExclusiveLock lock(temp.database());
    ASSERT_TRUE(lock.locked()) << "SQLite takes a 0-byte file for an empty database";
    const HistoryRepair repaired = history.repair();
    EXPECT_EQ(repaired.status.code, HistoryStatus::Code::Locked);
    EXPECT_FALSE(repaired.repaired());
    lock.release();
    EXPECT_EQ(QFileInfo(temp.database()).size(), 0);
    EXPECT_EQ(history.check().code, HistoryStatus::Code::Damaged);
}

// Repair writes to no name that exists: a chosen name that is taken is refused, and the
// damaged file stays where it was.
TEST(HistoryRepairTest, NeverReplacesAFileWithTheKeptName) {
    TempHistory temp;
    historytest::damageDatabase(temp.database(), historytest::Damage::RandomBytes);
    const QByteArray damaged = testsupport::readFile(temp.database());
    const QString taken = temp.database() + ".damaged-taken";
    testsupport::writeFile(taken, "precious");
    DoDataBase history([&] { return temp.database(); });
    const HistoryRepair repaired = history.repair(taken);
    EXPECT_EQ(repaired.status.code, HistoryStatus::Code::Failed);
    EXPECT_FALSE(repaired.repaired());
    EXPECT_EQ(testsupport::readFile(taken), "precious");
    EXPECT_EQ(testsupport::readFile(temp.database()), damaged);
}

} // namespace
