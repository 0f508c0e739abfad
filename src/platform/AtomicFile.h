#pragma once
// Saving a file so that a crash, a full disk or a refused step never leaves it half written:
// the new contents go to a temporary file in the target's directory, are flushed to disk and
// given the target's permissions, and only then renamed over the target. A backup, when asked
// for, is a second name for the old contents made just before the rename, so the old file is
// never moved out of the way before the new one is complete.
//
// Every step goes through TFileOps, whose methods a test overrides to make one of them fail.
#include <cstddef>
#include <string>
#include <string_view>

class TFileOps {
public:
    virtual ~TFileOps() = default;
    // The operations of the running system.
    static TFileOps& System();

    // Creates a new, empty file that did not exist, open for writing; returns its descriptor
    // and stores its path. `hint` is the path the file stands in for.
    virtual int CreateTemp(const std::string& hint, std::string& tempPath);
    // Writes all of `data`; throws EFileError naming `name` on failure.
    virtual void Write(int fd, const char* data, std::size_t size, const std::string& name);
    // Gives the open temporary file the permissions (and, where allowed, the owner) of `from`.
    virtual void CopyPermissions(const std::string& from, int fd, const std::string& tempPath);
    virtual void Sync(int fd, const std::string& name);
    virtual void Close(int fd, const std::string& name);
    // Makes `backup` a second name for (or a copy of) `existing`, replacing an older backup.
    virtual void Backup(const std::string& existing, const std::string& backup);
    // Replaces `to` with `from` in one step.
    virtual void Rename(const std::string& from, const std::string& to);
    // Removes a file; failures are ignored (used to clean up).
    virtual void Remove(const std::string& path) noexcept;
    // Flushes the directory entry of a completed rename; best effort.
    virtual void SyncDirectory(const std::string& dir) noexcept;
};

struct TAtomicWriteOptions {
    // Keep the previous contents under this name (empty: no backup). Made only when the
    // target exists.
    std::string BackupPath;
};

// Writes `data` as the new contents of `path`. A symbolic link is followed, so the link stays
// and the file it names gets the new contents. Throws EFileError naming the file when any step
// fails; the target then still holds its previous contents and no temporary file is left.
void WriteFileAtomically(const std::string& path, std::string_view data,
                         const TAtomicWriteOptions& options = {},
                         TFileOps& ops = TFileOps::System());

// The path with its extension (after the last dot of the last component) replaced by `ext`,
// or `ext` appended when it has none.
std::string ChangeFileExt(std::string_view path, std::string_view ext);
// The extension of the last component including its dot, or empty.
std::string ExtractFileExt(std::string_view path);
// The last component of the path.
std::string ExtractFileName(std::string_view path);
// Everything before the last component, without the separator ("." when there is none).
std::string ExtractFileDir(std::string_view path);
