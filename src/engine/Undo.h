#pragma once
// The undo and redo history of a row store. Every row replacement records one entry: which
// rows were replaced, the text they held and where the caret stood.
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "engine/RowAttributes.h"
#include "engine/RowStoreClient.h"

struct TUndoData {
    TUndoCaret Caret; // where the editor that made the change stood before it
    // On the redo list: where the editor stood before the change that was undone, so that
    // undoing it again after a redo puts that back, whoever redid it.
    TUndoCaret Before;
    TMarksGo Marks = TMarksGo::ToFirstRow; // how the replacement carried row marks
    int StartRow = -1;
    int NewRowCount = 0;  // rows that replaced the old ones (0: the change only deleted)
    TRowEnd OldEnd = reNone; // row end of the last old row; reNone: there was no old text
    std::string OldText;  // the old rows joined, CR LF after each reBreak row
    // The byte length of each old row. Undo puts back exactly these rows: re-wrapping the old
    // text could make a different number of rows (rows rebuilt from the middle of a line
    // need not break where a fresh wrap would), and then every older entry's row numbers
    // would point at the wrong rows. The top bit marks a row that ends with a line break: an
    // empty row after a line that filled its row exactly makes the text alone ambiguous.
    std::vector<std::uint32_t> OldRows;
    static constexpr std::uint32_t kRowBreak = 0x80000000u;
};

// An ordered list that owns its entries and can drop its oldest one cheaply.
class TUndoDataList {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    bool Empty() const { return FItems.empty(); }
    TUndoData& Last() { return *FItems.back(); }
    TUndoData& Append(std::unique_ptr<TUndoData> d)
    {
        FItems.push_back(std::move(d));
        return *FItems.back();
    }
    std::unique_ptr<TUndoData> TakeLast()
    {
        std::unique_ptr<TUndoData> d = std::move(FItems.back());
        FItems.pop_back();
        return d;
    }
    void DeleteFirst() { FItems.pop_front(); }
    void DeleteLast() { FItems.pop_back(); }
    void Clear() { FItems.clear(); }

private:
    std::deque<std::unique_ptr<TUndoData>> FItems;
};

class TEditorScreenStrings;

class TEditorUndoObj {
public:
    explicit TEditorUndoObj(TEditorScreenStrings& owner) : FOwner(owner) {}
    virtual ~TEditorUndoObj() = default;

    // A fresh entry on the undo list, caret taken from the active client; the oldest entry
    // goes when the list grows past the maximum; a new edit empties the redo list.
    virtual TUndoData& NewEntry();
    virtual bool CanRedo() const { return !FRedoList.Empty(); }
    virtual bool CanUndo() const { return !FUndoList.Empty(); }
    virtual void Redo();
    virtual void Undo();
    // Appends a copy of the entry to the redo list, caret taken from the active client now.
    virtual void PushRedo(const TUndoData& entry);
    virtual void ClearHistory();

    int UndoListMax() const { return FMax; }
    // Never fewer than 64 entries.
    void SetUndoListMax(int v);
    int UndoCount() const { return FUndoList.Count(); }
    int RedoCount() const { return FRedoList.Count(); }

    static constexpr int MinUndoListMax = 64;

private:
    void Step(std::unique_ptr<TUndoData> entry, bool redo);

    TEditorScreenStrings& FOwner;
    int FMax = MinUndoListMax;
    bool FRedoing = false;
    TUndoDataList FRedoList;
    TUndoDataList FUndoList;
};
