#pragma once
// Keeps the parse state stored at each row's start up to date. States are computed ahead of
// need for about two screens below the first row that needs them (or for the whole text with
// InitBracketsFull); rows further down keep the reset mark and are computed when painted.
// After an edit the recomputation stops at the first row whose stored state is already right.
#include <cstdint>
#include <functional>

#include "colouring/ParseRows.h"

class TFountainParser;

class TRowStateCache {
public:
    // The look-ahead is 2 * (screen height div row height), both in pixels.
    int ScreenHeight() const { return FScreenHeight; }
    void SetScreenHeight(int pixels) { FScreenHeight = pixels < 0 ? 0 : pixels; }
    int RowHeight() const { return FRowHeight; }
    void SetRowHeight(int pixels) { FRowHeight = pixels; }
    int LookAhead() const;

    bool InitBracketsFull() const { return FInitBracketsFull; }
    void SetInitBracketsFull(bool value) { FInitBracketsFull = value; }

    // Resets every row, then computes rows 0 .. topRow + look-ahead (every row with
    // InitBracketsFull).
    void InitRowStates(TParseRows& rows, TFountainParser& parser, int topRow);

    // Brings the rows from `row` on back to computed states, stopping at the first row whose
    // stored state is already right. Returns how many rows' stored state changed (counted,
    // and reported through OnInvalidateRow, only when `notify`).
    int UpdateRowStates(TParseRows& rows, TFountainParser& parser, int row, bool notify);

    // Called for every row whose stored state changed during a notifying update.
    std::function<void(int row)> OnInvalidateRow;

    // Number of rows tokenized so far (one per end-state computation).
    std::int64_t ParsedRows() const { return FParsedRows; }

private:
    void ComputeEnd(TFountainParser& parser, int row, const TParseRows& rows,
                    TRowParseState& state);

    int FScreenHeight = 1080;
    int FRowHeight = 16;
    bool FInitBracketsFull = false;
    std::int64_t FParsedRows = 0;
};
