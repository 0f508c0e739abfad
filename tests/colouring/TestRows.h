#pragma once
// A plain row list for tokenizer tests: text, row end and parse state per row.
#include <string>
#include <vector>

#include "colouring/ParseRows.h"

struct TTestRow {
    std::string Text;
    TRowEnd End = reBreak;
    TRowParseState State;
};

class TTestRows final : public TParseRows {
public:
    TTestRows() = default;
    // Rows given as text; every row but the last ends with `end`, the last with `lastEnd`.
    TTestRows(std::initializer_list<std::string> texts, TRowEnd end = reWrapped,
              TRowEnd lastEnd = reBreak)
    {
        for (const auto& t : texts) {
            Rows.push_back({t, end, {}});
        }
        if (!Rows.empty()) {
            Rows.back().End = lastEnd;
        }
    }
    int Count() const override { return static_cast<int>(Rows.size()); }
    std::string_view Get(int row) const override
    {
        return InRange(row) ? std::string_view(Rows[row].Text) : std::string_view();
    }
    TRowEnd RowEnd(int row) const override { return InRange(row) ? Rows[row].End : reNone; }
    TRowParseState ParseState(int row) const override
    {
        return InRange(row) ? Rows[row].State : TRowParseState::Reset();
    }
    void SetParseState(int row, const TRowParseState& state) override
    {
        if (InRange(row)) {
            Rows[row].State = state;
        }
    }
    bool InRange(int row) const { return row >= 0 && row < Count(); }

    std::vector<TTestRow> Rows;
};
