#include <gtest/gtest.h>

#include "EditorTestUtil.h"

using namespace enginetest;

namespace {

TEST(CaretColumn, NeverRestsOnTheSecondHalfOfACharacterOrInTabFill)
{
    THostedEditor t("a" + kKanji + "b\r\n\tx\r\n");
    TEditor& e = t.e;
    e.SetCol(2); // the second cell of the kanji, moving right
    EXPECT_EQ(e.Col(), 3);
    e.SetCol(2); // the same cell moving left
    EXPECT_EQ(e.Col(), 1);

    e.SetRowCol(1, 0);
    e.SetCol(3); // inside the tab's fill, moving right: after the tab
    EXPECT_EQ(e.Col(), 8);
    e.SetCol(5); // moving left: onto the tab
    EXPECT_EQ(e.Col(), 0);
    e.SetRowCol(1, 5); // SetRowCol always goes back onto the tab
    EXPECT_EQ(e.Col(), 0);

    e.Caret().SetInTab(true);
    e.SetCol(3);
    EXPECT_EQ(e.Col(), 3);
}

TEST(CaretColumn, VerticalMovesRememberTheColumn)
{
    THostedEditor t("abcdefgh\r\nab\r\nabcdefgh\r\n");
    TEditor& e = t.e;
    e.Caret().SetFreeCaret(false);
    e.SetRowCol(0, 6);
    e.SetRow(1);
    EXPECT_EQ(e.Col(), 2);
    e.SetRow(2);
    EXPECT_EQ(e.Col(), 2); // without KeepCaret the short row's end wins

    e.Caret().SetKeepCaret(true);
    e.SetRowCol(0, 6);
    e.SetRow(1);
    EXPECT_EQ(e.Col(), 2);
    e.SetRow(2);
    EXPECT_EQ(e.Col(), 6);
    e.SetCol(5); // a horizontal move forgets it: 5 is remembered from now on
    e.SetRow(1);
    e.SetRow(0);
    EXPECT_EQ(e.Col(), 5);

    // Across a double-byte row the column drifts left only while on it.
    THostedEditor k("abcd\r\n" + kKanji + kKanji + "\r\nabcd\r\n");
    k.e.SetRowCol(0, 1);
    k.e.SetRow(1);
    EXPECT_EQ(k.e.Col(), 0);
    k.e.SetRow(2);
    EXPECT_EQ(k.e.Col(), 1);
}

TEST(CaretColumn, FreeCaretAndTheWrapEdge)
{
    THostedEditor t(Repeat("a", 30) + "\r\nabc\r\n");
    TEditor& e = t.e;
    e.WrapOption().SetWrapByte(20);
    e.SetWordWrap(true);
    ASSERT_EQ(Dump(e)[0], Repeat("a", 20) + "|Wrapped");
    e.SetRowCol(0, 20); // the end of a wrapped row is the next row's start
    EXPECT_EQ(e.Col(), 19);
    e.SetRowCol(1, 50); // free caret beyond a short last row of the line: up to the edge
    EXPECT_EQ(e.Col(), 19);
    e.SetRowCol(2, 15); // a free caret inside the edge may stay
    EXPECT_EQ(e.Col(), 15);

    e.SetWordWrap(false);
    e.SetRowCol(1, 50);
    EXPECT_EQ(e.Col(), 50);
    e.Caret().SetFreeCaret(false);
    e.SetCol(50);
    EXPECT_EQ(e.Col(), 3);
}

TEST(CaretColumn, ThousandColumnsAtMost)
{
    THostedEditor t(Repeat("a", 1200) + "\r\n" + Repeat("a", 999) + kKanji + "x\r\n");
    TEditor& e = t.e;
    e.SetCol(5000);
    EXPECT_EQ(e.Col(), 1000);
    e.SetRowCol(1, 1001); // after a double-byte character that starts in the last column
    EXPECT_EQ(e.Col(), 1001);
    e.SetRow(0);
    EXPECT_EQ(e.Col(), 1000);
}

TEST(CaretRow, ClampsToTheRowsAndTheLineAfterAFinalBreak)
{
    THostedEditor t("a\r\nb");
    t.e.SetRow(10);
    EXPECT_EQ(t.e.Row(), 1);
    t.e.SetRow(-3);
    EXPECT_EQ(t.e.Row(), 0);
    t.e.Lines().SetTextStr("a\r\nb\r\n");
    t.e.SetRow(10);
    EXPECT_EQ(t.e.Row(), 2);
    THostedEditor empty;
    empty.e.SetRowCol(5, 3);
    EXPECT_EQ(empty.e.Row(), 0);
}

TEST(CaretMoved, OneNotificationPerOperationAndNoneInsideAnUpdate)
{
    THostedEditor t("abc\r\ndef\r\n");
    TEditor& e = t.e;
    int moved = 0;
    e.OnCaretMoved = [&](TObject*) { ++moved; };
    e.SetRowCol(1, 2);
    EXPECT_EQ(moved, 1);
    e.TypeText("x");
    EXPECT_EQ(moved, 2);
    e.SetSelStart(1);
    EXPECT_EQ(moved, 3);
    e.Lines().BeginUpdate();
    e.SetRowCol(0, 1);
    e.TypeText("y");
    e.Newline();
    EXPECT_EQ(moved, 3);
    e.Lines().EndUpdate();
    EXPECT_EQ(moved, 4);
    e.SetOverWrite(true);
    EXPECT_EQ(moved, 5);
}

TEST(CaretMoved, ScrollsTheCaretIntoView)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += Repeat("x", 300) + "\r\n";
    THostedEditor t(text);
    TEditor& e = t.e;
    ASSERT_EQ(e.VisibleRows(), 25);
    ASSERT_EQ(e.VisibleCols(), 80);
    e.SetRow(50); // down: the caret row becomes the last visible one
    EXPECT_EQ(e.TopRow(), 26);
    e.SetRow(40); // still in view: nothing moves
    EXPECT_EQ(e.TopRow(), 26);
    e.SetRow(10); // up: the first visible one
    EXPECT_EQ(e.TopRow(), 10);
    e.SetCol(100); // right: a quarter of the view stays free after the caret
    EXPECT_EQ(e.TopCol(), 40);
    e.SetCol(30); // left: a quarter before it
    EXPECT_EQ(e.TopCol(), 10);
    EXPECT_EQ(t.host.VScroll.Pos, 10);
    EXPECT_EQ(t.host.HScroll.Pos, 10);

    e.SetFocused(true);
    const TEditorMetrics& m = e.Metrics();
    EXPECT_EQ(t.host.CaretPos, (TPoint{m.TextLeft + 20 * m.ColWidth, m.TopOffset}));

    // New text: caret and view back to the top, and the caret is placed there.
    int moved = 0;
    e.OnCaretMoved = [&](TObject*) { ++moved; };
    e.Lines().SetTextStr("new\r\n");
    EXPECT_EQ(e.TopRow(), 0);
    EXPECT_EQ(e.TopCol(), 0);
    EXPECT_EQ(moved, 1);
    EXPECT_EQ(t.host.CaretPos, (TPoint{m.TextLeft, m.TopOffset}));
}

TEST(CaretShape, FollowsModeStyleAndTheCharacterUnderTheCaret)
{
    THostedEditor t("a" + kKanji + "\r\n");
    TEditor& e = t.e;
    e.Margin().SetCharacter(2); // columns of 10 pixels, characters of 8
    e.SetFocused(true);
    EXPECT_TRUE(t.host.CaretVisible);
    EXPECT_EQ(t.host.CaretSize, (TSize{2, 16}));
    e.SetOverWrite(true);
    EXPECT_EQ(t.host.CaretSize, (TSize{8, 16}));
    e.SetCol(1);
    EXPECT_EQ(t.host.CaretSize, (TSize{16, 16}));
    e.SetOverWrite(false);
    e.Caret().SetStyle(csBrief);
    EXPECT_EQ(t.host.CaretSize, (TSize{16, 2}));
    EXPECT_TRUE(t.host.CaretVisible);

    e.CaretBeginUpdate();
    e.CaretBeginUpdate();
    EXPECT_FALSE(t.host.CaretVisible);
    e.CaretEndUpdate();
    EXPECT_FALSE(t.host.CaretVisible);
    e.CaretEndUpdate();
    EXPECT_TRUE(t.host.CaretVisible);
    e.SetFocused(false);
    EXPECT_FALSE(t.host.CaretCreated);
}

TEST(Metrics, FollowTheViewSettings)
{
    std::string text;
    for (int i = 0; i < 123456; ++i)
        text += "\r\n";
    THostedEditor t(text);
    TEditor& e = t.e;
    const TEditorMetrics& m = e.Metrics();
    EXPECT_EQ(m.TopOffset, 2 + 11); // margin and a ruler with its edge
    EXPECT_EQ(m.TextLeft, 19 + 4);  // image bar and left margin
    e.Leftbar().SetVisible(true);
    // 123456 rows and the empty line after the last break: 123457 needs 6 digits.
    EXPECT_EQ(m.LeftbarDigits, 6);
    EXPECT_EQ(m.LeftbarWidth, 0 + 6 * 8 + 2 + 2);
    EXPECT_EQ(m.TextLeft, 19 + 52 + 4);
    e.Ruler().SetVisible(false);
    e.Marks().Underline().SetVisible(true);
    EXPECT_EQ(m.TopOffset, 2);
    EXPECT_EQ(m.RowHeight, 17);
    EXPECT_EQ(m.VisibleRows, (440 - 2 - 5 - 16) / 17);
    EXPECT_EQ(t.host.VScroll, (TScrollInfo{0, 123456, m.VisibleRows, e.TopRow()}));
    e.SetScrollBars(ssNone);
    EXPECT_EQ(m.VisibleRows, (440 - 2 - 5) / 17);
}

// A file being read is measured before it has rows: the left bar it will need must be the one
// it gets, at every count where the numbers gain a digit and in every way of numbering.
TEST(Metrics, TheTextLeftForSoManyRowsIsTheOneTheyGet)
{
    THostedEditor t("");
    TEditor& e = t.e;
    for (int config = 0; config < 5; ++config) {
        e.Leftbar().SetVisible(config != 0);
        e.Leftbar().SetShowNumber(config != 4);
        e.Leftbar().SetShowNumberMode(config == 2 ? nmLine : nmRow);
        e.Leftbar().SetZeroBase(config == 3);
        for (int rows : {1, 2, 9, 10, 11, 99, 100, 101, 999, 1000, 9999, 10000, 10001}) {
            for (bool finalBreak : {false, true}) {
                std::string text;
                for (int i = 0; i < rows; ++i)
                    text += i + 1 < rows || finalBreak ? "x\r\n" : "x";
                e.Lines().SetTextStr("");
                const int expected = e.TextLeftForRows(rows, finalBreak);
                e.Lines().SetTextStr(text);
                ASSERT_EQ(e.Metrics().TextLeft, expected)
                    << "config " << config << ", " << rows << " rows, final break " << finalBreak;
            }
        }
    }
}

} // namespace

namespace {

// A new tab width moves the cells under a standing caret; it must not be left on the second
// half of a character or in tab fill, in this view or in another one on the same rows.
TEST(CaretNormalisation, ANewTabWidthMovesStandingCaretsOffHalvesAndFill)
{
    THostedEditor t("a\tbcdef" + kKanji + "\r\n");
    TEditor other;
    other.AttachTo(t.e);
    t.Caret(0, 10); // on 'd' at tab width 8
    other.SetRowCol(0, 10);
    t.e.Caret().SetTabSpaceCount(4); // now the second half of the kanji
    EXPECT_EQ(t.e.Col(), 9);
    EXPECT_EQ(other.Col(), 9);
    t.e.Caret().SetTabSpaceCount(8);
    t.Caret(0, 2); // in the tab's fill at width 8 is not allowed: the caret is at 1 or 8
    ASSERT_EQ(t.e.Col(), 1);
    t.e.Caret().SetInTab(true);
    t.Caret(0, 6);
    t.e.Caret().SetInTab(false);
    t.e.Caret().SetTabSpaceCount(8); // no change: nothing moves
    EXPECT_EQ(t.e.Col(), 6);
    t.e.Caret().SetTabSpaceCount(2); // the tab is one cell now; column 6 is 'f'
    EXPECT_EQ(t.e.Col(), 6);
    t.e.Caret().SetTabSpaceCount(4);
    t.e.Caret().SetInTab(true);
    t.Caret(0, 3);
    t.e.Caret().SetInTab(false);
    t.e.Caret().SetTabSpaceCount(8); // column 3 is fill again, and InTab is off
    EXPECT_EQ(t.e.Col(), 1);
}

} // namespace
