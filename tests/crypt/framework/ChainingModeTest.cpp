// The chaining modes: round trips of every cipher in every mode, the modes' rules checked
// against Crypto++'s block functions, the tail at every 4096-byte chunk end, the MAC modes.
#include <cryptopp/blowfish.h>
#include <cryptopp/3way.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "FrameworkTestUtil.h"
#include "crypt/CryptErrors.h"
#include "crypt/Streams.h"

namespace framework_test {
namespace {

using namespace varnet::crypt;

constexpr TCipherMode kAllModes[] = {cmCTS, cmCBC, cmCFB, cmOFB, cmECB, cmCTSMAC, cmCBCMAC, cmCFBMAC};

bool IsMac(TCipherMode m) { return m == cmCTSMAC || m == cmCBCMAC || m == cmCFBMAC; }

std::shared_ptr<TCipher> Keyed(TCipherClass cls, std::mt19937& random, TCipherMode mode)
{
    auto c = cls->Create();
    const Bytes key = RandomBytes(random, std::size_t(c->KeySize()));
    c->Init(key.data(), int(key.size()), nullptr);
    c->SetMode(mode);
    return c;
}

TEST(ChainingModes, EveryCipherRoundTripsInEveryMode)
{
    std::mt19937 random(7);
    for (TCipherClass cls : AllCipherClasses()) {
        const int b = BlockSizeOf(cls);
        std::vector<std::size_t> lengths;
        for (int n = 0; n <= 3 * b + 1; ++n)
            lengths.push_back(std::size_t(n));
        for (std::size_t n : {4095, 4096, 4097, 10000})
            lengths.push_back(n);
        for (TCipherMode mode : kAllModes) {
            SCOPED_TRACE(std::string(cls->ClassName()) + " mode " + std::to_string(int(mode)));
            auto c = Keyed(cls, random, mode);
            for (std::size_t n : lengths) {
                const Bytes plain = RandomBytes(random, n);
                Bytes data = plain;
                ASSERT_EQ(c->CodeBuffer(data.data(), std::int64_t(n), caEncode), std::int64_t(n));
                if (IsMac(mode)) {
                    ASSERT_EQ(data, plain) << n;
                } else if (n >= std::size_t(b) && n >= 8) {
                    ASSERT_NE(data, plain) << n;
                }
                const Bytes mac(c->Buffer(), c->Buffer() + b);
                c->CodeBuffer(data.data(), std::int64_t(n), caDecode);
                ASSERT_EQ(data, plain) << n;
                if (IsMac(mode) && n > 0) {
                    ASSERT_EQ(Bytes(c->Buffer(), c->Buffer() + b), mac) << n;
                }
            }
        }
    }
}

// The modes written out over Crypto++'s Blowfish, one call over the whole data.
struct Reference {
    CryptoPP::Blowfish::Encryption e;
    CryptoPP::Blowfish::Decryption d;
    std::uint8_t f[8];
    Reference(const Bytes& key, const std::uint8_t* vector)
        : e(key.data(), key.size()), d(key.data(), key.size())
    {
        std::memcpy(f, vector, 8);
    }
    void E(const std::uint8_t* in, std::uint8_t* out) { e.ProcessBlock(in, out); }
    void Tail(std::uint8_t* p, std::size_t n)
    {
        std::uint8_t t[8];
        E(f, t);
        for (std::size_t k = 0; k < n; ++k)
            p[k] ^= t[k];
        for (int k = 0; k < 8; ++k)
            f[k] ^= t[k];
    }
    void Cbc(Bytes& p)
    {
        std::size_t i = 0;
        for (; i + 8 <= p.size(); i += 8) {
            for (int k = 0; k < 8; ++k)
                p[i + k] ^= f[k];
            E(&p[i], &p[i]);
            std::memcpy(f, &p[i], 8);
        }
        if (i < p.size())
            Tail(p.data() + i, p.size() - i);
    }
    void Cfb(Bytes& p, bool ofb)
    {
        for (auto& byte : p) {
            std::uint8_t t[8];
            E(f, t);
            byte ^= t[0];
            std::memmove(f, f + 1, 7);
            f[7] = ofb ? t[0] : byte;
        }
    }
    void Ecb(Bytes& p)
    {
        std::size_t i = 0;
        for (; i + 8 <= p.size(); i += 8)
            E(&p[i], &p[i]);
        std::uint8_t t[8];
        E(f, t);
        for (std::size_t k = 0; i + k < p.size(); ++k)
            p[i + k] ^= t[k];
    }
};

TEST(ChainingModes, BlowfishModesFollowTheirDefinitions)
{
    std::mt19937 random(11);
    const Bytes key = RandomBytes(random, 56);
    for (std::size_t n : {0, 5, 8, 13, 64, 1003}) {
        SCOPED_TRACE(n);
        const Bytes plain = RandomBytes(random, n);
        TCipher_Blowfish c;
        c.Init(key.data(), int(key.size()), nullptr);
        auto run = [&](TCipherMode mode, bool decode, const Bytes& in) {
            c.SetMode(mode);
            c.Done();
            Bytes out(in.size());
            if (decode)
                c.DecodeBuffer(in.data(), out.data(), in.size());
            else
                c.EncodeBuffer(in.data(), out.data(), in.size());
            return out;
        };
        Bytes cbc = plain, cfb = plain, ofb = plain, ecb = plain;
        Reference(key, c.Vector()).Cbc(cbc);
        Reference(key, c.Vector()).Cfb(cfb, false);
        Reference(key, c.Vector()).Cfb(ofb, true);
        Reference(key, c.Vector()).Ecb(ecb);
        EXPECT_EQ(run(cmCBC, false, plain), cbc);
        EXPECT_EQ(run(cmCBC, true, cbc), plain);
        EXPECT_EQ(run(cmCFB, false, plain), cfb);
        EXPECT_EQ(run(cmCFB, true, cfb), plain);
        EXPECT_EQ(run(cmOFB, false, plain), ofb);
        EXPECT_EQ(run(cmOFB, true, ofb), plain);
        EXPECT_EQ(run(cmECB, false, plain), ecb);
        EXPECT_EQ(run(cmECB, true, ecb), plain);
    }
}

TEST(ChainingModes, CbcMacIsTheLastCbcBlock)
{
    std::mt19937 random(12);
    const Bytes key = RandomBytes(random, 16);
    const Bytes data = RandomBytes(random, 64);
    TCipher_Blowfish c;
    c.Init(key.data(), int(key.size()), nullptr);
    c.SetMode(cmCBCMAC);
    Bytes copy = data;
    c.CodeBuffer(copy.data(), std::int64_t(copy.size()), caCalc);
    EXPECT_EQ(copy, data);
    Bytes cbc = data;
    Reference(key, c.Vector()).Cbc(cbc);
    // caCalc does not call Done, so the value is still in the feedback register.
    EXPECT_EQ(Bytes(c.Feedback(), c.Feedback() + 8), Bytes(cbc.end() - 8, cbc.end()));
}

TEST(ChainingModes, MacModesDependOnEveryByteIncludingTheTail)
{
    std::mt19937 random(13);
    for (TCipherMode mode : {cmCTSMAC, cmCBCMAC, cmCFBMAC}) {
        SCOPED_TRACE(int(mode));
        auto c = Keyed(TCipher_Blowfish::Class(), random, mode);
        auto mac = [&](Bytes data) {
            c->CodeBuffer(data.data(), std::int64_t(data.size()), caEncode);
            return Bytes(c->Buffer(), c->Buffer() + 8);
        };
        const Bytes data = RandomBytes(random, 4096 + 19);
        const Bytes value = mac(data);
        EXPECT_EQ(mac(data), value);
        for (std::size_t at : {std::size_t(0), std::size_t(4095), data.size() - 1}) {
            Bytes changed = data;
            changed[at] ^= 1;
            EXPECT_NE(mac(changed), value) << at;
        }
    }
}

// 3-Way's block of 12 leaves 4 bytes at the end of every 4096-byte chunk; they are coded by
// the tail rule, and a reader must chunk the same way.
TEST(ChainingModes, ThreeWayStreamsEndEveryChunkInATail)
{
    std::mt19937 random(14);
    const Bytes key = RandomBytes(random, 12);
    const Bytes plain = RandomBytes(random, 10000);
    TCipher_3Way c;
    c.Init(key.data(), 12, nullptr);

    CryptoPP::ThreeWay::Encryption e(key.data(), 12);
    std::uint8_t f[12];
    std::memcpy(f, c.Vector(), 12);
    Bytes expected = plain;
    for (std::size_t start = 0; start < expected.size(); start += 4096) {
        const std::size_t n = std::min<std::size_t>(4096, expected.size() - start);
        std::size_t i = 0;
        for (; i + 12 <= n; i += 12) {
            std::uint8_t* p = &expected[start + i];
            for (int k = 0; k < 12; ++k)
                p[k] ^= f[k];
            e.ProcessBlock(p);
            for (int k = 0; k < 12; ++k)
                f[k] ^= p[k];
        }
        if (i == n)
            continue;
        std::uint8_t t[12];
        e.ProcessBlock(f, t);
        for (std::size_t k = 0; i + k < n; ++k)
            expected[start + i + k] ^= t[k];
        for (int k = 0; k < 12; ++k)
            f[k] ^= t[k];
    }

    const std::string text(plain.begin(), plain.end());
    const std::string coded = c.CodeString(text, caEncode, fmtCopy);
    EXPECT_EQ(Bytes(coded.begin(), coded.end()), expected);
    EXPECT_EQ(c.CodeString(coded, caDecode, fmtCopy), text);

    // One unchunked call puts the tail at the very end instead, so it reads differently.
    Bytes whole(coded.begin(), coded.end());
    c.Done();
    c.DecodeBuffer(whole.data(), whole.data(), whole.size());
    EXPECT_NE(whole, plain);
    EXPECT_EQ(Bytes(whole.begin(), whole.begin() + 4092), Bytes(plain.begin(), plain.begin() + 4092));
}

// String coding gives what coding the bytes as a stream and converting them gives.
TEST(ChainingModes, StringCodingMatchesStreamCoding)
{
    std::mt19937 random(18);
    for (TCipherClass cls : {TCipher_3Way::Class(), TCipher_Blowfish::Class(), TCipher_SCOP::Class()}) {
        SCOPED_TRACE(cls->ClassName());
        auto c = Keyed(cls, random, cmCTS);
        for (std::size_t n : {1, 2, 3, 4095, 4096, 4097, 8192, 8194, 12289}) {
            const std::string text = RandomString(random, n);
            TMemoryStream stream(text);
            c->CodeStream(stream, stream, -1, caEncode);
            const std::string& coded = stream.Bytes();
            EXPECT_EQ(c->CodeString(text, caEncode, fmtMIME64),
                      BinToStr(coded.data(), coded.size(), fmtMIME64)) << n;
            EXPECT_EQ(c->CodeString(text, caEncode, fmtHEX), BinToStr(coded.data(), coded.size(), fmtHEX));
            // caCalc writes nothing back, so the text comes out as it went in.
            EXPECT_EQ(c->CodeString(text, caCalc, fmtMIME64), BinToStr(text.data(), n, fmtMIME64));
            Bytes buffer(text.begin(), text.end());
            c->CodeBuffer(buffer.data(), std::int64_t(n), caCalc);
            EXPECT_EQ(buffer, Bytes(text.begin(), text.end()));
        }
    }
}

TEST(ChainingModes, FeedbackCarriesAcrossCallsUntilDone)
{
    std::mt19937 random(15);
    for (TCipherMode mode : {cmCTS, cmCBC, cmCFB, cmOFB}) {
        SCOPED_TRACE(int(mode));
        auto c = Keyed(TCipher_Square::Class(), random, mode);
        const Bytes plain = RandomBytes(random, 96);
        Bytes once(96), split(96);
        c->EncodeBuffer(plain.data(), once.data(), 96);
        c->Done();
        const std::size_t cut = mode == cmCFB || mode == cmOFB ? 37 : 32;
        c->EncodeBuffer(plain.data(), split.data(), cut);
        c->EncodeBuffer(plain.data() + cut, split.data() + cut, 96 - cut);
        EXPECT_EQ(split, once);
        c->Done();
        Bytes again(96);
        c->EncodeBuffer(plain.data(), again.data(), 96);
        EXPECT_EQ(again, once);
    }
}

TEST(ChainingModes, ActionsOutsideThePermittedSetPassUnchanged)
{
    std::mt19937 random(16);
    auto c = Keyed(TCipher_Blowfish::Class(), random, cmCTS);
    TCodeActions actions = TCodeActions::All();
    actions.Exclude(caEncode);
    c->SetActions(actions);
    const Bytes plain = RandomBytes(random, 40);
    Bytes data = plain;
    c->CodeBuffer(data.data(), 40, caEncode);
    EXPECT_EQ(data, plain);
    c->CodeBuffer(data.data(), 40, caDecode); // still permitted
    EXPECT_NE(data, plain);
}

TEST(ChainingModes, WipeCodesWithARandomFeedback)
{
    std::mt19937 random(17);
    auto c = Keyed(TCipher_Blowfish::Class(), random, cmCTS);
    const Bytes plain = RandomBytes(random, 64);
    Bytes encoded = plain, wiped = plain;
    c->CodeBuffer(encoded.data(), 64, caEncode);
    c->CodeBuffer(wiped.data(), 64, caWipe);
    EXPECT_NE(wiped, plain);
    EXPECT_NE(wiped, encoded);
    // The next ordinary operation starts from the vector again.
    Bytes again = plain;
    c->CodeBuffer(again.data(), 64, caEncode);
    EXPECT_EQ(again, encoded);
}

} // namespace
} // namespace framework_test
