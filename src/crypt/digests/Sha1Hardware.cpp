#include "crypt/digests/Sha1Hardware.h"

// The SHA-1 block transform on the x86 SHA extensions, where the processor has them; the
// portable transform in Sha.cpp serves everywhere else and must give the same result.
#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define VARNET_SHA1_X86 1
#include <cpuid.h>
#include <immintrin.h>
#endif

#include <utility>

namespace digest::detail {

#ifdef VARNET_SHA1_X86
namespace {

// Group G covers rounds 4G .. 4G+3. m[G % 4] holds its four message words; the message
// expansion for the later groups is spread over the earlier ones as the instructions allow.
template <int G>
[[gnu::always_inline, gnu::target("sha,ssse3,sse4.1")]] inline void Group(
    __m128i& abcd, __m128i& e0, __m128i& e1, __m128i (&m)[4])
{
    __m128i& x = G % 2 == 0 ? e0 : e1; // carries E into this group
    __m128i& y = G % 2 == 0 ? e1 : e0; // keeps A for the next one
    __m128i& cur = m[G % 4];
    if constexpr (G == 0)
        x = _mm_add_epi32(x, cur);
    else
        x = _mm_sha1nexte_epu32(x, cur);
    y = abcd;
    if constexpr (G >= 3 && G <= 18)
        m[(G + 1) % 4] = _mm_sha1msg2_epu32(m[(G + 1) % 4], cur);
    abcd = _mm_sha1rnds4_epu32(abcd, x, G / 5);
    if constexpr (G >= 1 && G <= 16)
        m[(G + 3) % 4] = _mm_sha1msg1_epu32(m[(G + 3) % 4], cur);
    if constexpr (G >= 2 && G <= 17)
        m[(G + 2) % 4] = _mm_xor_si128(m[(G + 2) % 4], cur);
}

template <std::size_t... G>
[[gnu::always_inline, gnu::target("sha,ssse3,sse4.1")]] inline void Groups(
    __m128i& abcd, __m128i& e0, __m128i& e1, __m128i (&m)[4], std::index_sequence<G...>)
{
    (Group<int(G)>(abcd, e0, e1, m), ...);
}

[[gnu::target("sha,ssse3,sse4.1")]] void Compress(std::uint32_t* state, const std::uint8_t* p,
                                                  std::size_t blocks)
{
    const __m128i byteSwap = _mm_set_epi64x(0x0001020304050607LL, 0x08090a0b0c0d0e0fLL);
    __m128i abcd = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(state)),
                                     0x1B);
    __m128i e0 = _mm_set_epi32(int(state[4]), 0, 0, 0);
    for (; blocks != 0; --blocks, p += 64) {
        const __m128i abcdSave = abcd, eSave = e0;
        __m128i e1;
        __m128i m[4];
        for (int i = 0; i < 4; ++i)
            m[i] = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i)),
                                    byteSwap);
        Groups(abcd, e0, e1, m, std::make_index_sequence<20>{});
        e0 = _mm_sha1nexte_epu32(e0, eSave);
        abcd = _mm_add_epi32(abcd, abcdSave);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(state), _mm_shuffle_epi32(abcd, 0x1B));
    state[4] = std::uint32_t(_mm_extract_epi32(e0, 3));
}

bool Detect()
{
    unsigned a, b, c, d;
    if (!__get_cpuid(1, &a, &b, &c, &d))
        return false;
    const bool ssse3 = c & (1u << 9), sse41 = c & (1u << 19);
    if (!__get_cpuid_count(7, 0, &a, &b, &c, &d))
        return false;
    const bool sha = b & (1u << 29);
    return ssse3 && sse41 && sha;
}

} // namespace

Sha1Transform Sha1HardwareTransform()
{
    static const bool available = Detect();
    return available ? Compress : nullptr;
}

#else

Sha1Transform Sha1HardwareTransform() { return nullptr; }

#endif

} // namespace digest::detail
