#include <gtest/gtest.h>

#include "EngineTestUtil.h"

using namespace enginetest;

namespace {

TEST(Text, SplittingAndJoiningAreByteExact)
{
    struct Case {
        std::string in;
        std::vector<std::string> rows;
        std::string out;
    };
    const Case cases[] = {
        {"abc", {"abc|Eof"}, "abc"},
        {"abc\r\n", {"abc|Break"}, "abc\r\n"},
        {"a\rb\nc\r\n", {"a|Break", "b|Break", "c|Break"}, "a\r\nb\r\nc\r\n"},
        {"a\n\rb", {"a|Break", "|Break", "b|Eof"}, "a\r\n\r\nb"},
        {"\r\n\r\n", {"|Break", "|Break"}, "\r\n\r\n"},
        {"", {}, ""},
        // NUL is an ordinary byte: nothing after it is lost.
        {std::string("a\0b\r\nc", 6), {std::string("a\0b|Break", 9), "c|Eof"}, std::string("a\0b\r\nc", 6)},
    };
    for (const Case& c : cases) {
        TEditor e;
        e.Lines().SetTextStr(c.in);
        EXPECT_EQ(Dump(e), c.rows);
        EXPECT_EQ(e.Lines().GetTextStr(), c.out);
    }
}

TEST(Text, LinesAddKeepsWhetherTheTextEndsWithABreak)
{
    TEditor e;
    e.Lines().SetTextStr("abc");
    EXPECT_EQ(e.Lines().Add("x"), 1);
    EXPECT_EQ(e.Lines().GetTextStr(), "abc\r\nx");
    e.Lines().SetTextStr("abc\r\n");
    EXPECT_EQ(e.Lines().Add("x"), 1);
    EXPECT_EQ(e.Lines().GetTextStr(), "abc\r\nx\r\n");
    EXPECT_EQ(e.Row(), 2);
    TEditor empty;
    empty.Lines().Add("first");
    EXPECT_EQ(empty.Lines().GetTextStr(), "first\r\n");
}

TEST(Text, LinesOperationsPutTheCaretAfterTextWithLoneBreaks)
{
    TEditor e;
    e.Lines().SetTextStr("one\r\ntwo\r\n");
    e.Lines().Add("p\nq");
    EXPECT_EQ(e.Lines().GetTextStr(), "one\r\ntwo\r\np\r\nq\r\n");
    EXPECT_EQ(e.Row(), 4);
    EXPECT_EQ(e.Col(), 0);

    e.Lines().SetTextStr("one\r\ntwo");
    e.Lines().Add("p\rq"); // the text keeps ending without a break
    EXPECT_EQ(e.Lines().GetTextStr(), "one\r\ntwo\r\np\r\nq");
    EXPECT_EQ(e.Row(), 3);
    EXPECT_EQ(e.Col(), 1);

    e.Lines().SetTextStr("one\r\ntwo\r\n");
    e.Lines().Put(0, "a\nbc");
    EXPECT_EQ(e.Lines().GetTextStr(), "a\r\nbc\r\ntwo\r\n");
    EXPECT_EQ(e.Row(), 1);
    EXPECT_EQ(e.Col(), 2);

    e.Lines().Insert(1, "\nx\r");
    EXPECT_EQ(e.Lines().GetTextStr(), "a\r\n\r\nx\r\n\r\nbc\r\ntwo\r\n");
    EXPECT_EQ(e.Row(), 4);
    EXPECT_EQ(e.Col(), 0);
}

TEST(Text, LinesCountAndGetSeeWholeLinesWhileWrapping)
{
    TEditor e;
    e.WrapOption().SetWrapByte(20);
    e.SetWordWrap(true);
    e.Lines().SetTextStr(Repeat("a", 50) + "\r\nshort\r\n" + Repeat("b", 45));
    EXPECT_EQ(e.RowCount(), 3 + 1 + 3);
    EXPECT_EQ(e.Lines().Count(), 3);
    EXPECT_EQ(e.Lines().Get(0), Repeat("a", 50));
    EXPECT_EQ(e.Lines().Get(1), "short");
    EXPECT_EQ(e.Lines().Get(2), Repeat("b", 45));
    EXPECT_EQ(e.Lines().LineToRow(2), 4);
    EXPECT_EQ(e.RowToLine(5), 2);
    e.Lines().Put(0, "x");
    EXPECT_EQ(e.Lines().GetTextStr(), "x\r\nshort\r\n" + Repeat("b", 45));
    EXPECT_EQ(e.Row(), 0);
    EXPECT_EQ(e.Col(), 1);
    e.Lines().Insert(1, Repeat("c", 25));
    EXPECT_EQ(e.Lines().Get(1), Repeat("c", 25));
    EXPECT_EQ(e.Lines().Count(), 4);
    e.Lines().Delete(3);
    EXPECT_EQ(e.Lines().GetTextStr(), "x\r\n" + Repeat("c", 25) + "\r\nshort\r\n");
}

TEST(Text, AccessorsOutsideTheRows)
{
    TEditor e;
    e.Lines().SetTextStr("ab\r\ncd");
    EXPECT_EQ(e.RowText(7), "");
    EXPECT_EQ(e.RowEnd(-1), reEof);
    EXPECT_EQ(e.RowEnd(2), reEof);
    EXPECT_EQ(e.ListRows().RowEnd(2), reNone);
    EXPECT_EQ(e.TextLength(), 6);
    e.Lines().SetTextStr("ab\r\n");
    // A caret may stand on the empty line after a final break, not after a final reEof row.
    e.SetRow(5);
    EXPECT_EQ(e.Row(), 1);
    e.Lines().SetTextStr("ab");
    e.SetRow(5);
    EXPECT_EQ(e.Row(), 0);
    int taken = -1;
    TRowEnd end = reBreak;
    EXPECT_EQ(e.ListRows().LineText(3, 1, &taken, &end), "");
    EXPECT_EQ(taken, 0);
    EXPECT_EQ(end, reNone);
}

TEST(Text, OneReplacementReportsOneChangeWhenTheOutermostBlockEnds)
{
    TEditor e;
    int changes = 0;
    e.OnChange = [&](TObject* s) {
        EXPECT_EQ(s, &e);
        ++changes;
    };
    e.Lines().SetTextStr("a\r\nb\r\n");
    EXPECT_EQ(changes, 0); // replacing the whole text is not an edit
    EXPECT_FALSE(e.Modified());
    e.ListRows().ReplaceRows(1, 1, "B\r\nC\r\n");
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(e.Modified());
    const TLastChange& idle = e.ListRows().LastChange();
    EXPECT_FALSE(idle.Changed);
    e.Lines().BeginUpdate();
    e.ListRows().ReplaceRows(0, 1, "x\r\n");
    e.ListRows().ReplaceRows(0, 1, "y\r\n");
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(e.ListRows().LastChange().Changed);
    e.Lines().EndUpdate();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(e.Lines().GetTextStr(), "y\r\nB\r\nC\r\n");
}

TEST(Text, ReplaceRowsIgnoresRequestsOutsideTheRows)
{
    TEditor e;
    e.Lines().SetTextStr("a\r\nb");
    e.ListRows().ReplaceRows(-1, 1, "x");
    e.ListRows().ReplaceRows(1, 2, "x");
    e.ListRows().ReplaceRows(3, 0, "x");
    e.ListRows().ReplaceRows(0, 0, "");
    EXPECT_EQ(e.Lines().GetTextStr(), "a\r\nb");
    EXPECT_FALSE(e.CanUndo());
}

TEST(Text, ATrailingLoneCrIsStillALineBreak)
{
    TEditor e;
    e.Lines().SetTextStr("a");
    e.ListRows().ReplaceRows(0, 1, "a\r");
    EXPECT_EQ(Dump(e), (std::vector<std::string>{"a|Break"}));
    EXPECT_EQ(e.Lines().GetTextStr(), "a\r\n");
}

// How row marks travel when rows are replaced.
struct Marks : ::testing::Test {
    TEditor e;
    void SetUp() override { e.Lines().SetTextStr("r0\r\nr1\r\nr2\r\nr3\r\n"); }
    std::vector<int> All()
    {
        std::vector<int> m;
        for (int i = 0; i < e.RowCount(); ++i)
            m.push_back(e.RowMarks(i));
        return m;
    }
};

TEST_F(Marks, DeletedLinesHandTheirMarksToTheRowThatTakesTheirPlace)
{
    e.SetRowMarks(1, 2);
    e.SetRowMarks(2, 4);
    e.ListRows().ReplaceRows(1, 2, "");
    EXPECT_EQ(All(), (std::vector<int>{0, 6}));
    EXPECT_EQ(e.RowText(1), "r3");
    // Past the end: the last row takes them.
    e.ListRows().ReplaceRows(1, 1, "");
    EXPECT_EQ(All(), (std::vector<int>{6}));
    EXPECT_EQ(e.ListRows().UsedMarks(), 6);
    e.ListRows().ReplaceRows(0, 1, "");
    EXPECT_EQ(e.RowCount(), 0);
    EXPECT_EQ(e.ListRows().UsedMarks(), 0);
}

TEST_F(Marks, InsertedLinesLeaveAMarkWithItsTextWhenTheCaretIsAtTheRowStart)
{
    e.SetRowMarks(2, 8);
    e.SetRowCol(2, 0);
    e.ListRows().ReplaceRows(2, 1, "new\r\nr2\r\n");
    EXPECT_EQ(All(), (std::vector<int>{0, 0, 0, 8, 0}));
    e.SetRowCol(1, 1);
    e.ListRows().ReplaceRows(1, 1, "r\r\n1\r\n");
    EXPECT_EQ(e.RowText(1), "r");
    EXPECT_EQ(All()[4], 8); // the mark of r2 moved down with its row
}

TEST_F(Marks, FewerRowsOrTheGoneMarksIntoTheFirstNewRow)
{
    e.SetRowMarks(1, 1);
    e.SetRowMarks(2, 16);
    e.ListRows().ReplaceRows(1, 2, "joined\r\n");
    EXPECT_EQ(All(), (std::vector<int>{0, 17, 0}));
}

} // namespace
