// The real `korvane copy` killed with SIGKILL halfway through a verified copy: what it leaves is
// recognisably its own (name and mark), the next copy to the same destination removes it before
// counting the free space, `--clean` removes it on demand, and a user's files that merely look
// like it stay; so do the partial files of a copy that is still running.
#include "LoopImage.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

using testsupport::LoopImage;

const QRegularExpression
    kPartialName(QStringLiteral(R"(^\.kvcopy-([0-9a-f]{16})-[0-9]+-[0-9a-f]{8}\.part$)"));

struct CommandRun {
    int code = -1;
    QString out, err;
};

CommandRun korvane(const QStringList& args) {
    QProcess p;
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(QStringLiteral(KORVANE_BUILD_DIR "/bin/korvane"), QStringList{"copy"} + args);
    p.waitForFinished(300000);
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

// Everything under FOLDER whose name begins like a partial file, links not followed.
QStringList partialsUnder(const QString& folder) {
    QStringList found;
    for (QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        if (const QFileInfo entry(it.next()); entry.fileName().startsWith(".kvcopy-"))
            found << entry.filePath();
    found.sort();
    return found;
}

// The copy-run attribute of PATH, or "errno N" when it has none.
QByteArray runAttribute(const QString& path) {
    QByteArray value(64, '\0');
    const ssize_t n = ::lgetxattr(QFile::encodeName(path).constData(), "user.korvane.copy-run",
                                  value.data(), std::size_t(value.size()));
    return n < 0 ? "errno " + QByteArray::number(errno) : value.left(n);
}

void writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(content), content.size());
}

quint64 freeBytes(const QString& path) {
    struct statvfs vfs {};
    ::statvfs(QFile::encodeName(path).constData(), &vfs);
    return quint64(vfs.f_bavail) * vfs.f_frsize;
}

// A source folder of COUNT files of about SIZE bytes, each different; BYTES gets their total.
QString makeSource(const QTemporaryDir& dir, int count, int size, quint64* bytes = nullptr) {
    const QString source = dir.path() + "/photos";
    quint64 total = 0;
    for (int i = 0; i < count; ++i) {
        const QByteArray content = QByteArray(size, char('a' + i % 26)) + QByteArray::number(i);
        writeFile(QStringLiteral("%1/img%2.raw").arg(source).arg(i, 4, 10, QLatin1Char('0')),
                  content);
        total += quint64(content.size());
    }
    if (bytes)
        *bytes = total;
    return source;
}

// Starts `korvane copy --verify SOURCE DESTINATION` and returns once at least WANTED partial files
// are in DESTINATION, or the copy ended first (then the test fails).
void startCopyUntilPartials(QProcess& copy, const QString& source, const QString& destination,
                            int wanted) {
    copy.setStandardInputFile(QProcess::nullDevice());
    copy.start(QStringLiteral(KORVANE_BUILD_DIR "/bin/korvane"),
               {"copy", "--verify", source, destination});
    ASSERT_TRUE(copy.waitForStarted());
    while (copy.state() == QProcess::Running && partialsUnder(destination).size() < wanted)
        QThread::msleep(2);
    ASSERT_EQ(copy.state(), QProcess::Running) << "the copy ended before it could be stopped";
}

// Signals the copy; never pid 0, which would signal this test's whole process group.
void signalCopy(QProcess& copy, int signal) {
    const qint64 pid = copy.processId();
    ASSERT_GT(pid, 0) << "the copy is not running";
    ::kill(pid_t(pid), signal);
}

// SIGSTOP, returning once the process is really stopped: kill() does not wait for that.
void stopNow(QProcess& copy) {
    ASSERT_NO_FATAL_FAILURE(signalCopy(copy, SIGSTOP));
    QFile stat(QStringLiteral("/proc/%1/stat").arg(copy.processId()));
    for (int i = 0; i < 5000; ++i, QThread::msleep(1)) {
        stat.open(QIODevice::ReadOnly);
        const QByteArray line = stat.readAll();
        stat.close();
        if (line.mid(line.lastIndexOf(')') + 2, 1) == "T")
            return;
    }
    FAIL() << "the copy did not stop";
}

void killNow(QProcess& copy) {
    signalCopy(copy, SIGKILL);
    copy.waitForFinished(30000);
}

bool differ(const QString& a, const QString& b) {
    return LoopImage::run({"diff", "-r", "--no-dereference", a.toStdString(), b.toStdString()}) !=
           0;
}

class KilledCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4);
            !why.empty())
            GTEST_SKIP() << why;
    }
};

TEST_F(KilledCopyTest, LeftoversAreMarkedAndOnlyTheyGoAtTheNextCopyAndWithClean) {
    QTemporaryDir sourceDir, outside;
    quint64 needed = 0;
    const QString source = makeSource(sourceDir, 1500, 100 << 10, &needed);
    LoopImage image(LoopImage::FileSystem::Ext4, 256u << 20);
    image.mount();
    const QString destination = QString::fromStdString(image.mountPoint());

    QProcess copy;
    ASSERT_NO_FATAL_FAILURE(startCopyUntilPartials(copy, source, destination, 400));
    killNow(copy);
    const QStringList left = partialsUnder(destination);
    ASSERT_GE(left.size(), 400);
    const QString name = QFileInfo(left[0]).fileName();
    const QByteArray runId = kPartialName.match(name).captured(1).toLatin1();
    quint64 leftBytes = 0;
    QStringList unmarked;
    for (const QString& path : left) {
        if (!kPartialName.match(QFileInfo(path).fileName()).hasMatch() ||
            runAttribute(path) != runId)
            unmarked << path;
        leftBytes += quint64(QFileInfo(path).size());
    }
    EXPECT_TRUE(unmarked.isEmpty())
        << unmarked.size() << " of " << left.size() << " without the run's name and mark, such as "
        << unmarked.value(0).toStdString();

    // A user's files that only look like partial files: the very name without the mark, and with
    // the mark of another run; a link named like one; a folder link to a marked file elsewhere.
    writeFile(destination + "/" + name, "user's");
    writeFile(destination + "/keep/" + name, "user's");
    writeFile(destination + "/keep/other/" + name, "user's");
    ASSERT_EQ(::setxattr(QFile::encodeName(destination + "/keep/other/" + name).constData(),
                         "user.korvane.copy-run", "0123456789abcdef", 16, 0),
              0);
    ASSERT_TRUE(QFile::copy(left[0], outside.path() + "/" + name));
    ASSERT_EQ(::setxattr(QFile::encodeName(outside.path() + "/" + name).constData(),
                         "user.korvane.copy-run", runId.constData(), 16, 0),
              0);
    QDir().mkpath(destination + "/links");
    ASSERT_TRUE(QFile::link(outside.path() + "/" + name, destination + "/links/" + name));
    ASSERT_TRUE(QFile::link(outside.path(), destination + "/links/elsewhere"));
    const QStringList users = {destination + "/" + name, destination + "/keep/" + name,
                               destination + "/keep/other/" + name, destination + "/links/" + name};

    // Room for the copy only once the leftovers are gone, as for the retry that was refused.
    ASSERT_GT(leftBytes, 32u << 20);
    const quint64 room = freeBytes(destination), wanted = needed - leftBytes / 2;
    if (room > wanted) {
        const int filler = ::open(QFile::encodeName(destination + "/filler").constData(),
                                  O_WRONLY | O_CREAT, 0600);
        ASSERT_EQ(::posix_fallocate(filler, 0, off_t(room - wanted)), 0);
        ::close(filler);
    }
    ASSERT_LT(freeBytes(destination), needed);

    const CommandRun retry = korvane({"--verify", source, destination});
    EXPECT_EQ(retry.code, 0) << retry.out.toStdString() << retry.err.toStdString();
    EXPECT_TRUE(retry.out.contains(QStringLiteral("Removed %1 partial files").arg(left.size())))
        << retry.out.toStdString();
    EXPECT_FALSE(differ(source, destination + "/photos"));
    EXPECT_EQ(partialsUnder(destination), users);

    // Killed again, this time while a copy holding the same destination still runs: --clean
    // leaves the running copy's files, and removes them once it is gone.
    QFile::remove(destination + "/filler");
    ASSERT_TRUE(QDir(destination + "/photos").removeRecursively());
    QProcess again;
    ASSERT_NO_FATAL_FAILURE(startCopyUntilPartials(again, source, destination, users.size() + 50));
    ASSERT_NO_FATAL_FAILURE(stopNow(again));
    const QStringList running = partialsUnder(destination);
    CommandRun clean = korvane({"--clean", destination});
    EXPECT_EQ(clean.code, 0) << clean.err.toStdString();
    EXPECT_TRUE(clean.out.contains("a copy still running is writing it"));
    EXPECT_EQ(partialsUnder(destination), running);
    killNow(again);

    clean = korvane({"--clean", destination});
    EXPECT_EQ(clean.code, 0) << clean.err.toStdString();
    QStringList misreported;
    for (const QString& path : running)
        if (clean.out.contains("Removed " + path + " (") == users.contains(path) ||
            clean.out.contains("Left " + path) != users.contains(path))
            misreported << path;
    EXPECT_TRUE(misreported.isEmpty()) << misreported.join('\n').toStdString() << "\n"
                                       << clean.out.toStdString();
    EXPECT_EQ(partialsUnder(destination), users);
    EXPECT_TRUE(QFileInfo::exists(outside.path() + "/" + name)) << "behind a link";
    EXPECT_TRUE(clean.out.contains(
        QStringLiteral("Removed %1 partial files").arg(running.size() - users.size())));
}

// SIGTERM (or Ctrl-C) is a cancel: the copy removes its partial files and the folders it made,
// says it was interrupted and ends with 128 + the signal, as every verb that changes data does.
TEST_F(KilledCopyTest, ASignalCancelsAndLeavesNoPartialFile) {
    QTemporaryDir sourceDir;
    const QString source = makeSource(sourceDir, 600, 100 << 10);
    LoopImage image(LoopImage::FileSystem::Ext4, 128u << 20);
    image.mount();
    const QString destination = QString::fromStdString(image.mountPoint());

    QProcess copy;
    ASSERT_NO_FATAL_FAILURE(startCopyUntilPartials(copy, source, destination, 50));
    ASSERT_NO_FATAL_FAILURE(signalCopy(copy, SIGTERM));
    ASSERT_TRUE(copy.waitForFinished(60000));
    const QString out = QString::fromLocal8Bit(copy.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(copy.readAllStandardError());
    EXPECT_EQ(copy.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(copy.exitCode(), 128 + SIGTERM) << out.toStdString() << err.toStdString();
    EXPECT_TRUE(out.startsWith(QStringLiteral("Cancelled: "))) << out.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("Interrupted by SIGTERM"))) << err.toStdString();
    EXPECT_TRUE(partialsUnder(destination).isEmpty());
    const QStringList copied = QDir(destination + "/photos").entryList(QDir::Files);
    EXPECT_LT(copied.size(), 600);
    for (const QString& name : copied)
        EXPECT_FALSE(differ(source + "/" + name, destination + "/photos/" + name))
            << name.toStdString();
}

// exFAT holds no extended attributes: there the checked name alone marks a partial file. (Not
// FAT through fusefat: its removal of long names leaves their slots behind as other names.)
TEST_F(KilledCopyTest, OnExfatTheNameAloneMarksLeftoversAndALookalikeStays) {
    if (const std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Exfat);
        !why.empty())
        GTEST_SKIP() << why;
    QTemporaryDir sourceDir;
    const QString source = makeSource(sourceDir, 300, 64 << 10);
    LoopImage image(LoopImage::FileSystem::Exfat, 64u << 20);
    image.mount();
    const QString destination = QString::fromStdString(image.mountPoint());
    const QString lookalike = destination + "/.kvcopy-0123456789abcdef-7-00000000.part";
    writeFile(lookalike, "user's");

    QProcess copy;
    ASSERT_NO_FATAL_FAILURE(startCopyUntilPartials(copy, source, destination, 20));
    killNow(copy);
    const QStringList left = partialsUnder(destination);
    ASSERT_GT(left.size(), 10);
    QStringList named;
    for (const QString& path : left)
        if (kPartialName.match(QFileInfo(path).fileName()).hasMatch() && path != lookalike &&
            runAttribute(path) == "errno " + QByteArray::number(EOPNOTSUPP))
            named << path;
    EXPECT_EQ(named.size(), left.size() - 1) << "named as a run's, and no attribute possible";

    const CommandRun retry = korvane({"--verify", source, destination});
    EXPECT_EQ(retry.code, 0) << retry.out.toStdString() << retry.err.toStdString();
    EXPECT_TRUE(retry.out.contains(QStringLiteral("Removed %1 partial files").arg(left.size() - 1)))
        << retry.out.toStdString();
    EXPECT_EQ(partialsUnder(destination), QStringList{lookalike});
    EXPECT_EQ(QDir(destination + "/photos").entryList(QDir::Files).size(), 300);
}

} // namespace
