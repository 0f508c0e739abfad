#pragma once
// A small toolkit-free pixel buffer for the prepared pieces of the view (ruler, corner, mark
// images): painted once per metric change and copied to the canvas on every paint.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/Color.h"
#include "platform/Geometry.h"

class TBitmap {
public:
    TBitmap() = default;
    TBitmap(int width, int height, TColor fill = clWhite) { Resize(width, height, fill); }

    void Resize(int width, int height, TColor fill = clWhite)
    {
        FWidth = std::max(width, 0);
        FHeight = std::max(height, 0);
        FPixels.assign(static_cast<std::size_t>(FWidth) * static_cast<std::size_t>(FHeight), fill);
        ++FVersion;
    }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Rises with every change, so a backend may cache its converted copy.
    std::uint64_t Version() const { return FVersion; }

    TColor Pixel(int x, int y) const
    {
        return Inside(x, y) ? FPixels[Index(x, y)] : clNone;
    }
    void SetPixel(int x, int y, TColor c)
    {
        if (Inside(x, y)) {
            FPixels[Index(x, y)] = c;
            ++FVersion;
        }
    }
    void FillRect(const TRect& r, TColor c)
    {
        TRect x = r.Intersect({0, 0, FWidth, FHeight});
        for (int y = x.Top; y < x.Bottom; ++y)
            std::fill_n(FPixels.begin() + static_cast<std::ptrdiff_t>(Index(x.Left, y)), x.Width(), c);
        ++FVersion;
    }
    void HLine(int x0, int x1, int y, TColor c) { FillRect({x0, y, x1, y + 1}, c); }
    void VLine(int x, int y0, int y1, TColor c) { FillRect({x, y0, x + 1, y1}, c); }
    // Copies a rectangle of `from` to (x, y) of this bitmap.
    void CopyFrom(int x, int y, const TBitmap& from, const TRect& src)
    {
        for (int j = src.Top; j < src.Bottom; ++j)
            for (int i = src.Left; i < src.Right; ++i)
                if (from.Inside(i, j))
                    SetPixelQuiet(x + i - src.Left, y + j - src.Top, from.FPixels[from.Index(i, j)]);
        ++FVersion;
    }
    const std::vector<TColor>& Pixels() const { return FPixels; }

private:
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < FWidth && y < FHeight; }
    std::size_t Index(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(FWidth) + static_cast<std::size_t>(x);
    }
    void SetPixelQuiet(int x, int y, TColor c)
    {
        if (Inside(x, y))
            FPixels[Index(x, y)] = c;
    }

    int FWidth = 0;
    int FHeight = 0;
    std::vector<TColor> FPixels;
    std::uint64_t FVersion = 0;
};
