// The editor's built-in context menu.
#include "engine/EditorPopupMenu.h"

#include "engine/Editor.h"

TEditorPopupMenu::TEditorPopupMenu(TEditor& editor) : FEditor(editor) { CreateItems(); }
void TEditorPopupMenu::Popup() { DoPopup(); }
void TEditorPopupMenu::Click(int, int) {}
void TEditorPopupMenu::MarkSetClick(int) {}
void TEditorPopupMenu::MarkJumpClick(int) {}
void TEditorPopupMenu::UndoClick() {}
void TEditorPopupMenu::RedoClick() {}
void TEditorPopupMenu::CutClick() {}
void TEditorPopupMenu::CopyClick() {}
void TEditorPopupMenu::PasteClick() {}
void TEditorPopupMenu::BoxPasteClick() {}
void TEditorPopupMenu::DeleteClick() {}
void TEditorPopupMenu::SelectAllClick() {}
void TEditorPopupMenu::BoxSelectModeClick() {}
void TEditorPopupMenu::DoPopup() {}
void TEditorPopupMenu::CreateItems() {}
