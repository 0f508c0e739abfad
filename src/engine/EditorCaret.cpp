// The caret: row and column setters, column normalisation and position conversions.
#include <algorithm>

#include "engine/Editor.h"
#include "engine/EditorCells.h"
#include "platform/Cp932.h"

namespace {

// Columns a caret can reach: 1000, or 1001 after a double-byte character that starts in the
// last column.
constexpr int kMaxCol = 1000;
// Cells of a row that column arithmetic looks at.
constexpr int kKindsLimit = kMaxCol + 2;

char KindAt(const std::string& kinds, int c)
{
    // The class string ends with its "0" sentinel.
    return c >= 0 && c + 1 < static_cast<int>(kinds.size()) ? kinds[static_cast<std::size_t>(c)] : cell::End;
}

} // namespace

std::string TEditor::RowKinds(int row) const
{
    std::string kinds;
    BuildCellKinds(RowText(row), WrapContext(), kKindsLimit, kinds);
    return kinds;
}

int TEditor::RowWidth(int row) const
{
    return StrWidth(RowText(row));
}

int TEditor::MaxCaretRow() const
{
    int n = RowCount();
    if (n == 0)
        return 0;
    return FList->RowEnd(n - 1) == reBreak ? n : n - 1;
}

void TEditor::RememberCol(int col)
{
    if (!FColKept) {
        FKeptCol = col;
        FColKept = true;
    }
}

void TEditor::Normalise(int dir, TMove move)
{
    const bool vertical = move == mvVertical;
    const std::string kinds = RowKinds(FRow);
    const int w = RowWidth(FRow);
    const bool inTab = FCaret->InTab();

    if (!vertical)
        FColKept = false;
    else if (FColKept)
        FCol = FKeptCol;

    if (!FCaret->FreeCaret() && FCol > w) {
        if (FCaret->KeepCaret() && vertical)
            RememberCol(FCol);
        FCol = w;
    }
    if (KindAt(kinds, FCol) == cell::Trail) {
        if (vertical)
            RememberCol(FCol);
        FCol += dir;
    }
    if (!inTab && KindAt(kinds, FCol) == cell::TabFill) {
        if (vertical)
            RememberCol(FCol);
        while (KindAt(kinds, FCol) == cell::TabFill)
            FCol += dir;
    }
    if (WordWrap() && FCol >= w) {
        RememberCol(FCol);
        const int W = WrapOption().WrapByte();
        // The end of a wrapped row is the start of the next one.
        if (FList->RowEnd(FRow) == reWrapped)
            FCol = w - 1;
        else if (FCol >= W)
            FCol = std::max(w, W - 1);
    }
    if (FCol > kMaxCol && KindAt(kinds, kMaxCol - 1) != cell::Lead)
        FCol = kMaxCol;
    // Whatever the steps above did, never between the halves of a character or (without
    // InTab) in a tab's fill.
    FCol = std::max(FCol, 0);
    if (KindAt(kinds, FCol) == cell::Trail)
        --FCol;
    if (!inTab)
        while (FCol > 0 && KindAt(kinds, FCol) == cell::TabFill)
            --FCol;
    DoCaretMoved();
}

void TEditor::SetRow(int v)
{
    FCaretByte = -1;
    HideUnderline();
    FRow = std::clamp(v, 0, MaxCaretRow());
    Normalise(-1, mvVertical);
    ShowUnderline();
}

void TEditor::SetCol(int v)
{
    FCaretByte = -1;
    int c = std::clamp(v, 0, kMaxCol + 1);
    int dir = c > FCol ? 1 : -1;
    FCol = c;
    Normalise(dir, mvHorizontal);
}

void TEditor::SetRowCol(int row, int col)
{
    if (row == FRow && col == FCol)
        return;
    ++FUpdating;
    SetRow(row);
    std::string kinds = RowKinds(FRow);
    if (KindAt(kinds, col) == cell::Trail)
        --col;
    if (!FCaret->InTab())
        while (col > 0 && KindAt(kinds, col) == cell::TabFill)
            --col;
    SetCol(col);
    --FUpdating;
    DoCaretMoved();
}

void TEditor::PlaceCaret(int row, std::int64_t offset)
{
    int r = std::clamp(row, 0, RowCount());
    std::int64_t off = std::max<std::int64_t>(offset, 0);
    if (r < RowCount()) {
        const TRowByte at = FList->RowAtOffset(FList->RowStart(r) + off);
        r = at.Row;
        off = at.Byte;
    }
    SetRow(r);
    std::string_view text = RowText(FRow);
    std::size_t byte = static_cast<std::size_t>(std::min<std::int64_t>(off, static_cast<std::int64_t>(text.size())));
    // An offset inside a double-byte character means the character.
    std::size_t start = 0;
    while (start < byte) {
        std::size_t next = start + CharLength(text, start);
        if (next > byte)
            break;
        start = next;
    }
    const int col = StrWidth(text.substr(0, start));
    SetCol(col);
    if (FCol != col)
        FCaretByte = static_cast<int>(start);
}

void TEditor::SetCaretByOffset(int row, std::int64_t offset)
{
    ++FUpdating;
    PlaceCaret(row, offset);
    --FUpdating;
    DoCaretMoved();
}

void TEditor::SetOverWrite(bool v)
{
    if (v == FOverWrite)
        return;
    FOverWrite = v;
    DoCaretMoved();
}

// After someone else's change the caret may stand on a character that has moved under it.
void TEditor::KeepCaretInText()
{
    FCaretByte = -1; // the text under it may have changed
    const int col = FCol;
    const bool kept = FColKept;
    const int keptCol = FKeptCol;
    ++FUpdating;
    Normalise(-1, mvHorizontal);
    --FUpdating;
    if (FCol == col) {
        FColKept = kept;
        FKeptCol = keptCol;
    } else {
        FCaretDirty = true;
    }
}

// ---- positions

int TEditor::ColToChar(int row, int col) const
{
    std::string_view text = RowText(row);
    std::string kinds = RowKinds(row);
    const int cells = static_cast<int>(kinds.size()) - 1;
    if (col <= 0)
        return 0;
    if (col >= cells)
        return static_cast<int>(text.size());
    int fill = 0;
    for (int c = 0; c < col; ++c)
        fill += kinds[static_cast<std::size_t>(c)] == cell::TabFill;
    int p = col - fill;
    if (kinds[static_cast<std::size_t>(col)] == cell::Trail)
        --p;
    return std::clamp(p, 0, static_cast<int>(text.size()));
}

int TEditor::CaretByte() const
{
    if (FCaretByte >= 0) {
        std::string_view text = RowText(FRow);
        return CharStart(text, std::min(FCaretByte, static_cast<int>(text.size())));
    }
    return ColToChar(FRow, FCol);
}

int TEditor::CaretCell() const
{
    return FCaretByte >= 0 ? CharToCol(FRow, CaretByte()) : FCol;
}

int TEditor::CaretBytePos() const
{
    if (FCaretByte >= 0)
        return CaretByte();
    std::string_view text = RowText(FRow);
    int w = RowWidth(FRow);
    if (FCol >= w)
        return static_cast<int>(text.size()) + (FCol - w);
    return ColToChar(FRow, FCol);
}

int TEditor::CharToCol(int row, int byte) const
{
    std::string_view text = RowText(row);
    byte = std::clamp(byte, 0, static_cast<int>(text.size()));
    return StrWidth(text.substr(0, static_cast<std::size_t>(byte)));
}

std::int64_t TEditor::OffsetFrom(int from, int row, int byte) const
{
    const int a = std::max(from, 0);
    const int b = std::min(row, RowCount());
    return (b > a ? FList->RowStart(b) - FList->RowStart(a) : 0) + byte;
}

std::int64_t TEditor::RowOffset(int row) const
{
    return FList->RowStart(row);
}

TRowByte TEditor::OffsetToRowByte(std::int64_t offset) const
{
    return FList->RowAtOffset(offset);
}

std::int64_t TEditor::CaretOffset() const
{
    return OffsetFrom(0, FRow, CaretByte());
}
