#pragma once
// The program's settings file and the values it holds: the one place the rest of the program
// reads settings from. Toolkit-free, so tests run it against INI files alone; the main window
// applies what it loads and supplies what it stores.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TIniFile;

// Every value of the settings file that the main window, the editor and the commands use.
struct TSettingsValues {
    // Window
    int InitialWinState = 0; // 0 normal, 1 minimised, 2 maximised
    // Editor
    bool AutoIndent = false;
    bool BSUnIndent = false;
    bool CaretFree = false;
    int UndoMax = 64;
    int HistoriesBuf = 102400;
    std::string QMark;       // CP932; "》" by default
    bool HiperLink = true;
    int FileDialog = 0;      // 0 the system's dialogs, 1 the program's own chooser
    int ScrollBars = 3;      // 0 none, 1 horizontal, 2 vertical, 3 both
    bool PageMark = true;
    bool RetEofMark = true;
    bool ShowZenSpace = true;
    int WrapMode = 1;        // 1 wrap at the window width, 2 at WrapByte
    int WrapByte = 80;
    std::string WrapByteText = "80"; // as the options dialog shows and stores it
    bool FollowPunc = true;
    bool WordBreak = true;
    int LineMargin = 1;
    bool KeyCustom = false;
    // Controls
    bool ClipHistory = false;
    bool ToolBar = true;
    bool Ruler = true;
    // FileOption
    std::string FileType = "*.txt;*.htm;*.html";
    bool BakFile = false;
    bool DeleteSpace = false;
    // Format
    std::string DateFormat = "yyyy/mm/dd";
    std::string TimeFormat = "hh:nn";
    // Print
    bool PrintUseEditorFont = true;
    std::string PrintFontName; // the editor's font unless the file says otherwise
    int PrintFontSize = 0;
    int PrintTopMargin = 20;
    int PrintBottomMargin = 10;
    int PrintLineMargin = 1;

    TSettingsValues();
};

// The window's geometry as the settings file holds it.
struct TWindowPlace {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

// What Load all and Save all change outside the settings: the main window implements it.
class TSettingsTarget {
public:
    virtual ~TSettingsTarget() = default;
    // The window's geometry right now (the defaults of the Window keys).
    virtual TWindowPlace CurrentPlace() const = 0;
    virtual std::string EditorFontName() const = 0;
    virtual int EditorFontSize() const = 0;
    // The editor's undo limit and fixed wrap width in effect.
    virtual int CurrentUndoMax() const = 0;
    virtual int CurrentWrapByte() const = 0;
    // Save all takes the manual page-break marks off every row before a new wrap width.
    virtual void RemoveManualPageMarks() = 0;
    // Applies the values (after Load all or Save all); `sizeOnly` changes width and height
    // but keeps the system's position (another copy is running).
    virtual void ApplySettings(const TSettingsValues& v) = 0;
    virtual void ApplyWindowSize(int width, int height) = 0;
    virtual void ApplyWindowPosition(int left, int top) = 0;
    // The window state at start (0 normal, 1 minimised, 2 maximised); only Load all sets it.
    virtual void ApplyWindowState(int /*state*/) {}
};

// A menu command as the shortcut sections see it.
struct TMenuShortcutItem {
    std::string Name;  // the item's name, the key in [MenuShortcut]
    int Tag = 0;
    std::string Caption;
    int ShortCut = 0;  // 16-bit: virtual key + 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt
    std::function<void(int)> SetShortCut;
};

// A top menu's direct items, for applying shortcuts (submenus are not entered).
struct TMenuShortcutGroup {
    std::string Menu;
    std::vector<TMenuShortcutItem*> Items;
};

namespace ShortCut {
constexpr int Shift = 0x2000;
constexpr int Ctrl = 0x4000;
constexpr int Alt = 0x8000;
} // namespace ShortCut

// The commands whose shortcuts are saved, with their built-in shortcuts.
struct TBuiltInShortcut {
    const char* Name;
    int ShortCut;
};
const std::vector<TBuiltInShortcut>& BuiltInShortcuts();

class TSettings {
public:
    // The settings file; it stays open (and cached) for the program's life.
    explicit TSettings(TIniFile& ini);

    TIniFile& Ini() { return FIni; }
    const TSettingsValues& Values() const { return FValues; }
    TSettingsValues& Values() { return FValues; }

    // Reads the Window size and state, Editor, Controls, Format and Print keys in their order
    // and applies them (the window size at once).
    void LoadAll(TSettingsTarget& target);
    // Window L and T, applied only when this is the only copy running.
    void LoadWindowPosition(TSettingsTarget& target);
    // Applies and stores the options dialog's values: keys with their default value are
    // deleted, the others written; empty sections go; the one-time clean-up runs.
    void SaveAll(const TSettingsValues& v, TSettingsTarget& target);
    // Window L, T, W and H from the window as it stands.
    void SaveWindowPosition(const TWindowPlace& place);

    // Read afresh by every file command, quote command and the options dialog.
    void ReadDocumentSettings();
    std::string ReadQuoteMark();
    std::string ReadWrapWidthText();

    // [MenuShortcut]: a key per command whose shortcut differs from its built-in one.
    void SaveMenuShortcuts(const std::function<int(std::string_view name)>& currentShortCut);
    // Erases [MenuShortcut], flushes, waits `waitMs` and applies what is left (the built-ins
    // stay in effect until the next start, since nothing is stored any more).
    void EraseMenuShortcuts(const std::vector<TMenuShortcutGroup>& menus, int waitMs = 200);
    void ApplyMenuShortcuts(const std::vector<TMenuShortcutGroup>& menus);

    // Erases every section without keys.
    void RemoveEmptySections();
    // Keys of earlier versions go once; [Update] V240 records it.
    void CleanUpOldKeys();

private:
    void StoreBool(std::string_view section, std::string_view key, bool value, bool def);
    void StoreInt(std::string_view section, std::string_view key, int value, int def);
    void StoreString(std::string_view section, std::string_view key, std::string_view value,
                     std::string_view def);

    TIniFile& FIni;
    TSettingsValues FValues;
};
