#include <gtest/gtest.h>

#include <random>

#include "platform/Cp932.h"

#include "EngineTestUtil.h"

using namespace enginetest;

namespace {

struct Wrapped : ::testing::Test {
    TEditor e;
    void Use(int width, const std::string& text)
    {
        e.WrapOption().SetWrapByte(width);
        e.SetWordWrap(true);
        e.Lines().SetTextStr(text);
    }
};

TEST_F(Wrapped, LineExactlyFillingARowGetsAnEmptyRowUnlessTheMarkFollows)
{
    Use(80, Repeat("a", 80) + "\r\n");
    EXPECT_EQ(Dump(e), (std::vector<std::string>{Repeat("a", 80) + "|Wrapped", "|Break"}));
    e.WrapOption().SetFollowRetMark(true);
    EXPECT_EQ(Dump(e), (std::vector<std::string>{Repeat("a", 80) + "|Break"}));
    EXPECT_EQ(e.Lines().GetTextStr(), Repeat("a", 80) + "\r\n");
}

TEST_F(Wrapped, TwoByteCharacterAtTheEdgeMovesDown)
{
    Use(80, Repeat("a", 79) + kKanji + "b");
    EXPECT_EQ(Dump(e), (std::vector<std::string>{Repeat("a", 79) + "|Wrapped", kKanji + "b|Eof"}));
}

TEST_F(Wrapped, PunctuationHangsPastTheEdge)
{
    e.WrapOption().SetFollowPunctuation(true);
    Use(80, Repeat("a", 80) + kIdeoStop + "b");
    EXPECT_EQ(Widths(e), (std::vector<int>{82, 1}));
    EXPECT_EQ(e.RowText(0).substr(80), kIdeoStop);
}

TEST_F(Wrapped, OpeningBracketMovesToTheNextRowWithinTheLimit)
{
    e.WrapOption().SetLeading(true);
    // The bracket would end the row at cells 79-80.
    Use(80, Repeat("a", 78) + kOpenQuote + "xyz");
    EXPECT_EQ(Dump(e), (std::vector<std::string>{Repeat("a", 78) + "|Wrapped", kOpenQuote + "xyz|Eof"}));
    // A run of brackets is moved only while the row keeps more than 64 cells.
    Use(80, Repeat("a", 60) + Repeat(kOpenQuote, 12) + "x");
    EXPECT_EQ(Widths(e)[0], 64);
}

TEST_F(Wrapped, CharacterThatMayNotStartARowPullsTheRowShorter)
{
    e.WrapOption().SetLeading(true);
    Use(80, Repeat("a", 78) + kKanji + kCloseQuote + "b");
    // 」 may not begin a row, so 漢 moves down with it.
    EXPECT_EQ(Dump(e), (std::vector<std::string>{Repeat("a", 78) + "|Wrapped", kKanji + kCloseQuote + "b|Eof"}));
    // A long run of closing brackets stops at the 64-cell limit.
    Use(80, Repeat("a", 40) + Repeat(kCloseQuote, 30));
    EXPECT_EQ(Widths(e)[0], 64);
}

TEST_F(Wrapped, WordBreakEndsRowsAfterADelimiterOrCutsLongWordsAtAThird)
{
    e.WrapOption().SetWordBreak(true);
    Use(80, Repeat("a", 70) + " " + Repeat("b", 20));
    EXPECT_EQ(Dump(e), (std::vector<std::string>{Repeat("a", 70) + " |Wrapped", Repeat("b", 20) + "|Eof"}));
    Use(80, Repeat("w", 200));
    // Cut every 26 cells until the rest fits in one row.
    EXPECT_EQ(Widths(e), (std::vector<int>{26, 26, 26, 26, 26, 70}));
}

TEST_F(Wrapped, TabNeverReachesPastTheEdge)
{
    std::string row = Repeat("a", 74) + "\t";
    TEditor plain;
    EXPECT_EQ(plain.StrWidth(row), 80); // tab at cell 74 to the stop at 80
    e.WrapOption().SetWrapByte(78);
    e.SetWordWrap(true);
    EXPECT_EQ(e.StrWidth(row), 78);
    EXPECT_EQ(e.ExpandTabs("a\tb"), "a       b");
    EXPECT_EQ(e.CellKinds("a\t" + kKanji + "."), "12333333452" + std::string("0"));
}

TEST_F(Wrapped, WrapByteIsClampedAndChangesRebuildRows)
{
    e.WrapOption().SetWrapByte(10);
    EXPECT_EQ(e.WrapOption().WrapByte(), 20);
    e.WrapOption().SetWrapByte(300);
    EXPECT_EQ(e.WrapOption().WrapByte(), 250);
    Use(30, Repeat("x", 70));
    EXPECT_EQ(e.RowCount(), 3);
    e.WrapOption().SetWrapByte(40);
    EXPECT_EQ(e.RowCount(), 2);
    e.SetWordWrap(false);
    EXPECT_EQ(Dump(e), (std::vector<std::string>{Repeat("x", 70) + "|Eof"}));
}

TEST_F(Wrapped, MembershipMatchesOnlyWholeCharacters)
{
    // 0x41 alone ('A') is the trail byte of 、 in the follow string: it must not match.
    TSjisCharSet set;
    set.Assign(kIdeoComma + "!");
    EXPECT_TRUE(set.Contains(std::string_view(kIdeoComma)));
    EXPECT_TRUE(set.Contains(std::string_view("!")));
    EXPECT_FALSE(set.Contains(std::string_view("A")));
    EXPECT_FALSE(set.Contains(std::string_view("\x81")));
}

TEST_F(Wrapped, AnEditInAWrappedRowCanPullTextUpToTheRowAbove)
{
    e.WrapOption().SetWordBreak(true);
    Use(20, "aaaaaaaaaa bbbbbbbbbb ccc");
    ASSERT_EQ(Dump(e), (std::vector<std::string>{"aaaaaaaaaa |Wrapped", "bbbbbbbbbb ccc|Eof"}));
    // Two b's fewer and the word fits on the row above, its space exactly at the edge.
    e.ListRows().ReplaceRows(1, 1, "bbbbbbbb ccc");
    EXPECT_EQ(Dump(e), (std::vector<std::string>{"aaaaaaaaaa bbbbbbbb |Wrapped", "ccc|Eof"}));
}

TEST_F(Wrapped, CountWrapRowsAgreesWithWrapLine)
{
    e.WrapOption().SetWrapByte(20);
    e.WrapOption().SetLeading(true);
    e.WrapOption().SetWordBreak(true);
    e.SetWordWrap(true);
    for (const std::string& line : {Repeat("a", 20), Repeat("a", 19), Repeat("ab ", 30), Repeat(kKanji, 33),
                                    Repeat("\t" + kOpenQuote + "x", 9), std::string()}) {
        TEditorStringList rows;
        e.ListRows().WrapLine(line, rows);
        EXPECT_EQ(e.ListRows().CountWrapRows(line), rows.Count()) << line;
    }
}

} // namespace

namespace {

// Bytes of the characters whose first cell is at or before `cell` (1-based).
int BytesUpTo(std::string_view text, const std::string& kinds, int cell)
{
    int bytes = 0;
    for (int c = 1; c <= cell && c <= static_cast<int>(kinds.size()) - 1; ++c)
        if (kinds[static_cast<std::size_t>(c - 1)] != '3' && kinds[static_cast<std::size_t>(c - 1)] != '0')
            ++bytes;
    (void)text;
    return bytes;
}

TEST(CellWalker, ByteCountMatchesTheCellWhicheverWayItMoves)
{
    TEditor e;
    std::mt19937 rng(5);
    const std::vector<std::string> pieces = {"a", " ", "\t", kKanji, kOpenQuote, ".", "\xB1"};
    for (int round = 0; round < 200; ++round) {
        std::string text;
        for (int i = 0; i < 30; ++i)
            text += pieces[rng() % pieces.size()];
        std::string kinds = e.CellKinds(text);
        TEditorAttributeArray w;
        w.Reset(text, kinds);
        for (int step = 0; step < 200; ++step) {
            switch (rng() % 4) {
            case 0: w.Next(); break;
            case 1: w.Prev(); break;
            case 2: w.PrevWholeChar(); break;
            default: w.MoveTo(1 + static_cast<int>(rng() % (kinds.size() + 2))); break;
            }
            ASSERT_EQ(w.ByteCount(), BytesUpTo(text, kinds, w.Cell())) << "round " << round << " cell " << w.Cell();
            // The character under the walker starts where the count says.
            std::string_view ch = w.CurrentChar();
            if (w.Kind() != '0') {
                ASSERT_FALSE(ch.empty());
            }
        }
    }
}

TEST(CellWalker, TabStopsFollowTheTabWidth)
{
    TEditor e;
    e.Caret().SetTabSpaceCount(5);
    EXPECT_EQ(e.Caret().TabSpaceCount(), 4);
    e.Caret().SetTabSpaceCount(1);
    EXPECT_EQ(e.Caret().TabSpaceCount(), 2);
    e.Caret().SetTabSpaceCount(9);
    EXPECT_EQ(e.Caret().TabSpaceCount(), 8);
    e.Caret().SetTabSpaceCount(4);
    EXPECT_EQ(e.StrWidth("ab\tc"), 5);
    // While wrapping, a new tab width rebuilds the rows.
    e.WrapOption().SetWrapByte(20);
    e.SetWordWrap(true);
    e.Lines().SetTextStr("\t\t\t\tab");
    EXPECT_EQ(e.RowCount(), 1);
    // At 8 the third tab stops at the edge (4 cells) and the row ends in its fill.
    e.Caret().SetTabSpaceCount(8);
    EXPECT_EQ(Dump(e), (std::vector<std::string>{"\t\t\t|Wrapped", "\tab|Eof"}));
}

} // namespace

namespace {

// The breaker on its own, below the widths the options allow: every line is broken into rows
// of whole characters that spell the line again, each row at least one character and no
// wider than the width unless that one character is, whichever rules are on.
TEST(LineBreaker, IsTotalAtEveryWidthAndOption)
{
    TEditorWrapOption opt;
    const std::string lines[] = {
        kOpenQuote + "a" + kKanji + kCloseQuote + kIdeoStop,
        Repeat(kOpenQuote, 6) + "x",
        Repeat(kKanji, 5),
        "a" + Repeat(kIdeoComma, 5) + kKanji,
        "\t" + kOpenQuote + "word" + kIdeoComma + "\tlongerword" + kKanji + " x",
        std::string("\x81", 1) + "abc",
    };
    for (int flags = 0; flags < 16; ++flags) {
        opt.SetLeading(flags & 1);
        opt.SetWordBreak(flags & 2);
        opt.SetFollowPunctuation(flags & 4);
        opt.SetFollowRetMark(flags & 8);
        for (int width = 1; width <= 12; ++width) {
            TWrapContext cx;
            cx.Wrapping = true;
            cx.WrapByte = width;
            cx.TabSpaceCount = 4;
            cx.Option = &opt;
            for (const std::string& line : lines) {
                std::vector<TRowPiece> rows;
                std::string scratch;
                BreakLine(line, cx, rows, scratch);
                const std::string where = "width " + std::to_string(width) + " flags " + std::to_string(flags);
                ASSERT_FALSE(rows.empty()) << where;
                std::vector<bool> boundary(line.size() + 1, false);
                for (std::size_t i = 0; i < line.size(); i += CharLength(line, i))
                    boundary[i] = true;
                boundary[line.size()] = true;
                std::string joined;
                for (std::size_t k = 0; k < rows.size(); ++k) {
                    std::string_view row = std::string_view(line).substr(rows[k].Offset, rows[k].Length);
                    ASSERT_EQ(rows[k].Offset, joined.size()) << where;
                    joined.append(row);
                    ASSERT_TRUE(boundary[joined.size()]) << where << " row " << k << " cuts a character";
                    if (k + 1 < rows.size()) {
                        ASSERT_FALSE(row.empty()) << where << " row " << k;
                        // One character may be wider than the row; punctuation may hang.
                        const int limit = std::max(width, 2) + (opt.FollowPunctuation() ? 3 : 0);
                        EXPECT_LE(StrWidth(row, cx), limit) << where << " row " << k;
                    }
                }
                EXPECT_EQ(joined, line) << where;
                EXPECT_EQ(CountWrapRows(line, cx, scratch), static_cast<int>(rows.size())) << where;
            }
        }
    }
}

} // namespace
