#include "colouring/Profile.h"

#include <cctype>

bool ParseProfileInteger(std::string_view text, std::int32_t& value)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) {
        return false;
    }
    std::uint64_t n = 0;
    for (const char c : text) {
        int d;
        if (c >= '0' && c <= '9') {
            d = c - '0';
        } else if (base == 16 && std::isxdigit(static_cast<unsigned char>(c))) {
            d = std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        } else {
            return false;
        }
        n = n * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
        if (n > 0xFFFFFFFFull) {
            return false;
        }
    }
    if (base == 10) {
        // Decimal stays within the signed range; hexadecimal may spell any 32 bits.
        if (negative ? n > 0x80000000ull : n > 0x7FFFFFFFull) {
            return false;
        }
    }
    const auto bits = static_cast<std::uint32_t>(n);
    value = static_cast<std::int32_t>(negative ? 0u - bits : bits);
    return true;
}

std::int32_t TProfile::ReadInteger(std::string_view section, std::string_view key, std::int32_t def) const
{
    std::int32_t v;
    return ParseProfileInteger(ReadString(section, key, ""), v) ? v : def;
}

void TProfile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value)
{
    WriteString(section, key, std::to_string(value));
}

bool TProfile::ReadBool(std::string_view section, std::string_view key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TProfile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}
