#pragma once
// SAFER (Massey, 1993-1995): 64-bit block. The K variants use the original key schedule,
// the SK variants the strengthened one. Rounds: 40-bit keys 5, K-64 6, SK-64 8, the
// 128-bit ones 10. A 128-bit key is Ka followed by Kb.
//
// SK-40 extends its 5 key bytes to 9 as Massey announced (K6 = K1^K3^0x81,
// K7 = K1^K4^K5^0x42, K8 = K2^K3^K5^0x24, K9 = K2^K4^0x18) and runs the 64-bit schedule
// on them, the ninth byte taking the place of the parity byte. There is no published
// K-40; ours extends the key the same way and uses the first 8 bytes as a K-64 key,
// with 5 rounds.
#include <cstdint>

namespace cipher {

namespace safer_detail {

void ExpandKey(std::uint8_t* schedule, int rounds, int keyBytes, bool strengthened,
               const std::uint8_t* key, int length);
void EncryptBlock(const std::uint8_t* schedule, int rounds, const std::uint8_t* in,
                  std::uint8_t* out);
void DecryptBlock(const std::uint8_t* schedule, int rounds, const std::uint8_t* in,
                  std::uint8_t* out);

template <int KeyBytes, int Rounds, bool Strengthened>
struct Safer {
    static constexpr int kBlockSize = 8;
    static constexpr int kKeySize = KeyBytes;
    static constexpr int kRounds = Rounds;

    struct Schedule {
        std::uint8_t k[8 * (2 * Rounds + 1)];
    };

    // A key shorter than kKeySize is padded with zero bytes.
    static void SetKey(Schedule& s, const std::uint8_t* key, int length)
    {
        ExpandKey(s.k, Rounds, KeyBytes, Strengthened, key, length);
    }
    static void Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
    {
        EncryptBlock(s.k, Rounds, in, out);
    }
    static void Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
    {
        DecryptBlock(s.k, Rounds, in, out);
    }
};

} // namespace safer_detail

struct SaferK40 : safer_detail::Safer<5, 5, false> {};
struct SaferSK40 : safer_detail::Safer<5, 5, true> {};
struct SaferK64 : safer_detail::Safer<8, 6, false> {};
struct SaferSK64 : safer_detail::Safer<8, 8, true> {};
struct SaferK128 : safer_detail::Safer<16, 10, false> {};
struct SaferSK128 : safer_detail::Safer<16, 10, true> {};

} // namespace cipher
