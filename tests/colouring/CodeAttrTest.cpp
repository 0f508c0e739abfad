// Per-kind display settings: defaults, the stored-only-if-different rule, and how a kind's
// settings colour an editor.
#include <gtest/gtest.h>

#include "MemoryProfile.h"
#include "ModeTestUtil.h"
#include "colouring/CodeAttr.h"
#include "platform/Sjis.h"

using proftest::TIniData;
using proftest::TMemoryProfile;

namespace {

const std::string kPlain = PlainTextModeName();

// Every setting away from its default.
TCodeAttr Changed()
{
    TCodeAttr a;
    a.WordWrap = false;
    a.ImeMode = imDontCare;
    a.TrimRightStr = true;
    a.UnderLine = true;
    a.VertLine = true;
    a.TabSpace = 4;
    a.LineNo = false;
    a.LineNoMode = nmRow;
    a.FontName = "IPAGothic";
    a.FontSize = 12;
    a.HiperLink = false;
    a.HiliteWords = {"TODO", "with blank"};
    a.HiliteQuoteMarks = {"#"};
    a.ForeColor = 0x112233;
    a.EditorStyle = fsBold;
    a.BackColor = clWindow; // a system colour: negative as a 32-bit number
    a.SelColor = 0x010101;
    a.SelBkColor = 0x020202;
    a.RetMarkColor = 0x030303;
    a.UnderlineColor = 0x040404;
    a.Comment = {0x050505, 0};
    a.Reserve = {0x060606, fsBold};
    a.Symbol = {0x070707, fsItalic};
    a.Str = {0x080808, fsUnderline};
    a.Num = {0x090909, fsStrikeOut};
    a.Mail = {0x0A0A0A, 0};
    a.Url = {0x0B0B0B, 0};
    a.Hilite = {0x0C0C0C, 0};
    a.HiQteLine = {0x0D0D0D, fsItalic};
    return a;
}

} // namespace

TEST(CodeAttr, MissingFileAndKeysGiveTheDefaults)
{
    TIniData file;
    const TCodeAttr a = ReadCodeAttr(TMemoryProfile(file), "C");
    EXPECT_EQ(a, TCodeAttr());
    EXPECT_TRUE(a.WordWrap);
    EXPECT_EQ(a.ImeMode, imOpen);
    EXPECT_EQ(a.FontName, std::string("ＭＳ ゴシック"_sj));
    EXPECT_EQ(a.HiliteQuoteMarks.size(), 4u);
    EXPECT_EQ(a.Comment, (TCodeAttrColor{0x008000, fsItalic}));
}

TEST(CodeAttr, SavingTheDefaultsLeavesNoKeysAndRemovesOldOnes)
{
    for (const std::string& name : {kPlain, std::string("Pascal")}) {
        TIniData file;
        TMemoryProfile p(file);
        WriteCodeAttr(p, name, Changed());
        EXPECT_GT(file.KeyCount(), 20) << name;
        WriteCodeAttr(p, name, TCodeAttr());
        EXPECT_EQ(file.KeyCount(), 0) << name << "\n" << file.Text();
    }
}

TEST(CodeAttr, EveryChangedSettingReadsBack)
{
    // Each kind stores its own keys only; the other kind's keys come back as defaults.
    TIniData file;
    TMemoryProfile p(file);
    WriteCodeAttr(p, kPlain, Changed());
    WriteCodeAttr(p, "C", Changed());

    TCodeAttr plain = Changed();
    plain.WordWrap = true; // kept by its own command, not with the rest
    TCodeAttr lang = plain;
    const TCodeAttr d;
    plain.Comment = d.Comment, plain.Reserve = d.Reserve, plain.Symbol = d.Symbol, plain.Str = d.Str, plain.Num = d.Num;
    lang.HiperLink = d.HiperLink, lang.HiliteWords = d.HiliteWords, lang.HiliteQuoteMarks = d.HiliteQuoteMarks;
    lang.Mail = d.Mail, lang.Url = d.Url, lang.Hilite = d.Hilite, lang.HiQteLine = d.HiQteLine;
    EXPECT_EQ(ReadCodeAttr(p, kPlain), plain);
    EXPECT_EQ(ReadCodeAttr(p, "C"), lang);
    EXPECT_EQ(p.ReadString("CAttr", "FC_BackColor", ""), std::to_string(static_cast<std::int32_t>(clWindow)));
}

TEST(CodeAttr, KeysWithTheirOwnStoringRules)
{
    TIniData file;
    TMemoryProfile p(file);
    TCodeAttr a;
    a.ImeMode = imClose;
    a.LineNo = false;
    a.HiliteQuoteMarks.clear();
    WriteCodeAttr(p, kPlain, a);
    EXPECT_EQ(p.ReadString(kPlain, "ImeMode", ""), "3") << "anything but open is stored as no preference";
    EXPECT_EQ(p.ReadString(kPlain, "LineNo", ""), "0");
    EXPECT_EQ(p.ReadString(kPlain, "HiliteQuoteMarks", "none"), "none") << "an empty list is not stored";
    EXPECT_EQ(ReadCodeAttr(p, kPlain).HiliteQuoteMarks, TCodeAttr::DefaultQuoteMarks());

    // A language leaves plain-text keys that are already in its section alone.
    p.WriteString("CAttr", "FC_Mail", "5");
    WriteCodeAttr(p, "C", TCodeAttr());
    EXPECT_EQ(p.ReadString("CAttr", "FC_Mail", ""), "5");
}

TEST(CodeAttr, KindColoursReachTheEditor)
{
    TBasicColouredEditor main("Editor");
    TBasicColouredEditor other("SubEditor");
    main.Colouring().View().Brackets().AddPair("(*", "*)");
    TCodeAttr a;
    a.ForeColor = 0x111111;
    a.BackColor = 0x222222;
    ApplyCodeAttr(main, "Pascal", a);
    ApplyCodeAttr(other, "Pascal", a);

    TEditorColors& c = main.Colouring().View().Colors();
    EXPECT_EQ(c.Comment().Color(), 0x008000u);
    EXPECT_EQ(c.Comment().Style(), fsItalic);
    EXPECT_EQ(c.Reserve().Color(), 0xFF0000u);
    EXPECT_EQ(c.Int().Color(), 0xFF00FFu);
    EXPECT_EQ(c.Ank().Color(), 0x111111u) << "slots a language does not name look like the text";
    EXPECT_EQ(c.Ank().BkColor(), 0x222222u);
    EXPECT_EQ(c.Select().Color(), 0xFFFFFFu);
    EXPECT_EQ(c.Select().BkColor(), 0u);
    const TFountainBracketItem* b = main.Colouring().View().Brackets().Items(0);
    EXPECT_EQ(b->ItemColor().Color(), 0x008000u);
    EXPECT_EQ(b->ItemColor().BkColor(), 0x222222u);
    EXPECT_EQ(b->ItemColor().Style(), fsItalic);
    EXPECT_EQ(main.Editor().Color(), 0x222222u);
    EXPECT_EQ(main.Editor().Font().Height(), -13);
    EXPECT_EQ(main.Editor().Font().Charset(), kDefaultCharset);
    EXPECT_EQ(main.Editor().Marks().EofMark().Color(), 0x808000u);
    EXPECT_EQ(main.VnSettings().TabMark.Color, 0x808000u);
    EXPECT_EQ(main.VnSettings().VertLine.Color, 0x808080u);
    EXPECT_TRUE(main.Editor().Leftbar().Visible());
    EXPECT_FALSE(other.Editor().Leftbar().Visible()) << "line numbers belong to the main editor";
    EXPECT_EQ(main.Editor().Leftbar().ShowNumberMode(), nmLine);
    EXPECT_EQ(main.ImeMode(), imOpen);

    // Plain text: links from HiperLink, its own slots, the word lists; the language slots
    // fall back to the text colour.
    TCodeAttr plain;
    plain.HiliteWords = {"TODO"};
    ApplyCodeAttr(main, kPlain, plain);
    EXPECT_TRUE(main.Colouring().View().Url());
    EXPECT_TRUE(main.Colouring().View().Mail());
    EXPECT_EQ(c.Url().Color(), 0x008000u);
    EXPECT_EQ(c.Url().Style(), fsUnderline);
    EXPECT_EQ(c.Comment().Color(), 0u);
    EXPECT_EQ(c.Comment().Style(), 0);
    EXPECT_EQ(main.VnSettings().HiliteWordList, (std::vector<std::string>{"TODO"}));
    EXPECT_EQ(main.VnSettings().HiliteWord.Style, fsBold);
    EXPECT_EQ(main.VnSettings().HiliteQuoteMarks, TCodeAttr::DefaultQuoteMarks());
    plain.HiperLink = false;
    ApplyCodeAttr(main, kPlain, plain);
    EXPECT_FALSE(main.Colouring().View().Url());
    EXPECT_FALSE(main.Colouring().View().Mail());
}

TEST(CodeAttr, FontSizesBecomePixelHeights)
{
    EXPECT_EQ(FontSizeToHeight(10), -13);
    EXPECT_EQ(FontSizeToHeight(9), -12);
    EXPECT_EQ(FontSizeToHeight(12), -16);
    EXPECT_EQ(FontSizeToHeight(11), -15);
}
