#pragma once

#include "RandomSource.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace srm {

// How many times and with what a file is overwritten, chosen by the option letters.
enum class Scheme {
    OnePass,    // -s: one pass of random data
    ThreePass,  // -E: random, random, a fixed pattern
    SevenPass,  // -m: 0xF6, 0x00, 0xFF, random, 0x00, 0xFF, random
    ThirtyFive, // default: 4 random, the 27 fixed patterns in random order, 4 random
};

// One overwrite pass: random data, or a three-byte pattern repeated from the file's first byte.
struct Pass {
    bool random = false;
    std::array<std::uint8_t, 3> pattern{};

    static Pass randomData() { return Pass{true, {}}; }
    static Pass bytes(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
        return Pass{false, {a, b, c}};
    }
    static Pass byte(std::uint8_t v) { return bytes(v, v, v); }

    // "random", or the pattern in hex ("f6f6f6", "924924").
    std::string describe() const;

    // Fills BUF with this pattern as it lies at file offset OFFSET onwards.
    void fillPattern(std::uint64_t offset, std::uint8_t* buf, std::size_t len) const;

    bool operator==(const Pass&) const = default;
};

class PassPlan {
public:
    // The passes of SCHEME, then one pass of zeros when FINALZEROS; RANDOM orders the patterns
    // of the 35-pass scheme.
    static std::vector<Pass> make(Scheme scheme, bool finalZeros, RandomSource& random);

    // The 27 fixed patterns of the 35-pass scheme, in their published order.
    static const std::vector<Pass>& thirtyFivePatterns();
};

} // namespace srm
