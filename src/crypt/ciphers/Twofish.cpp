#include "crypt/ciphers/Twofish.h"

#include <array>

#include "crypt/ciphers/Bytes.h"
#include "crypt/ciphers/Gf256.h"
#include "crypt/ciphers/KeyWipe.h"

namespace cipher {

namespace {

using Perm = std::array<std::uint8_t, 256>;

// The fixed permutations q0 and q1, built from their four 4-bit tables each.
constexpr Perm MakeQ(const std::uint8_t (&t)[4][16])
{
    Perm q{};
    auto ror4 = [](unsigned x) { return ((x >> 1) | (x << 3)) & 15; };
    for (unsigned x = 0; x < 256; ++x) {
        unsigned a0 = x >> 4, b0 = x & 15;
        unsigned a1 = a0 ^ b0, b1 = (a0 ^ ror4(b0) ^ (8 * a0)) & 15;
        unsigned a2 = t[0][a1], b2 = t[1][b1];
        unsigned a3 = a2 ^ b2, b3 = (a2 ^ ror4(b2) ^ (8 * a2)) & 15;
        unsigned a4 = t[2][a3], b4 = t[3][b3];
        q[x] = std::uint8_t(16 * b4 + a4);
    }
    return q;
}

constexpr std::uint8_t kQ0Tables[4][16] = {
    {0x8, 0x1, 0x7, 0xD, 0x6, 0xF, 0x3, 0x2, 0x0, 0xB, 0x5, 0x9, 0xE, 0xC, 0xA, 0x4},
    {0xE, 0xC, 0xB, 0x8, 0x1, 0x2, 0x3, 0x5, 0xF, 0x4, 0xA, 0x6, 0x7, 0x0, 0x9, 0xD},
    {0xB, 0xA, 0x5, 0xE, 0x6, 0xD, 0x9, 0x0, 0xC, 0x8, 0xF, 0x3, 0x2, 0x4, 0x7, 0x1},
    {0xD, 0x7, 0xF, 0x4, 0x1, 0x2, 0x6, 0xE, 0x9, 0xB, 0x3, 0x0, 0x8, 0x5, 0xC, 0xA},
};
constexpr std::uint8_t kQ1Tables[4][16] = {
    {0x2, 0x8, 0xB, 0xD, 0xF, 0x7, 0x6, 0xE, 0x3, 0x1, 0x9, 0x4, 0x0, 0xA, 0xC, 0x5},
    {0x1, 0xE, 0x2, 0xB, 0x4, 0xC, 0x3, 0x7, 0x6, 0xD, 0xA, 0x5, 0xF, 0x9, 0x0, 0x8},
    {0x4, 0xC, 0x7, 0x5, 0x1, 0x6, 0x9, 0xA, 0x0, 0xE, 0xD, 0x8, 0x2, 0xB, 0x3, 0xF},
    {0xB, 0x9, 0x5, 0x1, 0xC, 0x3, 0xD, 0xE, 0x6, 0x4, 0x7, 0xF, 0x2, 0x0, 0x8, 0xA},
};
constexpr Perm kQ0 = MakeQ(kQ0Tables);
constexpr Perm kQ1 = MakeQ(kQ1Tables);
static_assert(kQ0[0] == 0xA9 && kQ1[0] == 0x75, "q permutations");

// MDS matrix over GF(2^8) mod x^8+x^6+x^5+x^3+1; column j as one table per byte.
constexpr unsigned kMdsPoly = 0x169;
constexpr std::uint8_t kMds[4][4] = {
    {0x01, 0xEF, 0x5B, 0x5B},
    {0x5B, 0xEF, 0xEF, 0x01},
    {0xEF, 0x5B, 0x01, 0xEF},
    {0xEF, 0x01, 0xEF, 0x5B},
};

constexpr std::uint32_t MdsColumn(int j, std::uint8_t y)
{
    std::uint32_t z = 0;
    for (int i = 0; i < 4; ++i)
        z |= std::uint32_t(gf256::Mul(kMds[i][j], y, kMdsPoly)) << (8 * i);
    return z;
}

using MdsTable = std::array<std::array<std::uint32_t, 256>, 4>;

constexpr MdsTable MakeMdsTable()
{
    MdsTable t{};
    for (int j = 0; j < 4; ++j)
        for (int y = 0; y < 256; ++y)
            t[j][y] = MdsColumn(j, std::uint8_t(y));
    return t;
}

constexpr MdsTable kMdsTable = MakeMdsTable();

// Reed-Solomon matrix over GF(2^8) mod x^8+x^6+x^3+x^2+1, for the S-box key words.
constexpr unsigned kRsPoly = 0x14D;
constexpr std::uint8_t kRs[4][8] = {
    {0x01, 0xA4, 0x55, 0x87, 0x5A, 0x58, 0xDB, 0x9E},
    {0xA4, 0x56, 0x82, 0xF3, 0x1E, 0xC6, 0x68, 0xE5},
    {0x02, 0xA1, 0xFC, 0xC1, 0x47, 0xAE, 0x3D, 0x19},
    {0xA4, 0x55, 0x87, 0x5A, 0x58, 0xDB, 0x9E, 0x03},
};

inline std::uint8_t Byte(std::uint32_t w, int i)
{
    return std::uint8_t(w >> (8 * i));
}

// The q chain of h for byte position i, with l[0..k-1] the key words.
std::uint8_t HByte(int i, std::uint8_t y, const std::uint32_t* l, int k)
{
    // Per position: the permutation applied before mixing in l[3], l[2], l[1] and l[0],
    // and the one applied last.
    static constexpr const Perm* kChain[4][5] = {
        {&kQ1, &kQ1, &kQ0, &kQ0, &kQ1},
        {&kQ0, &kQ1, &kQ1, &kQ0, &kQ0},
        {&kQ0, &kQ0, &kQ0, &kQ1, &kQ1},
        {&kQ1, &kQ0, &kQ1, &kQ1, &kQ0},
    };
    const auto& c = kChain[i];
    if (k == 4)
        y = (*c[0])[y] ^ Byte(l[3], i);
    if (k >= 3)
        y = (*c[1])[y] ^ Byte(l[2], i);
    y = (*c[2])[y] ^ Byte(l[1], i);
    y = (*c[3])[y] ^ Byte(l[0], i);
    return (*c[4])[y];
}

std::uint32_t H(std::uint32_t x, const std::uint32_t* l, int k)
{
    std::uint32_t z = 0;
    for (int i = 0; i < 4; ++i)
        z ^= kMdsTable[i][HByte(i, Byte(x, i), l, k)];
    return z;
}

inline std::uint32_t G(const Twofish::Schedule& s, std::uint32_t x)
{
    return s.s[0][x & 0xFF] ^ s.s[1][(x >> 8) & 0xFF] ^ s.s[2][(x >> 16) & 0xFF] ^ s.s[3][x >> 24];
}

} // namespace

void Twofish::SetKey(Schedule& s, const std::uint8_t* key, int length)
{
    const TPaddedKey<kKeySize> padded(key, length);
    int n = padded.Length() <= 16 ? 16 : padded.Length() <= 24 ? 24 : 32;
    int k = n / 8;

    std::uint32_t even[4], odd[4], sbox[4];
    for (int i = 0; i < k; ++i) {
        even[i] = bytes::LoadLe32(padded.Data() + 8 * i);
        odd[i] = bytes::LoadLe32(padded.Data() + 8 * i + 4);
        std::uint32_t w = 0;
        for (int r = 0; r < 4; ++r) {
            std::uint8_t v = 0;
            for (int j = 0; j < 8; ++j)
                v ^= gf256::Mul(kRs[r][j], padded[8 * i + j], kRsPoly);
            w |= std::uint32_t(v) << (8 * r);
        }
        sbox[k - 1 - i] = w; // S lists the words in reverse order
    }

    constexpr std::uint32_t kRho = 0x01010101;
    for (int i = 0; i < 20; ++i) {
        std::uint32_t a = H(2 * i * kRho, even, k);
        std::uint32_t b = bytes::Rotl32(H((2 * i + 1) * kRho, odd, k), 8);
        s.k[2 * i] = a + b;
        s.k[2 * i + 1] = bytes::Rotl32(a + 2 * b, 9);
    }
    for (int i = 0; i < 4; ++i)
        for (int x = 0; x < 256; ++x)
            s.s[i][x] = kMdsTable[i][HByte(i, std::uint8_t(x), sbox, k)];

    SecureWipe(even);
    SecureWipe(odd);
    SecureWipe(sbox);
}

void Twofish::Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
{
    const std::uint32_t* k = s.k;
    std::uint32_t a = bytes::LoadLe32(in) ^ k[0], b = bytes::LoadLe32(in + 4) ^ k[1],
                  c = bytes::LoadLe32(in + 8) ^ k[2], d = bytes::LoadLe32(in + 12) ^ k[3];
    for (int r = 0; r < 8; ++r) {
        std::uint32_t t0 = G(s, a), t1 = G(s, bytes::Rotl32(b, 8));
        c = bytes::Rotr32(c ^ (t0 + t1 + k[4 * r + 8]), 1);
        d = bytes::Rotl32(d, 1) ^ (t0 + 2 * t1 + k[4 * r + 9]);
        t0 = G(s, c);
        t1 = G(s, bytes::Rotl32(d, 8));
        a = bytes::Rotr32(a ^ (t0 + t1 + k[4 * r + 10]), 1);
        b = bytes::Rotl32(b, 1) ^ (t0 + 2 * t1 + k[4 * r + 11]);
    }
    bytes::StoreLe32(out, c ^ k[4]);
    bytes::StoreLe32(out + 4, d ^ k[5]);
    bytes::StoreLe32(out + 8, a ^ k[6]);
    bytes::StoreLe32(out + 12, b ^ k[7]);
}

void Twofish::Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
{
    const std::uint32_t* k = s.k;
    std::uint32_t c = bytes::LoadLe32(in) ^ k[4], d = bytes::LoadLe32(in + 4) ^ k[5],
                  a = bytes::LoadLe32(in + 8) ^ k[6], b = bytes::LoadLe32(in + 12) ^ k[7];
    for (int r = 7; r >= 0; --r) {
        std::uint32_t t0 = G(s, c), t1 = G(s, bytes::Rotl32(d, 8));
        a = bytes::Rotl32(a, 1) ^ (t0 + t1 + k[4 * r + 10]);
        b = bytes::Rotr32(b ^ (t0 + 2 * t1 + k[4 * r + 11]), 1);
        t0 = G(s, a);
        t1 = G(s, bytes::Rotl32(b, 8));
        c = bytes::Rotl32(c, 1) ^ (t0 + t1 + k[4 * r + 8]);
        d = bytes::Rotr32(d ^ (t0 + 2 * t1 + k[4 * r + 9]), 1);
    }
    bytes::StoreLe32(out, a ^ k[0]);
    bytes::StoreLe32(out + 4, b ^ k[1]);
    bytes::StoreLe32(out + 8, c ^ k[2]);
    bytes::StoreLe32(out + 12, d ^ k[3]);
}

} // namespace cipher
