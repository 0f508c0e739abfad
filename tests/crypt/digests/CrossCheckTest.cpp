// Our digests against Crypto++ on random data of random lengths, fed in random pieces.
#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/crc.h>
#include <cryptopp/md4.h>
#include <cryptopp/md5.h>
#include <cryptopp/ripemd.h>
#include <cryptopp/sha.h>
#include <cryptopp/tiger.h>
#include <gtest/gtest.h>

#include "DigestTestUtil.h"
#include "RandomFeed.h"
#include "crypt/digests/Checksums.h"
#include "crypt/digests/Md.h"
#include "crypt/digests/RipeMd.h"
#include "crypt/digests/Sha.h"
#include "crypt/digests/Tiger.h"

namespace digest::test {
namespace {

template <class Ours, class Theirs>
struct Pair {
    using O = Ours;
    using T = Theirs;
};

template <class P>
class CrossCheck : public ::testing::Test {};

using Pairs = ::testing::Types<Pair<Md4, CryptoPP::Weak::MD4>, Pair<Md5, CryptoPP::Weak::MD5>,
                               Pair<Sha1, CryptoPP::SHA1>, Pair<RipeMd128, CryptoPP::RIPEMD128>,
                               Pair<RipeMd160, CryptoPP::RIPEMD160>,
                               Pair<RipeMd256, CryptoPP::RIPEMD256>,
                               Pair<RipeMd320, CryptoPP::RIPEMD320>, Pair<Tiger, CryptoPP::Tiger>,
                               Pair<Crc32, CryptoPP::CRC32>>;
TYPED_TEST_SUITE(CrossCheck, Pairs);

TYPED_TEST(CrossCheck, RandomDataInRandomPieces)
{
    using O = typename TypeParam::O;
    using T = typename TypeParam::T;
    ASSERT_EQ(int(T::DIGESTSIZE), O::kDigestSize);
    std::mt19937 rng(20240611);
    for (std::size_t length : TestLengths(rng)) {
        const std::vector<std::uint8_t> data = RandomBytes(rng, length);
        O ours;
        ours.Init();
        FeedInPieces(ours, data, rng);
        std::uint8_t a[O::kDigestSize];
        ours.Final(a);

        T theirs;
        theirs.Update(data.data(), data.size());
        std::uint8_t b[O::kDigestSize];
        theirs.Final(b);
        ASSERT_EQ(Hex(a, sizeof a), Hex(b, sizeof b)) << "length " << length;
    }
}

} // namespace
} // namespace digest::test
