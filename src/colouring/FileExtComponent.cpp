#include "colouring/FileExtComponent.h"

#include <algorithm>

#include "platform/Cp932Bytes.h"

namespace {

bool LessNoCase(std::string_view a, std::string_view b)
{
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return cp932::AsciiUpper(static_cast<unsigned char>(x)) <
                   cp932::AsciiUpper(static_cast<unsigned char>(y));
        });
}

} // namespace

bool TFileExtList::Add(std::string_view ext)
{
    if (ext.empty()) {
        return false;
    }
    auto it = std::lower_bound(FItems.begin(), FItems.end(), ext,
                               [](const std::string& e, std::string_view k) { return LessNoCase(e, k); });
    if (it != FItems.end() && !LessNoCase(ext, *it)) {
        return false;
    }
    FItems.insert(it, std::string(ext));
    return true;
}

void TFileExtList::Delete(int i)
{
    if (i >= 0 && i < Count()) {
        FItems.erase(FItems.begin() + i);
    }
}

bool TFileExtList::HasExt(std::string_view ext) const
{
    auto it = std::lower_bound(FItems.begin(), FItems.end(), ext,
                               [](const std::string& e, std::string_view k) { return LessNoCase(e, k); });
    return it != FItems.end() && !LessNoCase(ext, *it);
}
