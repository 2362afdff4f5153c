#include "app/FileCopy/CopyRunClaim.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Binds a new socket to the abstract name of RUNID: the socket, or -1 with errno set.
int bindClaim(const std::string& runId) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    // A leading NUL byte puts the name in the abstract namespace, not in a folder.
    const std::string name = "korvane-copy-run-" + runId;
    const std::size_t length = std::min(name.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, name.data(), length);
    const auto size = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + length);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), size) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

} // namespace

CopyRunClaim::CopyRunClaim(const std::string& runId) : m_fd(bindClaim(runId)) {}

CopyRunClaim::~CopyRunClaim() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool CopyRunClaim::isRunning(const std::string& runId) {
    const int fd = bindClaim(runId);
    if (fd >= 0) {
        ::close(fd);
        return false;
    }
    return errno == EADDRINUSE;
}
