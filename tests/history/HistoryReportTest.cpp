#include "app/SetEraserLevel/HistoryReport.h"
#include "tests/core/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

struct Row {
    QString className;
    QStringList headerCells; // th
    QStringList cells;       // td
    QString colspan;
};

// What a browser would see of the report, read with a strict XML parser: any escaping fault
// makes the document ill-formed or changes a cell's text.
struct ParsedReport {
    QString error;
    QString doctype;
    QString rootNamespace;
    QString title;
    QStringList metaNames;
    QString contentType;
    QString style;
    QStringList comments;
    QString tableWidth;
    QString tableBorder;
    QList<Row> rows;
};

ParsedReport parse(const QString& html) {
    ParsedReport report;
    QXmlStreamReader xml(html);
    QString element;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD:
            report.doctype = xml.text().toString();
            break;
        case QXmlStreamReader::Comment:
            report.comments << xml.text().toString().trimmed();
            break;
        case QXmlStreamReader::StartElement: {
            element = xml.name().toString();
            const QXmlStreamAttributes attributes = xml.attributes();
            if (element == "html")
                report.rootNamespace = xml.namespaceUri().toString();
            else if (element == "meta" && attributes.hasAttribute("name"))
                report.metaNames << attributes.value("name").toString();
            else if (element == "meta" &&
                     attributes.value("http-equiv") == QLatin1String("Content-Type"))
                report.contentType = attributes.value("content").toString();
            else if (element == "table") {
                report.tableWidth = attributes.value("width").toString();
                report.tableBorder = attributes.value("border").toString();
            } else if (element == "tr")
                report.rows.append({attributes.value("class").toString(), {}, {}, {}});
            else if (element == "th") {
                report.rows.last().colspan = attributes.value("colspan").toString();
                report.rows.last().headerCells << xml.readElementText();
            } else if (element == "td")
                report.rows.last().cells << xml.readElementText();
            else if (element == "title")
                report.title = xml.readElementText();
            else if (element == "style")
                report.style = xml.readElementText();
            break;
        }
        default:
            break;
        }
    }
    if (xml.hasError())
        report.error = xml.errorString() + " at line " + QString::number(xml.lineNumber());
    return report;
}

const HistoryRecords kThreeItems = {
    {"Items", "Erasure Standard", "Result"},
    {"/home/u/a.txt", "DoD 5220.22-M ECE", "Erased"},
    {"/home/u/b", "DoD 5220.22-M ECE", "Failed"},
    {"/home/u/c.pdf", "DoD 5220.22-M ECE", "Erased"},
};

TEST(HistoryReportTest, EntryOfThreeItemsGivesKeyRowTitleRowAndThreeItemRows) {
    const ParsedReport report = parse(HistoryReport::html("2024-03-05 14-07-09", kThreeItems));
    ASSERT_TRUE(report.error.isEmpty()) << report.error.toStdString();
    EXPECT_TRUE(report.doctype.contains("-//W3C//DTD XHTML 1.0 Transitional//EN"));
    EXPECT_EQ(report.rootNamespace, "http://www.w3.org/1999/xhtml");
    EXPECT_EQ(report.title, "Erasure History");
    EXPECT_EQ(report.metaNames.size(), 4);
    EXPECT_TRUE(report.metaNames.contains("viewport"));
    EXPECT_TRUE(report.metaNames.contains("format-detection"));
    EXPECT_EQ(report.contentType, "text/html; charset=utf-8");
    EXPECT_TRUE(report.style.contains("border:1px solid #2A304E"));
    EXPECT_TRUE(report.style.contains("background-color:#7FCFDC"));
    EXPECT_EQ(report.comments, QStringList{"toplink"});
    EXPECT_EQ(report.tableWidth, "200");
    EXPECT_EQ(report.tableBorder, "1");

    ASSERT_EQ(report.rows.size(), 5);
    EXPECT_EQ(report.rows[0].headerCells, QStringList{"2024-03-05 14-07-09"});
    EXPECT_EQ(report.rows[0].colspan, "3");
    EXPECT_TRUE(report.rows[0].cells.isEmpty());
    EXPECT_EQ(report.rows[1].className, "title");
    EXPECT_EQ(report.rows[1].cells, (QStringList{"Items", "Erasure Standard", "Result"}));
    for (int i = 2; i < 5; ++i) {
        EXPECT_TRUE(report.rows[i].className.isEmpty());
        EXPECT_EQ(report.rows[i].cells,
                  (QStringList{kThreeItems[i - 1].items, kThreeItems[i - 1].erasureStandard,
                               kThreeItems[i - 1].result}));
    }
}

TEST(HistoryReportTest, EverythingPrintedIsEscaped) {
    const HistoryRecords records = {
        {"Items", "Erasure Standard", "Result"},
        {"/tmp/<b>&\"x'.txt", "HMG Infosec Standard 5", "Erased"},
        {"/tmp/</td></tr><script>alert(1)</script>", "<i>", "&amp;"},
        {QString("/tmp/bell\x07"
                 "and\x01"
                 "tab\t"),
         "Ω", "日本"},
    };
    const QString html = HistoryReport::html("<key & 'x'>", records);
    EXPECT_FALSE(html.contains("<b>"));
    EXPECT_FALSE(html.contains("<script>"));
    const ParsedReport report = parse(html);
    ASSERT_TRUE(report.error.isEmpty()) << report.error.toStdString();
    ASSERT_EQ(report.rows.size(), 5);
    EXPECT_EQ(report.rows[0].headerCells, QStringList{"<key & 'x'>"});
    EXPECT_EQ(report.rows[2].cells[0], "/tmp/<b>&\"x'.txt");
    EXPECT_EQ(report.rows[3].cells,
              (QStringList{"/tmp/</td></tr><script>alert(1)</script>", "<i>", "&amp;"}));
    // Characters no XML document may hold show as the replacement character.
    EXPECT_EQ(report.rows[4].cells,
              (QStringList{QString::fromUtf8("/tmp/bell\uFFFDand\uFFFDtab\t"), "Ω", "日本"}));
}

TEST(HistoryReportTest, WritesUtf8AtomicallyAndNamesTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("report.html");
    testsupport::writeFile(path, "old report");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0644), 0);
    ASSERT_TRUE(HistoryReport::write(path, "2024-03-05 14-07-09", kThreeItems));
    EXPECT_EQ(testsupport::readFile(path),
              HistoryReport::html("2024-03-05 14-07-09", kThreeItems).toUtf8());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"report.html"});
    // Private as the history itself, even where the file it replaced was readable by all.
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    QString error;
    EXPECT_FALSE(HistoryReport::write(dir.filePath("missing/r.html"), "k", kThreeItems, &error));
    EXPECT_FALSE(error.isEmpty());

    EXPECT_EQ(HistoryReport::proposedName("2024-03-05 14-07-09"),
              "ErasureHistory(2024-03-05 14-07-09)");
    EXPECT_EQ(HistoryReport::withHtmlExtension("/d/ErasureHistory(x)"),
              "/d/ErasureHistory(x).html");
    EXPECT_EQ(HistoryReport::withHtmlExtension("/d/mine.html"), "/d/mine.html");
    EXPECT_EQ(HistoryReport::withHtmlExtension("/d/MINE.HTML"), "/d/MINE.HTML");
}

} // namespace
