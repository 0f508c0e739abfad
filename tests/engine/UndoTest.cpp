#include <gtest/gtest.h>

#include "EngineTestUtil.h"

using namespace enginetest;

namespace {

// Types one character at the caret the way an editing operation does: one replacement of the
// caret row, then the caret after the character.
void Type(TEditor& e, char c)
{
    std::string row(e.RowText(e.Row()));
    std::size_t at = static_cast<std::size_t>(e.Col());
    row.insert(at, 1, c);
    bool brk = e.ListRows().RowEnd(e.Row()) == reBreak;
    if (e.Row() == e.RowCount()) {
        e.ListRows().ReplaceRows(e.Row(), 0, std::string(1, c));
    } else {
        e.ListRows().ReplaceRows(e.Row(), 1, brk ? row + "\r\n" : row);
    }
    e.SetCaretByOffset(e.Row(), static_cast<std::int64_t>(at) + 1);
}

TEST(Undo, EachKeystrokeIsOneEntryAndUndoPutsTheCaretBack)
{
    TEditor e;
    e.Lines().SetTextStr("\r\n");
    for (char c : std::string("abc"))
        Type(e, c);
    EXPECT_EQ(e.Lines().GetTextStr(), "abc\r\n");
    EXPECT_EQ(e.Col(), 3);
    for (int k = 2; k >= 0; --k) {
        ASSERT_TRUE(e.CanUndo());
        e.Undo();
        EXPECT_EQ(e.Col(), k);
        EXPECT_EQ(e.Lines().GetTextStr(), std::string("abc").substr(0, static_cast<std::size_t>(k)) + "\r\n");
    }
    EXPECT_FALSE(e.CanUndo());
    for (int k = 1; k <= 3; ++k) {
        e.Redo();
        EXPECT_EQ(e.Lines().GetTextStr(), std::string("abc").substr(0, static_cast<std::size_t>(k)) + "\r\n");
        EXPECT_EQ(e.Col(), k); // where the caret stood before the undo
    }
    EXPECT_FALSE(e.CanRedo());
}

TEST(Undo, HistoryKeepsAtLeastSixtyFourEntries)
{
    TEditor e;
    e.SetUndoListMax(10);
    EXPECT_EQ(e.UndoListMax(), 64);
    e.Lines().SetTextStr("\r\n");
    for (int i = 0; i < 70; ++i)
        Type(e, 'x');
    int undone = 0;
    while (e.CanUndo()) {
        e.Undo();
        ++undone;
    }
    EXPECT_EQ(undone, 64);
    EXPECT_EQ(e.Lines().GetTextStr(), Repeat("x", 6) + "\r\n");
    e.SetUndoListMax(200);
    for (int i = 0; i < 150; ++i)
        Type(e, 'y');
    undone = 0;
    while (e.CanUndo()) {
        e.Undo();
        ++undone;
    }
    EXPECT_EQ(undone, 150);
}

TEST(Undo, ANewEditEmptiesRedo)
{
    TEditor e;
    e.Lines().SetTextStr("\r\n");
    Type(e, 'a');
    Type(e, 'b');
    e.Undo();
    EXPECT_TRUE(e.CanRedo());
    Type(e, 'c');
    EXPECT_FALSE(e.CanRedo());
    EXPECT_EQ(e.Lines().GetTextStr(), "ac\r\n");
}

TEST(Undo, InsertionAtTheEndOfATextWithoutFinalBreakRestoresTheEofRow)
{
    TEditor e;
    e.Lines().SetTextStr("abc");
    e.ListRows().ReplaceRows(0, 1, "abc\r\nmore");
    EXPECT_EQ(Dump(e), (std::vector<std::string>{"abc|Break", "more|Eof"}));
    e.Undo();
    EXPECT_EQ(Dump(e), (std::vector<std::string>{"abc|Eof"}));
    e.Redo();
    EXPECT_EQ(e.Lines().GetTextStr(), "abc\r\nmore");
}

TEST(Undo, WholeLineDeletionComesBackWithItsRows)
{
    TEditor e;
    e.WrapOption().SetWrapByte(20);
    e.SetWordWrap(true);
    e.Lines().SetTextStr("top\r\n" + Repeat("w", 45) + "\r\nend\r\n");
    ASSERT_EQ(e.RowCount(), 5);
    e.Lines().Delete(1);
    EXPECT_EQ(e.Lines().GetTextStr(), "top\r\nend\r\n");
    e.Undo();
    EXPECT_EQ(e.Lines().GetTextStr(), "top\r\n" + Repeat("w", 45) + "\r\nend\r\n");
    EXPECT_EQ(e.RowCount(), 5);
}

TEST(Undo, UndoInsideAWrappedLineThatEndsExactlyAtTheEdge)
{
    // The old text of a range that ended inside a wrapped line must not come back with an
    // extra empty row.
    TEditor e;
    e.WrapOption().SetWrapByte(20);
    e.SetWordWrap(true);
    e.Lines().SetTextStr(Repeat("a", 20) + Repeat("b", 20) + "c\r\n");
    std::vector<std::string> before = Dump(e);
    e.ListRows().ReplaceRows(0, 1, Repeat("A", 20));
    e.Undo();
    EXPECT_EQ(Dump(e), before);
}

TEST(Undo, SwitchingWrapOrItsOptionsClearsTheHistory)
{
    TEditor e;
    e.Lines().SetTextStr("\r\n");
    Type(e, 'a');
    Type(e, 'b');
    e.Undo();
    ASSERT_TRUE(e.CanUndo() && e.CanRedo());
    e.SetWordWrap(true);
    EXPECT_FALSE(e.CanUndo());
    EXPECT_FALSE(e.CanRedo());
    Type(e, 'c');
    e.WrapOption().SetWrapByte(30);
    EXPECT_FALSE(e.CanUndo());
    Type(e, 'd');
    e.Lines().SetTextStr("x");
    EXPECT_FALSE(e.CanUndo());
}

TEST(Undo, TwoEditorsOnOneStoreShareTheHistory)
{
    TEditor a, b;
    a.Lines().SetTextStr("one\r\n");
    b.AttachTo(a);
    EXPECT_EQ(b.Lines().GetTextStr(), "one\r\n");
    int changesA = 0, changesB = 0;
    a.OnChange = [&](TObject*) { ++changesA; };
    b.OnChange = [&](TObject*) { ++changesB; };
    b.ListRows().ReplaceRows(0, 1, "two\r\n");
    EXPECT_EQ(a.Lines().GetTextStr(), "two\r\n");
    EXPECT_EQ(changesA, 1);
    EXPECT_EQ(changesB, 1);
    EXPECT_TRUE(a.CanUndo());
    a.Undo();
    EXPECT_EQ(b.Lines().GetTextStr(), "one\r\n");
}

// Either view of a split window may undo; the other has the focus or not. Every view's caret
// ends on a whole character, and the caret of the view that undoes goes back to where it stood.
TEST(Undo, FromEitherOfTwoViewsLeavesEveryCaretOnAWholeCharacter)
{
    for (bool undoInFirst : {true, false}) {
        TEditor a, b;
        a.Lines().SetTextStr("a" + kKatakanaA + "\r\n");
        b.AttachTo(a);
        b.SetFocused(true);
        a.SetRowCol(0, 1);
        a.TypeText("b");
        b.SetRowCol(0, 2); // between "ab" and the katakana
        ASSERT_EQ(a.Col(), 2);
        TEditor& undoer = undoInFirst ? a : b;
        undoer.Undo();
        ASSERT_EQ(a.Lines().GetTextStr(), "a" + kKatakanaA + "\r\n");
        EXPECT_EQ(undoer.Col(), 1) << undoInFirst; // where the first view typed
        for (TEditor* e : {&a, &b})
            EXPECT_NE(e->Col(), 2) << undoInFirst << ": a caret on the second half of a character";
        undoer.TypeText("c");
        EXPECT_EQ(a.Lines().GetTextStr(), "ac" + kKatakanaA + "\r\n") << undoInFirst;
        undoer.Undo();
        undoer.Redo();
        EXPECT_EQ(undoer.Col(), 2) << undoInFirst; // where it stood before the undo
        EXPECT_EQ(a.Lines().GetTextStr(), "ac" + kKatakanaA + "\r\n") << undoInFirst;
    }
}

} // namespace
