#pragma once
// Builds the main window's menus, tool bar and context menu from the command table, and routes
// every item, button and shortcut to one TCommandDispatch. Menu openings raise their handlers
// first, so the enabling rules hold when the user sees the items.
#include <QHash>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandTable.h"

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;
class QToolBar;
class QKeySequence;
class TCommandDispatch;

class TCommandBar : public QObject {
    Q_OBJECT
public:
    // Creates everything on `window`; commands go to `dispatch`, which outlives this.
    TCommandBar(QMainWindow& window, TCommandDispatch& dispatch);
    ~TCommandBar() override;

    QToolBar* pnlTool() const { return FToolBar; }
    QMenu* Menu(TMenuKey key) const;
    QMenu* PopupMenu() const { return Menu(TMenuKey::Popup); }
    // A menu item or a context-menu item by its name (also the kind items "N01" …).
    QAction* Item(std::string_view name) const;
    QAction* Button(std::string_view name) const;
    // Every named command item, in table order, then the language items.
    std::vector<QAction*> CommandItems() const;

    void SetItemEnabled(std::string_view name, bool enabled);
    void SetItemChecked(std::string_view name, bool checked);
    bool ItemChecked(std::string_view name) const;
    void SetButtonEnabled(std::string_view name, bool enabled);
    void SetButtonDown(std::string_view name, bool down);

    // One radio item per language of the definition file (Tag 130, the name as its hint);
    // `name` is CP932.
    void AddViewLanguage(const std::string& name);
    // The view-mode item whose hint is `name` (CP932) checked, the others not.
    void CheckViewMode(const std::string& name);
    // The Option menu's per-kind items.
    int LanguageOptionCount() const;
    void AppendLanguageOption(const std::string& name);

    // The other copies' windows under the Window menu's own items; `pick` gets the index.
    void SetWindowList(const QStringList& captions, std::function<void(int)> pick);
    int WindowListCount() const { return static_cast<int>(FWindowList.size()); }

    // Raises the context menu's opening handler, then shows it at `global`.
    void Popup(const QPoint& global);

    // The default shortcut of each item, as the key sequence the table's value stands for.
    std::function<QKeySequence(int)> KeySequenceOf;

private:
    QAction* MakeItem(QMenu* menu, const TMenuItemDef& d);
    void FillMenu(QMenu* menu, TMenuKey key);
    void ConnectOpening(QMenu* menu, TCmdHandler handler, int tag);
    void Trigger(TCmdHandler handler, int tag, std::string_view name, const QAction* a);
    void RestoreEnabled(QMenu* menu);

    QMainWindow& FWindow;
    TCommandDispatch& FDispatch;
    QToolBar* FToolBar = nullptr;
    QHash<int, QMenu*> FMenus;
    QHash<QString, QAction*> FItems;
    QHash<QString, QAction*> FButtons;
    std::vector<QAction*> FOrder;
    std::vector<QAction*> FLanguageItems;
    std::vector<QAction*> FWindowList;
    QActionGroup* FViewModes = nullptr;
};
