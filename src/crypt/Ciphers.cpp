#include "crypt/Ciphers.h"

namespace varnet::crypt {

namespace {

struct TNamedVector {
    std::string_view className;
    TCipherTestVector vector;
};

// One published known answer per class (key / plaintext / ciphertext), in the byte order
// each primitive documents; a shorter plaintext is padded with zero bytes to the block and
// a shorter ciphertext is the block's first bytes. SAFER-K40 has no published definition, hence no vector.
constexpr TNamedVector kVectors[] = {
    {"TCipher_3Way", {"000000000000000000000000", "000000010000000100000001", "4059C76E83AE9DC4AD21ECF7"}},
    {"TCipher_Blowfish", {"0000000000000000", "0000000000000000", "4EF997456198DD78"}},
    {"TCipher_Gost", {"BE5EC2006CFF9DCF52354959F1FF0CBFE95061B5A648C10387069C25997C0672",
                      "0DF82802B741A292", "07F9027DF7F7DF89"}},
    {"TCipher_IDEA", {"00010002000300040005000600070008", "0000000100020003", "11FBED2B01986DE5"}},
    {"TCipher_Q128", {"00000000000000000000000000000000", "00000000010000000200000003000000",
                      "D0653479AA43D51A0B9666DBB45E35A0"}},
    {"TCipher_SAFER_SK40", {"E710000800", "0102030405060708", "42DE78238AF5D053"}},
    {"TCipher_SAFER_K64", {"0102030405060708", "0000000000000000", "5AB27F7214A33AE1"}},
    {"TCipher_SAFER_SK64", {"0000000000000001", "0102030405060708", "3090A16810DA2B3D"}},
    {"TCipher_SAFER_K128", {"01020304050607080807060504030201", "0102030405060708", "776C1334FAB081BB"}},
    {"TCipher_SAFER_SK128", {"00000000000000010000000000000001", "0102030405060708", "414C545AB6994AF7"}},
    // SCOP's vector is the first 16 bytes of the keystream's first block over zeros.
    {"TCipher_SCOP", {"000102030405060708090A0B0C0D0E0F", "", "CE5D5F193D3B9D41F06C6135C3A3F66D"}},
    {"TCipher_Shark", {"000102030405060708090A0B0C0D0E0F", "0000000000000000", "C76C696289898137"}},
    {"TCipher_Square", {"000102030405060708090A0B0C0D0E0F", "00000000000000000000000000000000",
                        "FF596FA668BFC3014200AE01E2BBA0A0"}},
    {"TCipher_TEA", {"00000000000000000000000000000000", "0000000000000000", "41EA3A0A94BAA940"}},
    {"TCipher_TEAN", {"27F917B1C1DA899360E2ACAAA6EB923D", "AF20A390547571AA", "D26428AF0A202283"}},
    {"TCipher_Twofish", {"0123456789ABCDEFFEDCBA98765432100011223344556677",
                         "00000000000000000000000000000000", "CFD1D2E5A9BE9CDF501F13B892BD2248"}},
};

} // namespace

const TCipherTestVector* CipherTestVector(std::string_view className)
{
    for (const TNamedVector& v : kVectors)
        if (v.className == className)
            return &v.vector;
    return nullptr;
}

TClassRegistry<TCipherClass>& CipherRegistry()
{
    static TClassRegistry<TCipherClass> registry = [] {
        TClassRegistry<TCipherClass> r;
        r.Register(TCipher_3Way::Class(), "3Way");
        r.Register(TCipher_Blowfish::Class(), "Blowfish");
        r.Register(TCipher_Gost::Class(), "Gost");
        r.Register(TCipher_IDEA::Class(), "IDEA", "free for non-commercial");
        r.Register(TCipher_Q128::Class(), "Q128");
        r.Register(TCipher_SAFER_K40::Class(), "SAFER-K40");
        r.Register(TCipher_SAFER_SK40::Class(), "SAFER-SK40", "Keyscheduling");
        r.Register(TCipher_SAFER_K64::Class(), "SAFER-K64");
        r.Register(TCipher_SAFER_SK64::Class(), "SAFER-SK64", "Keyscheduling");
        r.Register(TCipher_SAFER_K128::Class(), "SAFER-K128");
        r.Register(TCipher_SAFER_SK128::Class(), "SAFER-SK128", "Keyscheduling");
        r.Register(TCipher_SCOP::Class(), "SCOP");
        r.Register(TCipher_Shark::Class(), "Shark");
        r.Register(TCipher_Square::Class(), "Square");
        r.Register(TCipher_TEA::Class(), "TEA");
        r.Register(TCipher_TEAN::Class(), "TEA extended");
        r.Register(TCipher_Twofish::Class(), "Twofish");
        return r;
    }();
    return registry;
}

void RegisterCipher(TCipherClass cls, std::string_view name, std::string_view description)
{
    CipherRegistry().Register(cls, name, description);
}

TCipherClass GetCipherClass(std::string_view name)
{
    return CipherRegistry().Find(name);
}

TCipherClass DefaultCipherClass()
{
    return TCipher_Blowfish::Class();
}

} // namespace varnet::crypt
