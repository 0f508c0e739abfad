#pragma once
// The display aids' settings of the application's editor: the tab, double-byte-space and
// wrap-column marks, and the colours of highlighted words and quote lines.
#include "colouring/EditorColors.h"
#include "engine/ViewSettings.h"

class TVnMarks : public TEditorSettings {
public:
    TVnMarks();
    TVnMarks(const TVnMarks&) = delete;
    TVnMarks& operator=(const TVnMarks&) = delete;

    // On every double-byte space.
    TEditorMark& DByteSpace() { return FDByteSpace; }
    const TEditorMark& DByteSpace() const { return FDByteSpace; }
    // On every tab; its colour is also the page-break lines'.
    TEditorMark& TabMark() { return FTabMark; }
    const TEditorMark& TabMark() const { return FTabMark; }
    // The vertical line at the wrap column.
    TEditorMark& VertLine() { return FVertLine; }
    const TEditorMark& VertLine() const { return FVertLine; }
    void Assign(const TVnMarks& source);

private:
    TEditorMark FDByteSpace, FTabMark, FVertLine;
};

class TVnColors : public TNotifyPersistent {
public:
    TVnColors();
    TVnColors(const TVnColors&) = delete;
    TVnColors& operator=(const TVnColors&) = delete;

    // Only Color and Style are painted.
    TEditorColor& HiliteWord() { return FHiliteWord; }
    const TEditorColor& HiliteWord() const { return FHiliteWord; }
    TEditorColor& HiliteQLine() { return FHiliteQLine; }
    const TEditorColor& HiliteQLine() const { return FHiliteQLine; }
    void Assign(const TVnColors& source);

private:
    TEditorColor FHiliteWord, FHiliteQLine;
};

class TVnViewInfo : public TEditorSettings {
public:
    TVnViewInfo();
    TVnViewInfo(const TVnViewInfo&) = delete;
    TVnViewInfo& operator=(const TVnViewInfo&) = delete;

    TVnColors& Colors() { return FColors; }
    const TVnColors& Colors() const { return FColors; }
    bool HiliteQLines() const { return FHiliteQLines; }
    void SetHiliteQLines(bool v) { Store(FHiliteQLines, v); }
    bool HiliteWords() const { return FHiliteWords; }
    void SetHiliteWords(bool v) { Store(FHiliteWords, v); }
    void Assign(const TVnViewInfo& source);

private:
    TVnColors FColors;
    bool FHiliteQLines = true;
    bool FHiliteWords = true;
};
