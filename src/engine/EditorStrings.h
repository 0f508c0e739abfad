#pragma once
// The editor's text as a list of lines (`Lines`): one entry per logical line while wrapping,
// one per row otherwise.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TEditor;

class TEditorStrings {
public:
    explicit TEditorStrings(TEditor& owner) : FOwner(owner) {}

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
    void LoadFromFile(const std::string& fileName, bool nulAsBlank = false);

    // Compound changes: no repaint and no caret processing until the outermost block ends.
    void BeginUpdate();
    void EndUpdate();

    // The first row of line i (Count's first row is the row count).
    int LineToRow(int i) const;

private:
    int RowsOfLine(int firstRow) const;

    TEditor& FOwner;
    int FUpdateCount = 0;
    // Line lookups walk from the last one found, so reading the lines in order is linear.
    mutable std::uint64_t FCacheVersion = ~0ull;
    mutable int FCacheLine = 0;
    mutable int FCacheRow = 0;
    mutable int FCacheCount = -1;
};
