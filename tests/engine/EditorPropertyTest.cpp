// Random editing sequences against a plain string edited the same way. The model reads only
// the rows (checked to spell the model's text) and the caret's row and column; every expected
// result is worked out here from the plain text with its own cell arithmetic.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
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

void CheckCaret(const TEditor& e, const Model& m, const std::string& where)
{
    ASSERT_LE(e.Row(), e.MaxCaretRow()) << where;
    ASSERT_GE(e.Col(), 0) << where;
    std::string row = m.Row(e.Row());
    for (const MChar& c : m.Chars(row))
        ASSERT_FALSE(e.Col() > c.cell && e.Col() < c.cell + c.width)
            << where << ": column " << e.Col() << " inside a character or tab at " << c.cell;
}

// The largest character boundary of t at or before `off`: where a caret put at `off` stands.
std::size_t SnapToBoundary(const std::string& t, std::size_t off)
{
    std::size_t best = 0;
    for (std::size_t b : Boundaries(t))
        if (b <= off)
            best = b;
    return best;
}

// The text's lines without their breaks, and where each starts.
std::vector<std::size_t> LineStarts(const std::string& t)
{
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < t.size();) {
        starts.push_back(i);
        std::size_t j = t.find("\r\n", i);
        i = j == std::string::npos ? t.size() : j + 2;
    }
    return starts;
}

// One random session: an editor on a fake host, a second view on the same rows, and the model.
// Every operation is applied to an editor and to the model; each step then checks the text,
// the caret where the model knows it, one undo and one redo issued from either view, and the
// caret of every view.
class TSession {
public:
    explicit TSession(unsigned seed) : FSeed(seed), rnd(seed)
    {
        m.wrap = rnd.Chance(50);
        m.W = 20 + rnd.Below(40);
        m.TS = 2 << rnd.Below(3);
        a.Caret().SetTabSpaceCount(m.TS);
        a.Caret().SetFreeCaret(rnd.Chance(70));
        a.WrapOption().SetWrapByte(m.W);
        a.SetWordWrap(m.wrap);
        a.SetUndoListMax(100000);
        b.Caret().SetFreeCaret(a.Caret().FreeCaret());
        b.AttachTo(a);
        std::string start;
        for (int i = rnd.Below(60); i > 0; --i)
            start += rnd.Chance(12) ? "\r\n" : Piece(rnd);
        a.Lines().SetTextStr(start);
        m.text = Normalised(start);
        FOriginal = a.Lines().GetTextStr();
    }

    void Run(int steps)
    {
        ASSERT_EQ(FOriginal, m.text);
        for (FStep = 0; FStep < steps; ++FStep) {
            OneStep();
            if (::testing::Test::HasFatalFailure())
                return;
        }
        const std::string final = a.Lines().GetTextStr();
        while (a.CanUndo())
            (rnd.Chance(50) ? a : b).Undo();
        ASSERT_EQ(a.Lines().GetTextStr(), FOriginal) << Where();
        while (a.CanRedo())
            (rnd.Chance(50) ? a : b).Redo();
        ASSERT_EQ(a.Lines().GetTextStr(), final) << Where();
    }

private:
    // What an operation did: the text it must leave, the caret offset where the model knows
    // it (-1 otherwise), and whether it made two undo entries (Enter compared with its two
    // steps).
    struct TResult {
        std::string expect;
        std::string what;
        std::int64_t caret = -1;
        int entries = 1;
    };

    std::string Where() const { return "seed " + std::to_string(FSeed) + " step " + std::to_string(FStep); }

    TEditor& View() { return *FView; }
    int Row() const { return FView->Row(); }
    int Col() const { return FView->Col(); }

    void OneStep()
    {
        m.Snap(a);
        ASSERT_EQ(Model::Join(m.rows), m.text) << Where();
        // Either view acts; its caret somewhere, the free area included.
        FView = rnd.Chance(25) ? &b : &a;
        for (TEditor* e : {&a, &b}) {
            e->SetBoxSelection(false);
            e->DropSelection();
        }
        int row = rnd.Below(View().MaxCaretRow() + 1);
        View().SetRowCol(row, rnd.Below(m.Width(m.Row(row)) + 4));
        CheckCarets("placing");
        if (::testing::Test::HasFatalFailure())
            return;

        const int op = rnd.Below(16);
        TUndoCaret before{};
        TResult res;
        bool selecting = op >= 5 && op <= 10;
        if (!selecting)
            before = Snapshot(View());
        switch (op) {
        case 0:
        case 1:
            res = TypeAtCaret();
            break;
        case 2:
            res = EnterAtCaret();
            break;
        case 3:
            res = BackSpaceAtCaret();
            break;
        case 4:
            res = DeleteAtCaret();
            break;
        case 5:
        case 6:
        case 7:
            res = OverSelection(before);
            break;
        case 8:
        case 9:
        case 10:
            res = OverBox(before);
            break;
        case 11:
            res = BoxPasteAtCaret();
            break;
        case 12:
            res = Paste();
            break;
        case 13:
        case 14:
            res = LinesOperation();
            break;
        case 15:
            res = ChangeTabWidth();
            break;
        }
        if (::testing::Test::HasFatalFailure() || res.what.empty())
            return;
        const std::string where = Where() + " " + res.what;
        const std::string was = m.text;
        m.text = res.expect;
        ASSERT_EQ(a.Lines().GetTextStr(), m.text) << where;
        if (res.caret >= 0) {
            EXPECT_EQ(View().CaretOffset(), static_cast<std::int64_t>(SnapToBoundary(m.text, static_cast<std::size_t>(res.caret))))
                << where;
        }
        CheckCarets(res.what);
        if (was != m.text && res.entries == 1)
            UndoAndRedo(was, before, where);
        if (!a.CanUndo() && !a.CanRedo())
            FOriginal = m.text; // the history went (rows rebuilt)
    }

    // One undo, from either view, puts back the text and, in that view, the caret and the
    // selection from before the operation; one redo, from either view, the text after it.
    void UndoAndRedo(const std::string& was, const TUndoCaret& before, const std::string& where)
    {
        TEditor& undoer = rnd.Chance(50) ? a : b;
        const TUndoCaret preUndo = Snapshot(undoer);
        undoer.Undo();
        ASSERT_EQ(a.Lines().GetTextStr(), was) << where << ": undo";
        CheckCarets(where + " undo");
        TUndoCaret got = Snapshot(undoer);
        EXPECT_EQ(got.Row, before.Row) << where << ": undo caret row";
        EXPECT_EQ(got.Col, before.Col) << where << ": undo caret column";
        EXPECT_EQ(got.SelState == 2, before.SelState == 2) << where << ": undo selection";
        if (got.SelState == 2 && before.SelState == 2) {
            EXPECT_EQ(got.Box, before.Box) << where;
            EXPECT_EQ(undoer.SelText(), FSelText) << where << ": the selection put back";
        }
        TEditor& redoer = rnd.Chance(50) ? a : b;
        redoer.Redo();
        ASSERT_EQ(a.Lines().GetTextStr(), m.text) << where << ": redo";
        // Where the undoing view stood before the undo.
        EXPECT_EQ(redoer.Row(), preUndo.Row) << where << ": redo caret";
        CheckCarets(where + " redo");
    }

    static TUndoCaret Snapshot(const TEditor& e)
    {
        TUndoCaret c;
        c.Row = e.Row();
        c.Col = e.Col();
        c.SelState = e.SelectionState();
        c.Box = e.BoxSelection();
        return c;
    }

    // Neither view's caret on the second half of a character or in tab fill.
    void CheckCarets(const std::string& what)
    {
        m.Snap(a);
        CheckCaret(a, m, Where() + " " + what + " (first view)");
        CheckCaret(b, m, Where() + " " + what + " (second view)");
    }

    // Where the model puts the caret after inserting s at (r, c).
    std::int64_t InsertCaret(int r, int c, const std::string& s) const
    {
        const std::size_t n = Normalised(s).size();
        if (r >= m.N())
            return static_cast<std::int64_t>(m.text.size() + static_cast<std::size_t>(c) + n);
        std::string row = m.Row(r);
        const int p = m.ByteAt(row, c);
        return static_cast<std::int64_t>(m.Start(r) + static_cast<std::size_t>(p) + n);
    }

    // ---- the operations

    TResult TypeAtCaret()
    {
        const int r = Row(), c = Col();
        std::string ch = Piece(rnd);
        const bool over = rnd.Chance(30);
        View().SetOverWrite(over);
        TResult res{over ? m.Overwrite(r, c, ch) : m.Insert(r, c, ch), "type"};
        if (!over)
            res.caret = InsertCaret(r, c, ch);
        View().TypeText(ch);
        View().SetOverWrite(false);
        return res;
    }

    TResult EnterAtCaret()
    {
        const bool over = rnd.Chance(15), above = rnd.Chance(30);
        a.Caret().SetAutoIndent(rnd.Chance(70));
        a.Caret().SetTabIndent(rnd.Chance(40));
        a.Caret().SetPrevSpaceIndent(rnd.Chance(40));
        b.Caret().Assign(a.Caret());
        View().SetOverWrite(over);
        TResult res{m.Enter(Row(), Col(), above, over, View().Caret()), "enter"};
        View().Newline(above);
        View().SetOverWrite(false);
        return res;
    }

    TResult BackSpaceAtCaret()
    {
        const bool un = rnd.Chance(40);
        View().Caret().SetBackSpaceUnIndent(un);
        TResult res{m.BackSpace(Row(), Col(), un), "backspace"};
        View().BackSpace();
        return res;
    }

    TResult DeleteAtCaret()
    {
        TResult res{m.Delete(Row(), Col()), "delete"};
        View().DeleteChar();
        return res;
    }

    TResult BoxPasteAtCaret()
    {
        std::string s = Insertion(rnd);
        TResult res{s.empty() ? m.text : m.BlockPaste(m.rows, Row(), Col(), {}, s), "box paste"};
        View().BoxPaste(s);
        return res;
    }

    TResult Paste()
    {
        TResult res{m.text, "paste"};
        if (FHaveClip) {
            res.expect = FClipBox ? m.BlockPaste(m.rows, Row(), Col(), {}, FClip) : m.Insert(Row(), Col(), FClip);
            if (!FClipBox)
                res.caret = InsertCaret(Row(), Col(), FClip);
        }
        View().PasteFromClipboard();
        return res;
    }

    // Enter over the selection: one undo step, and the same text and caret as deleting the
    // selection first and then pressing Enter. The comparison leaves two more entries behind.
    // `leadBeforeCut`: a lone lead byte stands before a cut. Deleting first pairs it with the
    // byte after the selection and moves the break before it; Enter over the selection keeps
    // the text before the cut as it was, so the two are not compared then.
    TResult EnterOverSelection(const TUndoCaret& before, const std::string& where, bool leadBeforeCut)
    {
        const std::string was = m.text;
        a.Caret().SetAutoIndent(rnd.Chance(70));
        a.Caret().SetPrevSpaceIndent(rnd.Chance(40));
        b.Caret().Assign(a.Caret());
        View().Newline();
        const std::string once = a.Lines().GetTextStr();
        const int row = Row(), col = Col();
        m.text = once;
        UndoAndRedo(was, before, where + " enter over selection");
        if (::testing::Test::HasFatalFailure())
            return {};
        View().Undo(); // the selection is back with the text
        EXPECT_EQ(a.Lines().GetTextStr(), was) << where;
        EXPECT_EQ(View().SelText(), FSelText) << where << " box " << View().BoxSelection();
        View().ClearSelection();
        View().Newline();
        if (!leadBeforeCut) {
            EXPECT_EQ(a.Lines().GetTextStr(), once) << where << ": Enter over a selection differs from delete, Enter";
            EXPECT_EQ(Row(), row) << where;
            EXPECT_EQ(Col(), col) << where;
        }
        m.text = was;
        return {a.Lines().GetTextStr(), "enter over selection", -1, 2};
    }

    TResult OverSelection(TUndoCaret& before)
    {
        auto bs = Boundaries(m.text);
        std::size_t x = bs[static_cast<std::size_t>(rnd.Below(static_cast<int>(bs.size())))];
        std::size_t z = bs[static_cast<std::size_t>(rnd.Below(static_cast<int>(bs.size())))];
        if (z < x)
            std::swap(x, z);
        View().SetSelStart(static_cast<std::int64_t>(x));
        View().SetSelLength(static_cast<std::int64_t>(z - x));
        before = Snapshot(View());
        FSelText = View().SelText();
        EXPECT_EQ(FSelText, m.text.substr(x, z - x)) << Where();
        if (z > x) {
            EXPECT_EQ(View().SelStart(), static_cast<std::int64_t>(x)) << Where();
        }
        std::string s = Insertion(rnd);
        const std::string cut = m.text.substr(0, x) + m.text.substr(z);
        static const int withNothingSelected[] = {0, 1, 2, 5, 7};
        switch (z > x ? rnd.Below(8) : withNothingSelected[rnd.Below(5)]) {
        case 0: {
            TResult res{Normalised(m.text.substr(0, x) + s + m.text.substr(z)), "insert over selection"};
            res.caret = static_cast<std::int64_t>(x + Normalised(s).size());
            View().InsertText(s);
            return res;
        }
        case 1: {
            TResult res{Normalised(m.text.substr(0, x) + "\t" + m.text.substr(z)), "tab over selection"};
            res.caret = static_cast<std::int64_t>(x + 1);
            View().TypeText("\t");
            return res;
        }
        case 2:
            View().ClearSelection();
            return {z > x ? cut : m.text, "clear selection", z > x ? static_cast<std::int64_t>(x) : -1};
        case 3:
            View().BackSpace();
            return {z > x ? cut : m.text, "back space over selection", z > x ? static_cast<std::int64_t>(x) : -1};
        case 4:
            View().DeleteChar();
            return {z > x ? cut : m.text, "delete over selection", z > x ? static_cast<std::int64_t>(x) : -1};
        case 5:
            if (z > x) {
                FClip = m.text.substr(x, z - x);
                FClipBox = false;
                FHaveClip = true;
            }
            View().CutToClipboard();
            return {z > x ? cut : m.text, "cut"};
        case 6: {
            auto bs2 = Boundaries(m.text);
            const bool lead = x > 0 && Lead(m.text[x - 1]) && std::find(bs2.begin(), bs2.end(), x - 1) != bs2.end();
            return EnterOverSelection(before, Where(), lead);
        }
        default: {
            TResult res{m.text, "box paste over selection"};
            if (z > x) {
                // The text goes, the lines come in at the cut and in the rows below at its column.
                auto [r1, b1] = m.RowByte(x);
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
                res.expect = s.empty() ? cut
                                       : m.BlockPaste(rs, r1, m.Width(m.Row(r1).substr(0, static_cast<std::size_t>(b1))), {b1}, s);
            } else if (!s.empty()) {
                res.expect = m.BlockPaste(m.rows, Row(), Col(), {}, s);
            }
            View().BoxPaste(s);
            return res;
        }
        }
    }

    TResult OverBox(TUndoCaret& before)
    {
        const int r = Row(), c = Col();
        View().SetBoxSelection(true);
        const int r2 = rnd.Below(View().MaxCaretRow() + 1);
        View().StartSelection();
        View().SetRowCol(r2, rnd.Below(m.Width(m.Row(r2)) + 4));
        CheckCarets("extending a box");
        View().ExtendSelection();
        if (!View().Selected()) { // an empty text has nothing to select
            View().SetBoxSelection(false);
            return {};
        }
        before = Snapshot(View());
        FSelText = View().SelText();
        const int r1 = std::min(r, Row()), rr = std::max(r, Row());
        const int c1 = std::min(c, Col()), c2 = std::max(c, Col());
        EXPECT_EQ(FSelText, m.BoxText(r1, rr, c1, c2)) << Where();
        std::string s = Insertion(rnd);
        TResult res;
        switch (rnd.Below(6)) {
        case 0:
            res = {m.BoxReplace(r1, rr, c1, c2, s), "insert over box"};
            View().InsertText(s);
            break;
        case 1:
            res = {m.BoxReplace(r1, rr, c1, c2, ""), "clear box"};
            View().ClearSelection();
            break;
        case 2:
            res = {m.BoxReplace(r1, rr, c1, c2, ""), "cut box"};
            FClip = m.BoxText(r1, rr, c1, c2);
            FClipBox = true;
            FHaveClip = true;
            View().CutToClipboard();
            break;
        case 3:
            res = {m.BoxReplace(r1, rr, c1, c2, "\t"), "tab over box"};
            View().TypeText("\t");
            break;
        case 4: {
            bool lead = false;
            for (int q = r1; q <= rr && q < m.N(); ++q) {
                const std::string row = m.Row(q);
                const int first = m.Slice(row, c1, c2).first;
                for (const MChar& ch : m.Chars(row))
                    lead = lead || (ch.len == 1 && ch.byte == first - 1 && Lead(row[static_cast<std::size_t>(ch.byte)]));
            }
            res = EnterOverSelection(before, Where(), lead);
            break;
        }
        default: {
            std::vector<MRow> rs = m.rows;
            std::vector<int> cuts;
            for (int q = r1; q <= rr && q < m.N(); ++q) {
                std::string& text = rs[static_cast<std::size_t>(q)].text;
                auto [x, y] = m.Slice(text, c1, c2);
                text.erase(static_cast<std::size_t>(x), static_cast<std::size_t>(y - x));
                cuts.push_back(x);
            }
            res = {s.empty() ? m.BoxReplace(r1, rr, c1, c2, "") : m.BlockPaste(rs, r1, c1, cuts, s), "box paste over box"};
            View().BoxPaste(s);
            break;
        }
        }
        View().SetBoxSelection(false);
        return res;
    }

    // Lines.Put, Insert, Add and Delete with texts that break lines every way.
    TResult LinesOperation()
    {
        TEditorStrings& lines = View().Lines();
        const std::vector<std::size_t> starts = LineStarts(m.text);
        const int count = static_cast<int>(starts.size());
        EXPECT_EQ(lines.Count(), count) << Where();
        const std::string s = Insertion(rnd);
        const std::string ns = Normalised(s);
        auto lineEnd = [&](int i) { // one past the line's break, if it has one
            return i + 1 < count ? starts[static_cast<std::size_t>(i + 1)] : m.text.size();
        };
        auto hasBreak = [&](int i) { return lineEnd(i) >= 2 && m.text.compare(lineEnd(i) - 2, 2, "\r\n") == 0; };
        const int kind = rnd.Below(4);
        if (kind == 0 && count > 0) {
            const int i = rnd.Below(count);
            const std::size_t at = starts[static_cast<std::size_t>(i)];
            TResult res{m.text.substr(0, at) + ns + (hasBreak(i) ? "\r\n" : "") + m.text.substr(lineEnd(i)), "Lines.Put"};
            res.caret = static_cast<std::int64_t>(at + ns.size());
            lines.Put(i, s);
            return res;
        }
        if (kind == 1 && count > 0) {
            const int i = rnd.Below(count);
            const std::size_t at = starts[static_cast<std::size_t>(i)];
            TResult res{m.text.substr(0, at) + ns + "\r\n" + m.text.substr(at), "Lines.Insert"};
            res.caret = static_cast<std::int64_t>(at + ns.size() + 2);
            lines.Insert(i, s);
            return res;
        }
        if (kind == 2 && count > 0) {
            const int i = rnd.Below(count);
            const std::size_t at = starts[static_cast<std::size_t>(i)];
            TResult res{m.text.substr(0, at) + m.text.substr(lineEnd(i)), "Lines.Delete"};
            res.caret = static_cast<std::int64_t>(at);
            lines.Delete(i);
            return res;
        }
        const bool ends = m.text.size() >= 2 && m.text.compare(m.text.size() - 2, 2, "\r\n") == 0;
        TResult res{m.text.empty() || ends ? m.text + ns + "\r\n" : m.text + "\r\n" + ns, "Lines.Add"};
        res.caret = static_cast<std::int64_t>(res.expect.size());
        EXPECT_EQ(lines.Add(s), count) << Where();
        return res;
    }

    // A new tab width, set on either view: the owner's is the rows'. Wrapped rows are rebuilt
    // (and the history goes); otherwise the cells move under both carets.
    TResult ChangeTabWidth()
    {
        static const int widths[] = {1, 2, 3, 4, 5, 8, 9, 16};
        View().Caret().SetTabSpaceCount(widths[rnd.Below(8)]);
        m.TS = a.Caret().TabSpaceCount();
        return {m.text, "tab width " + std::to_string(m.TS)};
    }

    unsigned FSeed;
    Rng rnd;
    TFakeHost FHost;
    TEditor a{&FHost};
    TEditor b{&FHost}; // one host: one clipboard for both views
    TEditor* FView = &a;
    Model m;
    std::string FOriginal;
    std::string FClip;
    std::string FSelText;
    bool FClipBox = false, FHaveClip = false;
    int FStep = 0;
};

// A deeper run: VARNET_PROPERTY_SEEDS=2000 in the environment.
unsigned PropertySeeds()
{
    const char* v = std::getenv("VARNET_PROPERTY_SEEDS");
    const long n = v ? std::strtol(v, nullptr, 10) : 0;
    return n > 0 ? static_cast<unsigned>(n) : 200u;
}

TEST(EditingProperty, RandomSequencesEditTheTextAsAPlainStringWould)
{
    const unsigned seeds = PropertySeeds();
    for (unsigned seed = 1; seed <= seeds; ++seed) {
        TSession session(seed);
        session.Run(160);
        if (::testing::Test::HasFatalFailure())
            return;
    }
}

} // namespace
