#pragma once
// Helpers shared by the cipher tests: hex conversion and one-block runs of a primitive.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace cipher_test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes FromHex(const std::string& hex)
{
    Bytes out;
    int high = -1;
    for (char ch : hex) {
        int v;
        if (ch >= '0' && ch <= '9')
            v = ch - '0';
        else if (ch >= 'a' && ch <= 'f')
            v = ch - 'a' + 10;
        else if (ch >= 'A' && ch <= 'F')
            v = ch - 'A' + 10;
        else
            continue; // spaces group the digits
        if (high < 0) {
            high = v;
        } else {
            out.push_back(std::uint8_t(high << 4 | v));
            high = -1;
        }
    }
    return out;
}

inline std::string ToHex(const Bytes& bytes)
{
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (auto b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

template <class C>
Bytes EncryptBlock(const Bytes& key, const Bytes& plain)
{
    typename C::Schedule s;
    C::SetKey(s, key.data(), int(key.size()));
    Bytes out(C::kBlockSize);
    C::Encrypt(s, plain.data(), out.data());
    return out;
}

template <class C>
Bytes DecryptBlock(const Bytes& key, const Bytes& cipherText)
{
    typename C::Schedule s;
    C::SetKey(s, key.data(), int(key.size()));
    Bytes out(C::kBlockSize);
    C::Decrypt(s, cipherText.data(), out.data());
    return out;
}

// A published vector, checked in both directions.
template <class C>
void ExpectVector(const std::string& key, const std::string& plain, const std::string& cipherText)
{
    Bytes k = FromHex(key), p = FromHex(plain), c = FromHex(cipherText);
    ASSERT_EQ(int(p.size()), C::kBlockSize);
    EXPECT_EQ(ToHex(EncryptBlock<C>(k, p)), ToHex(c)) << "key " << key << " plain " << plain;
    EXPECT_EQ(ToHex(DecryptBlock<C>(k, c)), ToHex(p)) << "key " << key << " cipher " << cipherText;
}

} // namespace cipher_test
