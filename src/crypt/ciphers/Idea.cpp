#include "crypt/ciphers/Idea.h"

#include "crypt/ciphers/KeyWipe.h"

namespace cipher {

namespace {

inline std::uint16_t Mul(std::uint16_t a, std::uint16_t b)
{
    if (a == 0)
        return std::uint16_t(1 - b); // 2^16 * b = -b = 1 - b modulo 2^16 + 1
    if (b == 0)
        return std::uint16_t(1 - a);
    std::uint32_t p = std::uint32_t(a) * b;
    std::uint16_t lo = std::uint16_t(p), hi = std::uint16_t(p >> 16);
    return std::uint16_t(lo - hi + (lo < hi ? 1 : 0));
}

// Multiplicative inverse modulo 2^16 + 1 (0, standing for 2^16, and 1 are their own).
std::uint16_t MulInverse(std::uint16_t x)
{
    if (x <= 1)
        return x;
    // x^(p-2) mod p with p = 65537.
    std::uint64_t result = 1, base = x;
    for (std::uint32_t e = 65535; e != 0; e >>= 1) {
        if (e & 1)
            result = result * base % 65537;
        base = base * base % 65537;
    }
    return std::uint16_t(result);
}

void Crypt(const std::uint16_t* k, const std::uint8_t* in, std::uint8_t* out)
{
    std::uint16_t x1 = std::uint16_t(in[0] << 8 | in[1]), x2 = std::uint16_t(in[2] << 8 | in[3]),
                  x3 = std::uint16_t(in[4] << 8 | in[5]), x4 = std::uint16_t(in[6] << 8 | in[7]);
    for (int r = 0; r < 8; ++r, k += 6) {
        x1 = Mul(x1, k[0]);
        x2 = std::uint16_t(x2 + k[1]);
        x3 = std::uint16_t(x3 + k[2]);
        x4 = Mul(x4, k[3]);
        std::uint16_t t0 = Mul(std::uint16_t(x1 ^ x3), k[4]);
        std::uint16_t t1 = Mul(std::uint16_t(t0 + (x2 ^ x4)), k[5]);
        t0 = std::uint16_t(t0 + t1);
        x1 ^= t1;
        x4 ^= t0;
        // The middle words swap as they take the MA output.
        std::uint16_t middle = std::uint16_t(x2 ^ t0);
        x2 = std::uint16_t(x3 ^ t1);
        x3 = middle;
    }
    // The output transform undoes the last swap.
    std::uint16_t y1 = Mul(x1, k[0]), y2 = std::uint16_t(x3 + k[1]), y3 = std::uint16_t(x2 + k[2]),
                  y4 = Mul(x4, k[3]);
    out[0] = std::uint8_t(y1 >> 8);
    out[1] = std::uint8_t(y1);
    out[2] = std::uint8_t(y2 >> 8);
    out[3] = std::uint8_t(y2);
    out[4] = std::uint8_t(y3 >> 8);
    out[5] = std::uint8_t(y3);
    out[6] = std::uint8_t(y4 >> 8);
    out[7] = std::uint8_t(y4);
}

} // namespace

void Idea::SetKey(Schedule& s, const std::uint8_t* key, int length)
{
    const TPaddedKey<kKeySize> padded(key, length);

    // Subkeys are successive 16-bit pieces of the key, rotated left by 25 bits after
    // every eight.
    std::uint16_t* ek = s.encrypt;
    for (int i = 0; i < 8; ++i)
        ek[i] = std::uint16_t(padded[2 * i] << 8 | padded[2 * i + 1]);
    for (int i = 8; i < 52; ++i) {
        int block = (i / 8) * 8 - 8; // start of the previous group of eight
        int j = i % 8;
        ek[i] = std::uint16_t(ek[block + (j + 1) % 8] << 9 | ek[block + (j + 2) % 8] >> 7);
    }

    // Decryption: inverses in reverse order; the additive keys of the inner rounds
    // change places because of the swap of the middle words.
    const std::uint16_t* e = s.encrypt;
    std::uint16_t* d = s.decrypt;
    for (int r = 0; r <= 8; ++r) {
        int src = 48 - 6 * r; // output transform of encryption round 8 - r
        bool outer = r == 0 || r == 8;
        d[6 * r + 0] = MulInverse(e[src + 0]);
        d[6 * r + 1] = std::uint16_t(-e[src + (outer ? 1 : 2)]);
        d[6 * r + 2] = std::uint16_t(-e[src + (outer ? 2 : 1)]);
        d[6 * r + 3] = MulInverse(e[src + 3]);
        if (r < 8) {
            d[6 * r + 4] = e[src - 2];
            d[6 * r + 5] = e[src - 1];
        }
    }
}

void Idea::Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
{
    Crypt(s.encrypt, in, out);
}

void Idea::Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
{
    Crypt(s.decrypt, in, out);
}

} // namespace cipher
