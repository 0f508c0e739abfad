#pragma once
// The editor's tokenizer: at each token start it tries, in a fixed order, brackets, mail
// addresses, URLs, the comment opener, the quotation character, '#' character codes and the
// hexadecimal prefix before the character table, and maps every token to a colour slot.
#include <cstdint>
#include <string>

#include "colouring/FountainParser.h"

class TEditorFountain;

class TEditorParser : public TFountainParser {
public:
    explicit TEditorParser(TFountain* fountain);

    const TFountainColor* TokenColor() override;

protected:
    void InitTables() override;
    void DispatchToken() override;
    void SettingsChanged() override;

    // Which rules of DispatchToken can match at a token starting with a given byte; a byte
    // with none goes straight to the character table. A derived tokenizer that overrides a
    // Match operation marks the bytes its version can start with.
    enum : std::uint8_t {
        kRuleBracket = 1,
        kRuleMail = 2,
        kRuleUrl = 4,
        kRuleComment = 8,
        kRuleQuote = 16,
        kRuleCharCode = 32,
        kRuleHex = 64,
    };
    virtual void InitRuleStarts();
    void InitDispatchBytes() override;
    std::uint8_t FRuleStarts[256] = {};

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
