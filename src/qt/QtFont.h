#pragma once
// The editor's font as Qt sees it: the face the settings name, or, when it is not installed
// (the usual "ＭＳ ゴシック" on Linux), an installed Japanese monospace face found through
// fontconfig's families; IPAGothic first.
#include <QFont>
#include <QString>

#include "platform/Font.h"

// The family actually used for `desc`.
QString ResolveFontFamily(const TFontDesc& desc);
QFont QFontFromDesc(const TFontDesc& desc);
// Metrics on the grid: ASCII takes one cell, every double-byte character two.
TFontMetrics GridMetrics(const QFont& font);
