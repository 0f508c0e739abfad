#include "crypt/digests/Checksums.h"

#include <array>

#include "crypt/digests/DigestUtil.h"

namespace digest {
namespace {

template <std::size_t Lanes>
void XorInto(std::uint8_t (&lanes)[Lanes], std::size_t& position, const std::uint8_t* data,
             std::size_t length)
{
    std::size_t lane = position % Lanes;
    position += length;
    // Bring the lane back to 0, then fold whole words, then the rest.
    for (; length != 0 && lane != 0; --length, lane = (lane + 1) % Lanes)
        lanes[lane] ^= *data++;
    std::uint8_t acc[Lanes] = {};
    for (; length >= Lanes; length -= Lanes, data += Lanes)
        for (std::size_t i = 0; i < Lanes; ++i)
            acc[i] ^= data[i];
    for (std::size_t i = 0; i < Lanes; ++i)
        lanes[i] ^= acc[i];
    for (std::size_t i = 0; i < length; ++i)
        lanes[i] ^= data[i];
}

constexpr std::array<std::uint16_t, 256> MakeCrc16Msb(std::uint16_t poly)
{
    std::array<std::uint16_t, 256> t{};
    for (int i = 0; i < 256; ++i) {
        std::uint16_t r = std::uint16_t(i << 8);
        for (int k = 0; k < 8; ++k)
            r = std::uint16_t(r & 0x8000 ? (r << 1) ^ poly : r << 1);
        t[i] = r;
    }
    return t;
}

constexpr std::array<std::uint16_t, 256> MakeCrc16Lsb(std::uint16_t reflectedPoly)
{
    std::array<std::uint16_t, 256> t{};
    for (int i = 0; i < 256; ++i) {
        std::uint16_t r = std::uint16_t(i);
        for (int k = 0; k < 8; ++k)
            r = std::uint16_t(r & 1 ? (r >> 1) ^ reflectedPoly : r >> 1);
        t[i] = r;
    }
    return t;
}

// Eight tables for CRC-32, so eight bytes are folded per step ("slicing by eight").
constexpr std::array<std::array<std::uint32_t, 256>, 8> MakeCrc32()
{
    std::array<std::array<std::uint32_t, 256>, 8> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t r = i;
        for (int k = 0; k < 8; ++k)
            r = r & 1 ? (r >> 1) ^ 0xEDB88320u : r >> 1;
        t[0][i] = r;
    }
    for (int s = 1; s < 8; ++s)
        for (int i = 0; i < 256; ++i)
            t[s][i] = (t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFF];
    return t;
}

constexpr auto kCcitt = MakeCrc16Msb(0x1021);
constexpr auto kArc = MakeCrc16Lsb(0xA001);
constexpr auto kCrc32 = MakeCrc32();

} // namespace

void Xor16::Init()
{
    lanes[0] = lanes[1] = 0;
    position = 0;
}

void Xor16::Update(const std::uint8_t* data, std::size_t length)
{
    XorInto(lanes, position, data, length);
}

void Xor16::Final(std::uint8_t* out)
{
    out[0] = lanes[0];
    out[1] = lanes[1];
}

void Xor32::Init()
{
    for (std::uint8_t& b : lanes)
        b = 0;
    position = 0;
}

void Xor32::Update(const std::uint8_t* data, std::size_t length)
{
    XorInto(lanes, position, data, length);
}

void Xor32::Final(std::uint8_t* out)
{
    for (int i = 0; i < 4; ++i)
        out[i] = lanes[i];
}

void Crc16Ccitt::Init() { crc = 0xFFFF; }

void Crc16Ccitt::Update(const std::uint8_t* data, std::size_t length)
{
    std::uint16_t r = crc;
    for (std::size_t i = 0; i < length; ++i)
        r = std::uint16_t((r << 8) ^ kCcitt[(r >> 8) ^ data[i]]);
    crc = r;
}

void Crc16Ccitt::Final(std::uint8_t* out)
{
    out[0] = std::uint8_t(crc);
    out[1] = std::uint8_t(crc >> 8);
}

void Crc16Standard::Init() { crc = 0; }

void Crc16Standard::Update(const std::uint8_t* data, std::size_t length)
{
    std::uint16_t r = crc;
    for (std::size_t i = 0; i < length; ++i)
        r = std::uint16_t((r >> 8) ^ kArc[(r ^ data[i]) & 0xFF]);
    crc = r;
}

void Crc16Standard::Final(std::uint8_t* out)
{
    out[0] = std::uint8_t(crc);
    out[1] = std::uint8_t(crc >> 8);
}

void Crc32::Init() { crc = 0xFFFFFFFFu; }

void Crc32::Update(const std::uint8_t* data, std::size_t length)
{
    std::uint32_t r = crc;
    for (; length >= 8; length -= 8, data += 8) {
        const std::uint32_t lo = r ^ detail::Load32Le(data);
        const std::uint32_t hi = detail::Load32Le(data + 4);
        r = kCrc32[7][lo & 0xFF] ^ kCrc32[6][(lo >> 8) & 0xFF] ^ kCrc32[5][(lo >> 16) & 0xFF] ^
            kCrc32[4][lo >> 24] ^ kCrc32[3][hi & 0xFF] ^ kCrc32[2][(hi >> 8) & 0xFF] ^
            kCrc32[1][(hi >> 16) & 0xFF] ^ kCrc32[0][hi >> 24];
    }
    for (; length != 0; --length)
        r = (r >> 8) ^ kCrc32[0][(r ^ *data++) & 0xFF];
    crc = r;
}

void Crc32::Final(std::uint8_t* out) { detail::Store32Le(out, crc ^ 0xFFFFFFFFu); }

} // namespace digest
