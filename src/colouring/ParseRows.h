#pragma once
// The rows the tokenizer reads and whose start states it keeps: text, how each row ends, and
// the stored parse state. The row store is adapted to this by TParseRowsOf; tests use small
// lists of their own.
#include <string_view>

#include "engine/RowAttributes.h"

class TParseRows {
public:
    virtual ~TParseRows() = default;
    virtual int Count() const = 0;
    // Row text; empty outside 0..Count-1.
    virtual std::string_view Get(int row) const = 0;
    // reNone outside 0..Count-1.
    virtual TRowEnd RowEnd(int row) const = 0;
    virtual TRowParseState ParseState(int row) const = 0;
    virtual void SetParseState(int row, const TRowParseState& state) = 0;
    // Marks rows [first, end) as not computed.
    virtual void ResetParseStates(int first, int end)
    {
        for (int r = first; r < end; ++r)
            SetParseState(r, TRowParseState::Reset());
    }
};

// Adapts any row list with the store's operations (Count, Get, RowEnd, ParseState,
// SetParseState) without copying it.
template <class TRows>
class TParseRowsOf final : public TParseRows {
public:
    explicit TParseRowsOf(TRows& rows) : FRows(rows) {}
    int Count() const override { return FRows.Count(); }
    std::string_view Get(int row) const override { return FRows.Get(row); }
    TRowEnd RowEnd(int row) const override { return FRows.RowEnd(row); }
    TRowParseState ParseState(int row) const override { return FRows.ParseState(row); }
    void SetParseState(int row, const TRowParseState& state) override
    {
        FRows.SetParseState(row, state);
    }
    void ResetParseStates(int first, int end) override
    {
        // The row store does it in one pass over its rows; other lists row by row.
        if constexpr (requires { FRows.ResetParseStates(first, end); })
            FRows.ResetParseStates(first, end);
        else
            TParseRows::ResetParseStates(first, end);
    }

private:
    TRows& FRows;
};
