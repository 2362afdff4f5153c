#include "Overwriter.h"
#include "Cancellation.h"
#include "SeededRandom.h"
#include "SrmProcess.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using srm::Overwriter;
using srm::OverwriteResult;
using srm::Pass;
using srmtest::readFile;
using srmtest::TempFolder;

struct OpenFile {
    int fd = -1;
    struct stat st {};
    ~OpenFile() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

void openFile(const std::string& path, OpenFile& file) {
    file.fd = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(file.fd, 0);
    ASSERT_EQ(::fstat(file.fd, &file.st), 0);
}

// Every pass must reach each byte up to the end of the last block, with exactly the data of
// the pass (the random stream as drawn, patterns unbroken across write chunks).
TEST(Overwriter, EachPassCoversWholeBlocksWithItsData) {
    TempFolder dir;
    const std::string path = dir / "data";
    const std::size_t size = Overwriter::kChunk + 5000; // two chunks, a partial last block
    srmtest::writeFile(path, std::string(size, 'Q'));
    OpenFile file;
    openFile(path, file);
    const std::uint64_t covered = Overwriter::coveredLength(size, file.st.st_blksize);
    ASSERT_GT(covered, size);
    ASSERT_EQ(covered % file.st.st_blksize, 0u);

    const std::vector<Pass> plan = {Pass::randomData(), Pass::bytes(0x92, 0x49, 0x24),
                                    Pass::byte(0)};
    srmtest::SeededRandom random(7), expectedRandom(7);
    std::ostringstream out, err;
    srm::Reporter reporter(out, err, true);
    Overwriter overwriter(random, reporter);
    std::vector<std::string> seen;
    overwriter.setPassObserver([&](std::size_t, const Pass&) { seen.push_back(readFile(path)); });

    ASSERT_EQ(overwriter.overwrite(file.fd, path, size, file.st.st_blksize, plan),
              OverwriteResult::Complete)
        << err.str();
    ASSERT_EQ(seen.size(), 3u);

    std::string stream(covered, '\0');
    expectedRandom.fill(reinterpret_cast<std::uint8_t*>(stream.data()), covered);
    EXPECT_TRUE(seen[0] == stream) << "random pass is not the drawn stream";
    std::string pattern(covered, '\0');
    plan[1].fillPattern(0, reinterpret_cast<std::uint8_t*>(pattern.data()), covered);
    EXPECT_TRUE(seen[1] == pattern) << "pattern pass broken or short";
    EXPECT_TRUE(seen[2] == std::string(covered, '\0'));
    EXPECT_NE(out.str().find("pass 2/3 (924924)"), std::string::npos) << out.str();
    EXPECT_TRUE(err.str().empty()) << err.str();
}

// A block the device cannot write is reported and skipped, the rest of the pass still lands;
// any other write error stops the file.
TEST(Overwriter, BadBlockIsSkippedOtherErrorsStop) {
    TempFolder dir;
    const std::string path = dir / "data";
    srmtest::writeFile(path, std::string(3 * 4096, 'Q'));
    OpenFile file;
    openFile(path, file);

    srmtest::SeededRandom random(1);
    std::ostringstream out, err;
    srm::Reporter reporter(out, err, false);
    Overwriter overwriter(random, reporter);
    overwriter.setWriteFunction([](int fd, const void* buf, size_t len, off_t at) -> ssize_t {
        if (at <= 4096 && at + off_t(len) > 4096) {
            errno = EIO;
            return -1;
        }
        return ::pwrite(fd, buf, len, at);
    });
    EXPECT_EQ(overwriter.overwrite(file.fd, path, 3 * 4096, 4096, {Pass::byte(0x55)}),
              OverwriteResult::BlocksSkipped);
    const std::string after = readFile(path);
    EXPECT_EQ(after.substr(0, 4096), std::string(4096, 0x55));
    EXPECT_EQ(after.substr(4096, 4096), std::string(4096, 'Q'));
    EXPECT_EQ(after.substr(8192), std::string(4096, 0x55));
    EXPECT_NE(err.str().find("offset 4096"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("Input/output error"), std::string::npos) << err.str();

    std::ostringstream err2;
    srm::Reporter reporter2(out, err2, false);
    Overwriter full(random, reporter2);
    full.setWriteFunction([](int, const void*, size_t, off_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    });
    EXPECT_EQ(full.overwrite(file.fd, path, 3 * 4096, 4096, {Pass::byte(0), Pass::byte(1)}),
              OverwriteResult::Failed);
    EXPECT_NE(err2.str().find(path + ": write at offset 0: No space left on device"),
              std::string::npos)
        << err2.str();
}

// A stop request never leaves a pass half done: the pass under way covers the whole file and
// is synced, the passes after it are skipped, and the result says how many ran. A request
// made before the first pass leaves the file as it was.
TEST(Overwriter, StopRequestFinishesThePassUnderWayAndSkipsTheRest) {
    TempFolder dir;
    const std::string path = dir / "data";
    const std::size_t size = 2 * Overwriter::kChunk + 5000; // three chunks per pass
    srmtest::writeFile(path, std::string(size, 'Q'));
    OpenFile file;
    openFile(path, file);
    const std::uint64_t covered = Overwriter::coveredLength(size, file.st.st_blksize);

    srmtest::SeededRandom random(2);
    std::ostringstream out, err;
    srm::Reporter reporter(out, err, false);
    Overwriter overwriter(random, reporter);
    int writes = 0;
    overwriter.setWriteFunction([&](int fd, const void* buf, size_t len, off_t at) -> ssize_t {
        if (writes++ == 0) {
            srm::Cancellation::request(); // during the first chunk of the first pass
        }
        return ::pwrite(fd, buf, len, at);
    });
    std::vector<std::size_t> passesSeen;
    overwriter.setPassObserver(
        [&](std::size_t index, const Pass&) { passesSeen.push_back(index); });
    const std::vector<Pass> plan = {Pass::byte(0x55), Pass::byte(0xAA), Pass::byte(0)};

    srm::Cancellation::reset();
    const OverwriteResult stopped =
        overwriter.overwrite(file.fd, path, size, file.st.st_blksize, plan);
    const OverwriteResult before =
        overwriter.overwrite(file.fd, path, size, file.st.st_blksize, plan);
    srm::Cancellation::reset();

    EXPECT_EQ(stopped, OverwriteResult::Stopped);
    EXPECT_EQ(passesSeen, std::vector<std::size_t>{0});
    EXPECT_EQ(writes, 3) << "the first pass ended early or a second one began";
    EXPECT_TRUE(readFile(path) == std::string(covered, 0x55)) << "the first pass is not whole";
    // Asked again with the request still standing: not one byte is written.
    EXPECT_EQ(before, OverwriteResult::Cancelled);
    EXPECT_EQ(overwriter.passesDone(), 0u);
    EXPECT_EQ(writes, 3);
}

} // namespace
