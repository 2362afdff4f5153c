// Disk copy between two loop-mounted volumes: a tree of 10,000 files and a 1 GiB file copied and
// verified byte for byte; a cancelled copy that leaves no partial file under its name; files
// already there; and the copies that must not start.
#include "LoopImage.h"
#include "app/FileCopy/DiskCopyJob.h"

#include "tests/utils/QStringPrinter.h"
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

TEST_F(DiskCopyTest, ACancelledCopyLeavesNoPartialFileUnderItsName) {
    LoopImage from(LoopImage::FileSystem::Ext4, 400u << 20),
        to(LoopImage::FileSystem::Ext4, 400u << 20);
    from.mount();
    to.mount();
    const QString source = QString::fromStdString(from.mountPoint());
    write(source + "/small.txt", "small");
    write(source + "/zlarge.bin", QByteArray(300 << 20, 'L'));
    const QString destination = QString::fromStdString(to.mountPoint());
    std::atomic_bool cancel{false};
    DiskCopyJob job({source + "/small.txt", source + "/zlarge.bin"}, destination,
                    {true, DiskCopyJob::Existing::Skip});
    job.setProgressSink([&](const DiskCopyJob::Progress& p) {
        if (p.currentFile.endsWith(QLatin1String("zlarge.bin")) && p.doneBytes > (50u << 20))
            cancel = true;
    });
    const DiskCopyJob::Report report = job.run(cancel);
    EXPECT_TRUE(report.cancelled);
    EXPECT_FALSE(report.ok());
    EXPECT_FALSE(QFileInfo::exists(destination + "/zlarge.bin"));
    EXPECT_FALSE(QFileInfo::exists(destination + "/small.txt")) << "written, but not yet checked";
    EXPECT_TRUE(leftovers(destination).isEmpty());
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
