#pragma once
// The seam through which the editor asks the colouring side to cut a text into tokens (word
// left/right, the token under the mouse). The engine cannot see the colouring classes; the
// colouring layer implements this hook, and without one the editor falls back to a plain
// character-class split.
#include <string>
#include <string_view>
#include <vector>

#include "engine/RowAttributes.h"

struct TEditorToken {
    int Start = 0;  // byte offset in the tokenized text
    int Length = 0; // bytes
    int Kind = 0;   // the tokenizer's token kind
    bool Symbol = false; // a symbol token: word moves do not stop at it
};

class TTokenizerHook {
public:
    virtual ~TTokenizerHook() = default;
    // Tokens of `text`, in order, starting from parse state `state` (OpenBracket -2: not
    // computed).
    virtual void Tokenize(std::string_view text, const TRowParseState& state,
                          std::vector<TEditorToken>& tokens) = 0;
};

// The token under a point: its bytes and its kind; empty text and kind 0 when there is none.
struct TTokenAtPos {
    std::string Text;
    int Kind = 0;
    int Row = -1;  // the row the token starts on
    int Byte = 0;  // its first byte in that row
    friend bool operator==(const TTokenAtPos&, const TTokenAtPos&) = default;
};
