// Random key presses, typed characters, input-method results, mouse selections and drops,
// with undo and redo, against a plain string edited the same way. The expected text of each
// step is worked out from the plain string and the offsets the editor reports before it.
#include <gtest/gtest.h>

#include <random>

#include "InputTestUtil.h"
#include "engine/Wrap.h"

using namespace enginetest;

namespace {

bool Lead(char c)
{
    auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Length of the character that ends at offset o of a well-formed text.
std::size_t CharBefore(const std::string& s, std::size_t o)
{
    if (o >= 2 && s.compare(o - 2, 2, "\r\n") == 0)
        return 2;
    std::size_t i = s.rfind("\r\n", o);
    i = i == std::string::npos || i + 2 > o ? 0 : i + 2;
    std::size_t last = 1;
    while (i < o) {
        last = Lead(s[i]) && i + 1 < s.size() ? 2 : 1;
        i += last;
    }
    return last;
}

std::size_t CharAt(const std::string& s, std::size_t o)
{
    if (s.compare(o, 2, "\r\n") == 0)
        return 2;
    return Lead(s[o]) && o + 1 < s.size() ? 2 : 1;
}

struct TRun {
    std::mt19937 rng;
    THostedEditor t;
    TEditor& e = t.e;
    std::string model;
    std::string log;
    int drops = 0;

    TRun(unsigned seed, const std::string& text) : rng(seed), t(text), model(Normalised(text)) {}

    int Pick(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }

    TPoint RandomPoint()
    {
        const int row = e.TopRow() + Pick(e.VisibleRows() + 1);
        return CellPoint(e, row, Pick(30), Pick(2) == 1);
    }

    // The text a typed piece makes: the selection replaced, or the piece put in at the caret.
    void ExpectInsert(const std::string& s)
    {
        const auto start = static_cast<std::size_t>(e.SelStart());
        model.replace(start, static_cast<std::size_t>(e.SelLength()), s);
    }

    bool InSelection(TPoint p)
    {
        int row, byte, first, last;
        return e.Selected() && !e.BoxSelection() && e.PosToRowByte(p, row, byte) &&
               e.SelectionSlice(row, first, last) && byte >= first && byte < last;
    }

    // Press, move and release: a selection, or a drop of the selection pressed in.
    void Gesture(TPoint from)
    {
        const bool drag = InSelection(from);
        const bool copy = Pick(2);
        const TShiftState ctrl = copy ? ssCtrl : 0;
        const TPoint to = RandomPoint();
        log += drag ? (copy ? "copy drop; " : "move drop; ") : "select; ";
        e.MouseDown(mbLeft, 0, from);
        if (drag)
            e.MouseMove(ssLeft | ctrl, {from.X + 100, from.Y});
        e.MouseMove(ssLeft | ctrl, to);
        if (e.DragState() == 2) {
            const auto s = static_cast<std::size_t>(e.SelStart());
            const auto n = static_cast<std::size_t>(e.SelLength());
            const auto d = static_cast<std::size_t>(e.CaretOffset());
            if (d < s || d > s + n) {
                ++drops;
                const std::string moved = model.substr(s, n);
                if (copy) {
                    model.insert(d, moved);
                } else {
                    model.erase(s, n);
                    model.insert(d > s ? d - n : d, moved);
                }
            }
        }
        e.MouseUp(mbLeft, ctrl, to);
    }

    void Step()
    {
        static const char* pieces[] = {"a", "b", " ", "\x8A\xBF", "\x82\xA0", "\xB1", "\t"};
        switch (Pick(12)) {
        case 0:
        case 1: { // a caret key, maybe with Shift and Ctrl
            static const int keys[] = {vkLeft, vkRight, vkUp, vkDown, vkHome, vkEnd, vkPrior, vkNext};
            const int key = keys[Pick(8)];
            const TShiftState shift = (Pick(2) ? ssShift : 0) | (Pick(4) == 0 ? ssCtrl : 0);
            log += "key " + std::to_string(key) + "/" + std::to_string(shift) + "; ";
            e.KeyDown(key, shift, Pick(3) == 0);
            e.KeyUp(key, shift);
            break;
        }
        case 2:
        case 3: { // a typed character, whole or byte by byte
            const std::string s = pieces[Pick(7)];
            log += "char; ";
            ExpectInsert(s);
            if (Pick(2))
                e.CharMessage(s);
            else
                for (char c : s)
                    e.CharMessage(std::string(1, c));
            break;
        }
        case 4: { // Enter
            log += "enter; ";
            ExpectInsert("\r\n");
            e.CharMessage("\r");
            break;
        }
        case 5: { // back space or delete
            const bool back = Pick(2);
            log += back ? "bs; " : "del; ";
            const auto start = static_cast<std::size_t>(e.SelStart());
            const auto len = static_cast<std::size_t>(e.SelLength());
            // A selection takes the key even when it is empty.
            if (e.Selected())
                model.erase(start, len);
            else if (back && start > 0)
                model.erase(start - CharBefore(model, start), CharBefore(model, start));
            else if (!back && start < model.size())
                model.erase(start, CharAt(model, start));
            if (back)
                e.CharMessage("\x08");
            else
                e.KeyDown(vkDelete, 0);
            break;
        }
        case 6: { // an input-method result, echoed or not
            std::string s;
            for (int i = Pick(4) + 1; i > 0; --i)
                s += pieces[Pick(6)];
            const bool echo = Pick(2);
            log += "ime; ";
            ExpectInsert(s);
            e.ImeResult(s, echo);
            if (echo)
                for (char c : s)
                    e.CharMessage(std::string(1, c));
            break;
        }
        case 7:
        case 8:
            Gesture(RandomPoint());
            break;
        case 9:
        case 10: { // press inside the selection, to drag it
            if (!e.Selected()) {
                e.SetSelStart(Pick(static_cast<int>(model.size()) + 1));
                e.SetSelLength(Pick(12) + 1);
            }
            const TEditorSelection& sel = e.Selection();
            const TPoint first = CellPoint(e, sel.StartRow, sel.StartCol);
            if (InSelection(first)) {
                Gesture(first);
                break;
            }
            for (int tries = 0; tries < 40; ++tries) {
                const TPoint from = RandomPoint();
                if (InSelection(from)) {
                    Gesture(from);
                    break;
                }
            }
            break;
        }
        case 11: { // undo and redo: the text comes back
            if (!e.CanUndo())
                break;
            log += "undo redo; ";
            e.Undo();
            e.Redo();
            break;
        }
        }
    }

    void Check()
    {
        ASSERT_EQ(t.Text(), model) << log;
        const std::string kinds = e.CellKinds(e.RowText(e.Row()));
        if (e.Col() < static_cast<int>(kinds.size())) {
            ASSERT_NE(kinds[static_cast<std::size_t>(e.Col())], cell::Trail) << log;
        }
        ASSERT_EQ(e.SkipChars(), 0) << log;
        ASSERT_EQ(e.DragState(), 0) << log;
    }
};

TEST(InputProperty, RandomGesturesMatchAPlainString)
{
    const std::string original = "The first line\r\n\t" + kKanji + kKanji + " second\r\n\r\nlast " + kKanjiSo + "x";
    int drops = 0;
    for (unsigned seed = 1; seed <= 120; ++seed) {
        TRun run(seed, original);
        TEditor& e = run.e;
        e.SetUndoListMax(10000);
        e.Caret().SetFreeCaret(false);
        e.Caret().SetAutoIndent(false);
        e.Caret().SetBackSpaceUnIndent(false);
        if (seed % 2 == 0) {
            e.WrapOption().SetWrapByte(20 + run.Pick(30));
            e.SetWordWrap(true);
        }
        for (int i = 0; i < 60; ++i) {
            run.Step();
            run.Check();
            if (::testing::Test::HasFatalFailure()) {
                ADD_FAILURE() << "seed " << seed << " step " << i;
                return;
            }
        }
        while (e.CanUndo())
            e.Undo();
        ASSERT_EQ(run.t.Text(), original) << "seed " << seed << ": " << run.log;
        drops += run.drops;
    }
    // The sequences do reach the drop code.
    EXPECT_GT(drops, 100);
}

} // namespace
