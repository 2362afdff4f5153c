#include "SystemRandom.h"

#include "AesCtr.h"
#include "ChaCha20.h"

#include <cerrno>
#include <sys/random.h>
#include <system_error>

namespace srm {
namespace {

void readKernelRandom(std::uint8_t* out, std::size_t len) {
    while (len > 0) {
        ssize_t got = getrandom(out, len, 0);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw std::system_error(errno, std::generic_category(), "getrandom");
        }
        out += got;
        len -= std::size_t(got);
    }
}

} // namespace

SystemRandom::SystemRandom() {
    if (AesCtr::available()) {
        AesCtr::Key key;
        AesCtr::Iv iv;
        readKernelRandom(key.data(), key.size());
        readKernelRandom(iv.data(), iv.size());
        aes_ = std::make_unique<AesCtr>(key, iv);
    } else {
        ChaCha20::Key key;
        ChaCha20::Iv iv;
        readKernelRandom(key.data(), key.size());
        readKernelRandom(iv.data(), iv.size());
        iv[0] = iv[1] = iv[2] = iv[3] = 0; // start the block counter low: no wrap within a run
        chacha_ = std::make_unique<ChaCha20>(key, iv);
    }
}

SystemRandom::~SystemRandom() = default;

void SystemRandom::fill(std::uint8_t* out, std::size_t len) {
    if (aes_) {
        aes_->generate(out, len);
    } else {
        chacha_->generate(out, len);
    }
}

const char* SystemRandom::generatorName() const {
    return aes_ ? "AES-128-CTR" : "ChaCha20";
}

} // namespace srm
