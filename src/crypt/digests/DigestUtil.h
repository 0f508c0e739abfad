#pragma once
// Small helpers shared by the digest primitives: word loads and stores in both byte orders,
// rotations, and the block buffer that every Merkle-Damgard digest here feeds its transform from.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace digest::detail {

inline std::uint32_t Rotl(std::uint32_t x, int n) { return std::rotl(x, n); }
inline std::uint32_t Rotr(std::uint32_t x, int n) { return std::rotr(x, n); }

inline std::uint32_t Load32Le(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

inline std::uint32_t Load32Be(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 |
           std::uint32_t(p[3]);
}

inline std::uint64_t Load64Le(const std::uint8_t* p)
{
    return std::uint64_t(Load32Le(p)) | std::uint64_t(Load32Le(p + 4)) << 32;
}

inline void Store32Le(std::uint8_t* p, std::uint32_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
    p[2] = std::uint8_t(v >> 16);
    p[3] = std::uint8_t(v >> 24);
}

inline void Store32Be(std::uint8_t* p, std::uint32_t v)
{
    p[0] = std::uint8_t(v >> 24);
    p[1] = std::uint8_t(v >> 16);
    p[2] = std::uint8_t(v >> 8);
    p[3] = std::uint8_t(v);
}

inline void Store64Le(std::uint8_t* p, std::uint64_t v)
{
    Store32Le(p, std::uint32_t(v));
    Store32Le(p + 4, std::uint32_t(v >> 32));
}

inline void Store64Be(std::uint8_t* p, std::uint64_t v)
{
    Store32Be(p, std::uint32_t(v >> 32));
    Store32Be(p + 4, std::uint32_t(v));
}

// Collects input into whole blocks of N bytes. Compress is called as compress(blocks, count)
// with count >= 1 whole blocks, straight from the caller's data whenever possible, so a long
// Update runs the transform over the input without copying it.
template <std::size_t N>
struct BlockBuffer {
    std::uint8_t block[N];
    std::size_t used;
    std::uint64_t total; // bytes fed so far (the bit count is taken modulo 2^64, as usual)

    void Reset()
    {
        std::memset(block, 0, N);
        used = 0;
        total = 0;
    }

    template <class Compress>
    void Feed(const std::uint8_t* data, std::size_t length, Compress&& compress)
    {
        if (length == 0)
            return;
        total += length;
        if (used != 0) {
            std::size_t take = N - used < length ? N - used : length;
            std::memcpy(block + used, data, take);
            used += take;
            data += take;
            length -= take;
            if (used < N)
                return;
            compress(block, std::size_t(1));
            used = 0;
        }
        if (length >= N) {
            std::size_t count = length / N;
            compress(data, count);
            data += count * N;
            length -= count * N;
        }
        if (length != 0) {
            std::memcpy(block, data, length);
            used = length;
        }
    }

    // Appends the marker byte and zeros up to the last tailBytes of a block, compressing a
    // block first when the marker leaves no room. The caller writes the tail at
    // block + N - tailBytes and compresses the block.
    template <class Compress>
    void PadTo(std::uint8_t marker, std::size_t tailBytes, Compress&& compress)
    {
        block[used++] = marker;
        if (used > N - tailBytes) {
            std::memset(block + used, 0, N - used);
            compress(block, std::size_t(1));
            used = 0;
        }
        std::memset(block + used, 0, N - tailBytes - used);
        used = N - tailBytes;
    }
};

} // namespace digest::detail
