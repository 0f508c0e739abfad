// Box paste and block indent.
#include <algorithm>
#include <climits>
#include <vector>

#include "engine/Editor.h"
#include "engine/EditorCells.h"

namespace {

bool IsBlankByte(unsigned char b)
{
    return b <= 0x20;
}

} // namespace

// ---- box paste

void TEditor::BoxPaste(std::string_view input)
{
    if (FReadOnly)
        return;
    // The caller's text may be a view of rows this changes.
    const std::string own(input);
    const std::string_view s = own;
    if (s.empty()) {
        if (Selected())
            ClearSelection();
        return;
    }
    std::vector<std::string_view> lines;
    ForEachLine(s, false, [&](std::string_view line, std::size_t) { lines.push_back(line); });
    Compound(*this, [&] {
        const TWrapContext cx = WrapContext();
        // The existing rows the block goes into, from r1 on: the ones a selection was cut
        // out of, then those below that the block reaches.
        std::vector<TCutRow> targets;
        int r1, col, next;
        if (Selected()) {
            const TEditorSelection sel = FSel;
            const bool box = FBoxSelection;
            CleanSelection();
            TSelectionCut cut = CutSelection(sel, box);
            r1 = sel.StartRow;
            col = sel.StartCol;
            targets = std::move(cut.Rows);
            next = cut.Next;
        } else {
            DropSelection();
            r1 = FRow;
            col = FCol;
            next = r1;
        }
        const int base = EditBase(r1);
        const int cutRows = static_cast<int>(targets.size());
        const int n = static_cast<int>(lines.size());
        for (int k = cutRows; k < n && next < RowCount(); ++k, ++next)
            targets.push_back({std::string(RowText(next)), FList->RowEnd(next), -1}); // -1: the column decides
        const int existing = static_cast<int>(targets.size());
        // The rows replaced: the cut ones (a normal selection may have spanned several) and
        // the following ones the block reaches.
        const int count = std::min(next, RowCount()) - std::min(r1, RowCount());

        std::string text;
        std::size_t caret = 0;
        for (int k = 0; k < std::max(n, existing); ++k) {
            std::string row;
            TRowEnd end = reBreak;
            if (k < existing) {
                TCutRow& t = targets[static_cast<std::size_t>(k)];
                row = std::move(t.Text);
                end = t.End;
                if (k < n) {
                    int at = t.At;
                    int width = CellOfByte(row, at < 0 ? static_cast<int>(row.size()) : at, cx);
                    if (at < 0) {
                        TCharAt c = CharAtCell(row, col, cx);
                        at = c.Byte; // a character the column cuts stays before the block
                        width = c.Cell;
                        if (c.Cell < col && c.Length > 0) {
                            at += c.Length;
                            width = CellOfByte(row, at, cx);
                        }
                    }
                    std::string piece = std::string(static_cast<std::size_t>(std::max(col - width, 0)), ' ');
                    piece.append(lines[static_cast<std::size_t>(k)]);
                    row.insert(static_cast<std::size_t>(at), piece);
                    if (k == n - 1)
                        caret = text.size() + static_cast<std::size_t>(at) + piece.size();
                }
            } else {
                row.assign(static_cast<std::size_t>(std::max(col, 0)), ' ');
                row.append(lines[static_cast<std::size_t>(k)]);
                if (k == n - 1)
                    caret = text.size() + row.size();
            }
            text.append(row);
            // The block always leaves a line break after its last row.
            if (end != reWrapped)
                text.append(kCrLf);
        }
        Replace(std::min(r1, RowCount()), count, text, base,
                BytesBetween(base, std::min(r1, RowCount())) + static_cast<std::int64_t>(caret));
    });
}

// ---- block indent

namespace {

// What indenting one row changes: `Removed` bytes at the indent point become `Piece`.
struct TRowIndent {
    bool Change = false;
    int Removed = 0;
    std::string Piece;
};

// Indents or unindents `row` at byte `at` (the row's start, or where a box starts). An indent
// that would take the row to `limit` cells or more is refused, so it does not wrap.
TRowIndent IndentRow(std::string_view row, std::size_t at, TIndentKind kind,
                     const TWrapContext& cx, int limit)
{
    using K = TIndentKind;
    TRowIndent out;
    switch (kind) {
    case K::IndentSpace: {
        // The blanks already there become spaces, one more than their cells.
        std::size_t q = at;
        while (q < row.size()) {
            if (row.compare(q, 2, "\x81\x40") == 0)
                q += 2;
            else if (IsBlankByte(static_cast<unsigned char>(row[q])))
                ++q;
            else
                break;
        }
        const int blanks = CellOfByte(row, static_cast<int>(q), cx) - CellOfByte(row, static_cast<int>(at), cx);
        out.Change = StrWidth(row, cx) + 1 < limit;
        out.Removed = static_cast<int>(q - at);
        out.Piece.assign(static_cast<std::size_t>(blanks + 1), ' ');
        break;
    }
    case K::UnindentSpace:
        if (at < row.size() && (row[at] == ' ' || row[at] == '\t'))
            out.Removed = 1;
        else if (row.compare(at, 2, "\x81\x40") == 0)
            out.Removed = 2;
        out.Change = out.Removed > 0;
        break;
    case K::IndentTab:
        out.Change = static_cast<int>(row.size()) + cx.TabSpaceCount < limit;
        out.Piece = "\t";
        break;
    case K::UnindentTab:
        out.Removed = at < row.size() && row[at] == '\t' ? 1 : 0;
        out.Change = out.Removed > 0;
        break;
    }
    return out;
}

} // namespace

void TEditor::IndentSpace()
{
    BlockIndent(TIndentKind::IndentSpace);
}

void TEditor::UnindentSpace()
{
    BlockIndent(TIndentKind::UnindentSpace);
}

void TEditor::IndentTab()
{
    BlockIndent(TIndentKind::IndentTab);
}

void TEditor::UnindentTab()
{
    BlockIndent(TIndentKind::UnindentTab);
}

void TEditor::BlockIndent(TIndentKind kind)
{
    if (FReadOnly || !Selected() || RowCount() == 0)
        return;
    const TWrapContext cx = WrapContext();
    const TEditorSelection sel = FSel;
    const bool box = FBoxSelection;
    const int r1 = std::min(sel.StartRow, RowCount() - 1);
    int r2 = std::min(sel.EndRow, RowCount() - 1);
    if (!box && sel.EndRow > sel.StartRow && sel.LastByte < 0)
        r2 = std::min(r2, sel.EndRow - 1); // a selection ending at column 0 leaves that row alone
    const int limit = WordWrap() ? WrapOption().WrapByte() : INT_MAX;

    // One change per row: `removed` bytes at `at` became `inserted` bytes.
    struct TChange {
        int At = 0;
        int Removed = 0;
        int Inserted = 0;
        int CellDelta = 0;
        int AtCell = 0;
    };
    std::vector<TChange> changes(static_cast<std::size_t>(r2 - r1 + 1));
    std::string text;
    bool any = false;
    for (int r = r1; r <= r2; ++r) {
        std::string row(RowText(r));
        TChange& ch = changes[static_cast<std::size_t>(r - r1)];
        const bool wholeLine = !WordWrap() || (FList->FirstRowOfLine(r) == r && FList->RowEnd(r) != reWrapped);
        int at = 0;
        if (box) {
            at = BoxSliceBytes(row, sel.StartCol, INT_MAX, cx).First;
            if (at >= static_cast<int>(row.size()))
                at = -1; // nothing of the row reaches into the box
        }
        if (wholeLine && at >= 0) {
            const TRowIndent indent = IndentRow(row, static_cast<std::size_t>(at), kind, cx, limit);
            if (indent.Change) {
                const int oldEnd = CellOfByte(row, at + indent.Removed, cx);
                row.replace(static_cast<std::size_t>(at), static_cast<std::size_t>(indent.Removed), indent.Piece);
                const int inserted = static_cast<int>(indent.Piece.size());
                ch = {at, indent.Removed, inserted, CellOfByte(row, at + inserted, cx) - oldEnd, CellOfByte(row, at, cx)};
                any = true;
            }
        }
        text.append(row);
        text.append(RowTail(r));
    }
    if (!any)
        return;

    // Anchor and caret move with the text of their rows; a position at the change's start
    // stays, so whole selected lines keep their new indentation selected.
    auto moveByte = [&](int row, int byte) {
        if (row < r1 || row > r2)
            return byte;
        const TChange& ch = changes[static_cast<std::size_t>(row - r1)];
        if (byte >= ch.At + ch.Removed && byte > ch.At)
            return byte + ch.Inserted - ch.Removed;
        if (byte > ch.At)
            return ch.At + ch.Inserted;
        return byte;
    };
    auto moveCol = [&](int row, int col) {
        if (row < r1 || row > r2)
            return col;
        const TChange& ch = changes[static_cast<std::size_t>(row - r1)];
        return col > ch.AtCell ? std::max(col + ch.CellDelta, ch.AtCell) : col;
    };
    const int base = EditBase(r1);
    const std::int64_t baseToR1 = BytesBetween(base, r1);
    // Where a position is after the change, as a row the change leaves alone and an offset
    // from it. The caret may stand away from the selected rows (moved without extending the
    // selection), above or below them.
    struct TPos {
        int From;
        std::int64_t Offset;
    };
    auto positionOf = [&](int row, int byte) -> TPos {
        if (row < base)
            return {row, byte};
        if (row < r1)
            return {base, BytesBetween(base, row) + byte};
        // Rows r1..r2 are replaced by `text`; the offset is counted through the new text.
        std::int64_t off = baseToR1;
        for (int r = r1; r < row; ++r) {
            const TChange ch = r <= r2 ? changes[static_cast<std::size_t>(r - r1)] : TChange{};
            off += FList->RowLength(r) + ch.Inserted - ch.Removed + (FList->RowEnd(r) == reBreak ? 2 : 0);
        }
        return {base, off + byte};
    };
    const int caretByte = CaretByte();
    const TPos anchorPos = positionOf(FAnchorRow, moveByte(FAnchorRow, FAnchorByte));
    const TPos caretPos = positionOf(FRow, moveByte(FRow, caretByte));
    const int anchorCol = moveCol(FAnchorRow, FAnchorCol);
    const int caretCol = moveCol(FRow, FCol);

    Compound(*this, [&] {
        FList->ReplaceRows(r1, r2 - r1 + 1, text);
        PlaceCaret(anchorPos.From, anchorPos.Offset);
        FAnchorRow = FRow;
        FAnchorByte = ColToChar(FRow, FCol);
        FAnchorCol = box ? anchorCol : FCol;
        PlaceCaret(caretPos.From, caretPos.Offset);
        if (box)
            SetCol(caretCol);
        RecomputeSelection(true);
    });
}
