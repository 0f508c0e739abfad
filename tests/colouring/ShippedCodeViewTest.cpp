// The definition file the program ships: every language parses, is listed, has a sample,
// and colours its sample with reserved words and comments.
#include <gtest/gtest.h>

#include "ModeTestUtil.h"
#include "colouring/CommaText.h"
#include "colouring/IniProfile.h"
#include "colouring/LanguageDefs.h"
#include "platform/Cp932.h"

namespace {

std::string ShippedFile()
{
    const auto text = ReadWholeFile(std::string(VARNET_DATA_DIR) + "/CodeView.cfg");
    return text ? *text : std::string();
}

} // namespace

TEST(ShippedCodeView, IsWholeCp932TextWithTheExpectedSections)
{
    const std::string file = ShippedFile();
    ASSERT_FALSE(file.empty());
    const std::u16string wide = Cp932ToUtf16(file);
    for (const char16_t c : wide) {
        ASSERT_FALSE(IsRawByteEscape(c)) << "a byte that is not CP932 text";
    }
    // Through the program's own INI routines: lone quotes, values that begin with '=' and
    // quoted comma text must come through as written.
    proftest::TIniData cfg;
    cfg.Parse(file);
    const TIniProfile p(std::string(VARNET_DATA_DIR) + "/CodeView.cfg");
    EXPECT_EQ(p.ReadString("C/C++", "Quotation", ""), "\"");
    EXPECT_EQ(p.ReadString("Perl", "LeftBrackets", ""), "=pod,=head1");
    EXPECT_EQ(LanguageNames(p), (std::vector<std::string>{"C/C++", "Java", "Pascal", "Visual Basic", "Perl",
                                                           "Python", "Shell", "SQL"}));
    // Every extension names a language of the file, or HTML.
    const auto names = LanguageNames(p);
    const auto* ext = cfg.Find(cfg.Sections.front().Name);
    ASSERT_GT(ext->Keys.size(), 20u);
    for (const auto& [key, value] : ext->Keys) {
        EXPECT_TRUE(value == "HTML" || std::find(names.begin(), names.end(), value) != names.end()) << key;
    }
    EXPECT_EQ(p.ReadString("Extension", "PAS", ""), "Pascal");
    EXPECT_EQ(ParseCommaText(p.ReadString("Python", "LeftBrackets", "")), (std::vector<std::string>{"\"\"\"", "'''"}));
}

TEST(ShippedCodeView, EachSampleIsColouredByItsLanguage)
{
    modetest::TFakeWindow window;
    TDisplayModes modes(window, VARNET_DATA_DIR,
                        [](const std::string& path) { return std::make_unique<TIniProfile>(path); });
    TBasicColouredEditor editor;
    modes.SetMainEditor(&editor);

    const TIniProfile cfg(modes.CodeViewPath());
    for (const std::string& name : LanguageNames(cfg)) {
        SCOPED_TRACE(name);
        modes.SetLanguageMode(name);
        EXPECT_TRUE(window.Messages.empty()) << window.Messages.front();
        const std::string sample = modes.GetSampleCode(name);
        ASSERT_NE(sample.find('\n'), std::string::npos) << sample;

        // Load the sample as a document and colour its rows with their stored states, so
        // block comments and strings that span rows count too.
        editor.Editor().Lines().SetTextStr(sample);
        editor.Colouring().SetInitBracketsFull(true);
        int reserved = 0, comments = 0;
        auto parser = editor.Colouring().CreateParser();
        const TEditorColors& colours = editor.Colouring().View().Colors();
        for (int r = 0; r < editor.Editor().RowCount(); ++r) {
            parser->StartRow(editor.Editor().RowText(r), editor.Editor().ListRows().ParseState(r));
            for (int kind = parser->NextToken(); kind != tokEnd; kind = parser->NextToken()) {
                const TFountainColor* c = parser->TokenColor();
                reserved += c == &colours.Reserve();
                comments += kind == tokLineComment || kind == tokBracketed;
            }
        }
        EXPECT_GE(reserved, 3);
        EXPECT_GE(comments, 1);
    }
}
