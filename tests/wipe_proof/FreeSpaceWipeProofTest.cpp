#include "LoopImage.h"
#include "NamedFiles.h"
#include "WipeProofSupport.h"

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
using namespace wipeproof;

namespace {

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
