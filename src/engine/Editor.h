#pragma once
// The toolkit-free editor control: the row store it shares, the caret, the selection and the
// text operations on top of them. What it needs from its window goes through TEditorHost.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "engine/Caret.h"
#include "engine/EditorHost.h"
#include "engine/EditorStrings.h"
#include "engine/Notify.h"
#include "engine/ScreenStrings.h"
#include "engine/ViewSettings.h"

// Pixel metrics derived from the font and the view settings, with the view position: the one
// geometry that painting and invalidation share.
struct TEditorMetrics {
    int FontHeight = 0;
    int ColWidth = 1;
    int RowHeight = 1;
    int RulerHeight = 0;
    int TopOffset = 0; // y of the first row
    int ImagebarWidth = 0;
    int LeftbarDigits = 0;
    int LeftbarWidth = 0;
    int TextLeft = 0; // x of column 0
    int VisibleRows = 1;
    int VisibleCols = 1;
    int ClientWidth = 0;
    int ClientHeight = 0;
    int TopRow = 0; // first row shown
    int TopCol = 0; // first column shown

    // Horizontal scroll in pixels.
    int HorzOffset() const { return TopCol * ColWidth; }
    // The y of row `row`'s top, the x of column `col`'s left edge.
    int RowTop(int row) const { return TopOffset + (row - TopRow) * RowHeight; }
    int ColLeft(int col) const { return TextLeft + (col - TopCol) * ColWidth; }
    // Row `row` across the client width (not clipped to the text area).
    TRect RowRect(int row) const { return {0, RowTop(row), ClientWidth, RowTop(row) + RowHeight}; }
    // The screen row at pixel y (rows above the text area included).
    int RowAt(int y) const
    {
        int d = y - TopOffset;
        return TopRow + (d >= 0 ? d / RowHeight : -((-d + RowHeight - 1) / RowHeight));
    }
};

// The selection in both its forms. Rows are screen rows; LastByte is the byte before the end
// position (-1 when the selection ends at the start of a row).
struct TEditorSelection {
    int StartRow = 0;
    int EndRow = 0;
    int StartByte = 0;
    int LastByte = -1;
    int StartCol = 0;
    int EndCol = 0;
    friend bool operator==(const TEditorSelection&, const TEditorSelection&) = default;
};

using TSelectionChangeEvent = std::function<void(TObject* Sender, bool Selected)>;

class TEditor : public TObject {
public:
    explicit TEditor(TEditorHost* host = nullptr);
    ~TEditor() override;
    TEditor(const TEditor&) = delete;
    TEditor& operator=(const TEditor&) = delete;

    // ---- host
    TEditorHost* Host() const { return FHost; }
    void SetHost(TEditorHost* host);
    // The host's client size changed.
    void Resized();

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
    // Cells of leading spaces, full-width spaces and tabs; -1 for an empty text.
    int IndentWidth(std::string_view s) const;

    // ---- view settings
    TEditorCaret& Caret() { return *FCaret; }
    const TEditorCaret& Caret() const { return *FCaret; }
    TEditorFont& Font() { return *FFont; }
    TEditorMargin& Margin() { return *FMargin; }
    TEditorSpeed& Speed() { return *FSpeed; }
    TEditorRuler& Ruler() { return *FRuler; }
    TEditorLeftbar& Leftbar() { return *FLeftbar; }
    TEditorImagebar& Imagebar() { return *FImagebar; }
    TEditorMarks& Marks() { return *FMarks; }
    const TEditorMarks& Marks() const { return *FMarks; }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);

    // ---- metrics and view position
    const TEditorMetrics& Metrics() const { return FMetrics; }
    // Recomputes the metrics from the font, the settings and the client size.
    void InitDrawInfo();
    int VisibleRows() const { return FMetrics.VisibleRows; }
    int VisibleCols() const { return FMetrics.VisibleCols; }
    int TopRow() const { return FMetrics.TopRow; }
    void SetTopRow(int v);
    int TopCol() const { return FMetrics.TopCol; }
    void SetTopCol(int v);
    void UpdateScrollBars();
    // The strip of rows a..b across the full width, repainted at once.
    void InvalidateRows(int a, int b);
    void InvalidateAll();

    // ---- caret
    int Row() const { return FRow; }
    int Col() const { return FCol; }
    void SetRow(int v);
    void SetCol(int v);
    void SetRowCol(int row, int col);
    // The caret goes `offset` bytes on from the start of row `row`, rows counted as in the text.
    void SetCaretByOffset(int row, std::int64_t offset);
    // The highest row the caret may stand on.
    int MaxCaretRow() const;
    bool OverWrite() const { return FOverWrite; }
    void SetOverWrite(bool v);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }

    bool Modified() const { return FModified; }
    void SetModified(bool v) { FModified = v; }
    // The stored properties have been read: the text counts as unchanged.
    void Loaded() { FModified = false; }
    bool Focused() const { return FFocused; }
    // Gaining the focus creates and shows the caret; losing it destroys it.
    void SetFocused(bool v);

    // Caret-hide nesting around compound operations.
    virtual void CaretBeginUpdate();
    virtual void CaretEndUpdate();
    int CaretHideCount() const { return FCaretHideCount; }
    virtual void HideCaret();
    virtual void ShowCaret();
    bool CaretShown() const { return FCaretShown; }
    // Caret-row underline nesting.
    virtual void HideUnderline();
    virtual void ShowUnderline();
    int UnderlineHideCount() const { return FUnderlineHideCount; }

    virtual bool CaretOutOfView() const;
    virtual void SetCaretPosition();
    virtual void CreateCaretShape();
    virtual void ScrollCaretIntoView();
    virtual TPoint CaretPixelPos() const;
    // After a caret move: shape, scroll into view, position, OnCaretMoved, show.
    virtual void DoCaretMoved();

    // A compound change: caret and underline hidden, rows in one update block, caret
    // processing once at the end. Nests; Lines' update blocks use it.
    void BeginCompound();
    void EndCompound();
    bool Updating() const { return FUpdating > 0; }

    // ---- positions
    // The byte of row `row` at column `col`: the column less the tab fill before it, moved to
    // the start of the character it falls in, at most the row's length.
    int ColToChar(int row, int col) const;
    // The column where byte `byte` of row `row` starts.
    int CharToCol(int row, int byte) const;
    // The byte offset of (row, byte) counted from the start of row `from` (from <= row).
    std::int64_t OffsetFrom(int from, int row, int byte) const;
    // The byte offset of the caret in the whole text.
    std::int64_t CaretOffset() const;
    // The offset of the first byte of row `row` (clamped to 0..RowCount()).
    std::int64_t RowOffset(int row) const;
    // The row holding an offset and the byte there, where SelStart would put the caret.
    TRowByte OffsetToRowByte(std::int64_t offset) const;

    // ---- selection
    // 0 none, 1 anchored, 2 selected.
    int SelectionState() const { return FSelState; }
    bool Selected() const { return FSelState == 2; }
    const TEditorSelection& Selection() const { return FSel; }
    // The bytes [first, last) of row `row` that the selection covers; false when none.
    bool SelectionSlice(int row, int& first, int& last) const;
    bool BoxSelection() const { return FBoxSelection; }
    void SetBoxSelection(bool v);
    void StartSelection();
    void ExtendSelection();
    void CleanSelection();
    std::int64_t SelStart() const;
    void SetSelStart(std::int64_t v);
    std::int64_t SelLength() const;
    void SetSelLength(std::int64_t v);
    std::string SelText() const;
    void SetSelText(std::string_view s) { InsertText(s); }
    void SelectAll();

    // ---- editing (nothing happens while read-only)
    void InsertText(std::string_view s);
    // One typed character; in overwrite mode it replaces the cells it covers.
    void TypeText(std::string_view s);
    // Enter; with `above` (Shift+Enter) a new line opens above the caret's line.
    void Newline(bool above = false);
    void BackSpace();
    void DeleteChar();
    void ClearSelection();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    // The cut, copy, paste and clear messages another window may send: as the operations,
    // except that cut or copy with nothing selected puts an empty text on the clipboard.
    void WMCut();
    void WMCopy();
    void WMPaste();
    void WMClear();
    void BoxPaste(std::string_view s);
    void IndentSpace();
    void UnindentSpace();
    void IndentTab();
    void UnindentTab();

    // ---- events
    TNotifyEvent OnChange;
    TNotifyEvent OnCaretMoved;
    TSelectionChangeEvent OnSelectionChange;
    TNotifyEvent OnSelectionModeChange;
    TNotifyEvent OnTopRowChange;
    TNotifyEvent OnTopColChange;

    // The tokenizer side's view of the rows' parse states (not owned).
    TRowStateHook* RowStateHook() const { return FRowStateHook; }
    void SetRowStateHook(TRowStateHook* hook) { FRowStateHook = hook; }

    // A selection drag is in progress (the mouse code sets it); box mode cannot change then.
    bool Dragging() const { return FDragging; }
    void SetDragging(bool v) { FDragging = v; }

    // ---- what the row store calls
    // The outermost update block of the rows ended.
    virtual void RowsChanged(const TLastChange& change, bool all);
    // The rows were rebuilt by re-wrapping.
    virtual void RowsRebuilt();
    // Drops the selection without touching the text.
    virtual void DropSelection();
    // The cells of the rows moved (the tab width changed): the caret keeps off the halves of
    // characters and tab fill, and the view is repainted.
    void CellsMoved();
    // Caret and view to the top (the text was replaced).
    void ResetCaret();
    // Caret and top row back into the rows after a change.
    void PullIntoRows();

protected:
    virtual void DoCaretMovedEvent();
    virtual void DoSelectionChange(bool selected);
    virtual void DoSelectionModeChange();
    virtual void DoTopColChange();
    virtual void DoTopRowChange();
    // The caret-row underline of `row` is to go or to come back; by default its strip is
    // repainted.
    virtual void EraseUnderline(int row);
    virtual void DrawUnderline(int row);

private:
    enum TMove { mvHorizontal, mvVertical };

    void SettingsChanged(TObject* sender);
    void CaretChanged(TObject* sender);
    // Row `row`'s strip within the text area.
    TRect RowStrip(int row) const;
    TRect TextArea() const;
    int LeftbarDigits() const;
    void UpdateScreen(const TLastChange& change, bool all);

    // Column normalisation after a row or column change.
    void Normalise(int dir, TMove move);
    void RememberCol(int col);
    // Sets row and column without caret processing; the caller runs it.
    void PlaceCaret(int row, std::int64_t offset);
    void KeepCaretInText();
    void RecomputeSelection(bool notify);
    void InvalidateSelectionChange(const TEditorSelection& before, int beforeState);
    void ClampSelection();

    // Editing helpers.
    int RowWidth(int row) const;
    std::string RowKinds(int row) const;
    // The caret's byte position, counting columns past the row end as bytes (not clamped).
    int CaretBytePos() const;
    // The caret's byte in its row (at most the row's length) and the cell it starts at.
    int CaretByte() const;
    int CaretCell() const;
    std::string RowTail(int row) const;
    std::int64_t BytesBetween(int from, int to) const;
    int EditBase(int start) const;
    void Replace(int start, int count, std::string_view text, int base, std::int64_t caret);
    void ReplaceSelection(std::string_view s);
    int NewlineIndent(std::string_view firstRow, int col, bool onFirstRow, bool rowEmpty, int lineRow) const;
    std::string IndentString(int cells) const;
    std::string NewlineOverSelection(bool& atEnd) const;
    void BlockIndent(int kind);
    int UnindentTarget() const;

    TEditorHost* FHost;
    std::shared_ptr<TEditorScreenStrings> FList;
    std::unique_ptr<TEditorStrings> FLines;
    std::unique_ptr<TEditorCaret> FCaret;
    std::unique_ptr<TEditorFont> FFont;
    std::unique_ptr<TEditorMargin> FMargin;
    std::unique_ptr<TEditorSpeed> FSpeed;
    std::unique_ptr<TEditorRuler> FRuler;
    std::unique_ptr<TEditorLeftbar> FLeftbar;
    std::unique_ptr<TEditorImagebar> FImagebar;
    std::unique_ptr<TEditorMarks> FMarks;
    const TDelimiterSet* FDelimiters;
    TRowStateHook* FRowStateHook = nullptr;
    TScrollStyle FScrollBars = ssBoth;
    TColor FColor = clWindow;
    TEditorMetrics FMetrics;

    int FRow = 0;
    int FCol = 0;
    // Where an offset put the caret beyond what a column can say (past column 1000 of a long
    // row): its byte, so selections and edits there use the right text; -1 otherwise.
    int FCaretByte = -1;
    int FKeptCol = 0;
    bool FColKept = false;
    int FTabSpaceCount;
    bool FOverWrite = false;
    bool FReadOnly = false;
    bool FModified = false;
    bool FFocused = false;
    bool FDragging = false;

    int FCaretHideCount = 0;
    int FUnderlineHideCount = 0;
    int FUpdating = 0;
    bool FCaretShown = false;
    bool FCaretCreated = false;
    bool FCaretDirty = false; // moved by a row change, not yet processed
    TSize FCaretSize;

    int FSelState = 0;
    bool FBoxSelection = false;
    int FAnchorRow = 0;
    int FAnchorByte = 0;
    int FAnchorCol = 0;
    TEditorSelection FSel;
};
