// The internet cleaner as a user drives it, on a fixture home with a Chromium and a Firefox
// profile: the question before anything goes, what the tree shows (passwords unticked, data that
// could not be read, folders not followed), a running browser that must be closed first, the
// sites whose cookies stay, and the end view naming what was not removed. Files are erased by the
// real srm tool of a throw-away bundle, which also holds the settings store.
#include "BrowserFixture.h"
#include "tests/module/ModuleUiTestSupport.h"

#include "app/inter/BrowserLockProbe.h"
#include "app/inter/CookieKeepList.h"
#include "app/inter/CookieKeepListViewController.h"
#include "app/inter/InternetViewController.h"
#include "app/inter/ToGetDB.h"
#include "app/ui/AttachedWindow.h"
#include "app/ui/ImageButton.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
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

// Ends the stand-in browser should the test stop early.
struct ChildGuard {
    pid_t pid;
    ~ChildGuard() {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
};

QTreeWidgetItem* browserRow(QTreeWidget* tree, const QString& browser) {
    for (int b = 0; b < tree->topLevelItemCount(); ++b)
        if (tree->topLevelItem(b)->text(0) == browser)
            return tree->topLevelItem(b);
    return nullptr;
}

QTreeWidgetItem* row(QTreeWidget* tree, const QString& browser, const QString& kind) {
    QTreeWidgetItem* top = browserRow(tree, browser);
    for (int k = 0; top && k < top->childCount(); ++k)
        if (top->child(k)->text(0) == kind)
            return top->child(k);
    return nullptr;
}

// The confirmation as the user reads it: "Browser/Kind=size" per listed kind, and its warnings.
struct Confirmation {
    QStringList listed;
    bool unknownWarning = false;
    QString passwordText, kept; // empty when not shown

    void read(QWidget* view) {
        auto* tree = view->findChild<QTreeWidget*>("chosenTree");
        for (int b = 0; b < tree->topLevelItemCount(); ++b) {
            const QTreeWidgetItem* top = tree->topLevelItem(b);
            for (int k = 0; k < top->childCount(); ++k)
                listed << top->text(0) + "/" + top->child(k)->text(0) + "=" +
                              top->child(k)->text(1);
        }
        if (QWidget* line = view->findChild<QWidget*>("passwordWarning"))
            passwordText = line->findChild<QLabel*>("warningText")->text();
        unknownWarning = view->findChild<QWidget*>("unknownWarning") != nullptr;
        if (auto* label = view->findChild<QLabel*>("keptText"))
            kept = label->text();
    }
};

// What the end view said.
struct EndView {
    QString message, problems, refused, note;
    void read(QWidget* view) {
        message = view->findChild<QLabel*>("messageText")->text();
        problems = view->findChild<QLabel*>("problemsText")->text();
        refused = view->findChild<QLabel*>("refusedText")->text();
        note = view->findChild<QLabel*>("noteText")->text();
    }
};

class InternetModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        BrowserFixture::chromiumProfile(chromium, "ui", 6);
        BrowserFixture::firefoxProfile(firefox, "uifx", 10);
        BrowserFixture::firefoxIni(fx.home() + "/.mozilla/firefox", {"u1.default-release"},
                                   "u1.default-release");
        ToGetDB::returnToGetDB()->setBusyTimeoutMs(300);
    }

    // The module on the fixture home, scanned. Its options start from the window's own, so
    // the stored keep-list reaches the scan as it does for users.
    std::unique_ptr<InternetViewController> openModule() {
        auto module = std::make_unique<InternetViewController>(&owner, [this] {
            BrowserScanner::Options o = InternetViewController::defaultOptions();
            o.history = EraserHistory::load(QStringLiteral(KORVANE_SOURCE_DIR) +
                                            "/app/Resources/EraserHistory.plist");
            o.userName = "ann";
            o.home = fx.home();
            o.uid = ::getuid();
            o.applicationFolders = {fx.applications()};
            return o;
        });
        module->resize(784, 600);
        module->show();
        const QDeadlineTimer deadline(20000);
        while (module->isScan() && !deadline.hasExpired())
            QTest::qWait(20);
        EXPECT_FALSE(module->isScan());
        return module;
    }

    struct Run {
        Confirmation asked;
        EndView end;
        BrowserCleaner::Summary summary;
    };
    // Presses Clean, says yes to the question and OK at the end; returns what both showed.
    static Run cleanAccepted(InternetViewController& module) {
        Run run;
        bool done = false;
        Answerer answer({{"MakeSureCleanBrowsersViewController", "cleanButton", {}},
                         {"CleanerInterEndViewController", "okButton", {}}});
        answer.inspect = [&](QWidget* view) {
            view->objectName() == "MakeSureCleanBrowsersViewController" ? run.asked.read(view)
                                                                        : run.end.read(view);
        };
        const auto connection = QObject::connect(
            &module, &InternetViewController::cleanFinished,
            [&](const BrowserCleaner::Summary& summary) { run.summary = summary, done = true; });
        module.cleanButtonAction();
        const QDeadlineTimer deadline(30000);
        while ((!done || answer.answered().size() < 2) && !deadline.hasExpired())
            QTest::qWait(20);
        QObject::disconnect(connection);
        EXPECT_EQ(answer.answered().size(), 2);
        return run;
    }

    qint64 chromiumRows(const QString& file, const QByteArray& table) const {
        return BrowserFixture::scalar(chromium + "/" + file, "select count(*) from " + table);
    }
    qint64 firefoxVisits() const {
        return BrowserFixture::scalar(firefox + "/places.sqlite",
                                      "select count(*) from moz_historyvisits");
    }

    BrowserFixture fx;
    TempBundle bundle{TempBundle::Tool::Real};
    OwnerSpy owner;
    const QString chromium = fx.home() + "/.config/chromium/Default";
    const QString firefox = fx.home() + "/.mozilla/firefox/u1.default-release";
};

} // namespace

TEST_F(InternetModuleTest, ConfirmationListsTheChosenKindsAndPasswordsGoOnlyWhenTicked) {
    auto module = openModule();
    QTreeWidget* tree = module->tree();
    for (const char* browser : {"Chromium", "Firefox"}) {
        EXPECT_EQ(row(tree, browser, "Saved Passwords")->checkState(0), Qt::Unchecked) << browser;
        EXPECT_EQ(browserRow(tree, browser)->checkState(0), Qt::PartiallyChecked) << browser;
    }
    row(tree, "Chromium", "Cookies")->setCheckState(0, Qt::Unchecked);

    Confirmation asked;
    {
        Answerer answer({{"MakeSureCleanBrowsersViewController", "cancelButton", {}}});
        answer.inspect = [&](QWidget* view) { asked.read(view); };
        module->cleanButtonAction();
        answer.waitFor(1);
        EXPECT_EQ(answer.answered(), QStringList{"MakeSureCleanBrowsersViewController"});
    }
    const QString listed = asked.listed.join(", ");
    EXPECT_TRUE(listed.contains("Chromium/Browsing History=6 items")) << listed.toStdString();
    EXPECT_TRUE(listed.contains("Firefox/Browsing History=10 items"));
    EXPECT_TRUE(listed.contains("Chromium/Caches="));
    EXPECT_FALSE(listed.contains("Chromium/Cookies")) << "an unticked kind is not listed";
    EXPECT_FALSE(listed.contains("Saved Passwords"));
    EXPECT_FALSE(listed.contains("Chromium/Download History")) << "it holds nothing";
    EXPECT_TRUE(asked.passwordText.isEmpty());
    // Cancel: nothing started, nothing removed.
    EXPECT_TRUE(owner.calls.isEmpty());
    EXPECT_EQ(chromiumRows("History", "visits"), 12);
    EXPECT_EQ(firefoxVisits(), 10);
    EXPECT_TRUE(exists(chromium + "/GPUCache/data_0"));

    const auto [again, end, summary] = cleanAccepted(*module);
    EXPECT_EQ(again.listed, asked.listed) << "the same question is asked again";
    EXPECT_EQ(chromiumRows("History", "urls"), 0);
    EXPECT_EQ(firefoxVisits(), 0);
    EXPECT_FALSE(exists(chromium + "/GPUCache/data_0"));
    EXPECT_EQ(chromiumRows("Cookies", "cookies"), 3) << "an unticked kind stays";
    EXPECT_EQ(chromiumRows("Login Data", "logins"), 2) << "passwords not ticked stay";
    EXPECT_TRUE(exists(firefox + "/logins.json"));
    EXPECT_EQ(owner.calls, QList<bool>({false, true}));
    EXPECT_EQ(row(tree, "Chromium", "Browsing History")->text(1), "0 items");
    EXPECT_EQ(row(tree, "Chromium", "Saved Passwords")->checkState(0), Qt::Unchecked);
    // Overwriting in place cannot reach older copies: the end view always says so.
    EXPECT_TRUE(summary.allCleaned());
    EXPECT_EQ(end.note, BrowserCleaner::freeSpaceNote(summary));
    EXPECT_TRUE(end.note.contains("free-space wipe")) << end.note.toStdString();

    // Ticking the browser row chooses all its kinds, passwords included, and the question
    // warns of them for that browser only.
    browserRow(tree, "Chromium")->setCheckState(0, Qt::Checked);
    EXPECT_EQ(row(tree, "Chromium", "Saved Passwords")->checkState(0), Qt::Checked);
    const Confirmation ticked = cleanAccepted(*module).asked;
    EXPECT_TRUE(ticked.passwordText.contains("Chromium")) << ticked.passwordText.toStdString();
    EXPECT_FALSE(ticked.passwordText.contains("Firefox"));
    EXPECT_EQ(chromiumRows("Login Data", "logins"), 0);
    EXPECT_TRUE(exists(firefox + "/logins.json"));
}

TEST_F(InternetModuleTest, LockedDatabaseShowsUnknownAndIsNotShownAsCleaned) {
    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open((chromium + "/History").toUtf8().constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "begin exclusive", nullptr, nullptr, nullptr), SQLITE_OK);
    auto module = openModule();
    QTreeWidget* tree = module->tree();
    QTreeWidgetItem* history = row(tree, "Chromium", "Browsing History");
    ASSERT_TRUE(history);
    EXPECT_EQ(history->text(1), "unknown");
    EXPECT_TRUE(history->toolTip(1).contains("locked")) << history->toolTip(1).toStdString();
    EXPECT_EQ(row(tree, "Firefox", "Browsing History")->text(1), "10 items");

    const auto [asked, end, summary] = cleanAccepted(*module);
    sqlite3_exec(holder, "rollback", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    EXPECT_TRUE(asked.listed.contains("Chromium/Browsing History=unknown"))
        << asked.listed.join(", ").toStdString();
    EXPECT_TRUE(asked.unknownWarning);

    EXPECT_TRUE(end.message.contains("could not be removed")) << end.message.toStdString();
    EXPECT_TRUE(end.problems.contains("Chromium, Browsing History")) << end.problems.toStdString();
    EXPECT_TRUE(end.problems.contains("locked"));
    EXPECT_EQ(end.note, BrowserCleaner::freeSpaceNote(summary)) << "said after a failure too";
    // The row keeps its tick and its "unknown", and says why; the rows stay in the file.
    history = row(tree, "Chromium", "Browsing History");
    EXPECT_EQ(history->text(1), "unknown");
    EXPECT_EQ(history->checkState(0), Qt::Checked);
    EXPECT_TRUE(history->toolTip(0).contains("locked"));
    EXPECT_EQ(chromiumRows("History", "urls"), 6);
    EXPECT_EQ(firefoxVisits(), 0) << "the other browser was cleaned";
}

TEST_F(InternetModuleTest, RunningBrowserIsClosedOnlyAfterBothQuestionsAreAnsweredYes) {
    const pid_t running = holdFirefoxLock(firefox);
    ChildGuard guard{running};
    const QDeadlineTimer started(5000);
    while (BrowserLockProbe::firefoxLockPid(firefox) != running && !started.hasExpired())
        QTest::qWait(20);
    auto module = openModule();
    QTreeWidget* tree = module->tree();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    row(tree, "Chromium", "Cookies")->setCheckState(0, Qt::Unchecked);
    row(tree, "Chromium", "Saved Passwords")->setCheckState(0, Qt::Checked);
    EXPECT_FALSE(module->browsers()[0]->chrArr[2]->isSelect);

    // No to the first question: the browser is not even asked about.
    {
        Answerer answer({{"MakeSureCleanBrowsersViewController", "cancelButton", {}},
                         {"CloseBrowerViewController", "closeButton", {}}});
        module->cleanButtonAction();
        answer.waitFor(1);
        QTest::qWait(100);
        EXPECT_EQ(answer.answered(), QStringList{"MakeSureCleanBrowsersViewController"});
    }
    // No to closing it: nothing at all is cleaned.
    {
        Answerer answer({{"MakeSureCleanBrowsersViewController", "cleanButton", {}},
                         {"CloseBrowerViewController", "cancelButton", {}}});
        module->cleanButtonAction();
        answer.waitFor(2);
        EXPECT_EQ(answer.answered(), QStringList({"MakeSureCleanBrowsersViewController",
                                                  "CloseBrowerViewController"}));
    }
    EXPECT_FALSE(module->isCleaning());
    EXPECT_EQ(::kill(running, 0), 0) << "the browser still runs";
    EXPECT_EQ(chromiumRows("History", "urls"), 6);

    sqlite3* holder = nullptr; // Login Data stays locked: the end view must name it
    ASSERT_EQ(sqlite3_open((chromium + "/Login Data").toUtf8().constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "begin exclusive", nullptr, nullptr, nullptr), SQLITE_OK);
    EndView end;
    Answerer answer({{"MakeSureCleanBrowsersViewController", "cleanButton", {}},
                     {"CloseBrowerViewController", "closeButton", {}},
                     {"CleanerInterEndViewController", "okButton", {}}});
    answer.inspect = [&](QWidget* view) {
        if (view->objectName() == "CleanerInterEndViewController")
            end.read(view);
    };
    QSignalSpy cleaned(module.get(), &InternetViewController::cleanFinished);
    module->cleanButtonAction();
    ASSERT_TRUE(cleaned.wait(30000));
    const QDeadlineTimer answered(5000);
    while (answer.answered().size() < 3 && !answered.hasExpired())
        QTest::qWait(20);
    sqlite3_close(holder);
    int status = 0;
    EXPECT_EQ(::waitpid(running, &status, 0), running);
    guard.pid = 0;
    EXPECT_TRUE(WIFSIGNALED(status)) << "the browser was ended";
    EXPECT_EQ(owner.calls, QList<bool>({false, true}));

    EXPECT_TRUE(end.problems.contains("Login Data: the database is locked"))
        << end.problems.toStdString();
    EXPECT_TRUE(end.message.contains("could not be removed")) << end.message.toStdString();
    EXPECT_EQ(row(tree, "Chromium", "Browsing History")->text(1), "0 items");
    QTreeWidgetItem* passwords = row(tree, "Chromium", "Saved Passwords");
    EXPECT_EQ(passwords->text(1), "2 items");
    EXPECT_EQ(passwords->checkState(0), Qt::Checked) << "what failed stays chosen";
    EXPECT_TRUE(passwords->toolTip(0).contains("locked"));
    EXPECT_EQ(row(tree, "Firefox", "Browsing History")->text(1), "0 items");
    EXPECT_EQ(chromiumRows("Cookies", "cookies"), 3) << "an unticked kind stays";
    EXPECT_EQ(firefoxVisits(), 0);
}

TEST_F(InternetModuleTest, DataFolderLinkedOutOfTheHomeIsShownAsNotFollowed) {
    // Google Chrome's data folder is a link to a folder outside the home.
    const QString outside = QDir::cleanPath(fx.home() + "/../../outside/google-chrome");
    BrowserFixture::chromiumProfile(outside + "/Default", "away", 4);
    QDir().mkpath(fx.home() + "/.config");
    ASSERT_EQ(::symlink(outside.toUtf8().constData(),
                        (fx.home() + "/.config/google-chrome").toUtf8().constData()),
              0);
    auto module = openModule();
    QTreeWidgetItem* chrome = browserRow(module->tree(), "Google Chrome");
    ASSERT_TRUE(chrome) << "a browser whose data is refused is still listed";
    QStringList notFollowed;
    for (int c = 0; c < chrome->childCount(); ++c)
        if (chrome->child(c)->text(0).startsWith("Not followed: ")) {
            notFollowed << chrome->child(c)->text(0);
            EXPECT_FALSE(chrome->child(c)->flags() & Qt::ItemIsUserCheckable);
        }
    ASSERT_EQ(notFollowed.size(), 1);
    EXPECT_EQ(chrome->child(0)->text(0), notFollowed.first()) << "named before its kinds";
    EXPECT_EQ(chrome->text(1), "not followed");
    EXPECT_TRUE(notFollowed.first().contains("google-chrome")) << notFollowed.first().toStdString();
    EXPECT_TRUE(chrome->toolTip(0).contains("google-chrome"));

    const EndView end = cleanAccepted(*module).end;
    EXPECT_TRUE(end.refused.contains("Google Chrome: ")) << end.refused.toStdString();
    EXPECT_EQ(BrowserFixture::scalar(outside + "/Default/History", "select count(*) from urls"), 4)
        << "nothing outside the home was touched";
}

TEST_F(InternetModuleTest, KeptSitesAreStoredFromTheWindowAndTheirCookiesStay) {
    BrowserFixture::sql(chromium + "/Cookies",
                        "insert into cookies values(1, '.bank.example', '', 'a', '', x'00', '/',"
                        " 0, 1, 1, 0, 0, 1, 1, 0, 2, 443, 0, 0, 0);"
                        "insert into cookies values(1, 'www.bank.example', '', 'b', '', x'00',"
                        " '/', 0, 1, 1, 0, 0, 1, 1, 0, 2, 443, 0, 0, 0);"
                        "insert into cookies values(1, 'notbank.example', '', 'c', '', x'00',"
                        " '/', 0, 1, 1, 0, 0, 1, 1, 0, 2, 443, 0, 0, 0);");
    auto module = openModule();
    EXPECT_EQ(row(module->tree(), "Chromium", "Cookies")->text(1), "6 items");

    Answerer answer({{"CookieKeepListViewController", "saveButton", [](QWidget* view) {
                          view->findChild<QLineEdit*>("domainEdit")->setText("Bank.Example");
                          view->findChild<ImageButton*>("addButton")->click();
                          return true;
                      }}});
    QSignalSpy rescanned(module.get(), &InternetViewController::scanFinished);
    module->keptCookiesButton()->click();
    ASSERT_EQ(answer.answered(), QStringList{"CookieKeepListViewController"});
    EXPECT_EQ(CookieKeepList::stored().domains(), QStringList{"bank.example"});
    ASSERT_TRUE(rescanned.wait(20000)) << "a saved list is scanned again";
    EXPECT_EQ(row(module->tree(), "Chromium", "Cookies")->text(1), "4 items")
        << "the kept site's cookies are not counted";

    const Confirmation asked = cleanAccepted(*module).asked;
    EXPECT_TRUE(asked.kept.contains("bank.example")) << asked.kept.toStdString();
    EXPECT_EQ(chromiumRows("Cookies", "cookies where host_key like '%.bank.example'"), 2);
    EXPECT_EQ(chromiumRows("Cookies", "cookies"), 2) << "every other site's cookies went";
    EXPECT_EQ(row(module->tree(), "Chromium", "Cookies")->text(1), "0 items");
}

// The list as a dialog of its own: refusals, removal, and Cancel against Save.
TEST(CookieKeepListView, RefusesWhatIsNoDomainAndStoresOnlyOnSave) {
    TempBundle bundle;
    ASSERT_TRUE(CookieKeepList::store(CookieKeepList::from({"mail.example"})));
    QWidget window;
    window.show();

    auto* view = new CookieKeepListViewController(CookieKeepList::stored());
    EXPECT_EQ(view->domains(), QStringList{"mail.example"});
    view->domainEdit()->setText("https://Bank.Example/login, bad_domain! .news.example");
    EXPECT_FALSE(view->addTyped());
    EXPECT_EQ(view->domains(), QStringList({"mail.example", "bank.example", "news.example"}));
    EXPECT_EQ(view->domainEdit()->text(), "bad_domain!") << "the refused entry stays to correct";
    EXPECT_TRUE(view->messageLabel()->text().contains("bad_domain!"));
    view->list()->setCurrentRow(0);
    view->removeSelected();
    EXPECT_EQ(view->domains(), QStringList({"bank.example", "news.example"}));
    {
        Answerer cancel({{"CookieKeepListViewController", "cancelButton", {}}});
        EXPECT_EQ(AttachedWindow::run(view, &window), QDialog::Rejected);
    }
    EXPECT_EQ(CookieKeepList::stored().domains(), QStringList{"mail.example"});

    // A refused entry keeps the dialog open and stores nothing; a domain typed but not added
    // yet is saved with the rest.
    view = new CookieKeepListViewController(CookieKeepList::stored());
    bool keptOpen = false;
    QStringList storedMeanwhile;
    Answerer save({{"CookieKeepListViewController", "saveButton", [&](QWidget* shown) {
                        auto* edit = shown->findChild<QLineEdit*>("domainEdit");
                        edit->setText("a..b");
                        shown->findChild<ImageButton*>("saveButton")->click();
                        keptOpen = shown->isVisible();
                        storedMeanwhile = CookieKeepList::stored().domains();
                        edit->setText("news.example");
                        return true;
                    }}});
    EXPECT_EQ(AttachedWindow::run(view, &window), QDialog::Accepted);
    EXPECT_TRUE(keptOpen);
    EXPECT_EQ(storedMeanwhile, QStringList{"mail.example"});
    EXPECT_EQ(CookieKeepList::stored().domains(), QStringList({"mail.example", "news.example"}));
}
