#pragma once
// How a row ends and the tokenizer state kept at each row's start; both are packed into the
// two attribute words every row carries.
#include <cstdint>

enum TRowEnd : std::uint8_t {
    reBreak = 0,   // the row ends a line; CR LF follows it in the text
    reWrapped = 1, // soft wrap: the line goes on in the next row
    reEof = 2,     // last line of a text that does not end with a line break
    reNone = 3,    // no row (an index outside the list; an undo record without old text)
};

// Tokenizer state at the start of a screen row. OpenBracket -2 marks a row whose state has not
// been computed yet; the first row of a text starts from First().
struct TRowParseState {
    int OpenBracket = -2;
    int AuxIndex = 0;
    int CarryBytes = 0;
    int CarryToken = 0;
    int AuxFlags = 0;

    static constexpr TRowParseState Reset() { return {}; }
    static constexpr TRowParseState First() { return {-1, 0, 0, 0, 0}; }
    friend constexpr bool operator==(const TRowParseState&, const TRowParseState&) = default;
};

// The seam through which the row store asks the tokenizer side to bring row states up to date.
// The store resets the state of every row it rebuilds; the hook recomputes what it needs.
class TRowStateHook {
public:
    virtual ~TRowStateHook() = default;
    // The whole text was replaced or rebuilt.
    virtual void InitRowStates() = 0;
    // Rows from `row` on may have changed; returns how many rows' stored state changed
    // (counted only when `notify`).
    virtual int UpdateRowStates(int row, bool notify) = 0;
};
