#include "crypt/ciphers/Scop.h"

#include <cstring>

#include "crypt/ciphers/Bytes.h"
#include "crypt/ciphers/KeyWipe.h"

namespace cipher {

namespace {

// The key-setup generator GP8: four 32-bit states, each half of which feeds a
// key-dependent polynomial of degree four.
struct Generator {
    std::uint8_t coef[8][4];
    std::uint32_t x[4];

    void Next(std::uint32_t* out)
    {
        std::uint32_t fresh[4];
        for (int i = 0; i < 8; i += 2) {
            int h = i / 2;
            auto poly = [](const std::uint8_t (&c)[4], std::uint32_t x1) {
                std::uint32_t x2 = x1 * x1, x3 = x2 * x1, x4 = x3 * x1;
                return c[0] * x4 + c[1] * x3 + c[2] * x2 + c[3] * x1 + 1;
            };
            std::uint32_t y1 = poly(coef[i], x[h] >> 16);
            std::uint32_t y2 = poly(coef[i + 1], x[h] & 0xFFFF);
            out[h] = (y1 << 16) | (y2 & 0xFFFF);
            fresh[h] = (y1 & 0xFFFF0000) | (y2 >> 16);
        }
        x[0] = (fresh[0] >> 16) | (fresh[3] << 16);
        x[1] = (fresh[0] << 16) | (fresh[1] >> 16);
        x[2] = (fresh[1] << 16) | (fresh[2] >> 16);
        x[3] = (fresh[2] << 16) | (fresh[3] >> 16);
    }
};

inline std::uint32_t NextWord(Scop::Schedule& s, std::uint8_t& i, std::uint8_t& j, std::uint8_t& t3)
{
    std::uint32_t* v = s.v;
    std::uint32_t t1 = v[128 + j];
    j = std::uint8_t(j + t3);
    std::uint32_t t = v[i];
    std::uint32_t t2 = v[128 + j];
    ++i;
    std::uint32_t sum = t2 + t;
    v[128 + j] = sum;
    t3 = std::uint8_t(sum);
    j = std::uint8_t(j + t2);
    return t1 + t2;
}

} // namespace

void Scop::SetKey(Schedule& s, const std::uint8_t* key, int length)
{
    const TPaddedKey<kKeySize> clamped(key, length);
    length = clamped.Length();

    // The 48 bytes of the generator: the key, then each further byte the sum of the two
    // bytes one key length back; zero coefficient bytes become 1, 2, 3, ...
    static_assert(kKeySize == 48);
    std::uint8_t p[48];
    std::memcpy(p, clamped.Data(), sizeof p);
    if (length > 0) {
        for (int i = length; i < 48; ++i)
            p[i] = std::uint8_t(p[i - length] + p[i - length + 1]);
    }
    std::uint8_t counter = 1;
    for (int i = 0; i < 32; ++i)
        if (p[i] == 0)
            p[i] = counter++;
    Generator g;
    std::memcpy(g.coef, p, 32);
    for (int i = 0; i < 4; ++i)
        g.x[i] = bytes::LoadLe32(p + 32 + 4 * i);

    std::uint32_t t[4];
    for (int i = 0; i < 8; ++i)
        g.Next(t);
    for (int i = 0; i < 12; ++i) {
        for (int j = 0; j < 8; ++j)
            g.Next(s.v + 32 * i + 4 * j);
        g.Next(t);
    }
    g.Next(t);
    s.i = std::uint8_t(t[3] >> 24);
    s.j = std::uint8_t(t[3] >> 16);
    s.t3 = std::uint8_t(t[3] >> 8);
    s.v[t[3] & 0x7F] |= 1; // at least one odd word in the fixed part

    std::memcpy(s.initial, s.v + 128, sizeof s.initial);
    s.initialI = s.i;
    s.initialJ = s.j;
    s.initialT3 = s.t3;
    SecureWipe(p);
    SecureWipe(g);
    SecureWipe(t);
}

void Scop::Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
{
    std::uint8_t i = s.i, j = s.j, t3 = s.t3;
    for (int n = 0; n < kBlockSize; n += 4)
        bytes::StoreLe32(out + n, bytes::LoadLe32(in + n) + NextWord(s, i, j, t3));
    s.i = i;
    s.j = j;
    s.t3 = t3;
}

void Scop::Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
{
    std::uint8_t i = s.i, j = s.j, t3 = s.t3;
    for (int n = 0; n < kBlockSize; n += 4)
        bytes::StoreLe32(out + n, bytes::LoadLe32(in + n) - NextWord(s, i, j, t3));
    s.i = i;
    s.j = j;
    s.t3 = t3;
}

void Scop::Restart(Schedule& s)
{
    std::memcpy(s.v + 128, s.initial, sizeof s.initial);
    s.i = s.initialI;
    s.j = s.initialJ;
    s.t3 = s.initialT3;
}

} // namespace cipher
