#pragma once
// Derives Q128's table from Blowfish as its author describes: start from the identity
// on 1024 entries; with Blowfish keyed by "abcdefghijklmnopqrstuvwxyz", encrypt
// (0, i) for i = 0 .. 999999 and swap entries i mod 1024 and (right half) mod 1024;
// then multiply every entry, as a bit vector, by the first non-singular 32x32 bit
// matrix whose rows are the halves of the encryptions of (0, b) .. (0, b + 15),
// b = 0, 16, 32, ...
// Used by gen_q128_table.cpp to write Q128Tables.cpp and by the tests to check it.
#include <cstdint>

#include "crypt/ciphers/Blowfish.h"

namespace cipher::q128_gen {

inline void EncryptCounter(Blowfish::Schedule& s, std::uint32_t counter, std::uint32_t& left,
                           std::uint32_t& right)
{
    std::uint8_t block[8] = {0, 0, 0, 0, std::uint8_t(counter >> 24), std::uint8_t(counter >> 16),
                             std::uint8_t(counter >> 8), std::uint8_t(counter)};
    Blowfish::Encrypt(s, block, block);
    left = std::uint32_t(block[0]) << 24 | std::uint32_t(block[1]) << 16 |
           std::uint32_t(block[2]) << 8 | block[3];
    right = std::uint32_t(block[4]) << 24 | std::uint32_t(block[5]) << 16 |
            std::uint32_t(block[6]) << 8 | block[7];
}

inline bool IsSingular(const std::uint32_t (&matrix)[32])
{
    std::uint32_t m[32];
    for (int i = 0; i < 32; ++i)
        m[i] = matrix[i];
    for (int col = 0; col < 32; ++col) {
        int pivot = -1;
        for (int row = col; row < 32; ++row)
            if (m[row] >> col & 1) {
                pivot = row;
                break;
            }
        if (pivot < 0)
            return true;
        std::uint32_t t = m[pivot];
        m[pivot] = m[col];
        m[col] = t;
        for (int row = col + 1; row < 32; ++row)
            if (m[row] >> col & 1)
                m[row] ^= m[col];
    }
    return false;
}

inline void MakeTable(std::uint32_t (&table)[1024])
{
    static const char kKey[] = "abcdefghijklmnopqrstuvwxyz";
    Blowfish::Schedule s;
    Blowfish::SetKey(s, reinterpret_cast<const std::uint8_t*>(kKey), 26);
    for (std::uint32_t i = 0; i < 1024; ++i)
        table[i] = i;
    std::uint32_t left, right;
    for (std::uint32_t i = 0; i < 1000000; ++i) {
        EncryptCounter(s, i, left, right);
        std::uint32_t a = i & 0x3FF, b = right & 0x3FF;
        std::uint32_t t = table[a];
        table[a] = table[b];
        table[b] = t;
    }
    std::uint32_t matrix[32];
    for (std::uint32_t base = 0;; base += 16) {
        for (std::uint32_t i = 0; i < 16; ++i)
            EncryptCounter(s, base + i, matrix[2 * i], matrix[2 * i + 1]);
        if (!IsSingular(matrix))
            break;
    }
    for (auto& entry : table) {
        std::uint32_t z = 0;
        for (int r = 0; r < 32; ++r)
            z |= std::uint32_t(__builtin_parity(entry & matrix[r])) << r;
        entry = z;
    }
}

} // namespace cipher::q128_gen
