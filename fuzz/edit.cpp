// Editing: the input is a script of operations applied to an editor (and now and then to a
// second view of the same rows). Operations whose result is plain to state on the text (typing,
// inserting, Enter, back space, delete, replacing or cutting a selection, pasting, the line
// operations, undo, redo, wrap and tab settings) are also applied to a plain string, and the
// editor's text must equal it after each one. The others (box selections and pastes, indents,
// overwrite, auto indent, free caret moves) are checked by what must hold after any edit:
// rows without line breaks, a caret on a character's first byte and never in a tab's fill,
// one undo step that restores the text before and a redo that restores it after. At the end
// undoing everything restores the starting text and redoing everything the final one.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "engine/EngineTestUtil.h"
#include "engine/Editor.h"
#include "testing/FakeHost.h"
#include "platform/Cp932.h"

namespace {

using enginetest::Boundaries;
using enginetest::Normalised;

bool Lead(char c) { return IsLeadByte(c); }

// Length of the character at offset o of a normalised text (CR LF counts as one).
std::size_t CharAt(const std::string& t, std::size_t o)
{
    if (t.compare(o, 2, "\r\n") == 0)
        return 2;
    return Lead(t[o]) && o + 1 < t.size() && t[o + 1] != '\r' ? 2 : 1;
}

// The lines as the line list sees them: split at CR LF, no line after a final line break.
struct TLine {
    std::size_t start, length;
};
std::vector<TLine> Lines(const std::string& t)
{
    std::vector<TLine> out;
    std::size_t start = 0;
    while (start < t.size()) {
        std::size_t end = t.find("\r\n", start);
        if (end == std::string::npos) {
            out.push_back({start, t.size() - start});
            break;
        }
        out.push_back({start, end - start});
        start = end + 2;
    }
    return out;
}

const char* const kPieces[] = {"a", "b", "x", " ", "\t", "\x8A\xBF", "\x81\x40", "\x83\x5C",
                               "\x81\x75", "\xB1", "0", "\x82\xA0"};
constexpr int kPieceCount = sizeof kPieces / sizeof kPieces[0];

// Text for inserting and pasting: pieces, line breaks of every kind, NUL, raw bytes.
std::string Insertion(fuzz::TInput& in)
{
    static const char* const breaks[] = {"\r\n", "\r", "\n"};
    std::string s;
    for (int n = in.Below(8); n > 0; --n) {
        int k = in.Below(kPieceCount + 5);
        if (k < kPieceCount)
            s += kPieces[k];
        else if (k < kPieceCount + 3)
            s += breaks[k - kPieceCount];
        else if (k == kPieceCount + 3)
            s += '\0';
        else
            s += static_cast<char>(in.Byte());
    }
    return s;
}

struct TView {
    TFakeHost host;
    TEditor e{&host};
};

class TScript {
public:
    explicit TScript(fuzz::TInput& in) : FIn(in) {}

    void Run()
    {
        TEditor& e = FFirst.e;
        e.SetFocused(true);
        e.SetUndoListMax(1 << 20);
        FTab = 2 << FIn.Below(3);
        e.Caret().SetTabSpaceCount(FTab);
        e.WrapOption().SetWrapByte(FIn.Between(20, 60));
        e.SetWordWrap(FIn.Bool());
        std::string start;
        for (int n = FIn.Below(40); n > 0; --n)
            start += FIn.Below(6) == 0 ? "\r\n" : kPieces[FIn.Below(kPieceCount)];
        e.Lines().SetTextStr(start);
        FText = Normalised(start);
        Check("start");
        FOriginal = FText;

        for (int step = 0; step < 200 && !FIn.Empty(); ++step) {
            FStep = step;
            if (FTrace)
                std::fprintf(stderr, "-> step %d\n", step);
            Step();
            if (FTrace) {
                const TEditor& a = Active();
                const TEditorSelection& sel = a.Selection();
                std::fprintf(stderr, "%d %s: %s\n   view %d caret %d,%d rows %d sel %d box %d %d.%d-%d.%d\n", step,
                             FWhat.c_str(), fuzz::Show(FText).c_str(), FActive, a.Row(), a.Col(), a.RowCount(),
                             a.SelectionState(), a.BoxSelection(), sel.StartRow, sel.StartByte, sel.EndRow, sel.LastByte);
            }
        }

        // Redo runs on over the steps already undone, up to the furthest text.
        const std::string final = FRedo.empty() ? FText : FRedo.front();
        while (e.CanUndo())
            e.Undo();
        FUZZ_CHECK(Text() == FOriginal, "undo of everything gives " + fuzz::Show(Text()) + "\n  started as " +
                                            fuzz::Show(FOriginal));
        while (e.CanRedo())
            e.Redo();
        FUZZ_CHECK(Text() == final, "redo of everything gives " + fuzz::Show(Text()) + "\n  ended as " +
                                        fuzz::Show(final));
    }

private:
    TEditor& Active() { return FActive == 0 || !FSecond ? FFirst.e : FSecond->e; }
    TView& ActiveView() { return FActive == 0 || !FSecond ? FFirst : *FSecond; }
    std::string Text() { return FFirst.e.Lines().GetTextStr(); }
    std::string Where() { return "step " + std::to_string(FStep) + " (" + FWhat + ")"; }

    // A caret at a character boundary of the text, placed by offset.
    std::size_t PlaceAtOffset()
    {
        TEditor& e = Active();
        e.SetBoxSelection(false);
        e.DropSelection();
        auto b = Boundaries(FText);
        std::size_t o = b[static_cast<std::size_t>(FIn.Below(int(b.size())))];
        e.SetCaretByOffset(0, std::int64_t(o));
        FUZZ_CHECK(e.CaretOffset() == std::int64_t(o),
                   Where() + ": caret placed at offset " + std::to_string(o) + " reports " +
                       std::to_string(e.CaretOffset()));
        return o;
    }

    // A caret anywhere a click or an arrow key can put it, the free area past a row's end too.
    void PlaceFreely()
    {
        TEditor& e = Active();
        int row = FIn.Below(e.MaxCaretRow() + 1);
        e.SetRowCol(row, FIn.Below(e.StrWidth(e.RowText(row)) + 6));
    }

    void SetOptions()
    {
        TEditor& e = Active();
        unsigned bits = FIn.Byte();
        e.Caret().SetAutoIndent(bits & 1);
        e.Caret().SetTabIndent(bits & 2);
        e.Caret().SetPrevSpaceIndent(bits & 4);
        e.Caret().SetBackSpaceUnIndent(bits & 8);
        e.Caret().SetFreeCaret(bits & 16);
        e.SetOverWrite(bits & 32);
    }

    void PlainOptions()
    {
        TEditor& e = Active();
        e.Caret().SetAutoIndent(false);
        e.Caret().SetBackSpaceUnIndent(false);
        e.SetOverWrite(false);
    }

    void Select(bool box)
    {
        TEditor& e = Active();
        e.DropSelection();
        e.SetBoxSelection(box);
        PlaceFreely();
        e.StartSelection();
        const int r = e.Row(), c = e.Col();
        PlaceFreely();
        e.ExtendSelection();
        if (FTrace)
            std::fprintf(stderr, "   select %s from %d,%d to %d,%d\n", box ? "box" : "lines", r, c, e.Row(), e.Col());
    }

    // An operation on a selection may delete it first, as an edit of its own.
    void NoteSelection() { FEdits = Active().Selected() ? 2 : 1; }

    void Step()
    {
        TEditor& e = Active();
        FEdits = 1;
        const std::string before = FText;
        std::string expect = FText;
        bool modelled = true;
        const int op = FIn.Below(24);
        switch (op) {
        case 0:
        case 1: { // typing a character
            PlainOptions();
            const std::string ch = kPieces[FIn.Below(kPieceCount)];
            const std::size_t o = PlaceAtOffset();
            expect.insert(o, ch);
            e.TypeText(ch);
            FWhat = "type " + fuzz::Show(ch);
            break;
        }
        case 2: { // inserting text at the caret
            PlainOptions();
            const std::string s = Insertion(FIn);
            const std::size_t o = PlaceAtOffset();
            expect.insert(o, Normalised(s));
            e.InsertText(s);
            FWhat = "insert " + fuzz::Show(s);
            break;
        }
        case 3: { // Enter
            PlainOptions();
            const std::size_t o = PlaceAtOffset();
            expect.insert(o, "\r\n");
            e.Newline();
            FWhat = "enter";
            break;
        }
        case 4: { // back space
            PlainOptions();
            const std::size_t o = PlaceAtOffset();
            if (o > 0) {
                auto b = Boundaries(FText);
                std::size_t prev = *(std::lower_bound(b.begin(), b.end(), o) - 1);
                expect.erase(prev, o - prev);
            }
            e.BackSpace();
            FWhat = "back space";
            break;
        }
        case 5: { // delete
            PlainOptions();
            const std::size_t o = PlaceAtOffset();
            if (o < FText.size())
                expect.erase(o, CharAt(FText, o));
            e.DeleteChar();
            FWhat = "delete";
            break;
        }
        case 6:
        case 7: { // a selection by offsets, then replace, clear, cut or copy it
            PlainOptions();
            e.SetBoxSelection(false);
            e.DropSelection();
            auto b = Boundaries(FText);
            std::size_t a = b[static_cast<std::size_t>(FIn.Below(int(b.size())))];
            std::size_t z = b[static_cast<std::size_t>(FIn.Below(int(b.size())))];
            if (z < a)
                std::swap(a, z);
            e.SetSelStart(std::int64_t(a));
            e.SetSelLength(std::int64_t(z - a));
            FUZZ_CHECK(e.SelText() == FText.substr(a, z - a),
                       Where() + ": selection " + std::to_string(a) + ".." + std::to_string(z) + " reads " +
                           fuzz::Show(e.SelText()));
            const std::string cut = FText.substr(0, a) + FText.substr(z);
            switch (FIn.Below(4)) {
            case 0: {
                const std::string s = Insertion(FIn);
                expect = FText.substr(0, a) + Normalised(s) + FText.substr(z);
                e.InsertText(s);
                FWhat = "replace selection with " + fuzz::Show(s);
                break;
            }
            case 1:
                expect = cut;
                e.ClearSelection();
                FWhat = "clear selection";
                break;
            case 2:
                expect = cut;
                e.CutToClipboard();
                if (z > a)
                    FUZZ_CHECK(ActiveView().host.Clip.GetText() == FText.substr(a, z - a),
                               Where() + ": cut put " + fuzz::Show(ActiveView().host.Clip.GetText()));
                FWhat = "cut selection";
                break;
            default:
                e.CopyToClipboard();
                FWhat = "copy selection";
                break;
            }
            break;
        }
        case 8: { // paste at the caret
            PlainOptions();
            const std::size_t o = PlaceAtOffset();
            const TFakeClipboard& clip = ActiveView().host.Clip;
            if (clip.HasText() && !clip.HasBoxFormat())
                expect.insert(o, Normalised(clip.GetText()));
            else
                modelled = false;
            e.PasteFromClipboard();
            FWhat = "paste";
            break;
        }
        case 9: { // the line list
            TEditorStrings& lines = e.Lines();
            const auto ls = Lines(FText);
            const int n = int(ls.size());
            FUZZ_CHECK(lines.Count() == n, Where() + ": " + std::to_string(lines.Count()) + " lines, expected " +
                                               std::to_string(n));
            const int i = FIn.Below(n + 1);
            if (i < n)
                FUZZ_CHECK(lines.Get(i) == FText.substr(ls[i].start, ls[i].length),
                           Where() + ": line " + std::to_string(i) + " reads " + fuzz::Show(lines.Get(i)));
            std::string s = Insertion(FIn);
            switch (FIn.Below(4)) {
            case 0:
                if (i < n)
                    expect = FText.substr(0, ls[i].start) + Normalised(s) + FText.substr(ls[i].start + ls[i].length);
                lines.Put(i, s);
                FWhat = "Lines.Put " + std::to_string(i) + " " + fuzz::Show(s);
                break;
            case 1:
                if (i < n)
                    expect = FText.substr(0, ls[i].start) + Normalised(s) + "\r\n" + FText.substr(ls[i].start);
                else if (FText.empty() || FText.ends_with("\r\n"))
                    expect = FText + Normalised(s) + "\r\n";
                else
                    expect = FText + "\r\n" + Normalised(s);
                lines.Insert(i, s);
                FWhat = "Lines.Insert " + std::to_string(i) + " " + fuzz::Show(s);
                break;
            case 2:
                if (FText.empty() || FText.ends_with("\r\n"))
                    expect = FText + Normalised(s) + "\r\n";
                else
                    expect = FText + "\r\n" + Normalised(s);
                lines.Add(s);
                FWhat = "Lines.Add " + fuzz::Show(s);
                break;
            default:
                if (i < n) {
                    std::size_t end = ls[i].start + ls[i].length;
                    if (FText.compare(end, 2, "\r\n") == 0)
                        end += 2;
                    expect = FText.substr(0, ls[i].start) + FText.substr(end);
                }
                lines.Delete(i);
                FWhat = "Lines.Delete " + std::to_string(i);
                break;
            }
            break;
        }
        case 10: // undo: the text before the last edit comes back
            FWhat = "undo";
            FUZZ_CHECK(FUndo.empty() || e.CanUndo(), Where() + ": nothing to undo after an edit");
            if (!FUndo.empty()) {
                e.Undo();
                if (Text() != FText) { // an entry that changed nothing leaves the text alone
                    FUZZ_CHECK(Text() == FUndo.back(), Where() + ": undo gives " + fuzz::Show(Text()) +
                                                           "\n  expected " + fuzz::Show(FUndo.back()));
                    FRedo.push_back(FText);
                    FText = FUndo.back();
                    FUndo.pop_back();
                }
            }
            Check("undo");
            return;
        case 11: // redo
            FWhat = "redo";
            FUZZ_CHECK(FRedo.empty() || e.CanRedo(), Where() + ": nothing to redo after an undo");
            if (!FRedo.empty()) {
                e.Redo();
                if (Text() != FText) {
                    FUZZ_CHECK(Text() == FRedo.back(), Where() + ": redo gives " + fuzz::Show(Text()) +
                                                           "\n  expected " + fuzz::Show(FRedo.back()));
                    FUndo.push_back(FText);
                    FText = FRedo.back();
                    FRedo.pop_back();
                }
            }
            Check("redo");
            return;
        case 12: { // wrap, width and tab width: the text stays as it is
            const int k = FIn.Below(3);
            const bool wrapping = e.WordWrap();
            bool rebuilt = false;
            if (k == 0) {
                e.SetWordWrap(!wrapping);
                rebuilt = true;
            } else if (k == 1) {
                const int width = FIn.Between(20, 90);
                rebuilt = wrapping && width != e.WrapOption().WrapByte();
                e.WrapOption().SetWrapByte(width);
            } else {
                const int tab = 2 << FIn.Below(3);
                rebuilt = wrapping && tab != FTab;
                FTab = tab;
                FFirst.e.Caret().SetTabSpaceCount(FTab);
                if (FSecond)
                    FSecond->e.Caret().SetTabSpaceCount(FTab);
            }
            FWhat = "wrap setting";
            // Undo records name rows, so new rows start a new history; other changes keep it.
            if (rebuilt) {
                FUZZ_CHECK(!e.CanUndo() && !e.CanRedo(), Where() + ": history kept over new rows");
                FUndo.clear();
                FRedo.clear();
                FOriginal = FText;
            }
            break;
        }
        case 13: // the other view of the same rows
            if (!FSecond) {
                FSecond = std::make_unique<TView>();
                FSecond->e.Caret().SetTabSpaceCount(FTab);
                FSecond->e.AttachTo(FFirst.e);
            }
            // Commands come from the view that has the focus.
            Active().SetFocused(false);
            FActive = 1 - FActive;
            Active().SetFocused(true);
            FWhat = "switch view";
            break;
        // ---- checked by their undo, redo and the row and caret rules
        case 14:
        case 15: { // typing, Enter, back space or delete with any options, anywhere
            SetOptions();
            PlaceFreely();
            NoteSelection();
            switch (FIn.Below(4)) {
            case 0:
                e.TypeText(kPieces[FIn.Below(kPieceCount)]);
                FWhat = "free type";
                break;
            case 1:
                e.Newline(FIn.Bool());
                FWhat = "free enter";
                break;
            case 2:
                e.BackSpace();
                FWhat = "free back space";
                break;
            default:
                e.DeleteChar();
                FWhat = "free delete";
                break;
            }
            e.SetOverWrite(false);
            modelled = false;
            break;
        }
        case 16:
        case 17: { // a box or a normal selection by rows and columns, then an operation on it
            const bool box = FIn.Bool();
            Select(box);
            NoteSelection();
            switch (FIn.Below(7)) {
            case 0:
                e.InsertText(Insertion(FIn));
                break;
            case 1:
                e.ClearSelection();
                break;
            case 2:
                e.CutToClipboard();
                break;
            case 3:
                e.CopyToClipboard();
                break;
            case 4:
                e.BoxPaste(Insertion(FIn));
                break;
            case 5:
                e.PasteFromClipboard();
                break;
            default:
                e.TypeText(kPieces[FIn.Below(kPieceCount)]);
                break;
            }
            FWhat = box ? "box selection edit" : "selection edit";
            e.SetBoxSelection(false);
            modelled = false;
            break;
        }
        case 18:
        case 19: { // indenting the caret's line or the selected lines
            if (FIn.Bool())
                Select(false);
            else
                PlaceFreely();
            NoteSelection();
            switch (FIn.Below(4)) {
            case 0:
                e.IndentSpace();
                break;
            case 1:
                e.UnindentSpace();
                break;
            case 2:
                e.IndentTab();
                break;
            default:
                e.UnindentTab();
                break;
            }
            FWhat = "indent";
            modelled = false;
            break;
        }
        case 20: // box paste at a free caret
            SetOptions();
            e.SetOverWrite(false);
            PlaceFreely();
            NoteSelection();
            e.BoxPaste(Insertion(FIn));
            FWhat = "box paste";
            modelled = false;
            break;
        case 21: // paste of whatever the clipboard holds, box text too, at a free caret
            PlaceFreely();
            NoteSelection();
            e.PasteFromClipboard();
            FWhat = "free paste";
            modelled = false;
            break;
        case 22: // select all, then replace it
            e.DropSelection();
            e.SetBoxSelection(false);
            e.SelectAll();
            FUZZ_CHECK(e.SelText() == FText, Where() + ": select all reads " + fuzz::Show(e.SelText()));
            {
                const std::string s = Insertion(FIn);
                expect = Normalised(s);
                e.InsertText(s);
                FWhat = "replace all with " + fuzz::Show(s);
            }
            break;
        default: // the caret moves without editing
            PlaceFreely();
            FWhat = "move";
            Check("move");
            return;
        }

        const std::string after = Text();
        if (modelled)
            FUZZ_CHECK(after == expect, Where() + ": text " + fuzz::Show(after) + "\n  expected " + fuzz::Show(expect) +
                                            "\n  before   " + fuzz::Show(before));
        if (after != before) {
            // One edit, one undo step over exactly it (two when a selection went first).
            int steps = 0;
            while (steps < FEdits && Text() != before) {
                e.Undo();
                ++steps;
            }
            FUZZ_CHECK(Text() == before, Where() + ": its undo gives " + fuzz::Show(Text()) + "\n  before was " +
                                             fuzz::Show(before));
            for (int i = 0; i < steps; ++i)
                e.Redo();
            FUZZ_CHECK(Text() == after, Where() + ": its redo gives " + fuzz::Show(Text()) + "\n  after was " +
                                            fuzz::Show(after));
            // The model's history holds the text before the deletion as a step of its own.
            if (steps == 2) {
                e.Undo();
                FUndo.push_back(before);
                FUndo.push_back(Text());
                e.Redo();
            } else {
                FUndo.push_back(before);
            }
            FRedo.clear();
            FText = after;
        }
        // An edit that leaves the text as it was (a character overwritten by itself) is still
        // an edit: what was undone cannot be redone after it.
        if (!e.CanRedo())
            FRedo.clear();
        Check(FWhat);
    }

    void CheckCaret(TEditor& e, const std::string& which)
    {
        FUZZ_CHECK(e.Row() >= 0 && e.Row() <= e.MaxCaretRow() && e.Col() >= 0,
                   Where() + ": " + which + " caret at " + std::to_string(e.Row()) + "," + std::to_string(e.Col()));
        // Cells of the caret's row, as the grid lays them out: a tab fills to the next stop
        // (and no further than the wrap width), a double-byte character takes two cells.
        const std::string_view row = e.RowText(e.Row());
        const bool wrap = e.WordWrap();
        const int width = e.WrapOption().WrapByte();
        int cell = 0;
        for (std::size_t i = 0; i < row.size();) {
            const std::size_t len = CharLength(row, i);
            int w = int(len);
            if (row[i] == '\t') {
                w = FTab - cell % FTab;
                if (wrap)
                    w = std::min(w, width - cell % width);
            }
            FUZZ_CHECK(!(e.Col() > cell && e.Col() < cell + w),
                       Where() + ": " + which + " caret at column " + std::to_string(e.Col()) + " inside " +
                           fuzz::Show(row.substr(i, len)) + " at " + std::to_string(cell) + " of row " +
                           std::to_string(e.Row()) + " " + fuzz::Show(row));
            cell += w;
            i += len;
        }
    }

    void Check(const std::string& what)
    {
        FWhat = what;
        const TEditor& e = FFirst.e;
        FUZZ_CHECK(Text() == FText, Where() + ": text " + fuzz::Show(Text()) + "\n  expected " + fuzz::Show(FText));
        const int n = e.RowCount();
        for (int i = 0; i < n; ++i) {
            const std::string_view t = e.RowText(i);
            FUZZ_CHECK(t.find_first_of("\r\n") == std::string_view::npos,
                       Where() + ": row " + std::to_string(i) + " holds a line break: " + fuzz::Show(t));
            const TRowEnd end = e.ListRows().RowEnd(i);
            // The last row has no line break and is empty only after a row the wrap filled.
            FUZZ_CHECK(end == reBreak || (end == reWrapped && e.WordWrap() && i + 1 < n) ||
                           (end == reEof && i + 1 == n &&
                            (!t.empty() || (i > 0 && e.ListRows().RowEnd(i - 1) == reWrapped))),
                       Where() + ": row " + std::to_string(i) + " of " + std::to_string(n) + " ends as " +
                           std::to_string(int(end)));
        }
        FUZZ_CHECK(e.TextLength() == std::int64_t(FText.size()),
                   Where() + ": text length " + std::to_string(e.TextLength()) + " for " + std::to_string(FText.size()));
        CheckCaret(FFirst.e, "first view's");
        if (FSecond) {
            FUZZ_CHECK(FSecond->e.Lines().GetTextStr() == FText, Where() + ": the second view reads another text");
            CheckCaret(FSecond->e, "second view's");
        }
    }

    fuzz::TInput& FIn;
    TView FFirst;
    std::unique_ptr<TView> FSecond;
    int FActive = 0;
    int FTab = 8;
    std::string FText;
    std::string FOriginal; // the text since the history began
    std::vector<std::string> FUndo, FRedo;
    int FStep = -1;
    int FEdits = 1; // undo steps the current operation may take
    // VARNET_FUZZ_TRACE=1 prints every step, for reading a kept input.
    bool FTrace = std::getenv("VARNET_FUZZ_TRACE") != nullptr;
    std::string FWhat = "start";
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::TInput in(data, size);
    TScript(in).Run();
    return 0;
}
