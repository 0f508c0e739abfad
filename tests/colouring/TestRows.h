#pragma once
// A plain row list for tokenizer tests (text, row end and parse state per row), and the row
// states every row list must end up with.
#include <string>
#include <vector>

#include "colouring/FountainParser.h"
#include "colouring/ParseRows.h"

struct TTestRow {
    std::string Text;
    TRowEnd End = reBreak;
    TRowParseState State;
};

class TTestRows final : public TParseRows {
public:
    TTestRows() = default;
    // Every row but the last ends with `end`, the last with `lastEnd`.
    TTestRows(std::initializer_list<std::string> texts, TRowEnd end = reWrapped, TRowEnd lastEnd = reBreak)
    {
        for (const auto& t : texts) {
            Rows.push_back({t, end, {}});
        }
        Rows.back().End = lastEnd;
    }
    int Count() const override { return static_cast<int>(Rows.size()); }
    std::string_view Get(int row) const override { return In(row) ? Rows[row].Text : std::string_view(); }
    TRowEnd RowEnd(int row) const override { return In(row) ? Rows[row].End : reNone; }
    TRowParseState ParseState(int row) const override { return In(row) ? Rows[row].State : TRowParseState(); }
    void SetParseState(int row, const TRowParseState& state) override
    {
        if (In(row)) {
            Rows[row].State = state;
        }
    }
    std::vector<TTestRow> Rows;

private:
    bool In(int row) const { return row >= 0 && row < Count(); }
};

namespace colourtest {

inline std::vector<TRowParseState> Stored(const TParseRows& rows)
{
    std::vector<TRowParseState> out;
    for (int r = 0; r < rows.Count(); ++r) {
        out.push_back(rows.ParseState(r));
    }
    return out;
}

// The states computed from the first row down, as they must be.
inline std::vector<TRowParseState> FromScratch(const TParseRows& rows, TFountainParser& parser)
{
    std::vector<TRowParseState> out;
    TRowParseState s = TRowParseState::First();
    for (int r = 0; r < rows.Count(); ++r) {
        out.push_back(s);
        parser.ComputeRowEndState(r, rows, s);
    }
    return out;
}

// Computes the rows left for later (reset mark) the way the painter does, top down.
template <class Update>
void FillLazily(const TParseRows& rows, Update&& update)
{
    for (int r = 0; r < rows.Count(); ++r) {
        if (rows.ParseState(r).OpenBracket == -2) {
            update(r);
        }
    }
}

} // namespace colourtest
