// The six string formats: ids and names, published encodings, the exact Base 64 decoder,
// round trips over random bytes, and the refusals.
#include <gtest/gtest.h>

#include "FrameworkTestUtil.h"
#include "crypt/CryptErrors.h"
#include "crypt/StringFormat.h"

namespace framework_test {
namespace {

using namespace varnet::crypt;

constexpr int kBuiltIn[] = {fmtCopy, fmtHEX, fmtHEXL, fmtMIME64, fmtUU, fmtXX};

std::string Enc(const std::string& bytes, int format) { return BinToStr(bytes.data(), bytes.size(), format); }
std::string Dec(const std::string& text, int format) { return StrToBin(text.data(), text.size(), format); }

TEST(StringFormats, RegistryIdsAndNames)
{
    struct Row { int id; const char* name; };
    const Row rows[] = {{1, "copy Input to Output"}, {16, "Hexadecimal"}, {1016, "Hexadecimal lowercase"},
                        {4196, "MIME Base 64"}, {21845, "UU Coding"}, {22616, "XX Coding"}};
    for (const Row& row : rows) {
        ASSERT_NE(StringFormat(row.id), nullptr) << row.id;
        EXPECT_EQ(StringFormat(row.id)->Format(), row.id);
        EXPECT_EQ(StringFormat(row.id)->Name(), row.name);
    }
    const auto all = StringFormats(); // in id order (other tests may have added some)
    for (std::size_t i = 1; i < all.size(); ++i)
        EXPECT_LT(all[i - 1]->Format(), all[i]->Format());
    EXPECT_EQ(StringFormat(-1), TStringFormat_MIME64::Class());
    EXPECT_NE(dynamic_cast<const TStringFormat_HEX*>(TStringFormat_MIME64::Class()), nullptr);
    EXPECT_NE(dynamic_cast<const TStringFormat_UU*>(TStringFormat_XX::Class()), nullptr);
    // The accepted sets begin with the output alphabets.
    EXPECT_EQ(TStringFormat_MIME64::Class()->CharTable().substr(0, 65),
              "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=");
    EXPECT_EQ(TStringFormat_UU::Class()->CharTable().substr(0, 3), "`!\"");
}

TEST(StringFormats, ConversionErrors)
{
    try {
        Enc("x", 7);
        FAIL() << "no exception";
    } catch (const EStringFormat& e) {
        EXPECT_STREQ(e.what(), "String Format \"7\" not exists.");
    }
    EXPECT_THROW(Dec("x", 0), EStringFormat);

    // A format that cannot take some bytes is asked before it converts them.
    struct NoZeros : TStringFormat {
        std::string Name() const override { return "No Zeros"; }
        int Format() const override { return 777; }
        bool IsValid(const char* t, std::size_t n, bool decoding) const override
        {
            return decoding || std::string_view(t, n).find('\0') == std::string_view::npos;
        }
    };
    static const NoZeros noZeros;
    RegisterStringFormat(&noZeros);
    EXPECT_EQ(Enc("abc", 777), "abc");
    try {
        Enc(std::string("a\0c", 3), 777);
        FAIL() << "no exception";
    } catch (const EStringFormat& e) {
        EXPECT_STREQ(e.what(), "Input can not be convert to No Zeros Format.");
    }
}

TEST(StringFormats, ReplacingAFormatById)
{
    struct Upper : TStringFormat {
        std::string ToStr(const void* b, std::size_t n) const override
        {
            std::string s(static_cast<const char*>(b), n);
            for (char& c : s)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            return s;
        }
    };
    static const Upper upper;
    RegisterStringFormat(&upper);
    EXPECT_EQ(Enc("abc", 1), "ABC");
    RegisterStringFormat(TStringFormat::Class());
    EXPECT_EQ(Enc("abc", 1), "abc");
    EXPECT_EQ(StringFormat(1), TStringFormat::Class());
}

// RFC 4648's examples.
TEST(MimeBase64, PublishedExamples)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}};
    for (auto [plain, coded] : cases) {
        EXPECT_EQ(Enc(plain, fmtMIME64), coded);
        EXPECT_EQ(Dec(coded, fmtMIME64), plain);
    }
    const std::string all = "\xFB\xFF\xBF";
    EXPECT_EQ(Enc(all, fmtMIME64), "+/+/");
}

// Every input character counts towards the length, also the skipped ones.
TEST(MimeBase64, DecoderCountsSkippedCharacters)
{
    EXPECT_EQ(Dec("Zm9v\r\n", fmtMIME64), std::string("foo\0", 4));
    EXPECT_EQ(Dec("Zm9vYmFy\r\n", fmtMIME64), std::string("foobar\0", 7));
    EXPECT_EQ(Dec("Zm 9v", fmtMIME64), "foo");
    EXPECT_EQ(Dec("Zm9v    ", fmtMIME64), std::string("foo\0\0\0", 6));
    EXPECT_EQ(Dec("Zg==", fmtMIME64), "f");
    EXPECT_EQ(Dec("Zg", fmtMIME64), "f"); // the missing padding is appended
    EXPECT_EQ(Dec("Zm8", fmtMIME64), "fo");
    EXPECT_EQ(Dec("====", fmtMIME64), "");
    EXPECT_EQ(Dec(" ", fmtMIME64), "");
    // A second padded group moves the position back: the bytes before it remain.
    EXPECT_EQ(Dec("Zg==Zg==", fmtMIME64), std::string("f\0", 2));
}

TEST(MimeBase64, RefusesCharactersOutsideTheAcceptedSet)
{
    for (std::string bad : {std::string("Zm9v."), std::string("Zm9v!"), std::string("\x82\xa0"),
                            std::string("Zm9v@"), std::string("Zm\0v", 4)}) {
        try {
            Dec(bad, -1);
            FAIL() << bad;
        } catch (const EStringFormat& e) {
            EXPECT_STREQ(e.what(), "Input is not an valid MIME Base 64 Format.");
        }
    }
    EXPECT_NO_THROW(Dec(" $()[]{},;:-_\\*\"'\t\r\n", -1));
}

TEST(Hexadecimal, BothCasesAndSeparators)
{
    EXPECT_EQ(Enc("\x01\xAB\xFF", fmtHEX), "01ABFF");
    EXPECT_EQ(Enc("\x01\xAB\xFF", fmtHEXL), "01abff");
    EXPECT_EQ(Dec("01abFF", fmtHEX), "\x01\xAB\xFF");
    EXPECT_EQ(Dec("01 AB-ff, [12]", fmtHEXL), "\x01\xAB\xFF\x12");
    EXPECT_EQ(Dec("ABC", fmtHEX), "\xAB\xC0"); // a trailing odd digit is a high nibble
    EXPECT_EQ(Dec("$1F 0x2E 3Dh", fmtHEX), "\x1F\x2E\x3D");
    EXPECT_EQ(Dec("00 10", fmtHEX), std::string("\x00\x10", 2));
    EXPECT_THROW(Dec("12G4", fmtHEX), EStringFormat);
    try {
        Dec("xyz", fmtHEXL);
        FAIL();
    } catch (const EStringFormat& e) {
        EXPECT_STREQ(e.what(), "Input is not an valid Hexadecimal lowercase Format.");
    }
}

TEST(UUAndXX, KnownLines)
{
    EXPECT_EQ(Enc("Cat", fmtUU), "#0V%T");
    EXPECT_EQ(Enc("Cat", fmtXX), "1Eq3o");
    EXPECT_EQ(Dec("#0V%T", fmtUU), "Cat");
    EXPECT_EQ(Dec("1Eq3o", fmtXX), "Cat");
    // A zero sextet is the backquote; a space reads as zero too.
    EXPECT_EQ(Enc(std::string(3, '\0'), fmtUU), "#````");
    EXPECT_EQ(Dec("#    ", fmtUU), std::string(3, '\0'));
    // Lines of 45 bytes follow each other; line breaks between them are skipped.
    const std::string bytes(100, 'z');
    const std::string uu = Enc(bytes, fmtUU);
    EXPECT_EQ(uu[0], 'M'); // 45
    EXPECT_EQ(uu[61], 'M');
    EXPECT_EQ(uu[122], '*'); // 10
    EXPECT_EQ(uu.size(), 1 + 60 + 1 + 60 + 1 + 16u);
    EXPECT_EQ(Dec(uu.substr(0, 61) + "\r\n" + uu.substr(61, 61) + "\n" + uu.substr(122), fmtUU), bytes);
}

TEST(UUAndXX, MalformedLinesAreRefused)
{
    // A line of 45 bytes (15 groups) is the longest; a length character of 46 is refused.
    const std::string longest = Enc(std::string(45, 'a'), fmtUU);
    EXPECT_EQ(Dec(longest, fmtUU), std::string(45, 'a'));
    std::string tooLong = longest + "!!!!";
    tooLong[0] = 'N'; // 46
    EXPECT_THROW(Dec(tooLong, fmtUU), EStringFormat);
    EXPECT_THROW(Dec("#0V%", fmtUU), EStringFormat);   // cut short
    EXPECT_THROW(Dec("#0v%T", fmtUU), EStringFormat);  // lower case is outside UU
    EXPECT_THROW(Dec("1Eq3", fmtXX), EStringFormat);
    EXPECT_THROW(Dec("1Eq3o!", fmtXX), EStringFormat);
    std::string xxTooLong = Enc(std::string(45, 'a'), fmtXX) + "++++";
    xxTooLong[0] = 'i'; // 46 in the XX alphabet
    try {
        Dec(xxTooLong, fmtXX);
        FAIL();
    } catch (const EStringFormat& e) {
        EXPECT_STREQ(e.what(), "Input is not an valid XX Coding Format.");
    }
    // StrTo on its own refuses too, instead of reading past the text.
    EXPECT_THROW(TStringFormat_UU::Class()->StrTo("#0V", 3), EStringFormat);
}

TEST(StringFormats, RandomBytesRoundTripInEveryFormat)
{
    std::mt19937 random(5);
    for (int id : kBuiltIn) {
        TStringFormatClass f = StringFormat(id);
        SCOPED_TRACE(f->Name());
        for (std::size_t n : {0, 1, 2, 3, 4, 44, 45, 46, 89, 90, 91, 1000, 4097}) {
            const std::string bytes = RandomString(random, n);
            const std::string text = Enc(bytes, f->Format());
            EXPECT_TRUE(f->IsValid(text.data(), text.size(), true));
            EXPECT_EQ(Dec(text, f->Format()), bytes) << n;
        }
    }
}

// Decoding arbitrary bytes either works or raises EStringFormat; nothing else may happen.
TEST(StringFormats, ArbitraryInputDecodesOrIsRefused)
{
    std::mt19937 random(6);
    const std::string alphabetHeavy = "`!#M0V%T+-abcXYZ=/ \r\n";
    for (int round = 0; round < 3000; ++round) {
        std::string text = RandomString(random, random() % 120);
        if (round % 2 == 1)
            for (char& c : text)
                c = alphabetHeavy[static_cast<unsigned char>(c) % alphabetHeavy.size()];
        for (int id : kBuiltIn) {
            TStringFormatClass f = StringFormat(id);
            try {
                std::string out = Dec(text, f->Format());
                EXPECT_LE(out.size(), text.size() + 3);
            } catch (const EStringFormat&) {
            }
        }
    }
}

} // namespace
} // namespace framework_test
