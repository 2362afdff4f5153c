#include "ChaCha20.h"

#include <bit>
#include <cstring>

namespace srm {
namespace {

// Eight blocks are computed side by side, one per vector lane. GCC's vector extensions keep
// this plain C++; each function below is also built for AVX2 and picked at run time.
using Lanes = std::uint32_t __attribute__((vector_size(32)));
constexpr std::size_t kLanes = 8;

std::uint32_t load32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

using Bytes = std::uint8_t __attribute__((vector_size(32)));

// Macros rather than functions: vector arguments would cross the AVX2/default ABI boundary.
// Rotations by 16 and 8 bits move whole bytes, so they are a single byte shuffle.
#define CHACHA_ROTL(v, n) (((v) << (n)) | ((v) >> (32 - (n))))
#define CHACHA_ROTL16(v)                                                                           \
    ((Lanes)__builtin_shuffle((Bytes)(v), (Bytes){2,  3,  0,  1,  6,  7,  4,  5,  10, 11, 8,       \
                                                  9,  14, 15, 12, 13, 18, 19, 16, 17, 22, 23,      \
                                                  20, 21, 26, 27, 24, 25, 30, 31, 28, 29}))
#define CHACHA_ROTL8(v)                                                                            \
    ((Lanes)__builtin_shuffle((Bytes)(v), (Bytes){3,  0,  1,  2,  7,  4,  5,  6,  11, 8,  9,       \
                                                  10, 15, 12, 13, 14, 19, 16, 17, 18, 23, 20,      \
                                                  21, 22, 27, 24, 25, 26, 31, 28, 29, 30}))

#define CHACHA_QUARTER(a, b, c, d)                                                                 \
    a += b;                                                                                        \
    d = CHACHA_ROTL16(d ^ a);                                                                      \
    c += d;                                                                                        \
    b = CHACHA_ROTL(b ^ c, 12);                                                                    \
    a += b;                                                                                        \
    d = CHACHA_ROTL8(d ^ a);                                                                       \
    c += d;                                                                                        \
    b = CHACHA_ROTL(b ^ c, 7)

// Computes eight consecutive blocks starting at the counter in STATE into OUT (512 bytes).
__attribute__((target_clones("avx2", "default"))) void
eightBlocks(const std::uint32_t* state, std::uint64_t counter, std::uint8_t* out) {
    Lanes in[16];
    for (int i = 0; i < 16; ++i) {
        in[i] = Lanes{} + state[i];
    }
    for (unsigned lane = 0; lane < kLanes; ++lane) {
        std::uint64_t c = counter + lane;
        in[12][lane] = std::uint32_t(c);
        in[13][lane] = std::uint32_t(c >> 32);
    }
    Lanes x[16];
    std::memcpy(x, in, sizeof x);
    for (int round = 0; round < 10; ++round) {
        CHACHA_QUARTER(x[0], x[4], x[8], x[12]);
        CHACHA_QUARTER(x[1], x[5], x[9], x[13]);
        CHACHA_QUARTER(x[2], x[6], x[10], x[14]);
        CHACHA_QUARTER(x[3], x[7], x[11], x[15]);
        CHACHA_QUARTER(x[0], x[5], x[10], x[15]);
        CHACHA_QUARTER(x[1], x[6], x[11], x[12]);
        CHACHA_QUARTER(x[2], x[7], x[8], x[13]);
        CHACHA_QUARTER(x[3], x[4], x[9], x[14]);
    }
    for (int i = 0; i < 16; ++i) {
        x[i] += in[i];
    }
    // Lane L of word W is word W of block L: the stores transpose back to block order.
    std::uint32_t words[16][kLanes];
    std::memcpy(words, x, sizeof words);
    for (unsigned lane = 0; lane < kLanes; ++lane) {
        for (int w = 0; w < 16; ++w) {
            std::uint32_t v = words[w][lane];
            if constexpr (std::endian::native != std::endian::little) {
                v = __builtin_bswap32(v);
            }
            std::memcpy(out + lane * 64 + w * 4, &v, 4);
        }
    }
}

#undef CHACHA_QUARTER
#undef CHACHA_ROTL
#undef CHACHA_ROTL16
#undef CHACHA_ROTL8

} // namespace

ChaCha20::ChaCha20(const Key& key, const Iv& iv) {
    state_[0] = 0x61707865; // "expand 32-byte k"
    state_[1] = 0x3320646e;
    state_[2] = 0x79622d32;
    state_[3] = 0x6b206574;
    for (int i = 0; i < 8; ++i) {
        state_[4 + i] = load32(key.data() + 4 * i);
    }
    for (int i = 0; i < 4; ++i) {
        state_[12 + i] = load32(iv.data() + 4 * i);
    }
}

void ChaCha20::blocks(std::uint8_t* out, std::size_t count) {
    std::uint64_t counter = std::uint64_t(state_[13]) << 32 | state_[12];
    std::uint8_t scratch[64 * kLanes];
    while (count > 0) {
        std::size_t n = count < kLanes ? count : kLanes;
        if (n == kLanes) {
            eightBlocks(state_.data(), counter, out);
        } else {
            eightBlocks(state_.data(), counter, scratch);
            std::memcpy(out, scratch, n * 64);
        }
        counter += n;
        out += n * 64;
        count -= n;
    }
    state_[12] = std::uint32_t(counter);
    state_[13] = std::uint32_t(counter >> 32);
}

void ChaCha20::generate(std::uint8_t* out, std::size_t len) {
    stream_.generate(out, len, [this](std::uint8_t* to, std::size_t count) { blocks(to, count); });
}

} // namespace srm
