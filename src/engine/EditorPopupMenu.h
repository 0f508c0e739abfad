#pragma once
// The editor's built-in context menu as a toolkit-free model: the items with their captions,
// shortcuts, enabled states and check marks, and one action per item. The host renders it
// (the Qt widget into a QMenu), calls Popup() right before showing it and Click() for the item
// the user chose. Captions and shortcut texts are UTF-8, since they go to the toolkit only.
#include <functional>
#include <string>
#include <vector>

#include "engine/Keys.h"

class TEditor;

struct TEditorMenuItem {
    std::string Caption;      // "&" marks the access key; "-" is a separator
    std::string ShortCutText; // "Ctrl+Z", "Shift+Ctrl+3"; empty for none
    TShortCut ShortCut;       // the same as a key value
    bool Enabled = true;
    bool Checked = false;
    std::vector<TEditorMenuItem> Items; // a submenu
    std::function<void()> OnClick;

    bool IsSeparator() const { return Caption == "-"; }
};

class TEditorPopupMenu {
public:
    // Top-level item positions.
    enum TItem {
        piMarkSet = 0,
        piMarkJump = 1,
        piUndo = 3,
        piRedo = 4,
        piCut = 6,
        piCopy = 7,
        piPaste = 8,
        piBoxPaste = 9,
        piDelete = 10,
        piSelectAll = 12,
        piBoxSelectMode = 14,
        piCount = 15,
    };

    // Builds the items for `editor`, which must outlive the menu.
    explicit TEditorPopupMenu(TEditor& editor);
    virtual ~TEditorPopupMenu() = default;
    TEditorPopupMenu(const TEditorPopupMenu&) = delete;
    TEditorPopupMenu& operator=(const TEditorPopupMenu&) = delete;

    TEditor& Editor() const { return FEditor; }
    const std::vector<TEditorMenuItem>& Items() const { return FItems; }
    const TEditorMenuItem& Item(TItem i) const { return FItems[i]; }

    // The menu is about to show: enabled states and check marks are computed afresh.
    void Popup();
    // Runs the action of top-level item `item`, or of entry `sub` of its submenu. Out-of-range
    // indices, separators and disabled items do nothing.
    void Click(int item, int sub = -1);

    // One handler per command.
    virtual void MarkSetClick(int n);
    virtual void MarkJumpClick(int n);
    virtual void UndoClick();
    virtual void RedoClick();
    virtual void CutClick();
    virtual void CopyClick();
    virtual void PasteClick();
    virtual void BoxPasteClick();
    virtual void DeleteClick();
    virtual void SelectAllClick();
    virtual void BoxSelectModeClick();
    // Computes the states; Popup() calls it.
    virtual void DoPopup();

protected:
    // Fills Items(); the constructor calls it (as the base class's version: a derived menu
    // that builds other items calls its own from its constructor).
    virtual void CreateItems();

    std::vector<TEditorMenuItem> FItems;

private:
    TEditor& FEditor;
};
