#pragma once
// The main window's split: a second view of the document below the first, made on demand and
// freed when the split goes off. Both views edit one text; display modes reach both.
#include <functional>
#include <memory>

#include "colouring/ColouredEditor.h"

class TDisplayModes;

class TEditorSplit {
public:
    // Makes the lower view (the window gives it its widget).
    using TFactory = std::function<std::unique_ptr<TColouredEditor>()>;

    TEditorSplit(TColouredEditor& main, TFactory create, TDisplayModes* modes = nullptr);
    ~TEditorSplit();
    TEditorSplit(const TEditorSplit&) = delete;
    TEditorSplit& operator=(const TEditorSplit&) = delete;

    bool Split() const { return FSub != nullptr; }
    // The lower view while split, else nullptr.
    TColouredEditor* SubEditor() const { return FSub.get(); }
    // On: a new view with every setting of the main one, bound to its text. Off: the lower
    // view is freed; the main one keeps the text.
    void SetSplit(bool on);
    void Toggle() { SetSplit(!Split()); }

    // Called after the split went on or off (the window lays itself out again).
    std::function<void()> OnChange;

    // For a command that needs one editor: the split is off while it lives and, when
    // `restore` is set, on again afterwards if it was on before.
    class TSingleEditor {
    public:
        TSingleEditor(TEditorSplit& split, bool restore);
        ~TSingleEditor();
        TSingleEditor(const TSingleEditor&) = delete;
        TSingleEditor& operator=(const TSingleEditor&) = delete;

    private:
        TEditorSplit& FSplit;
        bool FRestore;
    };

private:
    TColouredEditor& FMain;
    TFactory FCreate;
    TDisplayModes* FModes;
    std::unique_ptr<TColouredEditor> FSub;
};
