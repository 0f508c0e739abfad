#pragma once
// "…"_sj turns a UTF-8 literal of the source into CP932 bytes at compile time, for texts that
// meet document or INI bytes (messages inserted into the text, INI section names, default
// phrases). The result is a std::string_view of static storage, followed by a NUL byte. A
// literal with a character CP932 cannot spell does not compile.
#include "platform/Cp932Encode.h"

#include <cstddef>
#include <string_view>

namespace cp932::detail {

template <std::size_t N>
struct TUtf8Literal {
    char bytes[N]{};
    consteval TUtf8Literal(const char (&s)[N])
    {
        for (std::size_t i = 0; i < N; ++i)
            bytes[i] = s[i];
    }
};

// CP932 is never longer than the UTF-8 it comes from, so N bytes hold the text and its NUL.
template <std::size_t N>
struct TSjisBytes {
    char bytes[N]{};
    std::size_t length = 0;
};

// Never defined and not constexpr: reaching one of them in a literal is a compile error that
// names the problem.
void SjisLiteralHasACharacterCp932Lacks();
void SjisLiteralIsNotUtf8();

template <std::size_t N>
consteval TSjisBytes<N> EncodeLiteral(const TUtf8Literal<N>& s)
{
    TSjisBytes<N> out;
    const std::string_view in(s.bytes, N - 1);
    std::size_t pos = 0;
    while (pos < in.size()) {
        const char32_t cp = NextUtf8(in, pos);
        if (cp == kInvalidUtf)
            SjisLiteralIsNotUtf8();
        const int code = EncodeCodePoint(cp);
        if (code == kNotMapped)
            SjisLiteralHasACharacterCp932Lacks();
        if (code > 0xFF)
            out.bytes[out.length++] = static_cast<char>(code >> 8);
        out.bytes[out.length++] = static_cast<char>(code & 0xFF);
    }
    return out;
}

template <TUtf8Literal S>
inline constexpr TSjisBytes<sizeof(S.bytes)> kSjisLiteral = EncodeLiteral(S);

} // namespace cp932::detail

template <cp932::detail::TUtf8Literal S>
consteval std::string_view operator""_sj()
{
    return {cp932::detail::kSjisLiteral<S>.bytes, cp932::detail::kSjisLiteral<S>.length};
}
