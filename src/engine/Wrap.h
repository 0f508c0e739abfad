#pragma once
// Display cells, cell classes and the Japanese line breaker.
//
// A two-byte character takes two cells, every other byte one, and a tab runs to the next tab
// stop; while wrapping, a tab never reaches past the wrap edge.
#include <bitset>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/RowAttributes.h"

class TEditorWrapOption;

// Bytes that end a word: control characters, space, ASCII punctuation except '_', the
// half-width punctuation 0xA1-0xA5 and the bytes that are no characters.
using TDelimiterSet = std::bitset<256>;
const TDelimiterSet& WordDelimiters();

// Cell classes, one digit per cell.
namespace cell {
constexpr char End = '0';       // sentinel after the last cell
constexpr char Single = '1';    // one-byte character that is not a delimiter
constexpr char Delimiter = '2'; // one-byte delimiter (a tab is one)
constexpr char TabFill = '3';   // tab fill, no byte of its own
constexpr char Lead = '4';      // first cell of a two-byte character
constexpr char Trail = '5';     // second cell of a two-byte character
} // namespace cell

// What wrapping and cell arithmetic depend on, gathered once per job.
struct TWrapContext {
    bool Wrapping = false;
    int WrapByte = 80;
    int TabSpaceCount = 8;
    const TEditorWrapOption* Option = nullptr; // needed only when Wrapping
    const TDelimiterSet* Delimiters = &WordDelimiters();

    // Cells a tab takes when it starts at 0-based cell c.
    int TabCells(int c) const;
    // Length at which a class string is cut.
    int CellLimit() const { return Wrapping ? WrapByte + 3 : 1000; }
};

int StrWidth(std::string_view s, const TWrapContext& cx);
std::string ExpandTabs(std::string_view s, const TWrapContext& cx);
// The class string of s with the "0" sentinel, cut at `limit` cells (default: cx.CellLimit()).
void BuildCellKinds(std::string_view s, const TWrapContext& cx, int limit, std::string& out);
std::string CellKinds(std::string_view s, const TWrapContext& cx);

// Walks the cells of a text and keeps the number of bytes up to and including the current
// cell's character.
class TEditorAttributeArray {
public:
    void Reset(std::string_view text, std::string_view kinds);

    char Kind() const { return FKind; }
    int Cell() const { return FCell; }
    int ByteCount() const { return FBytes; }
    int CellCount() const { return static_cast<int>(FKinds.size()) - 1; }

    void Next();
    void Prev();
    void MoveTo(int n);
    // One whole character back: once more when the step lands on a lead cell.
    void PrevWholeChar();
    std::string_view CurrentChar() const;
    std::string_view NextChar() const;

private:
    std::string_view CharEndingAt(int bytes, char kind) const;
    char KindAt(int c) const { return FKinds[static_cast<std::size_t>(c - 1)]; }

    char FKind = cell::End;
    std::string_view FKinds;
    int FCell = 1;
    std::string_view FText;
    int FBytes = 0;
    bool FHasTabFill = false;
};

// One row of a broken line: its bytes within the line and how it ends.
struct TRowPiece {
    std::size_t Offset;
    std::size_t Length;
    TRowEnd End;
};

// Breaks one line (no CR or LF) into rows. Without wrapping the line is one reBreak row.
// `scratch` is a buffer the caller may reuse between calls.
void BreakLine(std::string_view line, const TWrapContext& cx, std::vector<TRowPiece>& out,
               std::string& scratch);
// The number of rows BreakLine would make.
int CountWrapRows(std::string_view line, const TWrapContext& cx, std::string& scratch);

// Splits text into lines at CR LF, lone CR and lone LF. A final line break makes no empty
// line after it; `emptyTextIsLine` says whether empty text is one empty line or none.
template <class F>
void ForEachLine(std::string_view text, bool emptyTextIsLine, F&& f);

// The line break the rows are joined with.
inline constexpr std::string_view kCrLf = "\r\n";

// The text with every line break (CR LF, lone CR, lone LF) as CR LF: what the rows read back
// as, so that byte offsets counted in it match the rows made of it.
std::string CrLfBreaks(std::string_view text);

template <class F>
void ForEachLine(std::string_view text, bool emptyTextIsLine, F&& f)
{
    if (text.empty()) {
        if (emptyTextIsLine)
            f(std::string_view{}, std::size_t{0});
        return;
    }
    std::size_t i = 0, n = text.size();
    const char* p = text.data();
    while (i < n) {
        std::size_t j = i;
        while (j < n && p[j] != '\r' && p[j] != '\n')
            ++j;
        f(text.substr(i, j - i), i);
        if (j < n && p[j] == '\r')
            ++j;
        if (j < n && p[j] == '\n')
            ++j;
        i = j;
    }
}
