#pragma once
// The private folder the copies' sockets live in, and who is at the other end of a socket.
// Only the user's own copies may talk to one another: the folder is the user's and 0700, and
// each side checks the other's user id from the system, not from anything the peer says.
#include <cstdint>
#include <string>

struct TPeerFolder {
    std::string Path;  // empty when no safe folder could be had
    std::string Error; // why not
};

// $XDG_RUNTIME_DIR/varnet, else /tmp/varnet-<uid>; made 0700 when missing. An existing
// folder is used only when it is a real directory (not a link) of this user that nobody
// else can enter or write.
TPeerFolder PreparePeerFolder();
TPeerFolder PreparePeerFolder(const std::string& path);

// The user id of this process.
std::uint32_t CurrentUserId();
// The user id of the process at the other end of a connected local socket; false when the
// system cannot tell.
bool PeerUserId(std::intptr_t socketDescriptor, std::uint32_t& uid);
