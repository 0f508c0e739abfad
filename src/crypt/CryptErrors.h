#pragma once
// The exceptions of the crypt library and the texts they carry. Messages are byte strings
// formatted with the class or format name, exactly as the library's users show them.
#include <stdexcept>
#include <string>

namespace varnet::crypt {

// A protection object misused (a chain that would make a cycle).
class EProtection : public std::runtime_error {
public:
    explicit EProtection(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// A cipher used wrongly; ErrorCode tells which rule was broken.
class ECipherException : public EProtection {
public:
    ECipherException(int errorCode, const std::string& message)
        : EProtection(message), FErrorCode(errorCode)
    {
    }
    int ErrorCode() const { return FErrorCode; }

private:
    int FErrorCode;
};

// Text that is not in the requested string format, or an unknown format id.
class EStringFormat : public std::runtime_error {
public:
    explicit EStringFormat(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// A stream or file that could not be opened, read or written.
class EStreamError : public std::runtime_error {
public:
    explicit EStreamError(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// Error code of a cipher used before Init or InitKey.
constexpr int kErrorNotInitialized = 3;

namespace messages {
std::string NotInitialized(const std::string& className);
std::string CircularProtection();
std::string FormatNotExists(int format);
std::string InvalidInput(const std::string& formatName);
std::string CannotConvert(const std::string& formatName);
} // namespace messages

} // namespace varnet::crypt
