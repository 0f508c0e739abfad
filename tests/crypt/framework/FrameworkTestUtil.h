#pragma once
// Helpers shared by the framework tests: hex conversion, random data, the class lists.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "crypt/Ciphers.h"
#include "crypt/Hashes.h"
#include "crypt/StringFormat.h"

namespace framework_test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes FromHex(const std::string& hex)
{
    Bytes out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return out;
}

inline std::string ToHex(const std::uint8_t* p, std::size_t n)
{
    static const char* digits = "0123456789ABCDEF";
    std::string s;
    for (std::size_t i = 0; i < n; ++i) {
        s.push_back(digits[p[i] >> 4]);
        s.push_back(digits[p[i] & 15]);
    }
    return s;
}

inline std::string ToHex(const Bytes& b) { return ToHex(b.data(), b.size()); }
inline std::string ToHex(const std::string& b)
{
    return ToHex(reinterpret_cast<const std::uint8_t*>(b.data()), b.size());
}

inline std::string RandomString(std::mt19937& random, std::size_t n)
{
    std::string s(n, '\0');
    for (char& c : s)
        c = static_cast<char>(random() & 0xFF);
    return s;
}

inline Bytes RandomBytes(std::mt19937& random, std::size_t n)
{
    Bytes b(n);
    for (auto& c : b)
        c = static_cast<std::uint8_t>(random() & 0xFF);
    return b;
}

inline std::vector<varnet::crypt::TCipherClass> AllCipherClasses()
{
    std::vector<varnet::crypt::TCipherClass> all;
    for (const auto& e : varnet::crypt::CipherRegistry().Entries())
        all.push_back(e.cls);
    return all;
}

inline int BlockSizeOf(varnet::crypt::TCipherClass cls)
{
    int b = 0, k = 0, s = 0;
    cls->GetContext(b, k, s);
    return b;
}

} // namespace framework_test
