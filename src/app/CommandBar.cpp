#include "app/CommandBar.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "app/MainCommands.h"
#include "app/ToolIcons.h"
#include "qt/QtCp932.h"

namespace {

QString Utf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QString Latin(std::string_view s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

// What an item was built as: its command and whether it may ever be enabled.
constexpr const char* kHandler = "varnetHandler";
constexpr const char* kBuilt = "varnetBuilt";
constexpr const char* kHint = "varnetHint"; // CP932 bytes

// The Qt key sequence of a shortcut value; enough for the table's own defaults.
QKeySequence DefaultKeySequence(int v)
{
    const int vk = v & 0xFF;
    int key = 0;
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        key = vk;
    else if (vk >= 0x70 && vk <= 0x87)
        key = Qt::Key_F1 + (vk - 0x70);
    if (key == 0)
        return {};
    int mods = 0;
    if (v & sc::Shift)
        mods |= Qt::SHIFT;
    if (v & sc::Ctrl)
        mods |= Qt::CTRL;
    if (v & sc::Alt)
        mods |= Qt::ALT;
    return QKeySequence(mods | key);
}

} // namespace

TCommandBar::TCommandBar(QMainWindow& window, TCommandDispatch& dispatch)
    : QObject(&window)
    , KeySequenceOf(DefaultKeySequence)
    , FWindow(window)
    , FDispatch(dispatch)
{
    QMenuBar* bar = window.menuBar();
    FViewModes = new QActionGroup(this);
    FViewModes->setExclusive(true);
    for (const TTopMenuDef& top : TopMenus()) {
        QMenu* menu = new QMenu(Utf8(top.Caption), &window);
        menu->setObjectName(Latin(top.Name));
        FMenus.insert(static_cast<int>(top.Key), menu);
        if (!top.Hidden)
            bar->addMenu(menu);
        if (top.Opens)
            ConnectOpening(menu, top.Opening, top.Tag);
    }
    QMenu* popup = new QMenu(&window);
    popup->setObjectName(QStringLiteral("PopupMenu"));
    FMenus.insert(static_cast<int>(TMenuKey::Popup), popup);
    ConnectOpening(popup, TCmdHandler::PopupMenuPopup, 0);

    for (const TTopMenuDef& top : TopMenus())
        FillMenu(FMenus.value(static_cast<int>(top.Key)), top.Key);
    FillMenu(popup, TMenuKey::Popup);

    // The tool bar, in the table's order.
    FToolBar = new QToolBar(&window);
    FToolBar->setObjectName(QStringLiteral("pnlTool"));
    FToolBar->setMovable(false);
    FToolBar->setFloatable(false);
    FToolBar->setIconSize(QSize(16, 16));
    window.addToolBar(Qt::TopToolBarArea, FToolBar);
    for (const TToolButtonDef& b : ToolButtons()) {
        const TMenuItemDef* item = FindMenuItem(b.MenuItem);
        const bool built = item == nullptr || item->Built;
        QAction* a = new QAction(Utf8(b.Hint), FToolBar);
        a->setObjectName(Latin(b.Name));
        a->setToolTip(Utf8(b.Hint));
        a->setData(b.Tag);
        a->setCheckable(b.Toggle);
        a->setEnabled(built);
        a->setProperty(kBuilt, built);
        if (b.Caption.empty())
            a->setIcon(ToolIcon(b.Name, b.IconName, Utf8(b.Hint).left(1)));
        else
            a->setText(Latin(b.Caption));
        const TCmdHandler handler = b.Handler;
        const int tag = b.Tag;
        const std::string_view name = b.Name;
        connect(a, &QAction::triggered, this, [this, handler, tag, name, a] { Trigger(handler, tag, name, a); });
        FToolBar->addAction(a);
        if (!b.Caption.empty())
            if (auto* tb = qobject_cast<QToolButton*>(FToolBar->widgetForAction(a)))
                tb->setToolButtonStyle(Qt::ToolButtonTextOnly);
        FButtons.insert(a->objectName(), a);
    }
}

TCommandBar::~TCommandBar() = default;

QMenu* TCommandBar::Menu(TMenuKey key) const { return FMenus.value(static_cast<int>(key), nullptr); }

QAction* TCommandBar::Item(std::string_view name) const { return FItems.value(Latin(name), nullptr); }

QAction* TCommandBar::Button(std::string_view name) const { return FButtons.value(Latin(name), nullptr); }

std::vector<QAction*> TCommandBar::CommandItems() const
{
    std::vector<QAction*> all = FOrder;
    all.insert(all.end(), FLanguageItems.begin(), FLanguageItems.end());
    return all;
}

void TCommandBar::ConnectOpening(QMenu* menu, TCmdHandler handler, int tag)
{
    connect(menu, &QMenu::aboutToShow, this, [this, handler, tag] {
        TCommandSender s;
        s.Tag = tag;
        FDispatch.Raise(handler, s);
    });
    // Shortcuts act on what the command finds when it runs; the rules only shape the menu the
    // user is looking at, so the items come back when it closes.
    connect(menu, &QMenu::aboutToHide, this, [this, menu] { RestoreEnabled(menu); });
}

void TCommandBar::RestoreEnabled(QMenu* menu)
{
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            a->setEnabled(a->property(kBuilt).toBool());
}

QAction* TCommandBar::MakeItem(QMenu* menu, const TMenuItemDef& d)
{
    QAction* a = nullptr;
    if (d.Kind == TItemKind::Separator) {
        a = menu->addSeparator();
        if (!d.Name.empty())
            a->setObjectName(Latin(d.Name));
        return a;
    }
    if (d.Kind == TItemKind::Submenu) {
        QMenu* sub = new QMenu(Utf8(d.Caption), menu);
        sub->setObjectName(Latin(d.Name));
        FMenus.insert(static_cast<int>(d.Holds), sub);
        a = menu->addMenu(sub);
        if (d.Holds == TMenuKey::MarkJump)
            ConnectOpening(sub, TCmdHandler::pmnMarkJumpClick, -1);
        else if (d.Holds == TMenuKey::PopupInsert)
            ConnectOpening(sub, TCmdHandler::cmdInsertClick, 4);
        FillMenu(sub, d.Holds);
    } else {
        a = new QAction(Utf8(d.Caption), menu);
        if (d.Hidden)
            FWindow.addAction(a); // keeps its shortcut without showing
        else
            menu->addAction(a);
        if (menu->objectName() == QLatin1String("mmnKey"))
            FWindow.addAction(a);
        a->setCheckable(d.Checkable);
        if (d.Radio)
            FViewModes->addAction(a);
        if (d.ShortCut != 0)
            a->setShortcut(KeySequenceOf(d.ShortCut));
        // Shortcuts belong to the window, whichever view has the focus.
        a->setShortcutContext(Qt::WindowShortcut);
        const TCmdHandler handler = d.Handler;
        const int tag = d.Tag;
        const std::string_view name = d.Name;
        connect(a, &QAction::triggered, this, [this, handler, tag, name, a] { Trigger(handler, tag, name, a); });
    }
    a->setObjectName(Latin(d.Name));
    a->setData(d.Tag);
    a->setEnabled(d.Built);
    a->setProperty(kBuilt, d.Built);
    a->setProperty(kHandler, static_cast<int>(d.Handler));
    if (!d.Hint.empty()) {
        a->setProperty(kHint, QByteArray(Cp932FromQString(Utf8(d.Hint)).c_str()));
        a->setStatusTip(Utf8(d.Hint));
    }
    if (!d.Name.empty()) {
        FItems.insert(a->objectName(), a);
        if (d.Kind == TItemKind::Command)
            FOrder.push_back(a);
    }
    return a;
}

void TCommandBar::FillMenu(QMenu* menu, TMenuKey key)
{
    if (menu == nullptr)
        return;
    ForEachItemOf(key, [&](const TMenuItemDef& d) { MakeItem(menu, d); });
}

void TCommandBar::Trigger(TCmdHandler handler, int tag, std::string_view name, const QAction* a)
{
    TCommandSender s;
    s.Tag = tag;
    s.Name = name;
    if (a != nullptr)
        s.Hint = a->property(kHint).toByteArray().toStdString();
    FDispatch.Raise(handler, s);
}

void TCommandBar::SetItemEnabled(std::string_view name, bool enabled)
{
    if (QAction* a = Item(name))
        a->setEnabled(enabled && a->property(kBuilt).toBool());
}

void TCommandBar::SetItemChecked(std::string_view name, bool checked)
{
    if (QAction* a = Item(name)) {
        a->setCheckable(true);
        a->setChecked(checked);
    }
}

bool TCommandBar::ItemChecked(std::string_view name) const
{
    const QAction* a = Item(name);
    return a != nullptr && a->isChecked();
}

void TCommandBar::SetButtonEnabled(std::string_view name, bool enabled)
{
    if (QAction* a = Button(name))
        a->setEnabled(enabled && a->property(kBuilt).toBool());
}

void TCommandBar::SetButtonDown(std::string_view name, bool down)
{
    if (QAction* a = Button(name))
        a->setChecked(down);
}

void TCommandBar::AddViewLanguage(const std::string& name)
{
    QMenu* view = Menu(TMenuKey::View);
    QAction* a = new QAction(QStringFromCp932(name), view);
    view->addAction(a);
    a->setCheckable(true);
    FViewModes->addAction(a);
    a->setData(130);
    a->setProperty(kBuilt, true);
    a->setProperty(kHint, QByteArray(name.c_str()));
    a->setStatusTip(QStringFromCp932(name));
    connect(a, &QAction::triggered, this, [this, a] { Trigger(TCmdHandler::smnViewClick, 130, {}, a); });
    FLanguageItems.push_back(a);
}

void TCommandBar::CheckViewMode(const std::string& name)
{
    for (QAction* a : FViewModes->actions())
        if (a->property(kHint).toByteArray().toStdString() == name) {
            a->setChecked(true);
            return;
        }
}

int TCommandBar::LanguageOptionCount() const
{
    const QMenu* m = Menu(TMenuKey::LanguageOption);
    return m != nullptr ? static_cast<int>(m->actions().size()) : 0;
}

void TCommandBar::AppendLanguageOption(const std::string& name)
{
    QMenu* m = Menu(TMenuKey::LanguageOption);
    if (m == nullptr)
        return;
    QAction* a = m->addAction(QStringFromCp932(name));
    a->setData(0);
    // The per-kind pages of the options dialog are not in the program yet.
    a->setEnabled(false);
    a->setProperty(kBuilt, false);
    a->setProperty(kHint, QByteArray(name.c_str()));
    a->setStatusTip(QStringFromCp932(name));
    connect(a, &QAction::triggered, this, [this, a] { Trigger(TCmdHandler::smnPerTextClick, 0, {}, a); });
}

void TCommandBar::SetWindowList(const QStringList& captions, std::function<void(int)> pick)
{
    QMenu* menu = Menu(TMenuKey::Window);
    for (QAction* a : FWindowList) {
        menu->removeAction(a);
        a->deleteLater();
    }
    FWindowList.clear();
    if (captions.isEmpty())
        return;
    FWindowList.push_back(menu->addSeparator());
    for (int i = 0; i < captions.size(); ++i) {
        QAction* a = menu->addAction(captions[i]);
        a->setProperty(kBuilt, true);
        connect(a, &QAction::triggered, this, [pick, i] {
            if (pick)
                pick(i);
        });
        FWindowList.push_back(a);
    }
}

void TCommandBar::Popup(const QPoint& global)
{
    // exec raises aboutToShow, and with it the context menu's enabling rules.
    PopupMenu()->exec(global);
}
