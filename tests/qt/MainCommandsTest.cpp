// The command handlers and their enabling rules against a recording window: marks, line
// blocks, box selection, the Keyboard menu, keys and the mouse before the editor.
#include "app/MainCommands.h"

#include "colouring/TokenKinds.h"
#include "engine/Cursors.h"
#include "platform/Sjis.h"
#include "testing/FakeHost.h"
#include "view/VnEdit.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

class TRecordingHost : public TCommandHost {
public:
    TFakeHost MainHost, SubHost;
    TVnEdit Main{&MainHost};
    std::unique_ptr<TVnEdit> Sub;
    TVnEdit* Active = &Main;

    std::map<std::string, bool> Enabled, Checked, ButtonEnabled, Down;
    std::vector<std::string> Calls, Messages, Urls, Options;
    std::vector<int> Keys;
    std::vector<TPoint> Popups;
    std::set<std::string> Files;
    std::string Key;
    bool Clip = false, Printer = true, CaretFree = false;
    int Columns = 40;
    int Cursor = 0;
    bool Overwrite = false;

    std::string Name(std::string_view n) { return std::string(n); }

    TVnEdit& MainEditor() override { return Main; }
    TVnEdit* SubEditor() override { return Sub.get(); }
    TVnEdit& ActiveEditor() override { return *Active; }
    void SetItemEnabled(std::string_view n, bool v) override { Enabled[Name(n)] = v; }
    void SetItemChecked(std::string_view n, bool v) override { Checked[Name(n)] = v; }
    bool ItemChecked(std::string_view n) const override
    {
        auto it = Checked.find(std::string(n));
        return it != Checked.end() && it->second;
    }
    void SetButtonEnabled(std::string_view n, bool v) override { ButtonEnabled[Name(n)] = v; }
    void SetButtonDown(std::string_view n, bool v) override { Down[Name(n)] = v; }
    bool ClipboardHasText() const override { return Clip; }
    bool PrinterReady() const override { return Printer; }
    bool CaretFreeSetting() const override { return CaretFree; }
    std::string SearchKey() const override { return Key; }
    bool FileExists(const std::string& p) const override { return Files.count(p) != 0; }
    std::string ProgramDir() const override { return "/prog/"; }
    std::string ManualPath() const override { return "/prog/varnet.TXT"; }
    std::vector<std::string> LanguageNames() const override { return {"C/C++", "Pascal"}; }
    void NewDocument() override { Calls.push_back("New"); }
    void OpenDocument() override { Calls.push_back("Open"); }
    void ClearAndOpen() override { Calls.push_back("ClearAndOpen"); }
    void InsertFile() override { Calls.push_back("InsertFile"); }
    void Reload() override { Calls.push_back("Reload"); }
    void SaveAs() override { Calls.push_back("SaveAs"); }
    void Save() override { Calls.push_back("Save"); }
    void CloseWindow() override { Calls.push_back("Close"); }
    void CloseAll() override { Calls.push_back("CloseAll"); }
    void ClearAll() override { Calls.push_back("ClearAll"); }
    void ReloadFileHistory() override { Calls.push_back("History"); }
    bool Split() const override { return Sub != nullptr; }
    void SetSplit(bool on) override
    {
        if (on) {
            Sub = std::make_unique<TVnEdit>(&SubHost);
            Sub->AttachTo(Main);
        } else {
            Active = &Main;
            Sub.reset();
        }
    }
    void Cascade() override { Calls.push_back("Cascade"); }
    void TileHorizontally() override { Calls.push_back("TileH"); }
    void TileVertically() override { Calls.push_back("TileV"); }
    void OpenCodeViewFile() override { Calls.push_back("CodeView"); }
    void ToggleWordWrap() override { Main.SetWordWrap(!Main.WordWrap()); }
    void SelectViewMode(int tag, const std::string& name) override
    {
        Calls.push_back("Mode " + std::to_string(tag) + " " + name);
    }
    void ShowInsertMode(bool overwrite) override { Overwrite = overwrite; }
    int LanguageOptionCount() const override { return 2 + static_cast<int>(Options.size()); }
    void AppendLanguageOption(const std::string& n) override { Options.push_back(n); }
    void ShowMessage(std::string_view text) override { Messages.emplace_back(text); }
    void ShowManual(const std::string& path) override { Calls.push_back("Manual " + path); }
    void PopupContextMenu(TPoint p) override { Popups.push_back(p); }
    void SendKey(int key) override { Keys.push_back(key); }
    int FittingColumns(const TVnEdit&) const override { return Columns; }
    void SetEditorCursor(TVnEdit&, int c) override { Cursor = c; }
    void OpenUrl(const std::string& t) override { Urls.push_back(t); }
};

struct TFixture {
    TRecordingHost host;
    TMainCommands commands{host};
    TVnEdit& e() { return host.Main; }
    void Text(std::string_view t) { e().Lines().SetTextStr(t); }
    std::string Lines() { return e().Lines().GetTextStr(); }
};

TCommandSender Tag(int t) { return {t, {}, {}}; }

} // namespace

TEST(MainCommands, PutMarkTogglesOnlyOnRowsWithoutAnotherMark)
{
    TFixture f;
    f.Text("a\r\nb\r\nc\r\n");
    f.e().SetRow(0);
    EXPECT_TRUE(f.commands.EditorKeyDown(f.e(), '5', ssCtrl));
    EXPECT_EQ(f.e().RowMarks(0), 1u << 5);
    // Ctrl+3 on the row with mark 5: nothing changes.
    EXPECT_TRUE(f.commands.EditorKeyDown(f.e(), '3', ssCtrl));
    EXPECT_EQ(f.e().RowMarks(0), 1u << 5);
    // Ctrl+3 on an unmarked row puts 3 there; putting it again elsewhere moves it.
    f.e().SetRow(1);
    f.commands.EditorKeyDown(f.e(), '3', ssCtrl);
    EXPECT_EQ(f.e().RowMarks(1), 1u << 3);
    f.e().SetRow(2);
    f.commands.EditorKeyDown(f.e(), '3', ssCtrl);
    EXPECT_EQ(f.e().RowMarks(2), 1u << 3);
    EXPECT_EQ(f.e().RowMarks(1), 0u);
    // The same key on the row carrying it takes it away.
    f.commands.EditorKeyDown(f.e(), '3', ssCtrl);
    EXPECT_EQ(f.e().RowMarks(2), 0u);
    // Ctrl+Shift+5 jumps to mark 5.
    EXPECT_TRUE(f.commands.EditorKeyDown(f.e(), '5', ssCtrl | ssShift));
    EXPECT_EQ(f.e().Row(), 0);
    // Alt or no Ctrl: not a mark key.
    EXPECT_FALSE(f.commands.EditorKeyDown(f.e(), '5', ssCtrl | ssAlt));
    EXPECT_FALSE(f.commands.EditorKeyDown(f.e(), '5', 0));
}

TEST(MainCommands, APageMarkDoesNotKeepABookmarkOff)
{
    TFixture f;
    f.Text("a\r\nb\r\n");
    f.e().SetRowMarks(1, 1024); // an automatic page start
    f.e().SetRow(1);
    f.commands.pmnPutMarkClick(Tag(2));
    EXPECT_EQ(f.e().RowMarks(1), 1024u | (1u << 2));
    f.commands.pmnPutMarkClick(Tag(2));
    EXPECT_EQ(f.e().RowMarks(1), 1024u);
}

TEST(MainCommands, MarkMenusFollowTheMarksThatExist)
{
    TFixture f;
    f.commands.PopupMenuPopup(Tag(0));
    EXPECT_FALSE(f.host.Enabled["pmnPutMark"]);
    EXPECT_FALSE(f.host.Enabled["pmnMarkJump"]);
    f.Text("a\r\nb\r\nc\r\n");
    f.e().SetRow(1);
    f.commands.pmnPutMarkClick(Tag(4));
    f.commands.PopupMenuPopup(Tag(0));
    EXPECT_TRUE(f.host.Enabled["pmnPutMark"]);
    EXPECT_TRUE(f.host.Checked["N05"]);
    EXPECT_FALSE(f.host.Checked["N04"]);
    f.commands.PopupMenuPopup(Tag(-1));
    EXPECT_TRUE(f.host.Enabled["N15"]);
    EXPECT_FALSE(f.host.Enabled["N14"]);
    // Another text comes in and the marks go: neither check nor jump stays behind.
    f.Text("other\r\ntext\r\n");
    ASSERT_EQ(f.e().UsedMarks(), 0u);
    f.commands.PopupMenuPopup(Tag(0));
    f.commands.pmnMarkJumpClick(Tag(-1));
    EXPECT_FALSE(f.host.Checked["N05"]);
    EXPECT_FALSE(f.host.Enabled["N15"]);
}

TEST(MainCommands, LineBlocksComeBackInOrderAndTheStackHoldsAHundred)
{
    TFixture f;
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += "line" + std::to_string(i) + "\r\n";
    f.Text(text);
    f.e().SetRow(1);
    for (int i = 0; i < 11; ++i)
        f.commands.EditMenuCommands(Tag(101));
    EXPECT_EQ(f.Lines(), "line0\r\n");
    EXPECT_EQ(f.commands.LineBlocks().size(), 11u);
    for (int i = 0; i < 11; ++i)
        f.commands.EditMenuCommands(Tag(111));
    EXPECT_EQ(f.Lines(), text);
    EXPECT_EQ(f.e().Row(), 1);
    EXPECT_TRUE(f.commands.LineBlocks().empty());
    // Nothing stored: insert does nothing.
    f.commands.EditMenuCommands(Tag(111));
    EXPECT_EQ(f.Lines(), text);

    std::string many;
    for (int i = 0; i < 102; ++i)
        many += "n" + std::to_string(i) + "\r\n";
    f.Text(many);
    f.e().SetRow(0);
    for (int i = 0; i < 101; ++i)
        f.commands.DeleteLineBlock();
    ASSERT_EQ(f.commands.LineBlocks().size(), 100u);
    EXPECT_EQ(f.commands.LineBlocks().front(), "n1"); // n0, the oldest, went
    EXPECT_EQ(f.commands.LineBlocks().back(), "n100");
}

TEST(MainCommands, ALineBlockIsTheWholeWrappedLine)
{
    TFixture f;
    f.e().WrapOption().SetWrapByte(10);
    f.e().SetWordWrap(true);
    f.Text("short\r\n0123456789abcdefghij\r\nend");
    ASSERT_GT(f.e().RowCount(), 3);
    f.e().SetRow(2); // the second row of the long line
    f.commands.DeleteLineBlock();
    EXPECT_EQ(f.Lines(), "short\r\nend");
    EXPECT_EQ(f.commands.LineBlocks().back(), "0123456789abcdefghij");
}

TEST(MainCommands, ToolConversionsNeedASelectionOutsideBoxMode)
{
    TFixture f;
    f.Text("abc\tdef\r\nxyz\r\n");
    f.commands.cmdToolClick(Tag(0));
    EXPECT_FALSE(f.host.Enabled["smnUpcase"]);
    EXPECT_FALSE(f.host.Enabled["smnTabExpand"]);
    EXPECT_TRUE(f.host.Enabled["smnCrypt"]);
    f.e().SelectAll();
    f.commands.cmdToolClick(Tag(0));
    for (const char* n : {"smnUpcase", "smnLowcase", "smnZenkaku", "smnHankaku", "smnTabExpand"})
        EXPECT_TRUE(f.host.Enabled[n]) << n;
    // The text's one tab (cells 3-7) lies outside the selection, though in the same stored
    // text.
    f.e().SetRowCol(0, 8);
    f.e().StartSelection();
    f.e().SetRowCol(1, 3);
    f.e().ExtendSelection();
    f.commands.cmdToolClick(Tag(0));
    EXPECT_FALSE(f.host.Enabled["smnTabExpand"]);
    // A tab typed into the selected part counts.
    f.e().SetRowCol(1, 1);
    f.e().InsertText("\t");
    f.e().SetRowCol(0, 8);
    f.e().StartSelection();
    f.e().SetRowCol(1, 4);
    f.e().ExtendSelection();
    f.commands.cmdToolClick(Tag(0));
    EXPECT_TRUE(f.host.Enabled["smnTabExpand"]);
    f.commands.EditMenuCommands(Tag(73)); // box mode on
    f.e().SetRowCol(0, 0);
    f.e().StartSelection();
    f.e().SetRowCol(1, 2);
    f.e().ExtendSelection();
    ASSERT_TRUE(f.e().Selected());
    f.commands.cmdToolClick(Tag(0));
    for (const char* n : {"smnUpcase", "smnLowcase", "smnZenkaku", "smnHankaku"})
        EXPECT_FALSE(f.host.Enabled[n]) << n;
}

// Rows between the first and the last selected row count whole, the first and the last only
// with their selected part, and a box only with its columns. All rows of one stored text lie
// in one block that holds a tab, so a row is not taken to have one for that.
TEST(MainCommands, TabExpandLooksOnlyAtTheSelectedPartOfEachRow)
{
    TFixture f;
    auto tabInSelection = [&](int row0, int col0, int row1, int col1) {
        f.e().SetRowCol(row0, col0);
        f.e().StartSelection();
        f.e().SetRowCol(row1, col1);
        f.e().ExtendSelection();
        EXPECT_TRUE(f.e().Selected());
        f.commands.cmdToolClick(Tag(0));
        return f.host.Enabled["smnTabExpand"];
    };
    f.Text("fi\trst\r\nplain\r\nmid\tdle\r\nplain\r\nla\tst\r\n");
    EXPECT_TRUE(tabInSelection(0, 8, 3, 1)) << "the tab of a middle row";
    EXPECT_FALSE(tabInSelection(0, 8, 2, 3)) << "a middle row without one";
    EXPECT_FALSE(tabInSelection(2, 8, 4, 2)) << "tabs before the start and after the end";
    EXPECT_TRUE(tabInSelection(3, 0, 4, 8)) << "the tab of the last row";
    // Edits keep the count of rows with a tab: the middle row's tab removed, then one typed
    // into another middle row.
    f.e().CleanSelection();
    f.e().SetRowCol(2, 8);
    f.e().BackSpace();
    ASSERT_EQ(f.e().RowText(2), "middle");
    EXPECT_FALSE(tabInSelection(0, 8, 4, 2));
    f.e().CleanSelection();
    f.e().SetRowCol(1, 2);
    f.e().InsertText("\t");
    ASSERT_EQ(f.e().RowText(1), "pl\tain");
    EXPECT_TRUE(tabInSelection(0, 8, 4, 2));

    f.commands.EditMenuCommands(Tag(73)); // box mode on
    f.Text("abcdefgh\r\nabcde\tx\r\nabcdefgh\r\n");
    EXPECT_FALSE(tabInSelection(0, 0, 2, 3)) << "the tab of a middle row right of the box";
    EXPECT_TRUE(tabInSelection(0, 4, 2, 7)) << "the tab inside the box";
}

TEST(MainCommands, FindNextNeedsASearchKeyAndGrepItsTool)
{
    TFixture f;
    f.commands.cmdFindClick(Tag(0));
    EXPECT_FALSE(f.host.Enabled["smnFindNext"]);
    EXPECT_FALSE(f.host.Enabled["smnFindBefore"]);
    EXPECT_FALSE(f.host.Enabled["smnGrep"]);
    f.host.Key = "abc";
    f.host.Files.insert("/prog/VGrep.exe");
    f.commands.cmdFindClick(Tag(0));
    EXPECT_TRUE(f.host.Enabled["smnFindNext"]);
    EXPECT_TRUE(f.host.Enabled["smnFindBefore"]);
    EXPECT_TRUE(f.host.Enabled["smnGrep"]);
}

TEST(MainCommands, EditAndFileMenusFollowTheTextSelectionAndClipboard)
{
    TFixture f;
    f.commands.mmnEditClick(Tag(0));
    f.commands.FileMenusShow(Tag(0));
    EXPECT_FALSE(f.host.Enabled["smnUndo"]);
    EXPECT_FALSE(f.host.Enabled["smnCut"]);
    EXPECT_FALSE(f.host.Enabled["smnPaste"]);
    EXPECT_FALSE(f.host.Enabled["smnClear"]);
    EXPECT_FALSE(f.host.Enabled["smnClearOpen"]);
    EXPECT_FALSE(f.host.Enabled["smnPrint"]);
    EXPECT_EQ(f.host.Calls, std::vector<std::string>{"History"});

    f.e().TypeText("x");
    f.e().SelectAll();
    f.host.Clip = true;
    f.commands.mmnEditClick(Tag(0));
    f.commands.FileMenusShow(Tag(0));
    for (const char* n : {"smnUndo", "smnCut", "smnCopy", "smnQCopy", "smnPaste", "smnQPaste", "smnClear", "smnClearOpen",
                          "smnPrint"})
        EXPECT_TRUE(f.host.Enabled[n]) << n;
    EXPECT_FALSE(f.host.Enabled["smnRedo"]);
    f.host.Printer = false;
    f.commands.FileMenusShow(Tag(0));
    EXPECT_FALSE(f.host.Enabled["smnPrint"]);

    // Undo by the menu, then the tool bar follows.
    f.commands.EditMenuCommands(Tag(11));
    EXPECT_EQ(f.e().Lines().GetTextStr(), "");
    EXPECT_FALSE(f.host.ButtonEnabled["spbUndo"]);
    EXPECT_FALSE(f.host.ButtonEnabled["spbSelAll"]);
    f.commands.mmnEditClick(Tag(0));
    EXPECT_TRUE(f.host.Enabled["smnRedo"]);
}

TEST(MainCommands, BoxModeForcesAFreeCaretInBothViewsAndGivesTheSettingBack)
{
    TFixture f;
    f.host.CaretFree = false;
    f.commands.cmdWinClick(Tag(11)); // split first: the new view follows later changes
    ASSERT_NE(f.host.Sub, nullptr);
    EXPECT_TRUE(f.host.Checked["smnSplit"]);
    EXPECT_TRUE(f.host.Down["spbSplit"]);
    f.commands.EditMenuCommands(Tag(73));
    for (TVnEdit* e : {&f.host.Main, f.host.Sub.get()}) {
        EXPECT_TRUE(e->BoxSelection());
        EXPECT_TRUE(e->Caret().FreeCaret());
    }
    EXPECT_TRUE(f.host.Checked["smnRectSel"]);
    EXPECT_TRUE(f.host.Down["spbBoxSel"]);
    f.commands.EditMenuCommands(Tag(73));
    for (TVnEdit* e : {&f.host.Main, f.host.Sub.get()}) {
        EXPECT_FALSE(e->BoxSelection());
        EXPECT_FALSE(e->Caret().FreeCaret());
    }
    // With CaretFree on, the caret stays free after box mode.
    f.host.CaretFree = true;
    f.commands.SetBoxSelectionMode(true);
    f.commands.SetBoxSelectionMode(false);
    EXPECT_TRUE(f.host.Main.Caret().FreeCaret());
    // A view made while box mode is on starts in it.
    f.commands.cmdWinClick(Tag(11));
    EXPECT_EQ(f.host.Sub, nullptr);
    f.commands.SetBoxSelectionMode(true);
    f.commands.cmdWinClick(Tag(11));
    ASSERT_NE(f.host.Sub, nullptr);
    EXPECT_TRUE(f.host.Sub->BoxSelection());
}

TEST(MainCommands, InsertTogglesOverwriteInBothViewsKeepingTheirTopRows)
{
    TFixture f;
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "row\r\n";
    f.Text(text);
    f.commands.cmdWinClick(Tag(11));
    f.host.Main.SetTopRow(30);
    f.host.Sub->SetTopRow(60);
    f.host.Active = f.host.Sub.get();
    EXPECT_TRUE(f.commands.EditorKeyDown(*f.host.Sub, vkInsert, 0));
    EXPECT_TRUE(f.host.Main.OverWrite());
    EXPECT_TRUE(f.host.Sub->OverWrite());
    EXPECT_TRUE(f.host.Overwrite);
    EXPECT_EQ(f.host.Main.TopRow(), 30);
    EXPECT_EQ(f.host.Sub->TopRow(), 60);
    f.commands.EditorKeyDown(f.host.Main, vkInsert, 0);
    EXPECT_FALSE(f.host.Sub->OverWrite());
    EXPECT_FALSE(f.host.Overwrite);
    // Shift+Insert is the editor's (paste).
    EXPECT_FALSE(f.commands.EditorKeyDown(f.host.Main, vkInsert, ssShift));
}

TEST(MainCommands, TabAndSpaceIndentOnlyWholeLineSelections)
{
    TFixture f;
    f.Text("ab\r\ncd\r\nef");
    // Not a selection of whole lines: the editor gets the key.
    f.e().SetRowCol(0, 1);
    f.e().StartSelection();
    f.e().SetRowCol(1, 1);
    f.e().ExtendSelection();
    EXPECT_FALSE(f.commands.EditorKeyDown(f.e(), vkTab, 0));
    // Rows 0 and 1 whole.
    f.e().SetRowCol(0, 0);
    f.e().StartSelection();
    f.e().SetRowCol(2, 0);
    f.e().ExtendSelection();
    ASSERT_EQ(f.e().Selection().LastByte, -1);
    EXPECT_TRUE(f.commands.EditorKeyDown(f.e(), vkTab, 0));
    EXPECT_EQ(f.Lines(), "\tab\r\n\tcd\r\nef");
    EXPECT_TRUE(f.commands.EditorKeyDown(f.e(), vkTab, ssShift));
    EXPECT_EQ(f.Lines(), "ab\r\ncd\r\nef");
    EXPECT_TRUE(f.commands.EditorKeyDown(f.e(), vkSpace, 0));
    EXPECT_EQ(f.Lines(), " ab\r\n cd\r\nef");
    EXPECT_TRUE(f.commands.EditorKeyDown(f.e(), vkSpace, ssShift));
    EXPECT_EQ(f.Lines(), "ab\r\ncd\r\nef");
    EXPECT_FALSE(f.commands.EditorKeyDown(f.e(), vkTab, ssCtrl));
}

TEST(MainCommands, KeyboardMenuSendsKeysAndEndGoesToTheLastFittingColumn)
{
    TFixture f;
    f.Text(std::string(100, 'x') + "\r\nshort");
    f.host.Columns = 40;
    f.commands.smnSendKey(Tag(81));
    EXPECT_EQ(f.e().Col(), 39);
    f.commands.smnSendKey(Tag(71));
    EXPECT_EQ(f.e().Col(), 0);
    for (int t : {11, 21, 31, 41, 51, 61, 91, 101})
        f.commands.smnSendKey(Tag(t));
    EXPECT_EQ(f.host.Keys, (std::vector<int>{vkRight, vkLeft, vkUp, vkDown, vkDelete, vkBack, vkHome, vkEnd}));
}

TEST(MainCommands, HelpShowsTheManualOrSaysItIsMissingAndF2PopsTheMenu)
{
    TFixture f;
    f.commands.cmdHelpClick(Tag(11));
    EXPECT_EQ(f.host.Messages, std::vector<std::string>{std::string("ファイルが見つかりません。"_sj)});
    f.host.Files.insert("/prog/varnet.TXT");
    f.commands.cmdHelpClick(Tag(11));
    EXPECT_EQ(f.host.Calls, std::vector<std::string>{"Manual /prog/varnet.TXT"});
    f.commands.cmdHelpClick(Tag(31));
    ASSERT_EQ(f.host.Popups.size(), 1u);
    EXPECT_EQ(f.host.Popups[0].X, 200);
    EXPECT_EQ(f.host.Popups[0].Y, 100);
}

TEST(MainCommands, OptionMenuTakesTheLanguagesOnceAndOnlyWithTheirFile)
{
    TFixture f;
    f.commands.mmnOptionClick(Tag(0));
    EXPECT_TRUE(f.host.Options.empty());
    f.host.Files.insert("/prog/CodeView.cfg");
    f.commands.mmnOptionClick(Tag(0));
    f.commands.mmnOptionClick(Tag(0));
    EXPECT_EQ(f.host.Options, (std::vector<std::string>{"C/C++", "Pascal"}));
}

TEST(MainCommands, FileWindowAndViewCommandsReachTheWindow)
{
    TFixture f;
    for (int t : {11, 21, 23, 25, 27, 31, 41, 51, 80, 90})
        f.commands.cmdFileClick(Tag(t));
    for (int t : {21, 31, 41})
        f.commands.cmdWinClick(Tag(t));
    f.commands.cmdToolClick(Tag(71));
    f.commands.EditMenuCommands(Tag(75));
    f.commands.smnViewClick({130, {}, "Pascal"});
    f.commands.smnViewClick(Tag(111));
    EXPECT_EQ(f.host.Calls,
              (std::vector<std::string>{"New", "Open", "ClearAndOpen", "InsertFile", "Reload", "SaveAs", "Save", "Close",
                                        "CloseAll", "Cascade", "TileH", "TileV", "CodeView", "ClearAll",
                                        "Mode 130 Pascal", "Mode 111 "}));
    f.commands.mmnViewClick(Tag(10));
    EXPECT_FALSE(f.host.Checked["smnWrap"]);
    f.commands.smnViewClick(Tag(21));
    f.commands.mmnViewClick(Tag(10));
    EXPECT_TRUE(f.host.Checked["smnWrap"]);
}

TEST(MainCommands, TheWheelScrollsOneLinePerMessage)
{
    TFixture f;
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "r\r\n";
    f.Text(text);
    f.commands.MouseWheel(f.e(), -360);
    EXPECT_EQ(f.e().TopRow(), 1);
    f.commands.MouseWheel(f.e(), 0);
    EXPECT_EQ(f.e().TopRow(), 2);
    f.commands.MouseWheel(f.e(), 720);
    EXPECT_EQ(f.e().TopRow(), 1);
}

TEST(MainCommands, LinksUnderThePointerOpenOnDoubleClick)
{
    TFixture f;
    f.e().View().SetUrl(true);
    f.e().View().SetMail(true);
    f.Text("see http://example.com/a here\r\nmail me@example.com now\r\nplain");
    const TEditorMetrics& m = f.e().Metrics();
    auto at = [&](int row, int col) {
        return TPoint{m.TextLeft + col * m.ColWidth + 1, m.TopOffset + row * m.RowHeight + 1};
    };
    f.commands.EditorMouseMove(f.e(), at(0, 8));
    EXPECT_EQ(f.commands.LinkTarget(), "http://example.com/a");
    EXPECT_EQ(f.host.Cursor, crHandPoint);
    f.commands.EditorMouseMove(f.e(), at(1, 7));
    EXPECT_EQ(f.commands.LinkTarget(), "mailto:me@example.com");
    EXPECT_TRUE(f.commands.EditorDblClick(f.e(), at(1, 7)));
    EXPECT_EQ(f.host.Urls, std::vector<std::string>{"mailto:me@example.com"});
    f.commands.EditorMouseMove(f.e(), at(2, 1));
    EXPECT_EQ(f.commands.LinkTarget(), "");
    EXPECT_EQ(f.host.Cursor, crIBeam);
    // No link: the editor's own double click, except over the left margin.
    EXPECT_FALSE(f.commands.EditorDblClick(f.e(), at(2, 1)));
    ASSERT_GT(m.TextLeft, 0);
    EXPECT_TRUE(f.commands.EditorDblClick(f.e(), {0, at(2, 1).Y}));
    // Recognition off: no links at all.
    f.e().View().SetUrl(false);
    f.e().View().SetMail(false);
    f.commands.EditorMouseMove(f.e(), at(0, 8));
    EXPECT_EQ(f.commands.LinkTarget(), "");
    EXPECT_EQ(f.host.Urls.size(), 1u);
}
