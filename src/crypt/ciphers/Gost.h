#pragma once
// GOST 28147-89: 64-bit block, 256-bit key, 32 rounds. The standard leaves the S-boxes
// open; these are the widely published test set (Applied Cryptography, RFC 4357's test
// parameters). Key words and block halves are little-endian, output is n2 then n1.
#include <cstdint>

namespace cipher {

struct Gost {
    static constexpr int kBlockSize = 8;
    static constexpr int kKeySize = 32;

    struct Schedule {
        std::uint32_t key[8];
    };

    // A key shorter than 32 bytes is padded with zero bytes.
    static void SetKey(Schedule& s, const std::uint8_t* key, int length);
    static void Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out);
    static void Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out);
};

} // namespace cipher
