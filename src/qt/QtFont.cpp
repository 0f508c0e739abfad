#include "qt/QtFont.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>

#include <cmath>

#include "qt/QtCp932.h"

namespace {

QString FindInstalled(const QStringList& families, const QString& wanted)
{
    for (const QString& f : families)
        if (f.compare(wanted, Qt::CaseInsensitive) == 0)
            return f;
    return {};
}

QString FallbackFamily()
{
    static const QString chosen = [] {
        const QStringList families = QFontDatabase::families();
        for (const char* name : {"IPAGothic", "IPAゴシック", "IPA Gothic", "Noto Sans Mono CJK JP", "VL Gothic",
                                 "TakaoGothic", "Takao Gothic"}) {
            QString f = FindInstalled(families, QString::fromUtf8(name));
            if (!f.isEmpty())
                return f;
        }
        // Any fixed-pitch face that writes Japanese.
        for (const QString& f : QFontDatabase::families(QFontDatabase::Japanese))
            if (QFontDatabase::isFixedPitch(f))
                return f;
        return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    }();
    return chosen;
}

} // namespace

QString ResolveFontFamily(const TFontDesc& desc)
{
    static QHash<QString, QString> cache;
    const QString name = QStringFromCp932(desc.Name);
    auto it = cache.find(name);
    if (it != cache.end())
        return *it;
    QString family = FindInstalled(QFontDatabase::families(), name);
    if (family.isEmpty())
        family = FallbackFamily();
    cache.insert(name, family);
    return family;
}

QFont QFontFromDesc(const TFontDesc& desc)
{
    QFont font(ResolveFontFamily(desc));
    font.setStyleHint(QFont::TypeWriter, QFont::PreferDefault);
    // Negative: the character height; positive: the cell height, of which the character
    // takes about seven eighths.
    int pixels = desc.Height < 0 ? -desc.Height : std::max(1, desc.Height * 7 / 8);
    font.setPixelSize(std::max(pixels, 1));
    font.setBold(desc.Style & fsBold);
    font.setItalic(desc.Style & fsItalic);
    font.setUnderline(desc.Style & fsUnderline);
    font.setStrikeOut(desc.Style & fsStrikeOut);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

TFontMetrics GridMetrics(const QFont& font)
{
    QFontMetricsF fm(font);
    TFontMetrics m;
    m.Ascent = static_cast<int>(std::ceil(fm.ascent()));
    m.Height = m.Ascent + static_cast<int>(std::ceil(fm.descent()));
    m.ExternalLeading = std::max(0, static_cast<int>(std::round(fm.leading())));
    // Half the width of a full-width character, so that two cells hold one exactly.
    qreal wide = fm.horizontalAdvance(QChar(0x65E5)); // 日
    qreal narrow = fm.horizontalAdvance(QLatin1Char('x'));
    m.AveCharWidth = std::max(1, static_cast<int>(std::round(std::max(wide / 2, narrow))));
    return m;
}
