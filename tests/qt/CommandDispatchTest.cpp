// Every command of the table reaches its handler with its Tag: by its menu item, by its tool
// button and by its default shortcut; menus raise their opening handlers first.
#include "app/CommandBar.h"
#include "app/CommandTable.h"
#include "app/MainCommands.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

struct TCall {
    std::string Handler;
    int Tag;
    std::string Hint;
    friend bool operator==(const TCall&, const TCall&) = default;
};

std::ostream& operator<<(std::ostream& os, const TCall& c) { return os << c.Handler << "(" << c.Tag << ")"; }

class TRecordingDispatch : public TCommandDispatch {
public:
    std::vector<TCall> Calls;

#define RECORD(h)                                                                                   \
    void h(const TCommandSender& s) override { Calls.push_back({#h, s.Tag, s.Hint}); }
    RECORD(cmdFileClick)
    RECORD(EditMenuCommands)
    RECORD(cmdInsertClick)
    RECORD(cmdFindClick)
    RECORD(smnViewClick)
    RECORD(mmnViewClick)
    RECORD(cmdToolClick)
    RECORD(cmdWinClick)
    RECORD(mmnOptionClick)
    RECORD(cmdGeneralOptionClick)
    RECORD(smnPerTextClick)
    RECORD(cmdHelpClick)
    RECORD(smnSendKey)
    RECORD(pmnPutMarkClick)
    RECORD(pmnMarkJumpClick)
    RECORD(FileMenusShow)
    RECORD(mmnEditClick)
    RECORD(PopupMenuPopup)
#undef RECORD
};

struct TFixture {
    QMainWindow window;
    TRecordingDispatch dispatch;
    TCommandBar* bar;
    TFixture() : bar(new TCommandBar(window, dispatch))
    {
        window.resize(600, 400);
        window.show();
        window.activateWindow();
        (void)QTest::qWaitForWindowActive(&window);
    }
};

TCall Expected(const TMenuItemDef& d)
{
    return {std::string(HandlerName(d.Handler)), d.Tag, {}};
}

} // namespace

TEST(CommandDispatch, EveryMenuItemRaisesItsHandlerWithItsTag)
{
    TFixture f;
    int commands = 0;
    std::set<std::pair<int, int>> seen; // (handler, tag) per menu: no two items collide
    for (const TMenuItemDef& d : MenuItems()) {
        if (d.Kind != TItemKind::Command)
            continue;
        ++commands;
        QAction* a = f.bar->Item(d.Name.empty() ? std::string_view("") : d.Name);
        if (d.Name.empty()) {
            // The per-kind items carry no name; find them by their caption.
            a = nullptr;
            for (QAction* x : f.bar->Menu(TMenuKey::LanguageOption)->actions())
                if (x->text() == QString::fromUtf8(d.Caption.data(), qsizetype(d.Caption.size())))
                    a = x;
        }
        ASSERT_NE(a, nullptr) << d.Caption;
        EXPECT_EQ(a->text(), QString::fromUtf8(d.Caption.data(), qsizetype(d.Caption.size()))) << d.Name;
        EXPECT_EQ(a->isEnabled(), d.Built) << d.Name;
        f.dispatch.Calls.clear();
        a->trigger();
        if (!d.Built) {
            // Disabled until its command exists; wired all the same.
            EXPECT_TRUE(f.dispatch.Calls.empty()) << d.Name;
            a->setEnabled(true);
            a->trigger();
        }
        ASSERT_EQ(f.dispatch.Calls.size(), 1u) << d.Name;
        TCall want = Expected(d);
        want.Hint = f.dispatch.Calls[0].Hint;
        EXPECT_EQ(f.dispatch.Calls[0], want) << d.Name;
        if (!d.Hint.empty()) {
            EXPECT_FALSE(f.dispatch.Calls[0].Hint.empty()) << d.Name << " passes the kind it stands for";
        }
        if (!d.Name.empty() && d.Menu != TMenuKey::PutMark && d.Menu != TMenuKey::MarkJump) {
            EXPECT_TRUE(seen.insert({static_cast<int>(d.Handler) * 1000 + static_cast<int>(d.Menu), d.Tag}).second)
                << d.Name << " shares handler and Tag with another item of its menu";
        }
    }
    EXPECT_GT(commands, 90);
}

TEST(CommandDispatch, HiddenItemsStayOutOfTheVisibleMenusButKeepTheirCommands)
{
    TFixture f;
    for (std::string_view name : {"smnDelLine", "smnInsertLine", "smnPMenu"}) {
        QAction* a = f.bar->Item(name);
        ASSERT_NE(a, nullptr);
        for (QAction* top : f.window.menuBar()->actions())
            EXPECT_FALSE(top->menu()->actions().contains(a)) << name;
        EXPECT_TRUE(f.window.actions().contains(a)) << name;
    }
    // The Keyboard menu is not on the menu bar.
    QMenu* keys = f.bar->Menu(TMenuKey::Keyboard);
    ASSERT_NE(keys, nullptr);
    for (QAction* top : f.window.menuBar()->actions())
        EXPECT_NE(top->menu(), keys);
    EXPECT_EQ(f.window.menuBar()->actions().size(), 9);
}

TEST(CommandDispatch, TheNineteenButtonsInOrderRaiseTheirMenuItemsCommands)
{
    TFixture f;
    const char* order[] = {"spbNew",   "spbOpen",    "spbSave",   "spbPrint", "spbUndo",  "spbCut",  "spbCopy",
                           "spbPaste", "spbQCopy",   "spbQPaste", "spbSelAll", "spbBoxSel", "spbClipHis", "spbDate",
                           "spbTime",  "spbFind",    "spbSplit",  "spbExit",  "spbHelp"};
    const QList<QAction*> actions = f.bar->pnlTool()->actions();
    ASSERT_EQ(actions.size(), 19);
    for (int i = 0; i < 19; ++i) {
        EXPECT_EQ(actions[i]->objectName(), QString::fromLatin1(order[i]));
        const TToolButtonDef* b = FindToolButton(order[i]);
        ASSERT_NE(b, nullptr);
        const TMenuItemDef* item = FindMenuItem(b->MenuItem);
        ASSERT_NE(item, nullptr) << order[i];
        EXPECT_EQ(b->Handler, item->Handler) << order[i];
        EXPECT_EQ(b->Tag, item->Tag) << order[i];
        auto* button = qobject_cast<QToolButton*>(f.bar->pnlTool()->widgetForAction(actions[i]));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(b->Hint.data(), qsizetype(b->Hint.size())));
        EXPECT_EQ(actions[i]->isCheckable(), b->Toggle) << order[i];
        if (b->Caption.empty())
            EXPECT_FALSE(actions[i]->icon().pixmap(16, 16).isNull()) << order[i] << " shows a picture";
        else
            EXPECT_EQ(button->text(), QStringLiteral("CH"));
        f.dispatch.Calls.clear();
        if (!item->Built) {
            EXPECT_FALSE(button->isEnabled()) << order[i];
            continue;
        }
        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_EQ(f.dispatch.Calls.size(), 1u) << order[i];
        EXPECT_EQ(f.dispatch.Calls[0], Expected(*item)) << order[i];
    }
}

TEST(CommandDispatch, DefaultShortcutsReachTheirCommands)
{
    TFixture f;
    int tried = 0;
    for (const TMenuItemDef& d : MenuItems()) {
        if (d.ShortCut == 0)
            continue;
        QAction* a = f.bar->Item(d.Name);
        ASSERT_NE(a, nullptr) << d.Name;
        ASSERT_FALSE(a->shortcut().isEmpty()) << d.Name;
        f.dispatch.Calls.clear();
        const QKeyCombination k = a->shortcut()[0];
        QTest::keyClick(&f.window, k.key(), k.keyboardModifiers());
        if (!d.Built) {
            EXPECT_TRUE(f.dispatch.Calls.empty()) << d.Name << " is disabled";
            continue;
        }
        ++tried;
        ASSERT_EQ(f.dispatch.Calls.size(), 1u) << d.Name;
        EXPECT_EQ(f.dispatch.Calls[0], Expected(d)) << d.Name;
    }
    EXPECT_GE(tried, 11);
}

TEST(CommandDispatch, OpeningAMenuRaisesItsOpeningHandlerAndClosingItGivesTheItemsBack)
{
    TFixture f;
    const std::pair<TMenuKey, TCall> cases[] = {
        {TMenuKey::File, {"FileMenusShow", 0, {}}},   {TMenuKey::Edit, {"mmnEditClick", 0, {}}},
        {TMenuKey::Insert, {"cmdInsertClick", 2, {}}}, {TMenuKey::Search, {"cmdFindClick", 0, {}}},
        {TMenuKey::View, {"mmnViewClick", 10, {}}},   {TMenuKey::Tool, {"cmdToolClick", 0, {}}},
        {TMenuKey::Window, {"cmdWinClick", 0, {}}},   {TMenuKey::Option, {"mmnOptionClick", 0, {}}},
        {TMenuKey::Popup, {"PopupMenuPopup", 0, {}}}, {TMenuKey::MarkJump, {"pmnMarkJumpClick", -1, {}}},
        {TMenuKey::PopupInsert, {"cmdInsertClick", 4, {}}},
    };
    for (const auto& [key, call] : cases) {
        QMenu* m = f.bar->Menu(key);
        ASSERT_NE(m, nullptr);
        f.dispatch.Calls.clear();
        // A rule disabled an item while the menu was up; it comes back when the menu closes.
        QAction* first = nullptr;
        for (QAction* a : m->actions())
            if (!a->isSeparator() && a->isEnabled()) {
                first = a;
                break;
            }
        QMetaObject::invokeMethod(m, "aboutToShow");
        ASSERT_EQ(f.dispatch.Calls.size(), 1u);
        EXPECT_EQ(f.dispatch.Calls[0], call);
        if (first != nullptr) {
            first->setEnabled(false);
            QMetaObject::invokeMethod(m, "aboutToHide");
            EXPECT_TRUE(first->isEnabled()) << first->objectName().toStdString();
        }
    }
}

TEST(CommandDispatch, LanguageItemsPassTheirNames)
{
    TFixture f;
    f.bar->AddViewLanguage("Pascal");
    f.bar->AddViewLanguage("C/C++");
    const std::vector<QAction*> items = f.bar->CommandItems();
    ASSERT_GE(items.size(), 2u);
    QAction* c = items.back();
    EXPECT_EQ(c->text(), QStringLiteral("C/C++"));
    c->trigger();
    ASSERT_EQ(f.dispatch.Calls.size(), 1u);
    EXPECT_EQ(f.dispatch.Calls[0], (TCall{"smnViewClick", 130, "C/C++"}));
    EXPECT_TRUE(c->isChecked());
    // The view modes exclude one another.
    f.bar->CheckViewMode("Pascal");
    EXPECT_FALSE(c->isChecked());
    EXPECT_FALSE(f.bar->Item("smnNormal")->isChecked());
    f.bar->CheckViewMode("\x92\xca\x8f\xed\x82\xcc\x83\x65\x83\x4c\x83\x58\x83\x67"); // 通常のテキスト
    EXPECT_TRUE(f.bar->Item("smnNormal")->isChecked());

    EXPECT_EQ(f.bar->LanguageOptionCount(), 2);
    f.bar->AppendLanguageOption("Pascal");
    EXPECT_EQ(f.bar->LanguageOptionCount(), 3);
}

TEST(CommandDispatch, WindowListFollowsTheCopiesEachTimeTheMenuOpens)
{
    TFixture f;
    QMenu* win = f.bar->Menu(TMenuKey::Window);
    const qsizetype own = win->actions().size();
    int picked = -1;
    f.bar->SetWindowList({QStringLiteral("A.TXT"), QStringLiteral("B.TXT")}, [&](int i) { picked = i; });
    ASSERT_EQ(win->actions().size(), own + 3); // a separator and two windows
    win->actions().back()->trigger();
    EXPECT_EQ(picked, 1);
    f.bar->SetWindowList({QStringLiteral("C.TXT")}, [&](int i) { picked = 10 + i; });
    ASSERT_EQ(win->actions().size(), own + 2);
    EXPECT_EQ(win->actions().back()->text(), QStringLiteral("C.TXT"));
    f.bar->SetWindowList({}, {});
    EXPECT_EQ(win->actions().size(), own);
}
