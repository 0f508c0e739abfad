#include "crypt/digests/Checksums.h"

#include <gtest/gtest.h>

#include "DigestTestUtil.h"

namespace digest::test {
namespace {

// The catalogue check values (CRC of "123456789"), stored least significant byte first.
TEST(Checksums, CrcCheckValues)
{
    EXPECT_EQ(HexDigest<Crc16Ccitt>("123456789"), "b129");    // 29B1
    EXPECT_EQ(HexDigest<Crc16Standard>("123456789"), "3dbb"); // BB3D
    EXPECT_EQ(HexDigest<Crc32>("123456789"), "2639f4cb");     // CBF43926
    EXPECT_EQ(HexDigest<Crc32>("The quick brown fox jumps over the lazy dog"), "39a34f41");
}

TEST(Checksums, EmptyInputGivesTheInitialRegister)
{
    EXPECT_EQ(HexDigest<Crc16Ccitt>(""), "ffff");
    EXPECT_EQ(HexDigest<Crc16Standard>(""), "0000");
    EXPECT_EQ(HexDigest<Crc32>(""), "00000000");
    EXPECT_EQ(HexDigest<Xor16>(""), "0000");
    EXPECT_EQ(HexDigest<Xor32>(""), "00000000");
}

// XOR of little-endian words, a short tail padded with zeros.
TEST(Checksums, XorFoldsLittleEndianWords)
{
    const std::vector<std::uint8_t> five = {0x01, 0x02, 0x03, 0x04, 0x05};
    EXPECT_EQ(HexDigest<Xor16>(five), "0706");     // 0201 ^ 0403 ^ 0005 = 0607
    EXPECT_EQ(HexDigest<Xor32>(five), "04020304"); // 04030201 ^ 00000005
    const std::vector<std::uint8_t> pair = {0xAB, 0xCD, 0xAB, 0xCD};
    EXPECT_EQ(HexDigest<Xor16>(pair), "0000");
    EXPECT_EQ(HexDigest<Xor32>(pair), "abcdabcd");
}

} // namespace
} // namespace digest::test
