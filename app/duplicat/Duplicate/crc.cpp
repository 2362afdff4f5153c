#include "app/duplicat/Duplicate/crc.h"

#include <array>
#include <cstring>

namespace {

constexpr std::uint64_t kReflectedPolynomial = 0x95AC9329AC4BC9B5ull;

using Tables = std::array<std::array<std::uint64_t, 256>, 8>;

// Table 0 is the spec's table; table k advances a byte that stands k bytes further from the end.
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

std::uint64_t crc::update(std::uint64_t reg, const void* data, std::size_t length) {
    const auto* p = static_cast<const unsigned char*>(data);
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
    return crc64Bytewise(reg, p, length);
}

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
