#include "app/CommandTable.h"

#include <array>

namespace {

using H = TCmdHandler;
using M = TMenuKey;

constexpr int Ctrl(int key) { return sc::Ctrl + key; }
constexpr int kF1 = 0x70, kF2 = 0x71, kF3 = 0x72, kF10 = 0x79;

// A command item.
constexpr TMenuItemDef Cmd(M menu, std::string_view name, std::string_view caption, int tag, H handler,
                           int shortCut = 0, bool built = true)
{
    TMenuItemDef d;
    d.Menu = menu;
    d.Name = name;
    d.Caption = caption;
    d.Tag = tag;
    d.Handler = handler;
    d.ShortCut = shortCut;
    d.Built = built;
    return d;
}
constexpr TMenuItemDef Hidden(TMenuItemDef d)
{
    d.Hidden = true;
    return d;
}
constexpr TMenuItemDef Check(TMenuItemDef d)
{
    d.Checkable = true;
    return d;
}
constexpr TMenuItemDef Radio(TMenuItemDef d, std::string_view hint)
{
    d.Checkable = true;
    d.Radio = true;
    d.Hint = hint;
    return d;
}
constexpr TMenuItemDef Sep(M menu, std::string_view name = {})
{
    TMenuItemDef d;
    d.Menu = menu;
    d.Name = name;
    d.Kind = TItemKind::Separator;
    return d;
}
constexpr TMenuItemDef Sub(M menu, std::string_view name, std::string_view caption, int tag, H handler, M holds,
                           bool built = true)
{
    TMenuItemDef d = Cmd(menu, name, caption, tag, handler, 0, built);
    d.Kind = TItemKind::Submenu;
    d.Holds = holds;
    return d;
}

// What is not built yet stays disabled: printing, quoting, the clipboard history, the text
// tools, find and replace, the options dialog, the about box.
constexpr bool No = false;

constexpr std::array kItems{
    // File
    Cmd(M::File, "smnNew", "新規作成(&N)", 11, H::cmdFileClick),
    Cmd(M::File, "smnOpen", "開く(&O)・・", 21, H::cmdFileClick),
    Cmd(M::File, "smnClearOpen", "消去して開く(&L)・・", 23, H::cmdFileClick),
    Cmd(M::File, "smnInsertOpen", "ｶｰｿﾙ位置へ読込(&C)・・", 25, H::cmdFileClick),
    Cmd(M::File, "smnUpdate", "再読込み(&R)", 27, H::cmdFileClick),
    Sep(M::File),
    Cmd(M::File, "smnSaveAs", "名前をつけて保存(&A)・・", 31, H::cmdFileClick),
    Cmd(M::File, "smnSave", "上書保存(&S)", 41, H::cmdFileClick, Ctrl('S')),
    Sep(M::File),
    Cmd(M::File, "smnPrint", "印刷(&P)・・", 51, H::cmdFileClick, 0, No),
    Sep(M::File),
    Cmd(M::File, "smnExit", "終了(&X)", 80, H::cmdFileClick),
    Cmd(M::File, "smnCloseAll", "全終了(&Q)", 90, H::cmdFileClick),
    // the file history follows this one
    Sep(M::File, "smnFileSeparater"),

    // Edit
    Cmd(M::Edit, "smnUndo", "元に戻す(&U)", 11, H::EditMenuCommands, Ctrl('Z')),
    Cmd(M::Edit, "smnRedo", "やり直し(&R)", 21, H::EditMenuCommands),
    Sep(M::Edit),
    Cmd(M::Edit, "smnCut", "切り取り(&T)", 31, H::EditMenuCommands, Ctrl('X')),
    Cmd(M::Edit, "smnCopy", "コピー(&C)", 41, H::EditMenuCommands, Ctrl('C')),
    Cmd(M::Edit, "smnPaste", "貼り付け(&P)", 51, H::EditMenuCommands, Ctrl('V')),
    Cmd(M::Edit, "smnQCopy", "引用符付コピー(&Q)", 57, H::EditMenuCommands, Ctrl('Q'), No),
    Cmd(M::Edit, "smnQPaste", "引用符付貼り付け(&I)", 61, H::EditMenuCommands, Ctrl('I'), No),
    Sep(M::Edit),
    Cmd(M::Edit, "smnSelectAll", "すべて選択(&L)", 71, H::EditMenuCommands, Ctrl('A')),
    Check(Cmd(M::Edit, "smnRectSel", "矩形選択ﾓｰﾄﾞ(&R)", 73, H::EditMenuCommands)),
    Cmd(M::Edit, "smnClear", "全消去(&E)", 75, H::EditMenuCommands),
    Sep(M::Edit),
    Check(Cmd(M::Edit, "smnClipHis", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ履歴(&H)", 81, H::EditMenuCommands, 0, No)),
    Hidden(Cmd(M::Edit, "smnDelLine", "行ブロック削除", 101, H::EditMenuCommands, Ctrl('Y'))),
    Hidden(Cmd(M::Edit, "smnInsertLine", "行ブロック挿入", 111, H::EditMenuCommands, Ctrl('U'))),

    // Insert
    Cmd(M::Insert, "smnDate", "日付(&D)", 11, H::cmdInsertClick, 0, No),
    Cmd(M::Insert, "smnTime", "時刻(&T)", 21, H::cmdInsertClick, 0, No),
    Cmd(M::Insert, "smnCrLf", "一括改行(&R)", 31, H::cmdInsertClick, 0, No),
    Cmd(M::Insert, "smnNewPg", "改ページ(&B)", 41, H::cmdInsertClick, 0, No),
    Sub(M::Insert, "smnPhrase", "短文(&P)", 50, H::cmdInsertClick, M::Phrase, No),

    // Search
    Cmd(M::Search, "smnFind", "検索(&F)・・", 11, H::cmdFindClick, Ctrl('F'), No),
    Cmd(M::Search, "smnFindNext", "次前方検索(&N)", 21, H::cmdFindClick, kF3, No),
    Cmd(M::Search, "smnFindBefore", "次後方検索(&B)", 31, H::cmdFindClick, sc::Shift + kF3, No),
    Sep(M::Search),
    Cmd(M::Search, "smnLineJump", "指定行へｼﾞｬﾝﾌﾟ(&J)・・", 41, H::cmdFindClick, 0, No),
    Cmd(M::Search, "smnTagJump", "タグジャンプ(&T)", 51, H::cmdFindClick, kF10, No),
    Sep(M::Search),
    Cmd(M::Search, "smnGrep", "GREP検索(&G)・・", 61, H::cmdFindClick, 0, No),

    // View; the languages of the definition file follow at start
    Check(Cmd(M::View, "smnWrap", "行を折り返す(&R)", 21, H::smnViewClick)),
    Cmd(M::View, "smnTextSize", "テキストのサイズ(&S)・・", 51, H::smnViewClick, 0, No),
    Sep(M::View),
    Radio(Cmd(M::View, "smnNormal", "通常のテキスト(&N)", 111, H::smnViewClick), "通常のテキスト"),
    Radio(Cmd(M::View, "smnHTML", "ＨＴＭＬ(&H)", 121, H::smnViewClick), "ＨＴＭＬ"),

    // Tool
    Cmd(M::Tool, "smnUpcase", "大文字に変換(&U)", 11, H::cmdToolClick, 0, No),
    Cmd(M::Tool, "smnLowcase", "小文字に変換(&L)", 21, H::cmdToolClick, 0, No),
    Cmd(M::Tool, "smnZenkaku", "全角に変換(&D)", 31, H::cmdToolClick, 0, No),
    Cmd(M::Tool, "smnHankaku", "半角に変換(&A)", 41, H::cmdToolClick, 0, No),
    Cmd(M::Tool, "smnTabExpand", "Tab→Space展開(&S)", 51, H::cmdToolClick, 0, No),
    Sep(M::Tool),
    Cmd(M::Tool, "smnTango", "単語登録(&R)", 61, H::cmdToolClick, 0, No),
    Cmd(M::Tool, "smnCodeView", "構文定義ﾌｧｲﾙ(&F)", 71, H::cmdToolClick),
    Cmd(M::Tool, "smnCrypt", "暗号/復号化(&C)", 81, H::cmdToolClick, 0, No),

    // Window; the other copies' windows follow when it opens
    Check(Cmd(M::Window, "smnSplit", "分割(&S)", 11, H::cmdWinClick, Ctrl('D'))),
    Sep(M::Window),
    Cmd(M::Window, "smnCascade", "重ねて表示(&C)", 21, H::cmdWinClick),
    Cmd(M::Window, "smnTileh", "縦に並べて表示(&H)", 31, H::cmdWinClick),
    Cmd(M::Window, "smnTilev", "横に並べて表示(&V)", 41, H::cmdWinClick),

    // Option
    Cmd(M::Option, "smnGeneralOption", "全般(&G)", 11, H::cmdGeneralOptionClick, 0, No),
    Sub(M::Option, "smnLanguageOption", "ﾃｷｽﾄの種類別(&K)", 0, H::smnPerTextClick, M::LanguageOption),
    [] {
        TMenuItemDef d = Cmd(M::LanguageOption, {}, "通常のテキスト(&N)", 0, H::smnPerTextClick, 0, No);
        d.Hint = "通常のテキスト";
        return d;
    }(),
    [] {
        TMenuItemDef d = Cmd(M::LanguageOption, {}, "ＨＴＭＬ(&H)", 0, H::smnPerTextClick, 0, No);
        d.Hint = "ＨＴＭＬ";
        return d;
    }(),

    // Help
    Cmd(M::Help, "smnHelp", "取扱説明書(&H)", 11, H::cmdHelpClick, kF1),
    Cmd(M::Help, "smnAbout", "バージョン情報(&A)", 21, H::cmdHelpClick, 0, No),
    Hidden(Cmd(M::Help, "smnPMenu", "ポップアップメニュー", 31, H::cmdHelpClick, kF2)),

    // Keyboard (the whole menu is hidden; its items take shortcuts)
    Cmd(M::Keyboard, "smnCsrR", "右へ移動", 11, H::smnSendKey),
    Cmd(M::Keyboard, "smnCsrL", "左へ移動", 21, H::smnSendKey),
    Cmd(M::Keyboard, "smnCsrU", "上へ移動", 31, H::smnSendKey),
    Cmd(M::Keyboard, "smnCsrD", "下へ移動", 41, H::smnSendKey),
    Cmd(M::Keyboard, "smnDel", "Delete", 51, H::smnSendKey),
    Cmd(M::Keyboard, "smnBS", "Back Space", 61, H::smnSendKey),
    Cmd(M::Keyboard, "smnHome", "Home", 71, H::smnSendKey),
    Cmd(M::Keyboard, "smnEnd", "End", 81, H::smnSendKey),
    Cmd(M::Keyboard, "smnCtrlHome", "Ctrl+Home", 91, H::smnSendKey),
    Cmd(M::Keyboard, "smnCtrlEnd", "Ctrl+End", 101, H::smnSendKey),

    // PopupMenu
    Cmd(M::Popup, "pmnCut", "切り取り(&X)", 31, H::EditMenuCommands),
    Cmd(M::Popup, "pmnCopy", "コピー(&C)", 41, H::EditMenuCommands),
    Cmd(M::Popup, "pmnPaste", "貼り付け(&P)", 51, H::EditMenuCommands),
    Cmd(M::Popup, "pmnQCopy", "引用符付コピー(&Q)", 57, H::EditMenuCommands, 0, No),
    Cmd(M::Popup, "pmnQPaste", "引用符付貼り付け(&R)", 61, H::EditMenuCommands, 0, No),
    Sep(M::Popup),
    Cmd(M::Popup, "pmnSelAll", "すべて選択(&A)", 71, H::EditMenuCommands),
    Sep(M::Popup),
    Sub(M::Popup, "pmnPutMark", "マーク設定(&M)", 0, H::pmnPutMarkClick, M::PutMark),
    Sub(M::Popup, "pmnMarkJump", "マークへジャンプ(&J)", -1, H::pmnMarkJumpClick, M::MarkJump),
    Sep(M::Popup),
    Sub(M::Popup, "pmnInsert", "挿入(&I)", 4, H::cmdInsertClick, M::PopupInsert),
    Cmd(M::PopupInsert, "pmnDate", "日付(&D)", 11, H::cmdInsertClick, 0, No),
    Cmd(M::PopupInsert, "pmnTime", "時刻(&T)", 21, H::cmdInsertClick, 0, No),
    Cmd(M::PopupInsert, "pmnNewPg", "改ページ(&B)", 41, H::cmdInsertClick, 0, No),
    Sub(M::PopupInsert, "pmnPhrase", "短文(&P)", 50, H::cmdInsertClick, M::PopupPhrase, No),

    // the mark submenus' children, Tags 0-9
    Check(Cmd(M::PutMark, "N01", "0： Ctrl+0", 0, H::pmnPutMarkClick)),
    Check(Cmd(M::PutMark, "N02", "1： Ctrl+1", 1, H::pmnPutMarkClick)),
    Check(Cmd(M::PutMark, "N03", "2： Ctrl+2", 2, H::pmnPutMarkClick)),
    Check(Cmd(M::PutMark, "N04", "3： Ctrl+3", 3, H::pmnPutMarkClick)),
    Check(Cmd(M::PutMark, "N05", "4： Ctrl+4", 4, H::pmnPutMarkClick)),
    Check(Cmd(M::PutMark, "N06", "5： Ctrl+5", 5, H::pmnPutMarkClick)),
    Check(Cmd(M::PutMark, "N07", "6： Ctrl+6", 6, H::pmnPutMarkClick)),
    Check(Cmd(M::PutMark, "N08", "7： Ctrl+7", 7, H::pmnPutMarkClick)),
    Check(Cmd(M::PutMark, "N09", "8： Ctrl+8", 8, H::pmnPutMarkClick)),
    Check(Cmd(M::PutMark, "N10", "9： Ctrl+9", 9, H::pmnPutMarkClick)),
    Cmd(M::MarkJump, "N11", "0： Ctrl+Shift+0", 0, H::pmnMarkJumpClick),
    Cmd(M::MarkJump, "N12", "1： Ctrl+Shift+1", 1, H::pmnMarkJumpClick),
    Cmd(M::MarkJump, "N13", "2： Ctrl+Shift+2", 2, H::pmnMarkJumpClick),
    Cmd(M::MarkJump, "N14", "3： Ctrl+Shift+3", 3, H::pmnMarkJumpClick),
    Cmd(M::MarkJump, "N15", "4： Ctrl+Shift+4", 4, H::pmnMarkJumpClick),
    Cmd(M::MarkJump, "N16", "5： Ctrl+Shift+5", 5, H::pmnMarkJumpClick),
    Cmd(M::MarkJump, "N17", "6： Ctrl+Shift+6", 6, H::pmnMarkJumpClick),
    Cmd(M::MarkJump, "N18", "7： Ctrl+Shift+7", 7, H::pmnMarkJumpClick),
    Cmd(M::MarkJump, "N19", "8： Ctrl+Shift+8", 8, H::pmnMarkJumpClick),
    Cmd(M::MarkJump, "N20", "9： Ctrl+Shift+9", 9, H::pmnMarkJumpClick),
};

constexpr std::array<TToolButtonDef, 19> kButtons{{
    {"spbNew", "新規作成", 11, H::cmdFileClick, "smnNew", false, {}, "document-new"},
    {"spbOpen", "開く", 21, H::cmdFileClick, "smnOpen", false, {}, "document-open"},
    {"spbSave", "上書保存", 41, H::cmdFileClick, "smnSave", false, {}, "document-save"},
    {"spbPrint", "印刷", 51, H::cmdFileClick, "smnPrint", false, {}, "document-print"},
    {"spbUndo", "元に戻す", 11, H::EditMenuCommands, "smnUndo", false, {}, "edit-undo"},
    {"spbCut", "切り取り", 31, H::EditMenuCommands, "smnCut", false, {}, "edit-cut"},
    {"spbCopy", "コピー", 41, H::EditMenuCommands, "smnCopy", false, {}, "edit-copy"},
    {"spbPaste", "貼付け", 51, H::EditMenuCommands, "smnPaste", false, {}, "edit-paste"},
    {"spbQCopy", "引用ｺﾋﾟｰ", 57, H::EditMenuCommands, "smnQCopy", false, {}, {}},
    {"spbQPaste", "引用貼付け", 61, H::EditMenuCommands, "smnQPaste", false, {}, {}},
    {"spbSelAll", "すべて選択", 71, H::EditMenuCommands, "smnSelectAll", false, {}, "edit-select-all"},
    {"spbBoxSel", "矩形選択", 73, H::EditMenuCommands, "smnRectSel", true, {}, {}},
    {"spbClipHis", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ履歴", 81, H::EditMenuCommands, "smnClipHis", false, "CH", {}},
    {"spbDate", "日付", 11, H::cmdInsertClick, "smnDate", false, {}, {}},
    {"spbTime", "時刻", 21, H::cmdInsertClick, "smnTime", false, {}, {}},
    {"spbFind", "検索", 11, H::cmdFindClick, "smnFind", false, {}, "edit-find"},
    {"spbSplit", "上下分割", 11, H::cmdWinClick, "smnSplit", true, {}, {}},
    {"spbExit", "終了", 80, H::cmdFileClick, "smnExit", false, {}, "application-exit"},
    {"spbHelp", "ヘルプ", 11, H::cmdHelpClick, "smnHelp", false, {}, "help-contents"},
}};

constexpr std::array<TTopMenuDef, 10> kTopMenus{{
    {M::File, "mmnFile", "ファイル(&F)", 0, H::FileMenusShow, false},
    {M::Edit, "mmnEdit", "編集(&E)", 0, H::mmnEditClick, false},
    {M::Insert, "mmnInsert", "挿入(&I)", 2, H::cmdInsertClick, false},
    {M::Search, "mmnSearch", "検索(&S)", 0, H::cmdFindClick, false},
    {M::View, "mmnView", "表示(&V)", 10, H::mmnViewClick, false},
    {M::Tool, "mmnTool", "ツール(&T)", 0, H::cmdToolClick, false},
    {M::Window, "mmnWin", "ウィンドウ(&W)", 0, H::cmdWinClick, false},
    {M::Option, "mmnOption", "設定(&O)", 0, H::mmnOptionClick, false},
    {M::Help, "mmnHelp", "ヘルプ(&H)", 0, H::cmdHelpClick, false, false},
    {M::Keyboard, "mmnKey", "キーボード", 0, H::smnSendKey, true, false},
}};

} // namespace

std::string_view HandlerName(TCmdHandler h)
{
    switch (h) {
    case H::cmdFileClick: return "cmdFileClick";
    case H::EditMenuCommands: return "EditMenuCommands";
    case H::cmdInsertClick: return "cmdInsertClick";
    case H::cmdFindClick: return "cmdFindClick";
    case H::smnViewClick: return "smnViewClick";
    case H::mmnViewClick: return "mmnViewClick";
    case H::cmdToolClick: return "cmdToolClick";
    case H::cmdWinClick: return "cmdWinClick";
    case H::mmnOptionClick: return "mmnOptionClick";
    case H::cmdGeneralOptionClick: return "cmdGeneralOptionClick";
    case H::smnPerTextClick: return "smnPerTextClick";
    case H::cmdHelpClick: return "cmdHelpClick";
    case H::smnSendKey: return "smnSendKey";
    case H::pmnPutMarkClick: return "pmnPutMarkClick";
    case H::pmnMarkJumpClick: return "pmnMarkJumpClick";
    case H::FileMenusShow: return "FileMenusShow";
    case H::mmnEditClick: return "mmnEditClick";
    case H::PopupMenuPopup: return "PopupMenuPopup";
    }
    return "?";
}

std::span<const TTopMenuDef> TopMenus() { return kTopMenus; }
std::span<const TMenuItemDef> MenuItems() { return kItems; }
std::span<const TToolButtonDef> ToolButtons() { return kButtons; }

const TMenuItemDef* FindMenuItem(std::string_view name)
{
    for (const TMenuItemDef& d : kItems)
        if (!d.Name.empty() && d.Name == name)
            return &d;
    return nullptr;
}

const TToolButtonDef* FindToolButton(std::string_view name)
{
    for (const TToolButtonDef& d : kButtons)
        if (d.Name == name)
            return &d;
    return nullptr;
}

const TTopMenuDef* FindTopMenu(TMenuKey key)
{
    for (const TTopMenuDef& d : kTopMenus)
        if (d.Key == key)
            return &d;
    return nullptr;
}
