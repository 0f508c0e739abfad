#pragma once
// SHARK (Rijmen, Daemen, Preneel, Bosselaers, De Win, 1996): 64-bit block, 128-bit key,
// 6 rounds. The block is a big-endian 64-bit word; the S-box is Square's.
#include <cstdint>

namespace cipher {

struct Shark {
    static constexpr int kBlockSize = 8;
    static constexpr int kKeySize = 16;
    static constexpr int kRounds = 6;

    struct Schedule {
        std::uint64_t encrypt[kRounds + 1];
        std::uint64_t decrypt[kRounds + 1];
    };

    // The key bytes are repeated to fill the round keys before they are run through
    // SHARK in CFB mode; an empty key acts as zero bytes.
    static void SetKey(Schedule& s, const std::uint8_t* key, int length);
    static void Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out);
    static void Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out);
};

} // namespace cipher
