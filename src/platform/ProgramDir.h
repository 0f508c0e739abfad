#pragma once
// Where the files "beside the program" live: the settings file, the language definitions, the
// histories, the phrases, the manual. Normally the executable's folder; VARNET_HOME overrides it
// (tests, portable use). When that folder cannot be written, what is written goes to the user's
// configuration folder ($XDG_CONFIG_HOME/varnet, by default ~/.config/varnet), and reads look
// there first so that the user's own copy wins over the one shipped with the program.
#include <functional>
#include <string>
#include <string_view>

class TProgramDir {
public:
    // `programPath` is the executable's full path; `home` the override (empty: none);
    // `configDir` the fallback folder for writing.
    TProgramDir(std::string programPath, std::string home, std::string configDir);

    // The process's own directory, from the environment and the executable's path. The
    // executable's path is taken from the system unless SetProgramPath gave it first.
    static TProgramDir& Instance();
    static void SetProgramPath(const std::string& path);

    const std::string& ProgramPath() const { return FProgramPath; }
    // The executable's name without its folder and extension ("varnet").
    std::string ProgramStem() const;
    // The folder the files belong in (the override or the executable's folder).
    const std::string& Directory() const { return FDirectory; }
    const std::string& ConfigDirectory() const { return FConfigDir; }
    bool DirectoryWritable() const;
    // For tests (which may run as a user every folder is writable for): the writability check.
    void SetWritableCheck(std::function<bool(const std::string&)> check) { FWritable = std::move(check); }

    // The path to read `name` from.
    std::string PathForRead(std::string_view name) const;
    // The path to write `name` to; creates the configuration folder when it is the one used.
    std::string PathForWrite(std::string_view name) const;

    // The settings file: the program's name with the extension ".Ini".
    std::string SettingsName() const { return ProgramStem() + ".Ini"; }
    // The manual: the program's name with the extension ".TXT".
    std::string ManualName() const { return ProgramStem() + ".TXT"; }

private:
    std::string FProgramPath;
    std::string FDirectory;
    std::string FConfigDir;
    std::function<bool(const std::string&)> FWritable;
};

// The file `name` in `dir`.
std::string JoinPath(std::string_view dir, std::string_view name);
