#pragma once
// TCipherManager and THashManager: components that hold one cipher or hash class chosen by
// name, the cipher manager also the cipher object that codes strings with a password.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "crypt/Cipher.h"
#include "crypt/Hash.h"

namespace varnet::crypt {

using TProgressEvent =
    std::function<void(void* sender, std::int64_t current, std::int64_t maximal)>;

class TCipherManager;

class THashManager {
public:
    THashManager() = default;
    ~THashManager();
    THashManager(const THashManager&) = delete;
    THashManager& operator=(const THashManager&) = delete;

    // The registered name of the class; setting resolves a name (unknown: the default class).
    std::string Algorithm() const;
    void SetAlgorithm(std::string_view name);
    // "<description>, <bits>bit Digestsize". Setting it does nothing.
    std::string Description() const;
    void SetDescription(std::string_view) {}

    // Never nullptr: the default class (RIPEMD-256) when none was chosen.
    THashClass HashClass() const;
    void SetHashClass(THashClass hashClass);
    // A hash object of the class, created on first use.
    THash& Hash();

    TProgressEvent OnProgress; // stored only

private:
    friend class TCipherManager;
    THashClass FHashClass = nullptr;
    std::shared_ptr<THash> FHash;
    std::vector<TCipherManager*> FClients; // told when this manager goes away
};

class TCipherManager {
public:
    TCipherManager() = default;
    ~TCipherManager();
    TCipherManager(const TCipherManager&) = delete;
    TCipherManager& operator=(const TCipherManager&) = delete;

    // The registered name of the current class (for an unregistered class its name after the
    // first "_"). Setting resolves a name; another class frees the current cipher object.
    std::string Algorithm() const;
    void SetAlgorithm(std::string_view name);
    // "<description>, <bits>bit Key" (no ", " without a description). Setting does nothing.
    std::string Description() const;
    void SetDescription(std::string_view) {}

    // Never nullptr: the default class (Blowfish) when none was chosen or a name was unknown.
    TCipherClass CipherClass() const;
    void SetCipherClass(TCipherClass cipherClass);

    TCipherMode Mode() const { return FMode; }
    void SetMode(TCipherMode mode);

    // When set, its hash class turns each password into a key. Not owned; the manager forgets
    // it when it is destroyed.
    THashManager* HashManager() const { return FHashManager; }
    void SetHashManager(THashManager* hashManager);

    TProgressEvent OnProgress; // stored only

    // The cipher object, created on first use with the current class, no key and no chain.
    TCipher& Cipher();

    void InitKey(std::string_view password, const void* vector);
    std::string EncodeString(const std::string& text);
    std::string DecodeString(const std::string& text);

private:
    friend class THashManager;
    TCipherClass FCipherClass = nullptr;
    std::shared_ptr<TCipher> FCipher;
    TCipherMode FMode = cmCTS;
    THashManager* FHashManager = nullptr;
};

} // namespace varnet::crypt
