#pragma once
// A complete copy of an editor's display and behaviour settings, apart from its text, so they
// can move from one editor to another or be kept per file extension.
#include <functional>
#include <memory>

#include "colouring/ColouredEditor.h"
#include "colouring/EditorViewInfo.h"
#include "colouring/FileExtComponent.h"
#include "engine/Caret.h"
#include "engine/ViewSettings.h"
#include "engine/WrapOption.h"

class TEditorProp : public TFileExtComponent {
public:
    TEditorProp();
    ~TEditorProp() override;
    TEditorProp(const TEditorProp&) = delete;
    TEditorProp& operator=(const TEditorProp&) = delete;

    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TEditorCaret& Caret() { return *FCaret; }
    TEditorFont& Font() { return *FFont; }
    TEditorImagebar& Imagebar() { return *FImagebar; }
    TEditorLeftbar& Leftbar() { return *FLeftbar; }
    TEditorMargin& Margin() { return *FMargin; }
    TEditorMarks& Marks() { return *FMarks; }
    TReserveWordList& ReserveWordList() { return FReserveWordList; }
    TEditorRuler& Ruler() { return *FRuler; }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle v);
    TEditorSpeed& Speed() { return *FSpeed; }
    TEditorViewInfo& View() { return *FView; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    TEditorWrapOption& WrapOption() { return *FWrapOption; }

    // Each called when its property is set to a new value.
    TNotifyEvent OnColorChange;
    TNotifyEvent OnScrollBarsChange;
    TNotifyEvent OnWordWrapChange;

    // Takes every setting of an editor (not the extension list).
    void Assign(TColouredEditor& source);
    // Takes every setting of another set, the extension list included.
    void Assign(TEditorProp& source);
    // Gives an editor every setting; its text is wrapped again at most once.
    void AssignTo(TColouredEditor& target);
    void AssignTo(TEditorProp& target) { target.Assign(*this); }

protected:
    virtual std::unique_ptr<TEditorCaret> CreateCaret();
    virtual std::unique_ptr<TEditorImagebar> CreateImagebar();
    virtual std::unique_ptr<TEditorLeftbar> CreateLeftbar();
    virtual std::unique_ptr<TEditorMargin> CreateMargin();
    virtual std::unique_ptr<TEditorMarks> CreateMarks();
    virtual std::unique_ptr<TEditorRuler> CreateRuler();
    virtual std::unique_ptr<TEditorSpeed> CreateSpeed();
    virtual std::unique_ptr<TEditorViewInfo> CreateView();
    virtual std::unique_ptr<TEditorWrapOption> CreateWrapOption();
    // A derived set whose factories make other classes calls this from its constructor (the
    // base constructor cannot reach the derived factories).
    void CreateSubObjects();

private:
    TColor FColor = clWindow;
    std::unique_ptr<TEditorCaret> FCaret;
    std::unique_ptr<TEditorFont> FFont;
    std::unique_ptr<TEditorImagebar> FImagebar;
    std::unique_ptr<TEditorLeftbar> FLeftbar;
    std::unique_ptr<TEditorMargin> FMargin;
    std::unique_ptr<TEditorMarks> FMarks;
    TReserveWordList FReserveWordList;
    std::unique_ptr<TEditorRuler> FRuler;
    TScrollStyle FScrollBars = ssBoth;
    std::unique_ptr<TEditorSpeed> FSpeed;
    std::unique_ptr<TEditorViewInfo> FView;
    bool FWordWrap = false;
    std::unique_ptr<TEditorWrapOption> FWrapOption;
};

// Everything a display mode sets, from one editor to another: the property set, the extended
// control's settings and the colouring definition in use.
void CopyDisplaySettings(TColouredEditor& from, TColouredEditor& to);

// Makes `to` a second view of `from`'s text, as the split does: every display setting, the
// extended settings, the modified flag, the input-method mode, the insert/overwrite and box
// modes, read-only, the event handlers and the top row; then binds it to `from`'s rows, so
// both show and edit one text (one undo history) with their own carets.
void CopyEditorForSplit(TColouredEditor& from, TColouredEditor& to);
