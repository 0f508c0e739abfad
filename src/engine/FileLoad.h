#pragma once
// Reading a text file into rows.
#include <cstdint>
#include <string>

class TEditorStringList;

// Reads the file in two passes of 8192-byte blocks: the first counts rows, the second reads
// the text into one buffer that the rows point into. CR LF, lone CR and lone LF each end a
// row (also a CR LF split across two blocks); a Ctrl-Z ends the text; NUL is an ordinary
// byte. A final line without a line break becomes a reEof row. Throws EFileError naming the
// file when it cannot be opened or read, or is too large; `rows` is then left empty. With
// `nulAsBlank` every NUL byte of the text becomes a blank, as documents are read.
void ReadTextFile(const std::string& fileName, TEditorStringList& rows, bool nulAsBlank = false);

// Files beyond this size are refused with a message instead of being half loaded.
constexpr std::uint64_t MaxTextFileSize = 0x7FFFFFFFu;
