// What the editor shows: text on the grid, end marks, long rows, selection colours, the ruler,
// the left bar, token colours, and what an edit or a scroll repaints.
#include <gtest/gtest.h>

#include "ScreenTestUtil.h"
#include "platform/Sjis.h"
#include "view/ViewImages.h"

using viewtest::HasLineAt;
using viewtest::TScreen;

TEST(Painter, EofMarkFollowsTheText)
{
    {
        TScreen s;
        s.e.Marks().EofMark().SetVisible(true);
        EXPECT_EQ(s.Paint().Screen(2), "[EOF]\n\n") << "an empty text";
    }
    {
        TScreen s("abc");
        s.e.Marks().EofMark().SetVisible(true);
        EXPECT_EQ(s.Paint().Screen(2), "abc[EOF]\n\n");
    }
    {
        // A final line break: [EOF] on the empty row after it, and that row is numbered.
        TScreen s("abc\r\n");
        s.e.Marks().EofMark().SetVisible(true);
        s.e.Leftbar().SetVisible(true);
        TRecordingCanvas c = s.Paint();
        EXPECT_EQ(c.Screen(3), "abc\n[EOF]\n\n");
        const int digits = s.M().LeftbarDigits;
        const int firstBarCol = -(s.M().TextLeft - s.M().ImagebarWidth) / s.M().ColWidth;
        EXPECT_EQ(c.RowText(1, firstBarCol, digits + 1), std::string(digits - 1, ' ') + "2");
        EXPECT_EQ(c.RowText(2, firstBarCol, digits + 1), "") << "rows past the text are blank";
    }
    {
        // Hidden: nothing at all.
        TScreen s("abc");
        EXPECT_EQ(s.Paint().Screen(1), "abc\n");
    }
}

TEST(Painter, RowEndMarksAtTheColumnAfterTheText)
{
    TScreen s("ab\r\ncdefghij");
    s.e.SetWordWrap(true);
    s.e.WrapOption().SetWrapByte(20);
    s.e.Marks().RetMark().SetVisible(true);
    s.e.Marks().RetMark().SetColor(0x0000FF);
    TRecordingCanvas c = s.Paint();
    const int cw = s.M().ColWidth, fh = s.M().FontHeight;
    const int d = std::max(1, fh / 8);
    // The return arrow's stem stands in the middle of column 2 of row 0.
    const int x = s.M().ColLeft(2) + cw / 2;
    EXPECT_TRUE(HasLineAt(c, x, s.M().RowTop(0) + 2 * d, TPenStyle::Solid, 0x0000FF));
    EXPECT_TRUE(HasLineAt(c, x, s.M().RowTop(0) + fh - 2 * d, TPenStyle::Solid, 0x0000FF));
    // The last row ends the text: no return arrow there.
    EXPECT_FALSE(HasLineAt(c, s.M().ColLeft(8) + cw / 2, s.M().RowTop(1) + 2 * d));
}

TEST(Painter, LongRowIsCutAtColumnThousandWithTheHideMark)
{
    TScreen s(std::string(1200, 'a'));
    s.e.Marks().HideMark().SetVisible(true);
    s.e.SetTopCol(5000);
    const int vis = s.e.VisibleCols();
    EXPECT_EQ(s.e.TopCol(), 1000 - vis / 2) << "scrolling stops at 1000 less half a page";
    TRecordingCanvas c = s.Paint();
    EXPECT_EQ(c.RowText(0, s.e.TopCol()), std::string(static_cast<std::size_t>(1000 - s.e.TopCol()), 'a'));
    const int cw = s.M().ColWidth, e = std::max(2, cw * 3 / 5);
    const int x = s.M().ColLeft(1000), mid = s.M().RowTop(0) + s.M().FontHeight / 2;
    EXPECT_TRUE(HasLineAt(c, x + cw, mid)) << "the '>' of the hide mark";
    EXPECT_TRUE(HasLineAt(c, x + cw - e, mid - e));

    // A double-byte character across the limit is drawn whole.
    std::string row = std::string(999, 'a') + std::string("日"_sj) + "bbb";
    TScreen t(row);
    bool cut = false;
    EXPECT_EQ(t.e.Painter().PaintText(0, cut), row.substr(0, 1001));
    EXPECT_TRUE(cut);
}

TEST(Painter, DoubleByteCharactersCoverTwoCells)
{
    std::string text(R"(a日本b)"_sj);
    TScreen s(text);
    TRecordingCanvas c = s.Paint();
    EXPECT_EQ(c.RowText(0), text);
    EXPECT_EQ(c.RowText(0, 1, 2), std::string("日"_sj));
    EXPECT_EQ(c.RowText(0, 5, 1), "b");
}

TEST(Painter, UnderlineMakesRowsOnePixelTallerAndSitsUnderTheCaretRow)
{
    TScreen s("ab\r\ncd\r\nef");
    const int plain = s.M().RowHeight;
    s.e.Marks().Underline().SetVisible(true);
    EXPECT_EQ(s.M().RowHeight, plain + 1);
    s.e.SetRowCol(1, 0);
    TRecordingCanvas c = s.Paint();
    const int y = s.M().RowTop(1) + s.M().FontHeight;
    EXPECT_TRUE(HasLineAt(c, s.M().TextLeft, y, TPenStyle::Solid, clGray));
    EXPECT_FALSE(HasLineAt(c, s.M().TextLeft, y - s.M().RowHeight, TPenStyle::Solid, clGray));
    s.e.HideUnderline();
    EXPECT_FALSE(HasLineAt(s.Paint(), s.M().TextLeft, y, TPenStyle::Solid, clGray)) << "hidden while the counter is up";
    s.e.ShowUnderline();
    EXPECT_TRUE(HasLineAt(s.Paint(), s.M().TextLeft, y, TPenStyle::Solid, clGray));
}

TEST(Painter, SelectionColoursAndInvertedDefaults)
{
    TScreen s("abcdef\r\nxyz");
    const std::map<TColor, char> ids{{clWindow, 'w'}, {clWindowText, 't'}, {clNavy, 'n'}, {clWhite, 'W'}};
    s.Select(0, 1, 0, 4);
    TRecordingCanvas c = s.Paint();
    EXPECT_EQ(c.RowColors(0, ids, 0, 6), "tWWWtt");
    EXPECT_EQ(c.RowBacks(0, ids, 0, 6), "wnnnww");

    s.SetColor(s.e.View().Colors().Select(), clNone, clNone);
    c = s.Paint();
    EXPECT_EQ(c.RowColors(0, ids, 0, 6), "twwwtt") << "clNone selection inverts the editor colours";
    EXPECT_EQ(c.RowBacks(0, ids, 0, 6), "wtttww");

    // Across a line break the break's cell is selected too; the next row up to the caret.
    s.Select(0, 4, 1, 1);
    c = s.Paint();
    EXPECT_EQ(c.RowBacks(0, ids, 0, 7), "wwwwttt");
    EXPECT_EQ(c.RowBacks(1, ids, 0, 3), "tww");
}

TEST(Painter, BoxSelectionPaintsTheSameColumnsOnEveryRow)
{
    TScreen s("abcdef\r\nghijkl\r\nmn");
    s.e.SetBoxSelection(true);
    s.Select(0, 1, 2, 3);
    const std::map<TColor, char> ids{{clWindow, 'w'}, {clNavy, 'n'}};
    TRecordingCanvas c = s.Paint();
    EXPECT_EQ(c.RowBacks(0, ids, 0, 6), "wnnwww");
    EXPECT_EQ(c.RowBacks(1, ids, 0, 6), "wnnwww");
    EXPECT_EQ(c.RowBacks(2, ids, 0, 2), "wn");
}

TEST(Painter, TokenColoursReservedWordsAndUrls)
{
    TScreen s("if http://x.jp/a end");
    s.e.View().SetUrl(true);
    TReserveWordList words;
    words.Add("end");
    s.e.Colouring().SetReserveWordList(words);
    s.SetColor(s.e.View().Colors().Reserve(), clNone, 0x0000FF, fsBold);
    s.SetColor(s.e.View().Colors().Url(), clNone, 0xFF0000, fsUnderline);
    TRecordingCanvas c = s.Paint();
    const std::map<TColor, char> ids{{clWindowText, 't'}, {0x0000FF, 'R'}, {0xFF0000, 'U'}};
    EXPECT_EQ(c.RowColors(0, ids), "tt.UUUUUUUUUUUUU.RRR");
    EXPECT_EQ(c.Cell(0, 17)->Style, fsBold);
    EXPECT_EQ(c.Cell(0, 5)->Style, fsUnderline);
    EXPECT_EQ(c.Cell(0, 0)->Style, 0);
    // Plain text costs one text call per row: only the coloured tokens are drawn again.
    int calls = 0;
    for (const auto& t : c.Texts)
        if (t.Y == s.M().RowTop(0) && t.X >= s.M().TextLeft - 1)
            ++calls;
    EXPECT_EQ(calls, 3);
}

TEST(Painter, ItalicModeDrawsTokensTransparentlyOverOneFill)
{
    TScreen s("ab cd");
    s.e.Font().SetStyle(fsItalic);
    EXPECT_TRUE(s.e.Painter().ItalicMode());
    TRecordingCanvas c = s.Paint();
    EXPECT_EQ(c.RowText(0), "ab cd");
    for (const auto& t : c.Texts) {
        if (t.Y == s.M().RowTop(0) && t.X >= s.M().TextLeft) {
            EXPECT_FALSE(t.Opaque);
        }
    }
}

TEST(Painter, RulerNumbersTicksAndCaretColumnMarker)
{
    TScreen s("abcdefghijklmnop");
    TEditorPainter& p = s.e.Painter();
    const TBitmap& ruler = p.RulerBitmap();
    const int cw = s.M().ColWidth;
    const TColor tick = s.e.Ruler().Color(), bk = s.e.Ruler().BkColor();
    EXPECT_EQ(ruler.Pixel(10 * cw, 0), tick) << "full tick at a multiple of the gauge";
    EXPECT_EQ(ruler.Pixel(5 * cw, 2), bk) << "the half tick starts lower";
    EXPECT_EQ(ruler.Pixel(5 * cw, 3), tick);
    EXPECT_EQ(ruler.Pixel(3 * cw, 5), bk);
    EXPECT_EQ(ruler.Pixel(3 * cw, 6), tick);
    // "10" right of its tick, "20" right of the next; nothing at column 0.
    auto numberAt = [&](int x, int n) {
        TBitmap probe(40, 9, bk);
        view_images::DrawNumber(probe, 0, 0, n, tick);
        for (int j = 0; j < 9; ++j)
            for (int i = 0; i < view_images::NumberWidth(n) - 1; ++i)
                if (probe.Pixel(i, j) != ruler.Pixel(x + i, j))
                    return false;
        return true;
    };
    EXPECT_TRUE(numberAt(10 * cw + 2, 10));
    EXPECT_TRUE(numberAt(20 * cw + 2, 20));
    EXPECT_FALSE(numberAt(10 * cw + 2, 20));

    s.e.SetRowCol(0, 7);
    TRecordingCanvas c = s.Paint();
    bool marked = false;
    for (const auto& b : c.Blits)
        if (b.Bitmap == &p.MarkedRulerBitmap() && b.X == s.M().ColLeft(7) + 1)
            marked = true;
    EXPECT_TRUE(marked);
    EXPECT_EQ(p.MarkedRulerBitmap().Pixel(7 * cw + 2, 0), s.e.Ruler().MarkColor());
}

TEST(Painter, LeftbarNumbersRowsOrLines)
{
    TScreen s("abcdefghijklmnopqrstuvwxyz\r\nshort");
    s.e.SetWordWrap(true);
    s.e.WrapOption().SetWrapByte(20);
    s.e.Leftbar().SetVisible(true);
    const int first = -(s.M().TextLeft - s.M().ImagebarWidth) / s.M().ColWidth;
    auto bar = [&](const TRecordingCanvas& c, int row) { return c.RowText(row, first, s.M().LeftbarDigits); };
    TRecordingCanvas c = s.Paint();
    EXPECT_EQ(bar(c, 0), "   1");
    EXPECT_EQ(bar(c, 1), "   2");
    EXPECT_EQ(bar(c, 2), "   3");
    s.e.Leftbar().SetShowNumberMode(nmLine);
    s.e.Leftbar().SetZeroLead(true);
    c = s.Paint();
    EXPECT_EQ(bar(c, 0), "0001");
    EXPECT_EQ(bar(c, 1), "") << "a wrapped line's continuation is blank";
    EXPECT_EQ(bar(c, 2), "0002");
    s.e.Leftbar().SetZeroBase(true);
    EXPECT_EQ(bar(s.Paint(), 2), "0001");
}

TEST(Painter, LeftbarDigitsGrowWithTheText)
{
    std::string text;
    for (int i = 0; i < 123456; ++i)
        text += "x\r\n";
    text += "x";
    TScreen s(text);
    s.e.Leftbar().SetVisible(true);
    EXPECT_EQ(s.M().LeftbarDigits, 6);
    s.e.Leftbar().SetColumn(8);
    EXPECT_EQ(s.M().LeftbarDigits, 8);
}

TEST(Painter, ImagebarShowsTheLowestBookmarkAndMark)
{
    TScreen s("a\r\nb\r\nc");
    s.e.SetRowMarks(1, (1 << 3) | (1 << 5) | 8192);
    TRecordingCanvas c = s.Paint();
    const int top = s.M().RowTop(1) + 2;
    bool digit = false, mark = false;
    for (const auto& b : c.Blits) {
        digit |= b.Bitmap == &view_images::BookmarkImage(3) && b.Y == top && b.X == 0;
        mark |= b.Bitmap == &view_images::MarkImage(3) && b.Y == top && b.X == s.e.Imagebar().DigitWidth();
    }
    EXPECT_TRUE(digit);
    EXPECT_TRUE(mark);
}

TEST(Painter, SnappedClipPaintsWholeRows)
{
    TScreen s("row0\r\nrow1\r\nrow2\r\nrow3");
    TRecordingCanvas c(s.host.Client, s.Grid());
    // A clip from the middle of row 1 to the middle of row 2.
    const int y0 = s.M().RowTop(1) + 3, y1 = s.M().RowTop(2) + 3;
    s.e.Paint(c, {s.M().TextLeft + 3, y0, s.host.Client.Width, y1});
    EXPECT_EQ(c.Screen(4), "\nrow1\nrow2\n\n");

    // A row cut by the bottom edge is painted too.
    std::string rows;
    for (int i = 0; i < 40; ++i)
        rows += "r" + std::to_string(i) + "\r\n";
    TScreen t(rows);
    t.host.Client.Height = t.M().TopOffset + 5 * t.M().RowHeight + t.M().RowHeight * 3 / 4;
    t.e.Resized();
    EXPECT_EQ(t.Paint().Screen(6), "r0\nr1\nr2\nr3\nr4\nr5\n");
}

TEST(Repaint, TypingInvalidatesOnlyTheRowAndScrollingMovesPixels)
{
    TScreen s("one\r\ntwo\r\nthree\r\nfour");
    s.e.SetRowCol(1, 1);
    s.host.ClearRecord();
    s.e.TypeText("x");
    ASSERT_FALSE(s.host.Invalidated.empty());
    for (const TRect& r : s.host.Invalidated)
        if (r.Top >= s.M().TopOffset) { // the ruler's caret-column cells aside
            EXPECT_GE(r.Top, s.M().RowTop(1));
            EXPECT_LE(r.Bottom, s.M().RowTop(2) + 1);
        }
    EXPECT_TRUE(s.host.Scrolls.empty());

    // A new row: the rows below move by one row height instead of being repainted.
    s.host.ClearRecord();
    s.e.Newline();
    ASSERT_EQ(s.host.Scrolls.size(), 1u);
    EXPECT_EQ(s.host.Scrolls[0].Dy, s.M().RowHeight);

    // Scrolling one row moves the pixels one row.
    std::string many;
    for (int i = 0; i < 100; ++i)
        many += "line\r\n";
    TScreen t(many);
    t.host.ClearRecord();
    t.e.VScroll(TScrollCode::LineDown);
    EXPECT_EQ(t.e.TopRow(), 1);
    ASSERT_EQ(t.host.Scrolls.size(), 1u);
    EXPECT_EQ(t.host.Scrolls[0].Dy, -t.M().RowHeight);
}
