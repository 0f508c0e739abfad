#include "crypt/digests/Snefru.h"

#include <gtest/gtest.h>

#include "DigestTestUtil.h"

namespace digest::test {
namespace {

TEST(Snefru, PublishedVectors)
{
    EXPECT_EQ(HexDigest<Snefru>(""), "8617f366566a011837f4fb4ba5bedea2b892f3ed8b894023d16ae344b2be5881");
    EXPECT_EQ(HexDigest<Snefru>("\n"),
              "2e02687f0d45d5b9b50cb68c3f33e6843d618a1aca2d06893d3eb4e3026b5732");
    EXPECT_EQ(HexDigest<Snefru>("abcde"),
              "8d2891fc6020d7dc93f7561c0cfdde26426192b3e364a1f52b634482009dc8c8");
    EXPECT_EQ(HexDigest<Snefru>("123456789"),
              "1c7dedc33125af7517970b97b635777ffba8905d7a0b359776e3e683b115f992");
    EXPECT_EQ(HexDigest<Snefru>("The quick brown fox jumps over the lazy dog"),
              "674caa75f9d8fd2089856b95e93a4fb42fa6c8702f8980e11d97a142d76cb358");
}

// 62, 63 and 64 bytes: the zero padding of a last chunk of 30, 31 and 32 bytes.
TEST(Snefru, ChunkBoundary)
{
    EXPECT_EQ(HexDigest<Snefru>(std::string(62, 'a')),
              "94682bc46e5fbb8417e2f3e10ed360484048d946bb8cbb0ea4cad2700dbeaab0");
    EXPECT_EQ(HexDigest<Snefru>(std::string(63, 'a')),
              "c54c602ac46383716ee7200a76c9c90a7b435bbe31d13f04e0b00a7ea5c347fa");
    EXPECT_EQ(HexDigest<Snefru>(std::string(64, 'a')),
              "7a8539c59e192e8d70b1ab82aa86a1b54560d42020bda4e00ddd6d048fe3bcaa");
}

} // namespace
} // namespace digest::test
