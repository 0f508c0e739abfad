#pragma once
// TEA (Wheeler and Needham, 1994) and its extension XTEA ("tean", 1997): 64-bit block,
// 128-bit key, 32 cycles. The definitions work on 32-bit words; the block halves and the
// four key words are taken big-endian here.
#include <cstdint>

namespace cipher {

struct Tea {
    static constexpr int kBlockSize = 8;
    static constexpr int kKeySize = 16;

    struct Schedule {
        std::uint32_t key[4];
    };

    // A key shorter than 16 bytes is padded with zero bytes.
    static void SetKey(Schedule& s, const std::uint8_t* key, int length);
    static void Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out);
    static void Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out);
};

// The extended TEA.
struct Tean {
    static constexpr int kBlockSize = 8;
    static constexpr int kKeySize = 16;

    struct Schedule {
        std::uint32_t key[4];
    };

    static void SetKey(Schedule& s, const std::uint8_t* key, int length);
    static void Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out);
    static void Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out);
};

} // namespace cipher
