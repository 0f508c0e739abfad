// Loading: bytes as a file become rows that hold no CR or LF, that join to the input with its
// line breaks normalised to CR LF and cut at a Ctrl-Z, and that a reload of the joined text
// reproduces; loaded into a wrapping editor, the text reads back the same.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "FuzzInput.h"
#include "engine/Editor.h"
#include "engine/FileLoad.h"
#include "engine/RowList.h"

namespace {

// What the rows promise: CR LF, lone CR and lone LF each end a line, written back as CR LF;
// the text ends at the first Ctrl-Z.
std::string Expected(const std::string& in)
{
    std::string out;
    for (std::size_t i = 0; i < in.size() && in[i] != '\x1A'; ++i) {
        if (in[i] == '\r' || in[i] == '\n') {
            out += "\r\n";
            if (in[i] == '\r' && i + 1 < in.size() && in[i + 1] == '\n')
                ++i;
        } else {
            out += in[i];
        }
    }
    return out;
}

std::string Join(const TEditorStringList& rows)
{
    std::string out;
    for (int i = 0; i < rows.Count(); ++i) {
        out += rows.Get(i);
        if (rows.RowEnd(i) == reBreak)
            out += "\r\n";
    }
    return out;
}

void CheckRows(const TEditorStringList& rows, const std::string& input)
{
    for (int i = 0; i < rows.Count(); ++i) {
        const std::string_view t = rows.Get(i);
        FUZZ_CHECK(t.find_first_of("\r\n") == std::string_view::npos,
                   "row " + std::to_string(i) + " holds a line break: " + fuzz::Show(t));
        FUZZ_CHECK(rows.RowEnd(i) == reBreak || (rows.RowEnd(i) == reEof && i == rows.Count() - 1),
                   "row " + std::to_string(i) + " of " + std::to_string(rows.Count()) + " ends as " +
                       std::to_string(int(rows.RowEnd(i))) + " in " + fuzz::Show(input));
        // A final row without a line break is never empty: the text would end with a break.
        FUZZ_CHECK(rows.RowEnd(i) != reEof || !t.empty(), "empty last row in " + fuzz::Show(input));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string name = fuzz::ScratchPath("varnet-fuzz-load-");
    // The first byte picks the wrap width of the editor load; the rest is the file.
    fuzz::TInput in(data, size);
    const int width = in.Byte();
    const std::string file = in.Rest();
    fuzz::WriteFile(name, file);

    TEditorStringList rows;
    ReadTextFile(name, rows);
    CheckRows(rows, file);
    const std::string joined = Join(rows);
    const std::string expected = Expected(file);
    FUZZ_CHECK(joined == expected, "rows join to " + fuzz::Show(joined) + "\n  expected " + fuzz::Show(expected));

    // The joined text is what a save writes; loading it again gives the same rows.
    fuzz::WriteFile(name, joined);
    TEditorStringList again;
    ReadTextFile(name, again);
    FUZZ_CHECK(again.Count() == rows.Count(), "reload: " + std::to_string(again.Count()) + " rows, first load " +
                                                  std::to_string(rows.Count()));
    for (int i = 0; i < rows.Count(); ++i)
        FUZZ_CHECK(again.Get(i) == rows.Get(i) && again.RowEnd(i) == rows.RowEnd(i),
                   "reload changed row " + std::to_string(i));

    // Through an editor, wrapped at the fuzzed width (or not at all).
    fuzz::WriteFile(name, file);
    TEditor editor;
    if (width >= 20) {
        editor.WrapOption().SetWrapByte(width);
        editor.SetWordWrap(true);
    }
    editor.Lines().LoadFromFile(name);
    const std::string text = editor.Lines().GetTextStr();
    FUZZ_CHECK(text == expected, "editor (width " + std::to_string(width) + ") reads " + fuzz::Show(text));
    std::int64_t length = 0;
    for (int i = 0; i < editor.RowCount(); ++i)
        length += std::int64_t(editor.RowText(i).size()) + (editor.RowEnd(i) == reBreak ? 2 : 0);
    FUZZ_CHECK(editor.TextLength() == length && length == std::int64_t(expected.size()),
               "text length " + std::to_string(editor.TextLength()) + ", rows hold " + std::to_string(length));
    return 0;
}
