#include "crypt/CryptErrors.h"

namespace varnet::crypt::messages {

std::string NotInitialized(const std::string& className)
{
    return className + " is not initialized call Init() or InitKey() before.";
}

std::string CircularProtection()
{
    return "Circular Protection detected, Protection Object is invalid.";
}

std::string FormatNotExists(int format)
{
    return "String Format \"" + std::to_string(format) + "\" not exists.";
}

std::string InvalidInput(const std::string& formatName)
{
    return "Input is not an valid " + formatName + " Format.";
}

std::string CannotConvert(const std::string& formatName)
{
    return "Input can not be convert to " + formatName + " Format.";
}

} // namespace varnet::crypt::messages
