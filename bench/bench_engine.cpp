// Row store figures on the corpus: loading, wrapping, joining and edits in the middle.
#include <algorithm>
#include <string>
#include <vector>

#include "BenchUtil.h"
#include "engine/Editor.h"

namespace {

// One typed character in the middle of row `row`: one replacement of that row.
void TypeInto(TEditor& e, int row, char c)
{
    std::string text(e.RowText(row));
    text.insert(text.size() / 2, 1, c);
    if (e.ListRows().RowEnd(row) == reBreak)
        text += "\r\n";
    e.ListRows().ReplaceRows(row, 1, text);
}

// Enter in the middle of row `row`: the row becomes two.
void BreakRow(TEditor& e, int row)
{
    std::string text(e.RowText(row));
    text.insert(text.size() / 2, "\r\n");
    if (e.ListRows().RowEnd(row) == reBreak)
        text += "\r\n";
    e.ListRows().ReplaceRows(row, 1, text);
}

template <class F>
void EditFigures(const std::string& name, F&& edit)
{
    std::vector<double> us;
    for (int i = 0; i < 1000; ++i) {
        auto t = bench::Clock::now();
        edit();
        us.push_back(bench::SecondsSince(t) * 1e6);
    }
    bench::Figure(name + "_median", bench::Median(us), "us");
    bench::Figure(name + "_max", bench::Maximum(us), "us");
}

} // namespace

int main()
{
    const std::string corpus = bench::CorpusPath();
    // Best of three for both, so one slow run on a shared machine does not decide; the peak
    // memory is that of the first load in this fresh process.
    bench::ProcessFigures vim;
    for (int i = 0; i < 3; ++i) {
        bench::ProcessFigures run =
            bench::RunProcess({"vim", "-u", "NONE", "-i", "NONE", "-n", "-es", "-c", "q!", corpus});
        if (vim.seconds < 0 || (run.seconds >= 0 && run.seconds < vim.seconds))
            vim = run;
    }

    TEditor e;
    auto t = bench::Clock::now();
    e.Lines().LoadFromFile(corpus);
    double load = bench::SecondsSince(t);
    double peak = bench::PeakRssMiB();
    for (int i = 0; i < 2; ++i) {
        TEditor again;
        t = bench::Clock::now();
        again.Lines().LoadFromFile(corpus);
        load = std::min(load, bench::SecondsSince(t));
    }
    bench::Figure("load_seconds", load, "s", "vim", vim.seconds);
    bench::Figure("load_peak_memory", peak, "MiB", "vim", vim.peakMiB);
    bench::Figure("rows", e.RowCount(), "rows");

    t = bench::Clock::now();
    std::string text = e.Lines().GetTextStr();
    double join = bench::SecondsSince(t);
    bench::Figure("gettextstr_throughput", static_cast<double>(text.size()) / join / 1e9, "GB/s");
    text.clear();
    text.shrink_to_fit();

    // Edits in the middle, wrap off.
    int middle = e.RowCount() / 2;
    e.SetUndoListMax(64);
    EditFigures("edit_type_char", [&] { TypeInto(e, middle, 'x'); });
    EditFigures("edit_enter", [&] { BreakRow(e, middle); });

    e.WrapOption().SetWrapByte(80);
    e.WrapOption().SetFollowPunctuation(true);
    e.WrapOption().SetLeading(true);
    e.WrapOption().SetWordBreak(true);
    t = bench::Clock::now();
    e.SetWordWrap(true);
    double wrap = bench::SecondsSince(t);
    bench::Figure("wrapall_80_seconds", wrap, "s");
    bench::Figure("wrapped_rows", e.RowCount(), "rows");

    middle = e.RowCount() / 2;
    EditFigures("edit_type_char_wrapped", [&] { TypeInto(e, middle, 'x'); });
    EditFigures("edit_enter_wrapped", [&] { BreakRow(e, e.ListRows().FirstRowOfLine(middle)); });

    t = bench::Clock::now();
    e.SetWordWrap(false);
    bench::Figure("unwrapall_seconds", bench::SecondsSince(t), "s");
    return 0;
}
