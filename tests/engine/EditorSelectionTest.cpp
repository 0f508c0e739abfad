#include <gtest/gtest.h>

#include "EditorTestUtil.h"

using namespace enginetest;

namespace {

TEST(SelOffsets, SelStartWalksRowsAsTheTextCountsThem)
{
    THostedEditor t("ab\r\ncd\r\nef");
    TEditor& e = t.e;
    struct Case {
        std::int64_t offset;
        int row, col;
    };
    const Case cases[] = {
        {-5, 0, 0}, {0, 0, 0}, {2, 0, 2}, {3, 0, 2}, // between CR and LF: the row's end
        {4, 1, 0},  {9, 2, 1}, {10, 2, 2},           // TextLength: after the last character
        {500, 2, 2},
    };
    ASSERT_EQ(e.TextLength(), 10);
    for (const Case& c : cases) {
        e.SetSelStart(c.offset);
        EXPECT_EQ(e.Row(), c.row) << c.offset;
        EXPECT_EQ(e.Col(), c.col) << c.offset;
    }
    e.SetSelStart(1);
    e.SetSelLength(5);
    EXPECT_EQ(e.SelText(), "b\r\ncd");
    EXPECT_EQ(e.SelStart(), 1);
    EXPECT_EQ(e.SelLength(), 5);

    // Past a final line break the caret stands on the empty line after it.
    t.e.Lines().SetTextStr("ab\r\n");
    t.e.SetSelStart(4);
    EXPECT_EQ(t.e.Row(), 1);
    EXPECT_EQ(t.e.SelStart(), 4);
}

TEST(SelOffsets, PositionsThatAreNoCharacterBoundary)
{
    THostedEditor t("a" + kKanji + "b\r\nabc\r\n");
    TEditor& e = t.e;
    e.SetSelStart(2); // inside the kanji: the kanji itself
    EXPECT_EQ(e.Col(), 1);
    EXPECT_EQ(e.SelStart(), 1);
    // A free caret beyond the row end has the row end's offset, not one in the next row.
    e.SetRowCol(1, 10);
    EXPECT_EQ(e.SelStart(), 6 + 3);
    e.StartSelection();
    e.SetRowCol(0, 0);
    e.ExtendSelection();
    EXPECT_EQ(e.SelText(), "a" + kKanji + "b\r\nabc");
}

TEST(SelOffsets, OffsetsBeyondTheThousandthColumnKeepTheirBytes)
{
    std::string row;
    for (int i = 0; i < 3000; ++i)
        row += static_cast<char>('a' + i % 26);
    THostedEditor t("x\r\n" + row);
    TEditor& e = t.e;
    e.SetSelStart(3 + 2500);
    EXPECT_EQ(e.Col(), 1000); // as far as a caret column goes
    EXPECT_EQ(e.SelStart(), 3 + 2500);
    e.SetSelLength(3);
    EXPECT_EQ(e.SelText(), row.substr(2500, 3));
    e.InsertText("#");
    EXPECT_EQ(e.RowText(1).substr(2499, 3), row.substr(2499, 1) + "#" + row.substr(2503, 1));
    e.SelectAll(); // the last row is longer than a caret column can reach
    EXPECT_EQ(e.SelText(), t.Text());
}

TEST(SelOffsets, TheEndOfAWrappedRowIsTheNextRowsStart)
{
    THostedEditor t(Repeat("a", 30) + "\r\nxyz");
    t.e.WrapOption().SetWrapByte(20);
    t.e.SetWordWrap(true);
    t.e.SetSelStart(20);
    EXPECT_EQ(t.e.Row(), 1);
    EXPECT_EQ(t.e.Col(), 0);
    t.e.SetSelStart(15);
    t.e.SetSelLength(10);
    EXPECT_EQ(t.e.SelText(), Repeat("a", 10));
    t.e.SelectAll();
    EXPECT_EQ(t.e.SelLength(), t.e.TextLength());
}

TEST(SelStates, StartExtendCleanAndTheirEvents)
{
    THostedEditor t("abc\r\ndef\r\n");
    TEditor& e = t.e;
    std::vector<bool> events;
    e.OnSelectionChange = [&](TObject*, bool selected) { events.push_back(selected); };
    e.SetRowCol(0, 1);
    e.StartSelection();
    EXPECT_EQ(e.SelectionState(), 1);
    EXPECT_FALSE(e.Selected());
    EXPECT_EQ(e.SelLength(), 0);
    e.SetRowCol(1, 2);
    e.ExtendSelection();
    EXPECT_EQ(e.SelectionState(), 2);
    EXPECT_EQ(e.SelText(), "bc\r\nde");
    e.SetRowCol(0, 0); // back across the anchor
    e.ExtendSelection();
    EXPECT_EQ(e.SelText(), "a");
    EXPECT_EQ(e.SelStart(), 0);
    e.CleanSelection();
    EXPECT_EQ(e.SelectionState(), 0);
    EXPECT_EQ(events, (std::vector<bool>{true, true, false}));

    THostedEditor empty;
    empty.e.StartSelection();
    EXPECT_EQ(empty.e.SelectionState(), 0);
    empty.e.SelectAll();
    EXPECT_FALSE(empty.e.Selected());
    EXPECT_EQ(empty.e.SelText(), "");
}

TEST(SelStates, ExtendingRepaintsOnlyRowsWhoseSelectionChanged)
{
    THostedEditor t("r0\r\nr1\r\nr2\r\nr3\r\nr4\r\n");
    TEditor& e = t.e;
    t.Select(0, 1, 2, 1);
    t.host.ClearRecord();
    e.SetRowCol(3, 1);
    e.ExtendSelection();
    const int top = e.Metrics().TopOffset, h = e.Metrics().RowHeight;
    auto band = [&](int row) { return t.host.InvalidatedBand(top + row * h, top + (row + 1) * h); };
    EXPECT_FALSE(band(0));
    EXPECT_FALSE(band(1));
    EXPECT_TRUE(band(2));
    EXPECT_TRUE(band(3));
    EXPECT_FALSE(band(4));
}

TEST(BoxSelection, SlicesByColumnsAndShortRowsGiveEmptySlices)
{
    THostedEditor t("abcdef\r\nab\r\n");
    TEditor& e = t.e;
    e.SetBoxSelection(true);
    t.Select(0, 2, 1, 4);
    EXPECT_EQ(e.SelText(), "cd\r\n\r\n");
    EXPECT_EQ(e.SelLength(), 2 + 2 + 0 + 2);
    EXPECT_EQ(e.SelStart(), 2);

    // A double-byte character or a tab that begins left of the box stays out; one that begins
    // in the box's last column comes whole.
    t.e.Lines().SetTextStr("abcd\r\na" + kKanji + "bc\r\n\tx\r\n");
    e.Caret().SetInTab(true);
    t.Select(0, 2, 2, 4);
    EXPECT_EQ(e.SelText(), "cd\r\nb\r\n\r\n");
    t.Select(0, 2, 1, 1);
    EXPECT_EQ(e.SelText(), "b\r\n" + kKanji + "\r\n");
}

TEST(BoxSelection, ModeChangesAreAnnouncedAndRefusedWhileDragging)
{
    THostedEditor t("abc\r\ndef\r\n");
    TEditor& e = t.e;
    int changes = 0;
    e.OnSelectionModeChange = [&](TObject*) { ++changes; };
    e.SetBoxSelection(true);
    EXPECT_EQ(changes, 1);
    e.SetDragging(true);
    e.SetBoxSelection(false);
    EXPECT_TRUE(e.BoxSelection());
    e.SetDragging(false);
    t.Select(0, 1, 1, 2);
    EXPECT_EQ(e.SelText(), "b\r\ne\r\n");
    e.SetSelStart(0);
    e.SetSelLength(5); // byte lengths are for normal selections only
    EXPECT_FALSE(e.BoxSelection());
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(e.SelText(), "abc\r\n");
}

} // namespace
