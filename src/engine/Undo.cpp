#include "engine/Undo.h"

#include <algorithm>

#include "engine/ScreenStrings.h"

void TEditorUndoObj::SetUndoListMax(int v)
{
    FMax = std::max(MinUndoListMax, v);
}

TUndoData& TEditorUndoObj::NewEntry()
{
    auto entry = std::make_unique<TUndoData>();
    if (TRowStoreClient* active = FOwner.ActiveClient())
        entry->Caret = active->UndoCaret();
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
    if (TRowStoreClient* active = FOwner.ActiveClient())
        copy->Caret = active->UndoCaret();
    copy->Before = entry.Before;
    copy->Marks = entry.Marks;
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

// Hides the active client's caret for the duration of an undo or redo.
struct CaretHidden {
    TRowStoreClient* e;
    explicit CaretHidden(TRowStoreClient* client) : e(client)
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
    if (!FUndoList.Empty())
        Step(FUndoList.TakeLast(), false);
}

void TEditorUndoObj::Redo()
{
    if (!FRedoList.Empty())
        Step(FRedoList.TakeLast(), true);
}

// The entry is out of its list before anything changes: handlers that run when the update
// ends may record new edits.
void TEditorUndoObj::Step(std::unique_ptr<TUndoData> entry, bool redo)
{
    TRowStoreClient* active = FOwner.ActiveClient();
    CaretHidden hidden(active);
    {
        FOwner.BeginUpdate();
        struct End {
            TEditorScreenStrings& s;
            ~End() { s.EndUpdate(); }
        } end{FOwner};
        TUndoData reverse = *entry;
        FOwner.Restore(*entry, reverse);
        if (!redo) {
            reverse.Before = entry->Caret;
            PushRedo(reverse);
        } else {
            // Back on the undo list without emptying the redo list.
            FRedoing = true;
            TUndoData& e = NewEntry();
            FRedoing = false;
            e.Caret = entry->Before;
            e.Marks = reverse.Marks;
            e.StartRow = reverse.StartRow;
            e.NewRowCount = reverse.NewRowCount;
            e.OldEnd = reverse.OldEnd;
            e.OldText = std::move(reverse.OldText);
            e.OldRows = std::move(reverse.OldRows);
        }
    }
    // Where the caret stood before the change being taken back.
    if (active)
        active->RestoreUndoCaret(entry->Caret);
}
