// Copy, cut and paste through the host's clipboard, and the edit-control messages for them.
#include "engine/Editor.h"

void TEditor::CopyToClipboard()
{
    TClipboard* clip = FHost ? FHost->Clipboard() : nullptr;
    if (!clip || !Selected())
        return;
    std::string text = SelText();
    if (FBoxSelection)
        clip->SetBoxText(text);
    else
        clip->SetText(text);
}

void TEditor::CutToClipboard()
{
    // Read-only: neither the text nor what the clipboard holds changes. Without a clipboard
    // the text is not cut either, so nothing is lost.
    TClipboard* clip = FHost ? FHost->Clipboard() : nullptr;
    if (FReadOnly || !clip || !Selected())
        return;
    CopyToClipboard();
    ClearSelection();
}

void TEditor::PasteFromClipboard()
{
    TClipboard* clip = FHost ? FHost->Clipboard() : nullptr;
    if (FReadOnly || !clip || !clip->HasText())
        return;
    std::string text = clip->GetText();
    if (clip->HasBoxFormat())
        BoxPaste(text);
    else
        InsertText(text);
}

void TEditor::WMCut()
{
    TClipboard* clip = FHost ? FHost->Clipboard() : nullptr;
    if (!clip || FReadOnly)
        return;
    if (Selected())
        CutToClipboard();
    else
        clip->SetText({});
}

void TEditor::WMCopy()
{
    TClipboard* clip = FHost ? FHost->Clipboard() : nullptr;
    if (!clip)
        return;
    if (Selected())
        CopyToClipboard();
    else
        clip->SetText({});
}

void TEditor::WMPaste()
{
    PasteFromClipboard();
}

void TEditor::WMClear()
{
    ClearSelection();
}
