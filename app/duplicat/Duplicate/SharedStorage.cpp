#include "app/duplicat/Duplicate/SharedStorage.h"

#include <QHash>
#include <cstring>
#include <fcntl.h>
#include <linux/fiemap.h>
#include <linux/fs.h>
#include <mutex>
#include <sys/ioctl.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <vector>

namespace {

struct Extent {
    std::uint64_t logical, physical, length;
    bool operator==(const Extent&) const = default;
};

// The file's extents when every one of them is shared; empty otherwise (or unknown).
std::vector<Extent> sharedExtents(const QByteArray& path) {
    std::vector<Extent> out;
    const int fd =
        ::open(path.constData(), O_RDONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    if (fd < 0)
        return out;
    constexpr unsigned kBatch = 128;
    std::vector<char> raw(sizeof(fiemap) + kBatch * sizeof(fiemap_extent));
    auto* map = reinterpret_cast<fiemap*>(raw.data());
    std::uint64_t start = 0;
    bool done = false;
    while (!done) {
        std::memset(raw.data(), 0, raw.size());
        map->fm_start = start;
        map->fm_length = FIEMAP_MAX_OFFSET - start;
        map->fm_flags = FIEMAP_FLAG_SYNC;
        map->fm_extent_count = kBatch;
        if (::ioctl(fd, FS_IOC_FIEMAP, map) != 0 || map->fm_mapped_extents == 0) {
            out.clear();
            break;
        }
        for (unsigned i = 0; i < map->fm_mapped_extents; ++i) {
            const fiemap_extent& e = map->fm_extents[i];
            constexpr unsigned kUnsure = FIEMAP_EXTENT_UNKNOWN | FIEMAP_EXTENT_DELALLOC |
                                         FIEMAP_EXTENT_DATA_INLINE | FIEMAP_EXTENT_NOT_ALIGNED |
                                         FIEMAP_EXTENT_DATA_TAIL;
            if (!(e.fe_flags & FIEMAP_EXTENT_SHARED) || (e.fe_flags & kUnsure)) {
                ::close(fd);
                return {};
            }
            out.push_back({e.fe_logical, e.fe_physical, e.fe_length});
            start = e.fe_logical + e.fe_length;
            if (e.fe_flags & FIEMAP_EXTENT_LAST)
                done = true;
        }
    }
    ::close(fd);
    return out;
}

// Only these file systems share extents between files; elsewhere FIEMAP is not asked.
bool mayShareExtents(const QByteArray& path, dev_t device) {
    static std::mutex lock;
    static QHash<quint64, bool> known;
    std::lock_guard guard(lock);
    const auto it = known.constFind(quint64(device));
    if (it != known.constEnd())
        return *it;
    struct statfs fs {};
    bool may = false;
    if (::statfs(path.constData(), &fs) == 0) {
        const unsigned long type = static_cast<unsigned long>(fs.f_type);
        may = type == 0x9123683EUL /* btrfs */ || type == 0x58465342UL /* xfs */ ||
              type == 0xca451a4eUL /* bcachefs */ || type == 0x7461636fUL /* ocfs2 */;
    }
    known.insert(quint64(device), may);
    return may;
}

} // namespace

bool SharedStorage::sharesAllExtents(const QByteArray& a, const QByteArray& b) {
    const std::vector<Extent> ea = sharedExtents(a);
    return !ea.empty() && ea == sharedExtents(b);
}

void SharedStorage::annotate(const QList<fileAttrbItemPtr>& group) {
    std::vector<std::vector<Extent>> extents(std::size_t(group.size()));
    std::vector<bool> read(std::size_t(group.size()), false);
    const auto extentsOf = [&](qsizetype i) -> const std::vector<Extent>& {
        if (!read[std::size_t(i)]) {
            read[std::size_t(i)] = true;
            if (mayShareExtents(group[i]->nativePath, group[i]->device))
                extents[std::size_t(i)] = sharedExtents(group[i]->nativePath);
        }
        return extents[std::size_t(i)];
    };
    for (qsizetype i = 0; i < group.size(); ++i) {
        fileAttrbItem& item = *group[i];
        item.sharesWith = -1;
        item.storage = fileAttrbItem::Storage::Own;
        for (qsizetype j = 0; j < i; ++j) {
            const fileAttrbItem& other = *group[j];
            if (other.device != item.device)
                continue;
            if (other.inode == item.inode) {
                item.sharesWith = int(other.sharesWith >= 0 ? other.sharesWith : j);
                item.storage = item.links > 1 ? fileAttrbItem::Storage::HardLink
                                              : fileAttrbItem::Storage::SameFile;
                break;
            }
            if (!extentsOf(i).empty() && extentsOf(i) == extentsOf(j)) {
                item.sharesWith = int(other.sharesWith >= 0 ? other.sharesWith : j);
                item.storage = fileAttrbItem::Storage::Reflink;
                break;
            }
        }
    }
}

int SharedStorage::distinctCopies(const QList<fileAttrbItemPtr>& group) {
    int count = 0;
    for (const fileAttrbItemPtr& item : group)
        if (item->sharesWith < 0)
            ++count;
    return count;
}
