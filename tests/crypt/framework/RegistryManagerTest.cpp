// The registries and the two managers: order, names, descriptions, name resolution, the
// fall-back class, mode and hash-manager hand-over.
#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/md5.h>
#include <gtest/gtest.h>

#include "FrameworkTestUtil.h"
#include "crypt/CryptErrors.h"
#include "crypt/Managers.h"

namespace framework_test {
namespace {

using namespace varnet::crypt;

TEST(Registries, CiphersInRegistrationOrderWithTheirDescriptions)
{
    const std::vector<std::string> expected = {
        "3Way=", "Blowfish=", "Gost=", "IDEA=free for non-commercial", "Q128=", "SAFER-K40=",
        "SAFER-SK40=Keyscheduling", "SAFER-K64=", "SAFER-SK64=Keyscheduling", "SAFER-K128=",
        "SAFER-SK128=Keyscheduling", "SCOP=", "Shark=", "Square=", "TEA=", "TEA extended=", "Twofish="};
    std::vector<std::string> actual;
    for (const auto& e : CipherRegistry().Entries())
        actual.push_back(e.Text());
    EXPECT_EQ(actual, expected);
}

TEST(Registries, HashesInRegistrationOrder)
{
    const std::vector<std::pair<std::string, int>> expected = {
        {"Message Digest 4", 16}, {"Message Digest 5", 16}, {"Secure Hash Algorithm", 20},
        {"Secure Hash Algorithm 1", 20}, {"Ripe Message Digest 128", 16},
        {"Ripe Message Digest 160", 20}, {"Ripe Message Digest 256", 32},
        {"Ripe Message Digest 320", 40}, {"Haval-128", 16}, {"Haval-160", 20}, {"Haval-192", 24},
        {"Haval-224", 28}, {"Haval-256", 32}, {"Sapphire II-128", 16}, {"Sapphire II-160", 20},
        {"Sapphire II-192", 24}, {"Sapphire II-224", 28}, {"Sapphire II-256", 32},
        {"Sapphire II-288", 36}, {"Sapphire II-320", 40}, {"Snefru-256", 32}, {"Square", 16},
        {"Tiger", 24}, {"XOR-16", 2}, {"XOR-32", 4}, {"CRC-16 CCITT", 2}, {"CRC-16 Standard", 2},
        {"CRC-32", 4}};
    const auto& entries = HashRegistry().Entries();
    ASSERT_EQ(entries.size(), expected.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].name, expected[i].first);
        EXPECT_EQ(entries[i].cls->DigestKeySize(), expected[i].second) << expected[i].first;
        const bool checksum = i >= 23;
        EXPECT_EQ(entries[i].description, checksum ? "Checksum" : "Hash");
        EXPECT_EQ(entries[i].cls->IsChecksum(), checksum);
    }
    EXPECT_STREQ(entries[26].cls->ClassName(), "Thash_CRC16_Standard");
}

TEST(Registries, RegisteringAgainReplacesTheEntryWhereItStands)
{
    using TCipher_MyFish = TCipherOf<cipher::Blowfish, "TCipher_MyFish">;
    TClassRegistry<TCipherClass> r;
    r.Register(TCipher_Blowfish::Class());
    r.Register(TCipher_MyFish::Class());
    r.Register(TCipher_IDEA::Class(), "IDEA", "x");
    ASSERT_EQ(r.Entries().size(), 3u);
    EXPECT_EQ(r.Entries()[0].Text(), "Blowfish=");
    EXPECT_EQ(r.Entries()[1].Text(), "MyFish=");
    r.Register(TCipher_MyFish::Class(), "Fishy", "better");
    ASSERT_EQ(r.Entries().size(), 3u);
    EXPECT_EQ(r.Entries()[1].Text(), "Fishy=better");
    EXPECT_EQ(r.Find("fishy"), TCipher_MyFish::Class());
    EXPECT_EQ(r.Find("TCipher_MyFish"), TCipher_MyFish::Class());
    EXPECT_EQ(registry::DefaultName("TFoo"), "Foo");
    EXPECT_EQ(registry::DefaultName("Thash_CRC16_Standard"), "CRC16_Standard");
}

TEST(CipherManager, NameResolution)
{
    TCipherManager m;
    EXPECT_EQ(m.Algorithm(), "Blowfish");
    for (const char* name : {"TCipher_IDEA", "idea", "IDEA"}) {
        m.SetAlgorithm("Blowfish");
        m.SetAlgorithm(name);
        EXPECT_EQ(m.CipherClass(), TCipher_IDEA::Class()) << name;
        EXPECT_EQ(m.Algorithm(), "IDEA");
    }
    m.SetAlgorithm("TEA extended");
    EXPECT_EQ(m.CipherClass(), TCipher_TEAN::Class());
    EXPECT_EQ(m.Algorithm(), "TEA extended");
    m.SetAlgorithm("tean");
    EXPECT_EQ(m.CipherClass(), TCipher_TEAN::Class());
    m.SetAlgorithm("SAFER-K40");
    EXPECT_EQ(m.CipherClass(), TCipher_SAFER_K40::Class());
    m.SetAlgorithm("TCipher_SAFER_SK128");
    EXPECT_EQ(m.CipherClass(), TCipher_SAFER_SK128::Class());
    m.SetAlgorithm("Rijndael");
    EXPECT_EQ(m.CipherClass(), TCipher_Blowfish::Class());
    EXPECT_EQ(m.Algorithm(), "Blowfish");
    m.SetAlgorithm("");
    EXPECT_EQ(m.Algorithm(), "Blowfish");
}

TEST(CipherManager, Descriptions)
{
    TCipherManager m;
    EXPECT_EQ(m.Description(), "448bit Key");
    m.SetAlgorithm("IDEA");
    EXPECT_EQ(m.Description(), "free for non-commercial, 128bit Key");
    m.SetAlgorithm("SAFER-SK40");
    EXPECT_EQ(m.Description(), "Keyscheduling, 40bit Key");
    m.SetAlgorithm("SCOP");
    EXPECT_EQ(m.Description(), "384bit Key");
    m.SetDescription("ignored");
    EXPECT_EQ(m.Description(), "384bit Key");

    using TCipher_MyFish = TCipherOf<cipher::Blowfish, "TCipher_MyFish">;
    m.SetCipherClass(TCipher_MyFish::Class()); // not registered
    EXPECT_EQ(m.Algorithm(), "MyFish");
    EXPECT_EQ(m.Description(), "448bit Key");
}

TEST(CipherManager, ChangingTheClassDropsTheKeyedCipher)
{
    TCipherManager m;
    m.InitKey("pw", nullptr);
    const std::string coded = m.EncodeString("hello");
    m.SetAlgorithm("blowfish"); // same class: the key stays
    m.SetAlgorithm("unknown");  // falls back to the same class: the key stays
    EXPECT_EQ(m.EncodeString("hello"), coded);
    m.SetAlgorithm("Square");
    try {
        m.EncodeString("hello");
        FAIL() << "a new cipher has no key";
    } catch (const ECipherException& e) {
        EXPECT_EQ(e.ErrorCode(), 3);
        EXPECT_STREQ(e.what(), "TCipher_Square is not initialized call Init() or InitKey() before.");
    }
    m.InitKey("pw", nullptr);
    EXPECT_NE(m.EncodeString("hello"), coded);
    EXPECT_EQ(m.DecodeString(m.EncodeString("hello")), "hello");
}

TEST(CipherManager, ModeIsHandedToTheCipher)
{
    TCipherManager m;
    m.SetMode(cmCBC);
    EXPECT_EQ(m.Cipher().Mode(), cmCBC);
    m.SetMode(cmOFB);
    EXPECT_EQ(m.Cipher().Mode(), cmOFB);
    m.SetAlgorithm("Gost");
    EXPECT_EQ(m.Cipher().Mode(), cmOFB);
}

TEST(CipherManager, HashManagerChoosesThePasswordDigest)
{
    const std::string password = "pass word";
    std::uint8_t md5[16];
    CryptoPP::Weak::MD5().CalculateDigest(md5, reinterpret_cast<const CryptoPP::byte*>(password.data()),
                                          password.size());
    TCipher_Blowfish direct;
    direct.Init(md5, 16, nullptr);

    TCipherManager m;
    {
        THashManager h;
        h.SetAlgorithm("Message Digest 5");
        m.SetHashManager(&h);
        m.InitKey(password, nullptr);
        EXPECT_EQ(m.EncodeString("text"), direct.CodeString("text", caEncode, -1));
        EXPECT_EQ(m.HashManager(), &h);
    }
    EXPECT_EQ(m.HashManager(), nullptr); // told when the hash manager went away
    m.InitKey(password, nullptr);         // and still works
    EXPECT_EQ(m.DecodeString(m.EncodeString("text")), "text");
}

TEST(HashManager, NamesAndDescriptions)
{
    THashManager h;
    EXPECT_EQ(h.Algorithm(), "Ripe Message Digest 256");
    EXPECT_EQ(h.Description(), "Hash, 256bit Digestsize");
    h.SetAlgorithm("THash_SHA1");
    EXPECT_EQ(h.Algorithm(), "Secure Hash Algorithm 1");
    h.SetAlgorithm("sha");
    EXPECT_EQ(h.HashClass(), THash_SHA::Class());
    h.SetAlgorithm("crc-16 standard");
    EXPECT_EQ(h.HashClass(), Thash_CRC16_Standard::Class());
    EXPECT_EQ(h.Description(), "Checksum, 16bit Digestsize");
    h.SetAlgorithm("Thash_CRC16_Standard");
    EXPECT_EQ(h.HashClass(), Thash_CRC16_Standard::Class());
    h.SetAlgorithm("Whirlpool");
    EXPECT_EQ(h.HashClass(), THash_RipeMD256::Class());
    EXPECT_EQ(h.Hash().ClassName(), "THash_RipeMD256");
}

} // namespace
} // namespace framework_test
