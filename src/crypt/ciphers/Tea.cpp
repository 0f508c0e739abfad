#include "crypt/ciphers/Tea.h"


#include "crypt/ciphers/Bytes.h"
#include "crypt/ciphers/KeyWipe.h"

namespace cipher {

namespace {

constexpr std::uint32_t kDelta = 0x9E3779B9;
constexpr int kCycles = 32;

void LoadKey(std::uint32_t (&words)[4], const std::uint8_t* key, int length)
{
    const TPaddedKey<16> padded(key, length);
    for (int i = 0; i < 4; ++i)
        words[i] = bytes::LoadBe32(padded.Data() + 4 * i);
}

} // namespace

void Tea::SetKey(Schedule& s, const std::uint8_t* key, int length)
{
    LoadKey(s.key, key, length);
}

void Tea::Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
{
    const std::uint32_t k0 = s.key[0], k1 = s.key[1], k2 = s.key[2], k3 = s.key[3];
    std::uint32_t y = bytes::LoadBe32(in), z = bytes::LoadBe32(in + 4), sum = 0;
    for (int i = 0; i < kCycles; ++i) {
        sum += kDelta;
        y += ((z << 4) + k0) ^ (z + sum) ^ ((z >> 5) + k1);
        z += ((y << 4) + k2) ^ (y + sum) ^ ((y >> 5) + k3);
    }
    bytes::StoreBe32(out, y);
    bytes::StoreBe32(out + 4, z);
}

void Tea::Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
{
    const std::uint32_t k0 = s.key[0], k1 = s.key[1], k2 = s.key[2], k3 = s.key[3];
    std::uint32_t y = bytes::LoadBe32(in), z = bytes::LoadBe32(in + 4), sum = kDelta * kCycles;
    for (int i = 0; i < kCycles; ++i) {
        z -= ((y << 4) + k2) ^ (y + sum) ^ ((y >> 5) + k3);
        y -= ((z << 4) + k0) ^ (z + sum) ^ ((z >> 5) + k1);
        sum -= kDelta;
    }
    bytes::StoreBe32(out, y);
    bytes::StoreBe32(out + 4, z);
}

void Tean::SetKey(Schedule& s, const std::uint8_t* key, int length)
{
    LoadKey(s.key, key, length);
}

void Tean::Encrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
{
    const std::uint32_t* k = s.key;
    std::uint32_t y = bytes::LoadBe32(in), z = bytes::LoadBe32(in + 4), sum = 0;
    for (int i = 0; i < kCycles; ++i) {
        y += (((z << 4) ^ (z >> 5)) + z) ^ (sum + k[sum & 3]);
        sum += kDelta;
        z += (((y << 4) ^ (y >> 5)) + y) ^ (sum + k[(sum >> 11) & 3]);
    }
    bytes::StoreBe32(out, y);
    bytes::StoreBe32(out + 4, z);
}

void Tean::Decrypt(Schedule& s, const std::uint8_t* in, std::uint8_t* out)
{
    const std::uint32_t* k = s.key;
    std::uint32_t y = bytes::LoadBe32(in), z = bytes::LoadBe32(in + 4), sum = kDelta * kCycles;
    for (int i = 0; i < kCycles; ++i) {
        z -= (((y << 4) ^ (y >> 5)) + y) ^ (sum + k[(sum >> 11) & 3]);
        sum -= kDelta;
        y -= (((z << 4) ^ (z >> 5)) + z) ^ (sum + k[sum & 3]);
    }
    bytes::StoreBe32(out, y);
    bytes::StoreBe32(out + 4, z);
}

} // namespace cipher
