#pragma once
// Cell arithmetic on one row, and small pieces shared by the selection and editing code.
#include <string_view>

#include "engine/Wrap.h"
#include "platform/Cp932.h"

class TEditor;

// Runs body inside one compound block of the editor (caret hidden, rows in one update),
// left on every path.
template <class F>
void Compound(TEditor& e, F&& body)
{
    e.BeginCompound();
    try {
        body();
    } catch (...) {
        e.EndCompound();
        throw;
    }
    e.EndCompound();
}

struct TByteRange {
    int First = 0;
    int Last = 0; // one past the last byte
    int Length() const { return Last - First; }
};

// The bytes of the characters whose first cell lies in columns c1..c2-1: a character that
// begins left of c1 is left out, one that begins at c2-1 is taken whole.
inline TByteRange BoxSliceBytes(std::string_view text, int c1, int c2, const TWrapContext& cx)
{
    int cell = 0;
    std::size_t i = 0;
    int first = -1;
    int last = -1;
    while (i < text.size()) {
        if (first < 0 && cell >= c1)
            first = static_cast<int>(i);
        if (cell >= c2) {
            last = static_cast<int>(i);
            break;
        }
        std::size_t len = CharLength(text, i);
        cell += text[i] == '\t' ? cx.TabCells(cell) : static_cast<int>(len);
        i += len;
    }
    const int n = static_cast<int>(text.size());
    if (first < 0)
        first = n;
    if (last < 0)
        last = n;
    return {first, last < first ? first : last};
}

// The column where byte `byte` starts (the row's width when it is the length).
inline int CellOfByte(std::string_view text, int byte, const TWrapContext& cx)
{
    if (byte <= 0)
        return 0;
    return StrWidth(text.substr(0, static_cast<std::size_t>(byte)), cx);
}

// The start of the character that byte `byte` lies in.
inline int CharStart(std::string_view text, int byte)
{
    std::size_t start = 0;
    const std::size_t b = static_cast<std::size_t>(byte < 0 ? 0 : byte);
    while (start < b && start < text.size()) {
        std::size_t next = start + CharLength(text, start);
        if (next > b)
            break;
        start = next;
    }
    return static_cast<int>(start);
}

// The character that covers cell `cell`: its byte, first cell and length. Past the end:
// the row's length and width, length 0.
struct TCharAt {
    int Byte = 0;
    int Cell = 0;
    int Length = 0;
};

inline TCharAt CharAtCell(std::string_view text, int cell, const TWrapContext& cx)
{
    int at = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t len = CharLength(text, i);
        int w = text[i] == '\t' ? cx.TabCells(at) : static_cast<int>(len);
        if (at + w > cell)
            return {static_cast<int>(i), at, static_cast<int>(len)};
        at += w;
        i += len;
    }
    return {static_cast<int>(text.size()), at, 0};
}
