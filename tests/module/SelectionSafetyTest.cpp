// What every front end (the window, the loader's window, `korvane erase`, srm itself) must never
// do: erase what the user did not name. Run with the real erasure tool in throw-away folders.
#include "ModuleUiTestSupport.h"

#include "LoopImage.h"
#include "app/Main/FileEraser/ErasePathCheck.h"
#include "app/Main/FileEraser/EraseReport.h"
#include "app/Main/FileEraser/FileEraserFailViewController.h"
#include "app/Main/FileEraser/FileEraserListView.h"
#include "app/Main/FileEraser/FileEraserViewController.h"
#include "app/inter/DoDataBase.h"
#include "app/ui/ImageButton.h"
#include "loader/Eraser/EraserWC.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTest>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace moduletest;

namespace {

const QString kKorvane = QStringLiteral(KORVANE_BUILD_DIR "/bin/korvane");

struct ProgramRun {
    int code = -1;
    QString out;
    QString err;
};

ProgramRun runProgram(const QString& program, const QList<QByteArray>& args, const QString& cwd,
                      const QString& bundle = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!bundle.isEmpty())
        env.insert(QStringLiteral("KORVANE_BUNDLE"), bundle);
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(cwd);
    QStringList list;
    for (const QByteArray& a : args)
        list << QFile::decodeName(a);
    process.start(program, list);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

QString srmPath(const TempBundle& bundle) {
    return bundle.resources() + QStringLiteral("/srm");
}

QString outerOf(const TempBundle& bundle) {
    return bundle.root() + QStringLiteral("/KorvaneLoader.app");
}

// Every file below ROOT (links not followed) with a digest of what it holds, and every folder.
QMap<QByteArray, QByteArray> snapshot(const QString& root) {
    namespace fs = std::filesystem;
    QMap<QByteArray, QByteArray> out;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(QFile::encodeName(root).toStdString(), ec);
         it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const std::string p = it->path().string();
        const QByteArray key = QByteArray::fromStdString(p);
        if (it->is_symlink()) {
            out.insert(key, "link");
        } else if (it->is_regular_file()) {
            QFile file(QFile::decodeName(key));
            file.open(QIODevice::ReadOnly);
            out.insert(key, QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256));
        } else {
            out.insert(key, "entry");
        }
    }
    return out;
}

// Presses Erase Now, answers every attached window as a user who agrees would, and waits for
// the end; returns the failure view's problem list (empty after success).
QString eraseInWindow(FileEraserViewController& module) {
    QString problems;
    Answerer answerer({{"MakeSureFileEraserViewControoler", "eraseButton", {}},
                       {"MakeSureEraseProtectedViewController", "eraseButton", {}},
                       {"FileEraserSuccessViewController", "okButton", {}},
                       {"FileEraserFailViewController", "okButton", {}}});
    answerer.inspect = [&](QWidget* view) {
        if (auto* fail = qobject_cast<FileEraserFailViewController*>(view))
            problems = fail->problemList()->text();
    };
    QSignalSpy finished(&module, &FileEraserViewController::erasureFinished);
    module.listView()->eraseButton()->click();
    if (finished.isEmpty()) {
        EXPECT_TRUE(finished.wait(120000)) << "the erasure did not finish";
    }
    return problems;
}

void closeRefusedAlerts() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible())
            box->accept();
}

bool waitForLoaderResult(const EraserWC& window) {
    for (int waited = 0; waited < 60000 && window.pages->currentIndex() != 1; waited += 20)
        QTest::qWait(20);
    return window.pages->currentIndex() == 1;
}

// "", ".", "..", "x/..", "/" and the folder that holds the program's bundle, from a working folder
// full of canary files: refused clearly by every front end, and every canary survives.
TEST(SelectionSafetyTest, BadInputErasesNothingInAnyFrontEnd) {
    TempBundle bundle(TempBundle::Tool::Real);
    const QString canaries = bundle.work() + QStringLiteral("/canaries");
    for (const char* name : {"a", "b", "inner/c", "inner/x/d", "inner/.hidden"})
        writeFile(canaries + QLatin1Char('/') + QString::fromLatin1(name), 100);
    const QString cwd = canaries + QStringLiteral("/inner");
    const QMap<QByteArray, QByteArray> before = snapshot(bundle.root());
    const QList<QByteArray> bad{"", ".", "..", "x/..", "/", QFile::encodeName(bundle.root())};

    // The window: nothing is listed, and each refusal is said.
    const QString oldCwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(cwd));
    {
        FileEraserViewController module(nullptr);
        module.show();
        QSignalSpy refused(&module, &FileEraserViewController::pathsRefused);
        QStringList paths;
        for (const QByteArray& p : bad)
            if (p != "/")
                paths << QFile::decodeName(p);
        paths << QStringLiteral("/"); // it ends a batch: last
        module.addPaths(paths);
        closeRefusedAlerts();
        EXPECT_TRUE(module.valueArr().isEmpty());
        ASSERT_EQ(refused.size(), 1);
        EXPECT_EQ(refused.first().first().toStringList().size(), bad.size());

        // Had they reached the job anyway (consent given, even), it refuses them itself.
        EraseJob::Options options;
        options.consented = true;
        EraseJob job(options);
        QList<FileObjPtr> forged;
        for (const QByteArray& p : bad) {
            auto item = std::make_shared<FileObj>();
            item->nativeUrl = p;
            item->url = QFile::decodeName(p);
            forged << item;
        }
        struct End : EraseJobListener {
            bool done = false;
            void eraseFinished(const EraseReport&) override { done = true; }
        } end;
        job.setListener(&end);
        job.start(forged);
        for (int i = 0; i < 500 && !end.done; ++i)
            QTest::qWait(20);
        ASSERT_TRUE(end.done);
        EXPECT_EQ(job.report().failedCount(), bad.size());
        EXPECT_TRUE(job.workList().isEmpty());
    }
    // The loader's window: the refusal is its result.
    for (const QByteArray& p : bad) {
        EraserWC window(nullptr, QString(), {});
        window.show();
        window.eumeFileWithPath(p);
        ASSERT_TRUE(waitForLoaderResult(window)) << p.constData();
        EXPECT_FALSE(window.succeeded()) << p.constData();
        EXPECT_TRUE(window.resultText->text().contains(QLatin1String("efusing")))
            << window.resultText->text().toStdString();
    }
    QDir::setCurrent(oldCwd);

    // The command line and the tool itself, started in the canary folder.
    for (const QByteArray& p : bad) {
        const ProgramRun r =
            runProgram(kKorvane, {"erase", "--yes", "--force", p}, cwd, outerOf(bundle));
        EXPECT_NE(r.code, 0) << p.constData();
        EXPECT_TRUE(r.err.contains(QLatin1String("refusing"))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        if (p.startsWith('/') && p != "/")
            continue; // srm knows nothing of bundles
        const ProgramRun s = runProgram(srmPath(bundle), {"-fsvrz", p}, cwd);
        EXPECT_NE(s.code, 0) << p.constData();
        EXPECT_FALSE(s.err.isEmpty());
    }
    // Every file is still there with what it held (the settings and history may change).
    const QMap<QByteArray, QByteArray> after = snapshot(bundle.root());
    EXPECT_EQ(after.keys(), before.keys());
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (!it.key().endsWith("DataBase.db") && !it.key().endsWith(".plist")) {
            EXPECT_EQ(after.value(it.key()), it.value()) << it.key().constData();
        }
    }
}

// A selection holding everything that could lead an erasure astray, outside files included by
// hard link, link and bind mount.
class Torture {
public:
    Torture(const QString& root) : m_root(root), m_sel(root + QStringLiteral("/sel")) {
        const QString out = root + QStringLiteral("/outside");
        writeFile(out + QStringLiteral("/dir/deep/file"), 3000);
        writeFile(out + QStringLiteral("/file"), 500);
        writeFile(out + QStringLiteral("/bound/kept"), 700);
        writeFile(out + QStringLiteral("/hardsource"), 900);
        QDir().mkpath(m_sel + QStringLiteral("/bind"));
        m_mounted = ::mount(n(out + QStringLiteral("/bound")), n(m_sel + QStringLiteral("/bind")),
                            nullptr, MS_BIND, nullptr) == 0;
        QFile::link(out + QStringLiteral("/dir"), m_sel + QStringLiteral("/dirlink"));
        QFile::link(out + QStringLiteral("/file"), m_sel + QStringLiteral("/filelink"));
        QFile::link(m_sel + QStringLiteral("/loop"), m_sel + QStringLiteral("/loop"));
        ::link(n(out + QStringLiteral("/hardsource")), n(m_sel + QStringLiteral("/hard")));
        ::mkfifo(n(m_sel + QStringLiteral("/fifo")), 0600);
        ::mknod(n(m_sel + QStringLiteral("/full")), S_IFCHR | 0600, makedev(1, 7));
        writeFile(m_sel + QStringLiteral("/pinned"), 2000);
        setImmutable(m_sel + QStringLiteral("/pinned"));
        writeFile(m_sel + QStringLiteral("/new\nline"), 100);
        writeRaw(QFile::encodeName(m_sel) + "/raw\xff\xfe", "raw name");
        writeFile(m_sel + QStringLiteral("/empty"), 0);
        QDir().mkpath(m_sel + QStringLiteral("/hollow/deeper"));
        writeFile(m_sel + QStringLiteral("/sub/content"), 5000);
        makeDeep();
    }
    ~Torture() {
        if (m_mounted)
            ::umount(n(m_sel + QStringLiteral("/bind")));
    }
    bool mounted() const { return m_mounted; }
    QString selection() const { return m_sel; }
    QString outside() const { return m_root + QStringLiteral("/outside"); }

    // What is left in the selection, by name.
    QStringList left() const {
        QDir dir(m_sel);
        return dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                             QDir::Name);
    }

private:
    static const char* n(const QString& path) {
        // Two at a time, for calls that take two paths.
        static QByteArray keep[2];
        static int next = 0;
        const int slot = next++ % 2;
        keep[slot] = QFile::encodeName(path);
        return keep[slot].constData();
    }
    static void writeRaw(const QByteArray& path, const QByteArray& data) {
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        EXPECT_GE(fd, 0);
        EXPECT_EQ(::write(fd, data.constData(), size_t(data.size())), data.size());
        ::close(fd);
    }
    static void setImmutable(const QString& path) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
        int flags = 0;
        if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        ::close(fd);
    }
    // 30 folders of 200 characters, deeper than PATH_MAX, with a file at the bottom.
    void makeDeep() {
        int fd = ::open(n(m_sel), O_RDONLY | O_DIRECTORY);
        const std::string level(200, 'd');
        for (int i = 0; i < 30 && fd >= 0; ++i) {
            ::mkdirat(fd, level.c_str(), 0700);
            const int next = ::openat(fd, level.c_str(), O_RDONLY | O_DIRECTORY);
            ::close(fd);
            fd = next;
        }
        const int file = ::openat(fd, "bottom", O_WRONLY | O_CREAT, 0600);
        EXPECT_EQ(::write(file, "deep secret", 11), 11);
        ::close(file);
        ::close(fd);
    }

    QString m_root;
    QString m_sel;
    bool m_mounted = false;
};

// Through the window's job, `korvane erase` and srm -r: nothing outside changes, the bind
// mount's folder stays with its contents, every erasable entry is gone and the two that cannot
// be erased are reported with their reasons.
TEST(SelectionSafetyTest, TortureSelectionNeverLeavesItself) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "bind mounts, device nodes and the immutable flag need root";
    TempBundle bundle(TempBundle::Tool::Real);
    for (const char* frontEnd : {"window", "korvane", "srm"}) {
        SCOPED_TRACE(frontEnd);
        const QString root = bundle.work() + QLatin1Char('/') + QString::fromLatin1(frontEnd);
        Torture torture(root);
        if (!torture.mounted())
            GTEST_SKIP() << "cannot bind-mount here";
        const QMap<QByteArray, QByteArray> outside = snapshot(torture.outside());
        ASSERT_GE(outside.size(), 6);

        QString reasons;
        if (QByteArray(frontEnd) == "window") {
            FileEraserViewController module(nullptr);
            module.show();
            module.addPaths({torture.selection()});
            ASSERT_EQ(module.valueArr().size(), 1);
            reasons = eraseInWindow(module);
            const HistoryData history = DoDataBase::returnDoDataBase()->getAllData();
            ASSERT_FALSE(history.isEmpty());
            EXPECT_EQ(history.last().last().result, QStringLiteral("Failed"));
        } else if (QByteArray(frontEnd) == "korvane") {
            const ProgramRun r =
                runProgram(kKorvane, {"erase", "--yes", QFile::encodeName(torture.selection())},
                           root, outerOf(bundle));
            EXPECT_EQ(r.code, 1) << r.err.toStdString();
            EXPECT_TRUE(r.out.startsWith(QStringLiteral("Failed ") + torture.selection()));
            reasons = r.out;
        } else {
            const ProgramRun r = runProgram(
                srmPath(bundle), {"-fsvrz", QFile::encodeName(torture.selection())}, root);
            EXPECT_EQ(r.code, 1);
            reasons = r.err;
        }
        EXPECT_TRUE(reasons.contains(QLatin1String("still reachable through another name")))
            << reasons.toStdString();
        EXPECT_TRUE(reasons.contains(QLatin1String("mount"))) << reasons.toStdString();
        EXPECT_EQ(torture.left(), (QStringList{"bind", "hard"}))
            << torture.left().join(' ').toStdString();
        EXPECT_EQ(snapshot(torture.outside()), outside);
        EXPECT_TRUE(exists(torture.selection() + QStringLiteral("/bind/kept")));
    }
}

TEST(SelectionSafetyTest, HardLinkedFileIsFailedInTheWindowAndItsHistory) {
    TempBundle bundle(TempBundle::Tool::Real);
    const QString other = writeFile(bundle.work() + QStringLiteral("/other-name"), 800);
    const QString chosen = bundle.work() + QStringLiteral("/chosen");
    ASSERT_EQ(::link(QFile::encodeName(other).constData(), QFile::encodeName(chosen).constData()),
              0);
    FileEraserViewController module(nullptr);
    module.show();
    module.addPaths({chosen});
    const QString problems = eraseInWindow(module);
    EXPECT_TRUE(problems.contains(chosen + QStringLiteral(": its data is still reachable through "
                                                          "another name")))
        << problems.toStdString();
    const HistoryData history = DoDataBase::returnDoDataBase()->getAllData();
    ASSERT_EQ(history.size(), 1);
    EXPECT_EQ(history.first().last().items, chosen);
    EXPECT_EQ(history.first().last().result, QStringLiteral("Failed"));
    EXPECT_TRUE(exists(chosen));
    EXPECT_TRUE(exists(other));
}

// Another account's home, and a folder that holds homes, are asked about a second time in the
// window and refused without --force by `korvane`, whichever user the program says it works
// for (SUDO_USER). The accounts come from a passwd file of the test's own: put in place of
// /etc/passwd in a private mount namespace for the program, handed to the check in this process.
TEST(SelectionSafetyTest, AnotherAccountsHomeAndTheFolderAboveHomesNeedConsentEverywhere) {
    TempBundle bundle(TempBundle::Tool::Real);
    const QString users = bundle.work() + QStringLiteral("/users");
    const QString bob = users + QStringLiteral("/bob");
    writeFile(bob + QStringLiteral("/thesis.txt"), 500);
    QDir().mkpath(users + QStringLiteral("/alice"));
    const QString passwd = bundle.root() + QStringLiteral("/passwd");
    {
        QFile file(passwd);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("root:x:0:0:root:/root:/bin/sh\n"
                                  "alice:x:4241:4241::%1/alice:/bin/sh\n"
                                  "bob:x:4242:4242::%2:/bin/sh\n")
                       .arg(users, bob)
                       .toUtf8());
    }
    ErasePathCheck::setAccountFile(passwd);
    struct Restore {
        ~Restore() { ErasePathCheck::setAccountFile(QString()); }
    } restore;
    const auto before = snapshot(users);

    for (const QString& path : {bob, users}) {
        FileEraserViewController module(nullptr);
        module.show();
        module.addPaths({path});
        ASSERT_EQ(module.valueArr().size(), 1);
        QString asked;
        // Were the second question missing, the erasure would run: its end is answered too.
        Answerer answerer({{"MakeSureFileEraserViewControoler", "eraseButton", {}},
                           {"MakeSureEraseProtectedViewController", "cancelButton", {}},
                           {"FileEraserSuccessViewController", "okButton", {}},
                           {"FileEraserFailViewController", "okButton", {}}});
        answerer.inspect = [&](QWidget* view) {
            for (QWidget* line : view->findChildren<QWidget*>(QStringLiteral("protectedItem")))
                for (QLabel* label : line->findChildren<QLabel*>())
                    asked += label->text();
        };
        QSignalSpy finished(&module, &FileEraserViewController::erasureFinished);
        module.listView()->eraseButton()->click();
        QTest::qWait(300);
        if (answerer.answered().value(1) !=
                QStringLiteral("MakeSureEraseProtectedViewController") &&
            finished.isEmpty())
            finished.wait(60000);
        EXPECT_EQ(answerer.answered().value(1),
                  QStringLiteral("MakeSureEraseProtectedViewController"))
            << path.toStdString();
        EXPECT_TRUE(asked.contains(QStringLiteral("bob"))) << asked.toStdString();
    }
    EXPECT_EQ(snapshot(users), before) << "declined: nothing erased";

    if (::geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("unshare")).isEmpty())
        GTEST_SKIP() << "the command line is tried as root in a private mount namespace only";
    {
        QProcess probe;
        probe.start(QStringLiteral("unshare"),
                    {QStringLiteral("--mount"), QStringLiteral("sh"), QStringLiteral("-c"),
                     QStringLiteral("mount --bind \"$0\" /etc/passwd && echo bound"), passwd});
        probe.waitForFinished(30000);
        if (!probe.readAllStandardOutput().contains("bound"))
            GTEST_SKIP() << "no private mount namespace here: the command line was not tried";
    }
    for (const QString& path : {bob, users}) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KORVANE_BUNDLE"), outerOf(bundle));
        env.insert(QStringLiteral("SUDO_USER"), QStringLiteral("alice"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral("unshare"),
                      {QStringLiteral("--mount"), QStringLiteral("sh"), QStringLiteral("-c"),
                       QStringLiteral("mount --bind \"$0\" /etc/passwd && exec \"$1\" erase "
                                      "--yes \"$2\""),
                       passwd, kKorvane, path});
        process.closeWriteChannel();
        ASSERT_TRUE(process.waitForFinished(60000));
        const QString err = QString::fromLocal8Bit(process.readAllStandardError());
        EXPECT_EQ(process.exitCode(), 1) << err.toStdString();
        EXPECT_TRUE(err.contains(QStringLiteral("bob"))) << err.toStdString();
        EXPECT_TRUE(err.contains(QStringLiteral("--force"))) << err.toStdString();
    }
    EXPECT_EQ(snapshot(users), before) << "refused: nothing erased";
}

// On a copy-on-write volume each front end says before that overwriting cannot reach the copies
// the volume keeps, and the result (the history too) says that copies may remain.
TEST(SelectionSafetyTest, CopyOnWriteVolumeIsNamedBeforeAndAfter) {
    using testsupport::LoopImage;
    const std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Btrfs);
    if (!why.empty())
        GTEST_SKIP() << why;
    TempBundle bundle(TempBundle::Tool::Real);
    LoopImage image(LoopImage::FileSystem::Btrfs, 160ull << 20);
    image.mount();
    const QString root = QString::fromStdString(image.mountPoint());
    const QByteArray marker = "ZQCOWMARKER";
    for (const char* name : {"/window.txt", "/cli.txt", "/loader.txt"}) {
        QFile file(root + QString::fromLatin1(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (int i = 0; i < 200; ++i)
            file.write(marker + QByteArray(53, '.'));
    }
    ::sync();

    // The window: a warning in the confirmation, the note in the success view, the history.
    {
        FileEraserViewController module(nullptr);
        module.show();
        module.addPaths({root + QStringLiteral("/window.txt")});
        ASSERT_EQ(module.valueArr().size(), 1);
        QString warning;
        Answerer answerer({{"MakeSureFileEraserViewControoler", "eraseButton", {}},
                           {"FileEraserSuccessViewController", "wipeFreeSpaceButton", {}},
                           {"FileEraserFailViewController", "okButton", {}}});
        answerer.inspect = [&](QWidget* view) {
            for (QLabel* label : view->findChildren<QLabel*>(QStringLiteral("warningText")))
                warning += label->text();
        };
        QSignalSpy finished(&module, &FileEraserViewController::erasureFinished);
        QSignalSpy offer(&module, &FileEraserViewController::freeSpaceWipeRequested);
        module.listView()->eraseButton()->click();
        if (finished.isEmpty()) {
            ASSERT_TRUE(finished.wait(60000));
        }
        // The success view offers the free-space wipe of that one volume.
        ASSERT_TRUE(!offer.isEmpty() || offer.wait(2000));
        EXPECT_EQ(offer.first().first().toString(), root);
        EXPECT_TRUE(warning.contains(QLatin1String("copy-on-write volume")))
            << warning.toStdString();
        EXPECT_TRUE(warning.contains(QLatin1String("Earlier copies may remain")))
            << "the success view says it too: " << warning.toStdString();
        const HistoryData history = DoDataBase::returnDoDataBase()->getAllData();
        ASSERT_EQ(history.size(), 1);
        EXPECT_EQ(history.first().last().result, EraseReport::kCopyOnWriteResult);
    }
    // The command line.
    const ProgramRun r =
        runProgram(kKorvane, {"erase", "--yes", QFile::encodeName(root + "/cli.txt")},
                   bundle.work(), outerOf(bundle));
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QLatin1String("copy-on-write volume"))) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QLatin1String("earlier copies may remain"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("korvane wipe-free-space '%1'").arg(root)))
        << "it says which wipe to run: " << r.out.toStdString();
    // The loader's window asks first.
    {
        EraserWC window(nullptr, QString(), {});
        window.show();
        window.eumeFileWithPath(root + QStringLiteral("/loader.txt"));
        for (int waited = 0; waited < 20000 && window.isPlanning(); waited += 20)
            QTest::qWait(20);
        ASSERT_TRUE(window.asksFirst());
        EXPECT_TRUE(window.confirmText->text().contains(QLatin1String("copy-on-write")));
        window.confirmEraseButton->click();
        ASSERT_TRUE(waitForLoaderResult(window));
        EXPECT_TRUE(window.succeeded());
        EXPECT_TRUE(window.resultText->text().contains(QLatin1String("Earlier copies may remain")));
    }
    image.unmount();
    // Not asserted: what the volume keeps is its own business, which is why the user is told.
    std::printf("copy-on-write volume: %zu of 600 marker copies still in the raw image\n",
                image.count(marker.toStdString()));
}

} // namespace
