// Disk copy between loop-mounted volumes: a tree of 10,000 files and a 1 GiB file copied and
// verified byte for byte; a cancelled copy that keeps what it finished and leaves no partial file
// and no empty folder it made; files already there; and the copies that must not start.
#include "LoopImage.h"
#include "app/FileCopy/DiskCopyJob.h"
#include "app/FileCopy/DiskCopySummary.h"

#include "tests/utils/QStringPrinter.h"
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using testsupport::LoopImage;

void write(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// Names under FOLDER that a copy in progress would have used.
QStringList leftovers(const QString& folder) {
    QStringList found;
    for (QDirIterator it(folder,
                         QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        if (it.next().contains(QLatin1String(".kvcopy-")))
            found << it.filePath();
    return found;
}

class DiskCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4);
            !why.empty())
            GTEST_SKIP() << why;
    }
};

TEST_F(DiskCopyTest, ATreeAndALargeFileArriveWholeAndVerifiedWithTheirTimes) {
    LoopImage from(LoopImage::FileSystem::Ext4, 1400ull << 20),
        to(LoopImage::FileSystem::Ext4, 1400ull << 20);
    from.mount();
    to.mount();
    const QString source = QString::fromStdString(from.mountPoint()) + "/photos";
    for (int i = 0; i < 10000; ++i)
        write(QStringLiteral("%1/day%2/img%3.jpg").arg(source).arg(i % 50).arg(i),
              QByteArray::number(i).repeated(1 + i % 37));
    {
        QFile large(source + "/archive.bin");
        ASSERT_TRUE(large.open(QIODevice::WriteOnly));
        QByteArray chunk(1 << 20, '\0');
        for (int m = 0; m < 1024; ++m) {
            for (int k = 0; k < chunk.size(); k += 4096)
                chunk[k] = char(m ^ k);
            ASSERT_EQ(large.write(chunk), chunk.size());
        }
    }
    ASSERT_EQ(::chmod(QFile::encodeName(source + "/day3/img3.jpg").constData(), 0640), 0);
    LoopImage::run({"touch", "-d", "2019-05-04 03:02:01", (source + "/day7").toStdString()});
    ASSERT_EQ(LoopImage::run({"sh", "-c", "sync; echo 1 > /proc/sys/vm/drop_caches"}), 0);

    const QString destination = QString::fromStdString(to.mountPoint());
    DiskCopyJob job({source}, destination, {true, DiskCopyJob::Existing::Skip});
    quint64 lastDone = 0, total = 0;
    bool forward = true;
    job.setProgressSink([&](const DiskCopyJob::Progress& p) {
        forward = forward && p.doneBytes >= lastDone;
        lastDone = p.doneBytes;
        total = p.totalBytes;
    });
    std::atomic_bool cancel{false};
    const DiskCopyJob::Report report = job.run(cancel);

    EXPECT_TRUE(report.ok()) << report.refusal.toStdString()
                             << (report.failed.isEmpty() ? ""
                                                         : report.failed[0].reason.toStdString());
    EXPECT_EQ(report.copied.size(), 10001);
    EXPECT_TRUE(forward);
    EXPECT_EQ(lastDone, total) << "copied and read back: twice the bytes";
    std::string out;
    EXPECT_EQ(LoopImage::run({"diff", "-r", "--no-dereference", source.toStdString(),
                              (destination + "/photos").toStdString()},
                             &out),
              0)
        << out.substr(0, 400);
    struct stat a {
    }, b{};
    ::stat(QFile::encodeName(source + "/day3/img3.jpg").constData(), &a);
    ::stat(QFile::encodeName(destination + "/photos/day3/img3.jpg").constData(), &b);
    EXPECT_EQ(b.st_mode & 07777, 0640u);
    EXPECT_EQ(b.st_mtim.tv_sec, a.st_mtim.tv_sec);
    ::stat(QFile::encodeName(source + "/day7").constData(), &a);
    ::stat(QFile::encodeName(destination + "/photos/day7").constData(), &b);
    EXPECT_EQ(b.st_mtim.tv_sec, a.st_mtim.tv_sec) << "a folder's time, set after its contents";
    EXPECT_TRUE(leftovers(destination).isEmpty());
}

// Cancelled inside a folder it made, after one batch was checked and named: what was named stays,
// nothing partial stays, the folders it made go once empty, those that were there stay, and the
// report counts what was not copied.
TEST_F(DiskCopyTest, ACancelledCopyKeepsWhatItFinishedAndLeavesNoPartialFileOrEmptyFolder) {
    LoopImage to(LoopImage::FileSystem::Ext4, 700u << 20);
    to.mount();
    QTemporaryDir sourceDir;
    const QString source = sourceDir.path() + "/trip";
    write(source + "/a.bin", QByteArray(260 << 20, 'A')); // one verify batch: checked and named
    write(source + "/album/b.txt", "b");
    write(source + "/album/new/zlarge.bin", QByteArray(300 << 20, 'L'));
    write(source + "/zz/deep/c.txt", "c");
    const QString destination = QString::fromStdString(to.mountPoint());
    QDir().mkpath(destination + "/trip/album"); // there before: stays, though empty after
    std::atomic_bool cancel{false};
    DiskCopyJob job({source}, destination, {true, DiskCopyJob::Existing::Skip});
    job.setProgressSink([&](const DiskCopyJob::Progress& p) {
        if (p.currentFile.endsWith(QLatin1String("zlarge.bin")) && p.doneBytes > (570u << 20))
            cancel = true;
    });
    const DiskCopyJob::Report report = job.run(cancel);

    EXPECT_TRUE(report.cancelled);
    EXPECT_FALSE(report.ok());
    EXPECT_EQ(report.copied, QStringList{destination + "/trip/a.bin"});
    EXPECT_EQ(report.copiedBytes, 260u << 20);
    EXPECT_EQ(QFileInfo(destination + "/trip/a.bin").size(), 260 << 20);
    EXPECT_EQ(report.notCopied, 3);
    EXPECT_EQ(report.notCopiedBytes, (300u << 20) + 2);
    EXPECT_TRUE(leftovers(destination).isEmpty()) << leftovers(destination).join(' ').toStdString();
    EXPECT_FALSE(QFileInfo::exists(destination + "/trip/album/b.txt")) << "written, not checked";
    EXPECT_EQ(report.foldersRemoved, QStringList{destination + "/trip/album/new"});
    EXPECT_FALSE(QFileInfo::exists(destination + "/trip/album/new"));
    EXPECT_FALSE(QFileInfo::exists(destination + "/trip/zz"));
    EXPECT_TRUE(QFileInfo(destination + "/trip/album").isDir());
    const auto size = [](quint64 bytes) { return QString::number(bytes >> 20) + " MiB"; };
    // Read as the programs read it: with an application, which loads the English plural forms.
    static int argc = 1;
    static char name[] = "filecopy_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
    EXPECT_EQ(DiskCopySummary::counts(report, size),
              "Cancelled: 1 copied and verified (260 MiB), 3 not copied (300 MiB), 0 skipped, 0 "
              "failed.");
    EXPECT_EQ(DiskCopySummary::cleanUp(report, size),
              "No partial file was left. Removed 1 folder that this copy had made and left empty.");
}

TEST_F(DiskCopyTest, FilesInTheWayAreSkippedReplacedOrKeptBesideAndImpossibleCopiesDoNotStart) {
    LoopImage to(LoopImage::FileSystem::Ext4, 16u << 20);
    to.mount();
    const QString destination = QString::fromStdString(to.mountPoint());
    QTemporaryDir sourceDir;
    const QString source = sourceDir.path() + "/notes.txt";
    write(source, "new");
    write(destination + "/notes.txt", "old");
    std::atomic_bool cancel{false};

    QStringList asked;
    DiskCopyJob askJob({source}, destination);
    askJob.setAskExisting([&asked](const QString& path) {
        asked << path;
        return DiskCopyJob::Existing::Skip;
    });
    DiskCopyJob::Report report = askJob.run(cancel);
    EXPECT_EQ(asked, QStringList{destination + "/notes.txt"});
    EXPECT_EQ(report.skipped, QStringList{destination + "/notes.txt"});
    EXPECT_EQ(read(destination + "/notes.txt"), "old");

    report =
        DiskCopyJob({source}, destination, {false, DiskCopyJob::Existing::KeepBoth}).run(cancel);
    EXPECT_EQ(report.copied, QStringList{destination + "/notes (2).txt"});
    EXPECT_EQ(read(destination + "/notes.txt"), "old");
    EXPECT_EQ(read(destination + "/notes (2).txt"), "new");
    report = DiskCopyJob({source}, destination, {true, DiskCopyJob::Existing::Replace}).run(cancel);
    EXPECT_TRUE(report.ok());
    EXPECT_EQ(read(destination + "/notes.txt"), "new");

    // Larger than the room left, and a folder into itself: refused before anything is written.
    write(sourceDir.path() + "/big.bin", QByteArray(20 << 20, 'B'));
    report = DiskCopyJob({sourceDir.path() + "/big.bin"}, destination).run(cancel);
    EXPECT_TRUE(report.refusal.contains(QLatin1String("free"))) << report.refusal.toStdString();
    EXPECT_FALSE(QFileInfo::exists(destination + "/big.bin"));
    QDir().mkpath(sourceDir.path() + "/inner");
    report = DiskCopyJob({sourceDir.path()}, sourceDir.path() + "/inner").run(cancel);
    EXPECT_TRUE(report.refusal.contains(QLatin1String("inside"))) << report.refusal.toStdString();
}

} // namespace
