// Keyboard and mouse figures on the corpus with word wrap on at 80 columns, through the
// editor's input entry points on a host window: Page Down held from the top to the end and
// Page Up back, Ctrl+End and Ctrl+Home, a mouse drag that extends a selection one row per
// move event, and a 1 MB selection moved by drag and drop.
#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "BenchUtil.h"
#include "engine/Editor.h"
#include "testing/FakeHost.h"

namespace {

// This thread's processor time in microseconds: on a shared machine the wall-clock maximum
// of a step is mostly the time the scheduler gave to other processes.
double CpuMicros()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e6 + static_cast<double>(ts.tv_nsec) / 1e3;
}

TPoint CellPoint(const TEditor& e, int row, int col)
{
    const TEditorMetrics& m = e.Metrics();
    return {m.TextLeft + (col - e.TopCol()) * m.ColWidth + 1, m.TopOffset + (row - e.TopRow()) * m.RowHeight + 1};
}

void Steps(const char* name, std::vector<double>& us, const std::vector<double>& cpu)
{
    bench::Figure(std::string(name) + "_cpu_max", bench::Maximum(cpu), "us");
    bench::Figure(std::string(name) + "_median", bench::Median(us), "us");
    std::vector<double> sorted = us;
    std::sort(sorted.begin(), sorted.end());
    bench::Figure(std::string(name) + "_p999", sorted[sorted.size() * 999 / 1000], "us");
    bench::Figure(std::string(name) + "_max", bench::Maximum(us), "us");
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
    bench::Figure("rows", e.RowCount(), "rows");
    e.SetFocused(true);
    const std::int64_t length = e.TextLength();

    // Page Down held: every step after the first arrives as a repeat.
    std::vector<double> down, up, downCpu, upCpu;
    e.KeyDown(vkNext, 0, false);
    for (int guard = 0; guard < e.RowCount(); ++guard) {
        const int row = e.Row();
        host.ClearRecord(); // the fake host's records are no part of the editor's time
        const double c = CpuMicros();
        const auto t = bench::Clock::now();
        e.KeyDown(vkNext, 0, true);
        down.push_back(bench::SecondsSince(t) * 1e6);
        downCpu.push_back(CpuMicros() - c);
        if (e.Row() == row)
            break;
    }
    e.KeyUp(vkNext, 0);
    e.KeyDown(vkPrior, 0, false);
    for (int guard = 0; guard < e.RowCount(); ++guard) {
        const int row = e.Row();
        host.ClearRecord();
        const double c = CpuMicros();
        const auto t = bench::Clock::now();
        e.KeyDown(vkPrior, 0, true);
        up.push_back(bench::SecondsSince(t) * 1e6);
        upCpu.push_back(CpuMicros() - c);
        if (e.Row() == row)
            break;
    }
    e.KeyUp(vkPrior, 0);
    bench::Figure("pagedown_steps", static_cast<double>(down.size()), "steps");
    Steps("pagedown_step", down, downCpu);
    Steps("pageup_step", up, upCpu);

    std::vector<double> end, home;
    for (int i = 0; i < 5; ++i) {
        auto t = bench::Clock::now();
        e.KeyDown(vkEnd, ssCtrl);
        end.push_back(bench::SecondsSince(t) * 1e3);
        e.KeyUp(vkEnd, ssCtrl);
        t = bench::Clock::now();
        e.KeyDown(vkHome, ssCtrl);
        home.push_back(bench::SecondsSince(t) * 1e3);
        e.KeyUp(vkHome, ssCtrl);
    }
    bench::Figure("ctrl_end_max", bench::Maximum(end), "ms");
    bench::Figure("ctrl_home_max", bench::Maximum(home), "ms");

    // A drag from the middle of the text down over 10,000 rows: the pointer stays just below
    // the view, so each move event takes the caret one row on and scrolls.
    e.SetSelStart(length / 2);
    e.MouseDown(mbLeft, 0, CellPoint(e, e.Row(), 3));
    std::vector<double> moves, movesCpu;
    moves.reserve(10000);
    movesCpu.reserve(10000);
    const int startRow = e.Row();
    for (int i = 0; i < 10000; ++i) {
        const TPoint p = CellPoint(e, e.TopRow() + e.VisibleRows(), 3);
        host.ClearRecord();
        const double c = CpuMicros();
        const auto t = bench::Clock::now();
        e.MouseMove(ssLeft, p);
        moves.push_back(bench::SecondsSince(t) * 1e6);
        movesCpu.push_back(CpuMicros() - c);
    }
    e.MouseUp(mbLeft, 0, CellPoint(e, e.Row(), 3));
    bench::Figure("drag_rows", e.Row() - startRow, "rows");
    Steps("drag_move_event", moves, movesCpu);

    // Moving 1 MB: pressed inside the selection just above its end, dropped a few rows below.
    e.SetSelStart(length / 3);
    e.SetSelLength(1 << 20);
    const std::int64_t selected = e.SelLength();
    const int endRow = e.Row();
    e.MouseDown(mbLeft, 0, CellPoint(e, endRow - 1, 2));
    e.MouseMove(ssLeft, CellPoint(e, endRow + 3, 2));
    const double c = CpuMicros();
    auto t = bench::Clock::now();
    e.MouseUp(mbLeft, 0, CellPoint(e, endRow + 3, 2));
    const double drop = bench::SecondsSince(t) * 1e3;
    bench::Figure("drop_move_1mb", drop, "ms");
    bench::Figure("drop_move_1mb_cpu", (CpuMicros() - c) / 1e3, "ms");
    t = bench::Clock::now();
    e.Undo();
    bench::Figure("drop_move_1mb_undo", bench::SecondsSince(t) * 1e3, "ms");
    return selected >= (1 << 20) && e.TextLength() == length && e.CanRedo() ? 0 : 1;
}
