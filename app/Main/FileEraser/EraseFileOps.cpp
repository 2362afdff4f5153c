#include "app/Main/FileEraser/EraseFileOps.h"

#include "platform/Logger.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString errnoText(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}


} // namespace

bool EraseFileOps::pathExists(const QString& path) {
    struct stat st {};
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

bool EraseFileOps::clearProtectionFlags(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat before {};
    // Only regular files and folders: the flag ioctl on a device node would reach its driver.
    if (::lstat(native.constData(), &before) != 0 ||
        !(S_ISREG(before.st_mode) || S_ISDIR(before.st_mode)))
        return true;
    const int fd =
        ::open(native.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        Logger::log(QStringLiteral("open %1 for its flags failed: %2").arg(path, errnoText(errno)));
        return false;
    }
    bool clear = true;
    struct stat opened {};
    int flags = 0;
    if (::fstat(fd, &opened) != 0 || opened.st_ino != before.st_ino ||
        opened.st_dev != before.st_dev) {
        clear = false; // replaced between the two looks: leave it alone
    } else if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        const int protection = FS_IMMUTABLE_FL | FS_APPEND_FL;
        if (flags & protection) {
            flags &= ~protection;
            if (::ioctl(fd, FS_IOC_SETFLAGS, &flags) != 0) {
                Logger::log(QStringLiteral("clear immutable flag of %1 failed: %2")
                                .arg(path, errnoText(errno)));
                clear = false;
            }
        }
    } // a file system without inode flags has nothing to clear
    ::close(fd);
    return clear;
}
