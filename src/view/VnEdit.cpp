#include "view/VnEdit.h"

#include <algorithm>

#include "colouring/FountainParser.h"
#include "colouring/TokenKinds.h"
#include "platform/Cp932.h"

namespace {

constexpr std::uint16_t kAutoPageMark = 1024;
constexpr std::uint16_t kPageBreakMark = 8192;

bool HasSpaceMarkChars(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        if (b == 0x09)
            return true;
        if (IsLeadByte(b) && i + 1 < text.size()) {
            if (b == 0x81 && static_cast<unsigned char>(text[i + 1]) == 0x40)
                return true;
            ++i;
        }
    }
    return false;
}

} // namespace

// ---- painter

TVnPainter::TVnPainter(TVnEdit& edit, TEditorColouring& colouring) : TEditorPainter(edit, colouring), FEdit(edit) {}

int TVnPainter::WrapLineX() const
{
    const TEditorMetrics& m = FEdit.Metrics();
    return m.TextLeft + FEdit.WrapOption().WrapByte() * m.ColWidth - m.HorzOffset();
}

void TVnPainter::Paint(TCanvas& canvas, const TRect& clip)
{
    TEditorPainter::Paint(canvas, clip);
    const TEditorMark& v = FEdit.MarksVn().VertLine();
    if (!v.Visible())
        return;
    const TEditorMetrics& m = FEdit.Metrics();
    const int x = WrapLineX();
    if (x < m.TextLeft || x >= m.ClientWidth)
        return;
    canvas.SetClip(clip.Intersect({0, 0, m.ClientWidth, m.ClientHeight}));
    canvas.Line({x, m.TopOffset}, {x, m.ClientHeight - 1}, {MarkColor(v.Color(), FontColor()), 1, TPenStyle::Solid});
}

void TVnPainter::DrawUnderline(TCanvas& canvas, int row)
{
    const TEditorMetrics& m = FEdit.Metrics();
    if (FEdit.WrapOption().WrapByte() * m.ColWidth < m.HorzOffset())
        return;
    const int y = m.RowTop(row) + m.FontHeight;
    if (y <= m.TopOffset || y >= m.ClientHeight)
        return;
    canvas.Line({m.TextLeft, y}, {WrapLineX(), y},
                {MarkColor(FEdit.Marks().Underline().Color(), FontColor()), 1, TPenStyle::Solid});
}

void TVnPainter::DrawRowExtra(TCanvas& canvas, const TRect& rect, int x, bool selected, int row,
                              std::string_view text, int y)
{
    TEditorPainter::DrawRowExtra(canvas, rect, x, selected, row, text, y);
    // A wrapped row's hook text runs on into the next row; like the row itself, the overlays
    // stop at the row's own end.
    bool cut = false;
    const int own = static_cast<int>(PaintText(row, cut).size());
    TRect clip = rect;
    clip.Right = std::min(clip.Right, x + own * FEdit.Metrics().ColWidth);
    const TVnViewInfo& vi = FEdit.ViewVn();
    if (!clip.Empty()) {
        if (FEdit.WordHilite() && vi.HiliteWords() && !FEdit.HiliteWordList().empty())
            DrawHiliteWords(canvas, clip, x, selected, text, y);
        if (vi.HiliteQLines() && !FEdit.HiliteQuoteMarks().empty())
            DrawQuoteLine(canvas, clip, x, selected, text, y);
    }
    DrawSpaceMarks(canvas, rect, selected, row, y);
    DrawRowBottom(canvas, rect, row);
}

void TVnPainter::DrawHiliteWords(TCanvas& canvas, const TRect& clip, int x, bool selected, std::string_view text,
                                 int y)
{
    const TEditorColor& c = FEdit.ViewVn().Colors().HiliteWord();
    const TColor color = selected ? SelectColor() : MarkColor(c.Color(), FontColor());
    const int cw = FEdit.Metrics().ColWidth;
    for (const std::string& word : FEdit.HiliteWordList()) {
        if (word.empty())
            continue;
        std::size_t pos = 0;
        while ((pos = text.find(word, pos)) != std::string_view::npos) {
            const int wx = x + static_cast<int>(pos) * cw;
            if (wx >= clip.Right)
                break;
            canvas.TextOut(wx, y, clip, word, cw, color, clNone, false, c.Style());
            pos += word.size();
        }
    }
}

void TVnPainter::DrawQuoteLine(TCanvas& canvas, const TRect& clip, int x, bool selected, std::string_view text, int y)
{
    for (const std::string& mark : FEdit.HiliteQuoteMarks()) {
        if (mark.empty() || !text.starts_with(mark))
            continue;
        const TEditorColor& c = FEdit.ViewVn().Colors().HiliteQLine();
        const TColor color = selected ? SelectColor() : MarkColor(c.Color(), FontColor());
        canvas.TextOut(x, y, clip, text, FEdit.Metrics().ColWidth, color, clNone, false, c.Style());
        return;
    }
}

void TVnPainter::DrawSpaceMarks(TCanvas& canvas, const TRect& rect, bool selected, int row, int y)
{
    const TVnMarks& marks = FEdit.MarksVn();
    if (!marks.TabMark().Visible() && !marks.DByteSpace().Visible())
        return;
    std::string_view own = FEdit.RowText(row);
    if (!HasSpaceMarkChars(own))
        return;
    const TEditorMetrics& m = FEdit.Metrics();
    const int cw = m.ColWidth;
    const int t = std::max(1, FEdit.Caret().TabSpaceCount());
    int extra = 0;
    std::unique_ptr<TFountainParser> parser = Colouring().CreateParser();
    TRowParseState state = FEdit.ListRows().ParseState(row);
    if (state.OpenBracket == -2) {
        Colouring().UpdateRowStates(row, false);
        state = FEdit.ListRows().ParseState(row);
    }
    parser->StartRow(own, state);
    while (parser->NextToken() != tokEnd) {
        const int pos = parser->TokenPosition();
        const int mx = m.TextLeft + cw * pos + extra - m.HorzOffset();
        if (parser->Token() == tokTab) {
            if (marks.TabMark().Visible() && mx >= rect.Left && mx <= rect.Right - cw)
                DrawTabMark(canvas, mx, y, selected);
            extra += cw * (t - (pos + extra / cw) % t - 1);
        } else if (parser->Token() == tokWideSymbol && parser->TokenString() == "\x81\x40") {
            if (marks.DByteSpace().Visible() && mx >= rect.Left)
                DrawDByteSpaceMark(canvas, mx, y, selected);
        }
    }
}

void TVnPainter::DrawTabMark(TCanvas& canvas, int mx, int y, bool selected)
{
    const TEditorMetrics& m = FEdit.Metrics();
    const TColor color = selected ? SelectColor() : MarkColor(FEdit.MarksVn().TabMark().Color(), FontColor());
    const bool small = m.ColWidth < 14;
    const TPen pen{color, small ? 1 : 2, TPenStyle::Solid};
    const int cy = y + (m.RowHeight - FEdit.Margin().Line()) / 2;
    if (small) {
        canvas.Line({mx + 2, cy - 1}, {mx + 5, cy}, pen);
        canvas.Line({mx + 2, cy + 1}, {mx + 5, cy}, pen);
    } else {
        canvas.Line({mx + 2, cy - 5}, {mx + 7, cy}, pen);
        canvas.Line({mx + 2, cy + 5}, {mx + 7, cy}, pen);
    }
}

void TVnPainter::DrawDByteSpaceMark(TCanvas& canvas, int mx, int y, bool selected)
{
    const int cw = FEdit.Metrics().ColWidth;
    const TColor color = selected ? SelectColor() : MarkColor(FEdit.MarksVn().DByteSpace().Color(), FontColor());
    canvas.FrameRect({mx + 2, y + 2, mx + 2 * cw - 2, y + 2 * cw - 2}, {color, 1, TPenStyle::Dot});
}

void TVnPainter::DrawRowBottom(TCanvas& canvas, const TRect& rect, int row)
{
    const int y = rect.Bottom - 1;
    canvas.Line({rect.Left, y}, {rect.Right - 1, y}, {BackColor(), 1, TPenStyle::Solid});
    const std::uint16_t next = row + 1 < FEdit.RowCount() ? FEdit.RowMarks(row + 1) : 0;
    if (next != kAutoPageMark && next != kPageBreakMark)
        return;
    const TColor color = MarkColor(FEdit.MarksVn().TabMark().Color(), FontColor());
    canvas.Line({rect.Left, y}, {rect.Right - 1, y},
                {color, 1, next == kAutoPageMark ? TPenStyle::Dot : TPenStyle::Dash});
}

// ---- the control

TVnEdit::TVnEdit(TEditorHost* host)
    : TEditor(host), FMarksVn(std::make_unique<TVnMarks>()), FViewVn(std::make_unique<TVnViewInfo>()),
      FColouring(std::make_unique<TEditorColouring>(*this)),
      FPainter(std::make_unique<TVnPainter>(*this, *FColouring))
{
    FMarksVn->OnChange = [this](TObject* s) { MarksVnChanged(s); };
    FViewVn->OnChange = [this](TObject* s) { ViewVnChanged(s); };
}

TVnEdit::~TVnEdit()
{
    FMarksVn->OnChange = nullptr;
    FViewVn->OnChange = nullptr;
}

void TVnEdit::SetHiliteQuoteMarks(const std::vector<std::string>& v)
{
    if (v != FHiliteQuoteMarks)
        FHiliteQuoteMarks = v;
}

void TVnEdit::SetHiliteWordList(const std::vector<std::string>& v)
{
    if (v != FHiliteWordList)
        FHiliteWordList = v;
}

void TVnEdit::MarksVnChanged(TObject*)
{
    InvalidateAll();
}

void TVnEdit::ViewVnChanged(TObject*)
{
    InvalidateAll();
}

void TVnEdit::SetMainEditorDefaults()
{
    Ruler().SetVisible(true);
    Leftbar().SetVisible(false);
    WrapOption().SetWrapByte(80);
    SetUndoListMax(64);
    Caret().SetNextLine(true);
    FMarksVn->BeginUpdate();
    FMarksVn->DByteSpace().SetColor(clGray);
    FMarksVn->DByteSpace().SetVisible(true);
    FMarksVn->TabMark().SetColor(clGray);
    FMarksVn->TabMark().SetVisible(true);
    FMarksVn->VertLine().SetColor(clGray);
    FMarksVn->VertLine().SetVisible(false);
    FMarksVn->EndUpdate();
    FViewVn->BeginUpdate();
    for (TEditorColor* c : {&FViewVn->Colors().HiliteWord(), &FViewVn->Colors().HiliteQLine()}) {
        c->SetBkColor(clWindow);
        c->SetColor(clWindowText);
        c->SetStyle(0);
    }
    FViewVn->EndUpdate();
}

void TVnEdit::KeyPress(char& key)
{
    const unsigned char k = static_cast<unsigned char>(key);
    if (SelectionState() == 2 && Selection().LastByte == -1 && (k == 0x09 || k == 0x20 || k == 0xE5))
        key = 0;
}

void TVnEdit::CharMessage(std::string_view bytes, TShiftState shift)
{
    std::string kept;
    kept.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = CharLength(bytes, i);
        if (n == 1) {
            char key = bytes[i];
            KeyPress(key);
            if (key != 0)
                kept += key;
        } else {
            kept.append(bytes.substr(i, n));
        }
        i += n;
    }
    TEditor::CharMessage(kept, shift);
}

void TVnEdit::VScroll(TScrollCode code, int pos)
{
    const int rows = RowCount(), vis = VisibleRows(), top = TopRow();
    int d = 0;
    switch (code) {
    case TScrollCode::LineUp: d = -1; break;
    case TScrollCode::LineDown: d = 1; break;
    case TScrollCode::PageUp: d = -std::max(1, vis); break;
    case TScrollCode::PageDown: d = std::max(1, vis); break;
    case TScrollCode::Top: d = -top; break;
    case TScrollCode::Bottom: d = rows - top; break;
    case TScrollCode::ThumbTrack:
    case TScrollCode::ThumbPosition: d = pos - top; break;
    default: return;
    }
    d = std::clamp(top + d, 0, std::max(rows, 0)) - top;
    if (d == 0 || (d > 0 && rows - top < vis))
        return;
    SetTopRow(top + d);
    const int moved = TopRow() - top;
    if (Caret().LockScroll() && moved != 0)
        SetRow(std::clamp(Row() + moved, 0, MaxCaretRow()));
}

void TVnEdit::HScroll(TScrollCode code, int pos)
{
    const int vis = VisibleCols(), left = TopCol(), limit = kMaxPaintCols + vis / 2;
    int to = left;
    switch (code) {
    case TScrollCode::LineUp: to = left - 1; break;
    case TScrollCode::LineDown: to = left + 1; break;
    case TScrollCode::PageUp: to = left - std::max(1, vis); break;
    case TScrollCode::PageDown: to = left + std::max(1, vis); break;
    case TScrollCode::Top: to = 0; break;
    case TScrollCode::Bottom: to = limit; break;
    case TScrollCode::ThumbTrack:
    case TScrollCode::ThumbPosition: to = pos; break;
    default: return;
    }
    SetTopCol(std::clamp(to, 0, limit));
}

void TVnEdit::DoCaretMovedEvent()
{
    if (TEditorHost* host = Host()) {
        const TEditorMetrics& m = Metrics();
        if (Col() != FMarkedCol && m.RulerHeight > 0) {
            host->Invalidate(FPainter->RulerCell(FMarkedCol));
            host->Invalidate(FPainter->RulerCell(Col()));
        }
    }
    FMarkedCol = Col();
    TEditor::DoCaretMovedEvent();
}

void TVnEdit::DoTopColChange()
{
    if (TEditorHost* host = Host(); host && Metrics().RulerHeight > 0)
        host->Invalidate({Metrics().TextLeft, 0, Metrics().ClientWidth, Metrics().RulerHeight});
    TEditor::DoTopColChange();
}
