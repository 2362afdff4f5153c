#include "platform/SafeHomeFile.h"
#include "platform/FdWrite.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes a descriptor when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    int release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    void reset(int fd = -1) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

using Result = SafeHomeFile::Result;

struct Outcome {
    Result result;
    QString message;
};

QString describe(const QString& operation, const QString& path, int error) {
    return QStringLiteral("%1 %2: %3")
        .arg(operation, path, QString::fromLocal8Bit(strerror(error)));
}

bool ownedAcceptably(const struct stat& info, const SafeHomeFile::Owner& owner) {
    return info.st_uid == owner.uid || info.st_uid == 0;
}

// Opens the folder NAME in PARENT without following a link, creating it for OWNER when missing.
Outcome openFolder(const Fd& parent, const QString& shownPath, const QByteArray& name,
                   const SafeHomeFile::Owner& owner, Fd& out) {
    const int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    int fd = ::openat(parent.get(), name.constData(), flags);
    if (fd < 0 && errno == ENOENT) {
        const bool created = ::mkdirat(parent.get(), name.constData(), 0700) == 0;
        if (!created && errno != EEXIST)
            return {Result::Failed, describe(QStringLiteral("mkdir"), shownPath, errno)};
        fd = ::openat(parent.get(), name.constData(), flags);
        // Root gives the folders it made to the user; a folder found there is left as it is.
        if (fd >= 0 && created && ::geteuid() == 0 && ::fchown(fd, owner.uid, owner.gid) != 0) {
            const int error = errno;
            ::close(fd);
            return {Result::Failed, describe(QStringLiteral("chown"), shownPath, error)};
        }
    }
    if (fd < 0) {
        const int error = errno;
        // O_NOFOLLOW on a link gives ELOOP; O_DIRECTORY on a link or file gives ENOTDIR.
        const Result result =
            (error == ELOOP || error == ENOTDIR) ? Result::Refused : Result::Failed;
        return {result, describe(QStringLiteral("open folder"), shownPath, error)};
    }
    out.reset(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return {Result::Failed, describe(QStringLiteral("stat"), shownPath, errno)};
    if (!ownedAcceptably(info, owner))
        return {Result::Refused,
                QStringLiteral("folder %1 belongs to user id %2").arg(shownPath).arg(info.st_uid)};
    return {Result::Created, {}};
}

Outcome create(const QString& home, const QString& relative, const QByteArray& content, mode_t mode,
               const SafeHomeFile::Owner& owner) {
    const QStringList parts = relative.split(QLatin1Char('/'));
    for (const QString& part : parts)
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return {Result::Refused, QStringLiteral("bad relative path %1").arg(relative)};
    if (!home.startsWith(QLatin1Char('/')))
        return {Result::Refused, QStringLiteral("home %1 is not absolute").arg(home)};

    // The home folder itself comes from the account database and may be reached through links.
    Fd folder(::open(QFile::encodeName(home).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() < 0)
        return {Result::Failed, describe(QStringLiteral("open home"), home, errno)};
    struct stat homeInfo {};
    if (::fstat(folder.get(), &homeInfo) != 0)
        return {Result::Failed, describe(QStringLiteral("stat"), home, errno)};
    if (!ownedAcceptably(homeInfo, owner))
        return {Result::Refused,
                QStringLiteral("home %1 belongs to user id %2").arg(home).arg(homeInfo.st_uid)};

    QString shown = home;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        shown += QLatin1Char('/') + parts[i];
        Fd next;
        const Outcome step = openFolder(folder, shown, QFile::encodeName(parts[i]), owner, next);
        if (step.result != Result::Created)
            return step;
        folder.reset(next.release());
    }

    const QByteArray name = QFile::encodeName(parts.last());
    const QString target = shown + QLatin1Char('/') + parts.last();
    struct stat existing {};
    if (::fstatat(folder.get(), name.constData(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISLNK(existing.st_mode))
            return {Result::Refused, QStringLiteral("%1 is a symbolic link").arg(target)};
        return {Result::AlreadyPresent, {}};
    }
    if (errno != ENOENT)
        return {Result::Failed, describe(QStringLiteral("stat"), target, errno)};

    // Write under a temporary name, then move into place only if the name is still free.
    const QByteArray temporary =
        "." + name + "." + QByteArray::number(QRandomGenerator::system()->generate(), 16);
    Fd file(::openat(folder.get(), temporary.constData(),
                     O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (file.get() < 0)
        return {Result::Failed, describe(QStringLiteral("create"), target, errno)};
    auto discard = [&](const QString& operation, int error) {
        ::unlinkat(folder.get(), temporary.constData(), 0);
        return Outcome{Result::Failed, describe(operation, target, error)};
    };
    if (!FdWrite::all(file.get(), content))
        return discard(QStringLiteral("write"), errno);
    if (::geteuid() == 0 && ::fchown(file.get(), owner.uid, owner.gid) != 0)
        return discard(QStringLiteral("chown"), errno);
    if (::fchmod(file.get(), mode) != 0)
        return discard(QStringLiteral("chmod"), errno);
    if (::fsync(file.get()) != 0)
        return discard(QStringLiteral("fsync"), errno);
    file.reset();

    if (::renameat2(folder.get(), temporary.constData(), folder.get(), name.constData(),
                    RENAME_NOREPLACE) == 0)
        return {Result::Created, {}};
    const int error = errno;
    if (error == EEXIST) {
        ::unlinkat(folder.get(), temporary.constData(), 0);
        return {Result::AlreadyPresent, {}};
    }
    if (error != EINVAL && error != ENOSYS)
        return discard(QStringLiteral("rename"), error);
    // A file system without rename-without-replace: a hard link never replaces either.
    if (::linkat(folder.get(), temporary.constData(), folder.get(), name.constData(), 0) != 0) {
        const int linkError = errno;
        ::unlinkat(folder.get(), temporary.constData(), 0);
        return linkError == EEXIST
                   ? Outcome{Result::AlreadyPresent, {}}
                   : Outcome{Result::Failed, describe(QStringLiteral("link"), target, linkError)};
    }
    ::unlinkat(folder.get(), temporary.constData(), 0);
    return {Result::Created, {}};
}

} // namespace

SafeHomeFile::Result SafeHomeFile::createIfMissing(const QString& home, const QString& relative,
                                                   const QByteArray& content, mode_t mode,
                                                   const Owner& owner, QString* error) {
    const Outcome outcome = create(home, relative, content, mode, owner);
    if (error)
        *error = outcome.message;
    return outcome.result;
}
