#pragma once
// 3-Way (Daemen, 1993): 96-bit block and key, 11 rounds. The 12 bytes are the words
// a[0], a[1], a[2] in that order, each big-endian; the key maps the same way.
#include <cstdint>

namespace cipher {

struct ThreeWay {
    static constexpr int kBlockSize = 12;
    static constexpr int kKeySize = 12;

    struct Schedule {
        std::uint32_t encrypt[3];
        std::uint32_t decrypt[3]; // mu(theta(key))
    };

    // A key shorter than 12 bytes is padded with zero bytes.
    static void SetKey(Schedule& s, const std::uint8_t* key, int length);
    static void Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out);
    static void Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out);
};

} // namespace cipher
