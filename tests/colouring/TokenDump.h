#pragma once
// Token dumps for the tokenizer tests: "Word@0'abc' Integer@4'12'", or "Kanji@10+4" for
// tokens that are not plain ASCII.
#include <memory>
#include <string>
#include <string_view>

#include "colouring/EditorFountain.h"
#include "colouring/FountainParser.h"
#include "colouring/TokenKinds.h"

namespace colourtest {

inline std::string KindName(int kind)
{
    switch (kind) {
    case tokEnd: return "End";
    case tokSymbol: return "Symbol";
    case tokInteger: return "Integer";
    case tokFloat: return "Float";
    case tokBracketed: return "Bracketed";
    case tokLineComment: return "Comment";
    case tokReserved: return "Reserved";
    case tokTab: return "Tab";
    case tokWord: return "Word";
    case tokWideSymbol: return "WideSymbol";
    case tokWideDigits: return "WideDigits";
    case tokWideLatin: return "WideLatin";
    case tokHiragana: return "Hiragana";
    case tokKatakana: return "Katakana";
    case tokKanji: return "Kanji";
    case tokHalfKanaSymbol: return "HalfKanaSymbol";
    case tokHalfKana: return "HalfKana";
    case tokUrl: return "Url";
    case tokMail: return "Mail";
    case tokHexNumber: return "Hex";
    case tokSingleQuoted: return "SingleQuoted";
    case tokDoubleQuoted: return "DoubleQuoted";
    case tokQuoted: return "Quoted";
    case tokCharCode: return "CharCode";
    case tokHexCharCode: return "HexCharCode";
    default: return "Kind" + std::to_string(kind);
    }
}

inline bool PlainAscii(std::string_view s)
{
    for (char c : s) {
        if (c < 0x20 || c > 0x7E) {
            return false;
        }
    }
    return true;
}

// The row's tokens from the given state. `limit` keeps a faulty scanner from hanging a test.
inline std::string Dump(TFountainParser& p, std::string_view text,
                        const TRowParseState& state = TRowParseState::First())
{
    p.StartRow(text, state);
    std::string out;
    int limit = static_cast<int>(text.size()) + 4;
    for (int kind = p.NextToken(); kind != tokEnd; kind = p.NextToken()) {
        if (--limit < 0) {
            return out + " <no progress>";
        }
        if (!out.empty()) {
            out += ' ';
        }
        out += KindName(kind) + "@" + std::to_string(p.TokenPosition());
        if (PlainAscii(p.TokenString())) {
            out += "'" + std::string(p.TokenString()) + "'";
        } else {
            out += "+" + std::to_string(p.TokenLength());
        }
    }
    return out;
}

// A copy of `text` in a heap block of exactly its size, so that the address sanitizer
// reports any read past the row's end.
class TExactRow {
public:
    explicit TExactRow(std::string_view text)
        : FSize(text.size()), FBytes(new char[text.size() == 0 ? 1 : text.size()])
    {
        std::copy(text.begin(), text.end(), FBytes.get());
    }
    std::string_view View() const { return {FBytes.get(), FSize}; }

private:
    std::size_t FSize;
    std::unique_ptr<char[]> FBytes;
};

// An editor fountain and one of its parsers.
struct TEditorTokenizer {
    TEditorFountain Fountain;
    std::unique_ptr<TFountainParser> Parser = Fountain.CreateParser();

    std::string operator()(std::string_view text,
                           const TRowParseState& state = TRowParseState::First())
    {
        return Dump(*Parser, text, state);
    }
};

} // namespace colourtest
