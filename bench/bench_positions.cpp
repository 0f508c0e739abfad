// Position queries on the corpus wrapped at 80 columns, with the caret in the middle: the
// status bar's line and offset, the left bar's line numbers, the offset messages. Each query
// is timed in batches (the clock costs about as much as one query), at places that move so
// that nothing is answered from a cache line left warm by the call before.
#include <algorithm>
#include <string>
#include <vector>

#include "BenchUtil.h"
#include "engine/Editor.h"
#include "testing/FakeHost.h"

namespace {

volatile std::int64_t gSink;

// Median microseconds per call of f(i) over batches of calls.
template <class F>
double QueryMicros(F&& f)
{
    constexpr int kBatch = 200;
    std::vector<double> us;
    int i = 0;
    for (int b = 0; b < 50; ++b) {
        auto t = bench::Clock::now();
        std::int64_t sum = 0;
        for (int k = 0; k < kBatch; ++k)
            sum += f(i++);
        gSink = sum;
        us.push_back(bench::SecondsSince(t) * 1e6 / kBatch);
    }
    return bench::Median(us);
}

// Median, 99th percentile and maximum of typing `keys` keystrokes at the caret.
void TypingFigures(const std::string& name, TEditor& e, int keys)
{
    const char* const text[] = {"a", "b", "c", " ", "x", "\x8A\xBF"};
    std::vector<double> us;
    us.reserve(static_cast<std::size_t>(keys));
    for (int i = 0; i < keys; ++i) {
        auto t = bench::Clock::now();
        e.TypeText(text[i % 6]);
        us.push_back(bench::SecondsSince(t) * 1e6);
    }
    std::vector<double> sorted = us;
    std::sort(sorted.begin(), sorted.end());
    bench::Figure(name + "_median", bench::Median(us), "us");
    bench::Figure(name + "_p99", sorted[sorted.size() * 99 / 100], "us");
    bench::Figure(name + "_max", bench::Maximum(us), "us");
}

} // namespace

int main()
{
    const std::string corpus = bench::CorpusPath();
    TFakeHost host;
    TEditor e(&host);
    e.WrapOption().SetWrapByte(80);
    e.SetWordWrap(true);
    e.Lines().LoadFromFile(corpus);
    e.SetFocused(true);
    const int rows = e.RowCount();
    bench::Figure("rows", rows, "rows");

    // The first question after a new text builds the totals.
    auto t = bench::Clock::now();
    const std::int64_t length = e.TextLength();
    bench::Figure("first_query_after_load", bench::SecondsSince(t) * 1e3, "ms");
    // The same rebuild alone, best of five.
    double rebuild = 1e9;
    for (int i = 0; i < 5; ++i) {
        TLineIndex index;
        t = bench::Clock::now();
        index.Build(rows, [&](int r) { return TPointerStringList::WeightOf(e.ListRows().Data(r)); });
        rebuild = std::min(rebuild, bench::SecondsSince(t));
        gSink = index.Total().Bytes;
    }
    bench::Figure("index_rebuild_best", rebuild * 1e3, "ms");

    const int middle = rows / 2;
    const int lines = e.Lines().Count();
    e.SetSelStart(length / 2);
    // Places spread over a thousand rows around the middle.
    auto near = [&](int i) { return middle + (i * 7919) % 1000 - 500; };

    bench::Figure("rowtoline_us", QueryMicros([&](int i) { return e.RowToLine(near(i)); }), "us");
    bench::Figure("linetorow_us", QueryMicros([&](int i) { return e.Lines().LineToRow(lines / 2 + (i * 7919) % 1000); }),
                  "us");
    bench::Figure("lines_count_us", QueryMicros([&](int) { return e.Lines().Count(); }), "us");
    bench::Figure("textlength_us", QueryMicros([&](int) { return e.TextLength(); }), "us");
    bench::Figure("selstart_us", QueryMicros([&](int) { return e.SelStart(); }), "us");
    bench::Figure("rowoffset_us", QueryMicros([&](int i) { return e.RowOffset(near(i)); }), "us");
    bench::Figure("offset_to_row_us",
                  QueryMicros([&](int i) { return e.OffsetToRowByte(length / 2 + (i * 7919) % 100000).Row; }), "us");
    bench::Figure("firstrowofline_us", QueryMicros([&](int i) { return e.ListRows().FirstRowOfLine(near(i)); }), "us");
    bench::Figure("setselstart_us", QueryMicros([&](int i) {
                      e.SetSelStart(length / 2 + (i * 7919) % 100000);
                      return e.Row();
                  }),
                  "us");
    bench::Figure("setcaretbyoffset_us", QueryMicros([&](int i) {
                      e.SetCaretByOffset(near(i), 100);
                      return e.Row();
                  }),
                  "us");

    // Typing in the middle with line numbers by line on: every change asks for the line
    // count to size the left bar.
    e.Leftbar().SetVisible(true);
    e.Leftbar().SetShowNumber(true);
    e.Leftbar().SetShowNumberMode(nmLine);
    e.SetSelStart(length / 2);
    TypingFigures("typetext_linenumbers", e, 10000);

    // Typing, then each query once, as the status bar asks after every key.
    bench::Figure("type_then_status_us", QueryMicros([&](int) {
                      e.TypeText("a");
                      return e.RowToLine(e.Row()) + e.SelStart() + e.Lines().Count();
                  }),
                  "us");

    // Edits at both ends in turn: the pending step crosses the whole text every time.
    std::vector<double> us;
    for (int i = 0; i < 200; ++i) {
        e.SetSelStart(i % 2 ? length - 10 : 10);
        t = bench::Clock::now();
        e.TypeText("a");
        gSink = e.Lines().Count();
        us.push_back(bench::SecondsSince(t) * 1e6);
    }
    bench::Figure("typetext_far_apart_median", bench::Median(us), "us");
    return 0;
}
