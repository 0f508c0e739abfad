// The colouring wired into the editor: the row store's hook keeps row states right through
// edits, undo, redo and re-wrapping; fountain, View and reserved-word changes recompute them;
// a shared fountain reaches every editor that uses it.
#include <gtest/gtest.h>

#include <random>

#include "TestRows.h"
#include "colouring/EditorColouring.h"
#include "testing/FakeHost.h"
#include "colouring/FountainErrors.h"
#include "platform/Sjis.h"

namespace {

// Keeps the last change record the row store reports (it is cleared afterwards).
class TRecordingEditor : public TEditor {
public:
    void RowsChanged(const TLastChange& change, bool all) override
    {
        Last = change;
        TEditor::RowsChanged(change, all);
    }
    TLastChange Last;
};

std::vector<TRowParseState> Stored(TEditor& e)
{
    return colourtest::Stored(TParseRowsOf<TEditorScreenStrings>(e.ListRows()));
}

std::vector<TRowParseState> FromScratch(TEditorColouring& c)
{
    const TParseRowsOf<TEditorScreenStrings> rows(c.Editor().ListRows());
    return colourtest::FromScratch(rows, *c.CreateParser());
}

void FillLazily(TEditorColouring& c)
{
    colourtest::FillLazily(TParseRowsOf<TEditorScreenStrings>(c.Editor().ListRows()),
                           [&](int r) { c.UpdateRowStates(r, false); });
}

TRowParseState Open(int bracket) { return TRowParseState{bracket, 0, 0, 0, 0}; }

} // namespace

TEST(EditorColouring, HookKeepsStatesThroughEditsUndoAndRedo)
{
    TRecordingEditor editor;
    TEditorColouring colouring(editor);
    EXPECT_EQ(editor.RowStateHook(), &colouring);
    colouring.View().Brackets().AddPair("(*", "*)");
    editor.Lines().SetTextStr("a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(Stored(editor), std::vector<TRowParseState>(4, Open(-1)));

    editor.ListRows().ReplaceRows(1, 1, "(* b\r\n");
    EXPECT_EQ(Stored(editor), (std::vector<TRowParseState>{Open(-1), Open(-1), Open(0), Open(0)}));
    EXPECT_EQ(editor.Last.ParsedCount, 3) << "the edited row and the two whose state changed";
    editor.Undo();
    EXPECT_EQ(Stored(editor), std::vector<TRowParseState>(4, Open(-1)));
    editor.Redo();
    EXPECT_EQ(Stored(editor), FromScratch(colouring));
    EXPECT_EQ(Stored(editor)[3], Open(0));

    TEditor other;
    {
        TEditorColouring gone(other);
    }
    EXPECT_EQ(other.RowStateHook(), nullptr) << "a colouring takes its hook along";
}

TEST(EditorColouring, RewrappingRecomputesCarries)
{
    TEditor editor;
    TEditorColouring colouring(editor);
    editor.Lines().SetTextStr(std::string(30, 'a') + " end\r\n");
    editor.WrapOption().SetWrapByte(20);
    editor.SetWordWrap(true);
    ASSERT_EQ(editor.RowCount(), 2);
    EXPECT_EQ(editor.ListRows().ParseState(1), (TRowParseState{-1, 0, 10, tokWord, 0}));
    editor.SetWordWrap(false);
    EXPECT_EQ(Stored(editor), std::vector<TRowParseState>(1, Open(-1)));
}

TEST(EditorColouring, ViewAndReservedWordChangesRecomputeOnce)
{
    TEditor editor;
    TEditorColouring colouring(editor);
    int repaints = 0;
    colouring.OnRepaint = [&] { ++repaints; };
    editor.Lines().SetTextStr("x (* y\r\nz\r\n");
    colouring.View().Brackets().AddPair("(*", "*)");
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(editor.ListRows().ParseState(1), Open(0));

    TReserveWordList words;
    words.SetWords({"z", "y"});
    colouring.SetReserveWordList(words);
    EXPECT_EQ(repaints, 2);
    EXPECT_EQ(colouring.ReserveWordList().Words(), (std::vector<std::string>{"y", "z"}));
    colouring.SetReserveWordList(words);
    EXPECT_EQ(repaints, 2) << "the same words change nothing";

    TEditorViewInfo other;
    other.SetCommenter("//");
    other.SetUrl(true);
    other.SetQuotation("'");
    colouring.SetView(other);
    EXPECT_EQ(repaints, 3) << "assigning a whole View is one change";
    EXPECT_EQ(colouring.View().Commenter(), "//");
    EXPECT_EQ(colouring.View().Brackets().Count(), 0);
    EXPECT_EQ(editor.ListRows().ParseState(1), Open(-1));
}

TEST(EditorColouring, SharedFountainReachesEveryEditor)
{
    TEditor first, second;
    TEditorColouring a(first), b(second);
    int repaintsA = 0, repaintsB = 0;
    a.OnRepaint = [&] { ++repaintsA; };
    b.OnRepaint = [&] { ++repaintsB; };
    first.Lines().SetTextStr("<a\r\nb>\r\n");
    second.Lines().SetTextStr("<c\r\nd\r\n");

    auto shared = std::make_unique<TEditorFountain>();
    a.SetFountain(shared.get());
    b.SetFountain(shared.get());
    EXPECT_EQ(&a.ActiveFountain(), shared.get());
    shared->Brackets().AddPair("<", ">");
    EXPECT_EQ(repaintsA, 2);
    EXPECT_EQ(repaintsB, 2);
    EXPECT_EQ(first.ListRows().ParseState(1), Open(0));
    EXPECT_EQ(second.ListRows().ParseState(1), Open(0));
    // The View's own fountain is not used meanwhile.
    a.View().Brackets().AddPair("b", "z");
    EXPECT_EQ(first.ListRows().ParseState(1), Open(0));

    b.SetFountain(nullptr);
    shared->SetCommenter("#");
    EXPECT_EQ(repaintsA, 4);
    EXPECT_EQ(repaintsB, 3) << "released fountains no longer call";
    EXPECT_EQ(second.ListRows().ParseState(1), Open(-1));

    // A fountain that goes away is dropped, and the View's fountain takes over.
    shared.reset();
    EXPECT_EQ(a.Fountain(), nullptr);
    EXPECT_EQ(repaintsA, 5);
    EXPECT_EQ(first.ListRows().ParseState(1), Open(-1));
}

TEST(EditorColouring, FountainWithoutTokenizerIsRefused)
{
    TEditor editor;
    TEditorColouring colouring(editor);
    TEditorFountain good;
    colouring.SetFountain(&good);
    TFountain base;
    EXPECT_THROW(colouring.SetFountain(&base), EAbstractError);
    EXPECT_EQ(colouring.Fountain(), &good);
}

TEST(EditorColouring, LoadingDefersRecomputation)
{
    TEditor editor;
    TEditorColouring colouring(editor);
    int repaints = 0;
    colouring.OnRepaint = [&] { ++repaints; };
    editor.Lines().SetTextStr("(*\r\nx\r\n");
    colouring.SetLoading(true);
    colouring.View().Brackets().AddPair("(*", "*)");
    EXPECT_EQ(editor.ListRows().ParseState(1), Open(-1)) << "not yet";
    colouring.SetLoading(false);
    EXPECT_EQ(editor.ListRows().ParseState(1), Open(0));
}

TEST(EditorColouring, OneCharacterEditParsesAFewRows)
{
    for (bool wrap : {false, true}) {
        TEditor editor;
        TEditorColouring colouring(editor);
        colouring.SetInitBracketsFull(true);
        colouring.View().Brackets().AddPair("<", ">");
        colouring.View().SetQuotation("\"");
        std::string text;
        for (int i = 0; i < 2000; ++i) {
            text += "<p class=\"x\">line " + std::to_string(i) + " of text</p>\r\n";
        }
        editor.Lines().SetTextStr(text);
        if (wrap) {
            editor.WrapOption().SetWrapByte(20);
            editor.SetWordWrap(true);
        }
        const int row = editor.RowCount() / 2;
        const std::string old(editor.RowText(row));
        const auto before = colouring.Cache().ParsedRows();
        editor.ListRows().ReplaceRows(row, 1, "y" + old + (editor.RowEnd(row) == reBreak ? "\r\n" : ""));
        // Wrapped, the end state of the row two above may read the edited row too.
        EXPECT_LE(colouring.Cache().ParsedRows() - before, wrap ? 4 : 3) << (wrap ? "wrapped" : "unwrapped");
        EXPECT_EQ(Stored(editor), FromScratch(colouring));
    }
}

// Random texts, wrap widths and edits: the states kept up to date edit by edit equal the
// states computed from scratch.
TEST(EditorColouring, IncrementalStatesEqualStatesFromScratch)
{
    const std::vector<std::string> pieces = {
        "ab", "word", "if", "12.5", "(*", "*)", "<", ">", "\"", "'", "//", "http://a.b/c",
        "x@y.z", "#13", "$FF", "ひらがな"_sj.data(), "漢字"_sj.data(), "カナー"_sj.data(),
        "ｱｲ"_sj.data(), "\t", " ", "  ", "\r\n", "\r\n", "\n"};
    std::mt19937 rng(23);
    auto randomText = [&](int pieceCount) {
        std::string s;
        for (int i = 0; i < pieceCount; ++i) {
            s += pieces[rng() % pieces.size()];
        }
        return s;
    };
    for (int round = 0; round < 40; ++round) {
        TEditor editor;
        TEditorColouring colouring(editor);
        colouring.SetScreenHeight(static_cast<int>(rng() % 2) ? 1080 : 64); // look-ahead 134 or 8
        TEditorViewInfo& view = colouring.View();
        view.Brackets().AddPair("(*", "*)");
        view.Brackets().AddPair("<", ">");
        view.SetCommenter("//");
        view.SetQuotation(rng() % 2 ? "\"" : "'");
        view.SetUrl(true);
        view.SetMail(true);
        view.SetControlCode(true);
        view.SetHexPrefix("$");
        TReserveWordList words;
        words.SetWords({"if", "word"});
        colouring.SetReserveWordList(words);
        editor.Lines().SetTextStr(randomText(40 + static_cast<int>(rng() % 200)));
        if (rng() % 3) {
            editor.WrapOption().SetWrapByte(20 + static_cast<int>(rng() % 20));
            editor.SetWordWrap(true);
        }
        for (int step = 0; step < 30; ++step) {
            const int rows = editor.RowCount();
            const int kind = static_cast<int>(rng() % 10);
            if (kind == 0) {
                editor.Undo();
            } else if (kind == 1) {
                editor.Redo();
            } else {
                auto below = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
                const int start = below(rows + 1);
                const int count = start >= rows ? 0 : below(std::min(3, rows - start) + 1);
                std::string text = randomText(static_cast<int>(rng() % 6));
                if (count > 0 && editor.RowEnd(start + count - 1) == reBreak && rng() % 2) {
                    text += "\r\n";
                }
                editor.ListRows().ReplaceRows(start, count, text);
            }
            FillLazily(colouring);
            ASSERT_EQ(Stored(editor), FromScratch(colouring)) << "round " << round << " step " << step;
        }
    }
}

// With a host, the look-ahead comes from the display's height and the editor's row height,
// and Speed.InitBracketsFull decides whether every row is computed.
TEST(EditorColouring, LookAheadFollowsTheHostAndSpeed)
{
    TFakeHost host;
    host.Screen = 130;
    TEditor editor(&host);
    TEditorColouring colouring(editor);
    std::string text;
    for (int i = 0; i < 500; ++i) {
        text += "row\r\n";
    }
    editor.Lines().SetTextStr(text);
    const int rowHeight = editor.Metrics().RowHeight;
    ASSERT_GT(rowHeight, 1);
    const int ahead = 2 * (130 / rowHeight);
    auto computed = [&] {
        int n = 0;
        for (int r = 0; r < editor.RowCount(); ++r) {
            n += editor.ListRows().OpenBracket(r) != -2;
        }
        return n;
    };
    EXPECT_EQ(computed(), ahead + 1);
    editor.Speed().SetInitBracketsFull(true);
    colouring.InitRowStates();
    EXPECT_EQ(computed(), 500);
    EXPECT_TRUE(colouring.InitBracketsFull());
}
