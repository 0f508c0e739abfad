#pragma once
// The toolkit-free editor control: the row store it shares, the caret, the selection and the
// text operations on top of them. What it needs from its window goes through TEditorHost.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Caret.h"
#include "engine/EditorHost.h"
#include "engine/EditorTokens.h"
#include "engine/Keys.h"
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

// What a block indent does to each selected row.
enum class TIndentKind { IndentSpace, UnindentSpace, IndentTab, UnindentTab };

class TEditorPopupMenu;

using TSelectionChangeEvent = std::function<void(TObject* Sender, bool Selected)>;

class TEditor : public TObject, public TRowStoreClient, private TLinesOwner {
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
    // The editors showing these rows, this one included, owner first.
    std::vector<TEditor*> Views() const;

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
    // Where column 0 would lie were the text `rows` unwrapped rows, the last one ending in a
    // line break or not: the left bar's numbers grow with the count. (What a text being read
    // will need, before it has rows.)
    int TextLeftForRows(long long rows, bool finalBreak) const;
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
    void CaretBeginUpdate() override;
    void CaretEndUpdate() override;
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
    // While this editor owns the rows, the hook is theirs.
    void SetRowStateHook(TRowStateHook* hook);

    // A selection drag is in progress (the mouse code sets it); box mode cannot change then.
    bool Dragging() const { return FDragging; }
    void SetDragging(bool v) { FDragging = v; }


    // ==== input: keys, characters, input method, mouse, focus, hit tests, bookmarks, the
    // context menu and the edit-control messages (EditorInput.cpp, EditorMouse.cpp,
    // EditorMarks.cpp, EditorMessages.cpp)

    // Dialog keys: arrows and characters always reach the control, Tab when WantTabs, every
    // key (Enter too) when WantReturns.
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool v) { FWantTabs = v; }
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool v) { FWantReturns = v; }
    bool WantsKey(int key) const;

    // A key went down; `repeated` when it was already down (auto-repeat). Returns whether the
    // control used it.
    bool KeyDown(int key, TShiftState shift, bool repeated = false);
    void KeyUp(int key, TShiftState shift);
    // Character messages in the order they were queued, as CP932 bytes: a double-byte
    // character is its lead and trail byte. A lead byte that ends the bytes waits for its
    // trail in the next call.
    void CharMessage(std::string_view bytes, TShiftState shift = 0);
    // An input-method result in CP932, typed as one piece. `charsFollow`: the platform sends
    // the same text again as character messages (Windows does); those are swallowed.
    void ImeResult(std::string_view cp932, bool charsFollow = false);
    // The same from the toolkit's Unicode text, encoded with the CP932 mapping.
    void ImeResultUtf8(std::string_view utf8, bool charsFollow = false);
    // The input method's candidate list opened or closed; the caret hides while it is open.
    void ImeCandidateList(bool open);

    bool KeyRepeating() const { return FKeyRepeating; }
    int SkipChars() const { return FSkipChars; }
    // 0 none, 1 pending (pressed inside the selection), 2 dragging the selection.
    int DragState() const { return FDragState; }
    bool RowSelecting() const { return FRowSelecting; }
    TPoint PressPoint() const { return FPressPoint; }

    // Mouse events in client pixels; `shift` has ssLeft while the left button is down.
    void MouseDown(TMouseButton button, TShiftState shift, TPoint p);
    void MouseMove(TShiftState shift, TPoint p);
    void MouseUp(TMouseButton button, TShiftState shift, TPoint p);
    // A left double-click: raises OnDblClick; false when it was ignored (a drag pending or
    // the button held).
    bool DblClick(TShiftState shift, TPoint p);
    // Wheel, right and middle button and context-menu requests are to be ignored now: a drag
    // is pending or in progress, or the left button is held.
    bool InputHeld() const;
    void FocusGained() { SetFocused(true); }
    void FocusLost();
    TNotifyEvent OnDblClick;

    // Hit tests. The row and byte under a client point (the cell under it, not rounded); false
    // outside the text.
    bool PosToRowByte(TPoint p, int& row, int& byte) const;
    // The token under the point, or under the caret when none is given.
    TTokenAtPos TokenAtPos(std::optional<TPoint> p = std::nullopt) const;
    // Selects the token under the point (or the caret).
    void SelectTokenAtPos(std::optional<TPoint> p = std::nullopt);
    // The colouring side's tokenizer (not owned); nullptr for the built-in split.
    TTokenizerHook* TokenizerHook() const { return FTokenizerHook; }
    void SetTokenizerHook(TTokenizerHook* hook) { FTokenizerHook = hook; }

    // Bookmarks 0-9 stand on one row each; marks 10-15 are the application's.
    std::uint16_t UsedMarks() const;
    void PutRowMark(int row, int n);
    void DeleteRowMark(int row, int n);
    // Scrolls the row carrying mark n to the middle when it is out of view; caret onto it.
    void GotoRowMark(int n);

    // The context menu the host shows: the built-in one unless another was set; nullptr for
    // none.
    TEditorPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TEditorPopupMenu* menu) { FPopupMenu = menu; }
    TEditorPopupMenu& BuiltinPopupMenu() { return *FBuiltinPopupMenu; }

    // Edit-control messages. Offsets count a line break as two bytes; rows are screen rows.
    // Copies the text, at most size - 1 bytes and a terminating NUL; returns the bytes copied.
    std::int64_t WMGetText(std::span<char> buffer) const;
    std::int64_t WMGetTextLength() const { return TextLength(); }
    // Start and end through the pointers when given; the result packs both in 16 bits each.
    std::uint32_t EMGetSel(std::int64_t* start = nullptr, std::int64_t* end = nullptr) const;
    // (0, -1) selects all; start -1 drops the selection.
    void EMSetSel(std::int64_t start, std::int64_t end);
    void EMScrollCaret();
    bool EMGetModify() const { return Modified(); }
    void EMSetModify(bool v);
    int EMGetLineCount() const { return RowCount(); }
    // Offset of row n's first byte (-1: the caret row); -1 for a row outside the rows.
    std::int64_t EMLineIndex(int row) const;
    std::int64_t EMLineLength(std::int64_t offset) const;
    void EMReplaceSel(std::string_view s);
    // Copies row n's bytes (no terminator), as many as fit; returns the count.
    int EMGetLine(int row, std::span<char> buffer) const;
    bool EMCanUndo() const { return CanUndo() && !ReadOnly(); }
    bool EMUndo();
    int EMLineFromChar(std::int64_t offset) const;
    void EMEmptyUndoBuffer();
    int EMGetFirstVisibleLine() const { return TopRow(); }
    void EMSetReadOnly(bool v) { SetReadOnly(v); }
    TPoint EMPosFromChar(std::int64_t offset) const;
    // -1 outside the client area; else the offset in the low and the row in the high 16 bits.
    std::int64_t EMCharFromPos(TPoint p) const;
    // ==== end of input

    // ---- what the row store calls
    bool HasFocus() const override { return FFocused; }
    // Tab width, delimiters and row-state hook: the rows' settings while this editor owns them.
    TRowStoreSettings StoreSettings() const override;
    void RowsChanged(const TLastChange& change, bool all) override;
    void RowsRebuilt() override;
    // Drops the selection without touching the text.
    void DropSelection() override;
    // The caret keeps off the halves of characters and tab fill; the view is repainted.
    void CellsMoved() override;
    void ResetCaret() override;
    void PullIntoRows() override;
    // The caret and selection as they were when this editor's change began (taken once per
    // change), and putting them back.
    TUndoCaret UndoCaret() override;
    void RestoreUndoCaret(const TUndoCaret& c) override;

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

    // What the Lines facade calls.
    TEditorScreenStrings& LinesRows() const override { return *FList; }
    void LinesCaretTo(int row, std::int64_t offset) override { SetCaretByOffset(row, offset); }
    void LinesCaretToEnd() override;
    void LinesBeginUpdate() override { BeginCompound(); }
    void LinesEndUpdate() override { EndCompound(); }

    void SettingsChanged(TObject* sender);
    void CaretChanged(TObject* sender);
    // Row `row`'s strip within the text area.
    TRect RowStrip(int row) const;
    TRect TextArea() const;
    int LeftbarDigits() const;
    // The digits the left bar shows when the last number it shows is `last` (0-based).
    int LeftbarDigitsFor(long long last) const;
    int LeftbarWidthFor(int digits) const;
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
    TUndoCaret CurrentUndoCaret() const;
    // The store's settings follow this editor's while it owns the rows.
    void HandSettings();
    // The rows a selection covers once its text is taken out: a normal selection leaves one
    // row (its first row's start and its last row's rest), a box each row it spans.
    struct TCutRow {
        std::string Text;
        TRowEnd End;
        int At; // where the selection was taken out
    };
    struct TSelectionCut {
        std::vector<TCutRow> Rows;
        int Next = 0;      // the first row after the ones cut
        bool Empty = true; // the selection covered no bytes
    };
    TSelectionCut CutSelection(const TEditorSelection& sel, bool box) const;
    void ReplaceSelection(std::string_view s);
    int NewlineIndent(std::string_view firstRow, int col, bool onFirstRow, bool rowEmpty, int lineRow) const;
    std::string IndentString(int cells) const;
    std::string NewlineOverSelection(bool& atEnd) const;
    void BlockIndent(TIndentKind kind);
    int UnindentTarget() const;


    // ==== input state and helpers
    void CaretKey(int key, TShiftState shift);
    void PageStep(bool down);
    void VerticalStep(bool down, bool ctrl);
    void WordRight();
    void WordLeft();
    void TypeChar(std::string_view ch, TShiftState shift);
    void TabChar();
    void Tokens(std::string_view text, const TRowParseState& state, std::vector<TEditorToken>& out) const;
    TTokenAtPos TokenAtRowByte(int row, int byte, bool storedState) const;
    // The row and byte of a text offset (clamped to the text).
    void OffsetToRowByte(std::int64_t offset, int& row, int& byte) const;
    // Row and column under a point; `round` to the nearest cell boundary.
    void PointToCell(TPoint p, bool round, int& row, int& col) const;
    bool InLeftBar(TPoint p) const;
    bool AboveText(TPoint p) const;
    bool InClient(TPoint p) const;
    bool CanDragSelection() const;
    bool OverSelection(TPoint p) const;
    void SetMouseCursor(int cursor);
    void RowSelectTo(int row);
    void CancelDrag();
    void Drop(TShiftState shift, TPoint p);

    bool FWantTabs = true;
    bool FWantReturns = true;
    bool FKeyRepeating = false;
    bool FScrollDeferred = false;
    int FSkipChars = 0;
    int FPendingLead = -1;
    bool FImeCandidateOpen = false;
    int FDragState = 0;
    bool FLeftDown = false;
    bool FRowSelecting = false;
    int FRowSelAnchor = 0;
    int FRowSelCurrent = 0;
    bool FRowSelAnchorEof = false;
    TPoint FPressPoint;
    TTokenizerHook* FTokenizerHook = nullptr;
    std::unique_ptr<TEditorPopupMenu> FBuiltinPopupMenu;
    TEditorPopupMenu* FPopupMenu = nullptr;
    // ==== end of input state

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
    // Caret and selection at the start of the change in progress, until undo takes them.
    TUndoCaret FChangeStart;
    bool FChangeStartKept = false;
    TSize FCaretSize;

    int FSelState = 0;
    bool FBoxSelection = false;
    int FAnchorRow = 0;
    int FAnchorByte = 0;
    int FAnchorCol = 0;
    TEditorSelection FSel;
};
