#include <gtest/gtest.h>

#include <memory>

#include "EditorTestUtil.h"

using namespace enginetest;

namespace {

TEST(Typing, AFreeCaretPadsTheRowUpToTheCaret)
{
    THostedEditor t("\r\nend\r\n");
    t.Caret(0, 10);
    t.e.TypeText("x");
    EXPECT_EQ(t.Text(), Repeat(" ", 10) + "x\r\nend\r\n");
    EXPECT_EQ(t.e.Col(), 11);
    t.Caret(1, 1); // text that is a view of the row it goes into
    t.e.InsertText(t.e.RowText(1));
    EXPECT_EQ(t.e.RowText(1), "eendnd");
}

TEST(Typing, OverwriteOverADoubleByteCharacter)
{
    THostedEditor t("a" + kKanji + "b\r\n");
    t.e.SetOverWrite(true);
    t.Caret(0, 1);
    t.e.TypeText("x"); // half a double-byte character is left: it becomes a space
    EXPECT_EQ(t.Text(), "ax b\r\n");
    t.e.TypeText("y");
    EXPECT_EQ(t.Text(), "axyb\r\n");
}

TEST(Newline, AutoIndentCopiesTheLinesIndentation)
{
    THostedEditor t("    abc\r\n");
    t.Caret(0, 6);
    t.e.Newline();
    EXPECT_EQ(Dump(t.e), (std::vector<std::string>{"    ab|Break", "    c|Break"}));
    EXPECT_EQ(t.e.Row(), 1);
    EXPECT_EQ(t.e.Col(), 4);
    t.Caret(0, 2); // inside the indentation: only as much as stands before the caret
    t.e.Newline();
    EXPECT_EQ(t.e.RowText(1), "    ab");
    EXPECT_EQ(t.e.Col(), 2);

    THostedEditor tabs("      x\r\n");
    tabs.e.Caret().SetTabIndent(true);
    tabs.e.Caret().SetTabSpaceCount(4);
    tabs.Caret(0, 7);
    tabs.e.Newline();
    EXPECT_EQ(tabs.e.RowText(1), "\t  ");

    THostedEditor prev("  x\r\n\r\n");
    prev.e.Caret().SetPrevSpaceIndent(true);
    prev.Caret(1, 0);
    prev.e.Newline();
    EXPECT_EQ(prev.Text(), "  x\r\n\r\n  \r\n");
    prev.e.Caret().SetAutoIndent(false);
    prev.e.Newline();
    EXPECT_EQ(prev.e.RowText(3), "");
}

TEST(Newline, ShiftEnterOpensALineAboveAndNeverReplacesASelection)
{
    THostedEditor t("  abc\r\n");
    t.Caret(0, 4);
    t.e.Newline(true);
    EXPECT_EQ(t.Text(), "  \r\n  abc\r\n");
    EXPECT_EQ(t.e.Row(), 0);
    EXPECT_EQ(t.e.Col(), 2);
    t.Select(1, 2, 1, 4);
    t.e.Newline(true);
    EXPECT_EQ(t.Text(), "  \r\n  abc\r\n");
    t.e.Newline(); // Enter replaces it
    EXPECT_EQ(t.Text(), "  \r\n  \r\n  c\r\n");
}

// Enter over a selection is one change: one undo brings the selected text back.
TEST(Newline, OverASelectionIsOneUndoStep)
{
    const std::string text = "keep this " + kKanji + kKanji + " text\r\n";
    THostedEditor t(text);
    t.Select(0, 5, 0, 14);
    t.e.Newline();
    EXPECT_EQ(t.Text(), "keep \r\n text\r\n");
    t.e.Undo();
    EXPECT_EQ(t.Text(), text);
    EXPECT_FALSE(t.e.CanUndo());
    // The selection the Enter replaced is back, the caret at its end.
    EXPECT_EQ(t.e.SelText(), "this " + kKanji + kKanji);
    EXPECT_EQ(t.e.Row(), 0);
    EXPECT_EQ(t.e.Col(), 14);

    // The indentation is that of the line as it reads once the selection is gone, in wrapped
    // rows and in a box as well; each time the same as deleting first and then pressing Enter.
    struct Case {
        std::string text;
        bool wrap, box;
        int r1, c1, r2, c2;
    } cases[] = {
        {"    abc\r\n  def\r\n", false, false, 0, 6, 1, 3},
        {"    abc\r\n  def\r\n", false, false, 0, 2, 1, 5},
        {"\r\n  x\r\nabc\r\n", false, false, 2, 0, 3, 0},
        {"  x\r\nabc\r\n", false, false, 1, 0, 2, 0}, // to the end from a line's start
        {"  " + Repeat("w", 30) + " tail\r\n", true, false, 1, 2, 1, 6},
        {"  " + Repeat("w", 30) + " tail\r\n", true, false, 0, 1, 1, 3},
        {"    ab\r\n    cd\r\n", false, true, 0, 1, 1, 5},
        {"ab\r\ncd\r\n", false, true, 0, 0, 1, 1},
    };
    for (const Case& c : cases) {
        for (bool over : {false, true}) {
            auto run = [&](bool twoSteps) {
                auto e = std::make_unique<THostedEditor>(c.text);
                e->e.Caret().SetPrevSpaceIndent(true);
                e->e.WrapOption().SetWrapByte(20);
                e->e.SetWordWrap(c.wrap);
                e->e.SetBoxSelection(c.box);
                e->e.SetOverWrite(over);
                e->Select(c.r1, c.c1, c.r2, c.c2);
                if (twoSteps)
                    e->e.ClearSelection();
                e->e.Newline();
                return e;
            };
            auto one = run(false), two = run(true);
            const std::string where = c.text + (over ? " overwrite" : "");
            EXPECT_EQ(one->Text(), two->Text()) << where;
            EXPECT_EQ(one->e.Row(), two->e.Row()) << where;
            EXPECT_EQ(one->e.Col(), two->e.Col()) << where;
            one->e.Undo();
            EXPECT_EQ(one->Text(), Normalised(c.text)) << where;
        }
    }
}

TEST(BackSpace, UnindentsToThePreviousLevel)
{
    THostedEditor t("    a\r\n        x\r\n");
    t.Caret(1, 8);
    t.e.BackSpace();
    EXPECT_EQ(t.Text(), "    a\r\n    x\r\n");
    EXPECT_EQ(t.e.Col(), 4);
    t.e.BackSpace(); // no row above with less than 4: back to 0
    EXPECT_EQ(t.Text(), "    a\r\nx\r\n");
    EXPECT_EQ(t.e.Col(), 0);

    // A tab cut by the new edge becomes spaces up to it; a full-width space likewise.
    THostedEditor tab("      a\r\n\t\tx\r\n");
    tab.e.Caret().SetTabSpaceCount(4);
    tab.Caret(1, 8);
    tab.e.BackSpace();
    EXPECT_EQ(tab.Text(), "      a\r\n\t  x\r\n");
    EXPECT_EQ(tab.e.Col(), 6);
    THostedEditor wide("   a\r\n\x81\x40\x81\x40x\r\n");
    wide.Caret(1, 4);
    wide.e.BackSpace();
    EXPECT_EQ(wide.Text(), "   a\r\n\x81\x40 x\r\n");
    EXPECT_EQ(wide.e.Col(), 3);
    // Without the option a blank is just a character.
    wide.e.Caret().SetBackSpaceUnIndent(false);
    wide.e.BackSpace();
    EXPECT_EQ(wide.Text(), "   a\r\n\x81\x40x\r\n");
}

TEST(DeleteChar, InATabsFillDeletesTheTab)
{
    THostedEditor t("a\tx\r\n");
    t.e.Caret().SetInTab(true);
    t.Caret(0, 3);
    t.e.DeleteChar();
    EXPECT_EQ(t.Text(), "ax\r\n");
    EXPECT_EQ(t.e.Col(), 1); // where the tab stood
}

TEST(LoneLeadByte, CountsAsOneByteAtARowEnd)
{
    THostedEditor t("ab\x81\r\ncd\r\n");
    EXPECT_EQ(t.e.StrWidth(t.e.RowText(0)), 3);
    t.Caret(0, 2);
    t.e.DeleteChar();
    EXPECT_EQ(t.Text(), "ab\r\ncd\r\n");
    t.e.Lines().SetTextStr("ab\x81\r\ncd\r\n");
    t.Caret(0, 3);
    t.e.BackSpace();
    EXPECT_EQ(t.Text(), "ab\r\ncd\r\n");
    t.e.Lines().SetTextStr("ab\x81");
    t.e.SetSelStart(3);
    EXPECT_EQ(t.e.Col(), 3);
    t.e.SelectAll();
    EXPECT_EQ(t.e.SelText(), "ab\x81");
}

TEST(BoxPaste, LinesGoIntoTheRowsBelowAtTheColumn)
{
    THostedEditor t("abcd");
    t.Caret(0, 2);
    t.e.BoxPaste("1\r\n2\n3");
    EXPECT_EQ(Dump(t.e), (std::vector<std::string>{"ab1cd|Break", "  2|Break", "  3|Break"}));
    EXPECT_EQ(t.e.Row(), 2);
    EXPECT_EQ(t.e.Col(), 3);

    // Over a box selection the slices go and the lines take their places.
    t.e.Lines().SetTextStr("abcd\r\nefgh\r\n");
    t.e.SetBoxSelection(true);
    t.Select(0, 1, 1, 3);
    t.e.BoxPaste("X\r\nY\r\nZ");
    EXPECT_EQ(t.Text(), "aXd\r\neYh\r\n Z\r\n");
}

// Over a normal selection the selected text goes first; the block's first line takes its
// place and the rest go into the rows below at the selection's start column.
TEST(BoxPaste, OverANormalSelectionCutsItFirst)
{
    THostedEditor t("abc\r\ndef\r\nghi\r\n");
    t.Select(0, 1, 1, 2);
    t.e.BoxPaste("1\r\n2");
    EXPECT_EQ(t.Text(), "a1f\r\ng2hi\r\n");
    EXPECT_EQ(t.e.Row(), 1);
    EXPECT_EQ(t.e.Col(), 2);
    EXPECT_FALSE(t.e.Selected());
    t.e.Undo();
    EXPECT_EQ(t.Text(), "abc\r\ndef\r\nghi\r\n");

    // A selection up to the end of a text without a final break: the block adds the rows it
    // needs below, each ending in a break.
    THostedEditor u("ab\r\ncd");
    u.Select(0, 1, 1, 2);
    u.e.BoxPaste("X\r\nY");
    EXPECT_EQ(u.Text(), "aX\r\n Y\r\n");
}

// Replacing a selection: a box whose slices are all empty changes nothing unless there is
// text to put in; a selection reaching past the last row takes the last line break with it.
TEST(ReplaceSelection, EmptyBoxAndSelectionsToTheEnd)
{
    THostedEditor t("ab\r\ncd\r\n");
    t.e.SetBoxSelection(true);
    t.Select(0, 5, 1, 7); // right of both rows' text
    ASSERT_TRUE(t.e.Selected());
    t.e.ClearSelection();
    EXPECT_EQ(t.Text(), "ab\r\ncd\r\n");
    EXPECT_FALSE(t.e.CanUndo());

    t.Select(0, 1, 1, 2);
    t.e.InsertText("Z");
    EXPECT_EQ(t.Text(), "aZ\r\nc\r\n");

    THostedEditor u("ab\r\ncd\r\n");
    u.Select(0, 1, 2, 0);
    u.e.InsertText("Q");
    EXPECT_EQ(u.Text(), "aQ");
}

TEST(Clipboard, CopyCutAndPaste)
{
    THostedEditor t("abcdef\r\nab\r\n");
    TFakeClipboard& clip = t.host.Clip;
    t.e.CopyToClipboard(); // nothing selected: the clipboard stays as it is
    EXPECT_EQ(clip.WriteCount(), 0);

    t.e.SetBoxSelection(true);
    t.Select(0, 2, 1, 4);
    t.e.CopyToClipboard();
    EXPECT_EQ(clip.WriteCount(), 1); // text and box marker in one go
    EXPECT_TRUE(clip.HasBoxFormat());
    EXPECT_EQ(clip.GetText(), "cd\r\n\r\n");

    t.e.CleanSelection();
    t.Caret(1, 1);
    t.e.PasteFromClipboard(); // the box marker makes it a box paste
    EXPECT_EQ(t.Text(), "abcdef\r\nacdb\r\n \r\n");

    // Bytes from other programs: a NUL is kept, a lone CR breaks the line.
    clip.SetText(std::string("n\0l\rz", 5));
    t.Caret(0, 0);
    t.e.PasteFromClipboard();
    EXPECT_EQ(t.Text(), std::string("n\0l\r\nzabcdef\r\nacdb\r\n \r\n", 23));

    t.host.NoClipboard = true;
    t.e.PasteFromClipboard();
    t.e.SelectAll();
    t.e.CutToClipboard(); // no clipboard: nothing is lost
    EXPECT_EQ(t.e.TextLength(), 23);
}

// Text from other programs often breaks its lines with a bare LF or CR; the caret must land
// after the pasted text however its breaks were written.
TEST(Clipboard, PastedTextWithLoneBreaksLeavesTheCaretAfterIt)
{
    struct Case {
        const char* clip;
        const char* text;
        int row, col;
    } cases[] = {
        {"x\ny\nz", "ax\r\ny\r\nzbc\r\n", 2, 1},
        {"x\ry\r", "ax\r\ny\r\nbc\r\n", 2, 0},
        {"x\r\n\ny\n\r", "ax\r\n\r\ny\r\n\r\nbc\r\n", 4, 0},
    };
    for (const Case& c : cases) {
        THostedEditor t("abc\r\n");
        t.host.Clip.SetText(c.clip);
        t.Caret(0, 1);
        t.e.PasteFromClipboard();
        EXPECT_EQ(t.Text(), c.text) << c.clip;
        EXPECT_EQ(t.e.Row(), c.row) << c.clip;
        EXPECT_EQ(t.e.Col(), c.col) << c.clip;
    }
    // Over a selection, and typed on at once.
    THostedEditor t("abc\r\n");
    t.host.Clip.SetText("x\ny");
    t.Select(0, 1, 0, 2);
    t.e.PasteFromClipboard();
    t.e.TypeText("!");
    EXPECT_EQ(t.Text(), "ax\r\ny!c\r\n");
}

// The messages another window sends: with nothing selected, cut and copy leave an empty text.
TEST(Clipboard, MessagesFromOtherWindows)
{
    THostedEditor t("abc\r\n");
    TFakeClipboard& clip = t.host.Clip;
    clip.SetText("old");
    t.e.WMCopy();
    EXPECT_TRUE(clip.HasText());
    EXPECT_EQ(clip.GetText(), "");
    clip.SetText("old");
    t.e.WMCut();
    EXPECT_EQ(clip.GetText(), "");
    t.Select(0, 0, 0, 2);
    t.e.WMCut();
    EXPECT_EQ(clip.GetText(), "ab");
    EXPECT_EQ(t.Text(), "c\r\n");
    t.Caret(0, 1);
    t.e.WMPaste();
    EXPECT_EQ(t.Text(), "cab\r\n");
    t.Select(0, 0, 0, 1);
    t.e.WMClear();
    EXPECT_EQ(t.Text(), "ab\r\n");
    t.e.SetReadOnly(true);
    t.Select(0, 0, 0, 1);
    clip.SetText("kept");
    t.e.WMCut();
    EXPECT_EQ(clip.GetText(), "kept");
    EXPECT_EQ(t.Text(), "ab\r\n");
}

TEST(ReadOnly, ChangesNothingAndLeavesTheClipboardAlone)
{
    THostedEditor t("abc\r\n");
    t.e.SetReadOnly(true);
    t.host.Clip.SetText("kept");
    t.Caret(0, 1);
    t.e.TypeText("x");
    t.e.InsertText("y");
    t.e.Newline();
    t.e.BackSpace();
    t.e.DeleteChar();
    t.e.BoxPaste("1\r\n2");
    t.e.PasteFromClipboard();
    t.e.SelectAll();
    t.e.CutToClipboard();
    t.e.ClearSelection();
    t.e.IndentTab();
    EXPECT_EQ(t.Text(), "abc\r\n");
    EXPECT_FALSE(t.e.CanUndo());
    EXPECT_FALSE(t.e.Modified());
    EXPECT_EQ(t.host.Clip.GetText(), "kept");
    t.e.CopyToClipboard(); // copying is no change
    EXPECT_EQ(t.host.Clip.GetText(), "abc\r\n");
}

TEST(BlockIndent, ChangesTheStartOfEverySelectedLine)
{
    THostedEditor t("\tx\r\n \x81\x40y\r\nz\r\nrest\r\n");
    t.Select(0, 0, 3, 0); // three lines: the row where the selection ends at column 0 stays
    t.e.IndentSpace();
    EXPECT_EQ(t.Text(), Repeat(" ", 9) + "x\r\n    y\r\n z\r\nrest\r\n");
    EXPECT_EQ(t.e.SelText(), Repeat(" ", 9) + "x\r\n    y\r\n z\r\n");
    t.e.UnindentSpace();
    EXPECT_EQ(t.Text(), Repeat(" ", 8) + "x\r\n   y\r\nz\r\nrest\r\n");
    t.e.IndentTab();
    EXPECT_EQ(t.Text(), "\t" + Repeat(" ", 8) + "x\r\n\t   y\r\n\tz\r\nrest\r\n");
    t.e.UnindentTab();
    t.e.UnindentTab(); // no tab left: nothing happens
    EXPECT_EQ(t.Text(), Repeat(" ", 8) + "x\r\n   y\r\nz\r\nrest\r\n");

    // While wrapping, lines of several rows stay, and an indent must still fit.
    THostedEditor w(Repeat("a", 30) + "\r\n" + Repeat("b", 19) + "\r\nc\r\n");
    w.e.WrapOption().SetWrapByte(20);
    w.e.SetWordWrap(true);
    w.e.SelectAll();
    w.e.IndentTab();
    EXPECT_EQ(w.Text(), Repeat("a", 30) + "\r\n" + Repeat("b", 19) + "\r\n\tc\r\n");
    w.e.IndentSpace();
    EXPECT_EQ(w.Text(), Repeat("a", 30) + "\r\n" + Repeat("b", 19) + "\r\n" + Repeat(" ", 9) + "c\r\n");

    // In box mode the change is at the box's left column.
    THostedEditor b("ab  cd\r\nxy\r\nef gh\r\n");
    b.e.SetBoxSelection(true);
    b.Select(0, 2, 2, 3);
    b.e.IndentTab();
    EXPECT_EQ(b.Text(), "ab\t  cd\r\nxy\r\nef\t gh\r\n");
}

TEST(SharedRows, EveryEditorKeepsItsOwnCaretAndSelection)
{
    THostedEditor a("one\r\ntwo\r\nthree\r\nfour\r\n");
    TFakeHost host2;
    TEditor b(&host2);
    b.AttachTo(a.e);
    int changesA = 0, changesB = 0;
    a.e.OnChange = [&](TObject*) { ++changesA; };
    b.OnChange = [&](TObject*) { ++changesB; };
    b.SetRowCol(3, 4);
    b.StartSelection();
    b.SetRowCol(2, 1);
    b.ExtendSelection();
    ASSERT_EQ(b.SelText(), "hree\r\nfour");

    a.e.SelectAll();
    a.e.InsertText("x" + kKanji);
    EXPECT_EQ(changesA, 1);
    EXPECT_EQ(changesB, 1);
    EXPECT_TRUE(b.Modified());
    EXPECT_EQ(a.Text(), "x" + kKanji);
    // b's caret and selection are back in the one remaining row, on character boundaries.
    EXPECT_EQ(b.Row(), 0);
    EXPECT_EQ(b.Col(), 1);
    EXPECT_LE(b.SelLength(), 3);
    b.CleanSelection();
    b.TypeText("y");
    EXPECT_EQ(a.Text(), "xy" + kKanji);
    // a's caret stays at its column, except that the kanji moved under it: not on its half.
    EXPECT_EQ(a.e.Row(), 0);
    EXPECT_EQ(a.e.Col(), 2);
}

namespace {

struct TCountingHook : TRowStateHook {
    int Inits = 0, Updates = 0;
    void InitRowStates() override { ++Inits; }
    int UpdateRowStates(int, bool) override { ++Updates; return 0; }
};

} // namespace

// The rows follow the settings of the editor that owns them; when it goes, the next editor's
// settings take over, so closing one half of a split view leaves the other one's in force.
TEST(SharedRows, TheOwnersSettingsRuleTheRowsAndPassToTheSurvivor)
{
    const std::string text = "\tab\tcd\tef\r\n";
    TCountingHook hook1, hook2;
    auto first = std::make_unique<TEditor>();
    first->Caret().SetTabSpaceCount(8);
    first->SetRowStateHook(&hook1);
    first->WrapOption().SetWrapByte(20);
    first->SetWordWrap(true);
    first->Lines().SetTextStr(text);
    TEditor second;
    second.Caret().SetTabSpaceCount(2);
    second.SetRowStateHook(&hook2);
    second.AttachTo(*first);
    ASSERT_EQ(second.Views(), (std::vector<TEditor*>{first.get(), &second}));
    EXPECT_EQ(second.RowCount(), 2); // wrapped at tab width 8
    EXPECT_EQ(second.StrWidth("\t"), 8);
    second.Caret().SetTabSpaceCount(4); // not the owner's: the rows stay
    EXPECT_EQ(second.RowCount(), 2);
    second.SetRowCol(0, 0);
    second.TypeText("x");
    EXPECT_GT(hook1.Updates, 0);
    EXPECT_EQ(hook2.Updates, 0);

    first.reset();
    EXPECT_EQ(second.Views(), (std::vector<TEditor*>{&second}));
    EXPECT_EQ(second.StrWidth("\t"), 4);
    EXPECT_EQ(Dump(second), (std::vector<std::string>{"x" + text.substr(0, text.size() - 2) + "|Break"}));
    EXPECT_EQ(hook2.Inits, 1); // the survivor's colouring parses the rows afresh
    second.Caret().SetTabSpaceCount(8); // its own changes now rule
    EXPECT_EQ(second.RowCount(), 2);
    second.TypeText("y");
    EXPECT_GT(hook2.Updates, 0);
    EXPECT_EQ(second.Lines().GetTextStr(), "y" + std::string("x") + text);
}

TEST(UndoOfEdits, RestoresTheRowsOfALineThatFillsItsRowsExactly)
{
    // 20 cells wrapped at 20: the line's rows are the full row and an empty one.
    THostedEditor t(Repeat("a", 20) + "\r\nx");
    t.e.WrapOption().SetWrapByte(20);
    t.e.SetWordWrap(true);
    const std::vector<std::string> rows = Dump(t.e);
    ASSERT_EQ(rows, (std::vector<std::string>{Repeat("a", 20) + "|Wrapped", "|Break", "x|Eof"}));
    t.e.SetOverWrite(true);
    t.Caret(0, 5);
    t.e.TypeText("b");
    t.e.Undo();
    EXPECT_EQ(Dump(t.e), rows);
    t.e.SetOverWrite(false);
    t.Caret(0, 5);
    t.e.DeleteChar();
    t.e.Undo();
    EXPECT_EQ(Dump(t.e), rows);
    EXPECT_EQ(t.Text(), Repeat("a", 20) + "\r\nx");
}

TEST(EmptyText, EveryOperationIsSafeAndDoesWhatItWouldOnAnEmptyLine)
{
    THostedEditor t;
    TEditor& e = t.e;
    e.BackSpace();
    e.DeleteChar();
    e.ClearSelection();
    e.IndentSpace();
    e.SelectAll();
    e.CutToClipboard();
    e.CopyToClipboard();
    e.InsertText({});
    e.Undo();
    EXPECT_EQ(t.Text(), "");
    EXPECT_EQ(e.SelStart(), 0);
    EXPECT_EQ(t.host.Clip.WriteCount(), 0);
    e.Newline();
    EXPECT_EQ(t.Text(), "\r\n");
    EXPECT_EQ(e.Row(), 1);
    e.Undo();
    EXPECT_EQ(t.Text(), "");
    t.Caret(0, 2);
    e.BoxPaste("a\r\nb");
    EXPECT_EQ(t.Text(), "  a\r\n  b\r\n");
    e.SetSelStart(-1);
    e.SetSelLength(1 << 30); // far past the end: up to the end
    EXPECT_EQ(e.SelText(), t.Text());
}

} // namespace
