// The state carried from one screen row to the next (bracket regions, comments, strings and
// words cut by a wrap) and the row-state cache that keeps it up to date.
#include <gtest/gtest.h>


#include "PaintModel.h"
#include "TestRows.h"
#include "TokenDump.h"
#include "colouring/RowStateCache.h"
#include "platform/Sjis.h"

using colourtest::Dump;
using colourtest::TEditorTokenizer;

namespace {

TRowParseState S(int openBracket, int carryBytes = 0, int carryToken = 0)
{
    return TRowParseState{openBracket, 0, carryBytes, carryToken, 0};
}

void InitFull(TTestRows& rows, TFountainParser& parser)
{
    TRowStateCache cache;
    cache.SetInitBracketsFull(true);
    cache.InitRowStates(rows, parser, 0);
}

std::string RowDump(TTestRows& rows, TFountainParser& parser, int r)
{
    std::string out;
    colourtest::PaintRow(rows, parser, r, [&](int) {
        out += (out.empty() ? "" : " ") + colourtest::KindName(parser.Token()) + "@" +
               std::to_string(parser.TokenPosition()) + "'" + std::string(parser.TokenString()) + "'";
    });
    return out;
}

} // namespace

std::ostream& operator<<(std::ostream& os, const TRowParseState& s)
{
    return os << "{" << s.OpenBracket << "," << s.AuxIndex << "," << s.CarryBytes << ","
              << s.CarryToken << "," << s.AuxFlags << "}";
}

TEST(RowState, BracketRegionOpenAcrossRows)
{
    TEditorTokenizer t;
    t.Fountain.Brackets().AddPair("(*", "*)");
    TTestRows rows({"a (* b", "c *) d", "e"}, reBreak);
    InitFull(rows, *t.Parser);
    EXPECT_EQ(rows.ParseState(0), S(-1));
    EXPECT_EQ(rows.ParseState(1), S(0));
    EXPECT_EQ(rows.ParseState(2), S(-1));
    EXPECT_EQ(RowDump(rows, *t.Parser, 1), "Bracketed@0'c *)' Word@5'd'");
}

TEST(RowState, ClosingBracketCutByAWrap)
{
    TEditorTokenizer t;
    t.Fountain.Brackets().AddPair("(*", "*)");
    TTestRows cut({"x (* y *", ") z"});
    InitFull(cut, *t.Parser);
    EXPECT_EQ(cut.ParseState(1), S(0, 1, tokBracketed));
    EXPECT_EQ(RowDump(cut, *t.Parser, 1), "Bracketed@0')' Word@2'z'");
    EXPECT_EQ(t.Parser->OpenBracket(), -1);

    // The whole closing bracket on the next row: the region's end there is carried too.
    TTestRows whole({"x (* y ", "*) z"});
    InitFull(whole, *t.Parser);
    EXPECT_EQ(whole.ParseState(1), S(0, 2, tokBracketed));
    EXPECT_EQ(RowDump(whole, *t.Parser, 1), "Bracketed@0'*)' Word@3'z'");
}

TEST(RowState, OpeningBracketCutByAWrap)
{
    TEditorTokenizer t;
    t.Fountain.Brackets().AddPair("(*", "*)");
    // The rest of the opening bracket comes first; only then is the closing one looked for.
    TTestRows open({std::string(19, 'a') + "(", "*) still a comment *", ") x"});
    InitFull(open, *t.Parser);
    EXPECT_EQ(open.ParseState(1), S(0, 1, tokBracketed | kCarryGoesOn));
    EXPECT_EQ(RowDump(open, *t.Parser, 1), "Bracketed@0'*) still a comment *)'");
    EXPECT_EQ(RowDump(open, *t.Parser, 2), "Bracketed@0')' Word@2'x'");
    // Closed in the next row: the region's end there is carried by count.
    TTestRows closes({std::string(19, 'a') + "(", "*) x *) y"});
    InitFull(closes, *t.Parser);
    EXPECT_EQ(RowDump(closes, *t.Parser, 1), "Bracketed@0'*) x *)' Word@8'y'");

    TEditorTokenizer html;
    html.Fountain.Brackets().AddPair("<!--", "-->");
    TTestRows page({std::string(18, 'a') + "<!", "-->x", "y --> z"});
    page.Rows[1].End = reBreak;
    InitFull(page, *html.Parser);
    EXPECT_EQ(RowDump(page, *html.Parser, 1), "Bracketed@0'-->x'");
    EXPECT_EQ(page.ParseState(2), S(0));
    EXPECT_EQ(RowDump(page, *html.Parser, 2), "Bracketed@0'y -->' Word@6'z'");
}

TEST(RowState, PrefixCutByAWrap)
{
    // "#$" and a hexadecimal prefix cut by the wrap, the token running over the whole next
    // row: the rest of the prefix is carried, and the next row goes on with the digits.
    TEditorTokenizer t;
    t.Fountain.SetControlCode(true);
    t.Fountain.SetHexPrefix("0x");
    TTestRows code({"a #", "$0123456789", "abc x"});
    InitFull(code, *t.Parser);
    EXPECT_EQ(code.ParseState(1), S(-1, 1, tokHexCharCode | kCarryGoesOn));
    EXPECT_EQ(RowDump(code, *t.Parser, 1), "HexCharCode@0'$0123456789abc'");
    EXPECT_EQ(RowDump(code, *t.Parser, 2), "HexCharCode@0'abc' Word@4'x'");
    TTestRows hex({"a 0", "x0123456789", "abc x"});
    InitFull(hex, *t.Parser);
    EXPECT_EQ(RowDump(hex, *t.Parser, 1), "Hex@0'x0123456789abc'");
    EXPECT_EQ(RowDump(hex, *t.Parser, 2), "Hex@0'abc' Word@4'x'");
}

TEST(RowState, WordCutByWraps)
{
    TEditorTokenizer t;
    TTestRows once({"abc", "def"});
    InitFull(once, *t.Parser);
    EXPECT_EQ(once.ParseState(1), S(-1, 3, tokWord));
    EXPECT_EQ(RowDump(once, *t.Parser, 1), "Word@0'def'");
    // The painter of the first row sees the whole word.
    t.Parser->StartRow("abcdef", once.ParseState(0));
    EXPECT_EQ(t.Parser->NextToken(), tokWord);
    EXPECT_EQ(t.Parser->TokenLength(), 6);

    // The second row wraps again and the word runs to its end: the length is unknown.
    TTestRows twice({"abc", "def", "ghi"});
    InitFull(twice, *t.Parser);
    EXPECT_EQ(twice.ParseState(1), S(-1, 0, tokWord));
    EXPECT_EQ(twice.ParseState(2), S(-1, 3, tokWord));
    EXPECT_EQ(RowDump(twice, *t.Parser, 1), "Word@0'defghi'");

    // It ends inside the joined text: the count is known although the second row wraps.
    TTestRows ends({"abc", "de fg", "hi"});
    InitFull(ends, *t.Parser);
    EXPECT_EQ(ends.ParseState(1), S(-1, 2, tokWord));
}

TEST(RowState, NumbersCutByWrapsKeepTheirExtent)
{
    TEditorTokenizer t;
    // "x 123456.5 y": the '.' ends the middle row; only the row after it shows the number goes on.
    TTestRows point({"x 1", "23456.", "5 y"});
    InitFull(point, *t.Parser);
    EXPECT_EQ(point.ParseState(1), S(-1, 0, tokInteger));
    EXPECT_EQ(RowDump(point, *t.Parser, 1), "Float@0'23456.5'");
    EXPECT_EQ(RowDump(point, *t.Parser, 2), "Float@0'5' Word@2'y'");
    // "x 1.23456789.5 y": the middle row lies after the '.', so a second '.' ends the number.
    TTestRows fraction({"x 1.2", "34567", "89.5 y"});
    InitFull(fraction, *t.Parser);
    EXPECT_EQ(fraction.ParseState(1), S(-1, 0, tokFloat));
    EXPECT_EQ(RowDump(fraction, *t.Parser, 2), "Float@0'89' Symbol@2'.' Integer@3'5' Word@5'y'");
    // Rows wholly inside the fraction stay after the point.
    TTestRows rows({"x 1.2", "34567", "89012", "3.5 y"});
    InitFull(rows, *t.Parser);
    EXPECT_EQ(rows.ParseState(2), S(-1, 0, tokFloat));
    EXPECT_EQ(RowDump(rows, *t.Parser, 3), "Float@0'3' Symbol@1'.' Integer@2'5' Word@4'y'");
    // Cut right after the exponent letter.
    TTestRows exponent({"x 1", "2345E", "+67 y"});
    InitFull(exponent, *t.Parser);
    EXPECT_EQ(RowDump(exponent, *t.Parser, 2), "Float@0'+67' Word@4'y'");
}

TEST(RowState, ReservedWordCutByAWrap)
{
    TEditorTokenizer t;
    t.Fountain.ReserveWordList().Add("begin");
    TTestRows rows({"beg", "in x"});
    InitFull(rows, *t.Parser);
    EXPECT_EQ(rows.ParseState(1), S(-1, 2, tokReserved));
    t.Parser->StartRow("begin x", rows.ParseState(0));
    t.Parser->NextToken();
    EXPECT_TRUE(t.Parser->IsReservedWord());
    // The piece on the next row is never looked up itself; its kind carries the colour.
    EXPECT_EQ(RowDump(rows, *t.Parser, 1), "Reserved@0'in' Word@3'x'");
    t.Parser->StartRow("in x", rows.ParseState(1));
    t.Parser->NextToken();
    EXPECT_FALSE(t.Parser->IsReservedWord());
    EXPECT_EQ(t.Parser->TokenColor(), &t.Fountain.Reserve());

    // Longer than the next row: the next row scans the piece again as a reserved word.
    t.Fountain.ReserveWordList().Add("abcdefgh");
    TTestRows open({"ab", "cdef", "gh x"});
    InitFull(open, *t.Parser);
    EXPECT_EQ(open.ParseState(1), S(-1, 0, tokReserved));
    EXPECT_EQ(RowDump(open, *t.Parser, 1), "Reserved@0'cdefgh'");
    EXPECT_EQ(open.ParseState(2), S(-1, 2, tokReserved));
    // A word that only the row after the next makes longer is no reserved word.
    TTestRows longer({"beg", "in", "x"});
    InitFull(longer, *t.Parser);
    EXPECT_EQ(longer.ParseState(1), S(-1, 0, tokWord));
}

TEST(RowState, DoubleByteRunsGoOnOverCharactersThatCannotStartThem)
{
    // A row wholly inside a run, starting with 'ー', '－', '，' or '．' (lead 0x81): the run
    // goes on, and no trail byte ('[', '|', 'C', 'D') is ever taken for ASCII.
    TEditorTokenizer t;
    t.Fountain.Brackets().AddPair("[", "]");
    t.Fountain.SetQuotation("|");
    const struct {
        std::string_view Run, Cont;
        const char* Kind;
    } cases[] = {{"カ"_sj, "ー"_sj, "Katakana"},
                 {"ひ"_sj, "－"_sj, "Hiragana"},
                 {"１"_sj, "，"_sj, "WideDigits"},
                 {"２"_sj, "．"_sj, "WideDigits"}};
    for (const auto& c : cases) {
        auto times = [&](int n) {
            std::string s;
            for (int i = 0; i < n; ++i) {
                s += c.Run;
            }
            return s;
        };
        TTestRows rows({std::string(18, 'b') + std::string(c.Run), std::string(c.Cont) + times(9),
                        times(3) + " x", "next line"});
        rows.Rows[2].End = reBreak;
        InitFull(rows, *t.Parser);
        // The dump shows the whole token, the painter clips it to the row.
        EXPECT_EQ(RowDump(rows, *t.Parser, 1),
                  std::string(c.Kind) + "@0'" + rows.Rows[1].Text + times(3) + "'")
            << c.Kind;
        EXPECT_EQ(RowDump(rows, *t.Parser, 2), std::string(c.Kind) + "@0'" + times(3) + "' Word@7'x'");
        EXPECT_EQ(rows.ParseState(3), S(-1));
        EXPECT_EQ(RowDump(rows, *t.Parser, 3), "Word@0'next' Word@5'line'");
    }
}

TEST(RowState, CommentsContinueOverWrappedRowsOnly)
{
    TEditorTokenizer t;
    t.Fountain.SetCommenter("//");
    TTestRows rows({"a // b", "c", "d", "e"});
    rows.Rows[2].End = reBreak;
    InitFull(rows, *t.Parser);
    EXPECT_EQ(rows.ParseState(1), S(-1, 0, tokLineComment));
    EXPECT_EQ(rows.ParseState(2), S(-1, 0, tokLineComment));
    EXPECT_EQ(rows.ParseState(3), S(-1));
    EXPECT_EQ(RowDump(rows, *t.Parser, 2), "Comment@0'd'");
    EXPECT_EQ(RowDump(rows, *t.Parser, 3), "Word@0'e'");
}

TEST(RowState, StringsCarryTheirCutPiece)
{
    TEditorTokenizer t;
    t.Fountain.SetQuotation("\"");
    TTestRows rows({"a \"bc", "d e\" f"});
    InitFull(rows, *t.Parser);
    EXPECT_EQ(rows.ParseState(1), S(-1, 4, tokQuoted));
    EXPECT_EQ(RowDump(rows, *t.Parser, 1), "Quoted@0'd e\"' Word@5'f'");
    // Blanks at the start of the piece are inside the string and take its colour.
    TTestRows blank({"a \"bc", " d\"f"});
    InitFull(blank, *t.Parser);
    EXPECT_EQ(blank.ParseState(1), S(-1, 3, tokQuoted));
    EXPECT_EQ(RowDump(blank, *t.Parser, 1), "Quoted@0' d\"' Word@3'f'");
}

TEST(RowState, DoubledQuotationCharacterSplitByAWrap)
{
    TEditorTokenizer t;
    t.Fountain.SetQuotation("'");
    // x := 'aaaaaaaaaaaaa''bbbbbbbbbbbbbbbbbbbbbb' + y, wrapped between the two quotes.
    TTestRows rows({"x := 'aaaaaaaaaaaaa'", "'bbbbbbbbbbbbbbbbbbb", "bbb' + y"});
    InitFull(rows, *t.Parser);
    EXPECT_EQ(rows.ParseState(1), S(-1, 1, tokQuoted | kCarryGoesOn));
    EXPECT_EQ(RowDump(rows, *t.Parser, 1), "Quoted@0''bbbbbbbbbbbbbbbbbbbbbb''");
    EXPECT_EQ(RowDump(rows, *t.Parser, 2), "Quoted@0'bbb'' Symbol@5'+' Word@7'y'");
    // The same string closed on the next row is carried by count.
    TTestRows closes({"x := 'aaaaaaaaaaaaa'", "'bb' + y"});
    InitFull(closes, *t.Parser);
    EXPECT_EQ(RowDump(closes, *t.Parser, 1), "Quoted@0''bb'' Symbol@5'+' Word@7'y'");
}

TEST(RowState, StringsAndRegionsRunOnOverRowsOfBlanks)
{
    TEditorTokenizer t;
    t.Fountain.SetQuotation("\"");
    t.Fountain.Brackets().AddPair("(*", "*)");
    const std::string blanks(12, ' ');
    TTestRows str({"s = \"abc" + blanks, std::string(20, ' '), "        def\" + t"});
    InitFull(str, *t.Parser);
    EXPECT_EQ(RowDump(str, *t.Parser, 1), "Quoted@0'" + std::string(28, ' ') + "def\"'");
    EXPECT_EQ(RowDump(str, *t.Parser, 2), "Quoted@0'        def\"' Symbol@13'+' Word@15't'");

    TTestRows region({"x (* abc" + blanks, std::string(20, ' '), "        def *) y"});
    InitFull(region, *t.Parser);
    EXPECT_EQ(RowDump(region, *t.Parser, 2), "Bracketed@0'        def *)' Word@15'y'");
    // After a line break the next line's indent is no part of the region's token.
    region.Rows[0].End = reBreak;
    InitFull(region, *t.Parser);
    EXPECT_EQ(region.ParseState(1), S(0));
    EXPECT_EQ(RowDump(region, *t.Parser, 2), "Bracketed@8'def *)' Word@15'y'");
}

TEST(RowState, TokenBeginningOnTheNextRowLeavesThisRowsStateAlone)
{
    // Left and right bracket alike: a region opened on the next row must not count as open
    // at that row's start, or its opening bracket would close it.
    TEditorTokenizer t;
    t.Fountain.Brackets().AddPair("\"", "\"");
    TTestRows rows({"ab ", "\"cd e"});
    InitFull(rows, *t.Parser);
    EXPECT_EQ(rows.ParseState(1), S(-1));
    EXPECT_EQ(RowDump(rows, *t.Parser, 1), "Bracketed@0'\"cd e'");
}

// ---- the cache

namespace {

TTestRows Lines(int n)
{
    TTestRows rows;
    for (int i = 0; i < n; ++i) {
        rows.Rows.push_back({"line " + std::to_string(i) + " text", reBreak, {}});
    }
    return rows;
}

// Whether every row holds the state computed from the first row down, once the painter has
// filled the rows left for later.
bool Consistent(TTestRows& rows, TFountainParser& parser, TRowStateCache& cache)
{
    colourtest::FillLazily(rows, [&](int r) { cache.UpdateRowStates(rows, parser, r, false); });
    return colourtest::Stored(rows) == colourtest::FromScratch(rows, parser);
}

// Changes a row's text the way the row store does: the row's state is reset.
void Edit(TTestRows& rows, int r, const std::string& text)
{
    rows.Rows[static_cast<std::size_t>(r)] = {text, reBreak, TRowParseState::Reset()};
}

} // namespace

TEST(RowStateCache, UpdatesStopAtTheFirstRowThatAgrees)
{
    TEditorTokenizer t;
    t.Fountain.Brackets().AddPair("(*", "*)");
    TTestRows rows = Lines(400);
    TRowStateCache cache;
    cache.SetScreenHeight(160);
    cache.SetRowHeight(16);
    ASSERT_EQ(cache.LookAhead(), 20);
    cache.SetInitBracketsFull(true);
    cache.InitRowStates(rows, *t.Parser, 0);
    std::vector<int> invalidated;
    cache.OnInvalidateRow = [&](int r) { invalidated.push_back(r); };

    // A change that leaves every state as it was: the row above and the edited row.
    Edit(rows, 200, "line 200 texts");
    auto before = cache.ParsedRows();
    EXPECT_EQ(cache.UpdateRowStates(rows, *t.Parser, 200, true), 1);
    EXPECT_EQ(cache.ParsedRows() - before, 2);
    EXPECT_EQ(invalidated, std::vector<int>{200});

    // Opening a region: the look-ahead is walked, the stale rows below are reset.
    Edit(rows, 100, "x (* y");
    before = cache.ParsedRows();
    EXPECT_EQ(cache.UpdateRowStates(rows, *t.Parser, 100, true), 21);
    EXPECT_EQ(cache.ParsedRows() - before, 22);
    EXPECT_EQ(rows.ParseState(120), S(0));
    EXPECT_EQ(rows.ParseState(121), TRowParseState::Reset());
    EXPECT_EQ(rows.ParseState(399), TRowParseState::Reset());
    // The painter fills rows as it needs them, without notifying.
    EXPECT_EQ(cache.UpdateRowStates(rows, *t.Parser, 300, false), 0);
    EXPECT_EQ(rows.ParseState(320), S(0));
    EXPECT_EQ(rows.ParseState(321), TRowParseState::Reset());
    EXPECT_TRUE(Consistent(rows, *t.Parser, cache));

    Edit(rows, 100, "x y");
    EXPECT_EQ(cache.UpdateRowStates(rows, *t.Parser, 100, true), 21);
    EXPECT_TRUE(Consistent(rows, *t.Parser, cache));
    EXPECT_EQ(cache.UpdateRowStates(rows, *t.Parser, 400, true), 0) << "outside the rows";
    EXPECT_EQ(cache.UpdateRowStates(rows, *t.Parser, -1, true), 0);
}

TEST(RowStateCache, AnEditReachesTheEndStateOfTheRowTwoAbove)
{
    // Row 0's word runs over all of row 1; whether it goes on into row 2 decides row 1's state.
    TEditorTokenizer t;
    TTestRows rows({"a bc", "de", "f g"});
    TRowStateCache cache;
    cache.SetInitBracketsFull(true);
    cache.InitRowStates(rows, *t.Parser, 0);
    EXPECT_EQ(rows.ParseState(1), S(-1, 0, tokWord));
    rows.Rows[2] = {" g", reBreak, TRowParseState::Reset()};
    cache.UpdateRowStates(rows, *t.Parser, 2, true);
    EXPECT_EQ(rows.ParseState(1), S(-1, 2, tokWord));
    EXPECT_EQ(colourtest::Stored(rows), colourtest::FromScratch(rows, *t.Parser));
}

TEST(RowStateCache, InitComputesAboutTwoScreensUnlessFull)
{
    TEditorTokenizer t;
    TTestRows rows = Lines(300);
    TRowStateCache cache;
    cache.SetScreenHeight(200);
    cache.SetRowHeight(0); // taken as 1
    ASSERT_EQ(cache.LookAhead(), 400);
    cache.SetRowHeight(20);
    cache.InitRowStates(rows, *t.Parser, 50);
    EXPECT_EQ(rows.ParseState(70), S(-1));
    EXPECT_EQ(rows.ParseState(71), TRowParseState::Reset());
    const auto before = cache.ParsedRows();
    cache.SetInitBracketsFull(true);
    cache.InitRowStates(rows, *t.Parser, 50);
    EXPECT_EQ(cache.ParsedRows() - before, 300);
    EXPECT_EQ(rows.ParseState(299), S(-1));
}
