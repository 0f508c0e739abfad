#include <gtest/gtest.h>

#include <functional>

#include "engine/RowList.h"

namespace {

struct Field {
    const char* name;
    std::function<int(const TRowAttributeStringList&, int)> get;
    std::function<void(TRowAttributeStringList&, int, int)> set;
    int low;
    int high;
};

std::vector<Field> Fields()
{
    using L = TRowAttributeStringList;
    return {
        {"RowEnd", [](const L& l, int i) { return static_cast<int>(l.RowEnd(i)); },
         [](L& l, int i, int v) { l.SetRowEnd(i, static_cast<TRowEnd>(v)); }, 0, 3},
        {"OpenBracket", [](const L& l, int i) { return l.OpenBracket(i); },
         [](L& l, int i, int v) { l.SetOpenBracket(i, v); }, -2, 13},
        {"AuxIndex", [](const L& l, int i) { return l.AuxIndex(i); }, [](L& l, int i, int v) { l.SetAuxIndex(i, v); },
         0, 15},
        {"CarryBytes", [](const L& l, int i) { return l.CarryBytes(i); },
         [](L& l, int i, int v) { l.SetCarryBytes(i, v); }, 0, 255},
        {"CarryToken", [](const L& l, int i) { return l.CarryToken(i); },
         [](L& l, int i, int v) { l.SetCarryToken(i, v); }, 0, 255},
        {"AuxFlags", [](const L& l, int i) { return l.AuxFlags(i); }, [](L& l, int i, int v) { l.SetAuxFlags(i, v); },
         0, 255},
        {"RowMarks", [](const L& l, int i) { return static_cast<int>(l.RowMarks(i)); },
         [](L& l, int i, int v) { l.SetRowMarks(i, static_cast<std::uint16_t>(v)); }, 0, 65535},
    };
}

// Every field keeps its own value while each other field runs through its range's ends.
TEST(RowAttributes, EachFieldLeavesTheOthersAlone)
{
    auto fields = Fields();
    for (std::size_t target = 0; target < fields.size(); ++target) {
        TRowAttributeStringList list;
        list.Add("row");
        // Distinct non-trivial values in every field.
        for (std::size_t f = 0; f < fields.size(); ++f)
            fields[f].set(list, 0, f == 0 ? 2 : fields[f].low + 1 + static_cast<int>(f));
        std::vector<int> before;
        for (auto& f : fields)
            before.push_back(f.get(list, 0));
        for (int v : {fields[target].low, fields[target].high}) {
            fields[target].set(list, 0, v);
            EXPECT_EQ(fields[target].get(list, 0), v) << fields[target].name;
            for (std::size_t f = 0; f < fields.size(); ++f) {
                if (f != target) {
                    EXPECT_EQ(fields[f].get(list, 0), before[f])
                        << "setting " << fields[target].name << " changed " << fields[f].name;
                }
            }
        }
    }
}

TEST(RowAttributes, RowEndClearsTheUnusedHighBitsOfWordA)
{
    TRowAttributeStringList list;
    list.Add("x");
    list.SetWordA(0, 0xFFFFFFFFu);
    list.SetRowEnd(0, reWrapped);
    EXPECT_EQ(list.WordA(0), 0x000FFFF1u);
}

TEST(RowAttributes, NewRowsAreUncomputedAndOutsideRowsAreNone)
{
    TRowAttributeStringList list;
    list.Add("a");
    list.Insert(0, "b");
    EXPECT_EQ(list.OpenBracket(0), -2);
    EXPECT_EQ(list.ParseState(1), TRowParseState::Reset());
    EXPECT_EQ(list.RowEnd(-1), reNone);
    EXPECT_EQ(list.RowEnd(2), reNone);
    EXPECT_EQ(list.Get(5), "");
}

TEST(RowAttributes, ParseStateRoundTripsAndResetKeepsMarksAndEnd)
{
    TRowAttributeStringList list;
    list.Add("a");
    list.SetRowEnd(0, reEof);
    list.SetRowMarks(0, 0x2001);
    TRowParseState s{7, 3, 200, 21, 9};
    list.SetParseState(0, s);
    EXPECT_EQ(list.ParseState(0), s);
    list.ResetParseState(0);
    EXPECT_EQ(list.ParseState(0), TRowParseState::Reset());
    EXPECT_EQ(list.RowEnd(0), reEof);
    EXPECT_EQ(list.RowMarks(0), 0x2001);

    // A range at once: the same per row, rows outside it and a range past the end untouched.
    for (int i = 0; i < 4; ++i) {
        list.Add("b");
        list.SetRowEnd(i + 1, i % 2 ? reWrapped : reBreak);
        list.SetRowMarks(i + 1, static_cast<std::uint16_t>(0x100 + i));
        list.SetParseState(i + 1, s);
    }
    list.ResetParseStates(2, 9);
    for (int i = 1; i < 5; ++i) {
        EXPECT_EQ(list.ParseState(i), i < 2 ? s : TRowParseState::Reset()) << i;
        EXPECT_EQ(list.RowEnd(i), (i - 1) % 2 ? reWrapped : reBreak) << i;
        EXPECT_EQ(list.RowMarks(i), 0x100 + i - 1) << i;
    }
}

// The gap buffer under the rows: edits at scattered places keep order and texts.
TEST(RowList, ScatteredEditsKeepOrder)
{
    TPointerStringList list;
    std::vector<std::string> model;
    unsigned seed = 7;
    auto rnd = [&seed](unsigned n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % n;
    };
    for (int step = 0; step < 3000; ++step) {
        unsigned op = rnd(4);
        int at = static_cast<int>(rnd(static_cast<unsigned>(model.size()) + 1));
        std::string s = "r" + std::to_string(step);
        if (op < 2 || model.empty()) {
            list.Insert(at, s);
            model.insert(model.begin() + at, s);
        } else if (op == 2 && at < static_cast<int>(model.size())) {
            list.Delete(at);
            model.erase(model.begin() + at);
        } else if (at < static_cast<int>(model.size())) {
            list.Put(at, s + "p");
            model[static_cast<std::size_t>(at)] = s + "p";
        }
    }
    ASSERT_EQ(list.Count(), static_cast<int>(model.size()));
    for (int i = 0; i < list.Count(); ++i)
        EXPECT_EQ(list.Get(i), model[static_cast<std::size_t>(i)]);
}

TEST(RowList, PutFromItsOwnTextIsSafe)
{
    TPointerStringList list;
    list.Add("abcdef");
    list.Put(0, list.Get(0).substr(2));
    EXPECT_EQ(list.Get(0), "cdef");
}

} // namespace

// The text of a range of rows: a break adds CR LF, a wrapped or last row adds nothing, and
// the range is clipped to the rows there are.
TEST(RowList, TextOfARangePutsCrLfAfterBreaksOnly)
{
    TEditorStringList rows;
    const std::pair<const char*, TRowEnd> content[] = {
        {"ab", reBreak}, {"cd", reWrapped}, {"", reBreak}, {"ef", reEof}};
    for (const auto& [text, end] : content) {
        rows.Add(text);
        rows.SetRowEnd(rows.Count() - 1, end);
    }
    auto text = [&](int first, int end) {
        std::string out = "|";
        rows.AppendText(first, end, out);
        EXPECT_EQ(rows.TextBytes(first, end), out.size() - 1) << first << ".." << end;
        return out;
    };
    EXPECT_EQ(text(0, 4), "|ab\r\ncd\r\nef");
    EXPECT_EQ(text(1, 3), "|cd\r\n");
    EXPECT_EQ(text(2, 2), "|");
    EXPECT_EQ(text(3, 99), "|ef");
    EXPECT_EQ(text(-5, 1), "|ab\r\n");
}
