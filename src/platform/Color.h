#pragma once
// Colour values and font styles as the settings store them. A colour is 0x00BBGGRR; the
// system colours carry the high byte 0xFF and the system colour index in the low byte,
// resolved by the host when painting. clNone means "no colour of its own": the editor's
// background or font colour is used.
#include <cstdint>

using TColor = std::uint32_t;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clBlack = 0x000000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clGray = 0x808080;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clWindowText = 0xFF000008;
constexpr TColor clBtnFace = 0xFF00000F;
constexpr TColor clBtnText = 0xFF000012;

enum TFontStyle : std::uint8_t {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};

// A set of TFontStyle bits.
using TFontStyles = std::uint8_t;
