#pragma once
// TCipher: a block cipher with the common keying frame, the chaining modes and the wiping of
// key material. The concrete classes come from TCipherOf (CipherOf.h) over a primitive.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "crypt/Hash.h"
#include "crypt/Protection.h"

namespace varnet::crypt {

enum TCipherMode : std::uint8_t {
    cmCTS = 0,
    cmCBC = 1,
    cmCFB = 2,
    cmOFB = 3,
    cmECB = 4,
    cmCTSMAC = 5,
    cmCBCMAC = 6,
    cmCFBMAC = 7,
};

class TCipher;

// A published known answer for one block: key, plaintext and ciphertext in hex.
struct TCipherTestVector {
    const char* keyHex;
    const char* plainHex;
    const char* cipherHex;
};

// What a cipher class offers without an object. A TCipherClass value stands for the class.
class TCipherMeta {
public:
    virtual ~TCipherMeta() = default;
    virtual const char* ClassName() const = 0;
    virtual void GetContext(int& blockSize, int& keySize, int& scheduleSize) const = 0;
    virtual const TCipherTestVector* TestVector() const = 0;
    virtual std::shared_ptr<TCipher> Create() const = 0;
};
using TCipherClass = const TCipherMeta*;

// Known answers of the built-in classes, by class name (nullptr when there is none).
const TCipherTestVector* CipherTestVector(std::string_view className);

class TCipher : public TProtection {
public:
    ~TCipher() override = default;

    virtual TCipherClass ClassType() const = 0;
    std::string ClassName() const { return ClassType()->ClassName(); }

    TCipherMode Mode() const { return FMode; }
    // A value outside the eight modes is ignored.
    void SetMode(TCipherMode mode)
    {
        if (mode <= cmCFBMAC)
            FMode = mode;
    }

    // The digest that turns passwords into keys; nullptr means the default (RIPEMD-256).
    THashClass HashClass() const { return FHashClass; }
    void SetHashClass(THashClass hashClass);
    // The hash object of that class, created on first use.
    THash& Hash();

    int KeySize() const { return FKeySize; }
    int BlockSize() const { return FBlockSize; }
    int ScheduleSize() const { return FScheduleSize; }

    // The four owned areas: work block, initial vector, feedback register (one block each)
    // and the key schedule.
    std::uint8_t* Buffer() { return FBuffer; }
    std::uint8_t* Vector() { return FVector; }
    std::uint8_t* Feedback() { return FFeedback; }
    std::uint8_t* User() { return FSchedule; }

    // Bit 0: the key came from a password; bit 1: the cipher is initialised.
    unsigned Flags() const { return FFlags; }
    bool Initialized() const { return (FFlags & 2u) != 0; }
    virtual void SetFlag(int index, bool on);

    // vector: BlockSize bytes, or nullptr for the encryption of the all-0xFF block.
    virtual void InitEnd(const void* vector);
    // In place, one block, no chaining.
    virtual void EncodeBlock(void* block) = 0;
    virtual void DecodeBlock(void* block) = 0;
    // Keys the cipher: wipes, cuts size to 0 .. KeySize, runs the key schedule, InitEnd.
    virtual void Init(const void* key, int size, const void* vector);
    // Keys the cipher from the digest of the password's bytes.
    void InitKey(std::string_view password, const void* vector);
    // Back to the initial vector, so the next operation starts afresh.
    virtual void Done();
    // Wipes the areas (0xAA, 0x55, then 0xFF for the vectors and 0x00 for the rest) and
    // forgets the key.
    virtual void Protect();

    // Chained coding in the current mode; source and dest may be the same. Raises
    // ECipherException (code 3) before Init.
    void EncodeBuffer(const void* source, void* dest, std::size_t size);
    void DecodeBuffer(const void* source, void* dest, std::size_t size);

    void CodeInit(TCodeAction action) override;
    void CodeDone(TCodeAction action) override;
    void CodeBuf(void* buffer, std::size_t size, TCodeAction action) override;

protected:
    // blocks: three blocks of the class's size (work block, vector, feedback);
    // schedule: the class's schedule area.
    TCipher(TCipherClass cls, std::uint8_t* blocks, void* schedule);

    virtual void SetKeySchedule(const std::uint8_t* key, int size) = 0;
    virtual void CodeData(const std::uint8_t* source, std::uint8_t* dest, std::size_t size,
                          bool decode) = 0;
    // Primitives with a running state (stream ciphers) go back to their state after keying.
    virtual bool HasRunningState() const { return false; }
    virtual void RestartState() {}

private:
    void CheckInitialized() const;
    void ResetRunningState();

    TCipherMode FMode = cmCTS;
    THashClass FHashClass = nullptr;
    std::shared_ptr<THash> FHash;
    int FKeySize = 0;
    int FBlockSize = 0;
    int FScheduleSize = 0;
    std::uint8_t* FBuffer;
    std::uint8_t* FVector;
    std::uint8_t* FFeedback;
    std::uint8_t* FSchedule;
    unsigned FFlags = 0;
    bool FVectorDerived = false;
};

// The common base of the SAFER classes.
class TCipher_SAFER : public TCipher {
protected:
    using TCipher::TCipher;
};

} // namespace varnet::crypt
