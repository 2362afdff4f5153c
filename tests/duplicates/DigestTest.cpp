// The content digest and the file reads: the known values, the fast method against the
// byte-at-a-time one, chunk boundaries, and files that differ only far from their head.
#include "DuplicateTestSupport.h"
#include "app/duplicat/Duplicate/algorithm.h"
#include "app/duplicat/Duplicate/crc.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/magic.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>
#include <vector>

using namespace duptest;

TEST(DuplicateDigest, KnownValuesAndFastMethodAgreeWithTheBytewiseOne) {
    EXPECT_EQ(crc::crc64("abc", 3), 0xF10896EFC03E0514ull);
    EXPECT_EQ(crc::crc64("", 0), 0xFFFFFFFFFFFFFFFFull);
    EXPECT_EQ(crc::crc64(nullptr, 5), 0u);
    const QByteArray data = bytes(70000, 7);
    // Every length around the 8-byte steps and the 16- and 64-byte folds (128 bytes and more are
    // folded), and every alignment of the start.
    for (int start = 0; start < 9; ++start)
        for (int length : {0,   1,   7,   8,   9,   15,  16,   17,   63,   64,   127,
                           128, 129, 143, 191, 192, 200, 1023, 1024, 1025, 4103, 65536}) {
            const char* p = data.constData() + start;
            EXPECT_EQ(crc::update(crc::kStart, p, std::size_t(length)),
                      crc::crc64Bytewise(crc::kStart, p, std::size_t(length)))
                << start << " " << length;
        }
    // Fed in pieces, the first with the head flag: the digest of the whole.
    std::uint64_t running = crc::crc64Buffer(data.constData(), 1000, true, 12345);
    running = crc::crc64Buffer(data.constData() + 1000, 30000, false, running);
    running = crc::crc64Buffer(data.constData() + 31000, std::uint32_t(data.size() - 31000), false,
                               running);
    EXPECT_EQ(running, crc::crc64(data.constData(), std::uint32_t(data.size())));
}

TEST(DuplicateDigest, FileDigestsChunkBoundariesAndChanges) {
    QTemporaryDir dir;
    algorithm engine;
    // Exactly 4 MiB: one full chunk; the same value as the bytes in one piece.
    const QByteArray four = bytes(4 * 1024 * 1024, 1);
    fileAttrbItem a;
    a.nativePath = put(dir.path(), "four", four).toLocal8Bit();
    a.fileSize = std::uint64_t(four.size());
    ASSERT_TRUE(engine.getMD5(a));
    EXPECT_EQ(a.md5, crc::crc64(four.constData(), std::uint32_t(four.size())));
    ASSERT_TRUE(engine.getMD5_1K(a));
    EXPECT_EQ(a.md5_1k, crc::crc64(four.constData(), 1024));
    // One byte more: two chunks.
    const QByteArray more = four + "x";
    fileAttrbItem b;
    b.nativePath = put(dir.path(), "more", more).toLocal8Bit();
    b.fileSize = std::uint64_t(more.size());
    ASSERT_TRUE(engine.getMD5(b));
    EXPECT_EQ(b.md5, crc::crc64(more.constData(), std::uint32_t(more.size())));

    // A small file gets its whole digest with its head: the same value.
    fileAttrbItem small;
    small.nativePath = put(dir.path(), "small", "0123456789").toLocal8Bit();
    small.fileSize = 10;
    ASSERT_TRUE(engine.getMD5_1K(small));
    EXPECT_EQ(small.md5, small.md5_1k);
    EXPECT_EQ(small.md5, crc::crc64("0123456789", 10));

    // A file that changed size since it was collected, an empty one, a missing one: no digest.
    fileAttrbItem changed = small;
    changed.md5 = 0;
    changed.fileSize = 11;
    EXPECT_FALSE(engine.getMD5(changed));
    fileAttrbItem empty;
    empty.nativePath = put(dir.path(), "empty", "").toLocal8Bit();
    EXPECT_FALSE(engine.getMD5(empty));
    fileAttrbItem missing;
    missing.nativePath = (dir.path() + "/missing").toLocal8Bit();
    EXPECT_FALSE(engine.getMD5_1K(missing));
    EXPECT_FALSE(engine.ensureHead(missing));
    EXPECT_TRUE(missing.headFailed);

    // The byte-for-byte comparison.
    const QString c1 = put(dir.path(), "c1", four);
    QByteArray other = four;
    other[3000000] = char(other[3000000] ^ 1);
    const QString c2 = put(dir.path(), "c2", other);
    const QString c3 = put(dir.path(), "c3", four);
    QString why;
    EXPECT_TRUE(engine.sameContent(c1.toLocal8Bit(), c3.toLocal8Bit()));
    EXPECT_FALSE(engine.sameContent(c1.toLocal8Bit(), c2.toLocal8Bit(), &why));
    EXPECT_TRUE(why.contains("differs"));
    EXPECT_FALSE(engine.sameContent(c1.toLocal8Bit(), c1.toLocal8Bit(), &why));
    EXPECT_TRUE(why.contains("same file"));
}

namespace {

// Pages of PATH now in the page cache, through mincore on a mapping of it.
std::size_t residentPages(const QString& path) {
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || st.st_size == 0)
        return 0;
    void* map = ::mmap(nullptr, std::size_t(st.st_size), PROT_READ, MAP_SHARED, fd, 0);
    ::close(fd);
    if (map == MAP_FAILED)
        return 0;
    const long page = ::sysconf(_SC_PAGESIZE);
    std::vector<unsigned char> in((std::size_t(st.st_size) + std::size_t(page) - 1) /
                                  std::size_t(page));
    std::size_t count = 0;
    if (::mincore(map, std::size_t(st.st_size), in.data()) == 0)
        for (const unsigned char c : in)
            count += c & 1;
    ::munmap(map, std::size_t(st.st_size));
    return count;
}

// Writes the file, flushes it and drops it from the cache, as a file not read for a long time.
QString coldFile(const QString& folder, const char* name, const QByteArray& content) {
    const QString path = put(folder, name, content);
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDONLY | O_CLOEXEC);
    ::fdatasync(fd);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
    return path;
}

} // namespace

// Digesting brings no file into the cache that was not there, and drops none that was.
TEST(DuplicateDigest, ReadsLeaveThePageCacheAsTheyFoundIt) {
    QTemporaryDir dir;
    struct statfs fs {};
    ASSERT_EQ(::statfs(dir.path().toLocal8Bit().constData(), &fs), 0);
    if (fs.f_type == TMPFS_MAGIC || fs.f_type == RAMFS_MAGIC)
        GTEST_SKIP() << "the temporary folder is in memory: its pages are never dropped";
    const QByteArray content = bytes(6 * 1024 * 1024, 3);
    const QString cold = coldFile(dir.path(), "cold", content);
    if (residentPages(cold) != 0)
        GTEST_SKIP() << "this file system keeps pages cached after POSIX_FADV_DONTNEED";
    const QString warm = put(dir.path(), "warm", content);
    const std::size_t warmPages = residentPages(warm);
    ASSERT_GT(warmPages, 0u);

    algorithm engine;
    for (const QString& path : {cold, warm}) {
        fileAttrbItem item;
        item.nativePath = path.toLocal8Bit();
        item.fileSize = std::uint64_t(content.size());
        algorithm::Held held;
        ASSERT_TRUE(engine.getMD5_1K(item, &held));
        EXPECT_EQ(item.md5_1k, crc::crc64(content.constData(), 1024));
        ASSERT_TRUE(engine.getMD5(item, &held));
        EXPECT_EQ(item.md5, crc::crc64(content.constData(), std::uint32_t(content.size())));
    }
    // A head alone: of a small file (its last page is a partial one), and of a larger one.
    const QString tiny = coldFile(dir.path(), "tiny", bytes(1000, 4));
    const QString headOnly = coldFile(dir.path(), "head", bytes(40000, 5));
    for (const QString& path : {tiny, headOnly}) {
        fileAttrbItem item;
        item.nativePath = path.toLocal8Bit();
        item.fileSize = std::uint64_t(QFileInfo(path).size());
        ASSERT_TRUE(engine.getMD5_1K(item));
    }
    EXPECT_EQ(residentPages(cold), 0u);
    EXPECT_EQ(residentPages(tiny), 0u);
    EXPECT_EQ(residentPages(headOnly), 0u);
    EXPECT_EQ(residentPages(warm), warmPages);
}
