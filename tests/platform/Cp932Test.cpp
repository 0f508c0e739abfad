// The CP932 module against the system's iconv converter, against what Windows users expect,
// and for byte-exact round trips of anything a document may hold.
#include "platform/Cp932.h"
#include "platform/Sjis.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <random>
#include <string>
#include <vector>

namespace {

// glibc's iconv, the reference the tables were generated from; each call converts one whole
// string and reports failure instead of skipping what it cannot convert.
class TIconv {
public:
    TIconv(const char* to, const char* from) : FCd(iconv_open(to, from))
    {
        EXPECT_NE(FCd, reinterpret_cast<iconv_t>(-1)) << from << " -> " << to;
    }
    ~TIconv() { iconv_close(FCd); }
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;

    bool Convert(const std::string& in, std::string& out)
    {
        iconv(FCd, nullptr, nullptr, nullptr, nullptr);
        out.assign(in.size() * 4 + 16, '\0');
        char* ip = const_cast<char*>(in.data());
        size_t il = in.size();
        char* op = out.data();
        size_t ol = out.size();
        if (iconv(FCd, &ip, &il, &op, &ol) == static_cast<size_t>(-1))
            return false;
        out.resize(out.size() - ol);
        return true;
    }

private:
    iconv_t FCd;
};

std::string Utf8Of(char32_t cp)
{
    std::string s;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | cp >> 6);
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | cp >> 12);
        s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | cp >> 18);
        s += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return s;
}

std::string Bytes(std::initializer_list<int> list)
{
    std::string s;
    for (int b : list)
        s += static_cast<char>(b);
    return s;
}

bool InTrailRange(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }
bool InLeadRange(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

} // namespace

TEST(Cp932LeadBytes, RangesAndCharacterLength)
{
    for (int b : {0x81, 0x9F, 0xE0, 0xFC, 0x88, 0xEA})
        EXPECT_TRUE(IsLeadByte(static_cast<unsigned char>(b))) << std::hex << b;
    for (int b : {0x00, 0x40, 0x5C, 0x7F, 0x80, 0xA0, 0xA1, 0xDF, 0xFD, 0xFF})
        EXPECT_FALSE(IsLeadByte(static_cast<unsigned char>(b))) << std::hex << b;
    EXPECT_TRUE(IsLeadByte('\x81')); // the char overload sees the byte, not a negative number

    const std::string text = "a\x82\xA0" "b\x83"; // a, あ, b, lone lead byte at the end
    EXPECT_EQ(CharLength(text, 0), 1u);
    EXPECT_EQ(CharLength(text, 1), 2u);
    EXPECT_EQ(CharLength(text, 3), 1u);
    EXPECT_EQ(CharLength(text, 4), 1u);
    EXPECT_EQ(CharLength(text, 5), 0u);
    EXPECT_EQ(CharLength(text, 99), 0u);
    // A lead byte claims whatever follows it, even a byte that is no valid trail.
    EXPECT_EQ(CharLength("\x81\x0A", 0), 2u);
    EXPECT_EQ(CharLength("", 0), 0u);
}

TEST(Cp932LeadBytes, CharacterCodesAndTokenizerClasses)
{
    const std::string text = "a\x82\xA0\x83"; // a, あ, lone lead byte at the end
    EXPECT_EQ(cp932::CharCode(text, 0), 0x61u);
    EXPECT_EQ(cp932::CharCode(text, 1), 0x82A0u);
    EXPECT_EQ(cp932::CharCode(text, 3), 0x83u); // no trail to pair with: the byte alone
    EXPECT_EQ(cp932::CharCode("\xFC\xFC", 0), 0xFCFCu); // no sign extension of either byte

    // Kanji leads are a subset of the lead bytes: the symbol and kana rows are not kanji.
    for (int b = 0; b < 256; ++b) {
        const auto c = static_cast<unsigned char>(b);
        EXPECT_TRUE(!cp932::IsKanjiLead(c) || IsLeadByte(c)) << std::hex << b;
    }
    for (int b : {0x81, 0x82, 0x83, 0x87})
        EXPECT_FALSE(cp932::IsKanjiLead(static_cast<unsigned char>(b))) << std::hex << b;
    for (int b : {0x88, 0x9F, 0xE0, 0xFC})
        EXPECT_TRUE(cp932::IsKanjiLead(static_cast<unsigned char>(b))) << std::hex << b;

    EXPECT_TRUE(cp932::IsHexDigit('f') && cp932::IsHexDigit('F') && cp932::IsHexDigit('9'));
    EXPECT_FALSE(cp932::IsHexDigit('g') || cp932::IsHexDigit('G') || cp932::IsHexDigit('/'));
    EXPECT_TRUE(cp932::IsWordByte('_') && cp932::IsWordByte('z') && cp932::IsWordByte('0'));
    EXPECT_FALSE(cp932::IsWordByte('-') || cp932::IsWordByte('@') || cp932::IsWordByte(0x82));
    EXPECT_EQ(cp932::AsciiUpper('q'), 'Q');
    EXPECT_EQ(cp932::AsciiUpper('{'), '{');
    EXPECT_EQ(cp932::AsciiUpper(0xE1), 0xE1); // no locale folding of bytes above ASCII
}

TEST(Cp932Table, DecodesEveryCodeAsIconvDoes)
{
    TIconv iconv("UTF-8", "CP932");
    std::string expected;
    int checked = 0;
    for (int b = 0; b < 256; ++b) {
        if (InLeadRange(static_cast<unsigned char>(b)))
            continue;
        const std::string in(1, static_cast<char>(b));
        if (iconv.Convert(in, expected)) {
            EXPECT_EQ(Cp932ToUtf8(in), expected) << std::hex << b;
            ++checked;
        } else {
            EXPECT_EQ(Cp932ToUtf8(in), Utf8Of(kRawByteEscapeBase + b)) << std::hex << b;
        }
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!InLeadRange(static_cast<unsigned char>(lead)))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            const std::string in = Bytes({lead, trail});
            if (iconv.Convert(in, expected)) {
                ASSERT_EQ(Cp932ToUtf8(in), expected) << std::hex << lead << trail;
                ++checked;
            } else {
                ASSERT_EQ(Cp932ToUtf8(in), Utf8Of(kRawByteEscapeBase + lead) + Utf8Of(kRawByteEscapeBase + trail))
                    << std::hex << lead << trail;
            }
        }
    }
    EXPECT_GT(checked, 9000); // JIS X 0208, the NEC and IBM rows and the user-defined area
}

TEST(Cp932Table, EncodesEveryBmpCodePointAsIconvDoes)
{
    TIconv iconv("CP932", "UTF-8");
    std::string expected;
    for (char32_t cp = 1; cp < 0x10000; ++cp) {
        if (cp >= 0xD800 && cp < 0xE000)
            continue;
        if (IsRawByteEscape(cp))
            continue; // ours, checked by the round trips below
        const std::string in = Utf8Of(cp);
        const std::string got = Utf8ToCp932(in);
        if (iconv.Convert(in, expected))
            ASSERT_EQ(got, expected) << "U+" << std::hex << static_cast<unsigned>(cp);
        else
            ASSERT_EQ(got, "?") << "U+" << std::hex << static_cast<unsigned>(cp);
    }
}

TEST(Cp932Table, MatchesWhatWindowsUsersExpect)
{
    struct Case {
        std::string cp932;
        char32_t unicode;
    };
    // 0x5C and 0x7E stay ASCII (a "Shift_JIS" converter would give yen sign and overline),
    // the JIS X 0208 row 1 symbols decode to their full-width forms, and the user-defined area
    // maps onto the start of the private-use area.
    const std::vector<Case> decodes = {
        {"\x5C", U'\\'},       {"\x7E", U'~'},          {"\x81\x60", 0xFF5E}, {"\x81\x5F", 0xFF3C},
        {"\x81\x61", 0x2225},  {"\x81\x7C", 0xFF0D},    {"\x81\x91", 0xFFE0}, {"\x81\x92", 0xFFE1},
        {"\x81\xCA", 0xFFE2},  {"\x81\x5C", 0x2015},    {"\x82\xA0", U'あ'},  {"\x88\x9F", U'亜'},
        {"\xEA\xA4", U'熙'},   {"\x87\x40", U'①'},     {"\xA1", 0xFF61},     {"\xDF", 0xFF9F},
        {"\xF0\x40", 0xE000},  {"\xF9\xFC", 0xE757},    {"\xED\x40", 0x7E8A}, {"\xFA\x5C", 0x7E8A},
    };
    for (const Case& c : decodes) {
        EXPECT_EQ(Cp932ToUtf8(c.cp932), Utf8Of(c.unicode)) << "U+" << std::hex << static_cast<unsigned>(c.unicode);
        EXPECT_EQ(Cp932ToUtf16(c.cp932), std::u16string(1, static_cast<char16_t>(c.unicode)));
    }
    // One spelling where CP932 has two: the IBM row for the NEC-selected kanji, JIS X 0208 for
    // the NEC row 13 duplicates, NEC row 13 for the capital roman numerals.
    const std::vector<Case> encodes = {
        {"\xFA\x5C", 0x7E8A}, {"\x81\xE0", 0x2252}, {"\x81\xE6", 0x2235}, {"\x87\x54", 0x2160},
        {"\xFA\x40", 0x2170}, {"\x81\xCA", 0xFFE2}, {"\xF0\x40", 0xE000}, {"\x96\xB3", U'無'},
    };
    for (const Case& c : encodes) {
        EXPECT_EQ(Utf8ToCp932(Utf8Of(c.unicode)), c.cp932) << "U+" << std::hex << static_cast<unsigned>(c.unicode);
        EXPECT_EQ(Utf16ToCp932(std::u16string(1, static_cast<char16_t>(c.unicode))), c.cp932);
    }
}

TEST(Cp932Table, InputMethodCharactersMapAsOnWindows)
{
    struct Case {
        char32_t typed;
        std::string cp932;
    };
    const std::vector<Case> cases = {
        {0x301C, "\x81\x60"}, {0x2016, "\x81\x61"}, {0x2212, "\x81\x7C"},
        {0x00A2, "\x81\x91"}, {0x00A3, "\x81\x92"}, {0x00AC, "\x81\xCA"},
        {0x00A5, "\x5C"},     {0x203E, "\x7E"},     {0x2014, "\x81\x5C"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8ToCp932(Utf8Of(c.typed)), c.cp932) << "U+" << std::hex << static_cast<unsigned>(c.typed);
        EXPECT_EQ(Utf16ToCp932(std::u16string(1, static_cast<char16_t>(c.typed))), c.cp932);
    }
    // In context: a typed range 1〜2 and a price ¥100.
    EXPECT_EQ(Utf8ToCp932("1\u301C2 \u00A5100"), "1\x81\x60" "2 \\100");
}

TEST(Cp932RoundTrip, BytesThatDoNotDecodeComeBackExactly)
{
    const std::vector<std::string> samples = {
        "\x80", "\xA0", "\xFD", "\xFE", "\xFF",
        "\x81",                 // lone lead byte at the end
        "abc\x9F",              // the same after text
        "\x81\x0A" "def",       // lead byte before a line break: the break stays a break
        "\x81\x7F",             // 0x7F is never a trail
        "\x85\x40\x85\x9E",     // unassigned pairs
        "\xEB\x40\xEF\xFC",     // unassigned rows between the kanji and the user-defined area
        "\x81\x81\x40",         // a lead byte as trail, then '@'
        std::string("\x82\0\x82\xA0", 4), // lead byte before NUL, then あ
    };
    for (const std::string& s : samples) {
        const std::string utf8 = Cp932ToUtf8(s);
        EXPECT_EQ(Utf8ToCp932(utf8), s);
        EXPECT_EQ(Utf16ToCp932(Cp932ToUtf16(s)), s);
    }
    // Each undecodable byte is one escape; a following line break or NUL is kept as itself.
    EXPECT_EQ(Cp932ToUtf16("\x81\x0A"), std::u16string(u"\uF781\n"));
    EXPECT_EQ(Cp932ToUtf16("\x85\x40"), std::u16string(u"\uF785\uF740"));
    EXPECT_EQ(Cp932ToUtf16(std::string("\x82\0", 2)), std::u16string(u"\uF782\0", 2));
}

// Random bytes, weighted towards the awkward ones, through both Unicode forms. Where CP932
// has two codes for one character the way back gives the one iconv encodes to; everything
// else, undecodable bytes included, must come back byte for byte.
TEST(Cp932RoundTrip, RandomBytesSurviveBothUnicodeForms)
{
    TIconv decode("UTF-8", "CP932"), encode("CP932", "UTF-8"), utf16to8("UTF-8", "UTF-16LE"),
        utf8to8("UTF-8", "UTF-8");
    const auto canonical = [&](const std::string& s) {
        std::string out, u, back;
        for (std::size_t i = 0; i < s.size(); ++i) {
            const auto b = static_cast<unsigned char>(s[i]);
            if (InLeadRange(b) && i + 1 < s.size() && InTrailRange(static_cast<unsigned char>(s[i + 1]))) {
                const std::string pair = s.substr(i, 2);
                if (decode.Convert(pair, u) && encode.Convert(u, back))
                    out += back;
                else
                    out += pair;
                ++i;
            } else {
                out += s[i];
            }
        }
        return out;
    };
    const std::vector<int> awkward = {0x80, 0xA0, 0xFD, 0xFE, 0xFF, 0x81, 0x9F, 0xE0, 0xFC, 0xED,
                                      0xEE, 0xFA, 0x87, 0x40, 0x5C, 0x7E, 0x7F, 0x0A, 0x0D, 0x00};
    std::mt19937 rng(932);
    for (int round = 0; round < 400; ++round) {
        // Mostly short strings; some long enough to cross the converters' internal buffers.
        const std::size_t length = round % 50 == 0 ? 20000 : rng() % 200;
        std::string s;
        for (std::size_t i = 0; i < length; ++i) {
            const unsigned r = rng() % 10;
            if (round % 50 == 0 && i % 5000 < 3000)
                s += static_cast<char>('a' + rng() % 26); // long ASCII runs
            else if (r < 4)
                s += static_cast<char>(awkward[rng() % awkward.size()]);
            else
                s += static_cast<char>(rng() % 256);
        }
        const std::string expected = canonical(s);
        const std::string utf8 = Cp932ToUtf8(s);
        const std::u16string utf16 = Cp932ToUtf16(s);
        std::string valid, from16;
        ASSERT_TRUE(utf8to8.Convert(utf8, valid)) << "not well-formed UTF-8, round " << round;
        ASSERT_TRUE(utf16to8.Convert(std::string(reinterpret_cast<const char*>(utf16.data()), utf16.size() * 2), from16));
        ASSERT_EQ(from16, utf8) << "round " << round;
        ASSERT_EQ(Utf8ToCp932(utf8), expected) << "round " << round;
        ASSERT_EQ(Utf16ToCp932(utf16), expected) << "round " << round;
    }
}

TEST(Cp932Encoding, IllFormedInputBecomesOneQuestionMarkPerPiece)
{
    struct Case {
        std::string utf8;
        std::string cp932;
    };
    const std::vector<Case> cases = {
        {"\x80", "?"},                        // stray continuation byte
        {"a\xE3\x81", "a?"},                  // sequence cut off at the end
        {"\xE3\x81" "A\xE3\x81\x82", "?A\x82\xA0"}, // cut off before a valid character
        {"\xC0\xAF", "??"},                   // overlong '/'
        {"\xE0\x80\xAF", "???"},              // overlong three-byte form
        {"\xED\xA0\x80", "???"},              // UTF-16 surrogate spelled in UTF-8
        {"\xF4\x90\x80\x80", "????"},         // beyond U+10FFFF
        {"\xFF\xFE", "??"},
        {"\xF0\x9F\x98\x80", "?"},            // an emoji: well-formed, but CP932 lacks it
        {"caf\xC3\xA9", "caf?"},              // so does é
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932) << c.utf8;

    EXPECT_EQ(Utf16ToCp932(u"\xD83D\xDE00x"), "?x"); // a pair is one character
    EXPECT_EQ(Utf16ToCp932(u"\xD83D\xDE00"), "?");
    EXPECT_EQ(Utf16ToCp932(std::u16string(u"\xD83D" u"A")), "?A");
    EXPECT_EQ(Utf16ToCp932(std::u16string(u"A\xDE00")), "A?");
    EXPECT_EQ(Utf16ToCp932(std::u16string(u"\uF700\uF73F\uF77F")), "???"); // not escapes
    EXPECT_EQ(Utf8ToCp932(""), "");
    EXPECT_EQ(Cp932ToUtf8(""), "");
}

TEST(SjisLiteral, TurnsSourceLiteralsIntoCp932)
{
    static_assert("無題"_sj == "\x96\xB3\x91\xE8");
    static_assert("無題－Varnet"_sj == "\x96\xB3\x91\xE8\x81\x7CVarnet");
    static_assert("〜"_sj == "\x81\x60"); // what an editor on Linux saves for a wave dash
    static_assert("ｶﾅ"_sj == "\xB6\xC5");
    static_assert(""_sj.empty());
    constexpr std::string_view title = "変更：あり"_sj;
    static_assert(title.size() == 10);
    EXPECT_EQ(title.data()[title.size()], '\0'); // usable where a C string is wanted
    EXPECT_EQ(Cp932ToUtf8(title), "変更：あり");
    // The same literal twice is the same storage, converted once.
    EXPECT_EQ("検索キー："_sj.data(), "検索キー："_sj.data());
}
