#include "TestSupport.h"
#include "app/Comm/CommUti.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace testsupport;

namespace {

quint64 sizeOf(const QString& path) {
    return CommUti::sizeOfFileRef(CommUti::fsref(path));
}

TEST(FileTreeSizeTest, SumsRegularFilesOfTheWholeTree) {
    QTemporaryDir dir;
    writeFile(dir.filePath("a.bin"), QByteArray(1000, 'a'));
    writeFile(dir.filePath("sub/b.bin"), QByteArray(2345, 'b'));
    writeFile(dir.filePath("sub/deeper/c.bin"), QByteArray(7, 'c'));
    writeFile(dir.filePath("sub/.hidden"), QByteArray(11, 'h'));
    writeFile(dir.filePath("empty.bin"), {});
    QDir().mkpath(dir.filePath("emptyFolder"));
    EXPECT_EQ(sizeOf(dir.path()), 1000u + 2345u + 7u + 11u);
    EXPECT_EQ(sizeOf(dir.filePath("sub")), 2345u + 7u + 11u);
    // A file on its own counts its logical size; a sparse file its apparent size.
    EXPECT_EQ(sizeOf(dir.filePath("a.bin")), 1000u);
    QFile sparse(dir.filePath("sparse.bin"));
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(50'000'000));
    sparse.close();
    EXPECT_EQ(sizeOf(dir.filePath("sparse.bin")), 50'000'000u);
}

TEST(FileTreeSizeTest, LinksAreNeverFollowed) {
    QTemporaryDir outside;
    writeFile(outside.filePath("big.bin"), QByteArray(100'000, 'x'));
    QTemporaryDir dir;
    writeFile(dir.filePath("own.bin"), QByteArray(10, 'o'));
    ASSERT_TRUE(QFile::link(outside.path(), dir.filePath("folderLink")));
    ASSERT_TRUE(QFile::link(outside.filePath("big.bin"), dir.filePath("fileLink")));
    ASSERT_TRUE(QFile::link(dir.path(), dir.filePath("loop"))); // would never end if followed
    EXPECT_EQ(sizeOf(dir.path()), 10u);
    EXPECT_EQ(sizeOf(dir.filePath("folderLink")), 0u);
    EXPECT_EQ(sizeOf(dir.filePath("fileLink")), 0u);
}

TEST(FileTreeSizeTest, MissingAndSpecialItemsCountZero) {
    QTemporaryDir dir;
    EXPECT_EQ(sizeOf(dir.filePath("absent")), 0u);
    EXPECT_EQ(CommUti::sizeOfFileRef(FsRef{}), 0u);
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600), 0);
    writeFile(dir.filePath("f.bin"), QByteArray(3, 'f'));
    EXPECT_EQ(sizeOf(dir.path()), 3u); // the FIFO is neither opened nor counted
}

TEST(FileTreeSizeTest, NamesThatAreNotUtf8) {
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path()) + "/caf\xe9";
    ASSERT_EQ(mkdir(folder.constData(), 0700), 0);
    const int fd = open((folder + "/n\xff.bin").constData(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, "12345", 5), 5);
    close(fd);
    EXPECT_EQ(sizeOf(dir.path()), 5u);
    EXPECT_EQ(CommUti::sizeOfFileRef(FsRef{folder}), 5u);
}

TEST(FileTreeSizeTest, UnreadableFolderCountsZero) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every folder; permissions cannot make one unreadable";
    QTemporaryDir dir;
    writeFile(dir.filePath("open/a.bin"), QByteArray(4, 'a'));
    writeFile(dir.filePath("closed/b.bin"), QByteArray(8, 'b'));
    ASSERT_TRUE(QFile::setPermissions(dir.filePath("closed"), QFile::Permissions()));
    EXPECT_EQ(sizeOf(dir.path()), 4u);
    EXPECT_EQ(sizeOf(dir.filePath("closed")), 0u);
    QFile::setPermissions(dir.filePath("closed"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// 49 characters: a chain of 150 is 7,500 characters long, more than any path may be.
constexpr const char* kLevelName = "level_folder_with_a_name_long_enough_for_the_test";

// Builds (or removes) a chain of DEPTH nested folders below FD with relative calls only, since
// its full path is far longer than the longest path the system accepts.
void buildChain(int fd, int depth) {
    for (int level = 0; level < depth; ++level) {
        ASSERT_EQ(mkdirat(fd, kLevelName, 0700), 0) << level;
        const int next = openat(fd, kLevelName, O_RDONLY | O_DIRECTORY);
        ASSERT_GE(next, 0);
        const int file = openat(next, "f", O_WRONLY | O_CREAT, 0600);
        ASSERT_GE(file, 0);
        ASSERT_EQ(write(file, "x", 1), 1);
        close(file);
        close(fd);
        fd = next;
    }
    close(fd);
}

// Removes the chain bottom up, holding one folder open at a time.
void removeChain(int fd, int depth) {
    for (int level = 0; level < depth; ++level) {
        const int next = openat(fd, kLevelName, O_RDONLY | O_DIRECTORY);
        ASSERT_GE(next, 0) << level;
        close(fd);
        fd = next;
    }
    for (int level = 0; level < depth; ++level) {
        unlinkat(fd, "f", 0);
        const int parent = openat(fd, "..", O_RDONLY | O_DIRECTORY);
        ASSERT_GE(parent, 0);
        close(fd);
        fd = parent;
        ASSERT_EQ(unlinkat(fd, kLevelName, AT_REMOVEDIR), 0) << level;
    }
    close(fd);
}

TEST(FileTreeSizeTest, TreesDeeperThanPathsAndDescriptorLimitsAreMeasured) {
    QTemporaryDir dir;
    constexpr int kDepth = 150;
    const QByteArray base = QFile::encodeName(dir.path());
    buildChain(open(base.constData(), O_RDONLY | O_DIRECTORY), kDepth);

    // With few descriptors, a walk that kept one open per level would give up early.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit tight = saved;
    tight.rlim_cur = 32;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &tight), 0);
    const quint64 total = sizeOf(dir.path());
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(total, static_cast<quint64>(kDepth));

    removeChain(open(base.constData(), O_RDONLY | O_DIRECTORY), kDepth);
}

} // namespace
