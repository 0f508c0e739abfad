// The state carried from one screen row to the next (bracket regions, comments, strings and
// words cut by a wrap) and the row-state cache that keeps it up to date.
#include <gtest/gtest.h>

#include <random>

#include "TestRows.h"
#include "TokenDump.h"
#include "colouring/RowStateCache.h"
#include "platform/Cp932.h"
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

// Calls f for each token of row r as the painter sees it: from the row's state, with the next
// row joined when the row wraps, up to the row's own end.
template <class F>
void PaintRow(TTestRows& rows, TFountainParser& parser, int r, F&& f)
{
    std::string text(rows.Get(r));
    const int own = static_cast<int>(text.size());
    if (rows.RowEnd(r) == reWrapped && r + 1 < rows.Count()) {
        text += rows.Get(r + 1);
    }
    parser.StartRow(text, rows.ParseState(r));
    while (parser.NextToken() != tokEnd && parser.TokenPosition() < own) {
        f(own);
    }
}

std::string RowDump(TTestRows& rows, TFountainParser& parser, int r)
{
    std::string out;
    PaintRow(rows, parser, r, [&](int) {
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

    // Unknown length: the next row scans the piece again as a reserved word.
    TTestRows open({"beg", "in", "x"});
    InitFull(open, *t.Parser);
    EXPECT_EQ(open.ParseState(1), S(-1, 0, tokReserved));
    EXPECT_EQ(RowDump(open, *t.Parser, 1), "Reserved@0'inx'");
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

// Splits `line` into rows of at most `width` bytes without cutting a double-byte character.
static TTestRows WrapRows(const std::string& line, int width)
{
    TTestRows rows;
    std::size_t pos = 0;
    while (pos < line.size()) {
        std::size_t end = pos;
        while (end < line.size()) {
            const std::size_t n = CharLength(line, end);
            if (end + n - pos > static_cast<std::size_t>(width)) {
                break;
            }
            end += n;
        }
        rows.Rows.push_back({line.substr(pos, end - pos), reWrapped, {}});
        pos = end;
    }
    if (!rows.Rows.empty()) {
        rows.Rows.back().End = reBreak;
    }
    return rows;
}

// The colour of every byte but blanks, row by row. Blanks at a row start are skipped even
// inside a region or a string, so only the other bytes must keep their colour.
static std::vector<const TFountainColor*> Colours(TTestRows& rows, TFountainParser& parser)
{
    std::vector<const TFountainColor*> out;
    for (int r = 0; r < rows.Count(); ++r) {
        const std::size_t base = out.size();
        out.resize(base + rows.Get(r).size(), nullptr);
        PaintRow(rows, parser, r, [&](int own) {
            const int end = std::min(own, parser.TokenPosition() + parser.TokenLength());
            for (int i = parser.TokenPosition(); i < end; ++i) {
                const auto b = static_cast<unsigned char>(rows.Get(r)[static_cast<std::size_t>(i)]);
                out[base + static_cast<std::size_t>(i)] =
                    (b == 0x09 || b > 0x20) ? parser.TokenColor() : nullptr;
            }
        });
    }
    return out;
}

// Wrapping a line must not change the colour of any of its bytes, as long as no token is
// longer than a row (the painter joins only the next row).
TEST(RowState, WrappedRowsColourLikeTheWholeLine)
{
    TEditorTokenizer t;
    TEditorFountain& f = t.Fountain;
    f.Brackets().AddPair("(*", "*)");
    f.Brackets().AddPair("<", ">");
    f.Brackets().AddPair("'", "'");
    f.SetCommenter("//");
    f.SetQuotation("\"");
    f.SetHexPrefix("0x");
    f.SetControlCode(true);
    f.SetMail(true);
    f.SetUrl(true);
    f.ReserveWordList().SetWords({"if", "ab", "漢字"_sj.data()});
    const std::vector<std::string> pieces = {
        "ab", "abc", "if", "12", "1.5", "0x1F", "#13", "#$0D", "x@y.z", "ftp:a", "(*", "*)", "<",
        ">", "\"", "\"q\"", "'", "'a'", "//", "+", "-", "ひら"_sj.data(), "漢字"_sj.data(),
        "カナー"_sj.data(), "ｱｲ"_sj.data(), "、"_sj.data(), "\t"};
    std::mt19937 rng(11);
    for (int round = 0; round < 400; ++round) {
        std::string line;
        const int n = 1 + static_cast<int>(rng() % 24);
        for (int i = 0; i < n; ++i) {
            if (i > 0) {
                line += rng() % 3 ? " " : "  ";
            }
            line += pieces[rng() % pieces.size()];
        }
        TTestRows whole({line}, reBreak);
        InitFull(whole, *t.Parser);
        const auto expected = Colours(whole, *t.Parser);
        for (int width : {6, 7, 9, 13}) {
            TTestRows wrapped = WrapRows(line, width);
            InitFull(wrapped, *t.Parser);
            ASSERT_TRUE(Colours(wrapped, *t.Parser) == expected)
                << "width " << width << ": " << Cp932ToUtf8(line);
        }
    }
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
