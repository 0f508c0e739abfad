#pragma once
// Snefru-256 (Merkle, 1990), eight passes. Each 512-bit input of the compression function is
// the 256-bit chaining value followed by 32 message bytes; the last partial chunk is padded
// with zeros and a final chunk carries the 64-bit bit count. Words, the count and the digest
// are big-endian.
#include <cstddef>
#include <cstdint>

#include "crypt/digests/DigestUtil.h"

namespace digest {

struct Snefru {
    static constexpr int kDigestSize = 32;
    void Init();
    void Update(const std::uint8_t* data, std::size_t length);
    void Final(std::uint8_t* out);

    std::uint32_t state[8];
    detail::BlockBuffer<32> buffer;
};

} // namespace digest
