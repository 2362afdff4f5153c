#include "SampleCheck.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/random.h>
#include <unistd.h>

namespace diskutil {

namespace {

struct FreeDeleter {
    void operator()(std::uint8_t* p) const { std::free(p); }
};

// FNV-1a: enough to tell whether a block changed (no one chooses these blocks against us).
std::uint64_t hashOf(const std::uint8_t* bytes, std::size_t len) {
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t i = 0; i < len; ++i)
        hash = (hash ^ bytes[i]) * 1099511628211ull;
    return hash;
}

bool allZero(const std::uint8_t* bytes, std::size_t len) {
    for (std::size_t i = 0; i < len; ++i)
        if (bytes[i] != 0)
            return false;
    return true;
}

std::string failure(const char* what, const std::string& device) {
    return std::string(what) + " " + device + ": " + std::strerror(errno);
}

} // namespace

SampleCheck::SampleCheck(std::string device, std::uint64_t deviceBytes, std::size_t samples,
                         std::size_t blockBytes)
    : device_(std::move(device)), blockBytes_(blockBytes) {
    const std::uint64_t blocks = deviceBytes / blockBytes;
    const std::uint64_t count = std::min<std::uint64_t>(samples, blocks);
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t block = count == 1 ? 0 : i * (blocks - 1) / (count - 1);
        if (offsets_.empty() || offsets_.back() != block * blockBytes)
            offsets_.push_back(block * blockBytes);
    }
}

bool SampleCheck::readAll(int fd, std::vector<std::uint64_t>& hashes, std::vector<bool>* blank,
                          std::string& error) const {
    std::unique_ptr<std::uint8_t, FreeDeleter> buffer(
        static_cast<std::uint8_t*>(std::aligned_alloc(4096, blockBytes_)));
    if (!buffer) {
        error = "out of memory";
        return false;
    }
    hashes.clear();
    for (const std::uint64_t offset : offsets_) {
        if (::pread(fd, buffer.get(), blockBytes_, off_t(offset)) != ssize_t(blockBytes_)) {
            error = failure("cannot read", device_) + " at byte " + std::to_string(offset);
            return false;
        }
        hashes.push_back(hashOf(buffer.get(), blockBytes_));
        if (blank)
            blank->push_back(allZero(buffer.get(), blockBytes_));
    }
    return true;
}

bool SampleCheck::mark(std::string& error) {
    const int fd = ::open(device_.c_str(), O_RDWR | O_DIRECT | O_EXCL | O_CLOEXEC);
    if (fd < 0) {
        error = failure("cannot open", device_);
        return false;
    }
    std::unique_ptr<std::uint8_t, FreeDeleter> buffer(
        static_cast<std::uint8_t*>(std::aligned_alloc(4096, blockBytes_)));
    bool ok = buffer != nullptr;
    for (std::size_t i = 0; ok && i < offsets_.size(); ++i) {
        std::size_t got = 0;
        while (ok && got < blockBytes_) {
            const ssize_t n = ::getrandom(buffer.get() + got, blockBytes_ - got, 0);
            ok = n > 0;
            got += n > 0 ? std::size_t(n) : 0;
        }
        ok = ok &&
             ::pwrite(fd, buffer.get(), blockBytes_, off_t(offsets_[i])) == ssize_t(blockBytes_);
        if (!ok)
            error = failure("cannot write the sampled blocks of", device_);
    }
    if (ok && ::fdatasync(fd) != 0) {
        error = failure("cannot flush", device_);
        ok = false;
    }
    // What the device holds now, read back (not what was meant to be written).
    ok = ok && readAll(fd, before_, nullptr, error);
    comparable_.assign(offsets_.size(), true);
    ::close(fd);
    return ok;
}

bool SampleCheck::remember(std::string& error) {
    // O_EXCL: refused while anything on the device is mounted or claimed.
    const int fd = ::open(device_.c_str(), O_RDONLY | O_DIRECT | O_EXCL | O_CLOEXEC);
    if (fd < 0) {
        error = failure("cannot open", device_);
        return false;
    }
    std::vector<bool> blank;
    const bool ok = readAll(fd, before_, &blank, error);
    ::close(fd);
    comparable_.assign(offsets_.size(), true);
    for (std::size_t i = 0; i < blank.size(); ++i)
        comparable_[i] = !blank[i];
    return ok;
}

SampleCheck::Outcome SampleCheck::check(bool zeros) const {
    Outcome outcome;
    outcome.blocks = offsets_.size();
    const int fd = ::open(device_.c_str(), O_RDONLY | O_DIRECT | O_CLOEXEC);
    if (fd < 0) {
        outcome.error = failure("cannot open", device_);
        return outcome;
    }
    std::vector<std::uint64_t> after;
    std::vector<bool> blank;
    const bool read = readAll(fd, after, &blank, outcome.error);
    ::close(fd);
    if (!read)
        return outcome;
    outcome.bytes = after.size() * blockBytes_;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (!zeros && !comparable_[i])
            continue;
        ++outcome.compared;
        const bool good = zeros ? bool(blank[i]) : after[i] != before_[i];
        if (!good && outcome.failedAt == UINT64_MAX)
            outcome.failedAt = offsets_[i];
    }
    outcome.ok = outcome.failedAt == UINT64_MAX;
    if (!outcome.ok)
        outcome.error = device_ + ": the sampled block at byte " +
                        std::to_string(outcome.failedAt) +
                        (zeros ? " does not read as zeros after the sanitize"
                               : " reads as it did before the erase: the drive did not erase it");
    return outcome;
}

std::string SampleCheck::coverage(const Outcome& outcome, bool zeros) {
    std::string text = std::to_string(outcome.compared) + " of " + std::to_string(outcome.blocks) +
                       " sampled blocks (" + std::to_string(outcome.bytes) +
                       " bytes, spread over the device) read back " +
                       (zeros ? "as zeros" : "changed");
    if (outcome.compared < outcome.blocks)
        text += "; the others were blank before";
    return text;
}

} // namespace diskutil
