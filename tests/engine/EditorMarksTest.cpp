#include <gtest/gtest.h>

#include "InputTestUtil.h"
#include "engine/EditorPopupMenu.h"

using namespace enginetest;

namespace {

std::string Lines(int n)
{
    std::string text;
    for (int i = 0; i < n; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    return text;
}

std::vector<int> RowsWithMark(const TEditor& e, int n)
{
    std::vector<int> rows;
    for (int r = 0; r < e.RowCount(); ++r)
        if (e.RowMarks(r) & (1u << n))
            rows.push_back(r);
    return rows;
}

TEST(Bookmarks, EachStandsOnOneRowAndJumpScrollsToTheMiddle)
{
    THostedEditor t(Lines(200));
    TEditor& e = t.e;
    e.PutRowMark(10, 3);
    e.PutRowMark(20, 3);
    EXPECT_EQ(RowsWithMark(e, 3), std::vector<int>{20});
    e.PutRowMark(150, 3);
    e.GotoRowMark(3);
    EXPECT_EQ(e.Row(), 150);
    EXPECT_EQ(e.TopRow(), 150 - e.VisibleRows() / 2);
    // In view already: no scrolling.
    e.PutRowMark(152, 4);
    e.GotoRowMark(4);
    EXPECT_EQ(e.Row(), 152);
    EXPECT_EQ(e.TopRow(), 150 - e.VisibleRows() / 2);

    // An unused mark does nothing; nor do bad numbers and rows.
    e.GotoRowMark(7);
    e.GotoRowMark(-1);
    e.GotoRowMark(16);
    e.PutRowMark(5000, 8);
    e.PutRowMark(1, 16);
    EXPECT_EQ(e.Row(), 152);
    EXPECT_EQ(e.UsedMarks(), (1u << 3) | (1u << 4));

    // Marks 10-15 may stand on many rows; one row losing one keeps it in use.
    e.PutRowMark(1, 12);
    e.PutRowMark(2, 12);
    EXPECT_EQ(RowsWithMark(e, 12), (std::vector<int>{1, 2}));
    e.DeleteRowMark(1, 12);
    EXPECT_TRUE(e.UsedMarks() & (1u << 12));
    e.DeleteRowMark(2, 12);
    EXPECT_FALSE(e.UsedMarks() & (1u << 12));
}

TEST(Bookmarks, SettingMarksRepaintsTheImageBarCellAtOnce)
{
    THostedEditor t(Lines(5));
    TEditor& e = t.e;
    t.host.ClearRecord();
    e.SetRowMarks(2, 1u << 6);
    ASSERT_EQ(t.host.Invalidated.size(), 1u);
    EXPECT_EQ(t.host.Invalidated[0].Right, e.Metrics().ImagebarWidth);
    EXPECT_TRUE(t.host.InvalidatedBand(e.Metrics().TopOffset + 2 * e.Metrics().RowHeight,
                                       e.Metrics().TopOffset + 3 * e.Metrics().RowHeight));
    EXPECT_EQ(t.host.Updates, 1);
    e.SetRowMarks(2, 1u << 6); // the same value: nothing to do
    EXPECT_EQ(t.host.Invalidated.size(), 1u);
    e.SetRowMarks(2, 0);
    EXPECT_EQ(e.UsedMarks(), 0);
}

TEST(Bookmarks, MarksFollowTheirTextThroughEdits)
{
    // Enter at column 0 takes the mark down with the row's text.
    THostedEditor t("aaa\r\nbbb\r\nccc\r\n");
    TEditor& e = t.e;
    e.PutRowMark(1, 1);
    e.SetRowCol(1, 0);
    e.CharMessage("\r");
    EXPECT_EQ(RowsWithMark(e, 1), std::vector<int>{2});
    // Enter in the middle leaves it on the first part.
    e.SetRowCol(2, 1);
    e.CharMessage("\r");
    EXPECT_EQ(RowsWithMark(e, 1), std::vector<int>{2});
    EXPECT_EQ(e.RowText(2), "b");

    // Deleting the marked line: the row taking its place carries the mark.
    THostedEditor d("aaa\r\nbbb\r\nccc");
    d.e.PutRowMark(1, 5);
    d.e.SetRowCol(1, 0);
    d.e.StartSelection();
    d.e.SetRowCol(2, 0);
    d.e.ExtendSelection();
    d.e.ClearSelection();
    EXPECT_EQ(RowsWithMark(d.e, 5), std::vector<int>{1});
    EXPECT_EQ(d.e.RowText(1), "ccc");
    // The last line: the new last row takes it.
    d.e.SetRowCol(0, 3);
    d.e.StartSelection();
    d.e.SetRowCol(1, 3);
    d.e.ExtendSelection();
    d.e.ClearSelection();
    EXPECT_EQ(RowsWithMark(d.e, 5), std::vector<int>{0});
    // Every row gone: the mark is no longer in use, and the menu says so.
    d.e.BuiltinPopupMenu().Popup();
    EXPECT_TRUE(d.e.BuiltinPopupMenu().Item(TEditorPopupMenu::piMarkJump).Items[5].Checked);
    d.e.SelectAll();
    d.e.ClearSelection();
    EXPECT_FALSE(d.e.UsedMarks() & (1u << 5));
    d.e.BuiltinPopupMenu().Popup();
    EXPECT_FALSE(d.e.BuiltinPopupMenu().Item(TEditorPopupMenu::piMarkSet).Items[5].Checked);
    EXPECT_FALSE(d.e.BuiltinPopupMenu().Item(TEditorPopupMenu::piMarkJump).Items[5].Checked);
}

TEST(ContextMenu, ItemsInOrderWithTheirShortcuts)
{
    THostedEditor t("abc");
    const TEditorPopupMenu& m = *t.e.PopupMenu();
    std::vector<std::string> captions;
    for (const TEditorMenuItem& i : m.Items())
        captions.push_back(i.Caption + "|" + i.ShortCutText);
    EXPECT_EQ(captions, (std::vector<std::string>{
                            "マーク設定|", "マークジャンプ|", "-|", "元に戻す(&U)|Ctrl+Z", "やり直し(&R)|Ctrl+A",
                            "-|", "切り取り(&T)|Ctrl+X", "コピー(&C)|Ctrl+C", "貼り付け(&P)|Ctrl+V",
                            "Box貼り付け(&B)|Ctrl+B", "削除(&D)|", "-|", "すべて選択(&A)|", "-|",
                            "Box選択モード(&K)|Ctrl+K"}));
    const auto& set = m.Item(TEditorPopupMenu::piMarkSet).Items;
    ASSERT_EQ(set.size(), 10u);
    EXPECT_EQ(set[7].Caption, "7");
    EXPECT_EQ(set[7].ShortCutText, "Shift+Ctrl+7");
    EXPECT_EQ(set[7].ShortCut, (TShortCut{'7', ssShift | ssCtrl}));
    EXPECT_EQ(m.Item(TEditorPopupMenu::piMarkJump).Items[0].ShortCut, (TShortCut{'0', ssCtrl}));
    EXPECT_EQ(m.Item(TEditorPopupMenu::piRedo).ShortCut, (TShortCut{'A', ssCtrl}));
    EXPECT_EQ(m.Item(TEditorPopupMenu::piSelectAll).ShortCut, TShortCut{});
}

TEST(ContextMenu, EnabledStatesFollowTheEditor)
{
    THostedEditor t("abc def");
    TEditor& e = t.e;
    TEditorPopupMenu& m = e.BuiltinPopupMenu();
    auto enabled = [&] {
        m.Popup();
        std::string s;
        for (TEditorPopupMenu::TItem i :
             {TEditorPopupMenu::piUndo, TEditorPopupMenu::piRedo, TEditorPopupMenu::piCut, TEditorPopupMenu::piCopy,
              TEditorPopupMenu::piPaste, TEditorPopupMenu::piBoxPaste, TEditorPopupMenu::piDelete,
              TEditorPopupMenu::piSelectAll})
            s += m.Item(i).Enabled ? '1' : '0';
        return s;
    };
    EXPECT_EQ(enabled(), "00000001");
    e.SetRowCol(0, 0);
    e.StartSelection();
    e.SetCol(3);
    e.ExtendSelection();
    EXPECT_EQ(enabled(), "00110011");
    m.Click(TEditorPopupMenu::piCopy);
    EXPECT_EQ(t.host.Clip.GetText(), "abc");
    EXPECT_EQ(enabled(), "00111111");
    m.Click(TEditorPopupMenu::piCut);
    EXPECT_EQ(t.Text(), " def");
    EXPECT_EQ(enabled(), "10001101");
    m.Click(TEditorPopupMenu::piUndo);
    EXPECT_EQ(t.Text(), "abc def");
    EXPECT_EQ(enabled()[1], '1');
    e.SelectAll();
    e.SetReadOnly(true);
    // Read-only keeps copy and select all.
    EXPECT_EQ(enabled(), "00010001");
    m.Click(TEditorPopupMenu::piDelete); // disabled: nothing happens
    EXPECT_EQ(t.Text(), "abc def");
    t.host.NoClipboard = true;
    e.SetReadOnly(false);
    EXPECT_EQ(enabled().substr(4, 2), "00");
}

TEST(ContextMenu, ActionsOnMarksAndBoxMode)
{
    THostedEditor t(Lines(100));
    TEditor& e = t.e;
    TEditorPopupMenu& m = e.BuiltinPopupMenu();
    e.SetRow(40);
    m.Popup();
    m.Click(TEditorPopupMenu::piMarkSet, 2);
    EXPECT_EQ(RowsWithMark(e, 2), std::vector<int>{40});
    m.Popup();
    EXPECT_TRUE(m.Item(TEditorPopupMenu::piMarkSet).Items[2].Checked);
    e.SetRow(0);
    m.Click(TEditorPopupMenu::piMarkJump, 2);
    EXPECT_EQ(e.Row(), 40);
    m.Click(TEditorPopupMenu::piMarkSet, 2); // on a marked row it toggles off
    EXPECT_TRUE(RowsWithMark(e, 2).empty());
    m.Click(TEditorPopupMenu::piMarkSet, 10); // out of range
    m.Click(99);
    m.Click(TEditorPopupMenu::piBoxSelectMode);
    EXPECT_TRUE(e.BoxSelection());
    m.Popup();
    EXPECT_TRUE(m.Item(TEditorPopupMenu::piBoxSelectMode).Checked);
    m.Click(TEditorPopupMenu::piBoxSelectMode);
    EXPECT_FALSE(e.BoxSelection());

    // Box paste takes the clipboard text as a box whatever format it came in.
    THostedEditor b("abc\r\ndef\r\n");
    b.host.Clip.SetText("12\r\n34");
    b.e.SetRowCol(0, 1);
    b.e.BuiltinPopupMenu().Popup();
    b.e.BuiltinPopupMenu().Click(TEditorPopupMenu::piBoxPaste);
    EXPECT_EQ(b.Text(), "a12bc\r\nd34ef\r\n");
}

} // namespace
