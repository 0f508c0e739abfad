#pragma once
// SCOP (Maltchev and Antonov, 1997): a stream cipher on 32-bit words with a 384-word
// key-dependent table, part of which changes as the keystream runs. Each 128-byte block
// is 32 little-endian words; encryption adds a keystream word to each, decryption
// subtracts it. The keystream runs on from block to block until Restart.
#include <cstdint>

namespace cipher {

struct Scop {
    static constexpr int kBlockSize = 128;
    static constexpr int kKeySize = 48;

    struct Schedule {
        std::uint32_t v[384];
        std::uint32_t initial[256]; // the changing part, v[128..383], right after SetKey
        std::uint8_t i, j, t3;
        std::uint8_t initialI, initialJ, initialT3;
    };

    // The published key expansion reads bytes it has not written for a one-byte key
    // (left over from an earlier key) and past its end for an empty one. Here the area
    // starts zeroed and an empty key skips the expansion, so both are well defined.
    static void SetKey(Schedule& s, const std::uint8_t* key, int length);
    static void Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out);
    static void Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out);
    // Back to the keystream's start.
    static void Restart(Schedule& s);
};

} // namespace cipher
