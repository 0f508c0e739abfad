#pragma once
// The toolkit-free editor control: the row store it shares, the caret, and the text
// operations on top of them.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/Caret.h"
#include "engine/EditorStrings.h"
#include "engine/Notify.h"
#include "engine/ScreenStrings.h"

class TEditor : public TObject {
public:
    TEditor();
    ~TEditor() override;
    TEditor(const TEditor&) = delete;
    TEditor& operator=(const TEditor&) = delete;

    // ---- text
    TEditorScreenStrings& ListRows() { return *FList; }
    const TEditorScreenStrings& ListRows() const { return *FList; }
    TEditorStrings& Lines() { return *FLines; }
    const TEditorStrings& Lines() const { return *FLines; }

    int RowCount() const { return FList->Count(); }
    std::string_view RowText(int i) const { return FList->Get(i); }
    // reEof for a negative index or one past the end: a caret after a final line break sees
    // the end of the text.
    TRowEnd RowEnd(int i) const;
    std::uint16_t RowMarks(int i) const { return FList->RowMarks(i); }
    void SetRowMarks(int i, std::uint16_t marks);
    // The logical line of row i.
    int RowToLine(int i) const;
    // Bytes in the whole text, a line break counting two.
    std::int64_t TextLength() const;

    // Shares the rows (and undo history) of another editor, as a split view does.
    void AttachTo(TEditor& other);

    // ---- wrapping and undo
    bool WordWrap() const { return FList->WordWrap(); }
    void SetWordWrap(bool v);
    TEditorWrapOption& WrapOption() { return FList->WrapOption(); }
    void SetWrapOption(const TEditorWrapOption& v) { FList->WrapOption().Assign(v); }
    int UndoListMax() const { return FList->UndoObj().UndoListMax(); }
    void SetUndoListMax(int v) { FList->UndoObj().SetUndoListMax(v); }
    void Undo();
    void Redo();
    bool CanUndo() const { return FList->UndoObj().CanUndo(); }
    bool CanRedo() const { return FList->UndoObj().CanRedo(); }

    // ---- cells
    const TDelimiterSet& Delimiters() const { return *FDelimiters; }
    TWrapContext WrapContext() const { return FList->WrapContext(); }
    int StrWidth(std::string_view s) const { return ::StrWidth(s, WrapContext()); }
    std::string ExpandTabs(std::string_view s) const { return ::ExpandTabs(s, WrapContext()); }
    std::string CellKinds(std::string_view s) const { return ::CellKinds(s, WrapContext()); }

    // ---- caret
    TEditorCaret& Caret() { return *FCaret; }
    const TEditorCaret& Caret() const { return *FCaret; }
    int Row() const { return FRow; }
    int Col() const { return FCol; }
    void SetRow(int v);
    void SetCol(int v);
    void SetRowCol(int row, int col);
    // The caret goes `offset` bytes on from the start of row `row`, rows counted as in the text.
    void SetCaretByOffset(int row, std::int64_t offset);
    // The highest row the caret may stand on.
    int MaxCaretRow() const;

    bool Modified() const { return FModified; }
    void SetModified(bool v) { FModified = v; }
    bool Focused() const { return FFocused; }
    void SetFocused(bool v) { FFocused = v; }

    TNotifyEvent OnChange;

    // The tokenizer side's view of the rows' parse states (not owned).
    TRowStateHook* RowStateHook() const { return FRowStateHook; }
    void SetRowStateHook(TRowStateHook* hook) { FRowStateHook = hook; }

    // Caret-hide nesting around compound operations.
    virtual void CaretBeginUpdate() { ++FCaretHideCount; }
    virtual void CaretEndUpdate()
    {
        if (FCaretHideCount > 0)
            --FCaretHideCount;
    }
    int CaretHideCount() const { return FCaretHideCount; }

    // ---- what the row store calls
    // The outermost update block of the rows ended.
    virtual void RowsChanged(const TLastChange& change, bool all);
    // The rows were rebuilt by re-wrapping.
    virtual void RowsRebuilt();
    virtual void DropSelection() {}
    // Caret to the top (the text was replaced).
    void ResetCaret();
    // Caret back into the rows after a change.
    void PullIntoRows();

private:
    void CaretChanged(TObject* sender);

    std::shared_ptr<TEditorScreenStrings> FList;
    std::unique_ptr<TEditorStrings> FLines;
    std::unique_ptr<TEditorCaret> FCaret;
    const TDelimiterSet* FDelimiters;
    TRowStateHook* FRowStateHook = nullptr;
    int FRow = 0;
    int FCol = 0;
    int FTabSpaceCount;
    int FCaretHideCount = 0;
    bool FModified = false;
    bool FFocused = false;
};
