#pragma once
// A component that carries a list of file extensions, such as the fountain of a language or
// a stored set of editor settings chosen by the file being opened.
#include <string>
#include <string_view>
#include <vector>

#include "engine/Notify.h"

// Sorted, without duplicates; extensions compare case-insensitively (ASCII).
class TFileExtList {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    const std::string& Get(int i) const { return FItems[static_cast<std::size_t>(i)]; }
    const std::vector<std::string>& Items() const { return FItems; }
    // Adds `ext` unless it is empty or present already; returns whether it was added.
    bool Add(std::string_view ext);
    void Delete(int i);
    void Clear() { FItems.clear(); }
    void Assign(const TFileExtList& other) { FItems = other.FItems; }
    // Whether `ext` is in the list, ignoring case.
    bool HasExt(std::string_view ext) const;

private:
    std::vector<std::string> FItems;
};

class TFileExtComponent : public TObject {
public:
    TFileExtList& FileExtList() { return FFileExtList; }
    const TFileExtList& FileExtList() const { return FFileExtList; }
    void SetFileExtList(const TFileExtList& v) { FFileExtList.Assign(v); }

private:
    TFileExtList FFileExtList;
};
