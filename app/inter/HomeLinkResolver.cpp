#include "app/inter/HomeLinkResolver.h"

#include <QDir>
#include <QFile>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// More links than this on one way is a loop or a trap.
constexpr int kMaxLinks = 8;

QString realPath(const QString& path) {
    char buf[PATH_MAX];
    return ::realpath(QFile::encodeName(path).constData(), buf) ? QFile::decodeName(buf)
                                                                : QString();
}

bool lstatOf(const QString& path, struct stat* st) {
    return ::lstat(QFile::encodeName(path).constData(), st) == 0;
}

QString linkTarget(const QString& path) {
    QByteArray buf(PATH_MAX, '\0');
    const ssize_t n = ::readlink(QFile::encodeName(path).constData(), buf.data(), buf.size());
    return n > 0 && n < buf.size() ? QFile::decodeName(buf.left(n)) : QString();
}

bool below(const QString& path, const QString& folder) {
    return path.startsWith(folder + QLatin1Char('/'));
}

} // namespace

HomeLinkResolver::HomeLinkResolver(const QString& home, uid_t uid)
    : m_namedHome(QDir::cleanPath(home)), m_uid(uid) {
    const QString real = realPath(home);
    m_home = real.isEmpty() ? m_namedHome : real;
}

uid_t HomeLinkResolver::ownerOf(const QString& path) {
    struct stat st {};
    return lstatOf(path, &st) ? st.st_uid : uid_t(-1);
}

QString HomeLinkResolver::shown(const QString& path) const {
    if (path == m_home)
        return QStringLiteral("~");
    return below(path, m_home) ? QStringLiteral("~") + path.mid(m_home.size()) : path;
}

HomeLinkResolver::Result HomeLinkResolver::resolveFolder(const QString& path) const {
    Result result;
    if (m_home.isEmpty() || m_home == QLatin1String("/"))
        return result;
    QString start = QDir::cleanPath(path);
    if (m_namedHome != m_home && (start == m_namedHome || below(start, m_namedHome)))
        start = m_home + start.mid(m_namedHome.size());
    if (!below(start, m_home)) {
        result.refusal = QStringLiteral("%1 is not in the home folder").arg(path);
        return result;
    }
    QStringList todo = start.mid(m_home.size() + 1).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = m_home;
    int links = 0;
    while (!todo.isEmpty()) {
        const QString part = todo.takeFirst();
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (current == m_home) {
                result.refusal = QStringLiteral("%1 leads out of the home folder").arg(path);
                return result;
            }
            current = current.left(current.lastIndexOf(QLatin1Char('/')));
            continue;
        }
        const QString next = current + QLatin1Char('/') + part;
        struct stat st {};
        if (!lstatOf(next, &st))
            return result; // missing: nothing there, nothing to refuse
        if (S_ISLNK(st.st_mode)) {
            const QString target = linkTarget(next);
            if (++links > kMaxLinks || target.isEmpty()) {
                result.refusal = QStringLiteral("%1: too many links").arg(shown(next));
                return result;
            }
            result.linked << QStringLiteral("%1 -> %2").arg(shown(next), target);
            if (target.startsWith(QLatin1Char('/'))) {
                const QString absolute = QDir::cleanPath(target);
                if (!below(absolute, m_home)) {
                    result.refusal =
                        QStringLiteral("%1 is a link to %2, outside the home folder: not followed")
                            .arg(shown(next), target);
                    return result;
                }
                current = m_home;
                todo = absolute.mid(m_home.size() + 1).split(QLatin1Char('/'), Qt::SkipEmptyParts) +
                       todo;
            } else {
                todo = target.split(QLatin1Char('/'), Qt::SkipEmptyParts) + todo;
            }
            continue;
        }
        if (!S_ISDIR(st.st_mode))
            return result; // a file where a folder should be: no data of ours there
        if (st.st_uid != m_uid && st.st_uid != 0) {
            result.refusal = QStringLiteral("%1 belongs to another user (uid %2): not followed")
                                 .arg(shown(next))
                                 .arg(st.st_uid);
            return result;
        }
        current = next;
    }
    if (current == m_home) {
        result.refusal = QStringLiteral("%1 is the home folder itself").arg(path);
        return result;
    }
    if (ownerOf(current) != m_uid) {
        result.refusal = QStringLiteral("%1 belongs to another user (uid %2): left alone")
                             .arg(shown(current))
                             .arg(ownerOf(current));
        return result;
    }
    result.path = current;
    return result;
}

bool HomeLinkResolver::isPlainBelow(const QString& root, const QString& path, QString* why) {
    auto fail = [why](const QString& reason) {
        if (why)
            *why = reason;
        return false;
    };
    if (!below(path, root))
        return fail(QStringLiteral("not inside %1").arg(root));
    if (realPath(root) != root)
        return fail(QStringLiteral("%1 has changed since it was found (a link now)").arg(root));
    const QStringList parts = path.mid(root.size() + 1).split(QLatin1Char('/'));
    QString current = root;
    for (int i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return fail(QStringLiteral("not a plain path"));
        current += QLatin1Char('/') + part;
        struct stat st {};
        if (!lstatOf(current, &st))
            return fail(QStringLiteral("no longer there"));
        if (i + 1 < parts.size() && !S_ISDIR(st.st_mode))
            return fail(QStringLiteral("%1 is a link or no folder now").arg(current));
    }
    return true;
}
