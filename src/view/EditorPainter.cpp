#include "view/EditorPainter.h"

#include <algorithm>

#include "colouring/FountainColor.h"
#include "colouring/FountainParser.h"
#include "platform/Cp932.h"
#include "view/ViewImages.h"

namespace {

constexpr TColor kEdgeLight = clWhite;
constexpr TColor kEdgeShadow = 0x808080;

int LowestBit(unsigned marks, int from, int to)
{
    for (int b = from; b <= to; ++b)
        if (marks & (1u << b))
            return b;
    return -1;
}

} // namespace

TEditorPainter::TEditorPainter(TEditor& editor, TEditorColouring& colouring)
    : FEditor(editor), FColouring(colouring)
{
}

TEditorPainter::~TEditorPainter() = default;

// ---- colours

TColor TEditorPainter::BackColor() const
{
    return FEditor.Color() == clNone ? clWindow : FEditor.Color();
}

TColor TEditorPainter::FontColor() const
{
    TColor c = FEditor.Font().Color();
    return c == clNone ? clWindowText : c;
}

TColor TEditorPainter::SelectColor() const
{
    TColor c = FColouring.View().Colors().Select().Color();
    return c == clNone ? BackColor() : c;
}

TColor TEditorPainter::SelectBkColor() const
{
    TColor c = FColouring.View().Colors().Select().BkColor();
    return c == clNone ? FontColor() : c;
}

bool TEditorPainter::ItalicMode() const
{
    return (FEditor.Font().Style() & fsItalic) != 0 || FColouring.ActiveFountain().HasItalic();
}

// ---- geometry

TRect TEditorPainter::SnapClip(const TRect& clip) const
{
    const TEditorMetrics& m = FEditor.Metrics();
    TRect r = clip;
    if (r.Left > m.TextLeft)
        r.Left = m.TextLeft + (r.Left - m.TextLeft) / m.ColWidth * m.ColWidth;
    if (r.Top > m.TopOffset)
        r.Top = m.TopOffset + (r.Top - m.TopOffset) / m.RowHeight * m.RowHeight;
    if (r.Bottom > m.TopOffset)
        r.Bottom = m.TopOffset + (r.Bottom - m.TopOffset + m.RowHeight - 1) / m.RowHeight * m.RowHeight;
    return r;
}

std::string TEditorPainter::PaintText(int row, bool& cut) const
{
    std::string text = FEditor.ExpandTabs(FEditor.RowText(row));
    cut = false;
    if (text.size() > static_cast<std::size_t>(kMaxPaintCols)) {
        std::size_t keep = IsLeadByte(text[kMaxPaintCols - 1]) ? kMaxPaintCols + 1 : kMaxPaintCols;
        if (keep < text.size()) {
            text.resize(keep);
            cut = true;
        }
    }
    return text;
}

// ---- paint

void TEditorPainter::Paint(TCanvas& canvas, const TRect& clipIn)
{
    const TEditorMetrics& m = FEditor.Metrics();
    TRect client{0, 0, m.ClientWidth, m.ClientHeight};
    TRect clip = clipIn.Intersect(client);
    if (clip.Empty())
        return;
    // Whole cells: a glyph is never cut by the edge of the area being repainted.
    const TRect snapped = SnapClip(clip);
    clip = snapped.Intersect(client);
    canvas.SetClip(clip);
    canvas.SetFont(FEditor.Font().Desc());

    const int barsRight = m.ImagebarWidth + m.LeftbarWidth;
    if (clip.Intersects({0, 0, m.TextLeft, m.TopOffset}))
        PaintCorner(canvas);
    if (m.RulerHeight > 0 && clip.Intersects({m.TextLeft, 0, m.ClientWidth, m.RulerHeight}))
        PaintRuler(canvas, clip);
    TRect topMargin{m.TextLeft, m.RulerHeight, m.ClientWidth, m.TopOffset};
    if (clip.Intersects(topMargin))
        canvas.FillRect(topMargin, BackColor());

    if (snapped.Bottom <= m.TopOffset)
        return;
    const int first = m.TopRow + std::max(0, snapped.Top - m.TopOffset) / m.RowHeight;
    const int last = m.TopRow + (snapped.Bottom - m.TopOffset) / m.RowHeight - 1;
    if (clip.Left < barsRight) {
        if (m.ImagebarWidth > 0)
            PaintImagebar(canvas, first, last);
        if (m.LeftbarWidth > 0)
            PaintLeftbar(canvas, first, last);
    }
    if (clip.Right > barsRight) {
        FParserOwner = FColouring.CreateParser();
        FParser = FParserOwner.get();
        for (int row = first; row <= last; ++row)
            PaintRow(canvas, row);
        FParser = nullptr;
        FParserOwner.reset();
        const TEditorMark& u = FEditor.Marks().Underline();
        if (u.Visible() && FEditor.UnderlineHideCount() == 0)
            DrawUnderline(canvas, FEditor.Row());
    }
}

void TEditorPainter::PaintCorner(TCanvas& canvas)
{
    const TEditorMetrics& m = FEditor.Metrics();
    TEditor& e = FEditor;
    canvas.FillRect({0, 0, m.TextLeft, m.TopOffset}, BackColor());
    if (m.RulerHeight > 0) {
        canvas.FillRect({0, 0, m.TextLeft, m.RulerHeight}, e.Ruler().BkColor());
        int y = m.RulerHeight - 1;
        if (e.Ruler().Edge()) {
            canvas.FillRect({0, y - 1, m.TextLeft, y}, kEdgeLight);
            canvas.FillRect({0, y, m.TextLeft, y + 1}, kEdgeShadow);
        } else {
            canvas.FillRect({0, y, m.TextLeft, y + 1}, e.Ruler().Color());
        }
    }
    if (m.LeftbarWidth > 0) {
        int l = m.ImagebarWidth, r = m.ImagebarWidth + m.LeftbarWidth;
        canvas.FillRect({l, m.RulerHeight, r - 2, m.TopOffset}, MarkColor(e.Leftbar().BkColor(), BackColor()));
        bool edge = e.Leftbar().Edge();
        canvas.FillRect({r - 2, m.RulerHeight, r - 1, m.TopOffset}, edge ? kEdgeLight : e.Leftbar().BkColor());
        canvas.FillRect({r - 1, m.RulerHeight, r, m.TopOffset}, edge ? kEdgeShadow : e.Leftbar().Color());
    }
    if (m.ImagebarWidth > 0)
        canvas.FillRect({0, m.RulerHeight, m.ImagebarWidth, m.TopOffset},
                        MarkColor(e.Leftbar().BkColor(), BackColor()));
}

// ---- ruler

void TEditorPainter::BuildRuler()
{
    const TEditorMetrics& m = FEditor.Metrics();
    TEditorRuler& ruler = FEditor.Ruler();
    const int g = std::max(1, ruler.GaugeRange());
    TRulerKey key{m.ClientWidth - m.TextLeft, m.ColWidth, m.RulerHeight, m.TopCol / g * g, g,
                  ruler.BkColor(), ruler.Color(), ruler.MarkColor(), ruler.Edge()};
    if (key == FRulerKey)
        return;
    FRulerKey = key;
    const int c0 = key.TopCol, cw = m.ColWidth, h = m.RulerHeight;
    const int width = std::max(0, key.Width) + 2 * g * cw;
    auto build = [&](TBitmap& bmp, TColor bk, TColor fg) {
        bmp.Resize(width, h, bk);
        const int tickBottom = ruler.Edge() ? h - 2 : h - 1;
        for (int c = 0; c * cw < width; ++c) {
            int col = c0 + c;
            int from = col % g == 0 ? 0 : col % g == g / 2 ? 3 : 6;
            bmp.VLine(c * cw, from, tickBottom, fg);
        }
        int numbersEnd = -1; // right edge of the last number drawn; numbers never overlap
        for (int c = (g - c0 % g) % g; c * cw < width; c += g) {
            int col = c0 + c, x = c * cw;
            if (col == 0 || x + 2 <= numbersEnd)
                continue;
            int w = view_images::NumberWidth(col);
            // On a cell of their own, so no tick runs through a digit.
            bmp.FillRect({x + 1, 0, x + 2 + w, view_images::kDigitFontHeight}, bk);
            view_images::DrawNumber(bmp, x + 2, 0, col, fg);
            numbersEnd = x + 2 + w;
        }
        if (ruler.Edge()) {
            bmp.HLine(0, width, h - 2, kEdgeLight);
            bmp.HLine(0, width, h - 1, kEdgeShadow);
        } else {
            bmp.HLine(0, width, h - 1, fg);
        }
    };
    build(FRuler, ruler.BkColor(), ruler.Color());
    build(FMarkedRuler, ruler.MarkColor(), ruler.BkColor());
}

const TBitmap& TEditorPainter::RulerBitmap()
{
    BuildRuler();
    return FRuler;
}

const TBitmap& TEditorPainter::MarkedRulerBitmap()
{
    BuildRuler();
    return FMarkedRuler;
}

TRect TEditorPainter::RulerCell(int col) const
{
    const TEditorMetrics& m = FEditor.Metrics();
    int x = m.ColLeft(col);
    int h = m.RulerHeight - (FEditor.Ruler().Edge() ? 2 : 1);
    return {x + 1, 0, x + m.ColWidth, std::max(h, 0)};
}

void TEditorPainter::PaintRuler(TCanvas& canvas, const TRect&)
{
    const TEditorMetrics& m = FEditor.Metrics();
    BuildRuler();
    const int c0 = FRulerKey.TopCol;
    int sx = (m.TopCol - c0) * m.ColWidth;
    canvas.DrawBitmap(m.TextLeft, 0, FRuler, {sx, 0, sx + m.ClientWidth - m.TextLeft, m.RulerHeight});
    // The caret's column, from the inverted copy.
    int col = FEditor.Col();
    if (col >= m.TopCol && m.ColLeft(col) < m.ClientWidth) {
        TRect cell = RulerCell(col);
        int bx = (col - c0) * m.ColWidth + 1;
        canvas.DrawBitmap(cell.Left, 0, FMarkedRuler, {bx, 0, bx + cell.Width(), cell.Bottom});
    }
}

// ---- left bar and image bar

void TEditorPainter::PaintLeftbar(TCanvas& canvas, int first, int last)
{
    const TEditorMetrics& m = FEditor.Metrics();
    TEditorLeftbar& bar = FEditor.Leftbar();
    const int l = m.ImagebarWidth, r = l + m.LeftbarWidth;
    const TColor bk = MarkColor(bar.BkColor(), BackColor());
    const TColor fg = MarkColor(bar.Color(), FontColor());
    const int rows = FEditor.RowCount();
    const bool finalBreak = rows == 0 || FEditor.RowEnd(rows - 1) == reBreak;
    for (int row = first; row <= last; ++row) {
        int top = m.RowTop(row);
        TRect cell{l, top, r - 2, top + m.RowHeight};
        canvas.FillRect(cell, bk);
        bool edge = bar.Edge();
        canvas.FillRect({r - 2, top, r - 1, top + m.RowHeight}, edge ? kEdgeLight : bk);
        canvas.FillRect({r - 1, top, r, top + m.RowHeight}, edge ? kEdgeShadow : fg);
        if (!bar.ShowNumber())
            continue;
        long long number = -1;
        const bool pastEnd = row >= rows;
        if (pastEnd && !(row == rows && finalBreak))
            continue;
        if (bar.ShowNumberMode() == nmRow) {
            number = row;
        } else if (pastEnd) {
            number = rows == 0 ? 0 : FEditor.RowToLine(rows - 1) + 1;
        } else if (row == 0 || FEditor.RowEnd(row - 1) != reWrapped) {
            number = FEditor.RowToLine(row);
        }
        if (number < 0)
            continue;
        if (!bar.ZeroBase())
            ++number;
        std::string digits = std::to_string(number);
        const std::size_t width = static_cast<std::size_t>(m.LeftbarDigits);
        if (digits.size() < width)
            digits.insert(0, width - digits.size(), bar.ZeroLead() ? '0' : ' ');
        canvas.TextOut(l + bar.LeftMargin(), top, cell, digits, m.ColWidth, fg, bk, false,
                       FEditor.Font().Style());
    }
}

void TEditorPainter::PaintImagebar(TCanvas& canvas, int first, int last)
{
    const TEditorMetrics& m = FEditor.Metrics();
    TEditorImagebar& bar = FEditor.Imagebar();
    const TColor bk = MarkColor(FEditor.Leftbar().BkColor(), BackColor());
    for (int row = first; row <= last; ++row) {
        int top = m.RowTop(row);
        canvas.FillRect({0, top, m.ImagebarWidth, top + m.RowHeight}, bk);
        if (row >= FEditor.RowCount())
            continue;
        unsigned marks = FEditor.RowMarks(row);
        int b = LowestBit(marks, 0, 9);
        if (b >= 0) {
            const TBitmap& img = view_images::BookmarkImage(b);
            canvas.DrawBitmap(bar.LeftMargin(), top + 2, img, {0, 0, img.Width(), img.Height()});
        }
        b = LowestBit(marks, 10, 15);
        if (b >= 0) {
            const TBitmap& img = view_images::MarkImage(b - 10);
            canvas.DrawBitmap(bar.LeftMargin() + bar.DigitWidth(), top + 2, img, {0, 0, img.Width(), img.Height()});
        }
    }
}

// ---- text rows

void TEditorPainter::PaintRow(TCanvas& canvas, int row)
{
    const TEditorMetrics& m = FEditor.Metrics();
    const int top = m.RowTop(row), bottom = top + m.RowHeight;
    const int barsRight = m.ImagebarWidth + m.LeftbarWidth;
    if (m.TextLeft > barsRight)
        canvas.FillRect({barsRight, top, m.TextLeft, bottom}, BackColor());
    const TRect rect{m.TextLeft, top, m.ClientWidth, bottom};
    const int rows = FEditor.RowCount();
    if (row >= rows) {
        canvas.FillRect(rect, BackColor());
        if (row == rows && FEditor.Marks().EofMark().Visible() && (rows == 0 || FEditor.RowEnd(rows - 1) != reEof))
            DrawEofMark(canvas, m.ColLeft(0), top);
        return;
    }
    bool cut = false;
    std::string text = PaintText(row, cut);
    const int own = static_cast<int>(text.size());
    if (FEditor.WordWrap() && FEditor.RowEnd(row) == reWrapped && row < rows - 1) {
        bool nextCut = false;
        text += PaintText(row + 1, nextCut);
    }

    int c0 = 0, c1 = 0;
    bool endSelected = false;
    int firstByte = 0, lastByte = 0;
    if (FEditor.Selected() && FEditor.SelectionSlice(row, firstByte, lastByte)) {
        c0 = std::min(FEditor.CharToCol(row, firstByte), own);
        c1 = std::min(FEditor.CharToCol(row, lastByte), own);
        // A selected line break (or wrap) takes the mark's cell into the selection.
        if (!FEditor.BoxSelection() && row < FEditor.Selection().EndRow) {
            c1 = own + 1;
            endSelected = true;
        }
    }
    if (c1 > c0) {
        const int x0 = std::clamp(m.ColLeft(c0), rect.Left, rect.Right);
        const int x1 = std::clamp(m.ColLeft(c1), rect.Left, rect.Right);
        if (x0 > rect.Left)
            PaintPiece(canvas, row, text, own, {rect.Left, top, x0, bottom}, false);
        if (x1 > x0)
            PaintPiece(canvas, row, text, own, {x0, top, x1, bottom}, true);
        if (x1 < rect.Right)
            PaintPiece(canvas, row, text, own, {x1, top, rect.Right, bottom}, false);
    } else {
        PaintPiece(canvas, row, text, own, rect, false);
    }
    if ((own + 5) * m.ColWidth >= m.HorzOffset())
        PaintEndMark(canvas, row, own, cut, endSelected);
}

void TEditorPainter::PaintPiece(TCanvas& canvas, int row, const std::string& text, int own, const TRect& piece,
                                bool selected)
{
    const TEditorMetrics& m = FEditor.Metrics();
    const int cw = m.ColWidth, top = piece.Top;
    const int x = m.ColLeft(0);
    const TColor defBk = BackColor(), defFg = FontColor();
    const TFontStyles defStyle = FEditor.Font().Style();
    const TColor bk = selected ? SelectBkColor() : defBk;
    const TColor fg = selected ? SelectColor() : defFg;
    const bool italic = ItalicMode();
    const std::string_view ownText(text.data(), static_cast<std::size_t>(own));

    if (italic)
        canvas.FillRect(piece, bk);
    else
        canvas.TextOut(x, top, piece, ownText, cw, fg, bk, true, defStyle);

    if ((own + 5) * cw < m.HorzOffset())
        return;
    int clipRight = std::min(piece.Right, m.TextLeft + kMaxPaintCols * cw - m.HorzOffset());
    if (own > 0 && FParser) {
        TRowParseState state = FEditor.ListRows().ParseState(row);
        if (state.OpenBracket == -2) {
            FColouring.UpdateRowStates(row, false);
            state = FEditor.ListRows().ParseState(row);
        }
        if (static_cast<int>(text.size()) > own)
            clipRight = std::min(clipRight, x + own * cw);
        FParser->StartRow(text, state);
        while (FParser->NextToken() != tokEnd) {
            const int pos = FParser->TokenPosition();
            if (pos >= own)
                break;
            const int tx = x + pos * cw;
            if (tx >= clipRight)
                break;
            const int tend = tx + FParser->TokenLength() * cw;
            if (tend <= piece.Left || tend <= m.TextLeft)
                continue;
            const TFountainColor* c = FParser->TokenColor();
            TColor tb = c && c->BkColor() != clNone ? c->BkColor() : defBk;
            TColor tf = c && c->Color() != clNone ? c->Color() : defFg;
            TFontStyles ts = c ? c->Style() : defStyle;
            TRect span{std::max(tx, piece.Left), top, std::min(tend, clipRight), piece.Bottom};
            std::string_view tok = FParser->TokenString();
            if (selected) {
                if (italic)
                    canvas.TextOut(tx, top, {piece.Left, top, clipRight, piece.Bottom}, tok, cw, fg, bk, false, ts);
                else if (ts != defStyle)
                    canvas.TextOut(tx, top, span, tok, cw, fg, bk, true, ts);
            } else if (italic) {
                if (tb == defBk)
                    canvas.TextOut(tx, top, {piece.Left, top, clipRight, piece.Bottom}, tok, cw, tf, tb, false, ts);
                else
                    canvas.TextOut(tx, top, span, tok, cw, tf, tb, true, ts);
            } else if (tb != defBk || tf != defFg || ts != defStyle) {
                canvas.TextOut(tx, top, span, tok, cw, tf, tb, true, ts);
            }
        }
    }
    DrawRowExtra(canvas, piece, x, selected, row, text, top);
}

void TEditorPainter::PaintEndMark(TCanvas& canvas, int row, int length, bool cut, bool selected)
{
    const TEditorMetrics& m = FEditor.Metrics();
    const int top = m.RowTop(row);
    int xEnd = std::min(m.ColLeft(length), m.ColLeft(kMaxPaintCols));
    if (cut && length > kMaxPaintCols)
        xEnd += m.ColWidth;
    if (xEnd < m.TextLeft || xEnd >= m.ClientWidth)
        return;
    const TEditorMarks& marks = FEditor.Marks();
    if (cut) {
        if (marks.HideMark().Visible())
            selected ? DrawSelectedHideMark(canvas, xEnd, top) : DrawHideMark(canvas, xEnd, top);
        return;
    }
    TRowEnd end = FEditor.RowEnd(row);
    if (end == reEof) {
        if (row == FEditor.RowCount() - 1 && marks.EofMark().Visible())
            DrawEofMark(canvas, xEnd, top);
    } else if (end == reBreak) {
        if (marks.RetMark().Visible())
            selected ? DrawSelectedRetMark(canvas, xEnd, top) : DrawRetMark(canvas, xEnd, top);
    } else if (end == reWrapped) {
        if (marks.WrapMark().Visible())
            selected ? DrawSelectedWrapMark(canvas, xEnd, top) : DrawWrapMark(canvas, xEnd, top);
    }
}

// ---- hooks and marks

void TEditorPainter::DrawRowExtra(TCanvas&, const TRect& rect, int x, bool selected, int row, std::string_view text,
                                  int y)
{
    if (OnDrawLine)
        OnDrawLine(&FEditor, text, x, y, row, rect, selected);
}

void TEditorPainter::DrawEofMark(TCanvas& canvas, int x, int y)
{
    const TEditorMetrics& m = FEditor.Metrics();
    if (x < m.TextLeft)
        return;
    TRect clip = TRect{x, y, x + 6 * m.ColWidth, y + m.RowHeight}.Intersect({0, 0, m.ClientWidth, m.ClientHeight});
    canvas.TextOut(x, y, clip, "[EOF]", m.ColWidth, MarkColor(FEditor.Marks().EofMark().Color(), FontColor()),
                   BackColor(), true, FEditor.Font().Style());
}

void TEditorPainter::DrawRetShape(TCanvas& canvas, int x, int y, TColor color)
{
    const TEditorMetrics& m = FEditor.Metrics();
    const int fh = m.FontHeight, d = std::max(1, fh / 8), f = std::max(d, 3);
    const int cx = x + m.ColWidth / 2, bottom = y + fh - 2 * d;
    TPen pen{color, 1, TPenStyle::Solid};
    canvas.Line({cx, y + 2 * d}, {cx, bottom}, pen);
    canvas.Line({cx, bottom}, {cx + f, bottom - f}, pen);
    canvas.Line({cx, bottom}, {cx - f, bottom - f}, pen);
}

void TEditorPainter::DrawWrapShape(TCanvas& canvas, int x, int y, TColor color)
{
    const TEditorMetrics& m = FEditor.Metrics();
    const int cw = m.ColWidth, e = std::max(2, cw * 3 / 5), mid = y + m.FontHeight / 2;
    TPoint pts[] = {{x + cw, mid - e}, {x + cw - e, mid}, {x + cw + 1, mid + e + 1}};
    canvas.Polyline(pts, 3, {color, 1, TPenStyle::Solid});
}

void TEditorPainter::DrawHideShape(TCanvas& canvas, int x, int y, TColor color)
{
    const TEditorMetrics& m = FEditor.Metrics();
    const int cw = m.ColWidth, e = std::max(2, cw * 3 / 5), mid = y + m.FontHeight / 2;
    TPoint pts[] = {{x + cw - e, mid - e}, {x + cw, mid}, {x + cw - e - 1, mid + e + 1}};
    canvas.Polyline(pts, 3, {color, 1, TPenStyle::Solid});
}

void TEditorPainter::DrawRetMark(TCanvas& canvas, int x, int y)
{
    DrawRetShape(canvas, x, y, MarkColor(FEditor.Marks().RetMark().Color(), FontColor()));
}

void TEditorPainter::DrawSelectedRetMark(TCanvas& canvas, int x, int y)
{
    DrawRetShape(canvas, x, y, SelectColor());
}

void TEditorPainter::DrawWrapMark(TCanvas& canvas, int x, int y)
{
    DrawWrapShape(canvas, x, y, MarkColor(FEditor.Marks().WrapMark().Color(), FontColor()));
}

void TEditorPainter::DrawSelectedWrapMark(TCanvas& canvas, int x, int y)
{
    DrawWrapShape(canvas, x, y, SelectColor());
}

void TEditorPainter::DrawHideMark(TCanvas& canvas, int x, int y)
{
    DrawHideShape(canvas, x, y, MarkColor(FEditor.Marks().HideMark().Color(), FontColor()));
}

void TEditorPainter::DrawSelectedHideMark(TCanvas& canvas, int x, int y)
{
    DrawHideShape(canvas, x, y, SelectColor());
}

void TEditorPainter::DrawUnderline(TCanvas& canvas, int row)
{
    const TEditorMetrics& m = FEditor.Metrics();
    const int y = m.RowTop(row) + m.FontHeight;
    if (y <= m.TopOffset || y >= m.ClientHeight)
        return;
    canvas.Line({m.TextLeft, y}, {m.ClientWidth - 1, y},
                {MarkColor(FEditor.Marks().Underline().Color(), FontColor()), 1, TPenStyle::Solid});
}
