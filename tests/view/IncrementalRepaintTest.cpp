// Random edits, selections and scrolls, each followed by repainting only what the editor
// invalidated (with scrolled pixels moved as a window moves them): the screen must always equal
// a full repaint. This catches every place where the editor forgets to invalidate something.
#include <gtest/gtest.h>

#include <random>

#include "ScreenTestUtil.h"
#include "platform/Sjis.h"

namespace {

// A host that keeps a screen: invalidated areas are painted when the test flushes, scrolls
// move the screen's cells and the pending areas with them.
class TScreenHost : public TFakeHost {
public:
    TRecordingCanvas* Screen = nullptr;
    std::vector<TRect> Dirty;

    void Invalidate(const TRect& r) override
    {
        TFakeHost::Invalidate(r);
        if (!r.Empty())
            Dirty.push_back(r);
    }
    void ScrollRect(int dx, int dy, const TRect& scroll, const TRect& clip) override
    {
        TFakeHost::ScrollRect(dx, dy, scroll, clip);
        const TRect area = scroll.Intersect(clip);
        if (area.Empty())
            return;
        Screen->ScrollCells(dx, dy, area);
        const std::size_t n = Dirty.size();
        for (std::size_t i = 0; i < n; ++i) {
            TRect moved{Dirty[i].Left + dx, Dirty[i].Top + dy, Dirty[i].Right + dx, Dirty[i].Bottom + dy};
            if (Dirty[i].Intersects(area))
                Dirty.push_back(moved.Intersect(area));
        }
        // What the move uncovered.
        TRect uncovered = area;
        if (dy > 0)
            uncovered.Bottom = std::min(area.Bottom, area.Top + dy);
        else if (dy < 0)
            uncovered.Top = std::max(area.Top, area.Bottom + dy);
        if (dx > 0)
            uncovered.Right = std::min(area.Right, area.Left + dx);
        else if (dx < 0)
            uncovered.Left = std::max(area.Left, area.Right + dx);
        Dirty.push_back(uncovered);
    }
};

std::string Diff(const TRecordingCanvas& a, const TRecordingCanvas& b, int rows)
{
    for (int r = 0; r < rows; ++r)
        for (int c = a.FirstCol(); c < a.FirstCol() + a.Cols(); ++c) {
            const auto* x = a.Cell(r, c);
            const auto* y = b.Cell(r, c);
            if (!x || !y)
                continue;
            if (x->Byte != y->Byte || x->Color != y->Color || x->Back != y->Back || x->Style != y->Style)
                return "row " + std::to_string(r) + " col " + std::to_string(c) + "\nincremental:\n" +
                       a.Screen(rows) + "full:\n" + b.Screen(rows);
        }
    return {};
}

} // namespace

TEST(IncrementalRepaint, EqualsAFullRepaintAfterRandomOperations)
{
    for (unsigned seed = 1; seed <= 6; ++seed) {
        std::mt19937 rng(seed);
        TScreenHost host;
        host.Client = {420, 13 + 12 * 16 + 5};
        TVnEdit e(&host);
        e.SetMainEditorDefaults();
        e.Marks().EofMark().SetVisible(true);
        e.Leftbar().SetVisible(seed % 2 == 0);
        e.Leftbar().SetShowNumberMode(seed % 3 == 0 ? nmLine : nmRow);
        e.SetWordWrap(seed % 2 == 1);
        e.WrapOption().SetWrapByte(20);
        e.View().SetUrl(true);
        std::string text;
        for (int i = 0; i < 30; ++i)
            text += "line " + std::to_string(i) + (i % 4 == 0 ? " http://x.jp/" + std::to_string(i) : "") +
                    (i % 5 == 0 ? " " + std::string("日本語の行"_sj) : "") + "\r\n";
        e.Lines().SetTextStr(text);
        const TEditorMetrics& m = e.Metrics();
        const TCellGrid grid{m.TextLeft, m.TopOffset, m.ColWidth, m.RowHeight};
        TRecordingCanvas screen(host.Client, grid);
        host.Screen = &screen;
        const TRect all{0, 0, host.Client.Width, host.Client.Height};
        e.Paint(screen, all);
        host.Dirty.clear();
        const std::string inserts[] = {"a", "b", " ", "\t", std::string("日"_sj), "http://y.jp"};
        for (int step = 0; step < 300; ++step) {
            const int op = static_cast<int>(rng() % 12);
            const int row = static_cast<int>(rng() % static_cast<unsigned>(std::max(1, e.RowCount())));
            const int col = static_cast<int>(rng() % 25);
            switch (op) {
            case 0: case 1: case 2: e.TypeText(inserts[rng() % 6]); break;
            case 3: e.Newline(); break;
            case 4: e.BackSpace(); break;
            case 5: e.DeleteChar(); break;
            case 6: e.CleanSelection(); e.SetRowCol(row, col); break;
            case 7:
                if (e.SelectionState() == 0)
                    e.StartSelection();
                e.SetRowCol(row, col);
                e.ExtendSelection();
                break;
            case 8: e.VScroll(rng() % 2 ? TScrollCode::LineDown : TScrollCode::LineUp); break;
            case 9: e.VScroll(rng() % 2 ? TScrollCode::PageDown : TScrollCode::PageUp); break;
            case 10: e.HScroll(rng() % 3 ? TScrollCode::Top : TScrollCode::LineDown); break;
            case 11: e.Undo(); break;
            }
            // The view is only drawn on the grid when it starts at a whole column.
            const TCellGrid now{m.ColLeft(0), m.TopOffset, m.ColWidth, m.RowHeight};
            if (now.Left != screen.Grid().Left) {
                // A horizontal scroll moved the grid: start this screen over.
                screen.SetGrid(now);
                e.Paint(screen, all);
                host.Dirty.clear();
                continue;
            }
            for (const TRect& r : host.Dirty)
                e.Paint(screen, r);
            host.Dirty.clear();
            TRecordingCanvas full(host.Client, now);
            e.Paint(full, all);
            const std::string diff = Diff(screen, full, e.VisibleRows());
            ASSERT_EQ(diff, "") << "seed " << seed << " step " << step << " op " << op;
        }
    }
}
