#include "platform/walk/EntryFacts.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace safewalk {
namespace {

void copyStatx(const struct statx& x, struct stat& st) {
    st = {};
    st.st_dev = makedev(x.stx_dev_major, x.stx_dev_minor);
    st.st_ino = x.stx_ino;
    st.st_mode = x.stx_mode;
    st.st_nlink = x.stx_nlink;
    st.st_uid = x.stx_uid;
    st.st_gid = x.stx_gid;
    st.st_rdev = makedev(x.stx_rdev_major, x.stx_rdev_minor);
    st.st_size = off_t(x.stx_size);
    st.st_blksize = blksize_t(x.stx_blksize);
    st.st_blocks = blkcnt_t(x.stx_blocks);
    st.st_atim = {time_t(x.stx_atime.tv_sec), long(x.stx_atime.tv_nsec)};
    st.st_mtim = {time_t(x.stx_mtime.tv_sec), long(x.stx_mtime.tv_nsec)};
    st.st_ctim = {time_t(x.stx_ctime.tv_sec), long(x.stx_ctime.tv_nsec)};
}

// Kernels before 5.8 give no mount id through statx; /proc/self/fdinfo has had it since 3.15.
bool mountIdFromFdinfo(int fd, std::uint64_t& id) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/self/fdinfo/%d", fd);
    FILE* file = std::fopen(path, "re");
    if (file == nullptr) {
        return false;
    }
    bool found = false;
    char line[256];
    while (!found && std::fgets(line, sizeof line, file) != nullptr) {
        unsigned long long value = 0;
        if (std::sscanf(line, "mnt_id: %llu", &value) == 1) {
            id = value;
            found = true;
        }
    }
    std::fclose(file);
    return found;
}

int readWith(int dirFd, const char* name, int flags, EntryFacts& facts) {
    struct statx x {};
    if (::statx(dirFd, name, flags | AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT,
                STATX_BASIC_STATS | STATX_MNT_ID, &x) != 0) {
        return errno;
    }
    facts = {};
    copyStatx(x, facts.st);
    if (x.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) {
        facts.mountRoot = (x.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
    }
    const std::uint64_t protection = STATX_ATTR_IMMUTABLE | STATX_ATTR_APPEND;
    if ((x.stx_attributes_mask & protection) == protection) {
        facts.protectionKnown = true;
        facts.protectedEntry = (x.stx_attributes & protection) != 0;
    }
    if (x.stx_mask & STATX_MNT_ID) {
        facts.mountId = x.stx_mnt_id;
        facts.mountIdKnown = true;
        return 0;
    }
    // Old kernel: look at the entry through a path descriptor, which never follows it.
    const int fd = (flags & AT_EMPTY_PATH) ? ::fcntl(dirFd, F_DUPFD_CLOEXEC, 0)
                                           : ::openat(dirFd, name, O_PATH | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) {
        facts.mountIdKnown = mountIdFromFdinfo(fd, facts.mountId);
        ::close(fd);
    }
    return 0;
}

} // namespace

bool EntryFacts::onSameMountAs(const EntryFacts& reference) const {
    if (st.st_dev != reference.st.st_dev) {
        return false;
    }
    if (mountIdKnown && reference.mountIdKnown) {
        return mountId == reference.mountId;
    }
    // Without mount ids only the mount-root mark can reveal a bind mount of the same device.
    return !mountRoot;
}

int readEntry(int dirFd, const char* name, EntryFacts& facts) {
    return readWith(dirFd, name, 0, facts);
}

int readOpen(int fd, EntryFacts& facts) {
    return readWith(fd, "", AT_EMPTY_PATH, facts);
}

} // namespace safewalk
