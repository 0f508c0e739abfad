// The selection: anchor, both forms, box mode and the byte-offset interface.
#include <algorithm>
#include <cstring>

#include "engine/Editor.h"
#include "engine/EditorCells.h"

namespace {

// What a selection covers of one row: its bytes and whether the row's line break is in it.
struct TRowCover {
    int First = 0;
    int Last = 0;
    bool Break = false;
    bool Any = false;
    friend bool operator==(const TRowCover&, const TRowCover&) = default;
};

TRowCover CoverOf(const TEditorSelection& s, bool box, int state, std::string_view text, int row,
                  const TWrapContext& cx)
{
    TRowCover c;
    if (state != 2 || row < s.StartRow || row > s.EndRow)
        return c;
    c.Any = true;
    if (box) {
        TByteRange r = BoxSliceBytes(text, s.StartCol, s.EndCol, cx);
        c.First = r.First;
        c.Last = r.Last;
        return c;
    }
    const int n = static_cast<int>(text.size());
    c.First = row == s.StartRow ? std::min(s.StartByte, n) : 0;
    c.Last = row == s.EndRow ? std::clamp(s.LastByte + 1, c.First, n) : n;
    c.Break = row < s.EndRow;
    return c;
}

} // namespace

bool TEditor::SelectionSlice(int row, int& first, int& last) const
{
    TRowCover c = CoverOf(FSel, FBoxSelection, FSelState, RowText(row), row, WrapContext());
    first = c.First;
    last = c.Last;
    return c.Any;
}

void TEditor::InvalidateSelectionChange(const TEditorSelection& before, int beforeState)
{
    if (!FHost)
        return;
    const TWrapContext cx = WrapContext();
    const int top = FMetrics.TopRow, bottom = FMetrics.TopRow + FMetrics.VisibleRows;
    // Only rows the view shows need repainting; of those only the ones whose cover changed.
    int lo = -1, hi = -1;
    for (int r = top; r <= bottom; ++r) {
        std::string_view text = RowText(r);
        if (CoverOf(before, FBoxSelection, beforeState, text, r, cx) !=
            CoverOf(FSel, FBoxSelection, FSelState, text, r, cx)) {
            if (lo < 0)
                lo = r;
            hi = r;
        }
    }
    if (lo >= 0)
        InvalidateRows(lo, hi);
}

void TEditor::RecomputeSelection(bool notify)
{
    const TEditorSelection before = FSel;
    const int state = FSelState;
    const TWrapContext cx = WrapContext();
    if (FBoxSelection) {
        FSel.StartRow = std::min(FAnchorRow, FRow);
        FSel.EndRow = std::max(FAnchorRow, FRow);
        FSel.StartCol = std::min(FAnchorCol, FCol);
        FSel.EndCol = std::max(FAnchorCol, FCol);
        FSel.StartByte = BoxSliceBytes(RowText(FSel.StartRow), FSel.StartCol, FSel.EndCol, cx).First;
        FSel.LastByte = BoxSliceBytes(RowText(FSel.EndRow), FSel.StartCol, FSel.EndCol, cx).Last - 1;
    } else {
        int caretByte = CaretByte();
        int r1 = FAnchorRow, b1 = FAnchorByte, r2 = FRow, b2 = caretByte;
        if (r2 < r1 || (r2 == r1 && b2 < b1)) {
            std::swap(r1, r2);
            std::swap(b1, b2);
        }
        FSel.StartRow = r1;
        FSel.StartByte = b1;
        FSel.EndRow = r2;
        FSel.LastByte = b2 - 1;
        FSel.StartCol = CharToCol(r1, b1);
        FSel.EndCol = CharToCol(r2, b2);
    }
    InvalidateSelectionChange(before, state);
    if (notify)
        DoSelectionChange(true);
}

void TEditor::StartSelection()
{
    DropSelection();
    if (RowCount() == 0)
        return;
    FSelState = 1;
    FAnchorRow = FRow;
    FAnchorByte = CaretByte();
    FAnchorCol = FBoxSelection ? FCol : std::min(FCol, RowWidth(FRow));
    FSel = {FRow, FRow, FAnchorByte, FAnchorByte - 1, FAnchorCol, FAnchorCol};
}

void TEditor::ExtendSelection()
{
    if (FSelState == 0)
        return;
    if (FSelState == 1) {
        FSelState = 2;
        HideUnderline();
    }
    RecomputeSelection(true);
}

void TEditor::CleanSelection()
{
    const int state = FSelState;
    const TEditorSelection before = FSel;
    FSelState = 0;
    if (state == 2) {
        InvalidateSelectionChange(before, state);
        ShowUnderline();
    }
    DoSelectionChange(false);
}

void TEditor::DropSelection()
{
    if (FSelState != 0)
        CleanSelection();
}

// After the rows changed under the selection (another editor on the same rows edited them):
// anchor and caret stay inside the text, the selection inside the rows.
void TEditor::ClampSelection()
{
    FAnchorRow = std::clamp(FAnchorRow, 0, MaxCaretRow());
    std::string_view text = RowText(FAnchorRow);
    FAnchorByte = CharStart(text, std::min(FAnchorByte, static_cast<int>(text.size())));
    if (!FBoxSelection)
        FAnchorCol = CharToCol(FAnchorRow, FAnchorByte);
    if (FSelState == 2)
        RecomputeSelection(false);
    else
        FSel = {FAnchorRow, FAnchorRow, FAnchorByte, FAnchorByte - 1, FAnchorCol, FAnchorCol};
}

void TEditor::SetBoxSelection(bool v)
{
    if (v == FBoxSelection || FDragging)
        return;
    FBoxSelection = v;
    if (FSelState == 2) {
        // The other form covers other parts of the same rows: repaint them all.
        const TEditorSelection before = FSel;
        RecomputeSelection(false);
        InvalidateRows(std::min(before.StartRow, FSel.StartRow), std::max(before.EndRow, FSel.EndRow));
    } else if (FSelState == 1)
        FAnchorCol = v ? FCol : std::min(FCol, RowWidth(FRow));
    DoSelectionModeChange();
}

// ---- byte offsets

std::int64_t TEditor::SelStart() const
{
    if (FSelState == 2)
        return OffsetFrom(0, FSel.StartRow, FSel.StartByte);
    return CaretOffset();
}

void TEditor::SetSelStart(std::int64_t v)
{
    DropSelection();
    SetCaretByOffset(0, v);
}

std::int64_t TEditor::SelLength() const
{
    if (FSelState != 2)
        return 0;
    if (FBoxSelection) {
        const TWrapContext cx = WrapContext();
        std::int64_t n = 0;
        for (int r = FSel.StartRow; r <= FSel.EndRow && r < RowCount(); ++r)
            n += BoxSliceBytes(RowText(r), FSel.StartCol, FSel.EndCol, cx).Length() + 2;
        return n;
    }
    return OffsetFrom(FSel.StartRow, FSel.EndRow, FSel.LastByte + 1) - FSel.StartByte;
}

void TEditor::SetSelLength(std::int64_t v)
{
    SetBoxSelection(false);
    if (v <= 0) {
        DropSelection();
        return;
    }
    ++FUpdating;
    StartSelection();
    if (FSelState == 1) {
        PlaceCaret(FRow, FAnchorByte + v);
        ExtendSelection();
    }
    --FUpdating;
    DoCaretMoved();
}

std::string TEditor::SelText() const
{
    std::string out;
    if (FSelState != 2)
        return out;
    if (FBoxSelection) {
        const TWrapContext cx = WrapContext();
        for (int r = FSel.StartRow; r <= FSel.EndRow && r < RowCount(); ++r) {
            std::string_view text = RowText(r);
            TByteRange s = BoxSliceBytes(text, FSel.StartCol, FSel.EndCol, cx);
            out.append(text.substr(static_cast<std::size_t>(s.First), static_cast<std::size_t>(s.Length())));
            out.append("\r\n", 2);
        }
        return out;
    }
    // One allocation of the exact size, then the rows copied in: the whole text of a large
    // file goes through here for a select-all copy.
    out.resize(static_cast<std::size_t>(std::max<std::int64_t>(SelLength(), 0)));
    char* at = out.data();
    const char* const end = at + out.size();
    const int last = std::min(FSel.EndRow, RowCount() - 1);
    for (int r = FSel.StartRow; r <= last; ++r) {
        std::string_view text = RowText(r);
        const int n = static_cast<int>(text.size());
        const int first = r == FSel.StartRow ? std::min(FSel.StartByte, n) : 0;
        const int stop = r == FSel.EndRow ? std::clamp(FSel.LastByte + 1, first, n) : n;
        const std::size_t len = static_cast<std::size_t>(stop - first);
        if (len > static_cast<std::size_t>(end - at))
            break;
        if (len > 0) // an empty row has no text to point at
            std::memcpy(at, text.data() + first, len);
        at += len;
        if (r < FSel.EndRow && FList->RowEnd(r) == reBreak && end - at >= 2) {
            *at++ = '\r';
            *at++ = '\n';
        }
    }
    out.resize(static_cast<std::size_t>(at - out.data()));
    return out;
}

void TEditor::SelectAll()
{
    // The same as SelStart := 0 and SelLength := TextLength, without walking the rows: the
    // end of the text is the end of the last row, or the line after a final line break.
    ++FUpdating;
    SetBoxSelection(false);
    SetSelStart(0);
    StartSelection();
    if (FSelState == 1) {
        const int last = RowCount() - 1;
        if (FList->RowEnd(last) == reBreak) {
            SetRow(RowCount());
            SetCol(0);
        } else {
            PlaceCaret(last, FList->RowLength(last));
        }
        ExtendSelection();
    }
    --FUpdating;
    DoCaretMoved();
}
