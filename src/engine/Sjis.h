#pragma once
// Character codes for set lookups in CP932 text.
#include <string_view>

#include "platform/Cp932.h"

// The code of the character at byte i of s: the byte, or lead * 256 + trail.
constexpr unsigned SjisCharCode(std::string_view s, std::size_t i)
{
    unsigned b = static_cast<unsigned char>(s[i]);
    return CharLength(s, i) == 2 ? (b << 8) | static_cast<unsigned char>(s[i + 1]) : b;
}
