#include "LoopImage.h"
#include "NamedFiles.h"

#include "app/Main/WipeDisk/FreeSpaceWipeJob.h"
#include "app/Main/WipeDisk/WipeWorkFolder.h"
#include "app/inter/DoDataBase.h"
#include "app/inter/HistorySchema.h"
#include "platform/BundleLocator.h"
#include "tests/support/RealToolBundle.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using testsupport::LoopImage;
using testsupport::NamedFiles;

namespace {

// A throw-away bundle with an empty history, so every wipe is recorded there and nowhere else,
// holding the real srm where it is built (the names left in FAT and exFAT folders need it).
class WipeBundle {
public:
    WipeBundle() {
        QString outer = makeRealToolBundle(m_dir.path());
        if (outer.isEmpty())
            outer = m_dir.path() + QStringLiteral("/KorvaneLoader.app");
        m_resources =
            outer + QStringLiteral("/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources");
        QDir().mkpath(m_resources);
        QDir().mkpath(outer + QStringLiteral("/Contents/Resources"));
        std::string error;
        EXPECT_TRUE(HistorySchema::createDatabase(
            (m_resources + QStringLiteral("/DataBase.db")).toStdString(), 0600, error))
            << error;
        BundleLocator::setOuterBundlePath(outer);
    }
    ~WipeBundle() { BundleLocator::setOuterBundlePath(QString()); }

private:
    QTemporaryDir m_dir;
    QString m_resources;
};

void writeMarked(const std::string& path, const std::string& marker, std::size_t bytes) {
    std::string data;
    while (data.size() < bytes)
        data += marker + "|";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0) << path;
    ASSERT_EQ(::write(fd, data.data(), data.size()), ssize_t(data.size()));
    ASSERT_EQ(::fsync(fd), 0);
    ::close(fd);
}

VolumeObj volumeAt(const std::string& mountPoint, const QString& name,
                   const QString& type = QString()) {
    VolumeObj v;
    v.volumeName = name;
    v.volumeMountPoint = QString::fromStdString(mountPoint);
    v.volumeType = type;
    return v;
}

// The type the volume tool reports for FS.
QString typeNameOf(LoopImage::FileSystem fs) {
    switch (fs) {
    case LoopImage::FileSystem::Vfat:
        return QStringLiteral("MS-DOS FAT16");
    case LoopImage::FileSystem::Exfat:
        return QStringLiteral("ExFAT");
    default:
        return QString::fromLatin1(LoopImage::name(fs));
    }
}

// Runs JOB to its end; ON_PROGRESS sees each progress text.
bool runToEnd(FreeSpaceWipeJob& job, const std::function<void(const QString&)>& onProgress = {}) {
    bool ended = false;
    QObject::connect(&job, &FreeSpaceWipeJob::finished, [&] { ended = true; });
    if (onProgress)
        QObject::connect(&job, &FreeSpaceWipeJob::progress,
                         [&](const QString& text, double) { onProgress(text); });
    job.start();
    QElapsedTimer clock;
    clock.start();
    while (!ended && clock.elapsed() < 300000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return ended;
}

QString lastHistoryResult() {
    const HistoryData history = DoDataBase::returnDoDataBase()->getAllData();
    if (history.isEmpty())
        return QStringLiteral("(none)");
    return history.first().last().result;
}

class FreeSpaceWipeProof : public ::testing::TestWithParam<LoopImage::FileSystem> {};

// Files removed with plain rm leave their data in the free space; one pass of the wipe leaves
// none of it, ends with the volume as it was (no work folder, the kept file intact) and is
// recorded as erased. On FAT and exFAT, where removed names stay in the folders' free slots,
// none of those names is left either.
TEST_P(FreeSpaceWipeProof, OnePassLeavesNothingOfDeletedFiles) {
    if (std::string why = LoopImage::unavailableReason(GetParam()); !why.empty())
        GTEST_SKIP() << why;
    WipeBundle bundle;
    LoopImage image(GetParam(),
                    GetParam() == LoopImage::FileSystem::Btrfs ? 160u << 20 : 48u << 20);
    image.mount();
    const std::string root = image.mountPoint();
    ASSERT_EQ(::mkdir((root + "/old").c_str(), 0755), 0);
    for (int i = 0; i < 4; ++i)
        writeMarked(root + "/old/deleted" + std::to_string(i),
                    "ZQGONE" + std::to_string(i) + "MARK", 3u << 20);
    writeMarked(root + "/kept.txt", "ZQKEPTMARK", 20000);
    const bool slotNames =
        GetParam() == LoopImage::FileSystem::Vfat || GetParam() == LoopImage::FileSystem::Exfat;
    NamedFiles::allowUnicode(GetParam() != LoopImage::FileSystem::Vfat);
    const std::vector<std::string> removedNames = NamedFiles::names(NamedFiles::Set::Erased);
    if (slotNames) {
        // Removed files among kept ones, in a folder that stays and in the root.
        NamedFiles::write(root + "/stays", NamedFiles::Set::Kept);
        NamedFiles::write(root + "/stays", NamedFiles::Set::Erased);
        const std::string inRoot = root + "/" + removedNames.front();
        ASSERT_EQ(::rename((root + "/stays/" + removedNames.front()).c_str(), inRoot.c_str()), 0);
        ASSERT_EQ(::unlink(inRoot.c_str()), 0);
        for (const std::string& name : removedNames)
            ::unlink((root + "/stays/" + name).c_str());
    }
    ASSERT_EQ(LoopImage::run({"rm", "-r", root + "/old"}), 0);
    ::sync();
    image.unmount();
    std::size_t before = 0;
    for (int i = 0; i < 4; ++i)
        before += image.count("ZQGONE" + std::to_string(i) + "MARK");
    ASSERT_GT(before, 0u) << "rm leaves the data of deleted files";
    if (slotNames) {
        ASSERT_EQ(NamedFiles::tracesLeft(image, removedNames).size(), removedNames.size())
            << "rm leaves the names in the folders";
    }
    image.mount();

    // ext4's clusters kept back from data are let go for the last stretch and given back.
    auto reservedClusters = [&] {
        std::string device;
        LoopImage::run({"findmnt", "-no", "SOURCE", root}, &device);
        QFile file(QStringLiteral("/sys/fs/ext4/%1/reserved_clusters")
                       .arg(QFileInfo(QString::fromStdString(device).trimmed()).fileName()));
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
    };
    const QByteArray reservedBefore = reservedClusters();

    struct stat folder {};
    const bool folderSizeUnknown =
        slotNames && ::stat((root + "/stays").c_str(), &folder) == 0 && folder.st_size == 0;
    FreeSpaceWipeJob job(volumeAt(root, QStringLiteral("PROOF"), typeNameOf(GetParam())),
                         {1, true, false, {}});
    QStringList texts;
    ASSERT_TRUE(runToEnd(job, [&](const QString& text) { texts << text; }));
    EXPECT_TRUE(job.report().ok) << job.report().reason.toStdString();
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_EQ(texts.last(), QStringLiteral("Erased 100% in 1 of 1 pass"));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(root) + QStringLiteral("/.Korvane")));
    EXPECT_EQ(lastHistoryResult(), QStringLiteral("Erased"));
    EXPECT_EQ(reservedClusters(), reservedBefore);
    image.unmount();

    std::size_t left = 0;
    for (int i = 0; i < 4; ++i)
        left += image.count("ZQGONE" + std::to_string(i) + "MARK");
    EXPECT_EQ(left, 0u) << LoopImage::name(GetParam()) << ": " << left << " markers of " << before
                        << " left";
    EXPECT_GE(image.count("ZQKEPTMARK"), 1000u) << "the files on the volume are not touched";
    if (slotNames && folderSizeUnknown) {
        // The FUSE FAT driver tells no folder's size: no entry can be made there without the
        // risk of growing the folder, and the result says so.
        EXPECT_TRUE(job.report().notes.contains(
            QStringLiteral("Names of deleted files may remain in some folders of this volume.")))
            << job.report().notes.join(QLatin1Char('|')).toStdString();
    } else if (slotNames) {
        EXPECT_EQ(NamedFiles::tracesLeft(image, removedNames), std::vector<std::string>());
        EXPECT_EQ(NamedFiles::markersLeft(image, NamedFiles::Set::Erased), 0u);
        image.mount();
        const std::vector<std::string> kept = NamedFiles::names(NamedFiles::Set::Kept);
        for (const std::string& name : kept)
            EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(root + "/stays/" + name))) << name;
        EXPECT_EQ(QDir(QString::fromStdString(root + "/stays"))
                      .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                      .size(),
                  qsizetype(kept.size()))
            << "no throw-away entry is left";
    }
}

INSTANTIATE_TEST_SUITE_P(Images, FreeSpaceWipeProof,
                         ::testing::Values(LoopImage::FileSystem::Ext4, LoopImage::FileSystem::Vfat,
                                           LoopImage::FileSystem::Exfat,
                                           LoopImage::FileSystem::Btrfs),
                         [](const auto& info) { return std::string(LoopImage::name(info.param)); });

// Stopped half-way, the wipe removes its files and ends as failed, "canceled by the user"; on a
// volume it cannot write to it fails at once. Both are recorded as failed.
TEST(FreeSpaceWipeEnds, CancelledOrReadOnlyIsAFailureAndLeavesNoWorkFolder) {
    if (std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4); !why.empty())
        GTEST_SKIP() << why;
    WipeBundle bundle;
    LoopImage image(LoopImage::FileSystem::Ext4, 96u << 20);
    image.mount();
    const std::string root = image.mountPoint();
    {
        FreeSpaceWipeJob job(volumeAt(root, QStringLiteral("STOPPED")), {3, true, false, {}});
        ASSERT_TRUE(runToEnd(job, [&](const QString&) { job.cancel(); }));
        EXPECT_FALSE(job.report().ok);
        EXPECT_TRUE(job.report().cancelled);
        EXPECT_EQ(job.report().reason, FreeSpaceWipeJob::kCancelled);
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(root) + QStringLiteral("/.Korvane")));
        EXPECT_EQ(lastHistoryResult(), QStringLiteral("Failed"));
    }
    ASSERT_EQ(LoopImage::run({"mount", "-o", "remount,ro", root}), 0);
    {
        FreeSpaceWipeJob job(volumeAt(root, QStringLiteral("READONLY")), {1, true, false, {}});
        ASSERT_TRUE(runToEnd(job));
        EXPECT_FALSE(job.report().ok);
        EXPECT_EQ(job.report().reason, FreeSpaceWipeJob::kOccupied);
    }
    LoopImage::run({"mount", "-o", "remount,rw", root});
}

// A work folder a killed wipe left behind is found and removed, with its fill files; anything
// else in it (not ours) stays.
TEST(FreeSpaceWipeEnds, LeftoverWorkFolderIsRemovedWithItsFillFilesOnly) {
    QTemporaryDir volume;
    const QString folder = WipeWorkFolder::pathFor(volume.path());
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const char* name : {"/.korvane_1", "/.korvane_2"}) {
        QFile file(folder + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(WipeWorkFolder::removeLeftovers({volume.path()}), QStringList{folder});
    EXPECT_FALSE(QFileInfo::exists(folder));

    ASSERT_TRUE(QDir().mkpath(folder));
    QFile mine(folder + QStringLiteral("/notes.txt"));
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.close();
    EXPECT_TRUE(WipeWorkFolder::removeLeftovers({volume.path()}).isEmpty());
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/notes.txt")));
}

// The folder of a wipe that is running is not a leftover: a rescan of the volumes (any mount
// anywhere starts one) or a second wipe of the volume used to take it from under the first.
TEST(FreeSpaceWipeEnds, TheWorkFolderOfARunningWipeIsNeitherSweptNorTakenOver) {
    QTemporaryDir volume;
    const QString folder = WipeWorkFolder::pathFor(volume.path());
    const int held = WipeWorkFolder::create(folder);
    ASSERT_GE(held, 0);
    QFile fill(folder + QStringLiteral("/.korvane_1"));
    ASSERT_TRUE(fill.open(QIODevice::WriteOnly));
    fill.close();

    EXPECT_TRUE(WipeWorkFolder::removeLeftovers({volume.path()}).isEmpty());
    EXPECT_LT(WipeWorkFolder::create(folder), 0) << "a second wipe of the volume";
    EXPECT_TRUE(fill.exists());

    EXPECT_TRUE(WipeWorkFolder::release(folder, held));
    EXPECT_FALSE(QFileInfo::exists(folder));
}

} // namespace
