#include "Overwriter.h"

#include "Cancellation.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <new>
#include <unistd.h>

namespace srm {
namespace {

constexpr std::uint64_t kDefaultBlock = 4096;
constexpr std::uint64_t kLargestBlock = 1 << 20;

} // namespace

Overwriter::Overwriter(RandomSource& random, Reporter& reporter)
    : random_(random), reporter_(reporter),
      write_(
          [](int fd, const void* buf, size_t len, off_t at) { return ::pwrite(fd, buf, len, at); }),
      // Two spare bytes let a three-byte pattern start at any phase: see runPass().
      buffer_(static_cast<std::uint8_t*>(std::aligned_alloc(4096, kChunk + 4096)), std::free) {
    if (!buffer_) {
        throw std::bad_alloc();
    }
}

Overwriter::~Overwriter() = default;

std::uint64_t Overwriter::coveredLength(std::uint64_t size, std::uint64_t blockSize) {
    if (blockSize < 512 || blockSize > kLargestBlock) {
        blockSize = kDefaultBlock;
    }
    return (size + blockSize - 1) / blockSize * blockSize;
}

OverwriteResult Overwriter::overwrite(int fd, const std::string& path, std::uint64_t size,
                                      std::uint64_t blockSize, const std::vector<Pass>& plan) {
    if (blockSize < 512 || blockSize > kLargestBlock) {
        blockSize = kDefaultBlock;
    }
    const std::uint64_t length = coveredLength(size, blockSize);
    bool skipped = false;
    passesDone_ = 0;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        // Looked at only between passes: see the class comment.
        if (Cancellation::requested()) {
            if (skipped) {
                return OverwriteResult::BlocksSkipped;
            }
            return i == 0 ? OverwriteResult::Cancelled : OverwriteResult::Stopped;
        }
        reporter_.progress(path, "pass " + std::to_string(i + 1) + "/" +
                                     std::to_string(plan.size()) + " (" + plan[i].describe() +
                                     ")...");
        if (runPass(fd, path, length, blockSize, plan[i], skipped) != PassEnd::Done) {
            return OverwriteResult::Failed;
        }
        ++passesDone_;
        if (observer_) {
            observer_(i, plan[i]);
        }
    }
    return skipped ? OverwriteResult::BlocksSkipped : OverwriteResult::Complete;
}

bool Overwriter::writePass(int fd, const std::string& path, std::uint64_t size,
                           std::uint64_t blockSize, const Pass& pass, bool& skipped) {
    if (blockSize < 512 || blockSize > kLargestBlock) {
        blockSize = kDefaultBlock;
    }
    return writeBlocks(fd, path, coveredLength(size, blockSize), blockSize, pass, skipped);
}

Overwriter::PassEnd Overwriter::runPass(int fd, const std::string& path, std::uint64_t length,
                                        std::uint64_t blockSize, const Pass& pass, bool& skipped) {
    if (!writeBlocks(fd, path, length, blockSize, pass, skipped)) {
        return PassEnd::Failed;
    }
    while (::fdatasync(fd) != 0) {
        if (errno != EINTR) {
            reporter_.failure(path, "fdatasync", errno);
            return PassEnd::Failed;
        }
    }
    return PassEnd::Done;
}

bool Overwriter::writeBlocks(int fd, const std::string& path, std::uint64_t length,
                             std::uint64_t blockSize, const Pass& pass, bool& skipped) {
    std::uint8_t* buffer = buffer_.get();
    if (!pass.random) {
        // Filled once per pass from phase 0, as far as the file reaches; a chunk at offset AT
        // starts AT % 3 bytes in, so the pattern runs on unbroken across chunk boundaries.
        pass.fillPattern(0, buffer, std::size_t(length < kChunk ? length : kChunk) + 2);
    }
    for (std::uint64_t at = 0; at < length; at += kChunk) {
        std::size_t len = length - at < kChunk ? std::size_t(length - at) : kChunk;
        const std::uint8_t* data = buffer;
        if (pass.random) {
            random_.fill(buffer, len);
        } else {
            data = buffer + at % 3;
        }
        if (writeChunk(fd, path, data, len, at, blockSize, pass, skipped) == Step::Failed) {
            return false;
        }
#ifdef __linux__
        // Start writing this chunk back now, while the next one is made: the final sync then
        // waits for little. Only a hint; the sync that follows the pass is what guarantees it.
        ::sync_file_range(fd, off_t(at), off_t(len), SYNC_FILE_RANGE_WRITE);
#endif
    }
    return true;
}

// Writes one chunk. When the device reports an I/O error the chunk is retried block by block:
// blocks that still fail are reported and skipped, the rest is written. Any other error stops.
Overwriter::Step Overwriter::writeChunk(int fd, const std::string& path, const std::uint8_t* data,
                                        std::size_t len, std::uint64_t at, std::uint64_t blockSize,
                                        const Pass& pass, bool& skipped) {
    if (writeAll(fd, data, len, at)) {
        return Step::Written;
    }
    if (errno != EIO) {
        reporter_.failure(path, "write at offset " + std::to_string(at), errno);
        return Step::Failed;
    }
    Step result = Step::Written;
    for (std::size_t done = 0; done < len; done += std::size_t(blockSize)) {
        std::size_t n = len - done < blockSize ? len - done : std::size_t(blockSize);
        if (writeAll(fd, data + done, n, at + done)) {
            continue;
        }
        if (errno != EIO) {
            reporter_.failure(path, "write at offset " + std::to_string(at + done), errno);
            return Step::Failed;
        }
        reporter_.failure(path,
                          "write at offset " + std::to_string(at + done) + " (" + pass.describe() +
                              " pass, block skipped)",
                          EIO);
        skipped = true;
        result = Step::Skipped;
    }
    return result;
}

bool Overwriter::writeAll(int fd, const std::uint8_t* data, std::size_t len, std::uint64_t at) {
    while (len > 0) {
        ssize_t n = write_(fd, data, len, off_t(at));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (n == 0) {
            errno = ENOSPC; // a write that makes no progress would loop forever
            return false;
        }
        data += n;
        at += std::uint64_t(n);
        len -= std::size_t(n);
    }
    return true;
}

} // namespace srm
