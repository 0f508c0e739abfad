// CP932 conversions: bytes to Unicode and back keeps every byte, bytes that do not decode
// included (a character with two codes comes back as the code Windows writes); Unicode to
// CP932 encodes each character on its own into whole characters.
#include <string>

#include "FuzzInput.h"
#include "platform/Cp932.h"

namespace {

std::string Hex16(std::u16string_view s)
{
    std::string out;
    char buf[8];
    for (char16_t c : s) {
        std::snprintf(buf, sizeof buf, "%04X ", unsigned(c));
        out += buf;
    }
    return out;
}

// One UTF-16 character: a surrogate pair, or one unit (a lone surrogate too).
std::size_t UnitLength(std::u16string_view s, std::size_t i)
{
    if (s[i] >= 0xD800 && s[i] < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000)
        return 2;
    return 1;
}

// Bytes to Unicode and back loses nothing: every byte comes back, except that where CP932 has
// two codes for one character (the NEC and IBM extension rows) the one Windows writes comes
// back, a code of the same length that reads as the same character.
void BytesRoundTrip(const std::string& bytes)
{
    const std::u16string u16 = Cp932ToUtf16(bytes);
    const std::string viaUtf16 = Utf16ToCp932(u16);
    FUZZ_CHECK(viaUtf16.size() == bytes.size() && Cp932ToUtf16(viaUtf16) == u16,
               "UTF-16 round trip of " + fuzz::Show(bytes) + " gave " + fuzz::Show(viaUtf16));
    // Characters with one code, and bytes that do not decode, come back as they were.
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = CharLength(bytes, i);
        FUZZ_CHECK(CharLength(viaUtf16, i) == n, "round trip of " + fuzz::Show(bytes) + " moved a character boundary");
        if (n == 1 || bytes.compare(i, 2, viaUtf16, i, 2) != 0)
            FUZZ_CHECK(n == 2 || bytes[i] == viaUtf16[i],
                       "byte " + std::to_string(i) + " of " + fuzz::Show(bytes) + " came back as " + fuzz::Show(viaUtf16));
        i += n;
    }
    // Both decoders agree.
    const std::string viaUtf8 = Utf8ToCp932(Cp932ToUtf8(bytes));
    FUZZ_CHECK(viaUtf8 == viaUtf16, "UTF-8 round trip of " + fuzz::Show(bytes) + " gave " + fuzz::Show(viaUtf8));
}

void EncodeUtf16(std::u16string_view text)
{
    const std::string whole = Utf16ToCp932(text);
    std::string pieces;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = UnitLength(text, i);
        const std::u16string_view ch = text.substr(i, n);
        const std::string piece = Utf16ToCp932(ch);
        // One character becomes one CP932 character: a single byte, or a lead and a trail
        // byte; a lone lead byte only as the escape of a byte that did not decode.
        const bool escape = n == 1 && IsRawByteEscape(ch[0]);
        FUZZ_CHECK(piece.size() == 1 || (piece.size() == 2 && IsLeadByte(piece[0]) && IsTrailByte(piece[1])),
                   "character " + Hex16(ch) + " became " + fuzz::Show(piece));
        FUZZ_CHECK(piece.size() == 2 || escape || !IsLeadByte(piece[0]),
                   "character " + Hex16(ch) + " became a lone lead byte " + fuzz::Show(piece));
        // What it became reads back as a character that encodes to the same bytes.
        if (!escape)
            FUZZ_CHECK(Utf16ToCp932(Cp932ToUtf16(piece)) == piece,
                       "character " + Hex16(ch) + " became " + fuzz::Show(piece) + ", which does not read back");
        pieces += piece;
        i += n;
    }
    FUZZ_CHECK(whole == pieces, "encoding " + Hex16(text) + " depends on the neighbours: " +
                                    fuzz::Show(whole) + " vs " + fuzz::Show(pieces));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    BytesRoundTrip(bytes);

    // The same bytes as UTF-16 units (lone surrogates and all) and as UTF-8 (ill-formed too).
    std::u16string units;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        units += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    EncodeUtf16(units);
    const std::string fromUtf8 = Utf8ToCp932(bytes);
    FUZZ_CHECK(Utf8ToCp932(Cp932ToUtf8(fromUtf8)) == fromUtf8, fuzz::Show(bytes));
    // Well-formed UTF-8 encodes as its UTF-16 form does.
    const std::u16string asUtf16 = Cp932ToUtf16(fromUtf8);
    FUZZ_CHECK(Utf16ToCp932(asUtf16) == fromUtf8, fuzz::Show(bytes));
    return 0;
}
