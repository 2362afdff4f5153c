#pragma once

#include "BlockStream.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace srm {

// AES-128 in counter mode on the processor's AES instructions: the fastest source of
// unpredictable overwrite data where the processor has them (see available()). The counter
// block is the 16-byte IV with its last eight bytes taken as a big-endian block counter.
class AesCtr {
public:
    using Key = std::array<std::uint8_t, 16>;
    using Iv = std::array<std::uint8_t, 16>;

    // True when this processor can run the cipher.
    static bool available();

    // Call only when available().
    AesCtr(const Key& key, const Iv& iv);

    // Writes the next LEN bytes of keystream to OUT.
    void generate(std::uint8_t* out, std::size_t len);

private:
    void blocks(std::uint8_t* out, std::size_t count);

    alignas(16) std::array<std::uint8_t, 16 * 11> roundKeys_{};
    std::array<std::uint8_t, 8> nonce_{};
    std::uint64_t counter_ = 0;
    BlockStream<16> stream_;
};

} // namespace srm
