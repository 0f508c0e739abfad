#pragma once
// Tiger (Anderson and Biham, 1996): 192-bit digest, three passes, the original padding byte
// 0x01. Words and the length are little-endian; the digest is the three words, each least
// significant byte first (the byte string the published vectors print).
#include <cstddef>
#include <cstdint>

#include "crypt/digests/DigestUtil.h"

namespace digest {

struct Tiger {
    static constexpr int kDigestSize = 24;
    void Init();
    void Update(const std::uint8_t* data, std::size_t length);
    void Final(std::uint8_t* out);

    std::uint64_t state[3];
    detail::BlockBuffer<64> buffer;
};

} // namespace digest
