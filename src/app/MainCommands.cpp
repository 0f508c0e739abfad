#include "app/MainCommands.h"

#include <algorithm>

#include "colouring/TokenKinds.h"
#include "engine/Cursors.h"
#include "platform/Sjis.h"
#include "view/VnEdit.h"

void TCommandDispatch::Raise(TCmdHandler h, const TCommandSender& s)
{
    using H = TCmdHandler;
    switch (h) {
    case H::cmdFileClick: cmdFileClick(s); break;
    case H::EditMenuCommands: EditMenuCommands(s); break;
    case H::cmdInsertClick: cmdInsertClick(s); break;
    case H::cmdFindClick: cmdFindClick(s); break;
    case H::smnViewClick: smnViewClick(s); break;
    case H::mmnViewClick: mmnViewClick(s); break;
    case H::cmdToolClick: cmdToolClick(s); break;
    case H::cmdWinClick: cmdWinClick(s); break;
    case H::mmnOptionClick: mmnOptionClick(s); break;
    case H::cmdGeneralOptionClick: cmdGeneralOptionClick(s); break;
    case H::smnPerTextClick: smnPerTextClick(s); break;
    case H::cmdHelpClick: cmdHelpClick(s); break;
    case H::smnSendKey: smnSendKey(s); break;
    case H::pmnPutMarkClick: pmnPutMarkClick(s); break;
    case H::pmnMarkJumpClick: pmnMarkJumpClick(s); break;
    case H::FileMenusShow: FileMenusShow(s); break;
    case H::mmnEditClick: mmnEditClick(s); break;
    case H::PopupMenuPopup: PopupMenuPopup(s); break;
    }
}

int WindowColumns(int editorWidth, int leftMargin, int charWidth, int vscrollWidth)
{
    if (charWidth <= 0)
        return 1;
    return std::max(1, (editorWidth - leftMargin - charWidth / 2 - vscrollWidth) / charWidth);
}

TMainCommands::TMainCommands(TCommandHost& host) : FHost(host) {}

namespace {

// Looks for a tab in the selected bytes without copying the selection. A stream selection
// takes every row between its first and last row whole, so those rows are answered at once
// by the row store's count of rows with a tab; the first and last row, and every row of a
// box, are looked at through the part of them that is selected.
bool SelectionHasTab(const TVnEdit& e)
{
    const TEditorSelection& sel = e.Selection();
    const TEditorScreenStrings& rows = e.ListRows();
    const int top = std::max(sel.StartRow, 0);
    const int bottom = std::min(sel.EndRow, e.RowCount() - 1);
    auto selectedPartHasTab = [&](int row) {
        // A row whose text lies in a chunk without a tab has none: so are most rows of a
        // text as it was read.
        const TTextChunk* chunk = rows.Data(row).Chunk;
        if (chunk == nullptr || !chunk->HasTab())
            return false;
        int first = 0, last = 0;
        if (!e.SelectionSlice(row, first, last))
            return false;
        const std::string_view text = e.RowText(row).substr(static_cast<std::size_t>(first),
                                                            static_cast<std::size_t>(last - first));
        return text.find('\t') != std::string_view::npos;
    };
    if (top > bottom)
        return false;
    if (!e.BoxSelection()) {
        if (selectedPartHasTab(top) || (bottom > top && selectedPartHasTab(bottom)))
            return true;
        return bottom - top > 1 && rows.TabRows(top + 1, bottom) > 0;
    }
    for (int row = top; row <= bottom; ++row)
        if (selectedPartHasTab(row))
            return true;
    return false;
}

} // namespace

bool TMainCommands::TextEmpty() const
{
    const TVnEdit& e = FHost.MainEditor();
    return e.TextLength() == 0;
}

// The rule's answer; the menus keep an item whose command is not in the program disabled.
void TMainCommands::SetEnabled(std::string_view name, bool v) { FHost.SetItemEnabled(name, v); }

// ---- File

void TMainCommands::cmdFileClick(const TCommandSender& s)
{
    switch (s.Tag) {
    case 11: FHost.NewDocument(); break;
    case 21: FHost.OpenDocument(); break;
    case 23: FHost.ClearAndOpen(); break;
    case 25: FHost.InsertFile(); break;
    case 27: FHost.Reload(); break;
    case 31: FHost.SaveAs(); break;
    case 41: FHost.Save(); break;
    case 80: FHost.CloseWindow(); return; // the window may be gone
    case 90: FHost.CloseAll(); return;
    default: break; // 51 printing: not in the program yet
    }
    RefreshNewPrintButtons();
}

void TMainCommands::FileMenusShow(const TCommandSender&)
{
    FHost.ReloadFileHistory();
    const bool notEmpty = !TextEmpty();
    SetEnabled("smnClearOpen", notEmpty);
    SetEnabled("smnPrint", FHost.PrinterReady() && notEmpty);
}

// ---- Edit

void TMainCommands::EditMenuCommands(const TCommandSender& s)
{
    TVnEdit& e = FHost.ActiveEditor();
    switch (s.Tag) {
    case 11: e.Undo(); break;
    case 21: e.Redo(); break;
    case 31: e.CutToClipboard(); break;
    case 41: e.CopyToClipboard(); break;
    case 51: e.PasteFromClipboard(); break;
    case 71: e.SelectAll(); break;
    case 73: SetBoxSelectionMode(!FBoxMode); break;
    case 75: FHost.ClearAll(); break;
    case 101: DeleteLineBlock(); break;
    case 111: InsertLineBlock(); break;
    default: break; // 57, 61 quoting and 81 the clipboard history: not in the program yet
    }
    RefreshToolBar();
}

void TMainCommands::mmnEditClick(const TCommandSender&)
{
    TVnEdit& e = FHost.ActiveEditor();
    const bool selected = e.SelLength() > 0;
    const bool paste = FHost.ClipboardHasText();
    SetEnabled("smnUndo", e.CanUndo());
    SetEnabled("smnRedo", e.CanRedo());
    SetEnabled("smnCut", selected);
    SetEnabled("smnCopy", selected);
    SetEnabled("smnPaste", paste);
    SetEnabled("smnQCopy", selected);
    SetEnabled("smnQPaste", paste);
    SetEnabled("smnClear", !TextEmpty());
    SetEnabled("smnClipHis", FHost.ClipHistoryInUse());
    FHost.SetItemChecked("smnClipHis", FHost.ClipHistoryVisible());
    FHost.SetItemChecked("smnRectSel", FBoxMode);
}

void TMainCommands::PopupMenuPopup(const TCommandSender& s)
{
    if (s.Tag == -1) { // pmnMarkJump opening
        pmnMarkJumpClick(s);
        return;
    }
    TVnEdit& e = FHost.ActiveEditor();
    const bool selected = e.SelLength() > 0;
    const bool paste = FHost.ClipboardHasText();
    SetEnabled("pmnCut", selected);
    SetEnabled("pmnCopy", selected);
    SetEnabled("pmnPaste", paste);
    SetEnabled("pmnQCopy", selected);
    SetEnabled("pmnQPaste", paste);
    SetEnabled("pmnPutMark", !TextEmpty());
    SetEnabled("pmnMarkJump", !TextEmpty());
    // The put-mark checks follow the marks as they are: a mark goes with its row when the
    // row is deleted, and undo can bring it back.
    const std::uint16_t used = e.UsedMarks();
    for (int n = 0; n < kMarkCount; ++n) {
        const std::string name = "N" + std::string(n + 1 < 10 ? "0" : "") + std::to_string(n + 1);
        FHost.SetItemChecked(name, (used >> n) & 1);
    }
}

void TMainCommands::RefreshToolBar()
{
    TVnEdit& e = FHost.ActiveEditor();
    const bool paste = FHost.ClipboardHasText();
    FHost.SetButtonEnabled("spbUndo", e.CanUndo());
    FHost.SetButtonEnabled("spbCut", e.Selected());
    FHost.SetButtonEnabled("spbCopy", e.Selected());
    FHost.SetButtonEnabled("spbQCopy", e.Selected());
    FHost.SetButtonEnabled("spbPaste", paste);
    FHost.SetButtonEnabled("spbQPaste", paste);
    FHost.SetButtonEnabled("spbSelAll", !TextEmpty());
    FHost.SetButtonDown("spbBoxSel", FBoxMode);
    FHost.SetButtonEnabled("spbClipHis", FHost.ClipHistoryInUse());
}

void TMainCommands::RefreshNewPrintButtons()
{
    const bool notEmpty = !TextEmpty();
    FHost.SetButtonEnabled("spbNew", notEmpty);
    FHost.SetButtonEnabled("spbPrint", FHost.PrinterReady() && notEmpty);
}

// ---- box selection: the mode and a free caret go together, in both views

void TMainCommands::SetBoxSelectionMode(bool on)
{
    FBoxMode = on;
    FHost.SetItemChecked("smnRectSel", on);
    FHost.SetButtonDown("spbBoxSel", on);
    auto apply = [&](TVnEdit& e) {
        e.SetBoxSelection(on);
        e.Caret().SetFreeCaret(on ? true : FHost.CaretFreeSetting());
    };
    apply(FHost.MainEditor());
    if (TVnEdit* sub = FHost.SubEditor())
        apply(*sub);
}

void TMainCommands::SubEditorCreated()
{
    if (TVnEdit* sub = FHost.SubEditor()) {
        sub->SetBoxSelection(FBoxMode);
        sub->Caret().SetFreeCaret(FBoxMode ? true : FHost.CaretFreeSetting());
    }
}

// ---- line blocks: a stack of whole logical lines

void TMainCommands::DeleteLineBlock()
{
    TVnEdit& e = FHost.ActiveEditor();
    if (e.ReadOnly() || e.RowCount() == 0)
        return;
    const int line = e.RowToLine(e.Row());
    TEditorStrings& lines = e.Lines();
    if (line < 0 || line >= lines.Count())
        return;
    FLineBlocks.push_back(lines.Get(line));
    if (static_cast<int>(FLineBlocks.size()) > kLineBlockMax)
        FLineBlocks.pop_front();
    lines.Delete(line);
}

void TMainCommands::InsertLineBlock()
{
    TVnEdit& e = FHost.ActiveEditor();
    if (FLineBlocks.empty() || e.ReadOnly())
        return;
    const int row = e.Row();
    const int line = std::clamp(e.RowToLine(row), 0, e.Lines().Count());
    e.Lines().Insert(line, FLineBlocks.back());
    FLineBlocks.pop_back();
    e.SetRow(row);
}

// ---- bookmarks

void TMainCommands::PutMark(int n)
{
    if (n < 0 || n >= kMarkCount)
        return;
    TVnEdit& e = FHost.ActiveEditor();
    if (e.RowCount() == 0)
        return;
    const int row = std::min(e.Row(), e.RowCount() - 1);
    // Only the bookmarks count: the page marks (bits 10 and 13) are the page layout's, and a
    // row at a page start must take and give up a bookmark like any other.
    const std::uint16_t bookmarks = e.RowMarks(row) & 0x03FF;
    if (bookmarks == (1u << n))
        e.DeleteRowMark(row, n);
    else if (bookmarks == 0)
        e.PutRowMark(row, n);
}

void TMainCommands::JumpToMark(int n)
{
    if (n >= 0 && n < kMarkCount)
        FHost.ActiveEditor().GotoRowMark(n);
}

void TMainCommands::pmnPutMarkClick(const TCommandSender& s) { PutMark(s.Tag); }

void TMainCommands::pmnMarkJumpClick(const TCommandSender& s)
{
    if (s.Tag == -1) { // opening: a jump only to a mark that exists
        const std::uint16_t used = FHost.ActiveEditor().UsedMarks();
        for (int n = 0; n < kMarkCount; ++n) {
            const std::string name = "N" + std::to_string(n + 11);
            FHost.SetItemEnabled(name, (used >> n) & 1);
        }
        return;
    }
    JumpToMark(s.Tag);
}

// ---- Insert, Search, Tool

void TMainCommands::cmdInsertClick(const TCommandSender& s)
{
    if (s.Tag == 2 || s.Tag == 4) {
        // The date, time, line-break, page-break and phrase commands are not in the program
        // yet; their items stay disabled.
        for (std::string_view n : {"smnDate", "smnTime", "smnCrLf", "smnNewPg", "smnPhrase", "pmnDate", "pmnTime",
                                   "pmnNewPg", "pmnPhrase"})
            SetEnabled(n, true);
    }
}

void TMainCommands::cmdFindClick(const TCommandSender& s)
{
    if (s.Tag != 0)
        return; // find and replace are not in the program yet
    const bool key = !FHost.SearchKey().empty();
    SetEnabled("smnFindNext", key);
    SetEnabled("smnFindBefore", key);
    SetEnabled("smnGrep", FHost.FileExists(FHost.ProgramDir() + "VGrep.exe"));
}

void TMainCommands::cmdToolClick(const TCommandSender& s)
{
    if (s.Tag == 0) {
        TVnEdit& e = FHost.ActiveEditor();
        const bool selected = e.Selected() && e.SelLength() > 0;
        const bool convert = !FBoxMode && selected;
        for (std::string_view n : {"smnUpcase", "smnLowcase", "smnZenkaku", "smnHankaku"})
            SetEnabled(n, convert);
        SetEnabled("smnTabExpand", selected && SelectionHasTab(e));
        SetEnabled("smnCrypt", !TextEmpty());
        return;
    }
    if (s.Tag == 71)
        FHost.OpenCodeViewFile();
}

// ---- View

void TMainCommands::mmnViewClick(const TCommandSender&)
{
    FHost.SetItemChecked("smnWrap", FHost.MainEditor().WordWrap());
}

void TMainCommands::smnViewClick(const TCommandSender& s)
{
    switch (s.Tag) {
    case 21: FHost.ToggleWordWrap(); break;
    case 111:
    case 121:
    case 130: FHost.SelectViewMode(s.Tag, s.Hint); break;
    default: break; // 51 the text size: not in the program yet
    }
}

// ---- Window

void TMainCommands::cmdWinClick(const TCommandSender& s)
{
    switch (s.Tag) {
    case 0: FHost.RefreshWindowList(); break;
    case 11: {
        const bool on = !FHost.Split();
        FHost.SetSplit(on);
        FHost.SetItemChecked("smnSplit", FHost.Split());
        FHost.SetButtonDown("spbSplit", FHost.Split());
        if (FHost.Split())
            SubEditorCreated();
        break;
    }
    case 21: FHost.Cascade(); break;
    case 31: FHost.TileHorizontally(); break;
    case 41: FHost.TileVertically(); break;
    default: break;
    }
}

// ---- Option

void TMainCommands::mmnOptionClick(const TCommandSender&)
{
    if (!FHost.FileExists(FHost.ProgramDir() + "CodeView.cfg") || FHost.LanguageOptionCount() > 2)
        return;
    for (const std::string& name : FHost.LanguageNames())
        FHost.AppendLanguageOption(name);
}

// The options dialog is not in the program yet; its items stay disabled.
void TMainCommands::cmdGeneralOptionClick(const TCommandSender&) {}
void TMainCommands::smnPerTextClick(const TCommandSender&) {}

// ---- Help

void TMainCommands::cmdHelpClick(const TCommandSender& s)
{
    switch (s.Tag) {
    case 11: {
        if (FHost.ActivateManual())
            break;
        const std::string path = FHost.ManualPath();
        if (FHost.FileExists(path))
            FHost.ShowManual(path);
        else
            FHost.ShowMessage("ファイルが見つかりません。"_sj);
        break;
    }
    case 31: FHost.PopupContextMenu({200, 100}); break;
    default: break; // 21 the about box: not in the program yet
    }
}

// ---- the Keyboard menu: keys for keyboards and pointing devices that lack them

void TMainCommands::smnSendKey(const TCommandSender& s)
{
    TVnEdit& e = FHost.ActiveEditor();
    switch (s.Tag) {
    case 11: FHost.SendKey(vkRight); break;
    case 21: FHost.SendKey(vkLeft); break;
    case 31: FHost.SendKey(vkUp); break;
    case 41: FHost.SendKey(vkDown); break;
    case 51: FHost.SendKey(vkDelete); break;
    case 61: FHost.SendKey(vkBack); break;
    case 71: e.SetCol(0); break;
    case 81: e.SetCol(std::max(0, FHost.FittingColumns(e) - 1)); break;
    case 91: FHost.SendKey(vkHome); break;
    case 101: FHost.SendKey(vkEnd); break;
    default: break;
    }
}

// ---- keys and mouse before the editor

void TMainCommands::ToggleOverWrite(TVnEdit& sender)
{
    const bool on = !sender.OverWrite();
    auto apply = [on](TVnEdit& e) {
        const int top = e.TopRow();
        e.SetOverWrite(on);
        e.SetTopRow(top);
    };
    apply(FHost.MainEditor());
    if (TVnEdit* sub = FHost.SubEditor())
        apply(*sub);
    FHost.ShowInsertMode(on);
}

bool TMainCommands::EditorKeyDown(TVnEdit& sender, int key, TShiftState shift)
{
    const TShiftState mods = shift & (ssShift | ssCtrl | ssAlt);
    if (key == vkInsert && mods == 0) {
        ToggleOverWrite(sender);
        return true;
    }
    if (key >= vk0 && key <= vk9 && (mods == ssCtrl || mods == (ssCtrl | ssShift))) {
        if (mods == ssCtrl)
            PutMark(key - vk0);
        else
            JumpToMark(key - vk0);
        return true;
    }
    if ((key == vkTab || key == vkSpace) && (mods & ~ssShift) == 0 && sender.Selected() &&
        sender.Selection().LastByte == -1) {
        const bool back = (mods & ssShift) != 0;
        if (key == vkTab)
            back ? sender.UnindentTab() : sender.IndentTab();
        else
            back ? sender.UnindentSpace() : sender.IndentSpace();
        return true;
    }
    return false;
}

void TMainCommands::MouseWheel(TVnEdit& e, int delta)
{
    e.VScroll(delta <= 0 ? TScrollCode::LineDown : TScrollCode::LineUp);
}

void TMainCommands::EditorMouseMove(TVnEdit& e, TPoint p)
{
    TEditorViewInfo& view = e.View();
    if (!view.Url() && !view.Mail()) {
        FLinkTarget.clear();
        return;
    }
    const TTokenAtPos t = e.TokenAtPos(p);
    if (t.Kind == tokUrl && view.Url()) {
        FHost.SetEditorCursor(e, crHandPoint);
        FLinkTarget = t.Text;
    } else if (t.Kind == tokMail && view.Mail()) {
        FHost.SetEditorCursor(e, crHandPoint);
        FLinkTarget = "mailto:" + t.Text;
    } else {
        FLinkTarget.clear();
        if (p.X >= e.Metrics().TextLeft)
            FHost.SetEditorCursor(e, crIBeam);
    }
}

bool TMainCommands::EditorDblClick(TVnEdit& e, TPoint p)
{
    if (!FLinkTarget.empty()) {
        FHost.OpenUrl(FLinkTarget);
        return true;
    }
    return p.X < e.Metrics().TextLeft;
}
