#pragma once
// "Private profile" INI files the way Windows reads and writes them, so that files written by
// the Windows program and by this one are interchangeable: section and key names compared
// without regard to ASCII case (the bytes of double-byte characters are never folded), blanks
// around names and values trimmed, one matching pair of quotes around a value removed, values
// kept as their CP932 bytes, CR LF, LF and lone CR line ends, a UTF-8 byte-order mark
// skipped, lines before the first section ignored, the first of duplicate keys winning.
//
// The file is cached. Changes are kept until Flush, which rewrites the file keeping its other
// lines, comments and order, through a temporary file renamed over the old one. A file changed
// by another copy since it was read is read again first and the pending changes applied to it,
// so copies sharing the file lose only the keys both of them wrote.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TFileOps;

class TIniFile {
public:
    explicit TIniFile(std::string path);
    // Read from one file, write to another (a shipped file read, the user's copy written).
    TIniFile(std::string readPath, std::string writePath);
    // Pending changes are flushed; a failure there cannot be reported and loses them, so
    // callers that care call Flush themselves.
    ~TIniFile();
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    const std::string& FileName() const { return FWritePath; }

    std::string ReadString(std::string_view section, std::string_view key, std::string_view def);
    // A decimal integer, or hexadecimal after "$" or "0x"; anything else gives `def`.
    int ReadInteger(std::string_view section, std::string_view key, int def);
    bool ReadBool(std::string_view section, std::string_view key, bool def);
    bool ValueExists(std::string_view section, std::string_view key);
    bool SectionExists(std::string_view section);
    // Section names in file order, each once.
    std::vector<std::string> ReadSections();
    // Key names of a section in file order, each once.
    std::vector<std::string> ReadSection(std::string_view section);

    // A line break in the value would end it early in the file: the value is cut there.
    // Blanks at its ends, which a reader trims, are kept by quoting the value.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    void DeleteKey(std::string_view section, std::string_view key);
    void EraseSection(std::string_view section);

    // Writes pending changes; throws EFileError (the file keeps its previous contents).
    void Flush();
    bool Dirty() const { return !FPending.empty(); }
    // Forgets the cache; the next access reads the file again. Pending changes are kept.
    void Refresh() { FLoaded = false; }

    // For tests: the operations the atomic write goes through.
    void SetFileOps(TFileOps* ops) { FOps = ops; }

    // The platform's integer rule on its own.
    static bool ParseInteger(std::string_view text, int& value);
    // ASCII case folded outside double-byte characters.
    static bool SameName(std::string_view a, std::string_view b);

private:
    struct TLine {
        std::string Text; // the line as it stands in the file
        std::string Key;  // trimmed; empty for anything but a key line
        std::string Value;
        bool IsKey = false;
    };
    struct TSection {
        std::string Header; // the header line as it stands
        std::string Name;
        std::vector<TLine> Lines;
    };
    struct TChange {
        enum TKind { Write, Delete, Erase } Kind;
        std::string Section, Key, Value;
    };
    struct TStamp {
        bool Exists = false;
        std::int64_t Size = 0, Time = 0, Inode = 0;
        friend bool operator==(const TStamp&, const TStamp&) = default;
    };

    void Ensure();
    void Load();
    TStamp Stamp(const std::string& path) const;
    void Apply(const TChange& c);
    TSection* Find(std::string_view section);
    const TLine* FindKey(std::string_view section, std::string_view key);
    std::string Render() const;

    std::string FReadPath;
    std::string FWritePath;
    bool FLoaded = false;
    bool FUnreadable = false;
    TStamp FStamp;
    bool FBom = false;
    std::string FEol = "\r\n";
    std::vector<std::string> FPreamble; // lines before the first section
    std::vector<TSection> FSections;
    std::vector<TChange> FPending;
    TFileOps* FOps = nullptr;
};
