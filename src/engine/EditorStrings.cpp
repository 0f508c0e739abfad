#include "engine/EditorStrings.h"

#include "engine/ScreenStrings.h"

#include <algorithm>


namespace {

// A change through the facade is a change its editor makes: that editor's caret is the one
// undo records, and its caret processing runs once at the end.
struct TOwnerUpdate {
    TLinesOwner& o;
    explicit TOwnerUpdate(TLinesOwner& owner) : o(owner) { o.LinesBeginUpdate(); }
    ~TOwnerUpdate() { o.LinesEndUpdate(); }
    TOwnerUpdate(const TOwnerUpdate&) = delete;
    TOwnerUpdate& operator=(const TOwnerUpdate&) = delete;
};

} // namespace

int TEditorStrings::Count() const
{
    const TEditorScreenStrings& rows = FOwner.LinesRows();
    if (!rows.WordWrap())
        return rows.Count();
    return rows.LineCount();
}

int TEditorStrings::LineToRow(int i) const
{
    const TEditorScreenStrings& rows = FOwner.LinesRows();
    if (!rows.WordWrap() || i <= 0)
        return std::max(i, 0);
    return rows.LineStartRow(i);
}

int TEditorStrings::RowsOfLine(int firstRow) const
{
    const TEditorScreenStrings& rows = FOwner.LinesRows();
    return rows.LastRowOfLine(firstRow) - firstRow + 1;
}

std::string TEditorStrings::Get(int i) const
{
    const TEditorScreenStrings& rows = FOwner.LinesRows();
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
    TOwnerUpdate update(FOwner);
    TEditorScreenStrings& rows = FOwner.LinesRows();
    if (i < 0 || i >= Count())
        return;
    int first = LineToRow(i);
    int n = RowsOfLine(first);
    // Offsets are counted in the text as the rows hold it: every line break two bytes.
    std::string text = CrLfBreaks(s);
    const std::int64_t caret = static_cast<std::int64_t>(text.size());
    if (rows.RowEnd(first + n - 1) == reBreak)
        text.append(kCrLf);
    rows.ReplaceRows(first, n, text);
    FOwner.LinesCaretTo(first, caret);
}

void TEditorStrings::Insert(int i, std::string_view s)
{
    if (i == Count()) {
        Add(s);
        return;
    }
    if (i < 0 || i > Count())
        return;
    TOwnerUpdate update(FOwner);
    int first = LineToRow(i);
    std::string text = CrLfBreaks(s);
    text.append(kCrLf);
    FOwner.LinesRows().ReplaceRows(first, 0, text, TMarksGo::WithText);
    FOwner.LinesCaretTo(first, static_cast<std::int64_t>(text.size()));
}

int TEditorStrings::Add(std::string_view s)
{
    TOwnerUpdate update(FOwner);
    TEditorScreenStrings& rows = FOwner.LinesRows();
    int index = Count();
    int n = rows.Count();
    if (n == 0 || rows.RowEnd(n - 1) == reBreak) {
        std::string text = CrLfBreaks(s);
        text.append(kCrLf);
        rows.ReplaceRows(n, 0, text);
        FOwner.LinesCaretTo(n, static_cast<std::int64_t>(text.size()));
    } else {
        // The text ends without a line break and keeps doing so.
        std::string text(rows.Get(n - 1));
        text.append(kCrLf);
        text.append(CrLfBreaks(s));
        // Rebuilding may start a row higher, on the same wrapped line: count from there.
        int from = std::max(rows.FirstRowOfLine(n - 1), n - 2);
        std::int64_t offset = static_cast<std::int64_t>(text.size());
        for (int r = from; r < n - 1; ++r)
            offset += rows.RowLength(r);
        rows.ReplaceRows(n - 1, 1, text);
        FOwner.LinesCaretTo(from, offset);
    }
    return index;
}

void TEditorStrings::Delete(int i)
{
    TOwnerUpdate update(FOwner);
    if (i < 0 || i >= Count())
        return;
    int first = LineToRow(i);
    FOwner.LinesRows().ReplaceRows(first, RowsOfLine(first), {});
    FOwner.LinesCaretTo(first, 0);
}

void TEditorStrings::Clear()
{
    FOwner.LinesRows().Clear();
}

std::string TEditorStrings::GetTextStr() const
{
    return FOwner.LinesRows().GetTextStr();
}

void TEditorStrings::SetTextStr(std::string_view s)
{
    FOwner.LinesRows().SetTextStr(s);
}

void TEditorStrings::Assign(const TEditorStrings& source)
{
    if (&source == this)
        return;
    SetTextStr(source.GetTextStr());
    FOwner.LinesCaretToEnd();
}

void TEditorStrings::Assign(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& l : lines) {
        text.append(l);
        text.append(kCrLf);
    }
    SetTextStr(text);
    FOwner.LinesCaretToEnd();
}

void TEditorStrings::LoadFromFile(const std::string& fileName, bool nulAsBlank,
                                  const std::function<void(const TFileShape&)>& fit)
{
    FOwner.LinesRows().LoadFromFile(fileName, nulAsBlank, fit);
}

void TEditorStrings::BeginUpdate()
{
    if (FUpdateCount++ == 0)
        FOwner.LinesBeginUpdate();
}

void TEditorStrings::EndUpdate()
{
    if (FUpdateCount == 0)
        return;
    if (--FUpdateCount == 0)
        FOwner.LinesEndUpdate();
}
