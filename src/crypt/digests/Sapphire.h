#pragma once
// The Sapphire II hash (M. P. Johnson, 1995): the unkeyed Sapphire II stream cipher encrypts
// the message byte by byte; the digest is then drawn from the cipher after the bytes 255 down
// to 0 have been encrypted as well. A shorter digest is a prefix of a longer one.
#include <cstddef>
#include <cstdint>

namespace digest {

namespace detail {
struct SapphireState {
    std::uint8_t cards[256];
    std::uint8_t rotor, ratchet, avalanche, lastPlain, lastCipher;

    void Init();
    void Update(const std::uint8_t* data, std::size_t length);
    void Finish(std::uint8_t* out, int length);
};
} // namespace detail

template <int Bytes>
struct Sapphire {
    static_assert(Bytes >= 16 && Bytes <= 40 && Bytes % 4 == 0);
    static constexpr int kDigestSize = Bytes;
    void Init() { cipher.Init(); }
    void Update(const std::uint8_t* data, std::size_t length) { cipher.Update(data, length); }
    void Final(std::uint8_t* out) { cipher.Finish(out, Bytes); }

    detail::SapphireState cipher;
};

} // namespace digest
