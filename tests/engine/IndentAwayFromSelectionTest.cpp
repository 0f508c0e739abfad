// Block indent while the caret stands away from the selected rows: a caret moved after the
// selection was made, without extending it, above or below the rows that are indented.
#include <gtest/gtest.h>

#include "EditorTestUtil.h"

using namespace enginetest;

namespace {

std::string Lines(int n)
{
    std::string s;
    for (int i = 0; i < n; ++i)
        s += "line" + std::to_string(i) + "\r\n";
    return s;
}

TEST(IndentAwayFromSelection, CaretBelowOrAboveKeepsItsPlace)
{
    for (bool wrap : {false, true}) {
        SCOPED_TRACE(wrap ? "wrapped" : "not wrapped");
        THostedEditor t(Lines(12));
        t.e.SetWordWrap(wrap);
        // Lines 4 and 5 selected (the selection ends at column 0 of line 6).
        t.Select(4, 1, 6, 0);
        ASSERT_TRUE(t.e.Selected());
        t.e.SetRowCol(10, 3);
        t.e.IndentSpace();
        std::string expected = Lines(12);
        expected.insert(expected.find("line4"), " ");
        expected.insert(expected.find("line5"), " ");
        EXPECT_EQ(t.Text(), expected);
        EXPECT_EQ(t.e.Row(), 10);
        EXPECT_EQ(t.e.Col(), 3);
        EXPECT_EQ(t.e.CaretOffset(), std::int64_t(expected.find("line10") + 3));

        t.Select(4, 1, 6, 0);
        t.e.SetRowCol(1, 2);
        t.e.UnindentSpace();
        EXPECT_EQ(t.Text(), Lines(12));
        EXPECT_EQ(t.e.Row(), 1);
        EXPECT_EQ(t.e.Col(), 2);
    }
}

} // namespace
