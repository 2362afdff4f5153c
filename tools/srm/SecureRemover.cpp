#include "SecureRemover.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace srm {
namespace {

using safewalk::EntryFacts;
using safewalk::SafeWalk;

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

// Clears the immutable and append-only flags of the open file or folder FD, which keep even
// root from writing or removing it. False when a flag stays set.
bool clearProtection(int fd) {
    int flags = 0;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) {
        return false; // a file system without inode flags has nothing to clear
    }
    const int protection = FS_IMMUTABLE_FL | FS_APPEND_FL;
    if ((flags & protection) == 0) {
        return false;
    }
    flags &= ~protection;
    return ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
}

// The same for entry NAME of DIRFD, checking that it still is the file or folder SEEN.
bool clearProtectionOf(int dirFd, const std::string& name, const struct stat& seen) {
    FdGuard fd(
        ::openat(dirFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat opened {};
    if (fd.get() < 0 || ::fstat(fd.get(), &opened) != 0 || !sameInode(opened, seen) ||
        !(S_ISREG(opened.st_mode) || S_ISDIR(opened.st_mode))) {
        return false;
    }
    return clearProtection(fd.get());
}

// True when folder NAME of DIRFD holds no entry besides "." and ".." (and, with FILLERSTOO,
// none but throw-away entries of the name scrubber).
bool folderIsEmpty(int dirFd, const std::string& name, int& error, bool fillersToo = false) {
    const int fd = ::openat(dirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return false;
    }
    DIR* dir = ::fdopendir(fd);
    if (dir == nullptr) {
        error = errno;
        ::close(fd);
        return false;
    }
    bool empty = true;
    while (const dirent* entry = ::readdir(dir)) {
        const char* n = entry->d_name;
        if (!(n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0'))) &&
            !(fillersToo && FolderFormat::isFillerName(n))) {
            empty = false;
            break;
        }
    }
    ::closedir(dir);
    error = 0;
    return empty;
}

// Opens folder NAME of DIRFD when it still is the folder SEEN; -1 otherwise.
int openSameFolder(int dirFd, const std::string& name, const struct stat& seen) {
    const int fd = ::openat(dirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st {};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !sameInode(st, seen))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

// The -r walk: every entry erased as the walk reports it, a folder removed only when all that
// was in it went. A failure inside a folder is remembered for each folder above it, so none of
// them is renamed or removed.
class SecureRemover::FolderEraser : public SafeWalk::Visitor {
public:
    FolderEraser(SecureRemover& remover, std::string topShown)
        : remover_(remover), topShown_(std::move(topShown)) {}

    bool ok() const { return ok_; }

    bool visit(const SafeWalk::Entry& entry) override {
        const EntryOutcome outcome =
            remover_.eraseOne(entry.dirFd, entry.name, shownOf(entry.relative), entry.facts,
                              entry.kind, entry.depth == 0);
        if (!outcome.ok()) {
            failedAt(entry.depth);
        }
        return !outcome.endsRun();
    }

    bool leaveFolder(const SafeWalk::Entry& entry, bool complete) override {
        if (failedInside_.size() <= entry.depth) {
            failedInside_.resize(entry.depth + 1, 0);
        }
        const bool leftovers = failedInside_[entry.depth] != 0 || !complete;
        failedInside_[entry.depth] = 0;
        if (leftovers) {
            remover_.releaseFolder(entry.dirFd, entry.name, entry.facts.st);
            remover_.reporter_.problem(shownOf(entry.relative),
                                       "not removed: some of its contents are left");
            failedAt(entry.depth);
            return true;
        }
        return visit(entry);
    }

    void problem(const std::string& relative, const char* operation, int error) override {
        remover_.reporter_.failure(shownOf(relative), operation, error);
        ok_ = false;
    }

private:
    std::string shownOf(const std::string& relative) const {
        return relative.empty() ? topShown_ : topShown_ + "/" + relative;
    }

    void failedAt(std::size_t depth) {
        ok_ = false;
        if (failedInside_.size() < depth) {
            failedInside_.resize(depth, 0);
        }
        for (std::size_t i = 0; i < depth; ++i) {
            failedInside_[i] = 1;
        }
    }

    SecureRemover& remover_;
    std::string topShown_;
    std::vector<char> failedInside_; // per depth: something inside that folder was left
    bool ok_ = true;
};

SecureRemover::SecureRemover(const SrmOptions& options, RandomSource& random, Reporter& reporter)
    : options_(options), random_(random), reporter_(reporter), overwriter_(random, reporter),
      scrubber_(random, reporter), journal_(reporter) {}

void SecureRemover::finishRun() {
    scrubber_.releaseAll();
    journal_.flush();
}

void SecureRemover::releaseFolder(int dirFd, const std::string& name, const struct stat& seen) {
    FdGuard fd(openSameFolder(dirFd, name, seen));
    if (fd.get() >= 0) {
        scrubber_.release(fd.get());
    }
}

void SecureRemover::setScheme(Scheme scheme, bool zeroPass) {
    options_.scheme = scheme;
    options_.zeroPass = zeroPass;
}

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
    EntryFacts seen;
    if (const int err = safewalk::readEntry(parentFd.get(), name.c_str(), seen); err != 0) {
        if (err == ENOENT && options_.force) {
            return true;
        }
        reporter_.failure(path, "lstat", err);
        return false;
    }
    if (S_ISDIR(seen.st.st_mode) && !options_.recursive) {
        reporter_.problem(trimmed, "is a folder; not erased (use -r)");
        return false;
    }
    FolderEraser eraser(*this, trimmed);
    const bool finished = SafeWalk::walk(parentFd.get(), name, eraser);
    flushFileSystemOf(parentFd.get());
    return finished && eraser.ok();
}

EntryOutcome SecureRemover::eraseOne(int dirFd, const std::string& name, const std::string& shown,
                                     const EntryFacts& seen, SafeWalk::Kind kind, bool topLevel) {
    const struct stat& st = seen.st;
    switch (kind) {
    case SafeWalk::Kind::Link:
        // The link goes, whatever it points at stays.
        if (!removeName(dirFd, name, shown, false, st, topLevel)) {
            return EntryOutcome::failed(EntryReason::Error);
        }
        reporter_.progress(shown, "removed symbolic link");
        return EntryOutcome::erased();
    case SafeWalk::Kind::MountPoint:
        reporter_.problem(shown, "is a mount point (another file system or a bind mount); not "
                                 "entered, left in place");
        return {EntryStatus::Skipped, EntryReason::MountPoint};
    case SafeWalk::Kind::File:
        return eraseFile(dirFd, name, shown, st, topLevel);
    case SafeWalk::Kind::Folder:
        return eraseFolder(dirFd, name, shown, st, topLevel);
    case SafeWalk::Kind::Special:
        break;
    }
    if (topLevel) {
        // Named directly, a device node may be taken for the disk itself: nothing is done.
        reporter_.problem(shown, std::string("is a ") + kindOf(st.st_mode) +
                                     "; only regular files are erased, left in place");
        return EntryOutcome::failed(EntryReason::SpecialFile);
    }
    // Inside a folder being erased a fifo, socket or device node holds no data of its own: its
    // name is removed. It is never opened, so nothing reaches a device or hangs on a fifo.
    if (!removeName(dirFd, name, shown, false, st, topLevel)) {
        return EntryOutcome::failed(EntryReason::Error);
    }
    reporter_.progress(shown, std::string("removed ") + kindOf(st.st_mode) + " (not written)");
    return EntryOutcome::erased();
}

// Opens the file for the passes; a read-only file is made writable for its owner first (-f), an
// immutable or append-only one loses those flags. -1 when it cannot be opened (reported).
int SecureRemover::openForWriting(int dirFd, const std::string& name, const std::string& shown,
                                  const struct stat& seen, int& error) {
    const int flags = O_WRONLY | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
    int fd = ::openat(dirFd, name.c_str(), flags);
    if (fd < 0 && errno == EPERM && clearProtectionOf(dirFd, name, seen)) {
        fd = ::openat(dirFd, name.c_str(), flags);
    }
    if (fd < 0 && errno == EACCES && options_.force &&
        ::fchmodat(dirFd, name.c_str(), (seen.st_mode & 07777) | S_IWUSR, AT_SYMLINK_NOFOLLOW) ==
            0) {
        fd = ::openat(dirFd, name.c_str(), flags);
    }
    error = fd < 0 ? errno : 0;
    if (error == ELOOP) {
        reporter_.problem(shown, "became a symbolic link during the run; left in place");
    } else if (error != 0) {
        reporter_.failure(shown, "open for writing", error);
    }
    return fd;
}

int SecureRemover::openFile(int dirFd, const std::string& name, const std::string& shown,
                            const struct stat& seen, struct stat& opened, EntryOutcome& outcome) {
    if (seen.st_nlink > 1) {
        // Overwriting would destroy the file behind the other names too, and removing only this
        // name would leave the data on the disk: the file stays as it is.
        reporter_.problem(shown, "its data is still reachable through another name (" +
                                     std::to_string(seen.st_nlink - 1) +
                                     " other hard link(s)); not overwritten, left in place");
        outcome = EntryOutcome::failed(EntryReason::HardLinked);
        return -1;
    }

    int openError = 0;
    FdGuard fd(openForWriting(dirFd, name, shown, seen, openError));
    if (fd.get() < 0) {
        outcome =
            EntryOutcome::failed(openError == ELOOP ? EntryReason::Changed : EntryReason::Error);
        return -1;
    }
    if (::fstat(fd.get(), &opened) != 0) {
        reporter_.failure(shown, "fstat", errno);
        outcome = EntryOutcome::failed(EntryReason::Error);
        return -1;
    }
    if (!S_ISREG(opened.st_mode) || !sameInode(opened, seen)) {
        reporter_.problem(shown, "was replaced during the run; left in place");
        outcome = EntryOutcome::failed(EntryReason::Changed);
        return -1;
    }
    if (opened.st_nlink > 1) {
        reporter_.problem(shown, "gained another hard link during the run; not overwritten");
        outcome = EntryOutcome::failed(EntryReason::HardLinked);
        return -1;
    }
    int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        reporter_.failure(shown, "fcntl", errno);
        outcome = EntryOutcome::failed(EntryReason::Error);
        return -1;
    }
    return fd.release();
}

bool SecureRemover::releaseBlocks(int fd, const std::string& shown) {
    FdGuard guard(fd);
    if (::ftruncate(fd, 0) != 0) {
        reporter_.failure(shown, "truncate", errno);
        return false;
    }
    if (::close(guard.release()) != 0) {
        reporter_.failure(shown, "close", errno);
        return false;
    }
    return true;
}

EntryOutcome SecureRemover::eraseFile(int dirFd, const std::string& name, const std::string& shown,
                                      const struct stat& seen, bool topLevel) {
    struct stat opened {};
    EntryOutcome refused;
    FdGuard fd(openFile(dirFd, name, shown, seen, opened, refused));
    if (fd.get() < 0) {
        return refused;
    }

    const std::vector<Pass> plan = passPlan();
    OverwriteResult result = overwriter_.overwrite(fd.get(), shown, std::uint64_t(opened.st_size),
                                                   std::uint64_t(opened.st_blksize), plan);
    if (result == OverwriteResult::Cancelled) {
        reporter_.problem(shown, "cancelled before its first pass; left untouched");
        return {EntryStatus::Cancelled, EntryReason::Cancelled};
    }
    if (result == OverwriteResult::Failed) {
        return EntryOutcome::failed(EntryReason::Error);
    }
    if (result == OverwriteResult::BlocksSkipped) {
        // Truncating would hand the unwritten blocks back to the free space with their data;
        // the file stays, so the failure is visible and can be dealt with.
        reporter_.problem(shown, "some blocks could not be overwritten; the file was kept");
        return EntryOutcome::failed(EntryReason::BlocksSkipped);
    }
    // Only now that the passes are on the device: give the blocks back, then drop the name.
    // (No sync of its own: the data is already overwritten on the device, and what is left to
    // make durable, the truncation and the removal, goes with the file system's sync at the
    // end of the run.)
    // A stopped file goes the same way: each finished pass covered all of it, so what it holds
    // now is pattern, not the user's data, and keeping it under its name would only pass off
    // that pattern as the user's file.
    EntryOutcome done = EntryOutcome::erased();
    if (result == OverwriteResult::Stopped) {
        done = {EntryStatus::Stopped, EntryReason::Cancelled, overwriter_.passesDone(),
                plan.size()};
    }
    const auto failed = [&done] {
        EntryOutcome outcome = EntryOutcome::failed(EntryReason::Error);
        outcome.passesDone = done.passesDone;
        outcome.passesPlanned = done.passesPlanned;
        return outcome;
    };
    if (!releaseBlocks(fd.release(), shown)) {
        return failed();
    }
    if (!removeName(dirFd, name, shown, false, seen, topLevel)) {
        return failed();
    }
    if (done.status == EntryStatus::Stopped) {
        reporter_.problem(shown, "stopped after pass " + std::to_string(done.passesDone) + " of " +
                                     std::to_string(done.passesPlanned) + "; removed");
        return done;
    }
    reporter_.progress(shown, "removed");
    return done;
}

EntryOutcome SecureRemover::eraseFolder(int dirFd, const std::string& name,
                                        const std::string& shown, const struct stat& seen,
                                        bool topLevel) {
    // Looked at before any rename, so a folder that cannot go keeps its name.
    int error = 0;
    if (scrubber_.formatOf(dirFd).keepsRemovedNames()) {
        // Its throw-away entries go first; when nothing else is left, its free slots are
        // overwritten before it goes, as they hold the names of what was in it.
        FdGuard folder(openSameFolder(dirFd, name, seen));
        if (folder.get() >= 0) {
            if (folderIsEmpty(dirFd, name, error, true)) {
                scrubber_.beforeFolderRemoval(folder.get());
            } else {
                scrubber_.release(folder.get());
            }
        }
    }
    if (!folderIsEmpty(dirFd, name, error)) {
        if (error != 0) {
            reporter_.failure(shown, "open folder", error);
            return EntryOutcome::failed(EntryReason::Error);
        }
        reporter_.problem(shown, "not removed: some of its contents are left");
        return EntryOutcome::failed(EntryReason::NotEmpty);
    }
    journal_.beforeFolderRemoval(dirFd);
    if (!removeName(dirFd, name, shown, true, seen, topLevel)) {
        return EntryOutcome::failed(EntryReason::Error);
    }
    reporter_.progress(shown, "removed folder");
    return EntryOutcome::erased();
}

bool SecureRemover::removeName(int dirFd, const std::string& name, const std::string& shown,
                               bool folder, const struct stat& seen, bool topLevel) {
    OpenFolder at;
    if (!OpenFolder::of(dirFd, at)) {
        reporter_.failure(shown, "look at containing folder", errno);
        return false;
    }
    std::string current;
    if (!hideForRemoval(at, name, shown, folder, seen, topLevel, current)) {
        return false;
    }
    // One sync of the folder, so that the last, one-letter name has replaced the original on
    // the device before the entry goes.
    if (current != name) {
        calls_->syncFolder(dirFd);
    }
    return removeHidden(at, name, current, shown, folder, seen, topLevel);
}

void SecureRemover::clearFolderProtection(int dirFd) {
    clearProtection(dirFd);
}

bool SecureRemover::hideForRemoval(const OpenFolder& at, const std::string& name,
                                   const std::string& shown, bool folder, const struct stat& seen,
                                   bool topLevel, std::string& current, std::size_t shortest,
                                   bool once, bool stillEmpty) {
    const int dirFd = at.fd;
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
    if (stillEmpty && (!S_ISREG(before.st_mode) || before.st_size != 0 || before.st_blocks != 0 ||
                       before.st_nlink != 1)) {
        // Its data, or the file behind another name, was not overwritten: it stays.
        reporter_.problem(shown, "was written to or linked during the run; left in place");
        return false;
    }
    if (!topLevel && !at.protectionCleared) {
        // The folder that holds it is being erased too: immutable or append-only, it would keep
        // every name it holds.
        clearProtection(dirFd);
    }
    if (folder && S_ISDIR(before.st_mode)) {
        clearProtectionOf(dirFd, name, seen);
    }
    // Where removed names stay in the folder's slots, renames would only scatter more copies of
    // them: the slots are overwritten after the removal instead. Where a rename removes the old
    // entry just as the removal does (ext), it hides nothing (see FolderFormat).
    const bool renamesHide = scrubber_.formatOf(dirFd, at.device).renamesHideNames();
    current =
        renamesHide ? hideName(dirFd, name, shown, std::max<std::size_t>(1, shortest), once) : name;
    return true;
}

bool SecureRemover::removeHidden(const OpenFolder& at, const std::string& name,
                                 const std::string& current, const std::string& shown, bool folder,
                                 const struct stat& seen, bool topLevel) {
    const int dirFd = at.fd;
    struct stat now {};
    if (::fstatat(dirFd, current.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0) {
        reporter_.failure(shown, "lstat before removal", errno);
        return false;
    }
    if (!sameInode(now, seen)) {
        reporter_.problem(shown, "was replaced during the run; left in place");
        return false;
    }
    if (const int err = calls_->unlink(dirFd, current, folder); err != 0) {
        // An entry that stays keeps the name it had, so the user still finds it.
        if (current != name && calls_->rename(dirFd, current, name, true) == 0) {
            reporter_.failure(shown, folder ? "rmdir" : "unlink", err);
        } else {
            std::string where = current == name ? shown : shown + " (now named " + current + ")";
            reporter_.failure(where, folder ? "rmdir" : "unlink", err);
        }
        return false;
    }
    if (scrubber_.formatOf(dirFd, at.device).keepsRemovedNames()) {
        scrubber_.afterRemoval(dirFd, name, topLevel);
    }
    if (journal_.noteRemoval(dirFd, at.device)) {
        namesInJournal_ = true;
    }
    return true;
}

void SecureRemover::flushFileSystemOf(int fd) {
    // The removals are made durable once per run, not one by one: by then every overwrite has
    // long been on the device.
    if (::syncfs(fd) != 0) {
        ::sync();
    }
}

// Renames NAME to random names of falling length (its own length, then halved down to SHORTEST
// characters, one unless many entries of the folder are hidden at once), or with ONCE straight
// to one name of SHORTEST characters; synced by the caller, the
// last, one-letter name then replaces the original and its length on the device where the file
// system rewrites its entries in place. Returns the name the entry has in the end. A folder that
// refuses renames only loses this extra: it is reported and the removal goes on.
std::string SecureRemover::hideName(int dirFd, const std::string& name, const std::string& shown,
                                    std::size_t shortest, bool once) {
    static const char kLetters[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string current = name;
    bool noReplaceWorks = true;
    std::vector<std::size_t> lengths{shortest};
    if (!once) {
        lengths = {name.size()};
        for (std::size_t length = name.size() / 2; length >= shortest; length /= 2) {
            lengths.push_back(length);
        }
        if (lengths.back() > shortest) {
            lengths.push_back(shortest);
        }
    }
    bool refused = false;
    for (std::size_t length : lengths) {
        bool renamed = false;
        for (int attempt = 0; attempt < 8 && !renamed && !refused; ++attempt) {
            std::string candidate(length, '0');
            for (char& c : candidate) {
                c = kLetters[random_.below(sizeof kLetters - 1)];
            }
            if (candidate == current) {
                continue;
            }
            int err = EEXIST;
            if (noReplaceWorks) {
                err = calls_->rename(dirFd, current, candidate, true);
                if (err == EINVAL || err == ENOSYS || err == ENOTSUP) {
                    noReplaceWorks = false;
                }
            }
            if (!noReplaceWorks) {
                // Without RENAME_NOREPLACE: look first, so no other entry is ever replaced.
                struct stat other {};
                if (::fstatat(dirFd, candidate.c_str(), &other, AT_SYMLINK_NOFOLLOW) == 0) {
                    err = EEXIST;
                } else {
                    err =
                        errno == ENOENT ? calls_->rename(dirFd, current, candidate, false) : errno;
                }
            }
            if (err == 0) {
                reporter_.progress(shown, "renamed to " + candidate);
                current = candidate;
                renamed = true;
            } else if (err != EEXIST) {
                reporter_.failure(shown, "rename before removal", err);
                refused = true;
            }
        }
    }
    return current;
}

} // namespace srm
