// The running totals over the rows against plain walks over the rows: after random changes
// of the totals themselves, after random changes of a row list's rows, and after random
// edits, undo, redo, re-wrapping and new texts in an editor.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>

#include "EditorTestUtil.h"
#include "engine/LineIndex.h"
#include "platform/Cp932.h"

using namespace enginetest;

namespace {

struct Random {
    std::mt19937 rng;
    explicit Random(unsigned seed) : rng(seed) {}
    int Below(int n) { return n <= 0 ? 0 : static_cast<int>(rng() % static_cast<unsigned>(n)); }
    bool OneIn(int n) { return Below(n) == 0; }

    std::string Text(int maxPieces)
    {
        static const std::vector<std::string> pieces = {
            "a", "word", " ", "\t", "\r", "\n", "\r\n", "\r\n", kKanji, kIdeoComma, kOpenQuote, ",",
        };
        std::string s;
        int n = Below(maxPieces + 1);
        for (int i = 0; i < n; ++i) {
            int k = Below(static_cast<int>(pieces.size()) + 1);
            if (k == static_cast<int>(pieces.size()))
                s += std::string(static_cast<std::size_t>(Below(OneIn(8) ? 900 : 60)), 'x'); // long runs
            else
                s += pieces[static_cast<std::size_t>(k)];
        }
        return s;
    }
};

// ---- the totals alone

TRowSums Weight(Random& rnd)
{
    const int tab = rnd.OneIn(3) ? 1 : 0;
    switch (rnd.Below(4)) {
    case 0:
        return {rnd.Below(50), 0, tab}; // a wrapped row, possibly empty
    case 1:
        return {2 + rnd.Below(50), 1, tab};
    case 2:
        return {rnd.Below(5000), 1, tab}; // a long line
    default:
        return {0, 0, 0};
    }
}

void ExpectMatches(const TLineIndex& index, const std::vector<TRowSums>& rows, const std::string& where)
{
    const int n = static_cast<int>(rows.size());
    ASSERT_EQ(index.Rows(), n) << where;
    std::vector<TRowSums> before(rows.size() + 1);
    for (int r = 0; r < n; ++r) {
        const TRowSums& a = before[static_cast<std::size_t>(r)];
        const TRowSums& w = rows[static_cast<std::size_t>(r)];
        before[static_cast<std::size_t>(r + 1)] = {a.Bytes + w.Bytes, a.Ends + w.Ends, a.Tabs + w.Tabs};
    }
    for (int k = 0; k <= n; ++k)
        ASSERT_EQ(index.Before(k), before[static_cast<std::size_t>(k)]) << where << " entry " << k;
    for (int r = 0; r < n; ++r)
        ASSERT_EQ(index.Weight(r), rows[static_cast<std::size_t>(r)]) << where << " row " << r;
    EXPECT_EQ(index.Total(), before.back()) << where;
    EXPECT_EQ(index.Before(-3), TRowSums{}) << where;
    EXPECT_EQ(index.Before(n + 3), before.back()) << where;
    // Offsets at, before and after every row's end: the first row that ends after them.
    for (int r = 0; r <= n; ++r) {
        for (std::int64_t d : {-1, 0, 1}) {
            const std::int64_t off = before[static_cast<std::size_t>(r)].Bytes + d;
            int expected = 0;
            while (expected < n && before[static_cast<std::size_t>(expected + 1)].Bytes <= off)
                ++expected;
            ASSERT_EQ(index.RowAtByte(off), expected) << where << " offset " << off;
        }
    }
    for (int ends = 0; ends <= before.back().Ends + 1; ++ends) {
        int expected = 0;
        while (expected < n && before[static_cast<std::size_t>(expected)].Ends < ends)
            ++expected;
        ASSERT_EQ(index.FirstRowAfterEnds(ends), expected) << where << " ends " << ends;
    }
}

TEST(LineIndex, RandomInsertsDeletesAndWeightChangesMatchPlainSums)
{
    for (unsigned trial = 0; trial < 30; ++trial) {
        Random rnd(500 + trial);
        TLineIndex index;
        std::vector<TRowSums> rows;
        for (int step = 0; step < 150; ++step) {
            const int n = static_cast<int>(rows.size());
            // Changes mostly near one place, now and then far away, as editing goes.
            const int r = rnd.Below(n + 1);
            const std::string where = "trial " + std::to_string(trial) + " step " + std::to_string(step);
            switch (rnd.Below(6)) {
            case 0:
            case 1: {
                const int count = 1 + rnd.Below(rnd.OneIn(5) ? 40 : 3);
                const TRowSums w = Weight(rnd);
                index.InsertRows(r, count, w);
                rows.insert(rows.begin() + r, static_cast<std::size_t>(count), w);
                break;
            }
            case 2: {
                const int count = std::min(1 + rnd.Below(5), n - r);
                index.DeleteRows(r, count);
                if (count > 0)
                    rows.erase(rows.begin() + r, rows.begin() + r + count);
                break;
            }
            case 3:
            case 4:
                if (r < n) {
                    // A run of changes on neighbouring rows, as one replacement makes.
                    for (int k = r; k < std::min(n, r + 1 + rnd.Below(4)); ++k) {
                        const TRowSums w = Weight(rnd);
                        index.SetWeight(k, w);
                        rows[static_cast<std::size_t>(k)] = w;
                    }
                }
                break;
            default:
                if (rnd.OneIn(6)) {
                    index.Build(n, [&](int k) { return rows[static_cast<std::size_t>(k)]; });
                } else if (rnd.OneIn(10)) {
                    index.DeleteRows(0, n);
                    rows.clear();
                }
                break;
            }
            ExpectMatches(index, rows, where);
            if (HasFatalFailure())
                return;
        }
    }
}

// ---- a row list's count of rows with a tab

int TabsIn(const TPointerStringList& list, int first, int end)
{
    int n = 0;
    for (int r = first; r < end; ++r)
        n += list.Get(r).find('\t') != std::string_view::npos;
    return n;
}

void ExpectTabRowsMatch(const TPointerStringList& list, Random& rnd, const std::string& where)
{
    const int n = list.Count();
    ASSERT_EQ(list.TabRows(0, n), TabsIn(list, 0, n)) << where;
    for (int i = 0; i < 6; ++i) {
        const int first = rnd.Below(n + 1), end = first + rnd.Below(n - first + 1);
        ASSERT_EQ(list.TabRows(first, end), TabsIn(list, first, end)) << where << " rows " << first << "-" << end;
    }
    EXPECT_EQ(list.TabRows(-5, n + 5), TabsIn(list, 0, n)) << where;
    EXPECT_EQ(list.TabRows(n, 0), 0) << where;
}

// Every way a row list's rows change, on a list whose index is kept up to date. Rows share
// chunks that hold a tab elsewhere, so a row is not taken to have one for its chunk's sake.
TEST(LineIndex, TabRowsOfARowListFollowEveryKindOfChange)
{
    for (unsigned trial = 0; trial < 20; ++trial) {
        Random rnd(3100 + trial);
        TEditorStringList list, other;
        std::vector<TTextChunk*> chunks;
        for (int i = 0; i < 3; ++i)
            chunks.push_back(TTextChunk::Make(rnd.Text(30) + "\t" + rnd.Text(30)));
        chunks.push_back(TTextChunk::Make(std::string(200, 'n'))); // no tab at all
        auto span = [&](TPointerStringList& l, int row) {
            TTextChunk* c = chunks[static_cast<std::size_t>(rnd.Below(static_cast<int>(chunks.size())))];
            const int size = static_cast<int>(c->Size());
            const int offset = rnd.Below(size + 1);
            l.SetSpan(row, c, static_cast<std::size_t>(offset), static_cast<std::size_t>(rnd.Below(size - offset + 1)));
        };
        for (int step = 0; step < 200; ++step) {
            const int n = list.Count();
            const int r = rnd.Below(n + 1);
            const std::string where = "trial " + std::to_string(trial) + " step " + std::to_string(step);
            switch (rnd.Below(12)) {
            case 0:
                list.Insert(r, rnd.Text(5));
                break;
            case 1:
                list.Add(rnd.Text(5));
                break;
            case 2:
                if (r < n)
                    list.Put(r, rnd.OneIn(3) ? list.Get(r).substr(0, list.Get(r).size() / 2) : rnd.Text(5));
                break;
            case 3:
                if (r < n)
                    span(list, r);
                break;
            case 4: {
                TTextChunk* c = chunks[static_cast<std::size_t>(rnd.Below(static_cast<int>(chunks.size())))];
                const std::size_t offset = static_cast<std::size_t>(rnd.Below(static_cast<int>(c->Size())));
                list.AppendSpan(c, offset, c->Size() - offset, static_cast<std::uint32_t>(rnd.Below(3)));
                break;
            }
            case 5:
                list.InsertEmpty(r, 1 + rnd.Below(4));
                break;
            case 6:
                if (r < n)
                    list.Delete(r);
                break;
            case 7:
                list.DeleteRange(r, 1 + rnd.Below(5));
                break;
            case 8:
                if (r < n)
                    list.SetRowEnd(r, static_cast<TRowEnd>(rnd.Below(4)));
                break;
            case 9: {
                // Rows moved in from another list, which is left with empty rows.
                other.Clear();
                for (int k = 0; k < 6; ++k) {
                    other.Add("");
                    span(other, k);
                }
                const int count = std::min(1 + rnd.Below(6), n - r);
                if (count > 0) {
                    const int src = rnd.Below(6 - count + 1);
                    list.TakeRows(r, other, src, count);
                    ExpectTabRowsMatch(other, rnd, where + " source");
                }
                break;
            }
            case 10:
                if (rnd.OneIn(3)) {
                    list.Swap(other);
                    ExpectTabRowsMatch(other, rnd, where + " swapped out");
                }
                break;
            default:
                if (rnd.OneIn(8))
                    list.Clear();
                break;
            }
            ExpectTabRowsMatch(list, rnd, where);
            if (HasFatalFailure())
                break;
        }
        list.Clear();
        other.Clear();
        for (TTextChunk* c : chunks)
            TTextChunk::Release(c);
        if (HasFatalFailure())
            return;
    }
}

// ---- an editor's positions against walks over its rows

// The answers the editor gave before it kept totals, found by walking the rows.
struct TWalk {
    const TEditorScreenStrings& rows;
    std::vector<std::int64_t> starts;
    std::vector<int> breaks; // reBreak rows above each row

    explicit TWalk(const TEditor& e) : rows(e.ListRows())
    {
        starts.push_back(0);
        breaks.push_back(0);
        for (int r = 0; r < rows.Count(); ++r) {
            starts.push_back(starts.back() + rows.RowByteLength(r));
            breaks.push_back(breaks.back() + (rows.RowEnd(r) == reBreak));
        }
    }

    int RowToLine(int i, bool wrapping) const
    {
        if (!wrapping)
            return i;
        return breaks[static_cast<std::size_t>(std::clamp(i, 0, rows.Count()))];
    }
    std::int64_t TextLength() const
    {
        std::int64_t total = 0;
        for (int r = 0; r < rows.Count(); ++r)
            total += rows.RowEnd(r) == reEof ? rows.RowLength(r) : rows.RowByteLength(r);
        return total;
    }
    std::vector<int> LineStarts() const
    {
        std::vector<int> first{0};
        const int last = rows.Count() - 1;
        for (int r = 0; r <= last; ++r)
            if (r == last || rows.RowEnd(r) != reWrapped)
                first.push_back(r + 1);
        return first;
    }
    int FirstRowOfLine(int row) const
    {
        row = std::clamp(row, 0, rows.Count());
        while (row > 0 && rows.RowEnd(row - 1) == reWrapped)
            --row;
        return row;
    }
    int LastRowOfLine(int row) const
    {
        const int last = rows.Count() - 1;
        while (row < last && rows.RowEnd(row) == reWrapped)
            ++row;
        return row;
    }
    // Where a caret placed `off` bytes on from the start of row `from` lands.
    TRowByte Place(int from, std::int64_t off) const
    {
        int r = from;
        off = std::max<std::int64_t>(off, 0);
        while (r < rows.Count()) {
            const std::int64_t len = rows.RowLength(r);
            const TRowEnd kind = rows.RowEnd(r);
            if (kind == reWrapped) {
                if (off < len)
                    break;
                off -= len;
            } else if (kind == reEof) {
                off = std::min(off, len);
                break;
            } else {
                if (off <= len)
                    break;
                if (off < len + 2) {
                    off = len;
                    break;
                }
                off -= len + 2;
            }
            ++r;
        }
        return {r, off};
    }
};

void ExpectPositionsMatchWalk(THostedEditor& h, Random& rnd, const std::string& where)
{
    TEditor& e = h.e;
    const TWalk walk(e);
    const TEditorScreenStrings& rows = e.ListRows();
    const int n = e.RowCount();
    ASSERT_EQ(e.TextLength(), walk.TextLength()) << where;
    for (int r = -1; r <= n + 1; ++r) {
        ASSERT_EQ(e.RowOffset(r), walk.starts[static_cast<std::size_t>(std::clamp(r, 0, n))]) << where << " row " << r;
        ASSERT_EQ(e.RowToLine(r), walk.RowToLine(r, e.WordWrap())) << where << " row " << r;
    }
    for (int r = 0; r < n; ++r) {
        ASSERT_EQ(rows.FirstRowOfLine(r), walk.FirstRowOfLine(r)) << where << " row " << r;
        ASSERT_EQ(rows.LastRowOfLine(r), walk.LastRowOfLine(r)) << where << " row " << r;
    }
    const std::vector<int> starts = walk.LineStarts();
    const int lines = e.WordWrap() ? static_cast<int>(starts.size()) - 1 : n;
    ASSERT_EQ(e.Lines().Count(), lines) << where;
    if (e.WordWrap()) {
        for (int i = 0; i <= lines + 1; ++i)
            ASSERT_EQ(e.Lines().LineToRow(i), starts[static_cast<std::size_t>(std::min(i, lines))]) << where << " line " << i;
    }
    // Offsets around every row's ends: inside, at the end, between CR and LF, past it.
    for (int r = 0; r <= n; ++r) {
        const std::int64_t len = rows.RowLength(r);
        for (std::int64_t k : {std::int64_t{-1}, std::int64_t{0}, len / 2, len, len + 1, len + 2, len + 5}) {
            const std::int64_t off = walk.starts[static_cast<std::size_t>(r)] + k;
            const int from = std::max(r - 1, 0); // the walk from a row above gives the same
            ASSERT_EQ(e.OffsetToRowByte(off), walk.Place(from, off - walk.starts[static_cast<std::size_t>(from)]))
                << where << " row " << r << " offset " << off;
        }
    }
    ExpectTabRowsMatch(rows, rnd, where);
    // Selection offsets in both directions, at a few places.
    for (int i = 0; i < 4; ++i) {
        const std::int64_t off = rnd.Below(static_cast<int>(walk.starts.back()) + 3);
        e.SetSelStart(off);
        const TRowByte at = walk.Place(0, off);
        if (at.Row < n) {
            ASSERT_EQ(e.Row(), at.Row) << where << " offset " << off;
            const std::size_t byte = static_cast<std::size_t>(at.Byte);
            std::size_t start = 0; // the character the offset falls in
            while (start < byte && start + CharLength(rows.Get(at.Row), start) <= byte)
                start += CharLength(rows.Get(at.Row), start);
            ASSERT_EQ(e.SelStart(), walk.starts[static_cast<std::size_t>(at.Row)] + static_cast<std::int64_t>(start))
                << where << " offset " << off;
        } else {
            ASSERT_EQ(e.SelStart(), walk.starts.back()) << where << " offset " << off;
        }
    }
}

void RandomStep(THostedEditor& h, Random& rnd, std::string& what)
{
    TEditor& e = h.e;
    const int n = e.RowCount();
    switch (rnd.Below(12)) {
    case 0:
    case 1:
    case 2: {
        const int start = rnd.Below(n + 1);
        const int count = rnd.Below(std::min(n - start, 4) + 1);
        what = "replace " + std::to_string(start) + "+" + std::to_string(count);
        e.ListRows().ReplaceRows(start, count, rnd.Text(8));
        break;
    }
    case 3:
        what = "type";
        e.SetRowCol(rnd.Below(n + 1), rnd.Below(30));
        e.TypeText(rnd.OneIn(3) ? kKanji : "q");
        break;
    case 4:
        what = "enter or back space";
        e.SetRowCol(rnd.Below(n + 1), rnd.Below(30));
        if (rnd.OneIn(2))
            e.Newline();
        else
            e.BackSpace();
        break;
    case 5:
    case 6:
        what = "undo";
        for (int k = rnd.Below(4); k >= 0; --k)
            e.Undo();
        break;
    case 7:
        what = "redo";
        for (int k = rnd.Below(4); k >= 0; --k)
            e.Redo();
        break;
    case 8:
        what = "wrap toggled";
        e.SetWordWrap(!e.WordWrap());
        break;
    case 9:
        what = "wrap width";
        e.WrapOption().SetWrapByte(20 + rnd.Below(60));
        break;
    case 10:
        what = "lines";
        if (rnd.OneIn(2))
            e.Lines().Add(rnd.Text(3));
        else if (e.Lines().Count() > 0)
            e.Lines().Delete(rnd.Below(e.Lines().Count()));
        break;
    default:
        what = "new text";
        if (rnd.OneIn(4))
            e.Lines().Clear();
        else
            e.Lines().SetTextStr(rnd.Text(80));
        break;
    }
}

TEST(LineIndex, EditorPositionsMatchAWalkAfterRandomEditsUndoRedoAndRewrapping)
{
    for (unsigned trial = 0; trial < 40; ++trial) {
        Random rnd(7000 + trial);
        THostedEditor h;
        h.e.SetFocused(true);
        h.e.SetUndoListMax(1000);
        h.e.WrapOption().SetWrapByte(20 + rnd.Below(40));
        h.e.SetWordWrap(!rnd.OneIn(4));
        // Start from a file: loaded rows come in as a whole.
        const std::string file = ::testing::TempDir() + "line_index_" + std::to_string(trial) + ".txt";
        {
            std::ofstream out(file, std::ios::binary);
            out << rnd.Text(80);
        }
        h.e.Lines().LoadFromFile(file);
        std::remove(file.c_str());
        const std::string where = "trial " + std::to_string(trial);
        ExpectPositionsMatchWalk(h, rnd, where + " loaded");
        for (int step = 0; step < 60 && !HasFatalFailure(); ++step) {
            std::string what;
            RandomStep(h, rnd, what);
            ExpectPositionsMatchWalk(h, rnd, where + " step " + std::to_string(step) + " " + what);
        }
        if (HasFatalFailure())
            return;
    }
}

// Many rows: replacements big enough to be taken as a new text, and edits far apart, so the
// pending step moves a long way and is written out.
TEST(LineIndex, BigReplacementsAndFarApartEditsInALongText)
{
    Random rnd(99);
    THostedEditor h;
    h.e.SetFocused(true);
    h.e.WrapOption().SetWrapByte(40);
    h.e.SetWordWrap(true);
    std::string text;
    for (int i = 0; i < 8000; ++i)
        text += std::string(static_cast<std::size_t>(rnd.Below(100)), 'y') + "\r\n";
    h.e.Lines().SetTextStr(text);
    std::string block;
    for (int i = 0; i < 5000; ++i)
        block += std::string(static_cast<std::size_t>(rnd.Below(70)), 'z') + (i % 3 ? "\r\n" : "\n");
    const int rows = h.e.RowCount();
    const std::vector<int> places = {0, rows - 1, rows / 2, 1, rows - 3, rows / 3};
    for (std::size_t i = 0; i < places.size(); ++i) {
        h.e.ListRows().ReplaceRows(std::min(places[i], h.e.RowCount()), 1, i % 2 ? "far\r\n" : block);
        ExpectPositionsMatchWalk(h, rnd, "edit " + std::to_string(i));
    }
    while (h.e.CanUndo())
        h.e.Undo();
    ExpectPositionsMatchWalk(h, rnd, "all undone");
    EXPECT_EQ(h.Text(), text);
    h.e.Redo();
    h.e.Redo();
    ExpectPositionsMatchWalk(h, rnd, "two redone");
}

} // namespace
