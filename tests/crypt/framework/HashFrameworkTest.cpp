// The hash classes: known answers through every class, digests as protections, Done.
#include <cryptopp/ripemd.h>
#include <gtest/gtest.h>

#include "FrameworkTestUtil.h"
#include "crypt/StringFormat.h"

namespace framework_test {
namespace {

using namespace varnet::crypt;

TEST(HashClasses, KnownAnswersThroughEveryClass)
{
    std::vector<std::string> without;
    for (const auto& e : HashRegistry().Entries()) {
        SCOPED_TRACE(e.cls->ClassName());
        const THashTestVector* v = e.cls->TestVector();
        if (v == nullptr) {
            without.push_back(e.cls->ClassName());
            continue;
        }
        auto h = e.cls->Create();
        EXPECT_EQ(h->CalcString(v->message, fmtHEX), v->digestHex);
    }
    EXPECT_EQ(without, (std::vector<std::string>{"THash_Haval160", "THash_Haval224", "THash_XOR16",
                                                 "THash_XOR32"}));
}

TEST(HashClasses, DoneForgetsTheDataHashedBefore)
{
    for (const auto& e : HashRegistry().Entries()) {
        SCOPED_TRACE(e.cls->ClassName());
        auto h = e.cls->Create();
        h->Calc("ab", 2);
        h->Done();
        h->Calc("c", 1);
        h->Done();
        const std::string second = h->DigestStr(fmtHEX);
        EXPECT_EQ(second, e.cls->Create()->CalcString("c", fmtHEX));
    }
}

// Data that passes a hash with caCalc is hashed and left as it is.
TEST(HashClasses, HashingAsAProtection)
{
    std::mt19937 random(21);
    const Bytes data = RandomBytes(random, 10000);
    std::uint8_t expected[32];
    CryptoPP::RIPEMD256().CalculateDigest(expected, data.data(), data.size());

    THash_RipeMD256 hash;
    Bytes copy = data;
    hash.CodeBuffer(copy.data(), std::int64_t(copy.size()), caCalc);
    EXPECT_EQ(copy, data);
    EXPECT_EQ(ToHex(hash.DigestKey(), 32), ToHex(expected, 32));

    // Chained under a cipher computing a MAC, the hash sees the same data.
    auto chained = std::make_shared<THash_RipeMD256>();
    TCipher_Blowfish cipher;
    cipher.InitKey("mac", nullptr);
    cipher.SetMode(cmCBCMAC);
    cipher.SetProtection(chained);
    cipher.CodeBuffer(copy.data(), std::int64_t(copy.size()), caCalc);
    EXPECT_EQ(copy, data);
    EXPECT_EQ(ToHex(chained->DigestKey(), 32), ToHex(expected, 32));

    // Other actions pass a hash by.
    THash_RipeMD256 idle;
    idle.CodeBuffer(copy.data(), std::int64_t(copy.size()), caEncode);
    EXPECT_EQ(ToHex(idle.DigestKey(), 32), std::string(64, '0'));
}

} // namespace
} // namespace framework_test
