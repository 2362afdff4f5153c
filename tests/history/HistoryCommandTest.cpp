#include "HistoryTestSupport.h"

#include "app/inter/DoDataBase.h"
#include "tests/core/TestSupport.h"

#include <QFileInfo>
#include <QProcess>
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
    EXPECT_EQ(cells, 9);
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

TEST_F(HistoryCommandTest, DeletesOneEntryAndClearsOnlyWhenConfirmed) {
    EXPECT_EQ(korvane({"delete", "2024-07-01 09-00-00"}).status, 0);
    EXPECT_EQ(korvane({"delete", "2024-07-01 09-00-00"}).status, 1) << "already gone";
    EXPECT_EQ(korvane({"delete", "x' OR '1'='1"}).status, 1);
    EXPECT_EQ(temp.rowCount("TimeBase"), 2);

    Outcome noInput = korvane({"clear"});
    EXPECT_EQ(noInput.status, 1);
    EXPECT_TRUE(noInput.err.contains("--yes"));
    const QByteArray no = "n\n";
    EXPECT_EQ(korvane({"clear"}, &no).status, 1);
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

} // namespace
