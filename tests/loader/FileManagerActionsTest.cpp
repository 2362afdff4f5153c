#include "loader/FileManagerActions.h"

#include "../core/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

namespace {

const QString kTemplates =
    QStringLiteral(KORVANE_SOURCE_DIR "/loader/Resources/Erase with Korvane Data Eraser.workflow");

class FileManagerActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        user.name = QStringLiteral("tester");
        user.home = dir.path() + QStringLiteral("/home");
        user.uid = ::getuid();
        user.gid = ::getgid();
        QDir().mkpath(user.home);
    }
    QString installed(int index) const {
        return user.home + QLatin1Char('/') + FileManagerActions::actions()[index].installPath;
    }

    QTemporaryDir dir;
    UserAccount user;
    const QString loader =
        QStringLiteral("/opt/Korvane Data/KorvaneLoader.app/Contents/MacOS/KorvaneLoader");
};

TEST_F(FileManagerActionsTest, InstallsEveryMissingActionWithTheLoaderPath) {
    const auto report = FileManagerActions::install(kTemplates, user, loader);
    EXPECT_TRUE(report.failed.isEmpty()) << report.failed.join('\n').toStdString();
    ASSERT_EQ(report.created.size(), FileManagerActions::actions().size());
    for (int i = 0; i < FileManagerActions::actions().size(); ++i) {
        const auto& action = FileManagerActions::actions()[i];
        const QByteArray content = testsupport::readFile(installed(i));
        EXPECT_FALSE(content.contains(FileManagerActions::kPlaceholder));
        EXPECT_TRUE(content.contains("KorvaneLoader.app/Contents/MacOS/KorvaneLoader"));
        EXPECT_TRUE(content.contains("--from-file-manager")) << "needs a second argument";
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(installed(i)).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, action.mode) << action.templateName.toStdString();
    }
    // Nothing else is left behind in the action folders (no temporary files).
    EXPECT_EQ(QDir(QFileInfo(installed(0)).path())
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QFileInfo(installed(0)).fileName()});
}

TEST_F(FileManagerActionsTest, NeverReplacesAnExistingActionEvenAnOlderOne) {
    // The Dolphin menu is already there, older and different; the others are missing.
    testsupport::writeFile(installed(1), "user's own menu");
    const utimbuf old{1000, 1000};
    ::utime(QFile::encodeName(installed(1)).constData(), &old);

    auto report = FileManagerActions::install(kTemplates, user, loader);
    EXPECT_EQ(report.created, (QStringList{installed(0), installed(2)}));
    EXPECT_EQ(report.present, QStringList{installed(1)});
    EXPECT_EQ(testsupport::readFile(installed(1)), "user's own menu");

    // A second start changes nothing, even after the user edited an installed action.
    testsupport::writeFile(installed(0), "edited");
    report = FileManagerActions::install(kTemplates, user, loader);
    EXPECT_TRUE(report.created.isEmpty());
    EXPECT_EQ(report.present.size(), 3);
    EXPECT_EQ(testsupport::readFile(installed(0)), "edited");
}

TEST_F(FileManagerActionsTest, DoesNotFollowLinksPlantedOnTheWay) {
    const QString elsewhere = dir.path() + "/elsewhere";
    QDir().mkpath(elsewhere);
    // A linked folder in the path of the Nemo action, a linked file in place of the Dolphin menu.
    QDir().mkpath(user.home + "/.local/share/nemo");
    ASSERT_TRUE(QFile::link(elsewhere, user.home + "/.local/share/nemo/actions"));
    QDir().mkpath(user.home + "/.local/share/kio/servicemenus");
    ASSERT_TRUE(QFile::link(elsewhere + "/target.desktop", installed(1)));

    const auto report = FileManagerActions::install(kTemplates, user, loader);
    EXPECT_EQ(report.created, QStringList{installed(0)});
    EXPECT_EQ(report.failed.size(), 2);
    EXPECT_TRUE(QDir(elsewhere).isEmpty());
    EXPECT_TRUE(QFileInfo(installed(1)).isSymLink());
}

TEST_F(FileManagerActionsTest, RootGivesWhatItCreatesToTheUser) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to create files for another user";
    user.uid = 65534; // nobody
    user.gid = 65534;
    ASSERT_EQ(::chown(QFile::encodeName(user.home).constData(), user.uid, user.gid), 0);
    const auto report = FileManagerActions::install(kTemplates, user, loader);
    ASSERT_EQ(report.created.size(), 3) << report.failed.join('\n').toStdString();
    for (const QString& path : {installed(0), user.home + "/.local", user.home + "/.local/share",
                                QFileInfo(installed(2)).path()}) {
        struct stat info {};
        ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &info), 0);
        EXPECT_EQ(info.st_uid, 65534u) << path.toStdString();
        EXPECT_EQ(info.st_gid, 65534u) << path.toStdString();
    }

    // A folder on the way that belongs to a third user is not written into.
    QTemporaryDir other;
    UserAccount second = user;
    second.home = other.path();
    QDir().mkpath(second.home + "/.local/share/nemo");
    ASSERT_EQ(::chown(QFile::encodeName(second.home).constData(), 65534, 65534), 0);
    ASSERT_EQ(::chown(QFile::encodeName(second.home + "/.local").constData(), 1, 1), 0);
    const auto refused = FileManagerActions::install(kTemplates, second, loader);
    EXPECT_TRUE(refused.created.isEmpty());
    EXPECT_EQ(refused.failed.size(), 3);
}

TEST_F(FileManagerActionsTest, TheNautilusScriptHandsEachItemToTheLoader) {
    // A stand-in loader in a folder whose name needs quoting records what it receives.
    const QString folder = dir.path() + "/it's $HOME `x`";
    const QString fake = folder + "/KorvaneLoader";
    const QString log = dir.path() + "/calls";
    testsupport::writeFile(fake, "#!/bin/sh\nprintf '%s|' \"$@\" >> \"$KORVANE_TEST_LOG\"\necho >> "
                                 "\"$KORVANE_TEST_LOG\"\n");
    QFile(fake).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QFile source(kTemplates + "/nautilus-script");
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const auto script =
        FileManagerActions::fill(source.readAll(), fake, FileManagerActions::Quoting::Shell);
    ASSERT_TRUE(script.has_value());
    testsupport::writeFile(dir.path() + "/script", *script);

    QProcess sh;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KORVANE_TEST_LOG", log);
    sh.setProcessEnvironment(env);
    sh.setWorkingDirectory(dir.path());
    sh.start("/bin/sh", {dir.path() + "/script", "/abs/a b", "relative name"});
    ASSERT_TRUE(sh.waitForFinished(10000));
    EXPECT_EQ(sh.exitCode(), 0) << sh.readAllStandardError().toStdString();
    EXPECT_EQ(testsupport::readFile(log), "/abs/a b|--from-file-manager|\n" +
                                              QFile::encodeName(dir.path()) +
                                              "/relative name|--from-file-manager|\n");
}

TEST_F(FileManagerActionsTest, DesktopEntriesQuoteTheLoaderPath) {
    using Q = FileManagerActions::Quoting;
    EXPECT_EQ(*FileManagerActions::quoted("/opt/a b/L", Q::DesktopExec), "\"/opt/a b/L\"");
    // ", `, $ and \ get a backslash, then every backslash is doubled; % is doubled.
    EXPECT_EQ(*FileManagerActions::quoted("/o\"p$t\\%", Q::DesktopExec),
              "\"/o\\\\\"p\\\\$t\\\\\\\\%%\"");
    EXPECT_FALSE(FileManagerActions::quoted("relative/L", Q::Shell).has_value());
    EXPECT_FALSE(FileManagerActions::quoted("/opt/a\nb", Q::DesktopExec).has_value());
    EXPECT_FALSE(FileManagerActions::fill("no placeholder", "/opt/L", Q::Shell).has_value());
}

} // namespace
