#pragma once
// Reading a text file into rows.
#include <cstdint>
#include <functional>
#include <string>

class TEditorStringList;
struct TWrapContext;

// Reads the file into one buffer that the rows point into. CR LF, lone CR and lone LF each end
// a row; a Ctrl-Z ends the text; NUL is an ordinary
// byte. A final line without a line break becomes a reEof row. Throws EFileError naming the
// file when it cannot be opened or read, or is too large; `rows` is then left empty. With
// `nulAsBlank` every NUL byte of the text becomes a blank, as documents are read. With `wrap`
// each line is broken into rows as by BreakLine, so a wrapped text needs no second pass.
void ReadTextFile(const std::string& fileName, TEditorStringList& rows, bool nulAsBlank = false,
                  const TWrapContext* wrap = nullptr);

// What the reader knows of a file's text once it is in memory, before it is split: how many
// rows it makes unwrapped and whether the last one ends in a line break.
struct TFileShape {
    std::uint64_t Rows = 0;
    bool FinalBreak = false;
};
// Asked once the rows are counted (not for a file without text); the answer says how the
// lines are broken into rows (nullptr: not at all) and must stay valid while they are split.
using TWrapChoice = std::function<const TWrapContext*(const TFileShape&)>;
// As above, with the wrapping chosen when the shape of the text is known.
void ReadTextFile(const std::string& fileName, TEditorStringList& rows, bool nulAsBlank,
                  const TWrapChoice& choose);

// Files beyond this size are refused with a message instead of being half loaded.
constexpr std::uint64_t MaxTextFileSize = 0x7FFFFFFFu;
