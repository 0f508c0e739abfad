#pragma once
// Helpers for the digest tests: hex output and hashing strings or byte vectors in one go.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace digest::test {

inline std::string Hex(const std::uint8_t* p, std::size_t n)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string s;
    for (std::size_t i = 0; i < n; ++i) {
        s += kDigits[p[i] >> 4];
        s += kDigits[p[i] & 15];
    }
    return s;
}

inline std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

template <class D>
std::string HexDigest(const std::uint8_t* data, std::size_t length)
{
    D d;
    d.Init();
    d.Update(data, length);
    std::uint8_t out[D::kDigestSize];
    d.Final(out);
    return Hex(out, sizeof out);
}

template <class D>
std::string HexDigest(std::string_view text)
{
    return HexDigest<D>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

template <class D>
std::string HexDigest(const std::vector<std::uint8_t>& data)
{
    return HexDigest<D>(data.data(), data.size());
}

// The digest of `count` copies of `text`, fed one copy per Update.
template <class D>
std::string HexDigestRepeated(std::string_view text, std::size_t count)
{
    D d;
    d.Init();
    for (std::size_t i = 0; i < count; ++i)
        d.Update(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    std::uint8_t out[D::kDigestSize];
    d.Final(out);
    return Hex(out, sizeof out);
}

} // namespace digest::test
