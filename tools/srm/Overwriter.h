#pragma once

#include "PassPlan.h"
#include "RandomSource.h"
#include "Reporter.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

namespace srm {

enum class OverwriteResult {
    Complete,      // every pass reached every block and the device
    BlocksSkipped, // every pass ran, but some blocks could not be written (reported)
    Failed,        // stopped on an error (reported)
    Cancelled,     // a stop was requested before the first pass began: nothing was written
    Stopped,       // a stop was requested during the passes: the pass under way was finished,
                   // the rest skipped (passesDone() says how many ran)
};

// Runs a pass plan over an open file: each pass writes every block from offset 0 to the end of
// the file's last block, then fdatasync() before the next pass, so that each pass reaches the
// device and lands in the file's own blocks. A stop request never cuts a pass short: a file
// left half old and half pattern would still look like the user's file while being damaged,
// so the pass under way is finished and synced, and only the passes after it are skipped.
class Overwriter {
public:
    using WriteFunction = std::function<ssize_t(int fd, const void* buf, size_t len, off_t at)>;
    using PassObserver = std::function<void(std::size_t index, const Pass& pass)>;

    static constexpr std::size_t kChunk = 4 << 20;

    Overwriter(RandomSource& random, Reporter& reporter);
    ~Overwriter();

    // Replaces pwrite(2), so that tests can make single blocks fail.
    void setWriteFunction(WriteFunction write) { write_ = std::move(write); }
    // Called after each pass has been synced, with the pass's index in the plan.
    void setPassObserver(PassObserver observer) { observer_ = std::move(observer); }

    OverwriteResult overwrite(int fd, const std::string& path, std::uint64_t size,
                              std::uint64_t blockSize, const std::vector<Pass>& plan);

    // Writes one pass over the first SIZE bytes' whole blocks and starts their write-back, but
    // does not wait for the device: the caller that overwrites many files at once makes the
    // pass durable for all of them together. False when the pass stopped on an error
    // (reported); SKIPPED is set when blocks were skipped.
    bool writePass(int fd, const std::string& path, std::uint64_t size, std::uint64_t blockSize,
                   const Pass& pass, bool& skipped);
    // Tells the pass observer that pass INDEX of a file overwritten by writePass() is durable.
    void passDurable(std::size_t index, const Pass& pass) {
        if (observer_) {
            observer_(index, pass);
        }
    }
    // The passes of the last overwrite() that ran to their end and were synced.
    std::size_t passesDone() const { return passesDone_; }

    // SIZE rounded up to whole blocks of BLOCKSIZE; an implausible block size counts as 4096.
    static std::uint64_t coveredLength(std::uint64_t size, std::uint64_t blockSize);

private:
    enum class Step { Written, Skipped, Failed };

    enum class PassEnd { Done, Failed };

    PassEnd runPass(int fd, const std::string& path, std::uint64_t length, std::uint64_t blockSize,
                    const Pass& pass, bool& skipped);
    bool writeBlocks(int fd, const std::string& path, std::uint64_t length, std::uint64_t blockSize,
                     const Pass& pass, bool& skipped);
    Step writeChunk(int fd, const std::string& path, const std::uint8_t* data, std::size_t len,
                    std::uint64_t at, std::uint64_t blockSize, const Pass& pass, bool& skipped);
    bool writeAll(int fd, const std::uint8_t* data, std::size_t len, std::uint64_t at);

    RandomSource& random_;
    Reporter& reporter_;
    WriteFunction write_;
    PassObserver observer_;
    std::unique_ptr<std::uint8_t, void (*)(void*)> buffer_;
    std::size_t passesDone_ = 0;
};

} // namespace srm
