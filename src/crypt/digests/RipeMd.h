#pragma once
// RIPEMD-128, -160, -256 and -320 (Dobbertin, Bosselaers, Preneel). Message words and the
// length are little-endian; the digest is the chaining words, each least significant byte first.
#include <cstddef>
#include <cstdint>

#include "crypt/digests/DigestUtil.h"

namespace digest {

struct RipeMd128 {
    static constexpr int kDigestSize = 16;
    void Init();
    void Update(const std::uint8_t* data, std::size_t length);
    void Final(std::uint8_t* out);

    std::uint32_t state[4];
    detail::BlockBuffer<64> buffer;
};

struct RipeMd160 {
    static constexpr int kDigestSize = 20;
    void Init();
    void Update(const std::uint8_t* data, std::size_t length);
    void Final(std::uint8_t* out);

    std::uint32_t state[5];
    detail::BlockBuffer<64> buffer;
};

// Two RIPEMD-128 lines kept apart, exchanging one word after each round.
struct RipeMd256 {
    static constexpr int kDigestSize = 32;
    void Init();
    void Update(const std::uint8_t* data, std::size_t length);
    void Final(std::uint8_t* out);

    std::uint32_t state[8];
    detail::BlockBuffer<64> buffer;
};

// Two RIPEMD-160 lines kept apart, exchanging one word after each round.
struct RipeMd320 {
    static constexpr int kDigestSize = 40;
    void Init();
    void Update(const std::uint8_t* data, std::size_t length);
    void Final(std::uint8_t* out);

    std::uint32_t state[10];
    detail::BlockBuffer<64> buffer;
};

} // namespace digest
