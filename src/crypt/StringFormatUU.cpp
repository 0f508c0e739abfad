// UU and XX coding: lines of at most 45 bytes, each a length character followed by four
// characters per three bytes, the lines written one after another without separators.
#include <cstdint>

#include "crypt/CryptErrors.h"
#include "crypt/StringFormat.h"

namespace varnet::crypt {

namespace {

constexpr std::string_view kUUTable =
    "`!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_ \t\n\r";
constexpr std::string_view kXXTable =
    "+-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz \"()[]'\t\n\r";

constexpr int kSkipped = -1;
constexpr int kRejected = -2;

std::string LinesOut(const std::uint8_t* p, std::size_t length, const char* alphabet)
{
    const std::size_t lines = (length + 44) / 45;
    std::string out;
    out.reserve(lines + (length + 2) / 3 * 4);
    for (std::size_t start = 0; start < length; start += 45) {
        std::size_t n = length - start < 45 ? length - start : 45;
        out.push_back(alphabet[n]);
        for (std::size_t i = 0; i < n; i += 3) {
            std::uint32_t v = std::uint32_t(p[start + i]) << 16;
            if (i + 1 < n)
                v |= std::uint32_t(p[start + i + 1]) << 8;
            if (i + 2 < n)
                v |= p[start + i + 2];
            out.push_back(alphabet[v >> 18]);
            out.push_back(alphabet[(v >> 12) & 63]);
            out.push_back(alphabet[(v >> 6) & 63]);
            out.push_back(alphabet[v & 63]);
        }
    }
    return out;
}

} // namespace

TStringFormat_UU::TStringFormat_UU(std::string_view table) : TStringFormat(table) {}

TStringFormatClass TStringFormat_UU::Class()
{
    static const TStringFormat_UU instance(kUUTable);
    return &instance;
}

// A space stands for 0 like the backquote, as older encoders wrote it; tab, LF and CR are
// skipped wherever they stand.
int TStringFormat_UU::CharValue(unsigned char c) const
{
    if (c >= 0x20 && c <= 0x60)
        return (c - 0x20) & 63;
    if (c == '\t' || c == '\n' || c == '\r')
        return kSkipped;
    return kRejected;
}

bool TStringFormat_UU::Parse(const char* text, std::size_t length, std::string* out) const
{
    std::size_t i = 0;
    // The next data character's value, or -1 at the end of the text, or -2 for a rejected one.
    auto next = [&]() -> int {
        for (; i < length; ++i) {
            int v = CharValue(static_cast<unsigned char>(text[i]));
            if (v == kSkipped)
                continue;
            ++i;
            return v;
        }
        return -1;
    };
    for (;;) {
        int n = next();
        if (n == -1)
            return true; // end of text between lines
        if (n == kRejected || n > kMaxLineBytes)
            return false;
        for (int done = 0; done < n; done += 3) {
            std::uint32_t v = 0;
            for (int k = 0; k < 4; ++k) {
                int c = next();
                if (c < 0)
                    return false; // rejected character or the line is cut short
                v = v << 6 | std::uint32_t(c);
            }
            if (out != nullptr) {
                out->push_back(static_cast<char>(v >> 16));
                if (done + 1 < n)
                    out->push_back(static_cast<char>(v >> 8));
                if (done + 2 < n)
                    out->push_back(static_cast<char>(v));
            }
        }
    }
}

std::string TStringFormat_UU::StrTo(const char* text, std::size_t length) const
{
    std::string out;
    out.reserve(length / 4 * 3);
    if (!Parse(text, length, &out))
        throw EStringFormat(messages::InvalidInput(Name()));
    return out;
}

std::string TStringFormat_UU::ToStr(const void* bytes, std::size_t length) const
{
    static constexpr char kAlphabet[] =
        "`!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_";
    return LinesOut(static_cast<const std::uint8_t*>(bytes), length, kAlphabet);
}

std::string TStringFormat_UU::Name() const { return "UU Coding"; }

int TStringFormat_UU::Format() const { return fmtUU; }

bool TStringFormat_UU::IsValid(const char* text, std::size_t length, bool decoding) const
{
    return !decoding || Parse(text, length, nullptr);
}

TStringFormat_XX::TStringFormat_XX() : TStringFormat_UU(kXXTable) {}

TStringFormatClass TStringFormat_XX::Class()
{
    static const TStringFormat_XX instance;
    return &instance;
}

int TStringFormat_XX::CharValue(unsigned char c) const
{
    if (c == '+')
        return 0;
    if (c == '-')
        return 1;
    if (c >= '0' && c <= '9')
        return c - '0' + 2;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 12;
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 38;
    if (c == ' ' || c == '"' || c == '(' || c == ')' || c == '[' || c == ']' || c == '\'' ||
        c == '\t' || c == '\n' || c == '\r')
        return kSkipped;
    return kRejected;
}

std::string TStringFormat_XX::ToStr(const void* bytes, std::size_t length) const
{
    return LinesOut(static_cast<const std::uint8_t*>(bytes), length,
                    "+-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
}

std::string TStringFormat_XX::Name() const { return "XX Coding"; }

int TStringFormat_XX::Format() const { return fmtXX; }

} // namespace varnet::crypt
