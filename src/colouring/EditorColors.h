#pragma once
// The editor's colour slots, one per group of token kinds, plus the selection colour. The
// Reserve slot is the fountain's own reserved-word colour, not a copy.
#include <memory>

#include "colouring/FountainColor.h"

class TFountain;

class TEditorColor : public TFountainColor {};

class TEditorColors : public TNotifyPersistent {
public:
    explicit TEditorColors(TFountain* fountain);
    ~TEditorColors() override;
    TEditorColors(const TEditorColors&) = delete;
    TEditorColors& operator=(const TEditorColors&) = delete;

    TEditorColor& Ank() { return *FAnk; }
    TEditorColor& Comment() { return *FComment; }
    TEditorColor& DBCS() { return *FDBCS; }
    TEditorColor& Int() { return *FInt; }
    TEditorColor& Mail() { return *FMail; }
    TFountainColor& Reserve();
    TEditorColor& Select() { return *FSelect; }
    TEditorColor& Str() { return *FStr; }
    TEditorColor& Symbol() { return *FSymbol; }
    TEditorColor& Url() { return *FUrl; }
    const TEditorColor& Ank() const { return *FAnk; }
    const TEditorColor& Comment() const { return *FComment; }
    const TEditorColor& DBCS() const { return *FDBCS; }
    const TEditorColor& Int() const { return *FInt; }
    const TEditorColor& Mail() const { return *FMail; }
    const TFountainColor& Reserve() const;
    const TEditorColor& Select() const { return *FSelect; }
    const TEditorColor& Str() const { return *FStr; }
    const TEditorColor& Symbol() const { return *FSymbol; }
    const TEditorColor& Url() const { return *FUrl; }

    void SetAnk(const TFountainColor& v) { FAnk->Assign(v); }
    void SetComment(const TFountainColor& v) { FComment->Assign(v); }
    void SetDBCS(const TFountainColor& v) { FDBCS->Assign(v); }
    void SetInt(const TFountainColor& v) { FInt->Assign(v); }
    void SetMail(const TFountainColor& v) { FMail->Assign(v); }
    void SetReserve(const TFountainColor& v) { Reserve().Assign(v); }
    void SetSelect(const TFountainColor& v) { FSelect->Assign(v); }
    void SetStr(const TFountainColor& v) { FStr->Assign(v); }
    void SetSymbol(const TFountainColor& v) { FSymbol->Assign(v); }
    void SetUrl(const TFountainColor& v) { FUrl->Assign(v); }

    // Copies all ten slots; listeners hear one change.
    void Assign(const TEditorColors& source);

    // The ten slots with their names, in published order.
    template <class F>
    void ForEachSlot(F&& visit)
    {
        visit("Ank", Ank());
        visit("Comment", Comment());
        visit("DBCS", DBCS());
        visit("Int", Int());
        visit("Mail", Mail());
        visit("Reserve", Reserve());
        visit("Select", Select());
        visit("Str", Str());
        visit("Symbol", Symbol());
        visit("Url", Url());
    }

private:
    std::unique_ptr<TEditorColor> MakeSlot();

    TFountain* FFountain;
    std::unique_ptr<TEditorColor> FAnk, FComment, FDBCS, FInt, FMail, FSelect, FStr, FSymbol, FUrl;
};
