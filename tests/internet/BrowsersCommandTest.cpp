#include "BrowserFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace {

struct CommandRun {
    int exitCode = -1;
    QByteArray out, err;
};

CommandRun korvane(const QString& home, const QStringList& args) {
    QProcess p;
    const QString user = QString::fromLocal8Bit(::getpwuid(::getuid())->pw_name);
    p.start(QStringLiteral(KORVANE_BUILD_DIR) + "/bin/korvane",
            QStringList{"browsers"} + args +
                QStringList{"--home", home, "--user", user, "--bundle",
                            QStringLiteral(KORVANE_BUNDLE_DIR)});
    p.closeWriteChannel(); // not a terminal: nothing is asked
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

} // namespace

// The command lists what the window lists and removes only the kinds and browsers named.
TEST(BrowsersCommand, ListsThenCleansOnlyWhatIsNamed) {
    BrowserFixture fx;
    const QString chromium = fx.home() + "/.config/chromium/Default";
    const QString opera = fx.home() + "/.config/opera";
    BrowserFixture::chromiumProfile(chromium, "cli", 9);
    BrowserFixture::chromiumProfile(opera, "opcli", 4);

    CommandRun run = korvane(fx.home(), {"--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    // Browsers installed on this machine are listed too (by their desktop entries): only the
    // fixture's are looked at.
    QHash<QString, QJsonObject> byName;
    for (const QJsonValue& b : QJsonDocument::fromJson(run.out).array())
        byName.insert(b.toObject()["name"].toString(), b.toObject());
    ASSERT_TRUE(byName.contains("Chromium") && byName.contains("Opera")) << run.out.constData();
    const QJsonObject first = byName["Chromium"];
    EXPECT_EQ(first["profiles"].toArray()[0].toObject()["path"].toString(), chromium);
    EXPECT_EQ(first["kinds"].toArray()[0].toObject()["count"].toInt(), 9);

    run = korvane(fx.home(), {"clean", "history", "--browser", "Chromium"});
    EXPECT_EQ(run.exitCode, 1) << "no --yes and no terminal: nothing removed";
    EXPECT_EQ(BrowserFixture::scalar(chromium + "/History", "select count(*) from urls"), 9);

    run = korvane(fx.home(), {"clean", "history", "cookies", "--browser", "Chromium", "--yes"});
    EXPECT_EQ(run.exitCode, 0) << run.out.constData() << run.err.constData();
    EXPECT_EQ(BrowserFixture::scalar(chromium + "/History", "select count(*) from urls"), 0);
    EXPECT_EQ(BrowserFixture::scalar(chromium + "/Cookies", "select count(*) from cookies"), 0);
    EXPECT_EQ(BrowserFixture::scalar(chromium + "/History", "select count(*) from visits"), 0);
    EXPECT_EQ(BrowserFixture::scalar(chromium + "/Login Data", "select count(*) from logins"), 2);
    EXPECT_EQ(BrowserFixture::scalar(opera + "/History", "select count(*) from urls"), 4);

    EXPECT_EQ(korvane(fx.home(), {"clean", "everything"}).exitCode, 2);
    EXPECT_EQ(korvane(fx.home(), {"clean", "--browser", "Netscape", "--yes"}).exitCode, 2);
}
