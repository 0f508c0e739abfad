#pragma once
// Byte classes of code page 932: the lead-byte rule the editor moves by, character lengths and
// codes, and the ASCII classes the tokenizer scans with. Tokens, carets and wrapping all use
// these, so they agree on where a character starts.
#include <cstddef>
#include <string_view>

constexpr bool IsLeadByte(unsigned char b) noexcept
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
constexpr bool IsLeadByte(char c) noexcept { return IsLeadByte(static_cast<unsigned char>(c)); }

// A byte that can stand second in a double-byte character.
constexpr bool IsTrailByte(unsigned char b) noexcept { return b >= 0x40 && b <= 0xFC && b != 0x7F; }
constexpr bool IsTrailByte(char c) noexcept { return IsTrailByte(static_cast<unsigned char>(c)); }

// Length in bytes of the character that starts at `pos`: 2 for a lead byte followed by any
// byte (the editor never splits such a pair), 1 otherwise, 0 at or past the end. A lone lead
// byte at the end of the text is one byte.
constexpr std::size_t CharLength(std::string_view text, std::size_t pos) noexcept
{
    if (pos >= text.size())
        return 0;
    return IsLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
}

namespace cp932 {

// The code of the character at byte i of s, for set lookups: the byte, or lead * 256 + trail.
constexpr unsigned CharCode(std::string_view s, std::size_t i) noexcept
{
    const unsigned b = static_cast<unsigned char>(s[i]);
    return CharLength(s, i) == 2 ? (b << 8) | static_cast<unsigned char>(s[i + 1]) : b;
}

// Lead bytes of the kanji rows (level 1 and 2 and the extensions), not the symbol and kana rows.
constexpr bool IsKanjiLead(unsigned char c) noexcept
{
    return (c >= 0x88 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

constexpr bool IsDigit(unsigned char c) noexcept { return c >= '0' && c <= '9'; }

constexpr bool IsHexDigit(unsigned char c) noexcept
{
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

constexpr bool IsWordByte(unsigned char c) noexcept
{
    return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

constexpr unsigned char AsciiUpper(unsigned char c) noexcept
{
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

} // namespace cp932
