#include "app/Main/WipeDisk/WipeWorkFolder.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

QString WipeWorkFolder::pathFor(const QString& mountPoint) {
    return mountPoint.endsWith(QLatin1Char('/')) ? mountPoint + kName
                                                 : mountPoint + QLatin1Char('/') + kName;
}

bool WipeWorkFolder::isFillFileName(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^\\.korvane_[0-9]+$"));
    return pattern.match(name).hasMatch();
}

namespace {

// The folder at PATH itself (never through a link), opened for its lock.
int openFolder(const QByteArray& path) {
    return ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

} // namespace

int WipeWorkFolder::create(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    // A sweep may remove the fresh folder between mkdir and flock; then it is made again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!remove(path) || ::mkdir(native.constData(), 0700) != 0)
            return -1;
        const int fd = openFolder(native);
        if (fd < 0)
            continue;
        struct stat held {
        }, named{};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 &&
            ::lstat(native.constData(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino)
            return fd;
        ::close(fd);
    }
    return -1;
}

bool WipeWorkFolder::release(const QString& path, int held) {
    const bool removed = removeUnlocked(path);
    if (held >= 0)
        ::close(held);
    return removed;
}

bool WipeWorkFolder::remove(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    const int fd = openFolder(native);
    if (fd < 0)
        return errno == ENOENT ? true : removeUnlocked(path); // not a folder: left as it is
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd); // a running wipe fills it
        return false;
    }
    const bool removed = removeUnlocked(path);
    ::close(fd);
    return removed;
}

bool WipeWorkFolder::removeUnlocked(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    // Never through a link: the folder must be the one made here.
    if (::lstat(native.constData(), &st) != 0)
        return errno == ENOENT;
    if (!S_ISDIR(st.st_mode))
        return false;
    const QDir folder(path);
    for (const QString& name :
         folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const QByteArray entry = native + '/' + QFile::encodeName(name);
        struct stat est {};
        if (isFillFileName(name) && ::lstat(entry.constData(), &est) == 0 && S_ISREG(est.st_mode))
            ::unlink(entry.constData());
    }
    return ::rmdir(native.constData()) == 0;
}

QStringList WipeWorkFolder::removeLeftovers(const QStringList& mountPoints) {
    QStringList removed;
    for (const QString& mountPoint : mountPoints) {
        const QString path = pathFor(mountPoint);
        struct stat st {};
        if (::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
            remove(path))
            removed << path;
    }
    return removed;
}
