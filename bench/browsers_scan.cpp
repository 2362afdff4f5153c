// The internet cleaner's scan of four browsers (Google Chrome, Chromium snap, Opera, Firefox),
// each with a history of ROWS pages, against the sqlite3 command-line tool counting the same
// rows in the same run. Everything lives in a throw-away home; nothing is removed but it.
//
//   browsers_scan [ROWS] [ROUNDS]

#include "../tests/internet/BrowserFixture.h"

#include "app/inter/BrowserScanner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <pwd.h>
#include <unistd.h>

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    BrowserFixture fx;
    const QString h = fx.home();
    QElapsedTimer build;
    build.start();
    BrowserFixture::chromiumProfile(h + "/.config/google-chrome/Default", "chrome", rows);
    BrowserFixture::chromiumProfile(h + "/snap/chromium/common/chromium/Default", "chromium", rows);
    BrowserFixture::chromiumProfile(h + "/.config/opera", "opera", rows);
    const QString fox = h + "/.mozilla/firefox";
    BrowserFixture::firefoxProfile(fox + "/bench.default-release", "fx", rows);
    BrowserFixture::firefoxIni(fox, {"bench.default-release"}, "bench.default-release");
    std::printf("fixture: 4 browsers x %d history rows, built in %.1f s\n", rows,
                build.elapsed() / 1000.0);

    BrowserScanner::Options options;
    options.history = EraserHistory::load(QStringLiteral(KORVANE_SOURCE_DIR) +
                                          "/app/Resources/EraserHistory.plist");
    options.userName = QStringLiteral("bench");
    options.home = h;
    options.uid = ::getuid();
    const BrowserScanner scanner(options);

    // The counts the scan runs, as (file, statement) pairs, for the sqlite3 tool.
    QList<std::pair<QString, QString>> counted;
    qint64 total = 0;
    std::vector<double> scanTimes, toolTimes, toolOneTimes, cliTimes;
    const QString korvane = QCoreApplication::applicationDirPath() + "/korvane";
    const QString user = QString::fromLocal8Bit(::getpwuid(::getuid())->pw_name);
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer t;
        t.start();
        const QList<BrowerObjPtr> browsers = scanner.scan();
        scanTimes.push_back(t.nsecsElapsed() / 1e9);
        if (round == 0)
            for (const BrowerObjPtr& b : browsers)
                for (const BrowerObjPtr& k : b->chrArr) {
                    total += k->totalCount();
                    for (const BrowerObj::Target& target : k->targets) {
                        const EraserHistory::Statement& s =
                            target.rule.count.sql.isEmpty() ? target.rule.check : target.rule.count;
                        // The keep-list function is the program's own: the tool counts all.
                        if (target.rule.database && !s.sql.isEmpty())
                            counted.append(
                                {target.path,
                                 QString(s.sql)
                                     .replace(QStringLiteral("not kept_cookie(host_key)"),
                                              QStringLiteral("1"))
                                     .replace(QStringLiteral("not kept_cookie(host)"),
                                              QStringLiteral("1"))});
                    }
                }
        // The tool: one process per count, as a script would run it.
        t.restart();
        qint64 toolTotal = 0;
        for (const auto& [file, sql] : counted) {
            QProcess p;
            p.start(QStringLiteral("sqlite3"), {QStringLiteral("-readonly"), file, sql});
            p.waitForFinished(-1);
            toolTotal += p.readAllStandardOutput().trimmed().toLongLong();
        }
        toolTimes.push_back(t.nsecsElapsed() / 1e9);
        // The tool: one process per file with all its counts.
        t.restart();
        QMap<QString, QStringList> byFile;
        for (const auto& [file, sql] : counted)
            byFile[file] << sql + ";";
        for (auto it = byFile.begin(); it != byFile.end(); ++it) {
            QProcess p;
            p.start(QStringLiteral("sqlite3"),
                    {QStringLiteral("-readonly"), it.key(), it.value().join(' ')});
            p.waitForFinished(-1);
        }
        toolOneTimes.push_back(t.nsecsElapsed() / 1e9);
        // The command-line front end: a process, the machine's desktop entries read too.
        if (QFile::exists(korvane)) {
            t.restart();
            QProcess p;
            p.start(korvane, {"browsers", "--json", "--home", h, "--user", user});
            p.waitForFinished(-1);
            cliTimes.push_back(t.nsecsElapsed() / 1e9);
            if (p.exitCode() != 0 || !p.readAllStandardOutput().contains("\"count\": 100000"))
                std::printf("korvane browsers failed: %s\n", p.readAllStandardError().constData());
        }
        if (round == 0 && toolTotal != total)
            std::printf("MISMATCH: scan counted %lld, sqlite3 %lld\n", (long long)total,
                        (long long)toolTotal);
    }
    QSet<QString> files;
    for (const auto& [file, sql] : counted)
        files.insert(file);
    std::printf("entries counted: %lld (%lld counts in %lld files)\n", (long long)total,
                (long long)counted.size(), (long long)files.size());
    std::printf("scan (counts + sizes + profiles)   median %.3f s over %d rounds\n",
                median(scanTimes), rounds);
    std::printf("sqlite3, one process per count     median %.3f s\n", median(toolTimes));
    std::printf("sqlite3, one process per file      median %.3f s\n", median(toolOneTimes));
    if (!cliTimes.empty())
        std::printf("korvane browsers --json (process)  median %.3f s\n", median(cliTimes));
    return 0;
}
