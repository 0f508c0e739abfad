// The three display modes, the mode a file's extension selects, the messages, and the
// per-kind settings stored for the window.
#include <gtest/gtest.h>

#include "ModeTestUtil.h"
#include "colouring/LanguageDefs.h"
#include "platform/Sjis.h"

using modetest::ColourDump;
using modetest::TFakeWindow;
using proftest::TIniData;
using proftest::TMemoryFiles;

namespace {

const std::string kPlain = PlainTextModeName();
const std::string kHtml = HtmlModeName();

const char* const kCodeView =
    "[Extensions]\n"
    "pas=Pascal\n"
    "c=C\n"
    "foo=Nowhere\n"
    "xhtml=HTML\n"
    "[C]\n"
    "ReserveWords=int,return\n"
    "Commenter=//\n"
    "Quotation=\"\n"
    "LeftBrackets=/*\n"
    "RightBrackets=*/\n"
    "[Pascal]\n"
    "ReserveWords=begin,end\n"
    "LeftBrackets=(*,{\n"
    "RightBrackets=*),}\n"
    "[Broken]\n"
    "ReserveWords=x\n"
    "LeftBrackets=(*,{\n"
    "RightBrackets=*)\n"
    "[Empty]\n"
    "Commenter=#\n";

struct ModesFixture : ::testing::Test {
    TMemoryFiles files;
    TFakeWindow window;
    TDisplayModes modes{window, "/prog", files.Opener(), [this](const std::string& path) -> std::optional<std::string> {
                            if (path == "/prog/CodeView.cfg" && files["/prog/CodeView.cfg"].Exists)
                                return files["/prog/CodeView.cfg"].Raw;
                            return std::nullopt;
                        }};
    TBasicColouredEditor editor{"Editor"};

    ModesFixture()
    {
        files["/prog/CodeView.cfg"].Parse(kCodeView);
        window.LanguageItems = {"C", "Pascal", "Broken", "Empty"};
        window.Modes = &modes;
        modes.SetMainEditor(&editor);
    }
    TIniData& Attr() { return files["/prog/CodeAttr.ini"]; }
    TIniData& Cfg() { return files["/prog/CodeView.cfg"]; }
};

} // namespace

TEST_F(ModesFixture, EachModeColoursItsOwnWay)
{
    const std::string row = "int x; /* c */ // d \"s\" http://a.jp";
    modes.SetLanguageMode("C");
    EXPECT_EQ(modes.ViewMode(), vmLanguage);
    EXPECT_TRUE(window.Messages.empty());
    EXPECT_EQ(ColourDump(editor.Colouring(), row),
              "int=ff0000 x=0 ;=ff /* c */=8000 // d \"s\" http://a.jp=8000");
    EXPECT_FALSE(editor.VnSettings().WordHighlight);

    modes.SetPlainTextMode(editor);
    EXPECT_EQ(modes.ViewMode(), vmPlainText);
    EXPECT_EQ(window.Status, kPlain);
    EXPECT_EQ(ColourDump(editor.Colouring(), row),
              "int=0 x=0 ;=0 /=0 *=0 c=0 *=0 /=0 /=0 /=0 d=0 \"=0 s=0 \"=0 http://a.jp=8000");
    EXPECT_TRUE(editor.VnSettings().WordHighlight);

    modes.SetHtmlMode(editor);
    EXPECT_EQ(modes.ViewMode(), vmHtml);
    EXPECT_EQ(window.Status, kHtml);
    EXPECT_EQ(ColourDump(editor.Colouring(), "<B class=\"x\"><!-- y -->"),
              "<=ff B=ff0000 class=0 ==ff \"x\"=80 >=ff <!-- y -->=8000");
    EXPECT_FALSE(editor.VnSettings().WordHighlight);
}

TEST_F(ModesFixture, StoredColoursOfTheKindAreUsed)
{
    TCodeAttr c;
    c.Reserve.Color = 0x123456;
    c.Comment.Color = 0x654321;
    modes.SaveCodeView("C", c);
    TCodeAttr plain;
    plain.Url = {0xABCDEF, 0};
    plain.HiperLink = true;
    modes.SaveCodeView(kPlain, plain);

    modes.SetLanguageMode("C");
    EXPECT_EQ(ColourDump(editor.Colouring(), "return /* x */"), "return=123456 /* x */=654321");
    modes.SetPlainTextMode(editor);
    EXPECT_EQ(ColourDump(editor.Colouring(), "see http://a.jp"), "see=0 http://a.jp=abcdef");

    modes.ResetCodeAttr("C");
    modes.SetLanguageMode("C");
    EXPECT_EQ(ColourDump(editor.Colouring(), "return /* x */"), "return=ff0000 /* x */=8000");
}

TEST_F(ModesFixture, LanguageModeMessages)
{
    modes.SetLanguageMode("");
    EXPECT_EQ(window.Messages.back(), std::string("設定画面で表示する開発言語の種類を指定して下さい。"_sj));

    modes.SetLanguageMode("C");
    modes.SetLanguageMode("Empty");
    EXPECT_EQ(window.Messages.back(), "Empty" + std::string("の予約語が未定義です。"_sj));
    EXPECT_EQ(editor.Colouring().View().Commenter(), "//") << "an undefined language leaves the last one";

    modes.SetLanguageMode("Broken");
    EXPECT_NE(window.Messages.back().find("RightBrackets"), std::string::npos);
    EXPECT_EQ(editor.Colouring().View().Brackets().Count(), 1);
    EXPECT_EQ(ColourDump(editor.Colouring(), "x (* y *)"), "x=ff0000 (* y *)=8000")
        << "what was defined is shown in the kind's colours";

    Cfg() = TIniData();
    window.Messages.clear();
    modes.SetLanguageMode("C");
    ASSERT_EQ(window.Messages.size(), 1u);
    EXPECT_EQ(window.Messages[0], std::string("ソースコード強調表示定義ファイルが見つかりません。"_sj) + "\r/prog/CodeView.cfg");

    window.Messages.clear();
    EXPECT_FALSE(modes.LoadCodeConfig("", editor));
    modes.LoadCodeView("", editor);
    modes.SaveCodeView("", TCodeAttr());
    EXPECT_EQ(window.Messages, (std::vector<std::string>{"Section is null - LoadCodeConfig",
                                                         "Section is null - LoadCodeView",
                                                         "Section is null - SaveCodeView"}));
}

TEST_F(ModesFixture, FileExtensionChoosesTheMode)
{
    const int opensBefore = Cfg().Opens;
    modes.SetViewModeByFileExt(".HTML");
    modes.SetViewModeByFileExt(".htm");
    EXPECT_EQ(Cfg().Opens, opensBefore) << "HTML is known without the definition file";
    EXPECT_EQ(modes.ViewMode(), vmHtml);
    EXPECT_EQ(window.Status, kHtml);

    modes.SetViewModeByFileExt(".PAS");
    EXPECT_EQ(modes.ViewMode(), vmLanguage);
    EXPECT_EQ(window.Status, "Pascal");
    EXPECT_EQ(editor.Colouring().View().Brackets().Count(), 2);

    window.Selected.clear();
    modes.SetViewModeByFileExt(".pas");
    EXPECT_TRUE(window.Selected.empty()) << "the mode shown already stays as it is";

    modes.SetViewModeByFileExt(".txt");
    EXPECT_EQ(modes.ViewMode(), vmPlainText);
    EXPECT_EQ(window.Status, kPlain);

    modes.SetViewModeByFileExt(".c");
    modes.SetViewModeByFileExt("");
    EXPECT_EQ(window.Status, kPlain);

    modes.SetViewModeByFileExt(".c");
    modes.SetViewModeByFileExt(".foo");
    EXPECT_EQ(modes.ViewMode(), vmPlainText) << "a name no language carries is plain text";
    EXPECT_EQ(window.Status, kPlain);

    modes.SetViewModeByFileExt(".xhtml");
    EXPECT_EQ(modes.ViewMode(), vmHtml);

    Cfg() = TIniData();
    modes.SetViewModeByFileExt(".c");
    EXPECT_EQ(window.Status, kPlain) << "without the definition file every file is plain text";

    Cfg().Parse("[]\nc=C\n[C]\nReserveWords=x\n");
    window.Selected.clear();
    modes.SetViewModeByFileExt(".c");
    EXPECT_EQ(window.Messages.back(), "Section is null - SetViewModeByFileExt");
    EXPECT_TRUE(window.Selected.empty());
}

TEST_F(ModesFixture, WordWrapAndSaveSwitchesPerKind)
{
    TCodeAttr c;
    c.WordWrap = true;
    c.TrimRightStr = true;
    c.TabSpace = 4;
    modes.SaveCodeView("C", c);
    modes.SetLanguageMode("C");
    EXPECT_TRUE(modes.TrimRightStr());
    EXPECT_EQ(editor.Editor().Caret().TabSpaceCount(), 4);
    EXPECT_TRUE(editor.Editor().WordWrap());

    editor.Editor().SetWordWrap(false);
    modes.SaveWordWrap("C");
    modes.SetPlainTextMode(editor);
    EXPECT_FALSE(modes.TrimRightStr());
    EXPECT_TRUE(editor.Editor().WordWrap());
    modes.SetLanguageMode("C");
    EXPECT_FALSE(editor.Editor().WordWrap());

    // A sample editor previewing a kind does not change how the document is saved.
    TBasicColouredEditor sample("Sample");
    modes.SetPlainTextMode(editor);
    modes.LoadCodeView("C", sample);
    EXPECT_FALSE(modes.TrimRightStr());
}

TEST_F(ModesFixture, SampleCodeOrItsAbsence)
{
    Cfg().Parse("[E]\n[C]\nReserveWords=int\n*BeginCode\nint x;\n*EndCode*\n");
    EXPECT_EQ(modes.GetSampleCode("C"), "int x;");
    EXPECT_EQ(modes.GetSampleCode("Pascal"), std::string("定義ファイルにサンプルコードがないか、構文に誤りがあります。"_sj));
}
