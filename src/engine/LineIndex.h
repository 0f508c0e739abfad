#pragma once
// Running totals over the rows of the row store, so that positions in the text come without
// walking the rows: where each row starts in the text, how many line ends lie above it, and
// how many rows above it hold a tab.
//
// Entry k holds the totals of rows 0..k-1, so there are rows + 1 entries. They sit in a gap
// buffer, and a change of one row's weight, which adds to every entry below it, is held back
// as one pending step: the entries after the step row are stored without it. Typing at one
// place therefore only adds to the step; the step is written into the entries between the
// old and the new place when the next change happens elsewhere. Reading an entry is O(1);
// finding a row by offset or by line is a binary search.
//
// Bytes and line ends share one 64-bit word per entry (bytes in the low 34 bits, line ends
// above); the rows with a tab are counted in a 32-bit word per entry kept beside them, so
// the index costs 12 bytes a row. The two kinds of word sit in two gap buffers of the same
// shape, so finding a row by offset or by line reads only the first, and a pending step
// that adds no tab rows leaves the second alone. Sums and differences of the packed words
// are sums and differences of both fields, as long as every real total fits its field:
// texts up to 16 GiB and 2^30 lines, far beyond what the row store can hold.
#include <cstddef>
#include <cstdint>

#include "engine/SplitVector.h"

// Totals of a run of rows: bytes in the text (a line break counts two, the end of a text
// without a final line break one), rows that end a line (all but soft-wrapped rows), and
// rows whose text holds a tab.
struct TRowSums {
    std::int64_t Bytes = 0;
    std::int32_t Ends = 0;
    std::int32_t Tabs = 0;
    friend bool operator==(const TRowSums&, const TRowSums&) = default;
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
        // Room to grow, so the first edits do not move the whole index to a larger block.
        FSums.Reserve(rows + rows / 16 + 64);
        FTabs.Reserve(rows + rows / 16 + 64);
        FTabs.InsertEmpty(1, rows);
        Word total{};
        FSums.AppendEach(rows, [&](std::ptrdiff_t r) {
            total += Pack(weight(static_cast<int>(r)));
            FTabs[r + 1] = total.Tabs;
            return total.Packed;
        });
    }

    // n rows, each of weight w, inserted before row `row`.
    void InsertRows(int row, int n, const TRowSums& w);
    void DeleteRows(int row, int n);
    void SetWeight(int row, const TRowSums& w);
    TRowSums Weight(int row) const { return Unpack(EntryWord(Clamp(row + 1)) - EntryWord(Clamp(row))); }

    // Totals of rows 0..row-1, row clamped to 0..Rows().
    TRowSums Before(int row) const { return Unpack(EntryWord(Clamp(row))); }
    TRowSums Total() const { return Unpack(EntryWord(Rows())); }

    // The row an offset falls in: the first row whose end lies past it (rows without bytes
    // are passed over); Rows() when the offset is at or past the end of the last row.
    int RowAtByte(std::int64_t offset) const;
    // The first row with at least `ends` line ends above it; Rows() when there is none.
    int FirstRowAfterEnds(int ends) const;

private:
    // One entry's totals: bytes and line ends packed in one word, and the rows with a tab.
    // Both wrap around alike, so a step or a difference may be "negative".
    struct Word {
        std::uint64_t Packed = 0;
        std::uint32_t Tabs = 0;

        friend Word operator+(Word a, Word b) { return {a.Packed + b.Packed, a.Tabs + b.Tabs}; }
        friend Word operator-(Word a, Word b) { return {a.Packed - b.Packed, a.Tabs - b.Tabs}; }
        friend Word operator*(Word a, std::uint64_t n) { return {a.Packed * n, static_cast<std::uint32_t>(a.Tabs * n)}; }
        Word& operator+=(Word b) { return *this = *this + b; }
        Word& operator-=(Word b) { return *this = *this - b; }
        bool IsZero() const { return Packed == 0 && Tabs == 0; }
    };
    static constexpr int kEndsShift = 34;
    static constexpr std::uint64_t kBytesMask = (std::uint64_t{1} << kEndsShift) - 1;

    static Word Pack(const TRowSums& s)
    {
        return {static_cast<std::uint64_t>(s.Bytes) +
                    (static_cast<std::uint64_t>(static_cast<std::int64_t>(s.Ends)) << kEndsShift),
                static_cast<std::uint32_t>(s.Tabs)};
    }
    static TRowSums Unpack(Word w)
    {
        return {static_cast<std::int64_t>(w.Packed & kBytesMask), static_cast<std::int32_t>(w.Packed >> kEndsShift),
                static_cast<std::int32_t>(w.Tabs)};
    }
    static std::int64_t BytesOf(std::uint64_t packed) { return static_cast<std::int64_t>(packed & kBytesMask); }
    static std::int64_t EndsOf(std::uint64_t packed) { return static_cast<std::int64_t>(packed >> kEndsShift); }

    int Clamp(int k) const { return k < 0 ? 0 : k > Rows() ? Rows() : k; }
    Word StoredWord(int k) const { return {FSums[k], FTabs[k]}; }
    Word EntryWord(int k) const { return k > FStepRow ? StoredWord(k) + FStep : StoredWord(k); }
    std::uint64_t EntryPacked(int k) const { return k > FStepRow ? FSums[k] + FStep.Packed : FSums[k]; }
    // Adds d to the stored entries lo..hi.
    void AddStored(int lo, int hi, Word d);
    // Moves the pending step to row `row` (entries after it are then stored without it).
    void StepTo(int row);
    // Adds d to every entry after `row`.
    void AddAfter(int row, Word d);
    // The first entry in lo..hi whose packed bytes and ends satisfy pred (false, then true);
    // hi + 1 if none.
    template <class P>
    int FirstEntry(int lo, int hi, P&& pred) const
    {
        while (lo <= hi) {
            int mid = lo + (hi - lo) / 2;
            if (pred(EntryPacked(mid)))
                hi = mid - 1;
            else
                lo = mid + 1;
        }
        return lo;
    }

    SplitVector<std::uint64_t> FSums; // bytes and line ends, packed
    SplitVector<std::uint32_t> FTabs; // rows with a tab, entry for entry beside FSums
    int FStepRow = 0;
    Word FStep{};
};
