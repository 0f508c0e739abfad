#include "crypt/ciphers/Square.h"

#include <array>
#include <cstring>

#include "crypt/ciphers/Bytes.h"
#include "crypt/ciphers/KeyWipe.h"
#include "crypt/ciphers/Gf256.h"

namespace cipher {

namespace {

constexpr unsigned kPoly = 0x1F5;
constexpr int kRounds = 8;

using Table = std::array<std::array<std::uint32_t, 256>, 4>;

// One round's gamma, pi and theta in four tables. theta multiplies each row by the
// circulant matrix with first row (2 3 1 1); one input byte contributes the column
// (2, 1, 1, 3) to its output row. The inverse matrix gives the column (14, 9, 13, 11).
constexpr Table MakeRoundTable(const std::array<std::uint8_t, 256>& box, const std::uint8_t (&col)[4])
{
    Table t{};
    for (int x = 0; x < 256; ++x) {
        std::uint8_t s = box[x];
        std::uint32_t w = std::uint32_t(gf256::Mul(s, col[0], kPoly)) << 24 |
                          std::uint32_t(gf256::Mul(s, col[1], kPoly)) << 16 |
                          std::uint32_t(gf256::Mul(s, col[2], kPoly)) << 8 |
                          std::uint32_t(gf256::Mul(s, col[3], kPoly));
        for (int k = 0; k < 4; ++k)
            t[k][x] = bytes::Rotr32(w, 8 * k);
    }
    return t;
}

constexpr std::uint8_t kThetaColumn[4] = {2, 1, 1, 3};
constexpr std::uint8_t kInverseThetaColumn[4] = {14, 9, 13, 11};
constexpr Table kEncTable = MakeRoundTable(gf256::kSquareBoxes.forward, kThetaColumn);
constexpr Table kDecTable = MakeRoundTable(gf256::kSquareBoxes.inverse, kInverseThetaColumn);

// theta applied to a round key (row by row).
void Theta(const std::uint32_t in[4], std::uint32_t out[4])
{
    for (int i = 0; i < 4; ++i) {
        std::uint8_t a0 = std::uint8_t(in[i] >> 24), a1 = std::uint8_t(in[i] >> 16),
                     a2 = std::uint8_t(in[i] >> 8), a3 = std::uint8_t(in[i]);
        auto m = [](std::uint8_t a, std::uint8_t c) { return gf256::Mul(a, c, kPoly); };
        out[i] = std::uint32_t(std::uint8_t(m(a0, 2) ^ m(a1, 3) ^ a2 ^ a3)) << 24 |
                 std::uint32_t(std::uint8_t(a0 ^ m(a1, 2) ^ m(a2, 3) ^ a3)) << 16 |
                 std::uint32_t(std::uint8_t(a0 ^ a1 ^ m(a2, 2) ^ m(a3, 3))) << 8 |
                 std::uint32_t(std::uint8_t(m(a0, 3) ^ a1 ^ a2 ^ m(a3, 2)));
    }
}

void Crypt(const std::uint32_t (&k)[9][4], const Table& t, const std::array<std::uint8_t, 256>& box,
           const std::uint8_t* in, std::uint8_t* out)
{
    std::uint32_t a = bytes::LoadBe32(in) ^ k[0][0], b = bytes::LoadBe32(in + 4) ^ k[0][1],
                  c = bytes::LoadBe32(in + 8) ^ k[0][2], d = bytes::LoadBe32(in + 12) ^ k[0][3];
    for (int r = 1; r < kRounds; ++r) {
        std::uint32_t aa = t[0][a >> 24] ^ t[1][b >> 24] ^ t[2][c >> 24] ^ t[3][d >> 24] ^ k[r][0];
        std::uint32_t bb = t[0][(a >> 16) & 0xFF] ^ t[1][(b >> 16) & 0xFF] ^
                           t[2][(c >> 16) & 0xFF] ^ t[3][(d >> 16) & 0xFF] ^ k[r][1];
        std::uint32_t cc = t[0][(a >> 8) & 0xFF] ^ t[1][(b >> 8) & 0xFF] ^
                           t[2][(c >> 8) & 0xFF] ^ t[3][(d >> 8) & 0xFF] ^ k[r][2];
        std::uint32_t dd = t[0][a & 0xFF] ^ t[1][b & 0xFF] ^ t[2][c & 0xFF] ^ t[3][d & 0xFF] ^ k[r][3];
        a = aa;
        b = bb;
        c = cc;
        d = dd;
    }
    // The last round transposes and substitutes without theta.
    auto row = [&](int shift) {
        return std::uint32_t(box[(a >> shift) & 0xFF]) << 24 |
               std::uint32_t(box[(b >> shift) & 0xFF]) << 16 |
               std::uint32_t(box[(c >> shift) & 0xFF]) << 8 | std::uint32_t(box[(d >> shift) & 0xFF]);
    };
    std::uint32_t w0 = row(24) ^ k[kRounds][0], w1 = row(16) ^ k[kRounds][1],
                  w2 = row(8) ^ k[kRounds][2], w3 = row(0) ^ k[kRounds][3];
    bytes::StoreBe32(out, w0);
    bytes::StoreBe32(out + 4, w1);
    bytes::StoreBe32(out + 8, w2);
    bytes::StoreBe32(out + 12, w3);
}

} // namespace

void Square::SetKey(Schedule& s, const std::uint8_t* key, int length)
{
    const TPaddedKey<kKeySize> padded(key, length);

    // The key evolution psi; k[t] are the raw round keys.
    std::uint32_t k[kRounds + 1][4];
    for (int i = 0; i < 4; ++i)
        k[0][i] = bytes::LoadBe32(padded.Data() + 4 * i);
    std::uint32_t constant = 1;
    for (int t = 0; t < kRounds; ++t) {
        k[t + 1][0] = k[t][0] ^ bytes::Rotl32(k[t][3], 8) ^ (constant << 24);
        k[t + 1][1] = k[t][1] ^ k[t + 1][0];
        k[t + 1][2] = k[t][2] ^ k[t + 1][1];
        k[t + 1][3] = k[t][3] ^ k[t + 1][2];
        constant = gf256::Mul(std::uint8_t(constant), 2, kPoly);
    }

    // Encryption folds theta into every key but the last; decryption runs the keys
    // backwards and needs theta only on the first key.
    for (int t = 0; t < kRounds; ++t)
        Theta(k[t], s.encrypt[t]);
    std::memcpy(s.encrypt[kRounds], k[kRounds], sizeof k[kRounds]);
    for (int t = 0; t < kRounds; ++t)
        std::memcpy(s.decrypt[t], k[kRounds - t], sizeof k[0]);
    Theta(k[0], s.decrypt[kRounds]);
    SecureWipe(k);
}

void Square::Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
{
    Crypt(s.encrypt, kEncTable, gf256::kSquareBoxes.forward, in, out);
}

void Square::Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
{
    Crypt(s.decrypt, kDecTable, gf256::kSquareBoxes.inverse, in, out);
}

} // namespace cipher
