// Tables that are derived rather than typed in must still equal what their authors
// published.
#include <gtest/gtest.h>

#include "crypt/ciphers/Q128Tables.h"
#include "crypt/ciphers/tools/Q128TableGen.h"

TEST(Q128Table, IsTheBlowfishDerivedPermutationTheAuthorPublished)
{
    std::uint32_t derived[1024];
    cipher::q128_gen::MakeTable(derived);
    for (int i = 0; i < 1024; ++i)
        ASSERT_EQ(derived[i], cipher::q128_tables::kTable[i]) << "entry " << i;
    // A few entries of the author's printed table.
    EXPECT_EQ(cipher::q128_tables::kTable[0], 0xD6D92632u);
    EXPECT_EQ(cipher::q128_tables::kTable[1], 0x5E84404Du);
    EXPECT_EQ(cipher::q128_tables::kTable[6], 0xC8F84D80u);
    EXPECT_EQ(cipher::q128_tables::kTable[1023], 0x109C2D17u);
}
