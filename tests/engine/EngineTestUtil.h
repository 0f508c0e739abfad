#pragma once
// Shared helpers of the engine tests: row dumps and small text builders.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Editor.h"
#include "platform/Cp932.h"

namespace enginetest {

// "text|Break", "text|Wrapped", "text|Eof" per row.
inline std::vector<std::string> Dump(const TRowAttributeStringList& rows)
{
    static const char* names[] = {"Break", "Wrapped", "Eof", "None"};
    std::vector<std::string> out;
    for (int i = 0; i < rows.Count(); ++i)
        out.push_back(std::string(rows.Get(i)) + "|" + names[rows.RowEnd(i)]);
    return out;
}

inline std::vector<std::string> Dump(const TEditor& e)
{
    return Dump(e.ListRows());
}

// Widths of every row in cells.
inline std::vector<int> Widths(const TEditor& e)
{
    std::vector<int> w;
    for (int i = 0; i < e.RowCount(); ++i)
        w.push_back(e.StrWidth(e.RowText(i)));
    return w;
}

inline std::string Repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

// The text as it reads back: CR LF, lone CR and lone LF all become CR LF.
inline std::string Normalised(std::string_view s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' || s[i] == '\n') {
            out += "\r\n";
            if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
                ++i;
        } else {
            out += s[i];
        }
    }
    return out;
}

// Offsets of a normalised text where a caret or a selection end may stand: character
// boundaries, not inside CR LF.
inline std::vector<std::size_t> Boundaries(const std::string& t)
{
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i <= t.size();) {
        out.push_back(i);
        if (i == t.size())
            break;
        if (t.compare(i, 2, "\r\n") == 0)
            i += 2;
        else // a lead byte before a line break stands alone: rows hold no line breaks
            i += IsLeadByte(t[i]) && i + 1 < t.size() && t[i + 1] != '\r' ? 2 : 1;
    }
    return out;
}

// Some CP932 characters, spelled as bytes.
inline const std::string kKanji = "\x8A\xBF";     // 漢
inline const std::string kKanjiSo = "\x83\x5C";   // ソ (trail byte 0x5C, a backslash alone)
inline const std::string kKatakanaA = "\x83\x41"; // ア
inline const std::string kIdeoComma = "\x81\x41"; // 、
inline const std::string kIdeoStop = "\x81\x42";  // 。
inline const std::string kOpenQuote = "\x81\x75"; // 「
inline const std::string kCloseQuote = "\x81\x76";// 」

} // namespace enginetest
