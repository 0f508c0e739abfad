#include "view/ViewImages.h"

#include <array>
#include <string>

namespace view_images {

namespace {

// '#' is a set pixel. Rows top to bottom.
constexpr const char* kDigits[10][kDigitFontHeight] = {
    {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
    {".#...", "##...", ".#...", ".#...", ".#...", ".#...", ".#...", ".#...", "###.."},
    {".###.", "#...#", "....#", "....#", "...#.", "..#..", ".#...", "#....", "#####"},
    {".###.", "#...#", "....#", "....#", "..##.", "....#", "....#", "#...#", ".###."},
    {"...#.", "..##.", ".#.#.", "#..#.", "#..#.", "#####", "...#.", "...#.", "...#."},
    {"#####", "#....", "#....", "####.", "....#", "....#", "....#", "#...#", ".###."},
    {".###.", "#....", "#....", "####.", "#...#", "#...#", "#...#", "#...#", ".###."},
    {"#####", "....#", "...#.", "...#.", "..#..", "..#..", ".#...", ".#...", ".#..."},
    {".###.", "#...#", "#...#", "#...#", ".###.", "#...#", "#...#", "#...#", ".###."},
    {".###.", "#...#", "#...#", "#...#", ".####", "....#", "....#", "....#", ".###."},
};

constexpr TColor kBadge = 0x800000;  // dark blue
constexpr TColor kBadgeText = clWhite;
constexpr TColor kTransparent = clNone;

std::array<TBitmap, 10> MakeBookmarks()
{
    std::array<TBitmap, 10> out;
    for (int d = 0; d < 10; ++d) {
        TBitmap& b = out[static_cast<std::size_t>(d)];
        b.Resize(8, 11, kTransparent);
        // A rounded badge with the digit in it.
        b.FillRect({1, 0, 7, 11}, kBadge);
        b.FillRect({0, 1, 8, 10}, kBadge);
        for (int y = 0; y < kDigitFontHeight; ++y)
            for (int x = 0; x < kDigitFontWidth; ++x)
                if (DigitFontPixel(d, x, y))
                    b.SetPixel(x + (d == 1 ? 3 : 2), y + 1, kBadgeText);
    }
    return out;
}

std::array<TBitmap, 6> MakeMarks()
{
    std::array<TBitmap, 6> out;
    for (int i = 0; i < 6; ++i) {
        TBitmap& b = out[static_cast<std::size_t>(i)];
        b.Resize(11, 11, kTransparent);
        switch (i) {
        case 0: // automatic page start: a sheet with a dotted fold
            b.FillRect({1, 0, 9, 11}, clWhite);
            b.HLine(1, 9, 0, clGray);
            b.HLine(1, 9, 10, clGray);
            b.VLine(1, 0, 11, clGray);
            b.VLine(8, 0, 11, clGray);
            for (int x = 2; x < 8; x += 2)
                b.SetPixel(x, 5, clBlack);
            break;
        case 3: // manual page break: a sheet cut by a solid line
            b.FillRect({1, 0, 9, 11}, clWhite);
            b.HLine(1, 9, 0, clGray);
            b.HLine(1, 9, 10, clGray);
            b.VLine(1, 0, 11, clGray);
            b.VLine(8, 0, 11, clGray);
            b.HLine(0, 10, 5, 0x0000C0);
            break;
        default: // the other mark bits: a diamond
            for (int y = 0; y < 11; ++y) {
                int half = y <= 5 ? y : 10 - y;
                b.HLine(5 - half, 6 + half, y, 0x008000);
            }
            break;
        }
    }
    return out;
}

} // namespace

bool DigitFontPixel(int d, int x, int y)
{
    if (d < 0 || d > 9 || x < 0 || x >= kDigitFontWidth || y < 0 || y >= kDigitFontHeight)
        return false;
    return kDigits[d][y][x] == '#';
}

int DigitFontAdvance(int d)
{
    return d == 1 ? 4 : kDigitFontWidth + 1;
}

int NumberWidth(long long n)
{
    std::string s = std::to_string(n < 0 ? -n : n);
    int w = 0;
    for (char c : s)
        w += DigitFontAdvance(c - '0');
    return w;
}

int DrawNumber(TBitmap& bmp, int x, int y, long long n, TColor color)
{
    std::string s = std::to_string(n < 0 ? -n : n);
    int start = x;
    for (char c : s) {
        int d = c - '0';
        for (int j = 0; j < kDigitFontHeight; ++j)
            for (int i = 0; i < kDigitFontWidth; ++i)
                if (DigitFontPixel(d, i, j))
                    bmp.SetPixel(x + i, y + j, color);
        x += DigitFontAdvance(d);
    }
    return x - start;
}

const TBitmap& BookmarkImage(int i)
{
    static const std::array<TBitmap, 10> images = MakeBookmarks();
    return images[static_cast<std::size_t>(i < 0 || i > 9 ? 0 : i)];
}

const TBitmap& MarkImage(int i)
{
    static const std::array<TBitmap, 6> images = MakeMarks();
    return images[static_cast<std::size_t>(i < 0 || i > 5 ? 0 : i)];
}

} // namespace view_images
