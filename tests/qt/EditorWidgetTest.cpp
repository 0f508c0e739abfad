// The editor widget on the offscreen platform: keys, mouse and the input method reach the
// editor, the caret and the input method's cursor rectangle follow, the font sits on the grid,
// and the main window's status panels follow the editor.
#include <QApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPainter>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "app/QzEMain.h"
#include "platform/Sjis.h"
#include "qt/EditorWidget.h"
#include "qt/QtCanvas.h"
#include "qt/QtFont.h"

namespace {

struct TShownEditor {
    TEditorWidget w;
    TShownEditor()
    {
        w.resize(500, 300);
        w.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
        w.activateWindow();
        w.setFocus();
        QApplication::processEvents();
    }
    TVnEdit& E() { return w.Edit(); }
    std::string Text() { return E().ListRows().GetTextStr(); }
    QPoint CellCentre(int row, int col)
    {
        const TEditorMetrics& m = E().Metrics();
        return {m.ColLeft(col) + 1, m.RowTop(row) + m.RowHeight / 2};
    }
    QImage Grab()
    {
        QImage img(w.viewport()->size(), QImage::Format_RGB32);
        w.viewport()->render(&img);
        return img;
    }
};

void SendInputMethod(QWidget* w, const QString& preedit, const QString& commit)
{
    QList<QInputMethodEvent::Attribute> attrs;
    attrs << QInputMethodEvent::Attribute(QInputMethodEvent::Cursor, static_cast<int>(preedit.size()), 1);
    QInputMethodEvent e(preedit, attrs);
    if (!commit.isEmpty())
        e.setCommitString(commit);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST(EditorWidget, KeysReachTheEditorAndTheCaretFollows)
{
    TShownEditor s;
    ASSERT_TRUE(s.w.hasFocus());
    QTest::keyClicks(&s.w, "abc");
    QTest::keyClick(&s.w, Qt::Key_Return);
    QTest::keyClicks(&s.w, "de");
    QTest::keyClick(&s.w, Qt::Key_Backspace);
    QTest::keyClick(&s.w, Qt::Key_Tab);
    EXPECT_EQ(s.Text(), "abc\r\nd\t");
    const TEditorMetrics& m = s.E().Metrics();
    EXPECT_TRUE(s.w.CaretVisible());
    EXPECT_EQ(s.w.CaretRect().topLeft(), QPoint(m.ColLeft(s.E().Col()), m.RowTop(1)));
    EXPECT_EQ(s.E().Col(), 8) << "the tab runs to the next stop";
    QTest::keyClick(&s.w, Qt::Key_Up);
    QTest::keyClick(&s.w, Qt::Key_Home);
    QTest::keyClick(&s.w, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&s.w, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(s.E().SelText(), "ab");
    QTest::keyClicks(&s.w, "X");
    EXPECT_EQ(s.Text(), "Xc\r\nd\t");
    QTest::keyClick(&s.w, Qt::Key_Insert);
    EXPECT_TRUE(s.E().OverWrite());
    EXPECT_GT(s.w.CaretRect().height(), 2);
}

TEST(EditorWidget, MouseClickPlacesTheCaretAndDragSelects)
{
    TShownEditor s;
    s.E().Lines().SetTextStr("first row\r\nsecond row\r\nthird");
    QTest::mouseClick(s.w.viewport(), Qt::LeftButton, {}, s.CellCentre(1, 3));
    EXPECT_EQ(s.E().Row(), 1);
    EXPECT_EQ(s.E().Col(), 3);
    QTest::mousePress(s.w.viewport(), Qt::LeftButton, {}, s.CellCentre(0, 1));
    QMouseEvent move(QEvent::MouseMove, s.CellCentre(0, 5), s.w.viewport()->mapToGlobal(s.CellCentre(0, 5)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(s.w.viewport(), &move);
    QTest::mouseRelease(s.w.viewport(), Qt::LeftButton, {}, s.CellCentre(0, 5));
    EXPECT_EQ(s.E().SelText(), "irst");
}

TEST(EditorWidget, InputMethodCommitInsertsOnceAndPreeditLeavesTheText)
{
    TShownEditor s;
    QTest::keyClicks(&s.w, "x");
    const QImage before = s.Grab();
    SendInputMethod(&s.w, QString::fromUtf8("にほんご"), {});
    EXPECT_EQ(s.w.Preedit(), QString::fromUtf8("にほんご"));
    EXPECT_EQ(s.Text(), "x") << "a composition is not text yet";
    QApplication::processEvents();
    EXPECT_NE(s.Grab(), before) << "the composition is drawn at the caret";

    const QRect r1 = s.w.inputMethodQuery(Qt::ImCursorRectangle).toRect();
    SendInputMethod(&s.w, {}, QString::fromUtf8("日本語"));
    EXPECT_EQ(s.Text(), "x" + std::string("日本語"_sj));
    EXPECT_TRUE(s.w.Preedit().isEmpty());
    const QRect r2 = s.w.inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_EQ(r2.x() - r1.x(), 6 * s.E().Metrics().ColWidth) << "three double-byte characters further";
    EXPECT_EQ(s.w.inputMethodQuery(Qt::ImSurroundingText).toString(), QString::fromUtf8("x日本語"));
    EXPECT_EQ(s.w.inputMethodQuery(Qt::ImCursorPosition).toInt(), 4);
    QTest::keyClick(&s.w, Qt::Key_Return);
    const QRect r3 = s.w.inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_EQ(r3.y() - r2.y(), s.E().Metrics().RowHeight);
}

TEST(EditorWidget, FontResolvesToAJapaneseMonospaceOnTheGrid)
{
    TShownEditor s;
    const QFont font = QFontFromDesc(s.E().Font().Desc());
    EXPECT_TRUE(s.w.FontFamily().contains(QStringLiteral("IPA"), Qt::CaseInsensitive) ||
                s.w.FontFamily().contains(QStringLiteral("Gothic"), Qt::CaseInsensitive))
        << s.w.FontFamily().toStdString();
    const TFontMetrics m = GridMetrics(font);
    QFontMetricsF fm(font);
    EXPECT_NEAR(fm.horizontalAdvance(QChar(0x65E5)), 2.0 * m.AveCharWidth, 1.0);
    EXPECT_NEAR(fm.horizontalAdvance(QLatin1Char('a')), m.AveCharWidth, 1.0);
}

TEST(QtCanvas, DoubleByteGlyphCoversTwoCellsAndAsciiOne)
{
    QImage img(120, 30, QImage::Format_RGB32);
    img.fill(Qt::white);
    int cw = 0;
    {
        QPainter p(&img);
        TQtCanvas c(p);
        c.SetFont(TFontDesc{std::string("ＭＳ ゴシック"_sj), -16, 0, kShiftJisCharset});
        cw = c.FontMetrics().AveCharWidth;
        c.SetClip({0, 0, 120, 30});
        c.TextOut(0, 0, {0, 0, 120, 30}, std::string("日"_sj) + "|", cw, clBlack, clWhite, true, 0);
    }
    auto inkIn = [&](int x0, int x1) {
        for (int y = 0; y < img.height(); ++y)
            for (int x = x0; x < x1; ++x)
                if (qGray(img.pixel(x, y)) < 128)
                    return true;
        return false;
    };
    EXPECT_TRUE(inkIn(0, cw));
    EXPECT_TRUE(inkIn(cw, 2 * cw)) << "the wide glyph reaches into its second cell";
    EXPECT_TRUE(inkIn(2 * cw, 3 * cw)) << "'|' in the third cell";
    EXPECT_FALSE(inkIn(3 * cw, 120));
}

TEST(QzEMain, StatusPanelsFollowTheEditor)
{
    TQzEMain window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    TEditorWidget* editor = window.EditorWidget();
    editor->setFocus();
    QTest::keyClicks(editor, "a");
    EXPECT_EQ(window.PanelText(2), QString::fromUtf8("変更：あり"));
    QTest::keyClick(editor, Qt::Key_Insert);
    QTest::keyClick(editor, Qt::Key_Right);
    EXPECT_EQ(window.PanelText(1), QString::fromUtf8("上書"));
    EXPECT_TRUE(editor->Edit().Ruler().Visible());
    // The plain-text kind shows line numbers unless its settings say otherwise.
    EXPECT_TRUE(editor->Edit().Leftbar().Visible());
    // Wrapping follows the window by default: a row ends at the last whole column the window
    // shows, after a resize too (the frame and the scroll bar are not text area).
    const TEditorMetrics& m = editor->Edit().Metrics();
    auto lastColumnShown = [&] { return (editor->viewport()->width() - m.TextLeft - m.ColWidth / 2) / m.ColWidth; };
    EXPECT_EQ(editor->Edit().WrapOption().WrapByte(), std::max(20, lastColumnShown()));
    EXPECT_EQ(editor->Edit().WrapOption().WrapByte(), m.VisibleCols);
    window.resize(window.width() + 16 * m.ColWidth, window.height());
    QCoreApplication::processEvents();
    EXPECT_EQ(editor->Edit().WrapOption().WrapByte(), lastColumnShown());
    EXPECT_EQ(editor->Edit().WrapOption().WrapByte(), m.VisibleCols);
    window.resize(window.width() - 5 * m.ColWidth, window.height());
    QCoreApplication::processEvents();
    EXPECT_EQ(editor->Edit().WrapOption().WrapByte(), lastColumnShown());
}
