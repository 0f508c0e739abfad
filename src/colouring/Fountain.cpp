#include "colouring/Fountain.h"

#include <vector>

#include "colouring/FountainErrors.h"
#include "colouring/FountainParser.h"

TFountain::TFountain()
    : FNotifyEventList(std::make_unique<TNotifyEventList>(this))
{
    RecreateBrackets();
    InitBrackets();
    FReserveWordList.OnChange = [this] { Changed(); };
    InitReserveWords();
    CreateReserve();
}

TFountain::~TFountain()
{
    std::vector<TMethod> handlers;
    for (int i = 0; i < FFreeNotifies.Count(); ++i) {
        handlers.push_back(FFreeNotifies.Items(i));
    }
    for (const TMethod& m : handlers) {
        if (m.Code) {
            m.Code(m.Receiver, this);
        }
    }
    // Nothing may report to the list once it is gone.
    FBrackets->OnChange = nullptr;
    FReserveWordList.OnChange = nullptr;
    FReserve->OnChange = nullptr;
    FNotifyEventList.reset();
    FBrackets.reset();
    FReserveWordList.Clear();
    FReserve.reset();
}

std::unique_ptr<TFountainColor> TFountain::CreateColor()
{
    auto color = std::make_unique<TFountainColor>();
    color->OnChange = [this](TObject*) { Changed(); };
    return color;
}

void TFountain::CreateReserve()
{
    FReserve = CreateColor();
}

std::unique_ptr<TFountainBracketCollection> TFountain::CreateBrackets()
{
    return std::make_unique<TFountainBracketCollection>(this);
}

void TFountain::RecreateBrackets()
{
    FBrackets = CreateBrackets();
    WireBrackets();
}

void TFountain::WireBrackets()
{
    FBrackets->OnChange = [this](TObject*) { Changed(); };
}

std::unique_ptr<TFountainParser> TFountain::CreateParser()
{
    const TParserClass make = ParserClass();
    if (!make) {
        throw EAbstractError();
    }
    return make(this);
}

void TFountain::VisitColors(const TColorVisitor& visit)
{
    visit("Reserve", *FReserve);
    for (int i = 0; i < FBrackets->Count(); ++i) {
        visit("ItemColor", FBrackets->Items(i)->ItemColor());
    }
}

void TFountain::VisitColorSet(const TColorVisitor& visit)
{
    visit("Reserve", *FReserve);
}

bool TFountain::ExcludedFromApplyColor(std::string_view) const
{
    return false;
}

void TFountain::VisitItalic(std::string_view, TFountainColor& color)
{
    if (color.Style() & fsItalic) {
        FItalic = true;
    }
}

bool TFountain::HasItalic()
{
    FItalic = false;
    VisitColors([this](std::string_view slot, TFountainColor& c) { VisitItalic(slot, c); });
    return FItalic;
}

void TFountain::VisitSetColor(std::string_view slot, TFountainColor& color)
{
    if (ExcludedFromApplyColor(slot)) {
        return;
    }
    if (FMask & cmBkColor) {
        color.SetBkColor(FTemplate.BkColor());
    }
    if (FMask & cmColor) {
        color.SetColor(FTemplate.Color());
    }
    if (FMask & cmStyle) {
        color.SetStyle(FTemplate.Style());
    }
}

void TFountain::ApplyColor(const TFountainColor& templ, int mask)
{
    FTemplate.Assign(templ);
    FMask = mask;
    BeginUpdate();
    struct Guard {
        TFountain* f;
        ~Guard() { f->EndUpdate(); }
    } guard{this};
    VisitColorSet([this](std::string_view slot, TFountainColor& c) { VisitSetColor(slot, c); });
}
