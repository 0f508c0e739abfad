#include "engine/LineIndex.h"

#include <algorithm>

void TLineIndex::Clear()
{
    FSums.Clear();
    FSums.InsertEmpty(0, 1);
    FStepRow = 0;
    FStep = {};
}

void TLineIndex::StepTo(int row)
{
    if (FStep.Zero()) {
        FStepRow = row;
        return;
    }
    const int n = Rows();
    const int distance = row > FStepRow ? row - FStepRow : FStepRow - row;
    if (n - FStepRow <= distance) {
        // Writing the step into every entry after it is no more work than moving it.
        for (int k = FStepRow + 1; k <= n; ++k)
            FSums[k] += FStep;
        FStep = {};
    } else if (row > FStepRow) {
        for (int k = FStepRow + 1; k <= row; ++k)
            FSums[k] += FStep;
    } else {
        for (int k = row + 1; k <= FStepRow; ++k)
            FSums[k] -= FStep;
    }
    FStepRow = row;
}

void TLineIndex::AddAfter(int row, const TRowSums& d)
{
    if (d.Zero())
        return;
    StepTo(row);
    FStep += d;
}

void TLineIndex::InsertRows(int row, int n, const TRowSums& w)
{
    if (n <= 0 || row < 0 || row > Rows())
        return;
    StepTo(row);
    const TRowSums base = FSums[row];
    TRowSums added;
    for (int k = 0; k < n; ++k)
        added += w;
    FStep += added;
    // The new entries lie after the step row, so they are stored without the step.
    FSums.InsertEmpty(row + 1, n);
    TRowSums at = base - FStep;
    for (int k = 0; k < n; ++k) {
        at += w;
        FSums[row + 1 + k] = at;
    }
}

void TLineIndex::DeleteRows(int row, int n)
{
    if (row < 0 || row >= Rows() || n <= 0)
        return;
    n = std::min(n, Rows() - row);
    if (row == 0 && n == Rows()) {
        Clear();
        return;
    }
    AddAfter(row, Before(row) - Before(row + n));
    StepTo(row); // the deleted entries must not hold the step row
    FSums.Delete(row + 1, n);
}

void TLineIndex::SetWeight(int row, const TRowSums& w)
{
    if (row < 0 || row >= Rows())
        return;
    AddAfter(row, w - Weight(row));
}

int TLineIndex::RowAtByte(std::int64_t offset) const
{
    // Entry k + 1 is where row k ends.
    const int k = FirstEntry(1, Rows(), [offset](const TRowSums& s) { return s.Bytes > offset; });
    return k - 1;
}

int TLineIndex::FirstRowAfterEnds(int ends) const
{
    return std::min(FirstEntry(0, Rows(), [ends](const TRowSums& s) { return s.Ends >= ends; }), Rows());
}
