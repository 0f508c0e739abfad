#include "testing/RecordingCanvas.h"

#include <algorithm>

namespace {

int FloorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

TRecordingCanvas::TRecordingCanvas(TSize client, const TCellGrid& grid, TFontMetrics metrics)
    : FClient(client), FMetrics(metrics)
{
    SetGrid(grid);
}

void TRecordingCanvas::SetGrid(const TCellGrid& grid)
{
    FGrid = grid;
    FGrid.ColWidth = std::max(FGrid.ColWidth, 1);
    FGrid.RowHeight = std::max(FGrid.RowHeight, 1);
    FClip = {0, 0, FClient.Width, FClient.Height};
    FMinCol = ColOf(0);
    FCols = ColOf(FClient.Width - 1) - FMinCol + 1;
    FRows = std::max(0, RowOf(FClient.Height - 1) + 1);
    ClearCells();
}

void TRecordingCanvas::ClearRecord()
{
    Texts.clear();
    Lines.clear();
    Fills.clear();
    Frames.clear();
    Blits.clear();
}

void TRecordingCanvas::ClearCells()
{
    FCells.assign(static_cast<std::size_t>(std::max(FCols, 0) * FRows), TCell{});
}

int TRecordingCanvas::ColOf(int x) const
{
    return FloorDiv(x - FGrid.Left, FGrid.ColWidth);
}

int TRecordingCanvas::RowOf(int y) const
{
    return FloorDiv(y - FGrid.Top, FGrid.RowHeight);
}

TRecordingCanvas::TCell* TRecordingCanvas::CellAt(int row, int col)
{
    int c = col - FMinCol;
    if (row < 0 || row >= FRows || c < 0 || c >= FCols)
        return nullptr;
    return &FCells[static_cast<std::size_t>(row * FCols + c)];
}

const TRecordingCanvas::TCell* TRecordingCanvas::Cell(int row, int col) const
{
    return const_cast<TRecordingCanvas*>(this)->CellAt(row, col);
}

void TRecordingCanvas::FillRect(const TRect& r, TColor color)
{
    TRect x = r.Intersect(FClip);
    Fills.push_back({x, color});
    if (x.Empty())
        return;
    // A cell counts as covered when its left edge is (the text calls use the same rule) and
    // the middle of its height.
    for (int row = RowOf(x.Top) - 1; row <= RowOf(x.Bottom) + 1; ++row) {
        int cy = FGrid.Top + row * FGrid.RowHeight + FGrid.RowHeight / 2;
        if (cy < x.Top || cy >= x.Bottom)
            continue;
        for (int col = ColOf(x.Left) - 1; col <= ColOf(x.Right) + 1; ++col) {
            int cx = FGrid.Left + col * FGrid.ColWidth;
            if (cx < x.Left || cx >= x.Right)
                continue;
            if (TCell* cell = CellAt(row, col))
                *cell = {' ', clNone, color, 0};
        }
    }
}

void TRecordingCanvas::TextOut(int x, int y, const TRect& clip, std::string_view text, int advance, TColor color,
                               TColor back, bool opaque, TFontStyles style)
{
    TRect c = clip.Intersect(FClip);
    Texts.push_back({x, y, c, std::string(text), advance, color, back, opaque, style});
    if (opaque) {
        TRect saved = FClip;
        FillRect(c, back);
        FClip = saved;
        Fills.pop_back(); // part of this call, not a fill of its own
    }
    if (c.Empty())
        return;
    int row = RowOf(y);
    for (std::size_t i = 0; i < text.size(); ++i) {
        int cx = x + static_cast<int>(i) * advance;
        if (cx < c.Left || cx >= c.Right || y + FGrid.RowHeight / 2 < c.Top || y + FGrid.RowHeight / 2 >= c.Bottom)
            continue;
        if (TCell* cell = CellAt(row, ColOf(cx))) {
            cell->Byte = text[i];
            cell->Color = color;
            cell->Style = style;
            if (opaque)
                cell->Back = back;
        }
    }
}

void TRecordingCanvas::Line(TPoint a, TPoint b, const TPen& pen)
{
    Lines.push_back({{a, b}, pen, FClip});
}

void TRecordingCanvas::Polyline(const TPoint* points, int count, const TPen& pen)
{
    Lines.push_back({std::vector<TPoint>(points, points + count), pen, FClip});
}

void TRecordingCanvas::FrameRect(const TRect& r, const TPen& pen)
{
    Frames.push_back({r, pen});
}

void TRecordingCanvas::DrawBitmap(int x, int y, const TBitmap& bitmap, const TRect& src)
{
    Blits.push_back({x, y, src, &bitmap});
}

void TRecordingCanvas::ScrollCells(int dx, int dy, const TRect& area)
{
    const int dc = dx / FGrid.ColWidth, dr = dy / FGrid.RowHeight;
    auto inside = [&](int row, int col) {
        int cx = FGrid.Left + col * FGrid.ColWidth;
        int cy = FGrid.Top + row * FGrid.RowHeight + FGrid.RowHeight / 2;
        return area.Contains({cx, cy});
    };
    const std::vector<TCell> before = FCells;
    for (int row = 0; row < FRows; ++row)
        for (int col = FMinCol; col < FMinCol + FCols; ++col) {
            const int fromRow = row - dr, fromCol = col - dc;
            if (!inside(row, col) || !inside(fromRow, fromCol) || fromRow < 0 || fromRow >= FRows ||
                fromCol < FMinCol || fromCol >= FMinCol + FCols)
                continue;
            *CellAt(row, col) = before[static_cast<std::size_t>(fromRow * FCols + (fromCol - FMinCol))];
        }
}

std::string TRecordingCanvas::RowDump(int row, int first, int count,
                                      char (*pick)(const TCell&, const std::map<TColor, char>&),
                                      const std::map<TColor, char>& ids, char blank) const
{
    if (count < 0)
        count = FCols + FMinCol - first;
    std::string out;
    for (int col = first; col < first + count; ++col) {
        const TCell* cell = Cell(row, col);
        out += cell ? pick(*cell, ids) : blank;
    }
    while (!out.empty() && out.back() == blank)
        out.pop_back();
    return out;
}

namespace {

char PickByte(const TRecordingCanvas::TCell& c, const std::map<TColor, char>&)
{
    return c.Byte == 0 ? ' ' : c.Byte;
}

char PickId(TColor color, const std::map<TColor, char>& ids)
{
    auto it = ids.find(color);
    return it == ids.end() ? '?' : it->second;
}

char PickColor(const TRecordingCanvas::TCell& c, const std::map<TColor, char>& ids)
{
    return c.Byte == 0 || c.Byte == ' ' ? '.' : PickId(c.Color, ids);
}

char PickBack(const TRecordingCanvas::TCell& c, const std::map<TColor, char>& ids)
{
    return c.Byte == 0 ? '.' : PickId(c.Back, ids);
}

} // namespace

std::string TRecordingCanvas::RowText(int row, int first, int count) const
{
    return RowDump(row, first, count, PickByte, {}, ' ');
}

std::string TRecordingCanvas::RowColors(int row, const std::map<TColor, char>& ids, int first, int count) const
{
    return RowDump(row, first, count, PickColor, ids, '.');
}

std::string TRecordingCanvas::RowBacks(int row, const std::map<TColor, char>& ids, int first, int count) const
{
    return RowDump(row, first, count, PickBack, ids, '.');
}

std::string TRecordingCanvas::Screen(int rows, TPoint caret) const
{
    int caretRow = caret.X < 0 ? -1 : RowOf(caret.Y);
    int caretCol = caret.X < 0 ? 0 : ColOf(caret.X);
    std::string out;
    for (int row = 0; row < rows; ++row) {
        std::string text = RowText(row);
        if (row == caretRow && caretCol >= 0) {
            if (static_cast<int>(text.size()) < caretCol)
                text.resize(static_cast<std::size_t>(caretCol), ' ');
            text.insert(static_cast<std::size_t>(caretCol), 1, '|');
        }
        out += text;
        out += '\n';
    }
    return out;
}

std::vector<TRecordingCanvas::TLineRun> TRecordingCanvas::LinesIn(int y0, int y1) const
{
    std::vector<TLineRun> out;
    for (const TLineRun& l : Lines)
        for (const TPoint& p : l.Points)
            if (p.Y >= y0 && p.Y < y1) {
                out.push_back(l);
                break;
            }
    return out;
}
