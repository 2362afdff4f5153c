#include "app/Certificate/PrivateFile.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return ::fsync(fd) == 0;
}

} // namespace

bool PrivateFile::write(const QString& path, const QByteArray& bytes, bool replace,
                        QString* error) {
    const QByteArray target = QFile::encodeName(path);
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const auto systemError = [] { return QString::fromLocal8Bit(std::strerror(errno)); };
    if (!replace) {
        // O_EXCL: never over a file or through a link that is there, even one made just now.
        const int fd =
            ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0)
            return fail(errno == EEXIST ? QStringLiteral("%1 exists; not replaced").arg(path)
                                        : systemError());
        ::fchmod(fd, 0600); // whatever the umask
        const bool ok = writeAll(fd, bytes);
        const QString why = systemError();
        ::close(fd);
        if (!ok) {
            ::unlink(target.constData());
            return fail(why);
        }
        return true;
    }
    QByteArray temp = QFile::encodeName(QFileInfo(path).absolutePath()) + "/.korvane-XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return fail(systemError());
    ::fchmod(fd, 0600);
    bool ok = writeAll(fd, bytes);
    ::close(fd);
    ok = ok && ::rename(temp.constData(), target.constData()) == 0;
    const QString why = systemError();
    if (!ok) {
        ::unlink(temp.constData());
        return fail(why);
    }
    return true;
}
