#include "crypt/digests/Haval.h"

#include <utility>

namespace digest {
namespace {

using detail::Rotr;

// Word order of the message in each pass.
constexpr std::uint8_t kOrder[5][32] = {
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15,
     16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31},
    {5, 14, 26, 18, 11, 28, 7, 16, 0, 23, 20, 22, 1, 10, 4, 8,
     30, 3, 21, 9, 17, 24, 29, 6, 19, 12, 15, 13, 2, 25, 31, 27},
    {19, 9, 4, 20, 28, 17, 8, 22, 29, 14, 25, 12, 24, 30, 16, 26,
     31, 15, 7, 3, 1, 0, 18, 27, 13, 6, 21, 10, 23, 11, 5, 2},
    {24, 4, 0, 14, 2, 7, 28, 23, 26, 6, 30, 20, 18, 25, 19, 3,
     22, 11, 31, 21, 8, 27, 12, 9, 1, 29, 5, 15, 17, 10, 16, 13},
    {27, 3, 21, 26, 17, 11, 20, 29, 19, 0, 12, 7, 13, 8, 31, 10,
     5, 9, 14, 30, 18, 6, 28, 24, 2, 23, 16, 22, 4, 1, 25, 15}};

// The permutation phi applied before each pass's function, by number of passes: the entry
// lists which of x6..x0 goes into the function's arguments x6..x0.
constexpr std::uint8_t kPhi[3][5][7] = {
    {{1, 0, 3, 5, 6, 2, 4}, {4, 2, 1, 0, 5, 3, 6}, {6, 1, 2, 3, 4, 5, 0}},
    {{2, 6, 1, 4, 5, 3, 0}, {3, 5, 2, 0, 1, 6, 4}, {1, 4, 3, 6, 0, 2, 5}, {6, 4, 0, 5, 2, 1, 3}},
    {{3, 4, 1, 0, 5, 2, 6},
     {6, 2, 1, 0, 3, 4, 5},
     {2, 6, 0, 4, 3, 1, 5},
     {1, 5, 3, 2, 0, 4, 6},
     {2, 5, 0, 6, 4, 3, 1}}};

// Round constants of passes 2 to 5: the fraction of pi, continuing after the initial value.
constexpr std::uint32_t kConst[128] = {
    0x452821E6, 0x38D01377, 0xBE5466CF, 0x34E90C6C, 0xC0AC29B7, 0xC97C50DD, 0x3F84D5B5, 0xB5470917,
    0x9216D5D9, 0x8979FB1B, 0xD1310BA6, 0x98DFB5AC, 0x2FFD72DB, 0xD01ADFB7, 0xB8E1AFED, 0x6A267E96,
    0xBA7C9045, 0xF12C7F99, 0x24A19947, 0xB3916CF7, 0x0801F2E2, 0x858EFC16, 0x636920D8, 0x71574E69,
    0xA458FEA3, 0xF4933D7E, 0x0D95748F, 0x728EB658, 0x718BCD58, 0x82154AEE, 0x7B54A41D, 0xC25A59B5,
    0x9C30D539, 0x2AF26013, 0xC5D1B023, 0x286085F0, 0xCA417918, 0xB8DB38EF, 0x8E79DCB0, 0x603A180E,
    0x6C9E0E8B, 0xB01E8A3E, 0xD71577C1, 0xBD314B27, 0x78AF2FDA, 0x55605C60, 0xE65525F3, 0xAA55AB94,
    0x57489862, 0x63E81440, 0x55CA396A, 0x2AAB10B6, 0xB4CC5C34, 0x1141E8CE, 0xA15486AF, 0x7C72E993,
    0xB3EE1411, 0x636FBC2A, 0x2BA9C55D, 0x741831F6, 0xCE5C3E16, 0x9B87931E, 0xAFD6BA33, 0x6C24CF5C,
    0x7A325381, 0x28958677, 0x3B8F4898, 0x6B4BB9AF, 0xC4BFE81B, 0x66282193, 0x61D809CC, 0xFB21A991,
    0x487CAC60, 0x5DEC8032, 0xEF845D5D, 0xE98575B1, 0xDC262302, 0xEB651B88, 0x23893E81, 0xD396ACC5,
    0x0F6D6FF3, 0x83F44239, 0x2E0B4482, 0xA4842004, 0x69C8F04A, 0x9E1F9B5E, 0x21C66842, 0xF6E96C9A,
    0x670C9C61, 0xABD388F0, 0x6A51A0D2, 0xD8542F68, 0x960FA728, 0xAB5133A3, 0x6EEF0B6C, 0x137A3BE4,
    0xBA3BF050, 0x7EFB2A98, 0xA1F1651D, 0x39AF0176, 0x66CA593E, 0x82430E88, 0x8CEE8619, 0x456F9FB4,
    0x7D84A5C3, 0x3B8B5EBE, 0xE06F75D8, 0x85C12073, 0x401A449F, 0x56C16AA6, 0x4ED3AA62, 0x363F7706,
    0x1BFEDF72, 0x429B023D, 0x37D0D724, 0xD00A1248, 0xDB0FEAD3, 0x49F1C09B, 0x075372C9, 0x80991B7B,
    0x25D479D8, 0xF6E8DEF7, 0xE3FE501A, 0xB6794C3B, 0x976CE0BD, 0x04C006BA, 0xC1A94FB6, 0x409F60C4};

// The five Boolean functions, arguments in the order x6 .. x0.
template <int R>
[[gnu::always_inline]] inline std::uint32_t F(std::uint32_t x6, std::uint32_t x5,
                                              std::uint32_t x4, std::uint32_t x3,
                                              std::uint32_t x2, std::uint32_t x1,
                                              std::uint32_t x0)
{
    if constexpr (R == 0)
        return (x1 & (x4 ^ x0)) ^ (x2 & x5) ^ (x3 & x6) ^ x0;
    else if constexpr (R == 1)
        return (x2 & ((x1 & ~x3) ^ (x4 & x5) ^ x6 ^ x0)) ^ (x4 & (x1 ^ x5)) ^ (x3 & x5) ^ x0;
    else if constexpr (R == 2)
        return (x3 & ((x1 & x2) ^ x6 ^ x0)) ^ (x1 & x4) ^ (x2 & x5) ^ x0;
    else if constexpr (R == 3)
        return (x4 & ((~x2 & x5) ^ (x3 | x6) ^ x1 ^ x0)) ^ (x3 & ((x1 & x2) ^ x5 ^ x6)) ^
               (x2 & x6) ^ x0;
    else
        return (x1 & (x4 ^ (x0 & x2 & x3))) ^ ((x2 ^ x0) & x5) ^ (x3 & x6) ^ x0;
}

// Step S updates x7; x_k is the word in slot (k - S) mod 8, so the words never move.
template <int Passes, int S>
[[gnu::always_inline]] inline void Step(std::uint32_t (&t)[8], const std::uint32_t* w)
{
    constexpr int p = S / 32, i = S % 32;
    constexpr const std::uint8_t* phi = kPhi[Passes - 3][p];
    constexpr auto slot = [](int k) { return ((k - S) % 8 + 8) % 8; };
    const std::uint32_t f = F<p>(t[slot(phi[0])], t[slot(phi[1])], t[slot(phi[2])],
                                 t[slot(phi[3])], t[slot(phi[4])], t[slot(phi[5])],
                                 t[slot(phi[6])]);
    std::uint32_t& x7 = t[slot(7)];
    x7 = Rotr(f, 7) + Rotr(x7, 11) + w[kOrder[p][i]];
    if constexpr (p != 0)
        x7 += kConst[(p - 1) * 32 + i];
}

template <int Passes, std::size_t... S>
[[gnu::always_inline]] inline void Steps(std::uint32_t (&t)[8], const std::uint32_t* w,
                                         std::index_sequence<S...>)
{
    (Step<Passes, int(S)>(t, w), ...);
}

template <int Passes>
void Compress(std::uint32_t* h, const std::uint8_t* p, std::size_t blocks)
{
    for (; blocks != 0; --blocks, p += 128) {
        std::uint32_t w[32];
        for (int i = 0; i < 32; ++i)
            w[i] = detail::Load32Le(p + 4 * i);
        std::uint32_t t[8];
        for (int i = 0; i < 8; ++i)
            t[i] = h[i];
        Steps<Passes>(t, w, std::make_index_sequence<32 * Passes>{});
        for (int i = 0; i < 8; ++i)
            h[i] += t[i];
    }
}

// Folds the last words into the first ones for outputs shorter than 256 bits.
void Fold(std::uint32_t* d, int bits)
{
    switch (bits) {
    case 128:
        d[3] += (d[7] & 0xFF000000) | (d[6] & 0x00FF0000) | (d[5] & 0x0000FF00) |
                (d[4] & 0x000000FF);
        d[2] += detail::Rotl((d[7] & 0x00FF0000) | (d[6] & 0x0000FF00) | (d[5] & 0x000000FF) |
                                 (d[4] & 0xFF000000),
                             8);
        d[1] += detail::Rotl((d[7] & 0x0000FF00) | (d[6] & 0x000000FF) | (d[5] & 0xFF000000) |
                                 (d[4] & 0x00FF0000),
                             16);
        d[0] += Rotr((d[7] & 0x000000FF) | (d[6] & 0xFF000000) | (d[5] & 0x00FF0000) |
                         (d[4] & 0x0000FF00),
                     8);
        break;
    case 160:
        d[4] += ((d[7] & 0xFE000000) | (d[6] & 0x01F80000) | (d[5] & 0x0007F000)) >> 12;
        d[3] += ((d[7] & 0x01F80000) | (d[6] & 0x0007F000) | (d[5] & 0x00000FC0)) >> 6;
        d[2] += (d[7] & 0x0007F000) | (d[6] & 0x00000FC0) | (d[5] & 0x0000003F);
        d[1] += Rotr((d[7] & 0x00000FC0) | (d[6] & 0x0000003F) | (d[5] & 0xFE000000), 25);
        d[0] += Rotr((d[7] & 0x0000003F) | (d[6] & 0xFE000000) | (d[5] & 0x01F80000), 19);
        break;
    case 192:
        d[5] += ((d[7] & 0xFC000000) | (d[6] & 0x03E00000)) >> 21;
        d[4] += ((d[7] & 0x03E00000) | (d[6] & 0x001F0000)) >> 16;
        d[3] += ((d[7] & 0x001F0000) | (d[6] & 0x0000FC00)) >> 10;
        d[2] += ((d[7] & 0x0000FC00) | (d[6] & 0x000003E0)) >> 5;
        d[1] += (d[7] & 0x000003E0) | (d[6] & 0x0000001F);
        d[0] += Rotr((d[7] & 0x0000001F) | (d[6] & 0xFC000000), 26);
        break;
    case 224:
        d[6] += d[7] & 0x0000000F;
        d[5] += (d[7] >> 4) & 0x0000001F;
        d[4] += (d[7] >> 9) & 0x0000000F;
        d[3] += (d[7] >> 13) & 0x0000001F;
        d[2] += (d[7] >> 18) & 0x0000000F;
        d[1] += (d[7] >> 22) & 0x0000001F;
        d[0] += (d[7] >> 27) & 0x0000001F;
        break;
    default:
        break;
    }
}

} // namespace

template <int Bits, int Passes>
void HavalWithPasses<Bits, Passes>::Init()
{
    // The first eight words of the fraction of pi.
    static constexpr std::uint32_t kInit[8] = {0x243F6A88, 0x85A308D3, 0x13198A2E, 0x03707344,
                                               0xA4093822, 0x299F31D0, 0x082EFA98, 0xEC4E6C89};
    for (int i = 0; i < 8; ++i)
        state[i] = kInit[i];
    buffer.Reset();
}

template <int Bits, int Passes>
void HavalWithPasses<Bits, Passes>::Update(const std::uint8_t* data, std::size_t length)
{
    buffer.Feed(data, length,
                [this](const std::uint8_t* p, std::size_t n) { Compress<Passes>(state, p, n); });
}

template <int Bits, int Passes>
void HavalWithPasses<Bits, Passes>::Final(std::uint8_t* out)
{
    constexpr int kVersion = 1;
    const std::uint64_t bits = buffer.total * 8;
    auto run = [this](const std::uint8_t* p, std::size_t n) { Compress<Passes>(state, p, n); };
    buffer.PadTo(0x01, 10, run);
    buffer.block[118] = std::uint8_t(((Bits & 3) << 6) | (Passes << 3) | kVersion);
    buffer.block[119] = std::uint8_t(Bits >> 2);
    detail::Store64Le(buffer.block + 120, bits);
    run(buffer.block, 1);
    Fold(state, Bits);
    for (int i = 0; i < Bits / 32; ++i)
        detail::Store32Le(out + 4 * i, state[i]);
}

#define VARNET_HAVAL(bits)                                                                     \
    template struct HavalWithPasses<bits, 3>;                                                  \
    template struct HavalWithPasses<bits, 4>;                                                  \
    template struct HavalWithPasses<bits, 5>;
VARNET_HAVAL(128)
VARNET_HAVAL(160)
VARNET_HAVAL(192)
VARNET_HAVAL(224)
VARNET_HAVAL(256)
#undef VARNET_HAVAL

} // namespace digest
