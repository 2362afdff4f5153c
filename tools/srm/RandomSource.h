#pragma once

#include <cstddef>
#include <cstdint>

namespace srm {

// Where overwrite data and random choices come from. The tool uses SystemRandom; tests inject a
// seeded source so that a pass plan and the bytes written are known in advance.
class RandomSource {
public:
    virtual ~RandomSource() = default;

    virtual void fill(std::uint8_t* out, std::size_t len) = 0;

    // A uniformly drawn number in [0, BOUND), without the bias of a plain modulo.
    std::uint32_t below(std::uint32_t bound);
};

} // namespace srm
