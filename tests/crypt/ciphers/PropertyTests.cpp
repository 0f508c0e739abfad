// Properties every primitive must have: decryption inverts encryption for any key
// length the contract allows, in place or not; every key byte takes part; nothing is
// read past the key or the block (the buffers are exactly sized, so the sanitizer
// build catches overreads).
#include <cstring>
#include <random>
#include <type_traits>

#include <gtest/gtest.h>

#include "AllCiphers.h"
#include "CipherTestUtil.h"

using namespace cipher_test;

namespace {

template <class C>
class CipherProperties : public ::testing::Test {};

TYPED_TEST_SUITE(CipherProperties, AllCiphers);

Bytes RandomBytes(std::mt19937& rng, int n)
{
    Bytes b(static_cast<std::size_t>(n));
    for (auto& v : b)
        v = std::uint8_t(rng());
    return b;
}

// A key of exactly `length` bytes; an empty key is passed as a null pointer so that any
// read of it fails loudly.
template <class C>
void SetKey(typename C::Schedule& s, const Bytes& key)
{
    C::SetKey(s, key.empty() ? nullptr : key.data(), int(key.size()));
}

TYPED_TEST(CipherProperties, ScheduleIsTriviallyCopyable)
{
    EXPECT_TRUE(std::is_trivially_copyable_v<typename TypeParam::Schedule>);
}

TYPED_TEST(CipherProperties, DecryptInvertsEncryptForEveryKeyLength)
{
    using C = TypeParam;
    std::mt19937 rng(1234);
    for (int length = 0; length <= C::kKeySize; ++length) {
        SCOPED_TRACE(length);
        for (int trial = 0; trial < 4; ++trial) {
            Bytes key = RandomBytes(rng, length);
            Bytes plain = RandomBytes(rng, C::kBlockSize);
            Bytes cipherText(C::kBlockSize), back(C::kBlockSize);
            typename C::Schedule s;
            SetKey<C>(s, key);
            C::Encrypt(s, plain.data(), cipherText.data());
            EXPECT_NE(cipherText, plain);
            RestartIfStream<C>(s);
            C::Decrypt(s, cipherText.data(), back.data());
            EXPECT_EQ(ToHex(back), ToHex(plain)) << "key " << ToHex(key);
        }
    }
}

TYPED_TEST(CipherProperties, InPlaceEqualsSeparateBuffers)
{
    using C = TypeParam;
    std::mt19937 rng(99);
    Bytes key = RandomBytes(rng, C::kKeySize);
    Bytes plain = RandomBytes(rng, C::kBlockSize);
    typename C::Schedule s;
    SetKey<C>(s, key);
    Bytes separate(C::kBlockSize);
    C::Encrypt(s, plain.data(), separate.data());
    RestartIfStream<C>(s);
    Bytes inPlace = plain;
    C::Encrypt(s, inPlace.data(), inPlace.data());
    EXPECT_EQ(inPlace, separate);
    RestartIfStream<C>(s);
    C::Decrypt(s, inPlace.data(), inPlace.data());
    EXPECT_EQ(inPlace, plain);
}

TYPED_TEST(CipherProperties, EveryKeyByteTakesPart)
{
    using C = TypeParam;
    std::mt19937 rng(7);
    Bytes plain = RandomBytes(rng, C::kBlockSize);
    for (int length = 1; length <= C::kKeySize; ++length) {
        Bytes key = RandomBytes(rng, length);
        for (int pos : {0, length / 2, length - 1}) {
            Bytes other = key;
            other[std::size_t(pos)] ^= std::uint8_t(1u << (rng() % 8));
            EXPECT_NE(ToHex(EncryptBlock<C>(key, plain)), ToHex(EncryptBlock<C>(other, plain)))
                << "length " << length << " byte " << pos;
        }
    }
}

TYPED_TEST(CipherProperties, RekeyingLeavesNoTraceOfTheEarlierKey)
{
    using C = TypeParam;
    std::mt19937 rng(31);
    Bytes plain = RandomBytes(rng, C::kBlockSize);
    for (int length : {0, 1, 2, C::kKeySize}) {
        Bytes key = RandomBytes(rng, length);
        typename C::Schedule fresh, reused;
        std::memset(&fresh, 0, sizeof fresh);
        std::memset(&reused, 0xA5, sizeof reused);
        Bytes earlier = RandomBytes(rng, C::kKeySize);
        SetKey<C>(reused, earlier);
        SetKey<C>(fresh, key);
        SetKey<C>(reused, key);
        Bytes a(C::kBlockSize), b(C::kBlockSize);
        C::Encrypt(fresh, plain.data(), a.data());
        C::Encrypt(reused, plain.data(), b.data());
        EXPECT_EQ(ToHex(a), ToHex(b)) << "length " << length;
    }
}

TEST(StreamRestart, ScopReturnsToTheSameKeystream)
{
    using cipher::Scop;
    std::mt19937 rng(5);
    Bytes key = RandomBytes(rng, 32);
    Bytes zero(Scop::kBlockSize);
    Scop::Schedule s;
    Scop::SetKey(s, key.data(), int(key.size()));
    Bytes first(Scop::kBlockSize), second(Scop::kBlockSize);
    Scop::Encrypt(s, zero.data(), first.data());
    Scop::Encrypt(s, zero.data(), second.data());
    EXPECT_NE(first, second) << "the keystream must run on from block to block";

    Scop::Restart(s);
    Bytes again(Scop::kBlockSize);
    Scop::Encrypt(s, zero.data(), again.data());
    EXPECT_EQ(again, first);
    Scop::Encrypt(s, zero.data(), again.data());
    EXPECT_EQ(again, second);

    // Restart after decrypting a stretch also goes back to the start, and a copy of the
    // schedule runs independently of the original.
    Scop::Restart(s);
    Scop::Schedule copy = s;
    Bytes back(Scop::kBlockSize);
    Scop::Decrypt(s, first.data(), back.data());
    EXPECT_EQ(back, zero);
    Scop::Encrypt(copy, zero.data(), again.data());
    EXPECT_EQ(again, first);
}

} // namespace
