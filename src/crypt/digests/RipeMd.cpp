#include "crypt/digests/RipeMd.h"

#include <utility>

namespace digest {
namespace {

using detail::Load32Le;
using detail::Rotl;
using detail::Store32Le;

// Message word order and rotation amounts of the left and right lines, step by step.
constexpr std::uint8_t kWordLeft[80] = {
    0, 1, 2,  3,  4,  5,  6,  7,  8, 9, 10, 11, 12, 13, 14, 15, //
    7, 4, 13, 1,  10, 6,  15, 3,  12, 0, 9,  5,  2,  14, 11, 8,  //
    3, 10, 14, 4, 9,  15, 8,  1,  2, 7, 0,  6,  13, 11, 5,  12, //
    1, 9, 11, 10, 0,  8,  12, 4,  13, 3, 7,  15, 14, 5,  6,  2,  //
    4, 0, 5,  9,  7,  12, 2,  10, 14, 1, 3,  8,  11, 6,  15, 13};
constexpr std::uint8_t kWordRight[80] = {
    5,  14, 7,  0, 9, 2,  11, 4,  13, 6,  15, 8,  1,  10, 3,  12, //
    6,  11, 3,  7, 0, 13, 5,  10, 14, 15, 8,  12, 4,  9,  1,  2,  //
    15, 5,  1,  3, 7, 14, 6,  9,  11, 8,  12, 2,  10, 0,  4,  13, //
    8,  6,  4,  1, 3, 11, 15, 0,  5,  12, 2,  13, 9,  7,  10, 14, //
    12, 15, 10, 4, 1, 5,  8,  7,  6,  2,  13, 14, 0,  3,  9,  11};
constexpr std::uint8_t kShiftLeft[80] = {
    11, 14, 15, 12, 5,  8,  7,  9,  11, 13, 14, 15, 6,  7,  9,  8,  //
    7,  6,  8,  13, 11, 9,  7,  15, 7,  12, 15, 9,  11, 7,  13, 12, //
    11, 13, 6,  7,  14, 9,  13, 15, 14, 8,  13, 6,  5,  12, 7,  5,  //
    11, 12, 14, 15, 14, 15, 9,  8,  9,  14, 5,  6,  8,  6,  5,  12, //
    9,  15, 5,  11, 6,  8,  13, 12, 5,  12, 13, 14, 11, 8,  5,  6};
constexpr std::uint8_t kShiftRight[80] = {
    8,  9,  9,  11, 13, 15, 15, 5,  7,  7,  8,  11, 14, 14, 12, 6,  //
    9,  13, 15, 7,  12, 8,  9,  11, 7,  7,  12, 7,  6,  15, 13, 11, //
    9,  7,  15, 11, 8,  6,  6,  14, 12, 13, 5,  14, 13, 13, 7,  5,  //
    15, 5,  8,  11, 14, 14, 6,  14, 6,  9,  12, 9,  12, 5,  15, 8,  //
    8,  5,  12, 9,  12, 5,  14, 6,  8,  13, 6,  5,  15, 13, 11, 11};

constexpr std::uint32_t kAddLeft[5] = {0x00000000, 0x5A827999, 0x6ED9EBA1, 0x8F1BBCDC, 0xA953FD4E};
constexpr std::uint32_t kAddRight160[5] = {0x50A28BE6, 0x5C4DD124, 0x6D703EF3, 0x7A6D76E9,
                                           0x00000000};
constexpr std::uint32_t kAddRight128[4] = {0x50A28BE6, 0x5C4DD124, 0x6D703EF3, 0x00000000};

template <int J>
[[gnu::always_inline]] inline std::uint32_t F(std::uint32_t x, std::uint32_t y, std::uint32_t z)
{
    if constexpr (J == 0)
        return x ^ y ^ z;
    else if constexpr (J == 1)
        return z ^ (x & (y ^ z)); // (x & y) | (~x & z)
    else if constexpr (J == 2)
        return (x | ~y) ^ z;
    else if constexpr (J == 3)
        return y ^ (z & (x ^ y)); // (x & z) | (y & ~z)
    else
        return x ^ (y | ~z);
}

// The words of a line live in a small array whose slots change role each step instead of
// being shifted along; after a whole number of turns the slots are back in order.
// Four-word line (RIPEMD-128/256): the right line uses the functions in reverse order.
template <int I, bool Left>
[[gnu::always_inline]] inline void Step4(std::uint32_t (&v)[4], const std::uint32_t* x)
{
    constexpr int j = I / 16;
    constexpr int a = (4 - I % 4) % 4, b = (a + 1) % 4, c = (a + 2) % 4, d = (a + 3) % 4;
    if constexpr (Left)
        v[a] = Rotl(v[a] + F<j>(v[b], v[c], v[d]) + x[kWordLeft[I]] + kAddLeft[j], kShiftLeft[I]);
    else
        v[a] = Rotl(v[a] + F<3 - j>(v[b], v[c], v[d]) + x[kWordRight[I]] + kAddRight128[j],
                    kShiftRight[I]);
}

// Five-word line (RIPEMD-160/320).
template <int I, bool Left>
[[gnu::always_inline]] inline void Step5(std::uint32_t (&v)[5], const std::uint32_t* x)
{
    constexpr int j = I / 16;
    constexpr int a = (5 - I % 5) % 5, b = (a + 1) % 5, c = (a + 2) % 5, d = (a + 3) % 5,
                  e = (a + 4) % 5;
    if constexpr (Left)
        v[a] = Rotl(v[a] + F<j>(v[b], v[c], v[d]) + x[kWordLeft[I]] + kAddLeft[j], kShiftLeft[I]) +
               v[e];
    else
        v[a] = Rotl(v[a] + F<4 - j>(v[b], v[c], v[d]) + x[kWordRight[I]] + kAddRight160[j],
                    kShiftRight[I]) +
               v[e];
    v[c] = Rotl(v[c], 10);
}

// One round (16 steps) of both lines, interleaved so the two chains run side by side.
template <int Base, std::size_t... I>
[[gnu::always_inline]] inline void Round4(std::uint32_t (&l)[4], std::uint32_t (&r)[4],
                                          const std::uint32_t* x, std::index_sequence<I...>)
{
    ((Step4<Base + int(I), true>(l, x), Step4<Base + int(I), false>(r, x)), ...);
}

template <int Base, std::size_t... I>
[[gnu::always_inline]] inline void Round5(std::uint32_t (&l)[5], std::uint32_t (&r)[5],
                                          const std::uint32_t* x, std::index_sequence<I...>)
{
    ((Step5<Base + int(I), true>(l, x), Step5<Base + int(I), false>(r, x)), ...);
}

constexpr auto kSixteen = std::make_index_sequence<16>{};

[[gnu::always_inline]] inline void LoadBlock(std::uint32_t (&x)[16], const std::uint8_t* p)
{
    for (int i = 0; i < 16; ++i)
        x[i] = Load32Le(p + 4 * i);
}

void Compress128(std::uint32_t* h, const std::uint8_t* p, std::size_t blocks)
{
    for (; blocks != 0; --blocks, p += 64) {
        std::uint32_t x[16];
        LoadBlock(x, p);
        std::uint32_t l[4] = {h[0], h[1], h[2], h[3]};
        std::uint32_t r[4] = {h[0], h[1], h[2], h[3]};
        Round4<0>(l, r, x, kSixteen);
        Round4<16>(l, r, x, kSixteen);
        Round4<32>(l, r, x, kSixteen);
        Round4<48>(l, r, x, kSixteen);
        std::uint32_t t = h[1] + l[2] + r[3];
        h[1] = h[2] + l[3] + r[0];
        h[2] = h[3] + l[0] + r[1];
        h[3] = h[0] + l[1] + r[2];
        h[0] = t;
    }
}

void Compress160(std::uint32_t* h, const std::uint8_t* p, std::size_t blocks)
{
    for (; blocks != 0; --blocks, p += 64) {
        std::uint32_t x[16];
        LoadBlock(x, p);
        std::uint32_t l[5] = {h[0], h[1], h[2], h[3], h[4]};
        std::uint32_t r[5] = {h[0], h[1], h[2], h[3], h[4]};
        Round5<0>(l, r, x, kSixteen);
        Round5<16>(l, r, x, kSixteen);
        Round5<32>(l, r, x, kSixteen);
        Round5<48>(l, r, x, kSixteen);
        Round5<64>(l, r, x, kSixteen);
        std::uint32_t t = h[1] + l[2] + r[3];
        h[1] = h[2] + l[3] + r[4];
        h[2] = h[3] + l[4] + r[0];
        h[3] = h[4] + l[0] + r[1];
        h[4] = h[0] + l[1] + r[2];
        h[0] = t;
    }
}

void Compress256(std::uint32_t* h, const std::uint8_t* p, std::size_t blocks)
{
    for (; blocks != 0; --blocks, p += 64) {
        std::uint32_t x[16];
        LoadBlock(x, p);
        std::uint32_t l[4] = {h[0], h[1], h[2], h[3]};
        std::uint32_t r[4] = {h[4], h[5], h[6], h[7]};
        Round4<0>(l, r, x, kSixteen);
        std::swap(l[0], r[0]);
        Round4<16>(l, r, x, kSixteen);
        std::swap(l[1], r[1]);
        Round4<32>(l, r, x, kSixteen);
        std::swap(l[2], r[2]);
        Round4<48>(l, r, x, kSixteen);
        std::swap(l[3], r[3]);
        for (int i = 0; i < 4; ++i) {
            h[i] += l[i];
            h[4 + i] += r[i];
        }
    }
}

void Compress320(std::uint32_t* h, const std::uint8_t* p, std::size_t blocks)
{
    for (; blocks != 0; --blocks, p += 64) {
        std::uint32_t x[16];
        LoadBlock(x, p);
        std::uint32_t l[5] = {h[0], h[1], h[2], h[3], h[4]};
        std::uint32_t r[5] = {h[5], h[6], h[7], h[8], h[9]};
        // After each round the words in the roles B, D, A, C, E are exchanged; since the roles
        // move one slot per step (16 = 1 mod 5), those are the slots 0, 1, 2, 3, 4.
        Round5<0>(l, r, x, kSixteen);
        std::swap(l[0], r[0]);
        Round5<16>(l, r, x, kSixteen);
        std::swap(l[1], r[1]);
        Round5<32>(l, r, x, kSixteen);
        std::swap(l[2], r[2]);
        Round5<48>(l, r, x, kSixteen);
        std::swap(l[3], r[3]);
        Round5<64>(l, r, x, kSixteen);
        std::swap(l[4], r[4]);
        for (int i = 0; i < 5; ++i) {
            h[i] += l[i];
            h[5 + i] += r[i];
        }
    }
}

constexpr std::uint32_t kInit[10] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0,
                                     0x76543210, 0xFEDCBA98, 0x89ABCDEF, 0x01234567, 0x3C2D1E0F};
// RIPEMD-256 starts its second line from the 128-bit line's values in another order.
constexpr std::uint32_t kInit256[8] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476,
                                       0x76543210, 0xFEDCBA98, 0x89ABCDEF, 0x01234567};

template <std::size_t Words, class Compress>
void Finish(std::uint32_t* h, detail::BlockBuffer<64>& buffer, std::uint8_t* out,
            Compress compress)
{
    std::uint64_t bits = buffer.total * 8;
    auto run = [&](const std::uint8_t* p, std::size_t n) { compress(h, p, n); };
    buffer.PadTo(0x80, 8, run);
    detail::Store64Le(buffer.block + 56, bits);
    compress(h, buffer.block, 1);
    for (std::size_t i = 0; i < Words; ++i)
        Store32Le(out + 4 * i, h[i]);
}

} // namespace

void RipeMd128::Init()
{
    for (int i = 0; i < 4; ++i)
        state[i] = kInit[i];
    buffer.Reset();
}

void RipeMd128::Update(const std::uint8_t* data, std::size_t length)
{
    buffer.Feed(data, length, [this](const std::uint8_t* p, std::size_t n) { Compress128(state, p, n); });
}

void RipeMd128::Final(std::uint8_t* out) { Finish<4>(state, buffer, out, Compress128); }

void RipeMd160::Init()
{
    for (int i = 0; i < 5; ++i)
        state[i] = kInit[i];
    buffer.Reset();
}

void RipeMd160::Update(const std::uint8_t* data, std::size_t length)
{
    buffer.Feed(data, length, [this](const std::uint8_t* p, std::size_t n) { Compress160(state, p, n); });
}

void RipeMd160::Final(std::uint8_t* out) { Finish<5>(state, buffer, out, Compress160); }

void RipeMd256::Init()
{
    for (int i = 0; i < 8; ++i)
        state[i] = kInit256[i];
    buffer.Reset();
}

void RipeMd256::Update(const std::uint8_t* data, std::size_t length)
{
    buffer.Feed(data, length, [this](const std::uint8_t* p, std::size_t n) { Compress256(state, p, n); });
}

void RipeMd256::Final(std::uint8_t* out) { Finish<8>(state, buffer, out, Compress256); }

void RipeMd320::Init()
{
    for (int i = 0; i < 10; ++i)
        state[i] = kInit[i];
    buffer.Reset();
}

void RipeMd320::Update(const std::uint8_t* data, std::size_t length)
{
    buffer.Feed(data, length, [this](const std::uint8_t* p, std::size_t n) { Compress320(state, p, n); });
}

void RipeMd320::Final(std::uint8_t* out) { Finish<10>(state, buffer, out, Compress320); }

} // namespace digest
