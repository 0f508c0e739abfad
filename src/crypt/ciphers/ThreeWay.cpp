#include "crypt/ciphers/ThreeWay.h"

#include <array>
#include <cstring>

#include "crypt/ciphers/Bytes.h"
#include "crypt/ciphers/KeyWipe.h"

namespace cipher {

namespace {

constexpr int kRounds = 11;

// Round constants: a 16-bit LFSR with feedback 0x11011, started at 0x0B0B for
// encryption and 0xB1B1 for decryption.
constexpr std::array<std::uint32_t, kRounds + 1> MakeConstants(std::uint32_t start)
{
    std::array<std::uint32_t, kRounds + 1> c{};
    for (auto& v : c) {
        v = start;
        start <<= 1;
        if (start & 0x10000)
            start ^= 0x11011;
    }
    return c;
}

constexpr auto kEncryptConstants = MakeConstants(0x0B0B);
constexpr auto kDecryptConstants = MakeConstants(0xB1B1);

// Reverses the bit order of the whole 96-bit state.
void Mu(std::uint32_t a[3])
{
    auto reverse = [](std::uint32_t x) {
        x = (x >> 1 & 0x55555555) | (x & 0x55555555) << 1;
        x = (x >> 2 & 0x33333333) | (x & 0x33333333) << 2;
        x = (x >> 4 & 0x0F0F0F0F) | (x & 0x0F0F0F0F) << 4;
        x = (x >> 8 & 0x00FF00FF) | (x & 0x00FF00FF) << 8;
        return x >> 16 | x << 16;
    };
    std::uint32_t b0 = reverse(a[2]), b1 = reverse(a[1]), b2 = reverse(a[0]);
    a[0] = b0;
    a[1] = b1;
    a[2] = b2;
}

// theta: word i gains its neighbours' bytes at the published shifts. The terms that
// every word shares are the 16- and 8-bit rotations of a0 ^ a1 ^ a2.
inline void Theta(std::uint32_t a[3])
{
    std::uint32_t c = a[0] ^ a[1] ^ a[2];
    c = bytes::Rotl32(c, 16) ^ bytes::Rotl32(c, 8);
    std::uint32_t b0 = a[0] ^ c ^ (a[0] << 24) ^ (a[2] >> 8) ^ (a[1] << 8) ^ (a[0] >> 24);
    std::uint32_t b1 = a[1] ^ c ^ (a[1] << 24) ^ (a[0] >> 8) ^ (a[2] << 8) ^ (a[1] >> 24);
    std::uint32_t b2 = a[2] ^ c ^ (a[2] << 24) ^ (a[1] >> 8) ^ (a[0] << 8) ^ (a[2] >> 24);
    a[0] = b0;
    a[1] = b1;
    a[2] = b2;
}

inline void Rho(std::uint32_t a[3])
{
    Theta(a);
    // pi_1
    a[0] = bytes::Rotr32(a[0], 10);
    a[2] = bytes::Rotl32(a[2], 1);
    // gamma
    std::uint32_t b0 = a[0] ^ (a[1] | ~a[2]);
    std::uint32_t b1 = a[1] ^ (a[2] | ~a[0]);
    std::uint32_t b2 = a[2] ^ (a[0] | ~a[1]);
    // pi_2
    a[0] = bytes::Rotl32(b0, 1);
    a[1] = b1;
    a[2] = bytes::Rotr32(b2, 10);
}

void Rounds(const std::uint32_t key[3], const std::array<std::uint32_t, kRounds + 1>& rc,
            std::uint32_t block[3])
{
    // Locals, so the compiler need not reload the key after every store to the state.
    const std::uint32_t k0 = key[0], k1 = key[1], k2 = key[2];
    std::uint32_t a[3] = {block[0], block[1], block[2]};
    for (int i = 0; i < kRounds; ++i) {
        a[0] ^= k0 ^ (rc[i] << 16);
        a[1] ^= k1;
        a[2] ^= k2 ^ rc[i];
        Rho(a);
    }
    a[0] ^= k0 ^ (rc[kRounds] << 16);
    a[1] ^= k1;
    a[2] ^= k2 ^ rc[kRounds];
    Theta(a);
    block[0] = a[0];
    block[1] = a[1];
    block[2] = a[2];
}

void Load(const std::uint8_t* p, std::uint32_t a[3])
{
    for (int i = 0; i < 3; ++i)
        a[i] = bytes::LoadBe32(p + 4 * i);
}

void Store(std::uint8_t* p, const std::uint32_t a[3])
{
    for (int i = 0; i < 3; ++i)
        bytes::StoreBe32(p + 4 * i, a[i]);
}

} // namespace

void ThreeWay::SetKey(Schedule& s, const std::uint8_t* key, int length)
{
    const TPaddedKey<kKeySize> padded(key, length);
    Load(padded.Data(), s.encrypt);
    std::memcpy(s.decrypt, s.encrypt, sizeof s.decrypt);
    Theta(s.decrypt);
    Mu(s.decrypt);
}

void ThreeWay::Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
{
    std::uint32_t a[3];
    Load(in, a);
    Rounds(s.encrypt, kEncryptConstants, a);
    Store(out, a);
}

void ThreeWay::Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
{
    std::uint32_t a[3];
    Load(in, a);
    Mu(a);
    Rounds(s.decrypt, kDecryptConstants, a);
    Mu(a);
    Store(out, a);
}

} // namespace cipher
