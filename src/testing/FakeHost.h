#pragma once
// A host window for tests of the editor core: a fixed client size and font, an in-memory
// clipboard, and a record of what the editor asked of it.
#include <vector>

#include "engine/EditorHost.h"
#include "testing/FakeClipboard.h"

class TFakeHost : public TEditorHost {
public:
    struct TScroll {
        int Dx, Dy;
        TRect Scroll, Clip;
    };

    // 80 x 25 cells of an 8 x 16 font by default, plus room for the furniture.
    TSize Client{690, 440};
    int Screen = 768;
    TFontMetrics Font{16, 0, 8};
    int BarExtent = 16;

    std::vector<TRect> Invalidated;
    int Updates = 0;
    std::vector<TScroll> Scrolls;
    TScrollInfo VScroll, HScroll;
    int ScrollInfoCalls = 0;

    bool CaretCreated = false;
    TSize CaretSize;
    bool CaretVisible = false;
    TPoint CaretPos;
    int CaretCreates = 0;

    int Cursor = 0;
    bool Captured = false;
    bool Focus = false;
    bool NoClipboard = false;
    TFakeClipboard Clip;

    void ClearRecord()
    {
        Invalidated.clear();
        Scrolls.clear();
        Updates = 0;
        ScrollInfoCalls = 0;
    }

    TSize ClientSize() const override { return Client; }
    int ScreenHeight() const override { return Screen; }
    TFontMetrics FontMetrics(const TFontDesc&) const override { return Font; }
    int ScrollBarExtent(TScrollBarKind) const override { return BarExtent; }
    void Invalidate(const TRect& r) override { Invalidated.push_back(r); }
    void Update() override { ++Updates; }
    void ScrollRect(int dx, int dy, const TRect& scroll, const TRect& clip) override
    {
        Scrolls.push_back({dx, dy, scroll, clip});
    }
    void SetScrollInfo(TScrollBarKind kind, const TScrollInfo& info) override
    {
        ++ScrollInfoCalls;
        (kind == sbVertical ? VScroll : HScroll) = info;
    }
    void CreateCaret(int width, int height) override
    {
        CaretCreated = true;
        CaretVisible = false;
        CaretSize = {width, height};
        ++CaretCreates;
    }
    void ShowCaret() override { CaretVisible = CaretCreated; }
    void HideCaret() override { CaretVisible = false; }
    void SetCaretPos(TPoint p) override { CaretPos = p; }
    void DestroyCaret() override
    {
        CaretCreated = false;
        CaretVisible = false;
    }
    void SetCursor(int cursor) override { Cursor = cursor; }
    void SetCapture() override { Captured = true; }
    void ReleaseCapture() override { Captured = false; }
    bool HasCapture() const override { return Captured; }
    void SetFocus() override { Focus = true; }
    bool HasFocus() const override { return Focus; }
    TClipboard* Clipboard() override { return NoClipboard ? nullptr : &Clip; }

    // Whether any invalidated rectangle meets the band of pixels y0..y1.
    bool InvalidatedBand(int y0, int y1) const
    {
        for (const TRect& r : Invalidated)
            if (r.Top < y1 && r.Bottom > y0 && !r.Empty())
                return true;
        return false;
    }
};
