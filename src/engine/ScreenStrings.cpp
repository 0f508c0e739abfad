#include "engine/ScreenStrings.h"

#include <algorithm>
#include <cstring>

#include "engine/FileLoad.h"

namespace {

// Leaves an update block on every path.
struct UpdateGuard {
    TEditorScreenStrings& s;
    explicit UpdateGuard(TEditorScreenStrings& store) : s(store) { s.BeginUpdate(); }
    ~UpdateGuard() { s.EndUpdate(); }
    UpdateGuard(const UpdateGuard&) = delete;
    UpdateGuard& operator=(const UpdateGuard&) = delete;
};

} // namespace

TEditorScreenStrings::TEditorScreenStrings()
    : FUndo(std::make_unique<TEditorUndoObj>(*this)), FWrapOption(std::make_unique<TEditorWrapOption>())
{
    FWrapOption->OnChange = [this](TObject* sender) { WrapOptionChanged(sender); };
}

TEditorScreenStrings::~TEditorScreenStrings()
{
    FWrapOption->OnChange = nullptr;
}

void TEditorScreenStrings::Attach(TRowStoreClient* client)
{
    if (!client || std::find(FClients.begin(), FClients.end(), client) != FClients.end())
        return;
    FClients.push_back(client);
    if (FClients.size() == 1)
        FSettings = client->StoreSettings();
}

void TEditorScreenStrings::Detach(TRowStoreClient* client)
{
    const bool wasOwner = Owner() == client;
    FClients.erase(std::remove(FClients.begin(), FClients.end(), client), FClients.end());
    if (FActing == client)
        FActing = nullptr;
    if (!wasOwner || FClients.empty())
        return;
    // The next client owns the rows now, and its settings are in force.
    const TRowStoreSettings next = FClients.front()->StoreSettings();
    const bool newHook = next.RowStateHook != FSettings.RowStateHook;
    const bool rebuilt = FWordWrap && next.TabSpaceCount != FSettings.TabSpaceCount;
    SetSettings(next);
    if (newHook && !rebuilt) // a rebuild parses the rows afresh anyway
        InitRowStates();
}

void TEditorScreenStrings::SetSettings(const TRowStoreSettings& settings)
{
    const bool tabs = settings.TabSpaceCount != FSettings.TabSpaceCount;
    FSettings = settings;
    if (tabs)
        TabSpaceCountChanged();
}

TRowStoreClient* TEditorScreenStrings::ActiveClient() const
{
    if (FActing)
        return FActing;
    for (TRowStoreClient* c : FClients)
        if (c->HasFocus())
            return c;
    return Owner();
}

TWrapContext TEditorScreenStrings::WrapContext() const
{
    TWrapContext cx;
    cx.Wrapping = FWordWrap;
    cx.WrapByte = FWrapOption->WrapByte();
    cx.Option = FWrapOption.get();
    cx.TabSpaceCount = FSettings.TabSpaceCount;
    cx.Delimiters = FSettings.Delimiters ? FSettings.Delimiters : &WordDelimiters();
    return cx;
}

// ---- update blocks and change notification

void TEditorScreenStrings::BeginUpdate()
{
    ++FUpdateCount;
}

void TEditorScreenStrings::EndUpdate()
{
    if (FUpdateCount == 0 || --FUpdateCount > 0)
        return;
    // A handler may start a new change; it gets a fresh record.
    TLastChange change = FLastChange;
    bool all = FRepaintAll;
    FLastChange = {};
    FRepaintAll = false;
    std::vector<TRowStoreClient*> clients = FClients;
    for (TRowStoreClient* c : clients)
        c->RowsChanged(change, all);
    PullCaretsIntoRange();
}

void TEditorScreenStrings::RecordChange(int start, int oldCount, int parsed, int newCount)
{
    if (!FLastChange.Changed) {
        FLastChange = {start, oldCount, parsed, newCount, true};
        return;
    }
    // Several replacements in one block: one record covering all of them, down to the end,
    // that keeps how many rows the block added or removed, so the rows that the text no
    // longer reaches are repainted too.
    int s = std::min(FLastChange.StartRow, start);
    int rest = std::max(Count() - s, 0);
    int grown = (FLastChange.NewCount - FLastChange.OldCount) + (newCount - oldCount);
    FLastChange = {s, std::max(rest - grown, 0), FLastChange.ParsedCount + parsed, rest, true};
}

void TEditorScreenStrings::PullCaretsIntoRange()
{
    for (TRowStoreClient* c : FClients)
        c->PullIntoRows();
}

// ---- whole-list operations

void TEditorScreenStrings::Clear()
{
    UpdateGuard update(*this);
    for (TRowStoreClient* c : FClients)
        c->DropSelection();
    FUndo->ClearHistory();
    TRowAttributeStringList::Clear();
    FLastChange = {};
    FUsedMarks = 0;
    FRepaintAll = true;
    for (TRowStoreClient* c : FClients)
        c->ResetCaret();
}

void TEditorScreenStrings::AdoptRows(TPointerStringList& rows)
{
    TRowAttributeStringList::Clear();
    Swap(rows);
}

void TEditorScreenStrings::SetTextStr(std::string_view s)
{
    UpdateGuard update(*this);
    Clear();
    TEditorStringList rows;
    TTextChunk* chunk = TTextChunk::Make(s);
    ForEachLine(s, false, [&](std::string_view line, std::size_t offset) {
        int r = rows.Count();
        rows.InsertEmpty(r, 1);
        rows.SetSpan(r, chunk, offset, line.size());
    });
    TTextChunk::Release(chunk);
    if (!s.empty() && s.back() != '\r' && s.back() != '\n')
        rows.SetRowEnd(rows.Count() - 1, reEof);
    AdoptRows(rows);
    if (FWordWrap)
        WrapAll();
    InitRowStates();
}

void TEditorScreenStrings::LoadFromFile(const std::string& fileName, bool nulAsBlank,
                                        const std::function<void(const TFileShape&)>& fit)
{
    // Read into a list of our own first, so a failure leaves the text as it was.
    // A wrapped text is broken into rows while it is split into lines.
    TEditorStringList rows;
    TWrapContext cx;
    ReadTextFile(fileName, rows, nulAsBlank, [&](const TFileShape& shape) -> const TWrapContext* {
        if (fit)
            fit(shape);
        if (!FWordWrap)
            return nullptr;
        cx = WrapContext();
        cx.Wrapping = true;
        return &cx;
    });
    UpdateGuard update(*this);
    Clear();
    AdoptRows(rows);
    InitRowStates();
}

// ---- lines and text

namespace {
// Lines span a row or a few; a line that runs over more rows than this is looked up in the
// index instead of walked.
constexpr int kShortWalk = 32;
} // namespace

int TEditorScreenStrings::FirstRowOfLine(int row) const
{
    row = std::clamp(row, 0, Count());
    for (int k = 0; k < kShortWalk; ++k) {
        if (row == 0 || RowEnd(row - 1) != reWrapped)
            return row;
        --row;
    }
    // The row after the last line end above it.
    return LineStartRow(Index().Before(row).Ends);
}

int TEditorScreenStrings::LastRowOfLine(int row) const
{
    if (row < 0)
        return row;
    const int last = Count() - 1;
    for (int k = 0; k < kShortWalk; ++k) {
        if (row >= last || RowEnd(row) != reWrapped)
            return row;
        ++row;
    }
    // The row before the first row of the next line.
    return std::min(LineStartRow(Index().Before(row).Ends + 1) - 1, last);
}

TRowByte TEditorScreenStrings::RowAtOffset(std::int64_t offset) const
{
    const TLineIndex& index = Index();
    offset = std::max<std::int64_t>(offset, 0);
    const int n = Count();
    const int r = index.RowAtByte(offset);
    if (r >= n) {
        if (n > 0 && RowEnd(n - 1) == reEof)
            return {n - 1, RowLength(n - 1)};
        return {n, offset - index.Total().Bytes};
    }
    return {r, std::min<std::int64_t>(offset - index.Before(r).Bytes, RowLength(r))};
}

int TEditorScreenStrings::BreaksBefore(int row) const
{
    const int n = Count();
    const int ends = Index().Before(row).Ends;
    return row >= n && n > 0 && RowEnd(n - 1) != reBreak && RowEnd(n - 1) != reWrapped ? ends - 1 : ends;
}

int TEditorScreenStrings::LineCount() const
{
    const int n = Count();
    if (n == 0)
        return 0;
    return Index().Total().Ends + (RowEnd(n - 1) == reWrapped ? 1 : 0);
}

int TEditorScreenStrings::LineStartRow(int line) const
{
    if (line <= 0)
        return 0;
    return Index().FirstRowAfterEnds(line);
}

std::int64_t TEditorScreenStrings::RowByteLength(int i) const
{
    std::int64_t len = RowLength(i);
    switch (RowEnd(i)) {
    case reBreak:
        return len + 2;
    case reEof:
        return len + 1;
    case reWrapped:
        return len;
    default:
        return 0;
    }
}

namespace {

std::string JoinRows(const TRowAttributeStringList& rows, int first, int count)
{
    std::string out;
    out.reserve(rows.TextBytes(first, first + count));
    rows.AppendText(first, first + count, out);
    return out;
}

} // namespace

std::string TEditorScreenStrings::LineText(int first, int count, int* taken, TRowEnd* lastEnd) const
{
    if (taken)
        *taken = 0;
    if (lastEnd)
        *lastEnd = reNone;
    if (first < 0 || first >= Count())
        return {};
    if (count < 0)
        count = LastRowOfLine(first) - first + 1;
    count = std::min(count, Count() - first);
    if (count <= 0)
        return {};
    if (taken)
        *taken = count;
    if (lastEnd)
        *lastEnd = RowEnd(first + count - 1);
    return JoinRows(*this, first, count);
}

std::string TEditorScreenStrings::RowsText(const TRowAttributeStringList& rows)
{
    return JoinRows(rows, 0, rows.Count());
}

// ---- wrapping

void TEditorScreenStrings::WrapLine(std::string_view text, TEditorStringList& out) const
{
    out.Clear();
    TWrapContext cx = WrapContext();
    TTextChunk* chunk = TTextChunk::Make(text);
    std::vector<TRowPiece> pieces;
    std::string kinds;
    ForEachLine(text, true, [&](std::string_view line, std::size_t offset) {
        pieces.clear();
        BreakLine(line, cx, pieces, kinds);
        int r = out.Count();
        out.InsertEmpty(r, static_cast<int>(pieces.size()));
        for (const TRowPiece& p : pieces) {
            out.SetSpan(r, chunk, offset + p.Offset, p.Length);
            out.SetRowEnd(r, p.End);
            ++r;
        }
    });
    TTextChunk::Release(chunk);
}

int TEditorScreenStrings::CountWrapRows(std::string_view line) const
{
    std::string kinds;
    return ::CountWrapRows(line, WrapContext(), kinds);
}

namespace {

// The text of rows a..b as one span when they lie side by side in one chunk (rows of a line
// that was loaded or replaced as a whole), so joining them copies nothing.
bool ContiguousSpan(const TRowAttributeStringList& rows, int a, int b, TTextChunk*& chunk, std::size_t& offset,
                    std::size_t& length)
{
    chunk = nullptr;
    offset = 0;
    length = 0;
    for (int r = a; r <= b; ++r) {
        const TRowData& d = rows.Data(r);
        if (d.Length == 0)
            continue;
        if (!chunk) {
            chunk = d.Chunk;
            offset = d.Offset;
            length = d.Length;
        } else if (d.Chunk == chunk && d.Offset == offset + length) {
            length += d.Length;
        } else {
            return false;
        }
    }
    return true;
}

// Calls f(chunk, offset, line) for the logical line of rows a..b, joining the rows into a new
// chunk only when they do not lie side by side already.
template <class F>
void WithLineText(const TRowAttributeStringList& rows, int a, int b, F&& f)
{
    TTextChunk* chunk;
    std::size_t offset, length;
    if (ContiguousSpan(rows, a, b, chunk, offset, length)) {
        f(chunk, offset, std::string_view(chunk ? chunk->Data() + offset : nullptr, length));
        return;
    }
    std::string joined;
    for (int r = a; r <= b; ++r)
        joined.append(rows.Get(r));
    TTextChunk* own = TTextChunk::Make(joined);
    f(own, 0, std::string_view(own->Data(), joined.size()));
    TTextChunk::Release(own);
}

} // namespace

void TEditorScreenStrings::WrapAll()
{
    if (Count() == 0)
        return;
    UpdateGuard update(*this);
    for (TRowStoreClient* c : FClients)
        c->DropSelection();
    TWrapContext cx = WrapContext();
    cx.Wrapping = true;
    const TRowEnd lastEnd = RowEnd(Count() - 1);
    TEditorStringList fresh;
    fresh.Reserve(Count() + Count() / 4 + 16);
    std::vector<TRowPiece> pieces;
    std::string kinds;
    for (int a = 0; a < Count();) {
        int b = LastRowOfLine(a);
        std::uint16_t marks = 0;
        for (int r = a; r <= b; ++r)
            marks |= RowMarks(r);
        WithLineText(*this, a, b, [&](TTextChunk* chunk, std::size_t offset, std::string_view line) {
            pieces.clear();
            BreakLine(line, cx, pieces, kinds); // a short line without a tab costs no cell walk
            int r = fresh.Count();
            int n = static_cast<int>(pieces.size());
            for (const TRowPiece& piece : pieces)
                fresh.AppendSpan(chunk, offset + piece.Offset, piece.Length, piece.End);
            if (marks != 0) {
                // One to one; what the old rows had beyond the new ones goes to the last.
                int old = b - a + 1;
                for (int k = 0; k < n; ++k) {
                    std::uint16_t m = k < old ? RowMarks(a + k) : 0;
                    if (k == n - 1)
                        for (int j = k + 1; j < old; ++j)
                            m |= RowMarks(a + j);
                    fresh.SetRowMarks(r + k, n == 1 ? marks : m);
                }
            }
        });
        a = b + 1;
    }
    fresh.SetRowEnd(fresh.Count() - 1, lastEnd);
    AdoptRows(fresh);
    FRepaintAll = true;
}

void TEditorScreenStrings::UnwrapAll()
{
    if (Count() == 0)
        return;
    UpdateGuard update(*this);
    for (TRowStoreClient* c : FClients)
        c->DropSelection();
    const TRowEnd oldLast = RowEnd(Count() - 1);
    TEditorStringList fresh;
    fresh.Reserve(Count());
    for (int a = 0; a < Count();) {
        int b = LastRowOfLine(a);
        std::uint16_t marks = 0;
        for (int r = a; r <= b; ++r)
            marks |= RowMarks(r);
        WithLineText(*this, a, b, [&](TTextChunk* chunk, std::size_t offset, std::string_view line) {
            int r = fresh.Count();
            fresh.InsertEmpty(r, 1);
            fresh.SetSpan(r, chunk, offset, line.size());
            fresh.SetRowEnd(r, reBreak);
            fresh.SetRowMarks(r, marks);
        });
        a = b + 1;
    }
    fresh.SetRowEnd(fresh.Count() - 1, oldLast == reWrapped ? reEof : oldLast);
    AdoptRows(fresh);
    FRepaintAll = true;
}

void TEditorScreenStrings::Rebuild(bool wrap)
{
    UpdateGuard update(*this);
    FUndo->ClearHistory();
    if (wrap)
        WrapAll();
    else
        UnwrapAll();
    InitRowStates();
    FRepaintAll = true;
    for (TRowStoreClient* c : FClients)
        c->RowsRebuilt();
}

void TEditorScreenStrings::SetWordWrap(bool v)
{
    if (v == FWordWrap)
        return;
    FWordWrap = v;
    Rebuild(v);
}

void TEditorScreenStrings::WrapOptionChanged(TObject*)
{
    if (FWordWrap)
        Rebuild(true);
}

void TEditorScreenStrings::TabSpaceCountChanged()
{
    if (FWordWrap) {
        Rebuild(true);
        return;
    }
    // The rows stay, but their cells move under every caret.
    std::vector<TRowStoreClient*> clients = FClients;
    for (TRowStoreClient* c : clients)
        c->CellsMoved();
}

// ---- row states

void TEditorScreenStrings::InitRowStates()
{
    // A hook sets every row itself; without one the rows are marked as not computed.
    if (FSettings.RowStateHook) {
        FSettings.RowStateHook->InitRowStates();
        return;
    }
    ResetParseStates(0, Count());
}

int TEditorScreenStrings::UpdateRowStates(int row)
{
    if (FSettings.RowStateHook)
        return FSettings.RowStateHook->UpdateRowStates(row, true);
    return 0;
}

// ---- replacing rows

void TEditorScreenStrings::DeleteRowsKeepMarks(int p, int n)
{
    n = std::min(n, Count() - p);
    if (p < 0 || n <= 0)
        return;
    std::uint16_t marks = 0;
    for (int r = p; r < p + n; ++r)
        marks |= RowMarks(r);
    DeleteRange(p, n);
    if (Count() == 0) {
        RemoveUsedMarks(marks);
        return;
    }
    if (marks != 0) {
        int target = p < Count() ? p : Count() - 1;
        SetRowMarks(target, RowMarks(target) | marks);
    }
}

int TEditorScreenStrings::PutRows(int p, int m, TEditorStringList& scratch, TMarksGo marksGo)
{
    const int n = scratch.Count();
    // A row's parse state depends on the rows above it and on the row itself (a token cut by
    // the wrap above says how much of it lies in this row). Rebuilding starts a row above the
    // edit, and that row usually stays as it was: leading rows that are unchanged keep their
    // states, so recomputing starts at the first row that really changed.
    std::vector<TRowParseState> kept;
    for (int k = 0; k < std::min(m, n); ++k) {
        if (Get(p + k) != scratch.Get(k) || RowEnd(p + k) != scratch.RowEnd(k))
            break;
        kept.push_back(ParseState(p + k));
    }
    std::vector<std::uint16_t> marks(static_cast<std::size_t>(n), 0);
    if (n < m) {
        std::uint16_t gone = 0;
        for (int r = p; r < p + m - n; ++r)
            gone |= RowMarks(r);
        DeleteRange(p, m - n);
        for (int k = 0; k < n; ++k)
            marks[static_cast<std::size_t>(k)] = RowMarks(p + k);
        if (n == 0)
            RemoveUsedMarks(gone);
        else
            marks[0] |= gone;
    } else if (n > m) {
        if (m == 0) {
            InsertEmpty(p, n);
        } else {
            std::uint16_t firstMarks = RowMarks(p);
            InsertEmpty(p + 1, n - m);
            for (int k = n - m + 1; k < n; ++k)
                marks[static_cast<std::size_t>(k)] = RowMarks(p + k);
            marks[static_cast<std::size_t>(marksGo == TMarksGo::WithText ? n - m : 0)] |= firstMarks;
        }
    } else {
        for (int k = 0; k < n; ++k)
            marks[static_cast<std::size_t>(k)] = RowMarks(p + k);
    }
    TakeRows(p, scratch, 0, n);
    for (int k = 0; k < n; ++k)
        SetRowMarks(p + k, marks[static_cast<std::size_t>(k)]);
    for (std::size_t k = 0; k < kept.size(); ++k)
        SetParseState(p + static_cast<int>(k), kept[k]);
    return p + static_cast<int>(kept.size());
}

void TEditorScreenStrings::ReplaceRows(int start, int count, std::string_view text, TMarksGo marks)
{
    if (start < 0 || count < 0 || start > Count() || start + count > Count())
        return;
    if (count == 0 && text.empty())
        return;
    UpdateGuard update(*this);
    int first = std::max(FirstRowOfLine(start), start - 1);
    // Text appended after a last line without a line break continues that line; new rows
    // after a reEof row would leave it in the middle of the text.
    if (start == Count() && start > 0 && RowEnd(start - 1) == reEof)
        first = start - 1;
    const int endRow = start + count - 1;
    int last = LastRowOfLine(endRow);

    if (start == first && last == endRow && text.empty() && count > 0) {
        // Whole lines go and nothing comes in.
        TUndoData& e = FUndo->NewEntry();
        e.StartRow = start;
        SaveRows(start, count, e);
        DeleteRowsKeepMarks(start, count);
        int parsed = UpdateRowStates(start);
        RecordChange(start, count, parsed, 0);
        return;
    }

    TRowEnd kind;
    const bool endsWithBreak = !text.empty() && (text.back() == '\n' || text.back() == '\r');
    if (endRow < last) {
        kind = RowEnd(last);
    } else if (last < Count() - 1 && !(endsWithBreak && RowEnd(last) == reBreak)) {
        // (Text that ends with a line break in place of rows that end with one leaves the
        // next line alone.)
        // The new text may not end with a line break, so the next line joins in.
        last = LastRowOfLine(last + 1);
        kind = RowEnd(last);
    } else {
        // A lone CR at the end is a line break too, not something to drop.
        kind = endsWithBreak ? reBreak : reEof;
    }

    const int m = std::max(last - first + 1, 0);
    TUndoData& e = FUndo->NewEntry();
    e.StartRow = first;
    SaveRows(first, m, e);

    std::string joined;
    joined.reserve(TextBytes(first, start) + text.size() + TextBytes(endRow + 1, last + 1));
    AppendText(first, start, joined);
    joined.append(text);
    AppendText(endRow + 1, last + 1, joined);

    TEditorStringList scratch;
    WrapLine(joined, scratch);
    scratch.SetRowEnd(scratch.Count() - 1, kind);
    e.NewRowCount = scratch.Count();
    e.Marks = marks;
    const int n = scratch.Count();
    int parsed = UpdateRowStates(PutRows(first, m, scratch, marks));
    RecordChange(first, m, parsed, n);
}

// ---- undo and redo

void TEditorScreenStrings::SaveRows(int first, int count, TUndoData& e) const
{
    e.OldText = LineText(first, count, nullptr, &e.OldEnd);
    e.OldRows.clear();
    for (int r = first; r < first + count && r < Count(); ++r)
        e.OldRows.push_back(static_cast<std::uint32_t>(RowLength(r)) |
                            (RowEnd(r) == reBreak ? TUndoData::kRowBreak : 0));
}

void TEditorScreenStrings::Restore(const TUndoData& e, TUndoData& reverse)
{
    const int start = std::min(e.StartRow, Count());
    const int n = std::min(e.NewRowCount, Count() - start);
    reverse.OldEnd = reNone;
    reverse.OldText.clear();
    reverse.OldRows.clear();
    if (n > 0)
        SaveRows(start, n, reverse);
    int rows = 0;
    int from = start;
    if (e.OldEnd == reNone || e.OldRows.empty()) {
        DeleteRowsKeepMarks(start, n);
    } else {
        TEditorStringList scratch;
        TTextChunk* chunk = TTextChunk::Make(e.OldText);
        std::size_t at = 0;
        for (std::uint32_t word : e.OldRows) {
            const std::size_t len = word & ~TUndoData::kRowBreak;
            int r = scratch.Count();
            scratch.InsertEmpty(r, 1);
            scratch.SetSpan(r, chunk, at, std::min<std::size_t>(len, e.OldText.size() - at));
            at = std::min(at + len, e.OldText.size());
            const bool brk = (word & TUndoData::kRowBreak) != 0 && e.OldText.compare(at, 2, "\r\n") == 0;
            scratch.SetRowEnd(r, brk ? reBreak : reWrapped);
            if (brk)
                at += 2;
        }
        TTextChunk::Release(chunk);
        scratch.SetRowEnd(scratch.Count() - 1, e.OldEnd);
        rows = scratch.Count();
        from = PutRows(start, n, scratch, e.Marks);
    }
    int parsed = UpdateRowStates(from);
    RecordChange(start, n, parsed, rows);
    reverse.StartRow = start;
    reverse.NewRowCount = rows;
}
