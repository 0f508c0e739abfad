#pragma once
// Row lists: strings with two packed attribute words per row.
//
// Row texts live in shared, reference-counted chunks: a loaded file is one chunk and its rows
// point into it until they are edited; the rows that one replacement produces share the chunk
// of the new text. So loading and re-wrapping copy no text, and a row costs 24 bytes beside
// its text.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/LineIndex.h"
#include "engine/RowAttributes.h"
#include "engine/SplitVector.h"

class TTextChunk {
public:
    // A chunk holding a copy of text (nullptr for empty text).
    static TTextChunk* Make(std::string_view text);
    // A chunk of `size` bytes for the caller to fill; its reference count is 1.
    static TTextChunk* Allocate(std::size_t size);
    static void AddRef(TTextChunk* c)
    {
        if (c)
            ++c->FRefs;
    }
    static void Release(TTextChunk* c);
    char* Data() { return reinterpret_cast<char*>(this + 1); }
    const char* Data() const { return reinterpret_cast<const char*>(this + 1); }
    std::size_t Size() const { return FSize; }
    // Whether any byte of the chunk is a tab. A chunk is not written once rows show it, so
    // this is looked up once, on first asking.
    bool HasTab() const;
    // For a caller that has just looked through the bytes rows show of the chunk.
    void SetHasTab(bool v) { FTabs = v ? 1 : 0; }

private:
    std::size_t FRefs;
    std::size_t FSize;
    mutable std::int8_t FTabs; // -1 until looked up
};

struct TRowData {
    TTextChunk* Chunk;
    std::uint32_t Offset;
    std::uint32_t Length;
    std::uint32_t A; // row end, and the first three values of the parse state
    std::uint32_t B; // the last two values of the parse state, and the row marks
};

// The list of strings with two attribute words per item. (An untyped per-item pointer that
// nothing in the editor uses is not kept.)
class TPointerStringList {
public:
    TPointerStringList() = default;
    TPointerStringList(const TPointerStringList&) = delete;
    TPointerStringList& operator=(const TPointerStringList&) = delete;
    virtual ~TPointerStringList();

    int Count() const { return static_cast<int>(FRows.Length()); }
    // The row's text; the view stays valid until the row is changed or deleted.
    std::string_view Get(int i) const;
    int RowLength(int i) const;
    void Put(int i, std::string_view s);
    // Appends s with both words 0; returns its index.
    virtual int Add(std::string_view s);
    // Inserts s before row i with both words 0.
    virtual void Insert(int i, std::string_view s);
    virtual void Delete(int i);
    virtual void Clear();

    std::uint32_t WordA(int i) const { return InRange(i) ? FRows[i].A : 0; }
    std::uint32_t WordB(int i) const { return InRange(i) ? FRows[i].B : 0; }
    void SetWordA(int i, std::uint32_t v)
    {
        if (!InRange(i))
            return;
        const bool endChanged = ((FRows[i].A ^ v) & kRowEndBits) != 0;
        FRows[i].A = v;
        if (endChanged)
            Reweigh(i);
    }
    void SetWordB(int i, std::uint32_t v)
    {
        if (InRange(i))
            FRows[i].B = v;
    }

    // Bulk operations the row store is built on.
    // Inserts n empty rows (both words 0) before row i.
    void InsertEmpty(int i, int n);
    // Deletes n rows from row i on.
    void DeleteRange(int i, int n);
    // Makes row i show `length` bytes at `offset` of chunk (taking a reference), words kept.
    void SetSpan(int i, TTextChunk* chunk, std::size_t offset, std::size_t length);
    // The chunk a row's text lives in and its place there (nullptr for an empty row).
    const TRowData& Data(int i) const { return FRows[i]; }
    // Appends a row showing `length` bytes at `offset` of chunk (taking a reference), with
    // word A set to `wordA` and word B 0.
    void AppendSpan(TTextChunk* chunk, std::size_t offset, std::size_t length, std::uint32_t wordA)
    {
        if (length == 0)
            chunk = nullptr;
        TTextChunk::AddRef(chunk);
        const TRowData row{chunk, chunk ? static_cast<std::uint32_t>(offset) : 0u,
                           static_cast<std::uint32_t>(length), wordA, 0};
        FRows.Insert(FRows.Length(), row);
        Touch();
        if (FIndex && !FIndexStale)
            FIndex->InsertRows(Count() - 1, 1, WeightOf(row));
    }
    // Moves rows src..src+n-1 of `from` over rows dst..dst+n-1 of this list (text and words);
    // the source rows are left empty.
    void TakeRows(int dst, TPointerStringList& from, int src, int n);
    void Reserve(int n) { FRows.Reserve(n); }
    void Swap(TPointerStringList& other) noexcept
    {
        FRows.Swap(other.FRows);
        ++FVersion;
        ++other.FVersion;
        FIndexStale = true;
        other.FIndexStale = true;
    }

    bool InRange(int i) const { return i >= 0 && i < Count(); }

    // Rises whenever rows come, go, change text or change how they end, so a caller can tell
    // whether something it derived from the rows is still good.
    std::uint64_t Version() const { return FVersion; }

    // How many of rows [first, end) hold a tab in their text; O(1) once the index is there.
    int TabRows(int first, int end) const;

    // What a row adds to the running totals of the index.
    static TRowSums WeightOf(const TRowData& row);

protected:
    void Touch() { ++FVersion; }
    // Clears in rows [first, end) every bit of the two words outside keepA and keepB; the
    // bits that say how a row ends are always kept, so the index is not touched.
    void KeepWordBits(int first, int end, std::uint32_t keepA, std::uint32_t keepB);
    // Running totals over the rows. Made on first use (the row store's queries use it;
    // scratch lists, filled and dropped at once, never pay for one), rebuilt on first use
    // after the rows were swapped in as a whole, and kept up to date by every change.
    const TLineIndex& Index() const;

private:
    static constexpr std::uint32_t kRowEndBits = 0x3;
    void Reweigh(int i)
    {
        if (FIndex && !FIndexStale)
            FIndex->SetWeight(i, WeightOf(FRows[i]));
    }

    SplitVector<TRowData> FRows;
    std::uint64_t FVersion = 0;
    mutable std::unique_ptr<TLineIndex> FIndex;
    mutable bool FIndexStale = true;
};

// Typed access to the fields packed in the two attribute words.
class TRowAttributeStringList : public TPointerStringList {
public:
    TRowEnd RowEnd(int i) const;
    // Also clears the unused bits 20-31 of word A.
    void SetRowEnd(int i, TRowEnd v);
    int OpenBracket(int i) const;
    void SetOpenBracket(int i, int v);
    int AuxIndex(int i) const;
    void SetAuxIndex(int i, int v);
    int CarryBytes(int i) const;
    void SetCarryBytes(int i, int v);
    int CarryToken(int i) const;
    void SetCarryToken(int i, int v);
    int AuxFlags(int i) const;
    void SetAuxFlags(int i, int v);
    std::uint16_t RowMarks(int i) const;
    void SetRowMarks(int i, std::uint16_t v);

    TRowParseState ParseState(int i) const;
    void SetParseState(int i, const TRowParseState& s);
    // Back to "not computed" (-2, 0, 0, 0, 0), marks and row end kept.
    void ResetParseState(int i);
    // The same for rows [first, end).
    void ResetParseStates(int first, int end);

    // The text of rows [first, end) as the rows hold it: each row followed by CR LF where it
    // ends in a line break. TextBytes is its length, AppendText adds it to `out`.
    std::size_t TextBytes(int first, int end) const;
    void AppendText(int first, int end, std::string& out) const;
};

// A scratch row list: the rows that wrapping a piece of text makes, the rows of a selection.
class TEditorStringList : public TRowAttributeStringList {
};
