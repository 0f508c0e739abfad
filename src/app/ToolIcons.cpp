#include "app/ToolIcons.h"

#include <QByteArray>
#include <QPainter>
#include <QPixmap>

#include <array>
#include <utility>

namespace {

#define SVG(body) "<svg xmlns='http://www.w3.org/2000/svg' width='16' height='16' viewBox='0 0 16 16'>" body "</svg>"

// Plain strokes in the system's dark grey with one accent colour, legible at 16 pixels.
constexpr std::array<std::pair<std::string_view, std::string_view>, 19> kIcons{{
    {"spbNew", SVG("<path d='M3 1.5h7l3 3v10H3z' fill='#fff' stroke='#444'/><path d='M10 1.5v3h3' fill='none' stroke='#444'/>")},
    {"spbOpen", SVG("<path d='M1.5 3.5h5l1 1.5h7v9h-13z' fill='#f4d27a' stroke='#8a6d1e'/>")},
    {"spbSave", SVG("<path d='M1.5 1.5h11l2 2v11h-13z' fill='#5b82c2' stroke='#243f6b'/><rect x='4' y='2' width='7' height='4' fill='#fff'/><rect x='4' y='9' width='8' height='5' fill='#dde'/>")},
    {"spbPrint", SVG("<rect x='4.5' y='1.5' width='7' height='4' fill='#fff' stroke='#444'/><rect x='1.5' y='5.5' width='13' height='6' rx='1' fill='#999' stroke='#444'/><rect x='4.5' y='9.5' width='7' height='5' fill='#fff' stroke='#444'/>")},
    {"spbUndo", SVG("<path d='M5 3L1.5 6.5 5 10' fill='none' stroke='#2a6' stroke-width='2'/><path d='M2 6.5h7a4.5 4.5 0 0 1 0 9H6' fill='none' stroke='#2a6' stroke-width='2'/>")},
    {"spbCut", SVG("<circle cx='4.5' cy='12' r='2.5' fill='none' stroke='#c33' stroke-width='1.5'/><circle cx='11.5' cy='12' r='2.5' fill='none' stroke='#c33' stroke-width='1.5'/><path d='M5.5 9.5L11 1M10.5 9.5L5 1' stroke='#444' stroke-width='1.5'/>")},
    {"spbCopy", SVG("<rect x='1.5' y='1.5' width='8' height='10' fill='#fff' stroke='#444'/><rect x='6.5' y='4.5' width='8' height='10' fill='#fff' stroke='#444'/>")},
    {"spbPaste", SVG("<rect x='2.5' y='2.5' width='11' height='12' fill='#c9a25e' stroke='#6b4f1d'/><rect x='5.5' y='1' width='5' height='3' fill='#ddd' stroke='#444'/><rect x='5' y='6' width='7' height='7' fill='#fff'/>")},
    {"spbQCopy", SVG("<rect x='1.5' y='1.5' width='8' height='10' fill='#fff' stroke='#444'/><rect x='6.5' y='4.5' width='8' height='10' fill='#fff' stroke='#444'/><path d='M8.5 7.5l2 2-2 2M11 7.5l2 2-2 2' fill='none' stroke='#36c' stroke-width='1.2'/>")},
    {"spbQPaste", SVG("<rect x='2.5' y='2.5' width='11' height='12' fill='#c9a25e' stroke='#6b4f1d'/><rect x='5.5' y='1' width='5' height='3' fill='#ddd' stroke='#444'/><rect x='5' y='6' width='7' height='7' fill='#fff'/><path d='M6 7.5l2 2-2 2M8.5 7.5l2 2-2 2' fill='none' stroke='#36c' stroke-width='1.2'/>")},
    {"spbSelAll", SVG("<rect x='1.5' y='1.5' width='13' height='13' fill='#cde' stroke='#36c' stroke-dasharray='2 1'/><path d='M4 5h8M4 8h8M4 11h6' stroke='#444'/>")},
    {"spbBoxSel", SVG("<path d='M3 3h10M3 6h10M3 9h10M3 12h10' stroke='#888'/><rect x='5.5' y='4.5' width='5' height='7' fill='#36c' fill-opacity='.45' stroke='#36c'/>")},
    {"spbClipHis", SVG("<rect x='2.5' y='2.5' width='11' height='12' fill='#c9a25e' stroke='#6b4f1d'/><path d='M5 7h6M5 9.5h6M5 12h4' stroke='#fff'/>")},
    {"spbDate", SVG("<rect x='1.5' y='2.5' width='13' height='12' fill='#fff' stroke='#444'/><rect x='1.5' y='2.5' width='13' height='3' fill='#c33' stroke='#444'/><path d='M4 8h2M7 8h2M10 8h2M4 11h2M7 11h2' stroke='#444' stroke-width='1.5'/>")},
    {"spbTime", SVG("<circle cx='8' cy='8' r='6.5' fill='#fff' stroke='#444'/><path d='M8 3.5V8h3.5' fill='none' stroke='#c33' stroke-width='1.5'/>")},
    {"spbFind", SVG("<circle cx='6.5' cy='6.5' r='4.5' fill='#def' stroke='#444' stroke-width='1.5'/><path d='M10 10l4.5 4.5' stroke='#444' stroke-width='2.5'/>")},
    {"spbSplit", SVG("<rect x='1.5' y='1.5' width='13' height='13' fill='#fff' stroke='#444'/><path d='M1.5 8h13' stroke='#36c' stroke-width='2'/><path d='M4 4.5h7M4 11.5h7' stroke='#888'/>")},
    {"spbExit", SVG("<rect x='2.5' y='1.5' width='8' height='13' fill='#b58' stroke='#444'/><path d='M8 8h7M12 5l3 3-3 3' fill='none' stroke='#2a6' stroke-width='1.5'/>")},
    {"spbHelp", SVG("<circle cx='8' cy='8' r='6.5' fill='#36c'/><path d='M5.8 6a2.2 2.2 0 1 1 3 2c-.8.4-.8 1-.8 2' fill='none' stroke='#fff' stroke-width='1.6'/><circle cx='8' cy='12.3' r='1' fill='#fff'/>")},
}};

#undef SVG

QPixmap Letter(const QString& letter)
{
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.setPen(QColor(0x44, 0x44, 0x44));
    painter.drawRect(0, 0, 15, 15);
    painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, letter);
    return p;
}

} // namespace

std::string_view ToolIconSvg(std::string_view button)
{
    for (const auto& [name, svg] : kIcons)
        if (name == button)
            return svg;
    return {};
}

QIcon ToolIcon(std::string_view button, std::string_view themeName, const QString& letter)
{
    if (!themeName.empty()) {
        const QString name = QString::fromLatin1(themeName.data(), static_cast<qsizetype>(themeName.size()));
        if (QIcon::hasThemeIcon(name))
            return QIcon::fromTheme(name);
    }
    const std::string_view svg = ToolIconSvg(button);
    QPixmap p;
    if (!svg.empty() && p.loadFromData(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())), "SVG"))
        return QIcon(p);
    // No SVG reader in this Qt: a letter still tells the buttons apart.
    return QIcon(Letter(letter));
}
