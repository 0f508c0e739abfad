#include "platform/PeerSocket.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#if !defined(_WIN32)
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#endif

#include "platform/ProgramDir.h"

TPeerFolder PreparePeerFolder()
{
#if defined(_WIN32)
    return {{}, "local sockets between copies are not available on this system"};
#else
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime == '/')
        return PreparePeerFolder(JoinPath(runtime, "varnet"));
    return PreparePeerFolder("/tmp/varnet-" + std::to_string(CurrentUserId()));
#endif
}

TPeerFolder PreparePeerFolder(const std::string& path)
{
#if defined(_WIN32)
    (void)path;
    return {{}, "local sockets between copies are not available on this system"};
#else
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return {{}, "cannot create " + path + ": " + std::strerror(errno)};
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return {{}, "cannot examine " + path + ": " + std::strerror(errno)};
    if (!S_ISDIR(st.st_mode))
        return {{}, path + " is not a directory"};
    if (st.st_uid != ::getuid())
        return {{}, path + " belongs to another user"};
    if ((st.st_mode & 077) != 0 && ::chmod(path.c_str(), 0700) != 0)
        return {{}, path + " is open to other users"};
    return {path, {}};
#endif
}

std::uint32_t CurrentUserId()
{
#if defined(_WIN32)
    return 0;
#else
    return static_cast<std::uint32_t>(::getuid());
#endif
}

bool PeerUserId(std::intptr_t socketDescriptor, std::uint32_t& uid)
{
#if defined(__linux__)
    struct ucred cred {};
    socklen_t len = sizeof cred;
    if (::getsockopt(static_cast<int>(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0)
        return false;
    uid = static_cast<std::uint32_t>(cred.uid);
    return true;
#elif !defined(_WIN32)
    uid_t u = 0;
    gid_t g = 0;
    if (::getpeereid(static_cast<int>(socketDescriptor), &u, &g) != 0)
        return false;
    uid = static_cast<std::uint32_t>(u);
    return true;
#else
    (void)socketDescriptor;
    (void)uid;
    return false;
#endif
}
