// Editing operations. Each change is one row replacement (one undo entry) inside a compound
// block, and the caret is placed afterwards by a byte offset counted from a row that the
// replacement leaves alone, so it lands on the same text however the rows re-wrap.
#include <algorithm>

#include "engine/Editor.h"
#include "engine/EditorCells.h"

namespace {

std::string Spaces(int n)
{
    return std::string(static_cast<std::size_t>(std::max(n, 0)), ' ');
}

} // namespace

// ---- helpers

std::string TEditor::RowTail(int row) const
{
    return row >= 0 && row < RowCount() && FList->RowEnd(row) == reBreak ? std::string(kCrLf) : std::string();
}

// Bytes from the start of row a to the start of row b, counting a row's text and its line
// break. A last row without one counts its bare text: text added after it continues it.
std::int64_t TEditor::BytesBetween(int a, int b) const
{
    std::int64_t n = 0;
    for (int r = a; r < b && r < RowCount(); ++r)
        n += FList->RowLength(r) + (FList->RowEnd(r) == reBreak ? 2 : 0);
    return n;
}

// A row above every row that replacing rows from `start` on can rebuild (rebuilding starts
// at most one row up, on the same line), so offsets counted from it stay valid.
int TEditor::EditBase(int start) const
{
    return std::max(0, std::min(FList->FirstRowOfLine(start), start - 1));
}

void TEditor::Replace(int start, int count, std::string_view text, int base, std::int64_t caret)
{
    // Lines typed in at the start of a row push its text, and its marks, down.
    FList->ReplaceRows(start, count, text, FCol == 0 ? TMarksGo::WithText : TMarksGo::ToFirstRow);
    PlaceCaret(base, caret);
}

// ---- inserting

void TEditor::InsertText(std::string_view input)
{
    if (FReadOnly)
        return;
    // A copy: the caller's text may be a view of rows this changes. Its line breaks are
    // written as the rows will hold them, so the caret's offset counts the same bytes.
    const std::string own = CrLfBreaks(input);
    const std::string_view s = own;
    if (s.empty()) {
        if (Selected())
            ClearSelection();
        return;
    }
    Compound(*this, [&] {
        if (Selected()) {
            ReplaceSelection(s);
            return;
        }
        DropSelection();
        const int r = FRow;
        const int base = EditBase(r);
        const std::int64_t before = BytesBetween(base, r);
        if (r >= RowCount()) {
            // The row after the last: the text is appended, padded out to a free caret.
            std::string text = Spaces(FCol);
            text.append(s);
            Replace(RowCount(), 0, text, base, before + static_cast<std::int64_t>(text.size()));
            return;
        }
        std::string_view row = RowText(r);
        int p = CaretBytePos();
        int pad = 0;
        if (p > static_cast<int>(row.size())) {
            pad = p - static_cast<int>(row.size());
            p = static_cast<int>(row.size());
        }
        std::string text;
        text.reserve(row.size() + static_cast<std::size_t>(pad) + s.size() + 2);
        text.append(row.substr(0, static_cast<std::size_t>(p)));
        text.append(static_cast<std::size_t>(pad), ' ');
        text.append(s);
        text.append(row.substr(static_cast<std::size_t>(p)));
        text.append(RowTail(r));
        Replace(r, 1, text, base, before + p + pad + static_cast<std::int64_t>(s.size()));
    });
}

TEditor::TSelectionCut TEditor::CutSelection(const TEditorSelection& sel, bool box) const
{
    TSelectionCut cut;
    const int r1 = sel.StartRow;
    if (r1 >= RowCount()) {
        cut.Next = RowCount();
        return cut;
    }
    cut.Next = std::clamp(sel.EndRow + 1, r1 + 1, RowCount());
    if (box) {
        const TWrapContext cx = WrapContext();
        for (int r = r1; r < cut.Next; ++r) {
            std::string_view row = RowText(r);
            const TByteRange slice = BoxSliceBytes(row, sel.StartCol, sel.EndCol, cx);
            cut.Empty = cut.Empty && slice.Length() <= 0;
            std::string t(row.substr(0, static_cast<std::size_t>(slice.First)));
            t.append(row.substr(static_cast<std::size_t>(slice.Last)));
            cut.Rows.push_back({std::move(t), FList->RowEnd(r), slice.First});
        }
        return cut;
    }
    std::string_view first = RowText(r1);
    const int at = std::min<int>(sel.StartByte, first.size());
    std::string t(first.substr(0, static_cast<std::size_t>(at)));
    TRowEnd end = reEof; // selected up to the end: the last line break goes too
    if (sel.EndRow < RowCount()) {
        std::string_view last = RowText(sel.EndRow);
        t.append(last.substr(static_cast<std::size_t>(std::clamp<int>(sel.LastByte + 1, 0, last.size()))));
        end = FList->RowEnd(sel.EndRow);
    }
    cut.Empty = sel.EndRow == r1 && sel.LastByte + 1 <= sel.StartByte;
    cut.Rows.push_back({std::move(t), end, at});
    return cut;
}

// Removes the selection and puts s at its place, in one replacement; the caret goes after s.
void TEditor::ReplaceSelection(std::string_view s)
{
    const TEditorSelection sel = FSel;
    const bool box = FBoxSelection;
    CleanSelection();
    const int r1 = sel.StartRow;
    const int base = EditBase(r1);
    const std::int64_t before = BytesBetween(base, r1);
    if (r1 >= RowCount()) {
        // Nothing selectable below the last row: s goes at the end.
        if (!s.empty())
            Replace(RowCount(), 0, s, base, before + static_cast<std::int64_t>(s.size()));
        return;
    }
    TSelectionCut cut = CutSelection(sel, box);
    const std::int64_t caret = before + cut.Rows.front().At + static_cast<std::int64_t>(s.size());
    if (cut.Empty && s.empty()) {
        PlaceCaret(base, caret); // nothing selected, nothing to change
        return;
    }
    // s goes where the first row was cut.
    cut.Rows.front().Text.insert(static_cast<std::size_t>(cut.Rows.front().At), s);
    std::string text;
    for (const TCutRow& row : cut.Rows) {
        text.append(row.Text);
        if (row.End == reBreak)
            text.append(kCrLf);
    }
    Replace(r1, cut.Next - r1, text, base, caret);
}

void TEditor::TypeText(std::string_view input)
{
    if (FReadOnly || input.empty())
        return;
    const std::string own = CrLfBreaks(input);
    const std::string_view s = own;
    if (!FOverWrite || Selected() || FRow >= RowCount() || CaretCell() >= RowWidth(FRow)) {
        InsertText(s);
        return;
    }
    Compound(*this, [&] {
        DropSelection();
        const TWrapContext cx = WrapContext();
        const int r = FRow;
        const int base = EditBase(r);
        std::string_view row = RowText(r);
        const int p = CaretByte();
        const int col = CaretCell();
        // The cells s takes where it is typed.
        int cells = 0;
        for (std::size_t i = 0; i < s.size();) {
            std::size_t len = CharLength(s, i);
            cells += s[i] == '\t' ? cx.TabCells(col + cells) : static_cast<int>(len);
            i += len;
        }
        // The old text resumes that many cells on, on the following rows of the line if need be.
        int resume = col + cells;
        int k = r;
        while (resume > RowWidth(k) && FList->RowEnd(k) == reWrapped && k + 1 < RowCount()) {
            resume -= RowWidth(k);
            ++k;
        }
        std::string_view rest = RowText(k);
        TCharAt at = CharAtCell(rest, resume, cx);
        std::string suffix;
        if (at.Byte < static_cast<int>(rest.size()) && at.Cell < resume) {
            // The resume point cuts a character: half a double-byte one is left as a space; a
            // tab is overwritten whole.
            if (at.Length == 2)
                suffix = " ";
            suffix.append(rest.substr(static_cast<std::size_t>(at.Byte + at.Length)));
        } else {
            suffix.append(rest.substr(static_cast<std::size_t>(at.Byte)));
        }
        std::string text(row.substr(0, static_cast<std::size_t>(p)));
        text.append(s);
        text.append(suffix);
        text.append(RowTail(k));
        Replace(r, k - r + 1, text, base, BytesBetween(base, r) + p + static_cast<std::int64_t>(s.size()));
    });
}

// ---- line breaks

// The indentation of a line broken at cell `col`: `firstRow` is the text of the first row of
// the line, `onFirstRow` says whether the break is in that row and `rowEmpty` whether the
// row it is in is empty; `lineRow` is the line's first row, for a look at the lines above.
int TEditor::NewlineIndent(std::string_view firstRow, int col, bool onFirstRow, bool rowEmpty, int lineRow) const
{
    if (!FCaret->AutoIndent())
        return 0;
    const int f = IndentWidth(firstRow);
    if (f >= 1)
        return onFirstRow && col < f ? col : f;
    if (FCaret->PrevSpaceIndent() && onFirstRow && rowEmpty) {
        for (int q = lineRow - 1; q >= 0; --q) {
            q = FList->FirstRowOfLine(q);
            if (!RowText(q).empty())
                return std::max(IndentWidth(RowText(q)), 0);
        }
    }
    return 0;
}

std::string TEditor::IndentString(int cells) const
{
    if (!FCaret->TabIndent())
        return Spaces(cells);
    const int t = WrapContext().TabSpaceCount; // the rows' tab width, which the cells follow
    std::string indent(static_cast<std::size_t>(cells / t), '\t');
    indent.append(Spaces(cells % t));
    return indent;
}

// What Enter puts in place of the selection: a line break and the indentation the line gets
// once the selection is gone. That line is rebuilt here as the replacement will rebuild it
// (from one row above the cut, to the end of its line), so the indentation is worked out on
// the same rows a separate delete would have left. `atEnd`: the selection reaches the end of
// the text from the start of a line, so the caret would stand after the last row, where Enter
// adds a bare line break.
std::string TEditor::NewlineOverSelection(bool& atEnd) const
{
    atEnd = true;
    const TEditorSelection& sel = FSel;
    const int r1 = sel.StartRow;
    if (r1 >= RowCount())
        return std::string(kCrLf);
    const TWrapContext cx = WrapContext();
    const int fl = FList->FirstRowOfLine(r1);
    const int first = std::max(fl, r1 - 1);
    // Row r with the box's slice gone.
    auto cutRow = [&](int r) {
        std::string_view row = RowText(r);
        if (!FBoxSelection || r < sel.StartRow || r > sel.EndRow)
            return std::string(row);
        TByteRange b = BoxSliceBytes(row, sel.StartCol, sel.EndCol, cx);
        std::string t(row.substr(0, static_cast<std::size_t>(b.First)));
        t.append(row.substr(static_cast<std::size_t>(b.Last)));
        return t;
    };
    std::string line;
    for (int r = first; r < r1; ++r)
        line.append(RowText(r));
    std::size_t caret;
    int r = r1; // the row whose rest the line continues with; -1: nothing follows
    if (FBoxSelection) {
        caret = line.size() + static_cast<std::size_t>(BoxSliceBytes(RowText(r1), sel.StartCol, sel.EndCol, cx).First);
        line.append(cutRow(r1));
    } else {
        std::string_view row = RowText(r1);
        line.append(row.substr(0, static_cast<std::size_t>(std::min<int>(sel.StartByte, row.size()))));
        caret = line.size();
        if (sel.EndRow >= RowCount()) {
            r = -1;
        } else {
            std::string_view last = RowText(sel.EndRow);
            line.append(last.substr(static_cast<std::size_t>(std::clamp<int>(sel.LastByte + 1, 0, last.size()))));
            r = sel.EndRow;
        }
    }
    while (r >= 0 && r + 1 < RowCount() && FList->RowEnd(r) == reWrapped)
        line.append(cutRow(++r));
    if (line.empty() && fl == r1 && (r < 0 || (r == RowCount() - 1 && FList->RowEnd(r) == reEof)))
        return std::string(kCrLf);
    atEnd = false;

    TEditorStringList rows;
    FList->WrapLine(line, rows);
    // The row the caret would stand on: the end of a wrapped row is the next one's start.
    int k = 0;
    while (k + 1 < rows.Count() && caret >= static_cast<std::size_t>(rows.RowLength(k))) {
        caret -= static_cast<std::size_t>(rows.RowLength(k));
        ++k;
    }
    std::string_view caretRow = rows.Get(k);
    const int col = CellOfByte(caretRow, static_cast<int>(std::min(caret, caretRow.size())), cx);
    const bool onFirstRow = first == fl && k == 0;
    const std::string firstRow(first == fl ? rows.Get(0) : RowText(fl));
    std::string s(kCrLf);
    s.append(IndentString(NewlineIndent(firstRow, col, onFirstRow, caretRow.empty(), fl)));
    return s;
}

void TEditor::Newline(bool above)
{
    if (FReadOnly || (above && Selected()))
        return;
    Compound(*this, [&] {
        if (Selected()) {
            // One replacement, so one undo step: the selection and the line break together.
            bool atEnd;
            const std::string s = NewlineOverSelection(atEnd);
            if (FOverWrite && !atEnd) { // overwrite: the selection goes, the caret moves down
                ReplaceSelection({});
                SetRow(FRow + 1);
                SetCol(0);
                return;
            }
            ReplaceSelection(s);
            return;
        }
        DropSelection();
        const int r = FRow;
        if (r >= RowCount()) {
            FList->ReplaceRows(RowCount(), 0, kCrLf);
            SetRow(r + 1);
            SetCol(0);
            return;
        }
        if (FOverWrite) {
            SetRow(r + 1);
            SetCol(0);
            return;
        }
        const int fl = FList->FirstRowOfLine(r);
        const std::string indent =
            IndentString(NewlineIndent(RowText(fl), CaretCell(), r == fl, RowText(r).empty(), fl));
        if (above) {
            const int base = EditBase(fl);
            std::string text = indent;
            text.append(kCrLf);
            Replace(fl, 0, text, base, BytesBetween(base, fl) + static_cast<std::int64_t>(indent.size()));
            return;
        }
        std::string_view row = RowText(r);
        const int p = std::min<int>(CaretBytePos(), row.size());
        std::string text(row.substr(0, static_cast<std::size_t>(p)));
        text.append(kCrLf);
        text.append(indent);
        text.append(row.substr(static_cast<std::size_t>(p)));
        text.append(RowTail(r));
        const int base = EditBase(r);
        Replace(r, 1, text, base, BytesBetween(base, r) + p + 2 + static_cast<std::int64_t>(indent.size()));
    });
}

// ---- deleting

// The indentation back space outdents to: that of the nearest row above with less than the
// caret's column (an empty row counts 0; rows of the caret's own line only when indented).
int TEditor::UnindentTarget() const
{
    const int fl = FList->FirstRowOfLine(FRow);
    const int col = CaretCell();
    for (int q = std::min(FRow, RowCount()) - 1; q >= 0; --q) {
        int iw = std::max(IndentWidth(RowText(q)), 0);
        if (q >= fl && iw == 0)
            continue;
        if (iw < col)
            return iw;
    }
    return 0;
}

void TEditor::BackSpace()
{
    if (FReadOnly)
        return;
    if (Selected()) {
        ClearSelection();
        return;
    }
    Compound(*this, [&] {
        DropSelection();
        if (RowCount() == 0) {
            SetCol(FCol - 1);
            return;
        }
        const int r = FRow;
        const int p = CaretBytePos();
        const int col = CaretCell();
        if (p > 0) {
            std::string_view row = RowText(r);
            const int w = RowWidth(r);
            const int iw = IndentWidth(row);
            if (FCaret->BackSpaceUnIndent() && (iw == -1 || iw == w || iw == col)) {
                const int ni = UnindentTarget();
                // Beyond the row end the blanks are the caret's own: only the caret moves.
                if (ni >= w || r >= RowCount()) {
                    SetCol(ni);
                    return;
                }
                const TWrapContext cx = WrapContext();
                // Keep the whole characters left of the new edge, then fill up to it.
                TCharAt edge = CharAtCell(row, ni, cx);
                const int kb = edge.Byte, cellsKept = edge.Cell;
                std::string text(row.substr(0, static_cast<std::size_t>(kb)));
                text.append(Spaces(ni - cellsKept));
                const std::size_t prefix = text.size();
                int pb = std::min(CaretByte(), static_cast<int>(row.size()));
                // A tab the caret stands in keeps the cells after the caret, as spaces.
                if (FCaretByte < 0 && col < w && RowKinds(r)[static_cast<std::size_t>(col)] == cell::TabFill)
                    text.append(Spaces(CellOfByte(row, pb, cx) - col));
                text.append(row.substr(static_cast<std::size_t>(pb)));
                text.append(RowTail(r));
                const int base = EditBase(r);
                Replace(r, 1, text, base, BytesBetween(base, r) + static_cast<std::int64_t>(prefix));
                return;
            }
            if (col > w) {
                SetCol(FCol - 1);
                return;
            }
            const int pb = CaretByte();
            const int q = CharStart(row, pb - 1);
            std::string text(row.substr(0, static_cast<std::size_t>(q)));
            text.append(row.substr(static_cast<std::size_t>(pb)));
            text.append(RowTail(r));
            const int base = EditBase(r);
            Replace(r, 1, text, base, BytesBetween(base, r) + q);
            return;
        }
        if (r == 0)
            return;
        const int above = r - 1;
        std::string_view upper = RowText(above);
        const int base = EditBase(above);
        const std::int64_t before = BytesBetween(base, above);
        if (FList->RowEnd(above) == reWrapped) {
            // The character before the caret on screen is the last of the row above.
            const int q = CharStart(upper, static_cast<int>(upper.size()) - 1);
            // A copy: the view points into the row being replaced.
            Replace(above, 1, std::string(upper.substr(0, static_cast<std::size_t>(q))), base, before + q);
            return;
        }
        std::string text(upper);
        int count = 1;
        if (r < RowCount()) {
            text.append(RowText(r));
            text.append(RowTail(r));
            count = 2;
        }
        Replace(above, count, text, base, before + static_cast<std::int64_t>(upper.size()));
    });
}

void TEditor::DeleteChar()
{
    if (FReadOnly)
        return;
    if (Selected()) {
        ClearSelection();
        return;
    }
    Compound(*this, [&] {
        DropSelection();
        const int r = FRow;
        if (r >= RowCount())
            return;
        std::string_view row = RowText(r);
        const int w = RowWidth(r);
        const int base = EditBase(r);
        const std::int64_t before = BytesBetween(base, r);
        const int col = CaretCell();
        if (col < w) {
            int q = CaretByte();
            int end;
            if (FCaretByte < 0 && RowKinds(r)[static_cast<std::size_t>(col)] == cell::TabFill) {
                end = q; // in a tab's fill: the tab itself goes
                q = CharStart(row, q - 1);
            } else {
                end = q + static_cast<int>(CharLength(row, static_cast<std::size_t>(q)));
            }
            std::string text(row.substr(0, static_cast<std::size_t>(q)));
            text.append(row.substr(static_cast<std::size_t>(end)));
            text.append(RowTail(r));
            Replace(r, 1, text, base, before + q);
            return;
        }
        const TRowEnd kind = FList->RowEnd(r);
        if (kind == reEof)
            return;
        const int p = CaretBytePos();
        std::string text(row);
        if (kind == reWrapped) {
            // The caret never rests at a wrapped row's end; treat it as the next row's start.
            std::string_view next = RowText(r + 1);
            text.append(next.substr(CharLength(next, 0)));
            text.append(RowTail(r + 1));
            Replace(r, 2, text, base, before + static_cast<std::int64_t>(row.size()));
            return;
        }
        text.append(Spaces(p - static_cast<int>(row.size())));
        int count = 1;
        if (r + 1 < RowCount()) {
            text.append(RowText(r + 1));
            text.append(RowTail(r + 1));
            count = 2;
        }
        Replace(r, count, text, base, before + p);
    });
}

void TEditor::ClearSelection()
{
    if (FReadOnly || !Selected())
        return;
    Compound(*this, [&] { ReplaceSelection({}); });
}
