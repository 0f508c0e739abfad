// The standard edit-control messages, so that other code can drive the editor like a plain
// edit box. Offsets count a line break as two bytes; rows are screen rows.
#include <algorithm>
#include <cstring>

#include "engine/Editor.h"
#include "engine/EditorCells.h"

namespace {

std::uint32_t Pack(std::int64_t low, std::int64_t high)
{
    return (static_cast<std::uint32_t>(low) & 0xFFFFu) | ((static_cast<std::uint32_t>(high) & 0xFFFFu) << 16);
}

} // namespace

void TEditor::OffsetToRowByte(std::int64_t offset, int& row, int& byte) const
{
    std::int64_t off = std::max<std::int64_t>(offset, 0);
    int r = 0;
    const int n = RowCount();
    while (r < n) {
        const std::int64_t len = FList->RowLength(r);
        const TRowEnd kind = FList->RowEnd(r);
        if (kind == reWrapped) {
            if (off < len)
                break;
            off -= len;
        } else if (kind == reEof) {
            off = std::min(off, len);
            break;
        } else {
            if (off < len + 2) { // between CR and LF counts as the row's end
                off = std::min(off, len);
                break;
            }
            off -= len + 2;
        }
        ++r;
    }
    if (r >= n) {
        // Past a final line break: the empty row after it.
        row = n;
        byte = 0;
        return;
    }
    row = r;
    byte = CharStart(RowText(r), static_cast<int>(off));
}

std::int64_t TEditor::WMGetText(std::span<char> buffer) const
{
    if (buffer.empty())
        return 0;
    const std::string text = FList->GetTextStr();
    const std::size_t n = std::min(text.size(), buffer.size() - 1);
    if (n > 0)
        std::memcpy(buffer.data(), text.data(), n);
    buffer[n] = '\0';
    return static_cast<std::int64_t>(n);
}

std::uint32_t TEditor::EMGetSel(std::int64_t* start, std::int64_t* end) const
{
    const std::int64_t s = SelStart();
    const std::int64_t e = s + SelLength();
    if (start)
        *start = s;
    if (end)
        *end = e;
    return Pack(s, e);
}

void TEditor::EMSetSel(std::int64_t start, std::int64_t end)
{
    if (start == 0 && end == -1) {
        SelectAll();
        return;
    }
    if (start == -1) {
        DropSelection();
        return;
    }
    // Any other negative end means the end of the text, as an edit box reads it.
    const std::int64_t length = TextLength();
    if (end < 0)
        end = length;
    start = std::clamp<std::int64_t>(start, 0, length);
    end = std::clamp<std::int64_t>(end, 0, length);
    ++FUpdating;
    SetBoxSelection(false);
    SetSelStart(std::min(start, end));
    SetSelLength(std::max(start, end) - std::min(start, end));
    --FUpdating;
    DoCaretMoved();
}

void TEditor::EMScrollCaret()
{
    const int rows = FMetrics.VisibleRows, cols = FMetrics.VisibleCols;
    if (FRow < FMetrics.TopRow || FRow >= FMetrics.TopRow + rows)
        SetTopRow(FRow - rows / 3);
    if (FCol < FMetrics.TopCol || FCol >= FMetrics.TopCol + cols)
        SetTopCol(FCol - cols / 3);
}

void TEditor::EMSetModify(bool v)
{
    if (!FReadOnly)
        SetModified(v);
}

std::int64_t TEditor::EMLineIndex(int row) const
{
    if (row == -1)
        row = FRow;
    if (row < 0 || row >= RowCount())
        return -1;
    return OffsetFrom(0, row, 0);
}

std::int64_t TEditor::EMLineLength(std::int64_t offset) const
{
    if (offset == -1) {
        if (!Selected())
            return FRow < RowCount() ? static_cast<std::int64_t>(RowText(FRow).size()) : 0;
        if (FBoxSelection) {
            // Box: the unselected bytes of each row the box covers.
            std::int64_t n = 0;
            for (int r = FSel.StartRow; r <= FSel.EndRow && r < RowCount(); ++r) {
                int first = 0, last = 0;
                SelectionSlice(r, first, last);
                n += static_cast<std::int64_t>(RowText(r).size()) - (last - first);
            }
            return n;
        }
        const std::int64_t before = FSel.StartByte;
        const std::int64_t endLen = FSel.EndRow < RowCount() ? static_cast<std::int64_t>(RowText(FSel.EndRow).size()) : 0;
        const std::int64_t after = std::max<std::int64_t>(endLen - (FSel.LastByte + 1), 0);
        return before + after;
    }
    if (offset < 0 || offset > TextLength())
        return 0;
    int row = 0, byte = 0;
    OffsetToRowByte(offset, row, byte);
    return row < RowCount() ? static_cast<std::int64_t>(RowText(row).size()) : 0;
}

void TEditor::EMReplaceSel(std::string_view s)
{
    if (!FReadOnly)
        InsertText(s);
}

int TEditor::EMGetLine(int row, std::span<char> buffer) const
{
    if (row < 0 || row >= RowCount() || buffer.empty())
        return 0;
    std::string_view text = RowText(row);
    const std::size_t n = std::min(text.size(), buffer.size());
    if (n > 0)
        std::memcpy(buffer.data(), text.data(), n);
    return static_cast<int>(n);
}

bool TEditor::EMUndo()
{
    if (!EMCanUndo())
        return false;
    Undo();
    return true;
}

int TEditor::EMLineFromChar(std::int64_t offset) const
{
    if (offset == -1)
        return Selected() ? FSel.StartRow : FRow;
    int row = 0, byte = 0;
    OffsetToRowByte(offset, row, byte);
    return row;
}

void TEditor::EMEmptyUndoBuffer()
{
    if (!FReadOnly)
        FList->UndoObj().ClearHistory();
}

TPoint TEditor::EMPosFromChar(std::int64_t offset) const
{
    int row = 0, byte = 0;
    OffsetToRowByte(offset, row, byte);
    const int col = row < RowCount() ? CharToCol(row, byte) : 0;
    // Column 0 is where the text is drawn: after the bars and the left margin.
    return {FMetrics.ColLeft(col), FMetrics.RowTop(row)};
}

std::int64_t TEditor::EMCharFromPos(TPoint p) const
{
    if (!InClient(p))
        return -1;
    int row = FMetrics.TopRow + std::max(0, (p.Y - FMetrics.TopOffset)) / FMetrics.RowHeight;
    row = std::clamp(row, 0, std::max(RowCount() - 1, 0));
    if (RowCount() == 0)
        return 0;
    const int col = FMetrics.TopCol + std::max(0, p.X - FMetrics.TextLeft) / FMetrics.ColWidth;
    const TCharAt at = CharAtCell(RowText(row), col, WrapContext());
    return Pack(OffsetFrom(0, row, at.Byte), row);
}
