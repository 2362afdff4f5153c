#include "NameScrubber.h"

#include "RandomSource.h"
#include "Reporter.h"

#include "platform/walk/EntryFacts.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace srm {
namespace {

// FAT folders hold at most 65536 slots; nothing here ever makes more throw-away entries in one
// folder than that, whatever a file system reports.
constexpr std::size_t kMaxFillSlots = 65536;
// Folders whose throw-away entries wait for the end of the run, at most.
constexpr std::size_t kMaxHeldFolders = 4096;
constexpr std::uint64_t kSlotBytes = 32;

// Where the open folder FD is, for messages only.
std::string shownPath(int fd) {
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char target[4096];
    const ssize_t n = ::readlink(link, target, sizeof target);
    return n > 0 ? std::string(target, std::size_t(n)) : std::string("a folder");
}

// The free blocks of the file system of FD; false where it tells none (the FUSE FAT driver
// reports a FAT32 volume as holding no blocks at all).
bool freeBlocks(int fd, unsigned long long& blocks) {
    struct statvfs vfs {};
    if (::fstatvfs(fd, &vfs) != 0 || vfs.f_blocks == 0) {
        return false;
    }
    blocks = vfs.f_bfree;
    return true;
}

// The names of throw-away entries in the open folder FD: empty regular files with a filler name.
std::vector<std::string> fillersIn(int fd) {
    std::vector<std::string> names;
    const int dup = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (dup < 0) {
        return names;
    }
    DIR* dir = ::fdopendir(dup);
    if (dir == nullptr) {
        ::close(dup);
        return names;
    }
    ::rewinddir(dir);
    while (const dirent* entry = ::readdir(dir)) {
        if (FolderFormat::isFillerName(entry->d_name)) {
            names.emplace_back(entry->d_name);
        }
    }
    ::closedir(dir);
    std::vector<std::string> fillers;
    for (const std::string& name : names) {
        struct stat st {};
        if (::fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_size == 0 && st.st_nlink == 1) {
            fillers.push_back(name);
        }
    }
    return fillers;
}

// How drivers refuse an entry that would need a cluster on a full volume (the FUSE FAT driver
// says EPERM).
bool refusedForRoom(int error) {
    return error == ENOSPC || error == EPERM || error == EDQUOT;
}

} // namespace

NameScrubber::NameScrubber(RandomSource& random, Reporter& reporter)
    : random_(random), reporter_(reporter) {}

NameScrubber::~NameScrubber() {
    releaseAll();
}

FolderFormat NameScrubber::formatOf(int dirFd) {
    struct stat st {};
    if (::fstat(dirFd, &st) != 0) {
        return {};
    }
    return formatOf(dirFd, st.st_dev);
}

FolderFormat NameScrubber::formatOf(int dirFd, dev_t device) {
    auto it = formats_.find(device);
    if (it == formats_.end()) {
        it = formats_.emplace(device, FolderFormat::of(dirFd)).first;
    }
    return it->second;
}

NameScrubber::Folder* NameScrubber::folderFor(int dirFd, const FolderFormat& format, bool& isNew) {
    isNew = false;
    struct stat st {};
    if (!format.keepsRemovedNames() || ::fstat(dirFd, &st) != 0) {
        return nullptr;
    }
    const Key key{st.st_dev, st.st_ino};
    auto it = folders_.find(key);
    if (it != folders_.end()) {
        return &it->second;
    }
    Folder folder;
    folder.fd = ::fcntl(dirFd, F_DUPFD_CLOEXEC, 0);
    if (folder.fd < 0) {
        return nullptr;
    }
    folder.mtime = st.st_mtim;
    removeStrays(folder.fd);
    countSlots(folder, format);
    if (folders_.size() >= kMaxHeldFolders) {
        releaseAll(); // keeps the descriptors held within bounds on very scattered selections
    }
    isNew = true;
    return &folders_.emplace(key, std::move(folder)).first->second;
}

// What the folder holds, by the format's count, and what it has room for where the driver
// says (the FUSE FAT driver reports folders as empty).
void NameScrubber::countSlots(Folder& folder, const FolderFormat& format) {
    struct stat st {};
    if (::fstat(folder.fd, &st) == 0 && st.st_size > 0) {
        folder.capacity = std::uint64_t(st.st_size) / kSlotBytes;
    }
    safewalk::EntryFacts facts;
    const bool root = safewalk::readOpen(folder.fd, facts) == 0 && facts.mountRoot;
    // Entries readdir does not show: "." and ".." of a FAT subfolder; the volume label of a FAT
    // root; the allocation bitmap, up-case table, label and GUID of an exFAT root (counted
    // whether present or not: counting too many only leaves room unused).
    if (format.kind() == FolderFormat::Kind::Fat) {
        folder.used = root ? 1 : 2;
    } else {
        folder.used = root ? 4 : 0;
    }
    const int dup = ::fcntl(folder.fd, F_DUPFD_CLOEXEC, 0);
    DIR* dir = dup < 0 ? nullptr : ::fdopendir(dup);
    if (dir == nullptr) {
        if (dup >= 0) {
            ::close(dup);
        }
        folder.capacity = 0; // unknown contents: no count to rely on
        return;
    }
    ::rewinddir(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const char* n = entry->d_name;
        if (n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0'))) {
            continue;
        }
        folder.used += format.slotsFor(n);
        ++folder.entries;
    }
    ::closedir(dir);
}

void NameScrubber::removeStrays(int dirFd) {
    for (const std::string& name : fillersIn(dirFd)) {
        ::unlinkat(dirFd, name.c_str(), 0);
    }
}

bool NameScrubber::makeFiller(Folder& folder, const FolderFormat& format, std::size_t slots) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::string name = format.fillerName(slots, random_);
        const int fd = ::openat(folder.fd, name.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            folder.fillers.push_back(name);
            ++fillersMade_;
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    return false;
}

bool NameScrubber::placeFiller(Folder& folder, const FolderFormat& format, std::size_t slots) {
    unsigned long long before = 0, after = 0;
    const bool watch = folder.stays && freeBlocks(folder.fd, before);
    if (!makeFiller(folder, format, slots)) {
        folder.stopped = true;
        reporter_.warning(shownPath(folder.fd) +
                          ": the places of removed names could not be "
                          "overwritten: " +
                          std::strerror(errno));
        return false;
    }
    folder.used += slots;
    ++folder.entries;
    if (watch && freeBlocks(folder.fd, after) && after < before) {
        // The entry did not fit where the removed one was: the folder took another cluster.
        // It is not grown any further.
        folder.stopped = true;
        reporter_.warning(shownPath(folder.fd) + ": a removed name's place could not be "
                                                 "overwritten without growing the folder");
        return false;
    }
    return true;
}

void NameScrubber::afterRemoval(int dirFd, const std::string& name, bool stays) {
    const FolderFormat format = formatOf(dirFd);
    bool isNew = false;
    Folder* folder = folderFor(dirFd, format, isNew);
    if (folder == nullptr) {
        return;
    }
    folder->stays = folder->stays || stays;
    const std::size_t slots = format.slotsFor(name);
    if (!isNew) {
        // A new folder was counted after the removal.
        folder->used -= std::min<std::uint64_t>(folder->used, slots);
        folder->entries -= std::min<std::uint64_t>(folder->entries, 1);
    }
    if (folder->stopped || slots < format.minSlots()) {
        return; // no entry is that small here: an 8.3 slot that only the driver reuses
    }
    if (!placeFiller(*folder, format, slots)) {
        return;
    }
    // Gaps before the removed entry take entries first. While the free slots exceed what gaps
    // too small for SLOTS could hold between all the entries, another one surely fits in an
    // existing gap, so it never grows the folder.
    for (std::size_t extra = 0; extra < kMaxFillSlots; extra += slots) {
        if (!surelyFits(*folder, slots) || !placeFiller(*folder, format, slots)) {
            break;
        }
    }
}

bool NameScrubber::surelyFits(const Folder& folder, std::size_t slots) {
    if (folder.capacity == 0) {
        return false;
    }
    const std::uint64_t free = folder.capacity > folder.used ? folder.capacity - folder.used : 0;
    return free >= slots + (slots - 1) * (folder.entries + 1);
}

NameScrubber::Folder* NameScrubber::stayingFolder(int folderFd, FolderFormat& format) {
    format = formatOf(folderFd);
    bool isNew = false;
    Folder* folder = folderFor(folderFd, format, isNew);
    if (folder != nullptr) {
        folder->stays = true;
    }
    return folder;
}

bool NameScrubber::fillFreeSlots(int folderFd) {
    FolderFormat format;
    Folder* folder = stayingFolder(folderFd, format);
    if (folder == nullptr) {
        return !format.keepsRemovedNames();
    }
    const bool sizeKnown = folder->capacity > 0;
    std::size_t filled = 0;
    for (std::size_t slots = format.maxSlots(); slots >= format.minSlots() && !folder->stopped;
         --slots) {
        while (filled < kMaxFillSlots && surelyFits(*folder, slots) &&
               placeFiller(*folder, format, slots)) {
            filled += slots;
        }
    }
    const bool complete = sizeKnown && !folder->stopped;
    release(folderFd);
    return complete;
}

bool NameScrubber::fillFreeSlotsOfFullVolume(int folderFd) {
    FolderFormat format;
    Folder* folder = stayingFolder(folderFd, format);
    if (folder == nullptr) {
        return !format.keepsRemovedNames();
    }
    bool complete = true;
    std::size_t filled = 0;
    for (std::size_t slots = format.maxSlots(); slots >= format.minSlots() && complete; --slots) {
        while (filled < kMaxFillSlots && makeFiller(*folder, format, slots)) {
            filled += slots;
        }
        const int error = errno;
        if (filled >= kMaxFillSlots) {
            reporter_.warning(shownPath(folder->fd) + ": more free slots than a folder can hold; "
                                                      "is the volume really full?");
            complete = false;
        } else if (!refusedForRoom(error)) {
            reporter_.warning(shownPath(folder->fd) +
                              ": a throw-away entry could not be made: " + std::strerror(error));
            complete = false;
        }
    }
    release(folderFd);
    return complete;
}

bool NameScrubber::takesAnotherByte(int dirFd) {
    const FolderFormat format = formatOf(dirFd);
    if (!format.keepsRemovedNames()) {
        return false;
    }
    // Where the file system counts its blocks, the count tells; the FUSE FAT driver, which
    // counts none on FAT32, is asked with a byte (it may take a byte into its cache on a full
    // volume, which only makes a full volume look not full: the safe side).
    struct statvfs vfs {};
    if (::fstatvfs(dirFd, &vfs) == 0 && vfs.f_blocks > 0) {
        return vfs.f_bfree > 0;
    }
    const std::string name = format.fillerName(format.maxSlots(), random_);
    const int fd =
        ::openat(dirFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false; // not even the entry fits
    }
    const char byte = 0;
    // A FUSE driver may take the byte into its cache and refuse it only when it is flushed.
    const bool took = ::write(fd, &byte, 1) == 1 && ::fsync(fd) == 0;
    // Empty again, so that a stray left by a killed run is recognised as a throw-away entry.
    ::ftruncate(fd, 0);
    ::close(fd);
    ::unlinkat(dirFd, name.c_str(), 0);
    return took;
}

void NameScrubber::beforeFolderRemoval(int folderFd) {
    const FolderFormat format = formatOf(folderFd);
    bool isNew = false;
    Folder* folder = folderFor(folderFd, format, isNew);
    if (folder == nullptr) {
        return;
    }
    // Whatever older gaps the folder has: the smallest entries fill every run of free slots,
    // until one needs a new cluster, which the removal of the folder frees again.
    // Only where growth shows, in the folder's size or in the free blocks.
    struct stat st {};
    unsigned long long blocks = 0;
    const bool blocksShow = freeBlocks(folder->fd, blocks);
    if (!folder->stopped && ::fstat(folder->fd, &st) == 0 && (st.st_size > 0 || blocksShow)) {
        const std::size_t slots = format.minSlots();
        for (std::size_t filled = 0; filled < kMaxFillSlots; filled += slots) {
            if (!makeFiller(*folder, format, slots)) {
                break;
            }
            struct stat now {};
            unsigned long long left = 0;
            if (::fstat(folder->fd, &now) != 0 || now.st_size > st.st_size ||
                (blocksShow && (!freeBlocks(folder->fd, left) || left < blocks))) {
                break;
            }
        }
    }
    removeFillers(*folder);
    // Throw-away entries of a killed run that were never registered in this one.
    removeStrays(folder->fd);
    struct stat key {};
    if (::fstat(folderFd, &key) == 0) {
        forget(folders_.find({key.st_dev, key.st_ino}), false);
    }
}

void NameScrubber::release(int folderFd) {
    struct stat st {};
    if (::fstat(folderFd, &st) != 0) {
        return;
    }
    auto it = folders_.find({st.st_dev, st.st_ino});
    if (it != folders_.end()) {
        removeFillers(it->second);
        forget(it, true);
    }
}

void NameScrubber::releaseAll() {
    std::set<dev_t> synced;
    while (!folders_.empty()) {
        auto it = folders_.begin();
        removeFillers(it->second);
        // Each file system once: the removals of throw-away entries become durable with it.
        if (synced.insert(it->first.first).second) {
            ::syncfs(it->second.fd);
        }
        forget(it, true);
    }
}

void NameScrubber::removeFillers(Folder& folder) {
    for (const std::string& name : folder.fillers) {
        if (::unlinkat(folder.fd, name.c_str(), 0) != 0 && errno != ENOENT) {
            reporter_.warning(shownPath(folder.fd) + "/" + name +
                              ": a throw-away entry could not be removed: " + std::strerror(errno));
        }
    }
    folder.fillers.clear();
}

void NameScrubber::forget(std::map<Key, Folder>::iterator it, bool restoreTime) {
    if (it == folders_.end()) {
        return;
    }
    if (restoreTime) {
        // The throw-away entries are not the user's change: the folder keeps the time the
        // removals gave it.
        const struct timespec times[2] = {{0, UTIME_OMIT}, it->second.mtime};
        ::futimens(it->second.fd, times);
    }
    ::close(it->second.fd);
    folders_.erase(it);
}

} // namespace srm
