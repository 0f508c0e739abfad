#include "engine/Editor.h"

#include <algorithm>

TEditor::TEditor()
    : FList(std::make_shared<TEditorScreenStrings>()), FLines(std::make_unique<TEditorStrings>(*this)),
      FCaret(std::make_unique<TEditorCaret>()), FDelimiters(&WordDelimiters())
{
    FTabSpaceCount = FCaret->TabSpaceCount();
    FCaret->OnChange = [this](TObject* sender) { CaretChanged(sender); };
    FList->Attach(this);
}

TEditor::~TEditor()
{
    FCaret->OnChange = nullptr;
    FList->Detach(this);
}

void TEditor::CaretChanged(TObject*)
{
    if (FCaret->TabSpaceCount() == FTabSpaceCount)
        return;
    FTabSpaceCount = FCaret->TabSpaceCount();
    // Tab widths decide where wrapped rows break; the owner's caret options are the store's.
    if (!FList->Editors().empty() && FList->Editors().front() == this)
        FList->TabSpaceCountChanged();
}

TRowEnd TEditor::RowEnd(int i) const
{
    if (i < 0 || i >= RowCount())
        return reEof;
    return FList->RowEnd(i);
}

void TEditor::SetRowMarks(int i, std::uint16_t marks)
{
    if (i < 0 || i >= RowCount())
        return;
    FList->SetRowMarks(i, marks);
    FList->AddUsedMarks(marks);
}

int TEditor::RowToLine(int i) const
{
    if (!WordWrap())
        return i;
    int line = 0;
    int n = std::min(i, RowCount());
    for (int r = 0; r < n; ++r)
        line += FList->RowEnd(r) == reBreak;
    return line;
}

std::int64_t TEditor::TextLength() const
{
    std::int64_t total = 0;
    for (int r = 0; r < RowCount(); ++r)
        total += FList->RowEnd(r) == reEof ? FList->RowLength(r) : FList->RowByteLength(r);
    return total;
}

void TEditor::AttachTo(TEditor& other)
{
    if (other.FList == FList)
        return;
    DropSelection();
    FList->Detach(this);
    FList = other.FList;
    FList->Attach(this);
    PullIntoRows();
}

void TEditor::SetWordWrap(bool v)
{
    FList->SetWordWrap(v);
}

void TEditor::Undo()
{
    DropSelection();
    FList->Undo();
}

void TEditor::Redo()
{
    DropSelection();
    FList->Redo();
}

// ---- caret

int TEditor::MaxCaretRow() const
{
    int n = RowCount();
    if (n == 0)
        return 0;
    return FList->RowEnd(n - 1) == reBreak ? n : n - 1;
}

void TEditor::SetRow(int v)
{
    FRow = std::clamp(v, 0, MaxCaretRow());
}

void TEditor::SetCol(int v)
{
    FCol = std::clamp(v, 0, 1000);
}

void TEditor::SetRowCol(int row, int col)
{
    if (row == FRow && col == FCol)
        return;
    SetRow(row);
    std::string kinds = CellKinds(RowText(FRow));
    auto kindAt = [&kinds](int c) { return c >= 0 && c < static_cast<int>(kinds.size()) ? kinds[c] : cell::End; };
    if (kindAt(col) == cell::Trail)
        --col;
    if (!FCaret->InTab())
        while (col > 0 && kindAt(col) == cell::TabFill)
            --col;
    SetCol(col);
}

void TEditor::SetCaretByOffset(int row, std::int64_t offset)
{
    int r = std::clamp(row, 0, RowCount());
    std::int64_t off = std::max<std::int64_t>(offset, 0);
    while (r < RowCount()) {
        std::int64_t len = FList->RowLength(r);
        TRowEnd kind = FList->RowEnd(r);
        if (kind == reWrapped) {
            if (off < len)
                break;
            off -= len;
        } else if (kind == reEof) {
            off = std::min(off, len);
            break;
        } else {
            if (off <= len)
                break;
            if (off < len + 2) { // between CR and LF: the end of the row
                off = len;
                break;
            }
            off -= len + 2;
        }
        ++r;
    }
    SetRow(r);
    std::string_view text = RowText(FRow);
    SetCol(StrWidth(text.substr(0, static_cast<std::size_t>(std::min<std::int64_t>(off, text.size())))));
}

void TEditor::ResetCaret()
{
    FRow = 0;
    FCol = 0;
}

void TEditor::PullIntoRows()
{
    if (FRow > MaxCaretRow())
        FRow = MaxCaretRow();
}

// ---- notifications from the rows

void TEditor::RowsChanged(const TLastChange& change, bool)
{
    if (change.Changed) {
        FModified = true;
        if (OnChange)
            OnChange(this);
    }
}

void TEditor::RowsRebuilt()
{
    PullIntoRows();
    FCol = 0;
}
