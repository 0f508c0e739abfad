#pragma once
// Pointing at cells and pressing keys on a hosted editor.
#include "EditorTestUtil.h"

namespace enginetest {

// A client point inside cell (row, col) of the view; `right` picks its right half.
inline TPoint CellPoint(const TEditor& e, int row, int col, bool right = false)
{
    const TEditorMetrics& m = e.Metrics();
    return {m.TextLeft + (col - e.TopCol()) * m.ColWidth + (right ? m.ColWidth - 1 : 1),
            m.TopOffset + (row - e.TopRow()) * m.RowHeight + 1};
}

inline void Press(TEditor& e, int key, TShiftState shift = 0, int times = 1)
{
    for (int i = 0; i < times; ++i) {
        e.KeyDown(key, shift, false);
        e.KeyUp(key, shift);
    }
}

struct TRowCol {
    int Row, Col;
    friend bool operator==(const TRowCol&, const TRowCol&) = default;
};

inline TRowCol At(const TEditor& e)
{
    return {e.Row(), e.Col()};
}

inline void PrintTo(const TRowCol& p, std::ostream* os)
{
    *os << "(" << p.Row << ", " << p.Col << ")";
}

} // namespace enginetest
