// Random editing sequences against a plain string edited the same way. The model reads only
// the rows (checked to spell the model's text) and the caret's row and column; every expected
// result is worked out here from the plain text with its own cell arithmetic.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "EditorTestUtil.h"

using namespace enginetest;

namespace {

bool Lead(char c)
{
    auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

std::string Spaces(int n)
{
    return std::string(static_cast<std::size_t>(std::max(n, 0)), ' ');
}

struct MRow {
    std::string text;
    TRowEnd end;
};

struct MChar {
    int byte, cell, width, len;
};

struct Model {
    std::string text;
    bool wrap = false;
    int W = 80, TS = 8;
    std::vector<MRow> rows;

    void Snap(const TEditor& e)
    {
        rows.clear();
        for (int i = 0; i < e.RowCount(); ++i)
            rows.push_back({std::string(e.RowText(i)), e.ListRows().RowEnd(i)});
    }
    int N() const { return static_cast<int>(rows.size()); }
    std::string Row(int r) const { return r < N() ? rows[static_cast<std::size_t>(r)].text : std::string(); }
    TRowEnd End(int r) const { return r < N() ? rows[static_cast<std::size_t>(r)].end : reNone; }

    std::vector<MChar> Chars(const std::string& s) const
    {
        std::vector<MChar> out;
        int cell = 0;
        for (std::size_t i = 0; i < s.size();) {
            int len = Lead(s[i]) && i + 1 < s.size() ? 2 : 1;
            int w = len;
            if (s[i] == '\t') {
                w = TS - cell % TS;
                if (wrap)
                    w = std::min(w, W - cell % W);
            }
            out.push_back({static_cast<int>(i), cell, w, len});
            cell += w;
            i += static_cast<std::size_t>(len);
        }
        return out;
    }
    int Width(const std::string& s) const
    {
        auto c = Chars(s);
        return c.empty() ? 0 : c.back().cell + c.back().width;
    }
    // The byte at a column; past the end each column counts one byte.
    int ByteAt(const std::string& s, int col) const
    {
        for (const MChar& c : Chars(s)) {
            if (c.cell == col)
                return c.byte;
            if (col < c.cell + c.width)
                return c.byte + c.len; // inside a tab's fill: after the tab
        }
        return static_cast<int>(s.size()) + col - Width(s);
    }
    // The character that covers cell `col`, if any.
    const MChar* At(const std::vector<MChar>& cs, int col) const
    {
        for (const MChar& c : cs)
            if (col >= c.cell && col < c.cell + c.width)
                return &c;
        return nullptr;
    }
    int Indent(const std::string& s) const
    {
        if (s.empty())
            return -1;
        std::size_t i = 0;
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s.compare(i, 2, "\x81\x40") == 0))
            i += s[i] == ' ' || s[i] == '\t' ? 1 : 2;
        return Width(s.substr(0, i));
    }
    std::size_t Start(int r) const
    {
        std::size_t off = 0;
        for (int k = 0; k < r && k < N(); ++k)
            off += rows[static_cast<std::size_t>(k)].text.size() + (End(k) == reBreak ? 2 : 0);
        return off;
    }
    // The row and byte of a text offset at a character boundary: the end of a wrapped row
    // is the next row's start.
    std::pair<int, int> RowByte(std::size_t off) const
    {
        int r = 0;
        for (; r < N(); ++r) {
            std::size_t len = Row(r).size();
            if (End(r) == reWrapped ? off < len : off <= len)
                return {r, static_cast<int>(off)};
            off -= len + (End(r) == reBreak ? 2 : 0);
        }
        return {r, 0};
    }
    int FirstOfLine(int r) const
    {
        while (r > 0 && End(r - 1) == reWrapped)
            --r;
        return r;
    }
    static std::string Join(const std::vector<MRow>& rs)
    {
        std::string out;
        for (const MRow& r : rs)
            out += r.text + (r.end == reBreak ? "\r\n" : "");
        return out;
    }

    // ---- the operations, on the model

    std::string Insert(int r, int col, const std::string& s) const
    {
        if (r >= N())
            return Normalised(text + Spaces(col) + s);
        std::string row = Row(r);
        int p = ByteAt(row, col);
        int pad = std::max(0, p - static_cast<int>(row.size()));
        p = std::min(p, static_cast<int>(row.size()));
        std::string t = text;
        t.insert(Start(r) + static_cast<std::size_t>(p), Spaces(pad) + s);
        return Normalised(t);
    }

    std::string Overwrite(int r, int col, const std::string& s) const
    {
        std::string row = Row(r);
        if (r >= N() || col >= Width(row))
            return Insert(r, col, s);
        int cells = s == "\t" ? std::min(TS - col % TS, wrap ? W - col % W : 1 << 20) : static_cast<int>(s.size());
        int resume = col + cells, k = r;
        while (resume > Width(Row(k)) && End(k) == reWrapped && k + 1 < N()) {
            resume -= Width(Row(k));
            ++k;
        }
        std::string rest = Row(k);
        auto cs = Chars(rest);
        const MChar* c = At(cs, resume);
        std::string suffix;
        if (c && c->cell < resume)
            suffix = (c->len == 2 ? " " : "") + rest.substr(static_cast<std::size_t>(c->byte + c->len));
        else if (c)
            suffix = rest.substr(static_cast<std::size_t>(c->byte));
        std::size_t from = Start(r) + static_cast<std::size_t>(ByteAt(row, col));
        std::size_t to = Start(k) + rest.size();
        return text.substr(0, from) + s + suffix + text.substr(to);
    }

    std::string IndentString(int e, bool tabs) const
    {
        return tabs ? std::string(static_cast<std::size_t>(e / TS), '\t') + Spaces(e % TS) : Spaces(e);
    }

    int NewlineIndent(int r, int col, const TEditorCaret& o) const
    {
        if (!o.AutoIndent())
            return 0;
        int fl = FirstOfLine(r);
        int f = Indent(Row(fl));
        if (f >= 1)
            return r == fl && col < f ? col : f;
        if (o.PrevSpaceIndent() && r == fl && Row(r).empty())
            for (int q = fl - 1; q >= 0; --q) {
                q = FirstOfLine(q);
                if (!Row(q).empty())
                    return std::max(Indent(Row(q)), 0);
            }
        return 0;
    }

    std::string Enter(int r, int col, bool above, bool over, const TEditorCaret& o) const
    {
        if (r >= N())
            return text + "\r\n";
        if (over)
            return text;
        std::string indent = IndentString(NewlineIndent(r, col, o), o.TabIndent());
        std::string t = text;
        if (above) {
            t.insert(Start(FirstOfLine(r)), indent + "\r\n");
        } else {
            int p = std::min(ByteAt(Row(r), col), static_cast<int>(Row(r).size()));
            t.insert(Start(r) + static_cast<std::size_t>(p), "\r\n" + indent);
        }
        return t;
    }

    std::string BackSpace(int r, int col, bool unindent) const
    {
        if (N() == 0)
            return text;
        std::string row = Row(r);
        const int p = ByteAt(row, col), w = Width(row), len = static_cast<int>(row.size());
        std::string t = text;
        if (p > 0) {
            int iw = Indent(row);
            if (unindent && (iw == -1 || iw == w || iw == col)) {
                int ni = 0, fl = FirstOfLine(r);
                for (int q = std::min(r, N()) - 1; q >= 0; --q) {
                    int qi = std::max(Indent(Row(q)), 0);
                    if (q >= fl && qi == 0)
                        continue;
                    if (qi < col) {
                        ni = qi;
                        break;
                    }
                }
                if (ni >= w || r >= N())
                    return text;
                int kb = 0, kept = 0;
                for (const MChar& c : Chars(row)) {
                    if (c.cell + c.width > ni)
                        break;
                    kb = c.byte + c.len;
                    kept = c.cell + c.width;
                }
                int pb = std::min(p, len);
                std::string fresh = row.substr(0, static_cast<std::size_t>(kb)) + Spaces(ni - kept) +
                                    row.substr(static_cast<std::size_t>(pb));
                return t.replace(Start(r), row.size(), fresh);
            }
            if (col > w)
                return text;
            for (const MChar& c : Chars(row))
                if (c.byte + c.len == p)
                    return t.erase(Start(r) + static_cast<std::size_t>(c.byte), static_cast<std::size_t>(c.len));
            ADD_FAILURE() << "no character before the caret";
            return text;
        }
        if (r == 0)
            return text;
        std::string up = Row(r - 1);
        if (End(r - 1) == reWrapped) {
            const MChar c = Chars(up).back();
            return t.erase(Start(r - 1) + static_cast<std::size_t>(c.byte), static_cast<std::size_t>(c.len));
        }
        return t.erase(Start(r - 1) + up.size(), 2);
    }

    std::string Delete(int r, int col) const
    {
        if (r >= N())
            return text;
        std::string row = Row(r), t = text;
        if (col < Width(row)) {
            auto cs = Chars(row);
            const MChar* c = At(cs, col);
            return t.erase(Start(r) + static_cast<std::size_t>(c->byte), static_cast<std::size_t>(c->len));
        }
        if (End(r) == reEof)
            return text;
        int pad = ByteAt(row, col) - static_cast<int>(row.size());
        return t.replace(Start(r) + row.size(), 2, Spaces(pad));
    }

    // A box c1..c2 over rows r1..r2: each row's slice.
    std::pair<int, int> Slice(const std::string& row, int c1, int c2) const
    {
        int first = static_cast<int>(row.size()), last = first;
        bool haveFirst = false;
        for (const MChar& c : Chars(row)) {
            if (!haveFirst && c.cell >= c1) {
                first = c.byte;
                haveFirst = true;
            }
            if (c.cell >= c2) {
                last = c.byte;
                break;
            }
        }
        return {first, std::max(first, last)};
    }

    std::string BoxText(int r1, int r2, int c1, int c2) const
    {
        std::string out;
        for (int r = r1; r <= r2 && r < N(); ++r) {
            auto [a, b] = Slice(Row(r), c1, c2);
            out += Row(r).substr(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a)) + "\r\n";
        }
        return out;
    }

    // Rows with the box's slices gone; `s` (if any) at the first row's cut.
    std::string BoxReplace(int r1, int r2, int c1, int c2, const std::string& s) const
    {
        if (r1 >= N()) // a box on the empty line after the last: nothing to cut, s at the end
            return Normalised(text + s);
        std::vector<MRow> rs = rows;
        for (int r = r1; r <= r2 && r < N(); ++r) {
            std::string& row = rs[static_cast<std::size_t>(r)].text;
            auto [a, b] = Slice(row, c1, c2);
            row = row.substr(0, static_cast<std::size_t>(a)) + (r == r1 ? s : "") + row.substr(static_cast<std::size_t>(b));
        }
        return Normalised(Join(rs));
    }

    // The block of lines into the rows from r on at column col; `cuts` are the first rows'
    // byte positions where a selection was cut out (their text already without it).
    std::string BlockPaste(std::vector<MRow> rs, int r, int col, std::vector<int> cuts, const std::string& s) const
    {
        std::vector<std::string> lines;
        std::string cur;
        std::string ns = Normalised(s);
        for (std::size_t i = 0; i < ns.size(); ++i) {
            if (ns.compare(i, 2, "\r\n") == 0) {
                lines.push_back(cur);
                cur.clear();
                ++i;
            } else {
                cur += ns[i];
            }
        }
        if (!cur.empty())
            lines.push_back(cur);
        int n = static_cast<int>(lines.size());
        int k = 0;
        for (; k < std::max(n, static_cast<int>(cuts.size())); ++k) {
            int row = r + k;
            if (row >= static_cast<int>(rs.size())) {
                rs.push_back({Spaces(col) + lines[static_cast<std::size_t>(k)], reBreak});
                continue;
            }
            MRow& m = rs[static_cast<std::size_t>(row)];
            if (m.end == reEof)
                m.end = reBreak;
            if (k >= n)
                continue;
            int at, cell;
            if (k < static_cast<int>(cuts.size())) {
                at = cuts[static_cast<std::size_t>(k)];
                cell = Width(m.text.substr(0, static_cast<std::size_t>(at)));
            } else {
                auto cs = Chars(m.text);
                const MChar* c = At(cs, col);
                at = c ? (c->cell < col ? c->byte + c->len : c->byte) : static_cast<int>(m.text.size());
                cell = Width(m.text.substr(0, static_cast<std::size_t>(at)));
            }
            m.text.insert(static_cast<std::size_t>(at), Spaces(col - cell) + lines[static_cast<std::size_t>(k)]);
        }
        return Join(rs);
    }
};

class Rng {
public:
    explicit Rng(unsigned seed) : g(seed) {}
    int Below(int n) { return n <= 0 ? 0 : static_cast<int>(g() % static_cast<unsigned>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
    std::mt19937 g;
};

const char* const kPieces[] = {"a", "b", "x", " ", "\t", "\x8A\xBF", "\x81\x40", "\x83\x5C"};

std::string Piece(Rng& rnd)
{
    return kPieces[rnd.Below(8)];
}

// Clipboard-ish text: line breaks of every kind, a NUL, now and then a lone lead byte.
std::string Insertion(Rng& rnd)
{
    static const char* const extra[] = {"\r\n", "\r", "\n"};
    std::string s;
    int n = rnd.Below(6);
    for (int i = 0; i < n; ++i) {
        int k = rnd.Below(12);
        if (k < 8)
            s += kPieces[k];
        else if (k < 11)
            s += extra[k - 8];
        else
            s += std::string(1, '\0');
    }
    if (rnd.Chance(5))
        s += "\x81";
    return s;
}

// Offsets where a selection may start or end: character boundaries, not inside CR LF.
std::vector<std::size_t> Boundaries(const std::string& t)
{
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i <= t.size();) {
        out.push_back(i);
        if (i == t.size())
            break;
        if (t.compare(i, 2, "\r\n") == 0)
            i += 2;
        else // a lead byte before a line break stands alone: rows hold no line breaks
            i += Lead(t[i]) && i + 1 < t.size() && t[i + 1] != '\r' ? 2 : 1;
    }
    return out;
}

void CheckCaret(const TEditor& e, const Model& m, const std::string& where)
{
    ASSERT_LE(e.Row(), e.MaxCaretRow()) << where;
    ASSERT_GE(e.Col(), 0) << where;
    std::string row = m.Row(e.Row());
    for (const MChar& c : m.Chars(row))
        ASSERT_FALSE(e.Col() > c.cell && e.Col() < c.cell + c.width)
            << where << ": column " << e.Col() << " inside a character or tab at " << c.cell;
}

void RunSequence(unsigned seed)
{
    Rng rnd(seed);
    THostedEditor t;
    TEditor& e = t.e;
    Model m;
    m.wrap = rnd.Chance(50);
    m.W = 20 + rnd.Below(40);
    m.TS = 2 << rnd.Below(3);
    e.Caret().SetTabSpaceCount(m.TS);
    e.Caret().SetFreeCaret(rnd.Chance(70));
    e.WrapOption().SetWrapByte(m.W);
    e.SetWordWrap(m.wrap);
    e.SetUndoListMax(100000);

    std::string start;
    for (int i = rnd.Below(60); i > 0; --i)
        start += rnd.Chance(12) ? "\r\n" : Piece(rnd);
    e.Lines().SetTextStr(start);
    m.text = Normalised(start);
    const std::string original = e.Lines().GetTextStr();
    ASSERT_EQ(original, m.text);

    std::string clip;
    bool clipBox = false, haveClip = false;
    for (int step = 0; step < 160; ++step) {
        m.Snap(e);
        ASSERT_EQ(Model::Join(m.rows), m.text) << "seed " << seed << " step " << step;
        // A caret somewhere, the free area included.
        e.SetBoxSelection(false);
        e.DropSelection();
        int row = rnd.Below(e.MaxCaretRow() + 1);
        e.SetRowCol(row, rnd.Below(m.Width(m.Row(row)) + 4));
        const std::string where = "seed " + std::to_string(seed) + " step " + std::to_string(step);
        CheckCaret(e, m, where);
        if (::testing::Test::HasFatalFailure())
            return;
        const int r = e.Row(), c = e.Col();
        std::string expect = m.text;
        int op = rnd.Below(13);
        std::string what;
        switch (op) {
        case 0:
        case 1: {
            std::string ch = Piece(rnd);
            bool over = rnd.Chance(30);
            e.SetOverWrite(over);
            expect = over ? m.Overwrite(r, c, ch) : m.Insert(r, c, ch);
            e.TypeText(ch);
            e.SetOverWrite(false);
            what = "type";
            break;
        }
        case 2: {
            bool over = rnd.Chance(15), above = rnd.Chance(30);
            e.Caret().SetAutoIndent(rnd.Chance(70));
            e.Caret().SetTabIndent(rnd.Chance(40));
            e.Caret().SetPrevSpaceIndent(rnd.Chance(40));
            e.SetOverWrite(over);
            expect = m.Enter(r, c, above, over, e.Caret());
            e.Newline(above);
            e.SetOverWrite(false);
            what = "enter";
            break;
        }
        case 3: {
            bool un = rnd.Chance(40);
            e.Caret().SetBackSpaceUnIndent(un);
            expect = m.BackSpace(r, c, un);
            e.BackSpace();
            what = "backspace";
            break;
        }
        case 4:
            expect = m.Delete(r, c);
            e.DeleteChar();
            what = "delete";
            break;
        case 5:
        case 6:
        case 7: { // a normal selection by offsets
            auto b = Boundaries(m.text);
            std::size_t a = b[static_cast<std::size_t>(rnd.Below(static_cast<int>(b.size())))];
            std::size_t z = b[static_cast<std::size_t>(rnd.Below(static_cast<int>(b.size())))];
            if (z < a)
                std::swap(a, z);
            e.SetSelStart(static_cast<std::int64_t>(a));
            e.SetSelLength(static_cast<std::int64_t>(z - a));
            ASSERT_EQ(e.SelText(), m.text.substr(a, z - a)) << where;
            if (z > a) {
                ASSERT_EQ(e.SelStart(), static_cast<std::int64_t>(a)) << where;
            }
            std::string s = Insertion(rnd);
            int k = rnd.Below(4);
            std::string cut = m.text.substr(0, a) + m.text.substr(z);
            if (k == 0) {
                expect = Normalised(m.text.substr(0, a) + s + m.text.substr(z));
                e.InsertText(s);
                what = "insert over selection";
            } else if (k == 1) {
                expect = z > a ? cut : m.text;
                e.ClearSelection();
                what = "clear selection";
            } else if (k == 2) {
                if (z > a) {
                    expect = cut;
                    clip = m.text.substr(a, z - a);
                    clipBox = false;
                    haveClip = true;
                }
                e.CutToClipboard();
                what = "cut";
            } else {
                if (z > a) {
                    // Box paste over a normal selection: the text goes, the lines come in
                    // at the cut and in the rows below at its column.
                    auto [r1, b1] = m.RowByte(a);
                    auto [r2, b2] = m.RowByte(z);
                    std::vector<MRow> rs(m.rows.begin(), m.rows.begin() + r1);
                    std::string merged = m.Row(r1).substr(0, static_cast<std::size_t>(b1));
                    TRowEnd end = reEof;
                    if (r2 < m.N()) {
                        merged += m.Row(r2).substr(static_cast<std::size_t>(b2));
                        end = m.End(r2);
                    }
                    rs.push_back({merged, end});
                    rs.insert(rs.end(), m.rows.begin() + std::min(r2 + 1, m.N()), m.rows.end());
                    expect = s.empty() ? cut : m.BlockPaste(rs, r1, m.Width(m.Row(r1).substr(0, static_cast<std::size_t>(b1))), {b1}, s);
                } else if (!s.empty()) {
                    expect = m.BlockPaste(m.rows, e.Row(), e.Col(), {}, s);
                }
                e.BoxPaste(s);
                what = "box paste over selection";
            }
            break;
        }
        case 8:
        case 9:
        case 10: { // a box selection
            e.SetBoxSelection(true);
            int r2 = rnd.Below(e.MaxCaretRow() + 1);
            e.StartSelection();
            e.SetRowCol(r2, rnd.Below(m.Width(m.Row(r2)) + 4));
            CheckCaret(e, m, where);
            e.ExtendSelection();
            if (!e.Selected()) { // an empty text has nothing to select
                e.SetBoxSelection(false);
                break;
            }
            int r1 = std::min(r, e.Row()), rr = std::max(r, e.Row());
            int c1 = std::min(c, e.Col()), c2 = std::max(c, e.Col());
            ASSERT_EQ(e.SelText(), m.BoxText(r1, rr, c1, c2)) << where;
            std::string s = Insertion(rnd);
            int k = rnd.Below(4);
            if (k == 0) {
                expect = m.BoxReplace(r1, rr, c1, c2, s);
                e.InsertText(s);
                what = "insert over box";
            } else if (k == 1) {
                expect = m.BoxReplace(r1, rr, c1, c2, "");
                e.ClearSelection();
                what = "clear box";
            } else if (k == 2) {
                expect = m.BoxReplace(r1, rr, c1, c2, "");
                clip = m.BoxText(r1, rr, c1, c2);
                clipBox = true;
                haveClip = true;
                e.CutToClipboard();
                what = "cut box";
            } else {
                std::vector<MRow> rs = m.rows;
                std::vector<int> cuts;
                for (int q = r1; q <= rr && q < m.N(); ++q) {
                    std::string& text = rs[static_cast<std::size_t>(q)].text;
                    auto [a, b] = m.Slice(text, c1, c2);
                    text.erase(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a));
                    cuts.push_back(a);
                }
                expect = s.empty() ? m.BoxReplace(r1, rr, c1, c2, "") : m.BlockPaste(rs, r1, c1, cuts, s);
                e.BoxPaste(s);
                what = "box paste over box";
            }
            e.SetBoxSelection(false);
            break;
        }
        case 11: { // box paste at the caret
            std::string s = Insertion(rnd);
            expect = s.empty() ? m.text : m.BlockPaste(m.rows, r, c, {}, s);
            e.BoxPaste(s);
            what = "box paste";
            break;
        }
        case 12:
            if (haveClip)
                expect = clipBox ? m.BlockPaste(m.rows, r, c, {}, clip) : m.Insert(r, c, clip);
            e.PasteFromClipboard();
            what = "paste";
            break;
        }
        if (::testing::Test::HasFatalFailure())
            return;
        const std::string before = m.text;
        m.text = expect;
        ASSERT_EQ(e.Lines().GetTextStr(), m.text) << where << " " << what << " at " << r << "," << c;
        if (before != m.text) { // one edit, one undo entry: undo and redo step over exactly it
            e.Undo();
            ASSERT_EQ(e.Lines().GetTextStr(), before) << where << " undo of " << what;
            e.Redo();
            ASSERT_EQ(e.Lines().GetTextStr(), m.text) << where << " redo of " << what;
        }
        m.Snap(e);
        CheckCaret(e, m, where + " after " + what);
        if (::testing::Test::HasFatalFailure())
            return;
    }

    const std::string final = e.Lines().GetTextStr();
    while (e.CanUndo())
        e.Undo();
    ASSERT_EQ(e.Lines().GetTextStr(), original) << "seed " << seed;
    while (e.CanRedo())
        e.Redo();
    ASSERT_EQ(e.Lines().GetTextStr(), final) << "seed " << seed;
}

// A deeper run: build with -DVARNET_PROPERTY_SEEDS=20000.
#ifndef VARNET_PROPERTY_SEEDS
#define VARNET_PROPERTY_SEEDS 200
#endif

TEST(EditingProperty, RandomSequencesEditTheTextAsAPlainStringWould)
{
    for (unsigned seed = 1; seed <= VARNET_PROPERTY_SEEDS; ++seed) {
        RunSequence(seed);
        if (::testing::Test::HasFatalFailure())
            return;
    }
}

} // namespace
