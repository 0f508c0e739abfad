#pragma once
// The main window's command handlers: every menu item, tool button and shortcut raises one of
// them with the Tag of its control (TCommandDispatch), and TMainCommands carries them out, with
// the enabling and check rules computed when a menu opens and after edits. Toolkit-free: what
// needs the window (documents, the split, dialogs, synthesised keys, the desktop) goes through
// TCommandHost, which the main window implements.
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandTable.h"
#include "platform/Geometry.h"
#include "engine/Keys.h"

class TVnEdit;

// The control that raised a command.
struct TCommandSender {
    int Tag = 0;
    std::string_view Name; // the item's or button's name (empty for built items)
    std::string Hint;      // CP932: the text kind of a view-mode or per-kind item
};

// One operation per handler, as the items call them.
class TCommandDispatch {
public:
    virtual ~TCommandDispatch() = default;

    virtual void cmdFileClick(const TCommandSender& s) = 0;
    virtual void EditMenuCommands(const TCommandSender& s) = 0;
    virtual void cmdInsertClick(const TCommandSender& s) = 0;
    virtual void cmdFindClick(const TCommandSender& s) = 0;
    virtual void smnViewClick(const TCommandSender& s) = 0;
    virtual void mmnViewClick(const TCommandSender& s) = 0;
    virtual void cmdToolClick(const TCommandSender& s) = 0;
    virtual void cmdWinClick(const TCommandSender& s) = 0;
    virtual void mmnOptionClick(const TCommandSender& s) = 0;
    virtual void cmdGeneralOptionClick(const TCommandSender& s) = 0;
    virtual void smnPerTextClick(const TCommandSender& s) = 0;
    virtual void cmdHelpClick(const TCommandSender& s) = 0;
    virtual void smnSendKey(const TCommandSender& s) = 0;
    virtual void pmnPutMarkClick(const TCommandSender& s) = 0;
    virtual void pmnMarkJumpClick(const TCommandSender& s) = 0;
    virtual void FileMenusShow(const TCommandSender& s) = 0;
    virtual void mmnEditClick(const TCommandSender& s) = 0;
    virtual void PopupMenuPopup(const TCommandSender& s) = 0;

    // Calls the operation `h` names.
    void Raise(TCmdHandler h, const TCommandSender& s);
};

// What the commands need of the main window.
class TCommandHost {
public:
    virtual ~TCommandHost() = default;

    // ---- editors
    virtual TVnEdit& MainEditor() = 0;
    // The lower view while split, else nullptr.
    virtual TVnEdit* SubEditor() = 0;
    // The view that last had the focus.
    virtual TVnEdit& ActiveEditor() = 0;

    // ---- menu and tool-bar state, by item or button name; what the rules say (an item or
    // button whose command is not in the program stays disabled all the same)
    virtual void SetItemEnabled(std::string_view name, bool enabled) = 0;
    virtual void SetItemChecked(std::string_view name, bool checked) = 0;
    virtual bool ItemChecked(std::string_view name) const = 0;
    virtual void SetButtonEnabled(std::string_view name, bool enabled) = 0;
    virtual void SetButtonDown(std::string_view name, bool down) = 0;

    // ---- what the window knows
    virtual bool ClipboardHasText() const = 0;
    virtual bool PrinterReady() const = 0;
    // The clipboard history is in use (its button), and its strip is showing.
    virtual bool ClipHistoryInUse() const { return false; }
    virtual bool ClipHistoryVisible() const { return false; }
    // The CaretFree setting, restored when box selection ends.
    virtual bool CaretFreeSetting() const = 0;
    // The current search key (CP932), empty when none.
    virtual std::string SearchKey() const { return {}; }
    virtual bool FileExists(const std::string& path) const = 0;
    // The program's folder, with a trailing separator.
    virtual std::string ProgramDir() const = 0;
    // The manual: the program's path with the extension ".TXT".
    virtual std::string ManualPath() const = 0;
    // The section names of "CodeView.cfg" after its first (the languages), in CP932.
    virtual std::vector<std::string> LanguageNames() const = 0;

    // ---- documents and windows (File and Window menus)
    virtual void NewDocument() = 0;
    virtual void OpenDocument() = 0;
    virtual void ClearAndOpen() = 0;
    virtual void InsertFile() = 0;
    virtual void Reload() = 0;
    virtual void SaveAs() = 0;
    virtual void Save() = 0;
    virtual void CloseWindow() = 0;
    virtual void CloseAll() = 0;
    // The new-document steps in this window, with the save prompt.
    virtual void ClearAll() = 0;
    virtual void ReloadFileHistory() = 0;
    virtual bool Split() const = 0;
    virtual void SetSplit(bool on) = 0;
    virtual void Cascade() = 0;
    virtual void TileHorizontally() = 0;
    virtual void TileVertically() = 0;
    // The other copies' windows, listed when the Window menu opens.
    virtual void RefreshWindowList() {}
    virtual void OpenCodeViewFile() = 0;

    // ---- view
    virtual void ToggleWordWrap() = 0;
    // Plain text, HTML or the language `name` (CP932).
    virtual void SelectViewMode(int tag, const std::string& name) = 0;
    virtual void ShowInsertMode(bool overwrite) = 0;

    // ---- the Option menu's per-kind items
    virtual int LanguageOptionCount() const = 0;
    virtual void AppendLanguageOption(const std::string& name) = 0;

    // ---- the rest
    virtual void ShowMessage(std::string_view text) = 0; // CP932
    // The manual viewer: true when it was open and has been brought to the front.
    virtual bool ActivateManual() { return false; }
    virtual void ShowManual(const std::string& path) = 0;
    // The context menu at a client point of the main window.
    virtual void PopupContextMenu(TPoint p) = 0;
    // A press and release of virtual key `key` sent to the focused window.
    virtual void SendKey(int key) = 0;
    // The number of columns that fit in `e`'s width (as the wrap width by window).
    virtual int FittingColumns(const TVnEdit& e) const = 0;
    virtual void SetEditorCursor(TVnEdit& e, int cursor) = 0;
    // The desktop's "open" on a link.
    virtual void OpenUrl(const std::string& target) = 0;
};

class TMainCommands : public TCommandDispatch {
public:
    static constexpr int kLineBlockMax = 100;

    explicit TMainCommands(TCommandHost& host);

    void cmdFileClick(const TCommandSender& s) override;
    void EditMenuCommands(const TCommandSender& s) override;
    void cmdInsertClick(const TCommandSender& s) override;
    void cmdFindClick(const TCommandSender& s) override;
    void smnViewClick(const TCommandSender& s) override;
    void mmnViewClick(const TCommandSender& s) override;
    void cmdToolClick(const TCommandSender& s) override;
    void cmdWinClick(const TCommandSender& s) override;
    void mmnOptionClick(const TCommandSender& s) override;
    void cmdGeneralOptionClick(const TCommandSender& s) override;
    void smnPerTextClick(const TCommandSender& s) override;
    void cmdHelpClick(const TCommandSender& s) override;
    void smnSendKey(const TCommandSender& s) override;
    void pmnPutMarkClick(const TCommandSender& s) override;
    void pmnMarkJumpClick(const TCommandSender& s) override;
    void FileMenusShow(const TCommandSender& s) override;
    void mmnEditClick(const TCommandSender& s) override;
    void PopupMenuPopup(const TCommandSender& s) override;

    // The tool bar's state after keys, mouse and edits; the New and Print buttons after text
    // changes and opens.
    void RefreshToolBar();
    void RefreshNewPrintButtons();

    // Keys the window takes before the editor; true when the key was used.
    bool EditorKeyDown(TVnEdit& sender, int key, TShiftState shift);
    // One line per wheel message, whatever its size.
    void MouseWheel(TVnEdit& e, int delta);
    void EditorMouseMove(TVnEdit& e, TPoint p);
    // True when the double click was used here (a link opened, or over the left margin).
    bool EditorDblClick(TVnEdit& e, TPoint p);
    const std::string& LinkTarget() const { return FLinkTarget; }

    // Box selection mode on or off in both views.
    bool BoxSelectionMode() const { return FBoxMode; }
    void SetBoxSelectionMode(bool on);
    // The split went on: the new view follows the box mode.
    void SubEditorCreated();

    void PutMark(int n);
    void JumpToMark(int n);
    void DeleteLineBlock();
    void InsertLineBlock();
    const std::deque<std::string>& LineBlocks() const { return FLineBlocks; }

private:
    void ToggleOverWrite(TVnEdit& sender);
    void SetEnabled(std::string_view name, bool v);
    bool TextEmpty() const;

    TCommandHost& FHost;
    std::deque<std::string> FLineBlocks;
    std::string FLinkTarget;
    bool FBoxMode = false;
};

// Columns that fit in an editor: what is left of its width after the left margin, half a
// character and a vertical scroll bar, in whole characters.
int WindowColumns(int editorWidth, int leftMargin, int charWidth, int vscrollWidth);
