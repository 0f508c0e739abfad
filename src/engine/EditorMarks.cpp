// Row marks: bookmarks 0-9, one row each, and the application's marks 10-15.
#include <algorithm>

#include "engine/Editor.h"

namespace {

bool ValidMark(int n)
{
    return n >= 0 && n < 16;
}

} // namespace

std::uint16_t TEditor::UsedMarks() const
{
    return FList->UsedMarks();
}

void TEditor::PutRowMark(int row, int n)
{
    if (!ValidMark(n))
        return;
    const std::uint16_t bit = static_cast<std::uint16_t>(1u << n);
    if (n < 10)
        for (int r = 0; r < RowCount(); ++r)
            if (FList->RowMarks(r) & bit) {
                SetRowMarks(r, static_cast<std::uint16_t>(FList->RowMarks(r) & ~bit));
                break;
            }
    if (row >= 0 && row < RowCount())
        SetRowMarks(row, static_cast<std::uint16_t>(FList->RowMarks(row) | bit));
}

void TEditor::DeleteRowMark(int row, int n)
{
    if (!ValidMark(n) || row < 0 || row >= RowCount())
        return;
    SetRowMarks(row, static_cast<std::uint16_t>(FList->RowMarks(row) & ~(1u << n)));
}

void TEditor::GotoRowMark(int n)
{
    if (!ValidMark(n))
        return;
    const std::uint16_t bit = static_cast<std::uint16_t>(1u << n);
    for (int r = 0; r < RowCount(); ++r) {
        if (!(FList->RowMarks(r) & bit))
            continue;
        if (r < FMetrics.TopRow || r >= FMetrics.TopRow + FMetrics.VisibleRows)
            SetTopRow(r - FMetrics.VisibleRows / 2);
        SetRow(r);
        return;
    }
}
