// `korvane duplicates`: the listing in the search's order, JSON, and deletion through the job.
#include "DuplicateTestSupport.h"
#include "app/inter/DoDataBase.h"
#include "tests/support/RealToolBundle.h"

#include <QDateTime>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSet>
#include <QTemporaryDir>
#include <csignal>
#include <ctime>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

using namespace duptest;

namespace {

struct CommandRun {
    int code = -1;
    QByteArray out, err;
};

CommandRun korvane(const QStringList& args, const QByteArray& tz = {}) {
    QProcess p;
    if (!tz.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TZ", QString::fromLatin1(tz));
        p.setProcessEnvironment(env);
    }
    p.setProgram(QStringLiteral(KORVANE_BUILD_DIR "/bin/korvane"));
    p.setArguments(QStringList{"duplicates"} + args);
    p.setStandardInputFile(QProcess::nullDevice());
    p.start();
    p.waitForFinished(120000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

void age(const QString& path, int secondsAgo) {
    struct utimbuf t {};
    t.actime = t.modtime = ::time(nullptr) - secondsAgo;
    ::utime(QFile::encodeName(path).constData(), &t);
}

} // namespace

TEST(DuplicatesCommand, ListsGroupsWithTotalsAndDeletesByRule) {
    QTemporaryDir dir;
    const QString r = dir.path();
    age(put(r, "old", "abcdefghij"), 500);
    age(put(r, "new", "abcdefghij"), 100);
    age(put(r, "mid", "abcdefghij"), 300);
    put(r, "lone", "unique");
    put(r, "One.app/x", "b");
    put(r, "Two.app/y/z", "b");

    const CommandRun text = korvane({r});
    EXPECT_EQ(text.code, 0) << text.err.constData();
    EXPECT_TRUE(text.out.contains("3 copies of 10 bytes"));
    EXPECT_TRUE(text.out.contains("2 identical bundles"));
    // One group, in the singular.
    EXPECT_TRUE(text.out.contains("1 group, 3 files, 20 bytes wasted"));

    const CommandRun json = korvane({r, "--json"});
    ASSERT_EQ(json.code, 0);
    const QJsonObject o = QJsonDocument::fromJson(json.out).object();
    EXPECT_EQ(o["wastedBytes"].toInt(), 20);
    ASSERT_EQ(o["groups"].toArray().size(), 1);
    EXPECT_EQ(o["groups"].toArray()[0].toObject()["files"].toArray().size(), 3);
    EXPECT_EQ(o["bundleGroups"].toArray().size(), 1);

    // Dates are local time, the same text as Qt gives, summer time included.
    struct utimbuf summer {};
    summer.actime = summer.modtime = 1751371200; // 2025-07-01 12:00 UTC
    ::utime(QFile::encodeName(r + "/mid").constData(), &summer);
    for (const QByteArray tz : {QByteArray(), QByteArray("EST5EDT,M3.2.0,M11.1.0")}) {
        const QByteArray saved = qgetenv("TZ");
        if (!tz.isEmpty())
            qputenv("TZ", tz);
        ::tzset();
        const QDateTime when = QDateTime::fromSecsSinceEpoch(summer.modtime);
        const QString minute = when.toString(QStringLiteral("yyyy-MM-dd hh:mm"));
        const QString iso = when.toString(Qt::ISODate);
        if (tz.isEmpty() || saved.isEmpty())
            qunsetenv("TZ");
        else
            qputenv("TZ", saved);
        ::tzset();
        EXPECT_TRUE(korvane({r}, tz).out.contains(("  " + minute + "  " + r + "/mid").toUtf8()))
            << minute.toStdString();
        QString listed;
        for (const QJsonValue g :
             QJsonDocument::fromJson(korvane({r, "--json"}, tz).out).object()["groups"].toArray())
            for (const QJsonValue f : g.toObject()["files"].toArray())
                if (f.toObject()["path"].toString() == r + "/mid")
                    listed = f.toObject()["modified"].toString();
        EXPECT_EQ(listed, iso);
    }
    age(r + "/mid", 300);

    // Without a terminal and without --yes nothing is deleted.
    EXPECT_EQ(korvane({r, "--delete", "keep-oldest", "--method", "remove"}).code, 1);
    EXPECT_TRUE(QFileInfo::exists(r + "/new"));
    const CommandRun removed =
        korvane({r, "--delete", "keep-oldest", "--method", "remove", "--yes"});
    EXPECT_EQ(removed.code, 0) << removed.out.constData() << removed.err.constData();
    EXPECT_TRUE(removed.out.contains("2 removed"));
    EXPECT_TRUE(removed.out.contains("20 bytes freed"));
    EXPECT_TRUE(QFileInfo::exists(r + "/old"));
    EXPECT_FALSE(QFileInfo::exists(r + "/new"));
    EXPECT_FALSE(QFileInfo::exists(r + "/mid"));
    EXPECT_TRUE(QFileInfo::exists(r + "/One.app/x")); // bundles are never deleted from here

    EXPECT_EQ(korvane({}).code, 2);
    EXPECT_EQ(korvane({r, "--delete", "keep-all"}).code, 2);
    EXPECT_EQ(korvane({r + "/old"}).code, 1);
}

TEST(DuplicatesCommand, SecureErasureThroughTheErasureJob) {
    QTemporaryDir dir, tools;
    const QString bundle = makeRealToolBundle(tools.path());
    if (bundle.isEmpty())
        GTEST_SKIP() << "the srm tool is not built";
    const QString r = dir.path();
    age(put(r, "a", bytes(10000, 5)), 200);
    put(r, "b", bytes(10000, 5));
    const CommandRun erased =
        korvane({r, "--delete", "keep-oldest", "--method", "erase", "--yes", "--bundle", bundle});
    EXPECT_EQ(erased.code, 0) << erased.out.constData() << erased.err.constData();
    EXPECT_TRUE(QFileInfo::exists(r + "/a"));
    EXPECT_FALSE(QFileInfo::exists(r + "/b"));
    EXPECT_TRUE(erased.out.contains("1 removed (erased securely)"));
    // Recorded like every erasure, filed under the duplicate finder.
    DoDataBase history([&bundle] {
        return bundle + QStringLiteral("/Contents/MacOS/Korvane Data Eraser.app/Contents/"
                                       "Resources/DataBase.db");
    });
    const DoDataBase::HistoryTypes types = history.getTypes();
    ASSERT_EQ(types.size(), 1);
    EXPECT_EQ(types.first(), QStringList{DoDataBase::kTypeDuplicates});
    const HistoryData entries = history.getAllData();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries.first().last().items, r + "/b");
    EXPECT_EQ(entries.first().last().result, QStringLiteral("Erased"));
}

// SIGINT or SIGTERM half-way through many deletions: the run ends after the copy under way,
// each copy removed until then is named on its own line (and is really gone), nothing else is
// claimed, the copies a stop came before are counted as not reached (not as kept), every group
// keeps its kept copy, and the status is 128 + the signal.
TEST(DuplicatesCommand, ASignalStopsTheDeletionAndEveryRemovedCopyIsNamed) {
    constexpr int kGroups = 4000;
    for (const int signal : {SIGINT, SIGTERM}) {
        QTemporaryDir dir;
        const QString r = dir.path();
        for (int i = 0; i < kGroups; ++i) {
            const QByteArray data = "copy number " + QByteArray::number(i);
            age(put(r, QStringLiteral("kept%1").arg(i), data), 500);
            put(r, QStringLiteral("copy%1").arg(i), data);
        }
        QProcess p;
        p.setStandardInputFile(QProcess::nullDevice());
        p.start(QStringLiteral(KORVANE_BUILD_DIR "/bin/korvane"),
                {"duplicates", r, "--delete", "keep-oldest", "--method", "remove", "--yes"});
        QByteArray err;
        // The signal goes once the run's progress passes 2% (some copies are gone); the result
        // lines come with the report, once the run has ended.
        p.setReadChannel(QProcess::StandardError);
        while (!err.contains("  2% ") && p.waitForReadyRead(120000))
            err += p.readAllStandardError();
        ::kill(pid_t(p.processId()), signal);
        ASSERT_TRUE(p.waitForFinished(120000));
        const QByteArray out = p.readAllStandardOutput();
        err += p.readAllStandardError();
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 128 + signal) << err.constData();

        QSet<QString> removed;
        for (const QByteArray& line : out.split('\n'))
            if (line.startsWith("Removed "))
                removed.insert(QString::fromLocal8Bit(line.mid(8)));
        EXPECT_FALSE(removed.isEmpty());
        EXPECT_LT(removed.size(), kGroups) << "stopped half-way";
        for (int i = 0; i < kGroups; ++i) {
            const QString copy = r + QStringLiteral("/copy%1").arg(i);
            EXPECT_NE(QFileInfo::exists(copy), removed.contains(copy)) << copy.toStdString();
            EXPECT_TRUE(QFileInfo::exists(r + QStringLiteral("/kept%1").arg(i)));
        }
        EXPECT_TRUE(out.contains(QByteArray::number(removed.size()) + " removed (removed)"))
            << out.right(200).constData();
        EXPECT_FALSE(out.contains("Kept ")) << out.left(400).constData();
        EXPECT_TRUE(err.contains("the 0 listed as kept and the " +
                                 QByteArray::number(kGroups - removed.size()) + " not reached"))
            << err.right(400).constData();
        EXPECT_TRUE(
            err.contains(QByteArray("Interrupted by ") + (signal == SIGINT ? "SIGINT" : "SIGTERM")))
            << err.constData();
    }
}
