#include "app/Settings.h"

#include <chrono>
#include <thread>

#include "platform/IniFile.h"
#include "platform/Sjis.h"

namespace {

constexpr std::string_view kWindow = "Window";
constexpr std::string_view kEditor = "Editor";
constexpr std::string_view kControls = "Controls";
constexpr std::string_view kFileOption = "FileOption";
constexpr std::string_view kFormat = "Format";
constexpr std::string_view kPrint = "Print";
constexpr std::string_view kUpdate = "Update";
constexpr std::string_view kMenuShortcut = "MenuShortcut";

constexpr std::string_view kDefaultQMark = "》"_sj;

} // namespace

TSettingsValues::TSettingsValues() : QMark(kDefaultQMark) {}

const std::vector<TBuiltInShortcut>& BuiltInShortcuts()
{
    using namespace ShortCut;
    static const std::vector<TBuiltInShortcut> list = {
        {"smnNew", 0}, {"smnOpen", 0}, {"smnClearOpen", 0}, {"smnInsertOpen", 0},
        {"smnUpdate", 0}, {"smnSaveAs", 0}, {"smnSave", Ctrl + 'S'}, {"smnPrint", 0},
        {"smnExit", 0}, {"smnUndo", Ctrl + 'Z'}, {"smnRedo", 0}, {"smnCut", Ctrl + 'X'},
        {"smnCopy", Ctrl + 'C'}, {"smnPaste", Ctrl + 'V'}, {"smnQCopy", Ctrl + 'Q'},
        {"smnQPaste", Ctrl + 'I'}, {"smnSelectAll", Ctrl + 'A'}, {"smnRectSel", 0},
        {"smnClear", 0}, {"smnClipHis", 0}, {"smnDelLine", Ctrl + 'Y'},
        {"smnInsertLine", Ctrl + 'U'}, {"smnDate", 0}, {"smnTime", 0}, {"smnCrLf", 0},
        {"smnNewPg", 0}, {"smnFind", Ctrl + 'F'}, {"smnFindNext", 0x72},
        {"smnFindBefore", Shift + 0x72}, {"smnLineJump", 0}, {"smnTagJump", 0x79},
        {"smnGrep", 0}, {"smnWrap", 0}, {"smnTextSize", 0}, {"smnNormal", 0}, {"smnHTML", 0},
        {"smnUpcase", 0}, {"smnLowcase", 0}, {"smnZenkaku", 0}, {"smnHankaku", 0},
        {"smnTabExpand", 0}, {"smnTango", 0}, {"smnCodeView", 0}, {"smnCrypt", 0},
        {"smnSplit", Ctrl + 'D'}, {"smnCascade", 0}, {"smnTileh", 0}, {"smnTilev", 0},
        {"smnHelp", 0x70}, {"smnAbout", 0}, {"smnPMenu", 0x71}, {"smnCsrR", 0},
        {"smnCsrL", 0}, {"smnCsrU", 0}, {"smnCsrD", 0}, {"smnDel", 0}, {"smnBS", 0},
        {"smnHome", 0}, {"smnEnd", 0}, {"smnCtrlHome", 0}, {"smnCtrlEnd", 0},
    };
    return list;
}

TSettings::TSettings(TIniFile& ini) : FIni(ini) {}

void TSettings::LoadAll(TSettingsTarget& target)
{
    TSettingsValues& v = FValues;
    const TWindowPlace place = target.CurrentPlace();
    const int width = FIni.ReadInteger(kWindow, "W", place.Width);
    const int height = FIni.ReadInteger(kWindow, "H", place.Height);
    target.ApplyWindowSize(width, height);
    v.InitialWinState = FIni.ReadInteger(kWindow, "InitialWinState", 0);
    target.ApplyWindowState(v.InitialWinState);

    v.AutoIndent = FIni.ReadBool(kEditor, "AutoIndent", false);
    v.BSUnIndent = FIni.ReadBool(kEditor, "BSUnIndent", false);
    v.CaretFree = FIni.ReadBool(kEditor, "CaretFree", false);
    v.UndoMax = FIni.ReadInteger(kEditor, "UndoMax", 64);
    v.ClipHistory = FIni.ReadBool(kControls, "ClipHistory", false);
    v.HistoriesBuf = FIni.ReadInteger(kEditor, "HistoriesBuf", 102400);
    v.HiperLink = FIni.ReadBool(kEditor, "HiperLink", true);
    v.ToolBar = FIni.ReadBool(kControls, "ToolBar", true);
    v.Ruler = FIni.ReadBool(kControls, "Ruler", true);
    v.PageMark = FIni.ReadBool(kEditor, "PageMark", true);
    v.ScrollBars = FIni.ReadInteger(kEditor, "ScrollBars", 3);
    v.RetEofMark = FIni.ReadBool(kEditor, "RetEofMark", true);
    v.ShowZenSpace = FIni.ReadBool(kEditor, "ShowZenSpace", true);
    v.WrapMode = FIni.ReadInteger(kEditor, "WrapMode", 1);
    v.WrapByte = FIni.ReadInteger(kEditor, "WrapByte", 80);
    v.WrapByteText = std::to_string(v.WrapByte);
    v.FollowPunc = FIni.ReadBool(kEditor, "FollowPunc", true);
    v.WordBreak = FIni.ReadBool(kEditor, "WordBreak", true);
    v.LineMargin = FIni.ReadInteger(kEditor, "LineMargin", 1);
    v.DateFormat = FIni.ReadString(kFormat, "Date", "yyyy/mm/dd");
    v.TimeFormat = FIni.ReadString(kFormat, "Time", "hh:nn");
    v.KeyCustom = FIni.ReadBool(kEditor, "KeyCustom", false);

    v.PrintUseEditorFont = FIni.ReadBool(kPrint, "UseEditorFont", true);
    if (v.PrintUseEditorFont) {
        v.PrintFontName = target.EditorFontName();
        v.PrintFontSize = target.EditorFontSize();
    } else {
        v.PrintFontName = FIni.ReadString(kPrint, "FontName", target.EditorFontName());
        v.PrintFontSize = FIni.ReadInteger(kPrint, "FontSize", target.EditorFontSize());
    }
    v.PrintTopMargin = FIni.ReadInteger(kPrint, "TopMargin", 20);
    v.PrintBottomMargin = FIni.ReadInteger(kPrint, "BottomMargin", 10);
    v.PrintLineMargin = FIni.ReadInteger(kPrint, "LineMargin", 1);

    // Read here too, so commands that consult them before any file command see the file.
    ReadDocumentSettings();
    v.QMark = ReadQuoteMark();
    target.ApplySettings(v);
}

void TSettings::LoadWindowPosition(TSettingsTarget& target)
{
    const TWindowPlace place = target.CurrentPlace();
    target.ApplyWindowPosition(FIni.ReadInteger(kWindow, "L", place.Left),
                               FIni.ReadInteger(kWindow, "T", place.Top));
}

void TSettings::StoreBool(std::string_view section, std::string_view key, bool value, bool def)
{
    if (value == def)
        FIni.DeleteKey(section, key);
    else
        FIni.WriteBool(section, key, value);
}

void TSettings::StoreInt(std::string_view section, std::string_view key, int value, int def)
{
    if (value == def)
        FIni.DeleteKey(section, key);
    else
        FIni.WriteInteger(section, key, value);
}

void TSettings::StoreString(std::string_view section, std::string_view key,
                            std::string_view value, std::string_view def)
{
    if (value == def)
        FIni.DeleteKey(section, key);
    else
        FIni.WriteString(section, key, value);
}

void TSettings::SaveAll(const TSettingsValues& v, TSettingsTarget& target)
{
    const TSettingsValues before = FValues;
    StoreBool(kEditor, "AutoIndent", v.AutoIndent, false);
    StoreBool(kEditor, "BSUnIndent", v.BSUnIndent, false);
    StoreBool(kEditor, "CaretFree", v.CaretFree, false);
    if (v.UndoMax != target.CurrentUndoMax())
        FIni.WriteInteger(kEditor, "UndoMax", v.UndoMax);
    if (v.ClipHistory != before.ClipHistory)
        StoreBool(kControls, "ClipHistory", v.ClipHistory, false);
    if (v.HistoriesBuf != before.HistoriesBuf)
        FIni.WriteInteger(kEditor, "HistoriesBuf", v.HistoriesBuf);
    StoreString(kEditor, "QMark", v.QMark, kDefaultQMark);
    StoreInt(kEditor, "FileDialog", v.FileDialog, 0);
    if (v.FileType != before.FileType)
        FIni.WriteString(kFileOption, "FileType", v.FileType);
    StoreBool(kFileOption, "BakFile", v.BakFile, false);
    StoreBool(kFileOption, "DeleteSpace", v.DeleteSpace, false);
    StoreBool(kControls, "ToolBar", v.ToolBar, true);
    StoreBool(kControls, "Ruler", v.Ruler, true);
    StoreBool(kEditor, "PageMark", v.PageMark, true);
    StoreInt(kEditor, "ScrollBars", v.ScrollBars, 3);
    StoreBool(kEditor, "RetEofMark", v.RetEofMark, true);
    StoreBool(kEditor, "ShowZenSpace", v.ShowZenSpace, true);
    StoreInt(kWindow, "InitialWinState", v.InitialWinState, 0);
    StoreInt(kEditor, "WrapMode", v.WrapMode, 1);
    TSettingsValues applied = v;
    if (v.WrapMode == 2) {
        int width = 0;
        if (TIniFile::ParseInteger(v.WrapByteText, width) && width > 0 &&
            width != target.CurrentWrapByte()) {
            // Manual page breaks were placed on rows of the old width.
            target.RemoveManualPageMarks();
            applied.WrapByte = width;
            FIni.WriteString(kEditor, "WrapByte", v.WrapByteText);
        } else {
            applied.WrapByte = target.CurrentWrapByte();
        }
    } else {
        applied.WrapByte = before.WrapByte;
    }
    StoreBool(kEditor, "FollowPunc", v.FollowPunc, true);
    StoreBool(kEditor, "WordBreak", v.WordBreak, true);
    StoreInt(kEditor, "LineMargin", v.LineMargin, 1);
    StoreString(kFormat, "Date", v.DateFormat, "yyyy/mm/dd");
    StoreString(kFormat, "Time", v.TimeFormat, "hh:nn");
    StoreBool(kEditor, "KeyCustom", v.KeyCustom, false);

    FValues = applied;
    target.ApplySettings(FValues);
    RemoveEmptySections();
    CleanUpOldKeys();
    FIni.Flush();
}

void TSettings::SaveWindowPosition(const TWindowPlace& place)
{
    FIni.WriteInteger(kWindow, "L", place.Left);
    FIni.WriteInteger(kWindow, "T", place.Top);
    FIni.WriteInteger(kWindow, "W", place.Width);
    FIni.WriteInteger(kWindow, "H", place.Height);
    FIni.Flush();
}

void TSettings::ReadDocumentSettings()
{
    FValues.FileDialog = FIni.ReadInteger(kEditor, "FileDialog", 0);
    FValues.FileType = FIni.ReadString(kFileOption, "FileType", "*.txt;*.htm;*.html");
    FValues.BakFile = FIni.ReadBool(kFileOption, "BakFile", false);
    FValues.DeleteSpace = FIni.ReadBool(kFileOption, "DeleteSpace", false);
}

std::string TSettings::ReadQuoteMark()
{
    FValues.QMark = FIni.ReadString(kEditor, "QMark", kDefaultQMark);
    return FValues.QMark;
}

std::string TSettings::ReadWrapWidthText()
{
    FValues.WrapByteText = FIni.ReadString(kEditor, "WrapByte", "80");
    return FValues.WrapByteText;
}

void TSettings::SaveMenuShortcuts(const std::function<int(std::string_view)>& currentShortCut)
{
    for (const TBuiltInShortcut& b : BuiltInShortcuts()) {
        const int now = currentShortCut(b.Name);
        if (now == b.ShortCut)
            FIni.DeleteKey(kMenuShortcut, b.Name);
        else
            FIni.WriteString(kMenuShortcut, b.Name, std::to_string(now & 0xFFFF));
    }
}

void TSettings::EraseMenuShortcuts(const std::vector<TMenuShortcutGroup>& menus, int waitMs)
{
    FIni.EraseSection(kMenuShortcut);
    FIni.Flush();
    // Kept from the program this one follows, where the flush was not immediate.
    if (waitMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(waitMs));
    ApplyMenuShortcuts(menus);
}

void TSettings::ApplyMenuShortcuts(const std::vector<TMenuShortcutGroup>& menus)
{
    for (const TMenuShortcutGroup& menu : menus) {
        for (TMenuShortcutItem* item : menu.Items) {
            if (item == nullptr || item->Tag <= 0 || item->Tag % 2 == 0 ||
                item->Caption == "Back Space" || item->Name.empty())
                continue;
            const int stored = FIni.ReadInteger(kMenuShortcut, item->Name, item->ShortCut);
            item->ShortCut = stored & 0xFFFF;
            if (item->SetShortCut)
                item->SetShortCut(item->ShortCut);
        }
    }
}

void TSettings::RemoveEmptySections()
{
    for (const std::string& s : FIni.ReadSections())
        if (FIni.ReadSection(s).empty())
            FIni.EraseSection(s);
}

void TSettings::CleanUpOldKeys()
{
    if (FIni.ReadBool(kUpdate, "V240", false))
        return;
    FIni.EraseSection("Fonts");
    for (const char* key : {"ImeMode", "TabSpace", "UnderLine", "LineNo", "LineNoMode", "HiperLink"})
        FIni.DeleteKey(kEditor, key);
    for (const char* key : {"V170", "V200", "V230"})
        FIni.DeleteKey(kUpdate, key);
    FIni.WriteBool(kUpdate, "V240", true);
}
