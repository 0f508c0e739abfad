#include "engine/Undo.h"

#include <algorithm>

#include "engine/Editor.h"
#include "engine/ScreenStrings.h"

void TEditorUndoObj::SetUndoListMax(int v)
{
    FMax = std::max(MinUndoListMax, v);
}

TUndoData& TEditorUndoObj::NewEntry()
{
    auto entry = std::make_unique<TUndoData>();
    if (TEditor* active = FOwner.ActiveEditor()) {
        entry->CaretRow = active->Row();
        entry->CaretCol = active->Col();
    }
    TUndoData& e = FUndoList.Append(std::move(entry));
    while (FUndoList.Count() > FMax)
        FUndoList.DeleteFirst();
    if (!FRedoing)
        FRedoList.Clear();
    return e;
}

void TEditorUndoObj::PushRedo(const TUndoData& entry)
{
    auto copy = std::make_unique<TUndoData>();
    if (TEditor* active = FOwner.ActiveEditor()) {
        copy->CaretRow = active->Row();
        copy->CaretCol = active->Col();
    }
    copy->StartRow = entry.StartRow;
    copy->NewRowCount = entry.NewRowCount;
    copy->OldEnd = entry.OldEnd;
    copy->OldText = entry.OldText;
    copy->OldRows = entry.OldRows;
    FRedoList.Append(std::move(copy));
}

void TEditorUndoObj::ClearHistory()
{
    FUndoList.Clear();
    FRedoList.Clear();
}

namespace {

// Hides the active editor's caret for the duration of an undo or redo.
struct CaretHidden {
    TEditor* e;
    explicit CaretHidden(TEditor* editor) : e(editor)
    {
        if (e)
            e->CaretBeginUpdate();
    }
    ~CaretHidden()
    {
        if (e)
            e->CaretEndUpdate();
    }
};

} // namespace

void TEditorUndoObj::Undo()
{
    if (FUndoList.Empty())
        return;
    // Out of the list first: handlers that run when the update ends may record new edits.
    std::unique_ptr<TUndoData> e = FUndoList.TakeLast();
    TEditor* active = FOwner.ActiveEditor();
    CaretHidden hidden(active);
    {
        FOwner.BeginUpdate();
        struct End {
            TEditorScreenStrings& s;
            ~End() { s.EndUpdate(); }
        } end{FOwner};
        TUndoData reverse = *e;
        FOwner.Restore(*e, reverse);
        PushRedo(reverse);
    }
    if (active)
        active->SetRowCol(e->CaretRow, e->CaretCol);
}

void TEditorUndoObj::Redo()
{
    if (FRedoList.Empty())
        return;
    std::unique_ptr<TUndoData> r = FRedoList.TakeLast();
    TEditor* active = FOwner.ActiveEditor();
    CaretHidden hidden(active);
    {
        FOwner.BeginUpdate();
        struct End {
            TEditorScreenStrings& s;
            ~End() { s.EndUpdate(); }
        } end{FOwner};
        TUndoData reverse = *r;
        FOwner.Restore(*r, reverse);
        FRedoing = true;
        TUndoData& e = NewEntry();
        FRedoing = false;
        e.StartRow = reverse.StartRow;
        e.NewRowCount = reverse.NewRowCount;
        e.OldEnd = reverse.OldEnd;
        e.OldText = std::move(reverse.OldText);
        e.OldRows = std::move(reverse.OldRows);
    }
    if (active)
        active->SetRowCol(r->CaretRow, r->CaretCol);
}
