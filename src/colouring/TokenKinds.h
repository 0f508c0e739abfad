#pragma once
// Token kinds. The values are fixed: the painter and the stored row states keep them as bytes.
#include <bitset>

enum TTokenKind : int {
    tokEnd = 0,
    tokSymbol = 1,
    tokInteger = 3,
    tokFloat = 4,
    tokBracketed = 6,
    tokLineComment = 7,
    tokReserved = 8,
    tokTab = 9,
    tokWord = 11,
    tokWideSymbol = 12,
    tokWideDigits = 14,
    tokWideLatin = 15,
    tokHiragana = 16,
    tokKatakana = 17,
    tokKanji = 18,
    tokHalfKanaSymbol = 19,
    tokHalfKana = 20,
    tokUrl = 21,
    tokMail = 22,
    tokHexNumber = 23,
    tokSingleQuoted = 24,
    tokDoubleQuoted = 25,
    // Kinds of the editor's own tokenizer.
    tokQuoted = 26,
    tokCharCode = 27,
    tokHexCharCode = 28,
};

// A set of token kinds (a kind is one byte).
using TTokenKinds = std::bitset<256>;
