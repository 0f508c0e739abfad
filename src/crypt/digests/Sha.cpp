#include "crypt/digests/Sha.h"

#include <utility>

#include "crypt/digests/Sha1Hardware.h"

namespace digest {
namespace {

using detail::Load32Be;
using detail::Rotl;
using detail::Store32Be;

// The five words stay in their slots and change roles each step; the message schedule is a
// sixteen-word ring computed as the steps need it.
template <int I, bool Rotate>
[[gnu::always_inline]] inline void Step(std::uint32_t (&v)[5], std::uint32_t (&w)[16])
{
    constexpr int a = (5 - I % 5) % 5, b = (a + 1) % 5, c = (a + 2) % 5, d = (a + 3) % 5,
                  e = (a + 4) % 5;
    if constexpr (I >= 16) {
        std::uint32_t x = w[(I - 3) & 15] ^ w[(I - 8) & 15] ^ w[(I - 14) & 15] ^ w[I & 15];
        w[I & 15] = Rotate ? Rotl(x, 1) : x;
    }
    std::uint32_t f;
    if constexpr (I < 20)
        f = (v[d] ^ (v[b] & (v[c] ^ v[d]))) + 0x5A827999;
    else if constexpr (I < 40)
        f = (v[b] ^ v[c] ^ v[d]) + 0x6ED9EBA1;
    else if constexpr (I < 60)
        f = ((v[b] & v[c]) | (v[d] & (v[b] | v[c]))) + 0x8F1BBCDC;
    else
        f = (v[b] ^ v[c] ^ v[d]) + 0xCA62C1D6;
    v[e] += Rotl(v[a], 5) + f + w[I & 15];
    v[b] = Rotl(v[b], 30);
}

template <bool Rotate, std::size_t... I>
[[gnu::always_inline]] inline void Steps(std::uint32_t (&v)[5], std::uint32_t (&w)[16],
                                         std::index_sequence<I...>)
{
    (Step<int(I), Rotate>(v, w), ...);
}

template <bool Rotate>
void Compress(std::uint32_t* h, const std::uint8_t* p, std::size_t blocks)
{
    for (; blocks != 0; --blocks, p += 64) {
        std::uint32_t w[16];
        for (int i = 0; i < 16; ++i)
            w[i] = Load32Be(p + 4 * i);
        std::uint32_t v[5] = {h[0], h[1], h[2], h[3], h[4]};
        Steps<Rotate>(v, w, std::make_index_sequence<80>{});
        for (int i = 0; i < 5; ++i)
            h[i] += v[i];
    }
}

constexpr std::uint32_t kInit[5] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};

template <class Transform>
void Finish(std::uint32_t* h, detail::BlockBuffer<64>& buffer, std::uint8_t* out,
            Transform compress)
{
    std::uint64_t bits = buffer.total * 8;
    buffer.PadTo(0x80, 8, [h, compress](const std::uint8_t* p, std::size_t n) { compress(h, p, n); });
    detail::Store64Be(buffer.block + 56, bits);
    compress(h, buffer.block, 1);
    for (int i = 0; i < 5; ++i)
        Store32Be(out + 4 * i, h[i]);
}

// The processor's SHA instructions where present, else the portable transform.
detail::Sha1Transform Sha1Compress()
{
    static const detail::Sha1Transform transform = [] {
        detail::Sha1Transform hardware = detail::Sha1HardwareTransform();
        return hardware ? hardware : detail::Sha1PortableTransform;
    }();
    return transform;
}

} // namespace

void detail::Sha1PortableTransform(std::uint32_t* state, const std::uint8_t* blocks,
                                   std::size_t count)
{
    Compress<true>(state, blocks, count);
}

void Sha0::Init()
{
    for (int i = 0; i < 5; ++i)
        state[i] = kInit[i];
    buffer.Reset();
}

void Sha0::Update(const std::uint8_t* data, std::size_t length)
{
    buffer.Feed(data, length, [this](const std::uint8_t* p, std::size_t n) { Compress<false>(state, p, n); });
}

void Sha0::Final(std::uint8_t* out) { Finish(state, buffer, out, Compress<false>); }

void Sha1::Init()
{
    for (int i = 0; i < 5; ++i)
        state[i] = kInit[i];
    buffer.Reset();
}

void Sha1::Update(const std::uint8_t* data, std::size_t length)
{
    const detail::Sha1Transform compress = Sha1Compress();
    buffer.Feed(data, length, [this, compress](const std::uint8_t* p, std::size_t n) { compress(state, p, n); });
}

void Sha1::Final(std::uint8_t* out) { Finish(state, buffer, out, Sha1Compress()); }

} // namespace digest
