#pragma once
// INI files held in memory, keyed by path, read from and written to text the way the
// private-profile routines treat a file: sections in brackets, key=value lines with blanks
// trimmed, sections and keys compared ignoring ASCII case, first occurrence wins.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "colouring/Profile.h"

namespace proftest {

inline std::string Fold(std::string_view s)
{
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

struct TIniData {
    struct TSection {
        std::string Name;
        std::vector<std::pair<std::string, std::string>> Keys;
    };
    bool Exists = false;
    std::vector<TSection> Sections;
    std::string Raw; // the text parsed, lines that are not keys included
    int Opens = 0;

    TSection* Find(std::string_view name)
    {
        for (auto& s : Sections) {
            if (Fold(s.Name) == Fold(name)) {
                return &s;
            }
        }
        return nullptr;
    }
    const TSection* Find(std::string_view name) const { return const_cast<TIniData*>(this)->Find(name); }

    static std::string Trim(std::string_view s)
    {
        const auto a = s.find_first_not_of(" \t");
        if (a == std::string_view::npos) {
            return {};
        }
        const auto b = s.find_last_not_of(" \t");
        return std::string(s.substr(a, b - a + 1));
    }

    void Parse(std::string_view text)
    {
        Exists = true;
        Raw = text;
        Sections.clear();
        TSection* current = nullptr;
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find_first_of("\r\n", start);
            if (end == std::string_view::npos) {
                end = text.size();
            }
            const std::string line = Trim(text.substr(start, end - start));
            if (!line.empty() && line[0] == '[') {
                const auto close = line.find(']');
                const std::string name = line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
                current = Find(name);
                if (!current) {
                    Sections.push_back({name, {}});
                    current = &Sections.back();
                }
            } else if (current) {
                const auto eq = line.find('=');
                if (eq != std::string::npos) {
                    std::string key = Trim(line.substr(0, eq));
                    std::string value = Trim(line.substr(eq + 1));
                    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
                        value = value.substr(1, value.size() - 2);
                    }
                    bool seen = false;
                    for (auto& [k, v] : current->Keys) {
                        seen = seen || Fold(k) == Fold(key);
                    }
                    if (!seen) {
                        current->Keys.emplace_back(key, value);
                    }
                }
            }
            if (end == text.size()) {
                break;
            }
            start = end + 1;
        }
    }

    std::string Text() const
    {
        std::string out;
        for (const auto& s : Sections) {
            out += "[" + s.Name + "]\r\n";
            for (const auto& [k, v] : s.Keys) {
                out += k + "=" + v + "\r\n";
            }
        }
        return out;
    }

    int KeyCount() const
    {
        int n = 0;
        for (const auto& s : Sections) {
            n += static_cast<int>(s.Keys.size());
        }
        return n;
    }
};

class TMemoryProfile : public TProfile {
public:
    explicit TMemoryProfile(TIniData& data) : FData(data) {}

    bool Exists() const override { return FData.Exists; }
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const override
    {
        if (const auto* s = FData.Find(section)) {
            for (const auto& [k, v] : s->Keys) {
                if (Fold(k) == Fold(key)) {
                    return v;
                }
            }
        }
        return std::string(def);
    }
    void WriteString(std::string_view section, std::string_view key, std::string_view value) override
    {
        FData.Exists = true;
        auto* s = FData.Find(section);
        if (!s) {
            FData.Sections.push_back({std::string(section), {}});
            s = &FData.Sections.back();
        }
        for (auto& [k, v] : s->Keys) {
            if (Fold(k) == Fold(key)) {
                v = value;
                return;
            }
        }
        s->Keys.emplace_back(std::string(key), std::string(value));
    }
    void DeleteKey(std::string_view section, std::string_view key) override
    {
        if (auto* s = FData.Find(section)) {
            std::erase_if(s->Keys, [&](const auto& kv) { return Fold(kv.first) == Fold(key); });
        }
    }
    void EraseSection(std::string_view section) override
    {
        std::erase_if(FData.Sections, [&](const auto& s) { return Fold(s.Name) == Fold(section); });
    }
    std::vector<std::string> ReadSections() const override
    {
        std::vector<std::string> names;
        for (const auto& s : FData.Sections) {
            names.push_back(s.Name);
        }
        return names;
    }

private:
    TIniData& FData;
};

// Files by path; a path never written or parsed is a missing file.
class TMemoryFiles {
public:
    TIniData& operator[](const std::string& path) { return FFiles[path]; }
    TProfileOpener Opener()
    {
        return [this](const std::string& path) {
            TIniData& d = FFiles[path];
            ++d.Opens;
            return std::make_unique<TMemoryProfile>(d);
        };
    }

private:
    std::map<std::string, TIniData> FFiles;
};

} // namespace proftest
