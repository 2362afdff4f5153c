#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace diskutil {

// The verifying read of a firmware erase: blocks spread evenly over the device (the first and
// the last included) are read before and after, their hashes kept in memory in between, and
// every one must read differently afterwards (a crypto or block erase leaves content nobody can
// predict) or as zeros (an overwrite sanitize with the pattern 0). Blocks are read with O_DIRECT,
// from the device and not from the page cache.
class SampleCheck {
public:
    struct Outcome {
        bool ok = false;
        std::uint64_t blocks = 0;            // sampled
        std::uint64_t compared = 0;          // that held something to compare (see remember)
        std::uint64_t bytes = 0;             // read afterwards
        std::uint64_t failedAt = UINT64_MAX; // offset of the first block that did not change
        std::string error;
    };

    SampleCheck(std::string device, std::uint64_t deviceBytes, std::size_t samples = 256,
                std::size_t blockBytes = 4096);

    // Writes random data to every sampled block first, so that each one must change whatever
    // the drive held (a blank block could otherwise read the same before and after). Used where
    // the firmware said it will erase; the drive is about to be erased whole anyway.
    bool mark(std::string& error);
    // Only reads the sampled blocks (where the erase is merely tried and may be refused: nothing
    // may be written first). A block that reads as zeros before proves nothing and is not
    // compared.
    bool remember(std::string& error);
    // ZEROS: every sampled block must read as zeros; otherwise it must differ from before.
    Outcome check(bool zeros) const;
    // "256 of 256 sampled blocks (1048576 bytes, spread over the device) read back changed".
    static std::string coverage(const Outcome& outcome, bool zeros);

private:
    bool readAll(int fd, std::vector<std::uint64_t>& hashes, std::vector<bool>* blank,
                 std::string& error) const;

    std::string device_;
    std::size_t blockBytes_;
    std::vector<std::uint64_t> offsets_;
    std::vector<std::uint64_t> before_;
    std::vector<bool> comparable_;
};

} // namespace diskutil
