// Published test vectors for each block cipher, checked in both directions.
#include <gtest/gtest.h>

#include "CipherTestUtil.h"
#include "crypt/ciphers/Blowfish.h"
#include "crypt/ciphers/Gost.h"
#include "crypt/ciphers/Idea.h"
#include "crypt/ciphers/Q128.h"
#include "crypt/ciphers/Safer.h"
#include "crypt/ciphers/Scop.h"
#include "crypt/ciphers/Shark.h"
#include "crypt/ciphers/Square.h"
#include "crypt/ciphers/Tea.h"
#include "crypt/ciphers/ThreeWay.h"
#include "crypt/ciphers/Twofish.h"

using cipher_test::ExpectVector;

TEST(BlowfishVectors, EricYoungEcbSet)
{
    using cipher::Blowfish;
    ExpectVector<Blowfish>("0000000000000000", "0000000000000000", "4EF997456198DD78");
    ExpectVector<Blowfish>("FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A");
    ExpectVector<Blowfish>("3000000000000000", "1000000000000001", "7D856F9A613063F2");
    ExpectVector<Blowfish>("1111111111111111", "1111111111111111", "2466DD878B963C9D");
    ExpectVector<Blowfish>("0123456789ABCDEF", "1111111111111111", "61F9C3802281B096");
    ExpectVector<Blowfish>("FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D");
    ExpectVector<Blowfish>("7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B");
    ExpectVector<Blowfish>("0101010101010101", "0123456789ABCDEF", "FA34EC4847B268B2");
    ExpectVector<Blowfish>("0000000000000000", "FFFFFFFFFFFFFFFF", "014933E0CDAFF6E4");
    ExpectVector<Blowfish>("FFFFFFFFFFFFFFFF", "0000000000000000", "F21E9A77B71C49BC");
}

TEST(BlowfishVectors, VariableKeyLengthUsesKeyBytesCyclically)
{
    using cipher::Blowfish;
    const std::string key = "F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677";
    const std::string plain = "FEDCBA9876543210";
    struct Case { int bytes; const char* cipherText; };
    for (Case c : {Case{1, "F9AD597C49DB005E"}, Case{2, "E91D21C1D961A6D6"},
                   Case{3, "E9C2B70A1BC65CF3"}, Case{8, "E87A244E2CC85E82"},
                   Case{16, "93142887EE3BE15C"}, Case{24, "05044B62FA52D080"}}) {
        SCOPED_TRACE(c.bytes);
        ExpectVector<Blowfish>(key.substr(0, 2 * std::size_t(c.bytes)), plain, c.cipherText);
    }
}

TEST(SquareVectors, Published)
{
    using cipher::Square;
    ExpectVector<Square>("00000000000000000000000000000000", "00000000000000000000000000000000",
                         "3C00428F8ABBC0B84F057CC19C26F8CF");
    ExpectVector<Square>("000102030405060708090A0B0C0D0E0F", "00000000000000000000000000000000",
                         "FF596FA668BFC3014200AE01E2BBA0A0");
    ExpectVector<Square>("000102030405060708090A0B0C0D0E0F", "000102030405060708090A0B0C0D0E0F",
                         "7C3491D94994E70F0EC2E7A5CCB5A14F");
}

TEST(ThreeWayVectors, DaemenWordsAndByteOrder)
{
    using cipher::ThreeWay;
    // Daemen prints the words a[2] a[1] a[0]: ad21ecf7 83ae9dc4 4059c76e.
    ExpectVector<ThreeWay>("000000000000000000000000", "000000010000000100000001",
                           "4059C76E83AE9DC4AD21ECF7");
    ExpectVector<ThreeWay>("000000060000000500000004", "000000030000000200000001",
                           "D2F05B5ED6144138CAB920CD");
}

TEST(GostVectors, TestParameterSet)
{
    ExpectVector<cipher::Gost>("BE5EC2006CFF9DCF52354959F1FF0CBFE95061B5A648C10387069C25997C0672",
                               "0DF82802B741A292", "07F9027DF7F7DF89");
}

TEST(IdeaVectors, Published)
{
    using cipher::Idea;
    ExpectVector<Idea>("00010002000300040005000600070008", "0000000100020003", "11FBED2B01986DE5");
    ExpectVector<Idea>("00010002000300040005000600070008", "0102030405060708", "540E5FEA18C2F8B1");
    ExpectVector<Idea>("0005000A000F00140019001E00230028", "0102030405060708", "3EC04780BEFF6E20");
}

TEST(TeaVectors, AuthorsWordsBigEndian)
{
    ExpectVector<cipher::Tea>("00000000000000000000000000000000", "0000000000000000",
                              "41EA3A0A94BAA940");
    ExpectVector<cipher::Tean>("27F917B1C1DA899360E2ACAAA6EB923D", "AF20A390547571AA",
                               "D26428AF0A202283");
}

TEST(TwofishVectors, EcbTableAndFullKeys)
{
    using cipher::Twofish;
    const std::string zero16 = "00000000000000000000000000000000";
    ExpectVector<Twofish>(zero16, zero16, "9F589F5CF6122C32B6BFEC2F2AE8C35A");
    // Second step of the 128-bit chain: key = previous plaintext, plaintext = previous
    // ciphertext.
    ExpectVector<Twofish>(zero16, "9F589F5CF6122C32B6BFEC2F2AE8C35A",
                          "D491DB16E7B1C39E86CB086B789F5419");
    ExpectVector<Twofish>("000000000000000000000000000000000000000000000000", zero16,
                          "EFA71F788965BD4453F860178FC19101");
    ExpectVector<Twofish>("0000000000000000000000000000000000000000000000000000000000000000",
                          zero16, "57FF739D4DC92C1BD7FC01700CC8216F");
    ExpectVector<Twofish>("0123456789ABCDEFFEDCBA98765432100011223344556677", zero16,
                          "CFD1D2E5A9BE9CDF501F13B892BD2248");
}

TEST(SaferVectors, KSchedule)
{
    ExpectVector<cipher::SaferK64>("0102030405060708", "0000000000000000", "5AB27F7214A33AE1");
    ExpectVector<cipher::SaferK64>("0000000000000000", "0102030405060708", "7D28038633B92EB4");
    // Computed from the reference code at 10 rounds; Ka and Kb differ, so the test
    // pins which half is which.
    ExpectVector<cipher::SaferK128>("01020304050607080807060504030201", "0102030405060708",
                                    "776C1334FAB081BB");
}

TEST(SaferVectors, StrengthenedSchedule)
{
    // Published at 6 rounds; SK-64 itself runs 8 (that value is from the reference code).
    ExpectVector<cipher::safer_detail::Safer<8, 6, true>>("0000000000000001", "0102030405060708",
                                                          "151BFF02AD11BF2D");
    ExpectVector<cipher::SaferSK64>("0000000000000001", "0102030405060708", "3090A16810DA2B3D");
    ExpectVector<cipher::SaferSK128>("00000000000000010000000000000001", "0102030405060708",
                                     "414C545AB6994AF7");
    // Massey's SK-40 announcement.
    ExpectVector<cipher::SaferSK40>("E710000800", "0102030405060708", "42DE78238AF5D053");
    ExpectVector<cipher::SaferSK40>("4008201087", "0807060504030201", "130A719A746EB18F");
    ExpectVector<cipher::SaferSK40>("0102030405", "0102030405060708", "BE110A470DFD68F5");
}

TEST(SharkVectors, Published)
{
    using cipher::Shark;
    ExpectVector<Shark>("00000000000000000000000000000000", "0000000000000000", "214BCF4E7716420A");
    ExpectVector<Shark>("000102030405060708090A0B0C0D0E0F", "0000000000000000", "C76C696289898137");
    ExpectVector<Shark>("000102030405060708090A0B0C0D0E0F", "C76C696289898137", "077A4A59FAEEEA4D");
}

TEST(Q128Vectors, AuthorsWordsLittleEndian)
{
    // Words 00000000 00000001 00000002 00000003 -> 793465d0 1ad543aa db66960b a0355eb4.
    ExpectVector<cipher::Q128>("00000000000000000000000000000000", "00000000010000000200000003000000",
                               "D0653479AA43D51A0B9666DBB45E35A0");
}

TEST(ScopVectors, KeystreamFromAuthorsCode)
{
    // Keystream words 195f5dce 419d3b3d 35616cf0 6df6a3c3 for the key 00 01 .. 0F, as
    // the authors' demonstration program computes them.
    using cipher::Scop;
    auto key = cipher_test::FromHex("000102030405060708090A0B0C0D0E0F");
    Scop::Schedule s;
    Scop::SetKey(s, key.data(), int(key.size()));
    cipher_test::Bytes zero(Scop::kBlockSize), out(Scop::kBlockSize), back(Scop::kBlockSize);
    Scop::Encrypt(s, zero.data(), out.data());
    EXPECT_EQ(cipher_test::ToHex(cipher_test::Bytes(out.begin(), out.begin() + 16)),
              "CE5D5F193D3B9D41F06C6135C3A3F66D");
    Scop::Restart(s);
    Scop::Decrypt(s, out.data(), back.data());
    EXPECT_EQ(back, zero);
}
