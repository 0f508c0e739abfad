#pragma once
// A fountain defines how an editor's text is cut into tokens and which colour each token gets:
// the bracket pairs, the reserved words and their colour, and the tokenizer class. Several
// editors may share one; every change reaches all of them through its notification list.
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "colouring/FileExtComponent.h"
#include "colouring/FountainColor.h"
#include "colouring/ReserveWordList.h"
#include "engine/Notify.h"

class TFountain;
class TFountainParser;

using TParserClass = std::unique_ptr<TFountainParser> (*)(TFountain* fountain);
// Visits one colour object with the name of the slot it sits in.
using TColorVisitor = std::function<void(std::string_view slot, TFountainColor& color)>;

// Masks of the bulk colour setter: which of the template's fields to copy.
enum : int {
    cmBkColor = 1,
    cmColor = 2,
    cmStyle = 4,
};

class TFountain : public TFileExtComponent {
public:
    TFountain();
    ~TFountain() override;
    TFountain(const TFountain&) = delete;
    TFountain& operator=(const TFountain&) = delete;

    TFountainBracketCollection& Brackets() { return *FBrackets; }
    const TFountainBracketCollection& Brackets() const { return *FBrackets; }
    // Copies the items; a 15th raises EFountainError, keeping those copied before it.
    void SetBrackets(const TFountainBracketCollection& v) { FBrackets->Assign(v); }
    TFountainColor& Reserve() { return *FReserve; }
    const TFountainColor& Reserve() const { return *FReserve; }
    void SetReserve(const TFountainColor& v) { FReserve->Assign(v); }
    TReserveWordList& ReserveWordList() { return FReserveWordList; }
    const TReserveWordList& ReserveWordList() const { return FReserveWordList; }
    void SetReserveWordList(const TReserveWordList& v) { FReserveWordList.Assign(v); }

    // Change handlers of the editors using this fountain; each is called with the fountain as
    // sender after every change made outside an update block.
    void AddChangeHandler(const TMethod& handler) { FNotifyEventList->Add(handler); }
    void RemoveChangeHandler(const TMethod& handler) { FNotifyEventList->Remove(handler); }
    // Handlers called (with the fountain as sender) when the fountain is destroyed.
    void AddFreeNotification(const TMethod& handler) { FFreeNotifies.Add(handler); }
    void RemoveFreeNotification(const TMethod& handler) { FFreeNotifies.Remove(handler); }
    void Changed()
    {
        ++FVersion;
        FNotifyEventList->Changed();
    }
    // Rises with every change of the fountain's settings, inside update blocks too.
    std::uint64_t Version() const { return FVersion; }
    void BeginUpdate() { FNotifyEventList->BeginUpdate(); }
    void EndUpdate() { FNotifyEventList->EndUpdate(); }
    TNotifyEventList& NotifyEventList() { return *FNotifyEventList; }

    // A new parser of this fountain's tokenizer class; raises EAbstractError for a fountain
    // that names none.
    std::unique_ptr<TFountainParser> CreateParser();
    // Whether any colour reachable from the fountain is italic.
    virtual bool HasItalic();
    // Gives every colour of the fountain's colour set (but the excluded slots) the template's
    // background (cmBkColor), font colour (cmColor) and/or style (cmStyle); one change.
    void ApplyColor(const TFountainColor& templ, int mask);

    // Every colour reachable from the fountain: its colour slots, those of its sub-objects and
    // the colour of every bracket item.
    virtual void VisitColors(const TColorVisitor& visit);

protected:
    // A colour whose changes are the fountain's.
    virtual std::unique_ptr<TFountainColor> CreateColor();
    virtual void CreateReserve();
    virtual std::unique_ptr<TFountainBracketCollection> CreateBrackets();
    virtual TParserClass ParserClass() const { return nullptr; }
    virtual void InitBrackets() {}
    virtual void InitReserveWords() {}
    virtual void VisitItalic(std::string_view slot, TFountainColor& color);
    virtual void VisitSetColor(std::string_view slot, TFountainColor& color);
    // The colours the bulk setter walks.
    virtual void VisitColorSet(const TColorVisitor& visit);
    virtual bool ExcludedFromApplyColor(std::string_view slot) const;

    // A derived fountain that makes its own bracket collection calls this from its
    // constructor (a base constructor cannot reach the derived CreateBrackets).
    void RecreateBrackets();

private:
    void WireBrackets();

    std::unique_ptr<TNotifyEventList> FNotifyEventList;
    std::unique_ptr<TFountainBracketCollection> FBrackets;
    TReserveWordList FReserveWordList;
    std::unique_ptr<TFountainColor> FReserve;
    TMethodList FFreeNotifies;

    std::uint64_t FVersion = 0;
    bool FItalic = false;
    TFountainColor FTemplate;
    int FMask = 0;
};
