#pragma once
// The tool buttons' pictures: the desktop icon theme's where it has one, else our own small
// drawings, so a button never stands empty.
#include <QIcon>
#include <QString>

#include <string_view>

// Our own 16x16 drawing for a tool button ("spbNew" …) as SVG text; empty for an unknown name.
std::string_view ToolIconSvg(std::string_view button);
// The theme's icon `themeName` (may be empty), else our drawing, else a letter.
QIcon ToolIcon(std::string_view button, std::string_view themeName, const QString& letter);
