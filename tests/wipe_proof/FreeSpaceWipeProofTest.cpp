#include "LoopImage.h"
#include "NamedFiles.h"
#include "WipeProofSupport.h"

#include "app/Main/WipeDisk/FreeSpaceWipeJob.h"
#include "app/Main/WipeDisk/WipeWorkFolder.h"
#include "app/inter/DoDataBase.h"
#include "app/inter/HistorySchema.h"
#include "platform/BundleLocator.h"
#include "platform/Logger.h"
#include "tests/support/RealToolBundle.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

using testsupport::LoopImage;
using testsupport::NamedFiles;
using namespace wipeproof;

namespace {

class FreeSpaceWipeProof : public ::testing::TestWithParam<LoopImage::FileSystem> {};

// The sizes of the deleted and kept files: inline in btrfs's metadata (100 bytes), one block,
// several blocks, many extents.
constexpr std::size_t kSizes[] = {100, 4096, 64u << 10, 1u << 20, 100, 4096};

std::string sizedContent(const std::string& marker, std::size_t bytes) {
    std::string data;
    while (data.size() < bytes)
        data += marker + "|";
    data.resize(bytes);
    return data;
}

std::string readAll(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// Files of each size, with marked content and names, removed with plain rm from a folder
// removed whole, from a folder that stays among kept files, and from the root: after one pass
// of the wipe neither a marker nor a trace of a name is in the raw image, the kept files read
// back byte for byte, no throw-away entry is left, and the report says what was overwritten.
// On btrfs a crowd of small files is deleted too, so that the freed leaves holding inline data
// and names are more than the wipe's own commits happen to rewrite; the volume is mounted
// without discard, as a disk that takes none, since a loop device's discards punch the freed
// blocks out of the image and would hide them.
TEST_P(FreeSpaceWipeProof, OnePassLeavesNoContentAndNoNameOfDeletedFiles) {
    const LoopImage::FileSystem fs = GetParam();
    if (std::string why = LoopImage::unavailableReason(fs); !why.empty())
        GTEST_SKIP() << why;
    const bool btrfs = fs == LoopImage::FileSystem::Btrfs;
    const bool slotNames = fs == LoopImage::FileSystem::Vfat || fs == LoopImage::FileSystem::Exfat;
    Logger::setEchoToStderr(true);
    WipeBundle bundle;
    LoopImage image(fs, btrfs ? 256u << 20 : 48u << 20);
    if (btrfs)
        image.setMountOptions("nodiscard");
    image.mount();
    const std::string root = image.mountPoint();
    NamedFiles::allowUnicode(fs != LoopImage::FileSystem::Vfat);
    const std::vector<std::string> removed = NamedFiles::names(NamedFiles::Set::Erased);
    const std::vector<std::string> kept = NamedFiles::names(NamedFiles::Set::Kept);
    ASSERT_EQ(removed.size(), std::size(kSizes));
    ASSERT_EQ(::mkdir((root + "/old").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((root + "/stays").c_str(), 0755), 0);
    std::vector<std::string> removedPaths;
    for (std::size_t i = 0; i < removed.size(); ++i) {
        const std::string folder = i == 0 ? root : i % 2 ? root + "/stays" : root + "/old";
        removedPaths.push_back(folder + "/" + removed[i]);
        writeMarked(removedPaths.back(), NamedFiles::marker(NamedFiles::Set::Erased, i), kSizes[i]);
        writeMarked(root + "/stays/" + kept[i], NamedFiles::marker(NamedFiles::Set::Kept, i),
                    kSizes[i]);
    }
    constexpr int kCrowd = 4000;
    if (btrfs) {
        ASSERT_EQ(::mkdir((root + "/old/crowd").c_str(), 0755), 0);
        for (int i = 0; i < kCrowd; ++i) {
            char name[64];
            std::snprintf(name, sizeof name, "ZqCrowdedName%05dOfADeletedFile", i);
            // Synced once for all below, not each.
            QFile crowded(QString::fromStdString(root + "/old/crowd/" + name));
            ASSERT_TRUE(crowded.open(QIODevice::WriteOnly));
            ASSERT_EQ(crowded.write(sizedContent("ZQCROWDMARK", 100).c_str(), 100), 100);
        }
    }
    ::sync(); // inline data reaches the leaves when it is written back
    ASSERT_EQ(LoopImage::run({"rm", "-r", root + "/old"}), 0);
    ASSERT_EQ(
        LoopImage::run({"rm", removedPaths[0], removedPaths[1], removedPaths[3], removedPaths[5]}),
        0);
    ::sync();
    image.unmount();
    std::size_t before = NamedFiles::markersLeft(image, NamedFiles::Set::Erased);
    ASSERT_GT(before, 0u) << "rm leaves the data of deleted files";
    if (slotNames || btrfs)
        ASSERT_FALSE(NamedFiles::tracesLeft(image, removed).empty())
            << "rm leaves names in the folders' free slots or the freed metadata blocks";
    if (btrfs) {
        ASSERT_GT(image.count("ZQCROWDMARK"), 0u) << "inline data stays in freed leaves";
        ASSERT_GT(image.count("ZqCrowdedName"), 0u) << "names stay in freed leaves";
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

    FreeSpaceWipeJob job(volumeAt(root, QStringLiteral("PROOF"), typeNameOf(fs)),
                         {1, true, false, {}});
    QStringList texts;
    ASSERT_TRUE(runToEnd(job, [&](const QString& text) { texts << text; }));
    const FreeSpaceWipeJob::Report& report = job.report();
    EXPECT_TRUE(report.ok) << report.reason.toStdString();
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_EQ(texts.last(), QStringLiteral("Erased 100% in 1 of 1 pass"));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(root) + QStringLiteral("/.Korvane")));
    EXPECT_EQ(lastHistoryResult(), QStringLiteral("Erased"));
    EXPECT_EQ(reservedClusters(), reservedBefore);
    using Reach = FreeSpaceWipeJob::Report::Reach;
    EXPECT_TRUE(report.dataOverwritten);
    EXPECT_EQ(report.metadata, btrfs ? Reach::Overwritten : Reach::NotKept);
    EXPECT_EQ(report.folderSlots, slotNames ? Reach::Overwritten : Reach::NotKept);
    EXPECT_TRUE(report.foldersNotReached.isEmpty())
        << report.foldersNotReached.join(QLatin1Char(' ')).toStdString();
    ASSERT_FALSE(report.notes.isEmpty());
    EXPECT_EQ(report.notes.first(), report.reachedText());
    std::cout << LoopImage::name(fs) << ": " << report.reachedText().toStdString() << std::endl;
    for (std::size_t i = 0; i < kept.size(); ++i)
        EXPECT_EQ(readAll(root + "/stays/" + kept[i]),
                  sizedContent(NamedFiles::marker(NamedFiles::Set::Kept, i), kSizes[i]))
            << kept[i];
    EXPECT_EQ(QDir(QString::fromStdString(root + "/stays"))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                  .size(),
              qsizetype(kept.size()))
        << "no throw-away entry is left";
    image.unmount();

    EXPECT_EQ(NamedFiles::markersLeft(image, NamedFiles::Set::Erased), 0u)
        << LoopImage::name(fs) << ": of " << before << " markers";
    EXPECT_EQ(NamedFiles::tracesLeft(image, removed), std::vector<std::string>());
    if (btrfs) {
        EXPECT_EQ(image.count("ZQCROWDMARK"), 0u);
        EXPECT_EQ(image.count("ZqCrowdedName"), 0u);
    }
}

// The folders srm could not fill are named in the report, paths with ": " in them whole, and
// the report's text says so next to what was overwritten.
TEST(FreeSpaceWipeReport, NamesTheFoldersWhoseSlotsWereNotReached) {
    const QString output = QStringLiteral(
        "srm: /media/STICK/a: b: a throw-away entry could not be made: Input/output error\n"
        "srm: /media/STICK/a: b: free slots not overwritten\n"
        "srm: /media/STICK/c: free slots not overwritten\n"
        "srm: /media/STICK: names of removed entries may remain in 2 folder(s)\n");
    FreeSpaceWipeJob::Report report;
    report.foldersNotReached = FreeSpaceWipeJob::foldersNamedIn(output);
    EXPECT_EQ(report.foldersNotReached,
              (QStringList{QStringLiteral("/media/STICK/a: b"), QStringLiteral("/media/STICK/c")}));
    report.dataOverwritten = true;
    report.folderSlots = FreeSpaceWipeJob::Report::Reach::Partly;
    EXPECT_EQ(report.reachedText(),
              QStringLiteral("Overwritten: the free data blocks, the free slots of every folder "
                             "but 2. Not overwritten: the free slots of /media/STICK/a: b, "
                             "/media/STICK/c."));
}

INSTANTIATE_TEST_SUITE_P(Images, FreeSpaceWipeProof,
                         ::testing::Values(LoopImage::FileSystem::Ext4, LoopImage::FileSystem::Vfat,
                                           LoopImage::FileSystem::Exfat,
                                           LoopImage::FileSystem::Btrfs),
                         [](const auto& info) { return std::string(LoopImage::name(info.param)); });

// Stopped half-way, the wipe removes its files and ends as failed, "canceled by the user"; on a
// read-only volume it fails at once, saying so. Both are recorded as failed.
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
        EXPECT_EQ(job.report().reason, FreeSpaceWipeJob::kReadOnly);
    }
    LoopImage::run({"mount", "-o", "remount,rw", root});
}

} // namespace
