// Display settings stored through the program's INI routines in a real folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "ModeTestUtil.h"
#include "colouring/IniProfile.h"
#include "platform/Sjis.h"

namespace {

struct TempDir {
    std::filesystem::path Path;
    TempDir()
    {
        Path = std::filesystem::temp_directory_path() /
               ("varnet-lang-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(Path);
        std::filesystem::create_directories(Path);
    }
    ~TempDir() { std::filesystem::remove_all(Path); }
};

std::string FileText(const std::filesystem::path& p)
{
    return ReadWholeFile(p.string()).value_or("<missing>");
}

} // namespace

TEST(IniProfile, KindSettingsSurviveAStoreAndANewStart)
{
    TempDir dir;
    modetest::TFakeWindow window;
    auto open = [](const std::string& path) { return std::make_unique<TIniProfile>(path); };
    const std::string plain = PlainTextModeName();
    {
        TDisplayModes modes(window, dir.Path.string(), open);
        TCodeAttr a;
        a.FontName = std::string("ＭＳ 明朝"_sj);
        a.HiliteWords = {"TODO", "FIX ME"};
        a.Url = {0x112233, fsBold};
        modes.SaveCodeView(plain, a);
        TBasicColouredEditor e;
        modes.SetMainEditor(&e);
        e.Editor().SetWordWrap(false);
        modes.SaveWordWrap("Pascal");
    }
    const std::string text = FileText(dir.Path / "CodeAttr.ini");
    EXPECT_NE(text.find("FontName=" + std::string("ＭＳ 明朝"_sj)), std::string::npos) << text;
    EXPECT_NE(text.find("HiliteWords=TODO,\"FIX ME\""), std::string::npos) << text;
    EXPECT_NE(text.find("FC_Url=1122867"), std::string::npos) << text;
    EXPECT_NE(text.find("Wordwrap=0"), std::string::npos) << text;
    EXPECT_EQ(text.find("FontSize"), std::string::npos) << "defaults are not stored";

    TDisplayModes modes(window, dir.Path.string(), open);
    const TCodeAttr back = ReadCodeAttr(TIniProfile((dir.Path / "CodeAttr.ini").string()), plain);
    EXPECT_EQ(back.HiliteWords, (std::vector<std::string>{"TODO", "FIX ME"}));
    EXPECT_EQ(back.Url, (TCodeAttrColor{0x112233, fsBold}));
    EXPECT_FALSE(ReadCodeAttr(TIniProfile((dir.Path / "CodeAttr.ini").string()), "Pascal").WordWrap);

    // Back to the defaults: the kind's keys go, the file stays readable.
    modes.SaveCodeView(plain, TCodeAttr());
    modes.ResetCodeAttr(plain);
    const std::string after = FileText(dir.Path / "CodeAttr.ini");
    EXPECT_EQ(after.find("FontName"), std::string::npos) << after;
    EXPECT_EQ(after.find("FC_Url"), std::string::npos) << after;
    EXPECT_NE(after.find("Wordwrap=0"), std::string::npos) << after;
}

TEST(IniProfile, ListsWhoseFirstAndLastItemsAreQuotedReadBackWhole)
{
    // Written as comma text these lines begin and end with a quote, which reading the file
    // would take off.
    TempDir dir;
    modetest::TFakeWindow window;
    auto open = [](const std::string& path) { return std::make_unique<TIniProfile>(path); };
    const std::string plain = PlainTextModeName();
    TCodeAttr a;
    a.HiliteWords = {"FIX ME"};
    a.HiliteQuoteMarks = {"> ", std::string("》 "_sj)};
    a.FontName = "\"Quoted\"";
    TDisplayModes(window, dir.Path.string(), open).SaveCodeView(plain, a);
    const TCodeAttr back = ReadCodeAttr(TIniProfile((dir.Path / "CodeAttr.ini").string()), plain);
    EXPECT_EQ(back.HiliteWords, a.HiliteWords);
    EXPECT_EQ(back.HiliteQuoteMarks, a.HiliteQuoteMarks);
    EXPECT_EQ(back.FontName, a.FontName);
}

TEST(IniProfile, AMissingDefinitionFileIsMissing)
{
    TempDir dir;
    EXPECT_FALSE(TIniProfile((dir.Path / "CodeView.cfg").string()).Exists());
    modetest::TFakeWindow window;
    TDisplayModes modes(window, dir.Path.string(),
                        [](const std::string& path) { return std::make_unique<TIniProfile>(path); });
    EXPECT_FALSE(modes.CodeViewExists());
    EXPECT_TRUE(modes.LanguageNames().empty());
}
