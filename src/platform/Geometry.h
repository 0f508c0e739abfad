#pragma once
// Points, sizes and rectangles in pixels, as the editor, its host and the canvas exchange them.
// A rectangle includes Left/Top and excludes Right/Bottom.
#include <algorithm>

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int Width = 0;
    int Height = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool Empty() const { return Right <= Left || Bottom <= Top; }
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    bool Intersects(const TRect& r) const
    {
        return !Empty() && !r.Empty() && Left < r.Right && r.Left < Right && Top < r.Bottom && r.Top < Bottom;
    }
    // The common part; an empty rectangle when there is none.
    TRect Intersect(const TRect& r) const
    {
        TRect x{std::max(Left, r.Left), std::max(Top, r.Top), std::min(Right, r.Right), std::min(Bottom, r.Bottom)};
        return x.Empty() ? TRect{} : x;
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    TRect Union(const TRect& r) const
    {
        if (Empty())
            return r;
        if (r.Empty())
            return *this;
        return {std::min(Left, r.Left), std::min(Top, r.Top), std::max(Right, r.Right), std::max(Bottom, r.Bottom)};
    }
    friend bool operator==(const TRect&, const TRect&) = default;
};
