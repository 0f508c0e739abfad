// The main window's side of the commands: the menus, tool bar and context menu built from the
// command table, and what the command handlers ask of the window.
#include "app/QzEMain.h"

#include <QApplication>

#include <algorithm>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "app/CommandBar.h"
#include "app/Documents.h"
#include "app/ShortCut.h"
#include "colouring/CodeAttr.h"
#include "colouring/EditorProp.h"
#include "colouring/IniProfile.h"
#include "platform/ProgramDir.h"
#include "qt/Dialogs.h"
#include "qt/EditorWidget.h"
#include "qt/PeerBus.h"
#include "qt/QtCp932.h"
#include "view/VnColouredEditor.h"

namespace {


int QtKeyOf(int vk)
{
    switch (vk) {
    case vkRight: return Qt::Key_Right;
    case vkLeft: return Qt::Key_Left;
    case vkUp: return Qt::Key_Up;
    case vkDown: return Qt::Key_Down;
    case vkDelete: return Qt::Key_Delete;
    case vkBack: return Qt::Key_Backspace;
    case vkHome: return Qt::Key_Home;
    case vkEnd: return Qt::Key_End;
    default: return 0;
    }
}

} // namespace

void TQzEMain::CreateCommands()
{
    FCommands = std::make_unique<TMainCommands>(*static_cast<TCommandHost*>(this));
    FCommandBar = new TCommandBar(*this, *FCommands);
    FCommandBar->KeySequenceOf = ShortCutToKeySequence;
    // The table's defaults again through the settings' mapping, so both agree.
    for (const TMenuItemDef& d : MenuItems())
        if (d.ShortCut != 0)
            if (QAction* a = FCommandBar->Item(d.Name))
                a->setShortcut(ShortCutToKeySequence(d.ShortCut));
    FFileMenu = FCommandBar->Menu(TMenuKey::File);
    ConnectEditorWidget(FEditorWidget);

    const TProgramDir& dir = TProgramDir::Instance();
    TModeFiles files;
    files.Open = [&dir](std::string_view name) -> std::unique_ptr<TProfile> {
        return std::make_unique<TIniProfile>(dir.PathForRead(name), dir.PathForWrite(name));
    };
    files.Path = [&dir](std::string_view name) { return dir.PathForRead(name); };
    FModes = std::make_unique<TDisplayModes>(*static_cast<TDisplayModeHost*>(this), std::move(files));
    FMainView = std::make_unique<TVnColouredEditor>(Editor(), "Editor");
    FModes->SetMainEditor(FMainView.get());
    // One View-menu item per language of the definition file.
    for (const std::string& name : FModes->LanguageNames())
        FCommandBar->AddViewLanguage(name);
    FCommands->RefreshToolBar();
    FCommands->RefreshNewPrintButtons();
}

// The window sees keys, double clicks, the wheel and pointer moves before the editor.
void TQzEMain::ConnectEditorWidget(TEditorWidget* w)
{
    TVnEdit* e = &w->Edit();
    w->OnKeyDown = [this, e](int key, TShiftState shift) { return FCommands->EditorKeyDown(*e, key, shift); };
    w->OnWheel = [this, e](int delta) {
        FCommands->MouseWheel(*e, delta);
        return true;
    };
    w->OnMouseMoved = [this, e](TPoint p) { FCommands->EditorMouseMove(*e, p); };
    w->OnDblClick = [this, e](TPoint p) { return FCommands->EditorDblClick(*e, p); };
    w->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(w, &QWidget::customContextMenuRequested, this,
            [this, w](const QPoint& p) { FCommandBar->Popup(w->mapToGlobal(p)); });
}

void TQzEMain::SplitViewCreated()
{
    FSubView = std::make_unique<TVnColouredEditor>(FSubWidget->Edit(), "SubEditor");
    CopyDisplaySettings(*FMainView, *FSubView);
    FModes->SetSubEditor(FSubView.get());
    ConnectEditorWidget(FSubWidget);
    FCommands->SubEditorCreated();
}

void TQzEMain::SplitViewGoing()
{
    FModes->SetSubEditor(nullptr);
    FSubView.reset();
}

// The stored shortcuts (section MenuShortcut) onto the items directly under each top menu,
// hidden ones included; submenus are not entered.
void TQzEMain::ApplyMenuShortcuts()
{
    std::vector<std::unique_ptr<TMenuShortcutItem>> items;
    std::vector<TMenuShortcutGroup> groups;
    for (const TTopMenuDef& top : TopMenus()) {
        TMenuShortcutGroup g{std::string(top.Name), {}};
        ForEachItemOf(top.Key, [&](const TMenuItemDef& d) {
            QAction* a = d.Kind == TItemKind::Command ? FCommandBar->Item(d.Name) : nullptr;
            if (a == nullptr)
                return;
            auto item = std::make_unique<TMenuShortcutItem>();
            item->Name = std::string(d.Name);
            item->Tag = d.Tag;
            item->Caption = std::string(d.Caption);
            item->ShortCut = KeySequenceToShortCut(a->shortcut());
            item->SetShortCut = [a](int v) { a->setShortcut(ShortCutToKeySequence(v)); };
            g.Items.push_back(item.get());
            items.push_back(std::move(item));
        });
        groups.push_back(std::move(g));
    }
    FSettings->ApplyMenuShortcuts(groups);
}

// ---- menu state

void TQzEMain::SetItemEnabled(std::string_view name, bool enabled) { FCommandBar->SetItemEnabled(name, enabled); }
void TQzEMain::SetItemChecked(std::string_view name, bool checked) { FCommandBar->SetItemChecked(name, checked); }
bool TQzEMain::ItemChecked(std::string_view name) const { return FCommandBar->ItemChecked(name); }
void TQzEMain::SetButtonEnabled(std::string_view name, bool enabled) { FCommandBar->SetButtonEnabled(name, enabled); }
void TQzEMain::SetButtonDown(std::string_view name, bool down) { FCommandBar->SetButtonDown(name, down); }

// ---- what the window knows

bool TQzEMain::ClipboardHasText() const
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

bool TQzEMain::ClipHistoryInUse() const { return FSettings->Values().ClipHistory; }
bool TQzEMain::CaretFreeSetting() const { return FSettings->Values().CaretFree; }

bool TQzEMain::FileExists(const std::string& path) const { return QFileInfo::exists(QFile::decodeName(path.c_str())); }

std::string TQzEMain::ProgramDir() const
{
    std::string dir = TProgramDir::Instance().Directory();
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    return dir;
}

std::string TQzEMain::ManualPath() const
{
    const QFileInfo program(QCoreApplication::applicationFilePath());
    return ProgramDir() + QFile::encodeName(program.completeBaseName()).toStdString() + ".TXT";
}

std::vector<std::string> TQzEMain::LanguageNames() const { return FModes->LanguageNames(); }

// ---- documents and windows

void TQzEMain::NewDocument() { FDocuments->New(); }
void TQzEMain::OpenDocument() { FDocuments->Open(); }
void TQzEMain::ClearAndOpen() { FDocuments->ClearAndOpen(); }
void TQzEMain::InsertFile() { FDocuments->InsertFile(); }
void TQzEMain::Reload() { FDocuments->Reload(); }
void TQzEMain::SaveAs() { FDocuments->SaveAs(); }
void TQzEMain::Save() { FDocuments->Save(); }
void TQzEMain::CloseWindow() { close(); }
void TQzEMain::CloseAll() { FDocuments->CloseAll(); }
void TQzEMain::ClearAll() { FDocuments->Clear(); }
void TQzEMain::ReloadFileHistory() { RefreshHistoryMenu(); }
void TQzEMain::Cascade() { FDocuments->Cascade(); }
void TQzEMain::TileHorizontally() { FDocuments->TileHorizontally(); }
void TQzEMain::TileVertically() { FDocuments->TileVertically(); }
void TQzEMain::OpenCodeViewFile() { FDocuments->OpenCodeViewFile(); }

void TQzEMain::RefreshWindowList()
{
    const QList<TPeerInfo> copies = FDocuments->WindowList();
    QStringList captions;
    for (const TPeerInfo& p : copies)
        captions << TDocuments::WindowListCaption(p.Title);
    FCommandBar->SetWindowList(captions, [this, copies](int i) {
        if (i >= 0 && i < copies.size())
            FDocuments->ActivateCopy(copies[i]);
    });
}

// ---- view

void TQzEMain::SelectViewMode(int tag, const std::string& name)
{
    if (tag == 111)
        SelectViewMode(PlainTextModeName());
    else if (tag == 121)
        SelectViewMode(HtmlModeName());
    else
        SelectViewMode(name);
    EditorResize();
}

void TQzEMain::SetStatusModeName(std::string_view name)
{
    FViewMode = std::string(name);
    SetPanelText(5, QStringFromCp932(name));
}

bool TQzEMain::SelectViewItem(TViewItem item, std::string_view name)
{
    switch (item) {
    case TViewItem::PlainText: SelectViewMode(111, std::string(name)); return true;
    case TViewItem::Html: SelectViewMode(121, std::string(name)); return true;
    case TViewItem::Language: {
        const std::vector<std::string> names = FModes->LanguageNames();
        if (std::find(names.begin(), names.end(), name) == names.end())
            return false;
        SelectViewMode(130, std::string(name));
        return true;
    }
    }
    return false;
}

void TQzEMain::ShowInsertMode(bool overwrite) { SetPanelText(1, QString::fromUtf8(overwrite ? "上書" : "挿入")); }

int TQzEMain::LanguageOptionCount() const { return FCommandBar->LanguageOptionCount(); }
void TQzEMain::AppendLanguageOption(const std::string& name) { FCommandBar->AppendLanguageOption(name); }

// ---- the rest

void TQzEMain::ShowMessage(std::string_view text) { TDialogs::Instance().ShowMessage(this, QStringFromCp932(text)); }

// The viewer of its own is not in the program yet; the desktop shows the manual meanwhile.
void TQzEMain::ShowManual(const std::string& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(path.c_str())));
}

void TQzEMain::PopupContextMenu(TPoint p) { FCommandBar->Popup(mapToGlobal(QPoint(p.X, p.Y))); }

void TQzEMain::SendKey(int vk)
{
    const int key = QtKeyOf(vk);
    QWidget* target = QApplication::focusWidget();
    if (key == 0 || target == nullptr)
        return;
    const Qt::KeyboardModifiers mods = QApplication::keyboardModifiers();
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QKeyEvent release(QEvent::KeyRelease, key, mods);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

int TQzEMain::FittingColumns(const TVnEdit& e) const
{
    const TEditorMetrics& m = e.Metrics();
    const bool vbar = e.ScrollBars() == ssVertical || e.ScrollBars() == ssBoth;
    const int bar = vbar && e.Host() != nullptr ? e.Host()->ScrollBarExtent(sbVertical) : 0;
    return WindowColumns(m.ClientWidth + bar, m.TextLeft, m.ColWidth, bar);
}

void TQzEMain::SetEditorCursor(TVnEdit& e, int cursor)
{
    if (e.Host() != nullptr)
        e.Host()->SetCursor(cursor);
}

void TQzEMain::OpenUrl(const std::string& target) { QDesktopServices::openUrl(QUrl(QStringFromCp932(target))); }
