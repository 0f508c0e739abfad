// The character-table scanners of the tokenizer: numbers, words, blanks, double-byte runs,
// brackets, and rows that end or break in the middle of a character.
#include <gtest/gtest.h>

#include <random>

#include "TestRows.h"
#include "TokenDump.h"
#include "colouring/EditorParser.h"
#include "colouring/FountainErrors.h"
#include "platform/Sjis.h"

using colourtest::Dump;
using colourtest::TEditorTokenizer;
using colourtest::TExactRow;

TEST(Tokenizer, NumbersStopWhereTheSyntaxEnds)
{
    TEditorTokenizer t;
    EXPECT_EQ(t("123abc"), "Integer@0'123' Word@3'abc'");
    EXPECT_EQ(t("12.5e-3"), "Float@0'12.5e-3'");
    EXPECT_EQ(t("12."), "Float@0'12' Symbol@2'.'");
    EXPECT_EQ(t("1.E5"), "Float@0'1.E5'");
    EXPECT_EQ(t("12E"), "Float@0'12E'");
    EXPECT_EQ(t("12Ex"), "Float@0'12E' Word@3'x'");
    EXPECT_EQ(t("7e+;"), "Float@0'7e+' Symbol@3';'");
    EXPECT_EQ(t("3.x"), "Float@0'3' Symbol@1'.' Word@2'x'");
    EXPECT_EQ(t("1.5.2"), "Float@0'1.5' Symbol@3'.' Integer@4'2'");
}

TEST(Tokenizer, WordsSymbolsTabsAndBlanks)
{
    TEditorTokenizer t;
    EXPECT_EQ(t("  foo"), "Word@2'foo'");
    EXPECT_EQ(t(" \x01\x08 \x1F "), "");
    EXPECT_EQ(t("abc_12+_x"), "Word@0'abc_12' Symbol@6'+' Word@7'_x'");
    EXPECT_EQ(t("\ta\t"), "Tab@0+1 Word@1'a' Tab@2+1");
    // Bytes that start no character are one-byte symbols.
    EXPECT_EQ(t("\x80\xA0\xFD\xFF"), "Symbol@0+1 Symbol@1+1 Symbol@2+1 Symbol@3+1");
}

TEST(Tokenizer, DoubleByteRuns)
{
    TEditorTokenizer t;
    EXPECT_EQ(t("ひらがなー漢字"_sj), "Hiragana@0+10 Kanji@10+4");
    EXPECT_EQ(t("カタカナー"_sj), "Katakana@0+10");
    EXPECT_EQ(t("ひらカタ"_sj), "Hiragana@0+4 Katakana@4+4");
    // The prolonged sound mark continues kana runs only.
    EXPECT_EQ(t("ー"_sj), "WideSymbol@0+2");
    EXPECT_EQ(t("漢ー"_sj), "Kanji@0+2 WideSymbol@2+2");
    EXPECT_EQ(t("１２，３．４"_sj), "WideDigits@0+12");
    EXPECT_EQ(t("ＡＢｃ１"_sj), "WideLatin@0+6 WideDigits@6+2");
    EXPECT_EQ(t("、☆"_sj), "WideSymbol@0+2 WideSymbol@2+2");
    EXPECT_EQ(t("ァ"_sj), "Katakana@0+2");
    EXPECT_EQ(t("Α"_sj), "WideSymbol@0+2"); // 0x83 0x9F: a wide symbol, not katakana
    EXPECT_EQ(t("ｱｲｳ｡ｴ"_sj), "HalfKana@0+3 HalfKanaSymbol@3+1 HalfKana@4+1");
    EXPECT_EQ(t("ab漢字cd"_sj), "Word@0'ab' Kanji@2+4 Word@6'cd'");
}

TEST(Tokenizer, BrokenCharactersEndTokensInsideTheRow)
{
    TEditorTokenizer t;
    // A lead byte at the very end of the row is a token of its own, one byte long.
    EXPECT_EQ(t("ab\x88"), "Word@0'ab' Kanji@2+1");
    EXPECT_EQ(t("\x81"), "WideSymbol@0+1");
    EXPECT_EQ(t("\x82"), "Symbol@0+1");
    EXPECT_EQ(t(std::string("ひ"_sj) + "\x82"), "Hiragana@0+2 Symbol@2+1");
    // 0x82/0x83 before a byte below 0x40 stand alone; the next byte scans on its own.
    EXPECT_EQ(t("\x82\x30" "1"), "Symbol@0+1 Integer@1'01'");
    EXPECT_EQ(t("\x83 x"), "Symbol@0+1 Word@2'x'");
    EXPECT_EQ(t("\x83\xF5"), "Symbol@0+1 Kanji@1+1");
}

TEST(Tokenizer, NulEndsTheRowAndNothingIsReadPastIt)
{
    TEditorTokenizer t;
    const std::string withNul("ab\0cd", 5);
    EXPECT_EQ(t(withNul), "Word@0'ab'");
    // Rows end without a NUL of their own; the random rows below come in exact-size blocks,
    // so the sanitizer build reports any read past them.
    const TExactRow lone("ab\x88");
    EXPECT_EQ(t(lone.View()), "Word@0'ab' Kanji@2+1");
}

TEST(Tokenizer, BracketRegions)
{
    TEditorTokenizer t;
    t.Fountain.Brackets().AddPair("(*", "*)");
    EXPECT_EQ(t("a (* b"), "Word@0'a' Bracketed@2'(* b'");
    EXPECT_EQ(t.Parser->OpenBracket(), 0) << "the region stays open at the row end";
    EXPECT_EQ(t("c *) d", TRowParseState{0, 0, 0, 0, 0}), "Bracketed@0'c *)' Word@5'd'");
    EXPECT_EQ(t.Parser->OpenBracket(), -1);
    // The right bracket is looked for after the left one, so "(*)" does not close.
    EXPECT_EQ(t("(*) x *) y"), "Bracketed@0'(*) x *)' Word@9'y'");
    // A right bracket byte that is the trail byte of a double-byte character does not close.
    t.Fountain.Brackets().AddPair("[", "]");
    const std::string text = std::string("[") + "‐"_sj.data() + "]x"; // 0x81 0x5D, then ']'
    EXPECT_EQ(t(text), "Bracketed@0+4 Word@4'x'");
}

TEST(Tokenizer, BracketPriorityAndDegenerateItems)
{
    TEditorTokenizer t;
    auto& brackets = t.Fountain.Brackets();
    brackets.AddPair("<!--", "-->");
    brackets.AddPair("<", ">");
    EXPECT_EQ(t("<!-- a > b --> c"), "Bracketed@0'<!-- a > b -->' Word@15'c'");
    t.Parser->StartRow("<!-- x --> <b>", TRowParseState::First());
    t.Parser->NextToken();
    EXPECT_EQ(t.Parser->TokenBracketIndex(), 0);
    t.Parser->NextToken();
    EXPECT_EQ(t.Parser->TokenBracketIndex(), 1);

    TEditorTokenizer u;
    u.Fountain.Brackets().AddPair("", ">");  // never opens
    u.Fountain.Brackets().AddPair("<", "");  // opens, but cannot form a region
    EXPECT_EQ(u("a > b"), "Word@0'a' Symbol@2'>' Word@4'b'");
    EXPECT_EQ(u("a < b"), "Word@0'a'");
    // A stored state naming an item that does not exist ends the row's tokens too.
    EXPECT_EQ(u("a b", TRowParseState{9, 0, 0, 0, 0}), "");
}

TEST(Tokenizer, CarriedPiecesAtTheRowStart)
{
    TEditorTokenizer t;
    EXPECT_EQ(t("def ghi", TRowParseState{-1, 0, 3, tokWord, 0}), "Word@0'def' Word@4'ghi'");
    // A count beyond the row takes the row and no more.
    EXPECT_EQ(t("ab", TRowParseState{-1, 0, 200, tokWord, 0}), "Word@0'ab'");
    // An unknown kind with no count continues as a symbol; with a count it keeps its kind.
    EXPECT_EQ(t("abc", TRowParseState{-1, 0, 0, 100, 0}), "Symbol@0'a' Word@1'bc'");
    EXPECT_EQ(t("abc", TRowParseState{-1, 0, 2, 100, 0}), "Kind100@0'ab' Word@2'c'");
    // The piece starts at the row start, blanks included.
    t.Fountain.SetQuotation("\"");
    EXPECT_EQ(t(" d\"f", TRowParseState{-1, 0, 3, tokQuoted, 0}), "Quoted@0' d\"' Word@3'f'");
}

TEST(Tokenizer, ParserNeedsAFountainThatNamesOne)
{
    try {
        TEditorParser parser(nullptr);
        FAIL() << "no error";
    } catch (const EFountainError& e) {
        EXPECT_STREQ(e.what(), "TFountainParser.Create need instance of TFountain");
    }
    TFountain base;
    EXPECT_THROW(base.CreateParser(), EAbstractError);
    TEditorFountain editorFountain;
    EXPECT_NE(dynamic_cast<TEditorParser*>(editorFountain.CreateParser().get()), nullptr);
}

// Random bytes and random states, with every rule switched on: each call to NextToken ends,
// tokens follow one another inside the row, and the end state fits the packed row words.
TEST(Tokenizer, RandomRowsAndStatesStayInsideTheRow)
{
    TEditorTokenizer t;
    t.Fountain.Brackets().AddPair("(*", "*)");
    t.Fountain.Brackets().AddPair("\"", "\"");
    t.Fountain.Brackets().AddPair("<", "");
    t.Fountain.SetCommenter("//");
    t.Fountain.SetQuotation("'");
    t.Fountain.SetHexPrefix("$");
    t.Fountain.SetMail(true);
    t.Fountain.SetUrl(true);
    t.Fountain.SetControlCode(true);
    t.Fountain.ReserveWordList().Add("ab");
    std::string alphabet = "ab01.E@/:$#'\"(*)< \t\x82\x83\x81\x88\xA5\xB1\x40\x9F";
    alphabet += '\0';
    std::mt19937 rng(4);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int len = static_cast<int>(rng() % 24);
        for (int i = 0; i < len; ++i) {
            text += (rng() % 4 == 0) ? static_cast<char>(rng() % 256)
                                     : alphabet[rng() % alphabet.size()];
        }
        const TExactRow row(text);
        const TRowParseState state{static_cast<int>(rng() % 5) - 2, 0,
                                   static_cast<int>(rng() % 3 == 0 ? rng() % 256 : 0),
                                   static_cast<int>(rng() % 3 == 0 ? rng() % 256 : 0), 0};
        auto& p = *t.Parser;
        p.StartRow(row.View(), state);
        int previousEnd = 0;
        int tokens = 0;
        for (int kind = p.NextToken(); kind != tokEnd; kind = p.NextToken()) {
            ASSERT_LE(++tokens, len + 1) << "no progress";
            ASSERT_GE(p.TokenPosition(), previousEnd);
            ASSERT_LE(p.TokenPosition() + p.TokenLength(), len);
            previousEnd = p.TokenPosition() + p.TokenLength();
            p.TokenColor();
            p.IsReservedWord();
        }

        TTestRows rows;
        rows.Rows.push_back({text, rng() % 2 ? reWrapped : reBreak, {}});
        rows.Rows.push_back({text.substr(0, text.size() / 2), rng() % 2 ? reWrapped : reEof, {}});
        TRowParseState end = state;
        p.ComputeRowEndState(0, rows, end);
        EXPECT_GE(end.OpenBracket, -1);
        EXPECT_LE(end.OpenBracket, 13);
        EXPECT_GE(end.CarryBytes, 0);
        EXPECT_LE(end.CarryBytes, 255);
        EXPECT_GE(end.CarryToken, 0);
        EXPECT_LE(end.CarryToken, 255);
    }
}
