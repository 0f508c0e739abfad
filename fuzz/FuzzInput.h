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
