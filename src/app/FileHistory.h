#pragma once
// The file history of the File menu: full paths, most recent first, kept in section [File] of
// the settings file as History0, History1, … and read afresh before every change, so copies
// sharing the file share one history. Paths are compared byte for byte.
#include <string>
#include <vector>

class TIniFile;

class TFileHistory {
public:
    static constexpr int kMaxItems = 10;
    // Keys beyond this are never read.
    static constexpr int kMaxKeys = 34;
    // The menu items' access characters, in order.
    static constexpr const char* kAccessChars = "0123456789abcdefghijklmnopqrstuvwz";

    explicit TFileHistory(TIniFile& ini) : FIni(ini) {}

    const std::vector<std::string>& Items() const { return FItems; }
    // Reads History0, History1, … up to the first missing or empty key.
    void Load();
    // Rewrites section [File] from the items and flushes the file.
    void Save();
    // After an open or a save under a new name: reloads, and unless the path is already
    // listed (it then stays where it is) puts it first, keeping at most kMaxItems.
    void Add(const std::string& path);
    // A path chosen from the menu goes first.
    void MoveToFront(const std::string& path);

private:
    TIniFile& FIni;
    std::vector<std::string> FItems;
};
