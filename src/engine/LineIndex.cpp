#include "engine/LineIndex.h"

#include <algorithm>

void TLineIndex::Clear()
{
    FSums.Clear();
    FSums.InsertEmpty(0, 1);
    FTabs.Clear();
    FTabs.InsertEmpty(0, 1);
    FStepRow = 0;
    FStep = {};
}

void TLineIndex::StepTo(int row)
{
    if (FStep.IsZero()) {
        FStepRow = row;
        return;
    }
    const int n = Rows();
    const int distance = row > FStepRow ? row - FStepRow : FStepRow - row;
    if (n - FStepRow <= distance) {
        // Writing the step into every entry after it is no more work than moving it.
        AddStored(FStepRow + 1, n, FStep);
        FStep = {};
    } else if (row > FStepRow) {
        AddStored(FStepRow + 1, row, FStep);
    } else {
        AddStored(row + 1, FStepRow, Word{} - FStep);
    }
    FStepRow = row;
}

void TLineIndex::AddStored(int lo, int hi, Word d)
{
    if (d.Packed != 0)
        for (int k = lo; k <= hi; ++k)
            FSums[k] += d.Packed;
    if (d.Tabs != 0)
        for (int k = lo; k <= hi; ++k)
            FTabs[k] += d.Tabs;
}

void TLineIndex::AddAfter(int row, Word d)
{
    if (d.IsZero())
        return;
    StepTo(row);
    FStep += d;
}

void TLineIndex::InsertRows(int row, int n, const TRowSums& w)
{
    if (n <= 0 || row < 0 || row > Rows())
        return;
    StepTo(row);
    const Word weight = Pack(w);
    const Word base = StoredWord(row);
    FStep += weight * static_cast<std::uint64_t>(n);
    // The new entries lie after the step row, so they are stored without the step.
    FSums.InsertEmpty(row + 1, n);
    FTabs.InsertEmpty(row + 1, n);
    Word at = base - FStep;
    for (int k = 0; k < n; ++k) {
        at += weight;
        FSums[row + 1 + k] = at.Packed;
        FTabs[row + 1 + k] = at.Tabs;
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
    AddAfter(row, EntryWord(row) - EntryWord(row + n));
    StepTo(row); // the deleted entries must not hold the step row
    FSums.Delete(row + 1, n);
    FTabs.Delete(row + 1, n);
}

void TLineIndex::SetWeight(int row, const TRowSums& w)
{
    if (row < 0 || row >= Rows())
        return;
    AddAfter(row, Pack(w) - (EntryWord(row + 1) - EntryWord(row)));
}

int TLineIndex::RowAtByte(std::int64_t offset) const
{
    // Entry k + 1 is where row k ends.
    return FirstEntry(1, Rows(), [offset](std::uint64_t s) { return BytesOf(s) > offset; }) - 1;
}

int TLineIndex::FirstRowAfterEnds(int ends) const
{
    return std::min(FirstEntry(0, Rows(), [ends](std::uint64_t s) { return EndsOf(s) >= ends; }), Rows());
}
