#include "FileSystemCalls.h"

#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

namespace srm {
namespace {

int result(int rc) {
    return rc == 0 ? 0 : errno;
}

} // namespace

int FileSystemCalls::waitForWriteback(int fd) {
    int rc;
    do {
        rc = ::sync_file_range(fd, 0, 0,
                               SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE |
                                   SYNC_FILE_RANGE_WAIT_AFTER);
    } while (rc != 0 && errno == EINTR);
    return result(rc);
}

int FileSystemCalls::syncFile(int fd) {
    int rc;
    do {
        rc = ::fdatasync(fd);
    } while (rc != 0 && errno == EINTR);
    return result(rc);
}

int FileSystemCalls::syncFolder(int folderFd) {
    return result(::fsync(folderFd));
}

int FileSystemCalls::syncFileSystem(int fd) {
    return result(::syncfs(fd));
}

int FileSystemCalls::rename(int dirFd, const std::string& from, const std::string& to,
                            bool noReplace) {
    return result(noReplace ? ::renameat2(dirFd, from.c_str(), dirFd, to.c_str(), RENAME_NOREPLACE)
                            : ::renameat(dirFd, from.c_str(), dirFd, to.c_str()));
}

int FileSystemCalls::unlink(int dirFd, const std::string& name, bool folder) {
    return result(::unlinkat(dirFd, name.c_str(), folder ? AT_REMOVEDIR : 0));
}

FileSystemCalls& FileSystemCalls::system() {
    static FileSystemCalls calls;
    return calls;
}

} // namespace srm
