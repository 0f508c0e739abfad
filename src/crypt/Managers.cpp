#include "crypt/Managers.h"

#include <algorithm>

#include "crypt/Ciphers.h"
#include "crypt/Hashes.h"

namespace varnet::crypt {

THashManager::~THashManager()
{
    for (TCipherManager* client : FClients)
        client->FHashManager = nullptr;
}

std::string THashManager::Algorithm() const
{
    return HashRegistry().NameOf(HashClass());
}

void THashManager::SetAlgorithm(std::string_view name)
{
    SetHashClass(GetHashClass(name));
}

std::string THashManager::Description() const
{
    THashClass cls = HashClass();
    std::string text = HashRegistry().DescriptionOf(cls);
    if (!text.empty())
        text += ", ";
    return text + std::to_string(cls->DigestKeySize() * 8) + "bit Digestsize";
}

THashClass THashManager::HashClass() const
{
    return FHashClass != nullptr ? FHashClass : DefaultHashClass();
}

void THashManager::SetHashClass(THashClass hashClass)
{
    THashClass before = HashClass();
    FHashClass = hashClass;
    if (HashClass() != before)
        FHash.reset();
}

THash& THashManager::Hash()
{
    if (!FHash)
        FHash = HashClass()->Create();
    return *FHash;
}

TCipherManager::~TCipherManager()
{
    SetHashManager(nullptr);
}

std::string TCipherManager::Algorithm() const
{
    return CipherRegistry().NameOf(CipherClass());
}

void TCipherManager::SetAlgorithm(std::string_view name)
{
    SetCipherClass(GetCipherClass(name));
}

std::string TCipherManager::Description() const
{
    TCipherClass cls = CipherClass();
    std::string text = CipherRegistry().DescriptionOf(cls);
    if (!text.empty())
        text += ", ";
    int blockSize = 0, keySize = 0, scheduleSize = 0;
    cls->GetContext(blockSize, keySize, scheduleSize);
    return text + std::to_string(keySize * 8) + "bit Key";
}

TCipherClass TCipherManager::CipherClass() const
{
    return FCipherClass != nullptr ? FCipherClass : DefaultCipherClass();
}

void TCipherManager::SetCipherClass(TCipherClass cipherClass)
{
    TCipherClass before = CipherClass();
    FCipherClass = cipherClass;
    if (CipherClass() != before)
        FCipher.reset(); // its key goes with it (the destructor wipes it)
}

void TCipherManager::SetMode(TCipherMode mode)
{
    FMode = mode;
    if (FCipher)
        FCipher->SetMode(mode);
}

void TCipherManager::SetHashManager(THashManager* hashManager)
{
    if (hashManager == FHashManager)
        return;
    if (FHashManager != nullptr) {
        auto& clients = FHashManager->FClients;
        clients.erase(std::remove(clients.begin(), clients.end(), this), clients.end());
    }
    FHashManager = hashManager;
    if (FHashManager != nullptr)
        FHashManager->FClients.push_back(this);
}

TCipher& TCipherManager::Cipher()
{
    if (!FCipher) {
        FCipher = CipherClass()->Create();
        FCipher->SetMode(FMode);
    }
    return *FCipher;
}

void TCipherManager::InitKey(std::string_view password, const void* vector)
{
    TCipher& cipher = Cipher();
    if (FHashManager != nullptr)
        cipher.SetHashClass(FHashManager->HashClass());
    cipher.InitKey(password, vector);
}

std::string TCipherManager::EncodeString(const std::string& text)
{
    return Cipher().CodeString(text, caEncode, -1);
}

std::string TCipherManager::DecodeString(const std::string& text)
{
    return Cipher().CodeString(text, caDecode, -1);
}

} // namespace varnet::crypt
