#include "app/Main/WipeDisk/WipeWorkFolder.h"
#include "platform/FdWrite.h"

#include "app/Main/WipeDisk/FreeSpaceWipeLock.h"

#include <QFile>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>

namespace {

// How many names are tried before giving up: a volume does not hold a hundred folders of ours.
constexpr int kNamesTried = 100;
// The marker's smallest size, at least one cluster of every FAT and exFAT volume.
constexpr int kMarkerMinBytes = 64 * 1024;

QString errnoText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString newRunId() {
    unsigned char bytes[16] = {};
    if (::getrandom(bytes, sizeof bytes, 0) != ssize_t(sizeof bytes))
        return QString::number(::getpid()) + QLatin1Char('-') + QString::number(::time(nullptr));
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes).toHex());
}

// The entry names of the folder FD, read through a descriptor of its own.
std::vector<std::string> entriesOf(int fd) {
    std::vector<std::string> names;
    const int own = ::openat(fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (own < 0)
        return names;
    DIR* dir = ::fdopendir(own);
    if (!dir) {
        ::close(own);
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

} // namespace

bool WipeWorkFolder::isWorkFolderName(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^\\.Korvane(-[0-9]+)?$"));
    return pattern.match(name).hasMatch();
}

bool WipeWorkFolder::isFillFileName(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^\\.korvane_[0-9]+(_[0-9a-z]+)?$"));
    return pattern.match(name).hasMatch();
}

bool WipeWorkFolder::hasMarker(int folderFd) {
    const int fd = ::openat(folderFd, kMarkerName, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    char head[128] = {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    const ssize_t n = regular ? ::read(fd, head, sizeof head - 1) : -1;
    ::close(fd);
    const std::size_t line = std::strlen(kMarkerFirstLine);
    return n > ssize_t(line) && std::memcmp(head, kMarkerFirstLine, line) == 0 &&
           head[line] == '\n';
}

WipeWorkFolder::~WipeWorkFolder() {
    remove();
}

WipeWorkFolder::Outcome WipeWorkFolder::make(int rootFd) {
    remove();
    m_error.clear();
    m_runId = newRunId();
    for (int i = 1; i <= kNamesTried; ++i) {
        const QString name = i == 1 ? kBaseName : kBaseName + QStringLiteral("-%1").arg(i);
        const QByteArray native = QFile::encodeName(name);
        // mkdir makes a new folder or fails: whatever has this name already is left alone.
        if (::mkdirat(rootFd, native.constData(), 0700) != 0) {
            const int error = errno;
            if (error == EEXIST)
                continue;
            m_error =
                QStringLiteral("cannot make the work folder %1: %2").arg(name, errnoText(error));
            return error == EROFS                      ? Outcome::ReadOnly
                   : error == EACCES || error == EPERM ? Outcome::NoPermission
                                                       : Outcome::Failed;
        }
        const int fd =
            ::openat(rootFd, native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) {
            m_error = QStringLiteral("the new work folder %1 was replaced: %2")
                          .arg(name, errnoText(errno));
            return Outcome::Failed;
        }
        const int marker =
            ::openat(fd, kMarkerName, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        QByteArray text = QByteArray(kMarkerFirstLine) + "\nrun " + m_runId.toLatin1() + "\npid " +
                          QByteArray::number(::getpid()) + '\n';
        // Whole blocks of the marker's own: its blocks are taken before the fill and freed
        // after it, and on FAT and exFAT the unwritten rest of a cluster keeps what a deleted
        // file left there.
        struct statvfs vfs {};
        const std::uint64_t block =
            ::fstatvfs(fd, &vfs) == 0 && vfs.f_frsize > 0 ? std::uint64_t(vfs.f_frsize) : 4096;
        const std::uint64_t size = (std::uint64_t(kMarkerMinBytes) + block - 1) / block * block;
        text.append(QByteArray(qsizetype(size) - text.size(), '\0'));
        const bool written = marker >= 0 && FdWrite::all(marker, text);
        const int error = errno;
        if (marker >= 0)
            ::close(marker);
        // A descriptor of its own (not a duplicate, which would share the lock's flock), so the
        // folder can be removed whatever became of the lock.
        m_rootFd = ::openat(rootFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        m_fd = fd;
        m_name = name;
        if (!written) {
            remove();
            m_error = QStringLiteral("cannot write the marker of the work folder %1: %2")
                          .arg(name, errnoText(error));
            return error == EACCES || error == EPERM ? Outcome::NoPermission : Outcome::Failed;
        }
        return Outcome::Made;
    }
    m_error = QStringLiteral("no free name for the work folder (%1 to %1-%2 are taken)")
                  .arg(kBaseName)
                  .arg(kNamesTried);
    return Outcome::Failed;
}

bool WipeWorkFolder::remove() {
    if (m_fd < 0)
        return true;
    const bool removed =
        m_rootFd >= 0 && clear(m_rootFd, m_fd, QFile::encodeName(m_name).toStdString());
    ::close(m_fd);
    if (m_rootFd >= 0)
        ::close(m_rootFd);
    m_fd = -1;
    m_rootFd = -1;
    return removed;
}

bool WipeWorkFolder::clear(int rootFd, int folderFd, const std::string& name) {
    for (const std::string& entry : entriesOf(folderFd)) {
        struct stat st {};
        if (isFillFileName(QFile::decodeName(entry.c_str())) &&
            ::fstatat(folderFd, entry.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(st.st_mode))
            ::unlinkat(folderFd, entry.c_str(), 0);
    }
    // The marker goes last among the files, and only when nothing else is left: a folder that
    // keeps something stays recognisable as ours.
    if (entriesOf(folderFd) == std::vector<std::string>{kMarkerName})
        ::unlinkat(folderFd, kMarkerName, 0);
    // Only the folder that was opened, in case the name now means something else.
    struct stat opened {
    }, named{};
    if (::fstat(folderFd, &opened) != 0 ||
        ::fstatat(rootFd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 ||
        opened.st_dev != named.st_dev || opened.st_ino != named.st_ino)
        return false;
    return ::unlinkat(rootFd, name.c_str(), AT_REMOVEDIR) == 0;
}

QStringList WipeWorkFolder::sweep(int rootFd) {
    QStringList removed;
    for (const std::string& entry : entriesOf(rootFd)) {
        const QString name = QFile::decodeName(entry.c_str());
        if (!isWorkFolderName(name))
            continue;
        const int fd =
            ::openat(rootFd, entry.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue; // not a folder, or a link: not ours
        if (hasMarker(fd) && clear(rootFd, fd, entry))
            removed << name;
        ::close(fd);
    }
    return removed;
}

QStringList WipeWorkFolder::removeLeftovers(const QStringList& mountPoints) {
    QStringList removed;
    for (const QString& mountPoint : mountPoints) {
        FreeSpaceWipeLock lock;
        if (lock.acquire(mountPoint) != FreeSpaceWipeLock::Outcome::Held)
            continue;
        const QString root =
            mountPoint.endsWith(QLatin1Char('/')) ? mountPoint : mountPoint + QLatin1Char('/');
        for (const QString& name : sweep(lock.rootFd()))
            removed << root + name;
    }
    return removed;
}
