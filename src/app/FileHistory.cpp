#include "app/FileHistory.h"

#include <algorithm>

#include "platform/IniFile.h"

namespace {
constexpr const char* kSection = "File";
std::string Key(int i) { return "History" + std::to_string(i); }
} // namespace

void TFileHistory::Load()
{
    FItems.clear();
    for (int i = 0; i < kMaxKeys; ++i) {
        std::string path = FIni.ReadString(kSection, Key(i), "");
        if (path.empty())
            break;
        FItems.push_back(std::move(path));
    }
}

void TFileHistory::Save()
{
    FIni.EraseSection(kSection);
    for (std::size_t i = 0; i < FItems.size(); ++i)
        FIni.WriteString(kSection, Key(static_cast<int>(i)), FItems[i]);
    FIni.Flush();
}

void TFileHistory::Add(const std::string& path)
{
    Load();
    if (std::find(FItems.begin(), FItems.end(), path) != FItems.end())
        return;
    FItems.insert(FItems.begin(), path);
    if (FItems.size() > static_cast<std::size_t>(kMaxItems))
        FItems.resize(kMaxItems);
    Save();
}

void TFileHistory::MoveToFront(const std::string& path)
{
    Load();
    auto it = std::find(FItems.begin(), FItems.end(), path);
    if (it != FItems.end())
        FItems.erase(it);
    FItems.insert(FItems.begin(), path);
    if (FItems.size() > static_cast<std::size_t>(kMaxItems))
        FItems.resize(kMaxItems);
    Save();
}
