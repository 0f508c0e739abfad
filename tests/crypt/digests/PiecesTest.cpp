// Properties every digest must have, whatever its algorithm: feeding data in pieces gives the
// digest of feeding it at once, a copy taken midway carries on independently, and Init starts
// afresh after Final.
#include <gtest/gtest.h>

#include <cstring>
#include <type_traits>

#include "DigestTestUtil.h"
#include "RandomFeed.h"
#include "crypt/digests/Checksums.h"
#include "crypt/digests/Haval.h"
#include "crypt/digests/Md.h"
#include "crypt/digests/RipeMd.h"
#include "crypt/digests/Sapphire.h"
#include "crypt/digests/Sha.h"
#include "crypt/digests/Snefru.h"
#include "crypt/digests/SquareHash.h"
#include "crypt/digests/Tiger.h"

namespace digest::test {
namespace {

template <class D>
class DigestProperties : public ::testing::Test {};

using AllDigests =
    ::testing::Types<Md4, Md5, Sha0, Sha1, RipeMd128, RipeMd160, RipeMd256, RipeMd320, Haval<128>,
                     Haval<160>, Haval<192>, Haval<224>, Haval<256>, Sapphire<16>, Sapphire<20>,
                     Sapphire<24>, Sapphire<28>, Sapphire<32>, Sapphire<36>, Sapphire<40>, Snefru,
                     SquareHash, Tiger, Xor16, Xor32, Crc16Ccitt, Crc16Standard, Crc32>;
TYPED_TEST_SUITE(DigestProperties, AllDigests);

// The framework keeps digest state in plain memory that it copies and wipes.
TYPED_TEST(DigestProperties, IsTriviallyCopyable)
{
    static_assert(std::is_trivially_copyable_v<TypeParam>);
    static_assert(TypeParam::kDigestSize > 0 && TypeParam::kDigestSize <= 40);
}

TYPED_TEST(DigestProperties, PiecesEqualWhole)
{
    using D = TypeParam;
    std::mt19937 rng(7);
    for (std::size_t length : TestLengths(rng)) {
        const std::vector<std::uint8_t> data = RandomBytes(rng, length);
        D pieces;
        pieces.Init();
        FeedInPieces(pieces, data, rng);
        std::uint8_t a[D::kDigestSize];
        pieces.Final(a);
        ASSERT_EQ(Hex(a, sizeof a), HexDigest<D>(data)) << "length " << length;
    }
}

TYPED_TEST(DigestProperties, CopyTakenMidwayIsIndependent)
{
    using D = TypeParam;
    std::mt19937 rng(11);
    const std::vector<std::uint8_t> data = RandomBytes(rng, 777);
    D d;
    d.Init();
    d.Update(data.data(), 300);
    D copy;
    std::memcpy(static_cast<void*>(&copy), &d, sizeof d);
    d.Update(data.data() + 300, data.size() - 300);
    copy.Update(data.data() + 300, data.size() - 300);
    std::uint8_t a[D::kDigestSize], b[D::kDigestSize];
    d.Final(a);
    copy.Final(b);
    EXPECT_EQ(Hex(a, sizeof a), Hex(b, sizeof b));
    EXPECT_EQ(Hex(a, sizeof a), HexDigest<D>(data));
}

TYPED_TEST(DigestProperties, InitAfterFinalStartsAfresh)
{
    using D = TypeParam;
    const std::string first = "first message, longer than one block of any of the digests here, "
                              "so that the buffer and the chaining state are both dirty "
                              "when Final runs";
    D d;
    d.Init();
    d.Update(reinterpret_cast<const std::uint8_t*>(first.data()), first.size());
    std::uint8_t out[D::kDigestSize];
    d.Final(out);
    d.Init();
    d.Update(reinterpret_cast<const std::uint8_t*>("abc"), 3);
    d.Final(out);
    EXPECT_EQ(Hex(out, sizeof out), HexDigest<D>("abc"));
}

// Different inputs of the same length should not collide; a digest that ignored part of its
// input (a lost tail byte, a skipped block) would.
TYPED_TEST(DigestProperties, EveryByteCounts)
{
    using D = TypeParam;
    std::mt19937 rng(13);
    for (std::size_t length : {1u, 63u, 64u, 65u, 127u, 128u, 129u, 200u}) {
        std::vector<std::uint8_t> data = RandomBytes(rng, length);
        const std::string base = HexDigest<D>(data);
        for (std::size_t at : {std::size_t(0), length / 2, length - 1}) {
            data[at] ^= 0x01;
            EXPECT_NE(HexDigest<D>(data), base) << "length " << length << ", byte " << at;
            data[at] ^= 0x01;
        }
    }
}

} // namespace
} // namespace digest::test
