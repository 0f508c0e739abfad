// CP932 conversion speed on the corpus: to UTF-8 (clipboard, file names) and to UTF-16 (what
// the display hands to Qt), and back. The anchor is glibc's `iconv -f CP932 -t UTF-8` on the
// same file, timed as a whole process reading from the page cache.
#include "BenchUtil.h"

#include "platform/Cp932.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        std::exit(2);
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

int main()
{
    const std::string path = bench::CorpusPath();
    const std::string text = ReadFile(path);
    const double mb = static_cast<double>(text.size()) / 1e6;
    constexpr int kRuns = 5;

    std::size_t sink = 0;
    std::string utf8;
    const double toUtf8 = bench::MedianSeconds(kRuns, [&] {
        utf8 = Cp932ToUtf8(text);
        sink += utf8.size();
    });
    const double toUtf16 = bench::MedianSeconds(kRuns, [&] { sink += Cp932ToUtf16(text).size(); });
    const double fromUtf8 = bench::MedianSeconds(kRuns, [&] { sink += Utf8ToCp932(utf8).size(); });

    const std::string command = "iconv -f CP932 -t UTF-8 '" + path + "' > /dev/null";
    const double iconvSeconds = bench::MedianSeconds(kRuns, [&] {
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "iconv failed on %s\n", path.c_str());
            std::exit(2);
        }
    });

    if (Utf8ToCp932(utf8) != text)
        std::fprintf(stderr, "warning: the corpus does not survive the round trip byte for byte\n");
    bench::Figure("cp932_to_utf8", mb / toUtf8, "MB/s", "iconv", mb / iconvSeconds);
    bench::Figure("cp932_to_utf16", mb / toUtf16, "MB/s");
    bench::Figure("utf8_to_cp932", mb / fromUtf8, "MB/s(cp932)");
    bench::Figure("cp932_to_utf8_seconds", toUtf8, "s", "iconv", iconvSeconds);
    return sink == 0 ? 1 : 0;
}
