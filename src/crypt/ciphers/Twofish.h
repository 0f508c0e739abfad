#pragma once
// Twofish (Schneier et al., 1998): 128-bit block, keys of 128, 192 or 256 bits, 16
// rounds. Block and key words are little-endian, as in the AES submission.
#include <cstdint>

namespace cipher {

struct Twofish {
    static constexpr int kBlockSize = 16;
    static constexpr int kKeySize = 32;

    struct Schedule {
        std::uint32_t k[40];
        std::uint32_t s[4][256]; // key-dependent S-boxes with the MDS column folded in
    };

    // Other key lengths are padded with zero bytes to the next of 16, 24 and 32, as
    // the definition prescribes for short keys; an empty key acts as 16 zero bytes.
    static void SetKey(Schedule& s, const std::uint8_t* key, int length);
    static void Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out);
    static void Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out);
};

} // namespace cipher
