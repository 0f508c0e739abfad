#pragma once
// The canvas on a QPainter: screen, off-screen images and, later, the printer. CP932 text is
// turned into Unicode here and its glyphs are placed one cell per byte with explicit positions,
// so a run of one colour is one glyph-run call.
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRawFont>

#include <array>
#include <optional>

#include "platform/Canvas.h"

// A colour setting as Qt paints it: system colours resolve to the classic Windows values.
QColor ToQColor(TColor c);

class TQtCanvas : public TCanvas {
public:
    explicit TQtCanvas(QPainter& painter);

    void SetFont(const TFontDesc& font) override;
    TFontMetrics FontMetrics() const override { return FMetrics; }
    void SetClip(const TRect& clip) override;
    void FillRect(const TRect& r, TColor color) override;
    void TextOut(int x, int y, const TRect& clip, std::string_view text, int advance, TColor color, TColor back,
                 bool opaque, TFontStyles style) override;
    void Line(TPoint a, TPoint b, const TPen& pen) override;
    void Polyline(const TPoint* points, int count, const TPen& pen) override;
    void FrameRect(const TRect& r, const TPen& pen) override;
    void DrawBitmap(int x, int y, const TBitmap& bitmap, const TRect& src) override;

private:
    const QRawFont& RawFont(TFontStyles style);
    void UsePen(const TPen& pen);

    QPainter& FPainter;
    TFontDesc FDesc;
    bool FHasFont = false;
    TFontMetrics FMetrics;
    std::array<std::optional<QRawFont>, 16> FRaw;
    std::array<QFont, 16> FFonts;
    QRect FClip;
};
