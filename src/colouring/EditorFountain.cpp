#include "colouring/EditorFountain.h"

#include "colouring/EditorParser.h"

namespace {

template <class F>
void ForEachItemColor(TFountainBracketCollection& brackets, F&& f)
{
    brackets.BeginUpdate();
    struct Guard {
        TNotifyCollection* c;
        ~Guard() { c->EndUpdate(); }
    } guard{&brackets};
    for (int i = 0; i < brackets.Count(); ++i) {
        f(brackets.Items(i)->ItemColor());
    }
}

std::unique_ptr<TFountainParser> MakeEditorParser(TFountain* fountain)
{
    return std::make_unique<TEditorParser>(fountain);
}

} // namespace

void TEditorBracketCollection::SetBkColor(TColor v)
{
    ForEachItemColor(*this, [v](TFountainColor& c) { c.SetBkColor(v); });
}

void TEditorBracketCollection::SetColor(TColor v)
{
    ForEachItemColor(*this, [v](TFountainColor& c) { c.SetColor(v); });
}

void TEditorBracketCollection::SetStyle(TFontStyles v)
{
    ForEachItemColor(*this, [v](TFountainColor& c) { c.SetStyle(v); });
}

TEditorFountain::TEditorFountain()
{
    RecreateBrackets();
    FColors = CreateColors();
}

TEditorFountain::~TEditorFountain()
{
    FColors->OnChange = nullptr;
}

std::unique_ptr<TEditorColors> TEditorFountain::CreateColors()
{
    auto colors = std::make_unique<TEditorColors>(this);
    colors->OnChange = [this](TObject*) { Changed(); };
    return colors;
}

std::unique_ptr<TFountainBracketCollection> TEditorFountain::CreateBrackets()
{
    return std::make_unique<TEditorBracketCollection>(this);
}

TParserClass TEditorFountain::ParserClass() const
{
    return &MakeEditorParser;
}

void TEditorFountain::SetCommenter(std::string_view v)
{
    if (FCommenter != v) {
        FCommenter = v;
        Changed();
    }
}

void TEditorFountain::SetControlCode(bool v)
{
    if (FControlCode != v) {
        FControlCode = v;
        Changed();
    }
}

void TEditorFountain::SetHexPrefix(std::string_view v)
{
    if (FHexPrefix != v) {
        FHexPrefix = v;
        Changed();
    }
}

void TEditorFountain::SetMail(bool v)
{
    if (FMail != v) {
        FMail = v;
        Changed();
    }
}

void TEditorFountain::SetQuotation(std::string_view v)
{
    if (FQuotation != v) {
        FQuotation = v;
        Changed();
    }
}

void TEditorFountain::SetUrl(bool v)
{
    if (FUrl != v) {
        FUrl = v;
        Changed();
    }
}

void TEditorFountain::SetAllBkColor(TColor v)
{
    TFountainColor templ;
    templ.SetBkColor(v);
    ApplyColor(templ, cmBkColor);
}

void TEditorFountain::SetAllColor(TColor v)
{
    TFountainColor templ;
    templ.SetColor(v);
    ApplyColor(templ, cmColor);
}

void TEditorFountain::SetAllStyle(TFontStyles v)
{
    TFountainColor templ;
    templ.SetStyle(v);
    ApplyColor(templ, cmStyle);
}

void TEditorFountain::VisitColors(const TColorVisitor& visit)
{
    TFountain::VisitColors(visit);
    VisitColorSet(visit);
}

void TEditorFountain::VisitColorSet(const TColorVisitor& visit)
{
    FColors->ForEachSlot([&visit](std::string_view slot, TFountainColor& c) { visit(slot, c); });
}

bool TEditorFountain::ExcludedFromApplyColor(std::string_view slot) const
{
    return slot == "Select";
}
