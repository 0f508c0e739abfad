#include <gtest/gtest.h>

#include <random>

#include "EngineTestUtil.h"
#include "platform/Cp932.h"

using namespace enginetest;

namespace {

// What the text must read after splicing `text` over a byte range: incoming CR LF, lone CR

struct Random {
    std::mt19937 rng;
    explicit Random(unsigned seed) : rng(seed) {}
    int Below(int n) { return n <= 0 ? 0 : static_cast<int>(rng() % static_cast<unsigned>(n)); }
    bool Coin() { return Below(2) == 1; }

    std::string Text(int maxPieces)
    {
        static const std::vector<std::string> pieces = {
            "a", "b", "word", " ", "\t", "\r", "\n", "\r\n", kKanji, kKanjiSo, "\x81\x40", kIdeoComma,
            kIdeoStop, kOpenQuote, kCloseQuote, "(", ")", ",", std::string(1, '\0'), "\xB1",
        };
        std::string s;
        int n = Below(maxPieces + 1);
        for (int i = 0; i < n; ++i) {
            int k = Below(static_cast<int>(pieces.size()) + 2);
            if (k == static_cast<int>(pieces.size()))
                s += std::string(static_cast<std::size_t>(Below(40)), 'x'); // a long run
            else if (k > static_cast<int>(pieces.size()))
                s += std::string(1, '\x81') + static_cast<char>(0x40 + Below(0x3F)); // low trail bytes
            else
                s += pieces[static_cast<std::size_t>(k)];
        }
        return s;
    }
};

// Byte offset in the joined text of the start of row r.
std::size_t RowStart(const TEditor& e, int r)
{
    std::size_t off = 0;
    for (int k = 0; k < r; ++k)
        off += e.RowText(k).size() + (e.ListRows().RowEnd(k) == reBreak ? 2 : 0);
    return off;
}

void CheckRows(const TEditor& e, const std::string& where)
{
    const TEditorScreenStrings& rows = e.ListRows();
    int n = rows.Count();
    int limit = rows.WrapOption().WrapByte() + 3;
    for (int r = 0; r < n; ++r) {
        std::string_view t = rows.Get(r);
        ASSERT_EQ(t.find_first_of("\r\n"), std::string_view::npos) << where << " row " << r;
        if (r < n - 1) {
            ASSERT_NE(rows.RowEnd(r), reEof) << where << " row " << r;
        }
        if (!e.WordWrap()) {
            ASSERT_NE(rows.RowEnd(r), reWrapped) << where << " row " << r;
        }
        if (rows.RowEnd(r) == reWrapped && r < n - 1) {
            // The last character of a wrapped row is never half of a two-byte one.
            std::size_t i = 0, lastLen = 0;
            while (i < t.size()) {
                lastLen = CharLength(t, i);
                i += lastLen;
            }
            ASSERT_FALSE(lastLen == 1 && IsLeadByte(t.back())) << where << " row " << r;
            ASSERT_LE(e.StrWidth(t), limit) << where << " row " << r;
        }
    }
}

TEST(ReplaceRowsProperty, RandomEditsKeepTextRowsAndHistoryConsistent)
{
    for (unsigned trial = 0; trial < 60; ++trial) {
        Random rnd(1000 + trial);
        TEditor e;
        e.SetUndoListMax(1000);
        e.WrapOption().SetWrapByte(20 + rnd.Below(40));
        e.WrapOption().SetFollowPunctuation(rnd.Coin());
        e.WrapOption().SetLeading(rnd.Coin());
        e.WrapOption().SetWordBreak(rnd.Coin());
        e.WrapOption().SetFollowRetMark(rnd.Coin());
        e.Caret().SetTabSpaceCount(2 * (1 + rnd.Below(4)));
        e.SetWordWrap(rnd.Below(4) != 0);
        e.Lines().SetTextStr(rnd.Text(60));
        const std::string original = e.Lines().GetTextStr();
        const std::vector<std::string> originalRows = Dump(e);
        std::string model = original;
        std::string where = "trial " + std::to_string(trial);
        CheckRows(e, where);
        int steps = 0;
        for (int step = 0; step < 40; ++step) {
            int count = e.RowCount();
            int start = rnd.Below(count + 1);
            int n = rnd.Below(std::min(count - start, 4) + 1);
            std::string text = rnd.Text(8);
            std::size_t a = RowStart(e, start), b = RowStart(e, start + n);
            b = std::min(b, model.size());
            bool acts = !(n == 0 && text.empty());
            e.ListRows().ReplaceRows(start, n, text);
            if (acts) {
                model = model.substr(0, a) + Normalised(text) + model.substr(b);
                ++steps;
            }
            std::string at = where + " step " + std::to_string(step);
            ASSERT_EQ(e.Lines().GetTextStr(), model) << at;
            CheckRows(e, at);
        }
        const std::string final = e.Lines().GetTextStr();
        const std::vector<std::string> finalRows = Dump(e);
        int undone = 0;
        while (e.CanUndo()) {
            e.Undo();
            ++undone;
            CheckRows(e, where + " undo");
        }
        EXPECT_EQ(undone, steps) << where;
        ASSERT_EQ(e.Lines().GetTextStr(), original) << where;
        // Undo puts back the very rows, not just the text.
        ASSERT_EQ(Dump(e), originalRows) << where;
        while (e.CanRedo())
            e.Redo();
        ASSERT_EQ(e.Lines().GetTextStr(), final) << where;
        ASSERT_EQ(Dump(e), finalRows) << where;
        for (int flip = 0; flip < 2; ++flip) {
            e.SetWordWrap(!e.WordWrap());
            ASSERT_EQ(e.Lines().GetTextStr(), final) << where << " wrap " << e.WordWrap();
            CheckRows(e, where + " after toggling wrap");
        }
    }
}

} // namespace
