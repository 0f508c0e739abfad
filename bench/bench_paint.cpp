// Painting the corpus into the recording canvas: one full repaint of a 120 x 60 view, plain text
// (URLs and mail on) and HTML-like colouring, unwrapped and wrapped at 80.
#include <cstdio>

#include "BenchUtil.h"
#include "PaintBenchUtil.h"
#include "testing/FakeHost.h"
#include "testing/RecordingCanvas.h"

namespace {

double FullRepaintMs(TFakeHost& host, TVnEdit& e)
{
    const TEditorMetrics& m = e.Metrics();
    TRecordingCanvas canvas(host.Client, {m.ColLeft(0), m.TopOffset, m.ColWidth, m.RowHeight});
    const TRect all{0, 0, host.Client.Width, host.Client.Height};
    e.Paint(canvas, all); // row states of the view computed once, as the first paint does
    return bench::MedianSeconds(50, [&] {
               canvas.ClearRecord();
               e.Paint(canvas, all);
           }) * 1e3;
}

} // namespace

int main()
{
    const std::string corpus = bench::CorpusPath();
    TFakeHost host;
    host.BarExtent = 0;
    TVnEdit e(&host);
    e.SetMainEditorDefaults();
    host.Client = bench::ClientFor(e, host.Font.AveCharWidth, host.Font.Height);
    e.Resized();
    e.Lines().LoadFromFile(corpus);
    std::printf("# view %d x %d cells, %d rows\n", e.VisibleCols(), e.VisibleRows(), e.RowCount());
    e.SetTopRow(e.RowCount() / 2);

    bench::PlainTextColouring(e);
    bench::Figure("paint_recording_plain_ms", FullRepaintMs(host, e), "ms");
    bench::HtmlLikeColouring(e);
    bench::Figure("paint_recording_html_ms", FullRepaintMs(host, e), "ms");

    e.SetWordWrap(true);
    e.SetTopRow(e.RowCount() / 2);
    bench::PlainTextColouring(e);
    bench::Figure("paint_recording_wrapped_ms", FullRepaintMs(host, e), "ms");
    return 0;
}
