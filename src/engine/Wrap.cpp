#include "engine/Wrap.h"

#include <algorithm>

#include "platform/Cp932Bytes.h"
#include "engine/WrapOption.h"

const TDelimiterSet& WordDelimiters()
{
    static const TDelimiterSet set = [] {
        TDelimiterSet s;
        auto range = [&s](int a, int b) {
            for (int c = a; c <= b; ++c)
                s.set(static_cast<std::size_t>(c));
        };
        range(0x00, 0x2F);
        range(0x3A, 0x40);
        range(0x5B, 0x5E);
        range(0x60, 0x60);
        range(0x7B, 0x80);
        range(0xA0, 0xA5);
        range(0xFD, 0xFF);
        return s;
    }();
    return set;
}

std::string CrLfBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            out += c;
            continue;
        }
        out.append("\r\n", 2);
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
    }
    return out;
}

int TWrapContext::TabCells(int c) const
{
    int t = std::max(TabSpaceCount, 1);
    int w = t - c % t;
    if (Wrapping && WrapByte > 0)
        w = std::min(w, WrapByte - c % WrapByte);
    return w;
}

int StrWidth(std::string_view s, const TWrapContext& cx)
{
    if (s.find('\t') == std::string_view::npos)
        return static_cast<int>(s.size());
    int cells = 0;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t len = CharLength(s, i);
        cells += s[i] == '\t' ? cx.TabCells(cells) : static_cast<int>(len);
        i += len;
    }
    return cells;
}

std::string ExpandTabs(std::string_view s, const TWrapContext& cx)
{
    std::string out;
    out.reserve(s.size() + 16);
    int cells = 0;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t len = CharLength(s, i);
        if (s[i] == '\t') {
            int w = cx.TabCells(cells);
            out.append(static_cast<std::size_t>(w), ' ');
            cells += w;
        } else {
            out.append(s.substr(i, len));
            cells += static_cast<int>(len);
        }
        i += len;
    }
    return out;
}

void BuildCellKinds(std::string_view s, const TWrapContext& cx, int limit, std::string& out)
{
    // Sized once for the worst case (a tab may take a tab width of cells past the limit, a
    // byte at most one tab width), then cut to what was written: this runs for every row of
    // a wrap.
    const TDelimiterSet& delims = *cx.Delimiters;
    const std::size_t tabMax = static_cast<std::size_t>(std::max(cx.TabSpaceCount, 2));
    const std::size_t bound = std::min(static_cast<std::size_t>(std::max(limit, 0)) + tabMax,
                                       s.size() * tabMax) + 1;
    out.resize(bound);
    char* o = out.data();
    const std::size_t n = s.size();
    std::size_t i = 0;
    int cells = 0;
    while (i < n && cells < limit) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (IsLeadByte(b) && i + 1 < n) {
            *o++ = cell::Lead;
            *o++ = cell::Trail;
            cells += 2;
            i += 2;
        } else if (b == '\t') {
            const int w = cx.TabCells(cells);
            *o++ = cell::Delimiter;
            o = std::fill_n(o, w - 1, cell::TabFill);
            cells += w;
            ++i;
        } else {
            *o++ = delims[b] ? cell::Delimiter : cell::Single;
            ++cells;
            ++i;
        }
    }
    *o++ = cell::End;
    out.resize(static_cast<std::size_t>(o - out.data()));
}

std::string CellKinds(std::string_view s, const TWrapContext& cx)
{
    std::string out;
    BuildCellKinds(s, cx, cx.CellLimit(), out);
    return out;
}

void TEditorAttributeArray::Reset(std::string_view text, std::string_view kinds)
{
    FText = text;
    FKinds = kinds.empty() ? std::string_view("0", 1) : kinds;
    FHasTabFill = FKinds.find(cell::TabFill) != std::string_view::npos;
    FCell = 1;
    FKind = KindAt(1);
    FBytes = (FKind == cell::End || FKind == cell::TabFill) ? 0 : 1;
}

// The byte count moves by the bytes a cell holds: one for every cell but tab fill and the
// sentinel. Stepping back therefore subtracts what the cell being left held, so the count
// always matches the cell (a tab is counted on its own cell, whichever side we come from).
void TEditorAttributeArray::Next()
{
    if (FKind == cell::End)
        return;
    ++FCell;
    FKind = KindAt(FCell);
    if (FKind != cell::TabFill && FKind != cell::End)
        ++FBytes;
}

void TEditorAttributeArray::Prev()
{
    if (FCell <= 1)
        return;
    if (FKind != cell::TabFill && FKind != cell::End)
        --FBytes;
    --FCell;
    FKind = KindAt(FCell);
}

void TEditorAttributeArray::MoveTo(int n)
{
    if (!FHasTabFill) {
        // Without tab fill every cell but the sentinel holds one byte: jump straight there.
        const int end = CellCount() + 1;
        FCell = std::clamp(n, 1, end);
        FKind = KindAt(FCell);
        FBytes = FKind == cell::End ? FCell - 1 : FCell;
        return;
    }
    while (FCell < n && FKind != cell::End)
        Next();
    while (FCell > n && FCell > 1)
        Prev();
}

void TEditorAttributeArray::PrevWholeChar()
{
    Prev();
    if (FKind == cell::Lead)
        Prev();
}

std::string_view TEditorAttributeArray::CharEndingAt(int bytes, char kind) const
{
    // `bytes` counts up to and including the cell of `kind`.
    switch (kind) {
    case cell::Single:
    case cell::Delimiter:
    case cell::TabFill: // the tab itself is the last byte counted
        return bytes >= 1 ? FText.substr(static_cast<std::size_t>(bytes - 1), 1) : std::string_view{};
    case cell::Lead:
        return bytes >= 1 ? FText.substr(static_cast<std::size_t>(bytes - 1), 2) : std::string_view{};
    case cell::Trail:
        return bytes >= 2 ? FText.substr(static_cast<std::size_t>(bytes - 2), 2) : std::string_view{};
    default:
        return {};
    }
}

std::string_view TEditorAttributeArray::CurrentChar() const
{
    return CharEndingAt(FBytes, FKind);
}

std::string_view TEditorAttributeArray::NextChar() const
{
    if (FKind == cell::End)
        return {};
    char next = KindAt(FCell + 1);
    if (next == cell::End)
        return {};
    if (next == cell::Trail) // the rest of the current character
        return CharEndingAt(FBytes + 1, next);
    if (next == cell::TabFill) // more of the current tab
        return CharEndingAt(FBytes, next);
    return CharEndingAt(FBytes + 1, next);
}

namespace {

// Runs the breaking loop over one line; emits rows to `out` when given, and returns the
// number of rows.
int Break(std::string_view line, const TWrapContext& cx, std::vector<TRowPiece>* out, std::string& kinds)
{
    const int W = std::max(cx.WrapByte, 1);
    // Without a tab a line takes one cell per byte, so a line shorter than the width is one
    // row; most lines of a text are, and this spares them the cell walk.
    if (!cx.Wrapping || (line.size() < static_cast<std::size_t>(W) &&
                         line.find('\t') == std::string_view::npos)) {
        if (out)
            out->push_back({0, line.size(), reBreak});
        return 1;
    }
    BuildCellKinds(line, cx, W + 3, kinds);
    if (static_cast<int>(kinds.size()) - 1 < W) {
        if (out)
            out->push_back({0, line.size(), reBreak});
        return 1;
    }
    const TEditorWrapOption& opt = *cx.Option;
    // The rules back up at most this far, and never past the row's first character: at
    // small widths they give way rather than leave a row empty.
    const int wordLimit = std::max(W / 3, 1);
    const int leadLimit = std::max((W / 5) * 4, 1);
    int rows = 0;
    std::size_t start = 0;
    TEditorAttributeArray walker;
    walker.Reset(line, kinds);
    walker.MoveTo(W);
    for (;;) {
        std::string_view rest = line.substr(start);
        if (walker.Kind() == cell::End) {
            if (!rest.empty()) {
                if (out)
                    out->push_back({start, rest.size(), reBreak});
                ++rows;
            } else if (!opt.FollowRetMark()) {
                if (out)
                    out->push_back({start, 0, reBreak});
                ++rows;
            } else if (out && !out->empty()) {
                out->back().End = reBreak;
            }
            return rows;
        }
        if (walker.Kind() == cell::Lead) {
            walker.Prev();
        } else if (opt.WordBreak() && walker.CellCount() > W) {
            while (walker.Kind() != cell::Delimiter && walker.Kind() != cell::TabFill &&
                   walker.Kind() != cell::Trail && walker.Cell() > wordLimit)
                walker.PrevWholeChar();
        }
        if (opt.FollowPunctuation()) {
            while (walker.Cell() < W + 2 && opt.PunctuationSet().Contains(walker.NextChar())) {
                walker.Next();
                if (walker.Kind() == cell::Lead)
                    walker.Next();
            }
        }
        if (opt.Leading() && walker.Cell() < walker.CellCount()) {
            while (walker.Cell() > leadLimit && opt.LeadSet().Contains(walker.CurrentChar()))
                walker.PrevWholeChar();
            if (walker.Cell() + 1 < walker.CellCount()) {
                std::string_view n = walker.NextChar();
                std::string_view l = walker.CurrentChar();
                if (opt.FollowSet().Contains(n)) {
                    while (walker.Cell() > leadLimit &&
                           (opt.LeadSet().Contains(l) || opt.FollowSet().Contains(n))) {
                        walker.PrevWholeChar();
                        n = l;
                        l = walker.CurrentChar();
                    }
                }
            }
        }
        // Never cut a two-byte character and always take at least one whole character.
        if (walker.Kind() == cell::Lead)
            walker.Prev();
        std::size_t take = static_cast<std::size_t>(std::max(walker.ByteCount(), 0));
        take = std::max(take, CharLength(rest, 0));
        if (out)
            out->push_back({start, take, reWrapped});
        ++rows;
        start += take;
        BuildCellKinds(line.substr(start), cx, W + 3, kinds);
        walker.Reset(line.substr(start), kinds);
        walker.MoveTo(W);
    }
}

} // namespace

void BreakLine(std::string_view line, const TWrapContext& cx, std::vector<TRowPiece>& out, std::string& scratch)
{
    Break(line, cx, &out, scratch);
}

int CountWrapRows(std::string_view line, const TWrapContext& cx, std::string& scratch)
{
    return Break(line, cx, nullptr, scratch);
}
