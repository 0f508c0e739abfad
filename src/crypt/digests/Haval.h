#pragma once
// HAVAL (Zheng, Pieprzyk, Seberry, 1992), version 1: 128-byte blocks, final padding byte 0x01,
// a 256-bit result folded down to the output length. Words and the length are little-endian;
// the digest is the output words, each least significant byte first.
#include <cstddef>
#include <cstdint>

#include "crypt/digests/DigestUtil.h"

namespace digest {

// Any of the fifteen published combinations of output length and passes.
template <int Bits, int Passes>
struct HavalWithPasses {
    static_assert(Bits == 128 || Bits == 160 || Bits == 192 || Bits == 224 || Bits == 256);
    static_assert(Passes >= 3 && Passes <= 5);
    static constexpr int kDigestSize = Bits / 8;
    static constexpr int kPasses = Passes;
    void Init();
    void Update(const std::uint8_t* data, std::size_t length);
    void Final(std::uint8_t* out);

    std::uint32_t state[8];
    detail::BlockBuffer<128> buffer;
};

// The passes follow the authors' certification data: 3 passes for 128 and 160 bits, 4 for
// 192 and 224, 5 for 256.
constexpr int HavalDefaultPasses(int bits) { return bits <= 160 ? 3 : bits <= 224 ? 4 : 5; }

template <int Bits>
struct Haval : HavalWithPasses<Bits, HavalDefaultPasses(Bits)> {};

} // namespace digest
