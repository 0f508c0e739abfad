#pragma once
// The Square hash: the Matyas-Meyer-Oseas construction over the Square block cipher. The
// chaining value starts at zero and keys the cipher that encrypts the next 16-byte block,
// which is XORed onto the result: H(i) = E[H(i-1)](M(i)) xor M(i). Padding is 0x80, zeros to
// 8 bytes short of a block, then the 64-bit bit count little-endian; the digest is the last
// chaining value.
#include <cstddef>
#include <cstdint>

#include "crypt/digests/DigestUtil.h"

namespace digest {

struct SquareHash {
    static constexpr int kDigestSize = 16;
    void Init();
    void Update(const std::uint8_t* data, std::size_t length);
    void Final(std::uint8_t* out);

    std::uint8_t chain[16];
    detail::BlockBuffer<16> buffer;
};

} // namespace digest
