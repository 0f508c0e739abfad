// The recording canvas is what the screen tests read, so its cell model must be right.
#include <gtest/gtest.h>

#include "platform/Sjis.h"
#include "testing/RecordingCanvas.h"

namespace {

TRecordingCanvas MakeCanvas()
{
    // Column 0 at x 10, rows from y 4; 8 x 16 cells.
    return TRecordingCanvas({200, 100}, {10, 4, 8, 16});
}

} // namespace

TEST(RecordingCanvas, TextLandsInCellsAndDoubleByteTakesTwo)
{
    TRecordingCanvas c = MakeCanvas();
    std::string text("a日b"_sj);
    c.TextOut(10 + 8, 4 + 16, {0, 0, 200, 100}, text, 8, 0x0000FF, clWhite, false, 0);
    EXPECT_EQ(c.RowText(1), " " + text);
    EXPECT_EQ(c.RowColors(1, {{0x0000FF, 'R'}}), ".RRRR");
    // Left of column 0 is addressed with negative columns.
    c.TextOut(2, 4, {0, 0, 200, 100}, "9", 8, 0, 0, false, 0);
    EXPECT_EQ(c.RowText(0, -1, 1), "9");
}

TEST(RecordingCanvas, OpaqueTextClearsItsClipAndClippingCutsCells)
{
    TRecordingCanvas c = MakeCanvas();
    c.TextOut(10, 4, {0, 0, 200, 100}, "abcdef", 8, 0, 0, false, 0);
    // Opaque, clipped to columns 1..3: column 1-2 get the text, 3 is cleared, the rest stays.
    c.TextOut(10 + 8, 4, {18, 4, 18 + 24, 20}, "XYZW", 8, 1, 2, true, 0);
    EXPECT_EQ(c.RowText(0), "aXYZef");
    EXPECT_EQ(c.RowBacks(0, {{2, 'b'}}, 0, 6), "?bbb??");
    c.FillRect({10, 4, 10 + 16, 20}, 5);
    EXPECT_EQ(c.RowText(0), "  YZef");
    EXPECT_EQ(c.Screen(2, {10 + 16, 4 + 3}), "  |YZef\n\n");
}
