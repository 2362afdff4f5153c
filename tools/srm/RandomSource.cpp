#include "RandomSource.h"

namespace srm {

std::uint32_t RandomSource::below(std::uint32_t bound) {
    if (bound <= 1) {
        return 0;
    }
    // Draws at or above the largest multiple of BOUND would favour small results: draw again.
    const std::uint32_t limit = std::uint32_t(-bound) % bound;
    for (;;) {
        std::uint32_t draw;
        fill(reinterpret_cast<std::uint8_t*>(&draw), sizeof draw);
        if (draw >= limit) {
            return draw % bound;
        }
    }
}

} // namespace srm
