#pragma once

#include "BlockStream.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace srm {

// The ChaCha20 stream cipher's keystream, used as a fast source of unpredictable overwrite data.
// Words 12-13 of the state form a 64-bit block counter and words 14-15 the nonce, so one key
// yields far more data than any file; with a counter below 2^32 the output is that of the
// 32-bit-counter layout, which lets it be checked against published test vectors.
class ChaCha20 {
public:
    using Key = std::array<std::uint8_t, 32>;
    // IV: the last four state words in their byte order (counter, then nonce).
    using Iv = std::array<std::uint8_t, 16>;

    ChaCha20(const Key& key, const Iv& iv);

    // Writes the next LEN bytes of keystream to OUT.
    void generate(std::uint8_t* out, std::size_t len);

private:
    void blocks(std::uint8_t* out, std::size_t count);

    std::array<std::uint32_t, 16> state_{};
    BlockStream<64> stream_;
};

} // namespace srm
