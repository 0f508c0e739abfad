// The editor's rules at a token start (their order, comments, strings, character codes,
// hexadecimal numbers, mail and URL recognition) and the colour each token gets.
#include <gtest/gtest.h>

#include "TokenDump.h"
#include "colouring/EditorViewInfo.h"
#include "platform/Sjis.h"

using colourtest::TEditorTokenizer;

TEST(EditorRules, MailAddresses)
{
    TEditorTokenizer t;
    t.Fountain.SetMail(true);
    EXPECT_EQ(t("to a.b@c.d ok"), "Word@0'to' Mail@3'a.b@c.d' Word@11'ok'");
    EXPECT_EQ(t("x@.y"), "Mail@0'x@.y'") << "an '@' directly followed by '.' is enough";
    EXPECT_EQ(t("a@b.c-d~e,"), "Mail@0'a@b.c-d~e,'") << "the whole run of mail characters";
    // No '.' after the '@': the character table scans it.
    EXPECT_EQ(t("a@b c.d"), "Word@0'a' Symbol@1'@' Word@2'b' Word@4'c' Symbol@5'.' Word@6'd'");
    EXPECT_EQ(t("@a.b"), "Symbol@0'@' Word@1'a' Symbol@2'.' Word@3'b'");
    // A run without an address stays as the later rules make it, from every token start.
    EXPECT_EQ(t("a-b-c"), "Word@0'a' Symbol@1'-' Word@2'b' Symbol@3'-' Word@4'c'");
    t.Fountain.SetMail(false);
    EXPECT_EQ(t("a@b.c"), "Word@0'a' Symbol@1'@' Word@2'b' Symbol@3'.' Word@4'c'");
}

TEST(EditorRules, UrlPrefixesAreCaseSensitiveAndOnlyAtATokenStart)
{
    TEditorTokenizer t;
    t.Fountain.SetUrl(true);
    EXPECT_EQ(t("see https://x.y/z?q=1&r=#f rest"),
              "Word@0'see' Url@4'https://x.y/z?q=1&r=#f' Word@27'rest'");
    EXPECT_EQ(t("http://a ftp:b www.c"), "Url@0'http://a' Url@9'ftp:b' Url@15'www.c'");
    EXPECT_EQ(t("ftp:"), "Url@0'ftp:'") << "the prefix alone";
    EXPECT_EQ(t("HTTP:x"), "Word@0'HTTP' Symbol@4':' Word@5'x'");
    EXPECT_EQ(t("xhttp:y"), "Word@0'xhttp' Symbol@5':' Word@6'y'");
    EXPECT_EQ(t("http www"), "Word@0'http' Word@5'www'");
    EXPECT_EQ(t("https:a"), "Url@0'https:a'");
}

TEST(EditorRules, RuleOrderAtATokenStart)
{
    // Mail before URL: "www." opens a URL, but the run is an address.
    TEditorTokenizer t;
    t.Fountain.SetMail(true);
    t.Fountain.SetUrl(true);
    EXPECT_EQ(t("www.x@y.z"), "Mail@0'www.x@y.z'");
    // URL before comment.
    t.Fountain.SetCommenter("//");
    EXPECT_EQ(t("http://a.b/c d"), "Url@0'http://a.b/c' Word@13'd'");
    t.Fountain.SetUrl(false);
    EXPECT_EQ(t("http://a.b/c d"), "Word@0'http' Symbol@4':' Comment@5'//a.b/c d'");
    // Comment before quotation.
    t.Fountain.SetCommenter("\"");
    t.Fountain.SetQuotation("\"");
    EXPECT_EQ(t("a \"b\" c"), "Word@0'a' Comment@2'\"b\" c'");
    // Brackets before everything: a reserved word that opens a region colours as the region.
    TEditorTokenizer u;
    u.Fountain.Brackets().AddPair("begin", "end");
    u.Fountain.ReserveWordList().Add("begin");
    u.Fountain.SetMail(true);
    EXPECT_EQ(u("begin x end y"), "Bracketed@0'begin x end' Word@12'y'");
    u.Parser->StartRow("begin x end", TRowParseState::First());
    u.Parser->NextToken();
    EXPECT_FALSE(u.Parser->IsReservedWord());
    EXPECT_EQ(u.Parser->TokenColor(), &u.Fountain.Brackets().Items(0)->ItemColor());
}

TEST(EditorRules, CharacterCodesAndHexNumbers)
{
    TEditorTokenizer t;
    t.Fountain.SetControlCode(true);
    EXPECT_EQ(t("#13#$0D"), "CharCode@0'#13' HexCharCode@3'#$0D'");
    EXPECT_EQ(t("#a"), "CharCode@0'#' Word@1'a'");
    // The hex control code comes before the hex prefix.
    t.Fountain.SetHexPrefix("$");
    EXPECT_EQ(t("#$FF $FF $"), "HexCharCode@0'#$FF' Hex@5'$FF' Hex@9'$'");
    // ... and the decimal control code too.
    t.Fountain.SetHexPrefix("#");
    EXPECT_EQ(t("#12"), "CharCode@0'#12'");
    t.Fountain.SetControlCode(false);
    EXPECT_EQ(t("#12"), "Hex@0'#12'");
    t.Fountain.SetHexPrefix("");
    EXPECT_EQ(t("#13"), "Symbol@0'#' Integer@1'13'");
    // The prefix matches ignoring case; the digits follow the prefix.
    t.Fountain.SetHexPrefix("0x");
    EXPECT_EQ(t("0XfF 0xg 0"), "Hex@0'0XfF' Hex@5'0x' Word@7'g' Integer@9'0'");
}

TEST(EditorRules, QuotedStrings)
{
    TEditorTokenizer t;
    t.Fountain.SetQuotation("\"");
    EXPECT_EQ(t("say \"a\"\"b\" now"), "Word@0'say' Quoted@4'\"a\"\"b\"' Word@11'now'");
    EXPECT_EQ(t("x \"open"), "Word@0'x' Quoted@2'\"open'");
    EXPECT_EQ(t("\"\"\"\""), "Quoted@0'\"\"\"\"'");
    // A double-byte character is stepped over whole, so its trail byte never closes.
    t.Fountain.SetQuotation("\\");
    const std::string text = std::string("\\") + "表"_sj.data() + "\\x"; // 表 = 0x95 0x5C
    EXPECT_EQ(t(text), "Quoted@0+4 Word@4'x'");
}

TEST(EditorRules, ViewKeepsOneQuotationCharacter)
{
    TEditorViewInfo view;
    view.SetQuotation("'\"");
    EXPECT_EQ(view.Quotation(), "'");
    view.SetQuotation("「」"_sj);
    EXPECT_EQ(view.Quotation(), "「"_sj) << "a double-byte character stays whole";
    auto parser = view.Fountain().CreateParser();
    EXPECT_EQ(colourtest::Dump(*parser, "a「b「c」"_sj), "Word@0'a' Quoted@1+5 Word@6'c' WideSymbol@7+2");
    view.SetQuotation("");
    EXPECT_EQ(view.Quotation(), "");
}

TEST(EditorRules, TokenColorTable)
{
    TEditorTokenizer t;
    TEditorFountain& f = t.Fountain;
    f.SetCommenter(";");
    f.SetQuotation("'");
    f.SetHexPrefix("$");
    f.SetControlCode(true);
    f.SetMail(true);
    f.SetUrl(true);
    f.Brackets().AddPair("{", "}");
    f.ReserveWordList().Add("if");
    TEditorColors& c = f.Colors();
    struct Case {
        const char* Text;
        const TFountainColor* Expected;
    };
    const Case cases[] = {
        {"+", &c.Symbol()},   {"12", &c.Int()},   {"1.5", &c.Int()},       {"$1F", &c.Int()},
        {"; x", &c.Comment()}, {"abc", &c.Ank()}, {"http:x", &c.Url()},    {"a@b.c", &c.Mail()},
        {"'s'", &c.Str()},    {"#1", &c.Str()},  {"#$1", &c.Str()},        {"if", &c.Reserve()},
        {"IF", &c.Reserve()}, {"\t", nullptr},    {"{x}", &f.Brackets().Items(0)->ItemColor()},
    };
    for (const Case& k : cases) {
        t.Parser->StartRow(k.Text, TRowParseState::First());
        t.Parser->NextToken();
        EXPECT_EQ(t.Parser->TokenColor(), k.Expected) << k.Text;
    }
    for (std::string_view wide :
         {"、"_sj, "１"_sj, "Ａ"_sj, "ひ"_sj, "カ"_sj, "漢"_sj, "｡"_sj, "ｱ"_sj}) {
        t.Parser->StartRow(wide, TRowParseState::First());
        t.Parser->NextToken();
        EXPECT_EQ(t.Parser->TokenColor(), &c.DBCS()) << colourtest::KindName(t.Parser->Token());
    }
    // Kinds without a slot, reached as pieces carried over from the row above.
    for (int kind : {+tokSingleQuoted, +tokDoubleQuoted}) {
        t.Parser->StartRow("ab", TRowParseState{-1, 0, 2, kind, 0});
        t.Parser->NextToken();
        EXPECT_EQ(t.Parser->TokenColor(), nullptr);
    }
    t.Parser->StartRow("ab", TRowParseState{-1, 0, 2, tokReserved, 0});
    t.Parser->NextToken();
    EXPECT_EQ(t.Parser->TokenColor(), &c.Reserve()) << "the piece of a reserved word cut by a wrap";
    EXPECT_FALSE(t.Parser->IsReservedWord());
}

TEST(EditorRules, ReservedWordsIgnoreCaseAndCoverAnyKind)
{
    TEditorTokenizer t;
    auto& words = t.Fountain.ReserveWordList();
    words.Add("begin");
    words.Add("+");
    words.Add("漢字"_sj);
    std::vector<bool> reserved;
    t.Parser->StartRow("Begin BEGIN begin beginx + - 漢字"_sj, TRowParseState::First());
    while (t.Parser->NextToken() != tokEnd) {
        reserved.push_back(t.Parser->IsReservedWord());
    }
    EXPECT_EQ(reserved, (std::vector<bool>{true, true, true, false, true, false, true}));
    t.Parser->StartRow("BEGIN other", TRowParseState::First());
    t.Parser->NextToken();
    EXPECT_EQ(t.Parser->ResolveReserved(tokWord), tokReserved);
    t.Parser->NextToken();
    EXPECT_EQ(t.Parser->ResolveReserved(tokWord), tokWord);
}
