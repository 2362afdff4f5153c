#include "app/Main/WipeDisk/MetadataFiller.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

constexpr long kBtrfsMagic = 0x9123683E;

// Random letters and digits for the names of one run.
std::string randomTag(std::size_t length) {
    static const char kChars[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string tag(length, 'a');
    unsigned char bytes[256] = {};
    for (std::size_t at = 0; at < length;) {
        const ssize_t n = ::getrandom(bytes, std::min(sizeof bytes, length - at), 0);
        if (n <= 0)
            continue;
        for (ssize_t i = 0; i < n; ++i)
            tag[at++] = kChars[bytes[i] % (sizeof kChars - 1)];
    }
    return tag;
}

bool refusedForRoom(int error) {
    return error == ENOSPC || error == EDQUOT;
}

} // namespace

bool MetadataFiller::keepsDataInMetadata(int fd) {
    struct statfs fs {};
    return ::fstatfs(fd, &fs) == 0 && static_cast<long>(fs.f_type) == kBtrfsMagic;
}

std::string MetadataFiller::entryName(std::uint64_t index, const std::string& tag) {
    std::string name = ".korvane_" + std::to_string(index) + "_" + tag;
    name.resize(kNameBytes, '0');
    return name;
}

MetadataFiller::Result MetadataFiller::fill() {
    Result result;
    const std::string tag = randomTag(kNameBytes);
    std::uint64_t index = 0;
    bool refused = false;
    for (int round = 0; round < kMaxRounds && !m_cancel.load(); ++round) {
        const std::uint64_t before = result.entries;
        while (!m_cancel.load()) {
            const std::string name = entryName(++index, tag);
            const int fd = ::openat(m_folderFd, name.c_str(),
                                    O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (fd >= 0) {
                ::close(fd);
                ++result.entries;
                continue;
            }
            const int error = errno;
            if (error == EINTR || error == EEXIST)
                continue; // the same index again, or the next one
            if (refusedForRoom(error)) {
                refused = true;
                break;
            }
            result.errorNumber = error;
            result.error = QStringLiteral("cannot make a metadata fill entry: %1")
                               .arg(QString::fromLocal8Bit(std::strerror(error)));
            break;
        }
        if (result.errorNumber != 0)
            break;
        // The commit frees what this transaction pinned; the blocks it gives back are filled
        // in the next round.
        ::syncfs(m_folderFd);
        if (result.entries == before)
            break;
    }
    removeEntries(index, tag);
    result.cancelled = m_cancel.load();
    result.ok = refused && result.errorNumber == 0 && !result.cancelled;
    return result;
}

void MetadataFiller::removeEntries(std::uint64_t count, const std::string& tag) {
    // The removal copies the leaves it changes into what is still free: it is synced as well.
    for (std::uint64_t index = 1; index <= count; ++index)
        ::unlinkat(m_folderFd, entryName(index, tag).c_str(), 0);
    ::syncfs(m_folderFd);
}
