#include "colouring/EditorParser.h"

#include "platform/Cp932Bytes.h"
#include "colouring/EditorFountain.h"

namespace {

// The first character of `s`: two bytes after a lead byte.
std::string FirstChar(std::string_view s)
{
    if (s.empty()) {
        return {};
    }
    const bool wide = IsLeadByte(static_cast<unsigned char>(s[0])) && s.size() > 1 && s[1] != 0;
    return std::string(s.substr(0, wide ? 2 : 1));
}

} // namespace

TEditorParser::TEditorParser(TFountain* fountain)
    : TFountainParser(fountain)
    , FEditorFountain(dynamic_cast<TEditorFountain*>(fountain))
{
    InitTables();
    SettingsChanged(); // the base constructor could only read its own part
    InitDispatchBytes();
}

void TEditorParser::InitTables()
{
    TFountainParser::InitTables();
    FContTable[tokQuoted] = static_cast<TScanProc>(&TEditorParser::ScanQuotation);
    FContTable[tokCharCode] = static_cast<TScanProc>(&TEditorParser::ScanCharCode);
    FContTable[tokHexCharCode] = static_cast<TScanProc>(&TEditorParser::ScanHexCharCode);
}

void TEditorParser::SettingsChanged()
{
    if (FEditorFountain) {
        FMailOn = FEditorFountain->Mail();
        FUrlOn = FEditorFountain->Url();
        FControlCodeOn = FEditorFountain->ControlCode();
        FCommenter = FEditorFountain->Commenter();
        FHexPrefix = FEditorFountain->HexPrefix();
        FQuote = FirstChar(FEditorFountain->Quotation());
    }
    InitRuleStarts();
}

void TEditorParser::InitRuleStarts()
{
    static constexpr std::string_view kMailStarts =
        "!$%&*,-./0123456789;=?ABCDEFGHIJKLMNOPQRSTUVWXYZ^_abcdefghijklmnopqrstuvwxyz~";
    for (int c = 0; c < 256; ++c) {
        FRuleStarts[c] = BracketMayStart(static_cast<unsigned char>(c)) ? kRuleBracket : 0;
    }
    auto mark = [this](unsigned char c, std::uint8_t rule) { FRuleStarts[c] |= rule; };
    if (FMailOn) {
        for (char c : kMailStarts) {
            mark(static_cast<unsigned char>(c), kRuleMail);
        }
    }
    if (FUrlOn) {
        for (char c : std::string_view("fhw")) {
            mark(static_cast<unsigned char>(c), kRuleUrl);
        }
    }
    if (!FCommenter.empty()) {
        mark(static_cast<unsigned char>(FCommenter[0]), kRuleComment);
    }
    if (!FQuote.empty()) {
        mark(static_cast<unsigned char>(FQuote[0]), kRuleQuote);
    }
    if (FControlCodeOn) {
        mark('#', kRuleCharCode);
    }
    if (!FHexPrefix.empty()) {
        const auto c = static_cast<unsigned char>(FHexPrefix[0]);
        mark(c, kRuleHex);
        mark(cp932::AsciiUpper(c), kRuleHex);
        if (c >= 'A' && c <= 'Z') {
            mark(static_cast<unsigned char>(c - 'A' + 'a'), kRuleHex);
        }
    }
}

void TEditorParser::InitDispatchBytes()
{
    for (int c = 0; c < 256; ++c) {
        FDispatchAt[c] = FRuleStarts[c] != 0;
    }
}

void TEditorParser::DispatchToken()
{
    const std::uint8_t rules = FRuleStarts[Cur()];
    if (rules == 0) {
        RunCharTable(); // most tokens: no rule can start here
    } else if ((rules & kRuleBracket) && FOpenBracket == -1 && MatchLeftBracket()) {
        ScanBracketed();
    } else if ((rules & kRuleMail) && MatchMail()) {
        ScanMail();
    } else if ((rules & kRuleUrl) && MatchUrl()) {
        ScanUrl();
    } else if ((rules & kRuleComment) && MatchCommenter()) {
        ScanLineComment();
    } else if ((rules & kRuleQuote) && MatchQuotation()) {
        ScanQuotation();
    } else if ((rules & kRuleCharCode) && MatchHexCharCode()) {
        ScanHexCharCode();
    } else if ((rules & kRuleCharCode) && MatchCharCode()) {
        ScanCharCode();
    } else if ((rules & kRuleHex) && MatchHexPrefix()) {
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
    FPos += FCommenter.size();
    FBodyStart = FPos;
    return true;
}

bool TEditorParser::MatchQuotation()
{
    if (FQuote.empty() || !AtText(FQuote)) {
        return false;
    }
    FPos += FQuote.size();
    FBodyStart = FPos;
    return true;
}

void TEditorParser::ScanQuotation()
{
    if (FQuote.empty()) {
        FToken = tokEnd;
        return;
    }
    FToken = tokQuoted;
    for (;;) {
        if (IsEndByte(Cur())) {
            return; // open at the row end
        }
        if (AtText(FQuote)) {
            FPos += FQuote.size();
            if (!AtText(FQuote)) {
                return;
            }
            if (FPos == FCut) {
                FCutSplit = static_cast<int>(FQuote.size());
            }
            FPos += FQuote.size(); // a doubled quotation character stands for one
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
    FPos += 2;
    FBodyStart = FPos;
    return true;
}

void TEditorParser::ScanHexCharCode()
{
    FToken = tokHexCharCode;
    const char* p = FPos;
    while (cp932::IsHexDigit(static_cast<unsigned char>(*p))) {
        ++p;
    }
    FPos = p;
}

bool TEditorParser::MatchCharCode()
{
    if (!FControlCodeOn || Cur() != '#') {
        return false;
    }
    ++FPos;
    FBodyStart = FPos;
    return true;
}

void TEditorParser::ScanCharCode()
{
    FToken = tokCharCode;
    const char* p = FPos;
    while (cp932::IsDigit(static_cast<unsigned char>(*p))) {
        ++p;
    }
    FPos = p;
}

bool TEditorParser::MatchHexPrefix()
{
    const std::size_t n = FHexPrefix.size();
    if (n == 0 || static_cast<std::size_t>(FEnd - FPos) < n) {
        return false;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (cp932::AsciiUpper(static_cast<unsigned char>(FPos[i])) !=
            cp932::AsciiUpper(static_cast<unsigned char>(FHexPrefix[i]))) {
            return false;
        }
    }
    FPos += n;
    FBodyStart = FPos;
    return true;
}

const TFountainColor* TEditorParser::TokenColor()
{
    TFountain& fountain = Fountain();
    if (IsReservedWord()) {
        return &fountain.Reserve();
    }
    if (FToken == tokBracketed) {
        const auto& brackets = fountain.Brackets();
        if (FTokenBracket >= 0 && FTokenBracket < brackets.Count()) {
            return &brackets.Items(FTokenBracket)->ItemColor();
        }
        return nullptr;
    }
    if (FToken == tokReserved) {
        return &fountain.Reserve();
    }
    if (!FEditorFountain) {
        return nullptr;
    }
    TEditorColors& colors = FEditorFountain->Colors();
    switch (FToken) {
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
