#pragma once

#include "RandomSource.h"

#include <memory>

namespace srm {

class AesCtr;
class ChaCha20;

// A keystream generator keyed from the kernel's random pool (getrandom): AES-128-CTR where the
// processor has AES instructions, ChaCha20 elsewhere. Either writes several GB/s, so the disk,
// not the generator, sets the pace of a random pass.
class SystemRandom : public RandomSource {
public:
    // Throws std::system_error when the kernel's random pool cannot be read.
    SystemRandom();
    ~SystemRandom() override;

    void fill(std::uint8_t* out, std::size_t len) override;

    // "AES-128-CTR" or "ChaCha20", for the help text and diagnostics.
    const char* generatorName() const;

private:
    std::unique_ptr<AesCtr> aes_;
    std::unique_ptr<ChaCha20> chacha_;
};

} // namespace srm
