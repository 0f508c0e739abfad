#pragma once
// The clipboard as the editor core sees it: text is CP932 bytes. A box (rectangular)
// selection is copied as its text plus the registered marker format, written in one go so
// that no other program can see the text without the marker or the other way round.
#include <string>
#include <string_view>

// Name of the registered format that marks clipboard text as a box selection.
inline constexpr std::string_view kBoxFormatName = "TEditor Box Type";

class TClipboard {
public:
    virtual ~TClipboard() = default;

    virtual bool HasText() const = 0;
    // The clipboard text in CP932; empty when it holds none.
    virtual std::string GetText() const = 0;
    // Replaces the clipboard contents with the text (no box marker).
    virtual void SetText(std::string_view cp932) = 0;
    // Replaces the clipboard contents with the text and the box marker together.
    virtual void SetBoxText(std::string_view cp932) = 0;
    // The clipboard holds text that was copied as a box.
    virtual bool HasBoxFormat() const = 0;
};
