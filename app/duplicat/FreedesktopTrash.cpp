#include "app/duplicat/FreedesktopTrash.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString errnoText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Opens (making it when missing) folder NAME of PARENT, not following a link; it must belong to
// OWNER. -1 with WHY set otherwise.
int openOwnedFolder(int parent, const char* name, const UserAccount& owner, bool create,
                    QString* why) {
    if (create && ::mkdirat(parent, name, 0700) == 0)
        (void)::fchownat(parent, name, owner.uid, owner.gid, AT_SYMLINK_NOFOLLOW);
    const int fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        if (why)
            *why = QCoreApplication::translate("FreedesktopTrash",
                                               "cannot open the trash folder %1: %2")
                       .arg(QString::fromLocal8Bit(name), errnoText(errno));
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_uid != owner.uid) {
        if (why)
            *why = QCoreApplication::translate("FreedesktopTrash",
                                               "the trash folder %1 does not belong to %2")
                       .arg(QString::fromLocal8Bit(name), owner.name);
        ::close(fd);
        return -1;
    }
    return fd;
}

// Opens a chain of folders below the open folder START.
int openChain(int start, const QList<QByteArray>& parts, const UserAccount& owner, QString* why) {
    int fd = ::fcntl(start, F_DUPFD_CLOEXEC, 0);
    for (const QByteArray& part : parts) {
        if (fd < 0)
            return -1;
        const int next = openOwnedFolder(fd, part.constData(), owner, true, why);
        ::close(fd);
        fd = next;
    }
    return fd;
}

// The mount point holding PATH: the last folder upward on the same device.
QByteArray topDirOf(const QByteArray& path, dev_t device) {
    QByteArray top = path;
    for (;;) {
        const qsizetype slash = top.lastIndexOf('/');
        const QByteArray up = slash <= 0 ? QByteArray("/") : top.left(slash);
        struct stat st {};
        if (up == top || ::lstat(up.constData(), &st) != 0 || st.st_dev != device)
            return top;
        if (up == "/")
            return up;
        top = up;
    }
}

} // namespace

FreedesktopTrash::FreedesktopTrash(UserAccount user) : m_user(std::move(user)) {}

bool FreedesktopTrash::moveToTrash(const QByteArray& nativePath, QString* why) {
    const auto fail = [why](const QString& text) {
        if (why)
            *why = text;
        return false;
    };
    if (!nativePath.startsWith('/'))
        return fail(QCoreApplication::translate("FreedesktopTrash", "not an absolute path"));
    struct stat file {};
    if (::lstat(nativePath.constData(), &file) != 0)
        return fail(QCoreApplication::translate("FreedesktopTrash", "it is gone: %1")
                        .arg(errnoText(errno)));

    const QByteArray home = QFile::encodeName(m_user.home);
    const int homeFd = ::open(home.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (homeFd < 0)
        return fail(
            QCoreApplication::translate("FreedesktopTrash", "cannot open the home folder of %1")
                .arg(m_user.name));
    struct stat homeSt {};
    ::fstat(homeFd, &homeSt);

    int trashFd = -1;
    QByteArray pathInInfo;
    QString problem;
    if (homeSt.st_dev == file.st_dev) {
        trashFd = openChain(homeFd, {".local", "share", "Trash"}, m_user, &problem);
        pathInInfo = nativePath;
    } else {
        const QByteArray top = topDirOf(nativePath, file.st_dev);
        const int topFd = ::open(top.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (topFd >= 0) {
            // The administrator's shared .Trash: a real, sticky folder; the user's own below it.
            struct stat shared {};
            if (::fstatat(topFd, ".Trash", &shared, AT_SYMLINK_NOFOLLOW) == 0 &&
                S_ISDIR(shared.st_mode) && (shared.st_mode & S_ISVTX)) {
                const int sharedFd =
                    ::openat(topFd, ".Trash", O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
                if (sharedFd >= 0) {
                    trashFd =
                        openChain(sharedFd, {QByteArray::number(m_user.uid)}, m_user, &problem);
                    ::close(sharedFd);
                }
            }
            if (trashFd < 0)
                trashFd = openChain(topFd, {".Trash-" + QByteArray::number(m_user.uid)}, m_user,
                                    &problem);
            ::close(topFd);
        }
        pathInInfo = top == "/" ? nativePath.mid(1) : nativePath.mid(top.size() + 1);
    }
    ::close(homeFd);
    if (trashFd < 0)
        return fail(problem.isEmpty() ? QCoreApplication::translate("FreedesktopTrash",
                                                                    "no trash folder can be used")
                                      : problem);
    const int filesFd = openOwnedFolder(trashFd, "files", m_user, true, &problem);
    const int infoFd = openOwnedFolder(trashFd, "info", m_user, true, &problem);
    ::close(trashFd);
    if (filesFd < 0 || infoFd < 0) {
        if (filesFd >= 0)
            ::close(filesFd);
        if (infoFd >= 0)
            ::close(infoFd);
        return fail(problem);
    }

    const QByteArray base = nativePath.mid(nativePath.lastIndexOf('/') + 1);
    const QByteArray info =
        "[Trash Info]\nPath=" + QUrl::toPercentEncoding(QString::fromLocal8Bit(pathInInfo), "/") +
        "\nDeletionDate=" + QDateTime::currentDateTime().toString(Qt::ISODate).left(19).toLatin1() +
        "\n";
    bool done = false;
    for (int n = 1; n < 10000 && !done; ++n) {
        const QByteArray name = n == 1 ? base : base + '.' + QByteArray::number(n);
        const QByteArray infoName = name + ".trashinfo";
        struct stat taken {};
        if (::fstatat(filesFd, name.constData(), &taken, AT_SYMLINK_NOFOLLOW) == 0)
            continue;
        const int fd = ::openat(infoFd, infoName.constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            problem =
                QCoreApplication::translate("FreedesktopTrash", "cannot write the trash info: %1")
                    .arg(errnoText(errno));
            break;
        }
        const bool written = ::write(fd, info.constData(), size_t(info.size())) == info.size();
        (void)::fchown(fd, m_user.uid, m_user.gid);
        ::close(fd);
        if (written &&
            ::renameat(AT_FDCWD, nativePath.constData(), filesFd, name.constData()) == 0) {
            done = true;
            m_lastTrashed = nativePath; // replaced below with the place in files/
            char link[64];
            std::snprintf(link, sizeof link, "/proc/self/fd/%d", filesFd);
            char where[4096];
            const ssize_t len = ::readlink(link, where, sizeof where - 1);
            if (len > 0)
                m_lastTrashed = QByteArray(where, len) + '/' + name;
            break;
        }
        problem =
            written
                ? QCoreApplication::translate("FreedesktopTrash", "cannot move it to the trash: %1")
                      .arg(errnoText(errno))
                : QCoreApplication::translate("FreedesktopTrash", "cannot write the trash info");
        ::unlinkat(infoFd, infoName.constData(), 0);
        break;
    }
    ::close(filesFd);
    ::close(infoFd);
    return done ? true : fail(problem);
}
