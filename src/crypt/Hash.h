#pragma once
// THash: message digests as protections (they hash the data that passes with caCalc), and the
// adapter that makes a digest primitive of src/crypt/digests into a THash class.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "crypt/FixedName.h"
#include "crypt/Protection.h"
#include "crypt/Wipe.h"

namespace varnet::crypt {

class THash;

// A published known answer: the digest (hex) of a message.
struct THashTestVector {
    std::string_view message;
    const char* digestHex;
};

// What a hash class offers without an object: its name, digest size, known answer and a
// factory. A THashClass value stands for the class.
class THashMeta {
public:
    virtual ~THashMeta() = default;
    virtual const char* ClassName() const = 0;
    virtual int DigestKeySize() const = 0;
    virtual const THashTestVector* TestVector() const = 0;
    virtual std::shared_ptr<THash> Create() const = 0;
    virtual bool IsChecksum() const = 0;
};
using THashClass = const THashMeta*;

class THash : public TProtection {
public:
    virtual THashClass ClassType() const = 0;
    std::string ClassName() const { return ClassType()->ClassName(); }
    int DigestKeySize() const { return ClassType()->DigestKeySize(); }

    virtual void Init() = 0;
    virtual void Calc(const void* buffer, std::size_t size) = 0;
    // Finishes the digest into DigestKey and forgets the data hashed so far.
    virtual void Done() = 0;
    // The DigestKeySize bytes of the last Done (writable, so a user of the digest can wipe it).
    virtual std::uint8_t* DigestKey() = 0;

    // The last digest in a string format (-1: the default).
    std::string DigestStr(int format);
    // Init, Calc over text, Done, and the digest in a string format.
    std::string CalcString(std::string_view text, int format);

    void CodeInit(TCodeAction action) override;
    void CodeDone(TCodeAction action) override;
    void CodeBuf(void* buffer, std::size_t size, TCodeAction action) override;
};

// The base of the checksums (XOR and CRC), so they can be told from the digests.
class TChecksum : public THash {};

// Known answers of the built-in classes, by class name (nullptr when there is none).
const THashTestVector* HashTestVector(std::string_view className);

// One hash class over a digest primitive P (Init, Update, Final, kDigestSize).
template <class P, TFixedName Name, class Base = THash>
class THashOf final : public Base {
    struct Meta final : THashMeta {
        const char* ClassName() const override { return Name.c_str(); }
        int DigestKeySize() const override { return P::kDigestSize; }
        const THashTestVector* TestVector() const override { return HashTestVector(Name.c_str()); }
        std::shared_ptr<THash> Create() const override { return std::make_shared<THashOf>(); }
        bool IsChecksum() const override { return std::is_base_of_v<TChecksum, Base>; }
    };

public:
    static THashClass Class()
    {
        static const Meta meta;
        return &meta;
    }

    THashOf() { FState.Init(); }
    ~THashOf() override
    {
        SecureFill(&FState, sizeof FState, 0);
        SecureFill(FDigest, sizeof FDigest, 0);
    }

    THashClass ClassType() const override { return Class(); }
    void Init() override { FState.Init(); }
    void Calc(const void* buffer, std::size_t size) override
    {
        if (size != 0)
            FState.Update(static_cast<const std::uint8_t*>(buffer), size);
    }
    void Done() override
    {
        FState.Final(FDigest);
        // The chaining values and the buffered tail would give the digest (or the password)
        // away, so they go before the next use.
        SecureFill(&FState, sizeof FState, 0);
        FState.Init();
    }
    std::uint8_t* DigestKey() override { return FDigest; }

private:
    P FState;
    std::uint8_t FDigest[P::kDigestSize] = {};
};

} // namespace varnet::crypt
