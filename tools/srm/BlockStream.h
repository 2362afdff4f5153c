#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace srm {

// Serves a byte stream from a generator that only makes whole blocks of N bytes: the unused tail
// of the last block is kept for the next request, so the stream does not depend on how the
// requests are sliced.
template <std::size_t N> class BlockStream {
public:
    // BLOCKS(out, count) writes COUNT whole blocks to OUT.
    template <typename Blocks> void generate(std::uint8_t* out, std::size_t len, Blocks&& blocks) {
        const std::size_t fromSpare = len < spareLeft_ ? len : spareLeft_;
        std::memcpy(out, spare_.data() + (N - spareLeft_), fromSpare);
        spareLeft_ -= fromSpare;
        out += fromSpare;
        len -= fromSpare;

        const std::size_t whole = len / N;
        blocks(out, whole);
        out += whole * N;
        len -= whole * N;

        if (len > 0) {
            blocks(spare_.data(), 1);
            std::memcpy(out, spare_.data(), len);
            spareLeft_ = N - len;
        }
    }

private:
    std::array<std::uint8_t, N> spare_{};
    std::size_t spareLeft_ = 0;
};

} // namespace srm
