#pragma once
// Code page 932 (Windows Shift-JIS), the code of every document, row and INI value: the
// conversions to and from Unicode used where text meets the toolkit (display, clipboard, file
// names, input method). The byte classes are in platform/Cp932Bytes.h.
//
// Bytes that do not decode (0x80, 0xA0, 0xFD-0xFF, a lead byte without a trail, an unassigned
// pair) become private-use code points U+F740-U+F7FF, one per byte (U+F700 + the byte), and
// turn back into the same byte when encoded, so a round trip through Unicode never loses a
// byte. CP932 itself maps into the private-use area only its user-defined rows 0xF040-0xF9FC,
// to U+E000-U+E757, so no CP932 character can be mistaken for an escaped byte (the table
// generator checks this).
//
// Encoding accepts what Linux input methods type for characters CP932 spells differently:
// U+301C wave dash as 0x8160, U+2016 as 0x8161, U+2212 as 0x817C, U+00A2/U+00A3/U+00AC as
// 0x8191/0x8192/0x81CA, U+00A5 yen sign as 0x5C, U+203E overline as 0x7E, U+2014 as 0x815C.
// Where CP932 has two codes for one character (NEC and IBM extension rows), encoding picks the
// one Windows picks (for example the IBM row 0xFA-0xFC for the NEC-selected 0xED/0xEE kanji).
// A character CP932 cannot spell becomes '?', as on Windows; so does each ill-formed piece of
// UTF-8 or UTF-16 input (a lone surrogate, an overlong form, a stray continuation byte).
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Cp932Bytes.h"

// The private-use code point that carries a byte which does not decode.
inline constexpr char32_t kRawByteEscapeBase = 0xF700;
constexpr bool IsRawByteEscape(char32_t cp) noexcept
{
    return cp >= kRawByteEscapeBase + 0x40 && cp <= kRawByteEscapeBase + 0xFF &&
           cp != kRawByteEscapeBase + 0x7F;
}

std::string Cp932ToUtf8(std::string_view cp932);
std::u16string Cp932ToUtf16(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);
std::string Utf16ToCp932(std::u16string_view utf16);
