#pragma once
// The display-mode files through the program's INI routines, found beside the program (a
// user's copy in the configuration folder wins; writes go where the program may write).
#include <memory>
#include <string>

#include "colouring/DisplayModes.h"
#include "colouring/Profile.h"
#include "platform/IniFile.h"

class TProgramDir;

class TIniProfile : public TProfile {
public:
    explicit TIniProfile(std::string path);
    TIniProfile(std::string readPath, std::string writePath);

    bool Exists() const override;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const override;
    void WriteString(std::string_view section, std::string_view key, std::string_view value) override;
    void DeleteKey(std::string_view section, std::string_view key) override;
    void EraseSection(std::string_view section) override;
    std::vector<std::string> ReadSections() const override;
    void Flush() override { FIni.Flush(); }

private:
    std::string FReadPath;
    // Reading fills the file's cache.
    mutable TIniFile FIni;
};

// Both files of the display modes in the program's folder.
TModeFiles ProgramModeFiles(const TProgramDir& dir);
