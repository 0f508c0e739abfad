#include "colouring/EditorColors.h"

#include "colouring/Fountain.h"

TEditorColors::TEditorColors(TFountain* fountain)
    : FFountain(fountain)
{
    FAnk = MakeSlot();
    FComment = MakeSlot();
    FDBCS = MakeSlot();
    FInt = MakeSlot();
    FMail = MakeSlot();
    FSelect = MakeSlot();
    FStr = MakeSlot();
    FSymbol = MakeSlot();
    FUrl = MakeSlot();
    // The selection shows inverted by default.
    FSelect->SetBkColor(clNavy);
    FSelect->SetColor(clWhite);
}

TEditorColors::~TEditorColors() = default;

std::unique_ptr<TEditorColor> TEditorColors::MakeSlot()
{
    auto c = std::make_unique<TEditorColor>();
    c->OnChange = [this](TObject* sender) { ChangedProc(sender); };
    return c;
}

TFountainColor& TEditorColors::Reserve()
{
    return FFountain->Reserve();
}

const TFountainColor& TEditorColors::Reserve() const
{
    return FFountain->Reserve();
}

void TEditorColors::Assign(const TEditorColors& source)
{
    if (&source == this) {
        return;
    }
    // Reserve reports to the fountain directly, so the fountain is held too.
    FFountain->BeginUpdate();
    BeginUpdate();
    FAnk->Assign(source.Ank());
    FComment->Assign(source.Comment());
    FDBCS->Assign(source.DBCS());
    FInt->Assign(source.Int());
    FMail->Assign(source.Mail());
    FStr->Assign(source.Str());
    FSymbol->Assign(source.Symbol());
    Reserve().Assign(source.Reserve());
    FUrl->Assign(source.Url());
    FSelect->Assign(source.Select());
    EndUpdate();
    FFountain->EndUpdate();
}
