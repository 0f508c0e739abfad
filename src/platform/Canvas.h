#pragma once
// What the painter draws with. Screen, print preview and the tests' recording canvas implement
// it; nothing here assumes a screen. Text is CP932 bytes placed on a grid: every byte advances
// by the same number of pixels, so a double-byte character covers two cells. Colours may be
// system colours (high byte 0xFF), which the canvas resolves.
#include <string_view>

#include "platform/Bitmap.h"
#include "platform/Color.h"
#include "platform/Font.h"
#include "platform/Geometry.h"

enum class TPenStyle { Solid, Dot, Dash };

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = TPenStyle::Solid;
};

class TCanvas {
public:
    virtual ~TCanvas() = default;

    // The font of the following text; the canvas picks the nearest it has.
    virtual void SetFont(const TFontDesc& font) = 0;
    virtual TFontMetrics FontMetrics() const = 0;

    // Everything drawn from now on stays inside `clip` (client pixels).
    virtual void SetClip(const TRect& clip) = 0;

    virtual void FillRect(const TRect& r, TColor color) = 0;
    // Bytes of `text` from x (left) and y (the cell's top), `advance` pixels per byte, clipped
    // to `clip`. With `opaque` the cells are first filled with `back` (the whole of `clip` when
    // the text is shorter, as the platform's opaque text output does); otherwise only the
    // glyphs are drawn.
    virtual void TextOut(int x, int y, const TRect& clip, std::string_view text, int advance, TColor color,
                         TColor back, bool opaque, TFontStyles style) = 0;
    // From `a` to `b`, both end points drawn.
    virtual void Line(TPoint a, TPoint b, const TPen& pen) = 0;
    virtual void Polyline(const TPoint* points, int count, const TPen& pen) = 0;
    // The outline of r, one pen width inside it.
    virtual void FrameRect(const TRect& r, const TPen& pen) = 0;
    // Copies `src` of a prepared bitmap to (x, y); clNone pixels are transparent.
    virtual void DrawBitmap(int x, int y, const TBitmap& bitmap, const TRect& src) = 0;
};
