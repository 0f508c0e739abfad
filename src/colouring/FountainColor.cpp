#include "colouring/FountainColor.h"

#include "colouring/FountainErrors.h"

void TFountainColor::SetBkColor(TColor v)
{
    if (FBkColor != v) {
        FBkColor = v;
        Changed();
    }
}

void TFountainColor::SetColor(TColor v)
{
    if (FColor != v) {
        FColor = v;
        Changed();
    }
}

void TFountainColor::SetStyle(TFontStyles v)
{
    if (FStyle != v) {
        FStyle = v;
        Changed();
    }
}

void TFountainColor::Assign(const TFountainColor& source)
{
    BeginUpdate();
    SetBkColor(source.BkColor());
    SetColor(source.Color());
    SetStyle(source.Style());
    EndUpdate();
}

TFountainColorItem::TFountainColorItem(TNotifyCollection* collection)
    : TCollectionItem(collection)
{
    FItemColor.OnChange = [this](TObject*) { Changed(); };
}

void TFountainColorItem::Assign(const TCollectionItem& source)
{
    if (const auto* item = dynamic_cast<const TFountainColorItem*>(&source)) {
        FItemColor.Assign(item->ItemColor());
    }
}

void TFountainBracketItem::SetLeftBracket(std::string_view v)
{
    if (FLeftBracket != v) {
        FLeftBracket = v;
        Changed();
    }
}

void TFountainBracketItem::SetRightBracket(std::string_view v)
{
    if (FRightBracket != v) {
        FRightBracket = v;
        Changed();
    }
}

void TFountainBracketItem::Assign(const TCollectionItem& source)
{
    const auto* item = dynamic_cast<const TFountainBracketItem*>(&source);
    if (!item) {
        TFountainColorItem::Assign(source);
        return;
    }
    // One change for the three values.
    TNotifyCollection* owner = Collection();
    if (owner) {
        owner->BeginUpdate();
    }
    FLeftBracket = item->LeftBracket();
    FRightBracket = item->RightBracket();
    TFountainColorItem::Assign(source);
    if (owner) {
        owner->EndUpdate();
    } else {
        Changed();
    }
}

TFountainBracketItem* TFountainBracketCollection::Add()
{
    if (Count() >= MaxItems) {
        throw EFountainError("TFountainBracketCollection\r\nYou can not add item over " +
                             std::to_string(MaxItems));
    }
    return static_cast<TFountainBracketItem*>(TNotifyCollection::Add());
}

TFountainBracketItem* TFountainBracketCollection::AddPair(std::string_view left,
                                                           std::string_view right)
{
    BeginUpdate();
    struct Guard {
        TNotifyCollection* c;
        ~Guard() { c->EndUpdate(); }
    } guard{this};
    TFountainBracketItem* item = Add();
    item->SetLeftBracket(left);
    item->SetRightBracket(right);
    return item;
}

void TFountainBracketCollection::Update(TCollectionItem* item)
{
    ++FVersion;
    TNotifyCollection::Update(item);
}

std::unique_ptr<TCollectionItem> TFountainBracketCollection::CreateItem()
{
    return std::make_unique<TFountainBracketItem>(this);
}
