// The mouse: caret placement, selection by characters and by whole rows, dragging the
// selection to move or copy it, cursor shapes, focus; and the hit tests on client points.
#include <algorithm>
#include <cstdlib>

#include "engine/Editor.h"
#include "engine/EditorCells.h"

namespace {

// Division rounding towards minus infinity, on 64 bits: points may lie far outside the window.
int FloorDiv(long long a, long long b)
{
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return static_cast<int>(std::clamp<long long>(q, -(1LL << 30), 1LL << 30));
}

} // namespace

// ---- geometry of a point

bool TEditor::InClient(TPoint p) const
{
    const TSize client = FHost ? FHost->ClientSize() : TSize{};
    return p.X >= 0 && p.Y >= 0 && p.X < client.Width && p.Y < client.Height;
}

bool TEditor::InLeftBar(TPoint p) const
{
    return p.X < FMetrics.ImagebarWidth + FMetrics.LeftbarWidth;
}

bool TEditor::AboveText(TPoint p) const
{
    return p.Y < FMetrics.TopOffset;
}

void TEditor::PointToCell(TPoint p, bool round, int& row, int& col) const
{
    const long long x = static_cast<long long>(p.X) - FMetrics.TextLeft + (round ? FMetrics.ColWidth / 2 : 0);
    row = FMetrics.TopRow + FloorDiv(static_cast<long long>(p.Y) - FMetrics.TopOffset, FMetrics.RowHeight);
    col = FMetrics.TopCol + FloorDiv(x, FMetrics.ColWidth);
    row = std::clamp(row, 0, MaxCaretRow());
    col = std::clamp(col, 0, 1001);
}

bool TEditor::CanDragSelection() const
{
    return !FReadOnly && Selected() && !FBoxSelection && FCaret->SelMove();
}

bool TEditor::OverSelection(TPoint p) const
{
    if (!Selected() || InLeftBar(p) || AboveText(p))
        return false;
    int row = 0, byte = 0;
    if (!PosToRowByte(p, row, byte))
        return false;
    int first = 0, last = 0;
    return SelectionSlice(row, first, last) && byte >= first && byte < last;
}

void TEditor::SetMouseCursor(int cursor)
{
    if (FHost && FCaret->AutoCursor())
        FHost->SetCursor(cursor);
}

// ---- hit tests

bool TEditor::PosToRowByte(TPoint p, int& row, int& byte) const
{
    if (RowCount() == 0 || p.X < FMetrics.TextLeft || AboveText(p))
        return false;
    const int r = FMetrics.TopRow + FloorDiv(static_cast<long long>(p.Y) - FMetrics.TopOffset, FMetrics.RowHeight);
    if (r < 0 || r >= RowCount())
        return false;
    const int col = FMetrics.TopCol + FloorDiv(static_cast<long long>(p.X) - FMetrics.TextLeft, FMetrics.ColWidth);
    std::string_view text = RowText(r);
    const TCharAt at = CharAtCell(text, col, WrapContext());
    if (at.Length == 0)
        return false;
    row = r;
    byte = at.Byte;
    return true;
}

TTokenAtPos TEditor::TokenAtRowByte(int row, int byte, bool storedState) const
{
    TTokenAtPos result;
    const int first = FList->FirstRowOfLine(row);
    const int last = FList->LastRowOfLine(row);
    std::string line;
    for (int r = first; r <= last; ++r)
        line.append(RowText(r));
    const std::int64_t at = BytesBetween(first, row) + byte;
    std::vector<TEditorToken> tokens;
    Tokens(line, storedState ? FList->ParseState(first) : TRowParseState::Reset(), tokens);
    for (const TEditorToken& t : tokens) {
        if (at < t.Start || at >= static_cast<std::int64_t>(t.Start) + t.Length)
            continue;
        if (t.Start < 0 || static_cast<std::size_t>(t.Start) + static_cast<std::size_t>(t.Length) > line.size())
            break;
        result.Text = line.substr(static_cast<std::size_t>(t.Start), static_cast<std::size_t>(t.Length));
        result.Kind = t.Kind;
        int r = first;
        std::int64_t off = t.Start;
        while (r < last && off >= static_cast<std::int64_t>(RowText(r).size())) {
            off -= static_cast<std::int64_t>(RowText(r).size());
            ++r;
        }
        result.Row = r;
        result.Byte = static_cast<int>(off);
        break;
    }
    return result;
}

TTokenAtPos TEditor::TokenAtPos(std::optional<TPoint> p) const
{
    int row = 0, byte = 0;
    if (!PosToRowByte(p ? *p : CaretPixelPos(), row, byte))
        return {};
    return TokenAtRowByte(row, byte, !p);
}

void TEditor::SelectTokenAtPos(std::optional<TPoint> p)
{
    int row = 0, byte = 0;
    if (!PosToRowByte(p ? *p : CaretPixelPos(), row, byte))
        return;
    const TTokenAtPos t = TokenAtRowByte(row, byte, false);
    if (t.Row < 0)
        return;
    ++FUpdating;
    SetBoxSelection(false);
    DropSelection();
    PlaceCaret(t.Row, t.Byte);
    SetSelLength(static_cast<std::int64_t>(t.Text.size()));
    --FUpdating;
    DoCaretMoved();
}

// ---- buttons

void TEditor::MouseDown(TMouseButton button, TShiftState shift, TPoint p)
{
    if (FHost && !FHost->HasFocus()) {
        FHost->SetFocus();
        SetFocused(true);
    }
    if (button != mbLeft || FDragState != 0 || FLeftDown)
        return;
    FLeftDown = true;
    FPressPoint = p;
    if (FHost)
        FHost->SetCapture();
    int row = 0, col = 0;
    ++FUpdating;
    if (shift & ssShift) {
        if (FSelState == 0)
            StartSelection();
        PointToCell(p, true, row, col);
        SetRowCol(row, col);
        ExtendSelection();
    } else if (CanDragSelection() && OverSelection(p)) {
        PointToCell(p, true, row, col);
        SetRowCol(row, col);
        if (FCaret->SelDragMode() == dmAutomatic) {
            if (FHost)
                FHost->ReleaseCapture();
            FDragState = 1;
        }
    } else if (InLeftBar(p) && !AboveText(p) && FCaret->RowSelect() && RowCount() > 0) {
        int r = FMetrics.TopRow + FloorDiv(static_cast<long long>(p.Y) - FMetrics.TopOffset, FMetrics.RowHeight);
        r = std::clamp(r, 0, RowCount());
        if (FList->RowEnd(RowCount() - 1) == reEof)
            r = std::min(r, RowCount() - 1);
        DropSelection();
        FRowSelecting = true;
        FRowSelAnchor = r;
        FRowSelAnchorEof = r < RowCount() && FList->RowEnd(r) == reEof;
        FRowSelCurrent = -1;
        RowSelectTo(r);
    } else {
        DropSelection();
        PointToCell(p, true, row, col);
        SetRowCol(row, col);
        StartSelection();
    }
    --FUpdating;
    DoCaretMoved();
}

// Whole rows from the anchor row to row s: the anchor row stays selected whichever side of
// it s lies. On the press itself (s is the anchor) the caret rests at the row's start.
void TEditor::RowSelectTo(int s)
{
    const bool press = FRowSelCurrent < 0;
    if (s == FRowSelCurrent)
        return;
    FRowSelCurrent = s;
    const int a = FRowSelAnchor;
    // Where the whole of row r ends: the next row's start, or the end of the last row.
    auto rowEnd = [this](int r, int& row, int& byte) {
        if (r < RowCount() && FList->RowEnd(r) == reEof) {
            row = r;
            byte = static_cast<int>(RowText(r).size());
        } else {
            row = std::min(r + 1, MaxCaretRow());
            byte = 0;
        }
    };
    int anchorRow = a, anchorByte = 0, caretRow = s, caretByte = 0;
    if (s < a || press)
        rowEnd(a, anchorRow, anchorByte);
    else
        rowEnd(s, caretRow, caretByte);
    ++FUpdating;
    PlaceCaret(caretRow, caretByte);
    FAnchorRow = anchorRow;
    FAnchorByte = anchorByte;
    FAnchorCol = CharToCol(anchorRow, anchorByte);
    if (FSelState == 0)
        FSelState = 1;
    ExtendSelection();
    --FUpdating;
    DoCaretMoved();
}

void TEditor::MouseMove(TShiftState shift, TPoint p)
{
    const int half = std::max(FMetrics.ColWidth / 2, 1);
    const bool away = std::abs(static_cast<long long>(p.X) - FPressPoint.X) >= half ||
                      std::abs(static_cast<long long>(p.Y) - FPressPoint.Y) >= half;
    int row = 0, col = 0;
    if ((FLeftDown || FDragState != 0) && !(shift & ssLeft)) {
        // The button came up where this window did not hear it: the gesture ends, and a
        // drag is cancelled rather than dropped somewhere the user did not choose.
        if (FDragState == 2)
            CancelDrag();
        MouseUp(mbLeft, shift, p);
    }
    if (FDragState == 1) {
        if (!away)
            return;
        FDragState = 2;
        SetDragging(true);
    }
    if (FDragState == 2) {
        const TEditorCursors& c = FCaret->Cursors();
        SetMouseCursor(shift & ssCtrl ? c.DragSelCopyCursor() : c.DragSelCursor());
        PointToCell(p, false, row, col);
        SetRowCol(row, col);
        return;
    }
    if (!FLeftDown) {
        const TEditorCursors& c = FCaret->Cursors();
        if (InLeftBar(p))
            SetMouseCursor(c.LeftMarginCursor());
        else if (AboveText(p))
            SetMouseCursor(c.TopMarginCursor());
        else if (CanDragSelection() && OverSelection(p))
            SetMouseCursor(c.InSelCursor());
        else
            SetMouseCursor(c.DefaultCursor());
        return;
    }
    if (FRowSelecting) {
        int r = FMetrics.TopRow + FloorDiv(static_cast<long long>(p.Y) - FMetrics.TopOffset, FMetrics.RowHeight);
        if (AboveText(p))
            r = FMetrics.TopRow - 1;
        r = std::clamp(r, 0, std::max(RowCount() - 1, 0));
        RowSelectTo(r);
        return;
    }
    PointToCell(p, true, row, col);
    if (AboveText(p))
        row = std::max(FMetrics.TopRow - 1, 0);
    ++FUpdating;
    SetRowCol(row, col);
    if (FSelState == 2 || (FSelState == 1 && away))
        ExtendSelection();
    --FUpdating;
    DoCaretMoved();
}

void TEditor::MouseUp(TMouseButton button, TShiftState shift, TPoint p)
{
    if (button != mbLeft)
        return;
    const bool wasDown = FLeftDown;
    FLeftDown = false;
    FRowSelecting = false;
    if (FHost && FHost->HasCapture())
        FHost->ReleaseCapture();
    if (FDragState == 2) {
        Drop(shift, p);
    } else if (FDragState == 1) {
        FDragState = 0;
        SetMouseCursor(FCaret->Cursors().DefaultCursor());
        DropSelection();
    }
    (void)wasDown;
}

bool TEditor::DblClick(TShiftState, TPoint)
{
    if (InputHeld())
        return false;
    if (OnDblClick)
        OnDblClick(this);
    return true;
}

bool TEditor::InputHeld() const
{
    return FDragState != 0 || FLeftDown;
}

void TEditor::FocusLost()
{
    // A gesture the window no longer sees the end of is over.
    if (FDragState != 0)
        CancelDrag();
    FLeftDown = false;
    FRowSelecting = false;
    if (FHost && FHost->HasCapture())
        FHost->ReleaseCapture();
    FPendingLead = -1;
    SetFocused(false);
}

void TEditor::CancelDrag()
{
    FDragState = 0;
    SetDragging(false);
    FLeftDown = false;
    SetMouseCursor(FCaret->Cursors().DefaultCursor());
    DropSelection();
}

// ---- the drop

void TEditor::Drop(TShiftState shift, TPoint p)
{
    FDragState = 0;
    SetDragging(false);
    SetMouseCursor(FCaret->Cursors().DefaultCursor());
    const TEditorSelection sel = FSel;
    const int dropRow = FRow;
    const int dropByte = CaretBytePos();
    const bool before = dropRow < sel.StartRow || (dropRow == sel.StartRow && dropByte < sel.StartByte);
    const bool after = dropRow > sel.EndRow || (dropRow == sel.EndRow && dropByte > sel.LastByte + 1);
    if (!InClient(p) || !Selected() || FReadOnly || (!before && !after)) {
        DropSelection();
        return;
    }
    if (shift & ssCtrl) {
        const std::string text = SelText();
        Compound(*this, [&] {
            DropSelection();
            InsertText(text);
        });
        return;
    }
    // Move: the rows from the first to the last affected one are rebuilt in one replacement
    // with the selected text taken out and put in at the drop position.
    const int n = RowCount();
    const int first = FList->FirstRowOfLine(std::min(sel.StartRow, std::min(dropRow, n - 1)));
    const int last = std::min(std::max(sel.EndRow, dropRow), n - 1);
    int taken = 0;
    std::string text = FList->LineText(first, last - first + 1, &taken);
    const std::int64_t s = BytesBetween(first, sel.StartRow) + sel.StartByte;
    const std::int64_t e = BytesBetween(first, sel.EndRow) + sel.LastByte + 1;
    std::int64_t d;
    std::string pad;
    if (dropRow >= n) {
        d = static_cast<std::int64_t>(text.size());
        pad.assign(static_cast<std::size_t>(FCol), ' ');
    } else {
        const int len = static_cast<int>(RowText(dropRow).size());
        d = BytesBetween(first, dropRow) + std::min(dropByte, len);
        if (dropByte > len)
            pad.assign(static_cast<std::size_t>(dropByte - len), ' ');
    }
    const std::string moved = text.substr(static_cast<std::size_t>(s), static_cast<std::size_t>(e - s));
    std::string out;
    out.reserve(text.size() + pad.size());
    if (d < s) {
        out.append(text, 0, static_cast<std::size_t>(d));
        out.append(pad);
        out.append(moved);
        out.append(text, static_cast<std::size_t>(d), static_cast<std::size_t>(s - d));
        out.append(text, static_cast<std::size_t>(e), std::string::npos);
    } else {
        out.append(text, 0, static_cast<std::size_t>(s));
        out.append(text, static_cast<std::size_t>(e), static_cast<std::size_t>(d - e));
        out.append(pad);
        out.append(moved);
        out.append(text, static_cast<std::size_t>(d), std::string::npos);
    }
    const std::int64_t caret = (d < s ? d : d - (e - s)) + static_cast<std::int64_t>(pad.size() + moved.size());
    Compound(*this, [&] {
        DropSelection();
        const int base = EditBase(first);
        Replace(first, taken, out, base, BytesBetween(base, first) + caret);
    });
}
