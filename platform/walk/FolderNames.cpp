#include "platform/walk/FolderNames.h"

#include <cerrno>
#include <cstddef>
#include <dirent.h>

namespace safewalk {

int readFolderNames(int fd, std::vector<std::string>& names) {
    alignas(dirent64) char buffer[16384];
    for (;;) {
        const ssize_t n = ::getdents64(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return 0;
        for (ssize_t at = 0; at < n;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
            at += entry->d_reclen;
            const char* name = entry->d_name;
            if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
                continue;
            names.emplace_back(name);
        }
    }
}

} // namespace safewalk
