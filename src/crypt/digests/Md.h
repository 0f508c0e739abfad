#pragma once
// MD4 (RFC 1320) and MD5 (RFC 1321). Message words and the length are little-endian; the
// digest is the four chaining words, each least significant byte first.
#include <cstddef>
#include <cstdint>

#include "crypt/digests/DigestUtil.h"

namespace digest {

struct Md4 {
    static constexpr int kDigestSize = 16;
    void Init();
    void Update(const std::uint8_t* data, std::size_t length);
    void Final(std::uint8_t* out);

    std::uint32_t state[4];
    detail::BlockBuffer<64> buffer;
};

struct Md5 {
    static constexpr int kDigestSize = 16;
    void Init();
    void Update(const std::uint8_t* data, std::size_t length);
    void Final(std::uint8_t* out);

    std::uint32_t state[4];
    detail::BlockBuffer<64> buffer;
};

} // namespace digest
