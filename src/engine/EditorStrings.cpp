#include "engine/EditorStrings.h"

#include "engine/Editor.h"
#include "engine/EditorCells.h"

#include <algorithm>


int TEditorStrings::Count() const
{
    const TEditorScreenStrings& rows = FOwner.ListRows();
    if (!rows.WordWrap())
        return rows.Count();
    if (FCacheVersion == rows.Version() && FCacheCount >= 0)
        return FCacheCount;
    int n = 0;
    int last = rows.Count() - 1;
    for (int r = 0; r <= last; ++r)
        n += r == last || rows.RowEnd(r) != reWrapped;
    if (FCacheVersion != rows.Version()) {
        FCacheVersion = rows.Version();
        FCacheLine = FCacheRow = 0;
    }
    FCacheCount = n;
    return n;
}

int TEditorStrings::LineToRow(int i) const
{
    const TEditorScreenStrings& rows = FOwner.ListRows();
    if (!rows.WordWrap() || i <= 0)
        return std::max(i, 0);
    if (FCacheVersion != rows.Version()) {
        FCacheVersion = rows.Version();
        FCacheLine = FCacheRow = 0;
        FCacheCount = -1;
    }
    int line = FCacheLine, row = FCacheRow;
    if (i < line) {
        line = 0;
        row = 0;
    }
    int last = rows.Count() - 1;
    while (line < i && row <= last) {
        // A row starts a new line after the last row or after a row that is not wrapped.
        if (row == last || rows.RowEnd(row) != reWrapped)
            ++line;
        ++row;
    }
    FCacheLine = line;
    FCacheRow = row;
    return row;
}

int TEditorStrings::RowsOfLine(int firstRow) const
{
    const TEditorScreenStrings& rows = FOwner.ListRows();
    return rows.LastRowOfLine(firstRow) - firstRow + 1;
}

std::string TEditorStrings::Get(int i) const
{
    const TEditorScreenStrings& rows = FOwner.ListRows();
    if (i < 0 || i >= Count())
        return {};
    if (!rows.WordWrap())
        return std::string(rows.Get(i));
    std::string s = rows.LineText(LineToRow(i), -1);
    while (s.size() >= 2 && s.compare(s.size() - 2, 2, kCrLf) == 0)
        s.resize(s.size() - 2);
    return s;
}

void TEditorStrings::Put(int i, std::string_view s)
{
    TEditorScreenStrings& rows = FOwner.ListRows();
    if (i < 0 || i >= Count())
        return;
    int first = LineToRow(i);
    int n = RowsOfLine(first);
    std::string text(s);
    if (rows.RowEnd(first + n - 1) == reBreak)
        text.append(kCrLf);
    rows.ReplaceRows(first, n, text);
    FOwner.SetCaretByOffset(first, static_cast<std::int64_t>(s.size()));
}

void TEditorStrings::Insert(int i, std::string_view s)
{
    if (i == Count()) {
        Add(s);
        return;
    }
    if (i < 0 || i > Count())
        return;
    int first = LineToRow(i);
    std::string text(s);
    text.append(kCrLf);
    FOwner.ListRows().ReplaceRows(first, 0, text);
    FOwner.SetCaretByOffset(first, static_cast<std::int64_t>(text.size()));
}

int TEditorStrings::Add(std::string_view s)
{
    TEditorScreenStrings& rows = FOwner.ListRows();
    int index = Count();
    int n = rows.Count();
    if (n == 0 || rows.RowEnd(n - 1) == reBreak) {
        std::string text(s);
        text.append(kCrLf);
        rows.ReplaceRows(n, 0, text);
        FOwner.SetCaretByOffset(n, static_cast<std::int64_t>(text.size()));
    } else {
        // The text ends without a line break and keeps doing so.
        std::string text(rows.Get(n - 1));
        text.append(kCrLf);
        text.append(s);
        // Rebuilding may start a row higher, on the same wrapped line: count from there.
        int from = std::max(rows.FirstRowOfLine(n - 1), n - 2);
        std::int64_t offset = static_cast<std::int64_t>(text.size());
        for (int r = from; r < n - 1; ++r)
            offset += rows.RowLength(r);
        rows.ReplaceRows(n - 1, 1, text);
        FOwner.SetCaretByOffset(from, offset);
    }
    return index;
}

void TEditorStrings::Delete(int i)
{
    if (i < 0 || i >= Count())
        return;
    int first = LineToRow(i);
    FOwner.ListRows().ReplaceRows(first, RowsOfLine(first), {});
    FOwner.SetCaretByOffset(first, 0);
}

void TEditorStrings::Clear()
{
    FOwner.ListRows().Clear();
}

std::string TEditorStrings::GetTextStr() const
{
    return FOwner.ListRows().GetTextStr();
}

void TEditorStrings::SetTextStr(std::string_view s)
{
    FOwner.ListRows().SetTextStr(s);
}

void TEditorStrings::Assign(const TEditorStrings& source)
{
    if (&source == this)
        return;
    SetTextStr(source.GetTextStr());
    FOwner.SetRow(FOwner.RowCount());
    FOwner.SetCol(0);
}

void TEditorStrings::Assign(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& l : lines) {
        text.append(l);
        text.append(kCrLf);
    }
    SetTextStr(text);
    FOwner.SetRow(FOwner.RowCount());
    FOwner.SetCol(0);
}

void TEditorStrings::LoadFromFile(const std::string& fileName, bool nulAsBlank)
{
    FOwner.ListRows().LoadFromFile(fileName, nulAsBlank);
}

void TEditorStrings::BeginUpdate()
{
    if (FUpdateCount++ == 0)
        FOwner.BeginCompound();
}

void TEditorStrings::EndUpdate()
{
    if (FUpdateCount == 0)
        return;
    if (--FUpdateCount == 0)
        FOwner.EndCompound();
}
