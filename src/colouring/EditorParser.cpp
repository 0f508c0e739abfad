#include "colouring/EditorParser.h"

#include "colouring/Cp932Bytes.h"
#include "colouring/EditorFountain.h"

namespace {

// The first character of `s`: two bytes after a lead byte.
std::string FirstChar(std::string_view s)
{
    if (s.empty()) {
        return {};
    }
    const bool wide = cp932::IsLeadByte(static_cast<unsigned char>(s[0])) && s.size() > 1 && s[1] != 0;
    return std::string(s.substr(0, wide ? 2 : 1));
}

} // namespace

TEditorParser::TEditorParser(TFountain* fountain)
    : TFountainParser(fountain)
    , FEditorFountain(dynamic_cast<TEditorFountain*>(fountain))
{
    InitTables();
}

void TEditorParser::InitTables()
{
    TFountainParser::InitTables();
    fContTable[tokQuoted] = static_cast<TScanProc>(&TEditorParser::ScanQuotation);
    fContTable[tokCharCode] = static_cast<TScanProc>(&TEditorParser::ScanCharCode);
    fContTable[tokHexCharCode] = static_cast<TScanProc>(&TEditorParser::ScanHexCharCode);
}

void TEditorParser::StartRow(std::string_view text, const TRowParseState& state)
{
    TFountainParser::StartRow(text, state);
    if (FEditorFountain) {
        FMailOn = FEditorFountain->Mail();
        FUrlOn = FEditorFountain->Url();
        FControlCodeOn = FEditorFountain->ControlCode();
        FCommenter = FEditorFountain->Commenter();
        FHexPrefix = FEditorFountain->HexPrefix();
        FQuote = FirstChar(FEditorFountain->Quotation());
    }
}

void TEditorParser::DispatchToken()
{
    if (fOpenBracket == -1 && MatchLeftBracket()) {
        ScanBracketed();
    } else if (FMailOn && MatchMail()) {
        ScanMail();
    } else if (FUrlOn && MatchUrl()) {
        ScanUrl();
    } else if (MatchCommenter()) {
        ScanLineComment();
    } else if (MatchQuotation()) {
        ScanQuotation();
    } else if (MatchHexCharCode()) {
        ScanHexCharCode();
    } else if (MatchCharCode()) {
        ScanCharCode();
    } else if (MatchHexPrefix()) {
        ScanHexDigits();
    } else {
        RunCharTable();
    }
}

bool TEditorParser::MatchCommenter()
{
    if (FCommenter.empty() || !AtText(FCommenter)) {
        return false;
    }
    fPos += FCommenter.size();
    return true;
}

bool TEditorParser::MatchQuotation()
{
    if (FQuote.empty() || !AtText(FQuote)) {
        return false;
    }
    fPos += FQuote.size();
    return true;
}

void TEditorParser::ScanQuotation()
{
    if (FQuote.empty()) {
        fToken = tokEnd;
        return;
    }
    fToken = tokQuoted;
    for (;;) {
        if (IsEndByte(Cur())) {
            return; // open at the row end
        }
        if (AtText(FQuote)) {
            fPos += FQuote.size();
            if (!AtText(FQuote)) {
                return;
            }
            fPos += FQuote.size(); // a doubled quotation character stands for one
            continue;
        }
        AdvanceChar();
    }
}

bool TEditorParser::MatchHexCharCode()
{
    if (!FControlCodeOn || Cur() != '#' || Next() != '$') {
        return false;
    }
    fPos += 2;
    return true;
}

void TEditorParser::ScanHexCharCode()
{
    fToken = tokHexCharCode;
    while (cp932::IsHexDigit(Cur())) {
        ++fPos;
    }
}

bool TEditorParser::MatchCharCode()
{
    if (!FControlCodeOn || Cur() != '#') {
        return false;
    }
    ++fPos;
    return true;
}

void TEditorParser::ScanCharCode()
{
    fToken = tokCharCode;
    while (cp932::IsDigit(Cur())) {
        ++fPos;
    }
}

bool TEditorParser::MatchHexPrefix()
{
    const std::size_t n = FHexPrefix.size();
    if (n == 0 || static_cast<std::size_t>(fEnd - fPos) < n) {
        return false;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (cp932::AsciiUpper(static_cast<unsigned char>(fPos[i])) !=
            cp932::AsciiUpper(static_cast<unsigned char>(FHexPrefix[i]))) {
            return false;
        }
    }
    fPos += n;
    return true;
}

const TFountainColor* TEditorParser::TokenColor()
{
    TFountain& fountain = Fountain();
    if (IsReservedWord()) {
        return &fountain.Reserve();
    }
    if (fToken == tokBracketed) {
        const auto& brackets = fountain.Brackets();
        if (fTokenBracket >= 0 && fTokenBracket < brackets.Count()) {
            return &brackets.Items(fTokenBracket)->ItemColor();
        }
        return nullptr;
    }
    if (fToken == tokReserved) {
        return &fountain.Reserve();
    }
    if (!FEditorFountain) {
        return nullptr;
    }
    TEditorColors& colors = FEditorFountain->Colors();
    switch (fToken) {
    case tokSymbol:
        return &colors.Symbol();
    case tokInteger:
    case tokFloat:
    case tokHexNumber:
        return &colors.Int();
    case tokLineComment:
        return &colors.Comment();
    case tokWord:
        return &colors.Ank();
    case tokWideSymbol:
    case tokWideDigits:
    case tokWideLatin:
    case tokHiragana:
    case tokKatakana:
    case tokKanji:
    case tokHalfKanaSymbol:
    case tokHalfKana:
        return &colors.DBCS();
    case tokUrl:
        return &colors.Url();
    case tokMail:
        return &colors.Mail();
    case tokQuoted:
    case tokCharCode:
    case tokHexCharCode:
        return &colors.Str();
    default:
        return nullptr;
    }
}
