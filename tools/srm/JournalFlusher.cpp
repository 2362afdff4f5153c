#include "JournalFlusher.h"

#include "Reporter.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/types.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace srm {
namespace {

// From linux/ext4.h (kernel 5.13 and later); Debian 12's headers do not carry it yet.
#ifndef EXT4_IOC_CHECKPOINT
#define EXT4_IOC_CHECKPOINT _IOW('f', 43, __u32)
#endif
constexpr __u32 kCheckpointDiscard = 0x1; // discard the journal's blocks afterwards
constexpr __u32 kCheckpointZeroOut = 0x2; // write zeroes over the journal afterwards
constexpr __u32 kCheckpointDryRun = 0x4;  // only check that the call would be allowed

// ext2, ext3 and ext4 share this magic; the ones without a journal answer ENODEV.
constexpr long kExtMagic = 0xEF53;

int checkpoint(int fd, __u32 flags) {
    return ::ioctl(fd, EXT4_IOC_CHECKPOINT, &flags) == 0 ? 0 : errno;
}

} // namespace

JournalFlusher::~JournalFlusher() {
    for (auto& [dev, fs] : fileSystems_) {
        ::close(fs.fd);
    }
}

JournalFlusher::FileSystem* JournalFlusher::fileSystemOf(int dirFd) {
    struct stat st {};
    if (::fstat(dirFd, &st) != 0) {
        return nullptr;
    }
    return fileSystemOf(dirFd, st.st_dev);
}

JournalFlusher::FileSystem* JournalFlusher::fileSystemOf(int dirFd, dev_t device) {
    auto it = fileSystems_.find(device);
    if (it == fileSystems_.end()) {
        struct statfs fs {};
        if (::fstatfs(dirFd, &fs) != 0 || static_cast<long>(fs.f_type) != kExtMagic) {
            return &fileSystems_.emplace(device, FileSystem{}).first->second;
        }
        FileSystem entry;
        const int err = checkpoint(dirFd, kCheckpointZeroOut | kCheckpointDryRun);
        if (err != ENODEV) {
            entry.cannotZero = err != 0;
            entry.fd = ::fcntl(dirFd, F_DUPFD_CLOEXEC, 0);
        }
        it = fileSystems_.emplace(device, entry).first;
    }
    return &it->second;
}

bool JournalFlusher::noteRemoval(int dirFd, dev_t device) {
    FileSystem* fs = fileSystemOf(dirFd, device);
    if (fs == nullptr || fs->fd < 0) {
        return false; // not ext4, or no journal
    }
    fs->pending = true;
    return fs->cannotZero;
}

void JournalFlusher::beforeFolderRemoval(int dirFd) {
    FileSystem* fs = fileSystemOf(dirFd);
    if (fs != nullptr && fs->fd >= 0 && !fs->cannotZero) {
        checkpoint(fs->fd, 0);
    }
}

void JournalFlusher::flush() {
    for (auto& [dev, fs] : fileSystems_) {
        if (!fs.pending) {
            continue;
        }
        fs.pending = false;
        if (fs.cannotZero) {
            if (!fs.warned) {
                fs.warned = true;
                reporter_.warning(std::string(kCaveat) +
                                  " (emptying it needs administrator rights and Linux 5.13)");
            }
            continue;
        }
        // Everything removed must be in the journal (or already in place) before it is emptied.
        ::syncfs(fs.fd);
        if (const int err = checkpoint(fs.fd, kCheckpointZeroOut); err != 0) {
            reporter_.warning(std::string("could not empty the file system journal: ") +
                              std::strerror(err) + "; " + kCaveat);
            continue;
        }
        // Where the device takes discards, its copies of the journal blocks are let go too.
        checkpoint(fs.fd, kCheckpointDiscard);
    }
}

} // namespace srm
