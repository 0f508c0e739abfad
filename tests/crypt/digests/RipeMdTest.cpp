#include "crypt/digests/RipeMd.h"

#include <gtest/gtest.h>

#include "DigestTestUtil.h"

namespace digest::test {
namespace {

// The published RIPEMD test set: each row is one message and its digest under the four
// output lengths.
struct RipeMdVector {
    const char* message;
    const char* d128;
    const char* d160;
    const char* d256;
    const char* d320;
};

constexpr RipeMdVector kVectors[] = {
    {"", "cdf26213a150dc3ecb610f18f6b38b46", "9c1185a5c5e9fc54612808977ee8f548b2258d31",
     "02ba4c4e5f8ecd1877fc52d64d30e37a2d9774fb1e5d026380ae0168e3c5522d",
     "22d65d5661536cdc75c1fdf5c6de7b41b9f27325ebc61e8557177d705a0ec880151c3a32a00899b8"},
    {"abc", "c14a12199c66e4ba84636b0f69144c77", "8eb208f7e05d987a9b044a8e98c6b087f15a0bfc",
     "afbd6e228b9d8cbbcef5ca2d03e6dba10ac0bc7dcbe4680e1e42d2e975459b65", nullptr},
    {"a", nullptr, "0bdc9d2d256b3ee9daae347be6f4dc835a467ffe", nullptr, nullptr},
    {"message digest", nullptr, "5d0689ef49d2fae572b881b123a85ffa21595f36", nullptr, nullptr},
    {"abcdefghijklmnopqrstuvwxyz", nullptr, "f71c27109c692c1b56bbdceb5b9d2865b3708dbc", nullptr,
     nullptr},
    {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", nullptr,
     "12a053384a9c0c88e405a06c27dcf49ada62eb2b", nullptr, nullptr},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", nullptr,
     "b0e20b6e3116640286ed3a87a5713079b21f5189", nullptr, nullptr},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890", nullptr,
     "9b752e45573d4b39f4dbd3323cab82bf63326bfb", nullptr, nullptr},
};

TEST(RipeMd, PublishedVectors)
{
    for (const RipeMdVector& v : kVectors) {
        SCOPED_TRACE(v.message);
        if (v.d128) {
            EXPECT_EQ(HexDigest<RipeMd128>(v.message), v.d128);
        }
        if (v.d160) {
            EXPECT_EQ(HexDigest<RipeMd160>(v.message), v.d160);
        }
        if (v.d256) {
            EXPECT_EQ(HexDigest<RipeMd256>(v.message), v.d256);
        }
        if (v.d320) {
            EXPECT_EQ(HexDigest<RipeMd320>(v.message), v.d320);
        }
    }
}

TEST(RipeMd, MillionA)
{
    EXPECT_EQ(HexDigestRepeated<RipeMd160>("a", 1000000), "52783243c1697bdbe16d37f97f68f08325dc1528");
}

} // namespace
} // namespace digest::test
