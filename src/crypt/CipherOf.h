#pragma once
// TCipherOf: one cipher class over a primitive of src/crypt/ciphers (kBlockSize, kKeySize,
// Schedule, SetKey, Encrypt, Decrypt and, for a running state, Restart).
#include <memory>
#include <type_traits>

#include "crypt/ChainingModes.h"
#include "crypt/Cipher.h"
#include "crypt/FixedName.h"

namespace varnet::crypt {

template <class P>
concept RestartablePrimitive = requires(typename P::Schedule& s) { P::Restart(s); };

template <class P, TFixedName Name, class Base = TCipher>
class TCipherOf final : public Base {
    static constexpr int B = P::kBlockSize;
    static_assert(B >= 1 && B <= 128, "the framework's block areas hold at most 128 bytes");
    static_assert(std::is_trivially_copyable_v<typename P::Schedule>);

    struct Meta final : TCipherMeta {
        const char* ClassName() const override { return Name.c_str(); }
        void GetContext(int& blockSize, int& keySize, int& scheduleSize) const override
        {
            blockSize = B;
            keySize = P::kKeySize;
            scheduleSize = static_cast<int>(sizeof(typename P::Schedule));
        }
        const TCipherTestVector* TestVector() const override
        {
            return CipherTestVector(Name.c_str());
        }
        std::shared_ptr<TCipher> Create() const override { return std::make_shared<TCipherOf>(); }
    };

    struct TBlock {
        typename P::Schedule& s;
        void E(const std::uint8_t* in, std::uint8_t* out) { P::Encrypt(s, in, out); }
        void D(const std::uint8_t* in, std::uint8_t* out) { P::Decrypt(s, in, out); }
    };

public:
    static TCipherClass Class()
    {
        static const Meta meta;
        return &meta;
    }

    TCipherOf() : Base(Class(), FBlocks, &FSchedule) { this->Protect(); }
    ~TCipherOf() override { this->Protect(); }

    TCipherClass ClassType() const override { return Class(); }
    void EncodeBlock(void* block) override
    {
        auto* b = static_cast<std::uint8_t*>(block);
        P::Encrypt(FSchedule, b, b);
    }
    void DecodeBlock(void* block) override
    {
        auto* b = static_cast<std::uint8_t*>(block);
        P::Decrypt(FSchedule, b, b);
    }

protected:
    void SetKeySchedule(const std::uint8_t* key, int size) override
    {
        P::SetKey(FSchedule, key, size);
    }
    void CodeData(const std::uint8_t* source, std::uint8_t* dest, std::size_t size,
                  bool decode) override
    {
        TBlock block{FSchedule};
        modes::Code<B>(this->Mode(), decode, block, this->Feedback(), source, dest, size);
    }
    bool HasRunningState() const override { return RestartablePrimitive<P>; }
    void RestartState() override
    {
        if constexpr (RestartablePrimitive<P>)
            P::Restart(FSchedule);
    }

private:
    alignas(16) std::uint8_t FBlocks[3 * B];
    typename P::Schedule FSchedule;
};

} // namespace varnet::crypt
