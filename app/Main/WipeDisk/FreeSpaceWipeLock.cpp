#include "app/Main/WipeDisk/FreeSpaceWipeLock.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/statvfs.h>
#include <unistd.h>

FreeSpaceWipeLock::~FreeSpaceWipeLock() {
    release();
}

FreeSpaceWipeLock::Outcome FreeSpaceWipeLock::acquire(const QString& mountPoint) {
    release();
    m_error.clear();
    const QByteArray path = QFile::encodeName(mountPoint);
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        m_error =
            QStringLiteral("%1: %2").arg(mountPoint, QString::fromLocal8Bit(std::strerror(error)));
        return error == EACCES || error == EPERM ? Outcome::NoPermission : Outcome::Failed;
    }
    struct statvfs vfs {};
    if (::fstatvfs(fd, &vfs) == 0 && (vfs.f_flag & ST_RDONLY) != 0) {
        ::close(fd);
        return Outcome::ReadOnly;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return Outcome::AnotherWipe;
        m_error = QStringLiteral("cannot lock %1: %2")
                      .arg(mountPoint, QString::fromLocal8Bit(std::strerror(error)));
        return Outcome::Failed;
    }
    m_fd = fd;
    return Outcome::Held;
}

void FreeSpaceWipeLock::release() {
    if (m_fd >= 0)
        ::close(m_fd); // closing the only descriptor of this open file lets go of the flock
    m_fd = -1;
}
