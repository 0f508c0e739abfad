// Keys, typed characters and the input method.
#include "engine/Editor.h"
#include "engine/EditorPopupMenu.h"

bool TEditor::WantsKey(int key) const
{
    if (FWantReturns)
        return true;
    if (key == vkTab)
        return FWantTabs;
    return key == vkLeft || key == vkRight || key == vkUp || key == vkDown;
}

bool TEditor::KeyDown(int, TShiftState, bool) { return false; }
void TEditor::KeyUp(int, TShiftState) {}
void TEditor::CharMessage(std::string_view, TShiftState) {}
void TEditor::ImeResult(std::string_view, bool) {}
void TEditor::ImeResultUtf8(std::string_view, bool) {}
void TEditor::ImeCandidateList(bool) {}
void TEditor::MouseDown(TMouseButton, TShiftState, TPoint) {}
void TEditor::MouseMove(TShiftState, TPoint) {}
void TEditor::MouseUp(TMouseButton, TShiftState, TPoint) {}
bool TEditor::DblClick(TShiftState, TPoint) { return false; }
bool TEditor::InputHeld() const { return FDragState != 0 || FLeftDown; }
void TEditor::FocusLost() { SetFocused(false); }
bool TEditor::PosToRowByte(TPoint, int&, int&) const { return false; }
TTokenAtPos TEditor::TokenAtPos(std::optional<TPoint>) const { return {}; }
void TEditor::SelectTokenAtPos(std::optional<TPoint>) {}
std::uint16_t TEditor::UsedMarks() const { return FList->UsedMarks(); }
void TEditor::PutRowMark(int, int) {}
void TEditor::DeleteRowMark(int, int) {}
void TEditor::GotoRowMark(int) {}
std::int64_t TEditor::WMGetText(std::span<char>) const { return 0; }
std::uint32_t TEditor::EMGetSel(std::int64_t*, std::int64_t*) const { return 0; }
void TEditor::EMSetSel(std::int64_t, std::int64_t) {}
void TEditor::EMScrollCaret() {}
void TEditor::EMSetModify(bool) {}
std::int64_t TEditor::EMLineIndex(int) const { return -1; }
std::int64_t TEditor::EMLineLength(std::int64_t) const { return 0; }
void TEditor::EMReplaceSel(std::string_view) {}
int TEditor::EMGetLine(int, std::span<char>) const { return 0; }
bool TEditor::EMUndo() { return false; }
int TEditor::EMLineFromChar(std::int64_t) const { return 0; }
void TEditor::EMEmptyUndoBuffer() {}
TPoint TEditor::EMPosFromChar(std::int64_t) const { return {}; }
std::int64_t TEditor::EMCharFromPos(TPoint) const { return -1; }
