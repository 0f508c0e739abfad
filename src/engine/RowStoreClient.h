#pragma once
// What the row store knows of the editors that show its rows: a small client interface, the
// settings its owner hands it, and the caret state an undo entry keeps.
#include "engine/RowAttributes.h"
#include "engine/Wrap.h"

// What the last row replacement changed, for repainting only that.
struct TLastChange {
    int StartRow = 0;
    int OldCount = 0;    // rows replaced
    int ParsedCount = 0; // rows whose parse state was recomputed
    int NewCount = 0;    // rows that replaced them
    bool Changed = false;
};

// Where the marks of a replaced row go when lines are inserted into it: to the first new row,
// or with the row's old text (lines inserted at its start push the text and its mark down).
enum class TMarksGo { ToFirstRow, WithText };

// What the rows depend on beside their text; the store's owner hands them over.
struct TRowStoreSettings {
    int TabSpaceCount = 8;
    const TDelimiterSet* Delimiters = &WordDelimiters();
    TRowStateHook* RowStateHook = nullptr; // not owned
};

// Where an editor stood before a change: caret and selection, put back by undo.
struct TUndoCaret {
    int Row = 0;
    int Col = 0;
    int Byte = -1; // the caret's byte where a column cannot say it; -1 otherwise
    int SelState = 0; // 0 none, 1 anchored, 2 selected
    bool Box = false;
    int AnchorRow = 0;
    int AnchorByte = 0;
    int AnchorCol = 0;
    friend bool operator==(const TUndoCaret&, const TUndoCaret&) = default;
};

class TRowStoreClient {
public:
    // The focused client is the active one when no change is in progress.
    virtual bool HasFocus() const = 0;
    // The settings this client hands the store while it is the owner.
    virtual TRowStoreSettings StoreSettings() const = 0;
    // The outermost update block ended; `all` when the whole text was replaced or rebuilt.
    virtual void RowsChanged(const TLastChange& change, bool all) = 0;
    // The rows were rebuilt by re-wrapping.
    virtual void RowsRebuilt() = 0;
    // The rows kept their text but their cells moved (a new tab width).
    virtual void CellsMoved() = 0;
    virtual void DropSelection() = 0;
    // Caret and view to the top (the text was replaced).
    virtual void ResetCaret() = 0;
    // Caret and top row back into the rows.
    virtual void PullIntoRows() = 0;
    // The state to record for a change this client makes, and to put back by undo or redo.
    virtual TUndoCaret UndoCaret() = 0;
    virtual void RestoreUndoCaret(const TUndoCaret& c) = 0;
    // Caret hidden for the duration of an undo or redo.
    virtual void CaretBeginUpdate() = 0;
    virtual void CaretEndUpdate() = 0;

protected:
    ~TRowStoreClient() = default;
};
