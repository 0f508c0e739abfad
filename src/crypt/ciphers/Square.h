#pragma once
// Square (Daemen, Knudsen, Rijmen, 1997): 128-bit block and key, 8 rounds. The block is
// four big-endian 32-bit rows, as in the authors' reference code and published vectors.
#include <cstdint>

namespace cipher {

struct Square {
    static constexpr int kBlockSize = 16;
    static constexpr int kKeySize = 16;

    struct Schedule {
        std::uint32_t encrypt[9][4];
        std::uint32_t decrypt[9][4];
    };

    // A key shorter than 16 bytes is padded with zero bytes.
    static void SetKey(Schedule& s, const std::uint8_t* key, int length);
    static void Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out);
    static void Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out);
};

} // namespace cipher
