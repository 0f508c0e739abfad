// The editor on screen (offscreen platform), 120 x 60 cells of the resolved Japanese font:
// one full repaint into a QImage through the QPainter canvas, scrolling by one row end to end,
// and one typed character in the middle of the wrapped corpus from key event to painted pixels.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QtTest/QTest>

#include <cstdio>

#include "BenchUtil.h"
#include "PaintBenchUtil.h"
#include "qt/EditorWidget.h"
#include "qt/QtCanvas.h"

namespace {

double ImageRepaintMs(TEditorWidget& w)
{
    TVnEdit& e = w.Edit();
    QImage img(w.viewport()->size(), QImage::Format_RGB32);
    const TRect all{0, 0, img.width(), img.height()};
    return bench::MedianSeconds(30, [&] {
               QPainter p(&img);
               TQtCanvas canvas(p);
               e.Paint(canvas, all);
           }) * 1e3;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string corpus = bench::CorpusPath();
    TEditorWidget w;
    TVnEdit& e = w.Edit();
    e.SetMainEditorDefaults();
    const TEditorMetrics& m = e.Metrics();
    const TSize client = bench::ClientFor(e, m.ColWidth, m.RowHeight);
    w.show();
    (void)QTest::qWaitForWindowExposed(&w);
    w.resize(client.Width + (w.width() - w.viewport()->width()), client.Height + (w.height() - w.viewport()->height()));
    QApplication::processEvents();
    w.setFocus();
    e.Lines().LoadFromFile(corpus);
    e.SetRowCol(e.RowCount() / 2, 0);
    QApplication::processEvents();
    std::printf("# font %s, cell %d x %d, view %d x %d\n", w.FontFamily().toUtf8().constData(), m.ColWidth,
                m.RowHeight, e.VisibleCols(), e.VisibleRows());

    bench::PlainTextColouring(e);
    bench::Figure("paint_qimage_plain_ms", ImageRepaintMs(w), "ms");
    bench::HtmlLikeColouring(e);
    bench::Figure("paint_qimage_html_ms", ImageRepaintMs(w), "ms");
    bench::PlainTextColouring(e);
    w.PaintNow();

    // Scrolling one row: the scroll message, the moved pixels and the uncovered row painted.
    std::vector<double> scroll;
    long long area = 0;
    for (int i = 0; i < 60; ++i) {
        const auto t = bench::Clock::now();
        e.VScroll(i % 2 ? TScrollCode::LineUp : TScrollCode::LineDown);
        w.PaintNow();
        scroll.push_back(bench::SecondsSince(t) * 1e3);
        area += w.PaintedArea();
    }
    std::printf("# a one-row scroll repaints %lld pixels of %d\n", area / 60, client.Width * client.Height);
    bench::Figure("scroll_one_row_median_ms", bench::Median(scroll), "ms");
    bench::Figure("scroll_one_row_max_ms", bench::Maximum(scroll), "ms");

    // A typed character in the middle of the wrapped corpus, key event to painted pixels.
    const auto wrapStart = bench::Clock::now();
    e.SetWordWrap(true);
    std::printf("# wrap on: %.2f s, %d rows\n", bench::SecondsSince(wrapStart), e.RowCount());
    e.SetRowCol(e.RowCount() / 2, 3);
    QApplication::processEvents();
    w.PaintNow();
    std::vector<double> typing;
    const int paintsBefore = w.Paints();
    area = 0;
    for (int i = 0; i < 60; ++i) {
        const auto t = bench::Clock::now();
        QTest::keyClick(&w, i % 2 ? Qt::Key_Backspace : Qt::Key_A);
        w.PaintNow();
        typing.push_back(bench::SecondsSince(t) * 1e3);
        area += w.PaintedArea();
    }
    std::printf("# 60 keys: %d paint events, %lld pixels each\n", w.Paints() - paintsBefore, area / 60);
    bench::Figure("type_char_wrapped_median_ms", bench::Median(typing), "ms");
    bench::Figure("type_char_wrapped_max_ms", bench::Maximum(typing), "ms");
    return 0;
}
