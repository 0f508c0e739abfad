#pragma once
// The editor on screen: a scroll area that owns the application's editor control, implements
// the host services it asks for and forwards paint, key, character, mouse, wheel, focus and
// input-method events to it.
#include <QAbstractScrollArea>
#include <QRect>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

#include "engine/EditorHost.h"
#include "view/VnEdit.h"

class TQtClipboard;

class TEditorWidget : public QAbstractScrollArea, public TEditorHost {
    Q_OBJECT
public:
    explicit TEditorWidget(QWidget* parent = nullptr);
    ~TEditorWidget() override;

    TVnEdit& Edit() { return *FEdit; }
    const TVnEdit& Edit() const { return *FEdit; }

    // The caret's rectangle in viewport pixels; empty while there is no caret.
    QRect CaretRect() const;
    bool CaretVisible() const { return FCaretVisible; }
    // The composition the input method is showing at the caret (not yet text).
    const QString& Preedit() const { return FPreedit; }
    // The resolved family of the editor's font.
    QString FontFamily() const;

    // Where the candidate window goes, the font, the caret row's text and the caret in it.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

    // Paints every pending area now, for measurements.
    void PaintNow();
    // Paint events so far, and the pixels the last one covered.
    int Paints() const { return FPaints; }
    long long PaintedArea() const { return FPaintedArea; }

    // TEditorHost
    TSize ClientSize() const override;
    int ScreenHeight() const override;
    TFontMetrics FontMetrics(const TFontDesc& font) const override;
    int ScrollBarExtent(TScrollBarKind kind) const override;
    void Invalidate(const TRect& r) override;
    void Update() override;
    void ScrollRect(int dx, int dy, const TRect& scroll, const TRect& clip) override;
    void SetScrollInfo(TScrollBarKind kind, const TScrollInfo& info) override;
    void CreateCaret(int width, int height) override;
    void ShowCaret() override;
    void HideCaret() override;
    void SetCaretPos(TPoint p) override;
    void DestroyCaret() override;
    void SetCursor(int cursor) override;
    void SetCapture() override;
    void ReleaseCapture() override;
    bool HasCapture() const override { return FCaptured; }
    void SetFocus() override;
    bool HasFocus() const override;
    TClipboard* Clipboard() override;

    // The window's turn before the editor's: a key (Windows key code) that the window may
    // use, a double click it may take (a link), a wheel message it scrolls itself; true when
    // it did. After the editor: the pointer moved (links under it).
    std::function<bool(int key, TShiftState shift)> OnKeyDown;
    std::function<bool(TPoint p)> OnDblClick;
    std::function<bool(int delta)> OnWheel;
    std::function<void(TPoint p)> OnMouseMoved;

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    bool HandleCommandKey(QKeyEvent* e);
    void TypeCommit(const std::string& cp932);
    void BlinkCaret();
    void UpdateCaretArea();

    std::unique_ptr<TQtClipboard> FClipboard;
    std::unique_ptr<TVnEdit> FEdit;
    QTimer FBlink;
    bool FCaretCreated = false;
    bool FCaretVisible = false;
    bool FCaretOn = true; // the blink phase
    QSize FCaretSize;
    QPoint FCaretPos;
    bool FCaptured = false;
    int FSettingScroll = 0;
    QString FPreedit;
    int FPreeditCursor = 0;
    int FPaints = 0;
    long long FPaintedArea = 0;
};
