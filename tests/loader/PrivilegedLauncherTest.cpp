#include "platform/PrivilegedLauncher.h"

#include "../core/TestSupport.h"
#include "app/DisplayProbe.h"
#include "app/MainEntry.h"
#include "loader/RunScript.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

void makeExecutable(const QString& path, const QByteArray& script) {
    testsupport::writeFile(path, script);
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Waits for a file that a detached process writes.
QByteArray waitForFile(const QString& path, int milliseconds = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        const QByteArray data = testsupport::readFile(path);
        if (data.endsWith('\n'))
            return data;
        QThread::msleep(20);
    }
    return {};
}

class PrivilegedLauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        program = dir.path() + "/Korvane Data Eraser";
        // The stand-in main program records its arguments and who started it.
        makeExecutable(program, "#!/bin/sh\nprintf '%s|' \"$0\" \"$@\" \"$FAKE_PKEXEC\" > \"" +
                                    QFile::encodeName(dir.path()) + "/main.tmp\"\nmv \"" +
                                    QFile::encodeName(dir.path()) + "/main.tmp\" \"" +
                                    QFile::encodeName(dir.path()) + "/main.log\"\n");
        options.alreadyRoot = false;
        options.pkexecPath = dir.path() + "/pkexec";
        options.policyFolder = dir.path() + "/actions";
        options.display.display = ":7";
        options.display.xauthority = "/run/x auth";
    }

    // A pkexec stand-in: records its arguments, then either ends with STATUS or runs them.
    void fakePkexec(int status) {
        const QByteArray log = QFile::encodeName(dir.path()) + "/pkexec.log";
        QByteArray body = "#!/bin/sh\nprintf '%s|' \"$@\" > '" + log + ".tmp'\necho >> '" + log +
                          ".tmp'\nmv '" + log + ".tmp' '" + log + "'\n";
        body += status < 0 ? "FAKE_PKEXEC=yes exec \"$@\"\n"
                           : "exit " + QByteArray::number(status) + "\n";
        makeExecutable(options.pkexecPath, body);
    }

    QTemporaryDir dir;
    QString program;
    PrivilegedLauncher::Options options;
};

TEST_F(PrivilegedLauncherTest, PkexecRunsTheProgramDirectlyOnlyWhenOurPolicyNamesIt) {
    const QStringList marker{RunScript::kLoaderArgument};
    EXPECT_EQ(RunScript::kLoaderArgument, QStringLiteral("en*loaderflag*"));

    // No policy (a build tree): env carries the checked display variables to the program.
    EXPECT_EQ(PrivilegedLauncher::pkexecArguments(program, marker, options),
              (QStringList{"/usr/bin/env", "DISPLAY=:7", "XAUTHORITY=/run/x auth", program,
                           "en*loaderflag*"}));
    // env would read a path with "=" as one more assignment: run it directly then.
    EXPECT_EQ(PrivilegedLauncher::pkexecArguments("/opt/a=b/P", marker, options),
              (QStringList{"/opt/a=b/P", "en*loaderflag*"}));

    // The policy that make install writes, for the installed program path.
    QTemporaryDir stage;
    const QString prefix = "/opt/korvane & co";
    QProcess cmake;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DESTDIR", stage.path());
    cmake.setProcessEnvironment(env);
    cmake.start(KORVANE_CMAKE_COMMAND,
                {"-DCMAKE_INSTALL_PREFIX=" + prefix, "-DSOURCE_DIR=" KORVANE_SOURCE_DIR,
                 "-DWORK_DIR=" + stage.path() + "/work", "-DSYSTEM_DATADIR=/usr/share",
                 "-DBUNDLE_NAME=KorvaneLoader.app", "-P",
                 KORVANE_SOURCE_DIR "/packaging/InstallSystemFiles.cmake"});
    ASSERT_TRUE(cmake.waitForFinished(30000));
    ASSERT_EQ(cmake.exitCode(), 0) << cmake.readAllStandardError().toStdString();
    const QString installedMain =
        prefix + "/KorvaneLoader.app/Contents/MacOS/Korvane Data Eraser.app/Contents/MacOS/"
                 "Korvane Data Eraser";
    options.policyFolder = stage.path() + "/usr/share/polkit-1/actions";
    EXPECT_TRUE(PrivilegedLauncher::policyCovers(installedMain, options.policyFolder));
    EXPECT_FALSE(PrivilegedLauncher::policyCovers(program, options.policyFolder));
    EXPECT_EQ(PrivilegedLauncher::pkexecArguments(installedMain, marker, options),
              (QStringList{installedMain, "en*loaderflag*"}));

    const QByteArray desktop =
        testsupport::readFile(stage.path() + "/usr/share/applications/org.korvane.data-eraser.desktop");
    EXPECT_TRUE(desktop.contains("\nExec=\"/opt/korvane & co/KorvaneLoader.app/Contents/MacOS/"
                                 "KorvaneLoader\"\n"))
        << desktop.toStdString();
}

// pkexec clears LANG and LC_*: the loader names the user's locale to the main program, which
// reads it back; a value that is no plain locale name never reaches the root process.
TEST(RunScriptTest, TheUsersLocaleReachesTheMainProgramAsAnArgument) {
    const QStringList arguments = RunScript::mainArguments("de_DE.UTF-8");
    EXPECT_EQ(arguments, (QStringList{"en*loaderflag*", "--locale", "de_DE.UTF-8"}));
    std::vector<QByteArray> bytes{"Korvane Data Eraser"};
    for (const QString& argument : arguments)
        bytes.push_back(argument.toUtf8());
    std::vector<const char*> argv;
    for (const QByteArray& b : bytes)
        argv.push_back(b.constData());
    EXPECT_TRUE(MainEntry::shouldRunApplication(static_cast<int>(argv.size()), argv.data()));
    EXPECT_EQ(MainEntry::localeArgument(static_cast<int>(argv.size()), argv.data()),
              QStringLiteral("de_DE.UTF-8"));

    for (const char* hostile : {"", "../../x", "de_DE;rm -rf", "de DE"})
        EXPECT_EQ(RunScript::mainArguments(hostile), QStringList{"en*loaderflag*"}) << hostile;
    const char* handed[] = {"app", "en*loaderflag*", "--locale", "de_DE/../../x"};
    EXPECT_EQ(MainEntry::localeArgument(4, handed), QString());
    const char* dangling[] = {"app", "en*loaderflag*", "--locale"};
    EXPECT_EQ(MainEntry::localeArgument(3, dangling), QString());

    // The environment's order: LC_ALL over LC_MESSAGES over LANG, as the C library reads them.
    const QByteArray saved[] = {qgetenv("LC_ALL"), qgetenv("LC_MESSAGES"), qgetenv("LANG")};
    qunsetenv("LC_ALL");
    qputenv("LC_MESSAGES", "de_AT.UTF-8");
    qputenv("LANG", "fr_FR.UTF-8");
    EXPECT_EQ(RunScript::userLocale(), QStringLiteral("de_AT.UTF-8"));
    qputenv("LC_ALL", "x;y");
    EXPECT_EQ(RunScript::userLocale(), QString());
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    EXPECT_EQ(RunScript::userLocale(), QStringLiteral("fr_FR.UTF-8"));
    const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    for (int i = 0; i < 3; ++i)
        saved[i].isNull() ? qunsetenv(names[i]) : qputenv(names[i], saved[i]);
}

TEST_F(PrivilegedLauncherTest, ReturnsAtOnceAndTheProgramGetsExactlyTheMarker) {
    fakePkexec(-1);
    EXPECT_EQ(PrivilegedLauncher::launch(program, {RunScript::kLoaderArgument}, options), 0);
    EXPECT_EQ(waitForFile(dir.path() + "/pkexec.log"),
              "/usr/bin/env|DISPLAY=:7|XAUTHORITY=/run/x auth|" + QFile::encodeName(program) +
                  "|en*loaderflag*|\n");
    // $0, the one argument, and proof that it came through pkexec.
    QElapsedTimer timer;
    timer.start();
    while (!QFile::exists(dir.path() + "/main.log") && timer.elapsed() < 10000)
        QThread::msleep(20);
    EXPECT_EQ(testsupport::readFile(dir.path() + "/main.log"),
              QFile::encodeName(program) + "|en*loaderflag*|yes|");
}

TEST_F(PrivilegedLauncherTest, ACancelledAuthenticationStartsNothing) {
    for (int status : {126, 127}) {
        QFile::remove(dir.path() + "/pkexec.log");
        fakePkexec(status);
        EXPECT_EQ(PrivilegedLauncher::launch(program, {RunScript::kLoaderArgument}, options), 0);
        ASSERT_FALSE(waitForFile(dir.path() + "/pkexec.log").isEmpty());
        QThread::msleep(300);
        EXPECT_FALSE(QFile::exists(dir.path() + "/main.log")) << status;
    }
}

TEST_F(PrivilegedLauncherTest, ADisplayThatRefusesRootGetsTheProgramWithoutAdministratorRights) {
    fakePkexec(PrivilegedLauncher::kNoDisplayStatus);
    EXPECT_EQ(PrivilegedLauncher::launch(program, {RunScript::kLoaderArgument}, options), 0);
    QElapsedTimer timer;
    timer.start();
    while (!QFile::exists(dir.path() + "/main.log") && timer.elapsed() < 10000)
        QThread::msleep(20);
    // Started by the watcher itself, not through pkexec, with the same single argument.
    EXPECT_EQ(testsupport::readFile(dir.path() + "/main.log"),
              QFile::encodeName(program) + "|en*loaderflag*||");
}

TEST_F(PrivilegedLauncherTest, NothingToStartIsReportedAsAFailure) {
    EXPECT_NE(PrivilegedLauncher::launch(dir.path() + "/missing", {"x"}, options), 0);
    EXPECT_NE(PrivilegedLauncher::launch(program, {"x"}, options), 0); // no pkexec stand-in yet
}

TEST(DisplayVariablesTest, OnlyCheckedValuesReachTheRootProcess) {
    QTemporaryDir dir;
    testsupport::writeFile(dir.path() + "/xauth", "cookie");
    // A listening Unix socket stands in for the compositor.
    const QByteArray socketPath = QFile::encodeName(dir.path()) + "/wayland-1";
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, socketPath.constData(), sizeof(address.sun_path));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);

    QHash<QByteArray, QByteArray> env{{"DISPLAY", ":0.0"},
                                      {"XAUTHORITY", QFile::encodeName(dir.path()) + "/xauth"},
                                      {"WAYLAND_DISPLAY", "wayland-1"},
                                      {"XDG_RUNTIME_DIR", QFile::encodeName(dir.path())}};
    auto read = [&] {
        return DisplayVariables::fromEnvironment([&](const char* n) { return env.value(n); });
    };
    EXPECT_EQ(read().assignments(),
              (QList<QByteArray>{"DISPLAY=:0.0", "XAUTHORITY=" + env["XAUTHORITY"],
                                 "WAYLAND_DISPLAY=" + socketPath}));

    env["DISPLAY"] = ":0; rm -rf /";
    env["XAUTHORITY"] = "xauth"; // relative
    env["WAYLAND_DISPLAY"] = "../wayland-1";
    EXPECT_TRUE(read().assignments().isEmpty());
    env["XAUTHORITY"] = QFile::encodeName(dir.path()) + "/missing";
    env["WAYLAND_DISPLAY"] = QFile::encodeName(dir.path()) + "/xauth"; // not a socket
    EXPECT_TRUE(read().assignments().isEmpty());

    for (const char* good : {":0", "localhost:10.0", "/tmp/launch-x/org.x:0", "unix:1"})
        EXPECT_TRUE(DisplayVariables::isValidDisplayName(good)) << good;
    for (const char* bad : {"", ":", "0", ":0\n", ":a", "host :0"})
        EXPECT_FALSE(DisplayVariables::isValidDisplayName(bad)) << bad;
    ::close(fd);
}

TEST(DisplayProbeTest, TellsWhetherWindowsCanComeUp) {
    char name[] = "probe";
    char* argv[] = {name, nullptr};
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray display = qgetenv("DISPLAY");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    EXPECT_TRUE(DisplayProbe::canOpenWindows(1, argv));
    // An X display that nothing serves: Qt would end the process; the probe answers false.
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("DISPLAY", ":93");
    EXPECT_FALSE(DisplayProbe::canOpenWindows(1, argv));
    qputenv("QT_QPA_PLATFORM", platform);
    if (display.isNull())
        qunsetenv("DISPLAY");
    else
        qputenv("DISPLAY", display);
}

} // namespace
