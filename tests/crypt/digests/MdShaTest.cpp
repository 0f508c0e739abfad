#include <gtest/gtest.h>

#include "DigestTestUtil.h"
#include "RandomFeed.h"
#include "crypt/digests/Md.h"
#include "crypt/digests/Sha.h"
#include "crypt/digests/Sha1Hardware.h"

namespace digest::test {
namespace {

// The RFC 1320 / RFC 1321 test suites.
struct MdVector {
    const char* message;
    const char* md4;
    const char* md5;
};

constexpr MdVector kMdVectors[] = {
    {"", "31d6cfe0d16ae931b73c59d7e0c089c0", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "bde52cb31de33e46245e05fbdbd6fb24", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "a448017aaf21d8525fc10ae87aa6729d", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "d9130a8164549fe818874806e1c7014b", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "d79e1c308aa5bbcdeea8ed63df412da9",
     "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
     "043f8582f241db351ce627e153e7f0e4", "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "e33b4ddc9c38f2199c3e7b164fcc0536", "57edf4a22be3c955ac49da2e2107b67a"},
};

TEST(Md, RfcVectors)
{
    for (const MdVector& v : kMdVectors) {
        SCOPED_TRACE(v.message);
        EXPECT_EQ(HexDigest<Md4>(v.message), v.md4);
        EXPECT_EQ(HexDigest<Md5>(v.message), v.md5);
    }
}

// One million 'a' (the NESSIE long messages).
TEST(Md, MillionA)
{
    const std::string thousand(1000, 'a');
    EXPECT_EQ(HexDigestRepeated<Md4>(thousand, 1000), "bbce80cc6bb65e5c6745e30d4eeca9a4");
    EXPECT_EQ(HexDigestRepeated<Md5>(thousand, 1000), "7707d6ae4e027c70eea2a935c2296f21");
}

TEST(Sha, PublishedVectors)
{
    const char* two = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
    EXPECT_EQ(HexDigest<Sha0>("abc"), "0164b8a914cd2a5e74c4f7ff082c4d97f1edf880");
    EXPECT_EQ(HexDigest<Sha0>(two), "d2516ee1acfa5baf33dfc1c471e438449ef134c8");
    EXPECT_EQ(HexDigest<Sha1>(""), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
    EXPECT_EQ(HexDigest<Sha1>("abc"), "a9993e364706816aba3e25717850c26c9cd0d89d");
    EXPECT_EQ(HexDigest<Sha1>(two), "84983e441c3bd26ebaae4aa1f95129e5e54670f1");
    EXPECT_EQ(HexDigestRepeated<Sha0>(std::string(1000, 'a'), 1000),
              "3232affa48628a26653b5aaa44541fd90d690603");
    EXPECT_EQ(HexDigestRepeated<Sha1>(std::string(1000, 'a'), 1000),
              "34aa973cd4c4daa4f61eeb2bdbad27316534016f");
}

// SHA-1 runs on the processor's SHA instructions where it has them; the portable transform
// must agree with them on every run of blocks.
TEST(Sha, HardwareAndPortableTransformsAgree)
{
    const detail::Sha1Transform hardware = detail::Sha1HardwareTransform();
    if (!hardware)
        GTEST_SKIP() << "no SHA instructions on this processor";
    std::mt19937 rng(5);
    for (std::size_t blocks : {1u, 2u, 3u, 17u}) {
        const std::vector<std::uint8_t> data = RandomBytes(rng, 64 * blocks);
        std::uint32_t a[5], b[5];
        for (int i = 0; i < 5; ++i)
            a[i] = b[i] = std::uint32_t(rng());
        hardware(a, data.data(), blocks);
        detail::Sha1PortableTransform(b, data.data(), blocks);
        EXPECT_EQ(Hex(reinterpret_cast<std::uint8_t*>(a), 20), Hex(reinterpret_cast<std::uint8_t*>(b), 20))
            << blocks << " blocks";
    }
}

} // namespace
} // namespace digest::test
