#pragma once
// The editor's tokenizer: at each token start it tries, in a fixed order, brackets, mail
// addresses, URLs, the comment opener, the quotation character, '#' character codes and the
// hexadecimal prefix before the character table, and maps every token to a colour slot.
#include <string>

#include "colouring/FountainParser.h"

class TEditorFountain;

class TEditorParser : public TFountainParser {
public:
    explicit TEditorParser(TFountain* fountain);

    void StartRow(std::string_view text, const TRowParseState& state) override;
    const TFountainColor* TokenColor() override;

protected:
    void InitTables() override;
    void DispatchToken() override;

    virtual bool MatchQuotation();
    virtual void ScanQuotation();
    virtual bool MatchCommenter();
    virtual bool MatchHexPrefix();
    virtual bool MatchHexCharCode();
    virtual void ScanHexCharCode();
    virtual bool MatchCharCode();
    virtual void ScanCharCode();

private:
    TEditorFountain* FEditorFountain; // nullptr for a fountain of another kind
    // Settings as they stand at the row start.
    bool FMailOn = false;
    bool FUrlOn = false;
    bool FControlCodeOn = false;
    std::string FCommenter;
    std::string FHexPrefix;
    std::string FQuote; // one character: one or two bytes
};
