#include "DeviceWiper.h"

#include "AesCtr.h"
#include "ChaCha20.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <linux/fs.h>
#include <memory>
#include <sys/ioctl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace diskutil {

namespace {

constexpr std::size_t kAlign = 4096;

struct FreeDeleter {
    void operator()(std::uint8_t* p) const { std::free(p); }
};
using Buffer = std::unique_ptr<std::uint8_t, FreeDeleter>;

Buffer aligned(std::size_t bytes) {
    return Buffer(static_cast<std::uint8_t*>(std::aligned_alloc(kAlign, bytes)));
}

std::string failure(const char* what, const std::string& device) {
    return std::string(what) + " " + device + ": " + std::strerror(errno);
}

// What pass PASS writes at OFFSET: its pattern, or its random stream at that place.
class PassData {
public:
    PassData(const srm::ChaCha20::Key& key, int pass, const srm::Pass& kind)
        : key_(key), pass_(pass), kind_(kind), aes_(srm::AesCtr::available()) {}
    void fill(std::uint64_t offset, std::uint8_t* out, std::size_t len) const {
        if (!kind_.random) {
            kind_.fillPattern(offset, out, len);
            return;
        }
        // Counter = the cipher block at OFFSET, nonce = the pass: any chunk can be made again.
        // AES-CTR where the processor has AES instructions (several GB/s), else ChaCha20.
        if (aes_) {
            srm::AesCtr::Key key{};
            std::memcpy(key.data(), key_.data(), key.size());
            srm::AesCtr::Iv iv{};
            const std::uint64_t nonce = std::uint64_t(pass_);
            std::memcpy(iv.data(), &nonce, 8);
            const std::uint64_t block = offset / 16;
            for (int i = 0; i < 8; ++i)
                iv[std::size_t(15 - i)] = std::uint8_t(block >> (8 * i));
            srm::AesCtr(key, iv).generate(out, len);
            return;
        }
        srm::ChaCha20::Iv iv{};
        const std::uint64_t block = offset / 64;
        std::memcpy(iv.data(), &block, 8);
        const std::uint64_t nonce = std::uint64_t(pass_);
        std::memcpy(iv.data() + 8, &nonce, 8);
        srm::ChaCha20(key_, iv).generate(out, len);
    }

private:
    srm::ChaCha20::Key key_;
    int pass_;
    srm::Pass kind_;
    bool aes_;
};

} // namespace

DeviceWiper::Result DeviceWiper::wipe(const std::string& device, const Options& options,
                                      const Progress& progress, const StopCheck& stop) const {
    Result result;
    const int fd = ::open(device.c_str(), O_RDWR | O_DIRECT | O_EXCL | O_CLOEXEC);
    if (fd < 0) {
        result.error = errno == EBUSY ? device + " is in use (mounted, or held by another program)"
                                      : failure("cannot open", device);
        return result;
    }
    struct stat st {};
    std::uint64_t size = 0;
    int sector = 512;
    if (::fstat(fd, &st) != 0 || !S_ISBLK(st.st_mode)) {
        result.error = device + " is not a block device";
    } else if (::ioctl(fd, BLKGETSIZE64, &size) != 0 || ::ioctl(fd, BLKSSZGET, &sector) != 0) {
        result.error = failure("cannot read the size of", device);
    }
    const std::size_t chunk = std::max<std::size_t>(kAlign, options.chunkBytes / kAlign * kAlign);
    Buffer out = aligned(chunk), back = aligned(chunk);
    srm::ChaCha20::Key key = options.key.value_or(srm::ChaCha20::Key{});
    if (result.error.empty() && (!out || !back))
        result.error = "out of memory";
    if (result.error.empty() && !options.key &&
        ::getrandom(key.data(), key.size(), 0) != ssize_t(key.size()))
        result.error = failure("no random key for", device);
    if (result.error.empty() &&
        (options.fromPass < 1 || options.fromPass > int(options.passes.size()) + 1 ||
         options.fromOffset > size || options.fromOffset % kAlign != 0))
        result.error = "cannot resume " + device + " at pass " + std::to_string(options.fromPass) +
                       ", byte " + std::to_string(options.fromOffset) + ": not a place of its wipe";
    if (!result.error.empty()) {
        ::close(fd);
        return result;
    }
    result.deviceBytes = size;
    const int passes = int(options.passes.size());

    // Compares what PASS wrote over the chunks chosen with what the device holds now.
    const auto verify = [&](int pass, const PassData& data) {
        const std::uint64_t chunks = (size + chunk - 1) / chunk;
        const std::uint64_t every =
            options.verify == Verify::Sample
                ? std::max<std::uint64_t>(
                      1, 100 / std::uint64_t(std::clamp(options.samplePercent, 1, 100)))
                : 1;
        const std::uint64_t total = (chunks + every - 1) / every * chunk;
        for (std::uint64_t index = 0; index < chunks; index += every) {
            if (stop && stop()) {
                result.stopped = true;
                return false;
            }
            const std::uint64_t offset = index * chunk;
            const std::size_t len = std::size_t(std::min<std::uint64_t>(chunk, size - offset));
            if (::pread(fd, back.get(), len, off_t(offset)) != ssize_t(len)) {
                result.error = failure("cannot read back", device);
                return false;
            }
            data.fill(offset, out.get(), len);
            if (std::memcmp(out.get(), back.get(), len) != 0) {
                std::size_t at = 0;
                while (at < len && out.get()[at] == back.get()[at])
                    ++at;
                result.mismatchAt = offset + at;
                result.error = device + " did not keep what pass " + std::to_string(pass) +
                               " wrote at byte " + std::to_string(result.mismatchAt);
                return false;
            }
            result.verifiedBytes += len;
            if (progress)
                progress("verify", pass, passes, std::min(result.verifiedBytes, total), total);
        }
        return true;
    };

    Buffer spare = aligned(chunk);
    if (!spare) {
        ::close(fd);
        result.error = "out of memory";
        return result;
    }
    using Clock = std::chrono::steady_clock;
    auto lastCheckpoint = Clock::now();
    // Flushes, then tells the caller that everything before PASS at OFFSET is on the device.
    const auto checkpoint = [&](int pass, std::uint64_t offset, bool flushed) {
        if (!options.checkpoint)
            return true;
        if (!flushed && ::fdatasync(fd) != 0) {
            result.error = failure("cannot flush", device);
            return false;
        }
        options.checkpoint(pass, offset);
        lastCheckpoint = Clock::now();
        return true;
    };
    result.passesDone = options.fromPass - 1;
    for (int pass = options.fromPass; pass <= passes; ++pass) {
        const PassData data(key, pass, options.passes[std::size_t(pass - 1)]);
        const std::uint64_t from = pass == options.fromPass ? options.fromOffset : 0;
        const auto lengthAt = [&](std::uint64_t offset) {
            return std::size_t(std::min<std::uint64_t>(chunk, size - offset));
        };
        // A pattern is made once per pass: a chunk starts at one of its three phases (a chunk's
        // size is 1 more than a multiple of 3), each kept in a buffer of its own. A random
        // pass makes the next chunk on another thread while this one is written.
        const srm::Pass& kind = options.passes[std::size_t(pass - 1)];
        std::array<Buffer, 3> phases;
        if (!kind.random) {
            for (std::size_t phase = 0; phase < 3; ++phase) {
                phases[phase] = aligned(chunk);
                if (!phases[phase]) {
                    result.error = "out of memory";
                    ::close(fd);
                    return result;
                }
                kind.fillPattern(phase, phases[phase].get(), chunk);
            }
        } else if (from < size) {
            data.fill(from, out.get(), lengthAt(from));
        }
        for (std::uint64_t offset = from; offset < size; offset += chunk) {
            if (offset > from &&
                Clock::now() - lastCheckpoint >= std::chrono::seconds(options.checkpointSeconds) &&
                !checkpoint(pass, offset, false)) {
                ::close(fd);
                return result;
            }
            if (stop && stop()) {
                // Where it stopped is where it can go on.
                result.stopped = true;
                checkpoint(pass, offset, false);
                ::close(fd);
                return result;
            }
            const std::size_t len = lengthAt(offset);
            const std::uint64_t next = offset + chunk;
            std::future<void> made;
            if (kind.random && next < size)
                made = std::async(std::launch::async, [&data, &spare, next, &lengthAt] {
                    data.fill(next, spare.get(), lengthAt(next));
                });
            const std::uint8_t* bytes =
                kind.random ? out.get() : phases[std::size_t(offset % 3)].get();
            const bool written = ::pwrite(fd, bytes, len, off_t(offset)) == ssize_t(len);
            if (made.valid())
                made.get();
            if (kind.random)
                std::swap(out, spare);
            if (!written) {
                result.error =
                    failure("cannot write", device) + " at byte " + std::to_string(offset);
                ::close(fd);
                return result;
            }
            if (progress)
                progress("pass", pass, passes, offset + len, size);
        }
        if (::fdatasync(fd) != 0) {
            result.error = failure("cannot flush", device);
            ::close(fd);
            return result;
        }
        result.passesDone = pass;
        const bool check =
            options.verify == Verify::All || (pass == passes && options.verify != Verify::None);
        if ((check && !verify(pass, data)) || !checkpoint(pass + 1, 0, true)) {
            ::close(fd);
            return result;
        }
    }
    // The partition table is gone: let the kernel drop the partitions it knew (a partition
    // itself has none to drop, which is no failure). A prober woken by the writes can hold a
    // partition open for a moment, which makes the kernel answer EBUSY: asked again, briefly.
    for (int attempt = 0; attempt < 20 && ::ioctl(fd, BLKRRPART) != 0 && errno == EBUSY;
         ++attempt) {
        ::usleep(100 * 1000);
    }
    ::close(fd);
    result.ok = true;
    return result;
}

} // namespace diskutil
