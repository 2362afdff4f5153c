// korvane speaks the user's language to people and stays the same for programs: the usage
// texts, refusals and summaries follow LANG/LC_ALL, the JSON output does not change by a byte,
// and counts get the right plural form.
#include "cli/CliPrompt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

struct KorvaneRun {
    int code = -1;
    QString out;
    QString err;
    QByteArray rawOut;
};

// Runs korvane in WORKDIR with the given locale (tests themselves run in C.UTF-8).
KorvaneRun korvane(const QStringList& args, const QString& locale, const QString& workDir) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), locale);
    env.insert(QStringLiteral("LANG"), locale);
    env.remove(QStringLiteral("LANGUAGE"));
    env.remove(QStringLiteral("KORVANE_BUNDLE"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workDir);
    process.start(QStringLiteral(KORVANE_BUILD_DIR "/bin/korvane"), args);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    KorvaneRun run;
    run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.rawOut = process.readAllStandardOutput();
    run.out = QString::fromUtf8(run.rawOut);
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

void writeFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

const QString kGerman = QStringLiteral("de_DE.UTF-8");
const QString kC = QStringLiteral("C.UTF-8");

} // namespace

TEST(CliLanguageTest, PeopleReadGermanAndProgramsReadTheSameJson) {
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());

    const KorvaneRun help = korvane({QStringLiteral("--help")}, kGerman, work.path());
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Aufruf: korvane BEFEHL")))
        << help.out.toStdString();
    // Verbs and options stay as typed.
    EXPECT_TRUE(help.out.contains(QStringLiteral("  erase PFAD...   Dateien und Ordner")));
    const KorvaneRun eraseHelp =
        korvane({QStringLiteral("erase"), QStringLiteral("--help")}, kGerman, work.path());
    EXPECT_TRUE(eraseHelp.out.contains(QStringLiteral("--yes       nicht nach einer Bestätigung")))
        << eraseHelp.out.toStdString();
    EXPECT_TRUE(eraseHelp.out.contains(QStringLiteral("Unterbrochen (SIGINT")));

    // A refusal: the reason and the outcome in German, the exit status unchanged.
    const QString missing = work.filePath(QStringLiteral("not-there"));
    const KorvaneRun refused = korvane({QStringLiteral("erase"), missing}, kGerman, work.path());
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(
        refused.err.contains(missing + QStringLiteral(": Datei oder Ordner nicht vorhanden")))
        << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("Es wurde nichts gelöscht.")));
    const KorvaneRun refusedInC = korvane({QStringLiteral("erase"), missing}, kC, work.path());
    EXPECT_EQ(refusedInC.code, 1);
    EXPECT_TRUE(refusedInC.err.contains(QStringLiteral("Nothing was erased.")));

    // JSON is for programs: not a byte differs, though the text output of the same search does.
    const QString tree = work.filePath(QStringLiteral("tree"));
    ASSERT_TRUE(QDir().mkpath(tree));
    const QByteArray content(1500, 'x'); // a size whose formatting differs between the locales
    writeFile(tree + QStringLiteral("/a"), content);
    writeFile(tree + QStringLiteral("/b"), content);
    const QStringList json{QStringLiteral("duplicates"), tree, QStringLiteral("--json")};
    const KorvaneRun germanJson = korvane(json, kGerman, work.path());
    const KorvaneRun cJson = korvane(json, kC, work.path());
    EXPECT_EQ(germanJson.code, 0);
    EXPECT_FALSE(cJson.rawOut.isEmpty());
    EXPECT_EQ(germanJson.rawOut, cJson.rawOut);
    const KorvaneRun germanText =
        korvane({QStringLiteral("duplicates"), tree}, kGerman, work.path());
    EXPECT_TRUE(germanText.out.contains(QStringLiteral("2 Kopien von 1,50 KB (1500 Byte)")))
        << germanText.out.toStdString();
    EXPECT_TRUE(
        germanText.out.contains(QStringLiteral("1 Gruppe, 2 Dateien, 1,50 KB verschwendet")))
        << germanText.out.toStdString();
}

// A count of one reads in the singular, any other count in the plural, in English too.
TEST(CliLanguageTest, CountsTakeTheirPluralForm) {
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    const QString tree = work.filePath(QStringLiteral("tree"));
    ASSERT_TRUE(QDir().mkpath(tree));
    writeFile(tree + QStringLiteral("/a1"), "first");
    writeFile(tree + QStringLiteral("/a2"), "first");
    const KorvaneRun one = korvane({QStringLiteral("duplicates"), tree}, kC, work.path());
    EXPECT_TRUE(one.out.contains(QStringLiteral("1 group, 2 files, 5 bytes wasted;")))
        << one.out.toStdString();
    EXPECT_TRUE(one.out.contains(QStringLiteral("(2 files compared)")));

    writeFile(tree + QStringLiteral("/b1"), "second");
    writeFile(tree + QStringLiteral("/b2"), "second");
    const KorvaneRun two = korvane({QStringLiteral("duplicates"), tree}, kC, work.path());
    EXPECT_TRUE(two.out.contains(QStringLiteral("2 groups, 4 files, 11 bytes wasted;")))
        << two.out.toStdString();
    EXPECT_TRUE(two.out.contains(QStringLiteral("(4 files compared)")));
}

// y and yes always mean yes, so habits and scripts work in every language; the language's own
// word counts too (j, ja in German); anything else, an empty answer included, is no.
TEST(CliLanguageTest, TheLanguagesOwnYesIsAYes) {
    static int argc = 1;
    static char name[] = "cli_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
    for (const char* yes : {"y", "Y", "yes", "YES", " yes\n"})
        EXPECT_TRUE(CliPrompt::isYes(QString::fromUtf8(yes))) << yes;
    for (const char* no : {"", "n", "no", "j", "ja", "yess"})
        EXPECT_FALSE(CliPrompt::isYes(QString::fromUtf8(no))) << no;

    QTranslator german;
    ASSERT_TRUE(
        german.load(QStringLiteral("korvane_de"), QStringLiteral(KORVANE_TRANSLATIONS_DIR)));
    QCoreApplication::installTranslator(&german);
    for (const char* yes : {"j", "J", "ja", "Ja", "y", "yes"})
        EXPECT_TRUE(CliPrompt::isYes(QString::fromUtf8(yes))) << yes;
    for (const char* no : {"", "n", "nein", "jein"})
        EXPECT_FALSE(CliPrompt::isYes(QString::fromUtf8(no))) << no;
    QCoreApplication::removeTranslator(&german);
}
