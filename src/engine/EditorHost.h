#pragma once
// What the toolkit-free editor needs from the window it lives in. The Qt widget implements it;
// tests use TFakeHost (testing/FakeHost.h). Coordinates are client pixels.
#include "platform/Clipboard.h"
#include "platform/Font.h"
#include "platform/Geometry.h"

enum TScrollBarKind { sbHorizontal, sbVertical };

struct TScrollInfo {
    int Min = 0;
    int Max = 0;
    int Page = 0;
    int Pos = 0;
    friend bool operator==(const TScrollInfo&, const TScrollInfo&) = default;
};

class TEditorHost {
public:
    virtual ~TEditorHost() = default;

    // The area the editor paints, scroll bars included (the editor leaves room for them).
    virtual TSize ClientSize() const = 0;
    // Height of the display the window is on; the tokenizer looks this far ahead.
    virtual int ScreenHeight() const = 0;
    virtual TFontMetrics FontMetrics(const TFontDesc& font) const = 0;
    // Thickness of a scroll bar of that kind, in pixels.
    virtual int ScrollBarExtent(TScrollBarKind kind) const = 0;

    // Marks a rectangle for repainting.
    virtual void Invalidate(const TRect& r) = 0;
    // Repaints what is marked, now.
    virtual void Update() = 0;
    // Moves the pixels of `scroll` by (dx, dy) within `clip` and marks what was uncovered.
    virtual void ScrollRect(int dx, int dy, const TRect& scroll, const TRect& clip) = 0;
    virtual void SetScrollInfo(TScrollBarKind kind, const TScrollInfo& info) = 0;

    // The system caret: one per focused window, created hidden.
    virtual void CreateCaret(int width, int height) = 0;
    virtual void ShowCaret() = 0;
    virtual void HideCaret() = 0;
    virtual void SetCaretPos(TPoint p) = 0;
    virtual void DestroyCaret() = 0;

    // A platform cursor identifier, as the caret options keep them.
    virtual void SetCursor(int cursor) = 0;
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual bool HasCapture() const = 0;
    virtual void SetFocus() = 0;
    virtual bool HasFocus() const = 0;

    // The clipboard; nullptr when the host offers none.
    virtual TClipboard* Clipboard() = 0;
};
