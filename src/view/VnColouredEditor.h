#pragma once
// The application's editor control as the display modes, the property set and the split see
// it: TVnEdit's own colouring and display aids behind the TColouredEditor face, so a mode
// change or a copied setting reaches the screen.
#include <string>

#include "colouring/ColouredEditor.h"
#include "view/VnEdit.h"

class TVnColouredEditor : public TColouredEditor {
public:
    // `edit` outlives this view of it.
    TVnColouredEditor(TVnEdit& edit, std::string name);

    TVnEdit& Edit() { return FEdit; }
    TEditor& Editor() override { return FEdit; }
    TEditorColouring& Colouring() override { return FEdit.Colouring(); }
    std::string Name() const override { return FName; }

    TVnSettings VnSettings() const override;
    void SetVnSettings(const TVnSettings& v) override;

    // The editor has no input method of its own; the mode asked for is kept for the host.
    TImeMode ImeMode() const override { return FImeMode; }
    void SetImeMode(TImeMode v) override { FImeMode = v; }

    void CopyHandlersFrom(TColouredEditor& source) override;

private:
    TVnEdit& FEdit;
    std::string FName;
    TImeMode FImeMode = imDontCare;
};
