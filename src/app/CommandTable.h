#pragma once
// The main window's commands as data: every menu item, context-menu item and tool button with
// its name, caption, Tag, handler and default shortcut. One handler serves a whole menu and
// switches on the Tag, so Tags repeat across handlers; a command is known by handler and Tag.
// Toolkit-free: the Qt builder and the tests read the same table.
#include <cstdint>
#include <span>
#include <string_view>

// The handlers the items raise, by their names.
enum class TCmdHandler : std::uint8_t {
    cmdFileClick,
    EditMenuCommands,
    cmdInsertClick,
    cmdFindClick,
    smnViewClick,
    mmnViewClick,
    cmdToolClick,
    cmdWinClick,
    mmnOptionClick,
    cmdGeneralOptionClick,
    smnPerTextClick,
    cmdHelpClick,
    smnSendKey,
    pmnPutMarkClick,
    pmnMarkJumpClick,
    // menu openings
    FileMenusShow,
    mmnEditClick,
    PopupMenuPopup,
};
std::string_view HandlerName(TCmdHandler h);

// The menus an item can stand in.
enum class TMenuKey : std::uint8_t {
    File, Edit, Insert, Search, View, Tool, Window, Option, Help, Keyboard, // the menu bar's
    Phrase,         // smnPhrase under Insert
    LanguageOption, // smnLanguageOption under Option
    Popup,          // PopupMenu
    PutMark,        // pmnPutMark
    MarkJump,       // pmnMarkJump
    PopupInsert,    // pmnInsert
    PopupPhrase,    // pmnPhrase under pmnInsert
};

// Shortcut values: the virtual key in the low byte plus these flags; 0 for none.
namespace sc {
inline constexpr int Shift = 0x2000;
inline constexpr int Ctrl = 0x4000;
inline constexpr int Alt = 0x8000;
} // namespace sc

enum class TItemKind : std::uint8_t {
    Command,  // raises its handler with its Tag
    Submenu,  // holds another menu (Tag −1 or the holder's own Tag)
    Separator,
};

struct TMenuItemDef {
    std::string_view Name;    // smnSave; empty for separators and unnamed kind items
    std::string_view Caption; // UTF-8, with its access key
    int Tag = 0;
    TCmdHandler Handler = TCmdHandler::cmdFileClick;
    int ShortCut = 0;         // default shortcut value
    TMenuKey Menu = TMenuKey::File;
    TItemKind Kind = TItemKind::Command;
    // Not shown in its menu; the command and its shortcut still work.
    bool Hidden = false;
    // False: what the command does is not in the program yet, so the item stays disabled.
    bool Built = true;
    bool Checkable = false;
    // Radio items of one menu exclude one another (the view modes).
    bool Radio = false;
    std::string_view Hint;    // UTF-8; the view modes' kind names
    TMenuKey Holds = TMenuKey::File; // the menu a Submenu item opens
};

struct TToolButtonDef {
    std::string_view Name;     // spbSave
    std::string_view Hint;     // UTF-8
    int Tag = 0;
    TCmdHandler Handler = TCmdHandler::cmdFileClick;
    std::string_view MenuItem; // the menu item doing the same command
    bool Toggle = false;       // stays down
    std::string_view Caption;  // text instead of an image ("CH")
    std::string_view IconName; // freedesktop icon name; empty when the theme has none
};

struct TTopMenuDef {
    TMenuKey Key;
    std::string_view Name;    // mmnFile
    std::string_view Caption;
    int Tag = 0;              // the Tag raised when it opens
    TCmdHandler Opening;      // the handler raised when it opens
    bool Hidden = false;      // the Keyboard menu
    bool Opens = true;        // false: nothing is raised when it opens
};

std::span<const TTopMenuDef> TopMenus();
std::span<const TMenuItemDef> MenuItems();
std::span<const TToolButtonDef> ToolButtons();

const TMenuItemDef* FindMenuItem(std::string_view name);
const TToolButtonDef* FindToolButton(std::string_view name);
const TTopMenuDef* FindTopMenu(TMenuKey key);
// The items of one menu in their order.
template <typename F> void ForEachItemOf(TMenuKey menu, F&& f)
{
    for (const TMenuItemDef& d : MenuItems())
        if (d.Menu == menu)
            f(d);
}

// The mark submenus' children: put-mark n and jump-to-mark n (Tags 0-9).
inline constexpr int kMarkCount = 10;
