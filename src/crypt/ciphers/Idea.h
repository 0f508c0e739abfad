#pragma once
// IDEA (Lai and Massey, 1991): 64-bit block, 128-bit key, 8.5 rounds. Words are
// big-endian 16-bit; in multiplication modulo 2^16 + 1 the word 0 stands for 2^16.
#include <cstdint>

namespace cipher {

struct Idea {
    static constexpr int kBlockSize = 8;
    static constexpr int kKeySize = 16;

    struct Schedule {
        std::uint16_t encrypt[52];
        std::uint16_t decrypt[52];
    };

    // A key shorter than 16 bytes is padded with zero bytes.
    static void SetKey(Schedule& s, const std::uint8_t* key, int length);
    static void Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out);
    static void Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out);
};

} // namespace cipher
