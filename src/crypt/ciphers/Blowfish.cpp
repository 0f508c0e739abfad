#include "crypt/ciphers/Blowfish.h"

#include <cstring>

#include "crypt/ciphers/BlowfishTables.h"
#include "crypt/ciphers/Bytes.h"
#include "crypt/ciphers/KeyWipe.h"

namespace cipher {

namespace {

inline std::uint32_t F(const Blowfish::Schedule& s, std::uint32_t x)
{
    return ((s.s[0][x >> 24] + s.s[1][(x >> 16) & 0xFF]) ^ s.s[2][(x >> 8) & 0xFF]) +
           s.s[3][x & 0xFF];
}

inline void EncryptWords(const Blowfish::Schedule& s, std::uint32_t& left, std::uint32_t& right)
{
    std::uint32_t l = left, r = right;
    for (int i = 0; i < 16; i += 2) {
        l ^= s.p[i];
        r ^= F(s, l);
        r ^= s.p[i + 1];
        l ^= F(s, r);
    }
    left = r ^ s.p[17];
    right = l ^ s.p[16];
}

} // namespace

void Blowfish::SetKey(Schedule& s, const std::uint8_t* key, int length)
{
    const TPaddedKey<kKeySize> clamped(key, length);
    length = clamped.Length();
    std::memcpy(s.p, blowfish_tables::kInitialP, sizeof s.p);
    std::memcpy(s.s, blowfish_tables::kInitialS, sizeof s.s);
    if (length > 0) {
        int k = 0;
        for (auto& word : s.p) {
            std::uint32_t data = 0;
            for (int b = 0; b < 4; ++b) {
                data = (data << 8) | clamped[k];
                k = k + 1 == length ? 0 : k + 1;
            }
            word ^= data;
        }
    }
    std::uint32_t l = 0, r = 0;
    for (int i = 0; i < 18; i += 2) {
        EncryptWords(s, l, r);
        s.p[i] = l;
        s.p[i + 1] = r;
    }
    for (auto& box : s.s) {
        for (int i = 0; i < 256; i += 2) {
            EncryptWords(s, l, r);
            box[i] = l;
            box[i + 1] = r;
        }
    }
}

void Blowfish::Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
{
    std::uint32_t l = bytes::LoadBe32(in), r = bytes::LoadBe32(in + 4);
    EncryptWords(s, l, r);
    bytes::StoreBe32(out, l);
    bytes::StoreBe32(out + 4, r);
}

void Blowfish::Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
{
    std::uint32_t l = bytes::LoadBe32(in), r = bytes::LoadBe32(in + 4);
    for (int i = 17; i > 1; i -= 2) {
        l ^= s.p[i];
        r ^= F(s, l);
        r ^= s.p[i - 1];
        l ^= F(s, r);
    }
    bytes::StoreBe32(out, r ^ s.p[0]);
    bytes::StoreBe32(out + 4, l ^ s.p[1]);
}

} // namespace cipher
