#include "platform/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#if defined(_WIN32)
#include <io.h>
#include <process.h>
#else
#include <unistd.h>
#endif

#include "platform/Cp932.h"
#include "platform/FileError.h"

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& name, int err)
{
    std::string msg = what + " \"" + name + "\"";
    if (err != 0)
        msg += std::string(": ") + std::strerror(err);
    throw EFileError(msg, name);
}

// Offset just after the last path separator, or 0. Windows paths are CP932, whose trail bytes
// may be a backslash, so they are walked character by character there.
std::size_t NameStart(std::string_view path)
{
#if defined(_WIN32)
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size();) {
        const std::size_t n = CharLength(path, i);
        if (n == 1 && (path[i] == '\\' || path[i] == '/' || path[i] == ':'))
            start = i + 1;
        i += n;
    }
    return start;
#else
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? 0 : slash + 1;
#endif
}

std::string Native(const fs::path& p) { return p.string(); }

// Unique per process and per call, so two saves of one copy never meet.
std::string TempName(const std::string& hint, int attempt)
{
    static std::atomic<unsigned> counter{0};
    const auto now = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
#if defined(_WIN32)
    const long pid = _getpid();
#else
    const long pid = static_cast<long>(getpid());
#endif
    const std::string dir = ExtractFileDir(hint);
    return dir + "/." + ExtractFileName(hint) + "." + std::to_string(pid) + "-" +
           std::to_string(counter++) + "-" + std::to_string((now >> 4) % 100000u + attempt) +
           ".tmp";
}

} // namespace

TFileOps& TFileOps::System()
{
    static TFileOps ops;
    return ops;
}

int TFileOps::CreateTemp(const std::string& hint, std::string& tempPath)
{
    int err = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = TempName(hint, attempt);
#if defined(_WIN32)
        const int fd = _open(tempPath.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                             _S_IREAD | _S_IWRITE);
#else
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
        if (fd >= 0)
            return fd;
        err = errno;
        if (err != EEXIST)
            break;
    }
    Fail("Cannot create a file beside", hint, err);
}

void TFileOps::Write(int fd, const char* data, std::size_t size, const std::string& name)
{
    while (size > 0) {
        // Pieces of at most 1 GiB: some systems refuse larger single writes.
        const std::size_t piece = size < (std::size_t{1} << 30) ? size : (std::size_t{1} << 30);
#if defined(_WIN32)
        const int n = _write(fd, data, static_cast<unsigned>(piece));
#else
        const ssize_t n = ::write(fd, data, piece);
#endif
        if (n < 0) {
            if (errno == EINTR)
                continue;
            Fail("Cannot write file", name, errno);
        }
        if (n == 0)
            Fail("Cannot write file", name, ENOSPC);
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

void TFileOps::CopyPermissions(const std::string& from, int fd, const std::string& tempPath)
{
#if defined(_WIN32)
    (void)fd;
    std::error_code ec;
    const fs::perms p = fs::status(from, ec).permissions();
    if (!ec)
        fs::permissions(tempPath, p, ec);
#else
    (void)tempPath;
    struct stat st {};
    if (::stat(from.c_str(), &st) != 0)
        return; // a new file keeps the defaults of the user's umask
    // The owner first: changing it may clear set-id bits that the mode below puts back.
    // Only root or the owner may change it, so a refusal is expected and harmless.
    if (::fchown(fd, st.st_uid, st.st_gid) != 0 && errno != EPERM)
        Fail("Cannot set the owner of", from, errno);
    if (::fchmod(fd, st.st_mode & 07777) != 0)
        Fail("Cannot set the permissions of", from, errno);
#endif
}

void TFileOps::Sync(int fd, const std::string& name)
{
#if defined(_WIN32)
    if (_commit(fd) != 0)
        Fail("Cannot write file", name, errno);
#else
    if (::fsync(fd) != 0 && errno != EINVAL) // EINVAL: a file system without sync
        Fail("Cannot write file", name, errno);
#endif
}

void TFileOps::Close(int fd, const std::string& name)
{
#if defined(_WIN32)
    if (_close(fd) != 0)
        Fail("Cannot write file", name, errno);
#else
    if (::close(fd) != 0 && errno != EINTR)
        Fail("Cannot write file", name, errno);
#endif
}

void TFileOps::Backup(const std::string& existing, const std::string& backup)
{
    std::error_code ec;
    fs::remove(backup, ec);
    if (ec)
        Fail("Cannot replace the backup", backup, ec.value());
    fs::create_hard_link(existing, backup, ec);
    if (!ec)
        return;
    // File systems without hard links get a copy.
    ec.clear();
    fs::copy_file(existing, backup, fs::copy_options::overwrite_existing, ec);
    if (ec)
        Fail("Cannot make the backup", backup, ec.value());
}

void TFileOps::Rename(const std::string& from, const std::string& to)
{
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec)
        Fail("Cannot replace file", to, ec.value());
}

void TFileOps::Remove(const std::string& path) noexcept
{
    std::error_code ec;
    fs::remove(path, ec);
}

void TFileOps::SyncDirectory(const std::string& dir) noexcept
{
#if !defined(_WIN32)
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
#else
    (void)dir;
#endif
}

void WriteFileAtomically(const std::string& path, std::string_view data,
                         const TAtomicWriteOptions& options, TFileOps& ops)
{
    std::error_code ec;
    std::string target = path;
    if (fs::is_symlink(fs::symlink_status(path, ec))) {
        const fs::path real = fs::canonical(path, ec);
        if (ec)
            Fail("Cannot follow the link", path, ec.value());
        target = Native(real);
    }
    const fs::file_status st = fs::status(target, ec);
    const bool exists = fs::exists(st);
    if (exists && !fs::is_regular_file(st))
        throw EFileError("\"" + path + "\" is not a regular file", path);

    std::string temp;
    const int fd = ops.CreateTemp(target, temp);
    bool open = true;
    try {
        ops.Write(fd, data.data(), data.size(), path);
        if (exists)
            ops.CopyPermissions(target, fd, temp);
        ops.Sync(fd, path);
        open = false;
        ops.Close(fd, path);
        if (exists && !options.BackupPath.empty())
            ops.Backup(target, options.BackupPath);
        ops.Rename(temp, target);
    } catch (...) {
        if (open) {
            try {
                ops.Close(fd, path);
            } catch (...) {
            }
        }
        ops.Remove(temp);
        throw;
    }
    ops.SyncDirectory(ExtractFileDir(target));
}

std::string ExtractFileName(std::string_view path) { return std::string(path.substr(NameStart(path))); }

std::string ExtractFileDir(std::string_view path)
{
    const std::size_t start = NameStart(path);
    if (start == 0)
        return ".";
    if (start == 1)
        return std::string(path.substr(0, 1)); // the root
    return std::string(path.substr(0, start - 1));
}

std::string ExtractFileExt(std::string_view path)
{
    const std::size_t start = NameStart(path);
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < start)
        return {};
    return std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext)
{
    const std::size_t start = NameStart(path);
    std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < start)
        dot = path.size();
    std::string out(path.substr(0, dot));
    out += ext;
    return out;
}
