#include "qt/EditorWidget.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

#include "engine/Cursors.h"
#include <QWheelEvent>

#include "qt/QtCanvas.h"
#include "qt/QtClipboard.h"
#include "qt/QtCp932.h"
#include "qt/QtFont.h"

namespace {

constexpr int kBlinkMs = 530;
constexpr int kWheelLines = 3;

QRect ToQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

} // namespace

TEditorWidget::TEditorWidget(QWidget* parent)
    : QAbstractScrollArea(parent), FClipboard(std::make_unique<TQtClipboard>())
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The editor paints every pixel of its area itself.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setMouseTracking(false);
    FEdit = std::make_unique<TVnEdit>(this);
    FEdit->Resized();
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
        if (FSettingScroll == 0)
            FEdit->VScroll(TScrollCode::ThumbPosition, v);
    });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
        if (FSettingScroll == 0)
            FEdit->HScroll(TScrollCode::ThumbPosition, v);
    });
    FBlink.setInterval(kBlinkMs);
    connect(&FBlink, &QTimer::timeout, this, [this] { BlinkCaret(); });
}

TEditorWidget::~TEditorWidget()
{
    FEdit->SetHost(nullptr);
}

QString TEditorWidget::FontFamily() const
{
    return ResolveFontFamily(FEdit->Font().Desc());
}

QRect TEditorWidget::CaretRect() const
{
    return FCaretCreated ? QRect(FCaretPos, FCaretSize) : QRect();
}

void TEditorWidget::PaintNow()
{
    // Only what is marked: the posted update request paints the dirty region.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

// ---- host

TSize TEditorWidget::ClientSize() const
{
    // The scroll bars lie outside the viewport, so the editor leaves no room for them.
    return {viewport()->width(), viewport()->height()};
}

int TEditorWidget::ScreenHeight() const
{
    const QScreen* s = screen();
    return s ? s->geometry().height() : 768;
}

TFontMetrics TEditorWidget::FontMetrics(const TFontDesc& font) const
{
    static TFontDesc last;
    static TFontMetrics metrics;
    static bool known = false;
    if (!known || !(last == font)) {
        metrics = GridMetrics(QFontFromDesc(font));
        last = font;
        known = true;
    }
    return metrics;
}

int TEditorWidget::ScrollBarExtent(TScrollBarKind) const
{
    return 0;
}

void TEditorWidget::Invalidate(const TRect& r)
{
    if (!r.Empty())
        viewport()->update(ToQRect(r));
}

void TEditorWidget::Update()
{
    // Qt paints what is marked on its next pass through the event loop, before any input.
}

void TEditorWidget::ScrollRect(int dx, int dy, const TRect& scroll, const TRect& clip)
{
    const TRect r = scroll.Intersect(clip);
    if (!r.Empty())
        viewport()->scroll(dx, dy, ToQRect(r));
}

void TEditorWidget::SetScrollInfo(TScrollBarKind kind, const TScrollInfo& info)
{
    QScrollBar* bar = kind == sbVertical ? verticalScrollBar() : horizontalScrollBar();
    ++FSettingScroll;
    bar->setRange(info.Min, std::max(info.Min, info.Max - info.Page + 1));
    bar->setPageStep(std::max(1, info.Page));
    bar->setSingleStep(1);
    bar->setValue(info.Pos);
    --FSettingScroll;
}

void TEditorWidget::UpdateCaretArea()
{
    if (FCaretCreated)
        viewport()->update(CaretRect().adjusted(-1, -1, 1, 1));
}

void TEditorWidget::CreateCaret(int width, int height)
{
    UpdateCaretArea();
    FCaretCreated = true;
    FCaretVisible = false;
    FCaretSize = QSize(std::max(width, 1), std::max(height, 1));
}

void TEditorWidget::ShowCaret()
{
    if (!FCaretCreated || FCaretVisible)
        return;
    FCaretVisible = true;
    FCaretOn = true;
    FBlink.start();
    UpdateCaretArea();
}

void TEditorWidget::HideCaret()
{
    if (!FCaretVisible)
        return;
    FCaretVisible = false;
    FBlink.stop();
    UpdateCaretArea();
}

void TEditorWidget::SetCaretPos(TPoint p)
{
    if (QPoint(p.X, p.Y) == FCaretPos)
        return;
    UpdateCaretArea();
    FCaretPos = QPoint(p.X, p.Y);
    FCaretOn = true;
    if (FCaretVisible)
        FBlink.start(); // a moving caret stays lit
    UpdateCaretArea();
    if (hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle | Qt::ImSurroundingText | Qt::ImCursorPosition);
}

void TEditorWidget::DestroyCaret()
{
    UpdateCaretArea();
    FCaretCreated = false;
    FCaretVisible = false;
    FBlink.stop();
}

void TEditorWidget::BlinkCaret()
{
    FCaretOn = !FCaretOn;
    UpdateCaretArea();
}

void TEditorWidget::SetCursor(int cursor)
{
    // 0 is the default cursor, which over text is the I-beam; links get the hand.
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (cursor == 0 || cursor == crIBeam)
        shape = Qt::IBeamCursor;
    else if (cursor == crHandPoint)
        shape = Qt::PointingHandCursor;
    viewport()->setCursor(shape);
}

void TEditorWidget::SetCapture()
{
    FCaptured = true;
    viewport()->grabMouse();
}

void TEditorWidget::ReleaseCapture()
{
    if (FCaptured)
        viewport()->releaseMouse();
    FCaptured = false;
}

void TEditorWidget::SetFocus()
{
    setFocus(Qt::OtherFocusReason);
}

bool TEditorWidget::HasFocus() const
{
    return hasFocus();
}

TClipboard* TEditorWidget::Clipboard()
{
    return FClipboard.get();
}

// ---- events

bool TEditorWidget::event(QEvent* e)
{
    // Tab and Shift+Tab are keys of the editor, not focus moves.
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            keyPressEvent(k);
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}

void TEditorWidget::paintEvent(QPaintEvent* e)
{
    ++FPaints;
    FPaintedArea = 0;
    for (const QRect& r : e->region())
        FPaintedArea += static_cast<long long>(r.width()) * r.height();
    QPainter painter(viewport());
    TQtCanvas canvas(painter);
    for (const QRect& r : e->region())
        FEdit->Paint(canvas, {r.left(), r.top(), r.right() + 1, r.bottom() + 1});
    painter.setClipRegion(e->region());
    const TEditorMetrics& m = FEdit->Metrics();
    if (!FPreedit.isEmpty() && FCaretCreated) {
        const std::string text = Cp932FromQString(FPreedit);
        const int x = FCaretPos.x(), y = m.RowTop(FEdit->Row());
        const int w = static_cast<int>(text.size()) * m.ColWidth;
        canvas.SetClip({0, 0, m.ClientWidth, m.ClientHeight});
        canvas.SetFont(FEdit->Font().Desc());
        canvas.TextOut(x, y, {x, y, x + w, y + m.FontHeight}, text, m.ColWidth, FEdit->Painter().FontColor(),
                       FEdit->Painter().BackColor(), true, 0);
        canvas.Line({x, y + m.FontHeight - 1}, {x + w - 1, y + m.FontHeight - 1},
                    {FEdit->Painter().FontColor(), 1, TPenStyle::Solid});
    }
    if (FCaretCreated && FCaretVisible && FCaretOn && hasFocus()) {
        painter.setClipRegion(e->region());
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        QRect caret = CaretRect();
        if (!FPreedit.isEmpty())
            caret.translate(FPreeditCursor * m.ColWidth, 0);
        painter.fillRect(caret, Qt::white);
    }
}

void TEditorWidget::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    FEdit->Resized();
    viewport()->update();
}

void TEditorWidget::scrollContentsBy(int, int)
{
    // The editor moves the pixels itself when its top row or left column changes.
}

void TEditorWidget::TypeCommit(const std::string& cp932)
{
    if (!cp932.empty())
        FEdit->ImeResult(cp932);
}

namespace {

TShiftState ShiftOf(Qt::KeyboardModifiers m, Qt::MouseButtons b = Qt::NoButton)
{
    TShiftState s = 0;
    if (m & Qt::ShiftModifier)
        s |= ssShift;
    if (m & Qt::ControlModifier)
        s |= ssCtrl;
    if (m & Qt::AltModifier)
        s |= ssAlt;
    if (b & Qt::LeftButton)
        s |= ssLeft;
    if (b & Qt::RightButton)
        s |= ssRight;
    if (b & Qt::MiddleButton)
        s |= ssMiddle;
    return s;
}

// Qt's key to the editor's (Windows) key code; 0 for keys it does not know.
int VirtualKey(int key)
{
    switch (key) {
    case Qt::Key_Backspace: return vkBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return vkTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vkReturn;
    case Qt::Key_Shift: return vkShift;
    case Qt::Key_Control: return vkControl;
    case Qt::Key_Alt: return vkMenu;
    case Qt::Key_Escape: return vkEscape;
    case Qt::Key_Space: return vkSpace;
    case Qt::Key_PageUp: return vkPrior;
    case Qt::Key_PageDown: return vkNext;
    case Qt::Key_End: return vkEnd;
    case Qt::Key_Home: return vkHome;
    case Qt::Key_Left: return vkLeft;
    case Qt::Key_Up: return vkUp;
    case Qt::Key_Right: return vkRight;
    case Qt::Key_Down: return vkDown;
    case Qt::Key_Insert: return vkInsert;
    case Qt::Key_Delete: return vkDelete;
    default: break;
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return key; // the same codes
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return vkF1 + (key - Qt::Key_F1);
    return 0;
}

TPoint PointOf(const QPointF& p)
{
    return {static_cast<int>(p.x()), static_cast<int>(p.y())};
}

} // namespace

// Keys that belong to the main window's commands; the widget serves them until the commands
// arrive.
bool TEditorWidget::HandleCommandKey(QKeyEvent* e)
{
    TVnEdit& ed = *FEdit;
    if (e->key() == Qt::Key_Insert && !(e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))) {
        ed.SetOverWrite(!ed.OverWrite());
        return true;
    }
    if (!(e->modifiers() & Qt::ControlModifier) || (e->modifiers() & Qt::AltModifier))
        return false;
    switch (e->key()) {
    case Qt::Key_C: ed.CopyToClipboard(); return true;
    case Qt::Key_X: ed.CutToClipboard(); return true;
    case Qt::Key_V: ed.PasteFromClipboard(); return true;
    case Qt::Key_A: ed.SelectAll(); return true;
    case Qt::Key_Z: ed.Undo(); return true;
    case Qt::Key_Y: ed.Redo(); return true;
    default: return false;
    }
}

void TEditorWidget::keyPressEvent(QKeyEvent* e)
{
    if (OnKeyDown) {
        const int vk = VirtualKey(e->key());
        if (vk != 0 && OnKeyDown(vk, ShiftOf(e->modifiers()))) {
            e->accept();
            return;
        }
    }
    if (HandleCommandKey(e)) {
        e->accept();
        return;
    }
    const TShiftState shift = ShiftOf(e->modifiers());
    bool used = false;
    if (const int vk = VirtualKey(e->key()))
        used = FEdit->KeyDown(vk, shift, e->isAutoRepeat());
    // The characters the key typed, as the character messages that follow a key.
    const QString text = e->text();
    if (!text.isEmpty() && !((shift & ssCtrl) && !(shift & ssAlt))) {
        FEdit->CharMessage(Cp932FromQString(text), shift);
        used = true;
    }
    if (used)
        e->accept();
    else
        QAbstractScrollArea::keyPressEvent(e);
}

void TEditorWidget::keyReleaseEvent(QKeyEvent* e)
{
    if (const int vk = VirtualKey(e->key()))
        FEdit->KeyUp(vk, ShiftOf(e->modifiers()));
    QAbstractScrollArea::keyReleaseEvent(e);
}

namespace {

bool ButtonOf(Qt::MouseButton b, TMouseButton& out)
{
    switch (b) {
    case Qt::LeftButton: out = mbLeft; return true;
    case Qt::RightButton: out = mbRight; return true;
    case Qt::MiddleButton: out = mbMiddle; return true;
    default: return false;
    }
}

} // namespace

void TEditorWidget::mousePressEvent(QMouseEvent* e)
{
    TMouseButton b;
    if (!ButtonOf(e->button(), b))
        return;
    if (b == mbLeft)
        setFocus(Qt::MouseFocusReason);
    FEdit->MouseDown(b, ShiftOf(e->modifiers(), e->buttons()), PointOf(e->position()));
}

void TEditorWidget::mouseMoveEvent(QMouseEvent* e)
{
    FEdit->MouseMove(ShiftOf(e->modifiers(), e->buttons()), PointOf(e->position()));
    if (OnMouseMoved)
        OnMouseMoved(PointOf(e->position()));
}

void TEditorWidget::mouseReleaseEvent(QMouseEvent* e)
{
    TMouseButton b;
    if (ButtonOf(e->button(), b))
        FEdit->MouseUp(b, ShiftOf(e->modifiers(), e->buttons()), PointOf(e->position()));
}

void TEditorWidget::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && OnDblClick && OnDblClick(PointOf(e->position())))
        return;
    if (e->button() == Qt::LeftButton)
        FEdit->DblClick(ShiftOf(e->modifiers(), e->buttons()), PointOf(e->position()));
}

void TEditorWidget::wheelEvent(QWheelEvent* e)
{
    e->accept();
    if (FEdit->InputHeld())
        return;
    if (OnWheel && OnWheel(e->angleDelta().y()))
        return;
    const int notches = e->angleDelta().y() / 120;
    for (int i = 0; i < std::abs(notches) * kWheelLines; ++i)
        FEdit->VScroll(notches > 0 ? TScrollCode::LineUp : TScrollCode::LineDown);
}

void TEditorWidget::focusInEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusInEvent(e);
    FEdit->FocusGained();
}

void TEditorWidget::focusOutEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusOutEvent(e);
    FEdit->FocusLost();
}

void TEditorWidget::inputMethodEvent(QInputMethodEvent* e)
{
    if (!e->commitString().isEmpty())
        TypeCommit(Cp932FromQString(e->commitString()));
    const QString preedit = e->preeditString();
    if (preedit != FPreedit || !preedit.isEmpty()) {
        FPreedit = preedit;
        FPreeditCursor = 0;
        for (const QInputMethodEvent::Attribute& a : e->attributes())
            if (a.type == QInputMethodEvent::Cursor)
                FPreeditCursor = static_cast<int>(Cp932FromQString(preedit.left(a.start)).size());
        const TEditorMetrics& m = FEdit->Metrics();
        viewport()->update(QRect(0, m.RowTop(FEdit->Row()), m.ClientWidth, m.RowHeight));
    }
    e->accept();
}

QVariant TEditorWidget::inputMethodQuery(Qt::InputMethodQuery query) const
{
    const TVnEdit& ed = *FEdit;
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImCursorRectangle: {
        const TEditorMetrics& m = ed.Metrics();
        QRect r(FCaretPos.x(), ed.Metrics().RowTop(ed.Row()), std::max(2, FCaretSize.width()), m.FontHeight);
        return QRect(r.translated(viewport()->pos()));
    }
    case Qt::ImFont:
        return QFontFromDesc(const_cast<TVnEdit&>(ed).Font().Desc());
    case Qt::ImSurroundingText:
        return QStringFromCp932(ed.RowText(ed.Row()));
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition: {
        std::string_view row = ed.RowText(ed.Row());
        const std::size_t byte = static_cast<std::size_t>(std::clamp(ed.ColToChar(ed.Row(), ed.Col()), 0,
                                                                     static_cast<int>(row.size())));
        return static_cast<int>(QStringFromCp932(row.substr(0, byte)).size());
    }
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}
