#include "crypt/digests/Snefru.h"

#include <cstring>
#include <utility>

#include "crypt/digests/SnefruTables.h"

namespace digest {
namespace {

constexpr int kPasses = 8;

// Word I feeds its low byte through the pass's box (the first box for the words 0, 1, 4, 5,
// ..., the second for 2, 3, 6, 7, ...) into both of its neighbours.
template <int I>
[[gnu::always_inline]] inline void MixOne(std::uint32_t (&b)[16], const std::uint32_t* box0,
                                          const std::uint32_t* box1)
{
    const std::uint32_t e = ((I / 2) & 1 ? box1 : box0)[b[I] & 0xFF];
    b[(I + 15) % 16] ^= e;
    b[(I + 1) % 16] ^= e;
}

template <int Shift, std::size_t... I>
[[gnu::always_inline]] inline void Mix(std::uint32_t (&b)[16], const std::uint32_t* box0,
                                       const std::uint32_t* box1, std::index_sequence<I...>)
{
    (MixOne<int(I)>(b, box0, box1), ...);
    ((b[I] = detail::Rotr(b[I], Shift)), ...);
}

void Compress(std::uint32_t* h, const std::uint8_t* p, std::size_t blocks)
{
    constexpr auto sixteen = std::make_index_sequence<16>{};
    for (; blocks != 0; --blocks, p += 32) {
        std::uint32_t in[16];
        for (int i = 0; i < 8; ++i) {
            in[i] = h[i];
            in[8 + i] = detail::Load32Be(p + 4 * i);
        }
        std::uint32_t b[16];
        std::memcpy(b, in, sizeof b);
        for (int pass = 0; pass < kPasses; ++pass) {
            const std::uint32_t* box0 = detail::kSnefruBoxes[2 * pass];
            const std::uint32_t* box1 = detail::kSnefruBoxes[2 * pass + 1];
            Mix<16>(b, box0, box1, sixteen);
            Mix<8>(b, box0, box1, sixteen);
            Mix<16>(b, box0, box1, sixteen);
            Mix<24>(b, box0, box1, sixteen);
        }
        for (int i = 0; i < 8; ++i)
            h[i] = in[i] ^ b[15 - i];
    }
}

} // namespace

void Snefru::Init()
{
    for (std::uint32_t& w : state)
        w = 0;
    buffer.Reset();
}

void Snefru::Update(const std::uint8_t* data, std::size_t length)
{
    buffer.Feed(data, length, [this](const std::uint8_t* p, std::size_t n) { Compress(state, p, n); });
}

void Snefru::Final(std::uint8_t* out)
{
    const std::uint64_t bits = buffer.total * 8;
    if (buffer.used != 0) {
        std::memset(buffer.block + buffer.used, 0, 32 - buffer.used);
        Compress(state, buffer.block, 1);
    }
    std::memset(buffer.block, 0, 24);
    detail::Store64Be(buffer.block + 24, bits);
    Compress(state, buffer.block, 1);
    for (int i = 0; i < 8; ++i)
        detail::Store32Be(out + 4 * i, state[i]);
}

} // namespace digest
