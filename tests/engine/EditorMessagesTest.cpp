#include <gtest/gtest.h>

#include "InputTestUtil.h"

using namespace enginetest;

namespace {

TEST(EditMessages, TextAndSelection)
{
    THostedEditor t("abc\r\n" + kKanji + "de\r\nf");
    TEditor& e = t.e;
    char buf[8];
    EXPECT_EQ(e.WMGetText(buf), 7);
    EXPECT_EQ(std::string(buf), "abc\r\n" + kKanji);
    char big[64];
    EXPECT_EQ(e.WMGetText(big), e.WMGetTextLength());
    EXPECT_EQ(e.WMGetText(std::span<char>()), 0);

    e.EMSetSel(9, 2);
    std::int64_t s = -1, en = -1;
    EXPECT_EQ(e.EMGetSel(&s, &en), (9u << 16) | 2u);
    EXPECT_EQ(s, 2);
    EXPECT_EQ(en, 9);
    EXPECT_EQ(e.SelText(), "c\r\n" + kKanji + "de");
    e.EMSetSel(0, -1);
    EXPECT_EQ(e.SelLength(), e.TextLength());
    e.EMSetSel(-1, 0);
    EXPECT_FALSE(e.Selected());
    e.EMSetSel(8, -1); // a negative end is the end of the text
    EXPECT_EQ(e.SelText(), "e\r\nf");
    e.EMSetSel(5000, 4000); // past the end: clamped
    EXPECT_EQ(e.SelLength(), 0);
    EXPECT_EQ(e.SelStart(), e.TextLength());

    e.EMReplaceSel("XY");
    EXPECT_EQ(t.Text(), "abc\r\n" + kKanji + "de\r\nfXY");
    e.EMSetReadOnly(true);
    e.EMReplaceSel("Z");
    EXPECT_FALSE(e.EMCanUndo());
    EXPECT_FALSE(e.EMUndo());
    e.EMSetModify(false);
    EXPECT_TRUE(e.EMGetModify());
    e.EMSetReadOnly(false);
    EXPECT_TRUE(e.EMUndo());
    EXPECT_EQ(t.Text(), "abc\r\n" + kKanji + "de\r\nf");
    e.EMSetModify(false);
    EXPECT_FALSE(e.EMGetModify());
    e.EMEmptyUndoBuffer();
    EXPECT_FALSE(e.CanRedo());
}

TEST(EditMessages, RowsAndOffsets)
{
    THostedEditor t("abc\r\n" + kKanji + "de\r\nf");
    TEditor& e = t.e;
    EXPECT_EQ(e.EMGetLineCount(), 3);
    EXPECT_EQ(e.EMLineIndex(0), 0);
    EXPECT_EQ(e.EMLineIndex(1), 5);
    EXPECT_EQ(e.EMLineIndex(2), 11);
    EXPECT_EQ(e.EMLineIndex(3), -1);
    EXPECT_EQ(e.EMLineIndex(-7), -1);
    e.SetRowCol(1, 2);
    EXPECT_EQ(e.EMLineIndex(-1), 5);

    EXPECT_EQ(e.EMLineFromChar(0), 0);
    EXPECT_EQ(e.EMLineFromChar(4), 0); // between CR and LF
    EXPECT_EQ(e.EMLineFromChar(5), 1);
    EXPECT_EQ(e.EMLineFromChar(100), 2);
    EXPECT_EQ(e.EMLineFromChar(-1), 1);
    EXPECT_EQ(e.EMLineLength(6), 4);
    EXPECT_EQ(e.EMLineLength(11), 1);
    EXPECT_EQ(e.EMLineLength(500), 0);
    EXPECT_EQ(e.EMLineLength(-1), 4);
    e.EMSetSel(1, 7); // "bc\r\n" and the kanji
    EXPECT_EQ(e.EMLineLength(-1), 1 + 2);
    EXPECT_EQ(e.EMLineFromChar(-1), 0);

    char buf[3] = {'?', '?', '?'};
    EXPECT_EQ(e.EMGetLine(1, buf), 3);
    EXPECT_EQ(std::string(buf, 3), kKanji + "d");
    char none[4] = {'#', '#', '#', '#'};
    EXPECT_EQ(e.EMGetLine(3, none), 0); // past the end copies nothing
    EXPECT_EQ(e.EMGetLine(-1, none), 0);
    EXPECT_EQ(std::string(none, 4), "####");
}

TEST(EditMessages, ScreenPositions)
{
    THostedEditor t("abc\r\n" + kKanji + "de\r\nf");
    TEditor& e = t.e;
    const TEditorMetrics& m = e.Metrics();
    EXPECT_EQ(e.EMPosFromChar(8), (TPoint{m.TextLeft + 3 * m.ColWidth, m.TopOffset + m.RowHeight}));
    EXPECT_EQ(e.EMPosFromChar(6), (TPoint{m.TextLeft, m.TopOffset + m.RowHeight})); // inside the kanji
    EXPECT_EQ(e.EMCharFromPos(CellPoint(e, 1, 1)), (1 << 16) | 5); // its second half
    EXPECT_EQ(e.EMCharFromPos(CellPoint(e, 1, 2)), (1 << 16) | 7);
    EXPECT_EQ(e.EMCharFromPos(CellPoint(e, 0, 50)), 3);
    EXPECT_EQ(e.EMCharFromPos({-1, 10}), -1);
    EXPECT_EQ(e.EMCharFromPos({10, t.host.Client.Height}), -1);
    EXPECT_EQ(e.EMGetFirstVisibleLine(), 0);

    std::string text;
    for (int i = 0; i < 300; ++i)
        text += Repeat("x", 150) + "\r\n";
    THostedEditor s(text);
    s.e.SetRowCol(200, 140);
    s.e.SetTopRow(0);
    s.e.SetTopCol(0);
    s.e.EMScrollCaret();
    EXPECT_EQ(s.e.TopRow(), 200 - s.e.VisibleRows() / 3);
    EXPECT_EQ(s.e.TopCol(), 140 - s.e.VisibleCols() / 3);
    const int top = s.e.TopRow();
    s.e.EMScrollCaret(); // in view now: nothing moves
    EXPECT_EQ(s.e.TopRow(), top);
}

} // namespace
