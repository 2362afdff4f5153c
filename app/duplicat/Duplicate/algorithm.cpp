#include "app/duplicat/Duplicate/algorithm.h"

#include "app/duplicat/Duplicate/crc.h"
#include "platform/Logger.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

#ifndef SYS_cachestat
#if defined(__x86_64__) || defined(__aarch64__)
#define SYS_cachestat 451
#endif
#endif

struct CachestatRange {
    std::uint64_t off;
    std::uint64_t len;
};
struct Cachestat {
    std::uint64_t nr_cache;
    std::uint64_t nr_dirty;
    std::uint64_t nr_writeback;
    std::uint64_t nr_evicted;
    std::uint64_t nr_recently_evicted;
};

std::atomic<bool> g_noCachestat{false};

// Whether every page of [OFFSET, OFFSET+LENGTH) of FD is in the page cache already. Unknown
// (no cachestat) counts as not cached, so the pages read are dropped.
bool allCached(int fd, std::uint64_t offset, std::uint64_t length) {
#ifdef SYS_cachestat
    if (length == 0 || g_noCachestat.load(std::memory_order_relaxed))
        return false;
    const long page = 4096;
    CachestatRange range{offset, length};
    Cachestat cs{};
    if (::syscall(SYS_cachestat, fd, &range, &cs, 0) != 0) {
        if (errno == ENOSYS)
            g_noCachestat = true;
        return false;
    }
    const std::uint64_t first = offset / page;
    const std::uint64_t last = (offset + length - 1) / page;
    return cs.nr_cache >= last - first + 1;
#else
    (void)fd;
    (void)offset;
    (void)length;
    return false;
#endif
}

// Drops from the page cache the pages of [BEGIN, END) (to the end of the file when END is 0).
// The kernel drops only whole pages inside the range, which kept the last page of every small
// file; here the page holding END goes too, and the one holding BEGIN when WHOLEFIRST says it
// was read in by this read as well.
void dropPages(int fd, std::uint64_t begin, std::uint64_t end, bool wholeFirst) {
    const std::uint64_t page = 4096;
    const std::uint64_t from = wholeFirst ? begin / page * page : begin;
    const std::uint64_t to = end == 0 ? 0 : (end + page - 1) / page * page;
    ::posix_fadvise(fd, off_t(from), end == 0 ? 0 : off_t(to - from), POSIX_FADV_DONTNEED);
}

ssize_t readFull(int fd, unsigned char* buffer, std::size_t length, off_t offset) {
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = ::pread(fd, buffer + done, length - done, offset + off_t(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (n == 0)
            break;
        done += std::size_t(n);
    }
    return ssize_t(done);
}

// O_NONBLOCK: should a fifo have been put in the file's place, opening it does not hang (and
// the type check after it then refuses it). O_NOATIME where the file is ours.
constexpr int kOpenFlags = O_RDONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK;

int openForReading(const char* path) {
    int fd = ::open(path, kOpenFlags | O_NOATIME);
    if (fd < 0 && errno == EPERM)
        fd = ::open(path, kOpenFlags);
    return fd;
}

} // namespace

algorithm::algorithm() {
    m_buffer = static_cast<unsigned char*>(std::aligned_alloc(4096, kBufferSize));
}

algorithm::~algorithm() {
    std::free(m_buffer);
    std::free(m_second);
}

bool algorithm::cacheMatters(int fd, dev_t device) {
    if (!m_cacheKnown || device != m_cacheDevice) {
        struct statfs fs {};
        const bool memory =
            ::fstatfs(fd, &fs) == 0 && (fs.f_type == TMPFS_MAGIC || fs.f_type == RAMFS_MAGIC);
        m_cacheKnown = true;
        m_cacheDevice = device;
        m_cacheMatters = !memory;
    }
    return m_cacheMatters;
}

std::uint64_t algorithm::getFileSize(const QString& path) {
    return getFileSize(QFile::encodeName(path));
}

std::uint64_t algorithm::getFileSize(const QByteArray& nativePath) {
    const int fd = openForReading(nativePath.constData());
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        Logger::log(
            QStringLiteral("open file failed:%1").arg(fileAttrbItem::displayPath(nativePath)));
        if (fd >= 0)
            ::close(fd);
        return 0;
    }
    ::close(fd);
    return std::uint64_t(st.st_size);
}

int algorithm::openCollected(const fileAttrbItem& item, struct stat& st, const char* logFormat) {
    const int fd = openForReading(item.nativePath.constData());
    if (fd < 0) {
        Logger::log(QString::fromLatin1(logFormat).arg(item.filePathName) + QStringLiteral(": ") +
                    QString::fromLocal8Bit(std::strerror(errno)));
        return -1;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        (item.inode != 0 && (st.st_ino != item.inode || st.st_dev != item.device))) {
        Logger::log(QString::fromLatin1(logFormat).arg(item.filePathName) +
                    QStringLiteral(": not the regular file that was collected"));
        ::close(fd);
        return -1;
    }
    return fd;
}

void algorithm::Held::release() {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

bool algorithm::getMD5_1K(fileAttrbItem& item, Held* keep) {
    struct stat st {};
    const int fd = openCollected(item, st, "open file:%1 failed");
    if (fd < 0)
        return false;
    // A file shorter than the head is read to the length it had at the fstat above, which
    // spares the read that would only report its end.
    const std::size_t want = std::min<std::uint64_t>(std::uint64_t(st.st_size), kHeadSize);
    const bool cached = !cacheMatters(fd, st.st_dev) || allCached(fd, 0, want);
    if (!cached)
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_RANDOM); // no read-ahead for 1024 bytes
    const ssize_t n = readFull(fd, m_buffer, want, 0);
    if (!cached)
        dropPages(fd, 0, want, true);
    if (n < 0) {
        ::close(fd);
        Logger::log(QStringLiteral("read file:%1 failed").arg(item.filePathName));
        return false;
    }
    item.md5_1k = crc::crc64(m_buffer, std::uint32_t(n));
    // The whole content was read: its digest is the same value.
    const bool whole =
        n > 0 && std::uint64_t(n) == std::uint64_t(st.st_size) && std::uint64_t(n) == item.fileSize;
    if (whole)
        item.md5 = item.md5_1k;
    if (keep && !whole && std::size_t(n) == kHeadSize) {
        keep->release();
        if (!cached)
            ::posix_fadvise(fd, 0, 0, POSIX_FADV_NORMAL);
        keep->fd = fd;
        keep->reg = item.md5_1k;
        keep->offset = kHeadSize;
        keep->size = std::uint64_t(st.st_size);
        keep->broughtIn = !cached;
        return true;
    }
    ::close(fd);
    return true;
}

bool algorithm::getMD5(fileAttrbItem& item, Held* held) {
    if (held && held->fd >= 0) {
        const int fd = held->fd;
        held->fd = -1;
        return digestRest(item, fd, held->size, held->offset, held->reg, held->broughtIn);
    }
    struct stat st {};
    const int fd = openCollected(item, st, "open file :%1 failed");
    if (fd < 0)
        return false;
    if (st.st_size == 0) {
        ::close(fd);
        return false;
    }
    return digestRest(item, fd, std::uint64_t(st.st_size), 0, crc::kStart, false);
}

// Reads FD from OFFSET to SIZE (its length at the fstat after opening) in 4 MiB chunks, going on
// from REG; closes FD. A file whose length is not the one collected has changed and gets no
// digest; reading to the known length spares the read that would only report the end. Once a
// chunk was not all in the cache, this read is what brings the file in: that chunk and every
// one after it are dropped again (the next chunk would otherwise look cached through the
// read-ahead of the one before). BROUGHTIN: the head was not cached either, so everything read
// is dropped.
bool algorithm::digestRest(fileAttrbItem& item, int fd, std::uint64_t size, std::uint64_t offset,
                           std::uint64_t reg, bool broughtIn) {
    if (size != item.fileSize) {
        ::close(fd);
        return false;
    }
    bool ok = true;
    const bool mind = cacheMatters(fd, item.device);
    bool ours = mind && broughtIn;
    // Whether the page a chunk starts in was read in by this read (the head, or the chunk before
    // ends in it): then it is dropped with the chunk.
    bool firstPageOurs = ours;
    for (;;) {
        if (stopped()) {
            ok = false;
            break;
        }
        if (offset >= size)
            break;
        const std::size_t want = std::min<std::uint64_t>(size - offset, kBufferSize);
        if (mind && !ours && !allCached(fd, offset, want))
            ours = true;
        const ssize_t n = readFull(fd, m_buffer, want, off_t(offset));
        if (ours && n > 0)
            dropPages(fd, offset, offset + std::uint64_t(n), firstPageOurs);
        firstPageOurs = ours;
        if (n < 0) {
            Logger::log(QStringLiteral("read file :%1 failed: %2")
                            .arg(item.filePathName, QString::fromLocal8Bit(std::strerror(errno))));
            ok = false;
            break;
        }
        reg = crc::update(reg, m_buffer, std::size_t(n));
        offset += std::uint64_t(n);
        if (std::size_t(n) < want)
            break; // it shrank
    }
    // Read-ahead past where a stopped or failed read ended.
    if (ours && !ok)
        dropPages(fd, offset, 0, firstPageOurs);
    ::close(fd);
    // A file that grew or shrank since it was collected is not the file that was compared.
    if (!ok || offset != item.fileSize)
        return false;
    item.md5 = reg;
    return true;
}

bool algorithm::ensureHead(fileAttrbItem& item, Held* keep) {
    if (item.md5_1k != 0)
        return true;
    if (item.headFailed)
        return false;
    if (getMD5_1K(item, keep))
        return true;
    item.headFailed = !stopped();
    return false;
}

bool algorithm::ensureWhole(fileAttrbItem& item, Held* held) {
    if (item.md5 != 0)
        return true;
    if (item.wholeFailed)
        return false;
    if (getMD5(item, held))
        return true;
    item.wholeFailed = !stopped();
    return false;
}

bool algorithm::findFileWithSize(const QList<fileAttrbItemPtr>& list, QList<fileAttrbItemPtr>& out,
                                 const fileAttrbItemPtr& item) {
    for (const fileAttrbItemPtr& other : list)
        if (other->fileSize == item->fileSize)
            out.append(other);
    return true;
}

bool algorithm::findFileWithMd5(const QList<fileAttrbItemPtr>& sameSize,
                                QList<fileAttrbItemPtr>& out, const fileAttrbItemPtr& anchor) {
    if (!ensureWhole(*anchor) || !ensureHead(*anchor))
        return false;
    QList<fileAttrbItemPtr> found;
    for (const fileAttrbItemPtr& candidate : sameSize) {
        if (!ensureHead(*candidate) || candidate->md5_1k != anchor->md5_1k)
            continue;
        if (!ensureWhole(*candidate) || candidate->md5 != anchor->md5)
            continue;
        found.append(candidate);
    }
    if (!found.isEmpty()) {
        found.append(anchor);
        out.append(found);
    }
    return true;
}

bool algorithm::getDuplicateFile(const fileAttrbItemPtr& anchor,
                                 const QList<fileAttrbItemPtr>& candidates,
                                 QList<fileAttrbItemPtr>& result) {
    if (!anchor)
        return false;
    QList<fileAttrbItemPtr> sameSize;
    findFileWithSize(candidates, sameSize, anchor);
    if (sameSize.isEmpty())
        return false;
    return findFileWithMd5(sameSize, result, anchor);
}

bool algorithm::sameContent(const QByteArray& a, const QByteArray& b, QString* why) {
    if (!m_second)
        m_second = static_cast<unsigned char*>(std::aligned_alloc(4096, kBufferSize));
    const auto say = [why](const QString& text) {
        if (why)
            *why = text;
        return false;
    };
    const int fa = openForReading(a.constData());
    if (fa < 0)
        return say(QStringLiteral("it cannot be read: %1")
                       .arg(QString::fromLocal8Bit(std::strerror(errno))));
    const int fb = openForReading(b.constData());
    if (fb < 0) {
        const int err = errno;
        ::close(fa);
        return say(QStringLiteral("the copy that stays cannot be read: %1")
                       .arg(QString::fromLocal8Bit(std::strerror(err))));
    }
    struct stat sa {
    }, sb{};
    bool same = false;
    QString problem;
    if (::fstat(fa, &sa) != 0 || ::fstat(fb, &sb) != 0 || !S_ISREG(sa.st_mode) ||
        !S_ISREG(sb.st_mode)) {
        problem = QStringLiteral("it is no longer a regular file");
    } else if (sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino) {
        problem = QStringLiteral("it is the same file as the copy that stays");
    } else if (sa.st_size != sb.st_size) {
        problem = QStringLiteral("its size differs from the copy that stays");
    } else {
        same = true;
        for (off_t offset = 0;;) {
            if (stopped()) {
                same = false;
                problem = QStringLiteral("stopped");
                break;
            }
            const ssize_t na = readFull(fa, m_buffer, kBufferSize, offset);
            const ssize_t nb = readFull(fb, m_second, kBufferSize, offset);
            if (na < 0 || nb < 0) {
                same = false;
                problem = QStringLiteral("a read failed while comparing");
                break;
            }
            if (na != nb || std::memcmp(m_buffer, m_second, std::size_t(na)) != 0) {
                same = false;
                problem = QStringLiteral("its content differs from the copy that stays");
                break;
            }
            if (na == 0)
                break;
            offset += na;
        }
    }
    ::close(fa);
    ::close(fb);
    return same ? true : say(problem);
}
