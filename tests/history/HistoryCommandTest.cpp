#include "HistoryTestSupport.h"

#include "app/inter/DoDataBase.h"
#include "tests/core/TestSupport.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

using historytest::at;
using historytest::item;
using historytest::TempHistory;

namespace {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

class HistoryCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        DoDataBase history([this] { return temp.database(); });
        history.setClock([] { return at("2024-07-01 09-00-00"); });
        history.writePlistForHistoryWithArr(
            {item("/home/u/it's.txt", "Erased"), item("/home/u/b", "Failed")});
        history.setClock([] { return at("2024-07-02 09-00-00"); });
        history.writeWipeVolumesOrFree("Data", "Erased", false);
        history.setClock([] { return at("2024-06-30 09-00-00"); });
        history.writePlistForHistoryWithArr({item("/one", "Erased")});
    }

    // Runs korvane on the temporary bundle; STDIN is written and closed when not null.
    Outcome korvane(QStringList args, const QByteArray* stdinData = nullptr) {
        QProcess process;
        // A locked history is waited for briefly here: the tests hold the lock on purpose.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(DoDataBase::kBusyTimeoutVariable, "300");
        process.setProcessEnvironment(environment);
        args.prepend("history");
        args << "--bundle" << temp.bundle();
        process.start(QStringLiteral(KORVANE_BUILD_DIR "/bin/korvane"), args);
        process.waitForStarted();
        if (stdinData)
            process.write(*stdinData);
        process.closeWriteChannel();
        process.waitForFinished(30000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    TempHistory temp;
};

TEST_F(HistoryCommandTest, ListsShowsAndExports) {
    Outcome list = korvane({});
    ASSERT_EQ(list.status, 0) << list.err.toStdString();
    const QStringList lines = list.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("2024-07-02 09-00-00  Erase ")) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(" 1 item"));
    EXPECT_TRUE(lines[1].startsWith("2024-07-01 09-00-00  Erase Files"));
    EXPECT_TRUE(lines[1].endsWith(" 2 items"));
    EXPECT_TRUE(lines[2].startsWith("2024-06-30 09-00-00"));

    Outcome show = korvane({"show", "2024-07-01 09-00-00"});
    ASSERT_EQ(show.status, 0);
    EXPECT_EQ(show.out, "Items\tErasure Standard\tResult\n"
                        "/home/u/it's.txt\tHMG Infosec Standard 5\tErased\n"
                        "/home/u/b\tHMG Infosec Standard 5\tFailed\n");

    QTemporaryDir dir;
    const QString file = dir.filePath("report.html");
    ASSERT_EQ(korvane({"export", "2024-07-01 09-00-00", file}).status, 0);
    QXmlStreamReader xml(testsupport::readFile(file));
    int cells = 0;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("td"))
            ++cells;
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    // Three lines of three cells, and the erasure's facts: ten rows of label and text (an
    // entry written without facts says "not available" in them).
    EXPECT_EQ(cells, 9 + 2 * 10);
    EXPECT_TRUE(testsupport::readFile(file).contains("not available"));
    EXPECT_EQ(QFileInfo(file).permissions() & (QFile::ReadOther | QFile::ReadGroup),
              QFile::Permissions())
        << "the report is private, as the history is";
    // An existing report is replaced only when asked.
    Outcome again = korvane({"export", "2024-07-01 09-00-00", file});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(again.err.contains("--force")) << again.err.toStdString();
    ASSERT_TRUE(QFile::resize(file, 0));
    EXPECT_EQ(korvane({"export", "--force", "2024-07-01 09-00-00", file}).status, 0);
    EXPECT_GT(QFileInfo(file).size(), 0);

    Outcome unknown = korvane({"show", "2024-07-03 09-00-00"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_TRUE(unknown.err.contains("no history entry \"2024-07-03 09-00-00\""));
    EXPECT_EQ(korvane({"export", "nope", file}).status, 1);
    Outcome unwritable = korvane({"export", "2024-07-01 09-00-00", dir.filePath("no/dir/r.html")});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_TRUE(unwritable.err.contains("cannot write"));
    EXPECT_EQ(korvane({"show"}).status, 2);
    EXPECT_EQ(korvane({"frobnicate"}).status, 2);
}

// Deleting one entry asks as clearing does: without --yes and without a terminal, nothing goes.
TEST_F(HistoryCommandTest, DeletesOneEntryAndClearsOnlyWhenConfirmed) {
    const Outcome unconfirmed = korvane({"delete", "2024-07-01 09-00-00"});
    EXPECT_EQ(unconfirmed.status, 1);
    EXPECT_TRUE(unconfirmed.err.contains("add --yes")) << unconfirmed.err.toStdString();
    EXPECT_EQ(temp.rowCount("TimeBase"), 3);
    const Outcome deleted = korvane({"delete", "2024-07-01 09-00-00", "--yes"});
    EXPECT_EQ(deleted.status, 0) << deleted.err.toStdString();
    EXPECT_EQ(deleted.out, "Deleted 2024-07-01 09-00-00\n");
    EXPECT_EQ(korvane({"delete", "2024-07-01 09-00-00", "--yes"}).status, 1) << "already gone";
    EXPECT_EQ(korvane({"delete", "x' OR '1'='1", "--yes"}).status, 1);
    EXPECT_EQ(temp.rowCount("TimeBase"), 2);

    Outcome noInput = korvane({"clear"});
    EXPECT_EQ(noInput.status, 1);
    EXPECT_TRUE(noInput.err.contains("--yes"));
    const QByteArray no = "n\n";
    EXPECT_EQ(korvane({"clear"}, &no).status, 1);
    EXPECT_EQ(temp.rowCount("TimeBase"), 2);
    // An answer piped in is no one's decision: it used to clear the history.
    const QByteArray piped = "y\n";
    EXPECT_EQ(korvane({"clear"}, &piped).status, 1);
    EXPECT_EQ(temp.rowCount("TimeBase"), 2);

    Outcome clear = korvane({"clear", "--yes"});
    EXPECT_EQ(clear.status, 0) << clear.err.toStdString();
    EXPECT_FALSE(clear.err.contains("[y/N]"));
    EXPECT_EQ(temp.rowCount("TimeBase"), 0);
    EXPECT_EQ(temp.rowCount("BaseTable"), 0);
    Outcome empty = korvane({});
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "No erasure history.\n");
}

TEST_F(HistoryCommandTest, HelpNamesRepairAndTheExitStatuses) {
    Outcome help = korvane({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains("korvane history repair [--yes]"));
    EXPECT_TRUE(help.out.contains("Exit status: 0 done; 1 failed or refused"));
    EXPECT_TRUE(help.out.contains("2 usage error"));
    EXPECT_EQ(korvane({"repair", "now"}).status, 2);
}

// Another process holds the history (BEGIN EXCLUSIVE): every verb fails with the path and the
// reason, exit status 1; none says the history is empty or the entry unknown; nothing changes.
TEST_F(HistoryCommandTest, ALockedHistoryIsAnErrorNotAnEmptyOne) {
    QTemporaryDir dir;
    const QString report = dir.filePath("report.html");
    const QByteArray before = testsupport::readFile(temp.database());
    historytest::ExclusiveLock lock(temp.database());
    ASSERT_TRUE(lock.locked());
    const QList<QStringList> runs = {{},
                                     {"show", "2024-07-01 09-00-00"},
                                     {"export", "2024-07-01 09-00-00", report},
                                     {"delete", "2024-07-01 09-00-00"},
                                     {"delete", "2030-01-01 00-00-00"},
                                     {"clear", "--yes"},
                                     {"repair", "--yes"}};
    for (const QStringList& args : runs) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const Outcome run = korvane(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains(temp.database() + " is locked by another program"))
            << run.err.toStdString();
        EXPECT_FALSE(run.out.contains("No erasure history")) << run.out.toStdString();
        EXPECT_FALSE(run.err.contains("no history entry")) << run.err.toStdString();
    }
    const Outcome list = korvane({});
    EXPECT_TRUE(list.err.contains("the erasure history cannot be read")) << list.err.toStdString();
    EXPECT_TRUE(korvane({"repair", "--yes"}).err.contains("not repaired"));
    lock.release();

    EXPECT_FALSE(QFileInfo::exists(report));
    EXPECT_EQ(testsupport::readFile(temp.database()), before);
    EXPECT_TRUE(
        historytest::filesIn(QFileInfo(temp.database()).path()).filter(".damaged-").isEmpty());
    const Outcome after = korvane({});
    EXPECT_EQ(after.status, 0);
    EXPECT_EQ(after.out.split('\n', Qt::SkipEmptyParts).size(), 3);
}

class HistoryCommandDamageTest : public HistoryCommandTest,
                                 public ::testing::WithParamInterface<historytest::Damage> {};

// A damaged history (truncated, random bytes, empty, …): every verb fails with the path and
// "is damaged", exit status 1, and points at repair; repair asks — refusing when standard input
// is not a terminal — and with --yes keeps the file aside byte for byte and starts a new history
// that works.
TEST_P(HistoryCommandDamageTest, IsAnErrorUntilRepairedWithConsent) {
    historytest::damageDatabase(temp.database(), GetParam());
    const QByteArray damaged = testsupport::readFile(temp.database());
    const QString folder = QFileInfo(temp.database()).path();
    QTemporaryDir dir;
    const QString report = dir.filePath("report.html");
    const QList<QStringList> runs = {{},
                                     {"show", "2024-07-01 09-00-00"},
                                     {"export", "2024-07-01 09-00-00", report},
                                     {"delete", "2024-07-01 09-00-00"},
                                     {"clear", "--yes"}};
    for (const QStringList& args : runs) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const Outcome run = korvane(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains(temp.database() + " is damaged (")) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("korvane history repair")) << run.err.toStdString();
        EXPECT_FALSE(run.out.contains("No erasure history")) << run.out.toStdString();
        EXPECT_FALSE(run.err.contains("no history entry")) << run.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(report));

    // Without --yes, and input that is not a terminal: refused, even with a "y" on it.
    const QByteArray yes = "y\n";
    for (const QByteArray* input : {static_cast<const QByteArray*>(nullptr), &yes}) {
        const Outcome refused = korvane({"repair"}, input);
        EXPECT_EQ(refused.status, 1);
        EXPECT_TRUE(refused.err.contains("add --yes")) << refused.err.toStdString();
    }
    EXPECT_EQ(testsupport::readFile(temp.database()), damaged);
    EXPECT_TRUE(historytest::filesIn(folder).filter(".damaged-").isEmpty());

    const Outcome repair = korvane({"repair", "--yes"});
    ASSERT_EQ(repair.status, 0) << repair.err.toStdString();
    const QStringList kept = historytest::filesIn(folder).filter(
        QRegularExpression("^DataBase\\.db\\.damaged-\\d{4}-\\d\\d-\\d\\d-\\d{6}$"));
    ASSERT_EQ(kept.size(), 1) << historytest::filesIn(folder).join(' ').toStdString();
    const QString keptPath = folder + "/" + kept.first();
    EXPECT_TRUE(repair.out.contains("The damaged history was kept at " + keptPath))
        << repair.out.toStdString();
    EXPECT_EQ(testsupport::readFile(keptPath), damaged) << "kept byte for byte";

    const Outcome empty = korvane({});
    EXPECT_EQ(empty.status, 0) << empty.err.toStdString();
    EXPECT_EQ(empty.out, "No erasure history.\n");
    DoDataBase history([this] { return temp.database(); });
    history.setClock([] { return at("2024-08-01 10-00-00"); });
    ASSERT_TRUE(history.recordFiles({item("/new", "Erased")}).ok());
    const Outcome listed = korvane({});
    EXPECT_EQ(listed.status, 0);
    EXPECT_TRUE(listed.out.startsWith("2024-08-01 10-00-00  Erase Files"))
        << listed.out.toStdString();

    const Outcome again = korvane({"repair", "--yes"});
    EXPECT_EQ(again.status, 0);
    EXPECT_TRUE(again.out.contains("not damaged; nothing to repair"));
    EXPECT_EQ(historytest::filesIn(folder).filter(".damaged-").size(), 1);
}

INSTANTIATE_TEST_SUITE_P(EveryDamage, HistoryCommandDamageTest,
                         ::testing::ValuesIn(historytest::kAllDamages),
                         [](const ::testing::TestParamInfo<historytest::Damage>& info) {
                             QString name = historytest::damageName(info.param);
                             name.remove(QLatin1Char(' '));
                             return name.toStdString();
                         });

} // namespace
