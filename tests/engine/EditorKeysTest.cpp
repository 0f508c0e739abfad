#include <gtest/gtest.h>

#include "InputTestUtil.h"

using namespace enginetest;

namespace {

TEST(KeyBindings, RightAtTheRowEnd)
{
    THostedEditor t("ab\r\ncd");
    TEditor& e = t.e;
    e.SetRowCol(0, 2);
    Press(e, vkRight); // free caret: into the free area
    EXPECT_EQ(At(e), (TRowCol{0, 3}));

    e.Caret().SetFreeCaret(false);
    e.SetRowCol(0, 2);
    Press(e, vkRight); // neither free caret nor NextLine: stays
    EXPECT_EQ(At(e), (TRowCol{0, 2}));
    e.Caret().SetNextLine(true);
    Press(e, vkRight);
    EXPECT_EQ(At(e), (TRowCol{1, 0}));
    // Never past the last row that has no line break.
    e.SetRowCol(1, 2);
    Press(e, vkRight);
    EXPECT_EQ(At(e), (TRowCol{1, 2}));
    // Left at column 0 goes back to the end of the previous row.
    e.SetRowCol(1, 0);
    Press(e, vkLeft);
    EXPECT_EQ(At(e), (TRowCol{0, 2}));
    e.Caret().SetNextLine(false);
    e.SetRowCol(1, 0);
    Press(e, vkLeft);
    EXPECT_EQ(At(e), (TRowCol{1, 0}));
}

TEST(KeyBindings, RightAndLeftStepOverWholeCharactersAndFollowWrappedRows)
{
    THostedEditor t("a" + kKanji + "\tb");
    TEditor& e = t.e;
    std::vector<int> cols;
    for (int i = 0; i < 4; ++i) {
        Press(e, vkRight);
        cols.push_back(e.Col());
    }
    EXPECT_EQ(cols, (std::vector<int>{1, 3, 8, 9}));
    Press(e, vkLeft, 0, 2);
    EXPECT_EQ(e.Col(), 3);

    THostedEditor w(Repeat("abcd", 10));
    w.e.Caret().SetFreeCaret(false);
    w.e.WrapOption().SetWrapByte(20);
    w.e.SetWordWrap(true);
    ASSERT_GE(w.e.RowCount(), 2);
    w.e.SetRowCol(0, 19);
    Press(w.e, vkRight); // a wrapped row goes on in the next one without NextLine
    EXPECT_EQ(At(w.e), (TRowCol{1, 0}));
    Press(w.e, vkLeft);
    EXPECT_EQ(At(w.e), (TRowCol{0, 19}));
}

TEST(KeyBindings, UpDownKeepTheColumnAcrossDoubleByteRowsAndTabs)
{
    THostedEditor t("abcdefghij\r\n" + kKanji + kKanji + kKanji + "\r\n\tx\r\nabcdefghij");
    TEditor& e = t.e;
    e.Caret().SetFreeCaret(false);
    e.SetRowCol(0, 3);
    Press(e, vkDown);
    EXPECT_EQ(At(e), (TRowCol{1, 2})); // not on the second half of the kanji
    Press(e, vkDown);
    EXPECT_EQ(At(e), (TRowCol{2, 0})); // not in the tab's fill
    Press(e, vkDown);
    EXPECT_EQ(At(e), (TRowCol{3, 3}));
    Press(e, vkDown); // the last row has no line break: no row below it
    EXPECT_EQ(At(e), (TRowCol{3, 3}));
    Press(e, vkUp, 0, 3);
    EXPECT_EQ(At(e), (TRowCol{0, 3}));
    Press(e, vkUp);
    EXPECT_EQ(At(e), (TRowCol{0, 3}));
}

TEST(KeyBindings, CtrlUpDownScrollTheViewAndMoveTheCaretOnlyAtTheEdge)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "row " + std::to_string(i) + "\r\n";
    THostedEditor t(text);
    TEditor& e = t.e;
    const int rows = e.VisibleRows();
    ASSERT_GT(rows, 3);
    e.SetRowCol(2, 1);
    Press(e, vkDown, ssCtrl);
    EXPECT_EQ(e.TopRow(), 1);
    EXPECT_EQ(At(e), (TRowCol{2, 1}));
    Press(e, vkDown, ssCtrl, 2);
    EXPECT_EQ(e.TopRow(), 3);
    EXPECT_EQ(e.Row(), 3); // pushed along by the top edge
    Press(e, vkUp, ssCtrl, 3);
    EXPECT_EQ(e.TopRow(), 0);
    EXPECT_EQ(e.Row(), 3);
    e.SetRow(rows - 1);
    Press(e, vkUp, ssCtrl); // at the top already: nothing scrolls, nothing moves
    EXPECT_EQ(e.TopRow(), 0);
    EXPECT_EQ(e.Row(), rows - 1);
    e.SetTopRow(10);
    e.SetRow(10 + rows - 1);
    Press(e, vkUp, ssCtrl);
    EXPECT_EQ(e.TopRow(), 9);
    EXPECT_EQ(e.Row(), 9 + rows - 1);
}

TEST(KeyBindings, HomeEndAndTheirCtrlFormsOnATextEndingWithALineBreak)
{
    THostedEditor t("abc\r\nde\r\n");
    TEditor& e = t.e;
    e.SetRowCol(0, 1);
    Press(e, vkEnd);
    EXPECT_EQ(At(e), (TRowCol{0, 3}));
    Press(e, vkHome);
    EXPECT_EQ(At(e), (TRowCol{0, 0}));
    Press(e, vkEnd, ssCtrl); // the empty line after the final break
    EXPECT_EQ(At(e), (TRowCol{2, 0}));
    Press(e, vkHome, ssCtrl);
    EXPECT_EQ(At(e), (TRowCol{0, 0}));

    THostedEditor n("abc\r\nde");
    Press(n.e, vkEnd, ssCtrl);
    EXPECT_EQ(At(n.e), (TRowCol{1, 2}));
}

TEST(KeyBindings, ShiftExtendsTheSelectionAndPlainKeysDropIt)
{
    THostedEditor t("abc\r\ndef\r\n");
    TEditor& e = t.e;
    e.SetRowCol(0, 1);
    Press(e, vkDown, ssShift);
    EXPECT_EQ(e.SelText(), "bc\r\nd");
    Press(e, vkRight, ssShift);
    EXPECT_EQ(e.SelText(), "bc\r\nde");
    Press(e, vkLeft, ssShift | ssCtrl); // word left with Shift
    EXPECT_EQ(e.SelText(), "bc\r\n");
    Press(e, vkRight);
    EXPECT_FALSE(e.Selected());
    EXPECT_EQ(e.SelLength(), 0);
    Press(e, vkHome, ssShift);
    Press(e, vkEnd, ssShift);
    EXPECT_EQ(e.SelText(), "ef"); // from where the caret stood when Shift went down
    Press(e, vkDelete);
    EXPECT_EQ(t.Text(), "abc\r\nd\r\n");
}

TEST(KeyBindings, PageStepAtTheTopAndTheEnd)
{
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "line\r\n";
    THostedEditor t(text + "end");
    TEditor& e = t.e;
    const int p = (e.VisibleRows() / 2) * e.Speed().PageVerticalRange();
    e.SetRowCol(3, 2);
    Press(e, vkNext);
    EXPECT_EQ(e.TopRow(), p);
    EXPECT_EQ(At(e), (TRowCol{3 + p, 2}));
    Press(e, vkPrior);
    EXPECT_EQ(e.TopRow(), 0);
    EXPECT_EQ(e.Row(), 3);
    Press(e, vkPrior); // at the top: to the first row
    EXPECT_EQ(e.Row(), 0);

    // Down to the end: the caret reaches the last row although the view stops a page short.
    for (int i = 0; i < 200; ++i)
        Press(e, vkNext);
    EXPECT_EQ(e.Row(), 200);
    Press(e, vkNext);
    EXPECT_EQ(e.Row(), 200);

    // While the key repeats the accelerated factor applies, and the scroll bars wait.
    e.Speed().SetPageVerticalRangeAc(4);
    Press(e, vkHome, ssCtrl);
    t.host.ClearRecord();
    e.KeyDown(vkNext, 0, true);
    EXPECT_EQ(e.TopRow(), (e.VisibleRows() / 2) * 4);
    e.KeyDown(vkNext, 0, true);
    EXPECT_EQ(t.host.ScrollInfoCalls, 0);
    e.KeyUp(vkNext, 0);
    EXPECT_GT(t.host.ScrollInfoCalls, 0);
    EXPECT_EQ(t.host.VScroll.Pos, e.TopRow());
}

TEST(KeyBindings, WordRightAndLeftSkipSymbolsAndCrossRowsAndLines)
{
    THostedEditor t("foo, bar(baz)\r\n  qux\r\n");
    TEditor& e = t.e;
    std::vector<TRowCol> right;
    for (int i = 0; i < 6; ++i) {
        Press(e, vkRight, ssCtrl);
        right.push_back(At(e));
    }
    // The last line's end is as far as it goes: the row after the last is no row.
    EXPECT_EQ(right, (std::vector<TRowCol>{{0, 5}, {0, 9}, {0, 13}, {1, 2}, {1, 5}, {1, 5}}));
    std::vector<TRowCol> left;
    for (int i = 0; i < 6; ++i) {
        Press(e, vkLeft, ssCtrl);
        left.push_back(At(e));
    }
    EXPECT_EQ(left, (std::vector<TRowCol>{{1, 2}, {0, 13}, {0, 9}, {0, 5}, {0, 0}, {0, 0}}));
    // Column 0 of a line: the previous line's end, and no further.
    e.SetRowCol(1, 0);
    Press(e, vkLeft, ssCtrl);
    EXPECT_EQ(At(e), (TRowCol{0, 13}));
    e.SetRowCol(2, 0);
    Press(e, vkLeft, ssCtrl);
    Press(e, vkRight, ssCtrl);
    EXPECT_EQ(At(e), (TRowCol{2, 0}));

    // Wrapped rows: the way continues into the next and the previous row.
    THostedEditor w("alpha beta gamma delta epsilon");
    w.e.WrapOption().SetWrapByte(20);
    w.e.SetWordWrap(true);
    ASSERT_EQ(Dump(w.e), (std::vector<std::string>{"alpha beta gamma del|Wrapped", "ta epsilon|Eof"}));
    w.e.SetRowCol(0, 11);
    std::vector<TRowCol> way;
    for (int key : {vkRight, vkRight, vkRight, vkLeft, vkLeft, vkLeft}) {
        Press(w.e, key, ssCtrl);
        way.push_back(At(w.e));
    }
    EXPECT_EQ(way, (std::vector<TRowCol>{{0, 17}, {1, 0}, {1, 3}, {1, 0}, {0, 17}, {0, 11}}));

    // Tabs count as their cells.
    THostedEditor tab("\tab\tcd");
    Press(tab.e, vkRight, ssCtrl);
    EXPECT_EQ(tab.e.Col(), 8);
    Press(tab.e, vkRight, ssCtrl);
    EXPECT_EQ(tab.e.Col(), 16);
}

TEST(KeyBindings, UnboundKeysDoNothing)
{
    THostedEditor t("abc");
    EXPECT_FALSE(t.e.KeyDown('A', ssCtrl));
    EXPECT_FALSE(t.e.KeyDown(vkF1, 0));
    EXPECT_TRUE(t.e.KeyDown(vkDelete, 0));
    EXPECT_EQ(t.Text(), "bc");
    EXPECT_TRUE(t.e.WantsKey(vkReturn));
    t.e.SetWantReturns(false);
    EXPECT_FALSE(t.e.WantsKey(vkReturn));
    EXPECT_TRUE(t.e.WantsKey(vkTab));
    t.e.SetWantTabs(false);
    EXPECT_FALSE(t.e.WantsKey(vkTab));
    EXPECT_TRUE(t.e.WantsKey(vkLeft));
}

} // namespace
