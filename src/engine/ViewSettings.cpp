#include "engine/ViewSettings.h"

#include <algorithm>

#include "platform/Sjis.h"

TEditorFont::TEditorFont() : FName("ＭＳ ゴシック"_sj) {}

void TEditorFont::Assign(const TEditorFont& source)
{
    if (&source == this)
        return;
    BeginUpdate();
    FName = source.FName;
    FHeight = source.FHeight;
    FColor = source.FColor;
    FStyle = source.FStyle;
    FCharset = source.FCharset;
    EndUpdate();
}

void TEditorMargin::Assign(const TEditorMargin& source)
{
    if (&source == this)
        return;
    BeginUpdate();
    FCharacter = source.FCharacter;
    FLeft = source.FLeft;
    FLine = source.FLine;
    FTop = source.FTop;
    EndUpdate();
}

void TEditorSpeed::SetCaretVerticalAc(int v)
{
    Store(FCaretVerticalAc, std::clamp(v, 1, 4));
}

void TEditorSpeed::SetPageVerticalRange(int v)
{
    Store(FPageVerticalRange, std::clamp(v, 1, 4));
}

void TEditorSpeed::SetPageVerticalRangeAc(int v)
{
    Store(FPageVerticalRangeAc, std::clamp(v, 1, 4));
}

void TEditorSpeed::Assign(const TEditorSpeed& source)
{
    if (&source == this)
        return;
    BeginUpdate();
    FCaretVerticalAc = source.FCaretVerticalAc;
    FPageVerticalRange = source.FPageVerticalRange;
    FPageVerticalRangeAc = source.FPageVerticalRangeAc;
    FInitBracketsFull = source.FInitBracketsFull;
    EndUpdate();
}

void TEditorRuler::SetGaugeRange(int v)
{
    // The ruler divides by it.
    Store(FGaugeRange, std::max(v, 1));
}

void TEditorRuler::Assign(const TEditorRuler& source)
{
    if (&source == this)
        return;
    BeginUpdate();
    FBkColor = source.FBkColor;
    FColor = source.FColor;
    FEdge = source.FEdge;
    FGaugeRange = source.FGaugeRange;
    FMarkColor = source.FMarkColor;
    FVisible = source.FVisible;
    EndUpdate();
}

void TEditorLeftbar::SetColumn(int v)
{
    Store(FColumn, std::clamp(v, 1, 8));
}

void TEditorLeftbar::Assign(const TEditorLeftbar& source)
{
    if (&source == this)
        return;
    BeginUpdate();
    FBkColor = source.FBkColor;
    FColor = source.FColor;
    FColumn = source.FColumn;
    FEdge = source.FEdge;
    FLeftMargin = source.FLeftMargin;
    FRightMargin = source.FRightMargin;
    FShowNumber = source.FShowNumber;
    FShowNumberMode = source.FShowNumberMode;
    FVisible = source.FVisible;
    FZeroBase = source.FZeroBase;
    FZeroLead = source.FZeroLead;
    EndUpdate();
}

void TEditorImagebar::Assign(const TEditorImagebar& source)
{
    if (&source == this)
        return;
    BeginUpdate();
    FDigitWidth = source.FDigitWidth;
    FLeftMargin = source.FLeftMargin;
    FMarkWidth = source.FMarkWidth;
    FRightMargin = source.FRightMargin;
    FVisible = source.FVisible;
    EndUpdate();
}

void TEditorMark::Assign(const TEditorMark& source)
{
    if (&source == this)
        return;
    BeginUpdate();
    FColor = source.FColor;
    FVisible = source.FVisible;
    EndUpdate();
}

TEditorMarks::TEditorMarks()
{
    for (TEditorMark* m : {&FEofMark, &FRetMark, &FWrapMark, &FHideMark, &FUnderline})
        m->OnChange = [this](TObject* sender) { ChangedProc(sender); };
}

void TEditorMarks::Assign(const TEditorMarks& source)
{
    if (&source == this)
        return;
    BeginUpdate();
    FEofMark.Assign(source.FEofMark);
    FRetMark.Assign(source.FRetMark);
    FWrapMark.Assign(source.FWrapMark);
    FHideMark.Assign(source.FHideMark);
    FUnderline.Assign(source.FUnderline);
    EndUpdate();
}
