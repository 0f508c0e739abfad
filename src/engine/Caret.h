#pragma once
// The caret options of an editor.
#include "engine/Cursors.h"
#include "engine/Notify.h"

enum TEditorCaretStyle { csDefault, csBrief };
enum TDragMode { dmManual, dmAutomatic };

class TEditorCaret : public TNotifyPersistent {
public:
    bool AutoCursor() const { return FAutoCursor; }
    void SetAutoCursor(bool v) { Store(FAutoCursor, v); }
    bool AutoIndent() const { return FAutoIndent; }
    void SetAutoIndent(bool v) { Store(FAutoIndent, v); }
    bool BackSpaceUnIndent() const { return FBackSpaceUnIndent; }
    void SetBackSpaceUnIndent(bool v) { Store(FBackSpaceUnIndent, v); }
    bool FreeCaret() const { return FFreeCaret; }
    void SetFreeCaret(bool v) { Store(FFreeCaret, v); }
    bool InTab() const { return FInTab; }
    void SetInTab(bool v) { Store(FInTab, v); }
    bool KeepCaret() const { return FKeepCaret; }
    void SetKeepCaret(bool v) { Store(FKeepCaret, v); }
    bool LockScroll() const { return FLockScroll; }
    void SetLockScroll(bool v) { Store(FLockScroll, v); }
    bool NextLine() const { return FNextLine; }
    void SetNextLine(bool v) { Store(FNextLine, v); }
    bool PrevSpaceIndent() const { return FPrevSpaceIndent; }
    void SetPrevSpaceIndent(bool v) { Store(FPrevSpaceIndent, v); }
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool v) { Store(FRowSelect, v); }
    TDragMode SelDragMode() const { return FSelDragMode; }
    void SetSelDragMode(TDragMode v) { Store(FSelDragMode, v); }
    bool SelMove() const { return FSelMove; }
    void SetSelMove(bool v) { Store(FSelMove, v); }
    bool SoftTab() const { return FSoftTab; }
    void SetSoftTab(bool v) { Store(FSoftTab, v); }
    TEditorCaretStyle Style() const { return FStyle; }
    void SetStyle(TEditorCaretStyle v) { Store(FStyle, v); }
    bool TabIndent() const { return FTabIndent; }
    void SetTabIndent(bool v) { Store(FTabIndent, v); }
    int TabSpaceCount() const { return FTabSpaceCount; }
    // Clamped to 2..8 and rounded down to even: 2, 4, 6 or 8.
    void SetTabSpaceCount(int v);

    // The mouse cursors the editor shows (when AutoCursor).
    TEditorCursors& Cursors() { return FCursors; }
    const TEditorCursors& Cursors() const { return FCursors; }

    // Copies every option and notifies once.
    void Assign(const TEditorCaret& source);

private:
    template <class T>
    void Store(T& field, T v)
    {
        if (field == v)
            return;
        field = v;
        Changed();
    }

    bool FAutoCursor = true;
    bool FAutoIndent = true;
    bool FBackSpaceUnIndent = true;
    bool FFreeCaret = true;
    bool FInTab = false;
    bool FKeepCaret = false;
    bool FLockScroll = false;
    bool FNextLine = false;
    bool FPrevSpaceIndent = false;
    bool FRowSelect = true;
    TDragMode FSelDragMode = dmAutomatic;
    bool FSelMove = true;
    bool FSoftTab = false;
    TEditorCaretStyle FStyle = csDefault;
    bool FTabIndent = false;
    int FTabSpaceCount = 8;
    TEditorCursors FCursors;
};
