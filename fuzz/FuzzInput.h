#pragma once
// What every fuzz target shares: the input read as a stream of small decisions, and a check
// that stops the run with a message (the fuzzer then keeps the input that broke it).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace fuzz {

class TInput {
public:
    TInput(const std::uint8_t* data, std::size_t size) : FData(data), FSize(size) {}

    bool Empty() const { return FPos >= FSize; }
    std::size_t Left() const { return FSize - FPos; }
    // The next byte; 0 once the input is used up, so every decision stays defined.
    std::uint8_t Byte() { return FPos < FSize ? FData[FPos++] : 0; }
    // 0 .. n-1.
    int Below(int n) { return n <= 1 ? 0 : static_cast<int>(Byte() % static_cast<unsigned>(n)); }
    int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
    bool Bool() { return (Byte() & 1) != 0; }
    // Up to n bytes as they come.
    std::string Bytes(std::size_t n)
    {
        n = std::min(n, Left());
        std::string s(reinterpret_cast<const char*>(FData + FPos), n);
        FPos += n;
        return s;
    }
    std::string Rest() { return Bytes(Left()); }

private:
    const std::uint8_t* FData;
    std::size_t FSize;
    std::size_t FPos = 0;
};

// Bytes shown as C escapes, short enough for a message.
inline std::string Show(std::string_view s, std::size_t limit = 200)
{
    std::string out;
    for (std::size_t i = 0; i < s.size() && i < limit; ++i) {
        auto b = static_cast<unsigned char>(s[i]);
        if (b >= 0x20 && b < 0x7F && b != '\\') {
            out += static_cast<char>(b);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", b);
            out += buf;
        }
    }
    if (s.size() > limit)
        out += "...(" + std::to_string(s.size()) + " bytes)";
    return out;
}

[[noreturn]] inline void Fail(const char* file, int line, const char* what, const std::string& detail)
{
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n  %s\n", file, line, what, detail.c_str());
    std::abort();
}

} // namespace fuzz

// Stops the run when `cond` is false; `detail` (a std::string expression) is evaluated only then.
#define FUZZ_CHECK(cond, detail)                                                                   \
    do {                                                                                           \
        if (!(cond))                                                                               \
            ::fuzz::Fail(__FILE__, __LINE__, #cond, (detail));                                     \
    } while (0)

namespace fuzz {

// A per-process scratch path, in a memory-backed folder where there is one: targets that go
// through files write every input there several times.
inline std::string ScratchPath(const std::string& prefix, const std::string& suffix = {})
{
    const char* dir = std::getenv("TMPDIR");
    const std::string folder = dir && *dir ? dir : access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return folder + "/" + prefix + std::to_string(getpid()) + suffix;
}

inline void WriteFile(const std::string& path, const std::string& bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    FUZZ_CHECK(f != nullptr, "cannot write " + path);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// The text's lines: CR LF, lone CR and lone LF each end one; a last line without a break counts.
inline std::vector<std::string> SplitLines(std::string_view s)
{
    std::vector<std::string> out;
    std::string cur;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' || s[i] == '\n') {
            out.push_back(cur);
            cur.clear();
            if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
                ++i;
        } else {
            cur += s[i];
        }
    }
    if (!cur.empty())
        out.push_back(cur);
    return out;
}

} // namespace fuzz
