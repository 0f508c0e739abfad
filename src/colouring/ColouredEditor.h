#pragma once
// An editor as the display modes and the property set see it: the editing control, its
// colouring, and the settings the extended control adds on top (highlighted words and quote
// lines, tab, double-byte-space and wrap-column marks). The extended control implements this
// by forwarding to its own objects; TBasicColouredEditor keeps the extras as plain values.
#include <memory>
#include <string>
#include <vector>

#include "colouring/EditorColouring.h"

// A mark of the extended control: colour and whether it is drawn.
struct TVnMark {
    TColor Color = clNone;
    bool Visible = false;
    friend bool operator==(const TVnMark&, const TVnMark&) = default;
};

// A colour of the extended control (only Color and Style are painted).
struct TVnColor {
    TColor BkColor = clNone;
    TColor Color = clNone;
    TFontStyles Style = 0;
    friend bool operator==(const TVnColor&, const TVnColor&) = default;
};

// Every setting of the extended control, copied as a whole.
struct TVnSettings {
    // MarksVn
    TVnMark DByteSpace;
    TVnMark TabMark;
    TVnMark VertLine;
    // ViewVn
    TVnColor HiliteWord;
    TVnColor HiliteQLine;
    bool HiliteQLines = true;
    bool HiliteWords = true;
    // The lists, in the user's order.
    std::vector<std::string> HiliteQuoteMarks;
    std::vector<std::string> HiliteWordList;
    // Set per display mode: words are highlighted in plain text only.
    bool WordHighlight = true;
    friend bool operator==(const TVnSettings&, const TVnSettings&) = default;
};

// The input-method modes an editor asks for.
enum TImeMode { imDisable, imClose, imOpen, imDontCare };

class TColouredEditor {
public:
    virtual ~TColouredEditor() = default;

    virtual TEditor& Editor() = 0;
    virtual TEditorColouring& Colouring() = 0;
    // The component name: "Editor" for the main window's editor.
    virtual std::string Name() const = 0;

    virtual TVnSettings VnSettings() const = 0;
    virtual void SetVnSettings(const TVnSettings& v) = 0;

    virtual TImeMode ImeMode() const = 0;
    virtual void SetImeMode(TImeMode v) = 0;

    // Repaint everything (after the extras changed).
    virtual void Repaint() { Editor().InvalidateAll(); }

    // A second view of `source`'s text takes over the handlers the extended control and its
    // widget add to the editor's own events (row painting, keys, mouse); the split calls it.
    virtual void CopyHandlersFrom(TColouredEditor& source) { (void)source; }
};

// An editor and its colouring with the extras held as values: the sample editor of a dialog,
// tests, and any view that has no extended control behind it.
class TBasicColouredEditor : public TColouredEditor {
public:
    explicit TBasicColouredEditor(std::string name = "Editor", TEditorHost* host = nullptr);

    TEditor& Editor() override { return *FEditor; }
    TEditorColouring& Colouring() override { return *FColouring; }
    std::string Name() const override { return FName; }
    TVnSettings VnSettings() const override { return FVn; }
    void SetVnSettings(const TVnSettings& v) override { FVn = v; }
    TImeMode ImeMode() const override { return FImeMode; }
    void SetImeMode(TImeMode v) override { FImeMode = v; }

private:
    std::string FName;
    std::unique_ptr<TEditor> FEditor;
    std::unique_ptr<TEditorColouring> FColouring;
    TVnSettings FVn;
    TImeMode FImeMode = imDontCare;
};
