// The display aids of the application's editor: highlighted words, quote lines, tab and
// double-byte-space marks, page-break lines, the wrap-column line, block-indent keys and the
// scroll-bar messages.
#include <gtest/gtest.h>

#include "ScreenTestUtil.h"
#include "platform/Sjis.h"

using viewtest::HasLineAt;
using viewtest::LinesStartingIn;
using viewtest::TScreen;

namespace {

constexpr TColor kWord = 0xFF0000;
constexpr TColor kQuote = 0x800080;

struct TVnScreen : TScreen {
    explicit TVnScreen(const std::string& text) : TScreen(text)
    {
        e.SetMainEditorDefaults();
        SetColor(e.ViewVn().Colors().HiliteWord(), clNone, kWord, fsBold);
        SetColor(e.ViewVn().Colors().HiliteQLine(), clNone, kQuote);
    }
    std::string Colors(int row)
    {
        return Paint().RowColors(row, {{clWindowText, 't'}, {kWord, 'H'}, {kQuote, 'Q'}, {clWhite, 'S'}});
    }
};

} // namespace

TEST(VnEdit, HighlightedWordsLeftToRightWithoutOverlapCaseSensitive)
{
    TVnScreen s("xabab\r\naaa\r\nAb ab");
    s.e.SetHiliteWordList({"ab"});
    EXPECT_EQ(s.Colors(0), "tHHHH");
    EXPECT_EQ(s.Colors(2), "tt.HH") << "'ab' does not highlight 'Ab'";
    s.e.SetHiliteWordList({"aa"});
    EXPECT_EQ(s.Colors(1), "HHt");
    // The switch per display mode and the View switch both stop it.
    s.e.SetWordHilite(false);
    EXPECT_EQ(s.Colors(1), "ttt");
    s.e.SetWordHilite(true);
    s.e.ViewVn().SetHiliteWords(false);
    EXPECT_EQ(s.Colors(1), "ttt");
}

TEST(VnEdit, QuoteLinesAndSelectedQuoteLines)
{
    TVnScreen s("> quoted\r\n >not\r\n|bar\r\nplain");
    s.e.SetHiliteQuoteMarks({">", "|"});
    s.e.SetHiliteWordList({"quoted", "bar"});
    EXPECT_EQ(s.Colors(0), "Q.QQQQQQ") << "no highlighted words in a quote line";
    EXPECT_EQ(s.Colors(1), ".tttt");
    EXPECT_EQ(s.Colors(2), "QQQQ");
    s.Select(0, 0, 0, 8);
    TRecordingCanvas c = s.Paint();
    EXPECT_EQ(c.RowColors(0, {{clWhite, 'S'}}), "S.SSSSSS");
    EXPECT_EQ(c.Cell(0, 2)->Style, 0) << "the quote line's style, not the word's bold";
}

TEST(VnEdit, TabAndDoubleByteSpaceMarksFollowTheTabExpansion)
{
    TVnScreen s("abc\t\tx\r\n" + std::string("a　b"_sj));
    s.e.Caret().SetTabSpaceCount(8);
    TRecordingCanvas c = s.Paint();
    const int cw = s.M().ColWidth, top = s.M().RowTop(0), bottom = top + s.M().RowHeight;
    // Two ">" strokes start two pixels into each tab mark's column.
    EXPECT_EQ(LinesStartingIn(c, s.M().ColLeft(3) + 2, s.M().ColLeft(3) + 3, top, bottom), 2);
    EXPECT_EQ(LinesStartingIn(c, s.M().ColLeft(8) + 2, s.M().ColLeft(8) + 3, top, bottom), 2);
    EXPECT_EQ(LinesStartingIn(c, s.M().ColLeft(4) + 2, s.M().ColLeft(8), top, bottom), 0);
    // The double-byte space: a dotted square over its two cells.
    bool square = false;
    for (const auto& f : c.Frames)
        square |= f.Rect.Left == s.M().ColLeft(1) + 2 && f.Rect.Top == s.M().RowTop(1) + 2 &&
                  f.Rect.Right == s.M().ColLeft(1) + 2 * cw - 2 && f.Pen.Style == TPenStyle::Dot;
    EXPECT_TRUE(square);
    s.e.MarksVn().TabMark().SetVisible(false);
    s.e.MarksVn().DByteSpace().SetVisible(false);
    c = s.Paint();
    EXPECT_EQ(LinesStartingIn(c, s.M().ColLeft(3) + 2, s.M().ColLeft(3) + 3, top, bottom), 0);
    EXPECT_TRUE(c.Frames.empty());
}

TEST(VnEdit, PageBreakLinesOnlyForExactlyOnePageMark)
{
    TVnScreen s("a\r\nb\r\nc\r\nd\r\ne");
    s.e.SetRowMarks(1, 1024);
    s.e.SetRowMarks(2, 8192);
    s.e.SetRowMarks(4, 8192 | 1);
    TRecordingCanvas c = s.Paint();
    auto bottom = [&](int row) { return s.M().RowTop(row) + s.M().RowHeight - 1; };
    EXPECT_TRUE(HasLineAt(c, s.M().TextLeft, bottom(0), TPenStyle::Dot));
    EXPECT_TRUE(HasLineAt(c, s.M().TextLeft, bottom(1), TPenStyle::Dash));
    EXPECT_FALSE(HasLineAt(c, s.M().TextLeft, bottom(3), TPenStyle::Dash)) << "a bookmark with the break";
    EXPECT_FALSE(HasLineAt(c, s.M().TextLeft, bottom(3), TPenStyle::Dot));
}

TEST(VnEdit, WrapColumnLineAndUnderlineStopAtTheWrapColumn)
{
    TVnScreen s("abc");
    s.e.MarksVn().VertLine().SetVisible(true);
    s.e.Marks().Underline().SetVisible(true);
    const int x = s.M().ColLeft(80);
    TRecordingCanvas c = s.Paint();
    EXPECT_TRUE(HasLineAt(c, x, s.M().TopOffset));
    const int y = s.M().RowTop(0) + s.M().FontHeight;
    EXPECT_TRUE(HasLineAt(c, x, y, TPenStyle::Solid, clGray)) << "the underline ends at the wrap column";
    EXPECT_FALSE(HasLineAt(c, s.host.Client.Width - 1, y, TPenStyle::Solid, clGray));

    s.e.SetTopCol(90);
    c = s.Paint();
    EXPECT_FALSE(HasLineAt(c, s.M().TextLeft, y, TPenStyle::Solid, clGray)) << "no underline";
    for (const auto& l : c.Lines)
        EXPECT_FALSE(l.Points.size() == 2 && l.Points[0].X == l.Points[1].X && l.Points[0].Y == s.M().TopOffset)
            << "no vertical line";
}

TEST(VnEdit, WholeLineSelectionSwallowsIndentKeys)
{
    TVnScreen s("one\r\ntwo\r\nthree");
    s.Select(0, 0, 2, 0);
    s.e.CharMessage(" ");
    s.e.CharMessage("\t");
    EXPECT_EQ(s.e.ListRows().GetTextStr(), "one\r\ntwo\r\nthree");
    s.Select(0, 0, 1, 2);
    s.e.CharMessage(" ");
    EXPECT_EQ(s.e.ListRows().GetTextStr(), " o\r\nthree") << "a partial selection is typed over";
}

TEST(VnEdit, ScrollMessages)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line\r\n";
    TVnScreen s(text);
    const int vis = s.e.VisibleRows();
    s.e.VScroll(TScrollCode::PageDown);
    EXPECT_EQ(s.e.TopRow(), vis);
    s.e.VScroll(TScrollCode::LineUp);
    EXPECT_EQ(s.e.TopRow(), vis - 1);
    s.e.VScroll(TScrollCode::Top);
    EXPECT_EQ(s.e.TopRow(), 0);
    s.e.VScroll(TScrollCode::ThumbTrack, 40);
    EXPECT_EQ(s.e.TopRow(), 40);
    s.e.VScroll(TScrollCode::Bottom);
    const int bottom = s.e.TopRow();
    EXPECT_EQ(bottom, s.e.RowCount() - vis + 1);
    s.e.VScroll(TScrollCode::LineDown);
    EXPECT_EQ(s.e.TopRow(), bottom) << "fewer than a page below: no further";

    s.e.VScroll(TScrollCode::Top);
    s.e.Caret().SetLockScroll(true);
    s.e.SetRowCol(2, 0);
    s.e.VScroll(TScrollCode::LineDown);
    EXPECT_EQ(s.e.Row(), 3) << "the caret moves with the view";

    s.e.HScroll(TScrollCode::Bottom);
    EXPECT_EQ(s.e.TopCol(), 1000 - s.e.VisibleCols() / 2);
    s.e.HScroll(TScrollCode::PageUp);
    EXPECT_EQ(s.e.TopCol(), 1000 - s.e.VisibleCols() / 2 - s.e.VisibleCols());
    s.e.HScroll(TScrollCode::Top);
    EXPECT_EQ(s.e.TopCol(), 0);
}
