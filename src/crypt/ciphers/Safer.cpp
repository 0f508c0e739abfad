#include "crypt/ciphers/Safer.h"

#include <array>
#include <cstring>

#include "crypt/ciphers/Bytes.h"
#include "crypt/ciphers/KeyWipe.h"

namespace cipher::safer_detail {

namespace {

// exp(x) = 45^x mod 257 (256 written as 0) and its inverse.
struct Tables {
    std::array<std::uint8_t, 256> exp{};
    std::array<std::uint8_t, 256> log{};
};

constexpr Tables MakeTables()
{
    Tables t;
    unsigned v = 1;
    for (int i = 0; i < 256; ++i) {
        t.exp[i] = std::uint8_t(v & 0xFF);
        t.log[v & 0xFF] = std::uint8_t(i);
        v = v * 45 % 257;
    }
    return t;
}

constexpr Tables kTables = MakeTables();

inline std::uint8_t Exp(std::uint8_t x) { return kTables.exp[x]; }
inline std::uint8_t Log(std::uint8_t x) { return kTables.log[x]; }

// Pseudo-Hadamard transform (x, y) -> (2x + y, x + y) and its inverse.
inline void Pht(std::uint8_t& x, std::uint8_t& y)
{
    y = std::uint8_t(y + x);
    x = std::uint8_t(x + y);
}

inline void InversePht(std::uint8_t& x, std::uint8_t& y)
{
    x = std::uint8_t(x - y);
    y = std::uint8_t(y - x);
}

} // namespace

void ExpandKey(std::uint8_t* schedule, int rounds, int keyBytes, bool strengthened,
               const std::uint8_t* key, int length)
{
    const TPaddedKey<16> key16(key, std::min(length, keyBytes));
    const std::uint8_t* padded = key16.Data();

    // Two nine-byte registers: eight key bytes and their parity (ka rotated by 5).
    std::uint8_t ka[9], kb[9];
    if (keyBytes == 5) {
        const std::uint8_t* k = padded;
        std::uint8_t ext[9] = {k[0], k[1], k[2], k[3], k[4],
                               std::uint8_t(k[0] ^ k[2] ^ 0x81), std::uint8_t(k[0] ^ k[3] ^ k[4] ^ 0x42),
                               std::uint8_t(k[1] ^ k[2] ^ k[4] ^ 0x24), std::uint8_t(k[1] ^ k[3] ^ 0x18)};
        for (int j = 0; j < 9; ++j) {
            kb[j] = ext[j];
            ka[j] = bytes::Rotl8(ext[j], 5);
        }
        SecureWipe(ext);
    } else {
        const std::uint8_t* first = padded;
        const std::uint8_t* second = keyBytes == 16 ? padded + 8 : padded;
        ka[8] = kb[8] = 0;
        for (int j = 0; j < 8; ++j) {
            ka[j] = bytes::Rotl8(first[j], 5);
            kb[j] = second[j];
            ka[8] ^= ka[j];
            kb[8] ^= kb[j];
        }
    }

    std::uint8_t* out = schedule;
    std::memcpy(out, kb, 8);
    out += 8;
    for (int i = 1; i <= rounds; ++i) {
        for (int j = 0; j < 9; ++j) {
            ka[j] = bytes::Rotl8(ka[j], 6);
            kb[j] = bytes::Rotl8(kb[j], 6);
        }
        // Bias words B(i)[j] = exp(exp(9i + j)), 1-based.
        for (int j = 0; j < 8; ++j) {
            std::uint8_t a = strengthened ? ka[(j + 2 * i - 1) % 9] : ka[j];
            *out++ = std::uint8_t(a + Exp(Exp(std::uint8_t(18 * i + j + 1))));
        }
        for (int j = 0; j < 8; ++j) {
            std::uint8_t b = strengthened ? kb[(j + 2 * i) % 9] : kb[j];
            *out++ = std::uint8_t(b + Exp(Exp(std::uint8_t(18 * i + j + 10))));
        }
    }
    SecureWipe(ka);
    SecureWipe(kb);
}

void EncryptBlock(const std::uint8_t* k, int rounds, const std::uint8_t* in, std::uint8_t* out)
{
    std::uint8_t a = in[0], b = in[1], c = in[2], d = in[3], e = in[4], f = in[5], g = in[6],
                 h = in[7];
    for (int r = 0; r < rounds; ++r, k += 16) {
        a = std::uint8_t(Exp(a ^ k[0]) + k[8]);
        b = std::uint8_t(Log(std::uint8_t(b + k[1])) ^ k[9]);
        c = std::uint8_t(Log(std::uint8_t(c + k[2])) ^ k[10]);
        d = std::uint8_t(Exp(d ^ k[3]) + k[11]);
        e = std::uint8_t(Exp(e ^ k[4]) + k[12]);
        f = std::uint8_t(Log(std::uint8_t(f + k[5])) ^ k[13]);
        g = std::uint8_t(Log(std::uint8_t(g + k[6])) ^ k[14]);
        h = std::uint8_t(Exp(h ^ k[7]) + k[15]);
        Pht(a, b);
        Pht(c, d);
        Pht(e, f);
        Pht(g, h);
        Pht(a, c);
        Pht(e, g);
        Pht(b, d);
        Pht(f, h);
        Pht(a, e);
        Pht(b, f);
        Pht(c, g);
        Pht(d, h);
        std::uint8_t t = b;
        b = e;
        e = c;
        c = t;
        t = d;
        d = f;
        f = g;
        g = t;
    }
    out[0] = a ^ k[0];
    out[1] = std::uint8_t(b + k[1]);
    out[2] = std::uint8_t(c + k[2]);
    out[3] = d ^ k[3];
    out[4] = e ^ k[4];
    out[5] = std::uint8_t(f + k[5]);
    out[6] = std::uint8_t(g + k[6]);
    out[7] = h ^ k[7];
}

void DecryptBlock(const std::uint8_t* schedule, int rounds, const std::uint8_t* in,
                  std::uint8_t* out)
{
    const std::uint8_t* k = schedule + 16 * rounds;
    std::uint8_t a = in[0] ^ k[0], b = std::uint8_t(in[1] - k[1]), c = std::uint8_t(in[2] - k[2]),
                 d = in[3] ^ k[3], e = in[4] ^ k[4], f = std::uint8_t(in[5] - k[5]),
                 g = std::uint8_t(in[6] - k[6]), h = in[7] ^ k[7];
    for (int r = rounds - 1; r >= 0; --r) {
        k = schedule + 16 * r;
        std::uint8_t t = e;
        e = b;
        b = c;
        c = t;
        t = f;
        f = d;
        d = g;
        g = t;
        InversePht(a, e);
        InversePht(b, f);
        InversePht(c, g);
        InversePht(d, h);
        InversePht(a, c);
        InversePht(e, g);
        InversePht(b, d);
        InversePht(f, h);
        InversePht(a, b);
        InversePht(c, d);
        InversePht(e, f);
        InversePht(g, h);
        a = Log(std::uint8_t(a - k[8])) ^ k[0];
        b = std::uint8_t(Exp(b ^ k[9]) - k[1]);
        c = std::uint8_t(Exp(c ^ k[10]) - k[2]);
        d = Log(std::uint8_t(d - k[11])) ^ k[3];
        e = Log(std::uint8_t(e - k[12])) ^ k[4];
        f = std::uint8_t(Exp(f ^ k[13]) - k[5]);
        g = std::uint8_t(Exp(g ^ k[14]) - k[6]);
        h = Log(std::uint8_t(h - k[15])) ^ k[7];
    }
    out[0] = a;
    out[1] = b;
    out[2] = c;
    out[3] = d;
    out[4] = e;
    out[5] = f;
    out[6] = g;
    out[7] = h;
}

} // namespace cipher::safer_detail
