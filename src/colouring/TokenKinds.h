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

// A row state's CarryToken holds the carried kind in its low seven bits. With kCarryGoesOn set,
// the CarryBytes bytes at the row start are a part of the token that the next row could not
// scan on its own (the rest of a cut opening bracket, the second half of a doubled quotation
// character), and the token goes on after them; without it, the token ends after them.
constexpr int kCarryKindMask = 0x7F;
constexpr int kCarryGoesOn = 0x80;

// A set of token kinds (a kind is one byte).
using TTokenKinds = std::bitset<256>;
