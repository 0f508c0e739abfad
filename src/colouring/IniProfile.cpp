#include "colouring/IniProfile.h"

#include <filesystem>
#include <system_error>

#include "platform/ProgramDir.h"

TIniProfile::TIniProfile(std::string path)
    : FReadPath(path)
    , FIni(std::move(path))
{
}

TIniProfile::TIniProfile(std::string readPath, std::string writePath)
    : FReadPath(readPath)
    , FIni(std::move(readPath), std::move(writePath))
{
}

bool TIniProfile::Exists() const
{
    std::error_code ec;
    return std::filesystem::is_regular_file(std::filesystem::path(FReadPath), ec);
}

std::string TIniProfile::ReadString(std::string_view section, std::string_view key, std::string_view def) const
{
    return FIni.ReadString(section, key, def);
}

void TIniProfile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    FIni.WriteString(section, key, value);
}

void TIniProfile::DeleteKey(std::string_view section, std::string_view key)
{
    FIni.DeleteKey(section, key);
}

void TIniProfile::EraseSection(std::string_view section)
{
    FIni.EraseSection(section);
}

std::vector<std::string> TIniProfile::ReadSections() const
{
    return FIni.ReadSections();
}

TModeFiles ProgramModeFiles(const TProgramDir& dir)
{
    TModeFiles files;
    files.Open = [&dir](std::string_view name) -> std::unique_ptr<TProfile> {
        return std::make_unique<TIniProfile>(dir.PathForRead(name), dir.PathForWrite(name));
    };
    files.Path = [&dir](std::string_view name) { return dir.PathForRead(name); };
    return files;
}
