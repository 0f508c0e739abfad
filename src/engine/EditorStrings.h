#pragma once
// The editor's text as a list of lines (`Lines`): one entry per logical line while wrapping,
// one per row otherwise.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TEditorScreenStrings;
struct TFileShape;

// What the facade needs of the editor it belongs to.
class TLinesOwner {
public:
    // The rows the editor shows now (attaching to another editor changes them).
    virtual TEditorScreenStrings& LinesRows() const = 0;
    // The caret `offset` bytes on from the start of row `row`.
    virtual void LinesCaretTo(int row, std::int64_t offset) = 0;
    // The caret to the row after the last, column 0.
    virtual void LinesCaretToEnd() = 0;
    // A compound change of the editor: no repaint and no caret processing until it ends.
    virtual void LinesBeginUpdate() = 0;
    virtual void LinesEndUpdate() = 0;

protected:
    ~TLinesOwner() = default;
};

class TEditorStrings {
public:
    explicit TEditorStrings(TLinesOwner& owner) : FOwner(owner) {}

    int Count() const;
    // The line without its line break.
    std::string Get(int i) const;
    // Replaces line i; the caret goes to the end of the new text.
    void Put(int i, std::string_view s);
    // Inserts s as a new line before line i (i = Count appends).
    void Insert(int i, std::string_view s);
    // Appends s as a new line; returns its index.
    int Add(std::string_view s);
    void Delete(int i);
    void Clear();

    std::string GetTextStr() const;
    void SetTextStr(std::string_view s);
    void Assign(const TEditorStrings& source);
    void Assign(const std::vector<std::string>& lines);
    // `fit` as for the rows' LoadFromFile: told the shape of the text before it is split.
    void LoadFromFile(const std::string& fileName, bool nulAsBlank = false,
                      const std::function<void(const TFileShape&)>& fit = {});

    // Compound changes: no repaint and no caret processing until the outermost block ends.
    void BeginUpdate();
    void EndUpdate();

    // The first row of line i (Count's first row is the row count).
    int LineToRow(int i) const;

private:
    int RowsOfLine(int firstRow) const;

    TLinesOwner& FOwner;
    int FUpdateCount = 0;
};
