#include "crypt/digests/SquareHash.h"

#include <gtest/gtest.h>

#include "DigestTestUtil.h"

namespace digest::test {
namespace {

// Digests computed with the reference Square cipher in the same construction.
TEST(SquareHash, ReferenceVectors)
{
    EXPECT_EQ(HexDigest<SquareHash>(""), "417b878eaf7d8ca82414e6e4c4a95149");
    EXPECT_EQ(HexDigest<SquareHash>("abc"), "a7cc6d2f2f20388fe35d16e9d392e898");
}

} // namespace
} // namespace digest::test
