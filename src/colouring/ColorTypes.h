#pragma once
// Colour values and font styles as the colouring settings store them. A colour is 0x00BBGGRR;
// clNone means "no colour of its own": the editor's background or font colour is used.
#include <cstdint>

using TColor = std::uint32_t;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clBlack = 0x000000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clWhite = 0xFFFFFF;

enum TFontStyle : std::uint8_t {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};

// A set of TFontStyle bits.
using TFontStyles = std::uint8_t;
