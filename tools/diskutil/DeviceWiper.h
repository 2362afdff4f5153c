#pragma once

#include "ChaCha20.h"
#include "PassPlan.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace diskutil {

// Overwrites every addressable byte of a block device (a whole disk or one partition) with the
// passes of an erasure standard, then reads back what the last pass wrote. The device is opened
// exclusively (O_EXCL: the kernel refuses while anything on it is mounted or otherwise claimed)
// and written with O_DIRECT in large aligned chunks, so nothing waits in the page cache and the
// bytes counted are the bytes the device took. Random passes come from ChaCha20 keyed from the
// kernel's pool and addressed by offset, so any stretch of them can be made again to be compared.
// A stop request ends the wipe between two chunks.
class DeviceWiper {
public:
    enum class Verify {
        None,
        Last,   // the whole last pass is read back
        All,    // every pass is read back
        Sample, // a share of the last pass, spread evenly over the device
    };
    struct Options {
        std::vector<srm::Pass> passes;
        Verify verify = Verify::Last;
        int samplePercent = 10; // for Verify::Sample, 1 to 100
        std::size_t chunkBytes = 8u << 20;
        // Where the wipe begins: pass 1 at byte 0, or where an interrupted one had come to.
        int fromPass = 1;
        std::uint64_t fromOffset = 0;
        // The key of the random passes; none: a new one from the kernel. A resumed wipe takes
        // the key it began with, so its passes (and their reading back) stay one stream.
        std::optional<srm::ChaCha20::Key> key;
        // Told the place everything before has reached the device (after a flush): at least
        // every checkpointSeconds while a pass is written, and after each pass once it was read
        // back as asked (then as the next pass at byte 0).
        std::function<void(int pass, std::uint64_t offset)> checkpoint;
        int checkpointSeconds = 2;
    };
    struct Result {
        bool ok = false;
        bool stopped = false;
        std::string error;             // why it failed
        std::uint64_t deviceBytes = 0; // the device's size
        int passesDone = 0;
        std::uint64_t verifiedBytes = 0;
        std::uint64_t mismatchAt = UINT64_MAX; // offset of the first byte that read back wrong
    };
    // PASS from 1 (0 while verifying after the passes), DONE of TOTAL bytes of that step.
    using Progress = std::function<void(const char* step, int pass, int passes, std::uint64_t done,
                                        std::uint64_t total)>;
    using StopCheck = std::function<bool()>;

    Result wipe(const std::string& device, const Options& options, const Progress& progress,
                const StopCheck& stop) const;
};

} // namespace diskutil
