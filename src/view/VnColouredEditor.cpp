#include "view/VnColouredEditor.h"

namespace {

TVnMark MarkOf(const TEditorMark& m) { return {m.Color(), m.Visible()}; }

void SetMark(TEditorMark& m, const TVnMark& v)
{
    m.SetColor(v.Color);
    m.SetVisible(v.Visible);
}

TVnColor ColorOf(const TEditorColor& c) { return {c.BkColor(), c.Color(), c.Style()}; }

void SetColor(TEditorColor& c, const TVnColor& v)
{
    c.SetBkColor(v.BkColor);
    c.SetColor(v.Color);
    c.SetStyle(v.Style);
}

} // namespace

TVnColouredEditor::TVnColouredEditor(TVnEdit& edit, std::string name) : FEdit(edit), FName(std::move(name)) {}

TVnSettings TVnColouredEditor::VnSettings() const
{
    const TVnMarks& marks = FEdit.MarksVn();
    const TVnViewInfo& view = FEdit.ViewVn();
    TVnSettings s;
    s.DByteSpace = MarkOf(marks.DByteSpace());
    s.TabMark = MarkOf(marks.TabMark());
    s.VertLine = MarkOf(marks.VertLine());
    s.HiliteWord = ColorOf(view.Colors().HiliteWord());
    s.HiliteQLine = ColorOf(view.Colors().HiliteQLine());
    s.HiliteQLines = view.HiliteQLines();
    s.HiliteWords = view.HiliteWords();
    s.HiliteQuoteMarks = FEdit.HiliteQuoteMarks();
    s.HiliteWordList = FEdit.HiliteWordList();
    s.WordHighlight = FEdit.WordHilite();
    return s;
}

void TVnColouredEditor::SetVnSettings(const TVnSettings& s)
{
    TVnMarks& marks = FEdit.MarksVn();
    SetMark(marks.DByteSpace(), s.DByteSpace);
    SetMark(marks.TabMark(), s.TabMark);
    SetMark(marks.VertLine(), s.VertLine);
    TVnViewInfo& view = FEdit.ViewVn();
    SetColor(view.Colors().HiliteWord(), s.HiliteWord);
    SetColor(view.Colors().HiliteQLine(), s.HiliteQLine);
    view.SetHiliteQLines(s.HiliteQLines);
    view.SetHiliteWords(s.HiliteWords);
    FEdit.SetHiliteQuoteMarks(s.HiliteQuoteMarks);
    FEdit.SetHiliteWordList(s.HiliteWordList);
    FEdit.SetWordHilite(s.WordHighlight);
    FEdit.InvalidateAll();
}

// The editor's own events are copied with the properties; the double click is the one the
// split's copy leaves out.
void TVnColouredEditor::CopyHandlersFrom(TColouredEditor& source)
{
    FEdit.OnDblClick = source.Editor().OnDblClick;
}
