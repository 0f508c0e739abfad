#pragma once
// Character boundaries in Shift-JIS (code page 932) text.
#include <cstddef>
#include <string_view>

// 0x81-0x9F and 0xE0-0xFC start a two-byte character.
constexpr bool IsSjisLead(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Length of the character at byte i of s: 2 for a lead byte followed by any byte, else 1
// (a lone lead byte at the end is one byte); 0 at or past the end.
constexpr std::size_t SjisCharLength(std::string_view s, std::size_t i)
{
    if (i >= s.size())
        return 0;
    return IsSjisLead(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

// The code of the character at byte i: the byte, or lead * 256 + trail.
constexpr unsigned SjisCharCode(std::string_view s, std::size_t i)
{
    unsigned b = static_cast<unsigned char>(s[i]);
    return SjisCharLength(s, i) == 2 ? (b << 8) | static_cast<unsigned char>(s[i + 1]) : b;
}
