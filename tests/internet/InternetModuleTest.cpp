// The internet cleaner as a user drives it, on a fixture home: the tree of browsers and kinds,
// a running browser that must be closed first, and the end view naming what was not removed.
#include "BrowserFixture.h"
#include "tests/module/ModuleUiTestSupport.h"

#include "app/inter/BrowserLockProbe.h"
#include "app/inter/InternetViewController.h"
#include "app/inter/ToGetDB.h"
#include "app/ui/ImageButton.h"

#include <QDeadlineTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace moduletest;

namespace {

pid_t holdFirefoxLock(const QString& profile) {
    const QByteArray lockFile = (profile + "/.parentlock").toUtf8();
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int fd = ::open(lockFile.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        struct flock lock {};
        lock.l_type = F_WRLCK;
        if (fd < 0 || ::fcntl(fd, F_SETLK, &lock) != 0)
            ::_exit(1);
        for (;;)
            ::pause();
    }
    return pid;
}

QTreeWidgetItem* row(QTreeWidget* tree, const QString& browser, const QString& kind) {
    for (int b = 0; b < tree->topLevelItemCount(); ++b) {
        QTreeWidgetItem* top = tree->topLevelItem(b);
        if (top->text(0) != browser)
            continue;
        for (int k = 0; k < top->childCount(); ++k)
            if (top->child(k)->text(0) == kind)
                return top->child(k);
    }
    return nullptr;
}

} // namespace

TEST(InternetModule, RunningBrowserClosedOnConsentAndEndViewNamesWhatStayed) {
    BrowserFixture fx;
    const QString chromium = fx.home() + "/.config/chromium/Default";
    BrowserFixture::chromiumProfile(chromium, "ui", 6);
    const QString fox = fx.home() + "/.mozilla/firefox";
    const QString profile = fox + "/u1.default-release";
    BrowserFixture::firefoxProfile(profile, "uifx", 10);
    BrowserFixture::firefoxIni(fox, {"u1.default-release"}, "u1.default-release");
    const pid_t firefox = holdFirefoxLock(profile);
    const QDeadlineTimer started(5000);
    while (BrowserLockProbe::firefoxLockPid(profile) != firefox && !started.hasExpired())
        QTest::qWait(20);
    ToGetDB::returnToGetDB()->setBusyTimeoutMs(300);

    OwnerSpy owner;
    InternetViewController module(&owner, [&] {
        BrowserScanner::Options o;
        o.history = EraserHistory::load(QStringLiteral(KORVANE_SOURCE_DIR) +
                                        "/app/Resources/EraserHistory.plist");
        o.userName = "ann";
        o.home = fx.home();
        o.uid = ::getuid();
        return o;
    });
    module.resize(784, 600);
    module.show();
    QSignalSpy scanned(&module, &InternetViewController::scanFinished);
    ASSERT_TRUE(scanned.wait(20000));
    QTreeWidget* tree = module.tree();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    ASSERT_TRUE(row(tree, "Chromium", "Browsing History"));
    EXPECT_EQ(row(tree, "Chromium", "Browsing History")->text(1), "6 Items");
    EXPECT_EQ(row(tree, "Firefox", "Browsing History")->text(1), "10 Items");
    row(tree, "Chromium", "Cookies")->setCheckState(0, Qt::Unchecked);
    EXPECT_FALSE(module.browsers()[0]->chrArr[2]->isSelect);

    // Refusing to close the running browser cleans nothing at all.
    {
        Answerer answer({{"CloseBrowerViewController", "cancelButton", {}}});
        module.cleanButtonAction();
        EXPECT_EQ(answer.answered(), QStringList{"CloseBrowerViewController"});
    }
    EXPECT_FALSE(module.isCleaning());
    EXPECT_EQ(BrowserFixture::scalar(chromium + "/History", "select count(*) from urls"), 6);

    sqlite3* holder = nullptr; // Login Data stays locked: the end view must name it
    ASSERT_EQ(sqlite3_open((chromium + "/Login Data").toUtf8().constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "begin exclusive", nullptr, nullptr, nullptr), SQLITE_OK);
    QString message, problems;
    Answerer answer({{"CloseBrowerViewController", "closeButton", {}},
                     {"CleanerInterEndViewController", "okButton", [&](QWidget* view) {
                          message = view->findChild<QLabel*>("messageText")->text();
                          problems = view->findChild<QLabel*>("problemsText")->text();
                          return true;
                      }}});
    QSignalSpy cleaned(&module, &InternetViewController::cleanFinished);
    module.cleanButtonAction();
    ASSERT_TRUE(cleaned.wait(30000));
    const QDeadlineTimer answered(5000);
    while (answer.answered().size() < 2 && !answered.hasExpired())
        QTest::qWait(20);
    sqlite3_close(holder);
    int status = 0;
    EXPECT_EQ(::waitpid(firefox, &status, 0), firefox);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the browser was ended";
    EXPECT_EQ(owner.calls, QList<bool>({false, true}));

    EXPECT_TRUE(problems.contains("Login Data: the database is locked")) << problems.toStdString();
    EXPECT_TRUE(message.contains("could not be removed")) << message.toStdString();
    EXPECT_EQ(row(tree, "Chromium", "Browsing History")->text(1), "0 Item");
    EXPECT_EQ(row(tree, "Chromium", "Save Password")->text(1), "2 Items");
    EXPECT_EQ(row(tree, "Chromium", "Save Password")->checkState(0), Qt::Checked);
    EXPECT_EQ(row(tree, "Firefox", "Browsing History")->text(1), "0 Item");
    EXPECT_EQ(BrowserFixture::scalar(chromium + "/Cookies", "select count(*) from cookies"), 3)
        << "an unticked kind stays";
    EXPECT_EQ(BrowserFixture::scalar(profile + "/places.sqlite",
                                     "select count(*) from moz_historyvisits"),
              0);
}
