#include "crypt/Registry.h"

namespace varnet::crypt::registry {

std::string_view AfterUnderscore(std::string_view className)
{
    auto u = className.find('_');
    return u == std::string_view::npos ? className : className.substr(u + 1);
}

std::string DefaultName(std::string_view className)
{
    auto u = className.find('_');
    if (u != std::string_view::npos)
        return std::string(className.substr(u + 1));
    if (!className.empty() && className[0] == 'T')
        className.remove_prefix(1);
    return std::string(className);
}

bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

} // namespace varnet::crypt::registry
