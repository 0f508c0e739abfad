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
    static const char* const names[] = {
        "End", "Symbol", "Kind2", "Integer", "Float", "Kind5", "Bracketed", "Comment",
        "Reserved", "Tab", "Kind10", "Word", "WideSymbol", "Kind13", "WideDigits", "WideLatin",
        "Hiragana", "Katakana", "Kanji", "HalfKanaSymbol", "HalfKana", "Url", "Mail", "Hex",
        "SingleQuoted", "DoubleQuoted", "Quoted", "CharCode", "HexCharCode"};
    return kind >= 0 && kind <= tokHexCharCode ? names[kind] : "Kind" + std::to_string(kind);
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
