#pragma once
// SHA (the 1993 FIPS 180, here Sha0: no rotation in the message expansion) and SHA-1
// (FIPS 180-1). Words and the length are big-endian; the digest is the five chaining words,
// each most significant byte first.
#include <cstddef>
#include <cstdint>

#include "crypt/digests/DigestUtil.h"

namespace digest {

struct Sha0 {
    static constexpr int kDigestSize = 20;
    void Init();
    void Update(const std::uint8_t* data, std::size_t length);
    void Final(std::uint8_t* out);

    std::uint32_t state[5];
    detail::BlockBuffer<64> buffer;
};

struct Sha1 {
    static constexpr int kDigestSize = 20;
    void Init();
    void Update(const std::uint8_t* data, std::size_t length);
    void Final(std::uint8_t* out);

    std::uint32_t state[5];
    detail::BlockBuffer<64> buffer;
};

} // namespace digest
