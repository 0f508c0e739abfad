#pragma once
// A font as the settings name it, and the metrics the grid is built from.
#include <cstdint>
#include <string>

#include "platform/Color.h"

// Character sets as the settings file stores them.
constexpr std::uint8_t kShiftJisCharset = 128;
constexpr std::uint8_t kDefaultCharset = 1;

struct TFontDesc {
    std::string Name;  // face name in CP932
    int Height = -13;  // negative: character height in pixels; positive: cell height
    TFontStyles Style = 0;
    std::uint8_t Charset = kShiftJisCharset;
    friend bool operator==(const TFontDesc&, const TFontDesc&) = default;
};

struct TFontMetrics {
    int Height = 0;          // cell height
    int ExternalLeading = 0; // space the font asks for between rows
    int AveCharWidth = 0;
    int Ascent = 0;          // baseline below the cell top; 0 when unknown
    friend bool operator==(const TFontMetrics&, const TFontMetrics&) = default;
};
