#pragma once
// An application editor on a fake host, painted into a recording canvas whose cell grid is the
// text grid: cell column c is text column c, cell row r is screen row r.
#include <string>

#include "colouring/FountainColor.h"
#include "testing/FakeHost.h"
#include "testing/RecordingCanvas.h"
#include "view/VnEdit.h"

namespace viewtest {

struct TScreen {
    TFakeHost host;
    TVnEdit e{&host};

    explicit TScreen(const std::string& text = {}) { e.Lines().SetTextStr(text); }

    const TEditorMetrics& M() const { return e.Metrics(); }
    TCellGrid Grid() const { return {M().ColLeft(0), M().TopOffset, M().ColWidth, M().RowHeight}; }
    // A full repaint.
    TRecordingCanvas Paint()
    {
        TRecordingCanvas c(host.Client, Grid());
        e.Paint(c, {0, 0, host.Client.Width, host.Client.Height});
        return c;
    }
    void Select(int r1, int c1, int r2, int c2)
    {
        e.SetRowCol(r1, c1);
        e.StartSelection();
        e.SetRowCol(r2, c2);
        e.ExtendSelection();
    }
    void SetColor(TFountainColor& slot, TColor bk, TColor fg, TFontStyles style = 0)
    {
        slot.SetBkColor(bk);
        slot.SetColor(fg);
        slot.SetStyle(style);
    }
};

// Whether some recorded line has a point at (x, y), in `color` unless that is clNone.
inline bool HasLineAt(const TRecordingCanvas& c, int x, int y, TPenStyle style = TPenStyle::Solid,
                      TColor color = clNone)
{
    for (const auto& l : c.Lines)
        for (const TPoint& p : l.Points)
            if (p.X == x && p.Y == y && l.Pen.Style == style && (color == clNone || l.Pen.Color == color))
                return true;
    return false;
}

// Lines whose first point lies in the x band [x0, x1) and y band [y0, y1).
inline int LinesStartingIn(const TRecordingCanvas& c, int x0, int x1, int y0, int y1)
{
    int n = 0;
    for (const auto& l : c.Lines)
        if (!l.Points.empty() && l.Points[0].X >= x0 && l.Points[0].X < x1 && l.Points[0].Y >= y0 &&
            l.Points[0].Y < y1)
            ++n;
    return n;
}

} // namespace viewtest
