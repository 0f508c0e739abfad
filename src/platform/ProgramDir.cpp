#include "platform/ProgramDir.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

#include "platform/AtomicFile.h"

namespace fs = std::filesystem;

namespace {

std::string& GivenProgramPath()
{
    static std::string path;
    return path;
}

std::string SystemProgramPath()
{
    if (!GivenProgramPath().empty())
        return GivenProgramPath();
#if defined(__linux__)
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return self.string();
#endif
    return "varnet";
}

std::string EnvOr(const char* name, std::string fallback)
{
    const char* v = std::getenv(name);
    return v != nullptr && *v != '\0' ? std::string(v) : std::move(fallback);
}

std::string DefaultConfigDir()
{
#if defined(_WIN32)
    const std::string base = EnvOr("APPDATA", ".");
#else
    const std::string base = EnvOr("XDG_CONFIG_HOME", JoinPath(EnvOr("HOME", "."), ".config"));
#endif
    return JoinPath(base, "varnet");
}

bool Writable(const std::string& dir)
{
#if defined(_WIN32)
    return _access(dir.c_str(), 2) == 0;
#else
    return ::access(dir.c_str(), W_OK) == 0;
#endif
}

bool IsFile(const std::string& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

} // namespace

std::string JoinPath(std::string_view dir, std::string_view name)
{
    std::string out(dir);
    if (!out.empty() && out.back() != '/'
#if defined(_WIN32)
        && out.back() != '\\'
#endif
    )
        out += '/';
    out += name;
    return out;
}

TProgramDir::TProgramDir(std::string programPath, std::string home, std::string configDir)
    : FProgramPath(std::move(programPath)), FConfigDir(std::move(configDir))
{
    FDirectory = home.empty() ? ExtractFileDir(FProgramPath) : std::move(home);
}

TProgramDir& TProgramDir::Instance()
{
    // Made again when the executable's path or the environment changed (tests change them).
    static std::unique_ptr<TProgramDir> instance;
    static std::string home, config;
    const std::string nowHome = EnvOr("VARNET_HOME", "");
    const std::string nowConfig = DefaultConfigDir();
    if (!instance || instance->FProgramPath != SystemProgramPath() || home != nowHome ||
        config != nowConfig) {
        home = nowHome;
        config = nowConfig;
        instance = std::make_unique<TProgramDir>(SystemProgramPath(), home, config);
    }
    return *instance;
}

void TProgramDir::SetProgramPath(const std::string& path) { GivenProgramPath() = path; }

std::string TProgramDir::ProgramStem() const
{
    const std::string name = ExtractFileName(FProgramPath);
    const std::string ext = ExtractFileExt(name);
    return name.substr(0, name.size() - ext.size());
}

bool TProgramDir::DirectoryWritable() const
{
    return FWritable ? FWritable(FDirectory) : Writable(FDirectory);
}

std::string TProgramDir::PathForRead(std::string_view name) const
{
    if (!DirectoryWritable()) {
        std::string own = JoinPath(FConfigDir, name);
        if (IsFile(own))
            return own;
    }
    return JoinPath(FDirectory, name);
}

std::string TProgramDir::PathForWrite(std::string_view name) const
{
    if (DirectoryWritable())
        return JoinPath(FDirectory, name);
    std::error_code ec;
    // A folder made here holds the user's settings: private to the user.
    if (!fs::exists(FConfigDir, ec) && fs::create_directories(FConfigDir, ec))
        fs::permissions(FConfigDir, fs::perms::owner_all, fs::perm_options::replace, ec);
    return JoinPath(FConfigDir, name);
}
