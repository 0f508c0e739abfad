#pragma once
// TProtection: the base of everything that processes data (ciphers and digests). A protection
// may chain another one, which then sees the same data (before the cipher when encoding,
// after it when decoding), and it permits a set of actions.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "crypt/Streams.h"

namespace varnet::crypt {

enum TCodeAction : std::uint8_t { caEncode = 0, caDecode = 1, caScramble = 2, caCalc = 3, caWipe = 4 };

// A set of actions, one bit per TCodeAction.
class TCodeActions {
public:
    constexpr TCodeActions() = default;
    constexpr TCodeActions(std::initializer_list<TCodeAction> actions)
    {
        for (TCodeAction a : actions)
            FBits = static_cast<std::uint8_t>(FBits | Bit(a));
    }
    static constexpr TCodeActions All() { return {caEncode, caDecode, caScramble, caCalc, caWipe}; }

    constexpr bool Contains(TCodeAction a) const { return (FBits & Bit(a)) != 0; }
    constexpr void Include(TCodeAction a) { FBits = static_cast<std::uint8_t>(FBits | Bit(a)); }
    constexpr void Exclude(TCodeAction a) { FBits = static_cast<std::uint8_t>(FBits & ~Bit(a)); }
    constexpr bool operator==(const TCodeActions&) const = default;

private:
    static constexpr std::uint8_t Bit(TCodeAction a) { return static_cast<std::uint8_t>(1u << a); }
    std::uint8_t FBits = 0;
};

// Protections are shared (reference counted) so one may sit in several chains.
class TProtection;
using TProtectionRef = std::shared_ptr<TProtection>;

class TProtection {
public:
    TProtection() = default;
    virtual ~TProtection() = default;
    TProtection(const TProtection&) = delete;
    TProtection& operator=(const TProtection&) = delete;

    // The chained protection. Setting one that leads back to this object raises EProtection
    // and keeps the old chain.
    const TProtectionRef& Protection() const { return FProtection; }
    void SetProtection(TProtectionRef protection);

    TCodeActions Actions() const { return FActions; }
    void SetActions(TCodeActions actions) { FActions = actions; }

    virtual void CodeInit(TCodeAction action);
    virtual void CodeDone(TCodeAction action);
    virtual void CodeBuf(void* buffer, std::size_t size, TCodeAction action);
    // Codes size bytes from source's position (all of source from its start when size < 0)
    // in chunks of at most kChunkSize bytes, writing each at dest's position (in place when
    // source and dest are the same stream; nothing is written for caCalc).
    virtual void CodeStream(TStream& source, TStream& dest, std::int64_t size, TCodeAction action);
    // Codes a file into another, or in place when both names denote the same file.
    virtual void CodeFile(const std::string& source, const std::string& dest, TCodeAction action);
    // Text in format (-1: the default) to text; see the implementation for the rules.
    virtual std::string CodeString(const std::string& source, TCodeAction action, int format);
    // Codes a buffer in place exactly as a stream of its bytes would be; returns the size.
    virtual std::int64_t CodeBuffer(void* buffer, std::int64_t size, TCodeAction action);

    static constexpr std::size_t kChunkSize = 4096;

private:
    std::string CodeToMime64(const std::string& source, TCodeAction action);

    TProtectionRef FProtection;
    TCodeActions FActions = TCodeActions::All();
};

} // namespace varnet::crypt
