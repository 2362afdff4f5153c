#pragma once

#include "ChaCha20.h"
#include "RandomSource.h"

namespace srmtest {

// A repeatable random source: the ChaCha20 keystream of a key made from SEED.
class SeededRandom : public srm::RandomSource {
public:
    explicit SeededRandom(std::uint8_t seed) : cipher_(keyFor(seed), srm::ChaCha20::Iv{}) {}
    void fill(std::uint8_t* out, std::size_t len) override { cipher_.generate(out, len); }

    static srm::ChaCha20::Key keyFor(std::uint8_t seed) {
        srm::ChaCha20::Key key{};
        key.fill(seed);
        return key;
    }

private:
    srm::ChaCha20 cipher_;
};

} // namespace srmtest
