#pragma once
// The built-in pixel art of the view: the ruler's 5 x 9 digit font and the image bar's
// bookmark images (8 x 11 digits for bookmarks 0-9, 11 x 11 marks for the page bits 10-15).
#include "platform/Bitmap.h"

namespace view_images {

constexpr int kDigitFontWidth = 5;
constexpr int kDigitFontHeight = 9;

// Whether pixel (x, y) of digit d (0-9) of the ruler font is set.
bool DigitFontPixel(int d, int x, int y);
// Pixels a digit advances: a '1' is narrower than the rest.
int DigitFontAdvance(int d);
// Draws the decimal number n at (x, y) of `bmp`; returns the width drawn.
int DrawNumber(TBitmap& bmp, int x, int y, long long n, TColor color);
// The width DrawNumber would take.
int NumberWidth(long long n);

// Image i of the built-in digit list (bookmark i), and of the mark list (row-mark bit 10 + i).
const TBitmap& BookmarkImage(int i);
const TBitmap& MarkImage(int i);

} // namespace view_images
