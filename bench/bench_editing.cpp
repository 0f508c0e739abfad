// Editing figures on the corpus with word wrap on at 80 columns, through the editor's own
// operations on a host window: placing the caret by offset, typing at one place in the middle
// with undo recording on, and selecting all and taking the selected text.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "BenchUtil.h"
#include "engine/Editor.h"
#include "testing/FakeHost.h"

int main()
{
    const std::string corpus = bench::CorpusPath();
    TFakeHost host;
    TEditor e(&host);
    e.WrapOption().SetWrapByte(80);
    e.SetWordWrap(true);
    auto t = bench::Clock::now();
    e.Lines().LoadFromFile(corpus);
    bench::Figure("load_wrapped_seconds", bench::SecondsSince(t), "s");
    bench::Figure("rows", e.RowCount(), "rows");
    e.SetFocused(true);

    const std::int64_t length = e.TextLength();
    std::vector<double> ms;
    for (int i = 0; i < 9; ++i) {
        e.SetSelStart(0);
        t = bench::Clock::now();
        e.SetSelStart(length / 2);
        ms.push_back(bench::SecondsSince(t) * 1e3);
    }
    bench::Figure("setselstart_middle_median", bench::Median(ms), "ms");

    // Ten thousand keystrokes at one place; now and then a double-byte character.
    std::vector<double> us;
    us.reserve(10000);
    const char* const keys[] = {"a", "b", "c", " ", "x", "\x8A\xBF"};
    for (int i = 0; i < 10000; ++i) {
        const char* key = keys[i % 6];
        t = bench::Clock::now();
        e.TypeText(key);
        us.push_back(bench::SecondsSince(t) * 1e6);
    }
    bench::Figure("typetext_median", bench::Median(us), "us");
    std::vector<double> sorted = us;
    std::sort(sorted.begin(), sorted.end());
    bench::Figure("typetext_p99", sorted[sorted.size() * 99 / 100], "us");
    bench::Figure("typetext_max", bench::Maximum(us), "us");

    t = bench::Clock::now();
    e.SelectAll();
    double select = bench::SecondsSince(t);
    t = bench::Clock::now();
    std::string text = e.SelText();
    double take = bench::SecondsSince(t);
    // The same bytes copied once, for scale.
    std::string copy(text.size(), '\0');
    t = bench::Clock::now();
    std::memcpy(copy.data(), text.data(), text.size());
    double raw = bench::SecondsSince(t);
    bench::Figure("selectall_ms", select * 1e3, "ms");
    bench::Figure("selectall_seltext_throughput", static_cast<double>(text.size()) / (select + take) / 1e6, "MB/s",
                  "memcpy", static_cast<double>(text.size()) / raw / 1e6);
    return text.size() == static_cast<std::size_t>(e.TextLength()) ? 0 : 1;
}
