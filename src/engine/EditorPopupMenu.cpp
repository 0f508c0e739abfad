// The editor's built-in context menu.
#include "engine/EditorPopupMenu.h"

#include "engine/Editor.h"

namespace {

TEditorMenuItem Separator()
{
    TEditorMenuItem item;
    item.Caption.assign(1, '-');
    return item;
}

TEditorMenuItem Command(std::string caption, std::string shortCutText, TShortCut shortCut,
                        std::function<void()> action)
{
    TEditorMenuItem item;
    item.Caption = std::move(caption);
    item.ShortCutText = std::move(shortCutText);
    item.ShortCut = shortCut;
    item.OnClick = std::move(action);
    return item;
}

bool ClipboardHasText(TEditor& e)
{
    TClipboard* clip = e.Host() ? e.Host()->Clipboard() : nullptr;
    return clip && clip->HasText();
}

} // namespace

TEditorPopupMenu::TEditorPopupMenu(TEditor& editor) : FEditor(editor)
{
    CreateItems();
}

void TEditorPopupMenu::CreateItems()
{
    FItems.clear();
    TEditorMenuItem markSet = Command("マーク設定", "", {}, nullptr);
    TEditorMenuItem markJump = Command("マークジャンプ", "", {}, nullptr);
    for (int n = 0; n < 10; ++n) {
        const char digit = static_cast<char>('0' + n);
        std::string setKey = "Shift+Ctrl+";
        setKey.push_back(digit);
        std::string jumpKey = "Ctrl+";
        jumpKey.push_back(digit);
        markSet.Items.push_back(Command(std::string(1, digit), setKey, {vk0 + n, ssShift | ssCtrl},
                                        [this, n] { MarkSetClick(n); }));
        markJump.Items.push_back(
            Command(std::string(1, digit), jumpKey, {vk0 + n, ssCtrl}, [this, n] { MarkJumpClick(n); }));
    }
    FItems.push_back(std::move(markSet));
    FItems.push_back(std::move(markJump));
    FItems.push_back(Separator());
    FItems.push_back(Command("元に戻す(&U)", "Ctrl+Z", {'Z', ssCtrl}, [this] { UndoClick(); }));
    // Redo sits on Ctrl+A here; the application's own menus may bind it otherwise.
    FItems.push_back(Command("やり直し(&R)", "Ctrl+A", {'A', ssCtrl}, [this] { RedoClick(); }));
    FItems.push_back(Separator());
    FItems.push_back(Command("切り取り(&T)", "Ctrl+X", {'X', ssCtrl}, [this] { CutClick(); }));
    FItems.push_back(Command("コピー(&C)", "Ctrl+C", {'C', ssCtrl}, [this] { CopyClick(); }));
    FItems.push_back(Command("貼り付け(&P)", "Ctrl+V", {'V', ssCtrl}, [this] { PasteClick(); }));
    FItems.push_back(Command("Box貼り付け(&B)", "Ctrl+B", {'B', ssCtrl}, [this] { BoxPasteClick(); }));
    FItems.push_back(Command("削除(&D)", "", {}, [this] { DeleteClick(); }));
    FItems.push_back(Separator());
    FItems.push_back(Command("すべて選択(&A)", "", {}, [this] { SelectAllClick(); }));
    FItems.push_back(Separator());
    FItems.push_back(Command("Box選択モード(&K)", "Ctrl+K", {'K', ssCtrl}, [this] { BoxSelectModeClick(); }));
}

void TEditorPopupMenu::Popup()
{
    DoPopup();
}

void TEditorPopupMenu::DoPopup()
{
    if (FItems.size() < piCount)
        return;
    TEditor& e = FEditor;
    const bool writable = !e.ReadOnly();
    const bool selected = e.SelLength() > 0;
    const bool clip = ClipboardHasText(e);
    const std::uint16_t used = e.UsedMarks();
    for (TItem menu : {piMarkSet, piMarkJump})
        for (int n = 0; n < 10 && n < static_cast<int>(FItems[menu].Items.size()); ++n)
            FItems[menu].Items[static_cast<std::size_t>(n)].Checked = used & (1u << n);
    FItems[piUndo].Enabled = e.CanUndo() && writable;
    FItems[piRedo].Enabled = e.CanRedo() && writable;
    FItems[piCut].Enabled = selected && writable;
    FItems[piCopy].Enabled = selected;
    FItems[piPaste].Enabled = clip && writable;
    FItems[piBoxPaste].Enabled = clip && writable;
    FItems[piDelete].Enabled = selected && writable;
    FItems[piSelectAll].Enabled = e.TextLength() > 0;
    FItems[piBoxSelectMode].Checked = e.BoxSelection();
}

void TEditorPopupMenu::Click(int item, int sub)
{
    if (item < 0 || item >= static_cast<int>(FItems.size()))
        return;
    const TEditorMenuItem* it = &FItems[static_cast<std::size_t>(item)];
    if (sub >= 0) {
        if (sub >= static_cast<int>(it->Items.size()))
            return;
        it = &it->Items[static_cast<std::size_t>(sub)];
    }
    if (it->IsSeparator() || !it->Enabled || !it->OnClick)
        return;
    // The action may rebuild the items; keep it alive while it runs.
    const std::function<void()> action = it->OnClick;
    action();
}

void TEditorPopupMenu::MarkSetClick(int n)
{
    TEditor& e = FEditor;
    if (e.RowMarks(e.Row()) & (1u << n))
        e.DeleteRowMark(e.Row(), n);
    else
        e.PutRowMark(e.Row(), n);
}

void TEditorPopupMenu::MarkJumpClick(int n)
{
    FEditor.GotoRowMark(n);
}

void TEditorPopupMenu::UndoClick()
{
    FEditor.Undo();
}

void TEditorPopupMenu::RedoClick()
{
    FEditor.Redo();
}

void TEditorPopupMenu::CutClick()
{
    FEditor.CutToClipboard();
}

void TEditorPopupMenu::CopyClick()
{
    FEditor.CopyToClipboard();
}

void TEditorPopupMenu::PasteClick()
{
    FEditor.PasteFromClipboard();
}

void TEditorPopupMenu::BoxPasteClick()
{
    TClipboard* clip = FEditor.Host() ? FEditor.Host()->Clipboard() : nullptr;
    if (clip && clip->HasText())
        FEditor.BoxPaste(clip->GetText());
}

void TEditorPopupMenu::DeleteClick()
{
    FEditor.ClearSelection();
}

void TEditorPopupMenu::SelectAllClick()
{
    FEditor.SelectAll();
}

void TEditorPopupMenu::BoxSelectModeClick()
{
    TEditorMenuItem& item = FItems[piBoxSelectMode];
    item.Checked = !item.Checked;
    FEditor.SetBoxSelection(item.Checked);
    item.Checked = FEditor.BoxSelection();
}
