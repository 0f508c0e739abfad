#include "engine/Caret.h"

#include <algorithm>

void TEditorCaret::SetTabSpaceCount(int v)
{
    v = std::clamp(v, 2, 8) & ~1;
    Store(FTabSpaceCount, v);
}

void TEditorCaret::Assign(const TEditorCaret& source)
{
    if (&source == this)
        return;
    BeginUpdate();
    FAutoCursor = source.FAutoCursor;
    FAutoIndent = source.FAutoIndent;
    FBackSpaceUnIndent = source.FBackSpaceUnIndent;
    FFreeCaret = source.FFreeCaret;
    FInTab = source.FInTab;
    FKeepCaret = source.FKeepCaret;
    FLockScroll = source.FLockScroll;
    FNextLine = source.FNextLine;
    FPrevSpaceIndent = source.FPrevSpaceIndent;
    FRowSelect = source.FRowSelect;
    FSelDragMode = source.FSelDragMode;
    FSelMove = source.FSelMove;
    FSoftTab = source.FSoftTab;
    FStyle = source.FStyle;
    FTabIndent = source.FTabIndent;
    FTabSpaceCount = source.FTabSpaceCount;
    FCursors.Assign(source.FCursors);
    EndUpdate();
}
