// The main window as it starts: title, client size and the six status-bar panels.
#include "app/QzEMain.h"

#include <QCoreApplication>
#include <QLabel>
#include <QStatusBar>

#include <gtest/gtest.h>

#include "qt/EditorWidget.h"

TEST(QzEMain, StartsUntitledWithItsInitialClientSize)
{
    TQzEMain window;
    window.show();
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("無題－Varnet"));
    EXPECT_EQ(window.objectName(), QStringLiteral("QzEMain"));
    EXPECT_EQ(window.size(), QSize(592, 374));
    ASSERT_NE(window.EditorWidget(), nullptr);
    EXPECT_EQ(window.EditorWidget()->parentWidget(), window.centralWidget());
    EXPECT_EQ(window.EditorWidget()->objectName(), QStringLiteral("Editor"));
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
}

TEST(QzEMain, StatusBarHasSixRaisedPanelsWithTheirTextsAndWidths)
{
    TQzEMain window;
    window.show();
    QCoreApplication::processEvents(); // let the status bar settle as it does on screen
    auto* bar = window.findChild<QStatusBar*>(QStringLiteral("stbMain"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar, window.statusBar());
    EXPECT_TRUE(bar->isVisible());

    const QStringList texts = {QString(), QString::fromUtf8("挿入"), QString::fromUtf8("変更：なし"),
                               // Showing without a file selects plain text, which
                               // rewrites the font panel.
                               QString::fromUtf8("検索キー：なし"), QString::fromUtf8("ＭＳ ゴシック 10P"),
                               QString::fromUtf8("通常のテキスト")};
    const int widths[] = {120, 34, 60, 140, 120, 50};
    ASSERT_EQ(bar->findChildren<QLabel*>().size(), TQzEMain::kPanelCount);
    int previousRight = -1;
    for (int i = 0; i < TQzEMain::kPanelCount; ++i) {
        QLabel* panel = window.Panel(i);
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->text(), texts[i]) << "panel " << i;
        EXPECT_EQ(window.PanelText(i), texts[i]);
        EXPECT_TRUE(panel->isVisible()) << "panel " << i;
        EXPECT_EQ(panel->frameShadow(), QFrame::Raised) << "panel " << i;
        EXPECT_EQ(panel->frameShape(), QFrame::Panel) << "panel " << i;
        if (i < 5)
            EXPECT_EQ(panel->width(), widths[i]) << "panel " << i;
        else
            EXPECT_GE(panel->width(), widths[i]); // the last panel takes the rest of the bar
        EXPECT_GT(panel->x(), previousRight) << "panels run left to right, panel " << i;
        previousRight = panel->geometry().right();
    }
    // The last panel ends inside the window and is wide enough for the view mode's name.
    QLabel* last = window.Panel(5);
    EXPECT_LE(last->mapTo(&window, QPoint(last->width(), 0)).x(), window.width());
    EXPECT_GE(last->contentsRect().width(), last->fontMetrics().horizontalAdvance(last->text()));
    EXPECT_EQ(window.Panel(6), nullptr);
    EXPECT_EQ(window.Panel(-1), nullptr);
}
