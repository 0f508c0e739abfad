#pragma once
// Arithmetic in GF(2^8) for the ciphers that define their layers over it, evaluated at
// compile time so the tables derive from the definitions instead of being typed in.
#include <array>
#include <cstdint>

namespace cipher::gf256 {

// Product of a and b modulo the degree-8 polynomial `poly` (e.g. 0x1F5, 0x169).
constexpr std::uint8_t Mul(std::uint8_t a, std::uint8_t b, unsigned poly)
{
    unsigned x = a, result = 0;
    for (unsigned y = b; y != 0; y >>= 1) {
        if (y & 1)
            result ^= x;
        x <<= 1;
        if (x & 0x100)
            x ^= poly;
    }
    return std::uint8_t(result);
}

// Square and Shark: S = affine(x^-1) over GF(2^8) mod 0x1F5, where output bit j is the
// parity of x^-1 AND kRows[j], plus the constant 0xB1.
struct SquareBoxes {
    std::array<std::uint8_t, 256> forward{};
    std::array<std::uint8_t, 256> inverse{};
};

constexpr SquareBoxes MakeSquareBoxes()
{
    constexpr unsigned kPoly = 0x1F5;
    constexpr std::uint8_t kRows[8] = {0x01, 0x03, 0x05, 0x0F, 0x1F, 0x3D, 0x7B, 0xD6};
    std::array<std::uint8_t, 256> exp{}, log{};
    unsigned v = 1;
    for (int i = 0; i < 255; ++i) {
        exp[i] = std::uint8_t(v);
        log[v] = std::uint8_t(i);
        v <<= 1;
        if (v & 0x100)
            v ^= kPoly;
    }
    SquareBoxes boxes;
    for (int x = 0; x < 256; ++x) {
        std::uint8_t inv = x == 0 ? 0 : exp[(255 - log[x]) % 255];
        unsigned out = 0xB1;
        for (int j = 0; j < 8; ++j) {
            unsigned u = inv & kRows[j];
            u ^= u >> 4;
            u ^= u >> 2;
            u ^= u >> 1;
            out ^= (u & 1) << j;
        }
        boxes.forward[x] = std::uint8_t(out);
        boxes.inverse[out] = std::uint8_t(x);
    }
    return boxes;
}

inline constexpr SquareBoxes kSquareBoxes = MakeSquareBoxes();

} // namespace cipher::gf256
