#pragma once
// Blowfish (Schneier, 1993): 64-bit block, 16 rounds, keys of up to 448 bits.
// Block halves are big-endian 32-bit words, as in the published vectors.
#include <cstdint>

namespace cipher {

struct Blowfish {
    static constexpr int kBlockSize = 8;
    static constexpr int kKeySize = 56;

    struct Schedule {
        std::uint32_t p[18];
        std::uint32_t s[4][256];
    };

    // Key bytes are used cyclically over the P-array. An empty key leaves the P-array
    // as pi's digits before the usual expansion runs.
    static void SetKey(Schedule& s, const std::uint8_t* key, int length);
    static void Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out);
    static void Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out);
};

} // namespace cipher
