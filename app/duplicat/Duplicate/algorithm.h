#pragma once

#include "app/duplicat/Duplicate/fileAttrbItem.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <atomic>
#include <cstdint>
#include <memory>

// The comparison engine: reads files and digests them, and the group search for one file
// against a list of candidates. One engine per thread: its 4 MiB buffer is its own.
//
// A file is opened only when it is still the regular file that was collected (same device and
// inode; a fifo or device put in its place is never read). Whole files are read in 4 MiB chunks;
// what the reading brought into the page cache is dropped again (posix_fadvise DONTNEED), so
// digesting a large tree does not push everything else out of the cache, while pages that were
// cached before are left alone (cachestat, where the kernel has it; otherwise every chunk read
// is dropped). On a memory file system (tmpfs, ramfs) the cached pages are the file itself, so
// none of that is asked there. The stop flag is read between chunks, so a stop does not wait for
// a large file.
class algorithm {
public:
    static constexpr std::size_t kBufferSize = 4u * 1024 * 1024;
    static constexpr std::size_t kHeadSize = 1024;

    algorithm();
    ~algorithm();
    algorithm(const algorithm&) = delete;
    algorithm& operator=(const algorithm&) = delete;

    // A stop flag read inside the read loops (a stopped read fails).
    void setStopFlag(const std::atomic<bool>* stop) { m_stop = stop; }

    // Length of the file's content; 0 (logged) when it cannot be opened.
    static std::uint64_t getFileSize(const QByteArray& nativePath);
    static std::uint64_t getFileSize(const QString& path);

    // A file kept open between its head digest and its whole digest, with the register after
    // the head: the whole digest then goes on from byte 1024 instead of opening and reading the
    // head again (the value is the same).
    struct Held {
        int fd = -1;
        std::uint64_t reg = 0;
        std::uint64_t offset = 0;
        std::uint64_t size = 0;
        bool broughtIn = false; // the head was not in the cache before it was read
        void release();
        ~Held() { release(); }
    };

    // Digest of the first 1024 bytes into md5_1k. A file of at most 1024 bytes gets its whole
    // digest (md5) at the same time: the value is the same. With KEEP the file stays open there.
    bool getMD5_1K(fileAttrbItem& item, Held* keep = nullptr);
    // Digest of the whole content into md5. Fails for an empty or unreadable file, or one whose
    // size changed since it was collected. With HELD (from getMD5_1K) it goes on from there.
    bool getMD5(fileAttrbItem& item, Held* held = nullptr);

    // The group search for one file (ANCHOR): candidates of its size, then equal head and whole
    // digests, ANCHOR's whole digest first.
    static bool findFileWithSize(const QList<fileAttrbItemPtr>& list, QList<fileAttrbItemPtr>& out,
                                 const fileAttrbItemPtr& item);
    bool findFileWithMd5(const QList<fileAttrbItemPtr>& sameSize, QList<fileAttrbItemPtr>& out,
                         const fileAttrbItemPtr& anchor);
    bool getDuplicateFile(const fileAttrbItemPtr& anchor, const QList<fileAttrbItemPtr>& candidates,
                          QList<fileAttrbItemPtr>& result);

    // The digest fields hold a value (computed, or known to have failed).
    static bool headKnown(const fileAttrbItem& item) { return item.md5_1k != 0 || item.headFailed; }
    static bool wholeKnown(const fileAttrbItem& item) { return item.md5 != 0 || item.wholeFailed; }
    // Computes what is missing; false when it failed.
    bool ensureHead(fileAttrbItem& item, Held* keep = nullptr);
    bool ensureWhole(fileAttrbItem& item, Held* held = nullptr);

    // Byte-for-byte comparison of two files' contents (used before a copy is deleted).
    // False when they differ or either cannot be read; WHY says which.
    bool sameContent(const QByteArray& a, const QByteArray& b, QString* why = nullptr);

private:
    int openCollected(const fileAttrbItem& item, struct stat& st, const char* logFormat);
    bool digestRest(fileAttrbItem& item, int fd, std::uint64_t size, std::uint64_t offset,
                    std::uint64_t reg, bool broughtIn);
    bool stopped() const { return m_stop && m_stop->load(std::memory_order_relaxed); }
    bool cacheMatters(int fd, dev_t device);

    unsigned char* m_buffer = nullptr;
    unsigned char* m_second = nullptr; // for sameContent, made on first use
    const std::atomic<bool>* m_stop = nullptr;
    // The file system last asked about by cacheMatters (files of one device come in runs).
    bool m_cacheKnown = false;
    dev_t m_cacheDevice = 0;
    bool m_cacheMatters = true;
};
