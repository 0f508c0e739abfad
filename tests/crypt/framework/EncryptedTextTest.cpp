// The encrypted text the program writes, rebuilt independently: RIPEMD-256 and Blowfish from
// Crypto++, the CTS chaining and the Base 64 encoding written out here.
#include <cryptopp/blowfish.h>
#include <cryptopp/ripemd.h>
#include <gtest/gtest.h>

#include <cstring>

#include "FrameworkTestUtil.h"
#include "crypt/CryptErrors.h"
#include "crypt/Managers.h"

namespace framework_test {
namespace {

using namespace varnet::crypt;

std::string Base64(const std::string& bytes)
{
    static const char* a = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t i = 0;
    auto b = [&](std::size_t k) { return static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[k])); };
    for (; i + 3 <= bytes.size(); i += 3) {
        std::uint32_t v = b(i) << 16 | b(i + 1) << 8 | b(i + 2);
        for (int s = 18; s >= 0; s -= 6)
            out.push_back(a[(v >> s) & 63]);
    }
    if (bytes.size() - i == 1) {
        std::uint32_t v = b(i) << 16;
        out += {a[v >> 18], a[(v >> 12) & 63], '=', '='};
    } else if (bytes.size() - i == 2) {
        std::uint32_t v = b(i) << 16 | b(i + 1) << 8;
        out += {a[v >> 18], a[(v >> 12) & 63], a[(v >> 6) & 63], '='};
    }
    return out;
}

// Key = RIPEMD-256 of the password (all 32 bytes: Blowfish takes up to 56), vector = E(FF..FF),
// CTS over chunks of 4096 bytes with the feedback carried on, then Base 64.
std::string ReferenceEncode(const std::string& text, const std::string& password)
{
    std::uint8_t key[32];
    CryptoPP::RIPEMD256().CalculateDigest(key, reinterpret_cast<const CryptoPP::byte*>(password.data()),
                                          password.size());
    CryptoPP::Blowfish::Encryption e(key, sizeof key);
    std::uint8_t f[8];
    std::memset(f, 0xFF, 8);
    e.ProcessBlock(f);
    std::string out = text;
    auto* p = reinterpret_cast<std::uint8_t*>(out.data());
    for (std::size_t start = 0; start < out.size(); start += 4096) {
        const std::size_t n = std::min<std::size_t>(4096, out.size() - start);
        std::size_t i = 0;
        for (; i + 8 <= n; i += 8) {
            std::uint8_t c[8];
            for (int k = 0; k < 8; ++k)
                c[k] = p[start + i + k] ^ f[k];
            e.ProcessBlock(c);
            for (int k = 0; k < 8; ++k) {
                p[start + i + k] = c[k];
                f[k] ^= c[k];
            }
        }
        if (i < n) {
            std::uint8_t t[8];
            e.ProcessBlock(f, t);
            for (std::size_t k = 0; i + k < n; ++k)
                p[start + i + k] ^= t[k];
            for (int k = 0; k < 8; ++k)
                f[k] ^= t[k];
        }
    }
    return Base64(out);
}

TEST(EncryptedText, DefaultsMatchTheIndependentConstruction)
{
    std::mt19937 random(20240501);
    std::vector<std::size_t> lengths = {1, 2, 3, 7, 8, 9, 15, 16, 17, 100, 4095, 4096, 4097, 8191,
                                        8193, 10000};
    for (int i = 0; i < 20; ++i)
        lengths.push_back(random() % 9000);
    for (std::size_t length : lengths) {
        SCOPED_TRACE(length);
        const std::string text = RandomString(random, length);
        const std::string password = RandomString(random, random() % 40);
        TCipherManager manager;
        manager.InitKey(password, nullptr);
        const std::string encoded = manager.EncodeString(text);
        ASSERT_EQ(encoded, ReferenceEncode(text, password));
        EXPECT_EQ(manager.DecodeString(encoded), text);
        // A second manager, as the reading program would have, reads it too.
        TCipherManager reader;
        reader.InitKey(password, nullptr);
        EXPECT_EQ(reader.DecodeString(encoded), text);
    }
}

TEST(EncryptedText, ShortAndEmptyTexts)
{
    TCipherManager manager;
    // The empty string never reaches the cipher, so even an unkeyed one answers.
    EXPECT_EQ(manager.EncodeString(""), "");
    EXPECT_EQ(manager.DecodeString(""), "");

    manager.InitKey("password", nullptr);
    const std::string abc = manager.EncodeString("abc");
    EXPECT_EQ(abc.size(), 4u);
    EXPECT_EQ(abc.find('='), std::string::npos);
    EXPECT_EQ(abc, ReferenceEncode("abc", "password"));
    EXPECT_EQ(manager.DecodeString(abc), "abc");

    // Three double-byte characters plus CR LF: 8 bytes, 12 characters ending in one "=".
    const std::string line = "\x82\xa0\x82\xa2\x82\xa4\r\n";
    const std::string encoded = manager.EncodeString(line);
    EXPECT_EQ(encoded.size(), 12u);
    EXPECT_EQ(encoded.back(), '=');
    EXPECT_NE(encoded[10], '=');
}

TEST(EncryptedText, SameInputGivesSameOutputEveryTime)
{
    TCipherManager manager;
    manager.InitKey("key", nullptr);
    const std::string text(5000, 'x');
    const std::string first = manager.EncodeString(text);
    EXPECT_EQ(manager.DecodeString(first), text);
    EXPECT_EQ(manager.EncodeString(text), first);
    EXPECT_EQ(manager.EncodeString(text), first);
}

// A Base 64 line followed by CR LF decodes to the text plus one byte; the encrypt command
// drops that byte, so the rest must be the text.
TEST(EncryptedText, LineBreakAfterTheTextAddsOneByte)
{
    TCipherManager manager;
    manager.InitKey("pw", nullptr);
    for (std::string text : {"a", "ab", "abc", "abcdefgh", "abcdefghijklmnop\r\n"}) {
        SCOPED_TRACE(text);
        std::string decoded = manager.DecodeString(manager.EncodeString(text) + "\r\n");
        ASSERT_EQ(decoded.size(), text.size() + 1);
        EXPECT_EQ(decoded.substr(0, text.size()), text);
    }
}

TEST(EncryptedText, PlainTextIsRefusedAsBase64)
{
    TCipherManager manager;
    manager.InitKey("pw", nullptr);
    try {
        manager.DecodeString("This is a sentence.");
        FAIL() << "a full stop is not Base 64";
    } catch (const EStringFormat& e) {
        EXPECT_STREQ(e.what(), "Input is not an valid MIME Base 64 Format.");
    }
    EXPECT_THROW(manager.DecodeString("\x93\xfa\x96\x7b"), EStringFormat); // Japanese text
    // Letters, digits, spaces and the accepted punctuation pass as Base 64.
    EXPECT_NO_THROW(manager.DecodeString("Hello world, (this) is: fine"));
}

// Every cipher takes the first min(key size, 32) bytes of RIPEMD-256(password) as its key.
TEST(EncryptedText, EveryCipherTakesItsKeyFromTheDigestPrefix)
{
    const std::string password = "\x88\xc3\x8d\x86 and more";
    std::uint8_t digest[32];
    CryptoPP::RIPEMD256().CalculateDigest(digest, reinterpret_cast<const CryptoPP::byte*>(password.data()),
                                          password.size());
    for (TCipherClass cls : AllCipherClasses()) {
        SCOPED_TRACE(cls->ClassName());
        int b = 0, k = 0, s = 0;
        cls->GetContext(b, k, s);
        TCipherManager manager;
        manager.SetCipherClass(cls);
        manager.InitKey(password, nullptr);
        EXPECT_EQ(manager.Cipher().Flags() & 3u, 3u);
        auto direct = cls->Create();
        direct->Init(digest, std::min(k, 32), nullptr);
        const std::string text = "The quick brown fox jumps over the lazy dog, 0123456789.";
        EXPECT_EQ(manager.EncodeString(text), direct->CodeString(text, caEncode, -1));
        // A key one byte shorter must give another text (the prefix length matters).
        auto shorter = cls->Create();
        shorter->Init(digest, std::min(k, 32) - 1, nullptr);
        EXPECT_NE(manager.EncodeString(text), shorter->CodeString(text, caEncode, -1));
    }
}

// A stream cipher restarted to its state right after the key schedule would reuse, for the
// first block, the keystream that made the vector; the first block must use fresh keystream.
TEST(EncryptedText, RunningStateCipherDoesNotReuseTheVectorsKeystream)
{
    const Bytes key = FromHex("000102030405060708090A0B0C0D0E0F");
    TCipher_SCOP cipher;
    cipher.Init(key.data(), int(key.size()), nullptr);
    Bytes vector(cipher.Vector(), cipher.Vector() + 128);
    Bytes plain(128, 0x41), ours(128);
    cipher.CodeInit(caEncode);
    cipher.EncodeBuffer(plain.data(), ours.data(), plain.size());
    cipher.CodeDone(caEncode);

    // The same key and vector, given explicitly, starts at the keystream's beginning.
    TCipher_SCOP reuse;
    reuse.Init(key.data(), int(key.size()), vector.data());
    Bytes reused(128);
    reuse.EncodeBuffer(plain.data(), reused.data(), plain.size());
    EXPECT_NE(ours, reused);

    TCipher_SCOP fresh;
    fresh.Init(key.data(), int(key.size()), vector.data());
    Bytes skip(128, 0xFF);
    fresh.EncodeBlock(skip.data()); // the block that made the vector
    EXPECT_EQ(skip, vector);
    Bytes expected(128);
    fresh.EncodeBuffer(plain.data(), expected.data(), plain.size());
    EXPECT_EQ(ours, expected);

    // And it stays so for every later operation.
    Bytes again(128);
    cipher.CodeInit(caEncode);
    cipher.EncodeBuffer(plain.data(), again.data(), plain.size());
    EXPECT_EQ(again, ours);
}

} // namespace
} // namespace framework_test
