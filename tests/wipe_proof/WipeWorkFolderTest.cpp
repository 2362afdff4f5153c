// The work folder of the free-space wipe is ours by its marker, never by its name, and the
// folder of a wipe that runs is never swept.
#include "app/Main/WipeDisk/WipeWorkFolder.h"
#include "app/Main/WipeDisk/FreeSpaceWipeLock.h"
#include "app/Main/WipeDisk/MetadataFiller.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void put(const QString& path, const QByteArray& data) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(data);
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// A folder as an earlier, killed run leaves it: our marker and fill files.
void leaveEarlierRun(const QString& folder) {
    put(folder + QStringLiteral("/.korvane-wipe"),
        QByteArray(WipeWorkFolder::kMarkerFirstLine) + "\nrun 0123\npid 1\n");
    put(folder + QStringLiteral("/.korvane_1"), QByteArray(4096, '\0'));
    put(folder + QStringLiteral("/.korvane_7"), QByteArray(10, '\0'));
    // and an entry of its metadata fill (btrfs)
    put(folder + QLatin1Char('/') + QString::fromStdString(MetadataFiller::entryName(3, "0k2mx9")),
        QByteArray());
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

TEST(WipeWorkFolder, LeftoversAreOursByTheMarkerNotByTheName) {
    QTemporaryDir volume;
    const QString root = volume.path();
    // The user's: a folder with the work folder's name holding a file named like a fill file,
    // a file with the second name, and a link with the fourth.
    put(root + QStringLiteral("/.Korvane/.korvane_1"), "the user's own data");
    put(root + QStringLiteral("/.Korvane/notes.txt"), "notes");
    put(root + QStringLiteral("/.Korvane-2"), "a file");
    QTemporaryDir elsewhere;
    leaveEarlierRun(elsewhere.path());
    ASSERT_TRUE(QFile::link(elsewhere.path(), root + QStringLiteral("/.Korvane-4")));
    // Ours: a killed run's folder, and one that a foreign file got into.
    leaveEarlierRun(root + QStringLiteral("/.Korvane-3"));
    leaveEarlierRun(root + QStringLiteral("/.Korvane-5"));
    put(root + QStringLiteral("/.Korvane-5/keep.txt"), "keep");
    put(root + QStringLiteral("/.Korvane-5/.korvane_2_Not-Ours"), "keep");

    EXPECT_EQ(WipeWorkFolder::removeLeftovers({root}), QStringList{root + "/.Korvane-3"});
    EXPECT_EQ(contentOf(root + QStringLiteral("/.Korvane/.korvane_1")), "the user's own data");
    EXPECT_EQ(entries(root + QStringLiteral("/.Korvane")),
              (QStringList{".korvane_1", "notes.txt"}));
    EXPECT_EQ(contentOf(root + QStringLiteral("/.Korvane-2")), "a file");
    EXPECT_EQ(entries(elsewhere.path()).size(), 4) << "a link is never followed";
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("/.Korvane-3")));
    EXPECT_EQ(entries(root + QStringLiteral("/.Korvane-5")),
              (QStringList{".korvane-wipe", ".korvane_2_Not-Ours", "keep.txt"}))
        << "the fill files go; the foreign file and the marker that names the folder stay";

    // A new work folder takes the first free name and is marked as this run's.
    FreeSpaceWipeLock lock;
    ASSERT_EQ(lock.acquire(root), FreeSpaceWipeLock::Outcome::Held);
    WipeWorkFolder folder;
    ASSERT_EQ(folder.make(lock.rootFd()), WipeWorkFolder::Outcome::Made)
        << folder.error().toStdString();
    EXPECT_EQ(folder.name(), QStringLiteral(".Korvane-3"));
    EXPECT_TRUE(WipeWorkFolder::hasMarker(folder.fd()));
    EXPECT_TRUE(contentOf(root + QStringLiteral("/.Korvane-3/.korvane-wipe"))
                    .contains("run " + folder.runId().toLatin1()));
    EXPECT_TRUE(folder.remove());
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("/.Korvane-3")));
    EXPECT_EQ(contentOf(root + QStringLiteral("/.Korvane/.korvane_1")), "the user's own data");
}

// The lock is per volume and per open, so it holds against this process as well as others.
TEST(WipeWorkFolder, ARunningWipesFolderIsNeitherSweptNorShared) {
    QTemporaryDir volume;
    FreeSpaceWipeLock running;
    ASSERT_EQ(running.acquire(volume.path()), FreeSpaceWipeLock::Outcome::Held);
    leaveEarlierRun(volume.path() + QStringLiteral("/.Korvane")); // as the running wipe fills it

    FreeSpaceWipeLock second;
    EXPECT_EQ(second.acquire(volume.path()), FreeSpaceWipeLock::Outcome::AnotherWipe);
    EXPECT_TRUE(WipeWorkFolder::removeLeftovers({volume.path()}).isEmpty());
    EXPECT_TRUE(QFileInfo::exists(volume.path() + QStringLiteral("/.Korvane/.korvane_1")));

    running.release(); // as when a wipe is killed: the folder stays, the lock goes
    EXPECT_EQ(WipeWorkFolder::removeLeftovers({volume.path()}),
              QStringList{volume.path() + QStringLiteral("/.Korvane")});
    EXPECT_EQ(second.acquire(volume.path()), FreeSpaceWipeLock::Outcome::Held);
}

} // namespace
