#include "AesCtr.h"
#include "ChaCha20.h"
#include "SystemRandom.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string hex(const std::uint8_t* data, std::size_t len) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < len; ++i) {
        text += digits[data[i] >> 4];
        text += digits[data[i] & 15];
    }
    return text;
}

srm::ChaCha20::Key rfcKey() {
    srm::ChaCha20::Key key;
    for (int i = 0; i < 32; ++i) {
        key[i] = std::uint8_t(i);
    }
    return key;
}

// Block function test vector: key 00..1f, block counter 1, nonce 000000090000004a00000000.
TEST(Generator, ChaCha20MatchesPublishedBlock) {
    srm::ChaCha20 cipher(rfcKey(), {1, 0, 0, 0, 0, 0, 0, 9, 0, 0, 0, 0x4a, 0, 0, 0, 0});
    std::uint8_t block[64];
    cipher.generate(block, sizeof block);
    EXPECT_EQ(hex(block, 64), "10f1e7e4d13b5915500fdd1fa32071c4c7d1f4c733c068030422aa9ac3d46c4e"
                              "d2826446079faa0914c2d705d98b02a2b5129cd1de164eb9cbd083e8a2503c4e");
}

// The eight-lane path, the single-block path and the carried-over remainder must all give one
// and the same stream, however the caller slices its requests.
TEST(Generator, StreamDoesNotDependOnRequestSizes) {
    const std::size_t total = 64 * 8 * 3 + 200;
    std::vector<std::uint8_t> whole(total), sliced(total);
    srm::ChaCha20 a(rfcKey(), {}), b(rfcKey(), {});
    a.generate(whole.data(), total);
    std::size_t at = 0;
    for (std::size_t step : {1, 63, 64, 65, 7, 513, 1000, 3}) {
        step = std::min(step, total - at);
        b.generate(sliced.data() + at, step);
        at += step;
    }
    b.generate(sliced.data() + at, total - at);
    EXPECT_EQ(whole, sliced);

    if (srm::AesCtr::available()) {
        srm::AesCtr c({}, {}), d({}, {});
        c.generate(whole.data(), total);
        d.generate(sliced.data(), 5);
        d.generate(sliced.data() + 5, 300);
        d.generate(sliced.data() + 305, total - 305);
        EXPECT_EQ(whole, sliced);
    }
}

TEST(Generator, AesCtrMatchesPublishedVectors) {
    if (!srm::AesCtr::available()) {
        GTEST_SKIP() << "this processor has no AES instructions";
    }
    // Single-block AES-128 vector: key 00..0f, block 00112233..ff.
    srm::AesCtr single({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
                       {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xaa, 0xbb,
                        0xcc, 0xdd, 0xee, 0xff});
    std::uint8_t block[16];
    single.generate(block, 16);
    EXPECT_EQ(hex(block, 16), "69c4e0d86a7b0430d8cdb78070b4c55a");

    // CTR-AES128 example: two blocks, the second with the incremented counter.
    srm::AesCtr ctr({0x2b, 0x7e, 0x15, 0x16, 0x28, 0xae, 0xd2, 0xa6, 0xab, 0xf7, 0x15, 0x88, 0x09,
                     0xcf, 0x4f, 0x3c},
                    {0xf0, 0xf1, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa, 0xfb, 0xfc,
                     0xfd, 0xfe, 0xff});
    const std::uint8_t plain[32] = {0x6b, 0xc1, 0xbe, 0xe2, 0x2e, 0x40, 0x9f, 0x96,
                                    0xe9, 0x3d, 0x7e, 0x11, 0x73, 0x93, 0x17, 0x2a,
                                    0xae, 0x2d, 0x8a, 0x57, 0x1e, 0x03, 0xac, 0x9c,
                                    0x9e, 0xb7, 0x6f, 0xac, 0x45, 0xaf, 0x8e, 0x51};
    std::uint8_t cipher[32];
    ctr.generate(cipher, 32);
    for (int i = 0; i < 32; ++i) {
        cipher[i] ^= plain[i];
    }
    EXPECT_EQ(hex(cipher, 32), "874d6191b620e3261bef6864990db6ce9806f66b7970fdff8617187bb9fffdff");
}

TEST(Generator, SystemRandomIsKeyedFreshEachTime) {
    srm::SystemRandom a, b;
    std::vector<std::uint8_t> x(4096), y(4096);
    a.fill(x.data(), x.size());
    b.fill(y.data(), y.size());
    EXPECT_NE(x, y);
    EXPECT_NE(x, std::vector<std::uint8_t>(4096, 0));
}

} // namespace
