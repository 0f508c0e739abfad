#include "platform/IniFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>

#include <sys/stat.h>
#include <sys/types.h>

#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/FileError.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char Fold(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Windows removes one pair of matching quotes around a value.
std::string_view Unquote(std::string_view v)
{
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

bool TIniFile::SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (IsLeadByte(a[i]) && i + 1 < a.size()) {
            // The pair as it stands: a trail byte that looks like a letter is not one.
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return false;
            ++i;
            continue;
        }
        if (Fold(a[i]) != Fold(b[i]))
            return false;
    }
    return true;
}

bool TIniFile::ParseInteger(std::string_view s, int& value)
{
    s = Trim(s);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && (s.front() == '$' || s.front() == 'x' || s.front() == 'X')) {
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty())
        return false;
    std::uint64_t v = 0;
    for (char c : s) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        v = v * static_cast<unsigned>(base) + static_cast<unsigned>(d);
        if (v > 0xFFFFFFFFull)
            return false;
    }
    if (base == 10) {
        const std::uint64_t limit = negative ? 0x80000000ull : 0x7FFFFFFFull;
        if (v > limit)
            return false;
        value = negative ? static_cast<int>(-static_cast<std::int64_t>(v)) : static_cast<int>(v);
    } else {
        // Hexadecimal spells the full 32 bits, as the platform reads them.
        const auto bits = static_cast<std::uint32_t>(v);
        value = static_cast<int>(negative ? 0u - bits : bits);
    }
    return true;
}

TIniFile::TIniFile(std::string path) : FReadPath(path), FWritePath(std::move(path)) {}

TIniFile::TIniFile(std::string readPath, std::string writePath)
    : FReadPath(std::move(readPath)), FWritePath(std::move(writePath))
{
}

TIniFile::~TIniFile()
{
    try {
        if (Dirty())
            Flush();
    } catch (const std::exception&) {
        // Nothing can be reported from here; callers that must know flush themselves.
    }
}

TIniFile::TStamp TIniFile::Stamp(const std::string& path) const
{
    TStamp s;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return s;
    s.Exists = true;
    s.Size = static_cast<std::int64_t>(st.st_size);
#if defined(__linux__)
    s.Time = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
#else
    s.Time = static_cast<std::int64_t>(st.st_mtime);
#endif
    s.Inode = static_cast<std::int64_t>(st.st_ino);
    return s;
}

void TIniFile::Ensure()
{
    // A file another copy rewrote since it was read is read again, as the shared system
    // cache of the platform would show it.
    if (!FLoaded || !(Stamp(FReadPath) == FStamp)) {
        Load();
        for (const TChange& c : FPending)
            Apply(c);
    }
}

void TIniFile::Load()
{
    FLoaded = true;
    FUnreadable = false;
    FBom = false;
    FEol = "\r\n";
    FPreamble.clear();
    FSections.clear();
    FStamp = Stamp(FReadPath);
    if (!FStamp.Exists)
        return;

    std::string text;
    {
        std::unique_ptr<std::FILE, FileCloser> f(std::fopen(FReadPath.c_str(), "rb"));
        if (!f) {
            FUnreadable = errno != ENOENT;
            return;
        }
        char buf[8192];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f.get())) > 0)
            text.append(buf, n);
        if (std::ferror(f.get())) {
            FUnreadable = true;
            return;
        }
    }
    std::string_view rest(text);
    if (rest.substr(0, 3) == "\xEF\xBB\xBF") {
        FBom = true;
        rest.remove_prefix(3);
    }
    // Written lines follow the line end the file already uses.
    const std::size_t firstEnd = rest.find_first_of("\r\n");
    if (firstEnd != std::string_view::npos) {
        if (rest[firstEnd] == '\n')
            FEol = "\n";
        else if (firstEnd + 1 >= rest.size() || rest[firstEnd + 1] != '\n')
            FEol = "\r";
    }

    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of("\r\n");
        const std::string_view line = rest.substr(0, end);
        if (end == std::string_view::npos)
            rest = {};
        else if (rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n')
            rest.remove_prefix(end + 2);
        else
            rest.remove_prefix(end + 1);

        const std::string_view trimmed = Trim(line);
        if (!trimmed.empty() && trimmed.front() == '[') {
            const std::size_t close = trimmed.find(']');
            TSection s;
            s.Header = std::string(line);
            s.Name = std::string(Trim(trimmed.substr(1, close == std::string_view::npos
                                                            ? std::string_view::npos
                                                            : close - 1)));
            FSections.push_back(std::move(s));
            continue;
        }
        if (FSections.empty()) {
            FPreamble.emplace_back(line);
            continue;
        }
        TLine l;
        l.Text = std::string(line);
        const std::size_t eq = trimmed.find('=');
        if (eq != std::string_view::npos && trimmed.front() != ';') {
            l.Key = std::string(Trim(trimmed.substr(0, eq)));
            l.Value = std::string(Unquote(Trim(trimmed.substr(eq + 1))));
            l.IsKey = !l.Key.empty();
        }
        FSections.back().Lines.push_back(std::move(l));
    }
}

TIniFile::TSection* TIniFile::Find(std::string_view section)
{
    const std::string_view name = Trim(section);
    for (TSection& s : FSections)
        if (SameName(s.Name, name))
            return &s;
    return nullptr;
}

const TIniFile::TLine* TIniFile::FindKey(std::string_view section, std::string_view key)
{
    Ensure();
    const std::string_view name = Trim(key);
    // Duplicate sections are read as one, the first occurrence of a key winning.
    for (TSection& s : FSections) {
        if (!SameName(s.Name, Trim(section)))
            continue;
        for (const TLine& l : s.Lines)
            if (l.IsKey && SameName(l.Key, name))
                return &l;
    }
    return nullptr;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view def)
{
    const TLine* l = FindKey(section, key);
    return l != nullptr ? l->Value : std::string(def);
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int def)
{
    const TLine* l = FindKey(section, key);
    int v = def;
    if (l == nullptr || !ParseInteger(l->Value, v))
        return def;
    return v;
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool def)
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key)
{
    return FindKey(section, key) != nullptr;
}

bool TIniFile::SectionExists(std::string_view section)
{
    Ensure();
    return Find(section) != nullptr;
}

std::vector<std::string> TIniFile::ReadSections()
{
    Ensure();
    std::vector<std::string> out;
    for (const TSection& s : FSections) {
        bool seen = false;
        for (const std::string& o : out)
            seen = seen || SameName(o, s.Name);
        if (!seen)
            out.push_back(s.Name);
    }
    return out;
}

std::vector<std::string> TIniFile::ReadSection(std::string_view section)
{
    Ensure();
    std::vector<std::string> out;
    for (const TSection& s : FSections) {
        if (!SameName(s.Name, Trim(section)))
            continue;
        for (const TLine& l : s.Lines) {
            if (!l.IsKey)
                continue;
            bool seen = false;
            for (const std::string& o : out)
                seen = seen || SameName(o, l.Key);
            if (!seen)
                out.push_back(l.Key);
        }
    }
    return out;
}

void TIniFile::Apply(const TChange& c)
{
    const std::string_view section = Trim(c.Section);
    const std::string_view key = Trim(c.Key);
    switch (c.Kind) {
    case TChange::Write: {
        TSection* s = Find(section);
        if (s == nullptr) {
            // A blank line before a new section, as the platform writes it.
            if (!FSections.empty() && !FSections.back().Lines.empty() &&
                !Trim(FSections.back().Lines.back().Text).empty()) {
                FSections.back().Lines.push_back({});
            }
            TSection fresh;
            fresh.Name = std::string(section);
            fresh.Header = "[" + fresh.Name + "]";
            FSections.push_back(std::move(fresh));
            s = &FSections.back();
        }
        TLine line;
        line.Key = std::string(key);
        line.Value = std::string(Unquote(c.Value));
        line.IsKey = true;
        line.Text = line.Key + "=" + c.Value;
        for (TSection& each : FSections) {
            if (!SameName(each.Name, section))
                continue;
            for (TLine& l : each.Lines) {
                if (l.IsKey && SameName(l.Key, key)) {
                    l = std::move(line);
                    return;
                }
            }
        }
        // A new key goes after the section's last non-blank line, so the blank line that
        // separates it from the next section stays where it is.
        std::size_t at = s->Lines.size();
        while (at > 0 && Trim(s->Lines[at - 1].Text).empty())
            --at;
        s->Lines.insert(s->Lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
        return;
    }
    case TChange::Delete:
        // Every duplicate goes: otherwise the next one would take the deleted key's place.
        for (TSection& s : FSections) {
            if (!SameName(s.Name, section))
                continue;
            std::erase_if(s.Lines, [&](const TLine& l) { return l.IsKey && SameName(l.Key, key); });
        }
        return;
    case TChange::Erase:
        std::erase_if(FSections, [&](const TSection& s) { return SameName(s.Name, section); });
        return;
    }
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    Ensure();
    value = value.substr(0, value.find_first_of("\r\n"));
    std::string stored(value);
    // Blanks at either end, or quotes the reader would take off, survive inside quotes.
    if (!value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) || Unquote(value) != value))
        stored = "\"" + stored + "\"";
    TChange c{TChange::Write, std::string(section), std::string(key), std::move(stored)};
    Apply(c);
    FPending.push_back(std::move(c));
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::DeleteKey(std::string_view section, std::string_view key)
{
    Ensure();
    TChange c{TChange::Delete, std::string(section), std::string(key), {}};
    Apply(c);
    FPending.push_back(std::move(c));
}

void TIniFile::EraseSection(std::string_view section)
{
    Ensure();
    TChange c{TChange::Erase, std::string(section), {}, {}};
    Apply(c);
    FPending.push_back(std::move(c));
}

std::string TIniFile::Render() const
{
    std::string out;
    if (FBom)
        out += "\xEF\xBB\xBF";
    for (const std::string& l : FPreamble)
        out.append(l).append(FEol);
    for (const TSection& s : FSections) {
        out.append(s.Header).append(FEol);
        for (const TLine& l : s.Lines)
            out.append(l.Text).append(FEol);
    }
    return out;
}

void TIniFile::Flush()
{
    if (FPending.empty())
        return;
    Ensure();
    if (FUnreadable)
        throw EFileError("Cannot read settings file \"" + FReadPath + "\"; not overwriting it",
                         FReadPath);
    const std::string text = Render();
    // Deleting from a file that does not exist leaves no file at all.
    if (text.empty() && !Stamp(FWritePath).Exists) {
        FPending.clear();
        return;
    }
    WriteFileAtomically(FWritePath, text, {}, FOps != nullptr ? *FOps : TFileOps::System());
    FPending.clear();
    FReadPath = FWritePath;
    FStamp = Stamp(FReadPath);
}
