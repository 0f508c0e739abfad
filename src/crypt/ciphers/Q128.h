#pragma once
// Q128 (Robert Scott, 1996): 128-bit block and key, 16 rounds of four table-driven
// steps. Defined on four 32-bit words; the block and key bytes are taken as
// little-endian words.
#include <cstdint>

namespace cipher {

struct Q128 {
    static constexpr int kBlockSize = 16;
    static constexpr int kKeySize = 16;

    struct Schedule {
        std::uint32_t k[64];
    };

    // A key shorter than 16 bytes is padded with zero bytes.
    static void SetKey(Schedule& s, const std::uint8_t* key, int length);
    static void Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out);
    static void Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out);
};

} // namespace cipher
