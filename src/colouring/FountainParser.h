#pragma once
// The table-driven tokenizer: cuts one screen row of code page 932 text into tokens, and turns
// the parse state at a row's start into the state at the next row's start, so that bracket
// regions, comments, strings and words cut by a wrap continue across rows.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "colouring/ParseRows.h"
#include "colouring/TokenKinds.h"
#include "engine/RowAttributes.h"

class TFountain;
class TFountainColor;

class TFountainParser {
public:
    using TScanProc = void (TFountainParser::*)();

    // Binds the parser to `fountain`; raises EFountainError when there is none.
    explicit TFountainParser(TFountain* fountain);
    virtual ~TFountainParser() = default;
    TFountainParser(const TFountainParser&) = delete;
    TFountainParser& operator=(const TFountainParser&) = delete;

    TFountain& Fountain() const { return *FFountain; }

    // Starts scanning `text` (one row; it need not be NUL-terminated: a NUL byte inside it ends
    // the scan) from the given row-start state.
    virtual void StartRow(std::string_view text, const TRowParseState& state);
    // The next token's kind; tokEnd once the row is exhausted.
    virtual int NextToken();

    int Token() const { return FToken; }
    int TokenPosition() const { return static_cast<int>(FTokenStart - FRowStart); }
    int TokenLength() const { return static_cast<int>(FPos - FTokenStart); }
    std::string_view TokenString() const
    {
        return {FTokenStart, static_cast<std::size_t>(FPos - FTokenStart)};
    }
    // Colour of the current token, or nullptr for the editor's own colours.
    virtual const TFountainColor* TokenColor() = 0;
    virtual bool IsReservedWord();
    // tokReserved when the current token is a reserved word, else `kind`.
    virtual int ResolveReserved(int kind);
    // Kinds continued on the next row by scanning again rather than by a byte count.
    virtual TTokenKinds RescanKinds() const;

    // The text screen row `row` is tokenized from: the row, and while the rows wrap, the next
    // two, so that a token cut by the wrap is scanned whole, also where its scanner looks
    // ahead (a mail address finds its '@' and '.'; "12." learns whether a digit follows). The
    // painter starts a row with it and the row's stored state, and paints the tokens that
    // start inside the row's own bytes. Valid until the next call.
    std::string_view ScreenRowText(const TParseRows& rows, int row);

    // Turns `state`, the state at the start of row `row` of `rows`, into the state at the start
    // of row `row` + 1.
    virtual void ComputeRowEndState(int row, const TParseRows& rows, TRowParseState& state);

    int OpenBracket() const { return FOpenBracket; }
    int TokenBracketIndex() const { return FTokenBracket; }
    int AuxIndex() const { return FAuxIndex; }
    int AuxFlags() const { return FAuxFlags; }
    // True while the current token continues one begun on the previous row.
    bool Continued() const { return FContinued; }

protected:
    virtual void InitTables();
    virtual void SkipSpaces();
    virtual bool MatchLeftBracket();
    virtual void ScanBracketed();
    virtual bool MatchMail();
    virtual void ScanMail();
    virtual bool MatchUrl();
    virtual void ScanUrl();
    virtual void ContinueReserved();
    virtual void ScanEnd();
    virtual void ScanTab();
    virtual void ScanLineFeed();
    virtual void ScanCarriageReturn();
    virtual void ScanLineComment();
    virtual void ScanHexDigits();
    virtual void ScanNumber();
    virtual void ScanWord();
    virtual void ScanWideSymbol();
    virtual void ScanWideRun();
    virtual void ScanKanji();
    virtual void ScanHalfKanaSymbol();
    virtual void ScanHalfKana();
    virtual void ScanSymbol();
    virtual void ScanSingleQuoted();
    virtual void ScanDoubleQuoted();
    virtual void ContinueCarried();
    virtual void DispatchToken();
    // Continuation entry of the double-byte runs: goes on with the carried run's kind.
    void ContinueWideRun();

    // Helpers for scanners. The row buffer always ends in NUL bytes, so the byte after any
    // non-NUL byte may be read.
    unsigned char Cur() const { return static_cast<unsigned char>(*FPos); }
    unsigned char Next() const { return static_cast<unsigned char>(FPos[1]); }
    static bool IsEndByte(unsigned char c) { return c == 0 || c == '\r' || c == '\n'; }
    // Steps over one character: two bytes after a lead byte, unless the text ends there.
    void AdvanceChar();
    // Whether the text at the position begins with `s`.
    bool AtText(std::string_view s) const;
    void RunCharTable() { (this->*FCharTable[Cur()])(); }
    void ScanQuoted(char quote);

    struct TBracketView {
        std::string_view Left;
        std::string_view Right;
    };
    // Item `index` of the fountain's brackets as seen at the row start; empty strings outside.
    TBracketView Bracket(int index) const;
    int BracketCount() const { return FBracketCount; }
    // Whether a left bracket begins with byte c.
    bool BracketMayStart(unsigned char c) const { return FBracketFirst[c]; }
    // The fountain's settings changed since the last row: a derived tokenizer reads the ones
    // it keeps at hand here (the brackets are already read).
    virtual void SettingsChanged() {}
    // Fills FDispatchAt after SettingsChanged. NextToken calls DispatchToken only at a token
    // starting with a marked byte and goes straight to the character table elsewhere, so a
    // tokenizer that overrides DispatchToken marks every byte where its rules can start.
    virtual void InitDispatchBytes();
    bool FDispatchAt[256] = {};

    TScanProc FCharTable[256];
    TScanProc FContTable[256];

    const char* FRowStart = nullptr;
    const char* FPos = nullptr;
    const char* FTokenStart = nullptr;
    const char* FEnd = nullptr; // the terminating NUL

    int FOpenBracket = -1;
    int FTokenBracket = -2;
    int FAuxIndex = 0;
    int FAuxFlags = 0;
    int FCarryKind = 0;
    int FCarryBytes = 0;
    // While a row-end state is computed: where the row ends in the joined text. A scanner that
    // consumes two characters as one unit (a doubled quotation character) and finds the cut
    // between them notes in FCutSplit how many bytes of the unit the next row holds.
    const char* FCut = nullptr;
    int FCutSplit = 0;
    // Where the current token's body starts: after the opening bracket or the prefix that a
    // Match operation consumed, else at the token start. A wrap that cuts the opening carries
    // its rest to the next row.
    const char* FBodyStart = nullptr;
    bool FContinued = false;
    int FToken = tokEnd;

private:
    void LoadBrackets();
    void ScanExponent();
    void RunOfWide(int kind);
    // Continuation entry of tokFloat: the rest of a number cut after its '.' or exponent.
    void ContinueFraction();
    static bool HasPointOrExponent(const char* from, const char* to);

    // What the scan of a row (joined with what follows it) leaves for its end state.
    struct TRowEndScan {
        int LastBracket;
        int LastAux;
        int LastKind;
        int OpenBracket;
        int AuxIndex;
        int AuxFlags;
        int LastPrefixCut; // bytes of the last token's opening that lie past the row end
    };
    // Scans `text` from `state` up to the token that crosses byte `len`, the row's end.
    TRowEndScan ScanToRowEnd(std::string_view text, int len, const TRowParseState& state);

    TFountain* FFountain;
    // A failed mail match has looked at the whole run of mail characters up to here, so a
    // match from any later start inside the run fails too.
    const char* FMailFailEnd = nullptr;
    std::unique_ptr<char[]> FBuffer;
    std::size_t FCapacity = 0;
    std::string FJoined; // scratch for a wrapped row and its successor

    static constexpr int kMaxBrackets = 14;
    TBracketView FBrackets[kMaxBrackets];
    int FBracketCount = 0;
    bool FBracketFirst[256] = {};
    // What the brackets and settings were read from; reread when either rises.
    std::uint64_t FFountainVersion = ~std::uint64_t{0};
    std::uint64_t FBracketVersion = ~std::uint64_t{0};
};
