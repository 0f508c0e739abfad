// INI files: a fuzzed file is read, a fuzzed series of writes, key deletions and section
// erasures is applied and flushed, and a fresh read of the written file gives every value the
// changes leave (names compared as the platform compares them); with writes alone, every
// line of the old file but the rewritten keys' stays, in its order.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "platform/IniFile.h"

namespace {

std::string ReadAll(const std::string& name)
{
    std::string out;
    if (std::FILE* f = std::fopen(name.c_str(), "rb")) {
        char buf[4096];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
            out.append(buf, n);
        std::fclose(f);
    }
    return out;
}

// The values as read: sections and keys in file order, found by the file's name rule.
using TKeys = std::vector<std::pair<std::string, std::string>>;
using TModel = std::vector<std::pair<std::string, TKeys>>;

template <class List>
auto FindName(List& list, const std::string& name)
{
    for (auto it = list.begin(); it != list.end(); ++it)
        if (TIniFile::SameName(it->first, name))
            return it;
    return list.end();
}

TModel ReadModel(TIniFile& ini)
{
    TModel m;
    for (const std::string& s : ini.ReadSections()) {
        TKeys keys;
        for (const std::string& k : ini.ReadSection(s))
            keys.push_back({k, ini.ReadString(s, k, "\x01" "default")});
        m.push_back({s, keys});
    }
    return m;
}

// Names that read back as written: no blanks at either end, no quotes around, nothing the
// line syntax gives a meaning. Values may also hold the line syntax's characters, start or end
// with blanks and stand in quotes.
std::string SafeText(fuzz::TInput& in, bool value)
{
    static const char* const pieces[] = {"a", "B", "z9", "\x8A\xBF", "\x83\x5C", "_", "-", "x y", "\xB1", "."};
    static const char* const valueOnly[] = {"=", ";", "[", "]", "\"q", "a'"};
    std::string s = pieces[in.Below(10)];
    for (int n = in.Below(4); n > 0; --n) {
        if (value && in.Below(4) == 0)
            s += valueOnly[in.Below(6)];
        s += pieces[in.Below(10)];
    }
    if (value) {
        switch (in.Below(8)) {
        case 0: s = '"' + s + '"'; break;
        case 1: s = "'" + s + "'"; break;
        case 2: s = " " + s; break;
        case 3: s += "\t"; break;
        case 4: s = '"' + s; break;
        default: break;
        }
    }
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string name = fuzz::ScratchPath("varnet-fuzz-ini-", ".ini");
    fuzz::TInput in(data, size);
    const std::string file = in.Bytes(in.Byte() * 8u);
    fuzz::WriteFile(name, file);

    TModel model;
    bool writesOnly = true;
    std::vector<std::string> writtenKeys;
    {
        TIniFile ini(name);
        model = ReadModel(ini);
        // Reading twice gives the same.
        TModel twice = ReadModel(ini);
        FUZZ_CHECK(twice == model, "a second read differs for " + fuzz::Show(file));
        for (int n = in.Below(8); n > 0 && !in.Empty(); --n) {
            // An existing name now and then, in another case.
            std::string section;
            if (!model.empty() && in.Bool()) {
                section = model[std::size_t(in.Below(int(model.size())))].first;
                for (char& c : section)
                    if (in.Below(3) == 0 && c >= 'a' && c <= 'z')
                        c = char(c - 'a' + 'A');
            } else {
                section = SafeText(in, false);
            }
            auto sit = FindName(model, section);
            std::string key;
            if (sit != model.end() && !sit->second.empty() && in.Bool())
                key = sit->second[std::size_t(in.Below(int(sit->second.size())))].first;
            else
                key = SafeText(in, false);
            switch (in.Below(4)) {
            case 0:
            case 1: {
                const std::string value = in.Bool() ? SafeText(in, true) : std::string();
                ini.WriteString(section, key, value);
                if (sit == model.end()) {
                    model.push_back({section, {}});
                    sit = model.end() - 1;
                }
                auto kit = FindName(sit->second, key);
                if (kit == sit->second.end())
                    sit->second.push_back({key, value});
                else
                    kit->second = value;
                writtenKeys.push_back(key);
                break;
            }
            case 2:
                ini.DeleteKey(section, key);
                if (sit != model.end()) {
                    auto kit = FindName(sit->second, key);
                    if (kit != sit->second.end())
                        sit->second.erase(kit);
                }
                writesOnly = false;
                break;
            default:
                ini.EraseSection(section);
                if (sit != model.end())
                    model.erase(sit);
                writesOnly = false;
                break;
            }
        }
        ini.Flush();
    }

    TIniFile again(name);
    const TModel read = ReadModel(again);
    const std::string written = ReadAll(name);
    FUZZ_CHECK(read.size() == model.size(), std::to_string(read.size()) + " sections read back, expected " +
                                                std::to_string(model.size()) + "\n  from " + fuzz::Show(file) +
                                                "\n  wrote " + fuzz::Show(written));
    for (const auto& [section, keys] : model) {
        auto rit = FindName(read, section);
        FUZZ_CHECK(rit != read.end(), "section " + fuzz::Show(section) + " lost; wrote " + fuzz::Show(written));
        FUZZ_CHECK(rit->second.size() == keys.size(),
                   "section " + fuzz::Show(section) + " has " + std::to_string(rit->second.size()) + " keys, expected " +
                       std::to_string(keys.size()) + "\n  from " + fuzz::Show(file) + "\n  wrote " + fuzz::Show(written));
        for (const auto& [key, value] : keys) {
            const std::string got = again.ReadString(section, key, "\x01" "missing");
            FUZZ_CHECK(got == value, fuzz::Show(section) + "/" + fuzz::Show(key) + " reads " + fuzz::Show(got) +
                                         ", expected " + fuzz::Show(value) + "\n  from " + fuzz::Show(file) +
                                         "\n  wrote " + fuzz::Show(written));
        }
    }

    if (writesOnly) {
        // The old lines stay in order, but for the lines of keys written again.
        std::vector<std::string> kept;
        for (const std::string& line : fuzz::SplitLines(file)) {
            const std::size_t eq = line.find('=');
            std::string k = eq == std::string::npos ? std::string() : line.substr(0, eq);
            while (!k.empty() && (k.front() == ' ' || k.front() == '\t'))
                k.erase(0, 1);
            while (!k.empty() && (k.back() == ' ' || k.back() == '\t'))
                k.pop_back();
            bool rewritten = false;
            for (const std::string& w : writtenKeys)
                rewritten = rewritten || (!k.empty() && TIniFile::SameName(k, w));
            if (!rewritten)
                kept.push_back(line);
        }
        const std::vector<std::string> now = fuzz::SplitLines(written);
        std::size_t j = 0;
        for (const std::string& line : kept) {
            while (j < now.size() && now[j] != line)
                ++j;
            FUZZ_CHECK(j < now.size(), "line " + fuzz::Show(line) + " lost or moved\n  from " + fuzz::Show(file) +
                                           "\n  wrote " + fuzz::Show(written));
            ++j;
        }
    }
    return 0;
}
