// String formats and ciphers: every decoder either decodes or raises its exception, decoding
// an encoding gives the bytes back, and a password-coded string decodes with the same
// password, for a fuzzed cipher, chaining mode and password digest.
#include <memory>
#include <string>

#include "FuzzInput.h"
#include "crypt/CryptErrors.h"
#include "crypt/Ciphers.h"
#include "crypt/Hashes.h"
#include "crypt/Managers.h"
#include "crypt/StringFormat.h"

using namespace varnet::crypt;

namespace {

void Formats(fuzz::TInput& in)
{
    const auto formats = StringFormats();
    const TStringFormatClass format = formats[static_cast<std::size_t>(in.Below(int(formats.size())))];
    const std::string text = in.Bytes(in.Below(256) * 4);
    const std::string name = format->Name();

    // Arbitrary text: decoded, or refused with the format's exception, and the validity test
    // agrees with what decoding does.
    std::string decoded;
    bool refused = false;
    try {
        decoded = StrToBin(text.data(), text.size(), format->Format());
    } catch (const EStringFormat&) {
        refused = true;
    }
    if (refused)
        FUZZ_CHECK(!format->IsValid(text.data(), text.size(), true), name + " refused valid " + fuzz::Show(text));
    else
        FUZZ_CHECK(StrToBin(BinToStr(decoded.data(), decoded.size(), format->Format()).data(),
                            BinToStr(decoded.data(), decoded.size(), format->Format()).size(),
                            format->Format()) == decoded,
                   name + " decode(encode(decode(x))) of " + fuzz::Show(text));

    // Arbitrary bytes: the encoding is valid and decodes to them.
    const std::string bytes = in.Bytes(in.Below(200));
    const std::string encoded = BinToStr(bytes.data(), bytes.size(), format->Format());
    FUZZ_CHECK(format->IsValid(encoded.data(), encoded.size(), true),
               name + " calls its own encoding invalid: " + fuzz::Show(encoded));
    std::string back;
    try {
        back = StrToBin(encoded.data(), encoded.size(), format->Format());
    } catch (const EStringFormat& e) {
        FUZZ_CHECK(false, name + " refused its own encoding " + fuzz::Show(encoded) + ": " + e.what());
    }
    FUZZ_CHECK(back == bytes, name + ": " + fuzz::Show(bytes) + " came back as " + fuzz::Show(back));
}

void Ciphers(fuzz::TInput& in)
{
    const auto& ciphers = CipherRegistry().Entries();
    const auto& hashes = HashRegistry().Entries();
    THashManager hash;
    TCipherManager manager;
    manager.SetCipherClass(ciphers[static_cast<std::size_t>(in.Below(int(ciphers.size())))].cls);
    manager.SetMode(static_cast<TCipherMode>(in.Below(8)));
    if (in.Bool()) {
        hash.SetHashClass(hashes[static_cast<std::size_t>(in.Below(int(hashes.size())))].cls);
        manager.SetHashManager(&hash);
    }
    const std::string password = in.Bytes(in.Below(48));
    const std::string what = manager.Algorithm() + " mode " + std::to_string(int(manager.Mode()));
    manager.InitKey(password, nullptr);
    const std::string text = in.Bytes(in.Below(256) * 40);

    const std::string encoded = manager.EncodeString(text);
    TCipherManager reader;
    reader.SetCipherClass(manager.CipherClass());
    reader.SetMode(manager.Mode());
    reader.SetHashManager(manager.HashManager());
    reader.InitKey(password, nullptr);
    const std::string decoded = reader.DecodeString(encoded);
    FUZZ_CHECK(decoded == text, what + ": " + fuzz::Show(text) + " decoded as " + fuzz::Show(decoded));
    // The same manager codes the same text the same way a second time.
    FUZZ_CHECK(manager.EncodeString(text) == encoded, what + " changed between two calls");

    // Text that is not Base 64 is refused with the format's exception, nothing else.
    const std::string junk = in.Rest();
    try {
        reader.DecodeString(junk);
    } catch (const EStringFormat&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::TInput in(data, size);
    if (in.Bool())
        Formats(in);
    else
        Ciphers(in);
    return 0;
}
