#include "colouring/EditorSplit.h"

#include "colouring/DisplayModes.h"
#include "colouring/EditorProp.h"

TEditorSplit::TEditorSplit(TColouredEditor& main, TFactory create, TDisplayModes* modes)
    : FMain(main)
    , FCreate(std::move(create))
    , FModes(modes)
{
}

TEditorSplit::~TEditorSplit()
{
    if (FModes && FSub && FModes->SubEditor() == FSub.get()) {
        FModes->SetSubEditor(nullptr);
    }
}

void TEditorSplit::SetSplit(bool on)
{
    if (on == Split()) {
        return;
    }
    if (on) {
        std::unique_ptr<TColouredEditor> sub = FCreate();
        if (!sub) {
            return;
        }
        CopyEditorForSplit(FMain, *sub);
        FSub = std::move(sub);
        if (FModes) {
            FModes->SetSubEditor(FSub.get());
        }
    } else {
        if (FModes && FModes->SubEditor() == FSub.get()) {
            FModes->SetSubEditor(nullptr);
        }
        FSub.reset();
        FMain.Repaint();
    }
    if (OnChange) {
        OnChange();
    }
}

TEditorSplit::TSingleEditor::TSingleEditor(TEditorSplit& split, bool restore)
    : FSplit(split)
    , FRestore(restore && split.Split())
{
    FSplit.SetSplit(false);
}

TEditorSplit::TSingleEditor::~TSingleEditor()
{
    if (FRestore) {
        FSplit.SetSplit(true);
    }
}
