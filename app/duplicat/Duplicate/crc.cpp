#include "app/duplicat/Duplicate/crc.h"

#include <array>
#include <cstring>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

constexpr std::uint64_t kReflectedPolynomial = 0x95AC9329AC4BC9B5ull;

using Tables = std::array<std::array<std::uint64_t, 256>, 8>;

// Table 0 is the byte-at-a-time table; table k advances a byte that stands k bytes further from the
// end.
constexpr Tables makeTables() {
    Tables t{};
    for (std::uint64_t n = 0; n < 256; ++n) {
        std::uint64_t c = n;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? (c >> 1) ^ kReflectedPolynomial : c >> 1;
        t[0][n] = c;
    }
    for (std::size_t n = 0; n < 256; ++n)
        for (std::size_t k = 1; k < 8; ++k)
            t[k][n] = t[0][t[k - 1][n] & 0xFF] ^ (t[k - 1][n] >> 8);
    return t;
}

constexpr Tables kTables = makeTables();

} // namespace

std::uint64_t crc::crc64Bytewise(std::uint64_t reg, const void* data, std::size_t length) {
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < length; ++i)
        reg = kTables[0][(reg ^ p[i]) & 0xFF] ^ (reg >> 8);
    return reg;
}

namespace {

// Slicing by 8: the register after LENGTH bytes, eight at a time.
std::uint64_t updateSliced(std::uint64_t reg, const unsigned char* p, std::size_t length);

#if defined(__x86_64__)
// Folding with carry-less multiplication (Intel's "Fast CRC computation for generic polynomials
// using PCLMULQDQ", for a reflected 64-bit CRC). The message is a polynomial M; its CRC is
// M * x^64 mod P. A 128-bit block X followed by n more bits contributes X * x^n; splitting X into
// its first (LO) and second (HI) 64-bit halves, X * x^n = LO * x^(n+64) + HI * x^n, and each
// term may be replaced by one congruent mod P that fits the next block: LO * (x^(d+64) mod P)
// + HI * (x^d mod P) for a fold over d bits. In the reflected bit order a carry-less product
// comes out multiplied by x, hence the constants x^(d+63) and x^(d-1). What remains is a block
// congruent to everything before it, whose CRC (with the register at 0) the table finishes.
constexpr std::uint64_t xPowMod(unsigned n) { // x^n mod P, bit j = coefficient of x^j
    constexpr std::uint64_t normal = 0xAD93D23594C935A9ull;
    std::uint64_t r = 1;
    for (unsigned i = 0; i < n; ++i)
        r = (r & 0x8000000000000000ull) ? (r << 1) ^ normal : r << 1;
    return r;
}
constexpr std::uint64_t reflect(std::uint64_t v) {
    std::uint64_t r = 0;
    for (int i = 0; i < 64; ++i)
        if (v & (1ull << i))
            r |= 1ull << (63 - i);
    return r;
}
constexpr std::uint64_t kFold128Lo = reflect(xPowMod(128 + 63));
constexpr std::uint64_t kFold128Hi = reflect(xPowMod(128 - 1));
constexpr std::uint64_t kFold512Lo = reflect(xPowMod(512 + 63));
constexpr std::uint64_t kFold512Hi = reflect(xPowMod(512 - 1));

__attribute__((target("pclmul,sse4.1"))) inline __m128i fold(__m128i x, __m128i k, __m128i next) {
    const __m128i lo = _mm_clmulepi64_si128(x, k, 0x00);
    const __m128i hi = _mm_clmulepi64_si128(x, k, 0x11);
    return _mm_xor_si128(_mm_xor_si128(lo, hi), next);
}

__attribute__((target("pclmul,sse4.1"))) std::uint64_t
updateFolded(std::uint64_t reg, const unsigned char* p, std::size_t length) {
    const auto load = [](const unsigned char* q) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
    };
    __m128i x0 = _mm_xor_si128(load(p), _mm_set_epi64x(0, static_cast<long long>(reg)));
    __m128i x1 = load(p + 16), x2 = load(p + 32), x3 = load(p + 48);
    p += 64;
    length -= 64;
    const __m128i k512 =
        _mm_set_epi64x(static_cast<long long>(kFold512Hi), static_cast<long long>(kFold512Lo));
    while (length >= 64) {
        x0 = fold(x0, k512, load(p));
        x1 = fold(x1, k512, load(p + 16));
        x2 = fold(x2, k512, load(p + 32));
        x3 = fold(x3, k512, load(p + 48));
        p += 64;
        length -= 64;
    }
    const __m128i k128 =
        _mm_set_epi64x(static_cast<long long>(kFold128Hi), static_cast<long long>(kFold128Lo));
    __m128i x = fold(fold(fold(x0, k128, x1), k128, x2), k128, x3);
    while (length >= 16) {
        x = fold(x, k128, load(p));
        p += 16;
        length -= 16;
    }
    alignas(16) unsigned char block[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(block), x);
    return updateSliced(updateSliced(0, block, 16), p, length);
}

bool haveClmul() {
    static const bool have = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    return have;
}
#endif

} // namespace

std::uint64_t crc::update(std::uint64_t reg, const void* data, std::size_t length) {
    const auto* p = static_cast<const unsigned char*>(data);
#if defined(__x86_64__)
    if (length >= 128 && haveClmul())
        return updateFolded(reg, p, length);
#endif
    return updateSliced(reg, p, length);
}

namespace {
std::uint64_t updateSliced(std::uint64_t reg, const unsigned char* p, std::size_t length) {
    while (length >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8); // little-endian machines only (x86-64, arm64 as built here)
        word ^= reg;
        reg = kTables[7][word & 0xFF] ^ kTables[6][(word >> 8) & 0xFF] ^
              kTables[5][(word >> 16) & 0xFF] ^ kTables[4][(word >> 24) & 0xFF] ^
              kTables[3][(word >> 32) & 0xFF] ^ kTables[2][(word >> 40) & 0xFF] ^
              kTables[1][(word >> 48) & 0xFF] ^ kTables[0][word >> 56];
        p += 8;
        length -= 8;
    }
    for (std::size_t i = 0; i < length; ++i)
        reg = kTables[0][(reg ^ p[i]) & 0xFF] ^ (reg >> 8);
    return reg;
}
} // namespace

std::uint64_t crc::crc64(const void* buffer, std::uint32_t bufferSize) {
    if (buffer == nullptr)
        return 0;
    return update(kStart, buffer, bufferSize);
}

std::uint64_t crc::crc64Buffer(const void* buffer, std::uint32_t buffSize, bool isHead,
                               std::uint64_t previous) {
    const std::uint64_t start = isHead ? kStart : previous;
    if (buffer == nullptr)
        return start;
    return update(start, buffer, buffSize);
}
