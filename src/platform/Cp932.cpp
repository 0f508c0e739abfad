#include "platform/Cp932.h"

#include "platform/Cp932Encode.h"
#include "platform/Cp932Table.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

using cp932::detail::EncodeCodePoint;
using cp932::detail::kInvalidUtf;
using cp932::detail::kNotMapped;

namespace {

constexpr int LeadIndex(unsigned char b) { return b <= 0x9F ? b - 0x81 : b - 0xE0 + 31; }
constexpr char32_t Escape(unsigned char b) { return kRawByteEscapeBase + b; }

// Length of the run of ASCII bytes at p; documents are mostly ASCII and kana, so the ASCII runs
// are scanned eight bytes at a time.
std::size_t AsciiRun(const unsigned char* p, const unsigned char* end)
{
    const unsigned char* q = p;
    while (end - q >= 8) {
        std::uint64_t w;
        std::memcpy(&w, q, 8);
        if (w & 0x8080808080808080ull)
            break;
        q += 8;
    }
    while (q < end && *q < 0x80)
        ++q;
    return static_cast<std::size_t>(q - p);
}

// Output goes through a small buffer: appending to the string one character at a time costs
// a capacity check and a possible reallocation each time.
template <class Unit>
class TSinkBase {
public:
    explicit TSinkBase(std::basic_string<Unit>& out) : FOut(out) {}
    ~TSinkBase() { Flush(); }
    TSinkBase(const TSinkBase&) = delete;
    TSinkBase& operator=(const TSinkBase&) = delete;

    void Ascii(const unsigned char* p, std::size_t n)
    {
        while (n > 0) {
            if (FUsed == kCapacity)
                Flush();
            const std::size_t k = std::min(n, kCapacity - FUsed);
            for (std::size_t i = 0; i < k; ++i)
                FBuffer[FUsed + i] = static_cast<Unit>(p[i]);
            FUsed += k;
            p += k;
            n -= k;
        }
    }

protected:
    static constexpr std::size_t kCapacity = 4096;
    void Reserve(std::size_t n)
    {
        if (FUsed + n > kCapacity)
            Flush();
    }
    void Flush()
    {
        FOut.append(FBuffer, FUsed);
        FUsed = 0;
    }
    std::basic_string<Unit>& FOut;
    Unit FBuffer[kCapacity];
    std::size_t FUsed = 0;
};

class TUtf8Sink : public TSinkBase<char> {
public:
    using TSinkBase::TSinkBase;
    void Ascii(const unsigned char* p, std::size_t n)
    {
        if (n > kCapacity / 2) {
            Flush();
            FOut.append(reinterpret_cast<const char*>(p), n);
            return;
        }
        TSinkBase::Ascii(p, n);
    }
    // Every code point that reaches here is in the BMP and at least U+0080.
    void Put(char32_t cp)
    {
        Reserve(3);
        if (cp < 0x800) {
            FBuffer[FUsed++] = static_cast<char>(0xC0 | cp >> 6);
        } else {
            FBuffer[FUsed++] = static_cast<char>(0xE0 | cp >> 12);
            FBuffer[FUsed++] = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        }
        FBuffer[FUsed++] = static_cast<char>(0x80 | (cp & 0x3F));
    }
};

class TUtf16Sink : public TSinkBase<char16_t> {
public:
    using TSinkBase::TSinkBase;
    void Put(char32_t cp)
    {
        Reserve(1);
        FBuffer[FUsed++] = static_cast<char16_t>(cp);
    }
};

template <class Sink>
void Decode(std::string_view in, Sink& sink)
{
    const auto* p = reinterpret_cast<const unsigned char*>(in.data());
    const auto* end = p + in.size();
    while (p < end) {
        if (*p < 0x80) {
            const std::size_t n = AsciiRun(p, end);
            sink.Ascii(p, n);
            p += n;
            continue;
        }
        const unsigned char b = *p;
        if (IsLeadByte(b)) {
            if (end - p >= 2 && IsTrailByte(p[1])) {
                const char16_t u = kCp932DecodePair[LeadIndex(b)][p[1] - 0x40];
                if (u != 0) {
                    sink.Put(u);
                } else {
                    // An unassigned pair is still one character to the editor: keep both bytes.
                    sink.Put(Escape(b));
                    sink.Put(Escape(p[1]));
                }
                p += 2;
            } else {
                // No trail follows: the next byte starts a character of its own.
                sink.Put(Escape(b));
                ++p;
            }
            continue;
        }
        const char16_t u = kCp932DecodeSingle[b];
        sink.Put(u == 0xFFFF ? Escape(b) : u);
        ++p;
    }
}

void AppendCode(std::string& out, int code)
{
    if (code == kNotMapped) {
        out.push_back('?');
    } else if (code > 0xFF) {
        out.push_back(static_cast<char>(code >> 8));
        out.push_back(static_cast<char>(code & 0xFF));
    } else {
        out.push_back(static_cast<char>(code));
    }
}

} // namespace

std::string Cp932ToUtf8(std::string_view cp932)
{
    std::string out;
    out.reserve(cp932.size() + cp932.size() / 2);
    {
        TUtf8Sink sink(out);
        Decode(cp932, sink);
    }
    return out;
}

std::u16string Cp932ToUtf16(std::string_view cp932)
{
    std::u16string out;
    out.reserve(cp932.size());
    {
        TUtf16Sink sink(out);
        Decode(cp932, sink);
    }
    return out;
}

std::string Utf8ToCp932(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto* p = reinterpret_cast<const unsigned char*>(utf8.data()) + pos;
        if (*p < 0x80) {
            const std::size_t n = AsciiRun(p, p + (utf8.size() - pos));
            out.append(utf8.data() + pos, n);
            pos += n;
            continue;
        }
        const char32_t cp = cp932::detail::NextUtf8(utf8, pos);
        AppendCode(out, cp == kInvalidUtf ? kNotMapped : EncodeCodePoint(cp));
    }
    return out;
}

std::string Utf16ToCp932(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size() * 2);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t u = utf16[i];
        if (u >= 0xD800 && u <= 0xDFFF) {
            // CP932 has nothing outside the BMP: a pair becomes one '?', and so does a lone half.
            if (u <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF)
                ++i;
            out.push_back('?');
            continue;
        }
        AppendCode(out, EncodeCodePoint(u));
    }
    return out;
}
