#include "app/Main/WipeDisk/FreeSpaceFiller.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/random.h>
#include <sys/statvfs.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <vector>

namespace {

// Buffer alignment and smallest piece for direct I/O.
constexpr std::size_t kDirectAlign = 4096;

// ext2, ext3 and ext4 (statfs f_type).
constexpr long kExtMagic = 0xEF53;
// New files that take only a scrap each before the volume is called full.
constexpr int kMaxScrapFiles = 16;
// Free space left after a fill that is taken for an unwritten reserve rather than slack.
constexpr std::uint64_t kReserveLeftBytes = 64u << 10;

// A full volume, as the kernel and FUSE drivers say it.
bool isFull(int error) {
    return error == ENOSPC || error == EDQUOT || error == EFBIG || error == EPERM;
}

QString errorText(const char* what, int error) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(error)));
}

} // namespace

int FreeSpaceFiller::openFillFile(int index, std::string& name, int& error) {
    name.clear();
    int fd = ::openat(m_folderFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0)
        return fd;
    name = ".korvane_" + std::to_string(index);
    fd = ::openat(m_folderFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                  0600);
    error = fd < 0 ? errno : 0;
    if (fd < 0)
        name.clear();
    return fd;
}

FreeSpaceFiller::Result FreeSpaceFiller::fill(const Progress& progress) {
    Result result;
    // Aligned for direct I/O: the bulk of a pass goes straight to the device, past the page
    // cache, as fast as the device takes it.
    std::unique_ptr<unsigned char, decltype(&std::free)> buffer(
        static_cast<unsigned char*>(std::aligned_alloc(kDirectAlign, kBlockBytes)), &std::free);
    if (!buffer) {
        result.error = QStringLiteral("out of memory");
        return result;
    }
    std::memset(buffer.get(), 0, kBlockBytes);
    struct Block {
        unsigned char* bytes;
        std::size_t length;
        unsigned char* data() { return bytes; }
        std::size_t size() const { return length; }
    } block{buffer.get(), kBlockBytes};
    auto refresh = [&] {
        if (m_pattern == Pattern::Random) {
            for (std::size_t at = 0; at < block.size();) {
                const ssize_t n = ::getrandom(block.data() + at, block.size() - at, 0);
                if (n > 0)
                    at += std::size_t(n);
            }
        }
    };
    refresh();

    std::vector<int> files;
    std::vector<std::string> names; // named files this pass made, to delete at the end
    bool full = false;
    bool failed = false;
    int index = 0;
    int scrapFiles = 0;    // files in a row that took less than a block before the volume was full
    bool fullOnce = false; // a file was full: the volume is nearly so
    while (!full && !failed && !m_cancel.load()) {
        int openError = 0;
        std::string name;
        const int fd = openFillFile(++index, name, openError);
        if (fd < 0) {
            // No room left even for a new entry counts as full once something was written.
            if (result.written > 0 && isFull(openError)) {
                full = true;
                break;
            }
            // A name taken by something else is left alone: the next one is tried.
            if (openError == EEXIST)
                continue;
            result.error = errorText("cannot create a fill file", openError);
            result.errorNumber = openError;
            result.cannotCreate = true;
            failed = true;
            break;
        }
        files.push_back(fd);
        if (!name.empty())
            names.push_back(name);

        std::uint64_t inFile = 0;
        std::size_t piece = kBlockBytes;
        // Direct I/O where the file system has it (not FUSE, not tmpfs); pieces smaller than a
        // device block go through the cache.
        const int openFlags = ::fcntl(fd, F_GETFL);
        // Not for the scraps after the first full file: the FUSE FAT driver never returns from
        // a direct write larger than the little room left.
        bool direct = scrapFiles == 0 && !fullOnce && openFlags >= 0 &&
                      ::fcntl(fd, F_SETFL, openFlags | O_DIRECT) == 0;
        auto stopDirect = [&] {
            if (direct) {
                ::fcntl(fd, F_SETFL, openFlags);
                direct = false;
            }
        };
        bool syncedAfterFull = false;
        while (!m_cancel.load()) {
            if (inFile >= kMaxFileBytes)
                break; // next file
            const std::size_t want =
                std::size_t(std::min<std::uint64_t>(piece, kMaxFileBytes - inFile));
            const ssize_t w = ::write(fd, block.data(), want);
            if (w > 0) {
                inFile += std::uint64_t(w);
                result.written += std::uint64_t(w);
                if (progress)
                    progress(result.written);
                if (m_pattern == Pattern::Random && std::size_t(w) == block.size())
                    refresh();
                continue;
            }
            const int err = w < 0 ? errno : ENOSPC;
            if (err == EINTR)
                continue;
            if (err == EINVAL && direct) {
                stopDirect(); // the file system takes no direct write of this size or place
                continue;
            }
            if (!isFull(err)) {
                result.error = errorText("cannot write a fill file", err);
                result.errorNumber = err;
                failed = true;
                break;
            }
            if (err == EFBIG && inFile > 0)
                break; // this file is as large as the file system allows: next file
            if (piece > 1) {
                piece = piece > 4096 ? 4096 : piece > 512 ? 512 : 1;
                if (piece < kDirectAlign)
                    stopDirect();
                continue;
            }
            // Nothing more fits: commit what was written and look again, since a commit can
            // give back space the journal or delayed allocation held.
            if (!syncedAfterFull) {
                ::fdatasync(fd);
                ::syncfs(fd);
                syncedAfterFull = true;
                stopDirect();
                if (m_beforeLastStretch) {
                    m_beforeLastStretch();
                    m_beforeLastStretch = nullptr;
                }
                piece = kBlockBytes;
                continue;
            }
            // Full for this file, which is not yet full for the volume: a driver may refuse to
            // extend a file while a new one still gets a cluster (the FUSE FAT driver keeps the
            // last one so). The volume is full when a new file takes no byte either, or when
            // new files keep taking only scraps (a driver that takes a byte into its cache).
            fullOnce = true;
            if (inFile > 0 && (inFile >= kBlockBytes || ++scrapFiles < kMaxScrapFiles))
                break;
            full = true;
            break;
        }
    }

    // ext2/3/4 keep blocks in reserve that only a process allowed past the reserve may take:
    // where that was not this one, the reserve is still free and unwritten, and the pass
    // cannot be called done.
    if (full && !failed && !files.empty()) {
        struct statfs fs {};
        struct statvfs vfs {};
        if (::fstatfs(files.back(), &fs) == 0 && fs.f_type == kExtMagic &&
            ::fstatvfs(files.back(), &vfs) == 0 &&
            std::uint64_t(vfs.f_bfree) * vfs.f_frsize >= kReserveLeftBytes) {
            result.error = QStringLiteral("%1 MB of free space that the file system keeps in "
                                          "reserve for the administrator could not be written")
                               .arg(double(vfs.f_bfree) * vfs.f_frsize / 1e6, 0, 'f', 1);
            result.reserveLeft = true;
            failed = true;
        }
    }

    // Every byte on the device before anything is deleted: a deleted file's dirty pages would
    // simply be dropped.
    for (int fd : files) {
        if (!result.cancelled && ::fdatasync(fd) != 0 && !failed && !m_cancel.load()) {
            result.errorNumber = errno;
            result.error = errorText("cannot flush a fill file", result.errorNumber);
            failed = true;
        }
    }
    if (full && !failed && !m_cancel.load() && m_whileFull)
        m_whileFull();
    for (int fd : files)
        ::close(fd);
    for (const std::string& name : names)
        ::unlinkat(m_folderFd, name.c_str(), 0);
    if (!files.empty())
        ::sync();
    result.cancelled = m_cancel.load();
    result.ok = full && !failed && !result.cancelled;
    return result;
}
