#pragma once
// The INI ("private profile") file the display-mode code reads and writes: the language
// definitions and the per-kind display settings. Sections and keys compare case-insensitively;
// values are CP932 bytes kept as they are. Everything here goes through this one interface,
// so the files can be the program's own INI routines or, in tests, text held in memory.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TProfile {
public:
    virtual ~TProfile() = default;

    // Whether the file is there at all.
    virtual bool Exists() const = 0;
    virtual std::string ReadString(std::string_view section, std::string_view key,
                                   std::string_view def) const = 0;
    virtual void WriteString(std::string_view section, std::string_view key, std::string_view value) = 0;
    virtual void DeleteKey(std::string_view section, std::string_view key) = 0;
    virtual void EraseSection(std::string_view section) = 0;
    // Section names in file order.
    virtual std::vector<std::string> ReadSections() const = 0;
    // Writes what was changed; a failure raises (the file keeps its old contents).
    virtual void Flush() {}

    // A decimal number (an optional sign, or a leading '$' or "0x" for hexadecimal); `def`
    // when the key is missing or does not read as a 32-bit number.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t def) const;
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    // Stored as 1 and 0; any number other than 0 reads as true.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    void WriteBool(std::string_view section, std::string_view key, bool value);
};

// Opens the INI file at a path (the file need not exist yet).
using TProfileOpener = std::function<std::unique_ptr<TProfile>(const std::string& path)>;

// Parses an INI number as the profile routines do; false when `text` is not one.
bool ParseProfileInteger(std::string_view text, std::int32_t& value);
