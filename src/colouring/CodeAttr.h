#pragma once
// The display settings of one text kind (plain text, HTML or a defined language) as the file
// "CodeAttr.ini" keeps them: view switches in section [name], colours and font styles in
// [name + "Attr"]. Only what differs from the defaults is stored.
#include <string>
#include <string_view>
#include <vector>

#include "colouring/ColouredEditor.h"
#include "colouring/Profile.h"

// A colour setting with its font style.
struct TCodeAttrColor {
    TColor Color;
    TFontStyles Style;
    friend bool operator==(const TCodeAttrColor&, const TCodeAttrColor&) = default;
};

struct TCodeAttr {
    // [name]
    bool WordWrap = true;
    int ImeMode = imOpen; // imOpen, or imDontCare when the input method is not to be opened
    bool TrimRightStr = false;
    bool UnderLine = false;
    bool VertLine = false;
    int TabSpace = 8;
    bool LineNo = true;
    TEditorShowNumberMode LineNoMode = nmLine;
    std::string FontName = DefaultFontName();
    int FontSize = 10;
    bool HiperLink = true; // plain text only, as are the two lists
    std::vector<std::string> HiliteWords;
    std::vector<std::string> HiliteQuoteMarks = DefaultQuoteMarks();

    // [name + "Attr"]
    TColor ForeColor = 0x000000;
    TFontStyles EditorStyle = 0;
    TColor BackColor = 0xFFFFFF;
    TColor SelColor = 0xFFFFFF;
    TColor SelBkColor = 0x000000;
    TColor RetMarkColor = 0x808000;
    TColor UnderlineColor = 0x808080;
    // Languages and HTML.
    TCodeAttrColor Comment{0x008000, fsItalic};
    TCodeAttrColor Reserve{0xFF0000, 0};
    TCodeAttrColor Symbol{0x0000FF, 0};
    TCodeAttrColor Str{0x000080, 0};
    TCodeAttrColor Num{0xFF00FF, 0};
    // Plain text.
    TCodeAttrColor Mail{0xFF0000, fsUnderline};
    TCodeAttrColor Url{0x008000, fsUnderline};
    TCodeAttrColor Hilite{0x000000, fsBold};
    TCodeAttrColor HiQteLine{0x000000, 0};

    static std::string DefaultFontName();
    static std::vector<std::string> DefaultQuoteMarks();
    friend bool operator==(const TCodeAttr&, const TCodeAttr&) = default;
};

// The name of the plain-text kind, in CP932: its sections are [通常のテキスト] and
// [通常のテキストAttr].
std::string PlainTextModeName();
// The HTML kind's name as the View menu and the display file spell it (full-width letters).
std::string HtmlModeName();

// Reads a kind's settings; missing keys (or a missing file) give the defaults.
TCodeAttr ReadCodeAttr(const TProfile& attr, std::string_view name);
// Writes a kind's settings (all but WordWrap): every key that differs from its default is
// written, every other one removed. Only the keys of the kind are touched: the plain-text
// keys for the plain-text kind, the language keys for any other.
void WriteCodeAttr(TProfile& attr, std::string_view name, const TCodeAttr& values);
// Puts the settings into an editor: view switches, font, colours of the editor, its
// fountain and its extras.
void ApplyCodeAttr(TColouredEditor& editor, std::string_view name, const TCodeAttr& values);

// Font size in points as the editor's font height (negative: character height in pixels).
int FontSizeToHeight(int points);
