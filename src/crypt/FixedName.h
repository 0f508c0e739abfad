#pragma once
// A class name as a template argument, so one adapter template can give every cipher and
// digest class its own name ("TCipher_Blowfish", "THash_MD5").
#include <cstddef>

namespace varnet::crypt {

template <std::size_t N>
struct TFixedName {
    char text[N];
    constexpr TFixedName(const char (&s)[N])
    {
        for (std::size_t i = 0; i < N; ++i)
            text[i] = s[i];
    }
    constexpr const char* c_str() const { return text; }
};

} // namespace varnet::crypt
