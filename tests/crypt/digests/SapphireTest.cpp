#include "crypt/digests/Sapphire.h"

#include <gtest/gtest.h>

#include "DigestTestUtil.h"

namespace digest::test {
namespace {

// 40-byte digests from the author's reference code; every shorter size is a prefix.
const std::string kEmpty =
    Lower("C1E0DF6CE706A32FB7B25B7AC55F436AD29C9FE54B096F54A2A128BB08C9651F34606520FA7A5AD7");
const std::string kAbc =
    Lower("4ACF17D911781571F053CE82E2F70CCE5470F410B717B9A699063814B6DF1F327C766773FC59830B");

template <int Bytes>
void ExpectPrefixes()
{
    SCOPED_TRACE(Bytes);
    EXPECT_EQ(HexDigest<Sapphire<Bytes>>(""), kEmpty.substr(0, 2 * Bytes));
    EXPECT_EQ(HexDigest<Sapphire<Bytes>>("abc"), kAbc.substr(0, 2 * Bytes));
}

TEST(Sapphire, ReferenceDigestsAndPrefixes)
{
    ExpectPrefixes<16>();
    ExpectPrefixes<20>();
    ExpectPrefixes<24>();
    ExpectPrefixes<28>();
    ExpectPrefixes<32>();
    ExpectPrefixes<36>();
    ExpectPrefixes<40>();
}

} // namespace
} // namespace digest::test
