#pragma once
// The editor's row store: every screen row of the text with its packed attributes, shared by
// the editors that show it, with the undo history and the wrap settings.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/FileLoad.h"
#include "engine/RowList.h"
#include "engine/RowStoreClient.h"
#include "engine/Undo.h"
#include "engine/Wrap.h"
#include "engine/WrapOption.h"

// A place in the rows: a row and a byte in it.
struct TRowByte {
    int Row = 0;
    std::int64_t Byte = 0;
    friend bool operator==(const TRowByte&, const TRowByte&) = default;
};

class TEditorScreenStrings : public TRowAttributeStringList {
public:
    TEditorScreenStrings();
    ~TEditorScreenStrings() override;

    // Attached clients (the editors that show these rows), owner first. The owner's settings
    // are the store's; when it detaches, the next client becomes the owner and its settings
    // take over.
    const std::vector<TRowStoreClient*>& Clients() const { return FClients; }
    void Attach(TRowStoreClient* client);
    void Detach(TRowStoreClient* client);
    TRowStoreClient* Owner() const { return FClients.empty() ? nullptr : FClients.front(); }
    // The owner hands over new settings: a new tab width re-wraps the rows or moves their
    // cells under every caret.
    void SetSettings(const TRowStoreSettings& settings);
    const TRowStoreSettings& Settings() const { return FSettings; }
    // The client making the current change, else the first that has the focus, else the first.
    TRowStoreClient* ActiveClient() const;
    // The client whose compound change is in progress: its caret is the one undo records and
    // puts back, whether or not it has the focus. Null when the change ends.
    void SetActingClient(TRowStoreClient* client) { FActing = client; }
    TRowStoreClient* ActingClient() const { return FActing; }

    const TLastChange& LastChange() const { return FLastChange; }
    TEditorUndoObj& UndoObj() { return *FUndo; }
    const TEditorUndoObj& UndoObj() const { return *FUndo; }
    virtual void Redo() { FUndo->Redo(); }
    virtual void Undo() { FUndo->Undo(); }

    std::uint16_t UsedMarks() const { return FUsedMarks; }
    virtual void AddUsedMarks(std::uint16_t bits) { FUsedMarks |= bits; }
    virtual void RemoveUsedMarks(std::uint16_t bits) { FUsedMarks &= static_cast<std::uint16_t>(~bits); }

    bool WordWrap() const { return FWordWrap; }
    // Rebuilds all rows; the undo history goes, since its row numbers no longer match.
    void SetWordWrap(bool v);
    TEditorWrapOption& WrapOption() { return *FWrapOption; }
    const TEditorWrapOption& WrapOption() const { return *FWrapOption; }

    // Nested update blocks: when the outermost ends after a change, every editor hears of it.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Drops every row, the history and the marks; every editor's caret goes to 0, 0.
    void Clear() override;

    int FirstRowOfLine(int row) const;
    int LastRowOfLine(int row) const;
    // The text of rows first..first+count-1 (count -1: to the end of that line), CR LF after
    // each reBreak row; also the rows taken and the end kind of the last (reNone: none).
    std::string LineText(int first, int count, int* taken = nullptr, TRowEnd* lastEnd = nullptr) const;
    static std::string RowsText(const TRowAttributeStringList& rows);
    std::string GetTextStr() const { return RowsText(*this); }
    // Byte length of row i within the whole text (reBreak + 2, reEof + 1, reWrapped + 0).
    std::int64_t RowByteLength(int i) const;

    // Positions from the running totals over the rows, none of them a walk over the rows.
    // The offset of row's first byte in the text (row clamped to 0..Count()): the byte
    // lengths of the rows above it.
    std::int64_t RowStart(int row) const { return Index().Before(row).Bytes; }
    // The row an offset falls in and the byte there, as a caret placed at the offset
    // stands: between CR and LF is the end of the row; past the end is the end of a last
    // row without a line break, or the row after a final line break (the byte then counts
    // on past it).
    TRowByte RowAtOffset(std::int64_t offset) const;
    // Rows that end with a line break above row (row clamped to 0..Count()). Only the last
    // row can end a line without one.
    int BreaksBefore(int row) const;
    // Logical lines: rows that do not end in a soft wrap, the last row counted whatever it is.
    int LineCount() const;
    // The first row of logical line `line`; Count() for a line past the last.
    int LineStartRow(int line) const;

    // Fills `out` with the rows of text, which may hold several lines.
    virtual void WrapLine(std::string_view text, TEditorStringList& out) const;
    // The rows WrapLine would make of one line (1 without wrapping).
    virtual int CountWrapRows(std::string_view line) const;
    TWrapContext WrapContext() const;

    // The one editing primitive: replaces rows start..start+count-1 by the rows of text.
    // `marks` says where the first replaced row's marks go when lines come in.
    void ReplaceRows(int start, int count, std::string_view text, TMarksGo marks = TMarksGo::ToFirstRow);

    void WrapAll();
    void UnwrapAll();

    // The whole text, split at CR LF, CR and LF; NUL is an ordinary byte.
    void SetTextStr(std::string_view s);
    // Reads a file into memory at once and splits it into rows (ReadTextFile). A Ctrl-Z ends
    // the text. On failure the rows stay as they were and the error (with the file name)
    // propagates. With `nulAsBlank` every NUL byte becomes a blank. `fit`, when given, is
    // told the shape of the text before its rows are made and may change the wrapping the
    // rows are made with (the width that fits the line numbers of so many lines).
    void LoadFromFile(const std::string& fileName, bool nulAsBlank = false,
                      const std::function<void(const TFileShape&)>& fit = {});

    // Resets every row's parse state and asks the owner's hook to recompute.
    void InitRowStates();
    // Rows from `row` on may have changed; returns the rows whose state changed.
    int UpdateRowStates(int row);

private:
    friend class TEditorUndoObj;

    void WrapOptionChanged(TObject* sender);
    void Rebuild(bool wrap);
    void RecordChange(int start, int oldCount, int parsed, int newCount);
    // Puts the rows of `scratch` in place of m rows at p, carrying row marks and the parse
    // states that cannot have changed; returns the first row whose state must be recomputed.
    int PutRows(int p, int m, TEditorStringList& scratch, TMarksGo marksGo);
    // Deletes n rows at p, or-ing their marks into the row then at p (or the last row).
    void DeleteRowsKeepMarks(int p, int n);
    // Undo and redo: puts back an entry's old rows in place of its new ones, and fills the
    // reverse entry: the rows replaced (text, lengths, end kind) and how many were put back.
    void Restore(const TUndoData& e, TUndoData& reverse);
    // The old rows first..first+count-1 into an entry.
    void SaveRows(int first, int count, TUndoData& e) const;
    void PullCaretsIntoRange();
    void AdoptRows(TPointerStringList& rows);

    void TabSpaceCountChanged();

    std::vector<TRowStoreClient*> FClients;
    TRowStoreClient* FActing = nullptr;
    TRowStoreSettings FSettings;
    TLastChange FLastChange;
    std::uint16_t FUsedMarks = 0;
    std::unique_ptr<TEditorUndoObj> FUndo;
    bool FWordWrap = false;
    std::unique_ptr<TEditorWrapOption> FWrapOption;
    int FUpdateCount = 0;
    bool FRepaintAll = false; // the whole text was replaced or rebuilt in this block
};
