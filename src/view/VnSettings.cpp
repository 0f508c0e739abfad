#include "view/VnSettings.h"

TVnMarks::TVnMarks()
{
    for (TEditorMark* m : {&FDByteSpace, &FTabMark, &FVertLine}) {
        m->SetColor(clNone);
        m->OnChange = [this](TObject*) { Changed(); };
    }
}

void TVnMarks::Assign(const TVnMarks& source)
{
    if (&source == this)
        return;
    BeginUpdate();
    FDByteSpace.Assign(source.FDByteSpace);
    FTabMark.Assign(source.FTabMark);
    FVertLine.Assign(source.FVertLine);
    EndUpdate();
}

TVnColors::TVnColors()
{
    for (TEditorColor* c : {&FHiliteWord, &FHiliteQLine})
        c->OnChange = [this](TObject*) { Changed(); };
}

void TVnColors::Assign(const TVnColors& source)
{
    if (&source == this)
        return;
    BeginUpdate();
    FHiliteWord.Assign(source.FHiliteWord);
    FHiliteQLine.Assign(source.FHiliteQLine);
    EndUpdate();
}

TVnViewInfo::TVnViewInfo()
{
    FColors.OnChange = [this](TObject*) { Changed(); };
}

void TVnViewInfo::Assign(const TVnViewInfo& source)
{
    if (&source == this)
        return;
    BeginUpdate();
    FColors.Assign(source.FColors);
    FHiliteQLines = source.FHiliteQLines;
    FHiliteWords = source.FHiliteWords;
    EndUpdate();
}
