// The property set carries every setting from one editor to another; the split makes a
// second view of one text.
#include <gtest/gtest.h>

#include "ModeTestUtil.h"
#include "colouring/EditorProp.h"
#include "colouring/EditorSplit.h"
#include "colouring/LanguageDefs.h"
#include "testing/FakeHost.h"

namespace {

// Counts how often its rows are rebuilt by re-wrapping.
class TCountingEditor : public TEditor {
public:
    using TEditor::TEditor;
    void RowsRebuilt() override
    {
        ++Rebuilds;
        TEditor::RowsRebuilt();
    }
    int Rebuilds = 0;
};

class TCountingColouredEditor : public TColouredEditor {
public:
    explicit TCountingColouredEditor(TEditorHost* host = nullptr) : FEditor(host), FColouring(FEditor) {}
    TCountingEditor& Editor() override { return FEditor; }
    TEditorColouring& Colouring() override { return FColouring; }
    std::string Name() const override { return "SubEditor"; }
    TVnSettings VnSettings() const override { return FVn; }
    void SetVnSettings(const TVnSettings& v) override { FVn = v; }
    TImeMode ImeMode() const override { return FIme; }
    void SetImeMode(TImeMode v) override { FIme = v; }

private:
    TCountingEditor FEditor;
    TEditorColouring FColouring;
    TVnSettings FVn;
    TImeMode FIme = imDontCare;
};

// A main editor dressed as a Pascal view with a few settings away from their defaults.
void Dress(TColouredEditor& e)
{
    TEditor& ed = e.Editor();
    TEditorViewInfo& v = e.Colouring().View();
    v.Brackets().AddPair("(*", "*)");
    v.Brackets().Items(0)->ItemColor().SetColor(0x008000);
    v.SetCommenter("//");
    v.SetHexPrefix("$");
    v.SetQuotation("'");
    v.SetControlCode(true);
    v.Colors().Reserve().SetColor(0xFF0000);
    v.Colors().Select().SetBkColor(0x123456);
    TReserveWordList words;
    words.SetWords({"begin", "end"});
    e.Colouring().SetReserveWordList(words);
    ed.SetColor(0xEEEEEE);
    ed.Caret().SetTabSpaceCount(4);
    ed.Caret().SetFreeCaret(false);
    ed.Font().SetName("IPAGothic");
    ed.Font().SetHeight(-16);
    ed.Imagebar().SetVisible(false);
    ed.Leftbar().SetVisible(true);
    ed.Margin().SetLeft(9);
    ed.Marks().RetMark().SetVisible(true);
    ed.Ruler().SetVisible(false);
    ed.SetScrollBars(ssVertical);
    ed.Speed().SetInitBracketsFull(true);
    ed.WrapOption().SetWrapByte(40);
    ed.WrapOption().SetLeading(true);
    ed.SetWordWrap(true);
}

void ExpectSameSettings(TColouredEditor& a, TColouredEditor& b)
{
    TEditor& x = a.Editor();
    TEditor& y = b.Editor();
    EXPECT_EQ(y.Color(), x.Color());
    EXPECT_EQ(y.Caret().TabSpaceCount(), x.Caret().TabSpaceCount());
    EXPECT_EQ(y.Caret().FreeCaret(), x.Caret().FreeCaret());
    EXPECT_EQ(y.Font().Name(), x.Font().Name());
    EXPECT_EQ(y.Font().Height(), x.Font().Height());
    EXPECT_EQ(y.Imagebar().Visible(), x.Imagebar().Visible());
    EXPECT_EQ(y.Leftbar().Visible(), x.Leftbar().Visible());
    EXPECT_EQ(y.Margin().Left(), x.Margin().Left());
    EXPECT_EQ(y.Marks().RetMark().Visible(), x.Marks().RetMark().Visible());
    EXPECT_EQ(y.Ruler().Visible(), x.Ruler().Visible());
    EXPECT_EQ(y.ScrollBars(), x.ScrollBars());
    EXPECT_EQ(y.Speed().InitBracketsFull(), x.Speed().InitBracketsFull());
    EXPECT_EQ(y.WordWrap(), x.WordWrap());
    EXPECT_EQ(y.WrapOption().WrapByte(), x.WrapOption().WrapByte());
    EXPECT_EQ(y.WrapOption().Leading(), x.WrapOption().Leading());
    const std::string row = "BEGIN (* c *) $1F 'a' #13 // z";
    EXPECT_EQ(modetest::ColourDump(b.Colouring(), row), modetest::ColourDump(a.Colouring(), row));
    EXPECT_EQ(b.Colouring().View().Colors().Select().BkColor(), 0x123456u);
}

} // namespace

TEST(EditorProp, CarriesEverySettingFromEditorToEditor)
{
    TBasicColouredEditor main;
    Dress(main);
    TEditorProp prop;
    prop.Assign(main);
    TCountingColouredEditor other;
    other.Editor().Lines().SetTextStr(std::string(200, 'x') + "\r\n");
    other.Editor().Rebuilds = 0;
    prop.AssignTo(other);
    ExpectSameSettings(main, other);
    EXPECT_EQ(other.Editor().Rebuilds, 1) << "wrapped once, at the set's width";
    EXPECT_EQ(other.Editor().RowCount(), 6);

    // Unwrapping: word wrap off first, then the options: again one rebuild.
    prop.SetWordWrap(false);
    prop.WrapOption().SetWrapByte(60);
    other.Editor().Rebuilds = 0;
    prop.AssignTo(other);
    EXPECT_EQ(other.Editor().Rebuilds, 1);
    EXPECT_EQ(other.Editor().WrapOption().WrapByte(), 60);
}

TEST(EditorProp, SetToSetCopiesTheExtensionsTooAndHandlersHearRealChanges)
{
    TEditorProp a, b;
    a.FileExtList().Add("pas");
    a.FileExtList().Add("PAS");
    a.View().SetCommenter("{");
    a.ReserveWordList().Add("begin");
    a.SetColor(0x10);
    int colour = 0, bars = 0, wrap = 0;
    b.OnColorChange = [&](TObject*) { ++colour; };
    b.OnScrollBarsChange = [&](TObject*) { ++bars; };
    b.OnWordWrapChange = [&](TObject*) { ++wrap; };
    a.AssignTo(b);
    EXPECT_EQ(b.FileExtList().Count(), 1);
    EXPECT_TRUE(b.FileExtList().HasExt("Pas"));
    EXPECT_EQ(b.View().Commenter(), "{");
    EXPECT_TRUE(b.ReserveWordList().Contains("BEGIN"));
    EXPECT_EQ(b.Color(), 0x10u);
    EXPECT_EQ(colour, 1);
    EXPECT_EQ(bars, 0) << "same scroll bars: no change";
    EXPECT_EQ(wrap, 0);
    b.SetWordWrap(true);
    b.SetWordWrap(true);
    EXPECT_EQ(wrap, 1);

    // From an editor the extension list stays the set's own.
    TBasicColouredEditor e;
    b.Assign(e);
    EXPECT_EQ(b.FileExtList().Count(), 1);
    EXPECT_EQ(b.Font().Name(), e.Editor().Font().Name());
}

TEST(Split, BothViewsEditOneTextWithTheirOwnCarets)
{
    TFakeHost hostA, hostB;
    TBasicColouredEditor main("Editor", &hostA);
    Dress(main);
    TVnSettings vn;
    vn.HiliteWordList = {"TODO"};
    vn.HiliteQuoteMarks = {">"};
    vn.VertLine = {0x808080, true};
    vn.WordHighlight = false;
    main.SetVnSettings(vn);
    main.SetImeMode(imOpen);
    main.Editor().Lines().SetTextStr("begin\r\n  x := 1;\r\nend.\r\n");
    main.Editor().SetModified(true);
    main.Editor().SetOverWrite(true);
    int changes = 0;
    main.Editor().OnChange = [&](TObject*) { ++changes; };

    auto sub = std::make_unique<TBasicColouredEditor>("SubEditor", &hostB);
    CopyEditorForSplit(main, *sub);
    ExpectSameSettings(main, *sub);
    EXPECT_EQ(sub->VnSettings(), vn);
    EXPECT_EQ(sub->ImeMode(), imOpen);
    EXPECT_TRUE(sub->Editor().Modified());
    EXPECT_TRUE(sub->Editor().OverWrite());
    EXPECT_EQ(&sub->Editor().ListRows(), &main.Editor().ListRows()) << "one row store, no copy";

    // Typing in the lower view shows in the upper one; each keeps its caret.
    main.Editor().SetOverWrite(false);
    sub->Editor().SetOverWrite(false);
    main.Editor().SetRowCol(0, 5);
    sub->Editor().SetRowCol(2, 0);
    sub->Editor().TypeText("x");
    EXPECT_EQ(main.Editor().Lines().GetTextStr(), "begin\r\n  x := 1;\r\nxend.\r\n");
    EXPECT_EQ(main.Editor().Row(), 0);
    EXPECT_EQ(main.Editor().Col(), 5);
    EXPECT_EQ(sub->Editor().Col(), 1);
    main.Editor().TypeText(";");
    EXPECT_EQ(sub->Editor().Lines().GetTextStr(), "begin;\r\n  x := 1;\r\nxend.\r\n");
    EXPECT_GE(changes, 2) << "the window hears changes made in either view";

    // One history: undo in the upper view takes back both edits, the lower one's too.
    main.Editor().Undo();
    main.Editor().Undo();
    EXPECT_EQ(sub->Editor().Lines().GetTextStr(), "begin\r\n  x := 1;\r\nend.\r\n");
    sub->Editor().Redo();
    EXPECT_EQ(main.Editor().Lines().GetTextStr(), "begin\r\n  x := 1;\r\nxend.\r\n");

    // Split off: the main editor keeps the text and goes on editing alone.
    sub.reset();
    EXPECT_EQ(main.Editor().ListRows().Clients().size(), 1u);
    main.Editor().SetRowCol(1, 0);
    main.Editor().TypeText("y");
    EXPECT_EQ(main.Editor().Lines().GetTextStr(), "begin\r\ny  x := 1;\r\nxend.\r\n");
}

TEST(Split, TheLowerViewFollowsModeChanges)
{
    proftest::TMemoryFiles files;
    files["/p/CodeView.cfg"].Parse("[E]\n[C]\nReserveWords=int\nCommenter=//\n");
    modetest::TFakeWindow window;
    TDisplayModes modes(window, "/p", files.Opener());
    window.Modes = &modes;
    TBasicColouredEditor main("Editor"), sub("SubEditor");
    modes.SetMainEditor(&main);
    modes.SetPlainTextMode(main);
    CopyEditorForSplit(main, sub);
    modes.SetSubEditor(&sub);
    modes.SetLanguageMode("C");
    EXPECT_EQ(modetest::ColourDump(sub.Colouring(), "int // x"), "int=ff0000 // x=8000");
    EXPECT_FALSE(sub.VnSettings().WordHighlight);
}

TEST(Split, OnOffAndCommandsThatNeedOneEditor)
{
    proftest::TMemoryFiles files;
    modetest::TFakeWindow window;
    TDisplayModes modes(window, "/p", files.Opener());
    TBasicColouredEditor main("Editor");
    modes.SetMainEditor(&main);
    main.Editor().Lines().SetTextStr("one\r\ntwo\r\n");
    int made = 0, changes = 0;
    TEditorSplit split(main, [&] {
        ++made;
        return std::make_unique<TBasicColouredEditor>("SubEditor");
    }, &modes);
    split.OnChange = [&] { ++changes; };

    split.Toggle();
    ASSERT_TRUE(split.Split());
    EXPECT_EQ(modes.SubEditor(), split.SubEditor());
    EXPECT_EQ(main.Editor().ListRows().Clients().size(), 2u);
    split.SetSplit(true);
    EXPECT_EQ(made, 1) << "already split: nothing new";
    {
        TEditorSplit::TSingleEditor single(split, true); // the options dialog
        EXPECT_FALSE(split.Split());
        EXPECT_EQ(modes.SubEditor(), nullptr);
        EXPECT_EQ(main.Editor().ListRows().Clients().size(), 1u);
    }
    EXPECT_TRUE(split.Split());
    EXPECT_EQ(made, 2);
    {
        TEditorSplit::TSingleEditor single(split, false); // opening a file
    }
    EXPECT_FALSE(split.Split());
    {
        TEditorSplit::TSingleEditor single(split, true);
    }
    EXPECT_FALSE(split.Split()) << "restores only a split that was on";
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(main.Editor().Lines().GetTextStr(), "one\r\ntwo\r\n");
}
