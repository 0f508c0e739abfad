// How keys shorter than a cipher's key size are taken: zero-padded for the ciphers of
// fixed key size (Twofish to the next of its three sizes), repeated for Shark.
#include <random>

#include <gtest/gtest.h>

#include "AllCiphers.h"
#include "CipherTestUtil.h"

using namespace cipher_test;

namespace {

template <class C>
class ZeroPaddedKeys : public ::testing::Test {};

using ZeroPadded =
    ::testing::Types<cipher::ThreeWay, cipher::Gost, cipher::Idea, cipher::Q128, cipher::SaferK40,
                     cipher::SaferSK40, cipher::SaferK64, cipher::SaferSK64, cipher::SaferK128,
                     cipher::SaferSK128, cipher::Square, cipher::Tea, cipher::Tean>;
TYPED_TEST_SUITE(ZeroPaddedKeys, ZeroPadded);

TYPED_TEST(ZeroPaddedKeys, ShortKeyEqualsZeroPaddedKey)
{
    using C = TypeParam;
    std::mt19937 rng(17);
    Bytes plain(C::kBlockSize, 0x3C);
    for (int length = 0; length < C::kKeySize; ++length) {
        Bytes key(static_cast<std::size_t>(length));
        for (auto& b : key)
            b = std::uint8_t(rng());
        Bytes padded = key;
        padded.resize(C::kKeySize, 0);
        EXPECT_EQ(ToHex(EncryptBlock<C>(key, plain)), ToHex(EncryptBlock<C>(padded, plain)))
            << "length " << length;
    }
}

TEST(TwofishKeys, ShortKeysPadToTheNextSize)
{
    using cipher::Twofish;
    Bytes plain(16, 0x5A);
    Bytes key = FromHex("0123456789ABCDEFFEDCBA98765432100011223344556677");
    for (int length : {0, 5, 16, 17, 24, 25, 31}) {
        int size = length <= 16 ? 16 : length <= 24 ? 24 : 32;
        Bytes shortKey(key.begin(), key.begin() + std::min<int>(length, int(key.size())));
        shortKey.resize(static_cast<std::size_t>(length), 0xEE);
        Bytes padded = shortKey;
        padded.resize(static_cast<std::size_t>(size), 0);
        EXPECT_EQ(ToHex(EncryptBlock<Twofish>(shortKey, plain)),
                  ToHex(EncryptBlock<Twofish>(padded, plain)))
            << "length " << length;
    }
    // A 24-byte key is not the same as that key padded to 32.
    Bytes padded32 = key;
    padded32.resize(32, 0);
    EXPECT_NE(ToHex(EncryptBlock<Twofish>(key, plain)), ToHex(EncryptBlock<Twofish>(padded32, plain)));
}

TEST(SharkKeys, ShortKeysRepeat)
{
    using cipher::Shark;
    Bytes plain = FromHex("0011223344556677");
    Bytes half = FromHex("A1B2C3D4E5F60718");
    Bytes twice = half;
    twice.insert(twice.end(), half.begin(), half.end());
    EXPECT_EQ(ToHex(EncryptBlock<Shark>(half, plain)), ToHex(EncryptBlock<Shark>(twice, plain)));
    Bytes zeroPadded = half;
    zeroPadded.resize(16, 0);
    EXPECT_NE(ToHex(EncryptBlock<Shark>(half, plain)), ToHex(EncryptBlock<Shark>(zeroPadded, plain)));
}

TEST(BlowfishKeys, KeyBytesRepeatOverTheSchedule)
{
    using cipher::Blowfish;
    Bytes plain = FromHex("FEDCBA9876543210");
    Bytes key = FromHex("F0E1D2");
    Bytes repeated;
    for (int i = 0; i < 18; ++i)
        repeated.insert(repeated.end(), key.begin(), key.end());
    EXPECT_EQ(ToHex(EncryptBlock<Blowfish>(key, plain)), ToHex(EncryptBlock<Blowfish>(repeated, plain)));
}

} // namespace
