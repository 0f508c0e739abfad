#include "colouring/EditorProp.h"

TEditorProp::TEditorProp()
    : FFont(std::make_unique<TEditorFont>())
{
    FFont->SetColor(clWindowText);
    FFont->SetName("FixedSys");
    CreateSubObjects();
}

TEditorProp::~TEditorProp() = default;

void TEditorProp::CreateSubObjects()
{
    FCaret = CreateCaret();
    FImagebar = CreateImagebar();
    FLeftbar = CreateLeftbar();
    FMargin = CreateMargin();
    FMarks = CreateMarks();
    FRuler = CreateRuler();
    FSpeed = CreateSpeed();
    FView = CreateView();
    FWrapOption = CreateWrapOption();
}

std::unique_ptr<TEditorCaret> TEditorProp::CreateCaret() { return std::make_unique<TEditorCaret>(); }
std::unique_ptr<TEditorImagebar> TEditorProp::CreateImagebar() { return std::make_unique<TEditorImagebar>(); }
std::unique_ptr<TEditorLeftbar> TEditorProp::CreateLeftbar() { return std::make_unique<TEditorLeftbar>(); }
std::unique_ptr<TEditorMargin> TEditorProp::CreateMargin() { return std::make_unique<TEditorMargin>(); }
std::unique_ptr<TEditorMarks> TEditorProp::CreateMarks() { return std::make_unique<TEditorMarks>(); }
std::unique_ptr<TEditorRuler> TEditorProp::CreateRuler() { return std::make_unique<TEditorRuler>(); }
std::unique_ptr<TEditorSpeed> TEditorProp::CreateSpeed() { return std::make_unique<TEditorSpeed>(); }
std::unique_ptr<TEditorViewInfo> TEditorProp::CreateView() { return std::make_unique<TEditorViewInfo>(); }
std::unique_ptr<TEditorWrapOption> TEditorProp::CreateWrapOption() { return std::make_unique<TEditorWrapOption>(); }

void TEditorProp::SetColor(TColor v)
{
    if (FColor != v) {
        FColor = v;
        if (OnColorChange) {
            OnColorChange(this);
        }
    }
}

void TEditorProp::SetScrollBars(TScrollStyle v)
{
    if (FScrollBars != v) {
        FScrollBars = v;
        if (OnScrollBarsChange) {
            OnScrollBarsChange(this);
        }
    }
}

void TEditorProp::SetWordWrap(bool v)
{
    if (FWordWrap != v) {
        FWordWrap = v;
        if (OnWordWrapChange) {
            OnWordWrapChange(this);
        }
    }
}

void TEditorProp::Assign(TColouredEditor& source)
{
    TEditor& e = source.Editor();
    SetColor(e.Color());
    FCaret->Assign(e.Caret());
    FFont->Assign(e.Font());
    FImagebar->Assign(e.Imagebar());
    FLeftbar->Assign(e.Leftbar());
    FMargin->Assign(e.Margin());
    FMarks->Assign(e.Marks());
    FReserveWordList.Assign(source.Colouring().ReserveWordList());
    FRuler->Assign(e.Ruler());
    SetScrollBars(e.ScrollBars());
    FSpeed->Assign(e.Speed());
    FView->Assign(source.Colouring().View());
    SetWordWrap(e.WordWrap());
    FWrapOption->Assign(e.WrapOption());
}

void TEditorProp::Assign(TEditorProp& source)
{
    SetFileExtList(source.FileExtList());
    SetColor(source.Color());
    FCaret->Assign(source.Caret());
    FFont->Assign(source.Font());
    FImagebar->Assign(source.Imagebar());
    FLeftbar->Assign(source.Leftbar());
    FMargin->Assign(source.Margin());
    FMarks->Assign(source.Marks());
    FReserveWordList.Assign(source.ReserveWordList());
    FRuler->Assign(source.Ruler());
    SetScrollBars(source.ScrollBars());
    FSpeed->Assign(source.Speed());
    FView->Assign(source.View());
    SetWordWrap(source.WordWrap());
    FWrapOption->Assign(source.WrapOption());
}

void TEditorProp::AssignTo(TColouredEditor& target)
{
    TEditor& e = target.Editor();
    TEditorColouring& colouring = target.Colouring();
    // The row states are computed once, after every setting is in.
    const bool wasLoading = colouring.Loading();
    colouring.SetLoading(true);
    e.SetColor(FColor);
    e.Caret().Assign(*FCaret);
    e.Font().Assign(*FFont);
    e.Imagebar().Assign(*FImagebar);
    e.Leftbar().Assign(*FLeftbar);
    e.Margin().Assign(*FMargin);
    e.Marks().Assign(*FMarks);
    colouring.SetReserveWordList(FReserveWordList);
    e.Ruler().Assign(*FRuler);
    e.SetScrollBars(FScrollBars);
    e.Speed().Assign(*FSpeed);
    colouring.SetView(*FView);
    // Options first when wrapping, last when not: the rows are rebuilt at most once.
    if (FWordWrap) {
        e.SetWrapOption(*FWrapOption);
        e.SetWordWrap(true);
    } else {
        e.SetWordWrap(false);
        e.SetWrapOption(*FWrapOption);
    }
    colouring.SetLoading(wasLoading);
}

void CopyDisplaySettings(TColouredEditor& from, TColouredEditor& to)
{
    TEditorProp prop;
    prop.Assign(from);
    prop.AssignTo(to);
    to.SetVnSettings(from.VnSettings());
    to.Colouring().SetFountain(from.Colouring().Fountain());
    to.Repaint();
}

void CopyEditorForSplit(TColouredEditor& from, TColouredEditor& to)
{
    TEditor& src = from.Editor();
    TEditor& dst = to.Editor();
    CopyDisplaySettings(from, to);
    dst.SetModified(src.Modified());
    to.SetImeMode(from.ImeMode());
    dst.SetOverWrite(src.OverWrite());
    dst.SetReadOnly(src.ReadOnly());
    dst.OnChange = src.OnChange;
    dst.OnCaretMoved = src.OnCaretMoved;
    dst.OnSelectionChange = src.OnSelectionChange;
    dst.OnSelectionModeChange = src.OnSelectionModeChange;
    dst.OnTopRowChange = src.OnTopRowChange;
    dst.OnTopColChange = src.OnTopColChange;
    to.Colouring().OnInvalidateRow = from.Colouring().OnInvalidateRow;
    to.Colouring().OnRepaint = from.Colouring().OnRepaint;
    to.CopyHandlersFrom(from);
    dst.AttachTo(src);
    dst.SetBoxSelection(src.BoxSelection());
    dst.SetTopRow(src.TopRow());
}
