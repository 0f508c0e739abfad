#pragma once
// Byte classes of code page 932 as the tokenizer sees them.
#include "platform/Cp932.h"

namespace cp932 {

// The editor's own lead-byte rule, so tokens and carets agree on character boundaries.
constexpr bool IsLeadByte(unsigned char c) { return ::IsLeadByte(c); }

constexpr bool IsKanjiLead(unsigned char c)
{
    return (c >= 0x88 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

constexpr bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

constexpr bool IsHexDigit(unsigned char c)
{
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

constexpr bool IsWordByte(unsigned char c)
{
    return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

constexpr unsigned char AsciiUpper(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

} // namespace cp932
