#include "crypt/digests/Tiger.h"

#include <gtest/gtest.h>

#include "DigestTestUtil.h"

namespace digest::test {
namespace {

// The authors print Tiger digests as three 64-bit words; the digest bytes are each word least
// significant byte first.
std::string WordsToBytes(std::string words)
{
    std::string bytes;
    for (std::size_t w = 0; w < words.size(); w += 16)
        for (int i = 14; i >= 0; i -= 2)
            bytes += words.substr(w + i, 2);
    return Lower(bytes);
}

TEST(Tiger, PublishedVectors)
{
    EXPECT_EQ(HexDigest<Tiger>(""), "3293ac630c13f0245f92bbb1766e16167a4e58492dde73f3");
    EXPECT_EQ(HexDigest<Tiger>("abc"), "2aab1484e8c158f2bfb8c5ff41b57a525129131c957b5f93");
    EXPECT_EQ(HexDigest<Tiger>("Tiger"),
              WordsToBytes("9F00F599072300DD276ABB38C8EB6DEC37790C116F9D2BDF"));
    EXPECT_EQ(HexDigest<Tiger>("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+-"),
              WordsToBytes("87FB2A9083851CF7470D2CF810E6DF9EB586445034A5A386"));
    EXPECT_EQ(HexDigest<Tiger>("ABCDEFGHIJKLMNOPQRSTUVWXYZ=abcdefghijklmnopqrstuvwxyz+0123456789"),
              WordsToBytes("467DB80863EBCE488DF1CD1261655DE957896565975F9197"));
}

TEST(Tiger, MillionA)
{
    EXPECT_EQ(HexDigestRepeated<Tiger>(std::string(1000, 'a'), 1000),
              "6db0e2729cbead93d715c6a7d36302e9b3cee0d2bc314b41");
}

} // namespace
} // namespace digest::test
