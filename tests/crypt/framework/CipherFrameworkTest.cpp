// The keying frame of every cipher: known answers through the classes, key sizes, the vector,
// wiping, Done, the password key, the uninitialised error, chained protections, files.
#include <cryptopp/blowfish.h>
#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/md5.h>
#include <cryptopp/ripemd.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <filesystem>
#include <fstream>

#include "FrameworkTestUtil.h"
#include "crypt/CryptErrors.h"
#include "crypt/Streams.h"

namespace framework_test {
namespace {

using namespace varnet::crypt;

TEST(CipherClasses, KnownAnswersThroughEveryClass)
{
    std::vector<std::string> without;
    for (TCipherClass cls : AllCipherClasses()) {
        SCOPED_TRACE(cls->ClassName());
        const TCipherTestVector* v = cls->TestVector();
        if (v == nullptr) {
            without.push_back(cls->ClassName());
            continue;
        }
        auto c = cls->Create();
        const Bytes key = FromHex(v->keyHex);
        // An explicit vector leaves a running-state cipher at its keystream's start.
        const Bytes zero(std::size_t(c->BlockSize()), 0);
        c->Init(key.data(), int(key.size()), zero.data());
        Bytes block = FromHex(v->plainHex);
        block.resize(std::size_t(c->BlockSize()), 0);
        const Bytes plain = block;
        c->EncodeBlock(block.data());
        const Bytes expected = FromHex(v->cipherHex);
        EXPECT_EQ(ToHex(block.data(), expected.size()), ToHex(expected));
        c->Init(key.data(), int(key.size()), zero.data());
        c->DecodeBlock(block.data());
        EXPECT_EQ(block, plain);
    }
    EXPECT_EQ(without, std::vector<std::string>{"TCipher_SAFER_K40"});
}

TEST(CipherClasses, SizesOfTheTable)
{
    struct Row { const char* name; int block, key; };
    const Row rows[] = {{"TCipher_3Way", 12, 12}, {"TCipher_Blowfish", 8, 56}, {"TCipher_Gost", 8, 32},
                        {"TCipher_IDEA", 8, 16}, {"TCipher_Q128", 16, 16}, {"TCipher_SAFER_K40", 8, 5},
                        {"TCipher_SAFER_SK40", 8, 5}, {"TCipher_SAFER_K64", 8, 8},
                        {"TCipher_SAFER_SK64", 8, 8}, {"TCipher_SAFER_K128", 8, 16},
                        {"TCipher_SAFER_SK128", 8, 16}, {"TCipher_SCOP", 128, 48},
                        {"TCipher_Shark", 8, 16}, {"TCipher_Square", 16, 16}, {"TCipher_TEA", 8, 16},
                        {"TCipher_TEAN", 8, 16}, {"TCipher_Twofish", 16, 32}};
    const auto all = AllCipherClasses();
    ASSERT_EQ(all.size(), std::size(rows));
    for (std::size_t i = 0; i < all.size(); ++i) {
        int b = 0, k = 0, s = 0;
        all[i]->GetContext(b, k, s);
        EXPECT_STREQ(all[i]->ClassName(), rows[i].name);
        EXPECT_EQ(b, rows[i].block) << rows[i].name;
        EXPECT_EQ(k, rows[i].key) << rows[i].name;
        auto c = all[i]->Create();
        EXPECT_EQ(c->ScheduleSize(), s);
        EXPECT_EQ(c->Mode(), cmCTS);
        EXPECT_NE(dynamic_cast<TCipher_SAFER*>(c.get()) != nullptr,
                  std::string(rows[i].name).find("SAFER") == std::string::npos);
    }
}

TEST(CipherFrame, KeySizesAreCutAndNegativeSizesCountAsZero)
{
    std::mt19937 random(1);
    const Bytes key = RandomBytes(random, 100);
    const std::string text = "some text to code, long enough for a few blocks";
    for (TCipherClass cls : AllCipherClasses()) {
        SCOPED_TRACE(cls->ClassName());
        auto code = [&](const void* k, int size) {
            auto c = cls->Create();
            c->Init(k, size, nullptr);
            return c->CodeString(text, caEncode, fmtHEX);
        };
        auto full = cls->Create();
        EXPECT_EQ(code(key.data(), 100), code(key.data(), full->KeySize()));
        EXPECT_EQ(code(key.data(), -5), code(key.data(), 0));
        EXPECT_EQ(code(nullptr, 9), code(key.data(), 0));
    }
}

TEST(CipherFrame, VectorIsTheEncryptionOfAllOnesOrTheGivenOne)
{
    const Bytes key = FromHex("0123456789ABCDEFF0E1D2C3B4A59687");
    TCipher_Blowfish c;
    c.Init(key.data(), int(key.size()), nullptr);
    std::uint8_t ones[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    CryptoPP::Blowfish::Encryption(key.data(), key.size()).ProcessBlock(ones);
    EXPECT_EQ(ToHex(c.Vector(), 8), ToHex(ones, 8));
    EXPECT_EQ(ToHex(c.Feedback(), 8), ToHex(ones, 8));
    EXPECT_EQ(c.Flags(), 2u);

    const Bytes vector = FromHex("0001020304050607");
    c.Init(key.data(), int(key.size()), vector.data());
    EXPECT_EQ(ToHex(c.Vector(), 8), "0001020304050607");
    EXPECT_EQ(ToHex(c.Feedback(), 8), "0001020304050607");

    // InitEnd alone re-derives the vector under the current key.
    c.InitEnd(nullptr);
    EXPECT_EQ(ToHex(c.Vector(), 8), ToHex(ones, 8));
}

TEST(CipherFrame, ProtectWipesEveryAreaAndForgetsTheKey)
{
    for (TCipherClass cls : AllCipherClasses()) {
        SCOPED_TRACE(cls->ClassName());
        auto c = cls->Create();
        c->InitKey("secret", nullptr);
        c->Protect();
        const auto b = std::size_t(c->BlockSize());
        EXPECT_EQ(c->Flags(), 0u);
        EXPECT_EQ(Bytes(c->Vector(), c->Vector() + b), Bytes(b, 0xFF));
        EXPECT_EQ(Bytes(c->Feedback(), c->Feedback() + b), Bytes(b, 0xFF));
        EXPECT_EQ(Bytes(c->Buffer(), c->Buffer() + b), Bytes(b, 0x00));
        EXPECT_EQ(Bytes(c->User(), c->User() + c->ScheduleSize()), Bytes(std::size_t(c->ScheduleSize()), 0));
        std::uint8_t byte = 0;
        EXPECT_THROW(c->EncodeBuffer(&byte, &byte, 1), ECipherException);
    }
}

TEST(CipherFrame, UninitialisedCipherRaisesCodeThree)
{
    TCipher_Blowfish blowfish;
    std::uint8_t data[16] = {};
    try {
        blowfish.EncodeBuffer(data, data, sizeof data);
        FAIL() << "no exception";
    } catch (const ECipherException& e) {
        EXPECT_EQ(e.ErrorCode(), 3);
        EXPECT_STREQ(e.what(), "TCipher_Blowfish is not initialized call Init() or InitKey() before.");
    }
    EXPECT_THROW(blowfish.DecodeBuffer(data, data, sizeof data), ECipherException);
    EXPECT_THROW(blowfish.CodeInit(caEncode), ECipherException);
    EXPECT_THROW(blowfish.CodeString("abc", caEncode, -1), ECipherException);
    TCipher_IDEA idea;
    try {
        idea.CodeString("QUJD", caDecode, -1);
        FAIL() << "no exception";
    } catch (const ECipherException& e) {
        EXPECT_EQ(e.ErrorCode(), 3);
        EXPECT_STREQ(e.what(), "TCipher_IDEA is not initialized call Init() or InitKey() before.");
    }
}

TEST(CipherFrame, DoneMovesTheFeedbackToTheWorkBlockAndRestoresTheVector)
{
    TCipher_Twofish c;
    c.InitKey("pw", nullptr);
    const Bytes vector(c.Vector(), c.Vector() + 16);
    std::uint8_t data[40] = {1, 2, 3};
    c.EncodeBuffer(data, data, sizeof data);
    const Bytes feedback(c.Feedback(), c.Feedback() + 16);
    ASSERT_NE(feedback, vector);
    c.Done();
    EXPECT_EQ(Bytes(c.Feedback(), c.Feedback() + 16), vector);
    EXPECT_EQ(Bytes(c.Buffer(), c.Buffer() + 16), feedback);
}

TEST(CipherFrame, PasswordKeyDerivation)
{
    const std::string password = "correct horse";
    std::uint8_t digest[32];
    CryptoPP::RIPEMD256().CalculateDigest(digest, reinterpret_cast<const CryptoPP::byte*>(password.data()),
                                          password.size());
    TCipher_Blowfish c;
    c.InitKey(password, nullptr);
    EXPECT_EQ(c.Flags(), 3u);
    EXPECT_STREQ(c.Hash().ClassName().c_str(), "THash_RipeMD256");
    // The digest used as the key does not stay in the hash object.
    EXPECT_NE(ToHex(c.Hash().DigestKey(), 32), ToHex(digest, 32));
    TCipher_Blowfish direct;
    direct.Init(digest, 32, nullptr);
    EXPECT_EQ(c.CodeString("text", caEncode, fmtHEX), direct.CodeString("text", caEncode, fmtHEX));
    // Also in a MAC mode, which leaves data as it is, the digest does not stay.
    TCipher_Blowfish mac;
    mac.SetMode(cmCBCMAC);
    mac.InitKey(password, nullptr);
    EXPECT_NE(ToHex(mac.Hash().DigestKey(), 32), ToHex(digest, 32));
    mac.SetMode(cmCTS); // keyed all the same
    EXPECT_EQ(mac.CodeString("text", caEncode, fmtHEX), direct.CodeString("text", caEncode, fmtHEX));
    // A plain Init afterwards clears the password flag.
    c.Init(digest, 32, nullptr);
    EXPECT_EQ(c.Flags(), 2u);

    // Another hash class: MD5 gives 16 key bytes.
    std::uint8_t md5[16];
    CryptoPP::Weak::MD5().CalculateDigest(md5, reinterpret_cast<const CryptoPP::byte*>(password.data()),
                                          password.size());
    c.SetHashClass(THash_MD5::Class());
    c.InitKey(password, nullptr);
    direct.Init(md5, 16, nullptr);
    EXPECT_EQ(c.CodeString("text", caEncode, fmtHEX), direct.CodeString("text", caEncode, fmtHEX));
}

// A key schedule that fails, to see what is left behind when an exception passes.
struct FailingPrimitive {
    static constexpr int kBlockSize = 8;
    static constexpr int kKeySize = 16;
    struct Schedule {
        std::uint8_t key[16];
    };
    static void SetKey(Schedule& s, const std::uint8_t* key, int length)
    {
        std::memcpy(s.key, key, std::size_t(length));
        throw std::runtime_error("key schedule failed");
    }
    static void Encrypt(Schedule&, const std::uint8_t* in, std::uint8_t* out) { std::memmove(out, in, 8); }
    static void Decrypt(Schedule&, const std::uint8_t* in, std::uint8_t* out) { std::memmove(out, in, 8); }
};

TEST(CipherFrame, PasswordDigestIsWipedWhenKeyingFails)
{
    TCipherOf<FailingPrimitive, "TCipher_Failing"> c;
    EXPECT_THROW(c.InitKey("secret", nullptr), std::runtime_error);
    EXPECT_EQ(ToHex(c.Hash().DigestKey(), 32), std::string(64, '0'));
    EXPECT_FALSE(c.Initialized());
}

TEST(Protections, CircularChainsAreRefusedAndTheOldChainStays)
{
    auto a = std::make_shared<TCipher_Blowfish>();
    auto b = std::make_shared<TCipher_IDEA>();
    auto c = std::make_shared<TCipher_TEA>();
    a->SetProtection(b);
    b->SetProtection(c);
    try {
        c->SetProtection(a);
        FAIL() << "no exception";
    } catch (const EProtection& e) {
        EXPECT_STREQ(e.what(), "Circular Protection detected, Protection Object is invalid.");
    }
    EXPECT_EQ(c->Protection(), nullptr);
    EXPECT_THROW(a->SetProtection(a), EProtection);
    EXPECT_EQ(a->Protection(), b);
    EXPECT_THROW(b->SetProtection(a), EProtection);
    EXPECT_EQ(b->Protection(), c);
}

// Encoding runs the chained protection first, decoding last, so a chain reads back.
TEST(Protections, ChainedCiphersCodeInTurnAndReadBack)
{
    auto outer = std::make_shared<TCipher_Blowfish>();
    auto inner = std::make_shared<TCipher_3Way>();
    outer->InitKey("outer", nullptr);
    inner->InitKey("inner", nullptr);
    outer->SetProtection(inner);
    const std::string text(5000, 'q');
    const std::string coded = outer->CodeString(text, caEncode, fmtCopy);

    TCipher_Blowfish o;
    TCipher_3Way i;
    o.InitKey("outer", nullptr);
    i.InitKey("inner", nullptr);
    EXPECT_EQ(coded, o.CodeString(i.CodeString(text, caEncode, fmtCopy), caEncode, fmtCopy));
    EXPECT_EQ(outer->CodeString(coded, caDecode, fmtCopy), text);
}

class TempDir {
public:
    TempDir()
    {
        FPath = std::filesystem::temp_directory_path() /
                ("varnet-crypt-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(FPath);
    }
    ~TempDir() { std::filesystem::remove_all(FPath); }
    std::string File(const std::string& name) const { return (FPath / name).string(); }

private:
    std::filesystem::path FPath;
};

std::string ReadFile(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& name, const std::string& bytes)
{
    std::ofstream(name, std::ios::binary) << bytes;
}

TEST(Protections, FilesAreCodedToAnotherFileOrInPlace)
{
    TempDir dir;
    std::mt19937 random(3);
    const std::string text = RandomString(random, 9999);
    WriteFile(dir.File("plain"), text);
    TCipher_Square c;
    c.InitKey("file", nullptr);
    c.CodeFile(dir.File("plain"), dir.File("coded"), caEncode);
    const std::string coded = ReadFile(dir.File("coded"));
    EXPECT_EQ(coded, c.CodeString(text, caEncode, fmtCopy));
    EXPECT_EQ(ReadFile(dir.File("plain")), text);

    // The same file under another name is coded in place, not emptied first.
    c.CodeFile(dir.File("coded"), dir.File("") + "./coded", caDecode);
    EXPECT_EQ(ReadFile(dir.File("coded")), text);

    EXPECT_THROW(c.CodeFile(dir.File("missing"), dir.File("out"), caEncode), EStreamError);
    EXPECT_FALSE(std::filesystem::exists(dir.File("out")));
}

TEST(Protections, StreamSizes)
{
    TCipher_Blowfish c;
    c.InitKey("s", nullptr);
    const std::string text = "0123456789abcdefghij";
    TMemoryStream source(text);
    source.SetPosition(7);
    TMemoryStream whole;
    c.CodeStream(source, whole, -1, caEncode); // all of it, from the start
    EXPECT_EQ(whole.Bytes(), c.CodeString(text, caEncode, fmtCopy));

    source.SetPosition(5);
    TMemoryStream part;
    c.CodeStream(source, part, 10, caEncode);
    EXPECT_EQ(part.Bytes(), c.CodeString(text.substr(5, 10), caEncode, fmtCopy));

    source.SetPosition(15);
    TMemoryStream past;
    EXPECT_THROW(c.CodeStream(source, past, 10, caEncode), EStreamError);

    // caCalc writes nothing.
    source.SetPosition(0);
    TMemoryStream none;
    c.CodeStream(source, none, -1, caCalc);
    EXPECT_EQ(none.Size(), 0);
}

} // namespace
} // namespace framework_test
