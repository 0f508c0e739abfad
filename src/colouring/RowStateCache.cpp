#include "colouring/RowStateCache.h"

#include <algorithm>

#include "colouring/FountainParser.h"

int TRowStateCache::LookAhead() const
{
    return 2 * (FScreenHeight / std::max(FRowHeight, 1));
}

void TRowStateCache::ComputeEnd(TFountainParser& parser, int row, const TParseRows& rows,
                                TRowParseState& state)
{
    ++FParsedRows;
    parser.ComputeRowEndState(row, rows, state);
}

void TRowStateCache::InitRowStates(TParseRows& rows, TFountainParser& parser, int topRow)
{
    const int count = rows.Count();
    int last = count - 1;
    if (!FInitBracketsFull) {
        const long long ahead = static_cast<long long>(std::max(topRow, 0)) + LookAhead();
        last = static_cast<int>(std::min<long long>(last, ahead));
    }
    // Rows below the computed ones are reset (the loop below stores every other row).
    rows.ResetParseStates(last + 1, count);
    TRowParseState state = TRowParseState::First();
    for (int r = 0; r <= last; ++r) {
        rows.SetParseState(r, state);
        ComputeEnd(parser, r, rows, state);
    }
}

int TRowStateCache::UpdateRowStates(TParseRows& rows, TFountainParser& parser, int row,
                                    bool notify)
{
    const int count = rows.Count();
    if (row < 0 || row >= count) {
        return 0;
    }
    // Start from the nearest row above whose state is known. A row's end state reads the
    // row after the next when a token runs over the whole next row, so when the two rows
    // above `row` wrap, the end state of the upper one is computed again too.
    TRowParseState state = TRowParseState::First();
    int start = 0;
    const bool readsRow = row >= 2 && rows.RowEnd(row - 2) == reWrapped && rows.RowEnd(row - 1) == reWrapped;
    for (int k = readsRow ? row - 2 : row - 1; k >= 0; --k) {
        const TRowParseState stored = rows.ParseState(k);
        if (stored.OpenBracket != -2) {
            state = stored;
            ComputeEnd(parser, k, rows, state);
            start = k + 1;
            break;
        }
    }
    const int last = static_cast<int>(
        std::min<long long>(count - 1, static_cast<long long>(row) + LookAhead()));
    int changed = 0;
    for (int r = start; r <= last; ++r) {
        if (rows.ParseState(r) == state) {
            if (r >= row) {
                return changed; // everything below is already consistent
            }
            ComputeEnd(parser, r, rows, state); // above the change: only its end may differ
            continue;
        }
        rows.SetParseState(r, state);
        if (notify) {
            ++changed;
            if (OnInvalidateRow) {
                OnInvalidateRow(r);
            }
        }
        ComputeEnd(parser, r, rows, state);
    }
    // The states below `last` may all be stale now; they are computed again when needed.
    const TRowParseState reset = TRowParseState::Reset();
    for (int r = last + 1; r < count; ++r) {
        if (rows.ParseState(r).OpenBracket != -2) {
            rows.SetParseState(r, reset);
        }
    }
    return changed;
}
