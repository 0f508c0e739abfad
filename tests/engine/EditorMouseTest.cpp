#include <gtest/gtest.h>

#include "InputTestUtil.h"

using namespace enginetest;

namespace {

void Click(TEditor& e, TPoint p, TShiftState shift = 0)
{
    e.MouseDown(mbLeft, shift, p);
    e.MouseUp(mbLeft, shift, p);
}

TEST(MouseSelection, PressRoundsToTheNearestCellAndDragsSelectCharacters)
{
    THostedEditor t("abcdef\r\nghijkl\r\n");
    TEditor& e = t.e;
    e.MouseDown(mbLeft, 0, CellPoint(e, 0, 1, true)); // right half of 'b': before 'c'
    EXPECT_EQ(At(e), (TRowCol{0, 2}));
    EXPECT_EQ(e.SelectionState(), 1);
    EXPECT_TRUE(t.host.Captured);
    EXPECT_TRUE(e.InputHeld());
    e.MouseMove(ssLeft, CellPoint(e, 1, 3));
    EXPECT_EQ(e.SelText(), "cdef\r\nghi");
    e.MouseMove(ssLeft, CellPoint(e, 0, 0)); // back across the anchor
    EXPECT_EQ(e.SelText(), "ab");
    e.MouseUp(mbLeft, 0, CellPoint(e, 0, 0));
    EXPECT_FALSE(t.host.Captured);
    EXPECT_FALSE(e.InputHeld());

    // Shift+press extends from the anchor.
    e.MouseDown(mbLeft, ssShift, CellPoint(e, 1, 1));
    e.MouseUp(mbLeft, ssShift, CellPoint(e, 1, 1));
    EXPECT_EQ(e.SelText(), "cdef\r\ng");
    // A plain press drops the selection.
    Click(e, CellPoint(e, 1, 4));
    EXPECT_FALSE(e.Selected());
    EXPECT_EQ(At(e), (TRowCol{1, 4}));
}

TEST(MouseSelection, AMoveUnderHalfACharacterSelectsNothing)
{
    THostedEditor t("abcdef");
    TEditor& e = t.e;
    const TPoint p = CellPoint(e, 0, 2);
    e.MouseDown(mbLeft, 0, p);
    e.MouseMove(ssLeft, {p.X + e.Metrics().ColWidth / 2 - 1, p.Y});
    EXPECT_EQ(e.SelectionState(), 1);
    e.MouseMove(ssLeft, {p.X + e.Metrics().ColWidth / 2 + e.Metrics().ColWidth, p.Y});
    EXPECT_EQ(e.SelText(), "cd");
    e.MouseUp(mbLeft, 0, p);
}

TEST(MouseSelection, LeftBarSelectsWholeRowsAndKeepsTheAnchorRow)
{
    THostedEditor t("r0\r\nr1\r\nr2\r\nr3\r\nr4");
    TEditor& e = t.e;
    e.Leftbar().SetVisible(true);
    const int barX = e.Metrics().ImagebarWidth + 1; // the row numbers
    auto rowPoint = [&](int row) { return TPoint{barX, CellPoint(e, row, 0).Y}; };
    ASSERT_LT(barX, e.Metrics().TextLeft);
    e.MouseDown(mbLeft, 0, rowPoint(2));
    EXPECT_EQ(e.SelText(), "r2\r\n");
    EXPECT_EQ(At(e), (TRowCol{2, 0}));
    EXPECT_TRUE(e.RowSelecting());
    e.MouseMove(ssLeft, rowPoint(3));
    EXPECT_EQ(e.SelText(), "r2\r\nr3\r\n");
    e.MouseMove(ssLeft, rowPoint(1)); // reversed across the anchor: row 2 stays in
    EXPECT_EQ(e.SelText(), "r1\r\nr2\r\n");
    EXPECT_EQ(At(e), (TRowCol{1, 0}));
    e.MouseMove(ssLeft, rowPoint(4)); // the last row has no break: to its end
    EXPECT_EQ(e.SelText(), "r2\r\nr3\r\nr4");
    e.MouseMove(ssLeft, rowPoint(40)); // below the text: the last row
    EXPECT_EQ(e.SelText(), "r2\r\nr3\r\nr4");
    e.MouseUp(mbLeft, 0, rowPoint(4));
    EXPECT_FALSE(e.RowSelecting());

    // Pressed on the last row, and below it.
    e.MouseDown(mbLeft, 0, rowPoint(30));
    EXPECT_EQ(e.SelText(), "r4");
    e.MouseMove(ssLeft, rowPoint(3));
    EXPECT_EQ(e.SelText(), "r3\r\nr4");
    e.MouseUp(mbLeft, 0, rowPoint(3));
}

TEST(MouseSelection, MovingAboveTheTextScrollsUp)
{
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "x\r\n";
    THostedEditor t(text);
    TEditor& e = t.e;
    e.SetTopRow(20);
    e.MouseDown(mbLeft, 0, CellPoint(e, 25, 0));
    e.MouseMove(ssLeft, {CellPoint(e, 25, 0).X, 0});
    EXPECT_EQ(e.TopRow(), 19);
    e.MouseMove(ssLeft, {CellPoint(e, 25, 0).X, 0});
    EXPECT_EQ(e.TopRow(), 18);
    EXPECT_EQ(e.Row(), 18);
    e.MouseUp(mbLeft, 0, {0, 0});
}

TEST(MouseCursor, ShapesByArea)
{
    THostedEditor t("abcdef");
    TEditor& e = t.e;
    const TEditorCursors& c = e.Caret().Cursors();
    e.MouseMove(0, {1, CellPoint(e, 0, 0).Y});
    EXPECT_EQ(t.host.Cursor, c.LeftMarginCursor());
    e.MouseMove(0, {CellPoint(e, 0, 0).X, 0});
    EXPECT_EQ(t.host.Cursor, c.TopMarginCursor());
    e.MouseMove(0, CellPoint(e, 0, 3));
    EXPECT_EQ(t.host.Cursor, c.DefaultCursor());
    e.SetRowCol(0, 1);
    e.StartSelection();
    e.SetCol(4);
    e.ExtendSelection();
    e.MouseMove(0, CellPoint(e, 0, 3));
    EXPECT_EQ(t.host.Cursor, c.InSelCursor());
    e.MouseMove(0, CellPoint(e, 0, 5));
    EXPECT_EQ(t.host.Cursor, c.DefaultCursor());
    EXPECT_EQ(c.DefaultCursor(), crIBeam);
    EXPECT_EQ(c.LeftMarginCursor(), crRightArrow);

    t.host.Cursor = 99;
    e.Caret().SetAutoCursor(false);
    e.MouseMove(0, {1, 1});
    EXPECT_EQ(t.host.Cursor, 99);
}

struct TDragFixture : ::testing::Test {
    THostedEditor t{"one two three\r\nfour five\r\n"};
    TEditor& e = t.e;
    void SetUp() override
    {
        // "two " selected.
        e.SetRowCol(0, 4);
        e.StartSelection();
        e.SetCol(8);
        e.ExtendSelection();
        ASSERT_EQ(e.SelText(), "two ");
    }
};

TEST_F(TDragFixture, PressAndReleaseInsideTheSelectionPlacesTheCaret)
{
    e.MouseDown(mbLeft, 0, CellPoint(e, 0, 6));
    EXPECT_EQ(e.DragState(), 1);
    EXPECT_TRUE(e.Selected());
    EXPECT_FALSE(t.host.Captured);
    e.KeyDown(vkRight, 0); // keys wait while a drag is pending
    e.CharMessage("x");
    EXPECT_EQ(At(e), (TRowCol{0, 6}));
    e.MouseUp(mbLeft, 0, CellPoint(e, 0, 6));
    EXPECT_EQ(e.DragState(), 0);
    EXPECT_FALSE(e.Selected());
    EXPECT_EQ(At(e), (TRowCol{0, 6}));
    EXPECT_EQ(t.Text(), "one two three\r\nfour five\r\n");
}

TEST_F(TDragFixture, MoveDropIsOneUndoableReplacement)
{
    e.MouseDown(mbLeft, 0, CellPoint(e, 0, 5));
    e.MouseMove(ssLeft, CellPoint(e, 1, 5));
    EXPECT_EQ(e.DragState(), 2);
    EXPECT_EQ(t.host.Cursor, e.Caret().Cursors().DragSelCursor());
    EXPECT_TRUE(e.InputHeld());
    e.MouseMove(ssLeft | ssCtrl, CellPoint(e, 1, 5));
    EXPECT_EQ(t.host.Cursor, e.Caret().Cursors().DragSelCopyCursor());
    e.MouseUp(mbLeft, 0, CellPoint(e, 1, 5)); // Ctrl let go: a move
    EXPECT_EQ(t.Text(), "one three\r\nfour two five\r\n");
    EXPECT_EQ(At(e), (TRowCol{1, 9}));
    EXPECT_FALSE(e.Selected());
    e.Undo();
    EXPECT_EQ(t.Text(), "one two three\r\nfour five\r\n");
    e.Redo();
    EXPECT_EQ(t.Text(), "one three\r\nfour two five\r\n");
}

TEST_F(TDragFixture, MoveLeftwardsAndCopyDrop)
{
    e.MouseDown(mbLeft, 0, CellPoint(e, 0, 5));
    e.MouseMove(ssLeft, CellPoint(e, 0, 0));
    e.MouseUp(mbLeft, 0, CellPoint(e, 0, 0));
    EXPECT_EQ(t.Text(), "two one three\r\nfour five\r\n");
    EXPECT_EQ(At(e), (TRowCol{0, 4}));

    e.SetRowCol(0, 0);
    e.StartSelection();
    e.SetCol(3);
    e.ExtendSelection();
    e.MouseDown(mbLeft, 0, CellPoint(e, 0, 1));
    e.MouseMove(ssLeft | ssCtrl, CellPoint(e, 1, 0));
    e.MouseUp(mbLeft, ssCtrl, CellPoint(e, 1, 0));
    EXPECT_EQ(t.Text(), "two one three\r\ntwofour five\r\n");
    e.Undo();
    EXPECT_EQ(t.Text(), "two one three\r\nfour five\r\n");
}

TEST_F(TDragFixture, MoveIntoTheFreeAreaPadsWithSpaces)
{
    e.MouseDown(mbLeft, 0, CellPoint(e, 0, 5));
    e.MouseMove(ssLeft, CellPoint(e, 1, 12));
    e.MouseUp(mbLeft, 0, CellPoint(e, 1, 12));
    EXPECT_EQ(t.Text(), "one three\r\nfour five   two \r\n");
    EXPECT_EQ(At(e), (TRowCol{1, 16}));
    e.Undo();
    EXPECT_EQ(t.Text(), "one two three\r\nfour five\r\n");
}

TEST_F(TDragFixture, DropOntoItselfOrOutsideChangesNothing)
{
    e.MouseDown(mbLeft, 0, CellPoint(e, 0, 5));
    e.MouseMove(ssLeft, CellPoint(e, 0, 7));
    EXPECT_EQ(e.DragState(), 2);
    e.MouseUp(mbLeft, 0, CellPoint(e, 0, 7));
    EXPECT_EQ(t.Text(), "one two three\r\nfour five\r\n");
    EXPECT_FALSE(e.CanUndo());
    EXPECT_FALSE(e.Selected());

    SetUp();
    e.MouseDown(mbLeft, 0, CellPoint(e, 0, 5));
    e.MouseMove(ssLeft, CellPoint(e, 1, 2));
    e.MouseUp(mbLeft, 0, {-5, 100000});
    EXPECT_EQ(t.Text(), "one two three\r\nfour five\r\n");
}

TEST_F(TDragFixture, EscapeCancelsAndCtrlSwitchesTheCursor)
{
    e.MouseDown(mbLeft, 0, CellPoint(e, 0, 5));
    e.MouseMove(ssLeft, CellPoint(e, 1, 2));
    e.KeyDown(vkControl, ssCtrl);
    EXPECT_EQ(t.host.Cursor, e.Caret().Cursors().DragSelCopyCursor());
    e.KeyUp(vkControl, 0);
    EXPECT_EQ(t.host.Cursor, e.Caret().Cursors().DragSelCursor());
    e.KeyDown(vkEscape, 0);
    EXPECT_EQ(e.DragState(), 0);
    EXPECT_FALSE(e.Selected());
    EXPECT_EQ(t.host.Cursor, e.Caret().Cursors().DefaultCursor());
    e.MouseUp(mbLeft, 0, CellPoint(e, 1, 2));
    EXPECT_EQ(t.Text(), "one two three\r\nfour five\r\n");
}

TEST_F(TDragFixture, NoDragWhenReadOnlyOrInBoxModeOrWithoutSelMove)
{
    e.SetReadOnly(true);
    e.MouseDown(mbLeft, 0, CellPoint(e, 0, 5));
    EXPECT_EQ(e.DragState(), 0);
    EXPECT_EQ(e.SelectionState(), 1); // an ordinary press
    e.MouseUp(mbLeft, 0, CellPoint(e, 0, 5));
    e.SetReadOnly(false);
    SetUp();
    e.Caret().SetSelMove(false);
    e.MouseDown(mbLeft, 0, CellPoint(e, 0, 5));
    EXPECT_EQ(e.DragState(), 0);
    e.MouseUp(mbLeft, 0, CellPoint(e, 0, 5));
}

TEST(MouseFilter, HeldButtonAndFocus)
{
    THostedEditor t("abc");
    TEditor& e = t.e;
    int dbl = 0;
    e.OnDblClick = [&](TObject*) { ++dbl; };
    EXPECT_FALSE(t.host.Focus);
    e.MouseDown(mbRight, 0, CellPoint(e, 0, 1)); // any button takes the focus
    EXPECT_TRUE(t.host.Focus);
    EXPECT_TRUE(e.Focused());
    EXPECT_EQ(At(e), (TRowCol{0, 0}));
    e.MouseDown(mbLeft, 0, CellPoint(e, 0, 1));
    EXPECT_FALSE(e.DblClick(0, CellPoint(e, 0, 1)));
    e.CharMessage("z");
    EXPECT_FALSE(e.KeyDown(vkEnd, 0));
    EXPECT_EQ(t.Text(), "abc");
    e.MouseUp(mbLeft, 0, CellPoint(e, 0, 1));
    EXPECT_TRUE(e.DblClick(0, CellPoint(e, 0, 1)));
    EXPECT_EQ(dbl, 1);
    // Losing the focus mid-gesture ends it.
    e.MouseDown(mbLeft, 0, CellPoint(e, 0, 1));
    e.FocusLost();
    EXPECT_FALSE(e.InputHeld());
    EXPECT_FALSE(t.host.Captured);
}

TEST(MouseFilter, AReleaseTheWindowMissedEndsTheGesture)
{
    THostedEditor t("one two three");
    TEditor& e = t.e;
    e.SetRowCol(0, 4);
    e.StartSelection();
    e.SetCol(8);
    e.ExtendSelection();
    e.MouseDown(mbLeft, 0, CellPoint(e, 0, 5));
    e.MouseMove(ssLeft, CellPoint(e, 0, 12));
    ASSERT_EQ(e.DragState(), 2);
    e.MouseMove(0, CellPoint(e, 0, 0)); // the button is up already
    EXPECT_EQ(e.DragState(), 0);
    EXPECT_FALSE(e.InputHeld());
    EXPECT_EQ(t.Text(), "one two three");
    e.CharMessage("x"); // input works again
    EXPECT_EQ(t.Text(), "one two threxe");
}

TEST(MouseFilter, PointsFarOutsideTheWindow)
{
    THostedEditor t("ab\r\n" + kKanji + "cd\r\nef");
    TEditor& e = t.e;
    for (TPoint p : {TPoint{-2000000000, -2000000000}, TPoint{2000000000, 2000000000}, TPoint{-1, 5},
                     TPoint{5, 2000000000}, TPoint{2000000000, -7}}) {
        e.MouseDown(mbLeft, 0, p);
        e.MouseMove(ssLeft, {-p.X, p.Y});
        e.MouseUp(mbLeft, 0, p);
        EXPECT_GE(e.Row(), 0);
        EXPECT_LE(e.Row(), e.MaxCaretRow());
        EXPECT_GE(e.Col(), 0);
        int row, byte;
        EXPECT_FALSE(e.PosToRowByte(p, row, byte));
        (void)e.EMCharFromPos(p);
    }
    EXPECT_EQ(t.Text(), "ab\r\n" + kKanji + "cd\r\nef");
}

TEST(HitTest, PosToRowByteAndTokens)
{
    THostedEditor t("a\t" + kKanji + kKanji + "x  foo_bar");
    TEditor& e = t.e;
    int row = -1, byte = -1;
    ASSERT_TRUE(e.PosToRowByte(CellPoint(e, 0, 5), row, byte)); // inside the tab's fill
    EXPECT_EQ(byte, 1);
    ASSERT_TRUE(e.PosToRowByte(CellPoint(e, 0, 9), row, byte)); // second half of the first kanji
    EXPECT_EQ(byte, 2);
    ASSERT_TRUE(e.PosToRowByte(CellPoint(e, 0, 8, true), row, byte)); // not rounded
    EXPECT_EQ(byte, 2);
    EXPECT_FALSE(e.PosToRowByte(CellPoint(e, 0, 30), row, byte)); // past the row's end
    EXPECT_FALSE(e.PosToRowByte(CellPoint(e, 1, 0), row, byte));  // past the last row
    EXPECT_FALSE(e.PosToRowByte({1, CellPoint(e, 0, 0).Y}, row, byte));
    EXPECT_FALSE(e.PosToRowByte({CellPoint(e, 0, 0).X, 1}, row, byte));

    TTokenAtPos tok = e.TokenAtPos(CellPoint(e, 0, 17));
    EXPECT_EQ(tok.Text, "foo_bar");
    EXPECT_EQ(tok.Byte, 9);
    EXPECT_EQ(e.TokenAtPos(CellPoint(e, 0, 11)).Text, kKanji + kKanji);
    EXPECT_EQ(e.TokenAtPos(CellPoint(e, 0, 14)).Kind, 0); // a space: no token
    e.SelectTokenAtPos(CellPoint(e, 0, 18));
    EXPECT_EQ(e.SelText(), "foo_bar");
    e.SetRowCol(0, 8);
    EXPECT_EQ(e.TokenAtPos().Text, kKanji + kKanji);
    EXPECT_TRUE(THostedEditor().e.TokenAtPos(CellPoint(e, 0, 0)).Text.empty());

    // A token that goes on across a wrapped row is found whole from either part.
    THostedEditor w(Repeat("k", 30));
    w.e.WrapOption().SetWrapByte(20);
    w.e.SetWordWrap(true);
    ASSERT_EQ(w.e.RowCount(), 2);
    EXPECT_EQ(w.e.TokenAtPos(CellPoint(w.e, 1, 3)).Text, Repeat("k", 30));
    w.e.SelectTokenAtPos(CellPoint(w.e, 1, 3));
    EXPECT_EQ(w.e.SelLength(), 30);
}

} // namespace
