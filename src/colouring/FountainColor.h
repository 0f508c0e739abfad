#pragma once
// The colour record of a token kind, and the bracket pairs whose regions get a colour of their
// own. Every change is reported to the owner; assigning a whole record reports once.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Color.h"
#include "engine/Notify.h"

class TFountainColor : public TNotifyPersistent {
public:
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles v);

    // Copies all three values and reports one change.
    void Assign(const TFountainColor& source);
    bool SameAs(const TFountainColor& other) const
    {
        return FBkColor == other.FBkColor && FColor == other.FColor && FStyle == other.FStyle;
    }

private:
    TColor FBkColor = clNone;
    TColor FColor = clNone;
    TFontStyles FStyle = 0;
};

// A collection item that owns one colour; the colour's changes are the item's.
class TFountainColorItem : public TCollectionItem {
public:
    explicit TFountainColorItem(TNotifyCollection* collection);
    TFountainColor& ItemColor() { return FItemColor; }
    const TFountainColor& ItemColor() const { return FItemColor; }
    void SetItemColor(const TFountainColor& v) { FItemColor.Assign(v); }
    void Assign(const TCollectionItem& source) override;

private:
    TFountainColor FItemColor;
};

// A bracket pair: the region from LeftBracket to RightBracket (both compared byte for byte)
// is one token in ItemColor.
class TFountainBracketItem : public TFountainColorItem {
public:
    using TFountainColorItem::TFountainColorItem;
    const std::string& LeftBracket() const { return FLeftBracket; }
    void SetLeftBracket(std::string_view v);
    const std::string& RightBracket() const { return FRightBracket; }
    void SetRightBracket(std::string_view v);
    // Copies both strings, then the colour.
    void Assign(const TCollectionItem& source) override;

private:
    std::string FLeftBracket;
    std::string FRightBracket;
};

// The bracket pairs of a fountain in priority order. The item index is kept in four bits of
// each row's state, so there are at most 14.
class TFountainBracketCollection : public TNotifyCollection {
public:
    static constexpr int MaxItems = 14;
    using TNotifyCollection::TNotifyCollection;

    // Raises EFountainError once the collection is full.
    TFountainBracketItem* Add() override;
    // A new item with both brackets set, added in one change.
    TFountainBracketItem* AddPair(std::string_view left, std::string_view right);
    TFountainBracketItem* Items(int i) const
    {
        return static_cast<TFountainBracketItem*>(TNotifyCollection::Items(i));
    }
    // Rises with every change, reported or not, so a parser can tell when to look again.
    std::uint64_t Version() const { return FVersion; }
    void Update(TCollectionItem* item) override;

protected:
    std::unique_ptr<TCollectionItem> CreateItem() override;

private:
    std::uint64_t FVersion = 0;
};
