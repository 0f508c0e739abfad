#include "engine/RowList.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "engine/LargeMemory.h"

TTextChunk* TTextChunk::Allocate(std::size_t size)
{
    void* p = std::malloc(sizeof(TTextChunk) + size);
    if (!p)
        throw std::bad_alloc();
    PrefaultLargeBlock(p, sizeof(TTextChunk) + size);
    auto* c = static_cast<TTextChunk*>(p);
    c->FRefs = 1;
    c->FSize = size;
    c->FTabs = -1;
    return c;
}

bool TTextChunk::HasTab() const
{
    if (FTabs < 0)
        FTabs = std::memchr(Data(), '\t', FSize) != nullptr ? 1 : 0;
    return FTabs == 1;
}

TTextChunk* TTextChunk::Make(std::string_view text)
{
    if (text.empty())
        return nullptr;
    TTextChunk* c = Allocate(text.size());
    std::memcpy(c->Data(), text.data(), text.size());
    return c;
}

void TTextChunk::Release(TTextChunk* c)
{
    if (c && --c->FRefs == 0)
        std::free(c);
}

TPointerStringList::~TPointerStringList()
{
    TPointerStringList::Clear();
}

std::string_view TPointerStringList::Get(int i) const
{
    if (!InRange(i))
        return {};
    const TRowData& r = FRows[i];
    if (!r.Chunk)
        return {};
    return {r.Chunk->Data() + r.Offset, r.Length};
}

int TPointerStringList::RowLength(int i) const
{
    return InRange(i) ? static_cast<int>(FRows[i].Length) : 0;
}

void TPointerStringList::Put(int i, std::string_view s)
{
    if (!InRange(i))
        return;
    Touch();
    TTextChunk* c = TTextChunk::Make(s); // before releasing: s may point into the old text
    TRowData& r = FRows[i];
    TTextChunk::Release(r.Chunk);
    r.Chunk = c;
    r.Offset = 0;
    r.Length = static_cast<std::uint32_t>(s.size());
    Reweigh(i);
}

int TPointerStringList::Add(std::string_view s)
{
    int i = Count();
    TPointerStringList::Insert(i, s);
    return i;
}

void TPointerStringList::Insert(int i, std::string_view s)
{
    if (i < 0 || i > Count())
        return;
    Touch();
    TTextChunk* c = TTextChunk::Make(s);
    const TRowData row{c, 0, static_cast<std::uint32_t>(s.size()), 0, 0};
    FRows.Insert(i, row);
    if (FIndex && !FIndexStale)
        FIndex->InsertRows(i, 1, WeightOf(row));
}

void TPointerStringList::Delete(int i)
{
    DeleteRange(i, 1);
}

void TPointerStringList::Clear()
{
    DeleteRange(0, Count());
}

void TPointerStringList::InsertEmpty(int i, int n)
{
    if (i < 0 || i > Count() || n <= 0)
        return;
    Touch();
    FRows.InsertEmpty(i, n);
    if (FIndex && !FIndexStale)
        FIndex->InsertRows(i, n, WeightOf(TRowData{}));
}

void TPointerStringList::DeleteRange(int i, int n)
{
    if (i < 0 || n <= 0 || i >= Count())
        return;
    Touch();
    if (n > Count() - i)
        n = Count() - i;
    for (int k = i; k < i + n; ++k)
        TTextChunk::Release(FRows[k].Chunk);
    FRows.Delete(i, n);
    if (FIndex) {
        if (FRows.Empty()) {
            FIndex->Clear();
            FIndexStale = false;
        } else if (!FIndexStale) {
            FIndex->DeleteRows(i, n);
        }
    }
}

void TPointerStringList::SetSpan(int i, TTextChunk* chunk, std::size_t offset, std::size_t length)
{
    if (!InRange(i))
        return;
    Touch();
    TRowData& r = FRows[i];
    if (length == 0)
        chunk = nullptr;
    TTextChunk::AddRef(chunk);
    TTextChunk::Release(r.Chunk);
    r.Chunk = chunk;
    r.Offset = chunk ? static_cast<std::uint32_t>(offset) : 0;
    r.Length = static_cast<std::uint32_t>(length);
    Reweigh(i);
}

void TPointerStringList::TakeRows(int dst, TPointerStringList& from, int src, int n)
{
    Touch();
    // Moving many rows at once is the same as swapping a new text in: rebuild on first use.
    if (n > 4096 && n > Count() / 8)
        FIndexStale = true;
    for (int k = 0; k < n; ++k) {
        TRowData& d = FRows[dst + k];
        TRowData& s = from.FRows[src + k];
        TTextChunk::Release(d.Chunk);
        d = s;
        s = TRowData{};
        Reweigh(dst + k);
        from.Reweigh(src + k);
    }
}

TRowSums TPointerStringList::WeightOf(const TRowData& row)
{
    const std::int64_t len = row.Length;
    // Most rows of a text as it was read lie in a chunk without a tab, and are not looked at.
    const std::int32_t tab = row.Chunk != nullptr && row.Length > 0 && row.Chunk->HasTab() &&
                                     std::memchr(row.Chunk->Data() + row.Offset, '\t', row.Length) != nullptr
                                 ? 1
                                 : 0;
    switch (static_cast<TRowEnd>(row.A & kRowEndBits)) {
    case reBreak:
        return {len + 2, 1, tab};
    case reWrapped:
        return {len, 0, tab};
    case reEof:
        return {len + 1, 1, tab};
    default: // a row that says it is none takes no room in the text, but ends its line
        return {0, 1, tab};
    }
}

int TPointerStringList::TabRows(int first, int end) const
{
    first = std::max(first, 0);
    end = std::min(end, Count());
    if (first >= end)
        return 0;
    const TLineIndex& index = Index();
    return index.Before(end).Tabs - index.Before(first).Tabs;
}

const TLineIndex& TPointerStringList::Index() const
{
    if (!FIndex)
        FIndex = std::make_unique<TLineIndex>();
    if (FIndexStale) {
        FIndex->Build(Count(), [this](int r) { return WeightOf(FRows[r]); });
        FIndexStale = false;
    }
    return *FIndex;
}

// Word A: bits 0-3 row end, 4-7 open bracket + 2, 8-11 aux index, 12-19 carry bytes.
// Word B: bits 0-7 carry token, 8-15 aux flags, 16-31 row marks.
namespace {
inline std::uint32_t Field(std::uint32_t w, int shift, std::uint32_t mask)
{
    return (w >> shift) & mask;
}
inline std::uint32_t WithField(std::uint32_t w, int shift, std::uint32_t mask, std::uint32_t v)
{
    return (w & ~(mask << shift)) | ((v & mask) << shift);
}
} // namespace

TRowEnd TRowAttributeStringList::RowEnd(int i) const
{
    if (!InRange(i))
        return reNone;
    return static_cast<TRowEnd>(Field(WordA(i), 0, 0xF) & 3);
}

void TRowAttributeStringList::SetRowEnd(int i, TRowEnd v)
{
    Touch();
    SetWordA(i, WithField(WordA(i), 0, 0xF, v) & 0x000FFFFFu);
}

int TRowAttributeStringList::OpenBracket(int i) const
{
    return static_cast<int>(Field(WordA(i), 4, 0xF)) - 2;
}

void TRowAttributeStringList::SetOpenBracket(int i, int v)
{
    SetWordA(i, WithField(WordA(i), 4, 0xF, static_cast<std::uint32_t>(v + 2)));
}

int TRowAttributeStringList::AuxIndex(int i) const
{
    return static_cast<int>(Field(WordA(i), 8, 0xF));
}

void TRowAttributeStringList::SetAuxIndex(int i, int v)
{
    SetWordA(i, WithField(WordA(i), 8, 0xF, static_cast<std::uint32_t>(v)));
}

int TRowAttributeStringList::CarryBytes(int i) const
{
    return static_cast<int>(Field(WordA(i), 12, 0xFF));
}

void TRowAttributeStringList::SetCarryBytes(int i, int v)
{
    SetWordA(i, WithField(WordA(i), 12, 0xFF, static_cast<std::uint32_t>(v)));
}

int TRowAttributeStringList::CarryToken(int i) const
{
    return static_cast<int>(Field(WordB(i), 0, 0xFF));
}

void TRowAttributeStringList::SetCarryToken(int i, int v)
{
    SetWordB(i, WithField(WordB(i), 0, 0xFF, static_cast<std::uint32_t>(v)));
}

int TRowAttributeStringList::AuxFlags(int i) const
{
    return static_cast<int>(Field(WordB(i), 8, 0xFF));
}

void TRowAttributeStringList::SetAuxFlags(int i, int v)
{
    SetWordB(i, WithField(WordB(i), 8, 0xFF, static_cast<std::uint32_t>(v)));
}

std::uint16_t TRowAttributeStringList::RowMarks(int i) const
{
    return static_cast<std::uint16_t>(Field(WordB(i), 16, 0xFFFF));
}

void TRowAttributeStringList::SetRowMarks(int i, std::uint16_t v)
{
    SetWordB(i, WithField(WordB(i), 16, 0xFFFF, v));
}

TRowParseState TRowAttributeStringList::ParseState(int i) const
{
    std::uint32_t a = WordA(i), b = WordB(i);
    return TRowParseState{static_cast<int>(Field(a, 4, 0xF)) - 2, static_cast<int>(Field(a, 8, 0xF)),
                          static_cast<int>(Field(a, 12, 0xFF)), static_cast<int>(Field(b, 0, 0xFF)),
                          static_cast<int>(Field(b, 8, 0xFF))};
}

void TRowAttributeStringList::SetParseState(int i, const TRowParseState& s)
{
    if (!InRange(i))
        return;
    std::uint32_t a = WordA(i), b = WordB(i);
    a = WithField(a, 4, 0xF, static_cast<std::uint32_t>(s.OpenBracket + 2));
    a = WithField(a, 8, 0xF, static_cast<std::uint32_t>(s.AuxIndex));
    a = WithField(a, 12, 0xFF, static_cast<std::uint32_t>(s.CarryBytes));
    b = WithField(b, 0, 0xFF, static_cast<std::uint32_t>(s.CarryToken));
    b = WithField(b, 8, 0xFF, static_cast<std::uint32_t>(s.AuxFlags));
    SetWordA(i, a);
    SetWordB(i, b);
}

namespace {
// Stored value 0 in every parse-state field is the reset state (-2, 0, 0, 0, 0): what is
// left of the words is the row end and the marks.
constexpr std::uint32_t kNoStateA = 0x0000000Fu;
constexpr std::uint32_t kNoStateB = 0xFFFF0000u;
} // namespace

void TRowAttributeStringList::ResetParseState(int i)
{
    SetWordA(i, WordA(i) & kNoStateA);
    SetWordB(i, WordB(i) & kNoStateB);
}

void TRowAttributeStringList::ResetParseStates(int first, int end)
{
    KeepWordBits(first, end, kNoStateA, kNoStateB);
}

void TPointerStringList::KeepWordBits(int first, int end, std::uint32_t keepA, std::uint32_t keepB)
{
    first = std::max(first, 0);
    end = std::min(end, Count());
    keepA |= kRowEndBits;
    for (int i = first; i < end; ++i) {
        TRowData& row = FRows[i];
        row.A &= keepA;
        row.B &= keepB;
    }
}

std::size_t TRowAttributeStringList::TextBytes(int first, int end) const
{
    std::size_t total = 0;
    for (int r = std::max(first, 0); r < end && r < Count(); ++r)
        total += static_cast<std::size_t>(RowLength(r)) + (RowEnd(r) == reBreak ? 2 : 0);
    return total;
}

void TRowAttributeStringList::AppendText(int first, int end, std::string& out) const
{
    for (int r = std::max(first, 0); r < end && r < Count(); ++r) {
        out.append(Get(r));
        if (RowEnd(r) == reBreak)
            out.append("\r\n", 2);
    }
}
