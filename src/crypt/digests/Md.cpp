#include "crypt/digests/Md.h"

#include <utility>

namespace digest {
namespace {

using detail::Load32Le;
using detail::Rotl;
using detail::Store32Le;

// As in the RIPEMD lines, the four words stay in their slots and change roles each step.
template <int I>
struct Roles {
    static constexpr int a = (4 - I % 4) % 4, b = (a + 1) % 4, c = (a + 2) % 4, d = (a + 3) % 4;
};

constexpr std::uint8_t kMd4Word[48] = {0, 1, 2,  3,  4, 5,  6, 7,  8, 9,  10, 11, 12, 13, 14, 15,
                                       0, 4, 8,  12, 1, 5,  9, 13, 2, 6,  10, 14, 3,  7,  11, 15,
                                       0, 8, 4,  12, 2, 10, 6, 14, 1, 9,  5,  13, 3,  11, 7,  15};
constexpr std::uint8_t kMd4Shift[12] = {3, 7, 11, 19, 3, 5, 9, 13, 3, 9, 11, 15};

template <int I>
[[gnu::always_inline]] inline void Md4Step(std::uint32_t (&v)[4], const std::uint32_t* x)
{
    using R = Roles<I>;
    const std::uint32_t b = v[R::b], c = v[R::c], d = v[R::d];
    std::uint32_t f;
    if constexpr (I < 16)
        f = d ^ (b & (c ^ d));
    else if constexpr (I < 32)
        f = ((b & c) | (b & d) | (c & d)) + 0x5A827999;
    else
        f = (b ^ c ^ d) + 0x6ED9EBA1;
    v[R::a] = Rotl(v[R::a] + f + x[kMd4Word[I]], kMd4Shift[(I / 16) * 4 + I % 4]);
}

constexpr std::uint32_t kMd5Add[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};
constexpr std::uint8_t kMd5Shift[16] = {7, 12, 17, 22, 5, 9, 14, 20, 4, 11, 16, 23, 6, 10, 15, 21};

template <int I>
[[gnu::always_inline]] inline void Md5Step(std::uint32_t (&v)[4], const std::uint32_t* x)
{
    using R = Roles<I>;
    const std::uint32_t b = v[R::b], c = v[R::c], d = v[R::d];
    std::uint32_t f;
    int k;
    if constexpr (I < 16) {
        f = d ^ (b & (c ^ d));
        k = I;
    } else if constexpr (I < 32) {
        f = c ^ (d & (b ^ c));
        k = (1 + 5 * I) % 16;
    } else if constexpr (I < 48) {
        f = b ^ c ^ d;
        k = (5 + 3 * I) % 16;
    } else {
        f = c ^ (b | ~d);
        k = (7 * I) % 16;
    }
    v[R::a] = b + Rotl(v[R::a] + f + x[k] + kMd5Add[I], kMd5Shift[(I / 16) * 4 + I % 4]);
}

template <std::size_t... I>
[[gnu::always_inline]] inline void Md4Steps(std::uint32_t (&v)[4], const std::uint32_t* x,
                                            std::index_sequence<I...>)
{
    (Md4Step<int(I)>(v, x), ...);
}

template <std::size_t... I>
[[gnu::always_inline]] inline void Md5Steps(std::uint32_t (&v)[4], const std::uint32_t* x,
                                            std::index_sequence<I...>)
{
    (Md5Step<int(I)>(v, x), ...);
}

template <bool IsMd5>
void Compress(std::uint32_t* h, const std::uint8_t* p, std::size_t blocks)
{
    for (; blocks != 0; --blocks, p += 64) {
        std::uint32_t x[16];
        for (int i = 0; i < 16; ++i)
            x[i] = Load32Le(p + 4 * i);
        std::uint32_t v[4] = {h[0], h[1], h[2], h[3]};
        if constexpr (IsMd5)
            Md5Steps(v, x, std::make_index_sequence<64>{});
        else
            Md4Steps(v, x, std::make_index_sequence<48>{});
        for (int i = 0; i < 4; ++i)
            h[i] += v[i];
    }
}

constexpr std::uint32_t kInit[4] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476};

template <bool IsMd5>
void Finish(std::uint32_t* h, detail::BlockBuffer<64>& buffer, std::uint8_t* out)
{
    std::uint64_t bits = buffer.total * 8;
    buffer.PadTo(0x80, 8, [h](const std::uint8_t* p, std::size_t n) { Compress<IsMd5>(h, p, n); });
    detail::Store64Le(buffer.block + 56, bits);
    Compress<IsMd5>(h, buffer.block, 1);
    for (int i = 0; i < 4; ++i)
        Store32Le(out + 4 * i, h[i]);
}

} // namespace

void Md4::Init()
{
    for (int i = 0; i < 4; ++i)
        state[i] = kInit[i];
    buffer.Reset();
}

void Md4::Update(const std::uint8_t* data, std::size_t length)
{
    buffer.Feed(data, length, [this](const std::uint8_t* p, std::size_t n) { Compress<false>(state, p, n); });
}

void Md4::Final(std::uint8_t* out) { Finish<false>(state, buffer, out); }

void Md5::Init()
{
    for (int i = 0; i < 4; ++i)
        state[i] = kInit[i];
    buffer.Reset();
}

void Md5::Update(const std::uint8_t* data, std::size_t length)
{
    buffer.Feed(data, length, [this](const std::uint8_t* p, std::size_t n) { Compress<true>(state, p, n); });
}

void Md5::Final(std::uint8_t* out) { Finish<true>(state, buffer, out); }

} // namespace digest
