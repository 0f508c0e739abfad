#pragma once
// The Unicode → CP932 step in constexpr form, shared by the run-time conversions and the
// compile-time "…"_sj literal. Kept apart from Cp932.h because it pulls in the encoding table.
#include "platform/Cp932.h"
#include "platform/Cp932Table.h"

#include <cstdint>
#include <string_view>

namespace cp932::detail {

inline constexpr int kNotMapped = -1;
inline constexpr char32_t kInvalidUtf = 0xFFFFFFFF;

// The CP932 code for one code point: 0x00-0xFF for a single byte, 0x8140 and up for a pair,
// kNotMapped when CP932 cannot spell it. Raw-byte escapes give back their byte.
constexpr int EncodeCodePoint(char32_t cp) noexcept
{
    if (cp < 0x80)
        return static_cast<int>(cp);
    if (IsRawByteEscape(cp))
        return static_cast<int>(cp - kRawByteEscapeBase);
    if (cp > 0xFFFF)
        return kNotMapped;
    const int page = kCp932EncodePage[cp >> 8];
    if (page == 0)
        return kNotMapped;
    const int code = kCp932Encode[page - 1][cp & 0xFF];
    return code == 0 ? kNotMapped : code;
}

// Reads one code point of UTF-8 at `pos` and moves past it. An ill-formed sequence gives
// kInvalidUtf and is skipped as one maximal subpart (the longest prefix of a well-formed
// sequence, at least one byte), the way Unicode recommends counting replacement characters.
constexpr char32_t NextUtf8(std::string_view s, std::size_t& pos) noexcept
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = byte(pos++);
    if (b0 < 0x80)
        return b0;
    int extra;
    char32_t cp;
    unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        extra = 1;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        extra = 2;
        cp = b0 & 0x0F;
        if (b0 == 0xE0)
            lo = 0xA0; // no overlong forms
        if (b0 == 0xED)
            hi = 0x9F; // no surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        extra = 3;
        cp = b0 & 0x07;
        if (b0 == 0xF0)
            lo = 0x90;
        if (b0 == 0xF4)
            hi = 0x8F; // nothing above U+10FFFF
    } else {
        return kInvalidUtf;
    }
    for (int i = 0; i < extra; ++i) {
        if (pos >= s.size())
            return kInvalidUtf;
        const unsigned char b = byte(pos);
        if (b < lo || b > hi)
            return kInvalidUtf;
        lo = 0x80;
        hi = 0xBF;
        cp = cp << 6 | (b & 0x3F);
        ++pos;
    }
    return cp;
}

} // namespace cp932::detail
