#include "qt/QtCanvas.h"

#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QPen>
#include <QVector>

#include <string>

#include "platform/Cp932.h"
#include "qt/QtFont.h"

namespace {

// The classic Windows system colours, by index (COLOR_SCROLLBAR .. COLOR_INFOBK).
constexpr TColor kSystemColors[] = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000, 0x000000,
    0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xFF9933, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000,
    0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000, 0xE1FFFF,
};

QRect ToQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

const QImage& ImageOf(const TBitmap& bitmap)
{
    struct TEntry {
        std::uint64_t Version;
        QImage Image;
    };
    static QHash<const TBitmap*, TEntry> cache;
    auto it = cache.find(&bitmap);
    if (it != cache.end() && it->Version == bitmap.Version())
        return it->Image;
    if (cache.size() > 64)
        cache.clear();
    QImage img(bitmap.Width(), bitmap.Height(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < bitmap.Height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < bitmap.Width(); ++x) {
            TColor c = bitmap.Pixel(x, y);
            line[x] = c == clNone ? qRgba(0, 0, 0, 0) : ToQColor(c).rgb();
        }
    }
    return cache.insert(&bitmap, {bitmap.Version(), img})->Image;
}

} // namespace

QColor ToQColor(TColor c)
{
    if ((c & 0xFF000000u) == 0xFF000000u) {
        std::size_t i = c & 0xFF;
        c = i < std::size(kSystemColors) ? kSystemColors[i] : 0;
    } else if (c == clNone) {
        c = 0xFFFFFF;
    }
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

TQtCanvas::TQtCanvas(QPainter& painter) : FPainter(painter)
{
    FPainter.setRenderHint(QPainter::Antialiasing, false);
    FClip = FPainter.viewport();
}

void TQtCanvas::SetFont(const TFontDesc& font)
{
    if (FHasFont && font == FDesc)
        return;
    FDesc = font;
    FHasFont = true;
    for (auto& r : FRaw)
        r.reset();
    FFonts[0] = QFontFromDesc(font);
    FMetrics = GridMetrics(FFonts[0]);
}

const QRawFont& TQtCanvas::RawFont(TFontStyles style)
{
    style &= 15;
    auto& slot = FRaw[style];
    if (!slot) {
        TFontDesc d = FDesc;
        d.Style = style;
        FFonts[style] = QFontFromDesc(d);
        slot = QRawFont::fromFont(FFonts[style]);
    }
    return *slot;
}

void TQtCanvas::SetClip(const TRect& clip)
{
    FClip = ToQRect(clip);
    FPainter.setClipRect(FClip);
}

void TQtCanvas::FillRect(const TRect& r, TColor color)
{
    FPainter.fillRect(ToQRect(r).intersected(FClip), ToQColor(color));
}

void TQtCanvas::TextOut(int x, int y, const TRect& clip, std::string_view text, int advance, TColor color,
                        TColor back, bool opaque, TFontStyles style)
{
    const QRect c = ToQRect(clip).intersected(FClip);
    if (c.isEmpty())
        return;
    if (opaque)
        FPainter.fillRect(c, ToQColor(back));
    if (text.empty())
        return;
    if (!FHasFont)
        SetFont(TFontDesc{});
    const QRawFont& raw = RawFont(style);
    // Only the characters that reach into the clip.
    const int firstByte = std::max(0, (c.left() - x) / std::max(advance, 1) - 2);
    const int lastByte = std::min(static_cast<int>(text.size()), (c.right() + 1 - x) / std::max(advance, 1) + 1);
    QString chars;
    QVector<QPointF> positions;
    chars.reserve(lastByte - firstByte);
    positions.reserve(lastByte - firstByte);
    const qreal baseline = y + FMetrics.Ascent;
    std::size_t i = 0;
    while (i < text.size() && static_cast<int>(i) < firstByte)
        i += CharLength(text, i);
    while (i < text.size() && static_cast<int>(i) < lastByte) {
        std::size_t n = CharLength(text, i);
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (b > 0x20 || n == 2) {
            std::u16string u = n == 1 && b < 0x80 ? std::u16string(1, static_cast<char16_t>(b))
                                                  : Cp932ToUtf16(text.substr(i, n));
            for (char16_t ch : u) {
                chars.append(QChar(ch));
                positions.append(QPointF(x + static_cast<qreal>(i) * advance, baseline));
            }
        }
        i += n;
    }
    if (chars.isEmpty())
        return;
    FPainter.save();
    FPainter.setClipRect(c);
    FPainter.setPen(ToQColor(color));
    QVector<quint32> glyphs = raw.glyphIndexesForString(chars);
    // Characters the face lacks go through Qt's font fallback one by one.
    bool missing = false;
    for (int k = 0; k < glyphs.size() && k < chars.size(); ++k)
        missing |= glyphs[k] == 0;
    if (glyphs.size() == positions.size()) {
        QGlyphRun run;
        run.setRawFont(raw);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        run.setUnderline(style & fsUnderline);
        run.setStrikeOut(style & fsStrikeOut);
        FPainter.drawGlyphRun(QPointF(0, 0), run);
    } else {
        missing = true;
    }
    if (missing) {
        FPainter.setFont(FFonts[style & 15]);
        for (int k = 0; k < chars.size(); ++k)
            if (k >= glyphs.size() || glyphs[k] == 0)
                FPainter.drawText(positions[k], QString(chars[k]));
    }
    FPainter.restore();
}

void TQtCanvas::UsePen(const TPen& pen)
{
    QPen p(ToQColor(pen.Color));
    p.setWidth(std::max(1, pen.Width));
    p.setStyle(pen.Style == TPenStyle::Dot ? Qt::DotLine : pen.Style == TPenStyle::Dash ? Qt::DashLine : Qt::SolidLine);
    p.setCapStyle(Qt::FlatCap);
    FPainter.setPen(p);
    FPainter.setBrush(Qt::NoBrush);
}

void TQtCanvas::Line(TPoint a, TPoint b, const TPen& pen)
{
    UsePen(pen);
    FPainter.drawLine(a.X, a.Y, b.X, b.Y);
}

void TQtCanvas::Polyline(const TPoint* points, int count, const TPen& pen)
{
    UsePen(pen);
    QVector<QPoint> pts;
    pts.reserve(count);
    for (int i = 0; i < count; ++i)
        pts.append(QPoint(points[i].X, points[i].Y));
    FPainter.drawPolyline(pts.constData(), static_cast<int>(pts.size()));
}

void TQtCanvas::FrameRect(const TRect& r, const TPen& pen)
{
    UsePen(pen);
    FPainter.drawRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
}

void TQtCanvas::DrawBitmap(int x, int y, const TBitmap& bitmap, const TRect& src)
{
    FPainter.drawImage(QPoint(x, y), ImageOf(bitmap), ToQRect(src));
}
