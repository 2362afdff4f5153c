#include "AesCtr.h"

#include <cstring>
#include <stdexcept>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define SRM_HAVE_AESNI 1
#endif

namespace srm {

#ifdef SRM_HAVE_AESNI
namespace {

#define AES_TARGET __attribute__((target("aes,sse4.1")))

AES_TARGET inline __m128i expandStep(__m128i key, __m128i assist) {
    assist = _mm_shuffle_epi32(assist, 0xff);
    key = _mm_xor_si128(key, _mm_slli_si128(key, 4));
    key = _mm_xor_si128(key, _mm_slli_si128(key, 4));
    key = _mm_xor_si128(key, _mm_slli_si128(key, 4));
    return _mm_xor_si128(key, assist);
}

AES_TARGET void expandKey(const std::uint8_t* key, std::uint8_t* out) {
    __m128i rk[11];
    rk[0] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(key));
    // The round constant must be an immediate, hence one line per round.
    rk[1] = expandStep(rk[0], _mm_aeskeygenassist_si128(rk[0], 0x01));
    rk[2] = expandStep(rk[1], _mm_aeskeygenassist_si128(rk[1], 0x02));
    rk[3] = expandStep(rk[2], _mm_aeskeygenassist_si128(rk[2], 0x04));
    rk[4] = expandStep(rk[3], _mm_aeskeygenassist_si128(rk[3], 0x08));
    rk[5] = expandStep(rk[4], _mm_aeskeygenassist_si128(rk[4], 0x10));
    rk[6] = expandStep(rk[5], _mm_aeskeygenassist_si128(rk[5], 0x20));
    rk[7] = expandStep(rk[6], _mm_aeskeygenassist_si128(rk[6], 0x40));
    rk[8] = expandStep(rk[7], _mm_aeskeygenassist_si128(rk[7], 0x80));
    rk[9] = expandStep(rk[8], _mm_aeskeygenassist_si128(rk[8], 0x1b));
    rk[10] = expandStep(rk[9], _mm_aeskeygenassist_si128(rk[9], 0x36));
    std::memcpy(out, rk, sizeof rk);
}

// Encrypts COUNT consecutive counter blocks into OUT. Eight blocks in flight keep the AES
// unit busy; the round keys stay in registers for the whole call.
AES_TARGET void encryptCounters(const std::uint8_t* roundKeys, std::int64_t nonce,
                                std::uint64_t counter, std::size_t count, std::uint8_t* out) {
    const __m128i* keys = reinterpret_cast<const __m128i*>(roundKeys);
    const __m128i k0 = _mm_load_si128(keys + 0), k1 = _mm_load_si128(keys + 1),
                  k2 = _mm_load_si128(keys + 2), k3 = _mm_load_si128(keys + 3),
                  k4 = _mm_load_si128(keys + 4), k5 = _mm_load_si128(keys + 5),
                  k6 = _mm_load_si128(keys + 6), k7 = _mm_load_si128(keys + 7),
                  k8 = _mm_load_si128(keys + 8), k9 = _mm_load_si128(keys + 9),
                  k10 = _mm_load_si128(keys + 10);
    while (count > 0) {
        __m128i x[8];
#pragma GCC unroll 8
        for (int i = 0; i < 8; ++i) {
            std::int64_t be = std::int64_t(__builtin_bswap64(counter + std::uint64_t(i)));
            x[i] = _mm_xor_si128(_mm_set_epi64x(be, nonce), k0);
        }
#define AES_ROUND(k)                                                                               \
    _Pragma("GCC unroll 8") for (int i = 0; i < 8; ++i) x[i] = _mm_aesenc_si128(x[i], k)
        AES_ROUND(k1);
        AES_ROUND(k2);
        AES_ROUND(k3);
        AES_ROUND(k4);
        AES_ROUND(k5);
        AES_ROUND(k6);
        AES_ROUND(k7);
        AES_ROUND(k8);
        AES_ROUND(k9);
#undef AES_ROUND
        std::size_t n = count < 8 ? count : 8;
        if (n == 8) {
#pragma GCC unroll 8
            for (int i = 0; i < 8; ++i) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16 * i),
                                 _mm_aesenclast_si128(x[i], k10));
            }
        } else {
            for (std::size_t i = 0; i < n; ++i) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16 * i),
                                 _mm_aesenclast_si128(x[i], k10));
            }
        }
        counter += n;
        out += 16 * n;
        count -= n;
    }
}

#undef AES_TARGET

} // namespace

bool AesCtr::available() {
    return __builtin_cpu_supports("aes") && __builtin_cpu_supports("sse4.1");
}

AesCtr::AesCtr(const Key& key, const Iv& iv) {
    if (!available()) {
        throw std::logic_error("AES instructions not available");
    }
    expandKey(key.data(), roundKeys_.data());
    std::memcpy(nonce_.data(), iv.data(), 8);
    for (int i = 8; i < 16; ++i) {
        counter_ = counter_ << 8 | iv[i];
    }
}

void AesCtr::blocks(std::uint8_t* out, std::size_t count) {
    std::int64_t nonce;
    std::memcpy(&nonce, nonce_.data(), 8);
    encryptCounters(roundKeys_.data(), nonce, counter_, count, out);
    counter_ += count;
}

#else

bool AesCtr::available() {
    return false;
}

AesCtr::AesCtr(const Key&, const Iv&) {
    throw std::logic_error("AES instructions not available");
}

void AesCtr::blocks(std::uint8_t*, std::size_t) {}

#endif

void AesCtr::generate(std::uint8_t* out, std::size_t len) {
    stream_.generate(out, len, [this](std::uint8_t* to, std::size_t count) { blocks(to, count); });
}

} // namespace srm
