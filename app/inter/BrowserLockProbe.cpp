#include "app/inter/BrowserLockProbe.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray linkText(const QString& path) {
    char buf[512];
    const ssize_t n = ::readlink(QFile::encodeName(path).constData(), buf, sizeof buf - 1);
    return n > 0 ? QByteArray(buf, n) : QByteArray();
}

pid_t toPid(const QByteArray& text) {
    bool ok = false;
    const long value = text.toLong(&ok);
    return ok && value > 0 ? pid_t(value) : -1;
}

} // namespace

bool BrowserLockProbe::isLive(pid_t pid, uid_t uid) {
    if (pid <= 0)
        return false;
    const QByteArray proc = "/proc/" + QByteArray::number(pid);
    struct stat st {};
    if (::stat(proc.constData(), &st) != 0)
        return false;
    if (uid != uid_t(-1) && st.st_uid != uid)
        return false;
    QFile statFile(QString::fromLatin1(proc + "/stat"));
    if (!statFile.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = statFile.readAll();
    // "pid (comm) S ...": the state follows the last parenthesis, since comm may hold any.
    const qsizetype close = line.lastIndexOf(')');
    const char state = close >= 0 && close + 2 < line.size() ? line[close + 2] : '?';
    return state != 'Z' && state != 'X' && state != 'x';
}

pid_t BrowserLockProbe::chromiumLockPid(const QString& userData) {
    const QByteArray target = linkText(userData + QStringLiteral("/SingletonLock"));
    const qsizetype dash = target.lastIndexOf('-');
    if (dash <= 0)
        return -1;
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    if (target.left(dash) != QByteArray(host))
        return 0;
    return toPid(target.mid(dash + 1));
}

pid_t BrowserLockProbe::firefoxLockPid(const QString& profile) {
    const QByteArray lockFile = QFile::encodeName(profile + QStringLiteral("/.parentlock"));
    const int fd = ::open(lockFile.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd >= 0) {
        // Only asks: a lock taken and released here would be released for the browser too.
        struct flock query {};
        query.l_type = F_WRLCK;
        query.l_whence = SEEK_SET;
        const int rc = ::fcntl(fd, F_GETLK, &query);
        ::close(fd);
        if (rc == 0 && query.l_type != F_UNLCK && query.l_pid > 0)
            return query.l_pid;
    }
    // "lock" dangles by design: read the link itself.
    const QByteArray target = linkText(profile + QStringLiteral("/lock"));
    const qsizetype plus = target.lastIndexOf('+');
    const qsizetype colon = target.lastIndexOf(':');
    const qsizetype at = plus >= 0 ? plus : colon;
    return at >= 0 ? toPid(target.mid(at + 1)) : -1;
}

QList<BrowserLockProbe::Holder>
BrowserLockProbe::running(const QString& family, const QList<BrowserProfile>& profiles, uid_t uid) {
    QList<Holder> out;
    QStringList seen;
    auto add = [&](pid_t pid, const QString& marker) {
        for (const Holder& h : out)
            if (h.pid == pid && pid != 0)
                return;
        out << Holder{pid, marker};
    };
    for (const BrowserProfile& profile : profiles) {
        if (family == QLatin1String("Firefox")) {
            const pid_t pid = firefoxLockPid(profile.path);
            if (isLive(pid, uid))
                add(pid, profile.path + QStringLiteral("/.parentlock"));
        } else if (!seen.contains(profile.userData)) {
            seen << profile.userData;
            const pid_t pid = chromiumLockPid(profile.userData);
            if (pid == 0 || isLive(pid, uid))
                add(pid, profile.userData + QStringLiteral("/SingletonLock"));
        }
    }
    return out;
}
