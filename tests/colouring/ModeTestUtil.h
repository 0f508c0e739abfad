#pragma once
// Helpers for the display-mode tests: a window stand-in that records messages and the View
// menu, and a dump of the colours a row's tokens get.
#include <string>
#include <vector>

#include "MemoryProfile.h"
#include "colouring/DisplayModes.h"
#include "colouring/FountainParser.h"
#include "colouring/TokenKinds.h"

namespace modetest {

// Answers View-menu choices the way the window's handler does: it runs the mode operation
// and shows the mode's name.
class TFakeWindow : public TDisplayModeHost {
public:
    std::vector<std::string> Messages;
    std::string Status;
    std::vector<std::string> LanguageItems; // hints of the language items
    std::vector<std::string> Selected;
    TDisplayModes* Modes = nullptr;

    void ShowMessage(std::string_view text) override { Messages.emplace_back(text); }
    std::string StatusModeName() const override { return Status; }
    void SetStatusModeName(std::string_view name) override { Status = name; }
    bool SelectViewItem(TViewItem item, std::string_view name) override
    {
        if (item == TViewItem::Language) {
            bool found = false;
            for (const auto& l : LanguageItems) {
                found = found || l == name;
            }
            if (!found) {
                return false;
            }
        }
        Selected.emplace_back(name);
        if (Modes && Modes->MainEditor()) {
            switch (item) {
            case TViewItem::PlainText:
                Modes->SetPlainTextMode(*Modes->MainEditor());
                break;
            case TViewItem::Html:
                Modes->SetHtmlMode(*Modes->MainEditor());
                break;
            case TViewItem::Language:
                Modes->SetLanguageMode(name);
                Status = name;
                break;
            }
        }
        return true;
    }
};

// The text of each coloured token with its font colour: "int=ff0000 x=0".
inline std::string ColourDump(TEditorColouring& c, std::string_view row)
{
    auto p = c.CreateParser();
    p->StartRow(row, TRowParseState::First());
    std::string out;
    for (int kind = p->NextToken(); kind != tokEnd; kind = p->NextToken()) {
        const TFountainColor* colour = p->TokenColor();
        char hex[16];
        std::snprintf(hex, sizeof hex, "%x", colour ? colour->Color() : clNone);
        if (!out.empty()) {
            out += ' ';
        }
        out += std::string(p->TokenString()) + "=" + hex;
    }
    return out;
}

} // namespace modetest
