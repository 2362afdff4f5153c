#include "LoopImage.h"
#include "NamedFiles.h"
#include "tests/support/RealToolBundle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using testsupport::LoopImage;
using testsupport::NamedFiles;

namespace {

const QString kKorvane = QStringLiteral(KORVANE_BUILD_DIR "/bin/korvane");

// The erasures run against a throw-away copy of the bundle holding the real tool, so that the
// build tree's own history and settings stay untouched.
const QString& bundle() {
    static QTemporaryDir root;
    static const QString outer = makeRealToolBundle(root.path());
    return outer;
}

bool haveSrm() {
    return !bundle().isEmpty();
}

void writeMarked(const QString& path, const QByteArray& marker, int copies) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    QByteArray data;
    for (int i = 0; i < copies; ++i)
        data += marker + QByteArray::number(i) + '\n';
    ASSERT_EQ(file.write(data), data.size());
}

struct EraseRun {
    int code;
    QString out;
    QString err;
};

EraseRun erase(const QStringList& paths) {
    QProcess process;
    process.start(kKorvane, QStringList{QStringLiteral("erase"), QStringLiteral("--yes"),
                                        QStringLiteral("--bundle"), bundle()} +
                                paths);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

EraseRun wipeVolume(const std::string& mountPoint) {
    QProcess process;
    process.start(kKorvane, {QStringLiteral("wipe-volume"), QString::fromStdString(mountPoint),
                             QStringLiteral("--level"), QStringLiteral("1"),
                             QStringLiteral("--yes"), QStringLiteral("--bundle"), bundle()});
    process.closeWriteChannel();
    process.waitForFinished(180000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

// KEY of the volume mounted at MOUNTPOINT, as the volume tool reports it ("" when none).
QString volumeInfo(const std::string& mountPoint, const char* key) {
    QProcess tool;
    tool.start(
        QFileInfo(bundle()).filePath() +
            QStringLiteral("/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources/"
                           "diskutil"),
        {QStringLiteral("info"), QStringLiteral("-plist"), QString::fromStdString(mountPoint)});
    tool.waitForFinished(10000);
    const QString out = QString::fromUtf8(tool.readAllStandardOutput());
    const QRegularExpressionMatch value =
        QRegularExpression(
            QStringLiteral("<key>%1</key>\\s*<string>([^<]*)</string>").arg(QLatin1String(key)))
            .match(out);
    return value.captured(1);
}

// A two-level tree of named, marked files: what a whole-volume wipe must leave nothing of.
void writeOldTree(const std::string& root) {
    const std::string top = root + "/" + NamedFiles::folderNames()[0];
    NamedFiles::write(top, NamedFiles::Set::Kept);
    NamedFiles::write(top + "/" + NamedFiles::folderNames()[1], NamedFiles::Set::Erased);
    ::sync();
}

void expectNothingOldLeft(const LoopImage& image) {
    for (NamedFiles::Set set : {NamedFiles::Set::Kept, NamedFiles::Set::Erased}) {
        EXPECT_EQ(NamedFiles::markersLeft(image, set), 0u);
        EXPECT_EQ(NamedFiles::tracesLeft(image, NamedFiles::names(set)),
                  std::vector<std::string>());
    }
    EXPECT_EQ(NamedFiles::tracesLeft(image, NamedFiles::folderNames()), std::vector<std::string>());
}

class EraseProofTest : public ::testing::TestWithParam<LoopImage::FileSystem> {};

// A marked tree with nested folders, an empty file and a link to a folder outside it is erased
// through `korvane erase`; afterwards the raw image holds no marker of the tree while the linked
// folder outside keeps its data.
TEST_P(EraseProofTest, MarkedTreeLeavesNoBytesAndLinkedFolderSurvives) {
    const std::string why = LoopImage::unavailableReason(GetParam());
    if (!why.empty())
        GTEST_SKIP() << why;
    if (!haveSrm())
        GTEST_SKIP() << "the srm tool is not built into the bundle";
    LoopImage image(GetParam(), 48ull << 20);
    image.mount();
    const QString root = QString::fromStdString(image.mountPoint());
    const QString tree = root + QStringLiteral("/tree");
    writeMarked(tree + QStringLiteral("/top.txt"), "ZQTOPMARK", 4000);
    writeMarked(tree + QStringLiteral("/sub/deeper/inner.bin"), "ZQINNERMARK", 30000);
    writeMarked(tree + QStringLiteral("/sub/tiny"), "ZQTINYMARK", 1);
    QFile(tree + QStringLiteral("/sub/empty")).open(QIODevice::WriteOnly);
    writeMarked(root + QStringLiteral("/outside/keep.txt"), "ZQKEEPMARK", 2000);
    const bool links = GetParam() == LoopImage::FileSystem::Ext4;
    if (links)
        ASSERT_TRUE(QFile::link(root + QStringLiteral("/outside"),
                                tree + QStringLiteral("/sub/to-outside")));

    // The markers are on the image before the erasure.
    image.unmount();
    ASSERT_GE(image.count("ZQINNERMARK"), 30000u);
    ASSERT_GE(image.count("ZQTOPMARK"), 4000u);
    image.mount();

    const EraseRun run = erase({tree});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Erased ") + tree + QLatin1Char('\n'));
    EXPECT_FALSE(QFileInfo::exists(tree));
    EXPECT_TRUE(QFileInfo::exists(root + QStringLiteral("/outside/keep.txt")));
    image.unmount();

    for (const char* marker : {"ZQTOPMARK", "ZQINNERMARK", "ZQTINYMARK"})
        EXPECT_EQ(image.count(marker), 0u) << marker << " left on " << LoopImage::name(GetParam());
    EXPECT_GE(image.count("ZQKEEPMARK"), 2000u);
}

// Six files chosen in a folder that stays and a chosen folder tree: after `korvane erase` the
// raw image holds no trace of their names (nor of their data), where six files removed with rm
// before the erasure left every name.
TEST_P(EraseProofTest, ErasedNamesLeaveNoTraceWherePlainRemovalLeavesThem) {
    const std::string why = LoopImage::unavailableReason(GetParam());
    if (!why.empty())
        GTEST_SKIP() << why;
    if (!haveSrm())
        GTEST_SKIP() << "the srm tool is not built into the bundle";
    using Set = NamedFiles::Set;
    NamedFiles::allowUnicode(GetParam() != LoopImage::FileSystem::Vfat);
    LoopImage image(GetParam(), 64ull << 20);
    image.mount();
    const std::string root = image.mountPoint();
    const std::string kept = root + "/kept", tree = root + "/" + NamedFiles::folderNames()[0];
    NamedFiles::write(kept, Set::Kept);
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(tree)));
    NamedFiles::write(tree + "/" + NamedFiles::folderNames()[1], Set::Erased);
    NamedFiles::write(root + "/control", Set::Control);
    for (const std::string& name : NamedFiles::names(Set::Control))
        ASSERT_EQ(LoopImage::run({"rm", root + "/control/" + name}), 0);
    ::sync();
    image.unmount();
    ASSERT_EQ(NamedFiles::tracesLeft(image, NamedFiles::names(Set::Control)).size(), 6u)
        << "plain rm leaves every name";
    image.mount();

    QStringList chosen;
    QString expected;
    for (const std::string& name : NamedFiles::names(Set::Kept))
        chosen << QString::fromStdString(kept + "/" + name);
    chosen << QString::fromStdString(tree);
    for (const QString& path : chosen)
        expected += QStringLiteral("Erased ") + path + QLatin1Char('\n');
    const EraseRun run = erase(chosen);
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, expected) << "as root nothing is left in a journal to speak of";
    EXPECT_EQ(QDir(QString::fromStdString(kept))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList())
        << "no throw-away entry is left";
    image.unmount();

    for (Set set : {Set::Kept, Set::Erased}) {
        EXPECT_EQ(NamedFiles::tracesLeft(image, NamedFiles::names(set)), std::vector<std::string>())
            << LoopImage::name(GetParam());
        EXPECT_EQ(NamedFiles::markersLeft(image, set), 0u);
    }
    EXPECT_EQ(NamedFiles::tracesLeft(image, NamedFiles::folderNames()), std::vector<std::string>());
}

// A user without the right to empty the ext4 journal is told that names may remain there,
// rather than that the file was simply erased.
TEST(EraseProofJournalTest, AUserRunOnExt4SaysNamesMayRemainInTheJournal) {
    const std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4);
    if (!why.empty())
        GTEST_SKIP() << why;
    if (LoopImage::run({"setpriv", "--version"}) != 0)
        GTEST_SKIP() << "setpriv is not installed";
    QTemporaryDir root;
    const QString userBundle = makeRealToolBundle(root.path());
    if (userBundle.isEmpty())
        GTEST_SKIP() << "the srm tool is not built into the bundle";
    const QString home = root.path() + QStringLiteral("/home");
    ASSERT_TRUE(QDir().mkpath(home));
    ASSERT_EQ(LoopImage::run({"chmod", "-R", "a+rX", root.path().toStdString()}), 0);
    ASSERT_EQ(LoopImage::run({"chown", "65534:65534", home.toStdString()}), 0);
    LoopImage image(LoopImage::FileSystem::Ext4, 32ull << 20);
    image.mount();
    const std::string folder = image.mountPoint() + "/user";
    NamedFiles::write(folder, NamedFiles::Set::Kept);
    const std::string mountPoint = image.mountPoint();
    ASSERT_EQ(LoopImage::run({"chown", "-R", "65534:65534", folder}), 0);
    ASSERT_EQ(LoopImage::run({"chmod", "755", mountPoint.substr(0, mountPoint.rfind('/'))}), 0);
    const std::string path = folder + "/" + NamedFiles::names(NamedFiles::Set::Kept)[0];

    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(QStringLiteral("setpriv"),
                  {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                   QStringLiteral("--clear-groups"), QStringLiteral("env"),
                   QStringLiteral("HOME=") + home, kKorvane, QStringLiteral("erase"),
                   QStringLiteral("--yes"), QStringLiteral("--bundle"), userBundle,
                   QString::fromStdString(path)});
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(60000));
    const QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(out, QStringLiteral("Erased %1\n  names may remain in the file system journal "
                                  "(emptying it needs administrator rights)\n")
                       .arg(QString::fromStdString(path)));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path)));
}

// On a copy-on-write volume overwriting a file leaves its earlier blocks in the free space;
// `korvane erase` says which free-space wipe to run, and after it no marker is left.
TEST(EraseProofCopyOnWriteTest, EraseThenFreeSpaceWipeLeavesNoMarkerOnBtrfs) {
    const std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Btrfs);
    if (!why.empty())
        GTEST_SKIP() << why;
    if (!haveSrm())
        GTEST_SKIP() << "the srm tool is not built into the bundle";
    LoopImage image(LoopImage::FileSystem::Btrfs, 160ull << 20);
    image.mount();
    const QString root = QString::fromStdString(image.mountPoint());
    // Over 5 MiB, so srm erases it alone with a sync after each pass. A small file's passes
    // share one commit per pass with their batch, after which btrfs may put the next pass on
    // the blocks the first one freed: the marker could then be gone by chance, not by design.
    writeMarked(root + QStringLiteral("/secret.txt"), "ZQCOWPROOF", 320000);
    ::sync();
    const EraseRun erased = erase({root + QStringLiteral("/secret.txt")});
    EXPECT_EQ(erased.code, 0) << erased.err.toStdString();
    EXPECT_TRUE(erased.out.contains(QStringLiteral("korvane wipe-free-space '%1'").arg(root)))
        << erased.out.toStdString();
    image.unmount();
    EXPECT_GT(image.count("ZQCOWPROOF"), 0u) << "the overwrite alone leaves the earlier blocks";
    image.mount();

    QProcess wipe;
    wipe.start(kKorvane, {QStringLiteral("wipe-free-space"), root, QStringLiteral("--level"),
                          QStringLiteral("1"), QStringLiteral("--yes"), QStringLiteral("--bundle"),
                          bundle()});
    wipe.closeWriteChannel();
    ASSERT_TRUE(wipe.waitForFinished(120000));
    EXPECT_EQ(wipe.exitCode(), 0) << wipe.readAllStandardError().toStdString();
    EXPECT_TRUE(wipe.readAllStandardOutput().startsWith("Erased the free space of "));
    image.unmount();
    EXPECT_EQ(image.count("ZQCOWPROOF"), 0u);
}

// `korvane wipe-volume`: afterwards the image holds no marker and no name of any old file, and
// the volume has its type and name as before.
TEST_P(EraseProofTest, WholeVolumeWipeLeavesNoOldDataOrNameAndKeepsTypeAndLabel) {
    const std::string why = LoopImage::unavailableReason(GetParam());
    if (!why.empty())
        GTEST_SKIP() << why;
    if (GetParam() == LoopImage::FileSystem::Vfat)
        GTEST_SKIP() << "the FUSE FAT driver mounts images, not block devices: no volume to list";
    if (!haveSrm())
        GTEST_SKIP() << "the srm tool is not built into the bundle";
    NamedFiles::allowUnicode(true);
    LoopImage image(GetParam(), 64ull << 20);
    image.mount();
    const std::string root = image.mountPoint();
    writeOldTree(root);
    auto info = [&](const char* key) { return volumeInfo(root, key); };
    const QString typeBefore = info("FilesystemName"), nameBefore = info("VolumeName");
    ASSERT_FALSE(typeBefore.isEmpty());
    ASSERT_FALSE(nameBefore.isEmpty());

    const EraseRun run = wipeVolume(root);
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(QLatin1String("Erased "))) << run.out.toStdString();
    EXPECT_EQ(info("FilesystemName"), typeBefore);
    EXPECT_EQ(info("VolumeName"), nameBefore);
    image.unmount();
    expectNothingOldLeft(image);
}

// An NTFS volume comes out of the whole-volume wipe as MS-DOS FAT32 "NEW", and nothing of its
// old files, data or names, is left in the image.
TEST(EraseProofNtfsTest, WholeVolumeWipeMakesItFat32NewWithNothingOldLeft) {
    const std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ntfs);
    if (!why.empty())
        GTEST_SKIP() << why;
    if (!haveSrm())
        GTEST_SKIP() << "the srm tool is not built into the bundle";
    if (QStandardPaths::findExecutable(QStringLiteral("mkfs.vfat"), {"/sbin", "/usr/sbin"})
            .isEmpty())
        GTEST_SKIP() << "mkfs.vfat is not installed";
    NamedFiles::allowUnicode(true);
    LoopImage image(LoopImage::FileSystem::Ntfs, 96ull << 20);
    image.mount();
    const std::string root = image.mountPoint();
    writeOldTree(root);
    ASSERT_EQ(volumeInfo(root, "FilesystemName"), QStringLiteral("NTFS"));

    const EraseRun run = wipeVolume(root);
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(QLatin1String("Erased NEW: "))) << run.out.toStdString();
    EXPECT_EQ(volumeInfo(root, "FilesystemName"), QStringLiteral("MS-DOS FAT32"));
    EXPECT_EQ(volumeInfo(root, "VolumeName"), QStringLiteral("NEW"));
    image.unmount();
    expectNothingOldLeft(image);
}

// A file with a second hard link outside the chosen paths: its data stays (overwriting it would
// destroy the other file), so the path is reported Failed and the other name reads as before.
TEST(EraseProofHardLinkTest, HardLinkedFileIsFailedAndItsOtherNameKeepsItsData) {
    const std::string why = LoopImage::unavailableReason(LoopImage::FileSystem::Ext4);
    if (!why.empty())
        GTEST_SKIP() << why;
    if (!haveSrm())
        GTEST_SKIP() << "the srm tool is not built into the bundle";
    LoopImage image(LoopImage::FileSystem::Ext4, 32ull << 20);
    image.mount();
    const QString root = QString::fromStdString(image.mountPoint());
    writeMarked(root + QStringLiteral("/kept/original"), "ZQLINKEDMARK", 1000);
    QDir().mkpath(root + QStringLiteral("/chosen"));
    const QString second = root + QStringLiteral("/chosen/second-name");
    ASSERT_EQ(::link(QFile::encodeName(root + QStringLiteral("/kept/original")).constData(),
                     QFile::encodeName(second).constData()),
              0);
    QFile before(root + QStringLiteral("/kept/original"));
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray data = before.readAll();
    before.close();

    const EraseRun run = erase({second});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, QStringLiteral("Failed %1\n  %1: its data is still reachable through "
                                      "another name\n")
                           .arg(second));
    EXPECT_TRUE(QFileInfo::exists(second)) << "the file stays whole, under both names";
    QFile after(root + QStringLiteral("/kept/original"));
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), data);
    after.close();
    image.unmount();
    EXPECT_GE(image.count("ZQLINKEDMARK"), 1000u);
}

INSTANTIATE_TEST_SUITE_P(Images, EraseProofTest,
                         ::testing::Values(LoopImage::FileSystem::Ext4, LoopImage::FileSystem::Vfat,
                                           LoopImage::FileSystem::Exfat),
                         [](const auto& info) { return std::string(LoopImage::name(info.param)); });

} // namespace
