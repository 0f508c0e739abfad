#include "colouring/FountainParser.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/Cp932Bytes.h"
#include "colouring/Fountain.h"
#include "colouring/FountainErrors.h"

namespace {

using ByteSet = std::array<bool, 256>;

constexpr ByteSet MakeSet(std::string_view chars, bool alnum)
{
    ByteSet set{};
    for (char c : chars) {
        set[static_cast<unsigned char>(c)] = true;
    }
    if (alnum) {
        for (int c = '0'; c <= '9'; ++c) set[c] = true;
        for (int c = 'A'; c <= 'Z'; ++c) set[c] = true;
        for (int c = 'a'; c <= 'z'; ++c) set[c] = true;
    }
    return set;
}

constexpr ByteSet kMailChars = MakeSet("!$%&*,-./;=?@^_~", true);
constexpr ByteSet kUrlChars = MakeSet("#%&+-./:=?_~", true);
constexpr ByteSet kWordChars = MakeSet("_", true);

constexpr ByteSet MakeBlanks()
{
    ByteSet set{};
    for (int c = 0x01; c <= 0x20; ++c) {
        set[c] = c != 0x09;
    }
    return set;
}
constexpr ByteSet kBlanks = MakeBlanks();

constexpr bool In(unsigned char c, unsigned lo, unsigned hi) { return c >= lo && c <= hi; }

// 'ー' and '－', which continue hiragana and katakana runs.
constexpr bool IsProlong(unsigned char lead, unsigned char trail)
{
    return lead == 0x81 && (trail == 0x5B || trail == 0x7C);
}

constexpr std::size_t kPadding = 4; // NUL bytes after the text

// Steps over bytes of a class. Works on a local copy of the position: the compiler cannot
// keep a member pointer in a register across byte loads.
template <class Pred>
const char* SkipWhile(const char* p, Pred inClass)
{
    while (inClass(static_cast<unsigned char>(*p))) {
        ++p;
    }
    return p;
}

} // namespace

TFountainParser::TFountainParser(TFountain* fountain)
    : FFountain(fountain)
{
    if (!fountain) {
        throw EFountainError("TFountainParser.Create need instance of TFountain");
    }
    InitTables();
    StartRow({}, TRowParseState::First());
}

void TFountainParser::InitTables()
{
    using P = TFountainParser;
    for (int c = 0; c < 256; ++c) {
        const auto b = static_cast<unsigned char>(c);
        TScanProc proc = &P::ScanSymbol;
        if (b == 0x00) proc = &P::ScanEnd;
        else if (b == 0x09) proc = &P::ScanTab;
        else if (b == 0x0A) proc = &P::ScanLineFeed;
        else if (b == 0x0D) proc = &P::ScanCarriageReturn;
        else if (cp932::IsDigit(b)) proc = &P::ScanNumber;
        else if (kWordChars[b]) proc = &P::ScanWord;
        else if (b == 0x81 || In(b, 0x84, 0x87)) proc = &P::ScanWideSymbol;
        else if (b == 0x82 || b == 0x83) proc = &P::ScanWideRun;
        else if (cp932::IsKanjiLead(b)) proc = &P::ScanKanji;
        else if (In(b, 0xA1, 0xA5)) proc = &P::ScanHalfKanaSymbol;
        else if (In(b, 0xA6, 0xDF)) proc = &P::ScanHalfKana;
        FCharTable[c] = proc;
        FContTable[c] = &P::ScanSymbol;
    }
    FContTable[tokInteger] = &P::ScanNumber;
    FContTable[tokFloat] = &P::ContinueFraction;
    FContTable[tokBracketed] = &P::ScanBracketed;
    FContTable[tokLineComment] = &P::ScanLineComment;
    FContTable[tokReserved] = &P::ContinueReserved;
    FContTable[tokWord] = &P::ScanWord;
    FContTable[tokWideSymbol] = &P::ScanWideSymbol;
    for (int k = tokWideDigits; k <= tokKatakana; ++k) {
        FContTable[k] = &P::ContinueWideRun;
    }
    FContTable[tokKanji] = &P::ScanKanji;
    FContTable[tokHalfKanaSymbol] = &P::ScanHalfKanaSymbol;
    FContTable[tokHalfKana] = &P::ScanHalfKana;
    FContTable[tokUrl] = &P::ScanUrl;
    FContTable[tokMail] = &P::ScanMail;
    FContTable[tokHexNumber] = &P::ScanHexDigits;
    FContTable[tokSingleQuoted] = &P::ScanSingleQuoted;
    FContTable[tokDoubleQuoted] = &P::ScanDoubleQuoted;
}

void TFountainParser::LoadBrackets()
{
    std::fill(std::begin(FBracketFirst), std::end(FBracketFirst), false);
    const auto& brackets = FFountain->Brackets();
    FBracketCount = std::min(brackets.Count(), kMaxBrackets);
    for (int i = 0; i < FBracketCount; ++i) {
        const auto& item = *brackets.Items(i);
        FBrackets[i] = {item.LeftBracket(), item.RightBracket()};
        if (!FBrackets[i].Left.empty()) {
            FBracketFirst[static_cast<unsigned char>(FBrackets[i].Left[0])] = true;
        }
    }
}

TFountainParser::TBracketView TFountainParser::Bracket(int index) const
{
    if (index < 0 || index >= FBracketCount) {
        return {};
    }
    return FBrackets[index];
}

void TFountainParser::StartRow(std::string_view text, const TRowParseState& state)
{
    // A NUL inside the row ends it; the copy gets NUL padding so that scanners may look one
    // byte ahead without bounds checks.
    const void* nul = text.empty() ? nullptr : std::memchr(text.data(), 0, text.size());
    if (nul) {
        text = text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
    }
    if (FCapacity < text.size() + kPadding) {
        FCapacity = std::max(text.size() + kPadding, FCapacity * 2);
        FBuffer = std::make_unique<char[]>(FCapacity);
    }
    char* buf = FBuffer.get();
    if (!text.empty()) {
        std::memcpy(buf, text.data(), text.size());
    }
    std::memset(buf + text.size(), 0, kPadding);
    FRowStart = FPos = FTokenStart = buf;
    FEnd = buf + text.size();

    FTokenBracket = -2;
    // A state that was never computed (-2) holds no open region.
    FOpenBracket = state.OpenBracket < -1 ? -1 : state.OpenBracket;
    FAuxIndex = state.AuxIndex;
    FAuxFlags = state.AuxFlags;
    FCarryBytes = state.CarryBytes;
    FCarryKind = state.CarryToken;
    FContinued = false;
    FToken = tokEnd;
    FMailFailEnd = nullptr;
    FCut = nullptr;
    FCutSplit = 0;
    if (FFountain->Version() != FFountainVersion ||
        FFountain->Brackets().Version() != FBracketVersion) {
        FFountainVersion = FFountain->Version();
        FBracketVersion = FFountain->Brackets().Version();
        LoadBrackets();
        SettingsChanged();
        InitDispatchBytes();
    }
}

int TFountainParser::NextToken()
{
    // A token carried over from the previous row starts at the row's first byte: blanks there
    // are inside it (a string or a region that the wrap cut) and take its colour.
    if (FCarryKind == 0) {
        SkipSpaces();
    }
    FTokenStart = FBodyStart = FPos;
    FContinued = FCarryKind != 0;
    const unsigned char c = Cur();
    if (IsEndByte(c)) {
        FToken = tokEnd;
    } else if (FCarryKind != 0) {
        ContinueCarried();
    } else if (FOpenBracket < 0) {
        // Where no rule can start, DispatchToken would only look the byte up in the table.
        if (FDispatchAt[c]) {
            DispatchToken();
        } else {
            RunCharTable();
        }
    } else {
        ScanBracketed();
    }
    if (FToken != tokEnd && FPos == FTokenStart && !FContinued) {
        // A scanner that consumed nothing would stall the caller's token loop.
        FPos = std::min(FPos + 1, FEnd);
        FToken = tokSymbol;
    }
    return FToken;
}

void TFountainParser::SkipSpaces()
{
    const char* p = FPos;
    while (kBlanks[static_cast<unsigned char>(*p)]) {
        ++p;
    }
    FPos = p;
}

void TFountainParser::AdvanceChar()
{
    if (FPos >= FEnd) {
        return;
    }
    FPos += (IsLeadByte(Cur()) && Next() != 0) ? 2 : 1;
}

bool TFountainParser::AtText(std::string_view s) const
{
    return s.empty() || (static_cast<std::size_t>(FEnd - FPos) >= s.size() &&
                         std::memcmp(FPos, s.data(), s.size()) == 0);
}

void TFountainParser::ContinueCarried()
{
    const int kind = FCarryKind & kCarryKindMask;
    const bool goesOn = (FCarryKind & kCarryGoesOn) != 0;
    if (FCarryBytes > 0) {
        FToken = kind;
        const auto count = std::min<std::ptrdiff_t>(FCarryBytes, FEnd - FRowStart);
        FPos = std::max(FPos, FRowStart + count);
        if (FToken == tokBracketed && !goesOn) {
            // The end of the region, closing bracket included.
            FTokenBracket = FOpenBracket;
            FOpenBracket = -1;
        }
    }
    if (FCarryBytes <= 0 || goesOn) {
        (this->*(kind > 0 ? FContTable[kind] : &TFountainParser::ScanSymbol))();
    }
    FCarryKind = 0;
    FCarryBytes = 0;
}

void TFountainParser::InitDispatchBytes()
{
    std::copy(std::begin(FBracketFirst), std::end(FBracketFirst), std::begin(FDispatchAt));
}

void TFountainParser::DispatchToken()
{
    if (FOpenBracket == -1 && FBracketFirst[Cur()] && MatchLeftBracket()) {
        ScanBracketed();
    } else {
        RunCharTable();
    }
}

bool TFountainParser::MatchLeftBracket()
{
    if (!FBracketFirst[Cur()]) {
        return false;
    }
    for (int i = 0; i < FBracketCount; ++i) {
        const auto left = FBrackets[i].Left;
        if (!left.empty() && AtText(left)) {
            FOpenBracket = i;
            FPos += left.size();
            FBodyStart = FPos;
            return true;
        }
    }
    return false;
}

void TFountainParser::ScanBracketed()
{
    const auto right = Bracket(FOpenBracket).Right;
    if (right.empty()) {
        FToken = tokEnd;
        return;
    }
    FToken = tokBracketed;
    FTokenBracket = FOpenBracket;
    const char first = right[0];
    const char* p = FPos;
    for (;;) {
        const auto c = static_cast<unsigned char>(*p);
        if (IsEndByte(c)) {
            FPos = p;
            return; // the region stays open into the next row
        }
        if (*p == first && static_cast<std::size_t>(FEnd - p) >= right.size() &&
            std::memcmp(p, right.data(), right.size()) == 0) {
            FPos = p + right.size();
            FOpenBracket = -1;
            return;
        }
        p += (IsLeadByte(c) && p[1] != 0) ? 2 : 1;
    }
}

bool TFountainParser::MatchMail()
{
    const char* p = FPos;
    auto c = static_cast<unsigned char>(*p);
    if (!kMailChars[c] || c == '@' || p < FMailFailEnd) {
        return false;
    }
    bool seenAt = false;
    for (;; ++p) {
        c = static_cast<unsigned char>(*p);
        if (!kMailChars[c]) {
            FMailFailEnd = p;
            return false;
        }
        if (c == '@') {
            seenAt = true;
        } else if (c == '.' && seenAt) {
            FPos = p + 1;
            return true;
        }
    }
}

void TFountainParser::ScanMail()
{
    FToken = tokMail;
    FPos = SkipWhile(FPos, [](unsigned char c) { return kMailChars[c]; });
}

bool TFountainParser::MatchUrl()
{
    std::string_view prefix;
    switch (Cur()) {
    case 'f':
        prefix = "ftp:";
        break;
    case 'h':
        prefix = AtText("http:") ? "http:" : "https:";
        break;
    case 'w':
        prefix = "www.";
        break;
    default:
        return false;
    }
    if (!AtText(prefix)) {
        return false;
    }
    FPos += prefix.size();
    FBodyStart = FPos;
    return true;
}

void TFountainParser::ScanUrl()
{
    FToken = tokUrl;
    FPos = SkipWhile(FPos, [](unsigned char c) { return kUrlChars[c]; });
}

void TFountainParser::ContinueReserved()
{
    RunCharTable();
    FToken = tokReserved;
}

void TFountainParser::ScanEnd()
{
    FToken = tokEnd;
}

void TFountainParser::ScanTab()
{
    FToken = tokTab;
    if (Cur() == 0x09) {
        ++FPos;
    }
}

void TFountainParser::ScanLineFeed()
{
    FToken = tokEnd;
    if (Cur() == '\n') {
        ++FPos;
    }
}

void TFountainParser::ScanCarriageReturn()
{
    FToken = tokEnd;
    if (Cur() == '\r') {
        ++FPos;
        if (Cur() == '\n') {
            ++FPos;
        }
    }
}

void TFountainParser::ScanLineComment()
{
    FToken = tokLineComment;
    FPos = SkipWhile(FPos, [](unsigned char c) { return !IsEndByte(c); });
}

void TFountainParser::ScanHexDigits()
{
    FToken = tokHexNumber;
    FPos = SkipWhile(FPos, cp932::IsHexDigit);
}

void TFountainParser::ScanExponent()
{
    ++FPos; // 'E' or 'e'
    if (Cur() == '+' || Cur() == '-') {
        ++FPos;
    }
    while (cp932::IsDigit(Cur())) {
        ++FPos;
    }
}

void TFountainParser::ScanNumber()
{
    FToken = tokInteger;
    FPos = SkipWhile(FPos, cp932::IsDigit);
    const unsigned char c = Cur();
    if (c == '.') {
        FToken = tokFloat;
        const unsigned char n = Next();
        if (cp932::IsDigit(n)) {
            ++FPos;
            while (cp932::IsDigit(Cur())) {
                ++FPos;
            }
            if (Cur() == 'E' || Cur() == 'e') {
                ScanExponent();
            }
        } else if (n == 'E' || n == 'e') {
            ++FPos;
            ScanExponent();
        }
    } else if (c == 'E' || c == 'e') {
        FToken = tokFloat;
        ScanExponent();
    }
}

void TFountainParser::ContinueFraction()
{
    // A number cut by the wrap after its '.' or exponent letter goes on with the digits and
    // exponent that may follow there; a second '.' is no part of it.
    FToken = tokFloat;
    if (Cur() == '+' || Cur() == '-') {
        ++FPos; // cut right after the exponent letter
        FPos = SkipWhile(FPos, cp932::IsDigit);
        return;
    }
    FPos = SkipWhile(FPos, cp932::IsDigit);
    if (Cur() == 'E' || Cur() == 'e') {
        ScanExponent();
    }
}

bool TFountainParser::HasPointOrExponent(const char* from, const char* to)
{
    for (const char* p = from; p < to; ++p) {
        if (*p == '.' || *p == 'E' || *p == 'e') {
            return true;
        }
    }
    return false;
}

void TFountainParser::ScanWord()
{
    FToken = tokWord;
    const char* p = FPos;
    while (kWordChars[static_cast<unsigned char>(*p)]) {
        ++p;
    }
    FPos = p;
}

void TFountainParser::ScanWideSymbol()
{
    FToken = tokWideSymbol;
    const unsigned char lead = Cur();
    const unsigned char trail = Next();
    const bool wide = lead == 0x81 || In(lead, 0x84, 0x87) ||
                      (lead == 0x83 && In(trail, 0x97, 0xF0)) ||
                      (lead == 0x82 && (In(trail, 0x40, 0x4E) || In(trail, 0x59, 0x5F) ||
                                        In(trail, 0x7A, 0x80) || In(trail, 0x9B, 0x9E) ||
                                        trail >= 0xF2));
    if (wide) {
        FPos += trail != 0 ? 2 : 1; // a lead byte at the very end stands alone
    }
}

namespace {

// Whether the character lead, trail goes on a run of the given kind.
constexpr bool InWideRun(int kind, unsigned char l, unsigned char t)
{
    switch (kind) {
    case tokWideDigits:
        return (l == 0x82 && In(t, 0x4F, 0x58)) || (l == 0x81 && (t == 0x43 || t == 0x44));
    case tokWideLatin:
        return l == 0x82 && (In(t, 0x60, 0x79) || In(t, 0x81, 0x9A));
    case tokHiragana:
        return (l == 0x82 && In(t, 0x9F, 0xF1)) || IsProlong(l, t);
    case tokKatakana:
        return (l == 0x83 && In(t, 0x40, 0x96)) || IsProlong(l, t);
    default:
        return false;
    }
}

} // namespace

void TFountainParser::RunOfWide(int kind)
{
    FToken = kind;
    const char* p = FPos;
    while (InWideRun(kind, static_cast<unsigned char>(p[0]), static_cast<unsigned char>(p[1]))) {
        p += 2;
    }
    FPos = p;
}

void TFountainParser::ScanWideRun()
{
    const unsigned char lead = Cur();
    const unsigned char trail = Next();
    if (lead != 0x82 && lead != 0x83) {
        // Only a derived table sends other bytes here: the whole character, never half of it.
        FToken = tokWideSymbol;
        AdvanceChar();
        return;
    }
    if (trail < 0x40 || (lead == 0x83 && trail >= 0xF1)) {
        // Not a character of these rows: the lead byte alone.
        FToken = tokSymbol;
        ++FPos;
        return;
    }
    if (lead == 0x82 && In(trail, 0x4F, 0x58)) {
        RunOfWide(tokWideDigits);
    } else if (lead == 0x82 && (In(trail, 0x60, 0x79) || In(trail, 0x81, 0x9A))) {
        RunOfWide(tokWideLatin);
    } else if (lead == 0x82 && In(trail, 0x9F, 0xF1)) {
        RunOfWide(tokHiragana);
    } else if (lead == 0x83 && In(trail, 0x40, 0x96)) {
        RunOfWide(tokKatakana);
    } else {
        FToken = tokWideSymbol;
        FPos += 2;
    }
}

void TFountainParser::ContinueWideRun()
{
    // A run cut by the wrap goes on over what continues that run, 'ー' and '，' included,
    // although neither could start it.
    const int kind = FCarryKind & kCarryKindMask;
    if (InWideRun(kind, Cur(), Next())) {
        RunOfWide(kind);
    } else {
        RunCharTable(); // the state no longer fits the text: scan it afresh
    }
}

void TFountainParser::ScanKanji()
{
    FToken = tokKanji;
    const char* p = FPos;
    while (cp932::IsKanjiLead(static_cast<unsigned char>(*p))) {
        p += p[1] != 0 ? 2 : 1;
    }
    FPos = p;
}

void TFountainParser::ScanHalfKanaSymbol()
{
    FToken = tokHalfKanaSymbol;
    if (In(Cur(), 0xA1, 0xA5)) {
        ++FPos;
    }
}

void TFountainParser::ScanHalfKana()
{
    FToken = tokHalfKana;
    FPos = SkipWhile(FPos, [](unsigned char c) { return In(c, 0xA6, 0xDF); });
}

void TFountainParser::ScanSymbol()
{
    FToken = tokSymbol;
    if (!IsEndByte(Cur())) {
        ++FPos;
    }
}

void TFountainParser::ScanQuoted(char quote)
{
    const char* p = FPos;
    if (!FContinued && *p == quote) {
        ++p; // the opening quote
    }
    for (;;) {
        const auto c = static_cast<unsigned char>(*p);
        if (IsEndByte(c)) {
            break; // still open at the row end
        }
        if (*p == quote) {
            ++p;
            if (*p != quote) {
                break;
            }
            if (p == FCut) {
                FCutSplit = 1;
            }
            ++p; // a doubled quote stands for one
            continue;
        }
        p += (IsLeadByte(c) && p[1] != 0) ? 2 : 1;
    }
    FPos = p;
}

void TFountainParser::ScanSingleQuoted()
{
    FToken = tokSingleQuoted;
    ScanQuoted('\'');
}

void TFountainParser::ScanDoubleQuoted()
{
    FToken = tokDoubleQuoted;
    ScanQuoted('"');
}

bool TFountainParser::IsReservedWord()
{
    if (FContinued || FToken == tokEnd || FToken == tokBracketed || FToken == tokLineComment) {
        return false;
    }
    return FFountain->ReserveWordList().Contains(TokenString());
}

int TFountainParser::ResolveReserved(int kind)
{
    return IsReservedWord() ? tokReserved : kind;
}

TTokenKinds TFountainParser::RescanKinds() const
{
    TTokenKinds kinds;
    kinds.set(tokLineComment);
    kinds.set(tokSingleQuoted);
    kinds.set(tokDoubleQuoted);
    return kinds;
}

TFountainParser::TRowEndScan TFountainParser::ScanToRowEnd(std::string_view text, int len,
                                                            const TRowParseState& state)
{
    TRowEndScan out{state.OpenBracket, state.AuxIndex, tokEnd, state.OpenBracket,
                    state.AuxIndex, state.AuxFlags, 0};
    StartRow(text, state);
    const char* const rowEnd = FRowStart + std::min<std::ptrdiff_t>(len, FEnd - FRowStart);
    FCut = rowEnd;
    for (;;) {
        const int kind = NextToken();
        if (kind == tokEnd) {
            break;
        }
        if (FTokenStart >= rowEnd) {
            // Begins in the next row: what it opens belongs to that row's own scan.
            break;
        }
        out.LastKind = kind;
        out.LastPrefixCut = static_cast<int>(std::max<std::ptrdiff_t>(FBodyStart - rowEnd, 0));
        out.OpenBracket = FOpenBracket;
        if (kind == tokBracketed) {
            out.LastBracket = FTokenBracket;
        }
        out.LastAux = FAuxIndex;
        if (FPos > rowEnd) {
            break;
        }
        out.AuxIndex = FAuxIndex;
        out.AuxFlags = FAuxFlags;
    }
    return out;
}

std::string_view TFountainParser::ScreenRowText(const TParseRows& rows, int row)
{
    const std::string_view text = rows.Get(row);
    if (rows.RowEnd(row) != reWrapped || row + 1 >= rows.Count()) {
        return text;
    }
    FJoined.assign(text);
    FJoined.append(rows.Get(row + 1));
    if (rows.RowEnd(row + 1) == reWrapped && row + 2 < rows.Count()) {
        FJoined.append(rows.Get(row + 2));
    }
    return FJoined;
}

void TFountainParser::ComputeRowEndState(int row, const TParseRows& rows, TRowParseState& state)
{
    if (state.OpenBracket < -1) {
        state.OpenBracket = -1; // a state never computed holds no open region
    }
    const bool wraps = rows.RowEnd(row) == reWrapped;
    const bool hasNext = row + 1 < rows.Count();
    if (state.CarryToken == tokLineComment) {
        // The whole row continues a comment begun above.
        state.CarryToken = wraps ? tokLineComment : tokEnd;
        state.CarryBytes = 0;
        return;
    }
    const int len = static_cast<int>(rows.Get(row).size());
    const int nextLen = wraps && hasNext ? static_cast<int>(rows.Get(row + 1).size()) : 0;
    const bool nextWraps = wraps && hasNext && rows.RowEnd(row + 1) == reWrapped;
    const bool seesPastNext = nextWraps && row + 2 < rows.Count();
    const int carriedKind = state.CarryToken & kCarryKindMask;
    const TRowEndScan s = ScanToRowEnd(ScreenRowText(rows, row), len, state);
    FCut = nullptr;
    state.OpenBracket = s.OpenBracket;
    state.AuxIndex = s.AuxIndex;
    state.AuxFlags = s.AuxFlags;
    const int end = TokenPosition() + TokenLength();
    state.CarryBytes = 0;
    state.CarryToken = tokEnd;
    if (TokenPosition() >= len || end <= len) {
        return;
    }

    // The last token begins in this row and ends in a later one.
    state.AuxIndex = s.LastAux;
    const int carried = end - len;
    // Whether the token ends inside the next row, so that its piece there has a known length.
    const bool endsInNext =
        carried < nextLen || (carried == nextLen && (!nextWraps || seesPastNext));
    if (s.LastKind == tokBracketed && state.OpenBracket == -1 && carried <= nextLen) {
        // The region closed inside the crossing token: the next row starts inside it, and its
        // end there is carried by count. Searching that row for the closing bracket instead
        // would skip the blanks at its start and miss a closing bracket that the wrap cut.
        state.OpenBracket = s.LastBracket;
        state.CarryToken = tokBracketed;
        state.CarryBytes = carried;
    } else if (s.LastKind == tokBracketed) {
        // The region runs on over the wrap: the next row continues its token from its first
        // byte, so blanks there stay inside the region. When the wrap cut the opening bracket,
        // its rest is carried first: searching from the row start, "(" | "*)" would close the
        // region "(*" with its own '*'.
        state.OpenBracket = s.LastBracket;
        state.CarryToken = tokBracketed;
        if (s.LastPrefixCut > 0 && s.LastPrefixCut <= nextLen) {
            state.CarryToken |= kCarryGoesOn;
            state.CarryBytes = s.LastPrefixCut;
        }
    } else {
        int kind = ResolveReserved(s.LastKind);
        state.CarryToken = kind & kCarryKindMask;
        if (!RescanKinds().test(static_cast<std::size_t>(kind & 0xFF)) && endsInNext) {
            state.CarryBytes = carried;
        } else if (FCutSplit > 0) {
            // The next row scans the token again, but on its own it would take the second
            // half of a doubled quotation character for the closing one: carry that half.
            state.CarryToken |= kCarryGoesOn;
            state.CarryBytes = FCutSplit;
        } else if (s.LastPrefixCut > 0 && s.LastPrefixCut < nextLen) {
            // The wrap cut what opened the token ("#" | "$1F", "0" | "x1F"): on its own the
            // next row would not know where the token's body starts.
            state.CarryToken |= kCarryGoesOn;
            state.CarryBytes = s.LastPrefixCut;
        } else if (kind == tokFloat && (!Continued() || carriedKind == tokInteger) &&
                   !HasPointOrExponent(FTokenStart, FRowStart + len)) {
            // The next row scans the number again from a point before its '.' or exponent.
            state.CarryToken = tokInteger;
        }
        // Otherwise the piece's length is unknown and the next row scans it again.
    }
}
