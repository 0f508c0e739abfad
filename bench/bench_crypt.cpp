// Throughput of the crypt library on 10 MB of random data: the program's encrypt and decrypt
// path (Blowfish, CTS, RIPEMD-256 key, Base 64), RIPEMD-256, Base 64, every cipher and every
// digest, each with Crypto++'s figure for the same work as anchor where Crypto++ has it.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "BenchUtil.h"
#include "crypt/Ciphers.h"
#include "crypt/Hashes.h"
#include "crypt/Managers.h"
#include "crypt/StringFormat.h"

#if __has_include(<cryptopp/blowfish.h>)
#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/3way.h>
#include <cryptopp/blowfish.h>
#include <cryptopp/crc.h>
#include <cryptopp/gost.h>
#include <cryptopp/idea.h>
#include <cryptopp/md4.h>
#include <cryptopp/md5.h>
#include <cryptopp/modes.h>
#include <cryptopp/ripemd.h>
#include <cryptopp/safer.h>
#include <cryptopp/sha.h>
#include <cryptopp/shark.h>
#include <cryptopp/square.h>
#include <cryptopp/tea.h>
#include <cryptopp/tiger.h>
#include <cryptopp/twofish.h>
#define HAVE_CRYPTOPP 1
#endif

using namespace varnet::crypt;

namespace {

constexpr std::size_t kSize = 10 * 1024 * 1024;
// The machine is shared, so every figure is the best of several runs (the least disturbed),
// and the program's path and its Crypto++ anchor are timed in alternation.
constexpr int kRepeats = 5;
constexpr int kHeadlineRepeats = 11; // the figures with a goal

double Mb(std::size_t bytes) { return double(bytes) / 1e6; }

double Once(const std::function<void()>& work)
{
    auto start = bench::Clock::now();
    work();
    return bench::SecondsSince(start);
}

// Least seconds of kRepeats runs of work.
double Seconds(const std::function<void()>& work)
{
    double best = 1e300;
    for (int i = 0; i < kRepeats; ++i)
        best = std::min(best, Once(work));
    return best;
}

// Least seconds of each of two pieces of work, run in turn.
std::pair<double, double> Alternating(const std::function<void()>& a, const std::function<void()>& b)
{
    double bestA = 1e300, bestB = 1e300;
    for (int i = 0; i < kHeadlineRepeats; ++i) {
        bestA = std::min(bestA, Once(a));
        bestB = std::min(bestB, Once(b));
    }
    return {bestA, bestB};
}

void Report(const std::string& name, double value, const std::string& unit, double anchor,
            const std::string& anchorName)
{
    if (anchor > 0)
        bench::Figure(name, value, unit, anchorName, anchor);
    else
        bench::Figure(name, value, unit);
}

#ifdef HAVE_CRYPTOPP
template <class C>
double CryptoppMode(const std::vector<std::uint8_t>& key, std::vector<std::uint8_t>& data, int rounds = 0)
{
    const std::vector<std::uint8_t> iv(32, 0xA5);
    return Mb(data.size()) / Seconds([&] {
        C e;
        if (rounds > 0)
            e.SetKeyWithRounds(key.data(), key.size(), rounds);
        else if (e.IsResynchronizable())
            e.SetKeyWithIV(key.data(), key.size(), iv.data());
        else
            e.SetKey(key.data(), key.size());
        e.ProcessData(data.data(), data.data(), data.size());
    });
}

template <class H>
double CryptoppHash(const std::vector<std::uint8_t>& data)
{
    return Mb(data.size()) / Seconds([&] {
        H h;
        std::uint8_t out[64];
        h.CalculateDigest(out, data.data(), data.size());
    });
}

// Crypto++ ECB and CBC (the nearest chained mode to CTS) for the ciphers it has.
struct TAnchor {
    std::function<double(std::vector<std::uint8_t>&)> ecb, cbc;
};

template <class X>
TAnchor Anchor(std::size_t keyBytes, int rounds = 0)
{
    std::vector<std::uint8_t> key(keyBytes, 0x3C);
    auto ecb = [key, rounds](std::vector<std::uint8_t>& d) {
        if (rounds > 0) {
            return CryptoppMode<typename CryptoPP::ECB_Mode<X>::Encryption>(key, d, rounds);
        }
        return CryptoppMode<typename CryptoPP::ECB_Mode<X>::Encryption>(key, d);
    };
    auto cbc = [key, rounds](std::vector<std::uint8_t>& d) {
        if (rounds > 0)
            return 0.0; // Crypto++'s CBC keys take no round count; ECB is the anchor then
        return CryptoppMode<typename CryptoPP::CBC_Mode<X>::Encryption>(key, d);
    };
    return {ecb, cbc};
}
#endif

} // namespace

int main()
{
    std::printf("# crypt benchmark, %zu bytes of random data, best of %d runs\n", kSize, kRepeats);
    std::mt19937_64 random(42);
    std::vector<std::uint8_t> data(kSize);
    for (std::size_t i = 0; i < kSize; i += 8) {
        std::uint64_t v = random();
        std::memcpy(&data[i], &v, 8);
    }
    const std::string text(data.begin(), data.end());

    // The program's path: EncodeString / DecodeString with the defaults, against Crypto++'s
    // Blowfish in ECB over the same bytes.
    TCipherManager manager;
    manager.InitKey("benchmark password", nullptr);
    std::string encoded;
    std::string decoded;
    std::function<void()> cryptoppEcbWork = [] {};
    std::function<void()> cryptoppRipemdWork = [] {};
#ifdef HAVE_CRYPTOPP
    std::vector<std::uint8_t> ecbData = data;
    const std::vector<std::uint8_t> ecbKey(32, 0x5A);
    cryptoppEcbWork = [&] {
        CryptoPP::ECB_Mode<CryptoPP::Blowfish>::Encryption e(ecbKey.data(), ecbKey.size());
        e.ProcessData(ecbData.data(), ecbData.data(), ecbData.size());
    };
    cryptoppRipemdWork = [&] {
        std::uint8_t out[32];
        CryptoPP::RIPEMD256().CalculateDigest(out, data.data(), data.size());
    };
#endif
    auto [encodeSeconds, ecbSeconds] =
        Alternating([&] { encoded = manager.EncodeString(text); }, cryptoppEcbWork);
    auto [decodeSeconds, ecbSeconds2] =
        Alternating([&] { decoded = manager.DecodeString(encoded); }, cryptoppEcbWork);
    if (decoded != text) {
        std::fprintf(stderr, "DecodeString did not restore the text\n");
        return 1;
    }
    THash_RipeMD256 ripemd;
    auto [ripemdSeconds, cryptoppRipemdSeconds] = Alternating(
        [&] {
            ripemd.Init();
            ripemd.Calc(data.data(), data.size());
            ripemd.Done();
        },
        cryptoppRipemdWork);
    const double encodeString = Mb(kSize) / encodeSeconds;
    const double decodeString = Mb(kSize) / decodeSeconds;
    const double ripemdRate = Mb(kSize) / ripemdSeconds;
    double cryptoppEcb = 0;
    double cryptoppRipemd = 0;
#ifdef HAVE_CRYPTOPP
    cryptoppEcb = Mb(kSize) / std::min(ecbSeconds, ecbSeconds2);
    cryptoppRipemd = Mb(kSize) / cryptoppRipemdSeconds;
#endif
    Report("crypt.encode_string", encodeString, "MB/s", cryptoppEcb, "cryptopp.blowfish_ecb");
    Report("crypt.decode_string", decodeString, "MB/s", cryptoppEcb, "cryptopp.blowfish_ecb");
    if (cryptoppEcb > 0) {
        bench::Figure("crypt.encode_string_vs_cryptopp", encodeString / cryptoppEcb, "x");
        bench::Figure("crypt.decode_string_vs_cryptopp", decodeString / cryptoppEcb, "x");
    }
    Report("crypt.ripemd256", ripemdRate, "MB/s", cryptoppRipemd, "cryptopp.ripemd256");
    if (cryptoppRipemd > 0)
        bench::Figure("crypt.ripemd256_vs_cryptopp", ripemdRate / cryptoppRipemd, "x");

    // Base 64 over the same bytes; decoding includes the check of the accepted characters.
    std::string base64;
    const double b64Encode =
        double(kSize) / 1e9 / Seconds([&] { base64 = BinToStr(data.data(), data.size(), fmtMIME64); });
    std::string back;
    const double b64Decode =
        double(kSize) / 1e9 / Seconds([&] { back = StrToBin(base64.data(), base64.size(), fmtMIME64); });
    if (back != text) {
        std::fprintf(stderr, "Base 64 did not restore the bytes\n");
        return 1;
    }
    bench::Figure("crypt.base64_encode", b64Encode, "GB/s");
    bench::Figure("crypt.base64_decode", b64Decode, "GB/s");

    // Every cipher, ECB and CTS, coded as a stream (4096-byte chunks) in place.
    std::map<std::string, std::function<double(std::vector<std::uint8_t>&)>> ecbAnchor, cbcAnchor;
#ifdef HAVE_CRYPTOPP
    const std::map<std::string, TAnchor> anchors = {
        {"TCipher_3Way", Anchor<CryptoPP::ThreeWay>(12)},
        {"TCipher_Blowfish", Anchor<CryptoPP::Blowfish>(32)},
        {"TCipher_Gost", Anchor<CryptoPP::GOST>(32)},
        {"TCipher_IDEA", Anchor<CryptoPP::IDEA>(16)},
        {"TCipher_SAFER_K64", Anchor<CryptoPP::SAFER_K>(8, 6)},
        {"TCipher_SAFER_SK64", Anchor<CryptoPP::SAFER_SK>(8, 8)},
        {"TCipher_SAFER_K128", Anchor<CryptoPP::SAFER_K>(16, 10)},
        {"TCipher_SAFER_SK128", Anchor<CryptoPP::SAFER_SK>(16, 10)},
        {"TCipher_Shark", Anchor<CryptoPP::SHARK>(16)},
        {"TCipher_Square", Anchor<CryptoPP::Square>(16)},
        {"TCipher_TEA", Anchor<CryptoPP::TEA>(16)},
        {"TCipher_TEAN", Anchor<CryptoPP::XTEA>(16)},
        {"TCipher_Twofish", Anchor<CryptoPP::Twofish>(32)},
    };
#endif
    std::vector<std::uint8_t> work = data;
    for (const auto& entry : CipherRegistry().Entries()) {
        const std::string className = entry.cls->ClassName();
        auto cipher = entry.cls->Create();
        cipher->InitKey("benchmark password", nullptr);
        double ecb = 0, cts = 0, anchorEcb = 0, anchorCbc = 0;
        for (TCipherMode mode : {cmECB, cmCTS}) {
            cipher->SetMode(mode);
            const double rate = Mb(kSize) / Seconds([&] {
                cipher->CodeBuffer(work.data(), std::int64_t(work.size()), caEncode);
            });
            (mode == cmECB ? ecb : cts) = rate;
        }
#ifdef HAVE_CRYPTOPP
        if (auto it = anchors.find(className); it != anchors.end()) {
            anchorEcb = it->second.ecb(work);
            anchorCbc = it->second.cbc(work);
        }
#endif
        const std::string name = "crypt.cipher." + entry.name;
        Report(name + ".ecb", ecb, "MB/s", anchorEcb, "cryptopp.ecb");
        Report(name + ".cts", cts, "MB/s", anchorCbc, "cryptopp.cbc");
    }

    // Every digest.
#ifdef HAVE_CRYPTOPP
    const std::map<std::string, std::function<double()>> hashAnchors = {
        {"THash_MD4", [&] { return CryptoppHash<CryptoPP::Weak::MD4>(data); }},
        {"THash_MD5", [&] { return CryptoppHash<CryptoPP::Weak::MD5>(data); }},
        {"THash_SHA1", [&] { return CryptoppHash<CryptoPP::SHA1>(data); }},
        {"THash_RipeMD128", [&] { return CryptoppHash<CryptoPP::RIPEMD128>(data); }},
        {"THash_RipeMD160", [&] { return CryptoppHash<CryptoPP::RIPEMD160>(data); }},
        {"THash_RipeMD256", [&] { return CryptoppHash<CryptoPP::RIPEMD256>(data); }},
        {"THash_RipeMD320", [&] { return CryptoppHash<CryptoPP::RIPEMD320>(data); }},
        {"THash_Tiger", [&] { return CryptoppHash<CryptoPP::Tiger>(data); }},
        {"THash_CRC32", [&] { return CryptoppHash<CryptoPP::CRC32>(data); }},
    };
#endif
    for (const auto& entry : HashRegistry().Entries()) {
        auto hash = entry.cls->Create();
        const double rate = Mb(kSize) / Seconds([&] {
            hash->Init();
            hash->Calc(data.data(), data.size());
            hash->Done();
        });
        double anchor = 0;
#ifdef HAVE_CRYPTOPP
        if (auto it = hashAnchors.find(entry.cls->ClassName()); it != hashAnchors.end())
            anchor = it->second();
#endif
        Report("crypt.hash." + entry.name, rate, "MB/s", anchor, "cryptopp");
    }
    bench::Figure("crypt.peak_rss", bench::PeakRssMiB(), "MiB");
    return 0;
}
