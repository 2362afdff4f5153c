#include "BrowserFixture.h"

#include "app/Job/CleanBrowsersOperation.h"
#include "app/inter/BrowserCleaner.h"
#include "app/inter/BrowserCloser.h"
#include "app/inter/BrowserLockProbe.h"
#include "app/inter/BrowserScanner.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A stand-in Firefox: holds the profile lock the way the browser does until it is ended.
pid_t holdFirefoxLock(const QString& profile) {
    const QByteArray lockFile = (profile + "/.parentlock").toUtf8();
    const QByteArray link = (profile + "/lock").toUtf8();
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int fd = ::open(lockFile.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        if (fd < 0 || ::fcntl(fd, F_SETLK, &lock) != 0)
            ::_exit(1);
        char target[64];
        const int n = std::snprintf(target, sizeof target, "127.0.0.1:+%d", int(::getpid()));
        (void)n;
        ::symlink(target, link.constData());
        for (;;)
            ::pause();
    }
    return pid;
}

// The stand-in, once the lock is seen held; -1 (and ended) when it never gets there.
pid_t runningFirefox(const QString& profile) {
    const pid_t browser = holdFirefoxLock(profile);
    if (browser <= 0)
        return -1;
    const QDeadlineTimer started(5000);
    while (BrowserLockProbe::firefoxLockPid(profile) != browser && !started.hasExpired())
        QThread::msleep(20);
    if (BrowserLockProbe::firefoxLockPid(profile) == browser)
        return browser;
    ::kill(browser, SIGKILL);
    ::waitpid(browser, nullptr, 0);
    return -1;
}

} // namespace

// A running browser (a process holding its profile lock) is not cleaned; once it is ended
// through the closer, and the lock released, it is.
TEST(BrowserLock, RunningFirefoxBlocksCleaningUntilEnded) {
    BrowserFixture fx;
    const QString fox = fx.home() + "/.mozilla/firefox";
    const QString profile = fox + "/q1w2e3r4.default-release";
    BrowserFixture::firefoxProfile(profile, "run", 20);
    BrowserFixture::firefoxIni(fox, {"q1w2e3r4.default-release"}, "q1w2e3r4.default-release");
    // A .parentlock left by an ended browser says nothing.
    BrowserFixture::write(profile + "/.parentlock", "");
    EXPECT_EQ(BrowserLockProbe::firefoxLockPid(profile), -1);

    const pid_t browser = runningFirefox(profile);
    ASSERT_GT(browser, 0) << "the stand-in never held the profile lock";

    BrowserScanner::Options options;
    options.history = EraserHistory::load(QStringLiteral(KORVANE_SOURCE_DIR) +
                                          "/app/Resources/EraserHistory.plist");
    options.userName = "ann";
    options.home = fx.home();
    options.uid = ::getuid();
    QList<BrowerObjPtr> browsers = BrowserScanner(options).scan();
    ASSERT_EQ(browsers.size(), 1);
    const auto holders = BrowserLockProbe::running("Firefox", browsers[0]->profiles, ::getuid());
    ASSERT_EQ(holders.size(), 1);
    EXPECT_EQ(holders[0].pid, browser);

    ASSERT_TRUE(fx.useRealEraser());
    BrowserCleaner cleaner(::getuid());
    BrowserCleaner::Summary summary = cleaner.clean(browsers);
    EXPECT_EQ(summary.running, QStringList{"Firefox"});
    EXPECT_FALSE(summary.allCleaned());
    EXPECT_EQ(BrowserFixture::scalar(profile + "/places.sqlite",
                                     "select count(*) from moz_historyvisits"),
              20);
    EXPECT_TRUE(browsers[0]->chrArr[0]->isSelect);

    QString why;
    const bool closed = BrowserCloser::close(
        holders,
        [&] { return BrowserLockProbe::running("Firefox", browsers[0]->profiles, ::getuid()); },
        5000, &why);
    int status = 0;
    ::waitpid(browser, &status, 0);
    ASSERT_TRUE(closed) << why.toStdString();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);

    summary = cleaner.clean(browsers);
    EXPECT_TRUE(summary.allCleaned()) << summary.problems.join("\n").toStdString();
    EXPECT_EQ(BrowserFixture::scalar(profile + "/places.sqlite",
                                     "select count(*) from moz_historyvisits"),
              0);
}

// SingletonLock names host and pid: a live process of this host runs the browser, a dead one
// left a stale lock, another host's lock cannot be ended from here.
TEST(BrowserLock, ChromiumSingletonLockCheckedAgainstLiveProcesses) {
    BrowserFixture fx;
    const QString userData = fx.home() + "/.config/chromium";
    BrowserFixture::chromiumProfile(userData + "/Default", "lock", 3);
    const BrowserProfile profile{"native", userData, QString(), "Default", userData + "/Default"};
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    const QString lock = userData + "/SingletonLock";
    auto pointLockAt = [&](const QString& target) {
        ::unlink(lock.toUtf8().constData());
        ASSERT_EQ(::symlink(target.toUtf8().constData(), lock.toUtf8().constData()), 0);
    };

    pointLockAt(QStringLiteral("%1-%2").arg(host).arg(::getpid()));
    auto holders = BrowserLockProbe::running("Chromium", {profile}, ::getuid());
    ASSERT_EQ(holders.size(), 1);
    EXPECT_EQ(holders[0].pid, ::getpid());
    EXPECT_TRUE(BrowserLockProbe::running("Chromium", {profile}, ::getuid() + 1).isEmpty())
        << "a process of another user is not this user's browser";

    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    pointLockAt(QStringLiteral("%1-%2").arg(host).arg(gone));
    EXPECT_TRUE(BrowserLockProbe::running("Chromium", {profile}, ::getuid()).isEmpty());

    pointLockAt(QStringLiteral("elsewhere.example-%1").arg(::getpid()));
    holders = BrowserLockProbe::running("Chromium", {profile}, ::getuid());
    ASSERT_EQ(holders.size(), 1);
    EXPECT_EQ(holders[0].pid, 0);
    QString why;
    EXPECT_FALSE(BrowserCloser::close(
        holders, [&] { return holders; }, 100, &why));
    EXPECT_TRUE(why.contains("another computer")) << why.toStdString();
}

// `korvane browsers clean` closes a running browser only with --close and only once the removal
// is agreed. Without --close the running browser refuses the whole run, --yes or not (another
// browser is not cleaned either); with --close but without --yes (and no terminal to ask)
// nothing is removed and the browser keeps running; with both it is ended and cleaned.
TEST(BrowserLock, NothingIsClosedBeforeTheRemovalIsAgreed) {
    BrowserFixture fx;
    const QString fox = fx.home() + "/.mozilla/firefox";
    const QString profile = fox + "/q1w2e3r4.default-release";
    BrowserFixture::firefoxProfile(profile, "ask", 5);
    BrowserFixture::firefoxIni(fox, {"q1w2e3r4.default-release"}, "q1w2e3r4.default-release");
    const QString chromium = fx.home() + "/.config/chromium/Default";
    BrowserFixture::chromiumProfile(chromium, "other", 3);
    const pid_t browser = runningFirefox(profile);
    ASSERT_GT(browser, 0) << "the stand-in never held the profile lock";

    const auto run = [&](const QStringList& extra) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        const QString user = QString::fromLocal8Bit(::getpwuid(::getuid())->pw_name);
        p.start(QStringLiteral(KORVANE_BUILD_DIR) + "/bin/korvane",
                QStringList{"browsers", "clean", "history"} + extra +
                    QStringList{"--home", fx.home(), "--user", user, "--bundle",
                                QStringLiteral(KORVANE_BUNDLE_DIR)});
        p.closeWriteChannel(); // not a terminal: nothing can be asked
        p.waitForFinished(60000);
        return std::make_pair(p.exitCode(), p.readAll());
    };
    const auto untouched = [&] {
        int status = 0;
        EXPECT_EQ(::waitpid(browser, &status, WNOHANG), 0) << "the browser was ended for nothing";
        EXPECT_EQ(BrowserFixture::scalar(profile + "/places.sqlite",
                                         "select count(*) from moz_historyvisits"),
                  5);
        EXPECT_EQ(BrowserFixture::scalar(chromium + "/History", "select count(*) from urls"), 3);
    };

    const auto [refused, why] = run({"--yes"});
    EXPECT_EQ(refused, 1);
    EXPECT_TRUE(why.contains("Firefox is running (process ")) << why.toStdString();
    EXPECT_TRUE(why.contains("add --close to have it closed first")) << why.toStdString();
    EXPECT_TRUE(why.contains("Nothing was removed.")) << why.toStdString();
    untouched();

    const auto [declined, said] = run({"--close"});
    EXPECT_EQ(declined, 1);
    EXPECT_TRUE(said.contains("not removing without confirmation")) << said.toStdString();
    untouched();

    const auto [agreed, out] = run({"--close", "--yes"});
    EXPECT_EQ(agreed, 0) << out.toStdString();
    int status = 0;
    EXPECT_EQ(::waitpid(browser, &status, 0), browser);
    EXPECT_EQ(BrowserFixture::scalar(profile + "/places.sqlite",
                                     "select count(*) from moz_historyvisits"),
              0);
    EXPECT_EQ(BrowserFixture::scalar(chromium + "/History", "select count(*) from urls"), 0);
}

// The clean operation closes a running browser only with the consent to close it, and only in
// its run: the plan and a run without that consent leave the browser running.
TEST(BrowserLock, TheCleanOperationClosesABrowserOnlyWithTheConsentToCloseIt) {
    BrowserFixture fx;
    const QString fox = fx.home() + "/.mozilla/firefox";
    const QString profile = fox + "/q1w2e3r4.default-release";
    BrowserFixture::firefoxProfile(profile, "op", 5);
    BrowserFixture::firefoxIni(fox, {"q1w2e3r4.default-release"}, "q1w2e3r4.default-release");
    const pid_t browser = runningFirefox(profile);
    ASSERT_GT(browser, 0) << "the stand-in never held the profile lock";
    BrowserScanner::Options options;
    options.history = EraserHistory::load(QStringLiteral(KORVANE_SOURCE_DIR) +
                                          "/app/Resources/EraserHistory.plist");
    options.userName = QStringLiteral("ann");
    options.home = fx.home();
    options.uid = ::getuid();
    QList<BrowerObjPtr> browsers = BrowserScanner(options).scan();
    ASSERT_EQ(browsers.size(), 1);
    for (const BrowerObjPtr& kind : browsers.first()->chrArr)
        kind->isSelect = kind->name == "Browsing History";

    using Op = DestructiveOperation;
    CleanBrowsersOperation op(browsers, ::getuid(), CookieKeepList());
    const Op::Plan plan = op.plan({}, {});
    ASSERT_TRUE(plan.needs(Op::Consent::RunningBrowser));
    const Op::Report kept = op.run(plan, Op::Consents().give(Op::Consent::Irreversible), {}, {});
    EXPECT_FALSE(kept.ok());
    EXPECT_EQ(kept.count(Op::Outcome::Failed), 1);
    EXPECT_EQ(kept.items.value(0).reason, Op::Reason::InUse);
    int status = 0;
    EXPECT_EQ(::waitpid(browser, &status, WNOHANG), 0) << "ended without the consent to close";
    EXPECT_EQ(BrowserFixture::scalar(profile + "/places.sqlite",
                                     "select count(*) from moz_historyvisits"),
              5);

    const Op::Report cleaned = op.run(plan, Op::Consents::all(), {}, {});
    EXPECT_TRUE(cleaned.ok()) << cleaned.items.value(0).detail.toStdString();
    EXPECT_EQ(::waitpid(browser, &status, 0), browser);
    EXPECT_EQ(BrowserFixture::scalar(profile + "/places.sqlite",
                                     "select count(*) from moz_historyvisits"),
              0);
}
