#include "PassPlan.h"

#include <cstdio>
#include <cstring>
#include <utility>

namespace srm {

std::string Pass::describe() const {
    if (random) {
        return "random";
    }
    char text[7];
    std::snprintf(text, sizeof text, "%02x%02x%02x", pattern[0], pattern[1], pattern[2]);
    return text;
}

void Pass::fillPattern(std::uint64_t offset, std::uint8_t* buf, std::size_t len) const {
    if (pattern[0] == pattern[1] && pattern[1] == pattern[2]) {
        std::memset(buf, pattern[0], len);
        return;
    }
    // Three bytes by hand, then the filled part copied onto what follows, doubling each time.
    const std::size_t phase = std::size_t(offset % 3);
    std::size_t done = 0;
    for (; done < len && done < 3; ++done) {
        buf[done] = pattern[(phase + done) % 3];
    }
    while (done < len) {
        const std::size_t step = done - done % 3; // whole cycles, so the phase carries on
        const std::size_t n = len - done < step ? len - done : step;
        std::memcpy(buf + done, buf, n);
        done += n;
    }
}

const std::vector<Pass>& PassPlan::thirtyFivePatterns() {
    // Patterns that flip every bit pattern of the old MFM and RLL encodings; single bytes for
    // the plain runs, three-byte cycles for the others.
    static const std::vector<Pass> patterns = {
        Pass::byte(0x55),
        Pass::byte(0xaa),
        Pass::bytes(0x92, 0x49, 0x24),
        Pass::bytes(0x49, 0x24, 0x92),
        Pass::bytes(0x24, 0x92, 0x49),
        Pass::byte(0x00),
        Pass::byte(0x11),
        Pass::byte(0x22),
        Pass::byte(0x33),
        Pass::byte(0x44),
        Pass::byte(0x55),
        Pass::byte(0x66),
        Pass::byte(0x77),
        Pass::byte(0x88),
        Pass::byte(0x99),
        Pass::byte(0xaa),
        Pass::byte(0xbb),
        Pass::byte(0xcc),
        Pass::byte(0xdd),
        Pass::byte(0xee),
        Pass::byte(0xff),
        Pass::bytes(0x92, 0x49, 0x24),
        Pass::bytes(0x49, 0x24, 0x92),
        Pass::bytes(0x24, 0x92, 0x49),
        Pass::bytes(0x6d, 0xb6, 0xdb),
        Pass::bytes(0xb6, 0xdb, 0x6d),
        Pass::bytes(0xdb, 0x6d, 0xb6),
    };
    return patterns;
}

std::vector<Pass> PassPlan::make(Scheme scheme, bool finalZeros, RandomSource& random) {
    const Pass rnd = Pass::randomData();
    std::vector<Pass> plan;
    switch (scheme) {
    case Scheme::OnePass:
        plan = {rnd};
        break;
    case Scheme::ThreePass:
        plan = {rnd, rnd, Pass::byte(0xaa)};
        break;
    case Scheme::SevenPass:
        plan = {Pass::byte(0xf6),
                Pass::byte(0x00),
                Pass::byte(0xff),
                rnd,
                Pass::byte(0x00),
                Pass::byte(0xff),
                rnd};
        break;
    case Scheme::ThirtyFive: {
        std::vector<Pass> middle = thirtyFivePatterns();
        // Fisher-Yates: an order no one can predict, so no pass can be anticipated.
        for (std::size_t i = middle.size() - 1; i > 0; --i) {
            std::swap(middle[i], middle[random.below(std::uint32_t(i + 1))]);
        }
        plan.assign(4, rnd);
        plan.insert(plan.end(), middle.begin(), middle.end());
        plan.insert(plan.end(), 4, rnd);
        break;
    }
    }
    if (finalZeros) {
        plan.push_back(Pass::byte(0x00));
    }
    return plan;
}

} // namespace srm
