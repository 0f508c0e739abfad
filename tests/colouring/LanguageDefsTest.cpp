// Language sections of the definition file, the built-in HTML rules, sample code.
#include <gtest/gtest.h>

#include "MemoryProfile.h"
#include "ModeTestUtil.h"
#include "TokenDump.h"
#include "colouring/FountainErrors.h"
#include "colouring/LanguageDefs.h"

using proftest::TIniData;
using proftest::TMemoryProfile;

namespace {

TIniData Cfg(std::string_view text)
{
    TIniData d;
    d.Parse(text);
    return d;
}

std::vector<std::string> Pairs(TEditorColouring& c)
{
    std::vector<std::string> out;
    const auto& b = c.View().Brackets();
    for (int i = 0; i < b.Count(); ++i) {
        out.push_back(b.Items(i)->LeftBracket() + " " + b.Items(i)->RightBracket());
    }
    return out;
}

} // namespace

TEST(LanguageDefs, SectionSettingsReachTheView)
{
    TIniData cfg = Cfg("[Ext]\npas=Pascal\n[Pascal]\nReserveWords=begin,end\nControlCode=1\n"
                       "Commenter=//\nHexPrefix=$\nQuotation='\"\nLeftBrackets=(*,{\nRightBrackets=*),}\n");
    TBasicColouredEditor e;
    e.Colouring().View().SetUrl(true);
    ASSERT_TRUE(ApplyCodeConfig(TMemoryProfile(cfg), "pascal", e)) << "section names ignore case";
    TEditorViewInfo& v = e.Colouring().View();
    EXPECT_FALSE(v.Url());
    EXPECT_TRUE(v.ControlCode());
    EXPECT_EQ(v.Commenter(), "//");
    EXPECT_EQ(v.HexPrefix(), "$");
    EXPECT_EQ(v.Quotation(), "'") << "only the first character delimits strings";
    EXPECT_EQ(Pairs(e.Colouring()), (std::vector<std::string>{"(* *)", "{ }"}));
    EXPECT_EQ(e.Colouring().ReserveWordList().Count(), 2);

    auto p = e.Colouring().CreateParser();
    EXPECT_EQ(colourtest::Dump(*p, "BEGIN { x } (* y *) #13 $FF 'it''s' // c"),
              "Word@0'BEGIN' Bracketed@6'{ x }' Bracketed@12'(* y *)' CharCode@20'#13' Hex@24'$FF' "
              "Quoted@28''it''s'' Comment@36'// c'");
}

TEST(LanguageDefs, ASectionWithoutReservedWordsIsNotApplied)
{
    TIniData cfg = Cfg("[Ext]\n[Bare]\nCommenter=#\n");
    TBasicColouredEditor e;
    e.Colouring().View().SetCommenter("//");
    e.Colouring().View().SetMail(true);
    EXPECT_FALSE(ApplyCodeConfig(TMemoryProfile(cfg), "Bare", e));
    EXPECT_EQ(e.Colouring().View().Commenter(), "//");
    EXPECT_FALSE(e.Colouring().View().Mail()) << "links go off before anything is read";
    EXPECT_FALSE(ApplyCodeConfig(TMemoryProfile(cfg), "Missing", e));
}

TEST(LanguageDefs, FaultyBracketListsStopAfterTheGoodPairs)
{
    TBasicColouredEditor e;
    TIniData shortList = Cfg("[E]\n[L]\nReserveWords=x\nLeftBrackets=(*,{,<\nRightBrackets=*)\n");
    EXPECT_THROW(ApplyCodeConfig(TMemoryProfile(shortList), "L", e), ECodeConfigError);
    EXPECT_EQ(Pairs(e.Colouring()), (std::vector<std::string>{"(* *)"}));

    std::string left, right;
    for (int i = 0; i < 15; ++i) {
        left += (i ? "," : "") + std::string("<") + std::to_string(i);
        right += (i ? "," : "") + std::to_string(i) + ">";
    }
    TIniData many = Cfg("[E]\n[L]\nReserveWords=x\nLeftBrackets=" + left + "\nRightBrackets=" + right + "\n");
    EXPECT_THROW(ApplyCodeConfig(TMemoryProfile(many), "L", e), EFountainError);
    EXPECT_EQ(e.Colouring().View().Brackets().Count(), 14);
    EXPECT_EQ(Pairs(e.Colouring()).back(), "<13 13>");
}

TEST(LanguageDefs, HtmlRules)
{
    TBasicColouredEditor e;
    e.Colouring().View().SetCommenter("//");
    e.Colouring().View().SetUrl(true);
    ApplyHtmlDefinition(e.Colouring());
    const TReserveWordList& words = e.Colouring().ReserveWordList();
    for (const char* w : {"TABLE", "href", "AREA", "abbr", "black", "white", "ABBREV", "EVENTs", "!"}) {
        EXPECT_TRUE(words.Contains(w)) << w;
    }
    EXPECT_FALSE(words.Contains("AREAAbbr"));
    EXPECT_EQ(Pairs(e.Colouring()), (std::vector<std::string>{"<!-- -->"}));
    EXPECT_EQ(modetest::ColourDump(e.Colouring(), "a href x"), "a=1fffffff href=1fffffff x=1fffffff")
        << "reserved words get the Reserve colour (here still the editor's own)";
    e.Colouring().View().Colors().Reserve().SetColor(0xFF);
    EXPECT_EQ(modetest::ColourDump(e.Colouring(), "a href x"), "a=ff href=ff x=1fffffff");
    auto p = e.Colouring().CreateParser();
    EXPECT_EQ(colourtest::Dump(*p, "<a href=\"http://x\"><!-- note --> // x"),
              "Symbol@0'<' Word@1'a' Word@3'href' Symbol@7'=' Quoted@8'\"http://x\"' Symbol@18'>' "
              "Bracketed@19'<!-- note -->' Symbol@33'/' Symbol@34'/' Word@36'x'");
}

TEST(LanguageDefs, LanguageNamesSkipTheExtensionSection)
{
    TIniData cfg = Cfg("[Ext]\nc=C\n[C]\nReserveWords=int\n[Java]\n");
    EXPECT_EQ(LanguageNames(TMemoryProfile(cfg)), (std::vector<std::string>{"C", "Java"}));
    TIniData none;
    EXPECT_TRUE(LanguageNames(TMemoryProfile(none)).empty());
}

TEST(LanguageDefs, SampleCodeBlocks)
{
    const std::string file = "[Ext]\r\n[A]\r\nReserveWords=x\r\n*BeginCode\r\nline 1\r\n\r\nline 3\r\n*EndCode*\r\n"
                             "[B]\r\nReserveWords=y\r\n"
                             "[C]\r\n*BeginCode\nc1\n[not a header]\nc2\n  *EndCode* here\nafter\n"
                             "[D]\n*BeginCode\nd1\n[E]\ne1\n";
    EXPECT_EQ(ExtractSampleCode(file, "A"), "line 1\r\n\r\nline 3");
    EXPECT_EQ(ExtractSampleCode(file, "a"), "line 1\r\n\r\nline 3") << "the header matches ignoring case";
    EXPECT_EQ(ExtractSampleCode(file, "B"), std::nullopt) << "the next section's sample is not B's";
    EXPECT_EQ(ExtractSampleCode(file, "C"), "c1\r\n[not a header]\r\nc2") << "an open block runs past headers";
    EXPECT_EQ(ExtractSampleCode(file, "D"), "d1\r\n[E]\r\ne1") << "without its end marker, to the end of the file";
    EXPECT_EQ(ExtractSampleCode(file, "Z"), std::nullopt);
    EXPECT_EQ(ExtractSampleCode("[A]\n*BeginCode\n*EndCode*\n", "A"), std::nullopt);
}
