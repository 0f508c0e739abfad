#include "crypt/ciphers/Shark.h"

#include <array>

#include "crypt/ciphers/Bytes.h"
#include "crypt/ciphers/Gf256.h"
#include "crypt/ciphers/KeyWipe.h"

namespace cipher {

namespace {

constexpr unsigned kPoly = 0x1F5;
constexpr int kRounds = Shark::kRounds;

// The diffusion layer: an MDS matrix from a Reed-Solomon code over GF(2^8), and its
// inverse. Output byte i is the sum over j of kG[i][j] times input byte j (byte 0 the
// most significant).
constexpr std::uint8_t kG[8][8] = {
    {0xce, 0x95, 0x57, 0x82, 0x8a, 0x19, 0xb0, 0x01},
    {0xe7, 0xfe, 0x05, 0xd2, 0x52, 0xc1, 0x88, 0xf1},
    {0xb9, 0xda, 0x4d, 0xd1, 0x9e, 0x17, 0x83, 0x86},
    {0xd0, 0x9d, 0x26, 0x2c, 0x5d, 0x9f, 0x6d, 0x75},
    {0x52, 0xa9, 0x07, 0x6c, 0xb9, 0x8f, 0x70, 0x17},
    {0x87, 0x28, 0x3a, 0x5a, 0xf4, 0x33, 0x0b, 0x6c},
    {0x74, 0x51, 0x15, 0xcf, 0x09, 0xa4, 0x62, 0x09},
    {0x0b, 0x31, 0x7f, 0x86, 0xbe, 0x05, 0x83, 0x34},
};
constexpr std::uint8_t kGInverse[8][8] = {
    {0xe7, 0x30, 0x90, 0x85, 0xd0, 0x4b, 0x91, 0x41},
    {0x53, 0x95, 0x9b, 0xa5, 0x96, 0xbc, 0xa1, 0x68},
    {0x02, 0x45, 0xf7, 0x65, 0x5c, 0x1f, 0xb6, 0x52},
    {0xa2, 0xca, 0x22, 0x94, 0x44, 0x63, 0x2a, 0xa2},
    {0xfc, 0x67, 0x8e, 0x10, 0x29, 0x75, 0x85, 0x71},
    {0x24, 0x45, 0xa2, 0xcf, 0x2f, 0x22, 0xc1, 0x0e},
    {0xa1, 0xf1, 0x71, 0x40, 0x91, 0x27, 0x18, 0xa5},
    {0x56, 0xf4, 0xaf, 0x32, 0xd2, 0xa4, 0xdc, 0x71},
};

constexpr bool IsInversePair()
{
    for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 8; ++j) {
            std::uint8_t sum = 0;
            for (int k = 0; k < 8; ++k)
                sum ^= gf256::Mul(kG[i][k], kGInverse[k][j], kPoly);
            if (sum != (i == j ? 1 : 0))
                return false;
        }
    return true;
}
static_assert(IsInversePair(), "SHARK diffusion matrices");

using Table = std::array<std::array<std::uint64_t, 256>, 8>;

// Substitution and diffusion of one round: table j maps input byte j to its
// contribution, the matrix column j times S(x).
constexpr Table MakeTable(const std::array<std::uint8_t, 256>& box, const std::uint8_t (&m)[8][8])
{
    Table t{};
    for (int j = 0; j < 8; ++j)
        for (int x = 0; x < 256; ++x) {
            std::uint64_t w = 0;
            for (int i = 0; i < 8; ++i)
                w |= std::uint64_t(gf256::Mul(m[i][j], box[x], kPoly)) << (56 - 8 * i);
            t[j][x] = w;
        }
    return t;
}

constexpr Table kEncTable = MakeTable(gf256::kSquareBoxes.forward, kG);
constexpr Table kDecTable = MakeTable(gf256::kSquareBoxes.inverse, kGInverse);

inline std::uint8_t Byte(std::uint64_t x, int j)
{
    return std::uint8_t(x >> (56 - 8 * j));
}

std::uint64_t InverseDiffusion(std::uint64_t x)
{
    std::uint64_t w = 0;
    for (int i = 0; i < 8; ++i) {
        std::uint8_t v = 0;
        for (int j = 0; j < 8; ++j)
            v ^= gf256::Mul(kGInverse[i][j], Byte(x, j), kPoly);
        w |= std::uint64_t(v) << (56 - 8 * i);
    }
    return w;
}

// Rounds 1..R-1 substitute and diffuse after the key; the last round only substitutes,
// and a last key follows.
std::uint64_t Crypt(const std::uint64_t* k, const Table& t, const std::array<std::uint8_t, 256>& box,
                    std::uint64_t x)
{
    for (int r = 0; r < kRounds - 1; ++r) {
        x ^= k[r];
        x = t[0][Byte(x, 0)] ^ t[1][Byte(x, 1)] ^ t[2][Byte(x, 2)] ^ t[3][Byte(x, 3)] ^
            t[4][Byte(x, 4)] ^ t[5][Byte(x, 5)] ^ t[6][Byte(x, 6)] ^ t[7][Byte(x, 7)];
    }
    x ^= k[kRounds - 1];
    std::uint64_t y = 0;
    for (int j = 0; j < 8; ++j)
        y |= std::uint64_t(box[Byte(x, j)]) << (56 - 8 * j);
    return y ^ k[kRounds];
}

} // namespace

void Shark::SetKey(Schedule& s, const std::uint8_t* key, int length)
{
    const TPaddedKey<kKeySize> clamped(key, length);
    length = clamped.Length();

    // The schedule's own keys: round r uses the diffusion of S(r) in byte 0 (the first
    // entries of the first round table); the last one undoes the diffusion.
    std::uint64_t setup[kRounds + 1];
    for (int r = 0; r <= kRounds; ++r)
        setup[r] = kEncTable[0][r];
    setup[kRounds] = InverseDiffusion(setup[kRounds]);

    // Round keys: the repeated key bytes encrypted in 64-bit CFB mode from a zero vector.
    std::uint64_t feedback = 0;
    int next = 0;
    for (int r = 0; r <= kRounds; ++r) {
        std::uint64_t word = 0;
        for (int b = 0; b < 8; ++b) {
            word = word << 8 | clamped[next];
            next = length > 0 && next + 1 < length ? next + 1 : 0;
        }
        feedback = Crypt(setup, kEncTable, gf256::kSquareBoxes.forward, feedback) ^ word;
        s.encrypt[r] = feedback;
    }
    s.encrypt[kRounds] = InverseDiffusion(s.encrypt[kRounds]);

    // Decryption runs the keys backwards; the inner ones pass through the inverse
    // diffusion because the inverse round diffuses before it adds its key.
    for (int r = 0; r <= kRounds; ++r)
        s.decrypt[r] = s.encrypt[kRounds - r];
    for (int r = 1; r < kRounds; ++r)
        s.decrypt[r] = InverseDiffusion(s.decrypt[r]);
}

void Shark::Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
{
    bytes::StoreBe64(out, Crypt(s.encrypt, kEncTable, gf256::kSquareBoxes.forward, bytes::LoadBe64(in)));
}

void Shark::Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
{
    bytes::StoreBe64(out, Crypt(s.decrypt, kDecTable, gf256::kSquareBoxes.inverse, bytes::LoadBe64(in)));
}

} // namespace cipher
