#pragma once
// Word loads, stores and rotations shared by the cipher primitives.
#include <cstdint>

namespace cipher::bytes {

inline std::uint32_t LoadBe32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 |
           std::uint32_t(p[3]);
}

inline std::uint32_t LoadLe32(const std::uint8_t* p)
{
    return std::uint32_t(p[3]) << 24 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 |
           std::uint32_t(p[0]);
}

inline void StoreBe32(std::uint8_t* p, std::uint32_t v)
{
    p[0] = std::uint8_t(v >> 24);
    p[1] = std::uint8_t(v >> 16);
    p[2] = std::uint8_t(v >> 8);
    p[3] = std::uint8_t(v);
}

inline void StoreLe32(std::uint8_t* p, std::uint32_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
    p[2] = std::uint8_t(v >> 16);
    p[3] = std::uint8_t(v >> 24);
}

inline std::uint64_t LoadBe64(const std::uint8_t* p)
{
    return std::uint64_t(LoadBe32(p)) << 32 | LoadBe32(p + 4);
}

inline void StoreBe64(std::uint8_t* p, std::uint64_t v)
{
    StoreBe32(p, std::uint32_t(v >> 32));
    StoreBe32(p + 4, std::uint32_t(v));
}

constexpr std::uint32_t Rotl32(std::uint32_t x, unsigned n)
{
    n &= 31;
    return n == 0 ? x : (x << n) | (x >> (32 - n));
}

constexpr std::uint32_t Rotr32(std::uint32_t x, unsigned n)
{
    n &= 31;
    return n == 0 ? x : (x >> n) | (x << (32 - n));
}

constexpr std::uint8_t Rotl8(std::uint8_t x, unsigned n)
{
    n &= 7;
    return n == 0 ? x : std::uint8_t((x << n) | (x >> (8 - n)));
}

} // namespace cipher::bytes
