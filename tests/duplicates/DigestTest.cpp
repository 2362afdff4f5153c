// The content digest and the file reads: the known values, the fast method against the
// byte-at-a-time one, chunk boundaries, and files that differ only far from their head.
#include "DuplicateTestSupport.h"
#include "app/duplicat/Duplicate/algorithm.h"
#include "app/duplicat/Duplicate/crc.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

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
    // Exactly 4 MiB: one full chunk and an empty read; the same value as the bytes in one piece.
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
