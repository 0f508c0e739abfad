#include "crypt/ciphers/Gost.h"

#include <array>

#include "crypt/ciphers/Bytes.h"
#include "crypt/ciphers/KeyWipe.h"

namespace cipher {

namespace {

// Row i substitutes nibble i (row 0 the least significant nibble).
constexpr std::uint8_t kSBox[8][16] = {
    {4, 10, 9, 2, 13, 8, 0, 14, 6, 11, 1, 12, 7, 15, 5, 3},
    {14, 11, 4, 12, 6, 13, 15, 10, 2, 3, 8, 1, 0, 7, 5, 9},
    {5, 8, 1, 13, 10, 3, 4, 2, 14, 15, 12, 7, 6, 0, 9, 11},
    {7, 13, 10, 1, 0, 8, 9, 15, 14, 4, 6, 12, 11, 2, 5, 3},
    {6, 12, 7, 1, 5, 15, 13, 8, 4, 10, 9, 14, 0, 3, 11, 2},
    {4, 11, 10, 0, 7, 2, 1, 13, 3, 6, 8, 5, 9, 12, 15, 14},
    {13, 11, 4, 1, 3, 15, 5, 9, 0, 10, 14, 7, 6, 8, 2, 12},
    {1, 15, 13, 0, 5, 7, 10, 4, 9, 2, 3, 14, 6, 11, 8, 12},
};

// Byte k of the round input through two S-boxes and the rotation by 11, as one table.
using Table = std::array<std::array<std::uint32_t, 256>, 4>;

constexpr Table MakeTable()
{
    Table t{};
    for (int k = 0; k < 4; ++k)
        for (int b = 0; b < 256; ++b) {
            std::uint32_t v = std::uint32_t(kSBox[2 * k + 1][b >> 4] << 4 | kSBox[2 * k][b & 15])
                              << (8 * k);
            t[k][b] = bytes::Rotl32(v, 11);
        }
    return t;
}

constexpr Table kTable = MakeTable();

inline std::uint32_t F(std::uint32_t x)
{
    return kTable[0][x & 0xFF] ^ kTable[1][(x >> 8) & 0xFF] ^ kTable[2][(x >> 16) & 0xFF] ^
           kTable[3][x >> 24];
}

} // namespace

void Gost::SetKey(Schedule& s, const std::uint8_t* key, int length)
{
    const TPaddedKey<kKeySize> padded(key, length);
    for (int i = 0; i < 8; ++i)
        s.key[i] = bytes::LoadLe32(padded.Data() + 4 * i);
}

void Gost::Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
{
    const std::uint32_t* k = s.key;
    std::uint32_t n1 = bytes::LoadLe32(in), n2 = bytes::LoadLe32(in + 4);
    // Keys 0..7 three times, then 7..0.
    for (int pass = 0; pass < 3; ++pass)
        for (int i = 0; i < 8; i += 2) {
            n2 ^= F(n1 + k[i]);
            n1 ^= F(n2 + k[i + 1]);
        }
    for (int i = 7; i > 0; i -= 2) {
        n2 ^= F(n1 + k[i]);
        n1 ^= F(n2 + k[i - 1]);
    }
    bytes::StoreLe32(out, n2);
    bytes::StoreLe32(out + 4, n1);
}

void Gost::Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
{
    const std::uint32_t* k = s.key;
    std::uint32_t n1 = bytes::LoadLe32(in), n2 = bytes::LoadLe32(in + 4);
    // Keys 0..7 once, then 7..0 three times.
    for (int i = 0; i < 8; i += 2) {
        n2 ^= F(n1 + k[i]);
        n1 ^= F(n2 + k[i + 1]);
    }
    for (int pass = 0; pass < 3; ++pass)
        for (int i = 7; i > 0; i -= 2) {
            n2 ^= F(n1 + k[i]);
            n1 ^= F(n2 + k[i - 1]);
        }
    bytes::StoreLe32(out, n2);
    bytes::StoreLe32(out + 4, n1);
}

} // namespace cipher
