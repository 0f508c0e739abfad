// Hexadecimal (upper and lower case) and MIME Base 64.
#include <cstdint>
#include <cstring>
#include <algorithm>

#include "crypt/StringFormat.h"

namespace varnet::crypt {

namespace {

constexpr std::string_view kHexTable =
    "0123456789ABCDEFX$ abcdefhHx()[]{},;:-_/\\*+\"'\t\n\r";
constexpr std::string_view kHexLTable =
    "0123456789abcdefX$ ABCDEFhHx()[]{},;:-_/\\*+\"'\t\n\r";
constexpr std::string_view kMimeTable =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="
    " $()[]{},;:-_\\*\"'\t\n\r";

std::string HexOut(const void* bytes, std::size_t length, const char* digits)
{
    const auto* p = static_cast<const std::uint8_t*>(bytes);
    std::string out(length * 2, '\0');
    for (std::size_t i = 0; i < length; ++i) {
        out[2 * i] = digits[p[i] >> 4];
        out[2 * i + 1] = digits[p[i] & 15];
    }
    return out;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

TStringFormat_HEX::TStringFormat_HEX(std::string_view table) : TStringFormat(table) {}

TStringFormatClass TStringFormat_HEX::Class()
{
    static const TStringFormat_HEX instance(kHexTable);
    return &instance;
}

// Digits pair into bytes, high nibble first; separators are skipped; a trailing odd digit is
// the high nibble of a last byte. "0x"/"0X" before a number is a prefix, not a zero digit
// ("$" and a trailing "h" are simply skipped).
std::string TStringFormat_HEX::StrTo(const char* text, std::size_t length) const
{
    std::string out;
    out.reserve(length / 2 + 1);
    int high = -1;
    bool highIsPrefixZero = false;
    for (std::size_t i = 0; i < length; ++i) {
        char c = text[i];
        if ((c == 'x' || c == 'X') && high == 0 && highIsPrefixZero) {
            high = -1;
            continue;
        }
        int d = HexDigit(c);
        if (d < 0) {
            highIsPrefixZero = false;
            continue;
        }
        if (high < 0) {
            high = d;
            // Only a "0" that starts a number can be the "0x" prefix.
            highIsPrefixZero = d == 0 && (i == 0 || HexDigit(text[i - 1]) < 0);
        } else {
            out.push_back(static_cast<char>(high << 4 | d));
            high = -1;
        }
    }
    if (high >= 0)
        out.push_back(static_cast<char>(high << 4));
    return out;
}

std::string TStringFormat_HEX::ToStr(const void* bytes, std::size_t length) const
{
    return HexOut(bytes, length, "0123456789ABCDEF");
}

std::string TStringFormat_HEX::Name() const { return "Hexadecimal"; }

int TStringFormat_HEX::Format() const { return fmtHEX; }

TStringFormat_HEXL::TStringFormat_HEXL() : TStringFormat_HEX(kHexLTable) {}

TStringFormatClass TStringFormat_HEXL::Class()
{
    static const TStringFormat_HEXL instance;
    return &instance;
}

std::string TStringFormat_HEXL::ToStr(const void* bytes, std::size_t length) const
{
    return HexOut(bytes, length, "0123456789abcdef");
}

std::string TStringFormat_HEXL::Name() const { return "Hexadecimal lowercase"; }

int TStringFormat_HEXL::Format() const { return fmtHEXL; }

// ---- MIME Base 64 ----

namespace {

constexpr char kMimeAlphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::uint8_t kPad = 64;
constexpr std::uint8_t kSkip = 255;

struct TMimeTables {
    std::uint8_t value[256];   // 0..63, kPad for "=", kSkip for every other character
    std::uint16_t pair[4096];  // two output characters for 12 bits
    // The value of a character at each place of a group, shifted into place; bit 24 marks a
    // character that is not in the alphabet.
    std::uint32_t placed[4][256];
    TMimeTables()
    {
        for (auto& v : value)
            v = kSkip;
        for (int i = 0; i < 64; ++i)
            value[static_cast<unsigned char>(kMimeAlphabet[i])] = static_cast<std::uint8_t>(i);
        value[static_cast<unsigned char>('=')] = kPad;
        for (int i = 0; i < 4096; ++i) {
            char two[2] = {kMimeAlphabet[i >> 6], kMimeAlphabet[i & 63]};
            std::memcpy(&pair[i], two, 2);
        }
        for (int k = 0; k < 4; ++k)
            for (int c = 0; c < 256; ++c)
                placed[k][c] = value[c] < 64 ? std::uint32_t(value[c]) << (18 - 6 * k) : 1u << 24;
    }
};

const TMimeTables& Mime()
{
    static const TMimeTables tables;
    return tables;
}

} // namespace

TStringFormat_MIME64::TStringFormat_MIME64() : TStringFormat_HEX(kMimeTable) {}

TStringFormatClass TStringFormat_MIME64::Class()
{
    static const TStringFormat_MIME64 instance;
    return &instance;
}

char* TStringFormat_MIME64::EncodeGroups(const std::uint8_t* p, std::size_t groups, char* out)
{
    const TMimeTables& t = Mime();
    for (std::size_t g = 0; g < groups; ++g, p += 3, out += 4) {
        std::uint32_t v = std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2];
        std::memcpy(out, &t.pair[v >> 12], 2);
        std::memcpy(out + 2, &t.pair[v & 0xFFF], 2);
    }
    return out;
}

char* TStringFormat_MIME64::EncodeLast(const std::uint8_t* p, std::size_t rest, char* out)
{
    if (rest == 0)
        return out;
    std::uint32_t v = std::uint32_t(p[0]) << 16 | (rest == 2 ? std::uint32_t(p[1]) << 8 : 0);
    out[0] = kMimeAlphabet[v >> 18];
    out[1] = kMimeAlphabet[(v >> 12) & 63];
    out[2] = rest == 2 ? kMimeAlphabet[(v >> 6) & 63] : '=';
    out[3] = '=';
    return out + 4;
}

std::string TStringFormat_MIME64::ToStr(const void* bytes, std::size_t length) const
{
    const auto* p = static_cast<const std::uint8_t*>(bytes);
    std::string out(EncodedLength(length), '\0');
    char* o = EncodeGroups(p, length / 3, out.data());
    EncodeLast(p + length / 3 * 3, length % 3, o);
    return out;
}

// The decoder counts every input character, also the ones it skips, when it works out how
// many bytes to produce; so text followed by a line break yields one or more extra bytes.
// Stored texts were written against exactly this rule, so it is kept as it is.
std::string TStringFormat_MIME64::StrTo(const char* text, std::size_t length) const
{
    const std::uint8_t* value = Mime().value;
    const auto* in = reinterpret_cast<const std::uint8_t*>(text);
    const std::size_t padded = (length + 3) / 4 * 4; // "=" appended up to a multiple of 4
    std::int64_t count = static_cast<std::int64_t>(padded / 4 * 3);
    std::string out(static_cast<std::size_t>(count) + 3, '\0');
    auto* o = reinterpret_cast<std::uint8_t*>(out.data());
    std::int64_t pos = 0;
    std::size_t i = 0;
    while (count > 0) {
        // Four alphabet characters in a row while more than one group remains: the common case.
        {
            const auto& t = Mime().placed;
            const std::size_t left = i < length ? (length - i) / 4 : 0;
            const std::size_t groups = std::min<std::size_t>(std::size_t(count - 1) / 3, left);
            std::size_t g = 0;
            for (; g < groups; ++g) {
                const std::uint8_t* q = in + i + 4 * g;
                std::uint32_t acc = t[0][q[0]] | t[1][q[1]] | t[2][q[2]] | t[3][q[3]];
                if (acc >> 24)
                    break;
                std::uint8_t* w = o + pos + 3 * std::int64_t(g);
                w[0] = std::uint8_t(acc >> 16);
                w[1] = std::uint8_t(acc >> 8);
                w[2] = std::uint8_t(acc);
            }
            pos += 3 * std::int64_t(g);
            count -= 3 * std::int64_t(g);
            i += 4 * g;
        }
        if (count <= 0)
            break;
        std::uint32_t acc = 0;
        for (int taken = 0; taken < 4 && i < padded; ++i) {
            std::uint8_t v = i < length ? value[in[i]] : kPad;
            if (v == kSkip)
                continue;
            acc = (acc << 6) & 0xFFFFFF;
            if (v == kPad)
                --count;
            else
                acc |= v;
            ++taken;
        }
        o[pos] = std::uint8_t(acc >> 16);
        o[pos + 1] = std::uint8_t(acc >> 8);
        o[pos + 2] = std::uint8_t(acc);
        pos += count > 3 ? 3 : count;
        count -= 3;
    }
    out.resize(pos > 0 ? static_cast<std::size_t>(pos) : 0);
    return out;
}

std::string TStringFormat_MIME64::Name() const { return "MIME Base 64"; }

int TStringFormat_MIME64::Format() const { return fmtMIME64; }

} // namespace varnet::crypt
