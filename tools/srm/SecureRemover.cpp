#include "SecureRemover.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace srm {
namespace {

// Closes a descriptor when the scope ends.
class FdGuard {
public:
    explicit FdGuard(int fd) : fd_(fd) {}
    ~FdGuard() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FdGuard(const FdGuard&) = delete;
    FdGuard& operator=(const FdGuard&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

bool sameInode(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

const char* kindOf(mode_t mode) {
    if (S_ISFIFO(mode)) {
        return "fifo";
    }
    if (S_ISSOCK(mode)) {
        return "socket";
    }
    if (S_ISCHR(mode)) {
        return "character device";
    }
    if (S_ISBLK(mode)) {
        return "block device";
    }
    return "special file";
}

// A directory's own sync makes renames and removals in it durable. Some file systems (several
// FUSE ones) do not sync folders at all; that is no reason to stop the erasure.
void syncFolder(int dirFd) {
    ::fsync(dirFd);
}

} // namespace

SecureRemover::SecureRemover(const SrmOptions& options, RandomSource& random, Reporter& reporter)
    : options_(options), random_(random), reporter_(reporter), overwriter_(random, reporter) {}

bool SecureRemover::erase(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/') {
        trimmed.pop_back();
    }
    if (trimmed.empty()) {
        reporter_.problem("''", "empty path; nothing erased");
        return false;
    }
    if (trimmed == "/") {
        reporter_.problem(path, "refusing to erase the root folder");
        return false;
    }
    std::size_t slash = trimmed.rfind('/');
    std::string parent = slash == std::string::npos ? "."
                         : slash == 0               ? "/"
                                                    : trimmed.substr(0, slash);
    std::string name = slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
    if (name == "." || name == "..") {
        reporter_.problem(path, "refusing to erase '.' or '..'");
        return false;
    }

    // Folders above the named entry are the caller's choice and may be links; the entry itself
    // is looked at without following it.
    FdGuard parentFd(::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (parentFd.get() < 0) {
        if (errno == ENOENT && options_.force) {
            return true;
        }
        reporter_.failure(path, "open containing folder", errno);
        return false;
    }
    struct stat seen {};
    if (::fstatat(parentFd.get(), name.c_str(), &seen, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT && options_.force) {
            return true;
        }
        reporter_.failure(path, "lstat", errno);
        return false;
    }
    return eraseEntry(parentFd.get(), name, trimmed, seen, seen.st_dev, true);
}

bool SecureRemover::eraseEntry(int dirFd, const std::string& name, const std::string& shown,
                               const struct stat& seen, dev_t rootDevice, bool topLevel) {
    if (seen.st_dev != rootDevice) {
        reporter_.problem(shown, "on another file system; not entered, left in place");
        return false;
    }
    if (S_ISLNK(seen.st_mode)) {
        // The link goes, whatever it points at stays.
        if (!removeName(dirFd, name, shown, false, seen)) {
            return false;
        }
        reporter_.progress(shown, "removed symbolic link");
        return true;
    }
    if (S_ISREG(seen.st_mode)) {
        return eraseFile(dirFd, name, shown, seen);
    }
    if (S_ISDIR(seen.st_mode)) {
        if (!options_.recursive) {
            reporter_.problem(shown, "is a folder; not erased (use -r)");
            return false;
        }
        return eraseFolder(dirFd, name, shown, seen, rootDevice);
    }
    if ((S_ISFIFO(seen.st_mode) || S_ISSOCK(seen.st_mode)) && !topLevel) {
        // A fifo or socket holds no data of its own: inside a folder being erased its name is
        // simply removed. It is never opened, so a fifo without a reader cannot hang us.
        if (!removeName(dirFd, name, shown, false, seen)) {
            return false;
        }
        reporter_.progress(shown,
                           std::string("removed ") + kindOf(seen.st_mode) + " (not written)");
        return true;
    }
    reporter_.problem(shown, std::string("is a ") + kindOf(seen.st_mode) +
                                 "; only regular files are erased, left in place");
    return false;
}

bool SecureRemover::eraseFile(int dirFd, const std::string& name, const std::string& shown,
                              const struct stat& seen) {
    if (seen.st_nlink > 1) {
        // Its data is still reached through a name outside the selection: overwriting would
        // destroy that file too. Only this name goes, and the caller hears that the data stays.
        bool removed = ::unlinkat(dirFd, name.c_str(), 0) == 0;
        if (!removed) {
            reporter_.failure(shown, "unlink", errno);
        }
        reporter_.problem(shown, "has " + std::to_string(seen.st_nlink - 1) +
                                     " other hard link(s); data not overwritten" +
                                     (removed ? ", only this name removed" : ""));
        return false;
    }

    FdGuard fd(
        ::openat(dirFd, name.c_str(), O_WRONLY | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ELOOP) {
            reporter_.problem(shown, "became a symbolic link during the run; left in place");
        } else {
            reporter_.failure(shown, "open for writing", errno);
        }
        return false;
    }
    struct stat opened {};
    if (::fstat(fd.get(), &opened) != 0) {
        reporter_.failure(shown, "fstat", errno);
        return false;
    }
    if (!S_ISREG(opened.st_mode) || !sameInode(opened, seen)) {
        reporter_.problem(shown, "was replaced during the run; left in place");
        return false;
    }
    if (opened.st_nlink > 1) {
        reporter_.problem(shown, "gained another hard link during the run; not overwritten");
        return false;
    }
    int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        reporter_.failure(shown, "fcntl", errno);
        return false;
    }

    const std::vector<Pass> plan = PassPlan::make(options_.scheme, options_.zeroPass, random_);
    OverwriteResult result = overwriter_.overwrite(fd.get(), shown, std::uint64_t(opened.st_size),
                                                   std::uint64_t(opened.st_blksize), plan);
    if (result == OverwriteResult::Failed) {
        return false;
    }
    if (result == OverwriteResult::BlocksSkipped) {
        // Truncating would hand the unwritten blocks back to the free space with their data;
        // the file stays, so the failure is visible and can be dealt with.
        reporter_.problem(shown, "some blocks could not be overwritten; the file was kept");
        return false;
    }
    // Only now that the passes are on the device: give the blocks back, then drop the name.
    if (::ftruncate(fd.get(), 0) != 0) {
        reporter_.failure(shown, "truncate", errno);
        return false;
    }
    if (::fsync(fd.get()) != 0) {
        reporter_.failure(shown, "fsync", errno);
        return false;
    }
    if (::close(fd.release()) != 0) {
        reporter_.failure(shown, "close", errno);
        return false;
    }
    if (!removeName(dirFd, name, shown, false, seen)) {
        return false;
    }
    reporter_.progress(shown, "removed");
    return true;
}

bool SecureRemover::eraseFolder(int dirFd, const std::string& name, const std::string& shown,
                                const struct stat& seen, dev_t rootDevice) {
    int raw =
        ::openat(dirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (raw < 0) {
        reporter_.failure(shown, "open folder", errno);
        return false;
    }
    FdGuard folderFd(raw);
    struct stat opened {};
    if (::fstat(raw, &opened) != 0 || !sameInode(opened, seen)) {
        reporter_.problem(shown, "was replaced during the run; left in place");
        return false;
    }
    DIR* dir = ::fdopendir(raw);
    if (dir == nullptr) {
        reporter_.failure(shown, "fdopendir", errno);
        return false;
    }
    folderFd.release();

    // Names are read first and erased after: renaming entries while reading the folder could
    // make readdir() return them again under their new names.
    std::vector<std::string> names;
    bool ok = true;
    for (;;) {
        errno = 0;
        struct dirent* entry = ::readdir(dir);
        if (entry == nullptr) {
            if (errno != 0) {
                reporter_.failure(shown, "read folder", errno);
                ok = false;
            }
            break;
        }
        std::string child = entry->d_name;
        if (child != "." && child != "..") {
            names.push_back(std::move(child));
        }
    }
    const int fd = ::dirfd(dir);
    for (const std::string& child : names) {
        const std::string childShown = shown + "/" + child;
        struct stat childSeen {};
        if (::fstatat(fd, child.c_str(), &childSeen, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno == ENOENT) {
                continue; // gone meanwhile: nothing left to erase
            }
            reporter_.failure(childShown, "lstat", errno);
            ok = false;
            continue;
        }
        ok = eraseEntry(fd, child, childShown, childSeen, rootDevice, false) && ok;
    }
    ::closedir(dir);
    if (!ok) {
        reporter_.problem(shown, "not removed: some of its contents are left");
        return false;
    }
    if (!removeName(dirFd, name, shown, true, seen)) {
        return false;
    }
    reporter_.progress(shown, "removed folder");
    return true;
}

bool SecureRemover::removeName(int dirFd, const std::string& name, const std::string& shown,
                               bool folder, const struct stat& seen) {
    // Checked before the renames and again before the removal: a name that now stands for
    // something else is neither renamed nor removed.
    struct stat before {};
    if (::fstatat(dirFd, name.c_str(), &before, AT_SYMLINK_NOFOLLOW) != 0) {
        reporter_.failure(shown, "lstat before removal", errno);
        return false;
    }
    if (!sameInode(before, seen)) {
        reporter_.problem(shown, "was replaced during the run; left in place");
        return false;
    }
    const std::string current = hideName(dirFd, name, shown);
    struct stat now {};
    if (::fstatat(dirFd, current.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0) {
        reporter_.failure(shown, "lstat before removal", errno);
        return false;
    }
    if (!sameInode(now, seen)) {
        reporter_.problem(shown, "was replaced during the run; left in place");
        return false;
    }
    if (::unlinkat(dirFd, current.c_str(), folder ? AT_REMOVEDIR : 0) != 0) {
        std::string where = current == name ? shown : shown + " (now named " + current + ")";
        reporter_.failure(where, folder ? "rmdir" : "unlink", errno);
        return false;
    }
    syncFolder(dirFd);
    return true;
}

// Renames NAME to random names of falling length (its own length, then halved down to one
// character), syncing the folder after each, so that the original name and its length are
// replaced on the device where the file system rewrites its entries in place. Returns the name
// the entry has in the end. A folder that refuses renames only loses this extra: it is reported
// and the removal goes on.
std::string SecureRemover::hideName(int dirFd, const std::string& name, const std::string& shown) {
    static const char kLetters[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string current = name;
    bool noReplaceWorks = true;
    std::vector<std::size_t> lengths{name.size()};
    for (std::size_t length = name.size() / 2; length >= 1; length /= 2) {
        lengths.push_back(length);
    }
    for (std::size_t length : lengths) {
        bool renamed = false;
        for (int attempt = 0; attempt < 8 && !renamed; ++attempt) {
            std::string candidate(length, '0');
            for (char& c : candidate) {
                c = kLetters[random_.below(sizeof kLetters - 1)];
            }
            if (candidate == current) {
                continue;
            }
            int rc = -1;
            if (noReplaceWorks) {
                rc =
                    ::renameat2(dirFd, current.c_str(), dirFd, candidate.c_str(), RENAME_NOREPLACE);
                if (rc != 0 && (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP)) {
                    noReplaceWorks = false;
                }
            }
            if (!noReplaceWorks) {
                // Without RENAME_NOREPLACE: look first, so no other entry is ever replaced.
                struct stat other {};
                if (::fstatat(dirFd, candidate.c_str(), &other, AT_SYMLINK_NOFOLLOW) == 0) {
                    errno = EEXIST;
                    rc = -1;
                } else if (errno == ENOENT) {
                    rc = ::renameat(dirFd, current.c_str(), dirFd, candidate.c_str());
                }
            }
            if (rc == 0) {
                reporter_.progress(shown, "renamed to " + candidate);
                current = candidate;
                renamed = true;
                syncFolder(dirFd);
            } else if (errno != EEXIST) {
                reporter_.failure(shown, "rename before removal", errno);
                return current;
            }
        }
    }
    return current;
}

} // namespace srm
