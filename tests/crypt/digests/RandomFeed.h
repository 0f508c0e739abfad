#pragma once
// Random inputs for the digest property tests: lengths that cluster around block boundaries
// and random cuts of the data into Update calls.
#include <cstdint>
#include <random>
#include <vector>

namespace digest::test {

inline std::vector<std::uint8_t> RandomBytes(std::mt19937& rng, std::size_t n)
{
    std::vector<std::uint8_t> v(n);
    for (auto& b : v)
        b = std::uint8_t(rng());
    return v;
}

// Every length up to three 128-byte blocks and a spread of longer ones.
inline std::vector<std::size_t> TestLengths(std::mt19937& rng)
{
    std::vector<std::size_t> lengths;
    for (std::size_t n = 0; n <= 3 * 128 + 1; ++n)
        lengths.push_back(n);
    for (int i = 0; i < 20; ++i)
        lengths.push_back(400 + rng() % 5000);
    return lengths;
}

// Feeds data to d in random pieces, empty ones included.
template <class D>
void FeedInPieces(D& d, const std::vector<std::uint8_t>& data, std::mt19937& rng)
{
    std::size_t at = 0;
    while (at < data.size()) {
        std::size_t piece = rng() % 4 == 0 ? 0 : rng() % (data.size() - at + 1);
        if (piece > 200 && rng() % 2)
            piece = rng() % 70; // favour short pieces so the buffer fills across calls
        d.Update(data.data() + at, piece);
        at += piece;
    }
    d.Update(data.data() + at, 0);
}

} // namespace digest::test
