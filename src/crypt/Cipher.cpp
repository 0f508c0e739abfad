#include "crypt/Cipher.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>

#include "crypt/CryptErrors.h"
#include "crypt/Hashes.h"
#include "crypt/Wipe.h"

namespace varnet::crypt {

TCipher::TCipher(TCipherClass cls, std::uint8_t* blocks, void* schedule)
{
    cls->GetContext(FBlockSize, FKeySize, FScheduleSize);
    FBuffer = blocks;
    FVector = blocks + FBlockSize;
    FFeedback = blocks + 2 * FBlockSize;
    FSchedule = static_cast<std::uint8_t*>(schedule);
}

void TCipher::SetHashClass(THashClass hashClass)
{
    if (hashClass == FHashClass)
        return;
    FHashClass = hashClass;
    FHash.reset(); // the next password uses the new class
}

THash& TCipher::Hash()
{
    if (!FHash)
        FHash = (FHashClass != nullptr ? FHashClass : THash_RipeMD256::Class())->Create();
    return *FHash;
}

void TCipher::SetFlag(int index, bool on)
{
    if (index < 0 || index >= 32)
        return;
    if (on)
        FFlags |= 1u << index;
    else
        FFlags &= ~(1u << index);
}

void TCipher::Protect()
{
    SetFlag(0, false);
    SetFlag(1, false);
    WipeArea(FVector, std::size_t(FBlockSize), 0xFF);
    WipeArea(FFeedback, std::size_t(FBlockSize), 0xFF);
    WipeArea(FBuffer, std::size_t(FBlockSize), 0x00);
    WipeArea(FSchedule, std::size_t(FScheduleSize), 0x00);
}

void TCipher::Init(const void* key, int size, const void* vector)
{
    SetFlag(1, false);
    Protect();
    if (size < 0 || key == nullptr)
        size = 0;
    size = std::min(size, FKeySize);
    SetKeySchedule(static_cast<const std::uint8_t*>(key), size);
    InitEnd(vector);
}

void TCipher::InitEnd(const void* vector)
{
    RestartState();
    FVectorDerived = vector == nullptr;
    if (vector != nullptr) {
        std::memcpy(FVector, vector, std::size_t(FBlockSize));
    } else {
        std::memset(FVector, 0xFF, std::size_t(FBlockSize));
        EncodeBlock(FVector);
    }
    std::memcpy(FFeedback, FVector, std::size_t(FBlockSize));
    SetFlag(1, true);
}

// A stream cipher restarted right after its key schedule would run the keystream that made
// the initial vector again, and with that vector as feedback the first block would come out
// as the plaintext xor FF..FF. So it goes back to where keying left it: after the vector.
void TCipher::ResetRunningState()
{
    if (!HasRunningState())
        return;
    RestartState();
    if (FVectorDerived) {
        std::uint8_t block[128];
        TWipeGuard wipe(block, sizeof block);
        std::memset(block, 0xFF, std::size_t(FBlockSize));
        EncodeBlock(block);
    }
}

void TCipher::Done()
{
    if (std::memcmp(FFeedback, FVector, std::size_t(FBlockSize)) != 0) {
        std::memcpy(FBuffer, FFeedback, std::size_t(FBlockSize));
        std::memcpy(FFeedback, FVector, std::size_t(FBlockSize));
    }
    ResetRunningState();
}

void TCipher::InitKey(std::string_view password, const void* vector)
{
    THash& hash = Hash();
    hash.Init();
    hash.Calc(password.data(), password.size());
    hash.Done();
    std::uint8_t* digest = hash.DigestKey();
    const std::size_t digestSize = std::size_t(hash.DigestKeySize());
    // The digest is the key: it is overwritten once used, or wiped if keying fails.
    struct TDigestGuard {
        std::uint8_t* digest;
        std::size_t size;
        bool used = false;
        ~TDigestGuard()
        {
            if (!used)
                SecureFill(digest, size, 0);
        }
    } guard{digest, digestSize};
    Init(digest, std::min(FKeySize, hash.DigestKeySize()), vector);
    EncodeBuffer(digest, digest, digestSize);
    // The MAC modes leave data as it is, so there the digest is wiped instead.
    if (FMode == cmCTSMAC || FMode == cmCBCMAC || FMode == cmCFBMAC)
        SecureFill(digest, digestSize, 0);
    guard.used = true;
    Done();
    SetFlag(0, true);
}

void TCipher::CheckInitialized() const
{
    if (!Initialized())
        throw ECipherException(kErrorNotInitialized, messages::NotInitialized(ClassName()));
}

void TCipher::EncodeBuffer(const void* source, void* dest, std::size_t size)
{
    CheckInitialized();
    if (size != 0)
        CodeData(static_cast<const std::uint8_t*>(source), static_cast<std::uint8_t*>(dest), size,
                 false);
}

void TCipher::DecodeBuffer(const void* source, void* dest, std::size_t size)
{
    CheckInitialized();
    if (size != 0)
        CodeData(static_cast<const std::uint8_t*>(source), static_cast<std::uint8_t*>(dest), size,
                 true);
}

namespace {

void RandomFill(std::uint8_t* area, std::size_t size)
{
    std::mt19937 random(static_cast<std::uint32_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    for (std::size_t i = 0; i < size; ++i)
        area[i] = static_cast<std::uint8_t>(random() >> 24);
}

} // namespace

void TCipher::CodeInit(TCodeAction action)
{
    CheckInitialized();
    if (action == caWipe)
        RandomFill(FFeedback, std::size_t(FBlockSize));
    else if (action != caCalc)
        Done();
    TProtection::CodeInit(action);
}

void TCipher::CodeDone(TCodeAction action)
{
    CheckInitialized();
    if (action == caWipe)
        RandomFill(FFeedback, std::size_t(FBlockSize));
    else if (action != caCalc)
        Done();
    TProtection::CodeDone(action);
}

void TCipher::CodeBuf(void* buffer, std::size_t size, TCodeAction action)
{
    if (action == caDecode) {
        if (Actions().Contains(caDecode))
            DecodeBuffer(buffer, buffer, size);
        TProtection::CodeBuf(buffer, size, action);
    } else {
        TProtection::CodeBuf(buffer, size, action);
        if (Actions().Contains(action))
            EncodeBuffer(buffer, buffer, size);
    }
}

} // namespace varnet::crypt
