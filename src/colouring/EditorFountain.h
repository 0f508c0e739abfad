#pragma once
// The editor's own fountain: colour slots, a line-comment opener, a quotation character, a
// hexadecimal prefix, '#' character codes, and recognition of URLs and mail addresses.
#include <memory>
#include <string>
#include <string_view>

#include "colouring/EditorColors.h"
#include "colouring/Fountain.h"

class TEditorBracketCollection : public TFountainBracketCollection {
public:
    using TFountainBracketCollection::TFountainBracketCollection;
    // Each sets one field of every item's colour in one change.
    void SetBkColor(TColor v);
    void SetColor(TColor v);
    void SetStyle(TFontStyles v);
};

class TEditorFountain : public TFountain {
public:
    TEditorFountain();
    ~TEditorFountain() override;

    TEditorBracketCollection& Brackets()
    {
        return static_cast<TEditorBracketCollection&>(TFountain::Brackets());
    }
    const TEditorBracketCollection& Brackets() const
    {
        return static_cast<const TEditorBracketCollection&>(TFountain::Brackets());
    }
    TEditorColors& Colors() { return *FColors; }
    const TEditorColors& Colors() const { return *FColors; }
    void SetColors(const TEditorColors& v) { FColors->Assign(v); }

    // Opens a comment that runs to the row end; empty: no comments.
    const std::string& Commenter() const { return FCommenter; }
    void SetCommenter(std::string_view v);
    // '#13' and '#$0D' character codes.
    bool ControlCode() const { return FControlCode; }
    void SetControlCode(bool v);
    // Introduces a hexadecimal number (matched ignoring case); empty: none.
    const std::string& HexPrefix() const { return FHexPrefix; }
    void SetHexPrefix(std::string_view v);
    bool Mail() const { return FMail; }
    void SetMail(bool v);
    // Its first character delimits strings; empty: no strings.
    const std::string& Quotation() const { return FQuotation; }
    void SetQuotation(std::string_view v);
    bool Url() const { return FUrl; }
    void SetUrl(bool v);

    // Give every slot of Colors except Select one background colour, font colour or style,
    // in one change; the bracket colours stay.
    virtual void SetAllBkColor(TColor v);
    virtual void SetAllColor(TColor v);
    virtual void SetAllStyle(TFontStyles v);

    void VisitColors(const TColorVisitor& visit) override;

protected:
    virtual std::unique_ptr<TEditorColors> CreateColors();
    std::unique_ptr<TFountainBracketCollection> CreateBrackets() override;
    TParserClass ParserClass() const override;
    void VisitColorSet(const TColorVisitor& visit) override;
    bool ExcludedFromApplyColor(std::string_view slot) const override;

private:
    std::unique_ptr<TEditorColors> FColors;
    std::string FCommenter;
    bool FControlCode = false;
    std::string FHexPrefix;
    bool FMail = false;
    std::string FQuotation;
    bool FUrl = false;
};
