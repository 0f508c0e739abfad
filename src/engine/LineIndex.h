#pragma once
// Running totals over the rows of the row store, so that positions in the text come without
// walking the rows: where each row starts in the text, how many line breaks and how many
// line ends lie above it.
//
// Entry k holds the totals of rows 0..k-1, so there are rows + 1 entries. They sit in a gap
// buffer, and a change of one row's weight, which adds to every entry below it, is held back
// as one pending step: the entries after the step row are stored without it. Typing at one
// place therefore only adds to the step; the step is written into the entries between the
// old and the new place when the next change happens elsewhere. Reading an entry is O(1);
// finding a row by offset or by line is a binary search.
#include <cstddef>
#include <cstdint>

#include "engine/SplitVector.h"

// Totals of a run of rows: bytes in the text (a line break counts two, the end of a text
// without a final line break one), rows that end with a line break, rows that end a line.
struct TRowSums {
    std::int64_t Bytes = 0;
    std::int32_t Breaks = 0;
    std::int32_t Ends = 0;

    TRowSums& operator+=(const TRowSums& o)
    {
        Bytes += o.Bytes;
        Breaks += o.Breaks;
        Ends += o.Ends;
        return *this;
    }
    TRowSums& operator-=(const TRowSums& o)
    {
        Bytes -= o.Bytes;
        Breaks -= o.Breaks;
        Ends -= o.Ends;
        return *this;
    }
    friend TRowSums operator+(TRowSums a, const TRowSums& b) { return a += b; }
    friend TRowSums operator-(TRowSums a, const TRowSums& b) { return a -= b; }
    friend bool operator==(const TRowSums&, const TRowSums&) = default;
    bool Zero() const { return Bytes == 0 && Breaks == 0 && Ends == 0; }
};

class TLineIndex {
public:
    TLineIndex() { Clear(); }
    TLineIndex(const TLineIndex&) = delete;
    TLineIndex& operator=(const TLineIndex&) = delete;

    int Rows() const { return static_cast<int>(FSums.Length()) - 1; }

    void Clear();
    // Rebuilds the whole index from the weights of `rows` rows; weight(r) gives row r's.
    template <class F>
    void Build(int rows, F&& weight)
    {
        Clear();
        FSums.InsertEmpty(1, rows);
        TRowSums total;
        for (int r = 0; r < rows; ++r) {
            total += weight(r);
            FSums[r + 1] = total;
        }
    }

    // n rows, each of weight w, inserted before row `row`.
    void InsertRows(int row, int n, const TRowSums& w);
    void DeleteRows(int row, int n);
    void SetWeight(int row, const TRowSums& w);
    TRowSums Weight(int row) const { return Before(row + 1) - Before(row); }

    // Totals of rows 0..row-1, row clamped to 0..Rows().
    TRowSums Before(int row) const
    {
        if (row <= 0)
            return {};
        if (row > Rows())
            row = Rows();
        return Entry(row);
    }
    TRowSums Total() const { return Entry(Rows()); }

    // The row an offset falls in: the first row whose end lies past it (rows without bytes
    // are passed over); Rows() when the offset is at or past the end of the last row.
    int RowAtByte(std::int64_t offset) const;
    // The first row with at least `ends` line ends above it; Rows() when there is none.
    int FirstRowAfterEnds(int ends) const;

private:
    TRowSums Entry(int k) const
    {
        TRowSums s = FSums[k];
        if (k > FStepRow)
            s += FStep;
        return s;
    }
    // Moves the pending step to row `row` (entries after it are then stored without it).
    void StepTo(int row);
    // Adds d to every entry after `row`.
    void AddAfter(int row, const TRowSums& d);
    // The first entry in lo..hi for which pred holds (pred false, then true); hi + 1 if none.
    template <class P>
    int FirstEntry(int lo, int hi, P&& pred) const
    {
        while (lo <= hi) {
            int mid = lo + (hi - lo) / 2;
            if (pred(Entry(mid)))
                hi = mid - 1;
            else
                lo = mid + 1;
        }
        return lo;
    }

    SplitVector<TRowSums> FSums;
    int FStepRow = 0;
    TRowSums FStep;
};
