#include "crypt/ciphers/Q128.h"

#include "crypt/ciphers/Bytes.h"
#include "crypt/ciphers/KeyWipe.h"
#include "crypt/ciphers/Q128Tables.h"

namespace cipher {

namespace {

inline std::uint32_t F(std::uint32_t x)
{
    return q128_tables::kTable[x & 0x3FF];
}

} // namespace

void Q128::SetKey(Schedule& s, const std::uint8_t* key, int length)
{
    const TPaddedKey<kKeySize> key16(key, length);
    const std::uint8_t* padded = key16.Data();
    std::uint32_t b0 = bytes::LoadLe32(padded), b1 = bytes::LoadLe32(padded + 4),
                  b2 = bytes::LoadLe32(padded + 8), b3 = bytes::LoadLe32(padded + 12);
    // Nineteen keyless rounds that rotate right instead of left; the state after each
    // of the last sixteen gives four subkeys.
    std::uint32_t* out = s.k;
    for (int i = 19; i > 0; --i) {
        b1 ^= F(b0);
        b0 = bytes::Rotr32(b0, 10);
        b2 ^= F(b1);
        b1 = bytes::Rotr32(b1, 10);
        b3 ^= F(b2);
        b2 = bytes::Rotr32(b2, 10);
        b0 ^= F(b3);
        b3 = bytes::Rotr32(b3, 10);
        if (i <= 16) {
            *out++ = b0;
            *out++ = b1;
            *out++ = b2;
            *out++ = b3;
        }
    }
}

void Q128::Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
{
    const std::uint32_t* k = s.k;
    std::uint32_t b0 = bytes::LoadLe32(in), b1 = bytes::LoadLe32(in + 4), b2 = bytes::LoadLe32(in + 8),
                  b3 = bytes::LoadLe32(in + 12);
    for (int i = 0; i < 16; ++i, k += 4) {
        b1 ^= F(b0) + k[0];
        b0 = bytes::Rotl32(b0, 10);
        b2 ^= F(b1) + k[1];
        b1 = bytes::Rotl32(b1, 10);
        b3 ^= F(b2) + k[2];
        b2 = bytes::Rotl32(b2, 10);
        b0 ^= F(b3) + k[3];
        b3 = bytes::Rotl32(b3, 10);
    }
    bytes::StoreLe32(out, b0);
    bytes::StoreLe32(out + 4, b1);
    bytes::StoreLe32(out + 8, b2);
    bytes::StoreLe32(out + 12, b3);
}

void Q128::Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
{
    const std::uint32_t* k = s.k + 64;
    std::uint32_t b0 = bytes::LoadLe32(in), b1 = bytes::LoadLe32(in + 4), b2 = bytes::LoadLe32(in + 8),
                  b3 = bytes::LoadLe32(in + 12);
    for (int i = 0; i < 16; ++i) {
        b3 = bytes::Rotr32(b3, 10);
        b0 ^= F(b3) + *--k;
        b2 = bytes::Rotr32(b2, 10);
        b3 ^= F(b2) + *--k;
        b1 = bytes::Rotr32(b1, 10);
        b2 ^= F(b1) + *--k;
        b0 = bytes::Rotr32(b0, 10);
        b1 ^= F(b0) + *--k;
    }
    bytes::StoreLe32(out, b0);
    bytes::StoreLe32(out + 4, b1);
    bytes::StoreLe32(out + 8, b2);
    bytes::StoreLe32(out + 12, b3);
}

} // namespace cipher
