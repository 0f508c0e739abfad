#include "crypt/Managers.h"

#include <algorithm>

#include "crypt/Ciphers.h"
#include "crypt/Hashes.h"

namespace varnet::crypt {

THashManager::~THashManager()
{
    for (TCipherManager* client : fClients)
        client->fHashManager = nullptr;
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
    return fHashClass != nullptr ? fHashClass : DefaultHashClass();
}

void THashManager::SetHashClass(THashClass hashClass)
{
    THashClass before = HashClass();
    fHashClass = hashClass;
    if (HashClass() != before)
        fHash.reset();
}

THash& THashManager::Hash()
{
    if (!fHash)
        fHash = HashClass()->Create();
    return *fHash;
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
    return fCipherClass != nullptr ? fCipherClass : DefaultCipherClass();
}

void TCipherManager::SetCipherClass(TCipherClass cipherClass)
{
    TCipherClass before = CipherClass();
    fCipherClass = cipherClass;
    if (CipherClass() != before)
        fCipher.reset(); // its key goes with it (the destructor wipes it)
}

void TCipherManager::SetMode(TCipherMode mode)
{
    fMode = mode;
    if (fCipher)
        fCipher->SetMode(mode);
}

void TCipherManager::SetHashManager(THashManager* hashManager)
{
    if (hashManager == fHashManager)
        return;
    if (fHashManager != nullptr) {
        auto& clients = fHashManager->fClients;
        clients.erase(std::remove(clients.begin(), clients.end(), this), clients.end());
    }
    fHashManager = hashManager;
    if (fHashManager != nullptr)
        fHashManager->fClients.push_back(this);
}

TCipher& TCipherManager::Cipher()
{
    if (!fCipher) {
        fCipher = CipherClass()->Create();
        fCipher->SetMode(fMode);
    }
    return *fCipher;
}

void TCipherManager::InitKey(std::string_view password, const void* vector)
{
    TCipher& cipher = Cipher();
    if (fHashManager != nullptr)
        cipher.SetHashClass(fHashManager->HashClass());
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
