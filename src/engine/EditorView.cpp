// The editor's view: metrics, scrolling, invalidation and the system caret.
#include <algorithm>
#include <cstdlib>

#include "engine/Editor.h"

namespace {

// Used while no host is attached, so the metrics stay usable.
constexpr TFontMetrics kNoHostFont{13, 0, 7};

// The highest column the view can scroll to shows 1000 columns and half a page.
constexpr int kMaxCols = 1000;

int DecimalDigits(long long n)
{
    int d = 1;
    while (n >= 10) {
        n /= 10;
        ++d;
    }
    return d;
}

} // namespace

int TEditor::LeftbarDigits() const
{
    if (!FLeftbar->Visible() || !FLeftbar->ShowNumber())
        return LeftbarDigitsFor(0);
    int n = RowCount();
    long long last = FLeftbar->ShowNumberMode() == nmLine ? FLines->Count() - 1 : n - 1;
    if (n > 0 && FList->RowEnd(n - 1) == reBreak)
        ++last; // the empty line after a final line break is numbered too
    return LeftbarDigitsFor(last);
}

int TEditor::LeftbarDigitsFor(long long last) const
{
    if (!FLeftbar->Visible())
        return 0;
    if (!FLeftbar->ShowNumber())
        return FLeftbar->Column();
    if (!FLeftbar->ZeroBase())
        ++last;
    return std::min(8, std::max(FLeftbar->Column(), DecimalDigits(std::max(last, 0LL))));
}

int TEditor::LeftbarWidthFor(int digits) const
{
    return FLeftbar->Visible() ? FLeftbar->LeftMargin() + digits * FMetrics.ColWidth + FLeftbar->RightMargin() + 2 : 0;
}

int TEditor::TextLeftForRows(long long rows, bool finalBreak) const
{
    // Unwrapped, rows and lines coincide, so both numbering modes count the same.
    const long long last = rows - 1 + (rows > 0 && finalBreak ? 1 : 0);
    return FImagebar->Width() + LeftbarWidthFor(LeftbarDigitsFor(last)) + FMargin->Left();
}

void TEditor::InitDrawInfo()
{
    TFontMetrics fm = FHost ? FHost->FontMetrics(FFont->Desc()) : kNoHostFont;
    TSize client = FHost ? FHost->ClientSize() : TSize{};
    TEditorMetrics& m = FMetrics;
    m.FontHeight = std::max(fm.Height + fm.ExternalLeading, 1);
    m.ColWidth = std::max(fm.AveCharWidth + FMargin->Character(), 1);
    m.RowHeight = std::max(m.FontHeight + FMargin->Line() + (FMarks->Underline().Visible() ? 1 : 0), 1);
    m.RulerHeight = FRuler->Height();
    m.TopOffset = FMargin->Top() + m.RulerHeight;
    m.ImagebarWidth = FImagebar->Width();
    m.LeftbarDigits = LeftbarDigits();
    m.LeftbarWidth = LeftbarWidthFor(m.LeftbarDigits);
    m.TextLeft = m.ImagebarWidth + m.LeftbarWidth + FMargin->Left();
    bool hbar = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
    bool vbar = FScrollBars == ssVertical || FScrollBars == ssBoth;
    int hbarHeight = hbar && FHost ? FHost->ScrollBarExtent(sbHorizontal) : 0;
    int vbarWidth = vbar && FHost ? FHost->ScrollBarExtent(sbVertical) : 0;
    m.ClientWidth = client.Width;
    m.ClientHeight = client.Height;
    m.VisibleRows = std::max(1, (client.Height - m.TopOffset - 5 - hbarHeight) / m.RowHeight);
    // A window narrower than one column still shows the caret's column.
    m.VisibleCols = std::max(1, (client.Width - m.TextLeft - m.ColWidth / 2 - vbarWidth) / m.ColWidth);
}

// ---- geometry

TRect TEditor::TextArea() const
{
    return {0, FMetrics.TopOffset, FMetrics.ClientWidth, FMetrics.ClientHeight};
}

TRect TEditor::RowStrip(int row) const
{
    return FMetrics.RowRect(row).Intersect(TextArea());
}

void TEditor::InvalidateAll()
{
    if (!FHost)
        return;
    TSize client = FHost->ClientSize();
    FHost->Invalidate({0, 0, client.Width, client.Height});
}

void TEditor::InvalidateRows(int a, int b)
{
    if (!FHost)
        return;
    if (a > b)
        std::swap(a, b);
    a = std::max(a, FMetrics.TopRow);
    b = std::min(b, FMetrics.TopRow + FMetrics.VisibleRows);
    if (a > b)
        return;
    TRect r = FMetrics.RowRect(a);
    r.Bottom = FMetrics.RowRect(b).Bottom;
    r = r.Intersect(TextArea());
    if (r.Empty())
        return;
    FHost->Invalidate(r);
    FHost->Update();
}

// Repaints only what the last change touched: the changed rows, and the rows below moved by
// scrolling their pixels when the row count changed.
void TEditor::UpdateScreen(const TLastChange& change, bool all)
{
    if (!FHost)
        return;
    if (all) {
        InvalidateAll();
        return;
    }
    if (!change.Changed)
        return;
    const int s = change.StartRow, o = change.OldCount, n = change.NewCount;
    if (std::abs(n - o) > FMetrics.VisibleRows) {
        FHost->Invalidate(TextArea());
        FHost->Update();
        return;
    }
    const int e = s + std::max(n, change.ParsedCount);
    if (n == o) {
        InvalidateRows(s, e >= RowCount() ? e : e - 1);
    } else {
        if (e > s)
            InvalidateRows(s, e - 1);
        int y = FMetrics.RowTop(e);
        TRect area = TextArea();
        if (y < area.Bottom) {
            TRect moving{0, std::max(y, area.Top), area.Right, area.Bottom};
            FHost->ScrollRect(0, (n - o) * FMetrics.RowHeight, moving, area);
        }
        if (e >= RowCount())
            InvalidateRows(e, e);
    }
    // Row numbers below the change may have moved.
    if (FLeftbar->Visible() && FMetrics.LeftbarWidth > 0 &&
        (FLeftbar->ShowNumberMode() == nmLine || n != o)) {
        TRect bar = TextArea();
        bar.Left = FMetrics.ImagebarWidth;
        bar.Right = FMetrics.ImagebarWidth + FMetrics.LeftbarWidth;
        bar.Top = std::max(bar.Top, FMetrics.RowTop(e));
        if (!bar.Empty())
            FHost->Invalidate(bar);
    }
}

// ---- scrolling

void TEditor::UpdateScrollBars()
{
    if (!FHost)
        return;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth)
        FHost->SetScrollInfo(sbVertical,
                             {0, std::max(FMetrics.VisibleRows, RowCount()), FMetrics.VisibleRows, FMetrics.TopRow});
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth)
        FHost->SetScrollInfo(sbHorizontal,
                             {0, kMaxCols + FMetrics.VisibleCols / 2, FMetrics.VisibleCols, FMetrics.TopCol});
}

void TEditor::SetTopRow(int v)
{
    int top = std::clamp(v, 0, std::max(0, RowCount() - FMetrics.VisibleRows + 1));
    if (top == FMetrics.TopRow)
        return;
    HideUnderline();
    int old = FMetrics.TopRow;
    FMetrics.TopRow = top;
    if (FHost) {
        int rows = std::clamp(old - top, -(FMetrics.VisibleRows + 1), FMetrics.VisibleRows + 1);
        TRect area = TextArea();
        FHost->ScrollRect(0, rows * FMetrics.RowHeight, area, area);
    }
    // While a key repeats the scroll bars wait for the key to come up.
    if (FKeyRepeating)
        FScrollDeferred = true;
    else
        UpdateScrollBars();
    SetCaretPosition();
    ShowUnderline();
    DoTopRowChange();
}

void TEditor::SetTopCol(int v)
{
    int left = std::clamp(v, 0, std::max(0, kMaxCols - FMetrics.VisibleCols / 2));
    if (left == FMetrics.TopCol)
        return;
    int old = FMetrics.TopCol;
    FMetrics.TopCol = left;
    if (FHost) {
        TRect area{FMetrics.TextLeft, 0, FMetrics.ClientWidth, FMetrics.ClientHeight};
        FHost->ScrollRect((old - left) * FMetrics.ColWidth, 0, area, area);
    }
    if (FKeyRepeating)
        FScrollDeferred = true;
    else
        UpdateScrollBars();
    SetCaretPosition();
    DoTopColChange();
}

void TEditor::ScrollCaretIntoView()
{
    const int rows = FMetrics.VisibleRows, cols = FMetrics.VisibleCols;
    if (FRow < FMetrics.TopRow)
        SetTopRow(FRow);
    else if (FRow >= FMetrics.TopRow + rows)
        SetTopRow(FRow - rows + 1);
    // Horizontally a quarter of the view stays free beyond the caret.
    if (FCol < FMetrics.TopCol)
        SetTopCol(FCol - cols / 4);
    else if (FCol > FMetrics.TopCol + cols)
        SetTopCol(FCol - cols + cols / 4);
}

bool TEditor::CaretOutOfView() const
{
    return FRow < FMetrics.TopRow || FRow >= FMetrics.TopRow + FMetrics.VisibleRows || FCol < FMetrics.TopCol ||
           FCol > FMetrics.TopCol + FMetrics.VisibleCols;
}

// ---- the system caret

TPoint TEditor::CaretPixelPos() const
{
    int x = FMetrics.ColLeft(FCol);
    int y = FMetrics.RowTop(FRow);
    // The brief caret is a line under the character.
    if (!FOverWrite && FCaret->Style() == csBrief)
        y += FMetrics.FontHeight - 2;
    return {x, y};
}

void TEditor::CreateCaretShape()
{
    if (!FHost || !FFocused)
        return;
    int cell = FMetrics.ColWidth - FMargin->Character();
    TSize size;
    if (FOverWrite || FCaret->Style() == csBrief) {
        std::string kinds = RowKinds(FRow);
        bool wide = FCol < static_cast<int>(kinds.size()) && kinds[static_cast<std::size_t>(FCol)] == cell::Lead;
        size.Width = std::max(1, cell * (wide ? 2 : 1));
        size.Height = FOverWrite ? FMetrics.FontHeight : 2;
    } else {
        size = {2, FMetrics.FontHeight};
    }
    if (FCaretCreated && size == FCaretSize)
        return;
    FHost->CreateCaret(size.Width, size.Height);
    FCaretCreated = true;
    FCaretShown = false;
    FCaretSize = size;
}

void TEditor::SetCaretPosition()
{
    if (FHost && FCaretCreated)
        FHost->SetCaretPos(CaretPixelPos());
}

void TEditor::HideCaret()
{
    if (!FCaretShown)
        return;
    FCaretShown = false;
    if (FHost && FCaretCreated)
        FHost->HideCaret();
}

void TEditor::ShowCaret()
{
    if (FCaretShown || FCaretHideCount > 0 || !FHost || !FCaretCreated || !FFocused)
        return;
    FCaretShown = true;
    FHost->ShowCaret();
}

void TEditor::CaretBeginUpdate()
{
    if (FCaretHideCount++ == 0)
        HideCaret();
}

void TEditor::CaretEndUpdate()
{
    if (FCaretHideCount > 0 && --FCaretHideCount == 0)
        ShowCaret();
}

void TEditor::SetFocused(bool v)
{
    if (v == FFocused)
        return;
    FFocused = v;
    if (v) {
        CreateCaretShape();
        SetCaretPosition();
        ShowCaret();
    } else {
        HideCaret();
        if (FHost && FCaretCreated)
            FHost->DestroyCaret();
        FCaretCreated = false;
    }
}

// ---- the caret-row underline

void TEditor::HideUnderline()
{
    if (FUnderlineHideCount++ == 0)
        EraseUnderline(FRow);
}

void TEditor::ShowUnderline()
{
    if (FUnderlineHideCount > 0 && --FUnderlineHideCount == 0)
        DrawUnderline(FRow);
}

void TEditor::EraseUnderline(int row)
{
    if (!FHost || !FMarks->Underline().Visible())
        return;
    int y = FMetrics.RowTop(row) + FMetrics.FontHeight;
    if (y <= FMetrics.TopOffset || y > FMetrics.ClientHeight)
        return;
    FHost->Invalidate({FMetrics.TextLeft, y, FMetrics.ClientWidth, y + 1});
}

void TEditor::DrawUnderline(int row)
{
    EraseUnderline(row);
}

// ---- events

void TEditor::DoCaretMovedEvent()
{
    if (OnCaretMoved)
        OnCaretMoved(this);
}

void TEditor::DoSelectionChange(bool selected)
{
    if (OnSelectionChange)
        OnSelectionChange(this, selected);
}

void TEditor::DoSelectionModeChange()
{
    if (OnSelectionModeChange)
        OnSelectionModeChange(this);
}

void TEditor::DoTopColChange()
{
    if (OnTopColChange)
        OnTopColChange(this);
}

void TEditor::DoTopRowChange()
{
    if (OnTopRowChange)
        OnTopRowChange(this);
}

void TEditor::DoCaretMoved()
{
    if (FUpdating > 0)
        return;
    FCaretDirty = false;
    CreateCaretShape();
    ScrollCaretIntoView();
    SetCaretPosition();
    DoCaretMovedEvent();
    ShowCaret();
}
